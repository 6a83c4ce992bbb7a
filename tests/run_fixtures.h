// The set-up the tests of the calculate command write again and again: a
// project under the EN method, one run with its messages kept, and where a
// line stands in a listing.
#pragma once

#include "calc/method.h"
#include "present/messages.h"
#include "shell/run.h"

#include <algorithm>
#include <string>

namespace qeln::test {

inline ColumnInput enProject(double e1 = 0, double e2 = 0)
{
    ColumnInput in;
    useDesignCode(in, DesignCode::EN1994);
    in.e1 = e1;
    in.e2 = e2;
    return in;
}

// The default project with design loads.
inline ColumnInput withLoads(double nEd, double nFiEd, std::optional<FireClass> fc)
{
    ColumnInput in;
    in.nEd = nEd;
    in.nFiEd = nFiEd;
    in.fireClass = fc;
    return in;
}

// One run of the calculate command in the language given; the message boxes
// it would show are kept in `sink`, what it shows goes to `ui`.
template <class Presenter = RunPresenter>
struct BasicCalc {
    RecordingSink sink;
    Presenter ui;
    RunState st;
    bool ok = false;
    explicit BasicCalc(const ColumnInput& in, Language language = Language::English)
    {
        TextEnv env;
        env.sink = &sink;
        env.language = language;
        ok = calculate(env, in, st, ui);
    }
    double cell(int r, int c) const { return st.results.table.at(r, c).value_or(-1); }
};
using Calc = BasicCalc<>;

// The index of the line in the listing, -1 when it is not there.
inline int indexOf(const MessageList& l, const std::string& line)
{
    const auto& v = l.lines();
    const auto it = std::find(v.begin(), v.end(), line);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

inline bool contains(const MessageList& l, const std::string& part)
{
    return std::any_of(l.lines().begin(), l.lines().end(),
                       [&](const std::string& s) { return s.find(part) != std::string::npos; });
}

inline bool startsAny(const MessageList& l, const std::string& prefix)
{
    return std::any_of(l.lines().begin(), l.lines().end(),
                       [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
}

} // namespace qeln::test
