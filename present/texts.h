// The three-language text catalogue and its loader.
#pragma once

#include "languages.h"

#include <map>
#include <string>

namespace qeln {

class MessageSink;

// Numbered texts: text n of a language is the entry n + catalogueOffset of
// the language. Built into the program from data/texts.tsv.
class TextCatalogue {
public:
    static const TextCatalogue& builtin();
    // Parses the TSV form: number, English, French, German (tab separated,
    // "\t" and "\n" inside texts written as \t and \n, a backslash as \\).
    static TextCatalogue parse(const std::string& tsv);

    // nullptr when the entry does not exist.
    const std::string* find(int number) const;
    const std::map<int, std::string>& entries() const { return entries_; }

private:
    std::map<int, std::string> entries_;
};

// `LoadText`: the entry of the text id in the language; a missing or empty entry is reported
// to the sink ("A string resource with number N could not be found") and
// read as "***".
std::string LoadText(int id, Language language, MessageSink* sink);

} // namespace qeln
