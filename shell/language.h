// Language switching without the windows: which text of the catalogue goes
// to which control of which window, and the help pages of each language.
#pragma once

#include "present/languages.h"

#include <string>
#include <vector>

namespace qeln {

// What a text becomes on its control.
enum class CaptionKind {
    Caption,        // button, label, check box, group box, menu item text; window title when control is empty
    Hint,           // tool tip of a tool-bar button
    RangeMessage,   // the range message of a numeric field (text 186)
};

struct CaptionAssignment {
    const char* window;    // object name of the window ("frmmain", "frmarmat", ...)
    const char* control;   // object name of the control; "" for the window's own caption
    int text;              // catalogue number (English)
    CaptionKind kind = CaptionKind::Caption;
};

// Every caption, hint and range message assigned by SetLanguage, in the
// order in which they are assigned. The information window's disclaimer
// lines and the items of the print-method choice are lists, not captions;
// see kDisclaimerLines and kPrintMethodItems.
const std::vector<CaptionAssignment>& captionTable();

inline constexpr int kDisclaimerLines[] = {85, 86, 87, 88, 89};

// The approval of the calculation: the labels of the project dialog and the
// listing ("Checked by:", "Check date:", "Revision:"), the hint of the date
// field, the message on a date that is none, and the report's grid headings
// and the mark of the revision on every page ("Rev. %1").
inline constexpr int kCheckerLabel = 1866, kCheckDateLabel = 1867, kRevisionLabel = 1868;
inline constexpr int kCheckDateHint = 1869, kCheckDateMessage = 1870;
inline constexpr int kDesignedHeading = 1860, kCheckedHeading = 1861, kRevisionHeading = 1862, kRevisionMark = 1863;
inline constexpr int kPrintMethodItems[] = {52, 53};

// What follows a label in the language: ": " in English and German, a
// no-break space, the colon and a blank in French (" : "). For texts the
// program puts together; the catalogue's texts have it already.
std::string labelColon(Language language);

// The help file named by the language: "qeln-eng.hlp", "qeln-fra.hlp",
// "qeln-deu.hlp".
std::string helpFileFor(Language language);
// The language folder of the help pages: the language's code, "en", "fr" or "de".
std::string helpLanguageCode(Language language);
// The help page of a context number ("main.html" for 100, ...); the contents page for 0.
std::string helpPageFor(int helpContext);

// Help context numbers of the windows.
inline constexpr int kHelpMain = 100;
inline constexpr int kHelpProject = 300;
inline constexpr int kHelpSection = 400;
inline constexpr int kHelpRebars = 500;
inline constexpr int kHelpMaterials = 600;
inline constexpr int kHelpSafety = 650;
inline constexpr int kHelpBuckling = 700;
inline constexpr int kHelpEccentricities = 800;
inline constexpr int kHelpResults = 900;
inline constexpr int kHelpDetails = 1000;
inline constexpr int kHelpGraphic = 1100;
inline constexpr int kHelpLoads = 1200;
inline constexpr int kHelpSearch = 1260;
inline constexpr int kHelpSchedule = 1360;
inline constexpr int kHelpDiagrams = 1315;

} // namespace qeln
