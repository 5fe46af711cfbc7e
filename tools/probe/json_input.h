// Reading one probe line: JSON whose numbers keep their single-precision value
// exactly, and typed accessors that explain what is wrong with a value.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace vorlane::tools::probe {

using Json = nlohmann::json;

// Arrays and objects may nest this deep in a line; deeper is an error, so no
// line can exhaust the stack of the code that walks the value.
constexpr int kMaxNesting = 64;

// Parses `text` as one JSON value. Decimal numbers are read straight to the
// nearest single-precision value (not through double), so a number written in
// shortest round-trip form reads back as the same float; a finite number below
// the smallest float becomes zero of its sign, as a float conversion makes it,
// and "-0" keeps its sign. Returns nothing with `error` set when the text is
// not valid JSON, holds a NUL byte, nests deeper than kMaxNesting, names a key
// twice in one object or has a number beyond the largest float.
std::optional<Json> parseLine(const std::string& text, std::string& error);

// A single-precision value: a number or "NaN", "Infinity", "-Infinity".
bool readFloat(const Json& value, float& out, std::string& error);

// An array of exactly `count` floats (count 3) or 3 or 4 floats (count 4 with
// `alphaOptional`; alpha defaults to 0).
bool readFloats(const Json& value, float* out, int count, std::string& error,
                bool alphaOptional = false);

// An integer within [min, max] (-0 counts as 0).
bool readInteger(const Json& value, std::int64_t min, std::int64_t max, std::int64_t& out,
                 std::string& error);

bool readBool(const Json& value, bool& out, std::string& error);

// `value` as JSON text for an error text, cut to a short prefix.
std::string excerpt(const Json& value);

// A JSON string literal for `text`, quoted and escaped.
std::string jsonQuoted(const std::string& text);

// A JSON string literal for at most the first few dozen bytes of `text`, with
// "..." inside the quotes when it was cut: how error texts quote what the
// input gave, however long.
std::string quotedPrefix(const std::string& text);

}  // namespace vorlane::tools::probe
