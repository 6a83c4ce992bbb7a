#include "settings.h"
#include "text.h"

#include "catalogue/codepage.h"
#include "present/checktext.h"
#include "present/texts.h"
#include "platform/fileio.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace qeln {

namespace {

// Far more than the program's three keys need; a larger file is left alone.
constexpr std::uint64_t kMaxSettingsSize = 16u << 20;

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            std::string line = text.substr(start, i - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (i < text.size() || !line.empty())
                lines.push_back(std::move(line));
            start = i + 1;
        }
    }
    return lines;
}

// "[name]" gives name.
std::optional<std::string_view> sectionOf(std::string_view line)
{
    line = blankTrimmed(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
        return blankTrimmed(line.substr(1, line.size() - 2));
    return std::nullopt;
}

// "key=value" gives key; value without blanks around it and without a pair
// of enclosing double quotes.
bool keyValueOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::string_view t = blankTrimmed(line);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return false;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = blankTrimmed(line.substr(0, eq));
    value = blankTrimmed(line.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return !key.empty();
}

std::optional<std::string> lookup(const std::vector<std::string>& lines, std::string_view section,
                                  std::string_view key)
{
    bool inSection = false;
    for (const auto& line : lines) {
        if (const auto s = sectionOf(line)) {
            inSection = sameName(*s, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && keyValueOf(line, k, v) && sameName(k, key))
            return std::string(v);
    }
    return std::nullopt;
}

std::string quoted(std::string value)
{
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool needsQuotes = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                                value.back() == ' ' || value.back() == '\t' ||
                                                (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    return needsQuotes ? '"' + value + '"' : value;
}

void store(std::vector<std::string>& lines, std::string_view section, std::string_view key, const std::string& value)
{
    const std::string entry = std::string(key) + "=" + quoted(value);
    // An existing key keeps its place.
    bool inSection = false;
    for (auto& line : lines) {
        if (const auto s = sectionOf(line)) {
            inSection = sameName(*s, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && keyValueOf(line, k, v) && sameName(k, key)) {
            line = entry;
            return;
        }
    }
    // A new key goes after the last non-empty line of the first such section.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto s = sectionOf(lines[i]);
        if (!s || !sameName(*s, section))
            continue;
        std::size_t at = i + 1;
        for (std::size_t j = i + 1; j < lines.size() && !sectionOf(lines[j]); ++j)
            if (!blankTrimmed(lines[j]).empty())
                at = j + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
        return;
    }
    // built by appending: a literal in front of a temporary string makes
    // GCC 12 at -O3 warn of overlapping copies (-Wrestrict)
    std::string header = "[";
    header.append(section).append("]");
    lines.push_back(std::move(header));
    lines.push_back(entry);
}

// Removes every line of the key in the section.
void erase(std::vector<std::string>& lines, std::string_view section, std::string_view key)
{
    bool inSection = false;
    std::vector<std::string> kept;
    for (auto& line : lines) {
        if (const auto s = sectionOf(line))
            inSection = sameName(*s, section);
        std::string_view k, v;
        if (!(inSection && keyValueOf(line, k, v) && sameName(k, key)))
            kept.push_back(std::move(line));
    }
    lines = std::move(kept);
}

constexpr const char* kRecentSection = "recent";
constexpr int kRecentSlots = 8;
std::string recentKey(int i) { return "file" + std::to_string(i); }

constexpr const char* kWindowsSection = "windows";
constexpr const char* kDisclaimerSection = "disclaimer";
constexpr const char* kSearchSection = "search";
constexpr const char* kDesignSection = "design";

// The keys of a section, in the file's order.
std::vector<std::pair<std::string, std::string>> sectionEntries(const std::vector<std::string>& lines,
                                                                std::string_view section)
{
    std::vector<std::pair<std::string, std::string>> out;
    bool inSection = false;
    for (const auto& line : lines) {
        if (const auto s = sectionOf(line)) {
            inSection = sameName(*s, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && keyValueOf(line, k, v))
            out.emplace_back(std::string(k), std::string(v));
    }
    return out;
}

} // namespace

std::optional<WindowPlace> parseWindowPlace(std::string_view text)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == ',') {
            parts.emplace_back(blankTrimmed(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.emplace_back(blankTrimmed(part));
    if (parts.size() != 4 && !(parts.size() == 5 && sameName(parts[4], "max")))
        return std::nullopt;
    int v[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::string& p = parts[static_cast<std::size_t>(i)];
        const auto res = std::from_chars(p.data(), p.data() + p.size(), v[i], 10);
        if (p.empty() || res.ec != std::errc() || res.ptr != p.data() + p.size())
            return std::nullopt;
    }
    constexpr int kLargest = 100000;
    if (v[2] < 1 || v[3] < 1 || v[2] > kLargest || v[3] > kLargest || v[0] < -kLargest || v[0] > kLargest ||
        v[1] < -kLargest || v[1] > kLargest)
        return std::nullopt;
    return WindowPlace{v[0], v[1], v[2], v[3], parts.size() == 5};
}

std::string windowPlaceText(const WindowPlace& p)
{
    std::string s = std::to_string(p.x);
    s.append(",").append(std::to_string(p.y)).append(",").append(std::to_string(p.width));
    s.append(",").append(std::to_string(p.height));
    if (p.maximised)
        s.append(",max");
    return s;
}

int parseSettingsInteger(const std::string& text, int fallback)
{
    const std::string_view s = blankTrimmed(text);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        const std::string_view hex = s.substr(2);
        if (hex.size() > 8)
            return fallback;
        std::uint32_t v = 0;
        const auto res = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
        if (res.ec != std::errc() || res.ptr != hex.data() + hex.size())
            return fallback;
        return static_cast<int>(v);
    }
    std::string_view body = s;
    if (!body.empty() && body[0] == '+')
        body.remove_prefix(1);
    if (body.empty() || body[0] == '+' || (body[0] == '-' && s[0] == '+'))
        return fallback;
    int v = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v, 10);
    if (res.ec != std::errc() || res.ptr != body.data() + body.size())
        return fallback;
    return v;
}

Settings SettingsFile::read() const
{
    Settings s;
    Result<std::string> read = platform::readWholeFile(path_, kMaxSettingsSize);
    if (!read)
        return s;
    std::string& text = *read;
    if (!isValidUtf8(text))
        text = decodeToUtf8(text, CodePage::windows1252);
    const auto lines = splitLines(text);
    if (const auto v = lookup(lines, "language", "numberlanguage"))
        s.language = languageOfNumber(parseSettingsInteger(*v, 0)).value_or(Language::English);
    s.enterprise = lookup(lines, "user", "enterprise").value_or("");
    s.user = lookup(lines, "user", "user").value_or("");
    for (int i = 1; i <= kRecentSlots; ++i)
        if (const auto v = lookup(lines, kRecentSection, recentKey(i)); v && !v->empty())
            s.recentFiles.push_back(*v);
    for (const auto& [key, value] : sectionEntries(lines, kWindowsSection))
        if (const auto place = parseWindowPlace(value))
            s.windows.emplace(key, *place);
    s.disclaimerAccepted = lookup(lines, kDisclaimerSection, "accepted").value_or("");
    for (const auto& [key, value] : sectionEntries(lines, kSearchSection))
        s.search.emplace(key, value);
    if (const auto v = lookup(lines, kDesignSection, "code"))
        s.newProjectCode = designCodeFromKey(*v).value_or(DesignCode::EN1994);
    return s;
}

// 516: "Error during Writing of File"
std::optional<Failure> SettingsFile::write(const Settings& settings) const
{
    std::vector<std::string> lines;
    if (platform::fileSize(path_) >= 0) {
        // The other sections and keys of an existing file are kept: a file
        // that cannot be read as a whole is not replaced at all.
        Result<std::string> read = platform::readWholeFile(path_, kMaxSettingsSize);
        if (!read) {
            std::string detail = "the settings are not saved, the file is left as it was: ";
            detail += read.failure().detail;
            return Failure(FailureCode::writeFailed, 516, path_, detail);
        }
        std::string& text = *read;
        if (!isValidUtf8(text))
            text = decodeToUtf8(text, CodePage::windows1252);
        lines = splitLines(text);
    }
    store(lines, "language", "numberlanguage", std::to_string(languageNumber(settings.language)));
    store(lines, "user", "enterprise", settings.enterprise);
    store(lines, "user", "user", settings.user);
    for (int i = 1; i <= kRecentSlots; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (n <= settings.recentFiles.size())
            store(lines, kRecentSection, recentKey(i), settings.recentFiles[n - 1]);
        else
            erase(lines, kRecentSection, recentKey(i));
    }
    for (const auto& [name, place] : settings.windows)
        store(lines, kWindowsSection, name, windowPlaceText(place));
    for (const auto& [key, value] : settings.search)
        store(lines, kSearchSection, key, value);
    if (!settings.disclaimerAccepted.empty())
        store(lines, kDisclaimerSection, "accepted", settings.disclaimerAccepted);
    // the code of new projects once it is not the default, or is in the file already
    if (settings.newProjectCode != DesignCode::EN1994 || lookup(lines, kDesignSection, "code"))
        store(lines, kDesignSection, "code", designCodeKey(settings.newProjectCode));
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";

    std::error_code ec;
    const std::string folder = platform::directoryOf(path_);
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::string detail = folder;
        detail += ": the settings folder cannot be created: ";
        detail += ec.message();
        return Failure(FailureCode::writeFailed, 516, path_, detail);
    }
    try {
        platform::replaceFile(path_, out);
    } catch (const platform::IoError& e) {
        return Failure(FailureCode::writeFailed, 516, path_, e.what());
    }
    return std::nullopt;
}

} // namespace qeln
