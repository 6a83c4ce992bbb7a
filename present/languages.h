// The program's languages, and the numbers and codes that name them outside
// the program: the offsets of the text catalogue, the number of the settings
// file and of the PDF writer's request, the code of the command line.
//
// Every conversion is a switch without a default: a new language makes the
// compiler name each one that must learn it.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace qeln {

enum class Language { English, French, German };

// Every language, in the order of the catalogue's columns (data/texts.tsv).
inline constexpr Language kLanguages[] = {Language::English, Language::French, Language::German};

// The place of the language in a table with one entry per language, in the
// order of kLanguages.
constexpr std::size_t languageIndex(Language language)
{
    switch (language) {
    case Language::English: return 0;
    case Language::French: return 1;
    case Language::German: return 2;
    }
    return 0;
}

// The offset of the language in the text catalogue: text n of a language is
// the entry n + offset.
constexpr int catalogueOffset(Language language)
{
    switch (language) {
    case Language::English: return 0;
    case Language::French: return 10000;
    case Language::German: return 20000;
    }
    return 0;
}

// The number that names the language in the settings file
// ([language] numberlanguage) and in the PDF writer's request.
constexpr int languageNumber(Language language)
{
    switch (language) {
    case Language::English: return 0;
    case Language::French: return 10000;
    case Language::German: return 20000;
    }
    return 0;
}

// The language a stored number names; nothing for a number of no language.
constexpr std::optional<Language> languageOfNumber(int number)
{
    for (Language l : kLanguages)
        if (languageNumber(l) == number)
            return l;
    return std::nullopt;
}

// The code of the language on the command line (--language) and of its
// folder of help pages: "en", "fr", "de".
constexpr std::string_view languageCode(Language language)
{
    switch (language) {
    case Language::English: return "en";
    case Language::French: return "fr";
    case Language::German: return "de";
    }
    return "en";
}

// The language of a code; nothing for any other text.
constexpr std::optional<Language> languageOfCode(std::string_view code)
{
    for (Language l : kLanguages)
        if (languageCode(l) == code)
            return l;
    return std::nullopt;
}

// The language's code, for messages and test output.
std::ostream& operator<<(std::ostream& os, Language language);

} // namespace qeln
