#include "project_access.h"

#include "shell/projectfile.h"

namespace qeln::cli {

std::optional<ProfileCatalogue> openCatalogue(const std::string& path, std::string& error)
{
    try {
        return ProfileCatalogue::open(path, "");
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

bool lookUpProfile(ProfileCatalogue& cat, ColumnInput& in, int languageBase, std::vector<std::string>& messages)
{
    RecordingSink sink;
    const bool found = cat.Profilsuchen(in.profileName, languageBase, &sink);
    messages.insert(messages.end(), sink.messages.begin(), sink.messages.end());
    if (const auto p = cat.current())
        setSection(in, sectionOf(*p));
    return found;
}

namespace {

FileFailure failureOf(const ProjectFileResult& r)
{
    FileFailure f;
    // a damaged file (malformed number, early end) has no text of its own:
    // it is reported like a file that cannot be opened, with its line
    f.textId = r.textId() != 0 ? r.textId() : 514;
    f.file = r.file;
    f.line = r.line;
    f.reason = r.detail;
    return f;
}

} // namespace

bool readProject(const std::string& path, ColumnInput& in, const ProfileLookup& lookup, FileFailure& failure,
                 Schedule* schedule)
{
    const ProjectFileResult r = LoadProjectFile(path, in, lookup, schedule);
    if (r.ok())
        return true;
    failure = failureOf(r);
    return false;
}

bool writeProject(const std::string& path, const ColumnInput& in, FileFailure& failure)
{
    const ProjectFileResult r = SaveProjectFile(path, in);
    if (r.ok())
        return true;
    failure = failureOf(r);
    return false;
}

} // namespace qeln::cli
