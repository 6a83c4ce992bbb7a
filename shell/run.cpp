// The calculate command: input checks, input listing, design run and the
// presentation of its results.
#include "run.h"

#include "language.h"
#include "present/listing_scope.h"

#include "calc/member.h"

#include "present/format.h"
#include "present/listing.h"
#include "calc/numeric.h"
#include "present/utf8.h"

#include <cmath>
#include <cstdio>

namespace qeln {

namespace {

const char* const kUnderline = "----------------------------------------";

} // namespace

std::vector<std::string> calculationErrorLines(const TextEnv& env, FaultKind kind, const std::string& what)
{
    int cause = 1196;   // an invalid floating point operation
    switch (kind) {
    case FaultKind::Division: cause = 1190; break;
    case FaultKind::SquareRoot: cause = 1191; break;
    case FaultKind::Overflow: cause = 1192; break;
    case FaultKind::Power: cause = 1193; break;
    case FaultKind::NotANumber: cause = 1194; break;
    case FaultKind::Invalid: break;
    }
    std::vector<std::string> lines{env.text(219), env.text(cause)};
    if (!what.empty())
        lines.push_back(env.text(1197) + " " + what);
    lines.push_back(env.text(1198));
    return lines;
}

void ListingBlocks::clear()
{
    for (MessageList* l : {&project, &section, &rebar, &materials, &buckling, &eccentricity, &notes, &details, &spare})
        l->clear();
}

void buildInputListing(const TextEnv& env, const ColumnInput& in, const CheckOutcome& derived, ListingBlocks& blk,
                       const DateTimeFormatter& fmtDate)
{
    const std::string& sep = env.decimalSeparator;
    auto T = [&](int id) { return env.text(id); };
    auto P = [&](const char* fmt, std::vector<FormatArg> args) { return Printf(fmt, args, sep); };

    MessageList& p = blk.project;
    p.add("");
    p.add(T(112));
    p.add(kUnderline);
    p.add("");
    const char* pf = "%-25s %-50.50s";
    // Texts of a file go into the listing with their control characters shown.
    p.add(P(pf, {T(114), visibleText(in.projectName)}));
    p.add(P(pf, {T(113), visibleText(in.projectCode)}));
    p.add(P(pf, {T(116), visibleText(in.positionName)}));
    p.add(P(pf, {T(115), visibleText(in.positionNumber)}));
    p.add(P(pf, {T(117), visibleText(in.author)}));
    p.add(P(pf, {T(118), visibleText(in.comment)}));
    p.add(P(pf, {T(120), fmtDate(in.createdOn)}));
    p.add(P(pf, {T(119), fmtDate(in.lastUpdated)}));
    // the approval, when given (a listing without it stays as it always was)
    for (const auto& [id, value] : {std::pair{kCheckerLabel, &in.checker}, std::pair{kCheckDateLabel, &in.checkDate},
                                    std::pair{kRevisionLabel, &in.revision}})
        if (!value->empty())
            p.add(P(pf, {T(id), visibleText(*value)}));
    // the code of an EN project; an ENV listing stays as it always was
    const bool en = in.code == DesignCode::EN1994;
    if (en)
        p.add(P(pf, {T(1560), T(1561)}));
    p.add("");

    MessageList& s = blk.section;
    s.add(P("%-20s   %20s", {T(134), visibleText(in.profileName)}));
    const char* sf = "  %-6s %10.4g mm";
    s.add(P(sf, {T(129), in.h}));
    s.add(P(sf, {T(130), in.b}));
    s.add(P(sf, {T(131), in.tw}));
    s.add(P(sf, {T(132), in.tf}));
    s.add(P(sf, {T(133), in.r}));
    s.add("  ");

    MessageList& rb = blk.rebar;
    rb.add(T(144));
    rb.add(P("  %-60s : %10.4g mm", {T(145), in.d}));
    rb.add(P("  %-60s : %10d ", {T(146), in.n1}));
    rb.add(P("  %-60s : %10d ", {T(147), in.n2}));
    rb.add(P("  %-60s : %10.4g mm", {T(148), in.uc1}));
    rb.add(P("  %-60s : %10.4g mm", {T(149), in.uf1}));
    rb.add(P("  %-60s : %10.4g %%", {T(150), derived.rho}));
    rb.add("  ");

    MessageList& m = blk.materials;
    m.add(T(160));
    const char* mf = "  %-60s : %10.4g N/mm2";
    m.add(P(mf, {T(161), in.fy}));
    m.add(P(mf, {T(170), derived.fyCalc}));
    m.add(P(mf, {T(163), in.fck}));
    m.add(P(mf, {T(165), in.fsk}));
    m.add("  ");
    m.add(T(272));
    m.add(P("  %-20s %-20s %-20s", {std::string(), T(273), T(274)}));
    const char* gf = "  %-20s    %10.3f         %10.3f";
    m.add(P(gf, {T(276), in.gammaA, in.gammaAfi}));
    m.add(P(gf, {T(277), in.gammaC, in.gammaCfi}));
    m.add(P(gf, {T(278), in.gammaS, in.gammaSfi}));
    m.add(" ");

    MessageList& bk = blk.buckling;
    bk.add(T(176));
    bk.add("  " + T(177));
    bk.add(P("  %-60s : %10.3g m", {T(178), in.lWeakCold}));
    bk.add(P("  %-60s : %10.3g m", {T(179), in.lStrongCold}));
    bk.add("  " + T(180));
    bk.add(P("  %-60s : %10.3g m", {T(178), in.lWeakFire}));
    bk.add(P("  %-60s : %10.3g m", {T(179), in.lStrongFire}));
    if (in.length > 0) {
        // the member the lengths belong to
        bk.add(P("  %-60s : %10.3g m", {T(1722), in.length}));
        bk.add(P("  %-60s : %s", {T(1723), T(in.frame == FrameType::braced ? 1724 : 1725)}));
        bk.add(P("  %-60s : %s", {T(1726), T(in.storey == StoreyPosition::intermediate ? 1727 : 1728)}));
    }
    bk.add("  ");

    MessageList& e = blk.eccentricity;
    e.add(T(192));
    if (momentsGiven(in)) {
        e.add(P("  %-60s : %10.4g / %.4g kNm", {T(1705), in.myTop, in.myBottom}));
        e.add(P("  %-60s : %10.4g / %.4g kNm", {T(1706), in.mzTop, in.mzBottom}));
        if (fireMomentsGiven(in)) {
            e.add(P("  %-60s : %10.4g / %.4g kNm", {T(1707), in.myFiTop, in.myFiBottom}));
            e.add(P("  %-60s : %10.4g / %.4g kNm", {T(1708), in.mzFiTop, in.mzFiBottom}));
        }
        e.add("  " + T(1709));
        if (in.code == DesignCode::ENV1994)
            e.add("  " + T(1732));
    }
    e.add(P("  %-60s : %10.4g mm", {T(193), in.e1}));
    e.add(P("  %-60s : %10.4g mm", {T(194), in.e2}));
    e.add(P("  %-60s : %10.4g %% ", {T(195), in.pcp}));
    e.add("  ");

    MessageList& n = blk.notes;
    n.add(T(1152));
    n.add(kUnderline);
    n.add("");
    n.add(T(1153));
    n.add("");
    n.add(T(1154));
    n.add(withDecimalSeparator(T(1155), sep));
    n.add("");
    if (en) {
        // EN 1994-1-2 Annex G covers the weak axis; no curve B value in fire
        n.add(T(1608));
        n.add(T(1609));
        n.add(T(1610));
    } else {
        for (int id : {1156, 1158, 1159, 1160})
            n.add(T(id));
    }
    n.add("");
    // what the program does not check
    n.add(T(1157));
    n.add("");

    MessageList& dt = blk.details;
    dt.add(T(224));
    dt.add(kUnderline);
    dt.add("");
}

void assembleListings(const TextEnv& env, RunState& st)
{
    const ListingBlocks& b = st.blocks;
    const ColumnResults& r = st.results;
    for (int condensed = 0; condensed < 2; ++condensed) {
        MessageList& out = condensed ? st.condensedListing : st.completeListing;
        out.clear();
        out.addAll(b.project);
        if (!r.warnings.empty()) {
            out.add(env.text(210));
            out.add(kUnderline);
            out.add("");
            out.addAll(r.warnings);
            out.add("  ");
        }
        out.add(env.text(1168));
        out.add(kUnderline);
        out.add("");
        out.addAll(b.section);
        out.addAll(b.rebar);
        out.addAll(b.materials);
        out.addAll(b.buckling);
        out.addAll(b.eccentricity);
        out.addAll(r.rebarLocationLines);
        out.addAll(b.spare);
        out.addAll(b.notes);
        out.addAll(r.resultsLines);
        out.addAll(st.designCheckLines);
        out.addAll(st.scopeLines);
        if (!condensed) {
            out.addAll(b.details);
            out.addAll(r.memberDetailLines);
        }
        out.addAll(r.componentsLines);
    }
}

bool calculate(const TextEnv& env, const ColumnInput& entered, RunState& st, RunPresenter& presenter,
               const DateTimeFormatter& fmtDate)
{
    st.results = ColumnResults{};
    st.blocks.clear();
    st.completeListing.clear();
    st.condensedListing.clear();
    st.designCheckLines.clear();
    st.checkSummary.clear();
    st.conditions = ScopeConditions{};
    st.scopeLines.clear();

    presenter.setBusy(true);
    runNumbers(entered, st);
    // the input as the method read it: end moments as eccentricities
    const ColumnInput in = withMomentEccentricities(entered);
    try {
        writeCheckMessages(env, st.derived.findings, st.results, entered.code);
        if (st.derived.undefined) {
            // checks whose arithmetic has no value give no values to show
            st.derived = CheckOutcome{};
        } else {
            addDesignLoadWarnings(env, in, st.results);
            buildInputListing(env, in, st.derived, st.blocks, fmtDate);
            // The outcome is written even when an arithmetic fault ended the
            // run: the steps reached stay, as do the messages shown during it.
            if (!st.derived.unusable)
                writeDesign(env, in, st.design, st.scope, st.results);
        }
    } catch (const CalculationError& e) {
        // a value of the run that cannot be written
        st.calcError = true;
        st.calcErrorKind = e.kind();
        st.calcErrorWhat = e.what();
        st.valid = false;
        st.check.reset();
    }
    presenter.setBusy(false);

    if (st.calcError) {
        // An arithmetic failure is never a valid result, whatever the flags say.
        // The warnings-and-errors window tells why no results follow: the
        // findings of the checks, then the failure and its cause.
        env.message(env.text(219));
        ColumnResults shown = st.results;
        for (const std::string& l : calculationErrorLines(env, st.calcErrorKind, st.calcErrorWhat))
            shown.errors.add(l);
        shown.hasErrors = true;
        presenter.showWarningsAndErrors(shown);
        return false;
    }
    if (st.results.hasErrors || st.results.hasWarnings)
        presenter.showWarningsAndErrors(st.results);
    if (st.results.hasErrors)
        return false;
    // Design loads: the check of the loads given.
    if (st.check) {
        writeDesignCheck(env, st.designCheckLines, *st.check);
        st.checkSummary = designCheckLines(env, *st.check);
    }
    // the field of application, the conditions that hold as well as those that fail
    st.conditions = scopeConditions(in, st.derived, st.design);
    writeFieldOfApplication(env, st.scopeLines, st.conditions, in.code);
    assembleListings(env, st);
    presenter.showResults(st);
    return true;
}

} // namespace qeln
