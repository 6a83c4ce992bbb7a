// The caption table of the language switch and the help pages per language.
#include "shell/language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

namespace qeln {
namespace {

TEST(Language, HelpFilePerLanguage)
{
    EXPECT_EQ(helpFileFor(Language::English), "qeln-eng.hlp");
    EXPECT_EQ(helpFileFor(Language::French), "qeln-fra.hlp");
    EXPECT_EQ(helpFileFor(Language::German), "qeln-deu.hlp");
    EXPECT_EQ(helpLanguageCode(Language::German), "de");
    EXPECT_EQ(helpLanguageCode(Language::English), "en");
}

TEST(Language, NoControlIsAssignedTwice)
{
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& c : captionTable()) {
        const auto key = std::make_pair(std::string(c.window), std::string(c.control) + "/" +
                                                                   std::to_string(int(c.kind)));
        EXPECT_TRUE(seen.insert(key).second) << c.window << "." << c.control;
    }
}

TEST(Language, EveryDialogGetsItsButtonsAndCaption)
{
    for (const char* dlg :
         {"frmprojet", "frmprofil", "frmarmat", "frmmater", "frmgamat", "frmflamb", "frmexcent", "frmloads"}) {
        int ok = 0, cancel = 0, help = 0, caption = 0;
        for (const auto& c : captionTable()) {
            if (std::string(c.window) != dlg)
                continue;
            const std::string ctl = c.control;
            ok += ctl == "OKBtn" && c.text == 61;
            cancel += ctl == "CancelBtn" && c.text == 62;
            help += ctl == "HelpBtn" && c.text == 60;
            caption += ctl.empty();
        }
        EXPECT_EQ(ok + cancel + help + caption, 4) << dlg;
    }
}

TEST(Language, HeadingsFollowTheProjectDialogCaption)
{
    const auto& t = captionTable();
    std::size_t projet = 0, input = 0, output = 0, profil = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::string ctl = t[i].control;
        if (std::string(t[i].window) == "frmprojet" && ctl.empty())
            projet = i;
        if (ctl == "lblinput")
            input = i;
        if (ctl == "lbloutput")
            output = i;
        if (ctl == "btnprofil")
            profil = i;
    }
    EXPECT_EQ(input, projet + 1);
    EXPECT_EQ(output, projet + 2);
    EXPECT_LT(output, profil);
}

TEST(Language, EveryHelpContextHasAPageInEveryLanguage)
{
    for (int ctx : {0, 100, 300, 400, 500, 600, 650, 700, 800, 900, 1000, 1100, 1200, 1260, 1315})
        for (const char* lang : {"en", "fr", "de"}) {
            const std::string path = std::string(QELN_SOURCE_DIR) + "/data/help/" + lang + "/" + helpPageFor(ctx);
            std::ifstream f(path);
            EXPECT_TRUE(f.good()) << path;
        }
    EXPECT_EQ(helpPageFor(100), "main.html");
    EXPECT_EQ(helpPageFor(0), "contents.html");
    EXPECT_EQ(helpPageFor(kHelpLoads), "loads.html");
}

} // namespace
} // namespace qeln
