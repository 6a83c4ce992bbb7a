#include "location.h"

#include "profiles.h"

#include "platform/fileio.h"
#include "platform/process.h"

#include <filesystem>
#include <system_error>

#ifndef QELN_RELATIVE_DATA_DIR
#define QELN_RELATIVE_DATA_DIR "../share/qeln"
#endif

namespace qeln::location {

namespace {

bool isSet(const char* v) { return v != nullptr && *v != '\0'; }

std::string withoutTrailingSlash(std::string p)
{
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

std::string join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

using platform::isRegularFile;

// The table beside the program, usable in place: it and its folder (for the
// index) may be written.
bool usableBeside(const CatalogueFolders& f, const WritablePredicate& canWrite)
{
    const std::string table = join(f.beside, kProfileTableFile);
    return !f.beside.empty() && isRegularFile(table) && canWrite(f.beside) && canWrite(table);
}

// The table a per-user copy is made from, or empty.
std::string installedTable(const CatalogueFolders& f)
{
    for (const std::string* folder : {&f.beside, &f.installed}) {
        if (!folder->empty() && isRegularFile(join(*folder, kProfileTableFile)))
            return join(*folder, kProfileTableFile);
    }
    return {};
}

std::string missingText(const CatalogueFolders& f)
{
    std::string where = join(f.beside, kProfileTableFile);
    if (!f.installed.empty())
        where += " nor " + join(f.installed, kProfileTableFile);
    return std::string("The profile catalogue ") + kProfileTableFile + " is not installed: there is neither " + where;
}

Choice failed(std::string error)
{
    Choice c;
    c.error = std::move(error);
    return c;
}

Choice at(std::string folder, bool copied = false)
{
    Choice c;
    c.folder = std::move(folder);
    c.copied = copied;
    return c;
}

} // namespace

std::string Choice::table() const { return join(folder, kProfileTableFile); }

CatalogueFolders foldersFor(const std::string& programDir, const std::string& relativeDataDir,
                            const char* xdgDataHome, const char* home)
{
    CatalogueFolders f;
    f.beside = withoutTrailingSlash(programDir);
    if (!relativeDataDir.empty()) {
        const std::filesystem::path data = std::filesystem::path(f.beside) / relativeDataDir;
        f.installed = withoutTrailingSlash(data.lexically_normal().string());
    }
    // XDG: a relative XDG_DATA_HOME is invalid and ignored
    if (isSet(xdgDataHome) && xdgDataHome[0] == '/')
        f.perUser = join(withoutTrailingSlash(xdgDataHome), "qeln");
    else if (isSet(home))
        f.perUser = join(withoutTrailingSlash(home), ".local/share/qeln");
    return f;
}

CatalogueFolders standardFolders()
{
    return foldersFor(platform::programDirectory(), QELN_RELATIVE_DATA_DIR,
                      platform::environmentValue("XDG_DATA_HOME").c_str(), platform::environmentValue("HOME").c_str());
}

Choice writableCatalogue(const CatalogueFolders& f, const WritablePredicate& canWrite)
{
    if (usableBeside(f, canWrite))
        return at(f.beside);
    if (f.perUser.empty())
        return failed(std::string("The profile catalogue beside the program cannot be written and there is no "
                                  "per-user folder for a copy (neither XDG_DATA_HOME nor HOME is set)"));
    const std::string copy = join(f.perUser, kProfileTableFile);
    if (isRegularFile(copy))
        return at(f.perUser);
    const std::string source = installedTable(f);
    if (source.empty())
        return failed(missingText(f));

    std::error_code ec;
    std::filesystem::create_directories(f.perUser, ec);
    if (ec)
        return failed("Could not create the folder " + f.perUser + " for a copy of the profile catalogue: " +
                      ec.message());
    try {
        const Result<std::string> bytes = platform::readWholeFile(source, 256u << 20);
        if (!bytes)
            return failed("Could not read the profile catalogue " + source + ": " + bytes.failure().detail);
        platform::replaceFile(copy, *bytes);
    } catch (const std::exception& e) {
        return failed("Could not copy the profile catalogue to " + copy + ": " + e.what());
    }
    return at(f.perUser, true);
}

Choice readableCatalogue(const CatalogueFolders& f, const WritablePredicate& canWrite)
{
    if (usableBeside(f, canWrite))
        return at(f.beside);
    if (!f.perUser.empty() && isRegularFile(join(f.perUser, kProfileTableFile)))
        return at(f.perUser);
    const std::string source = installedTable(f);
    if (source.empty())
        return failed(missingText(f));
    return at(std::filesystem::path(source).parent_path().string());
}

} // namespace qeln::location
