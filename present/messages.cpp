#include "messages.h"

namespace qeln {

std::string MessageList::joined(const char* lineEnd) const
{
    std::string out;
    for (const auto& l : lines_) {
        out += l;
        out += lineEnd;
    }
    return out;
}

} // namespace qeln
