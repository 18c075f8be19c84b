#include "platform/single_instance.h"

#include "core/shell/command_line.h"
#include "platform/handover_client.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <cstdio>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace mv {

namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* kFailureTitle = "Morvane Prime Fatal Error !!";
constexpr const char* kFailureText =
    "既に起動している Morvane Prime のウィンドウハンドルの取得に失敗しました.\n"
    "何らかの理由でウィンドウが正常に生成されていない可能性があります.";

// Hands the requests over through a connected client, taking each off the front as the
// instance answers it and keeping those it opened no window for. False when the connection
// failed (closed or timed out) before every request went.
bool HandOverAll(THandoverClient& client, std::vector<std::string>& requests,
                 std::vector<std::string>& notOpened) {
    while (!requests.empty()) {
        const std::string& name = requests.front();
        // The window it answers raised itself already; 0 means no window holds the file.
        const std::optional<TWindowId> window =
            name.empty() ? client.NewWindow() : client.OpenFile(name);
        if (!client.Connected()) return false;
        // Nothing while still connected: the name is too long to travel.
        if (window.value_or(0) == 0) notOpened.push_back(name);
        requests.erase(requests.begin());
    }
    return true;
}

// A message box needs a screen the user looks at; on the offscreen platform (tests, scripts)
// it would wait for an answer nobody can give.
bool UserCanSeeAMessageBox() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return false;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// Whether only a message box reaches the user: started from a desktop's menu or a file
// manager, nobody reads standard error.
bool OnlyABoxIsSeen() {
    return isatty(STDERR_FILENO) == 0 && UserCanSeeAMessageBox();
}

// A message box that stays on top, with an application of its own when none runs yet.
void ShowBox(QMessageBox::Icon icon, const char* title, const QString& text) {
    std::unique_ptr<QApplication> ownApplication;
    static int argc = 1;
    static char name[] = "morvane";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        ownApplication = std::make_unique<QApplication>(argc, argv);
    QMessageBox box(icon, QString::fromUtf8(title), text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

std::string Requested(const std::string& name) {
    return name.empty() ? "新しいウィンドウ" : name;
}

// Why a listening socket cannot be made at `path`, in the words a user can act on.
std::string ListenProblem(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0 && !S_ISSOCK(status.st_mode))
        return path + ": ソケットではないものが置かれています";
    return path + ": ソケットで待ち受けられません";
}

} // namespace

std::string InstanceSocketPath(const std::string& runtimeFolder) {
    return runtimeFolder + "/morvane.socket";
}

TRunningInstance::TRunningInstance(std::string runtimeFolder, std::unique_ptr<TInstanceLock> lock,
                                   std::string problem)
    : folder_(std::move(runtimeFolder)), lock_(std::move(lock)), problem_(std::move(problem)) {}

bool TRunningInstance::Serve(THandoverServer::THandler handler) {
    if (lock_ == nullptr) return false;
    server_ = std::make_unique<THandoverServer>(std::move(handler));
    if (server_->Listen(QString::fromStdString(InstanceSocketPath(folder_)))) return true;
    problem_ = ListenProblem(InstanceSocketPath(folder_));
    Resign();
    return false;
}

void TRunningInstance::StopServing() { server_.reset(); }

void TRunningInstance::Resign() {
    StopServing(); // the socket file goes before the lock, so a new instance never loses its own
    lock_.reset();
}

TStartDecision StartOrHandOver(const std::string& runtimeFolder, std::vector<std::string> fileNames,
                               TStartPatience patience) {
    TStartDecision decision;
    const auto runHere = [&](std::unique_ptr<TInstanceLock> lock, std::string problem) {
        decision.Instance =
            std::make_unique<TRunningInstance>(runtimeFolder, std::move(lock), std::move(problem));
        std::erase(fileNames, std::string()); // the new-window request: this process opens it
        decision.FileNames = std::move(fileNames);
        return std::move(decision);
    };
    const std::string socketPath = InstanceSocketPath(runtimeFolder);
    if (runtimeFolder.empty()) return runHere(nullptr, {});
    if (socketPath.size() > MaxSocketPathBytes)
        return runHere(nullptr, socketPath + ": パスが長すぎます (" +
                                    std::to_string(MaxSocketPathBytes) + " バイトまで)");

    if (fileNames.empty()) fileNames.emplace_back(); // the new-window request
    auto deadline = TClock::now() + patience.Listening;
    for (;;) {
        std::string problem;
        if (auto lock = TInstanceLock::TryAcquire(runtimeFolder, &problem))
            return runHere(std::move(lock), {});
        if (!problem.empty()) return runHere(nullptr, std::move(problem));
        THandoverClient client;
        client.AnswerTimeout = patience.Answer;
        if (client.Connect(socketPath)) {
            const std::size_t before = fileNames.size();
            if (HandOverAll(client, fileNames, decision.NotOpened)) {
                decision.Role = TStartRole::HandedOver;
                return decision;
            }
            if (client.TimedOut()) {
                decision.Role = TStartRole::Hung;
                decision.NotHandedOver = std::move(fileNames);
                return decision;
            }
            // It answered and then went away: it is ending, and gives up its lock soon.
            if (fileNames.size() < before) deadline = TClock::now() + patience.Listening;
        }
        if (TClock::now() >= deadline) {
            decision.Role = TStartRole::NoAnswer;
            decision.NotHandedOver = std::move(fileNames);
            return decision;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

int ReportHandOver(const TStartDecision& decision) {
    for (const std::string& name : decision.NotOpened)
        std::fprintf(stderr, "Morvane Prime: 起動中のプログラムは %s を開きませんでした.\n",
                     Requested(name).c_str());
    if (decision.Role == TStartRole::NoAnswer)
        std::fprintf(stderr, "%s\n%s\n", kFailureTitle, kFailureText);
    QString unanswered;
    for (const std::string& name : decision.NotHandedOver) {
        std::fprintf(stderr, "Morvane Prime: 起動中のプログラムに %s を渡せませんでした.\n",
                     Requested(name).c_str());
        unanswered += QString::fromStdString("\n" + Requested(name));
    }
    switch (decision.Role) {
    case TStartRole::First:
    case TStartRole::HandedOver:
        return decision.NotOpened.empty() ? ExitSuccess : ExitNotOpened;
    case TStartRole::NoAnswer:
        if (UserCanSeeAMessageBox())
            ShowBox(QMessageBox::Critical, kFailureTitle, QString::fromUtf8(kFailureText));
        return ExitNotHandedOver;
    case TStartRole::Hung:
        std::fprintf(stderr, "Morvane Prime: 起動中のプログラムが応答しません.\n");
        if (OnlyABoxIsSeen())
            ShowBox(QMessageBox::Warning, "Morvane Prime",
                    QStringLiteral("起動中の Morvane Prime が応答しません.\n"
                                   "次のものを渡せませんでした:") +
                        unanswered);
        return ExitNotHandedOver;
    }
    return ExitNotHandedOver;
}

void ReportRunningAlone(const std::string& problem) {
    std::fprintf(stderr,
                 "Morvane Prime: 多重起動を調べる場所を使えません (%s). "
                 "このプログラムは単独で動き, 後から起動したものにファイルを渡しません.\n",
                 problem.c_str());
    if (OnlyABoxIsSeen())
        ShowBox(QMessageBox::Warning, "Morvane Prime",
                QStringLiteral("多重起動を調べる場所を使えません.\n") +
                    QString::fromStdString(problem) +
                    QStringLiteral("\n\nこの Morvane Prime は単独で動きます. "
                                   "後から起動したものも, それぞれ別に動きます."));
}

} // namespace mv
