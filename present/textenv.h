// What the formatting layer needs to turn values into text: the language
// of the catalogue's texts, the decimal separator of screen output and the
// sink of the texts the desktop program shows in a message box.
#pragma once

#include "messages.h"
#include "texts.h"

#include <string>

namespace qeln {

struct TextEnv {
    Language language = Language::English;
    MessageSink* sink = nullptr;
    std::string decimalSeparator = ".";

    std::string text(int id) const { return LoadText(id, language, sink); }
    void message(const std::string& s) const;
};

} // namespace qeln
