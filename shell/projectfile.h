// The project file (*.qln): 33 lines ended by CR LF, one field of the
// project per line, version line "971003"; then, only when they differ from
// their defaults, the [code] and [member] blocks (codeblock.h); only when
// design loads are given, the [loads] block (loadsblock.h); only when a
// checker, a check date or a revision is given, the [approval] block
// (codeblock.h); then, only when the project has a column schedule with rows,
// the [schedule] block (schedule.h). The reader takes the blocks in any order.
//
// Loading reads into a fresh ColumnInput and replaces the caller's project
// only when the whole file was read; saving writes a temporary file beside
// the target, flushes it, gives the previous file its backup name (the
// extension replaced by "BAK") as a second name and then renames the new one
// into place: the project's name holds a whole file at every moment.
//
// Text fields are written in Windows-1252 when every character fits, else
// in UTF-8; reading takes UTF-8 when the lines up to the last text (line 11)
// are valid UTF-8 with non-ASCII characters, else Windows-1252; when those
// lines are ASCII only, the [approval] block decides the same way. A UTF-8
// byte-order mark in front is passed over either way. After line 33, text
// without any block heading is ignored; a line before the first heading, an
// unknown heading, or a block line the file ends inside is refused.
#pragma once

#include "calc/records.h"
#include "catalogue/profiles.h"
#include "platform/failure.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qeln {

struct Schedule;

inline constexpr int kProjectFileVersion = 971003;
inline constexpr int kProjectFileLines = 33;
// The largest file the reader accepts, and so the largest one written.
inline constexpr std::uint64_t kMaxProjectFileSize = 64u << 20;

// Called right after line 11 with the profile name read: looks the profile up
// and puts h, b, tw, tf, r and movrixAvailable into `input` (from the row the
// search ended on, even when it failed). Returns whether it was found.
using ProfileLookup = std::function<bool(const std::string& name, ColumnInput& input)>;

// The lookup through the open catalogue: `Profilsuchen` (its message goes to
// the sink), then the values of the catalogue's current row. The catalogue
// must outlive the returned lookup.
inline ProfileLookup CatalogueLookup(ProfileCatalogue& catalogue, TextSource text, MessageSink* sink)
{
    return [&catalogue, text = std::move(text), sink](const std::string& name, ColumnInput& in) {
        const bool found = catalogue.Profilsuchen(name, text, sink);
        if (const auto p = catalogue.current())
            setSection(in, sectionOf(*p));
        return found;
    };
}

// The same with the catalogue texts of the language.
inline ProfileLookup CatalogueLookup(ProfileCatalogue& catalogue, Language language, MessageSink* sink)
{
    return CatalogueLookup(catalogue, [language, sink](int id) { return LoadText(id, language, sink); },
                           sink);
}

// Load: replaces `project` by the file's content only when the whole file was
// read; otherwise `project` is untouched and the failure says why: cannotOpen
// (text 514), wrongVersion (515), or readFailed, tooLarge, malformed (no text
// of their own) with the line.
// With `schedule`, the file's schedule replaces it as well (emptied when the
// file has none); without, a schedule block is read and checked, then dropped.
std::optional<Failure> LoadProjectFile(const std::string& path, ColumnInput& project, const ProfileLookup& lookup,
                                       Schedule* schedule = nullptr);

// Save: writes `project` to path, keeping the previous file as the backup.
// On failure (writeFailed, text 516) the previous file is still at path, unchanged; so
// is a read-only file (the reason says so). A project larger than
// kMaxProjectFileSize (a comment of 64 MiB) is refused, since it could not be
// opened again.
std::optional<Failure> SaveProjectFile(const std::string& path, const ColumnInput& project,
                                       const Schedule* schedule = nullptr);

// The pieces, for tests and the fuzzer:
// The file's bytes. Texts longer than their limit are cut, line breaks
// inside a text become blanks. Throws std::domain_error for a number that is
// not finite (it could not be read back).
std::string ProjectFileContent(const ColumnInput& project, const Schedule* schedule = nullptr);
// Parses a file's bytes as LoadProjectFile does (fileName only names the
// file in the result).
std::optional<Failure> ParseProjectFile(std::string_view bytes, const std::string& fileName, ColumnInput& project,
                                        const ProfileLookup& lookup, Schedule* schedule = nullptr);
// The backup name: the extension (from the last full stop of the file name
// on) replaced by "BAK"; col1.qln gives col1BAK, a name without extension
// gets BAK appended.
std::string ProjectBackupName(const std::string& path);
// A real in the 23-character form: sign or blank, one digit, point,
// 14 digits, E, exponent sign, 4 digits (" 3.55000000000000E+0002").
std::string FormatProjectReal(double value);

} // namespace qeln
