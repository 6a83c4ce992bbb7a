#include "design_run.h"

#include "present/messages.h"

namespace qeln::cli {

bool designRun(const ColumnInput& in, Language language, RunState& st, std::vector<std::string>& messageBoxes)
{
    RecordingSink sink;
    TextEnv env;
    env.language = language;
    env.sink = &sink;
    env.decimalSeparator = ".";
    RunPresenter presenter;   // no windows: everything is in st
    const bool valid = calculate(env, in, st, presenter, isoDateTime);
    messageBoxes = sink.messages;
    return valid;
}

} // namespace qeln::cli
