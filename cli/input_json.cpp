#include "input_json.h"

#include "calc/designcheck.h"

#include <climits>
#include <optional>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <variant>

namespace qeln::cli {

namespace {

// One project field: its name, where it lives in ColumnInput (the member's
// type is the JSON type taken), the longest text kept, and which `given` mark
// it sets.
using Member = std::variant<double ColumnInput::*, int ColumnInput::*, bool ColumnInput::*,
                            std::string ColumnInput::*, std::optional<FireClass> ColumnInput::*>;

enum Mark { kNoMark = -1, kCreatedOn = 6, kLastUpdated = 7 };   // 0..5: JsonInput::given

struct FieldDef {
    const char* name;
    Member member;
    int maxLength = 0;   // texts only; 0: no limit
    int mark = kNoMark;
};

const std::vector<FieldDef>& fields()
{
    using C = ColumnInput;
    static const std::vector<FieldDef> defs{
        {"projectCode", &C::projectCode, kShortTextMax},
        {"positionNumber", &C::positionNumber, kShortTextMax},
        {"projectName", &C::projectName, kLongTextMax},
        {"positionName", &C::positionName, kLongTextMax},
        {"office", &C::office, kLongTextMax},
        {"author", &C::author, kLongTextMax},
        {"comment", &C::comment},
        {"createdOn", &C::createdOn, 0, kCreatedOn},
        {"lastUpdated", &C::lastUpdated, 0, kLastUpdated},
        {"profileName", &C::profileName, kShortTextMax},
        {"h", &C::h, 0, 0},
        {"b", &C::b, 0, 1},
        {"tw", &C::tw, 0, 2},
        {"tf", &C::tf, 0, 3},
        {"r", &C::r, 0, 4},
        {"movrixAvailable", &C::movrixAvailable, 0, 5},
        {"d", &C::d},
        {"n1", &C::n1},
        {"n2", &C::n2},
        {"uc1", &C::uc1},
        {"uf1", &C::uf1},
        {"fy", &C::fy},
        {"autoReduce", &C::autoReduce},
        {"fck", &C::fck},
        {"fsk", &C::fsk},
        {"gammaA", &C::gammaA},
        {"gammaC", &C::gammaC},
        {"gammaS", &C::gammaS},
        {"gammaAfi", &C::gammaAfi},
        {"gammaCfi", &C::gammaCfi},
        {"gammaSfi", &C::gammaSfi},
        {"lWeakCold", &C::lWeakCold},
        {"lStrongCold", &C::lStrongCold},
        {"lWeakFire", &C::lWeakFire},
        {"lStrongFire", &C::lStrongFire},
        {"e1", &C::e1},
        {"e2", &C::e2},
        {"pcp", &C::pcp},
        // design loads
        {"nEd", &C::nEd},
        {"nFiEd", &C::nFiEd},
        {"fireClass", &C::fireClass},
    };
    return defs;
}

const FieldDef* findField(std::string_view name)
{
    static const std::unordered_map<std::string_view, const FieldDef*> byName = [] {
        std::unordered_map<std::string_view, const FieldDef*> m;
        for (const FieldDef& f : fields())
            m.emplace(f.name, &f);
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

// Checks the value's type against the member and stores it; false with the
// expected kind ("a number", ...) when it does not fit.
bool take(const FieldDef& f, const json::Value& v, ColumnInput& in, const char*& expected)
{
    return std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(in.*member)>;
            if constexpr (std::is_same_v<T, double>) {
                expected = "a number";
                if (!v.is_number())
                    return false;
                in.*member = v.get<double>();
            } else if constexpr (std::is_same_v<T, int>) {
                expected = "an integer";
                if (!v.is_number_integer())
                    return false;
                if (v.is_number_unsigned() ? v.get<std::uint64_t>() > INT_MAX
                                           : v.get<std::int64_t>() < INT_MIN || v.get<std::int64_t>() > INT_MAX)
                    return false;
                in.*member = static_cast<int>(v.get<std::int64_t>());
            } else if constexpr (std::is_same_v<T, bool>) {
                expected = "true or false";
                if (!v.is_boolean())
                    return false;
                in.*member = v.get<bool>();
            } else if constexpr (std::is_same_v<T, std::string>) {
                expected = "a string";
                if (!v.is_string())
                    return false;
                const auto& s = v.get_ref<const std::string&>();
                in.*member = f.maxLength > 0 ? cutText(s, f.maxLength) : s;
            } else if constexpr (std::is_same_v<T, std::optional<FireClass>>) {
                // "" (none) or a class code; the code itself is checked with
                // the design loads, after all members
                expected = "a string";
                if (!v.is_string())
                    return false;
                (in.*member).reset();
            } else {
                static_assert(std::is_void_v<T>, "a member of a type the reader does not know");
            }
            return true;
        },
        f.member);
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
    if (!doc.is_object()) {
        error = std::string("the input must be a JSON object, not ") + json::typeName(doc);
        return false;
    }
    for (const auto& [name, value] : doc.items()) {
        const FieldDef* def = findField(name);
        if (!def) {
            error = "unknown field \"" + name + "\" (the fields are: " + inputFieldNames() + ")";
            return false;
        }
        const char* expected = "";
        if (std::holds_alternative<std::optional<FireClass> ColumnInput::*>(def->member) && value.is_string())
            out.fireClassText = value.get<std::string>();
        if (!take(*def, value, out.input, expected)) {
            std::string got = json::typeName(value);
            if (std::holds_alternative<int ColumnInput::*>(def->member) && value.is_number())
                got = "the number " + json::numberText(value.get<double>());
            error = std::string("field \"") + def->name + "\" must be " + expected + ", not " + got;
            return false;
        }
        if (def->mark >= 0 && def->mark < 6)
            out.given[def->mark] = true;
        else if (def->mark == kCreatedOn)
            out.createdOnGiven = true;
        else if (def->mark == kLastUpdated)
            out.lastUpdatedGiven = true;
    }
    out.sectionComplete = out.given[0] && out.given[1] && out.given[2] && out.given[3] && out.given[4];
    return checkDesignLoads(out, error);
}

json::Value projectToJson(const ColumnInput& in)
{
    json::Value doc = json::Value::object();
    for (const FieldDef& f : fields())
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(in.*member)>;
                if constexpr (std::is_same_v<T, std::optional<FireClass>>)
                    doc[f.name] = in.*member ? fireClassCode(*(in.*member)) : "";
                else
                    doc[f.name] = in.*member;
            },
            f.member);
    return doc;
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
