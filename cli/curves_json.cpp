// The diagrams' data as JSON (see curves_json.h).
#include "curves_json.h"

#include "present/checktext.h"

namespace qeln::cli {

namespace {

json::Ordered numbers(const std::vector<double>& v)
{
    json::Ordered a = json::Ordered::array();
    for (double x : v)
        a.push_back(json::number(x));
    return a;
}

json::Ordered pair(const std::vector<double>& n, const std::vector<double>& m)
{
    json::Ordered o = json::Ordered::object();
    o["N"] = numbers(n);
    o["M"] = numbers(m);
    return o;
}

json::Ordered point(double n, double m)
{
    json::Ordered o = json::Ordered::object();
    o["N"] = json::number(n);
    o["M"] = json::number(m);
    return o;
}

const char* rowCode(int row)
{
    return row == rowService ? "Service" : fireClassCode(kFireClasses[static_cast<std::size_t>(row - 1)]);
}

json::Ordered axis(const InteractionDiagram& d, const ResistanceCurves& c)
{
    json::Ordered o = json::Ordered::object();
    o["e"] = json::number(d.e);
    o["nplRd"] = json::number(d.nplRd);
    o["nRd"] = json::number(d.nRd);
    o["nCr"] = json::number(d.nCr);
    o["Mk"] = json::number(d.Mk);
    o["plastic"] = pair(d.plasticN, d.plasticM);
    o["allowed"] = pair(d.allowedN, d.allowedM);
    o["acting"] = pair(d.actingN, d.actingM);
    o["resistance"] = point(d.resistanceN, d.resistanceM);
    o["load"] = d.loadN && d.loadM ? point(*d.loadN, *d.loadM) : json::Ordered();
    json::Ordered& ecc = o["eccentricity"] = json::Ordered::object();
    ecc["e"] = numbers(c.e);
    ecc["eLimit"] = json::number(c.eLimit);
    json::Ordered& series = ecc["series"] = json::Ordered::array();
    for (const ResistanceSeries& s : c.series) {
        json::Ordered one = json::Ordered::object();
        one["row"] = rowCode(s.row);
        one["N"] = numbers(s.N);
        one["outside"] = s.outside;
        series.push_back(std::move(one));
    }
    return o;
}

} // namespace

json::Ordered curvesJson(const Diagrams& d)
{
    json::Ordered o = json::Ordered::object();
    switch (d.status) {
    case Diagrams::Status::ok: o["status"] = "ok"; break;
    case Diagrams::Status::inputErrors: o["status"] = "inputErrors"; break;
    case Diagrams::Status::calculationError: o["status"] = "calculationError"; break;
    }
    o["weak"] = d.ok() ? axis(d.weak, d.weakCurves) : json::Ordered();
    o["strong"] = d.ok() ? axis(d.strong, d.strongCurves) : json::Ordered();
    return o;
}

} // namespace qeln::cli
