// A new, empty, uniquely named directory under the system's temporary
// directory, on every platform (POSIX mkdtemp has no Windows counterpart).
#pragma once

#include <string>

namespace vorlane::test {

// The path of the new directory, named `prefix` and a random suffix; empty
// when none could be created.
std::string makeTemporaryDirectory(const std::string& prefix);

}  // namespace vorlane::test
