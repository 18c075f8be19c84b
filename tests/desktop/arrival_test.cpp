// Work that reaches the editor while it is busy, and messages of a start: a drop and a
// hand-over during a long load are answered at once and opened after it, a start's message
// is never hidden under the opening screen, and a first start offers the desktop entries.
#include "desktop/support/desktop.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace mv::desktop {
namespace {

const std::string NewCaption = std::string("^\\(新規\\)") + DocumentCaptionEnd + "$";

class Arrival : public DesktopTest {
protected:
    // A file of `size` zero bytes that costs no disk: its load is long all the same.
    std::string LargeFile(const std::string& name, off_t size) {
        const std::string path = Desk().Folder() / name;
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
        return path;
    }

    bool DropOnto(const TWindow& window, const std::string& path) {
        const TGeometry geometry = Desk().Geometry(window);
        return Desk()
                   .Tool({HelperProgram("drag_source"), std::to_string(geometry.X + geometry.Width / 2),
                          std::to_string(geometry.Y + geometry.Height / 2), path},
                         30s)
                   .Status == 0;
    }
};

TEST_F(Arrival, ADropAndAHandOverDuringALongLoadAreAnsweredAtOnceAndOpenAfterIt) {
    // Read whole rather than on demand, so that its load is long.
    std::ofstream(Desk().SettingsFile()) << "[Config]\nOpeningDlg=1\nOnDemandSize=2048\n";
    const std::string big = LargeFile("big.bin", off_t{1} << 30);
    const std::string dropped = Desk().Folder().Write("dropped.bin", {1});
    const std::string handed = Desk().Folder().Write("handed.bin", {2});
    TChildProcess& editor = Desk().StartEditor({});
    ASSERT_FALSE(Desk().FocusedWindow(NewCaption).empty());

    // The window that loads the file shows unnamed until the load ends; it is the newer one.
    TChildProcess& loading = Desk().StartEditor({big});
    EXPECT_EQ(loading.Wait(10s), 0) << "the start that asked for the load ends at once";
    const std::vector<TWindow> unnamed = Desk().WaitForWindows(NewCaption, 2);
    ASSERT_EQ(unnamed.size(), 2u);
    const TWindow window = std::max(unnamed[0], unnamed[1], [](const TWindow& a, const TWindow& b) {
        return std::stoul(a) < std::stoul(b);
    });
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(DropOnto(window, dropped)) << "the drop source heard nothing";
    TChildProcess& later = Desk().StartEditor({handed});
    EXPECT_EQ(later.Wait(10s), 0);
    const auto answered = std::chrono::steady_clock::now();
    const bool duringLoad = Desk().Caption(window) != CaptionOf(big);
    EXPECT_LT(answered - asked, 5s);
    EXPECT_TRUE(duringLoad) << "the load ended before the drop and the hand-over came";

    EXPECT_EQ(Desk().WaitForWindows(CaptionOf(big), 1, 120s).size(), 1u);
    EXPECT_EQ(Desk().WaitForWindows(CaptionOf(dropped), 1, 30s).size(), 1u);
    EXPECT_EQ(Desk().WaitForWindows(CaptionOf(handed), 1, 30s).size(), 1u);
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 4u) << "the first window stays untouched";
    EXPECT_TRUE(editor.Running());
}

// A message of the start comes in front: the opening screen, which stays on top, steps aside.
TEST_F(Arrival, AStartsMessageIsNotHiddenUnderTheOpeningScreen) {
    Desk().StartEditor({Desk().Folder() / "missing.bin"});
    ASSERT_TRUE(Eventually([&] { return !Desk().Windows("^エラー$").empty(); }))
        << "no message about the missing file";
    EXPECT_TRUE(Desk().Windows("バージョン情報").empty()) << "the opening screen stands over it";
    EXPECT_TRUE(Eventually([&] { return Desk().ActiveCaption() == "エラー"; }));
    Desk().Screenshot("message");
    Desk().Keys({"Return"});
    EXPECT_EQ(Desk().WaitForWindows(NewCaption, 1).size(), 1u);
}

// A user without settings has never started the program: it offers the desktop entries before
// any window, centred, and goes on to its window when they are declined.
TEST_F(Arrival, AFirstStartOffersTheDesktopEntriesFirst) {
    std::filesystem::remove(Desk().SettingsFile());
    Desk().StartEditor({});
    const std::vector<TWindow> dialogs =
        Desk().WaitForWindows("^Morvane Prime ショートカットメンテナンス$", 1);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(Desk().Windows(DocumentCaptionEnd).empty());
    ASSERT_TRUE(Desk().ComesToFront(dialogs[0]));
    Desk().Screenshot("shortcuts");
    Desk().Keys({"Escape"});
    EXPECT_EQ(Desk().WaitForWindows(NewCaption, 1).size(), 1u);
}

} // namespace
} // namespace mv::desktop
