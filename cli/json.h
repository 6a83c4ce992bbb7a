// JSON for the batch command line, on nlohmann-json.
//
// The reader takes exactly one value (RFC 8259) and refuses what a lenient
// reader would let through: trailing text, duplicate object keys, NaN /
// Infinity and numbers out of the range of a double, a byte order mark,
// nesting deeper than kMaxDepth and more than kMaxValues values. Its errors
// name the line and column (in bytes) where the text went wrong.
//
// The writer keeps the keys in the order they were put in, writes numbers as
// the shortest text that reads back to the same double, null for values that
// are not finite, and U+FFFD for bytes that are not valid UTF-8.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qeln::json {

// What the reader gives: objects keyed by name (looked up, never written).
using Value = nlohmann::json;
// What the writer takes: objects in the order their members were put in.
using Ordered = nlohmann::ordered_json;

inline constexpr int kMaxDepth = 64;
// Bounds the memory a hostile text of the largest accepted size can take.
inline constexpr std::size_t kMaxValues = 1'000'000;
// The largest JSON input read (file or standard input).
inline constexpr std::size_t kMaxInputBytes = std::size_t{16} << 20;

struct ParseError {
    std::string message;
    std::size_t line = 1;     // 1-based
    std::size_t column = 1;   // 1-based, in bytes
};

// Parses one JSON text. On failure returns nullopt and fills `error`.
std::optional<Value> parse(std::string_view text, ParseError& error);

// A CBOR document (the PDF writer's request); a discarded value (is_discarded())
// when it is not one or is nested deeper than kMaxDepth, so that a hostile
// request cannot exhaust the reader's stack.
Value fromCbor(const std::string& bytes);

// "a number", "a string", ... for messages.
const char* typeName(const Value& v);

// A number for the writer: null when v is not finite; integral values up to
// 2^53 as integers (written without ".0"), everything else as a double.
Ordered number(double v);
// The text the writer gives for number(v).
std::string numberText(double v);

// One line of compact JSON (no spaces), bytes that are not UTF-8 as U+FFFD.
std::string dump(const Ordered& v);

} // namespace qeln::json
