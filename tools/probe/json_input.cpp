#include "json_input.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace vorlane::tools::probe {
namespace {

// How many bytes of a value an error text quotes.
constexpr std::size_t kQuotedBytes = 40;

// The length of the longest prefix of `text` from `from` that is at most
// `limit` bytes and does not end inside a UTF-8 sequence.
std::size_t prefixLength(const std::string& text, std::size_t from, std::size_t limit) {
    std::size_t length = std::min(limit, text.size() - from);
    while (length > 0 && from + length < text.size() &&
           (static_cast<unsigned char>(text[from + length]) & 0xC0) == 0x80) {
        --length;
    }
    return length;
}

// The positions, among all numbers of the line, of those written "-0". The
// parser reads them as the integer 0, which has no sign. Numbers are the runs
// of number characters outside strings that begin with '-' or a digit.
std::vector<std::size_t> negativeZeroNumbers(const std::string& text) {
    const auto numberChar = [](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
    };
    std::vector<std::size_t> found;
    std::size_t ordinal = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                i += text[i] == '\\' ? 1 : 0;
            }
            ++i;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            std::size_t end = i;
            while (end < text.size() && numberChar(text[end])) {
                ++end;
            }
            if (text.compare(i, end - i, "-0") == 0) {
                found.push_back(ordinal);
            }
            ++ordinal;
            i = end;
        } else {
            ++i;
        }
    }
    return found;
}

// Builds the document as nlohmann's DOM parser does, but converts decimal
// numbers from their text to float directly, keeps the sign of "-0", and
// refuses values nested too deep and keys given twice in one object.
class ProbeLineParser : public nlohmann::detail::json_sax_dom_parser<Json> {
    using Base = nlohmann::detail::json_sax_dom_parser<Json>;

  public:
    ProbeLineParser(Json& result, std::string& error, std::vector<std::size_t> negativeZeros)
        : Base(result, false), error_(error), negativeZeros_(std::move(negativeZeros)) {}

    bool start_object(std::size_t size) {
        keys_.emplace_back();
        return enter() && Base::start_object(size);
    }
    bool key(std::string& name) {
        if (!keys_.back().insert(name).second) {
            error_ = "the key " + quotedPrefix(name) + " is given twice in one object";
            return false;
        }
        return Base::key(name);
    }
    bool end_object() {
        keys_.pop_back();
        --depth_;
        return Base::end_object();
    }
    bool start_array(std::size_t size) { return enter() && Base::start_array(size); }
    bool end_array() {
        --depth_;
        return Base::end_array();
    }

    bool number_integer(std::int64_t value) {
        const std::size_t ordinal = numbers_++;
        if (value == 0 && isNegativeZero(ordinal)) {
            return Base::number_float(-0.0, "-0");
        }
        return Base::number_integer(value);
    }
    bool number_unsigned(std::uint64_t value) {
        ++numbers_;
        return Base::number_unsigned(value);
    }
    bool number_float(double value, const std::string& text) {
        ++numbers_;
        float f = 0.0f;
        const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), f);
        if (code == std::errc::result_out_of_range && std::fabs(value) <= FLT_MAX) {
            // Finite but below the smallest float: zero of the number's sign.
            f = text[0] == '-' ? -0.0f : 0.0f;
        } else if (code != std::errc() || end != text.data() + text.size()) {
            error_ = "the number " + quotedPrefix(text) + " is beyond the largest float";
            return false;
        }
        return Base::number_float(f, text);
    }

    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& e) {
        if (!error_.empty()) {
            return false;
        }
        if (e.id == kNumberOverflow) {
            error_ = "the number " + quotedPrefix(token) + " is beyond the largest float";
        } else {
            error_ = "not valid JSON at byte " + std::to_string(position) + ": " + reason(e.what());
        }
        return false;
    }

  private:
    bool enter() {
        if (++depth_ > kMaxNesting) {
            error_ =
                "arrays and objects nest deeper than " + std::to_string(kMaxNesting) + " levels";
            return false;
        }
        return true;
    }

    bool isNegativeZero(std::size_t ordinal) const {
        return std::binary_search(negativeZeros_.begin(), negativeZeros_.end(), ordinal);
    }

    // The parser's own explanation without its prefixes, quoting at most a
    // short prefix of the token it read last.
    static std::string reason(const std::string& what) {
        std::string text = what.substr(what.find("] ") + 2);
        const std::string position = "parse error at line ";
        if (text.compare(0, position.size(), position) == 0 &&
            text.find(": ") != std::string::npos) {
            text.erase(0, text.find(": ") + 2);
        }
        const std::string lastRead = "; last read: '";
        const std::size_t open = text.find(lastRead);
        if (open != std::string::npos) {
            const std::size_t from = open + lastRead.size();
            std::size_t close = text.rfind("'; expected ");
            if (close == std::string::npos || close < from) {
                close = text.size() - 1;
            }
            const std::size_t keep = prefixLength(text, from, kQuotedBytes);
            if (close - from > keep) {
                text.replace(from + keep, close - from - keep, "...");
            }
        }
        return text;
    }

    // nlohmann's exception id for a number beyond the double range.
    static constexpr int kNumberOverflow = 406;

    std::string& error_;
    std::vector<std::size_t> negativeZeros_;
    std::size_t numbers_ = 0;
    int depth_ = 0;
    std::vector<std::set<std::string>> keys_;
};

}  // namespace

std::optional<Json> parseLine(const std::string& text, std::string& error) {
    error.clear();
    // The parser takes NUL for the end of the text and would drop what follows.
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        error = "a NUL byte at byte " + std::to_string(nul);
        return std::nullopt;
    }
    Json result;
    ProbeLineParser parser(result, error, negativeZeroNumbers(text));
    if (!Json::sax_parse(text, &parser) || !error.empty()) {
        if (error.empty()) {
            error = "not valid JSON";
        }
        return std::nullopt;
    }
    return result;
}

std::string excerpt(const Json& value) {
    if (value.is_string()) {
        return quotedPrefix(value.get_ref<const std::string&>());
    }
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > kQuotedBytes) {
        text = text.substr(0, prefixLength(text, 0, kQuotedBytes - 3)) + "...";
    }
    return text;
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
    error = "expected a number, \"NaN\", \"Infinity\" or \"-Infinity\", got " + excerpt(value);
    return false;
}

bool readFloats(const Json& value, float* out, int count, std::string& error, bool alphaOptional) {
    const bool sizeOk = value.is_array() && (value.size() == static_cast<std::size_t>(count) ||
                                             (alphaOptional && count == 4 && value.size() == 3));
    if (!sizeOk) {
        error = "expected an array of " +
                std::string(alphaOptional ? "3 or 4" : std::to_string(count)) + " numbers, got " +
                excerpt(value);
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
    // "-0" is read as a float to keep its sign; as an integer it is 0.
    const bool negativeZero =
        value.is_number_float() && value.get<double>() == 0.0 && std::signbit(value.get<double>());
    if (negativeZero && min <= 0 && max >= 0) {
        out = 0;
        return true;
    }
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
            ", got " + excerpt(value);
    return false;
}

bool readBool(const Json& value, bool& out, std::string& error) {
    if (!value.is_boolean()) {
        error = "expected true or false, got " + excerpt(value);
        return false;
    }
    out = value.get<bool>();
    return true;
}

std::string jsonQuoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string quotedPrefix(const std::string& text) {
    const std::size_t keep = prefixLength(text, 0, kQuotedBytes);
    return keep == text.size() ? jsonQuoted(text) : jsonQuoted(text.substr(0, keep) + "...");
}

}  // namespace vorlane::tools::probe
