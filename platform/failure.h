// The one description of a read or a write that went wrong, from a file
// that cannot be opened down to one cell of a table: what kind of failure,
// the catalogue text the user reads, where it happened, and the reason.
// Readers and writers of every file format return it: a std::optional<Failure>
// where nothing else comes back, a Result<T> where a value does.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace qeln {

enum class FailureCode {
    cannotOpen,     // not there, a folder, or not readable
    wrongVersion,   // a project file of another version
    readFailed,     // the system failed in the middle of a read
    malformed,      // the content breaks its format: a number, a line, a field
    writeFailed,    // the file could not be written
    tooLarge,       // beyond a limit of the format or of the reader
};

struct Failure {
    Failure() = default;
    // Content that breaks its format at a place of a text or a table.
    Failure(int line, int row, std::string field, std::string detail)
        : line(line), row(row), field(std::move(field)), detail(std::move(detail))
    {
    }
    // Content at fault with no place to name: the reason only.
    static Failure because(std::string detail) { return Failure(0, -1, "", std::move(detail)); }
    // A file that cannot be opened, read or written, with the text for the user.
    Failure(FailureCode code, int textId, std::string file, std::string detail, int line = 0)
        : code(code), textId(textId), file(std::move(file)), line(line), detail(std::move(detail))
    {
    }

    FailureCode code = FailureCode::malformed;
    int textId = 0;         // the catalogue text for the user (514, 515, 516...); 0 when none
    std::string file;       // the path as given; "" when none
    int line = 0;           // 1-based line of the file; 0 when none
    int row = -1;           // 0-based row of a table; -1 when none
    std::string field;      // the field or column; "" when the whole line is at fault
    std::string detail;     // the reason in English (the system's text, the offending token)

    // Where and why in one line: "/home/a/col1.qln, line 17: \"3,5\" is not a
    // number", "line 7, field \"d\": \"2x\" is not a number", "row 3: ...".
    // A row is named only where no line is.
    std::string describe() const;

    bool operator==(const Failure&) const = default;
};

// A value, or the failure that kept it from being made.
template <class T>
class Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Failure failure) : v_(std::move(failure)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    // Only when !ok().
    const Failure& failure() const { return std::get<1>(v_); }

private:
    std::variant<T, Failure> v_;
};

} // namespace qeln
