// The profile catalogue: the table "PROFKVL2.DBF" of rolled steel profiles,
// its display order by DID, the family / name filter, navigation, the lookup
// of a profile by name (`Profilsuchen`) and the editing operations of the
// browser's hidden panel.
//
// Table fields: PROFIL C (designation), H, B, S, T, R N (mm), MOVRIX L,
// DID N (display order). The widths and decimals are the file's.
//
// Rows are addressed by their record number (0-based, as stored). Records
// marked deleted are never visible. The desktop program keeps one catalogue
// open for its whole run; every operation here is synchronous.
//
// Typical use by the browser dialog `frmprofil`:
//
//     auto cat = ProfileCatalogue::open("PROFKVL2.DBF", "profkvl2.ntx");
//     cat.Profilsuchen(in.profileName, language, &sink);  // table stands on it
//     std::string box = cat.applyFamilyText(cmbfam.text());    // cmbfamChange
//     for (int rec : cat.visibleRecords()) list.add(cat.row(rec).profileName);
//     cat.goTo(clickedRecord);                                 // DBLookupList1Click
//     if (auto p = cat.current()) { ... p->h ... }
#pragma once

#include "present/messages.h"
#include "calc/records.h"
#include "present/texts.h"
#include "dbf.h"
#include "platform/failure.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

inline constexpr const char* kProfileTableFile = "PROFKVL2.DBF";
inline constexpr const char* kProfileIndexFile = "profkvl2.ntx";

// One row of the catalogue.
struct SteelProfile {
    std::string profileName;   // PROFIL without its trailing blanks (the project keeps the first 20 characters)
    double h = 0;              // H, profile height, mm
    double b = 0;              // B, profile width, mm
    double tw = 0;             // S, web thickness, mm
    double tf = 0;             // T, flange thickness, mm
    double r = 0;              // R, root radius, mm
    bool movrix = false;       // MOVRIX, available in the high-strength grade (unset reads false)
    double did = 0;            // DID, display order key

    bool operator==(const SteelProfile&) const = default;
};

// The section a project takes from a catalogue row.
inline Section sectionOf(const SteelProfile& p)
{
    return {p.h, p.b, p.tw, p.tf, p.r, p.movrix};
}

// Catalogue text by number in the current language (the desktop program
// passes LoadText with its current language).
using TextSource = std::function<std::string(int id)>;

class ProfileCatalogue {
public:
    // Opens the table shared, checks its fields, reads every row (a damaged
    // row fails here, not later), builds the display order by DID (equal
    // keys in record order) and writes it as the Clipper NTX index
    // `indexPath` on the key DID. An empty indexPath writes no index file.
    // Throws dbf::Error or platform::IoError; the desktop program then shows
    // "Could not open the profile database. Program will be closed".
    static ProfileCatalogue open(const std::string& tablePath, const std::string& indexPath);
    // A catalogue over a table already open (a read-only one from
    // dbf::Table::fromBytes, say); writes no index. Throws dbf::Error.
    static ProfileCatalogue fromTable(dbf::Table table);

    // The fields of a new catalogue table, with the given decimals of H, B,
    // S, T, R. Used by the build step that writes PROFKVL2.DBF.
    static std::vector<dbf::Field> tableFields(int dimensionDecimals);
    // Puts a profile's values into a record of a catalogue table.
    static void fillRecord(dbf::Record& rec, const SteelProfile& p);

    ProfileCatalogue(ProfileCatalogue&&) noexcept = default;
    ProfileCatalogue& operator=(ProfileCatalogue&&) noexcept = default;

    // ---- rows
    // Number of records in the table, deleted ones included.
    int recordCount() const { return static_cast<int>(rows_.size()); }
    // The row of a record (0-based). Throws std::out_of_range.
    const SteelProfile& row(int record) const { return rows_.at(static_cast<std::size_t>(record)); }
    bool isDeleted(int record) const { return deleted_.at(static_cast<std::size_t>(record)); }
    // Every record in the current order (display order by DID, or stored
    // order after a deletion), deleted and filtered ones included.
    const std::vector<int>& order() const { return order_; }
    // True after a deletion: rows are in stored order until the next open.
    bool naturalOrder() const { return naturalOrder_; }
    // The records that navigation and the name list show, in order.
    std::vector<int> visibleRecords() const;

    // ---- filter (a state of the open table; it outlives the dialog)
    // Sets the condition PROFIL = "prefix" with Clipper's non-exact string
    // comparison: a row passes when its PROFIL (blank-padded to the field
    // width) begins with prefix. Case-sensitive. "*" clears the filter. Then
    // goes to the first visible row.
    void setFilter(std::string_view prefix);
    // `filterloeschen`: clears the filter; the current row stays current.
    void filterloeschen();
    // The filter text, or nullopt when every row is visible.
    const std::optional<std::string>& filter() const { return filter_; }
    // `cmbfamChange` without the window: upper-cases the box text (returned,
    // for writing back into the box); "*" clears the filter; anything else
    // becomes the filter, and a text of more than 2 characters then moves to
    // the first visible row whose PROFIL equals it exactly, or else to the
    // last visible row.
    std::string applyFamilyText(std::string_view boxText);

    // ---- navigation over the visible rows
    void first();
    void next();
    // True after next() ran past the last visible row, or when first()
    // found none. The current row then stays the last one visited.
    bool eof() const { return eof_; }
    // Current record, or nullopt when the last first() found no visible row.
    std::optional<int> currentRecord() const;
    std::optional<SteelProfile> current() const;
    // Makes a visible record current (a click in the name list). Returns
    // false, changing nothing, when the record is not visible.
    bool goTo(int record);

    // `Profilsuchen`: clears the filter, then walks the rows in order from
    // the first and stops at the first whose PROFIL (without trailing
    // blanks) equals name exactly, case-sensitive. When there is none, sends
    // text 1148 + " " + name + " " + text 1149 to the sink and returns
    // false; the current row is then the last row.
    bool Profilsuchen(const std::string& name, const TextSource& text, MessageSink* sink);
    bool Profilsuchen(const std::string& name, Language language, MessageSink* sink)
    {
        return Profilsuchen(name, [&](int id) { return LoadText(id, language, sink); }, sink);
    }

    // ---- editing (the browser's hidden panel). All throw dbf::Error when
    // the table cannot be written or a value does not fit its field; the
    // rows then stay as they were.
    // Appends a row; it takes its place in the current order and becomes
    // current. Returns its record number.
    int appendRow(const SteelProfile& p);
    // Replaces the values of a record (moving it in the display order when
    // its DID changed); it becomes current.
    void updateRow(int record, const SteelProfile& p);
    // `btndeleteClick`: marks the current row deleted, switches to stored
    // order, reopens the table exclusively, packs it and reopens it shared;
    // the first visible row is then current. The failure (writeFailed, text
    // 516, the table and the reason) when there is no current row, the table
    // cannot be written, or packing failed (the row then stays marked deleted
    // and hidden). Throws dbf::Error only if the table cannot be opened again at all.
    [[nodiscard]] std::optional<Failure> deleteCurrent();

    const dbf::Table& table() const { return table_; }

private:
    ProfileCatalogue() = default;
    void load();
    void sortByDid();
    bool visible(int record) const;
    void place(int record);

    dbf::Table table_;
    std::string tablePath_;
    std::vector<SteelProfile> rows_;
    std::vector<std::string> paddedNames_;   // PROFIL with its blanks, for the filter
    std::vector<bool> deleted_;
    std::vector<int> order_;
    bool naturalOrder_ = false;
    std::optional<std::string> filter_;
    std::size_t pos_ = npos;                 // index into order_
    bool eof_ = true;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
};

} // namespace qeln
