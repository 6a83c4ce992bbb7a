// The help pages and the text catalogue against the words of the Eurocodes
// and the program's own captions: no page of any language uses a term the
// engineers read otherwise (serviceability for the ultimate design, the fire
// load of EN 1991-1-2 for N.fi,Ed), no text of the catalogue calls the design
// resistance an ultimate load or the partial factors safety factors, and every
// control a page names in bold is a caption of the text catalogue in the
// page's language, so that a new page or text cannot bring an old fault back.
#include "present/texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace qeln;

namespace {

struct HelpLanguage {
    const char* folder;
    Language language;
    // what no page may say (ECMAScript regular expressions, case ignored)
    std::vector<const char*> banned;
    // what neither a page nor a text of the catalogue may say: the old words
    // for the design resistance, the partial factors and normal temperature
    std::vector<const char*> bannedEverywhere;
};

const HelpLanguage kHelpLanguages[] = {
    {"en",
     Language::English,
     {"fire load", "allowable", "serviceability"},
     {"ultimate loads?", "safety factors?", "\\bservice\\b", "d > 12 ?mm"}},
    {"fr",
     Language::French,
     {"charge d'incendie", "distances? des axes", "limite [ée]lastique", "admissible", "r[ée]sistance excentr[ée]e"},
     {"conditions de service", "en service", "charges? ultimes?", "coefficients? (partiels )?de s[ée]curit[ée]",
      "d > 12 ?mm"}},
    {"de",
     Language::German,
     {"brandlast", "werkstoff", "zul[äa]ssig"},
     {"gebrauch", "traglast", "sicherheitsfaktor", "d > 12 ?mm"}},
};

void PrintTo(const HelpLanguage& l, std::ostream* os) { *os << l.folder; }

// Captions as the windows show them: no accelerator, no colon at the end, blanks made single.
std::string comparable(std::string s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size() && s[i + 1] != '&')
            continue;
        if (s.compare(i, 2, "\xC2\xA0") == 0) {   // a no-break space is a blank here
            out += ' ';
            ++i;
            continue;
        }
        if (s.compare(i, 3, "\xE2\x80\xAF") == 0) {   // so is a narrow one
            out += ' ';
            i += 2;
            continue;
        }
        if (s[i] == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += s[i];
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ':'))
        out.pop_back();
    while (!out.empty() && out.front() == ' ')
        out.erase(out.begin());
    return out;
}

std::string decoded(std::string s)
{
    for (const auto& [entity, c] : std::vector<std::pair<std::string, std::string>>{
             {"&gt;", ">"}, {"&lt;", "<"}, {"&nbsp;", "\xC2\xA0"}, {"&amp;", "&&"}})
        for (std::size_t at; (at = s.find(entity)) != std::string::npos;)
            s.replace(at, entity.size(), c);
    return s;
}

std::string withoutTags(const std::string& html) { return std::regex_replace(html, std::regex("<[^>]*>"), " "); }

// The catalogue's texts of a language, by their number in it.
std::map<int, std::string> textsOf(Language language)
{
    const int base = catalogueOffset(language);
    std::map<int, std::string> out;
    for (const auto& [number, text] : TextCatalogue::builtin().entries())
        if (number >= base && number < base + 10000)
            out.emplace(number - base, text);
    return out;
}

// The first of the terms a text says (ECMAScript regular expressions, case ignored), or "".
std::string bannedIn(const std::string& text, const std::vector<const char*>& terms)
{
    for (const char* term : terms) {
        std::smatch m;
        if (std::regex_search(text, m, std::regex(term, std::regex::icase)))
            return m.str();
    }
    return "";
}

std::set<std::string> captions(Language language)
{
    std::set<std::string> out;
    for (const auto& [number, text] : textsOf(language))
        out.insert(comparable(text));
    // the fixed captions of the windows, the same in every language
    for (const char* fixed : {"R 30", "R 60", "R 90", "R 120", "OK"})
        out.insert(fixed);
    return out;
}

std::vector<std::filesystem::path> pages(const char* folder)
{
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QELN_SOURCE_DIR) / "data/help" / folder))
        if (e.path().extension() == ".html")
            out.push_back(e.path());
    return out;
}

std::string read(const std::filesystem::path& p)
{
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

class HelpPages : public testing::TestWithParam<HelpLanguage> {};

TEST_P(HelpPages, SayNoBannedTerm)
{
    const HelpLanguage& lang = GetParam();
    const auto files = pages(lang.folder);
    ASSERT_GE(files.size(), 16u);
    for (const auto& file : files) {
        const std::string text = decoded(withoutTags(read(file)));
        for (const auto* terms : {&lang.banned, &lang.bannedEverywhere})
            EXPECT_EQ(bannedIn(text, *terms), "") << file.filename() << " (" << lang.folder << ")";
    }
}

TEST_P(HelpPages, CatalogueSaysNoOldTermOfTheUltimateDesign)
{
    const HelpLanguage& lang = GetParam();
    const auto texts = textsOf(lang.language);
    EXPECT_GT(texts.size(), 100u);   // the language's texts were found
    for (const auto& [number, text] : texts)
        EXPECT_EQ(bannedIn(text, lang.bannedEverywhere), "") << "text " << number << " (" << lang.folder << ")";
}

// Bold is for the controls the user looks for; keys are <kbd>, commands <code>, emphasis <em>.
TEST_P(HelpPages, NameOnlyControlsThatExistInBold)
{
    const HelpLanguage& lang = GetParam();
    const std::set<std::string> known = captions(lang.language);
    const std::regex bold("<b>([^<]*)</b>");
    for (const auto& file : pages(lang.folder)) {
        const std::string html = read(file);
        for (std::sregex_iterator it(html.begin(), html.end(), bold), end; it != end; ++it) {
            // a menu path names one caption after the other
            std::string path = decoded((*it)[1]);
            std::size_t from = 0;
            for (;;) {
                const std::size_t at = path.find(" > ", from);
                const std::string part = comparable(path.substr(from, at == std::string::npos ? std::string::npos : at - from));
                EXPECT_TRUE(known.count(part)) << file.filename() << " (" << lang.folder << ") names \"" << part
                                              << "\", which is no caption of the program";
                if (at == std::string::npos)
                    break;
                from = at + 3;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Help, HelpPages, testing::ValuesIn(kHelpLanguages),
                         [](const testing::TestParamInfo<HelpLanguage>& i) { return std::string(i.param.folder); });
