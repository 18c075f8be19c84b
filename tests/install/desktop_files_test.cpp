// The desktop entry and the AppStream metainfo that the installation ships: valid by the
// desktop's own checkers, naming the program's id, icon and executable, offered for any file.
#include "core/dialogs/desktop_files.h"
#include "platform/data_folders.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mv {
namespace {

const std::string Desktop = std::string(MV_SOURCE_DIR) + "/resources/desktop/";
const std::string Id = ApplicationId;

std::string Text(const std::string& path) {
    const std::vector<std::uint8_t> bytes = test::TTempFolder::Read(path);
    return {bytes.begin(), bytes.end()};
}

TEST(DesktopFiles, TheDesktopEntryIsValidAndOfferedForAnyFile) {
    const std::string entry = Desktop + Id + ".desktop";
    EXPECT_TRUE(test::ValidDesktopFile(entry));
    const std::string text = Text(entry);
    for (const std::string& line : std::vector<std::string>{"Exec=morvane %F", "Icon=" + Id, "MimeType=application/octet-stream;",
                                   "Name=Morvane Prime"})
        EXPECT_NE(text.find(line + "\n"), std::string::npos) << line;
    EXPECT_TRUE(std::filesystem::exists(std::string(MV_SOURCE_DIR) + "/resources/icons/hicolor/256x256/apps/" + Id + ".png"));
}

TEST(DesktopFiles, TheMetainfoValidatesAndNamesTheEntryAndTheProgram) {
    const std::string metainfo = Desktop + Id + ".metainfo.xml";
    std::string output;
    ASSERT_EQ(test::RunCommand("command -v appstreamcli", output), 0) << "appstreamcli is not installed (appstream)";
    output.clear();
    EXPECT_EQ(test::RunCommand("appstreamcli validate --no-net " + test::ShellQuoted(metainfo), output), 0) << output;
    const std::string text = Text(metainfo);
    for (const std::string& element : std::vector<std::string>{"<id>" + Id + "</id>", "<launchable type=\"desktop-id\">" + Id + ".desktop</launchable>",
                                      "<binary>morvane</binary>", "<release version=\"" MV_VERSION "\""})
        EXPECT_NE(text.find(element), std::string::npos) << element;
}

} // namespace
} // namespace mv
