// Closing windows and quitting as a user does through the window manager and the keys: the
// question a modified window asks, what each answer does to the file, the end of the program
// with its last window, and what it leaves on disk for the next start.
#include "desktop/support/desktop.h"

#include <filesystem>

namespace mv::desktop {
namespace {

using Bytes = test::TTempFolder::Bytes;

class CloseAndQuit : public DesktopTest {
protected:
    // Asks the focused window to close and waits for its question, which takes the focus.
    bool CloseAsks(const std::string& closeKey) {
        Desk().Keys({closeKey});
        return Eventually([&] {
            const std::optional<std::string> caption = Desk().ActiveCaption();
            return caption && caption->find(DocumentCaptionEnd) == std::string::npos;
        });
    }
    bool Gone(const std::string& fileName) {
        return Eventually([&] { return Desk().Windows(CaptionOf(fileName)).empty(); });
    }
    // The file of that name anywhere under the folder, empty when there is none.
    static std::string FindFile(const std::string& folder, const std::string& name) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
            if (entry.path().filename() == name) return entry.path().string();
        return {};
    }
    // Where the window manager shows the window: "x,y" of its client area on the screen.
    std::string Place(const TWindow& window) {
        const TGeometry geometry = Desk().Geometry(window);
        return std::to_string(geometry.X) + "," + std::to_string(geometry.Y);
    }
};

TEST_F(CloseAndQuit, AModifiedWindowAsksAndEachAnswerDoesWhatItSays) {
    const std::string kept = Desk().Folder().Write("kept.bin", {0x11, 0x22, 0x33});
    const std::string saved = Desk().Folder().Write("saved.bin", {0x44, 0x55});
    TChildProcess& editor = Desk().StartEditor({kept, saved});

    const TWindow keptWindow = Desk().FocusedWindow(CaptionOf("kept.bin"));
    ASSERT_FALSE(keptWindow.empty());
    Desk().Keys({"f", "f"});
    // Cancel (Escape) keeps the window and its change; the window manager's close asks again.
    ASSERT_TRUE(CloseAsks("alt+F4"));
    Desk().Screenshot("question");
    Desk().Keys({"Escape"});
    EXPECT_TRUE(Desk().ComesToFront(keptWindow));
    EXPECT_EQ(test::TTempFolder::Read(kept), (Bytes{0x11, 0x22, 0x33}));
    // No closes the window and leaves the file as it was.
    ASSERT_TRUE(CloseAsks("alt+F4"));
    Desk().Keys({"alt+n"});
    EXPECT_TRUE(Gone("kept.bin"));
    EXPECT_EQ(test::TTempFolder::Read(kept), (Bytes{0x11, 0x22, 0x33}));

    // Yes saves, then closes; with its last window gone the program ends.
    ASSERT_FALSE(Desk().FocusedWindow(CaptionOf("saved.bin")).empty());
    Desk().Keys({"0", "1"});
    ASSERT_TRUE(CloseAsks("ctrl+q"));
    Desk().Keys({"alt+y"});
    EXPECT_TRUE(Gone("saved.bin"));
    EXPECT_EQ(editor.Wait(10s), 0);
    EXPECT_EQ(test::TTempFolder::Read(saved), (Bytes{0x01, 0x55}));
}

TEST_F(CloseAndQuit, QuitAllEndsTheProgramAndTheNextStartFindsItsPlaceAgain) {
    const std::string first = Desk().Folder().Write("first.bin", Bytes(300, 0xAB));
    const std::string second = Desk().Folder().Write("second.bin", {1});
    TChildProcess& editor = Desk().StartEditor({first, second});
    const TWindow window = Desk().FocusedWindow(CaptionOf("first.bin"));
    Desk().Tool({"xdotool", "windowmove", "--sync", window, "140", "170"});
    const std::string place = Place(window);

    Desk().Keys({"ctrl+shift+q"});
    ASSERT_EQ(editor.Wait(10s), 0) << "quit all ends the program";
    EXPECT_TRUE(Desk().Windows(DocumentCaptionEnd).empty());
    const std::string settings = FindFile(Desk().ConfigFolder(), "Morvane.ini");
    const std::string profile = FindFile(Desk().DataFolder(), "_profile");
    ASSERT_FALSE(settings.empty()) << "the configuration is written";
    ASSERT_FALSE(profile.empty()) << "the window profiles are written";
    EXPECT_GT(std::filesystem::file_size(settings), 0u);
    EXPECT_GT(std::filesystem::file_size(profile), 0u);

    Desk().StartEditor({first});
    const std::vector<TWindow> again = Desk().WaitForWindows(CaptionOf("first.bin"), 1);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(Eventually([&] { return Place(again[0]) == place; }, 3s))
        << "the window comes back at " << Place(again[0]) << ", not " << place;
}

} // namespace
} // namespace mv::desktop
