#include "json.h"

#include "calc/utf8.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace qeln::json {

Value Value::makeBool(bool b)
{
    Value v;
    v.type_ = Type::Bool;
    v.bool_ = b;
    return v;
}

Value Value::makeNumber(double n, bool integerLiteral)
{
    Value v;
    v.type_ = Type::Number;
    v.number_ = n;
    v.integerLiteral_ = integerLiteral;
    return v;
}

Value Value::makeString(std::string s)
{
    Value v;
    v.type_ = Type::String;
    v.string_ = std::move(s);
    return v;
}

Value Value::makeArray(std::vector<Value> items)
{
    Value v;
    v.type_ = Type::Array;
    v.items_ = std::move(items);
    return v;
}

Value Value::makeObject(std::vector<Member> members)
{
    Value v;
    v.type_ = Type::Object;
    v.members_ = std::move(members);
    return v;
}

const Value* Value::find(std::string_view key) const
{
    for (const Member& m : members_)
        if (m.first == key)
            return &m.second;
    return nullptr;
}

const char* typeName(Value::Type t)
{
    switch (t) {
    case Value::Type::Null: return "null";
    case Value::Type::Bool: return "a boolean";
    case Value::Type::Number: return "a number";
    case Value::Type::String: return "a string";
    case Value::Type::Array: return "an array";
    case Value::Type::Object: return "an object";
    }
    return "?";
}

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i)
{
    char32_t cp = 0;
    return nextCodePoint(s, i, cp);
}

class Parser {
public:
    Parser(std::string_view text, ParseError& error) : s_(text), err_(error) {}

    std::optional<Value> document()
    {
        if (s_.size() >= 3 && s_.substr(0, 3) == "\xEF\xBB\xBF")
            return fail("a byte order mark is not allowed");
        skipSpace();
        Value v;
        if (!value(v, 0))
            return std::nullopt;
        skipSpace();
        if (pos_ != s_.size())
            return fail("unexpected text after the JSON value");
        return v;
    }

private:
    std::nullopt_t fail(const std::string& message)
    {
        if (!failed_) {
            failed_ = true;
            err_.message = message;
            err_.line = 1;
            err_.column = 1;
            for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i) {
                if (s_[i] == '\n') {
                    ++err_.line;
                    err_.column = 1;
                } else {
                    ++err_.column;
                }
            }
        }
        return std::nullopt;
    }
    bool failBool(const std::string& message)
    {
        fail(message);
        return false;
    }

    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[pos_]; }

    void skipSpace()
    {
        while (!atEnd() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word)
    {
        if (s_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool value(Value& out, int depth)
    {
        if (atEnd())
            return failBool("unexpected end of the text, a value was expected");
        const char c = peek();
        if (c == '{')
            return object(out, depth + 1);
        if (c == '[')
            return array(out, depth + 1);
        if (c == '"') {
            std::string s;
            if (!string(s))
                return false;
            out = Value::makeString(std::move(s));
            return true;
        }
        if (c == '-' || (c >= '0' && c <= '9'))
            return number(out);
        if (literal("true")) {
            out = Value::makeBool(true);
            return true;
        }
        if (literal("false")) {
            out = Value::makeBool(false);
            return true;
        }
        if (literal("null")) {
            out = Value();
            return true;
        }
        if (s_.substr(pos_, 3) == "NaN" || s_.substr(pos_, 8) == "Infinity")
            return failBool("NaN and Infinity are not JSON numbers");
        return failBool(std::string("unexpected character '") + c + "', a value was expected");
    }

    bool object(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return failBool("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        ++pos_;   // {
        std::vector<Value::Member> members;
        skipSpace();
        if (peek() == '}') {
            ++pos_;
            out = Value::makeObject(std::move(members));
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                return failBool("a member name in double quotes was expected");
            const std::size_t keyPos = pos_;
            std::string key;
            if (!string(key))
                return false;
            for (const Value::Member& m : members) {
                if (m.first == key) {
                    pos_ = keyPos;
                    return failBool("duplicate member \"" + key + "\"");
                }
            }
            skipSpace();
            if (peek() != ':')
                return failBool("':' was expected after the member name");
            ++pos_;
            skipSpace();
            Value v;
            if (!value(v, depth))
                return false;
            members.emplace_back(std::move(key), std::move(v));
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == '}') {
                ++pos_;
                out = Value::makeObject(std::move(members));
                return true;
            }
            return failBool("',' or '}' was expected");
        }
    }

    bool array(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return failBool("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        ++pos_;   // [
        std::vector<Value> items;
        skipSpace();
        if (peek() == ']') {
            ++pos_;
            out = Value::makeArray(std::move(items));
            return true;
        }
        for (;;) {
            skipSpace();
            Value v;
            if (!value(v, depth))
                return false;
            items.push_back(std::move(v));
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == ']') {
                ++pos_;
                out = Value::makeArray(std::move(items));
                return true;
            }
            return failBool("',' or ']' was expected");
        }
    }

    bool hex4(std::uint32_t& cp)
    {
        if (pos_ + 4 > s_.size())
            return failBool("four hexadecimal digits were expected after \\u");
        cp = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[pos_ + static_cast<std::size_t>(k)];
            cp <<= 4;
            if (c >= '0' && c <= '9')
                cp |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                cp |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                cp |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return failBool("four hexadecimal digits were expected after \\u");
        }
        pos_ += 4;
        return true;
    }

    bool string(std::string& out)
    {
        ++pos_;   // opening quote
        for (;;) {
            if (atEnd())
                return failBool("the string is not closed");
            const unsigned char c = static_cast<unsigned char>(s_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20)
                return failBool("control character in a string (write it as an escape)");
            if (c == '\\') {
                ++pos_;
                if (atEnd())
                    return failBool("the string is not closed");
                const char e = s_[pos_++];
                switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    std::uint32_t cp;
                    if (!hex4(cp))
                        return false;
                    if (cp >= 0xDC00 && cp <= 0xDFFF)
                        return failBool("a low surrogate without a high surrogate before it");
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (s_.substr(pos_, 2) != "\\u")
                            return failBool("a high surrogate without a low surrogate after it");
                        pos_ += 2;
                        std::uint32_t lo;
                        if (!hex4(lo))
                            return false;
                        if (lo < 0xDC00 || lo > 0xDFFF)
                            return failBool("a high surrogate without a low surrogate after it");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                    }
                    appendUtf8(out, static_cast<char32_t>(cp));
                    break;
                }
                default:
                    --pos_;
                    return failBool(std::string("unknown escape \\") + e);
                }
                continue;
            }
            const std::size_t n = utf8SequenceLength(s_, pos_);
            if (n == 0)
                return failBool("malformed UTF-8 in a string");
            out.append(s_.substr(pos_, n));
            pos_ += n;
        }
    }

    bool number(Value& out)
    {
        const std::size_t start = pos_;
        bool integer = true;
        const auto digits = [&] {
            const std::size_t from = pos_;
            while (!atEnd() && s_[pos_] >= '0' && s_[pos_] <= '9')
                ++pos_;
            return pos_ - from;
        };
        if (peek() == '-')
            ++pos_;
        if (peek() == '0') {
            ++pos_;
            if (peek() >= '0' && peek() <= '9')
                return failBool("a number must not have leading zeros");
        } else if (digits() == 0) {
            if (s_.substr(pos_, 8) == "Infinity")
                return failBool("NaN and Infinity are not JSON numbers");
            return failBool("a digit was expected");
        }
        if (peek() == '.') {
            integer = false;
            ++pos_;
            if (digits() == 0)
                return failBool("a digit was expected after the decimal point");
        }
        if (peek() == 'e' || peek() == 'E') {
            integer = false;
            ++pos_;
            if (peek() == '+' || peek() == '-')
                ++pos_;
            if (digits() == 0)
                return failBool("a digit was expected in the exponent");
        }
        double v = 0;
        const char* first = s_.data() + start;
        const char* last = s_.data() + pos_;
        const auto res = std::from_chars(first, last, v);
        if (res.ec == std::errc::result_out_of_range) {
            // Underflow to zero is harmless; overflow would be Infinity.
            bool nonzeroMantissa = false;
            for (const char* p = first; p < last && *p != 'e' && *p != 'E'; ++p)
                if (*p >= '1' && *p <= '9')
                    nonzeroMantissa = true;
            bool negativeExponent = false;
            for (const char* p = first; p < last; ++p)
                if ((*p == 'e' || *p == 'E') && p + 1 < last && p[1] == '-')
                    negativeExponent = true;
            if (nonzeroMantissa && !negativeExponent) {
                pos_ = start;
                return failBool("the number is out of the range of a double");
            }
            v = (*first == '-') ? -0.0 : 0.0;
        } else if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v)) {
            pos_ = start;
            return failBool("the number cannot be read");
        }
        out = Value::makeNumber(v, integer);
        return true;
    }

    std::string_view s_;
    ParseError& err_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace

std::optional<Value> parse(std::string_view text, ParseError& error)
{
    Parser p(text, error);
    return p.document();
}

std::string numberText(double v)
{
    if (!std::isfinite(v))
        return "null";
    if (v == 0)
        return std::signbit(v) ? "-0.0" : "0";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string quote(std::string_view s)
{
    std::string out = "\"";
    static const char* const hex = "0123456789abcdef";
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";   // U+FFFD
            ++i;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    out += '"';
    return out;
}

void Writer::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
    }
}

void Writer::beginObject()
{
    separate();
    out_ += '{';
    first_.push_back(true);
}

void Writer::endObject()
{
    first_.pop_back();
    out_ += '}';
}

void Writer::beginArray()
{
    separate();
    out_ += '[';
    first_.push_back(true);
}

void Writer::endArray()
{
    first_.pop_back();
    out_ += ']';
}

void Writer::key(std::string_view k)
{
    separate();
    out_ += quote(k);
    out_ += ':';
    afterKey_ = true;
}

void Writer::string(std::string_view s)
{
    separate();
    out_ += quote(s);
}

void Writer::number(double v)
{
    separate();
    out_ += numberText(v);
}

void Writer::optionalNumber(const std::optional<double>& v)
{
    if (v)
        number(*v);
    else
        null();
}

void Writer::integer(long long v)
{
    separate();
    out_ += std::to_string(v);
}

void Writer::boolean(bool b)
{
    separate();
    out_ += b ? "true" : "false";
}

void Writer::null()
{
    separate();
    out_ += "null";
}

void Writer::stringArray(const std::vector<std::string>& lines)
{
    beginArray();
    for (const std::string& l : lines)
        string(l);
    endArray();
}

} // namespace qeln::json
