#include "profiles.h"

#include "codepage.h"
#include "platform/fileio.h"
#include "ntx.h"

#include <algorithm>
#include <numeric>

namespace qeln {

namespace {

struct RequiredField {
    const char* name;
    dbf::FieldType type;
};

constexpr RequiredField kRequired[] = {
    {"PROFIL", dbf::FieldType::character}, {"H", dbf::FieldType::numeric}, {"B", dbf::FieldType::numeric},
    {"S", dbf::FieldType::numeric},        {"T", dbf::FieldType::numeric}, {"R", dbf::FieldType::numeric},
    {"MOVRIX", dbf::FieldType::logical},   {"DID", dbf::FieldType::numeric},
};

void checkFields(const dbf::Table& table)
{
    for (const auto& req : kRequired) {
        const int k = table.schema().find(req.name);
        if (k < 0)
            throw dbf::Error(table.path() + ": the profile table has no field " + req.name);
        const auto& f = table.schema().fields()[static_cast<std::size_t>(k)];
        if (f.type != req.type)
            throw dbf::Error(table.path() + ": field " + req.name + " must be of type " +
                             static_cast<char>(req.type) + ", not " + static_cast<char>(f.type));
    }
}

SteelProfile readRow(const dbf::Record& rec)
{
    SteelProfile p;
    p.profileName = rec.text("PROFIL");
    p.h = rec.number("H");
    p.b = rec.number("B");
    p.tw = rec.number("S");
    p.tf = rec.number("T");
    p.r = rec.number("R");
    p.movrix = rec.logical("MOVRIX").value_or(false);
    p.did = rec.number("DID");
    return p;
}

// Upper case of ASCII and Latin-1 letters in UTF-8 text.
std::string upperCase(std::string_view s)
{
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0xA0 && d <= 0xBE && d != 0xB7)   // U+00E0..U+00FE without U+00F7
                out[i + 1] = static_cast<char>(d - 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

std::vector<dbf::Field> ProfileCatalogue::tableFields(int dimensionDecimals)
{
    using dbf::FieldType;
    const int dec = dimensionDecimals;
    const int width = 6 + dec;   // up to 9999 mm with room for a sign
    return {
        {"PROFIL", FieldType::character, 30, 0, 0}, {"H", FieldType::numeric, width, dec, 0},
        {"B", FieldType::numeric, width, dec, 0},   {"S", FieldType::numeric, width, dec, 0},
        {"T", FieldType::numeric, width, dec, 0},   {"R", FieldType::numeric, width, dec, 0},
        {"MOVRIX", FieldType::logical, 1, 0, 0},    {"DID", FieldType::numeric, 10, 0, 0},
    };
}

void ProfileCatalogue::fillRecord(dbf::Record& rec, const SteelProfile& p)
{
    rec.setText("PROFIL", p.profileName);
    rec.setNumber("H", p.h);
    rec.setNumber("B", p.b);
    rec.setNumber("S", p.tw);
    rec.setNumber("T", p.tf);
    rec.setNumber("R", p.r);
    rec.setLogical("MOVRIX", p.movrix);
    rec.setNumber("DID", p.did);
}

ProfileCatalogue ProfileCatalogue::open(const std::string& tablePath, const std::string& indexPath)
{
    ProfileCatalogue cat;
    cat.tablePath_ = tablePath;
    cat.table_ = dbf::Table::open(tablePath, dbf::OpenMode::shared);
    cat.load();
    cat.sortByDid();
    cat.first();
    if (!indexPath.empty()) {
        const dbf::Field& did = cat.table_.schema().field("DID");
        std::vector<ntx::Item> items;
        items.reserve(cat.rows_.size());
        for (std::size_t i = 0; i < cat.rows_.size(); ++i)
            items.push_back({ntx::numericKey(cat.rows_[i].did, did.length, did.decimals),
                             static_cast<std::uint32_t>(i + 1)});
        std::stable_sort(items.begin(), items.end(),
                         [](const ntx::Item& a, const ntx::Item& b) { return a.key < b.key; });
        ntx::writeIndex(indexPath, "DID", did.length, did.decimals, items);
    }
    return cat;
}

ProfileCatalogue ProfileCatalogue::fromTable(dbf::Table table)
{
    ProfileCatalogue cat;
    cat.tablePath_ = table.path();
    cat.table_ = std::move(table);
    cat.load();
    cat.sortByDid();
    cat.first();
    return cat;
}

void ProfileCatalogue::load()
{
    checkFields(table_);
    std::vector<SteelProfile> rows;
    std::vector<std::string> padded;
    std::vector<bool> deleted;
    const int n = table_.recordCount();
    rows.reserve(static_cast<std::size_t>(n));
    padded.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const dbf::Record rec = table_.record(i);
        rows.push_back(readRow(rec));
        padded.push_back(rec.paddedText("PROFIL"));
        deleted.push_back(rec.deleted());
    }
    rows_ = std::move(rows);
    paddedNames_ = std::move(padded);
    deleted_ = std::move(deleted);
}

void ProfileCatalogue::sortByDid()
{
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
        return rows_[static_cast<std::size_t>(a)].did < rows_[static_cast<std::size_t>(b)].did;
    });
    naturalOrder_ = false;
}

bool ProfileCatalogue::visible(int record) const
{
    const auto i = static_cast<std::size_t>(record);
    if (deleted_[i])
        return false;
    if (!filter_)
        return true;
    const std::string& name = paddedNames_[i];
    return name.size() >= filter_->size() && name.compare(0, filter_->size(), *filter_) == 0;
}

std::vector<int> ProfileCatalogue::visibleRecords() const
{
    std::vector<int> out;
    for (int rec : order_)
        if (visible(rec))
            out.push_back(rec);
    return out;
}

void ProfileCatalogue::setFilter(std::string_view prefix)
{
    if (prefix == "*") {
        filterloeschen();
        return;
    }
    filter_ = std::string(prefix);
    first();
}

void ProfileCatalogue::filterloeschen()
{
    filter_.reset();
    if (pos_ == npos || !visible(order_[pos_]))
        first();
    else
        eof_ = false;
}

std::string ProfileCatalogue::applyFamilyText(std::string_view boxText)
{
    const std::string text = upperCase(boxText);
    if (text == "*") {
        filterloeschen();
        return text;
    }
    setFilter(text);
    if (utf8Length(text) > 2) {
        first();
        while (!eof() && rows_[static_cast<std::size_t>(order_[pos_])].profileName != text)
            next();
    }
    return text;
}

void ProfileCatalogue::first()
{
    for (std::size_t k = 0; k < order_.size(); ++k) {
        if (visible(order_[k])) {
            pos_ = k;
            eof_ = false;
            return;
        }
    }
    pos_ = npos;
    eof_ = true;
}

void ProfileCatalogue::next()
{
    if (pos_ == npos) {
        eof_ = true;
        return;
    }
    for (std::size_t k = pos_ + 1; k < order_.size(); ++k) {
        if (visible(order_[k])) {
            pos_ = k;
            eof_ = false;
            return;
        }
    }
    eof_ = true;   // stays on the last visible row
}

std::optional<int> ProfileCatalogue::currentRecord() const
{
    if (pos_ == npos)
        return std::nullopt;
    return order_[pos_];
}

std::optional<SteelProfile> ProfileCatalogue::current() const
{
    if (pos_ == npos)
        return std::nullopt;
    return rows_[static_cast<std::size_t>(order_[pos_])];
}

bool ProfileCatalogue::goTo(int record)
{
    if (record < 0 || record >= recordCount() || !visible(record))
        return false;
    const auto it = std::find(order_.begin(), order_.end(), record);
    pos_ = static_cast<std::size_t>(it - order_.begin());
    eof_ = false;
    return true;
}

bool ProfileCatalogue::Profilsuchen(const std::string& name, const TextSource& text, MessageSink* sink)
{
    filterloeschen();
    for (first(); !eof(); next())
        if (rows_[static_cast<std::size_t>(order_[pos_])].profileName == name)
            return true;
    if (sink)
        sink->message(text(1148) + " " + name + " " + text(1149));
    return false;
}

void ProfileCatalogue::place(int record)
{
    // Take the record out of the order and put it back where it belongs.
    order_.erase(std::remove(order_.begin(), order_.end(), record), order_.end());
    auto at = order_.end();
    if (!naturalOrder_) {
        const SteelProfile& p = rows_[static_cast<std::size_t>(record)];
        at = std::find_if(order_.begin(), order_.end(), [&](int other) {
            const SteelProfile& q = rows_[static_cast<std::size_t>(other)];
            return q.did > p.did || (q.did == p.did && other > record);
        });
    } else {
        at = std::find_if(order_.begin(), order_.end(), [&](int other) { return other > record; });
    }
    const auto inserted = order_.insert(at, record);   // may reallocate: take begin() afterwards
    pos_ = static_cast<std::size_t>(inserted - order_.begin());
    eof_ = false;
}

int ProfileCatalogue::appendRow(const SteelProfile& p)
{
    dbf::Record rec = table_.blankRecord();
    fillRecord(rec, p);
    const int record = table_.append(rec);
    const dbf::Record stored = table_.record(record);
    rows_.push_back(readRow(stored));
    paddedNames_.push_back(stored.paddedText("PROFIL"));
    deleted_.push_back(false);
    place(record);
    if (!visible(record))
        first();
    return record;
}

void ProfileCatalogue::updateRow(int record, const SteelProfile& p)
{
    dbf::Record rec = table_.record(record);
    fillRecord(rec, p);
    table_.update(record, rec);
    const dbf::Record stored = table_.record(record);
    rows_[static_cast<std::size_t>(record)] = readRow(stored);
    paddedNames_[static_cast<std::size_t>(record)] = stored.paddedText("PROFIL");
    place(record);
    if (!visible(record))
        first();
}

std::optional<Failure> ProfileCatalogue::deleteCurrent()
{
    // 516 "Error during Writing of File", naming the table
    const auto failed = [this](std::string reason) {
        return Failure(FailureCode::writeFailed, 516, tablePath_, std::move(reason));
    };
    const auto rec = currentRecord();
    if (!rec)
        return failed("there is no current row to delete");
    try {
        table_.markDeleted(*rec);
    } catch (const dbf::Error& e) {
        return failed(e.what());
    }
    deleted_[static_cast<std::size_t>(*rec)] = true;
    std::iota(order_.begin(), order_.end(), 0);
    naturalOrder_ = true;

    std::optional<Failure> failure;
    table_.close();
    try {
        dbf::Table exclusive = dbf::Table::open(tablePath_, dbf::OpenMode::exclusive);
        exclusive.pack();
    } catch (const std::exception& e) {
        failure = failed(e.what());
    }
    // Whatever happened, the table must be open again.
    table_ = dbf::Table::open(tablePath_, dbf::OpenMode::shared);
    load();
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);
    naturalOrder_ = true;
    first();
    return failure;
}

} // namespace qeln
