// Where the profile catalogue PROFKVL2.DBF is read and written.
//
// In the build folder the table lies beside the programs and that folder is
// writable: the desktop program keeps using it there, with its index. An
// installed program finds its folder read-only and the table under
// share/qeln beside bin/; the desktop program then works on a per-user copy
// in the XDG data folder ($XDG_DATA_HOME/qeln, else ~/.local/share/qeln),
// copied from the installed table at its first start and reused after. The
// index and the browser's editing panel write only to the chosen folder.
// The batch command line only reads: the same table the desktop program
// would use when it exists, else the installed one; it never copies.
#pragma once

#include "platform/fileio.h"

#include <functional>
#include <string>

namespace qeln::location {

// The candidate folders, each without a trailing '/'.
struct CatalogueFolders {
    std::string beside;      // the program's own folder
    std::string installed;   // the installed read-only table's folder (share/qeln)
    std::string perUser;     // the per-user data folder; empty when neither XDG_DATA_HOME nor HOME is set
};

// The folders of a program in `programDir`: `installed` is programDir joined
// with `relativeDataDir` (the path from the installed bin folder to the data
// folder, "../share/qeln" for the usual layout), `perUser` is
// xdgDataHome/qeln when that is an absolute path (the XDG rule), else
// home/.local/share/qeln. Null or empty values count as unset.
CatalogueFolders foldersFor(const std::string& programDir, const std::string& relativeDataDir,
                            const char* xdgDataHome, const char* home);

// The folders of the running program (from /proc/self/exe and the
// environment), with the data folder of this build's install layout.
CatalogueFolders standardFolders();

using WritablePredicate = std::function<bool(const std::string& path)>;

struct Choice {
    std::string folder;    // the folder of the table to use; empty when there is none
    bool copied = false;   // the per-user copy was made just now
    std::string error;     // when folder is empty: what is missing, in plain English

    std::string table() const;   // folder + "/PROFKVL2.DBF"
};

// The desktop program: the folder whose table and index it may write.
// 1. the table beside the program when that folder and the table are writable;
// 2. else the per-user copy when it exists;
// 3. else a per-user copy is made of the table beside the program or, when
//    there is none, of the installed one (folders created as needed; the copy
//    is written whole or not at all and is writable by the user).
// A missing installed table or a failed copy gives an error naming the paths.
Choice writableCatalogue(const CatalogueFolders& f, const WritablePredicate& canWrite = platform::mayWrite);

// The batch command line: the table to read. The one the desktop program
// would use when it exists (beside a writable program folder, else the
// per-user copy), else the installed one (beside the program, else under
// share/qeln). Nothing is created or copied.
Choice readableCatalogue(const CatalogueFolders& f, const WritablePredicate& canWrite = platform::mayWrite);

} // namespace qeln::location
