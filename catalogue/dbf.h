// A small, strict reader and writer of dBASE III tables (.DBF) with
// character (C), numeric (N) and logical (L) fields.
//
// The whole table is read into memory when it is opened and checked before
// anything is handed out: a truncated or damaged file, a record count beyond
// the file size, field descriptors that do not add up to the record length,
// unknown field types and absurd lengths all give a `dbf::Error` with a clear
// message. Changes are written through to the file at once.
//
// Numbers are written and read with std::to_chars / std::from_chars and
// never pass through the locale. Text is UTF-8 inside the program and is
// stored in the table's code page (header byte 29; Windows-1252 when the
// byte is 0).
#pragma once

#include "codepage.h"

#include "platform/file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qeln::dbf {

// Any failure of this module: damaged file, unknown field, value that does
// not fit, input/output error, table in use. The text names the file, the
// record or the field where that helps.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FieldType : char { character = 'C', numeric = 'N', logical = 'L' };

struct Field {
    std::string name;    // 1 to 10 characters A-Z, 0-9, _ (stored upper case)
    FieldType type = FieldType::character;
    int length = 1;      // C: 1..254, N: 1..20, L: 1
    int decimals = 0;    // N only: 0..15 and at most length - 2
    int offset = 0;      // position in the record (0 is the deleted flag); set by Schema
};

// Code-page marks (header byte 29) this module understands.
inline constexpr std::uint8_t kCodePageUnmarked = 0x00;   // read as Windows-1252
inline constexpr std::uint8_t kCodePageDos437 = 0x01;
inline constexpr std::uint8_t kCodePageDos850 = 0x02;
inline constexpr std::uint8_t kCodePageWindows1252 = 0x03;

// The layout of a table's records.
class Schema {
public:
    // Checks the fields (names, types, lengths, no duplicates) and the code
    // page mark, and computes the offsets. Throws Error.
    Schema(std::vector<Field> fields, std::uint8_t codePageMark);

    const std::vector<Field>& fields() const { return fields_; }
    // Index of the field (name compared without regard to case), or -1.
    int find(std::string_view name) const;
    // The field; throws Error when there is none of that name.
    const Field& field(std::string_view name) const;
    // Bytes per record including the deleted flag.
    int recordLength() const { return recordLength_; }
    std::uint8_t codePageMark() const { return codePageMark_; }
    CodePage codePage() const { return codePage_; }

private:
    std::vector<Field> fields_;
    int recordLength_ = 1;
    std::uint8_t codePageMark_ = 0;
    CodePage codePage_ = CodePage::windows1252;
};

// A copy of one record. Reading never changes the table; after setting
// values, hand the record to Table::append or Table::update.
class Record {
public:
    // Record number, 0-based; -1 for a record not (yet) in the table.
    int index() const { return index_; }
    bool deleted() const { return bytes_[0] == '*'; }
    void setDeleted(bool deleted) { bytes_[0] = deleted ? '*' : ' '; }

    // Character field as UTF-8 without the trailing blanks of the fixed width.
    std::string text(std::string_view field) const;
    // Character field as UTF-8 with its trailing blanks (the full width), as
    // xBase expressions see it.
    std::string paddedText(std::string_view field) const;
    // True when the field holds only blanks.
    bool isBlank(std::string_view field) const;
    // Numeric field; a blank field reads as 0. Throws Error for anything
    // but an optional sign, digits and one decimal point between blanks.
    double number(std::string_view field) const;
    // Logical field: T, t, Y, y true; F, f, N, n false; '?' or blank unset.
    // Any other byte throws Error.
    std::optional<bool> logical(std::string_view field) const;

    // Throws Error when the text does not fit the field or holds a character
    // the table's code page cannot store.
    void setText(std::string_view field, std::string_view utf8);
    // Right-aligned with the field's decimals. Throws Error when the value is
    // not finite or does not fit the width.
    void setNumber(std::string_view field, double value);
    // True is written as T, false as F, unset as a blank.
    void setLogical(std::string_view field, std::optional<bool> value);
    // Works on fields of every type: fills the field with blanks.
    void setBlank(std::string_view field);

    // The raw bytes (deleted flag first).
    const std::string& bytes() const { return bytes_; }

private:
    friend class Table;
    Record(std::shared_ptr<const Schema> schema, std::string bytes, int index);
    const Field& typed(std::string_view name, FieldType type) const;
    std::string_view raw(const Field& f) const;
    std::string where(const Field& f) const;

    std::shared_ptr<const Schema> schema_;
    std::string bytes_;
    int index_ = -1;
};

enum class OpenMode {
    shared,      // others may open the table shared too (read lock on the file)
    exclusive,   // nobody else may have it open (write lock on the file)
};

struct Date {
    int year = 0;   // full year (stored in the file as year - 1900)
    int month = 0;
    int day = 0;
};

// An open table. Move-only; the destructor closes the file and drops the lock.
class Table {
public:
    // Writes a new empty table (replacing any file at path) and opens it
    // exclusively. Throws Error.
    static Table create(const std::string& path, std::vector<Field> fields,
                        std::uint8_t codePageMark = kCodePageWindows1252);
    // Opens and checks a table. Locks use fcntl, so a second open in the
    // same program conflicts too. A shared open of a file that may not be
    // written gives a read-only table. Throws Error.
    static Table open(const std::string& path, OpenMode mode);
    // A read-only table over the bytes of a file (checks, fuzzing). Throws Error.
    static Table fromBytes(std::string image);

    Table() = default;
    Table(Table&& other) noexcept;
    Table& operator=(Table&& other) noexcept;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    ~Table();

    // Closes the file; the table is then empty and not open.
    void close();
    bool isOpen() const { return schema_ != nullptr; }
    bool readOnly() const { return !writable_; }
    const std::string& path() const { return path_; }
    OpenMode mode() const { return mode_; }

    const Schema& schema() const;
    int recordCount() const { return count_; }
    Date lastUpdate() const;

    // A copy of record i (0-based). Throws Error when out of range.
    Record record(int i) const;
    // A new record with every field blank, for append.
    Record blankRecord() const;

    // Writes the record at the end of the file; returns its number.
    int append(const Record& rec);
    // Replaces record i by rec's values (including its deleted flag).
    void update(int i, const Record& rec);
    // Sets or clears the deleted flag of record i.
    void markDeleted(int i, bool deleted = true);
    // Removes the records marked deleted: writes a temporary file beside the
    // table, flushes it to disk and renames it over the table. Needs an
    // exclusive open. On failure the table file is unchanged.
    void pack();

private:
    void writeAt(std::uint64_t offset, std::string_view bytes);
    void requireWritable(const char* what) const;
    void stampHeader(std::uint32_t count);
    std::uint64_t recordOffset(int i) const;

    std::string path_;
    OpenMode mode_ = OpenMode::shared;
    platform::File file_;               // not open: closed or in memory only
    bool writable_ = false;
    std::shared_ptr<const Schema> schema_;
    std::string image_;                 // header and records as in the file
    int headerLength_ = 0;
    int count_ = 0;
};

} // namespace qeln::dbf
