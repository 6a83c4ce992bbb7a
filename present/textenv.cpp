#include "textenv.h"

namespace qeln {

void TextEnv::message(const std::string& s) const
{
    if (sink)
        sink->message(s);
}

} // namespace qeln
