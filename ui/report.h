// The printed report: its content as a plain value, built from the last run,
// and a renderer that lays it out on A4 pages of any paged device (a printer
// or a PDF file). The same content and renderer serve the Print command, the
// PDF export of the desktop program and the batch command line.
//
// Page layout (millimetres, inside 10 mm margins on A4 portrait):
//   page header, framed, on every page   29.6  office, product name, version
//                                              line, page number, title, print
//                                              date and time, the method and
//                                              the code editions, the revision
//   detail band, first page only         76.2  the section drawing, 68.8 high,
//                                              width from the picture's ratio;
//                                              right of it the design check box
//   approval band, first page only       12.0  the grid Designed / Checked /
//                                              Revision: names and dates
//   listing band, growing over pages     21.2+ the print listing (rows outside
//                                              the method's field printed grey)
//   diagrams page, after the listing           its heading and the four charts,
//                                              two beside each other in two rows
//                                              (only when the report has them)
//   disclaimer band, growing             16.9+ the disclaimer lines
//   page footer, on every page           15.3  the report logo
#pragma once

#include <functional>

#include "present/checktext.h"
#include "present/languages.h"
#include "present/picture.h"
#include "calc/records.h"
#include "shell/diagrampictures.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

class QDateTime;
class QPagedPaintDevice;
class QPainter;

class QPdfWriter;

namespace qeln {
struct RunState;
}

namespace qeln::ui {

// The two listings the report can print (the items of the print-method dialog).
enum class ReportMethod { Complete, Condensed };

struct ReportContent {
    ReportMethod method = ReportMethod::Condensed;
    // page header
    std::string office;         // the project's office, first line
    std::string productName;    // text 2
    std::string versionLine;    // text 1761: the program's version and build
    std::string title;          // text 3
    std::string standardLine;   // text 1864: the method and the code editions
    std::string spareLine;      // text 6
    std::string revisionMark;   // text 1863 "Rev. B", right on every page; empty without a revision
    std::string pageWord;       // before the page number ("Page", "Seite")
    // as a part of a longer document: the page numbers run on from
    // firstPage and count pagesInAll (0: the report's own pages)
    int firstPage = 1;
    int pagesInAll = 0;
    std::string printedAt;      // date and time of printing
    std::string logo;           // resource of the footer logo, its subtitle in the report's language
    // bands
    Picture picture;                       // the section drawing
    std::vector<std::string> listing;      // the print listing
    std::vector<bool> listingGrey;         // per line of the listing: printed grey (a row outside the field)
    std::vector<std::string> disclaimer;   // texts 85 to 87, then 88 and 89 unless blank
    // the approval grid on page 1: Designed (the user and the date of the
    // last change), Checked (the checker and the check date), Revision
    struct ApprovalColumn {
        std::string heading, name, date;
    };
    std::array<ApprovalColumn, 3> approval;
    // the summary box of the design check beside the drawing (none when empty)
    std::string checkTitle;                // text 1217
    std::vector<CheckLine> checkSummary;
    // the page of the charts after the listing: its heading (text 1315) and
    // the charts in reading order, two to a row; no page when there is none
    std::string diagramsTitle;
    std::vector<Picture> diagrams;
};

// The report of the last run in the language; printedAt is
// the date and time put into the header. The run's charts, when given and
// valid, get a page of their own after the listing.
ReportContent buildReport(const RunState& run, const ColumnInput& in, Language language, ReportMethod method,
                          const QDateTime& printedAt, const DiagramPictures* diagrams = nullptr);

// The date and time of printing as the header shows it: the short date and
// the time with seconds, in the locale of the report's language.
std::string reportDateTime(const QDateTime& dt, Language language);

// The charts of the report's page of diagrams, of the compact size.
DiagramPictures reportDiagrams(const ColumnInput& in, Language language, const std::string& decimalSeparator);

// Lays the report out on the device (its page layout is set to A4 portrait
// with 10 mm margins) and paints every page. Returns the number of pages,
// 0 when the device could not be painted on (a file that cannot be written,
// a printer that refuses the job).
int renderReport(const ReportContent& report, QPagedPaintDevice& device);

// The same on a painter already active on the device, as one part of a
// longer document: the device's page layout becomes A4 portrait again and,
// with `newPageFirst`, the report starts on a new page. Returns the number
// of pages, 0 when a page could not be added (the painter is then ended).
int renderReportOn(const ReportContent& report, QPagedPaintDevice& device, QPainter& painter, bool newPageFirst);

// The number of pages the report takes (laid out on the device, not painted).
int reportPageCount(const ReportContent& report, QPagedPaintDevice& device);

// The monospaced family of the report ("Courier New" or the closest one installed).
QString reportFontFamily();

// Writes the report as a vector PDF file (A4, 1200 dpi). Returns the number
// of pages, 0 when the file could not be written.
// Opens `path`, has `paint` draw on a PDF writer on it and closes it: the
// pages `paint` gives, 0 when a write to the file failed (a full disk, a
// file size limit) or the file could not be opened.
int writePdfFile(const QString& path, const std::function<int(QPdfWriter&)>& paint);
int writeReportPdf(const ReportContent& report, const QString& path);

// Breaks one listing line into lines no wider than `columns` characters of
// a monospaced font: at blanks where possible, inside words otherwise;
// continuation lines keep the line's indentation. Tabs expand to stops of 8.
std::vector<std::string> wrapListingLine(const std::string& line, int columns);

} // namespace qeln::ui
