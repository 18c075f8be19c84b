// Files dropped from another program (a file manager's text/uri-list drag) onto a document
// window: each opens once, in drop order, and only an untouched window takes one itself.
#include "desktop/support/desktop.h"

#include <optional>

namespace mv::desktop {
namespace {

class Drop : public DesktopTest {
protected:
    // Drops the files onto the middle of the window as a file manager would; answers whether
    // the window took them.
    bool DropOnto(const TWindow& window, const std::vector<std::string>& paths) {
        const TGeometry geometry = Desk().Geometry(window);
        std::vector<std::string> argv = {HelperProgram("drag_source"),
                                         std::to_string(geometry.X + geometry.Width / 2),
                                         std::to_string(geometry.Y + geometry.Height / 2)};
        argv.insert(argv.end(), paths.begin(), paths.end());
        return Desk().Tool(argv, 30s).Status == 0;
    }

    // The one document window whose caption is the file's, once it shows.
    std::optional<TWindow> WindowOf(const std::string& path) {
        const std::string caption = CaptionOf(path);
        std::optional<TWindow> found;
        Eventually([&] {
            for (const TWindow& window : Desk().Windows(DocumentCaptionEnd))
                if (Desk().Caption(window) == caption) found = window;
            return found.has_value();
        });
        return found;
    }
};

TEST_F(Drop, OneFileFillsAnUntouchedWindowElseOpensOnceInANewOne) {
    const std::string first = Desk().Folder().Write("first.bin", {1, 2, 3});
    const std::string second = Desk().Folder().Write("second.bin", {4, 5, 6});
    Desk().StartEditor({});
    const TWindow untouched = Desk().FocusedWindow(DocumentCaptionEnd);
    ASSERT_FALSE(untouched.empty());

    ASSERT_TRUE(DropOnto(untouched, {first}));
    EXPECT_EQ(WindowOf(first), untouched) << "the untouched window takes the file";
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 1u);

    ASSERT_TRUE(DropOnto(untouched, {second}));
    const std::optional<TWindow> secondWindow = WindowOf(second);
    ASSERT_TRUE(secondWindow.has_value());
    EXPECT_NE(*secondWindow, untouched) << "a window with a file keeps it";
    EXPECT_EQ(Desk().Caption(untouched), CaptionOf(first));
    EXPECT_TRUE(Desk().ComesToFront(*secondWindow));

    // A file that is open already only brings its window to the front.
    ASSERT_TRUE(DropOnto(*secondWindow, {first}));
    EXPECT_TRUE(Desk().ComesToFront(untouched));
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 2u);
}

TEST_F(Drop, ThreeFilesOpenInDropOrderWithOnlyTheFirstInTheUntouchedWindow) {
    // The last name needs its URI decoded: a space and characters beyond ASCII.
    const std::vector<std::string> files = {
        Desk().Folder().Write("one.bin", {1}),
        Desk().Folder().Write("two.bin", {2}),
        Desk().Folder().Write("データ 3.bin", {3}),
    };
    Desk().StartEditor({});
    const TWindow untouched = Desk().FocusedWindow(DocumentCaptionEnd);
    ASSERT_FALSE(untouched.empty());

    ASSERT_TRUE(DropOnto(untouched, files));
    std::vector<TWindow> windows;
    for (const std::string& file : files) {
        const std::optional<TWindow> window = WindowOf(file);
        ASSERT_TRUE(window.has_value()) << file;
        windows.push_back(*window);
    }
    EXPECT_EQ(windows[0], untouched);
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 3u);
    // A client's windows get rising ids, so the ids tell the order the windows were made in.
    EXPECT_LT(std::stoul(windows[1]), std::stoul(windows[2])) << "opened in drop order";
    EXPECT_TRUE(Desk().ComesToFront(windows[2]))
        << "the last file opened comes to the front";
}

} // namespace
} // namespace mv::desktop
