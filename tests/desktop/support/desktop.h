#pragma once

#include "desktop/support/child_process.h"
#include "support/temp_folder.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mv::desktop {

using namespace std::chrono_literals;

using TWindow = std::string; // an X window id as xdotool prints it

// The name every document window's caption ends with.
inline constexpr const char* DocumentCaptionEnd = " - Morvane Prime";
inline std::string CaptionOf(const std::string& fileName) { return fileName + DocumentCaptionEnd; }

// The path of helpers/NAME.cpp's program, a small X client a test needs as the other program.
inline std::string HelperProgram(const std::string& name) {
    return std::string(MV_HELPER_DIR) + "/mv_" + name;
}

// A file's bytes as they are now; none while it is missing, as when a save has it renamed away.
[[nodiscard]] test::TTempFolder::Bytes FileBytes(const std::string& path);
// Waits until the file holds `expected`, as a save puts it there; a mismatch shows the start
// of both.
::testing::AssertionResult FileBecomes(const std::string& path,
                                       const test::TTempFolder::Bytes& expected,
                                       std::chrono::milliseconds timeout = 10s);

// Where the window manager shows a window's client area on the screen.
struct TGeometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// A private X server with a window manager, and a user of its own (home, configuration, data
// and runtime folders) for one test: the desktop a user meets, driven as a user drives it.
// Every process the test starts through it ends with it.
class TDesktop {
public:
    // The desktop, or nothing with the reason when no X server can start on this machine.
    [[nodiscard]] static std::unique_ptr<TDesktop> Start(std::string& whyNot);
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    [[nodiscard]] const test::TTempFolder& Folder() const { return folder_; } // scratch files
    [[nodiscard]] std::string Home() const { return root_ / "home"; }
    [[nodiscard]] std::string ConfigFolder() const { return Home() + "/.config"; }
    [[nodiscard]] std::string DataFolder() const { return Home() + "/.local/share"; }
    [[nodiscard]] std::string RuntimeFolder() const { return root_ / "runtime"; }
    // The editor's settings, written at its end; a user's earlier start left them there.
    [[nodiscard]] std::filesystem::path SettingsFile() const {
        return ConfigFolder() + "/Corlith Applications/Morvane.ini";
    }
    // The environment of a program started on this desktop by its user.
    [[nodiscard]] std::vector<std::string> Environment() const;

    // Starts the editor as a user's command line would; the desktop ends it at the latest.
    TChildProcess& StartEditor(const std::vector<std::string>& arguments);
    // Starts any program on this desktop, ended with the desktop at the latest.
    TChildProcess& Launch(const std::vector<std::string>& argv,
                          const std::string& inputPath = "/dev/null");
    // Runs a tool (xdotool, xclip, xprop) on this desktop to its end.
    TToolResult Tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout = 10s,
                     const std::string& input = {}) const;

    // The visible windows that xdotool's search finds with these options ("--class", "^x$").
    [[nodiscard]] std::vector<TWindow> Search(const std::vector<std::string>& options) const;
    // The visible windows whose caption matches the regular expression, oldest first.
    [[nodiscard]] std::vector<TWindow> Windows(const std::string& captionPattern) const {
        return Search({"--name", captionPattern});
    }
    // Waits until `count` such windows are visible; answers them, or what there is at the end.
    std::vector<TWindow> WaitForWindows(const std::string& captionPattern, std::size_t count,
                                        std::chrono::milliseconds timeout = 10s) const;
    // Waits until the editor's opening screen, which stands over its first windows for about a
    // second while it starts, has closed; answers whether it did.
    bool OpeningScreenClosed() const;
    // Waits for the one window with such a caption and for the opening screen to close, and
    // gives the window the keyboard; answers it, or nothing (a failure) when any of it failed.
    TWindow FocusedWindow(const std::string& captionPattern,
                          std::chrono::milliseconds timeout = 10s) const;
    [[nodiscard]] std::string Caption(const TWindow& window) const;
    [[nodiscard]] TGeometry Geometry(const TWindow& window) const;
    [[nodiscard]] std::optional<TWindow> ActiveWindow() const;
    // The active window's caption; nothing when no window is active.
    [[nodiscard]] std::optional<std::string> ActiveCaption() const;
    // Waits until the window has the keyboard focus; answers whether it got it.
    bool ComesToFront(const TWindow& window, std::chrono::milliseconds timeout = 10s) const;
    // Gives the window the keyboard focus and waits until it has it.
    bool Activate(const TWindow& window) const;

    // Key presses through the X server as xdotool names them ("ctrl+s", "F2", "a").
    void Keys(const std::vector<std::string>& keys) const;
    // Keys pressed, or released, in this order and held so until released.
    void KeyDown(const std::vector<std::string>& keys) const;
    void KeyUp(const std::vector<std::string>& keys) const;
    // Characters typed as a user with a keyboard layout holding them would.
    void Type(const std::string& utf8) const;
    // `clicks` presses of the button in a row: 2 makes a double click.
    void ClickAt(int x, int y, int button = 1, int clicks = 1) const;

    // Saves the whole screen under the build folder's desktop-shots as `<test>-<name>.png`,
    // for a person to look at; answers its path.
    std::string Screenshot(const std::string& name) const;
    // What the programs started on this desktop wrote on their outputs.
    [[nodiscard]] std::string ProgramOutput() const;
    // The window's pixels as a PPM file's bytes, for telling whether something changed.
    [[nodiscard]] std::string Pixels(const TWindow& window) const;

private:
    TDesktop() = default;

    test::TTempFolder folder_;
    test::TTempFolder root_;
    std::string display_;
    // Ended in the reverse order: the programs, the window manager, the server last.
    std::unique_ptr<TChildProcess> server_;
    std::unique_ptr<TChildProcess> windowManager_;
    std::vector<std::unique_ptr<TChildProcess>> programs_;
};

// Polls `condition` until it holds or `timeout` passes; answers whether it held.
bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

} // namespace mv::desktop

#include <gtest/gtest.h>

#include <iostream>

namespace mv::desktop {

// A test on a desktop of its own; skipped, saying why, only where no X server can start.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        desktop_ = TDesktop::Start(whyNot);
        if (!desktop_) GTEST_SKIP() << "no X server could start: " << whyNot;
    }
    void TearDown() override {
        if (!desktop_) return;
        desktop_->Screenshot("end");
        if (HasFailure()) std::cerr << "The programs wrote:\n" << desktop_->ProgramOutput();
        desktop_.reset();
    }

    TDesktop& Desk() { return *desktop_; }

private:
    std::unique_ptr<TDesktop> desktop_;
};

} // namespace mv::desktop
