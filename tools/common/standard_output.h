// Standard output as the tools' line formats need it on every platform.
#pragma once

namespace vorlane::tools {

// Makes standard output write each line feed as it is. Windows would turn it
// into a carriage return and line feed, and the same input would then give
// different bytes there than elsewhere.
void writeStandardOutputUnchanged();

}  // namespace vorlane::tools
