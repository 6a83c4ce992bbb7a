// The settings file "qeln.INI": sections and keys in the classic form
//
//     [language]
//     numberlanguage=10000
//     [user]
//     enterprise=...
//     user=...
//     [recent]
//     file1=...
//     [windows]
//     frmschedule=40,60,1000,640          (x, y, width, height; ",max" when maximised)
//     [disclaimer]
//     accepted=Version 3.05, January 2003
//     [design]
//     code=EN1994                         (the design code of new projects: EN1994 or ENV1994)
//
// The desktop program keeps it in the user's configuration folder; this code
// takes the full path. Section and key names are compared without regard to
// case, blanks around names and values are ignored, and a value in double
// quotes loses them. Other sections, keys and comments of the file are kept
// when it is written.
#pragma once

#include "calc/records.h"
#include "present/languages.h"
#include "platform/failure.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

inline constexpr const char* kSettingsFileName = "qeln.INI";

// Where a window was last: its place and size on the screen (the window's
// client area, in the desktop's pixels) and whether it was maximised.
struct WindowPlace {
    int x = 0, y = 0, width = 0, height = 0;
    bool maximised = false;
    bool operator==(const WindowPlace&) const = default;
};
// "40,60,1000,640" or "40,60,1000,640,max"; nothing for any other text or a
// size below 1 or above 100000 pixels.
std::optional<WindowPlace> parseWindowPlace(std::string_view text);
std::string windowPlaceText(const WindowPlace& p);

struct Settings {
    Language language = Language::English;   // [language] numberlanguage: its languageNumber (any other value reads as English)
    std::string enterprise;   // [user] enterprise
    std::string user;         // [user] user
    // [recent] file1 ... file8: the recently opened projects, most recent first
    std::vector<std::string> recentFiles = {};
    // [windows] one key per window (its object name): where it was last
    std::map<std::string, WindowPlace> windows = {};
    // [disclaimer] accepted: the version line the user accepted the disclaimer for
    std::string disclaimerAccepted = {};
    // [search] the limits of Find section as its fields give them (families, maxh, maxb, diameters, layouts)
    std::map<std::string, std::string> search = {};
    // [design] code: the design code File > New gives a project; any value
    // other than EN1994 or ENV1994 reads as EN1994
    DesignCode newProjectCode = DesignCode::EN1994;

    bool operator==(const Settings&) const = default;
};

class SettingsFile {
public:
    // Prepares access; nothing is read yet.
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // The values; each one missing, unreadable or (numberlanguage) not
    // a number gives its default (English, empty, empty). numberlanguage is decimal,
    // or hexadecimal after 0x or 0X; a number that is no language's
    // languageNumber reads as English, since no text exists for it. A missing or
    // unreadable file gives the defaults.
    Settings read() const;

    // Stores the values (numberlanguage in decimal; the recent files as file1,
    // file2 ... with the keys of dropped entries removed; the windows given,
    // other windows' keys kept; the disclaimer's key only when set; the code
    // of new projects when not EN1994 or already in the file), creating the folder
    // and the file when needed. The file is replaced as a whole (temporary
    // file, flush, rename), so a failure leaves the previous file as it was;
    // its mode is kept, a link is written through, a read-only file is
    // refused. An existing file that cannot be read as a whole (too large,
    // unreadable) is not touched, so that its other sections are never lost.
    // The failure (writeFailed, text 516, the file and the reason) when the
    // settings could not be stored.
    [[nodiscard]] std::optional<Failure> write(const Settings& settings) const;

private:
    std::string path_;
};

// numberlanguage's rule: optional sign and decimal digits, or 0x / 0X and up
// to 8 hexadecimal digits (taken as a 32-bit pattern); anything else gives
// the fallback.
int parseSettingsInteger(const std::string& value, int fallback);

} // namespace qeln
