// Number formatting for the tools' JSON output: the shortest decimal that reads
// back as the same single-precision value, and non-finite values as strings.
#pragma once

#include <string>

namespace vorlane::tools {

// Appends `value` as a JSON value: a number in shortest round-trip form, or
// one of the strings "NaN", "Infinity", "-Infinity".
void appendJsonFloat(std::string& out, float value);

std::string jsonFloat(float value);

}  // namespace vorlane::tools
