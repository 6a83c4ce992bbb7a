// Charts as recorded pictures (see plot.h).
#include "plot.h"

#include <cmath>

namespace qeln {

double Ticks::at(int i) const { return first + i * step; }
int Ticks::decimals() const { return 0; }

Ticks roundTicks(double lo, double hi, int)
{
    Ticks t;
    t.first = std::isfinite(lo) ? std::floor(lo) : 0;
    t.step = 1;
    t.count = std::isfinite(hi) ? static_cast<int>(std::ceil(hi) - t.first) + 1 : 2;
    return t;
}

std::string tickLabel(double v, int, const std::string&) { return std::to_string(static_cast<long long>(v)); }

Picture drawChart(const Chart& chart, const std::string&)
{
    Picture pic;
    pic.width = kPlotWidth;
    pic.height = kPlotHeight;
    Canvas c(pic);
    c.textOut(20, 10, chart.title);
    return pic;
}

Picture interactionPlot(const TextEnv&, const InteractionDiagram&, Axis axis)
{
    Chart chart;
    chart.title = axis == Axis::Weak ? "z-z" : "y-y";
    return drawChart(chart, ".");
}

Picture eccentricityPlot(const TextEnv&, const ResistanceCurves&, Axis axis)
{
    Chart chart;
    chart.title = axis == Axis::Weak ? "z-z" : "y-y";
    return drawChart(chart, ".");
}

} // namespace qeln
