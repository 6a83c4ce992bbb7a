// Every field of a project by its name ("profileName", "d", "nEd", ...): the
// names of qeln-cli's JSON input and of the column schedule's columns.
#pragma once

#include "calc/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qeln {

// Where a field lives in ColumnInput; the member's type is the value's kind.
using ProjectMember = std::variant<double ColumnInput::*, int ColumnInput::*, bool ColumnInput::*,
                                   std::string ColumnInput::*, std::optional<FireClass> ColumnInput::*,
                                   DesignCode ColumnInput::*>;

// Which section value a field is (index into "given" marks: h, b, tw, tf, r,
// movrixAvailable), or one of the two dates.
enum ProjectFieldMark { kFieldNoMark = -1, kFieldCreatedOn = 6, kFieldLastUpdated = 7 };

struct ProjectField {
    const char* name;
    ProjectMember member;
    int maxLength = 0;            // texts only; 0: no limit
    int mark = kFieldNoMark;      // 0..5: section value, kFieldCreatedOn, kFieldLastUpdated
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
// a file that names none). The design loads are checked as the JSON reader checks them. False
// with an English reason when the text is no such value; `in` is then
// unchanged.
bool setProjectField(const ProjectField& f, std::string_view text, bool decimalComma, ColumnInput& in,
                     std::string& reason);

// For a table whose numbers may come with either decimal separator (a
// semicolon or tab separated file, cells pasted from a spreadsheet): whether
// the number in `text` has a decimal comma. False with an English reason when
// it has a thousands separator ("1.002,5", "1,000,000") or reads as two
// different numbers in the two conventions ("2.600", "2,600": 2.6 or 2600);
// such a number is refused, never guessed.
bool decimalCommaOf(std::string_view text, bool& comma, std::string& reason);

// The value as setProjectField reads it back (shortest exact number, point
// or comma as decimal separator).
std::string projectFieldText(const ProjectField& f, const ColumnInput& in, bool decimalComma);

} // namespace qeln
