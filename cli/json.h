// A small, strict JSON reader and writer for the batch command line.
//
// The reader takes exactly one value (RFC 8259): objects, arrays, strings
// with every escape including \uXXXX and surrogate pairs, numbers, true,
// false and null. It refuses what a lenient reader would let through:
// trailing garbage, duplicate object keys, NaN / Infinity and numbers out of
// the range of a double, leading zeros, unescaped control characters,
// malformed UTF-8, lone surrogates and nesting deeper than kMaxDepth.
//
// The writer produces UTF-8, numbers as the shortest text that reads back
// to the same double, and null for values that are not finite.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qeln::json {

inline constexpr int kMaxDepth = 64;

class Value {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, Value>;

    Value() = default;
    static Value makeBool(bool b);
    static Value makeNumber(double v, bool integerLiteral);
    static Value makeString(std::string s);
    static Value makeArray(std::vector<Value> items);
    static Value makeObject(std::vector<Member> members);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isBool() const { return type_ == Type::Bool; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }

    bool boolean() const { return bool_; }
    double number() const { return number_; }
    // True when the number was written without fraction or exponent.
    bool integerLiteral() const { return integerLiteral_; }
    const std::string& string() const { return string_; }
    const std::vector<Value>& items() const { return items_; }
    // Members in the order of the text (keys are unique).
    const std::vector<Member>& members() const { return members_; }
    // The member of that key, or nullptr.
    const Value* find(std::string_view key) const;

private:
    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0;
    bool integerLiteral_ = false;
    std::string string_;
    std::vector<Value> items_;
    std::vector<Member> members_;
};

const char* typeName(Value::Type t);

struct ParseError {
    std::string message;
    std::size_t line = 1;     // 1-based
    std::size_t column = 1;   // 1-based, in bytes
};

// Parses one JSON text. On failure returns nullopt and fills `error`.
std::optional<Value> parse(std::string_view text, ParseError& error);

// The shortest text that reads back to v; "null" when v is not finite.
std::string numberText(double v);
// A JSON string literal (with the quotes) for UTF-8 text. Bytes that are not
// valid UTF-8 become U+FFFD, so the output is always valid JSON.
std::string quote(std::string_view s);

// Builds one JSON text piece by piece, with commas put in for the caller.
class Writer {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view k);
    void string(std::string_view s);
    void number(double v);
    void optionalNumber(const std::optional<double>& v);
    void integer(long long v);
    void boolean(bool b);
    void null();
    void stringArray(const std::vector<std::string>& lines);
    const std::string& text() const { return out_; }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_;   // per open container: nothing written yet
    bool afterKey_ = false;
};

} // namespace qeln::json
