#include "temporary_directory.h"

#include <filesystem>
#include <random>

namespace vorlane::test {

std::string makeTemporaryDirectory(const std::string& prefix) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        return {};
    }
    std::random_device seed;
    std::mt19937_64 random(seed());
    // create_directory reports false for a name already taken: try another.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (prefix + std::to_string(random() % 1000000000u));
        if (fs::create_directory(candidate, ec)) {
            return candidate.string();
        }
        if (ec) {
            return {};
        }
    }
    return {};
}

}  // namespace vorlane::test
