// Build step: writes the profile table PROFKVL2.DBF from data/profiles.csv
// (columns name,h,b,tw,tf,r,family; mm) with the project's own table module.
//
//   qeln-make-profile-table profiles.csv PROFKVL2.DBF
//
// DID goes 10, 20, 30 ... in the file's order, so that rows can be inserted
// between. MOVRIX is set for the H-type families (HE, HL, HD, HP, W) whose
// web or flange is thicker than 16 mm; IPE never.
#include "catalogue/profiles.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
    qeln::SteelProfile profile;
    std::string family;
    int line = 0;
};

[[noreturn]] void fail(const std::string& where, const std::string& why)
{
    throw std::runtime_error(where + ": " + why);
}

double parseMm(const std::string& s, const std::string& where, int& maxDecimals)
{
    const auto point = s.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(s.size() - point - 1);
    if (decimals > 2)
        fail(where, "\"" + s + "\" has more than two decimals");
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || !(v > 0))
        fail(where, "\"" + s + "\" is not a positive dimension in mm");
    maxDecimals = std::max(maxDecimals, decimals);
    return v;
}

bool movrixFamily(const std::string& family, const std::string& where)
{
    static const std::set<std::string> hTypes{"HE A", "HE B", "HE M", "HE AA", "HL", "HD", "HP", "W"};
    if (family == "IPE")
        return false;
    if (hTypes.count(family))
        return true;
    fail(where, "unknown profile family \"" + family + "\"");
}

std::vector<Row> readCsv(const std::string& path, int& decimals)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(path, "cannot be opened");
    std::string line;
    if (!std::getline(in, line) || line != "name,h,b,tw,tf,r,family")
        fail(path, "the first line must be name,h,b,tw,tf,r,family");
    std::vector<Row> rows;
    std::set<std::string> names;
    int lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo);
        if (!line.empty() && line.back() == '\r')
            fail(where, "line ends must be LF only");
        std::vector<std::string> cells;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ','))
            cells.push_back(cell);
        if (cells.size() != 7)
            fail(where, "expected 7 columns, found " + std::to_string(cells.size()));
        Row r;
        r.line = lineNo;
        r.profile.profileName = cells[0];
        if (cells[0].empty() || cells[0].size() > 20)
            fail(where, "a profile name must have 1 to 20 characters");
        if (cells[0].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .x") != std::string::npos)
            fail(where, "\"" + cells[0] + "\" holds a character other than capitals, digits, blanks, '.' and 'x'");
        if (!names.insert(cells[0]).second)
            fail(where, "\"" + cells[0] + "\" occurs twice");
        r.profile.h = parseMm(cells[1], where, decimals);
        r.profile.b = parseMm(cells[2], where, decimals);
        r.profile.tw = parseMm(cells[3], where, decimals);
        r.profile.tf = parseMm(cells[4], where, decimals);
        r.profile.r = parseMm(cells[5], where, decimals);
        r.family = cells[6];
        r.profile.movrix = movrixFamily(r.family, where) && (r.profile.tw > 16 || r.profile.tf > 16);
        r.profile.did = 10.0 * static_cast<double>(rows.size() + 1);
        rows.push_back(std::move(r));
    }
    if (rows.empty())
        fail(path, "holds no profiles");
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: qeln-make-profile-table profiles.csv PROFKVL2.DBF\n";
        return 2;
    }
    const std::string csv = argv[1];
    const std::string out = argv[2];
    const std::string part = out + ".part";
    try {
        int decimals = 1;
        const std::vector<Row> rows = readCsv(csv, decimals);
        {
            auto table = qeln::dbf::Table::create(part, qeln::ProfileCatalogue::tableFields(decimals));
            for (const Row& r : rows) {
                qeln::dbf::Record rec = table.blankRecord();
                qeln::ProfileCatalogue::fillRecord(rec, r.profile);
                table.append(rec);
            }
        }
        // Read it back through the catalogue before it takes its name.
        auto check = qeln::ProfileCatalogue::fromTable(qeln::dbf::Table::open(part, qeln::dbf::OpenMode::shared));
        if (check.recordCount() != static_cast<int>(rows.size()))
            throw std::runtime_error(part + ": row count differs after writing");
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!(check.row(static_cast<int>(i)) == rows[i].profile))
                throw std::runtime_error(csv + ":" + std::to_string(rows[i].line) + ": reads back differently");
        if (std::rename(part.c_str(), out.c_str()) != 0)
            throw std::runtime_error(out + ": cannot be written");
    } catch (const std::exception& e) {
        std::remove(part.c_str());
        std::cerr << "qeln-make-profile-table: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
