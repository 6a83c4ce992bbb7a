#include "texts.h"

#include "messages.h"

#include <charconv>
#include <limits>
#include <sstream>
#include <vector>

extern const char qeln_texts_tsv[];
extern const std::size_t qeln_texts_tsv_size;

namespace qeln {

namespace {

std::string unescape(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[i + 1];
            if (n == 't') { out += '\t'; ++i; continue; }
            if (n == 'n') { out += '\n'; ++i; continue; }
            if (n == '\\') { out += '\\'; ++i; continue; }
        }
        out += s[i];
    }
    return out;
}

} // namespace

TextCatalogue TextCatalogue::parse(const std::string& tsv)
{
    TextCatalogue cat;
    std::istringstream in(tsv);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cols;
        std::size_t start = 0;
        for (;;) {
            const auto tab = line.find('\t', start);
            cols.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        int number = 0;
        const auto& key = cols[0];
        const auto res = std::from_chars(key.data(), key.data() + key.size(), number);
        if (res.ec != std::errc() || res.ptr != key.data() + key.size())
            continue;
        for (Language l : kLanguages)
            if (const std::size_t col = languageIndex(l) + 1; col < cols.size())
                cat.entries_[number + catalogueOffset(l)] = unescape(cols[col]);
    }
    return cat;
}

const TextCatalogue& TextCatalogue::builtin()
{
    static const TextCatalogue cat = parse(std::string(qeln_texts_tsv, qeln_texts_tsv_size));
    return cat;
}

const std::string* TextCatalogue::find(int number) const
{
    const auto it = entries_.find(number);
    return it == entries_.end() ? nullptr : &it->second;
}

std::ostream& operator<<(std::ostream& os, Language language) { return os << languageCode(language); }

std::string LoadText(int id, Language language, MessageSink* sink)
{
    // In 64 bits: an id near the end of int must not overflow.
    const long long number = static_cast<long long>(id) + catalogueOffset(language);
    const bool inRange = number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max();
    const std::string* t = inRange ? TextCatalogue::builtin().find(static_cast<int>(number)) : nullptr;
    if (!t || t->empty()) {
        if (sink)
            sink->message("A string resource with number " + std::to_string(number) + " could not be found");
        return "***";
    }
    return *t;
}

} // namespace qeln
