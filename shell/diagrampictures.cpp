#include "diagrampictures.h"

namespace qeln {

DiagramPictures drawDiagrams(const TextEnv& env, const Diagrams& d, PlotSize size)
{
    DiagramPictures p;
    if (!d.ok())
        return p;
    p.valid = true;
    p.interaction[axisIndex(Axis::Weak)] = interactionPlot(env, d.weak, Axis::Weak, size.width, size.height);
    p.interaction[axisIndex(Axis::Strong)] = interactionPlot(env, d.strong, Axis::Strong, size.width, size.height);
    p.eccentricity[axisIndex(Axis::Weak)] = eccentricityPlot(env, d.weakCurves, Axis::Weak, size.width, size.height);
    p.eccentricity[axisIndex(Axis::Strong)] = eccentricityPlot(env, d.strongCurves, Axis::Strong, size.width, size.height);
    return p;
}

DiagramPictures diagramPicturesOf(const TextEnv& env, const ColumnInput& in, PlotSize size)
{
    return drawDiagrams(env, computeDiagrams(in), size);
}

} // namespace qeln
