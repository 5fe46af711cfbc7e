#include "json_input.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vorlane::tools::probe {
namespace {

// Builds the document as nlohmann's DOM parser does, but converts decimal
// numbers from their text to float directly.
class FloatExactParser : public nlohmann::detail::json_sax_dom_parser<Json> {
  public:
    FloatExactParser(Json& result, std::string& error)
        : nlohmann::detail::json_sax_dom_parser<Json>(result, false), error_(error) {}

    bool number_float(double, const std::string& text) {
        float value = 0.0f;
        const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (code != std::errc() || end != text.data() + text.size()) {
            error_ = "number " + text + " is outside the single-precision range";
            return false;
        }
        return nlohmann::detail::json_sax_dom_parser<Json>::number_float(value, text);
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) {
        if (error_.empty()) {
            error_ = "not valid JSON at byte " + std::to_string(position) + ": " +
                     std::string(e.what()).substr(std::string(e.what()).find(']') + 2);
        }
        return false;
    }

  private:
    std::string& error_;
};

std::string describe(const Json& value) {
    std::string text = value.dump();
    if (text.size() > 40) {
        text = text.substr(0, 37) + "...";
    }
    return text;
}

}  // namespace

std::optional<Json> parseLine(const std::string& text, std::string& error) {
    Json result;
    FloatExactParser parser(result, error);
    error.clear();
    if (!Json::sax_parse(text, &parser) || !error.empty()) {
        if (error.empty()) {
            error = "not valid JSON";
        }
        return std::nullopt;
    }
    return result;
}

bool readFloat(const Json& value, float& out, std::string& error) {
    if (value.is_number_float()) {
        out = static_cast<float>(value.get<double>());  // exact: parsed as float
        return true;
    }
    if (value.is_number_integer()) {
        out = value.is_number_unsigned() ? static_cast<float>(value.get<std::uint64_t>())
                                         : static_cast<float>(value.get<std::int64_t>());
        return true;
    }
    if (value.is_string()) {
        const std::string& s = value.get_ref<const std::string&>();
        if (s == "NaN") {
            out = std::numeric_limits<float>::quiet_NaN();
            return true;
        }
        if (s == "Infinity" || s == "-Infinity") {
            out = (s[0] == '-' ? -1.0f : 1.0f) * std::numeric_limits<float>::infinity();
            return true;
        }
    }
    error = "expected a number, \"NaN\", \"Infinity\" or \"-Infinity\", got " + describe(value);
    return false;
}

bool readFloats(const Json& value, float* out, int count, std::string& error, bool alphaOptional) {
    const bool sizeOk = value.is_array() && (value.size() == static_cast<std::size_t>(count) ||
                                             (alphaOptional && count == 4 && value.size() == 3));
    if (!sizeOk) {
        error = "expected an array of " +
                std::string(alphaOptional ? "3 or 4" : std::to_string(count)) + " numbers, got " +
                describe(value);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        out[i] = 0.0f;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (!readFloat(value[i], out[i], error)) {
            error = "element " + std::to_string(i) + ": " + error;
            return false;
        }
    }
    return true;
}

bool readInteger(const Json& value, std::int64_t min, std::int64_t max, std::int64_t& out,
                 std::string& error) {
    if (value.is_number_integer()) {
        const bool fits =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(max)
                : value.get<std::int64_t>() >= min && value.get<std::int64_t>() <= max;
        if (fits) {
            out = value.get<std::int64_t>();
            return true;
        }
    }
    error = "expected an integer from " + std::to_string(min) + " to " + std::to_string(max) +
            ", got " + describe(value);
    return false;
}

bool readBool(const Json& value, bool& out, std::string& error) {
    if (!value.is_boolean()) {
        error = "expected true or false, got " + describe(value);
        return false;
    }
    out = value.get<bool>();
    return true;
}

std::string jsonQuoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace vorlane::tools::probe
