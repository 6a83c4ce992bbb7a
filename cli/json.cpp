#include "json.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

namespace qeln::json {

namespace {

// Walks the text for the parser and remembers how far it has read, so that
// faults the parser itself does not see (a duplicate key, a number out of
// range) get their place in the text as well.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* p, std::size_t* read) : p_(p), read_(read) {}
    reference operator*() const { return *p_; }
    CountingIterator& operator++()
    {
        ++p_;
        ++*read_;
        return *this;
    }
    CountingIterator operator++(int)
    {
        CountingIterator old = *this;
        ++*this;
        return old;
    }
    bool operator==(const CountingIterator& o) const { return p_ == o.p_; }
    bool operator!=(const CountingIterator& o) const { return p_ != o.p_; }

private:
    const char* p_;
    std::size_t* read_;
};

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// Builds the document from the parser's events, with the checks nlohmann's
// own builder does not make.
class Builder {
public:
    Builder(std::string_view text, const std::size_t& read, ParseError& error)
        : text_(text), read_(read), err_(error)
    {
    }

    Value& result() { return root_; }

    bool null() { return put(Value()); }
    bool boolean(bool b) { return put(Value(b)); }
    bool number_integer(Value::number_integer_t v) { return put(Value(v)); }
    bool number_unsigned(Value::number_unsigned_t v) { return put(Value(v)); }
    bool number_float(Value::number_float_t v, const Value::string_t&)
    {
        if (!std::isfinite(v))
            return fail(kOutOfRange, numberStart());
        return put(Value(v));
    }
    bool string(Value::string_t& s) { return put(Value(std::move(s))); }
    bool binary(Value::binary_t&) { return fail("binary values are not JSON", here()); }

    bool start_object(std::size_t) { return open(Value::object()); }
    bool start_array(std::size_t) { return open(Value::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(Value::string_t& k)
    {
        auto& members = *open_.back()->get_ptr<Value::object_t*>();
        auto [it, inserted] = members.emplace(k, nullptr);
        if (!inserted)
            return fail("duplicate member \"" + k + "\"", keyStart());
        slot_ = &it->second;
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex)
    {
        if (ex.id == 406)   // "number overflow parsing '1e400'"
            return fail(kOutOfRange, numberStart());
        // "[json.exception.parse_error.101] parse error at line 1, column 5: <what>"
        std::string what = ex.what();
        if (const auto c = what.find("column "); c != std::string::npos) {
            if (const auto colon = what.find(": ", c); colon != std::string::npos)
                what.erase(0, colon + 2);
        } else if (what.rfind("[json.exception.", 0) == 0) {
            what.erase(0, what.find("] ") + 2);
        }
        return fail(what, position > 0 ? position - 1 : 0);
    }

private:
    static constexpr const char* kOutOfRange = "the number is out of the range of a double";

    // The parser has read up to one character past a number; its first character.
    std::size_t numberStart() const
    {
        std::size_t p = read_ < text_.size() ? read_ : text_.size();
        if (p > 0 && !isNumberChar(text_[p - 1]))
            --p;
        while (p > 0 && isNumberChar(text_[p - 1]))
            --p;
        return p;
    }

    std::size_t here() const { return read_ > 0 ? read_ - 1 : 0; }

    // The opening quote of the key the parser has just read (it stops right
    // after the closing quote).
    std::size_t keyStart() const
    {
        std::size_t p = read_ < text_.size() ? read_ : text_.size();
        if (p > 0)
            --p;   // the closing quote
        while (p > 0) {
            --p;
            if (text_[p] != '"')
                continue;
            std::size_t slashes = 0;
            while (slashes < p && text_[p - 1 - slashes] == '\\')
                ++slashes;
            if (slashes % 2 == 0)
                break;
        }
        return p;
    }

    bool fail(const std::string& message, std::size_t at)
    {
        if (failed_)
            return false;
        failed_ = true;
        err_.message = message;
        err_.line = 1;
        err_.column = 1;
        const std::size_t end = at < text_.size() ? at : text_.size();
        for (std::size_t i = 0; i < end; ++i) {
            if (text_[i] == '\n') {
                ++err_.line;
                err_.column = 1;
            } else {
                ++err_.column;
            }
        }
        return false;
    }

    Value* place(Value&& v)
    {
        if (open_.empty()) {
            root_ = std::move(v);
            return &root_;
        }
        Value& parent = *open_.back();
        if (parent.is_array()) {
            auto& items = *parent.get_ptr<Value::array_t*>();
            items.push_back(std::move(v));
            return &items.back();
        }
        *slot_ = std::move(v);
        return slot_;
    }

    bool put(Value&& v)
    {
        if (++values_ > kMaxValues)
            return fail("more than " + std::to_string(kMaxValues) + " values", here());
        place(std::move(v));
        return true;
    }

    bool open(Value&& container)
    {
        if (open_.size() >= static_cast<std::size_t>(kMaxDepth))
            return fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels", here());
        if (++values_ > kMaxValues)
            return fail("more than " + std::to_string(kMaxValues) + " values", here());
        open_.push_back(place(std::move(container)));
        return true;
    }

    bool close()
    {
        open_.pop_back();
        return true;
    }

    std::string_view text_;
    const std::size_t& read_;
    ParseError& err_;
    Value root_;
    std::vector<Value*> open_;   // the containers not yet closed, outermost first
    Value* slot_ = nullptr;      // the member whose value comes next
    std::size_t values_ = 0;
    bool failed_ = false;
};

} // namespace

std::optional<Value> parse(std::string_view text, ParseError& error)
{
    std::size_t read = 0;
    Builder builder(text, read, error);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        error = {"a byte order mark is not allowed", 1, 1};
        return std::nullopt;
    }
    const CountingIterator first(text.data(), &read), last(text.data() + text.size(), &read);
    if (!Value::sax_parse(first, last, &builder))
        return std::nullopt;
    return std::move(builder.result());
}

const char* typeName(const Value& v)
{
    switch (v.type()) {
    case Value::value_t::null: return "null";
    case Value::value_t::boolean: return "a boolean";
    case Value::value_t::number_integer:
    case Value::value_t::number_unsigned:
    case Value::value_t::number_float: return "a number";
    case Value::value_t::string: return "a string";
    case Value::value_t::array: return "an array";
    case Value::value_t::object: return "an object";
    default: return "a value of another kind";
    }
}

Ordered number(double v)
{
    if (!std::isfinite(v))
        return nullptr;
    constexpr double kExactIntegers = 9007199254740992.0;   // 2^53
    if (v == std::trunc(v) && std::fabs(v) <= kExactIntegers && !(v == 0 && std::signbit(v)))
        return static_cast<std::int64_t>(v);
    return v;
}

std::string numberText(double v) { return dump(number(v)); }

std::string dump(const Ordered& v) { return v.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace); }

namespace {

// Counts the nesting of a CBOR document without building it; refuses it past kMaxDepth.
struct DepthCheck : nlohmann::json_sax<Value> {
    int depth = 0;
    bool open() { return ++depth <= kMaxDepth; }
    bool close() { --depth; return true; }
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return open(); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }
};

} // namespace

Value fromCbor(const std::string& bytes)
{
    DepthCheck check;
    if (!Value::sax_parse(bytes, &check, nlohmann::json::input_format_t::cbor, true))
        return Value(Value::value_t::discarded);
    return Value::from_cbor(bytes, true, false);
}

} // namespace qeln::json
