#include "project_access.h"

#include "shell/projectfile.h"

namespace qeln::cli {

Result<ProfileCatalogue> openCatalogue(const std::string& path)
{
    try {
        return ProfileCatalogue::open(path, "");
    } catch (const std::exception& e) {
        return Failure(FailureCode::cannotOpen, 0, path, e.what());
    }
}

bool lookUpProfile(ProfileCatalogue& cat, ColumnInput& in, Language language, std::vector<std::string>& messages)
{
    RecordingSink sink;
    const bool found = cat.Profilsuchen(in.profileName, language, &sink);
    messages.insert(messages.end(), sink.messages.begin(), sink.messages.end());
    if (const auto p = cat.current())
        setSection(in, sectionOf(*p));
    return found;
}

std::optional<Failure> readProject(const std::string& path, ColumnInput& in, const ProfileLookup& lookup,
                                   Schedule* schedule)
{
    std::optional<Failure> f = LoadProjectFile(path, in, lookup, schedule);
    if (f && f->textId == 0)
        f->textId = 514;
    return f;
}

std::optional<Failure> writeProject(const std::string& path, const ColumnInput& in)
{
    return SaveProjectFile(path, in);
}

} // namespace qeln::cli
