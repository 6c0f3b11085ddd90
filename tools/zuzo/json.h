#pragma once
// A small JSON reader and writer for the companion program: objects keep the
// order of their keys; numbers keep their literal text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo::json {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;              // a string's UTF-8 content, or a number's literal
    std::vector<Value> items;      // array items, or object values
    std::vector<std::string> keys; // object keys, parallel to items

    static Value null() { return {}; }
    static Value from_bool(bool b);
    static Value from_int(std::int64_t n);
    static Value from_string(std::string s);
    static Value array();
    static Value object();

    // Appends to an array.
    Value& push(Value v);
    // Appends a member to an object (no check for a repeated key).
    Value& set(std::string key, Value v);
    // The member of an object, or nullptr.
    [[nodiscard]] const Value* find(std::string_view key) const;
    // The number as an integer when it is one (no fraction, no exponent, fits 64 bits).
    [[nodiscard]] std::optional<std::int64_t> as_int() const;
};

enum class ParseStatus { Ok, Malformed };

struct ParseResult {
    ParseStatus status = ParseStatus::Malformed;
    Value value;
    std::string error; // "line L, column C: what was wrong" when Malformed
};

// Parses one JSON text (RFC 8259), surrounded by optional white space. Repeated
// keys in one object and nesting deeper than 64 levels are refused.
[[nodiscard]] ParseResult parse(std::string_view text);

// Pretty text with two-blank indentation; arrays of plain values stay on one
// line. Non-ASCII text is written as UTF-8; control characters are escaped.
[[nodiscard]] std::string write(const Value& value);

} // namespace zuzo::json
