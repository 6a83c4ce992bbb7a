#include "input_json.h"

#include "calc/designcheck.h"

#include <climits>
#include <functional>
#include <string_view>

namespace qeln::cli {

namespace {

enum class Kind { Real, Integer, Flag, Text };

struct FieldDef {
    const char* name;
    Kind kind;
    int maxLength;   // Text only; 0: no limit
    std::function<void(JsonInput&, const json::Value&)> set;
};

template <class M>
FieldDef real(const char* name, M ColumnInput::*member)
{
    return {name, Kind::Real, 0, [member](JsonInput& j, const json::Value& v) { j.input.*member = v.number(); }};
}

const std::vector<FieldDef>& fields()
{
    static const std::vector<FieldDef> defs = [] {
        std::vector<FieldDef> d;
        auto text = [&](const char* name, std::string ColumnInput::*member, int maxLength) {
            d.push_back({name, Kind::Text, maxLength, [member, maxLength](JsonInput& j, const json::Value& v) {
                             j.input.*member = maxLength > 0 ? cutText(v.string(), maxLength) : v.string();
                         }});
        };
        auto section = [&](const char* name, double ColumnInput::*member, int index) {
            d.push_back({name, Kind::Real, 0, [member, index](JsonInput& j, const json::Value& v) {
                             j.input.*member = v.number();
                             j.given[index] = true;
                         }});
        };
        text("projectCode", &ColumnInput::projectCode, kShortTextMax);
        text("positionNumber", &ColumnInput::positionNumber, kShortTextMax);
        text("projectName", &ColumnInput::projectName, kLongTextMax);
        text("positionName", &ColumnInput::positionName, kLongTextMax);
        text("office", &ColumnInput::office, kLongTextMax);
        text("author", &ColumnInput::author, kLongTextMax);
        text("comment", &ColumnInput::comment, 0);
        d.push_back({"createdOn", Kind::Real, 0, [](JsonInput& j, const json::Value& v) {
                         j.input.createdOn = v.number();
                         j.createdOnGiven = true;
                     }});
        d.push_back({"lastUpdated", Kind::Real, 0, [](JsonInput& j, const json::Value& v) {
                         j.input.lastUpdated = v.number();
                         j.lastUpdatedGiven = true;
                     }});
        text("profileName", &ColumnInput::profileName, kShortTextMax);
        section("h", &ColumnInput::h, 0);
        section("b", &ColumnInput::b, 1);
        section("tw", &ColumnInput::tw, 2);
        section("tf", &ColumnInput::tf, 3);
        section("r", &ColumnInput::r, 4);
        d.push_back({"movrixAvailable", Kind::Flag, 0, [](JsonInput& j, const json::Value& v) {
                         j.input.movrixAvailable = v.boolean();
                         j.given[5] = true;
                     }});
        d.push_back(real("d", &ColumnInput::d));
        d.push_back({"n1", Kind::Integer, 0,
                     [](JsonInput& j, const json::Value& v) { j.input.n1 = static_cast<int>(v.number()); }});
        d.push_back({"n2", Kind::Integer, 0,
                     [](JsonInput& j, const json::Value& v) { j.input.n2 = static_cast<int>(v.number()); }});
        d.push_back(real("uc1", &ColumnInput::uc1));
        d.push_back(real("uf1", &ColumnInput::uf1));
        d.push_back(real("fy", &ColumnInput::fy));
        d.push_back({"autoReduce", Kind::Flag, 0,
                     [](JsonInput& j, const json::Value& v) { j.input.autoReduce = v.boolean(); }});
        d.push_back(real("fck", &ColumnInput::fck));
        d.push_back(real("fsk", &ColumnInput::fsk));
        d.push_back(real("gammaA", &ColumnInput::gammaA));
        d.push_back(real("gammaC", &ColumnInput::gammaC));
        d.push_back(real("gammaS", &ColumnInput::gammaS));
        d.push_back(real("gammaAfi", &ColumnInput::gammaAfi));
        d.push_back(real("gammaCfi", &ColumnInput::gammaCfi));
        d.push_back(real("gammaSfi", &ColumnInput::gammaSfi));
        d.push_back(real("lWeakCold", &ColumnInput::lWeakCold));
        d.push_back(real("lStrongCold", &ColumnInput::lStrongCold));
        d.push_back(real("lWeakFire", &ColumnInput::lWeakFire));
        d.push_back(real("lStrongFire", &ColumnInput::lStrongFire));
        d.push_back(real("e1", &ColumnInput::e1));
        d.push_back(real("e2", &ColumnInput::e2));
        d.push_back(real("pcp", &ColumnInput::pcp));
        // design loads
        d.push_back(real("nEd", &ColumnInput::nEd));
        d.push_back(real("nFiEd", &ColumnInput::nFiEd));
        d.push_back({"fireClass", Kind::Text, 0,
                     [](JsonInput& j, const json::Value& v) { j.fireClassText = v.string(); }});
        return d;
    }();
    return defs;
}

const char* kindName(Kind k)
{
    switch (k) {
    case Kind::Real: return "a number";
    case Kind::Integer: return "an integer";
    case Kind::Flag: return "true or false";
    case Kind::Text: return "a string";
    }
    return "?";
}

bool fits(Kind k, const json::Value& v)
{
    switch (k) {
    case Kind::Real: return v.isNumber();
    case Kind::Integer:
        return v.isNumber() && v.integerLiteral() && v.number() >= INT_MIN && v.number() <= INT_MAX;
    case Kind::Flag: return v.isBool();
    case Kind::Text: return v.isString();
    }
    return false;
}

// The design loads: not negative, not absurd; the class "" or R30 .. R120.
bool checkDesignLoads(JsonInput& out, std::string& error)
{
    for (const auto& [name, value] : {std::pair{"nEd", out.input.nEd}, std::pair{"nFiEd", out.input.nFiEd}}) {
        const std::string problem = designLoadProblem(name, value);
        if (!problem.empty()) {
            error = std::string("field \"") + name + "\": " + problem;
            return false;
        }
    }
    out.input.fireClass.reset();
    if (!out.fireClassText.empty()) {
        out.input.fireClass = fireClassFromCode(out.fireClassText);
        if (!out.input.fireClass) {
            error = "field \"fireClass\" must be \"\", \"R30\", \"R60\", \"R90\" or \"R120\", not \"" +
                    out.fireClassText + "\"";
            return false;
        }
    }
    return true;
}

} // namespace

const char* inputFieldNames()
{
    static const std::string names = [] {
        std::string s;
        for (const FieldDef& f : fields()) {
            if (!s.empty())
                s += ", ";
            s += f.name;
        }
        return s;
    }();
    return names.c_str();
}

bool inputFromJson(const json::Value& doc, JsonInput& out, std::string& error)
{
    out = JsonInput{};
    if (!doc.isObject()) {
        error = std::string("the input must be a JSON object, not ") + json::typeName(doc.type());
        return false;
    }
    for (const json::Value::Member& m : doc.members()) {
        const FieldDef* def = nullptr;
        for (const FieldDef& f : fields())
            if (m.first == f.name)
                def = &f;
        if (!def) {
            error = "unknown field \"" + m.first + "\" (the fields are: " + inputFieldNames() + ")";
            return false;
        }
        if (!fits(def->kind, m.second)) {
            std::string got = json::typeName(m.second.type());
            if (def->kind == Kind::Integer && m.second.isNumber())
                got = "the number " + json::numberText(m.second.number());
            error = std::string("field \"") + def->name + "\" must be " + kindName(def->kind) + ", not " + got;
            return false;
        }
        def->set(out, m.second);
    }
    out.sectionComplete = out.given[0] && out.given[1] && out.given[2] && out.given[3] && out.given[4];
    return checkDesignLoads(out, error);
}

void applySectionOverrides(const JsonInput& given, ColumnInput& in)
{
    const ColumnInput& g = given.input;
    if (given.given[0]) in.h = g.h;
    if (given.given[1]) in.b = g.b;
    if (given.given[2]) in.tw = g.tw;
    if (given.given[3]) in.tf = g.tf;
    if (given.given[4]) in.r = g.r;
    if (given.given[5]) in.movrixAvailable = g.movrixAvailable;
}

} // namespace qeln::cli
