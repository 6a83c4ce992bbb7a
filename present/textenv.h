// What the formatting layer needs to turn values into text: the language
// offset of the catalogue, the decimal separator of screen output and the
// sink of the texts the desktop program shows in a message box.
#pragma once

#include "messages.h"
#include "texts.h"

#include <string>

namespace qeln {

struct TextEnv {
    int languageBase = 0;
    MessageSink* sink = nullptr;
    std::string decimalSeparator = ".";

    std::string text(int id) const { return LoadText(id, languageBase, sink); }
    void message(const std::string& s) const;
};

} // namespace qeln
