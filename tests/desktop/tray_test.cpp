// The notification-area icon on a desktop that has a notification area: it sits in the host,
// a double click brings a new empty window, and its popup menu works by keys as a user
// drives it: a new window, the window list in list order, and quit all.
#include "desktop/support/desktop.h"

#include <regex>

namespace mv::desktop {
namespace {

const std::string NewWindowCaption = std::string("^\\(新規\\)") + DocumentCaptionEnd + "$";

struct TIcon {
    TWindow Window;
    int X = 0; // its centre on the screen
    int Y = 0;
};

class Tray : public DesktopTest {
protected:
    // The notification area runs before the editor starts, as it does on a user's desktop.
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) return;
        StartPanel();
    }

    void StartPanel() {
        Desk().Launch({"trayer"});
        ASSERT_TRUE(Eventually([&] { return !HostWindows().empty(); })) << "trayer showed no panel";
    }

    std::vector<TWindow> HostWindows() { return Desk().Search({"--class", "^trayer$"}); }

    // The editor's icon among the windows the host has embedded.
    std::optional<TIcon> EmbeddedIcon() {
        static const std::regex child(
            R"re(0x([0-9a-f]+) "Morvane Prime": \(.*\)\s+(\d+)x(\d+)[-+]\d+[-+]\d+\s+\+(-?\d+)\+(-?\d+))re");
        for (const TWindow& host : HostWindows()) {
            const std::string tree = Desk().Tool({"xwininfo", "-tree", "-id", host}).Output;
            std::smatch found;
            if (!std::regex_search(tree, found, child)) continue;
            return TIcon{std::to_string(std::stoul(found[1].str(), nullptr, 16)),
                         std::stoi(found[4].str()) + std::stoi(found[2].str()) / 2,
                         std::stoi(found[5].str()) + std::stoi(found[3].str()) / 2};
        }
        return std::nullopt;
    }

    // Starts the editor with the file held.bin; answers its icon once the host embedded it.
    TIcon StartWithIcon() {
        editor_ = &Desk().StartEditor({Desk().Folder().Write("held.bin", {1, 2, 3})});
        EXPECT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 1).size(), 1u);
        EXPECT_TRUE(Desk().OpeningScreenClosed());
        std::optional<TIcon> icon;
        EXPECT_TRUE(Eventually([&] { return (icon = EmbeddedIcon()).has_value(); }, 15s))
            << "the icon never reached the notification area";
        return icon.value_or(TIcon{});
    }

    // The popup menu and its submenus on screen: the program's windows that are neither a
    // document window nor the icon.
    std::vector<TWindow> Popups(const TIcon& icon) {
        std::vector<TWindow> popups = Desk().Search({"--classname", "^morvane$"});
        std::erase_if(popups, [&](const TWindow& window) {
            return window == icon.Window ||
                   Desk().Caption(window).find(DocumentCaptionEnd) != std::string::npos;
        });
        return popups;
    }

    // Opens the icon's menu and chooses by mnemonics; answers whether the menu was there.
    bool Choose(const TIcon& icon, const std::vector<std::string>& mnemonics,
                const std::string& shotName = {}) {
        if (!OpenPopup(icon)) return false;
        for (std::size_t index = 0; index + 1 < mnemonics.size(); ++index) {
            const std::size_t open = Popups(icon).size();
            Desk().Keys({mnemonics[index]});
            if (!Eventually([&] { return Popups(icon).size() > open; })) return false;
        }
        if (!shotName.empty()) Desk().Screenshot(shotName);
        Desk().Keys({mnemonics.back()});
        return Eventually([&] { return Popups(icon).empty(); });
    }

    // The popup shows within some 30 ms of a right click, but a right click that comes within
    // about a tenth of a second of a menu choice bringing a window to the front is lost (the
    // editor still takes the focus the window manager already reports). It is given again, as
    // a user would.
    bool OpenPopup(const TIcon& icon) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Desk().ClickAt(icon.X, icon.Y, 3);
            if (Eventually([&] { return Popups(icon).size() == 1; }, 1s)) return true;
        }
        return false;
    }

    TChildProcess* editor_ = nullptr;
};

// A panel that starts after the editor, as one of a session's later programs, takes its icon in.
class LateTray : public Tray {
protected:
    void SetUp() override { DesktopTest::SetUp(); }
};

TEST_F(LateTray, APanelStartedLaterShowsTheIcon) {
    Desk().StartEditor({});
    ASSERT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 1).size(), 1u);
    StartPanel();
    EXPECT_TRUE(Eventually([&] { return EmbeddedIcon().has_value(); }, 15s))
        << "the icon never reached the notification area";
}

TEST_F(Tray, ADoubleClickOnTheIconOpensOneEmptyWindowAndASingleClickNone) {
    const TIcon icon = StartWithIcon();
    ASSERT_FALSE(icon.Window.empty());

    Desk().ClickAt(icon.X, icon.Y);
    EXPECT_FALSE(Eventually([&] { return !Desk().Windows(NewWindowCaption).empty(); }, 1s));

    Desk().ClickAt(icon.X, icon.Y, 1, 2);
    const std::vector<TWindow> fresh = Desk().WaitForWindows(NewWindowCaption, 1);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_TRUE(Desk().ComesToFront(fresh[0], 5s)) << "the new window comes to the front";
    EXPECT_FALSE(Eventually([&] { return Desk().Windows(DocumentCaptionEnd).size() > 2; }, 1s))
        << "one double click, one window";
    EXPECT_TRUE(editor_->Running());
}

TEST_F(Tray, ThePopupMenuByKeysOpensAWindowListsTheWindowsInOrderAndQuitsAll) {
    const TIcon icon = StartWithIcon();
    ASSERT_FALSE(icon.Window.empty());
    const std::vector<TWindow> held = Desk().Windows("held\\.bin");
    ASSERT_EQ(held.size(), 1u);

    ASSERT_TRUE(Choose(icon, {"n"}, "popup")) << "新規作成(&N)";
    const std::vector<TWindow> fresh = Desk().WaitForWindows(NewWindowCaption, 1);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_TRUE(Desk().ComesToFront(fresh[0], 5s));

    // ウィンドウ選択(&W) numbers the windows in the order they opened.
    ASSERT_TRUE(Choose(icon, {"w", "1"}, "window-list"));
    EXPECT_TRUE(Desk().ComesToFront(held[0], 5s)) << "item 1 is the first window";
    ASSERT_TRUE(Choose(icon, {"w", "2"}));
    EXPECT_TRUE(Desk().ComesToFront(fresh[0], 5s)) << "item 2 is the second window";

    ASSERT_TRUE(Choose(icon, {"q"})) << "全終了(&Q)";
    EXPECT_EQ(editor_->Wait(20s), 0) << "quit all ends the program with success";
    EXPECT_TRUE(Desk().Windows(DocumentCaptionEnd).empty());
}

} // namespace
} // namespace mv::desktop
