// A project's input given as a JSON object: ColumnInput fields by name.
#pragma once

#include "json.h"

#include "calc/records.h"
#include "platform/failure.h"

#include <string>

namespace qeln::cli {

struct JsonInput {
    ColumnInput input;
    // h, b, tw, tf and r were all given: the section is taken as it stands
    // and the catalogue is not consulted.
    bool sectionComplete = false;
    // Which of the section values were given (h, b, tw, tf, r, movrixAvailable),
    // to lay over the catalogue row when the section is not complete.
    bool given[6] = {false, false, false, false, false, false};
    bool createdOnGiven = false;
    bool lastUpdatedGiven = false;
    std::string fireClassText;   // fireClass as given, checked after all members
};

// Reads the object's members into the defaults of a new project. Unknown
// members and values of the wrong type give the failure (malformed) with a
// message naming the member. Texts are cut to their stored maximum lengths.
Result<JsonInput> inputFromJson(const json::Value& doc);

// The names accepted, in the order of the record (for --help and messages).
const char* inputFieldNames();

// Every field of the project by name, texts and numbers exactly as they are:
// inputFromJson gives the same project back without the catalogue.
json::Value projectToJson(const ColumnInput& in);

// Lays the catalogue row's values under the given section values.
void applySectionOverrides(const JsonInput& given, ColumnInput& in);

} // namespace qeln::cli
