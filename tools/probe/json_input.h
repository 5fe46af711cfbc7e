// Reading one probe line: JSON whose numbers keep their single-precision value
// exactly, and typed accessors that explain what is wrong with a value.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane::tools::probe {

using Json = nlohmann::json;

// Parses `text` as one JSON value. Decimal numbers are read straight to the
// nearest single-precision value (not through double), so a number written in
// shortest round-trip form reads back as the same float. Returns nothing with
// `error` set when the text is not valid JSON.
std::optional<Json> parseLine(const std::string& text, std::string& error);

// A single-precision value: a number or "NaN", "Infinity", "-Infinity".
bool readFloat(const Json& value, float& out, std::string& error);

// An array of exactly `count` floats (count 3) or 3 or 4 floats (count 4 with
// `alphaOptional`; alpha defaults to 0).
bool readFloats(const Json& value, float* out, int count, std::string& error,
                bool alphaOptional = false);

// An integer within [min, max].
bool readInteger(const Json& value, std::int64_t min, std::int64_t max, std::int64_t& out,
                 std::string& error);

bool readBool(const Json& value, bool& out, std::string& error);

// A JSON string literal for `text`, quoted and escaped.
std::string jsonQuoted(const std::string& text);

}  // namespace vorlane::tools::probe
