#include "design.h"

#include "calc/numeric.h"

namespace qeln::en1994 {

Outcome design(const ColumnInput& in, double fyCalc)
{
    Outcome out;
    design(in, fyCalc, out);
    return out;
}

void design(const ColumnInput& in, double fyCalc, Outcome& out)
{
    out = Outcome{};
    out.values = designValues(in, fyCalc);
    out.section = sectionValues(in);
    for (const Axis axis : kAxes)
        out.curves[at(axis)] = InteractionCurve(axis, in, out.section, out.values);
    out.reached = Stage::section;

    out.service = roomTemperature(in, out.section, out.values, out.curves, in.lWeakCold, in.lStrongCold);
    auto& row0 = out.table.cell[rowService];
    const RoomTemperatureResult& sv = out.service;
    row0[axialWeak] = sv.axis[at(Axis::Weak)].axial.NbRd;
    row0[axialStrong] = sv.axis[at(Axis::Strong)].axial.NbRd;
    row0[eccentricWeak] = sv.axis[at(Axis::Weak)].cell;
    row0[eccentricStrong] = sv.axis[at(Axis::Strong)].cell;
    row0[biaxial] = sv.biaxialCell;
    out.reached = Stage::service;

    out.reference = roomTemperature(in, out.section, out.values, out.curves, in.lWeakFire, in.lStrongFire);

    // EN 1994-1-2 Annex G gives the axial load in fire; the eccentric and
    // biaxial cells carry the reference calculation's ratios.
    const AxisResult& refZ = out.reference.axis[at(Axis::Weak)];
    const AxisResult& refY = out.reference.axis[at(Axis::Strong)];
    FireRatios& q = out.ratios;
    q.weak = checkedDiv(refZ.cell, refZ.axial.NbRd);
    q.strong = checkedDiv(refY.cell, refY.axial.NbRd);
    q.governs = refY.cell < refZ.cell ? Axis::Strong : Axis::Weak;
    q.biaxial = checkedDiv(out.reference.biaxialCell, out.reference.axis[at(q.governs)].axial.NbRd);
    out.reached = Stage::reference;

    out.geometry = fireGeometry(in);
    out.reached = Stage::geometry;
    for (const FireClass c : kFireClasses) {
        RebarFactors bars;
        if (!rebarFactors(c, out.geometry.u, bars)) {
            out.barsBelowTables = true;
            bars = RebarFactors{};
        }
        const std::size_t k = static_cast<std::size_t>(c);
        FireClassResult& f = out.fire[k];
        f = fireClass(in, out.values.fy, c, out.geometry, bars);
        const double NW = f.axis[at(Axis::Weak)].NfiRd;
        const double NS = f.axis[at(Axis::Strong)].NfiRd;
        auto& row = out.table.cell[k + 1];
        row[axialWeak] = NW;
        row[axialStrong] = NS;
        row[eccentricWeak] = checkedFinite(NW * q.weak);
        row[eccentricStrong] = checkedFinite(NS * q.strong);
        row[biaxial] = checkedFinite((q.governs == Axis::Weak ? NW : NS) * q.biaxial);
        ++out.fireClasses;
    }
    out.reached = Stage::fire;
}

} // namespace qeln::en1994
