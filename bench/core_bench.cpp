// Timing of the calculation core on the default section (HE 320 A, 4 bars of
// 20 mm, e1 = 50 mm, e2 = 30 mm).
#include "calc/design.h"
#include "calc/eccentric.h"
#include "calc/listing.h"
#include "calc/member.h"

#include <benchmark/benchmark.h>

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
    CalcEnv env;
    env.gammas = SafetyFactors::of(in);
    for (auto _ : state)
        benchmark::DoNotOptimize(EccentricResistance(env, e));
}
BENCHMARK(BM_EccentricResistance);

void BM_MemberWeakAndStrong(benchmark::State& state)
{
    const ColumnInput in = defaultEccentric();
    CalcEnv env;
    env.gammas = SafetyFactors::of(in);
    const SectionDims s{in.h, in.b, in.tw, in.tf};
    ComponentValues c;
    c.r = in.r;
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
    for (auto _ : state) {
        call.e = 50;
        const MemberResult w = ColdResistanceWeakAxis(env, s, c, bars, call);
        call.e = 30;
        const MemberResult st = ColdResistanceStrongAxis(env, s, c, bars, call);
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
    CalcEnv env;
    env.gammas = SafetyFactors::of(in);
    for (auto _ : state) {
        // the run and the listing it wrote before, together
        DesignOutcome out;
        DesignRun(env, in, 355, 1.5598, false, out);
        ColumnResults res;
        writeDesign(TextEnv{}, in, out, res);
        benchmark::DoNotOptimize(res.table.at(0, 0));
    }
}
BENCHMARK(BM_DesignRun);

} // namespace
