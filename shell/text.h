// Text helpers the shell's readers share: one definition each, so that
// every file, block and list is read the same way.
#pragma once

#include "present/utf8.h"

#include <string>
#include <string_view>

namespace qeln {

// Without the blanks and tabs around it.
inline std::string_view blankTrimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A value as a message quotes it: in double quotes, cut to 40 characters.
inline std::string quotedValue(std::string_view v)
{
    std::string q(1, '"');
    q.append(utf8Prefix(v, 40)).append(1, '"');
    return q;
}

} // namespace qeln
