#include "core/dialogs/desktop_entry.h"

#include "core/dialogs/desktop_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(DesktopEntry, ExecArgumentsQuoteWhatTheExecLineReserves) {
    EXPECT_EQ(ExecArgument("/usr/bin/morvane"), "\"/usr/bin/morvane\"");
    // In the file a backslash is written four times: once for the quoting, once for the string.
    EXPECT_EQ(ExecArgument(R"(/a b/$x "q" `c` \ 100%)"),
              R"("/a b/\\$x \\"q\\" \\`c\\` \\\\ 100%%")");
}

// Every kind of entry, with a path that needs every escape, passes the validator.
TEST(DesktopEntry, EveryKindValidatesAndCarriesOurMark) {
    test::TTempFolder folder;
    const TDesktopEntryTargets targets{R"(/opt/my "odd" $dir/bin\x/morvane 100%)", "/usr/share/morvane-prime/help/index.html",
                                       "example.morvane.MorvanePrime"};
    for (const auto& [kind, name] : {std::pair{TDesktopEntryKind::Program, "program.desktop"},
                                     std::pair{TDesktopEntryKind::Help, "help.desktop"},
                                     std::pair{TDesktopEntryKind::OpenWith, "open-with.desktop"},
                                     std::pair{TDesktopEntryKind::MenuDirectory, "group.directory"}}) {
        const std::optional<std::string> text = DesktopEntryText(kind, targets);
        ASSERT_TRUE(text.has_value()) << name;
        EXPECT_TRUE(IsOwnShortcutText(*text)) << name;
        const std::string path = folder.Write(name, {text->begin(), text->end()});
        EXPECT_TRUE(test::ValidDesktopFile(path));
    }
    const std::string openWith = *DesktopEntryText(TDesktopEntryKind::OpenWith, targets);
    EXPECT_NE(openWith.find("MimeType=application/octet-stream;\n"), std::string::npos);
}

TEST(DesktopEntry, PathsThatCannotStandInAnEntryAreRefused) {
    for (const std::string& program : {std::string("/bin/mor\nvane"), std::string("/bin/\x82\xa0"),
                                       std::string("/bin/tab\there")})
        EXPECT_FALSE(DesktopEntryText(TDesktopEntryKind::Program, {program, "/h", "i"}).has_value());
    EXPECT_TRUE(DesktopEntryText(TDesktopEntryKind::Program, {"/ビン/morvane", "/h", "i"}).has_value());
}

TEST(DesktopEntry, OnlyOurMarkInOurOwnGroupMakesAFileOurs) {
    EXPECT_TRUE(IsOwnShortcutText(ProgramGroupMenuText("d.directory", "a.desktop", "b.desktop")));
    EXPECT_FALSE(IsOwnShortcutText("[Desktop Entry]\nName=Someone else's\n"));
    EXPECT_FALSE(IsOwnShortcutText("[Desktop Entry]\nName=x\n[Other]\nX-Morvane-Prime-Shortcut=true\n"));
    EXPECT_FALSE(IsOwnShortcutText("[Desktop Entry]\nComment=X-Morvane-Prime-Shortcut=true\n"));
    EXPECT_FALSE(IsOwnShortcutText(""));
}

} // namespace
} // namespace mv
