// What the batch command line needs of the files around a project: the
// profile catalogue, the project file and the clock.
#pragma once

#include "calc/records.h"
#include "catalogue/profiles.h"
#include "shell/datetime.h"
#include "platform/failure.h"
#include "shell/projectfile.h"

#include <optional>
#include <string>
#include <vector>

namespace qeln::cli {

// Opens the profile catalogue read-only (no index file is written). The
// failure: cannotOpen, with the path and the reader's reason.
Result<ProfileCatalogue> openCatalogue(const std::string& path);

// Takes h, b, tw, tf, r and movrixAvailable of the profile `in.profileName`
// from the catalogue. False when the name is not there; the lookup's message
// ("Profile <name> not found in database") then went to `messages`.
bool lookUpProfile(ProfileCatalogue& cat, ColumnInput& in, Language language, std::vector<std::string>& messages);

// Reads a project file into `in`; the lookup takes the section values from
// the catalogue right after the profile name is read. The failure, when the
// file cannot be read (`in` is then untouched), always has a text: a damaged
// file is reported like one that cannot be opened (514), with its line.
// With `schedule`, the file's column schedule is read into it (empty when the
// file has none).
std::optional<Failure> readProject(const std::string& path, ColumnInput& in, const ProfileLookup& lookup,
                                   Schedule* schedule = nullptr);

// Writes a project file, keeping a previous file of that name as backup.
std::optional<Failure> writeProject(const std::string& path, const ColumnInput& in);

} // namespace qeln::cli
