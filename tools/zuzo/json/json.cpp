#include "tools/zuzo/json/json.h"

#include "program/core/shown_text.h"
#include "tools/zuzo/json/json_reasons.h"

#include <iterator>
#include <set>
#include <vector>

namespace zuzo::json {
namespace {

constexpr std::size_t kMaxDepth = 64;

// Reads the text one character at a time for the library, counting what it
// has taken, so that the checks below know where they stand.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator() = default;
    CountingIterator(const char* at, std::size_t* taken) : at_(at), taken_(taken) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++()
    {
        ++at_;
        if (taken_ != nullptr)
            ++*taken_;
        return *this;
    }
    CountingIterator operator++(int)
    {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_ = nullptr;
    std::size_t* taken_ = nullptr;
};

// The library's document builder, with the checks the library leaves out and
// the place of the first problem.
class Builder {
public:
    using number_integer_t = Value::number_integer_t;
    using number_unsigned_t = Value::number_unsigned_t;
    using number_float_t = Value::number_float_t;
    using string_t = Value::string_t;
    using binary_t = Value::binary_t;

    Builder(Value& root, const std::size_t& taken) : dom_(root, false), taken_(taken) {}

    bool null() { return dom_.null(); }
    bool boolean(bool v) { return dom_.boolean(v); }
    bool number_integer(number_integer_t v) { return dom_.number_integer(v); }
    bool number_unsigned(number_unsigned_t v) { return dom_.number_unsigned(v); }
    bool number_float(number_float_t v, const string_t& s) { return dom_.number_float(v, s); }
    bool string(string_t& v) { return dom_.string(v); }
    bool binary(binary_t& v) { return dom_.binary(v); }

    bool start_object(std::size_t n) { return open() && dom_.start_object(n); }
    bool end_object()
    {
        keys_.pop_back();
        return dom_.end_object();
    }
    bool start_array(std::size_t n) { return open() && dom_.start_array(n); }
    bool end_array()
    {
        keys_.pop_back();
        return dom_.end_array();
    }

    bool key(string_t& k)
    {
        if (!keys_.back().insert(k).second)
            return fail(taken_, "ключ " + shown_text(k) + " повторяется");
        return dom_.key(k);
    }

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& /*last_token*/, const Exception& e)
    {
        const std::string reason = russian_reason(e.what());
        // position counts the characters read, the offending one last.
        return fail(position > 0 ? position - 1 : 0, reason);
    }

    [[nodiscard]] std::size_t error_at() const { return error_at_; }
    [[nodiscard]] const std::string& error() const { return error_; }

private:
    bool open()
    {
        if (keys_.size() >= kMaxDepth)
            return fail(taken_ > 0 ? taken_ - 1 : 0, "вложенность глубже 64 уровней");
        keys_.emplace_back();
        return true;
    }

    bool fail(std::size_t at, std::string message)
    {
        if (error_.empty()) {
            error_at_ = at;
            error_ = std::move(message);
        }
        return false;
    }

    nlohmann::detail::json_sax_dom_parser<Value> dom_;
    const std::size_t& taken_;
    std::vector<std::set<std::string>> keys_; // per open object or array (arrays stay empty)
    std::size_t error_at_ = 0;
    std::string error_;
};

// "строка L, столбец C: " for a byte offset; columns count UTF-8 characters.
std::string place(std::string_view text, std::size_t offset)
{
    int line = 1;
    int column = 1;
    for (std::size_t k = 0; k < offset && k < text.size(); ++k) {
        if (text[k] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "строка " + std::to_string(line) + ", столбец " + std::to_string(column) + ": ";
}

std::string plain_text(const Value& v)
{
    return v.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
}

bool is_plain(const Value& v)
{
    return !v.is_array() && !v.is_object();
}

void write_value(std::string& out, const Value& v, std::size_t indent)
{
    const std::string pad((indent + 1) * 2, ' ');
    const std::string close_pad(indent * 2, ' ');
    if (v.is_array()) {
        bool flat = true;
        for (const Value& item : v)
            flat = flat && is_plain(item);
        out.push_back('[');
        bool first = true;
        for (const Value& item : v) {
            if (!first)
                out += flat ? ", " : ",";
            if (!flat)
                out += "\n" + pad;
            write_value(out, item, indent + 1);
            first = false;
        }
        if (!flat && !v.empty())
            out += "\n" + close_pad;
        out.push_back(']');
        return;
    }
    if (v.is_object()) {
        out.push_back('{');
        bool first = true;
        for (const auto& member : v.items()) {
            out += first ? "\n" : ",\n";
            out += pad + plain_text(Value(member.key())) + ": ";
            write_value(out, member.value(), indent + 1);
            first = false;
        }
        if (!v.empty())
            out += "\n" + close_pad;
        out.push_back('}');
        return;
    }
    out += plain_text(v);
}

} // namespace

ParseResult parse(std::string_view text)
{
    ParseResult result;
    std::size_t taken = 0;
    Builder builder(result.value, taken);
    const CountingIterator first(text.data(), &taken);
    const CountingIterator last(text.data() + text.size(), nullptr);
    if (!Value::sax_parse(first, last, &builder, nlohmann::detail::input_format_t::json, true)) {
        result.value = Value();
        result.error = place(text, builder.error_at()) + builder.error();
        return result;
    }
    result.status = ParseStatus::Ok;
    return result;
}

std::string write(const Value& value)
{
    std::string out;
    write_value(out, value, 0);
    out.push_back('\n');
    return out;
}

} // namespace zuzo::json
