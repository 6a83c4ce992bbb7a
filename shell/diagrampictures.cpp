#include "diagrampictures.h"

#include "calc/plot.h"

namespace qeln {

DiagramPictures drawDiagrams(const TextEnv& env, const Diagrams& d)
{
    DiagramPictures p;
    if (!d.ok())
        return p;
    p.valid = true;
    p.interaction[axisIndex(Axis::Weak)] = interactionPlot(env, d.weak, Axis::Weak);
    p.interaction[axisIndex(Axis::Strong)] = interactionPlot(env, d.strong, Axis::Strong);
    p.eccentricity[axisIndex(Axis::Weak)] = eccentricityPlot(env, d.weakCurves, Axis::Weak);
    p.eccentricity[axisIndex(Axis::Strong)] = eccentricityPlot(env, d.strongCurves, Axis::Strong);
    return p;
}

DiagramPictures diagramPicturesOf(const RunEnv& env, const ColumnInput& in)
{
    CalcEnv calc = env;
    calc.gammas = SafetyFactors::of(in);
    return drawDiagrams(env, computeDiagrams(calc, in));
}

} // namespace qeln
