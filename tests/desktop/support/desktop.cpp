#include "desktop/support/desktop.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace mv::desktop {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> Joined(std::vector<std::string> argv,
                                const std::vector<std::string>& more) {
    argv.insert(argv.end(), more.begin(), more.end());
    return argv;
}

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info == nullptr ? "desktop" : std::string(info->test_suite_name()) + "." + info->name();
}

// The X server's display number, which it writes once it takes connections.
std::optional<std::string> DisplayNumber(const std::string& path) {
    std::ifstream in(path);
    std::string number;
    if (!std::getline(in, number) || number.empty() || in.eof()) return std::nullopt;
    return number;
}

// Whether the process answering the display's abstract socket, which clients try first, is
// `server`: another server on the same number would take our programs' connections.
bool AnswersDisplay(const std::string& number, pid_t server) {
    const std::string name = "/tmp/.X11-unix/X" + number;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    name.copy(address.sun_path + 1, sizeof address.sun_path - 2);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ucred peer{};
    socklen_t length = sizeof peer;
    const bool answered =
        connect(s, reinterpret_cast<sockaddr*>(&address),
                static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0 &&
        getsockopt(s, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0;
    close(s);
    return answered && peer.pid == server;
}

std::string FileText(const std::string& path) {
    const test::TTempFolder::Bytes bytes = FileBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> InheritedEnvironment() {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) environment.emplace_back(*variable);
    return environment;
}

} // namespace

test::TTempFolder::Bytes FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    // Read in one piece: a hundred mebibytes byte by byte take too long.
    const std::streamoff size = in.tellg();
    test::TTempFolder::Bytes bytes(static_cast<std::size_t>(std::max<std::streamoff>(size, 0)));
    in.seekg(0).read(reinterpret_cast<char*>(bytes.data()), std::ssize(bytes));
    return bytes;
}

::testing::AssertionResult FileBecomes(const std::string& path,
                                       const test::TTempFolder::Bytes& expected,
                                       std::chrono::milliseconds timeout) {
    const auto head = [](const test::TTempFolder::Bytes& bytes) {
        const auto end = bytes.begin() + std::min<std::ptrdiff_t>(16, std::ssize(bytes));
        return testing::PrintToString(test::TTempFolder::Bytes(bytes.begin(), end)) + " (" +
               std::to_string(bytes.size()) + " bytes)";
    };
    test::TTempFolder::Bytes actual;
    std::error_code missing; // the size first: comparing large files at every poll takes long
    if (Eventually([&] {
            return std::filesystem::file_size(path, missing) == expected.size() &&
                   (actual = FileBytes(path)) == expected;
        }, timeout))
        return testing::AssertionSuccess();
    actual = FileBytes(path);
    return testing::AssertionFailure() << path << "\nholds:    " << head(actual)
                                       << "\nexpected: " << head(expected);
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
}

std::unique_ptr<TDesktop> TDesktop::Start(std::string& whyNot) {
    std::unique_ptr<TDesktop> desktop(new TDesktop);
    std::filesystem::create_directories(desktop->Home());
    std::filesystem::create_directories(desktop->RuntimeFolder());
    // A user who has started the program before: a first start would offer the desktop entries.
    std::filesystem::create_directories(desktop->SettingsFile().parent_path());
    std::ofstream(desktop->SettingsFile()) << "[Config]\nOpeningDlg=1\n";
    chmod(desktop->RuntimeFolder().c_str(), 0700);

    const std::string displayFile = desktop->root_ / "display";
    const std::string log = desktop->root_ / "server.log";
    desktop->server_ = std::make_unique<TChildProcess>(
        std::vector<std::string>{"sh", "-c",
                                 "exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "
                                 "3>\"$0\"",
                                 displayFile},
        InheritedEnvironment(), log);
    std::optional<std::string> number;
    Eventually([&] { return (number = DisplayNumber(displayFile)) || !desktop->server_->Running(); },
               10s);
    if (!number) {
        whyNot = "Xvfb did not start: " + FileText(log);
        return nullptr;
    }
    desktop->display_ = ":" + *number;
    if (!AnswersDisplay(*number, desktop->server_->Pid())) {
        whyNot = "display " + desktop->display_ + " is answered by another X server";
        ADD_FAILURE() << whyNot;
        return nullptr;
    }

    // Focus, activation and window placement are the window manager's on a real desktop. Now
    // and then its first connection to a server that has only just started is turned away;
    // it gets a second and a third chance. It is ready once it lists the clients it manages:
    // a window mapped while it still starts up may stay unmanaged and unmapped for good.
    bool managed = false;
    for (int attempt = 0; attempt < 3 && !managed; ++attempt) {
        desktop->windowManager_ = std::make_unique<TChildProcess>(
            std::vector<std::string>{"openbox", "--sm-disable"}, desktop->Environment(),
            desktop->root_ / "window-manager.log");
        managed = Eventually([&] {
            return !desktop->windowManager_->Running() ||
                   desktop->Tool({"xprop", "-root", "_NET_CLIENT_LIST"})
                           .Output.find("window id") != std::string::npos;
        }) && desktop->windowManager_->Running();
    }
    if (!managed)
        ADD_FAILURE() << "the window manager did not start on " << desktop->display_ << ":\n"
                      << FileText(desktop->root_ / "window-manager.log");
    return desktop;
}

std::vector<std::string> TDesktop::Environment() const {
    std::vector<std::string> environment = {
        "DISPLAY=" + display_,
        "HOME=" + Home(),
        "XDG_CONFIG_HOME=" + ConfigFolder(),
        "XDG_DATA_HOME=" + DataFolder(),
        "XDG_CACHE_HOME=" + Home() + "/.cache",
        "XDG_RUNTIME_DIR=" + RuntimeFolder(),
        "LANG=C.UTF-8",
        "QT_QPA_PLATFORM=xcb",
        "NO_AT_BRIDGE=1",
    };
    environment.push_back("LSAN_OPTIONS=suppressions=" MV_LEAK_SUPPRESSIONS);
    for (const char* inherited : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char* value = std::getenv(inherited))
            environment.push_back(std::string(inherited) + "=" + value);
    return environment;
}

TChildProcess& TDesktop::StartEditor(const std::vector<std::string>& arguments) {
    return Launch(Joined({MV_PROGRAM}, arguments));
}

TChildProcess& TDesktop::Launch(const std::vector<std::string>& argv, const std::string& inputPath) {
    programs_.push_back(
        std::make_unique<TChildProcess>(argv, Environment(), root_ / "programs.log", inputPath));
    return *programs_.back();
}

TToolResult TDesktop::Tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                           const std::string& input) const {
    return RunTool(argv, Environment(), timeout, input);
}

std::vector<TWindow> TDesktop::Search(const std::vector<std::string>& options) const {
    return Lines(Tool(Joined({"xdotool", "search", "--onlyvisible"}, options)).Output);
}

std::vector<TWindow> TDesktop::WaitForWindows(const std::string& captionPattern, std::size_t count,
                                              std::chrono::milliseconds timeout) const {
    std::vector<TWindow> windows;
    Eventually([&] { return (windows = Windows(captionPattern)).size() >= count; }, timeout);
    return windows;
}

bool TDesktop::OpeningScreenClosed() const {
    return Eventually([&] { return Windows("バージョン情報").empty(); });
}

TWindow TDesktop::FocusedWindow(const std::string& captionPattern,
                                std::chrono::milliseconds timeout) const {
    const std::vector<TWindow> windows = WaitForWindows(captionPattern, 1, timeout);
    if (windows.size() != 1) {
        ADD_FAILURE() << windows.size() << " windows are " << captionPattern;
        return {};
    }
    // Keys would go to the opening screen while it stands over the window.
    if (!OpeningScreenClosed() || !Activate(windows[0])) {
        ADD_FAILURE() << captionPattern << " did not get the keyboard";
        return {};
    }
    return windows[0];
}

std::string TDesktop::Caption(const TWindow& window) const {
    std::string caption = Tool({"xdotool", "getwindowname", window}).Output;
    while (!caption.empty() && caption.back() == '\n') caption.pop_back();
    return caption;
}

TGeometry TDesktop::Geometry(const TWindow& window) const {
    std::map<std::string, int> values;
    for (const std::string& line :
         Lines(Tool({"xdotool", "getwindowgeometry", "--shell", window}).Output))
        if (const auto equals = line.find('='); equals != std::string::npos)
            values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}

std::optional<TWindow> TDesktop::ActiveWindow() const {
    const std::vector<std::string> lines = Lines(Tool({"xdotool", "getactivewindow"}).Output);
    if (lines.empty()) return std::nullopt;
    return lines.front();
}

std::optional<std::string> TDesktop::ActiveCaption() const {
    const std::optional<TWindow> active = ActiveWindow();
    if (!active) return std::nullopt;
    return Caption(*active);
}

bool TDesktop::ComesToFront(const TWindow& window, std::chrono::milliseconds timeout) const {
    return Eventually([&] { return ActiveWindow() == window; }, timeout);
}

bool TDesktop::Activate(const TWindow& window) const {
    Tool({"xdotool", "windowactivate", window});
    return ComesToFront(window, 5s);
}

void TDesktop::Keys(const std::vector<std::string>& keys) const {
    Tool(Joined({"xdotool", "key", "--delay", "30"}, keys));
}

void TDesktop::KeyDown(const std::vector<std::string>& keys) const {
    Tool(Joined({"xdotool", "keydown"}, keys));
}

void TDesktop::KeyUp(const std::vector<std::string>& keys) const {
    Tool(Joined({"xdotool", "keyup"}, keys));
}

void TDesktop::Type(const std::string& utf8) const {
    Tool({"xdotool", "type", "--delay", "30", utf8});
}

// No --sync: xdotool then waits for the pointer to leave where it was, forever when it is
// already there. The move and the clicks reach the server in order all the same.
void TDesktop::ClickAt(int x, int y, int button, int clicks) const {
    Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "--repeat",
          std::to_string(clicks), "--delay", "80", std::to_string(button)});
}

std::string TDesktop::Screenshot(const std::string& name) const {
    std::filesystem::create_directories(MV_SHOT_DIR);
    const std::string path = std::string(MV_SHOT_DIR) + "/" + TestName() + "-" + name + ".png";
    Tool({"import", "-window", "root", path}, 20s);
    return path;
}

std::string TDesktop::ProgramOutput() const { return FileText(root_ / "programs.log"); }

std::string TDesktop::Pixels(const TWindow& window) const {
    return Tool({"import", "-window", window, "ppm:-"}, 20s).Output;
}

} // namespace mv::desktop
