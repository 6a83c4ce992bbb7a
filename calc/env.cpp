#include "env.h"

#include "messages.h"

namespace qeln {

void CalcEnv::message(const std::string& s) const
{
    if (sink)
        sink->message(s);
}

} // namespace qeln
