#include "float_format.h"

#include <charconv>
#include <cmath>

namespace vorlane::tools {

void appendJsonFloat(std::string& out, float value) {
    if (std::isnan(value)) {
        out += "\"NaN\"";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0.0f ? "\"Infinity\"" : "\"-Infinity\"";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string jsonFloat(float value) {
    std::string out;
    appendJsonFloat(out, value);
    return out;
}

}  // namespace vorlane::tools
