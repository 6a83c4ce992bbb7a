// Any bytes as a project file. A file that loads must save and load again to
// the same bytes (15 significant digits are stable, texts are cut and kept
// on one line when written); a file that does not load must leave the
// project untouched.
#include "shell/projectfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace qeln;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProfileLookup lookup = [](const std::string& name, ColumnInput& in) {
        in.h = static_cast<double>(name.size());
        return !name.empty();
    };
    ColumnInput project;
    project.projectName = "before";
    const ColumnInput before = project;
    const std::optional<Failure> res = ParseProjectFile(bytes, "fuzz.qln", project, lookup);
    if (res) {
        if (!(project == before))
            std::abort();
        return 0;
    }
    const std::string first = ProjectFileContent(project);
    ColumnInput again;
    if (ParseProjectFile(first, "again.qln", again, lookup))
        std::abort();
    if (ProjectFileContent(again) != first)
        std::abort();
    return 0;
}
