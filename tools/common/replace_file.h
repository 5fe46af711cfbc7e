// Writes a whole file so that no reader ever finds it half-written.
#pragma once

#include <string>
#include <vector>

namespace vorlane::tools {

// Writes `bytes` to a new temporary file in the directory of `path` and
// renames it over `path`. On failure `path` is left as it was, the temporary
// file is removed, and `error` says why, with the system's reason.
bool replaceFile(const std::string& path, const std::vector<unsigned char>& bytes,
                 std::string& error);

}  // namespace vorlane::tools
