// Keyboard accelerators ("&" before a letter) for a window's buttons, whose
// captions come from the text catalogue and are used without "&" elsewhere
// (listings, report, dialog captions).
#pragma once

#include <string>
#include <vector>

namespace qeln {

// The accelerator letter of a caption (lower case), 0 when it has none; "&&"
// is a literal ampersand.
char acceleratorOf(const std::string& text);

// Gives every caption without an accelerator one, so that no two captions and
// no reserved letter (e.g. those of the menu bar) share it. The letter is the
// first free one at the start of a word, else the first free letter of the
// caption; only the letters a to z are taken. A caption with no free letter
// stays as it is.
std::vector<std::string> withAccelerators(const std::vector<std::string>& texts, const std::string& reserved);

} // namespace qeln
