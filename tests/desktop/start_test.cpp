// Starting the program from a shell: the window a file argument brings, the hand-over of a
// second start to the running instance, the options that start nothing, a single instance
// that cannot work, and the refusal of another user's start.
#include "core/shell/handover_frame.h"
#include "desktop/support/desktop.h"
#include "platform/single_instance.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mv::desktop {
namespace {

constexpr uid_t Nobody = 65534;

// The process that owns the window, as the window manager is told.
std::string OwnerOf(const TDesktop& desk, const TWindow& window) {
    std::string pid = desk.Tool({"xdotool", "getwindowpid", window}).Output;
    return pid.substr(0, pid.find('\n'));
}

// Sends one open-file request to the socket as `uid` would and tells whether any answer came
// back before the server closed the connection.
bool AnsweredAs(uid_t uid, const std::string& socketPath, const std::string& fileName) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(uid) != 0 || setuid(uid) != 0) _exit(2);
        const int s = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
        if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(3);
        const auto frame = EncodeOpenFile(
            {reinterpret_cast<const std::uint8_t*>(fileName.data()), fileName.size()});
        // An instance that hangs up at once may do so before the frame is written.
        if (send(s, frame->data(), frame->size(), MSG_NOSIGNAL) != static_cast<ssize_t>(frame->size()))
            _exit(1);
        timeval patience{5, 0};
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        char answer[16];
        _exit(read(s, answer, sizeof answer) > 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1)
        << "the peer could not connect (status " << status << ")";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The integers that follow `label` on the first line of `output` holding it.
std::vector<int> NumbersAfter(const std::string& output, const std::string& label) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find(label);
        if (at == std::string::npos) continue;
        std::string rest = line.substr(at + label.size());
        std::replace(rest.begin(), rest.end(), ',', ' ');
        std::istringstream fields(rest);
        std::vector<int> numbers;
        for (int number = 0; fields >> number;)
            numbers.push_back(number);
        return numbers;
    }
    return {};
}

// Whether the window manager's frame around the window is centred in the work area, to the
// pixel that halving leaves. The client area comes from the X server itself: xdotool's
// geometry counts a reparenting manager's frame offset in twice.
::testing::AssertionResult FrameCentred(const TDesktop& desk, const TWindow& window) {
    const std::string client = desk.Tool({"xwininfo", "-id", window}).Output;
    const std::vector<int> x = NumbersAfter(client, "Absolute upper-left X:");
    const std::vector<int> y = NumbersAfter(client, "Absolute upper-left Y:");
    const std::vector<int> width = NumbersAfter(client, "Width:");
    const std::vector<int> height = NumbersAfter(client, "Height:");
    const std::vector<int> frame =
        NumbersAfter(desk.Tool({"xprop", "-id", window, "_NET_FRAME_EXTENTS"}).Output, "=");
    const std::vector<int> area =
        NumbersAfter(desk.Tool({"xprop", "-root", "_NET_WORKAREA"}).Output, "=");
    if (x.size() != 1 || y.size() != 1 || width.size() != 1 || height.size() != 1 ||
        frame.size() != 4 || area.size() < 4)
        return ::testing::AssertionFailure() << "no geometry for window " << window;
    const int left = x[0] - frame[0], top = y[0] - frame[2];
    const int frameWidth = width[0] + frame[0] + frame[1];
    const int frameHeight = height[0] + frame[2] + frame[3];
    // Twice the distance between the centres, so that halving's remainder stays whole.
    const int offX = 2 * left + frameWidth - (2 * area[0] + area[2]);
    const int offY = 2 * top + frameHeight - (2 * area[1] + area[3]);
    if (std::abs(offX) <= 1 && std::abs(offY) <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the frame " << frameWidth << "x" << frameHeight << " stands at " << left << ","
           << top << " in the work area " << area[0] << "," << area[1] << " " << area[2] << "x"
           << area[3];
}

// Whether every folder from the root down to `path` lets other users through, as a program
// started as another user needs.
bool OthersCanReach(std::filesystem::path path) {
    for (; !path.empty(); path = path.parent_path()) {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0 || (status.st_mode & S_IXOTH) == 0) return false;
        if (path == path.root_path()) return true;
    }
    return true;
}

// A command line run in `folder`, as a user in a shell there types it.
std::vector<std::string> InFolder(const std::string& folder, std::vector<std::string> argv) {
    argv.insert(argv.begin(), {"sh", "-c", "cd \"$0\" && exec \"$@\"", folder});
    return argv;
}

class Start : public DesktopTest {};

TEST_F(Start, AFileArgumentOpensItsWindowAndASecondStartHandsItsFileOver) {
    const std::string first = Desk().Folder().Write("first.bin", {1, 2, 3});
    const std::string second = Desk().Folder().Write("second.bin", {4, 5, 6});

    const auto started = std::chrono::steady_clock::now();
    TChildProcess& editor = Desk().StartEditor({first});
    const std::vector<TWindow> windows = Desk().WaitForWindows(CaptionOf("first.bin"), 1, 1s);
    ASSERT_EQ(windows.size(), 1u) << "no window within a second";
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    EXPECT_NE(Desk().Caption(windows[0]).find(first), std::string::npos);

    TChildProcess& later = Desk().StartEditor({second});
    EXPECT_EQ(later.Wait(10s), 0) << "the later start ends at once with success";
    const std::vector<TWindow> handedOver = Desk().WaitForWindows(CaptionOf("second.bin"), 1);
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(OwnerOf(Desk(), handedOver[0]), std::to_string(editor.Pid()))
        << "one process holds both windows";
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 2u);
    EXPECT_TRUE(editor.Running());
    // Neither file has a place of its own yet: both windows come centred, the first one as
    // exactly as the next, although no window showed the frame's size before it.
    for (const TWindow& window : {windows[0], handedOver[0]}) {
        Eventually([&] { return bool(FrameCentred(Desk(), window)); }, 3s);
        EXPECT_TRUE(FrameCentred(Desk(), window));
    }

    // A file the running instance cannot open: the later start ends at once with a failure,
    // and the instance's user is told afterwards.
    ASSERT_TRUE(Desk().OpeningScreenClosed());
    TChildProcess& failing = Desk().StartEditor({Desk().Folder() / "missing.bin"});
    EXPECT_EQ(failing.Wait(5s), 1) << "the start waits for the user";
    ASSERT_TRUE(Eventually([&] { return Desk().ActiveCaption() == "エラー"; }))
        << "no message about the missing file";
    Desk().Screenshot("missing");
    Desk().Keys({"Return"});
    EXPECT_EQ(Desk().Windows(DocumentCaptionEnd).size(), 2u);
}

// The running instance runs in a folder of its own; a later start in another folder means
// the files there, also those the instance's folder does not hold.
TEST_F(Start, ALaterStartInAnotherFolderHandsOverTheFilesOfThatFolder) {
    const std::string folderA = Desk().Folder() / "a";
    const std::string folderB = Desk().Folder() / "b";
    std::filesystem::create_directory(folderA);
    std::filesystem::create_directory(folderB);
    Desk().Folder().Write("a/other.bin", {0xA});
    Desk().Folder().Write("b/other.bin", {0xB});
    Desk().Folder().Write("b/only-b.bin", {0xB, 0xB});

    Desk().Launch(InFolder(folderA, {MV_PROGRAM}));
    ASSERT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 1).size(), 1u);
    TChildProcess& later = Desk().Launch(InFolder(folderB, {MV_PROGRAM, "other.bin", "only-b.bin"}));
    EXPECT_EQ(later.Wait(10s), 0);
    for (const std::string name : {"other.bin", "only-b.bin"}) {
        const std::vector<TWindow> windows = Desk().WaitForWindows(CaptionOf(name), 1);
        ASSERT_EQ(windows.size(), 1u) << name;
        EXPECT_NE(Desk().Caption(windows[0]).find(folderB + "/" + name), std::string::npos)
            << Desk().Caption(windows[0]);
    }
    EXPECT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 3).size(), 3u);
}

// Asking for help or the version prints it and starts nothing: no window, no lock, and no
// request to a running instance.
TEST_F(Start, HelpAndVersionPrintAndStartNothing) {
    const TToolResult help = Desk().Tool({MV_PROGRAM, "--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Output.starts_with("Usage: morvane [FILE]...\n")) << help.Output;
    EXPECT_FALSE(std::filesystem::exists(Desk().RuntimeFolder() + "/morvane.lock"));

    Desk().StartEditor({});
    ASSERT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 1).size(), 1u);
    const TToolResult version = Desk().Tool({MV_PROGRAM, "--version", "some.bin"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Output, "Morvane Prime " MV_VERSION "\n");
    EXPECT_FALSE(Eventually([&] { return Desk().Windows(DocumentCaptionEnd).size() > 1; }, 1s));
}

// Something that is no socket, where the socket must go, keeps any instance from listening:
// each start says so and runs on its own instead of waiting for an answer forever.
TEST_F(Start, ASingleInstanceThatCannotWorkIsExplainedAndEachStartRunsOnItsOwn) {
    std::filesystem::create_directory(InstanceSocketPath(Desk().RuntimeFolder()));
    std::vector<pid_t> owners;
    for (const std::string name : {"one.bin", "two.bin"}) {
        TChildProcess& editor = Desk().StartEditor({Desk().Folder().Write(name, {1})});
        ASSERT_TRUE(Eventually([&] { return Desk().ActiveCaption() == "Morvane Prime"; }))
            << "no message for " << name;
        Desk().Screenshot("alone-" + name);
        Desk().Keys({"Return"});
        const std::vector<TWindow> windows = Desk().WaitForWindows(CaptionOf(name), 1);
        ASSERT_EQ(windows.size(), 1u) << name;
        EXPECT_EQ(OwnerOf(Desk(), windows[0]), std::to_string(editor.Pid()));
        owners.push_back(editor.Pid());
        ASSERT_TRUE(Desk().OpeningScreenClosed());
    }
    EXPECT_NE(owners[0], owners[1]);
    EXPECT_NE(Desk().ProgramOutput().find("morvane.socket: ソケットではないものが置かれています"),
              std::string::npos);
}

TEST_F(Start, AnotherUsersStartNeverReachesTheRunningInstance) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to start the program as the user nobody";
    // A folder, a file and a copy of the program that the other user can reach, so that only
    // the instance refuses: the build's own folder may be closed to others.
    const std::string shared = Desk().Folder() / "shared";
    std::filesystem::create_directory(shared);
    chmod(Desk().Folder().Path().c_str(), 0755);
    chmod(shared.c_str(), 0777);
    if (!OthersCanReach(shared))
        GTEST_SKIP() << "the temporary folder " << Desk().Folder().Path()
                     << " is closed to other users";
    const std::string theirs = shared + "/theirs.bin";
    Desk().Folder().Write("shared/theirs.bin", {7});
    chmod(theirs.c_str(), 0666);
    const std::string program = shared + "/morvane";
    std::filesystem::copy_file(MV_PROGRAM, program);
    chmod(program.c_str(), 0755);

    TChildProcess& editor = Desk().StartEditor({});
    ASSERT_EQ(Desk().WaitForWindows(DocumentCaptionEnd, 1).size(), 1u);

    // Their start, with this user's runtime folder in its environment, runs on its own. They
    // have started the program before: a first start would stop at the shortcut dialog.
    std::filesystem::create_directory(shared + "/Corlith Applications");
    std::ofstream(shared + "/Corlith Applications/Morvane.ini") << "[Config]\nOpeningDlg=0\n";
    chmod((shared + "/Corlith Applications").c_str(), 0777);
    std::vector<std::string> argv = {"setpriv",        "--reuid=65534",
                                     "--regid=65534",  "--clear-groups",
                                     "env",            "HOME=" + shared,
                                     "XDG_CONFIG_HOME=" + shared, program, theirs};
    TChildProcess& intruder = Desk().Launch(argv);
    const std::vector<TWindow> theirWindows = Desk().WaitForWindows(CaptionOf("theirs.bin"), 1);
    EXPECT_EQ(theirWindows.size(), 1u) << "their start runs an instance of its own";
    for (const TWindow& window : theirWindows)
        EXPECT_EQ(OwnerOf(Desk(), window), std::to_string(intruder.Pid()));
    intruder.Kill();
    (void)intruder.Wait(5s);

    // Even where the socket itself is within their reach, the instance hangs up on them.
    const std::string socketPath = InstanceSocketPath(Desk().RuntimeFolder());
    for (const std::filesystem::path& folder : {std::filesystem::path(Desk().RuntimeFolder()).parent_path(),
                                                std::filesystem::path(Desk().RuntimeFolder())})
        chmod(folder.c_str(), 0755);
    chmod(socketPath.c_str(), 0777);
    EXPECT_FALSE(AnsweredAs(Nobody, socketPath, theirs));
    EXPECT_FALSE(Eventually([&] { return Desk().Windows(CaptionOf("theirs.bin")).size() > 0; }, 1s));

    // ...while it still serves its own user.
    EXPECT_TRUE(AnsweredAs(getuid(), socketPath, theirs));
    EXPECT_EQ(Desk().WaitForWindows(CaptionOf("theirs.bin"), 1).size(), 1u);
    EXPECT_TRUE(editor.Running());
}

} // namespace
} // namespace mv::desktop
