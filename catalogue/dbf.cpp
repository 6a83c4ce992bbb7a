#include "dbf.h"

#include "bytes.h"
#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <utility>

namespace qeln::dbf {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr int kMaxFields = 255;
constexpr char kHeaderEnd = 0x0D;
constexpr char kFileEnd = 0x1A;
constexpr unsigned char kVersion3 = 0x03;
constexpr std::uint64_t kMaxFileSize = 256u << 20;   // far beyond any profile table

using bytes::getU16;
using bytes::getU32;
using bytes::putU16;
using bytes::putU32;
using platform::errnoText;
using platform::File;

std::string hexByte(unsigned char c)
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[c >> 4] + digits[c & 0x0F];
}

std::string describeByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F)
        return std::string("'") + c + "'";
    return hexByte(u);
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

CodePage codePageOf(std::uint8_t mark)
{
    switch (mark) {
    case kCodePageUnmarked:
    case kCodePageWindows1252:
    case 0x57:   // ANSI
    case 0x58:   // Western European ANSI
    case 0x59:   // Spanish ANSI
        return CodePage::windows1252;
    case kCodePageDos437: return CodePage::dos437;
    case kCodePageDos850: return CodePage::dos850;
    default: break;
    }
    throw Error("code page mark " + hexByte(mark) + " is not supported (known: Windows-1252, DOS 437, DOS 850)");
}

bool isBlankByte(char c)
{
    return c == ' ' || c == '\0';
}

void checkField(const Field& f)
{
    if (f.name.empty() || f.name.size() > 10)
        throw Error("field name \"" + f.name + "\" must have 1 to 10 characters");
    for (std::size_t k = 0; k < f.name.size(); ++k) {
        const char c = f.name[k];
        const bool letter = c >= 'A' && c <= 'Z';
        const bool ok = letter || (k > 0 && ((c >= '0' && c <= '9') || c == '_'));
        if (!ok)
            throw Error("field name \"" + f.name + "\" may hold only letters, digits and _ and must begin with a letter");
    }
    switch (f.type) {
    case FieldType::character:
        if (f.length < 1 || f.length > 254 || f.decimals != 0)
            throw Error("character field " + f.name + " has length " + std::to_string(f.length) + " and " +
                        std::to_string(f.decimals) + " decimals (allowed: 1 to 254, no decimals)");
        break;
    case FieldType::numeric:
        if (f.length < 1 || f.length > 20 || f.decimals < 0 || f.decimals > 15 ||
            (f.decimals > 0 && f.decimals > f.length - 2))
            throw Error("numeric field " + f.name + " has length " + std::to_string(f.length) + " and " +
                        std::to_string(f.decimals) + " decimals (allowed: length 1 to 20, decimals 0 to 15 and at most length - 2)");
        break;
    case FieldType::logical:
        if (f.length != 1 || f.decimals != 0)
            throw Error("logical field " + f.name + " must have length 1");
        break;
    default:
        throw Error("field " + f.name + " has the unsupported type " + describeByte(static_cast<char>(f.type)));
    }
}

// Reads the whole of the file from its start.
std::string readAll(const File& file, std::uint64_t size, const std::string& path)
{
    std::string buf(static_cast<std::size_t>(size), '\0');
    int err = 0;
    const std::size_t got = file.readAt(0, buf.data(), buf.size(), err);
    if (err != 0)
        throw Error(path + ": cannot be read: " + errnoText(err));
    if (got < buf.size())
        throw Error(path + ": the file became shorter while it was read");
    return buf;
}

void writeAllAt(File& file, std::uint64_t offset, std::string_view bytes, const std::string& path)
{
    if (const int err = file.writeAt(offset, bytes))
        throw Error(path + ": cannot be written: " + errnoText(err));
}

// Replaces the file at path by `image` in one rename (see platform::replaceWhole),
// with this module's words for a failure.
void replaceTable(const std::string& path, const std::string& image, unsigned mode, const char* replacedText,
                  File* keep = nullptr)
{
    using Step = platform::ReplaceFailure::Step;
    const platform::ReplaceFailure f = platform::replaceWhole(path, image, mode, keep);
    const std::string why = errnoText(f.error);
    switch (f.step) {
    case Step::none: return;
    case Step::createTemp: throw Error(path + ": cannot create a temporary file beside it: " + why);
    case Step::setMode: throw Error(f.temp + ": " + why);
    case Step::write: throw Error(f.temp + ": cannot be written: " + why);
    case Step::flush: throw Error(f.temp + ": cannot be flushed to disk: " + why);
    case Step::lock: throw Error(f.temp + ": cannot be locked: " + why);
    case Step::rename: throw Error(path + replacedText + why);
    }
}

void todayInto(std::string& header)
{
    const std::time_t now = std::time(nullptr);
    std::tm tm {};
    if (::localtime_r(&now, &tm) == nullptr)
        return;
    header[1] = static_cast<char>(std::min(tm.tm_year, 255));   // year - 1900
    header[2] = static_cast<char>(tm.tm_mon + 1);
    header[3] = static_cast<char>(tm.tm_mday);
}

std::string buildHeader(const Schema& schema, std::uint32_t count)
{
    const auto& fields = schema.fields();
    const std::size_t headerLength = kHeaderSize + kDescriptorSize * fields.size() + 1;
    std::string h(headerLength, '\0');
    h[0] = static_cast<char>(kVersion3);
    todayInto(h);
    putU32(h, 4, count);
    putU16(h, 8, static_cast<std::uint16_t>(headerLength));
    putU16(h, 10, static_cast<std::uint16_t>(schema.recordLength()));
    h[29] = static_cast<char>(schema.codePageMark());
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const Field& f = fields[k];
        const std::size_t at = kHeaderSize + kDescriptorSize * k;
        std::memcpy(h.data() + at, f.name.data(), f.name.size());
        h[at + 11] = static_cast<char>(f.type);
        h[at + 16] = static_cast<char>(f.length);
        h[at + 17] = static_cast<char>(f.decimals);
    }
    h[headerLength - 1] = kHeaderEnd;
    return h;
}

struct Parsed {
    std::shared_ptr<const Schema> schema;
    int headerLength = 0;
    int count = 0;
};

// Checks everything about an image that later reads rely on.
Parsed parseImage(const std::string& img, const std::string& name)
{
    auto fail = [&](const std::string& why) { return Error(name + ": " + why); };
    if (img.size() < kHeaderSize)
        throw fail("the file is too short for a dBASE header (" + std::to_string(img.size()) + " bytes)");
    const auto version = static_cast<unsigned char>(img[0]);
    if (version != kVersion3)
        throw fail("not a dBASE III table without memo file (version byte " + hexByte(version) + ")");
    const std::uint32_t count = getU32(img, 4);
    const std::size_t headerLength = getU16(img, 8);
    const std::size_t recordLength = getU16(img, 10);
    const auto codePageMark = static_cast<std::uint8_t>(img[29]);

    if (headerLength < kHeaderSize + kDescriptorSize + 1)
        throw fail("header length " + std::to_string(headerLength) + " leaves no room for a field");
    if (headerLength > img.size())
        throw fail("header length " + std::to_string(headerLength) + " is beyond the end of the file (" +
                   std::to_string(img.size()) + " bytes)");

    std::vector<Field> fields;
    std::size_t at = kHeaderSize;
    for (;;) {
        if (at >= headerLength)
            throw fail("the field descriptors are not ended by 0x0D within the header");
        if (img[at] == kHeaderEnd)
            break;
        if (at + kDescriptorSize >= headerLength)
            throw fail("field descriptor " + std::to_string(fields.size() + 1) + " runs past the header length " +
                       std::to_string(headerLength));
        if (fields.size() == kMaxFields)
            throw fail("more than " + std::to_string(kMaxFields) + " fields");
        const char* d = img.data() + at;
        std::size_t nameLength = 0;
        while (nameLength < 11 && d[nameLength] != '\0')
            ++nameLength;
        if (nameLength == 11)
            throw fail("field descriptor " + std::to_string(fields.size() + 1) + " has a name without its ending 0 byte");
        Field f;
        f.name = upper(std::string_view(d, nameLength));
        f.type = static_cast<FieldType>(d[11]);
        f.length = static_cast<unsigned char>(d[16]);
        f.decimals = static_cast<unsigned char>(d[17]);
        fields.push_back(std::move(f));
        at += kDescriptorSize;
    }
    if (fields.empty())
        throw fail("the table has no fields");

    std::shared_ptr<const Schema> schema;
    try {
        schema = std::make_shared<const Schema>(std::move(fields), codePageMark);
    } catch (const Error& e) {
        throw fail(e.what());
    }
    if (static_cast<std::size_t>(schema->recordLength()) != recordLength)
        throw fail("the fields add up to a record length of " + std::to_string(schema->recordLength()) +
                   " bytes, the header says " + std::to_string(recordLength));

    const std::uint64_t need = headerLength + static_cast<std::uint64_t>(count) * recordLength;
    if (need > img.size())
        throw fail("the header announces " + std::to_string(count) + " records of " + std::to_string(recordLength) +
                   " bytes, which needs " + std::to_string(need) + " bytes, but the file has " +
                   std::to_string(img.size()));
    for (std::uint32_t i = 0; i < count; ++i) {
        const char flag = img[headerLength + static_cast<std::size_t>(i) * recordLength];
        if (flag != ' ' && flag != '*')
            throw fail("record " + std::to_string(i + 1) + " has the deleted flag " + describeByte(flag) +
                       " (expected a blank or '*')");
    }
    // Whatever follows the records (normally the end mark 0x1A) is ignored.

    Parsed p;
    p.schema = std::move(schema);
    p.headerLength = static_cast<int>(headerLength);
    p.count = static_cast<int>(count);
    return p;
}

} // namespace

// ---------------------------------------------------------------- Schema

Schema::Schema(std::vector<Field> fields, std::uint8_t codePageMark)
    : fields_(std::move(fields)), codePageMark_(codePageMark), codePage_(codePageOf(codePageMark))
{
    if (fields_.empty())
        throw Error("a table needs at least one field");
    if (fields_.size() > static_cast<std::size_t>(kMaxFields))
        throw Error("a table may have at most " + std::to_string(kMaxFields) + " fields");
    int offset = 1;
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        Field& f = fields_[k];
        f.name = upper(f.name);
        checkField(f);
        for (std::size_t j = 0; j < k; ++j)
            if (fields_[j].name == f.name)
                throw Error("the field name " + f.name + " occurs twice");
        f.offset = offset;
        offset += f.length;
    }
    recordLength_ = offset;
}

int Schema::find(std::string_view name) const
{
    const std::string key = upper(name);
    for (std::size_t k = 0; k < fields_.size(); ++k)
        if (fields_[k].name == key)
            return static_cast<int>(k);
    return -1;
}

const Field& Schema::field(std::string_view name) const
{
    const int k = find(name);
    if (k < 0)
        throw Error("the table has no field " + std::string(name));
    return fields_[static_cast<std::size_t>(k)];
}

// ---------------------------------------------------------------- Record

Record::Record(std::shared_ptr<const Schema> schema, std::string bytes, int index)
    : schema_(std::move(schema)), bytes_(std::move(bytes)), index_(index)
{
}

const Field& Record::typed(std::string_view name, FieldType type) const
{
    const Field& f = schema_->field(name);
    if (f.type != type)
        throw Error("field " + f.name + " is of type " + static_cast<char>(f.type) + ", not " +
                    static_cast<char>(type));
    return f;
}

std::string_view Record::raw(const Field& f) const
{
    return std::string_view(bytes_).substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.length));
}

std::string Record::where(const Field& f) const
{
    if (index_ >= 0)
        return "record " + std::to_string(index_ + 1) + ", field " + f.name;
    return "field " + f.name;
}

std::string Record::text(std::string_view field) const
{
    std::string_view v = raw(typed(field, FieldType::character));
    while (!v.empty() && isBlankByte(v.back()))
        v.remove_suffix(1);
    return decodeToUtf8(v, schema_->codePage());
}

std::string Record::paddedText(std::string_view field) const
{
    std::string v(raw(typed(field, FieldType::character)));
    for (char& c : v)
        if (c == '\0')
            c = ' ';
    return decodeToUtf8(v, schema_->codePage());
}

bool Record::isBlank(std::string_view field) const
{
    for (char c : raw(schema_->field(field)))
        if (!isBlankByte(c))
            return false;
    return true;
}

double Record::number(std::string_view field) const
{
    const Field& f = typed(field, FieldType::numeric);
    std::string_view v = raw(f);
    while (!v.empty() && isBlankByte(v.front()))
        v.remove_prefix(1);
    while (!v.empty() && isBlankByte(v.back()))
        v.remove_suffix(1);
    if (v.empty())
        return 0.0;
    auto bad = [&]() { return Error(where(f) + ": \"" + std::string(raw(f)) + "\" is not a number"); };
    std::string digits;
    std::size_t i = 0;
    if (v[0] == '-' || v[0] == '+') {
        if (v[0] == '-')
            digits += '-';
        ++i;
    }
    bool anyDigit = false, point = false;
    for (; i < v.size(); ++i) {
        const char c = v[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            throw bad();
        }
        digits += c;
    }
    if (!anyDigit)
        throw bad();
    double value = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != digits.data() + digits.size())
        throw bad();
    return value;
}

std::optional<bool> Record::logical(std::string_view field) const
{
    const Field& f = typed(field, FieldType::logical);
    const char c = raw(f)[0];
    switch (c) {
    case 'T': case 't': case 'Y': case 'y': return true;
    case 'F': case 'f': case 'N': case 'n': return false;
    case '?': case ' ': case '\0': return std::nullopt;
    default: break;
    }
    throw Error(where(f) + ": " + describeByte(c) + " is not a logical value");
}

void Record::setText(std::string_view field, std::string_view utf8)
{
    const Field& f = typed(field, FieldType::character);
    std::string encoded;
    if (!encodeFromUtf8(utf8, schema_->codePage(), encoded))
        throw Error(where(f) + ": \"" + std::string(utf8) + "\" holds a character that the table's code page cannot store");
    if (encoded.size() > static_cast<std::size_t>(f.length))
        throw Error(where(f) + ": \"" + std::string(utf8) + "\" is longer than the field's " + std::to_string(f.length) +
                    " characters");
    encoded.resize(static_cast<std::size_t>(f.length), ' ');
    bytes_.replace(static_cast<std::size_t>(f.offset), encoded.size(), encoded);
}

void Record::setNumber(std::string_view field, double value)
{
    const Field& f = typed(field, FieldType::numeric);
    if (!std::isfinite(value))
        throw Error(where(f) + ": only finite numbers can be stored");
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, f.decimals);
    if (res.ec != std::errc())
        throw Error(where(f) + ": the number cannot be formatted");
    std::string s(buf, res.ptr);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);   // no negative zero
    if (s.size() > static_cast<std::size_t>(f.length))
        throw Error(where(f) + ": " + s + " does not fit the field's width of " + std::to_string(f.length));
    s.insert(0, static_cast<std::size_t>(f.length) - s.size(), ' ');
    bytes_.replace(static_cast<std::size_t>(f.offset), s.size(), s);
}

void Record::setLogical(std::string_view field, std::optional<bool> value)
{
    const Field& f = typed(field, FieldType::logical);
    bytes_[static_cast<std::size_t>(f.offset)] = value ? (*value ? 'T' : 'F') : ' ';
}

void Record::setBlank(std::string_view field)
{
    const Field& f = schema_->field(field);
    bytes_.replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.length),
                   static_cast<std::size_t>(f.length), ' ');
}

// ---------------------------------------------------------------- Table

Table::Table(Table&& other) noexcept
{
    *this = std::move(other);
}

Table& Table::operator=(Table&& other) noexcept
{
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        mode_ = other.mode_;
        file_ = std::move(other.file_);
        writable_ = std::exchange(other.writable_, false);
        schema_ = std::move(other.schema_);
        image_ = std::move(other.image_);
        headerLength_ = std::exchange(other.headerLength_, 0);
        count_ = std::exchange(other.count_, 0);
        other.schema_.reset();
        other.image_.clear();
    }
    return *this;
}

Table::~Table()
{
    close();
}

void Table::close()
{
    file_.close();   // drops the lock
    writable_ = false;
    schema_.reset();
    image_.clear();
    image_.shrink_to_fit();
    headerLength_ = 0;
    count_ = 0;
}

const Schema& Table::schema() const
{
    if (!schema_)
        throw Error("the table is not open");
    return *schema_;
}

Date Table::lastUpdate() const
{
    if (!schema_)
        return {};
    return Date{1900 + static_cast<unsigned char>(image_[1]), static_cast<unsigned char>(image_[2]),
                static_cast<unsigned char>(image_[3])};
}

Table Table::create(const std::string& path, std::vector<Field> fields, std::uint8_t codePageMark)
{
    const Schema schema(std::move(fields), codePageMark);
    std::string image = buildHeader(schema, 0);
    image += kFileEnd;
    replaceTable(path, image, 0644, ": cannot be replaced: ");
    return open(path, OpenMode::exclusive);
}

Table Table::open(const std::string& path, OpenMode mode)
{
    Table t;
    // A FIFO or device at that path does not block the open (see File::open).
    int err = t.file_.open(path, File::Access::readWrite);
    const bool writable = err == 0;
    if (err != 0 && mode == OpenMode::shared && (err == EACCES || err == EROFS || err == EPERM))
        err = t.file_.open(path, File::Access::read);
    if (err != 0)
        throw Error(path + ": cannot be opened: " + errnoText(err));

    t.writable_ = writable;
    t.path_ = path;
    t.mode_ = mode;
    File::Status st;
    if (const int e = t.file_.status(st))
        throw Error(path + ": " + errnoText(e));
    if (!st.regular)
        throw Error(path + ": not a regular file");
    if (st.size > kMaxFileSize)
        throw Error(path + ": the file is too large for a profile table (" + std::to_string(st.size) + " bytes)");
    if (const int e = t.file_.lock(mode == OpenMode::exclusive)) {
        if (e == EAGAIN || e == EACCES)
            throw Error(path + (mode == OpenMode::exclusive ? ": the table is in use and cannot be opened exclusively"
                                                             : ": the table is opened exclusively by someone else"));
        throw Error(path + ": cannot be locked: " + errnoText(e));
    }
    std::string image = readAll(t.file_, st.size, path);
    Parsed p = parseImage(image, path);
    image.resize(static_cast<std::size_t>(p.headerLength) +
                 static_cast<std::size_t>(p.count) * static_cast<std::size_t>(p.schema->recordLength()));
    t.schema_ = std::move(p.schema);
    t.image_ = std::move(image);
    t.headerLength_ = p.headerLength;
    t.count_ = p.count;
    return t;
}

Table Table::fromBytes(std::string image)
{
    Parsed p = parseImage(image, "table");
    image.resize(static_cast<std::size_t>(p.headerLength) +
                 static_cast<std::size_t>(p.count) * static_cast<std::size_t>(p.schema->recordLength()));
    Table t;
    t.path_ = "table";
    t.schema_ = std::move(p.schema);
    t.image_ = std::move(image);
    t.headerLength_ = p.headerLength;
    t.count_ = p.count;
    return t;
}

std::uint64_t Table::recordOffset(int i) const
{
    return static_cast<std::uint64_t>(headerLength_) +
           static_cast<std::uint64_t>(i) * static_cast<std::uint64_t>(schema_->recordLength());
}

Record Table::record(int i) const
{
    if (!schema_)
        throw Error("the table is not open");
    if (i < 0 || i >= count_)
        throw Error(path_ + ": there is no record " + std::to_string(i + 1) + " (the table has " +
                    std::to_string(count_) + ")");
    return Record(schema_, image_.substr(static_cast<std::size_t>(recordOffset(i)),
                                         static_cast<std::size_t>(schema_->recordLength())),
                  i);
}

Record Table::blankRecord() const
{
    if (!schema_)
        throw Error("the table is not open");
    return Record(schema_, std::string(static_cast<std::size_t>(schema_->recordLength()), ' '), -1);
}

void Table::requireWritable(const char* what) const
{
    if (!schema_)
        throw Error("the table is not open");
    if (!writable_ || !file_.isOpen())
        throw Error(path_ + ": the table is read-only; cannot " + what);
}

void Table::writeAt(std::uint64_t offset, std::string_view bytes)
{
    writeAllAt(file_, offset, bytes, path_);
}

void Table::stampHeader(std::uint32_t count)
{
    std::string head = image_.substr(0, 8);
    todayInto(head);
    putU32(head, 4, count);
    writeAt(0, head);
    image_.replace(0, 8, head);
}

int Table::append(const Record& rec)
{
    requireWritable("append a record");
    if (rec.bytes_.size() != static_cast<std::size_t>(schema_->recordLength()))
        throw Error(path_ + ": the record does not belong to this table");
    if (count_ == INT32_MAX)
        throw Error(path_ + ": the table is full");
    // Record and end mark first, then the count: a failure in between leaves
    // a valid table without the new record.
    std::string bytes = rec.bytes_;
    bytes += kFileEnd;
    writeAt(recordOffset(count_), bytes);
    stampHeader(static_cast<std::uint32_t>(count_ + 1));
    // Memory follows only once the file counts the record.
    image_.append(rec.bytes_);
    return count_++;
}

void Table::update(int i, const Record& rec)
{
    requireWritable("change a record");
    if (i < 0 || i >= count_)
        throw Error(path_ + ": there is no record " + std::to_string(i + 1));
    if (rec.bytes_.size() != static_cast<std::size_t>(schema_->recordLength()))
        throw Error(path_ + ": the record does not belong to this table");
    writeAt(recordOffset(i), rec.bytes_);
    image_.replace(static_cast<std::size_t>(recordOffset(i)), rec.bytes_.size(), rec.bytes_);
    try {
        stampHeader(static_cast<std::uint32_t>(count_));   // only the date changes
    } catch (const Error&) {
        // The record is written; a stale date of last update is harmless.
    }
}

void Table::markDeleted(int i, bool deleted)
{
    Record r = record(i);
    r.setDeleted(deleted);
    update(i, r);
}

void Table::pack()
{
    requireWritable("pack");
    if (mode_ != OpenMode::exclusive)
        throw Error(path_ + ": packing needs the table opened exclusively");
    const std::size_t recLen = static_cast<std::size_t>(schema_->recordLength());
    std::string packed = image_.substr(0, static_cast<std::size_t>(headerLength_));
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        const std::size_t at = static_cast<std::size_t>(recordOffset(i));
        if (image_[at] != '*') {
            packed.append(image_, at, recLen);
            ++kept;
        }
    }
    todayInto(packed);
    putU32(packed, 4, static_cast<std::uint32_t>(kept));
    packed += kFileEnd;

    File::Status st;
    const unsigned perms = file_.status(st) == 0 ? st.mode : 0644;
    // The new file is locked before it takes the table's name.
    File packedFile;
    replaceTable(path_, packed, perms, ": cannot be replaced by the packed table: ", &packedFile);
    file_ = std::move(packedFile);
    packed.pop_back();
    image_ = std::move(packed);
    count_ = kept;
}

} // namespace qeln::dbf
