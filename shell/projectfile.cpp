#include "projectfile.h"
#include "text.h"

#include "codeblock.h"
#include "loadsblock.h"
#include "schedule.h"

#include "catalogue/codepage.h"
#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

namespace qeln {

namespace {

constexpr int kNoLimit = -1;

std::string tooLargeReason()
{
    return "the file would be larger than " + std::to_string(kMaxProjectFileSize >> 20) +
           " MiB, the most a project file may hold";
}

// Lines of the file without their ends (CR LF, LF or a lone CR).
std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            lines.push_back(bytes.substr(start, i - start));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A real as Pascal's Read accepts it: [+-] digits [. digits] [E [+-] digits],
// or [+-] . digits [E ...].
std::optional<double> parseReal(std::string_view tok)
{
    std::size_t i = 0;
    if (i < tok.size() && (tok[i] == '+' || tok[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < tok.size() && isDigit(tok[i]))
        ++i, ++digits;
    if (i < tok.size() && tok[i] == '.') {
        ++i;
        while (i < tok.size() && isDigit(tok[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < tok.size() && (tok[i] == 'e' || tok[i] == 'E')) {
        ++i;
        if (i < tok.size() && (tok[i] == '+' || tok[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < tok.size() && isDigit(tok[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != tok.size())
        return std::nullopt;
    std::string_view body = tok;
    if (body[0] == '+')
        body.remove_prefix(1);
    double v = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != body.data() + body.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> parseInteger(std::string_view tok)
{
    std::string_view body = tok;
    if (!body.empty() && body[0] == '+')
        body.remove_prefix(1);
    if (body.empty() || (body[0] == '-' && body.size() == 1))
        return std::nullopt;
    int v = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v, 10);
    if (res.ec != std::errc() || res.ptr != body.data() + body.size())
        return std::nullopt;
    return v;
}

struct ReadFailure {
    FailureCode code;
    int line;
    std::string detail;
};

// Reads fields one after the other with the tolerance of Pascal's
// Read/Readln: numbers skip blanks, tabs and empty lines before them; the
// rest of every field's line is ignored.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes)
        : bytes_(bytes), lines_(splitLines(bytes)), utf8_(isValidUtf8(bytes) && hasNonAscii(bytes))
    {
    }

    // A text field as its bytes are; settleEncoding() and decoded() make it a text.
    std::string rawText(const char* what)
    {
        const std::string_view raw = line(what);
        ++next_;
        return std::string(raw);
    }

    // The character set of the texts, from the lines read so far (the texts
    // end with line 11): bytes further on, even junk, do not change it.
    void settleEncoding()
    {
        const std::size_t end = next_ == 0 ? 0
                                           : static_cast<std::size_t>(lines_[next_ - 1].data() - bytes_.data()) +
                                                 lines_[next_ - 1].size();
        head_ = bytes_.substr(0, end);
        utf8_ = isValidUtf8(head_) && hasNonAscii(head_);
    }

    // The lines up to the last text (line 11), once settleEncoding was called.
    std::string_view head() const { return head_; }

    std::string decoded(const std::string& raw, int limit) const
    {
        std::string s = decode(raw);
        if (limit != kNoLimit)
            s = utf8Prefix(s, static_cast<std::size_t>(limit));
        return s;
    }

    double real(const char* what)
    {
        const std::string_view tok = token(what);
        const auto v = parseReal(tok);
        if (!v)
            throw malformed(tok, what);
        ++next_;
        return *v;
    }

    int integer(const char* what)
    {
        const std::string_view tok = token(what);
        const auto v = parseInteger(tok);
        if (!v)
            throw malformed(tok, what);
        ++next_;
        return *v;
    }

    // 1-based number of the line the next field starts on.
    int lineNumber() const { return static_cast<int>(next_) + 1; }
    // The lines after the last field read.
    std::vector<std::string_view> rest() const
    {
        return {lines_.begin() + static_cast<std::ptrdiff_t>(std::min(next_, lines_.size())), lines_.end()};
    }
    int lastLine() const { return static_cast<int>(next_); }

private:
    std::string_view line(const char* what)
    {
        if (next_ >= lines_.size())
            throw ReadFailure{FailureCode::malformed, lineNumber(),
                              std::string("the file ends before ") + what};
        return lines_[next_];
    }

    // The first word of the next line that is not empty.
    std::string_view token(const char* what)
    {
        for (;;) {
            std::string_view l = line(what);
            std::size_t i = 0;
            while (i < l.size() && isBlank(l[i]))
                ++i;
            if (i < l.size()) {
                std::size_t j = i;
                while (j < l.size() && !isBlank(l[j]))
                    ++j;
                return l.substr(i, j - i);
            }
            ++next_;
        }
    }

    ReadFailure malformed(std::string_view tok, const char* what) const
    {
        std::string shown = utf8Prefix(decode(tok), 40);
        return ReadFailure{FailureCode::malformed, lineNumber(),
                           "\"" + shown + "\" is not a valid number (" + what + ")"};
    }

    std::string decode(std::string_view raw) const
    {
        return utf8_ ? std::string(raw) : decodeToUtf8(raw, CodePage::windows1252);
    }

    std::string_view bytes_;
    std::string_view head_;
    std::vector<std::string_view> lines_;
    bool utf8_;
    std::size_t next_ = 0;
};

// A text as it goes into the file: valid UTF-8, cut to its limit, one line.
std::string fileText(const std::string& s, int limit)
{
    std::string t = isValidUtf8(s) ? s : decodeToUtf8(s, CodePage::windows1252);
    if (limit != kNoLimit)
        t = utf8Prefix(t, static_cast<std::size_t>(limit));
    for (char& c : t)
        if (c == '\r' || c == '\n')
            c = ' ';
    return t;
}

std::string integerText(int v)
{
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

} // namespace

std::string FormatProjectReal(double value)
{
    if (!std::isfinite(value))
        throw std::domain_error("a number that is not finite cannot be written");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string s(buf, res.ptr);   // d.ddddddddddddddde[+-]xx[x]
    const auto e = s.find('e');
    const std::string mantissa = s.substr(0, e);
    const char expSign = s[e + 1];
    std::string expDigits = s.substr(e + 2);
    expDigits.insert(0, 4 - expDigits.size(), '0');
    const bool negative = std::signbit(value) && value != 0.0;
    return std::string(1, negative ? '-' : ' ') + mantissa + 'E' + expSign + expDigits;
}

std::string ProjectBackupName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + "BAK";
    return path.substr(0, dot) + "BAK";
}

namespace {

// A line after line 33 as a heading reads: blanks and a byte-order mark
// (which an editor may leave in the middle of a file) in front do not count.
std::string_view headingText(std::string_view line)
{
    std::string_view t = blankTrimmed(line);
    if (t.starts_with("\xEF\xBB\xBF"))
        t = blankTrimmed(t.substr(3));
    return t;
}

// The blocks after line 33: [code], [member], [materials], [loads] and [schedule], each at most once, in
// any order; each runs up to the next line that begins with "[". Text after
// line 33 without any such line is ignored, as it always was (no version
// wrote any); once there is a heading, a line before it that is not empty is
// refused, so that a block is never dropped unseen. `cutShort`: the file
// ends inside its last line (a file the program writes ends with a line
// end): refused when that line belongs to a block, since a number or row
// may be cut ("NEd=30" of "NEd=3000").
// The [approval] block as the file holds it: its texts are decoded once the
// character set of the file is known (approvalIsUtf8).
struct RawBlock {
    std::vector<std::string_view> lines;   // heading first
    int firstLine = 0;
};

void parseBlocks(const std::vector<std::string_view>& lines, int firstLine, bool cutShort, ColumnInput& in,
                 Schedule& sched, std::optional<RawBlock>& approval)
{
    std::size_t i = 0;
    while (i < lines.size() && blankTrimmed(lines[i]).empty())
        ++i;
    std::size_t first = i;
    while (first < lines.size() && !headingText(lines[first]).starts_with("["))
        ++first;
    if (first == lines.size())
        return;
    if (i < first)
        throw ReadFailure{FailureCode::malformed, firstLine + static_cast<int>(i),
                          "\"" + utf8Prefix(blankTrimmed(lines[i]), 40) +
                              "\" stands before the " + utf8Prefix(headingText(lines[first]), 40) +
                              " block: the lines after line 33 belong to a block"};
    if (cutShort && !blankTrimmed(lines.back()).empty())
        throw ReadFailure{FailureCode::malformed, firstLine + static_cast<int>(lines.size()) - 1,
                          "the file ends inside this line: it seems cut short"};
    bool seenCode = false, seenMember = false, seenMaterials = false, seenLoads = false, seenSchedule = false;
    approval.reset();
    while (i < lines.size()) {
        const std::string_view heading = headingText(lines[i]);
        std::size_t end = i + 1;
        while (end < lines.size() && !headingText(lines[end]).starts_with("["))
            ++end;
        const int line = firstLine + static_cast<int>(i);
        const std::vector<std::string_view> block(lines.begin() + static_cast<std::ptrdiff_t>(i),
                                                  lines.begin() + static_cast<std::ptrdiff_t>(end));
        if (heading == "[code]") {
            if (seenCode)
                throw ReadFailure{FailureCode::malformed, line, "the [code] block is given twice"};
            seenCode = true;
            Failure code;
            if (!ParseCodeBlock(block, line, in, code))
                throw ReadFailure{FailureCode::malformed, code.line, code.detail};
        } else if (heading == "[member]") {
            if (seenMember)
                throw ReadFailure{FailureCode::malformed, line, "the [member] block is given twice"};
            seenMember = true;
            Failure member;
            if (!ParseMemberBlock(block, line, in, member))
                throw ReadFailure{FailureCode::malformed, member.line, member.detail};
        } else if (heading == "[materials]") {
            if (seenMaterials)
                throw ReadFailure{FailureCode::malformed, line, "the [materials] block is given twice"};
            seenMaterials = true;
            Failure materials;
            if (!ParseMaterialsBlock(block, line, in, materials))
                throw ReadFailure{FailureCode::malformed, materials.line, materials.detail};
        } else if (heading == "[loads]") {
            if (seenLoads)
                throw ReadFailure{FailureCode::malformed, line, "the [loads] block is given twice"};
            seenLoads = true;
            Failure loads;
            std::vector<std::string_view> own = block;
            own.front() = heading;   // without a byte-order mark in front
            if (!ParseLoadsBlock(own, line, in, loads))
                throw ReadFailure{FailureCode::malformed, loads.line, loads.detail};
        } else if (heading == "[approval]") {
            if (approval)
                throw ReadFailure{FailureCode::malformed, line, "the [approval] block is given twice"};
            approval = RawBlock{block, line};
            approval->lines.front() = heading;   // without a byte-order mark in front
        } else if (heading == "[schedule]") {
            if (seenSchedule)
                throw ReadFailure{FailureCode::malformed, line, "the [schedule] block is given twice"};
            seenSchedule = true;
            Failure f;
            if (!ParseScheduleBlock({block.begin() + 1, block.end()}, line + 1, sched, f))
                throw ReadFailure{FailureCode::malformed, f.line,
                                  (f.field.empty() ? std::string() : "field \"" + f.field + "\": ") + f.detail +
                                      " ([schedule] block)"};
        } else {
            const std::string h = utf8Prefix(heading, 40);
            throw ReadFailure{FailureCode::malformed, line,
                              "\"" + h +
                                  "\" is not a block of a project file ([code], [member], [materials], [loads], "
                                  "[approval] or [schedule])"};
        }
        i = end;
    }
}

// The [approval] block in UTF-8; empty when none of its texts is given.
std::string approvalBlockContent(const ColumnInput& in)
{
    const std::pair<const char*, std::string> fields[] = {
        {"checker", fileText(std::string(blankTrimmed(in.checker)), kLongTextMax)},
        {"checkDate", fileText(std::string(blankTrimmed(in.checkDate)), kShortTextMax)},
        {"revision", fileText(std::string(blankTrimmed(in.revision)), kShortTextMax)},
    };
    bool given = false;
    std::string s = "[approval]\r\n";
    for (const auto& [name, value] : fields) {
        s.append(name).append("=").append(blankTrimmed(value)).append("\r\n");
        given = given || !blankTrimmed(value).empty();
    }
    return given ? s : std::string();
}

// Whether the texts of a file are UTF-8: the lines up to the profile name
// decide when they hold a character beyond ASCII, else the [approval] block
// does (a file without one: Windows-1252, which ASCII is a part of).
bool textsAreUtf8(std::string_view head, std::string_view approval)
{
    const std::string_view decider = hasNonAscii(head) ? head : approval;
    return hasNonAscii(decider) && isValidUtf8(decider);
}

} // namespace

std::string ProjectFileContent(const ColumnInput& in, const Schedule* schedule)
{
    // the blocks after line 33 but [approval] are ASCII: they fit either code
    // page; the approval's texts take the code page of the other texts
    const std::string before =
        CodeBlockContent(in) + MemberBlockContent(in) + MaterialsBlockContent(in) + LoadsBlockContent(in);
    const std::string after = schedule ? ScheduleBlockContent(*schedule) : std::string();
    const std::string approval = approvalBlockContent(in);
    // Texts first: they decide the code page of the whole file.
    const std::string texts[] = {
        fileText(in.projectCode, kShortTextMax), fileText(in.projectName, kLongTextMax),
        fileText(in.positionNumber, kShortTextMax), fileText(in.positionName, kLongTextMax),
        fileText(in.office, kLongTextMax), fileText(in.author, kLongTextMax),
        fileText(in.comment, kNoLimit), fileText(in.profileName, kShortTextMax),
    };
    auto build = [&](const std::string (&t)[8]) {
        std::vector<std::string> lines;
        lines.push_back(integerText(kProjectFileVersion));
        for (int k = 0; k < 7; ++k)
            lines.push_back(t[k]);
        lines.push_back(FormatProjectReal(in.lastUpdated));
        lines.push_back(FormatProjectReal(in.createdOn));
        lines.push_back(t[7]);
        lines.push_back(FormatProjectReal(in.d));
        lines.push_back(integerText(in.n1));
        lines.push_back(integerText(in.n2));
        lines.push_back(FormatProjectReal(in.uc1));
        lines.push_back(FormatProjectReal(in.uf1));
        lines.push_back(FormatProjectReal(in.fy));
        lines.push_back(in.autoReduce ? "1" : "0");
        for (double v : {in.fck, in.fsk, in.gammaA, in.gammaC, in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi,
                         in.lWeakCold, in.lStrongCold, in.lWeakFire, in.lStrongFire, in.e1, in.e2, in.pcp})
            lines.push_back(FormatProjectReal(v));
        std::string out;
        for (const auto& l : lines) {
            out += l;
            out += "\r\n";
        }
        return out;
    };

    std::string encoded[8];
    std::string approvalEncoded;
    bool fits = encodeFromUtf8(approval, CodePage::windows1252, approvalEncoded);
    for (int k = 0; k < 8 && fits; ++k)
        fits = encodeFromUtf8(texts[k], CodePage::windows1252, encoded[k]);
    if (fits) {
        std::string out = build(encoded);
        // Bytes that happen to form valid UTF-8 would be read back as UTF-8:
        // such a file is written in UTF-8 instead.
        if (!textsAreUtf8(out, approvalEncoded))
            return out + before + approvalEncoded + after;
    }
    return build(texts) + before + approval + after;
}

std::optional<Failure> ParseProjectFile(std::string_view bytes, const std::string& fileName, ColumnInput& project,
                                        const ProfileLookup& lookup, Schedule* schedule)
{
    // A byte-order mark some editors put in front of a file is passed over;
    // the rest decides the character set as for a file without one (an
    // editor may add the mark to a Windows-1252 file without converting it).
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    FieldReader r(bytes);
    ColumnInput in;   // fresh: replaces the project only when everything was read
    Schedule sched;
    try {
        // Line 1: anything but the version number, readable or not, is refused.
        try {
            const int version = r.integer("the version number");
            if (version != kProjectFileVersion)
                throw ReadFailure{FailureCode::wrongVersion, r.lastLine(),
                                  "version " + std::to_string(version) + " instead of " +
                                      std::to_string(kProjectFileVersion)};
        } catch (ReadFailure& f) {
            f.code = FailureCode::wrongVersion;
            throw;
        }
        in.projectCode = r.rawText("the project number (line 2)");
        in.projectName = r.rawText("the project name (line 3)");
        in.positionNumber = r.rawText("the position number (line 4)");
        in.positionName = r.rawText("the position name (line 5)");
        in.office = r.rawText("the enterprise (line 6)");
        in.author = r.rawText("the user (line 7)");
        in.comment = r.rawText("the comment (line 8)");
        in.lastUpdated = r.real("the date of the last update (line 9)");
        in.createdOn = r.real("the creation date (line 10)");
        in.profileName = r.rawText("the profile name (line 11)");
        r.settleEncoding();
        for (const auto& [text, limit] : {std::pair{&in.projectCode, kShortTextMax}, std::pair{&in.projectName, kLongTextMax},
                                          std::pair{&in.positionNumber, kShortTextMax},
                                          std::pair{&in.positionName, kLongTextMax}, std::pair{&in.office, kLongTextMax},
                                          std::pair{&in.author, kLongTextMax}, std::pair{&in.comment, kNoLimit},
                                          std::pair{&in.profileName, kShortTextMax}})
            *text = r.decoded(*text, limit);
        if (lookup)
            lookup(in.profileName, in);
        in.d = r.real("the rebar diameter (line 12)");
        in.n1 = r.integer("the number of rebars in the first row (line 13)");
        in.n2 = r.integer("the number of rebars in the second row (line 14)");
        in.uc1 = r.real("the axis distance UC1 (line 15)");
        in.uf1 = r.real("the axis distance UF1 (line 16)");
        in.fy = r.real("the yield point of the profile (line 17)");
        in.autoReduce = r.integer("the automatic reduction switch (line 18)") == 1;
        in.fck = r.real("the concrete strength (line 19)");
        in.fsk = r.real("the yield point of the rebars (line 20)");
        in.gammaA = r.real("gammaA (line 21)");
        in.gammaC = r.real("gammaC (line 22)");
        in.gammaS = r.real("gammaS (line 23)");
        in.gammaAfi = r.real("gammaA,fi (line 24)");
        in.gammaCfi = r.real("gammaC,fi (line 25)");
        in.gammaSfi = r.real("gammaS,fi (line 26)");
        in.lWeakCold = r.real("the buckling length, weak axis, normal temperature (line 27)");
        in.lStrongCold = r.real("the buckling length, strong axis, normal temperature (line 28)");
        in.lWeakFire = r.real("the buckling length, weak axis, fire (line 29)");
        in.lStrongFire = r.real("the buckling length, strong axis, fire (line 30)");
        in.e1 = r.real("the eccentricity e1 (line 31)");
        in.e2 = r.real("the eccentricity e2 (line 32)");
        in.pcp = r.real("the percentage of permanent load (line 33)");
        // The optional blocks after line 33.
        const bool cutShort = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
        std::optional<RawBlock> approval;
        parseBlocks(r.rest(), r.lineNumber(), cutShort, in, sched, approval);
        if (approval) {
            std::string approvalBytes;
            for (std::string_view l : approval->lines)
                approvalBytes.append(l).append("\n");
            const bool utf8 = textsAreUtf8(r.head(), approvalBytes);
            std::vector<std::string> decoded;
            for (std::string_view l : approval->lines)
                decoded.push_back(utf8 ? std::string(l) : decodeToUtf8(l, CodePage::windows1252));
            const std::vector<std::string_view> views(decoded.begin(), decoded.end());
            Failure f;
            if (!ParseApprovalBlock(views, approval->firstLine, in, f))
                throw ReadFailure{FailureCode::malformed, f.line, f.detail};
        }
    } catch (const ReadFailure& f) {
        // a damaged file has no text of its own; a file of another version has 515
        return Failure(f.code, f.code == FailureCode::wrongVersion ? 515 : 0, fileName, f.detail, f.line);
    }
    project = std::move(in);
    if (schedule)
        *schedule = std::move(sched);
    return std::nullopt;
}

std::optional<Failure> LoadProjectFile(const std::string& path, ColumnInput& project, const ProfileLookup& lookup,
                                       Schedule* schedule)
{
    Result<std::string> bytes = platform::readWholeFile(path, kMaxProjectFileSize);
    if (!bytes) {
        Failure f = bytes.failure();
        if (f.code == FailureCode::cannotOpen)
            f.textId = 514;   // "Error during File Opening"
        return f;
    }
    return ParseProjectFile(*bytes, path, project, lookup, schedule);
}

std::optional<Failure> SaveProjectFile(const std::string& path, const ColumnInput& project, const Schedule* schedule)
{
    // 516 "Error during Writing of File"; 1174 for a file too large to be opened again
    Failure failure(FailureCode::writeFailed, 516, path, "");
    const auto tooLarge = [&failure] {
        failure.code = FailureCode::tooLarge;
        failure.textId = 1174;
        failure.detail = tooLargeReason();
        return failure;
    };
    // A file the reader would refuse as too large is not written: the check
    // on the characters spares building a copy of an absurd comment.
    if (utf8Length(project.comment) + 2 * kProjectFileLines > kMaxProjectFileSize)
        return tooLarge();
    std::string content;
    try {
        content = ProjectFileContent(project, schedule);
    } catch (const std::domain_error& e) {
        failure.detail = e.what();
        return failure;
    }
    if (content.size() > kMaxProjectFileSize)
        return tooLarge();
    try {
        // The new content, complete and on disk under a temporary name; then
        // the previous file gets its backup name as a second name, and the
        // new file takes the project's name in one rename. A link is written
        // through to its file, whose backup lies beside it.
        platform::PendingReplace file(path);
        file.write(content);
        file.commit(ProjectBackupName(file.target()));
    } catch (const platform::IoError& e) {
        failure.detail = e.reason();   // the file is named by failure.file
        return failure;
    }
    return std::nullopt;
}

} // namespace qeln
