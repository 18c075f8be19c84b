#include "platform/handover_client.h"
#include "platform/handover_server.h"
#include "platform/instance_lock.h"
#include "platform/runtime_folder.h"
#include "platform/single_instance.h"

#include "support/temp_folder.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mv {
namespace {

using namespace std::chrono_literals;

std::string NameOf(const THandoverFrame& request) {
    if (request.Kind == THandoverKind::NewWindow) return "<new window>";
    return {request.FileName.begin(), request.FileName.end()};
}

// Runs `work` on a thread, as a later start would run in its own process, while this thread
// serves the running instance's event loop.
template <typename T> T WhileServing(std::function<T()> work) {
    std::future<T> result = std::async(std::launch::async, std::move(work));
    while (result.wait_for(1ms) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return result.get();
}

// A raw connection to the socket, for what no well-behaved client sends.
int RawConnect(const std::string& path) {
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

// Serves events until the server closes the raw connection; the time that took, or nothing
// when it stayed open for `limit`.
std::optional<std::chrono::milliseconds> TimeUntilClosed(int descriptor,
                                                         std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd entry{descriptor, POLLIN, 0};
        if (poll(&entry, 1, 1) <= 0) continue;
        char byte;
        if (recv(descriptor, &byte, 1, MSG_DONTWAIT) <= 0)
            return std::chrono::milliseconds(clock.elapsed());
    }
    return std::nullopt;
}

class SingleInstance : public ::testing::Test {
protected:
    test::TTempFolder folder_;
    std::vector<std::string> requests_;
    TWindowId nextWindow_ = 100;

    THandoverServer::THandler Recorder() {
        return [this](const THandoverFrame& request) {
            requests_.push_back(NameOf(request));
            return ++nextWindow_;
        };
    }
    [[nodiscard]] std::string Socket() const { return InstanceSocketPath(folder_.Path()); }

    TStartDecision LaterStart(std::vector<std::string> names, TStartPatience patience = {}) {
        return WhileServing<TStartDecision>(
            [this, names, patience] { return StartOrHandOver(folder_.Path(), names, patience); });
    }
};

TEST_F(SingleInstance, LaterStartsHandTheirFilesOverOneByOne) {
    TStartDecision first = StartOrHandOver(folder_.Path(), {"/tmp/own"});
    ASSERT_EQ(first.Role, TStartRole::First);
    EXPECT_EQ(first.FileNames, std::vector<std::string>{"/tmp/own"});
    ASSERT_TRUE(first.Instance->Serve(Recorder()));

    struct stat status {};
    ASSERT_EQ(stat(Socket().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 077, 0u) << "the socket is open to other users";

    const std::string shiftJis = "/tmp/\x93\xfa\x96\x7b.bin";
    EXPECT_EQ(LaterStart({"/tmp/a", shiftJis}).Role, TStartRole::HandedOver);
    EXPECT_EQ(LaterStart({}).Role, TStartRole::HandedOver);
    EXPECT_EQ(requests_, (std::vector<std::string>{"/tmp/a", shiftJis, "<new window>"}));

    // At its end the instance stops serving, writes its settings and only then resigns: a start
    // in between waits for the lock and runs the program itself, reading what was written.
    first.Instance->StopServing();
    QTimer::singleShot(300, [&] { first.Instance->Resign(); });
    const TStartDecision next = LaterStart({"/tmp/b"});
    EXPECT_EQ(next.Role, TStartRole::First);
    EXPECT_EQ(next.FileNames, std::vector<std::string>{"/tmp/b"});
}

// The later start learns which files got no window (the instance could not open them or was
// busy), so that it can say so instead of reporting success.
TEST_F(SingleInstance, ALaterStartKnowsWhichFilesTheInstanceDidNotOpen) {
    TStartDecision first = StartOrHandOver(folder_.Path(), {});
    ASSERT_TRUE(first.Instance->Serve([](const THandoverFrame& request) -> TWindowId {
        return NameOf(request).ends_with("missing") || NameOf(request) == "<new window>" ? 0 : 7;
    }));
    const std::string tooLong = "/" + std::string(MaxFileNameBytes, 'x');
    const TStartDecision later = LaterStart({"/a", "/missing", tooLong, "/b", "/also-missing"});
    EXPECT_EQ(later.Role, TStartRole::HandedOver);
    EXPECT_EQ(later.NotOpened, (std::vector<std::string>{"/missing", tooLong, "/also-missing"}));
    EXPECT_TRUE(LaterStart({"/a"}).NotOpened.empty());
    EXPECT_EQ(LaterStart({}).NotOpened, std::vector<std::string>{""}) << "the new window";
}

TEST_F(SingleInstance, InstanceEndingMidwayLeavesTheRestToTheNewStart) {
    TStartDecision first = StartOrHandOver(folder_.Path(), {});
    ASSERT_TRUE(first.Instance->Serve([&](const THandoverFrame& request) -> TWindowId {
        requests_.push_back(NameOf(request));
        if (requests_.size() == 2) first.Instance->Resign(); // its last window closed meanwhile
        return 1;
    }));
    const TStartDecision next = LaterStart({"/a", "/b", "/c"});
    EXPECT_EQ(next.Role, TStartRole::First);
    EXPECT_EQ(requests_, (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(next.FileNames, (std::vector<std::string>{"/b", "/c"})); // "/b" got no answer
}

TEST_F(SingleInstance, LockHeldWithoutAnyoneListeningIsNoAnswer) {
    const auto lock = TInstanceLock::TryAcquire(folder_.Path());
    ASSERT_NE(lock, nullptr);
    std::string problem;
    EXPECT_EQ(TInstanceLock::TryAcquire(folder_.Path(), &problem), nullptr);
    EXPECT_EQ(problem, "") << "a lock held by another is no problem";
    const TStartDecision later = StartOrHandOver(folder_.Path(), {"/a", "/b"}, {.Listening = 50ms});
    EXPECT_EQ(later.Role, TStartRole::NoAnswer);
    EXPECT_EQ(later.NotHandedOver, (std::vector<std::string>{"/a", "/b"}));
}

// An instance that stops answering is not waited for twice, and what it did not take is told.
TEST_F(SingleInstance, AnInstanceThatHangsLeavesTheRestNamed) {
    TStartDecision first = StartOrHandOver(folder_.Path(), {});
    ASSERT_TRUE(first.Instance->Serve([this](const THandoverFrame& request) -> TWindowId {
        requests_.push_back(NameOf(request));
        if (requests_.size() == 2) std::this_thread::sleep_for(600ms);
        return 1;
    }));
    QElapsedTimer clock;
    clock.start();
    const TStartDecision later = LaterStart({"/a", "/b", "/c"}, {.Answer = 200ms});
    EXPECT_LT(clock.elapsed(), 2000) << "waited for the hung instance more than once";
    EXPECT_EQ(later.Role, TStartRole::Hung);
    EXPECT_TRUE(later.NotOpened.empty());
    EXPECT_EQ(later.NotHandedOver, (std::vector<std::string>{"/b", "/c"}));
    EXPECT_EQ(requests_, (std::vector<std::string>{"/a", "/b"}));
}

// Where the lock or the socket cannot work, each start runs on its own and says why, instead
// of waiting for an instance that can never answer.
TEST_F(SingleInstance, AnUnusableLockOrSocketMakesEachStartRunOnItsOwn) {
    std::string longFolder = folder_.Path();
    while (InstanceSocketPath(longFolder).size() <= MaxSocketPathBytes) longFolder += "/deeper";
    std::filesystem::create_directories(longFolder);
    const struct {
        const char* What;
        std::string Folder;
        std::string Blocker; // a folder put where the file must go
        std::string ProblemNames;
    } cases[] = {
        {"socket path too long", longFolder, "", InstanceSocketPath(longFolder)},
        {"lock file cannot be made", folder_ / "lock", "morvane.lock", "morvane.lock"},
        {"something else at the socket", folder_ / "socket", "morvane.socket", "morvane.socket"},
    };
    for (const auto& c : cases) {
        std::filesystem::create_directories(c.Folder + "/" + c.Blocker);
        for (int start = 0; start < 2; ++start) {
            QElapsedTimer clock;
            clock.start();
            TStartDecision decision = StartOrHandOver(c.Folder, {"/a"});
            EXPECT_LT(clock.elapsed(), 1000) << c.What;
            ASSERT_EQ(decision.Role, TStartRole::First) << c.What << ", start " << start;
            EXPECT_EQ(decision.FileNames, std::vector<std::string>{"/a"});
            EXPECT_FALSE(decision.Instance->Serve(Recorder())) << c.What;
            EXPECT_NE(decision.Instance->Problem().find(c.ProblemNames), std::string::npos)
                << c.What << ": " << decision.Instance->Problem();
        }
    }
}

TEST(SingleInstanceReport, TheStatusAndStandardErrorTellWhatDidNotHappen) {
    // On the offscreen platform no message box can be answered: the text goes to stderr only.
    if (QGuiApplication::platformName() != "offscreen") GTEST_SKIP() << "would show a box";
    const struct {
        TStartRole Role;
        std::vector<std::string> NotOpened, NotHandedOver;
        int Status;
        std::string Errors;
    } cases[] = {
        {TStartRole::HandedOver, {}, {}, 0, ""},
        {TStartRole::HandedOver, {"/m", ""}, {}, 1,
         "Morvane Prime: 起動中のプログラムは /m を開きませんでした.\n"
         "Morvane Prime: 起動中のプログラムは 新しいウィンドウ を開きませんでした.\n"},
        {TStartRole::NoAnswer, {}, {"/a"}, 2,
         "Morvane Prime Fatal Error !!\n"
         "既に起動している Morvane Prime のウィンドウハンドルの取得に失敗しました.\n"
         "何らかの理由でウィンドウが正常に生成されていない可能性があります.\n"
         "Morvane Prime: 起動中のプログラムに /a を渡せませんでした.\n"},
        {TStartRole::Hung, {"/m"}, {"/b", "/c"}, 2,
         "Morvane Prime: 起動中のプログラムは /m を開きませんでした.\n"
         "Morvane Prime: 起動中のプログラムに /b を渡せませんでした.\n"
         "Morvane Prime: 起動中のプログラムに /c を渡せませんでした.\n"
         "Morvane Prime: 起動中のプログラムが応答しません.\n"},
    };
    for (const auto& c : cases) {
        TStartDecision decision;
        decision.Role = c.Role;
        decision.NotOpened = c.NotOpened;
        decision.NotHandedOver = c.NotHandedOver;
        testing::internal::CaptureStderr();
        const int status = ReportHandOver(decision);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.Errors);
        EXPECT_EQ(status, c.Status) << c.Errors;
    }
}

TEST_F(SingleInstance, BadFramesCloseTheirConnectionWithoutReachingTheHandler) {
    THandoverServer server(Recorder(), 300ms);
    ASSERT_TRUE(server.Listen(QString::fromStdString(Socket())));
    struct Case {
        const char* What;
        std::string Bytes;
        bool WaitsForTimeout;
    };
    const Case cases[] = {
        {"garbage", "\x7fgarbage", false},
        {"oversized name", std::string("\x01\xff\xff\xff\xff", 5), false},
        {"slow header", std::string("\x01\x05", 2), true},
        {"slow name", std::string("\x01\x05\x00\x00\x00/tm", 8), true},
    };
    for (const Case& c : cases) {
        const int descriptor = RawConnect(Socket());
        ASSERT_GE(descriptor, 0) << c.What;
        ASSERT_EQ(send(descriptor, c.Bytes.data(), c.Bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(c.Bytes.size()));
        const auto closedAfter = TimeUntilClosed(descriptor, 3s);
        close(descriptor);
        ASSERT_TRUE(closedAfter.has_value()) << c.What << " left the connection open";
        if (c.WaitsForTimeout)
            EXPECT_GE(*closedAfter, 250ms) << c.What;
        else
            EXPECT_LT(*closedAfter, 250ms) << c.What << " waited for the timeout";
    }
    EXPECT_TRUE(requests_.empty());
}

TEST_F(SingleInstance, PeerOfAnotherUserIsRefused) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run a peer as the user nobody";
    THandoverServer server(Recorder());
    ASSERT_TRUE(server.Listen(QString::fromStdString(Socket())));
    // Open the way on purpose, as a careless folder would: the peer check must still hold.
    ASSERT_EQ(chmod(folder_.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(Socket().c_str(), 0777), 0);

    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls here. Exit 0: closed without an answer.
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        const int descriptor = RawConnect(Socket());
        if (descriptor < 0) _exit(2);
        const char newWindow[] = {2, 0, 0, 0, 0};
        if (send(descriptor, newWindow, sizeof newWindow, MSG_NOSIGNAL) < 0) _exit(0);
        char answer[16];
        _exit(recv(descriptor, answer, sizeof answer, 0) > 0 ? 1 : 0);
    }
    int status = 0;
    QElapsedTimer clock;
    clock.start();
    while (waitpid(child, &status, WNOHANG) == 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: answered, 2: could not connect, 3: no setuid";
    EXPECT_TRUE(requests_.empty());
}

TEST(RuntimeFolder, OnlyAFolderOfOurOwnClosedToOthersIsUsed) {
    test::TTempFolder folder;
    const std::string open = folder / "open";
    const std::string closed = folder / "closed";
    mkdir(open.c_str(), 0755);
    mkdir(closed.c_str(), 0700);
    symlink(closed.c_str(), (folder / "link").c_str());
    EXPECT_TRUE(FolderIsPrivate(closed));
    EXPECT_FALSE(FolderIsPrivate(open));
    EXPECT_FALSE(FolderIsPrivate(folder / "link"));
    EXPECT_FALSE(FolderIsPrivate(folder / "missing"));

    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(closed));
    EXPECT_EQ(InstanceRuntimeFolder(), closed);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(open));
    const std::string fallback = InstanceRuntimeFolder();
    EXPECT_EQ(fallback, "/tmp/morvane-" + std::to_string(geteuid()));
    EXPECT_TRUE(FolderIsPrivate(fallback));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
} // namespace mv
