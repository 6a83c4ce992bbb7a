// Every field of a project by its name ("profileName", "d", "nEd", ...): the
// names of qeln-cli's JSON input and of the column schedule's columns.
#pragma once

#include "calc/records.h"
#include "platform/failure.h"

#include <array>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qeln {

// Where a field lives in ColumnInput; the member's type is the value's kind.
using ProjectMember = std::variant<double ColumnInput::*, int ColumnInput::*, bool ColumnInput::*,
                                   std::string ColumnInput::*, std::optional<FireClass> ColumnInput::*,
                                   DesignCode ColumnInput::*, FrameType ColumnInput::*, StoreyPosition ColumnInput::*>;

// The fields that take one of a few words, and their words (the first is
// what an empty cell means).
template <typename E> struct Choice;
template <> struct Choice<DesignCode> {
    static constexpr std::array<std::pair<DesignCode, const char*>, 2> keys{
        {{DesignCode::ENV1994, "ENV1994"}, {DesignCode::EN1994, "EN1994"}}};
    static constexpr const char* what = "a design code (ENV1994 or EN1994)";
};
template <> struct Choice<FrameType> {
    static constexpr std::array<std::pair<FrameType, const char*>, 2> keys{
        {{FrameType::braced, "braced"}, {FrameType::sway, "sway"}}};
    static constexpr const char* what = "a frame (braced or sway)";
};
template <> struct Choice<StoreyPosition> {
    static constexpr std::array<std::pair<StoreyPosition, const char*>, 2> keys{
        {{StoreyPosition::intermediate, "intermediate"}, {StoreyPosition::top, "top"}}};
    static constexpr const char* what = "a storey (intermediate or top)";
};
template <typename E> concept ChoiceField = requires { Choice<E>::keys; };

// The word of a choice, and the choice of a word (any case, blanks around ignored).
template <ChoiceField E> const char* choiceKey(E v)
{
    for (const auto& [e, k] : Choice<E>::keys)
        if (e == v)
            return k;
    return Choice<E>::keys[0].second;
}
std::optional<int> choiceIndex(std::string_view text, const char* const* keys, std::size_t count);
template <ChoiceField E> std::optional<E> choiceOf(std::string_view text)
{
    const char* keys[Choice<E>::keys.size()];
    for (std::size_t i = 0; i < Choice<E>::keys.size(); ++i)
        keys[i] = Choice<E>::keys[i].second;
    const auto i = choiceIndex(text, keys, Choice<E>::keys.size());
    if (!i)
        return std::nullopt;
    return Choice<E>::keys[static_cast<std::size_t>(*i)].first;
}

// Which section value a field is (index into "given" marks: h, b, tw, tf, r,
// movrixAvailable), one of the two dates, or a field of the approval (checker,
// checkDate, revision: the project's own, never a schedule column).
enum ProjectFieldMark { kFieldNoMark = -1, kFieldCreatedOn = 6, kFieldLastUpdated = 7, kFieldApproval = 8 };

struct ProjectField {
    const char* name;
    ProjectMember member;
    int maxLength = 0;            // texts only; 0: no limit
    int mark = kFieldNoMark;      // 0..5: section value, kFieldCreatedOn, kFieldLastUpdated, kFieldApproval
};

// The fields in the order of the record.
const std::vector<ProjectField>& projectFields();
// The field of that name (exact, case matters); nullptr when there is none.
const ProjectField* findProjectField(std::string_view name);
// "projectCode, positionNumber, ..." (for help texts and messages).
const std::string& projectFieldNames();

// Reads a field's value from a text as a table cell holds it: numbers with a
// point (or with `decimalComma`, a comma), integers, true/false (also 1/0,
// yes/no), texts (cut to their longest length), "" / R30 .. R120 for the fire
// class, ENV1994 / EN1994 for the design code (an empty cell: ENV1994, as in
// a file that names none). The design loads are checked as the JSON reader checks them. The
// failure (malformed, the field's name and an English reason) when the text
// is no such value; `in` is then unchanged.
std::optional<Failure> setProjectField(const ProjectField& f, std::string_view text, bool decimalComma,
                                       ColumnInput& in);

// Why a text is no value of the text field f ("" when it is one): the check
// date must be a calendar date written YYYY-MM-DD (or empty); the other texts
// take anything. The readers of files, JSON and dialogs all ask here.
std::string projectTextProblem(const ProjectField& f, std::string_view text);

// Whether a text is a calendar date written YYYY-MM-DD (years 1000 to 9999).
bool isIsoDate(std::string_view text);

// For a table whose numbers may come with either decimal separator (a
// semicolon or tab separated file, cells pasted from a spreadsheet): whether
// the number in `text` has a decimal comma. The failure (malformed, with an
// English reason) when it has a thousands separator ("1.002,5", "1,000,000")
// or reads as two different numbers in the two conventions ("2.600",
// "2,600": 2.6 or 2600); such a number is refused, never guessed.
Result<bool> decimalCommaOf(std::string_view text);

// The value as setProjectField reads it back (shortest exact number, point
// or comma as decimal separator).
std::string projectFieldText(const ProjectField& f, const ColumnInput& in, bool decimalComma);

} // namespace qeln
