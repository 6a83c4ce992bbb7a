#include "input_json.h"

#include "calc/method.h"

#include "present/checktext.h"
#include "present/utf8.h"
#include "shell/projectfields.h"

#include <climits>
#include <optional>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <variant>

namespace qeln::cli {

namespace {

using FieldDef = ProjectField;

const std::vector<ProjectField>& fields() { return projectFields(); }

const ProjectField* findField(std::string_view name) { return findProjectField(name); }

constexpr int kCreatedOn = kFieldCreatedOn;
constexpr int kLastUpdated = kFieldLastUpdated;

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
                if (f.mark == kFieldApproval) {
                    // as the project file and the dialog take it
                    if (setProjectField(f, s, false, in)) {
                        expected = "a date written YYYY-MM-DD or \"\"";
                        return false;
                    }
                    return true;
                }
                in.*member = f.maxLength > 0 ? cutText(s, f.maxLength) : s;
            } else if constexpr (std::is_same_v<T, std::optional<FireClass>>) {
                // "" (none) or a class code; the code itself is checked with
                // the design loads, after all members
                expected = "a string";
                if (!v.is_string())
                    return false;
                (in.*member).reset();
            } else if constexpr (ChoiceField<T>) {
                expected = Choice<T>::what;
                if (!v.is_string())
                    return false;
                const auto c = choiceOf<T>(v.get_ref<const std::string&>());
                if (!c)
                    return false;
                in.*member = *c;
            } else {
                static_assert(std::is_void_v<T>, "a member of a type the reader does not know");
            }
            return true;
        },
        f.member);
}

// The design loads: not negative, not absurd; the class "" or R30 .. R120.
std::optional<Failure> checkDesignLoads(JsonInput& out)
{
    for (const auto& [name, value] : {std::pair{"nEd", out.input.nEd}, std::pair{"nFiEd", out.input.nFiEd}}) {
        const std::string problem = designLoadProblem(name, value);
        if (!problem.empty())
            return Failure::because(std::string("field \"") + name + "\": " + problem);
    }
    out.input.fireClass.reset();
    if (!out.fireClassText.empty()) {
        out.input.fireClass = fireClassFromCode(out.fireClassText);
        if (!out.input.fireClass)
            return Failure::because("field \"fireClass\" must be \"\", \"R30\", \"R60\", \"R90\" or \"R120\", not \"" +
                           out.fireClassText + "\"");
    }
    return std::nullopt;
}

} // namespace

const char* inputFieldNames() { return projectFieldNames().c_str(); }

Result<JsonInput> inputFromJson(const json::Value& doc)
{
    JsonInput out;
    if (!doc.is_object())
        return Failure::because(std::string("the input must be a JSON object, not ") + json::typeName(doc));
    for (const auto& [name, value] : doc.items()) {
        const FieldDef* def = findField(name);
        if (!def)
            return Failure::because("unknown field \"" + name + "\" (the fields are: " + inputFieldNames() + ")");
        const char* expected = "";
        if (std::holds_alternative<std::optional<FireClass> ColumnInput::*>(def->member) && value.is_string())
            out.fireClassText = value.get<std::string>();
        if (!take(*def, value, out.input, expected)) {
            std::string got = json::typeName(value);
            if (std::holds_alternative<int ColumnInput::*>(def->member) && value.is_number())
                got = "the number " + json::numberText(value.get<double>());
            if (value.is_string() && (def->mark == kFieldApproval ||
                                      std::holds_alternative<DesignCode ColumnInput::*>(def->member) ||
                                      std::holds_alternative<FrameType ColumnInput::*>(def->member) ||
                                      std::holds_alternative<StoreyPosition ColumnInput::*>(def->member))) {
                // appended: GCC 12 at -O3 warns falsely (-Wrestrict) on "x" + std::string
                got = "\"";
                got += value.get<std::string>();
                got += "\"";
            }
            return Failure::because(std::string("field \"") + def->name + "\" must be " + expected + ", not " + got);
        }
        if (def->mark >= 0 && def->mark < 6)
            out.given[def->mark] = true;
        else if (def->mark == kCreatedOn)
            out.createdOnGiven = true;
        else if (def->mark == kLastUpdated)
            out.lastUpdatedGiven = true;
    }
    out.sectionComplete = out.given[0] && out.given[1] && out.given[2] && out.given[3] && out.given[4];
    // A project under another code than the default takes that code's
    // recommended partial factors where the input names none.
    if (out.input.code != ColumnInput{}.code) {
        const PartialFactors recommended = methodOf(out.input.code).recommendedFactors();
        const PartialFactors given = partialFactorsOf(out.input);
        PartialFactors f = recommended;
        const std::pair<const char*, double PartialFactors::*> factors[] = {
            {"gammaA", &PartialFactors::gammaA},     {"gammaC", &PartialFactors::gammaC},
            {"gammaS", &PartialFactors::gammaS},     {"gammaAfi", &PartialFactors::gammaAfi},
            {"gammaCfi", &PartialFactors::gammaCfi}, {"gammaSfi", &PartialFactors::gammaSfi}};
        for (const auto& [name, member] : factors)
            if (doc.contains(name))
                f.*member = given.*member;
        setPartialFactors(out.input, f);
    }
    if (auto failure = checkDesignLoads(out))
        return std::move(*failure);
    return out;
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
                else if constexpr (ChoiceField<T>)
                    doc[f.name] = choiceKey(in.*member);
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
