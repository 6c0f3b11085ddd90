#include "tools/zuzo/json.h"

#include "program/cp1251.h"

#include <charconv>

namespace zuzo::json {

Value Value::from_bool(bool b)
{
    Value v;
    v.kind = Kind::Bool;
    v.boolean = b;
    return v;
}

Value Value::from_int(std::int64_t n)
{
    Value v;
    v.kind = Kind::Number;
    v.text = std::to_string(n);
    return v;
}

Value Value::from_string(std::string s)
{
    Value v;
    v.kind = Kind::String;
    v.text = std::move(s);
    return v;
}

Value Value::array()
{
    Value v;
    v.kind = Kind::Array;
    return v;
}

Value Value::object()
{
    Value v;
    v.kind = Kind::Object;
    return v;
}

Value& Value::push(Value v)
{
    items.push_back(std::move(v));
    return *this;
}

Value& Value::set(std::string key, Value v)
{
    keys.push_back(std::move(key));
    items.push_back(std::move(v));
    return *this;
}

const Value* Value::find(std::string_view key) const
{
    if (kind != Kind::Object)
        return nullptr;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k] == key)
            return &items[k];
    }
    return nullptr;
}

std::optional<std::int64_t> Value::as_int() const
{
    if (kind != Kind::Number || text.find_first_of(".eE") != std::string::npos)
        return std::nullopt;
    std::int64_t n = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, n);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return n;
}

namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    ParseResult run()
    {
        ParseResult result;
        skip_blanks();
        if (!value(result.value, 0)) {
            result.error = where() + error_;
            return result;
        }
        skip_blanks();
        if (pos_ != s_.size()) {
            result.error = where() + "unexpected text after the end of the JSON value";
            return result;
        }
        result.status = ParseStatus::Ok;
        return result;
    }

private:
    std::string where() const
    {
        int line = 1;
        int column = 1;
        for (std::size_t k = 0; k < pos_ && k < s_.size(); ++k) {
            if (s_[k] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(s_[k]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
    }

    bool fail(std::string message)
    {
        error_ = std::move(message);
        return false;
    }

    void skip_blanks()
    {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word)
    {
        if (s_.substr(pos_, word.size()) != word)
            return fail("unknown word (expected a value)");
        pos_ += word.size();
        return true;
    }

    bool value(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail("nesting deeper than 64 levels");
        if (pos_ >= s_.size())
            return fail("unexpected end of the text (expected a value)");
        const char ch = s_[pos_];
        switch (ch) {
        case '{':
            return object(out, depth);
        case '[':
            return array(out, depth);
        case '"':
            out.kind = Value::Kind::String;
            return string(out.text);
        case 't':
            out = Value::from_bool(true);
            return literal("true");
        case 'f':
            out = Value::from_bool(false);
            return literal("false");
        case 'n':
            out = Value::null();
            return literal("null");
        default:
            break;
        }
        if (ch == '-' || (ch >= '0' && ch <= '9'))
            return number(out);
        return fail(std::string("unexpected character '") + ch + "' (expected a value)");
    }

    bool object(Value& out, int depth)
    {
        out = Value::object();
        ++pos_; // {
        skip_blanks();
        if (pos_ < s_.size() && s_[pos_] == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            skip_blanks();
            if (pos_ >= s_.size() || s_[pos_] != '"')
                return fail("expected a key in double quotes");
            std::string key;
            if (!string(key))
                return false;
            if (out.find(key) != nullptr)
                return fail("the key \"" + key + "\" appears twice");
            skip_blanks();
            if (pos_ >= s_.size() || s_[pos_] != ':')
                return fail("expected ':' after the key");
            ++pos_;
            skip_blanks();
            Value member;
            if (!value(member, depth + 1))
                return false;
            out.set(std::move(key), std::move(member));
            skip_blanks();
            if (pos_ < s_.size() && s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < s_.size() && s_[pos_] == '}') {
                ++pos_;
                return true;
            }
            return fail("expected ',' or '}' in the object");
        }
    }

    bool array(Value& out, int depth)
    {
        out = Value::array();
        ++pos_; // [
        skip_blanks();
        if (pos_ < s_.size() && s_[pos_] == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            skip_blanks();
            Value item;
            if (!value(item, depth + 1))
                return false;
            out.push(std::move(item));
            skip_blanks();
            if (pos_ < s_.size() && s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < s_.size() && s_[pos_] == ']') {
                ++pos_;
                return true;
            }
            return fail("expected ',' or ']' in the array");
        }
    }

    bool digits()
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
            ++pos_;
        return pos_ > start;
    }

    bool number(Value& out)
    {
        const std::size_t start = pos_;
        if (s_[pos_] == '-')
            ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '0') {
            ++pos_;
        } else if (!digits()) {
            return fail("malformed number");
        }
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (!digits())
                return fail("malformed number (digits expected after '.')");
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
                ++pos_;
            if (!digits())
                return fail("malformed number (digits expected in the exponent)");
        }
        out.kind = Value::Kind::Number;
        out.text = std::string(s_.substr(start, pos_ - start));
        return true;
    }

    bool hex4(std::uint32_t& out)
    {
        if (pos_ + 4 > s_.size())
            return fail("unexpected end of the text in a \\u escape");
        out = 0;
        for (int k = 0; k < 4; ++k) {
            const char ch = s_[pos_++];
            out <<= 4;
            if (ch >= '0' && ch <= '9')
                out |= static_cast<std::uint32_t>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                out |= static_cast<std::uint32_t>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                out |= static_cast<std::uint32_t>(ch - 'A' + 10);
            else
                return fail("malformed \\u escape");
        }
        return true;
    }

    bool escape(std::string& out)
    {
        if (pos_ >= s_.size())
            return fail("unexpected end of the text in a string");
        const char ch = s_[pos_++];
        switch (ch) {
        case '"':
            out.push_back('"');
            return true;
        case '\\':
            out.push_back('\\');
            return true;
        case '/':
            out.push_back('/');
            return true;
        case 'b':
            out.push_back('\b');
            return true;
        case 'f':
            out.push_back('\f');
            return true;
        case 'n':
            out.push_back('\n');
            return true;
        case 'r':
            out.push_back('\r');
            return true;
        case 't':
            out.push_back('\t');
            return true;
        case 'u':
            break;
        default:
            return fail(std::string("unknown escape '\\") + ch + "'");
        }
        std::uint32_t cp = 0;
        if (!hex4(cp))
            return false;
        if (cp >= 0xDC00 && cp <= 0xDFFF)
            return fail("a low surrogate without its high half");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            std::uint32_t low = 0;
            if (s_.substr(pos_, 2) != "\\u")
                return fail("a high surrogate without its low half");
            pos_ += 2;
            if (!hex4(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return fail("a high surrogate without its low half");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        zuzo::append_utf8(out, static_cast<char32_t>(cp));
        return true;
    }

    bool string(std::string& out)
    {
        ++pos_; // opening quote
        out.clear();
        while (pos_ < s_.size()) {
            const char ch = s_[pos_];
            if (ch == '"') {
                ++pos_;
                return true;
            }
            if (static_cast<unsigned char>(ch) < 0x20)
                return fail("a control character inside a string (write it as an escape)");
            ++pos_;
            if (ch == '\\') {
                if (!escape(out))
                    return false;
            } else {
                out.push_back(ch);
            }
        }
        return fail("unexpected end of the text in a string (missing closing quote)");
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    std::string error_;
};

void write_string(std::string& out, const std::string& s)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (const char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out.push_back(kHex[u >> 4]);
                out.push_back(kHex[u & 0xF]);
            } else {
                out.push_back(ch);
            }
        }
    }
    out.push_back('"');
}

bool is_plain(const Value& v)
{
    return v.kind != Value::Kind::Array && v.kind != Value::Kind::Object;
}

void write_value(std::string& out, const Value& v, int indent)
{
    const std::string pad(static_cast<std::size_t>(indent + 1) * 2, ' ');
    const std::string close_pad(static_cast<std::size_t>(indent) * 2, ' ');
    switch (v.kind) {
    case Value::Kind::Null:
        out += "null";
        return;
    case Value::Kind::Bool:
        out += v.boolean ? "true" : "false";
        return;
    case Value::Kind::Number:
        out += v.text;
        return;
    case Value::Kind::String:
        write_string(out, v.text);
        return;
    case Value::Kind::Array: {
        bool flat = true;
        for (const Value& item : v.items)
            flat = flat && is_plain(item);
        out.push_back('[');
        for (std::size_t k = 0; k < v.items.size(); ++k) {
            if (k > 0)
                out += flat ? ", " : ",";
            if (!flat)
                out += "\n" + pad;
            write_value(out, v.items[k], indent + 1);
        }
        if (!flat && !v.items.empty())
            out += "\n" + close_pad;
        out.push_back(']');
        return;
    }
    case Value::Kind::Object:
        out.push_back('{');
        for (std::size_t k = 0; k < v.items.size(); ++k) {
            out += k > 0 ? ",\n" : "\n";
            out += pad;
            write_string(out, v.keys[k]);
            out += ": ";
            write_value(out, v.items[k], indent + 1);
        }
        if (!v.items.empty())
            out += "\n" + close_pad;
        out.push_back('}');
        return;
    }
}

} // namespace

ParseResult parse(std::string_view text)
{
    return Parser(text).run();
}

std::string write(const Value& value)
{
    std::string out;
    write_value(out, value, 0);
    out.push_back('\n');
    return out;
}

} // namespace zuzo::json
