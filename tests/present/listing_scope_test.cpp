// The field of application in the listing: one line per condition under
// its row, the value and the limit, "met" or "not met" (grey), the clause of
// the run's code, and what the method does when a notice's condition fails.
#include "present/listing_scope.h"
#include "present/texts.h"
#include "present/utf8.h"

#include "calc/method.h"

#include "listing_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace qeln;

namespace {

ScopeConditions conditionsOf(ColumnInput in)
{
    const DesignMethod& m = methodOf(in.code);
    const CheckOutcome checks = m.check(in);
    DesignOutcome run;
    m.design(in, checks, run);
    return scopeConditions(in, checks, run);
}

using test::text;

} // namespace

TEST(FieldOfApplication, EveryConditionWithValueLimitVerdictAndClause)
{
    ColumnInput in;
    in.lWeakFire = in.lStrongFire = 5.6;   // beyond 13.5 b = 4.05 m
    in.uc1 = in.uf1 = 30;                   // the bars are left out in fire
    const ScopeConditions c = conditionsOf(in);
    for (const Language base : kLanguages) {
        TextEnv env;
        env.language = base;
        MessageList out;
        writeFieldOfApplication(env, out, c, in.code);
        const std::vector<std::string> lines = out.lines();
        ASSERT_EQ(lines.front(), text(1775, base));
        int conditions = 0, notMet = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            // a condition: indented by two (a note under it by four)
            if (l.rfind("  ", 0) != 0 || l.rfind("    ", 0) == 0)
                continue;
            ++conditions;
            EXPECT_LE(utf8Length(l), 90u) << l;   // within the report's width
            EXPECT_NE(l.find("  ENV 1994-1-"), std::string::npos) << l;
            const bool met = l.find(text(1777, base)) == std::string::npos;
            EXPECT_EQ(out.greyLines()[i], !met) << l;
            notMet += !met;
        }
        EXPECT_EQ(conditions, c.count) << base;
        // R 30, R 60, R 90 and R 120 lengths and u
        EXPECT_EQ(notMet, 5) << base;
        EXPECT_NE(std::find(lines.begin(), lines.end(), "    " + text(1594, base)), lines.end());
    }
    // the EN method cites its own clauses
    in.code = DesignCode::EN1994;
    MessageList en;
    writeFieldOfApplication(TextEnv{}, en, conditionsOf(in), in.code);
    for (const std::string& l : en.lines())
        EXPECT_EQ(l.find("ENV 199"), std::string::npos) << l;
}
