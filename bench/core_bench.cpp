// Timing of the calculation core on the default section (HE 320 A, 4 bars of
// 20 mm, e1 = 50 mm, e2 = 30 mm).
#include "calc/env1994/design.h"
#include "calc/env1994/eccentric.h"
#include "present/listing.h"
#include "calc/env1994/member.h"

#include <benchmark/benchmark.h>

using namespace qeln::env1994;

using namespace qeln;

namespace {

ColumnInput defaultEccentric()
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    return in;
}

void BM_EccentricResistance(benchmark::State& state)
{
    const ColumnInput in = defaultEccentric();
    const EccentricInput e =
        eccentricInput(in, designValues(in, in.fy), in.lWeakCold, in.lStrongCold, in.e1, in.e2, 1.5598);
    for (auto _ : state)
        benchmark::DoNotOptimize(EccentricResistance(e));
}
BENCHMARK(BM_EccentricResistance);

void BM_MemberWeakAndStrong(benchmark::State& state)
{
    const ColumnInput in = defaultEccentric();
    const Section s = sectionOf(in);
    ComponentValues c;
    c.fF = c.fW = in.fy / in.gammaA;
    c.fC = 0.85 * in.fck / in.gammaC;
    c.fS = in.fsk / in.gammaS;
    RebarLayout rows;
    LayoutRebarRows(rows, 4, 0, in.h, in.d, in.uf1, in.tf);
    const double Ecd = designConcreteModulus(in.fck);
    const MemberRebars bars{4, 0, in.uc1, rows};
    MemberCall call;
    call.loadCase = LoadCase::Service;
    call.L = 3;
    call.Ecd = Ecd;
    call.pcp = 70;
    call.d = in.d;
    call.Ec = 0.8 * Ecd;
    call.checks = true;
    call.gammaA = in.gammaA;
    call.gammaC = in.gammaC;
    call.gammaS = in.gammaS;
    MemberResult w, st;
    for (auto _ : state) {
        call.e = 50;
        AxialResistance(Axis::Weak, s, c, bars, call, w);
        call.e = 30;
        AxialResistance(Axis::Strong, s, c, bars, call, st);
        // the details block is part of what a member call produced before
        MessageList details;
        writeMemberDetails(TextEnv{}, details, w);
        writeMemberDetails(TextEnv{}, details, st);
        benchmark::DoNotOptimize(w.nRd + st.nRd);
        benchmark::DoNotOptimize(details.count());
    }
}
BENCHMARK(BM_MemberWeakAndStrong);

void BM_DesignRun(benchmark::State& state)
{
    const ColumnInput in = defaultEccentric();
    for (auto _ : state) {
        // the run and the listing it wrote before, together
        DesignOutcome out;
        CheckOutcome checked;
        checked.fyCalc = 355;
        checked.rho = 1.5598;
        DesignRun(in, checked, out);
        ColumnResults res;
        writeDesign(TextEnv{}, in, out, RowScope{true, true, true, true, true}, res);
        benchmark::DoNotOptimize(res.table.at(0, 0));
    }
}
BENCHMARK(BM_DesignRun);

} // namespace
