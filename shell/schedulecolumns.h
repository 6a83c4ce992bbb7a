// The result columns of the column schedule: one table of every column a
// row's results are written in (its identity, headings, value and format),
// read by the results CSV, the XLSX workbook, the window, the PDF report and
// qeln-cli's table. Each of them writes a selection of it, in its order;
// a new result column is one entry here and its place in the selections.
// No Qt here.
#pragma once

#include "schedule.h"

#include "present/languages.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qeln {

enum class ResultColumn {
    position,                  // the row's name
    searched,                  // whether the row was searched, and found a section
    profile, d, n1, n2,        // the section as run
    rebars,                    // "4+0 x 20": the rebars as run
    nRd, utilisation, nFiRd, fireUtilisation, achievedClass,
    passes,                    // the row's verdict in a word
    verdict,                   // the verdict with the reason of a failing row
    errors, warnings,
    steelPerMetre, rebarPerMetre, concretePerMetre,
    positionPasses, positionUtilisation, positionFireUtilisation,
    sectionGroup,
    section,                   // "HE 300 B 4+0 x 20", starred when the search chose it
};

// Who writes the cells: the words and the cells left empty differ.
enum class ResultReader {
    file,      // the results CSV: English words, exact numbers
    sheet,     // the XLSX workbook: words in the language, numbers as numbers
    shown,     // the window and the PDF report: texts in the language, numbers rounded
    listing,   // qeln-cli's table: English words, numbers rounded
};

enum class ResultFormat {
    text,
    freeText,   // the user's text (a name): neutralised for spreadsheets, cut to the listing's width
    count,      // a whole number
    number,
};

// A row's cell of a column before it is written: a text, or a number (none: an empty cell).
struct ResultCell {
    bool isText = false;
    std::string text;
    std::optional<double> number;
};

struct ScheduleResultColumn {
    ResultColumn id;
    ResultFormat format;
    std::string_view fileName;      // the results CSV's header: a stable English name
    int heading;                    // the heading in the window and the report (a catalogue text; 0: not there)
    int sheetHeading;               // the workbook's heading: a catalogue text, else sheetName
    std::string_view sheetName;
    int decimals;                   // a number as the window, the report and the listing round it
    int sheetDecimals;              // the workbook's number format: 1 "0.0", 3 "0.000", else none
    std::string_view listingHeading, listingUnit;   // the listing's two heading lines
    int listingWidth;               // the listing's width: negative for a left-aligned column
    int listingGap;                 // blanks before the column in the listing
    ResultCell (*value)(const ScheduleRowResult& r, ResultReader reader, Language language);
};

// Every column, in the order of ResultColumn.
std::span<const ScheduleResultColumn> scheduleResultColumns();
const ScheduleResultColumn& scheduleResultColumn(ResultColumn id);

// The columns each reader writes, in their order (the window and the report
// write the row's name with the input columns, before these; the window puts
// the verdict and the section first: see schedulewindow.cpp).
std::span<const ResultColumn> resultColumnsOf(ResultReader reader);

// A row's cell as a text: numbers rounded to the column's decimals with the
// separator sep (shown) or exact (file); an empty cell is "" in the file,
// a dash when shown and "-" in the listing.
std::string resultCellText(const ScheduleResultColumn& c, const ScheduleRowResult& r, ResultReader reader,
                           Language language, const std::string& sep = ".");

// A schedule text with its placeholder %n replaced (texts 1486, 1751 and the
// summary line); the text as it is when it has no %n.
std::string replaceArg(std::string s, int n, const std::string& by);

// Why a row fails, in the language: its input (the field), its search, its run.
std::string scheduleRowProblem(const ScheduleRowResult& r, Language language);
// "HE 300 B 4+0 x 20": the row's section and rebars as run.
std::string scheduleSectionText(const ScheduleRowResult& r);

} // namespace qeln
