#include "platform/single_instance.h"

#include "platform/handover_client.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <cstdio>
#include <thread>

namespace mv {

namespace {

constexpr const char* kFailureTitle = "Morvane Prime Fatal Error !!";
constexpr const char* kFailureText =
    "既に起動している Morvane Prime のウィンドウハンドルの取得に失敗しました.\n"
    "何らかの理由でウィンドウが正常に生成されていない可能性があります.";

// Hands the names over through a connected client, taking each name off the front as the
// instance answers it and keeping those it opened no window for. False when the connection
// failed before every name (or the new-window request) went.
bool HandOverAll(THandoverClient& client, std::vector<std::string>& fileNames,
                 std::vector<std::string>& notOpened) {
    if (fileNames.empty()) return client.NewWindow().has_value();
    while (!fileNames.empty()) {
        // The window it answers raised itself already; 0 means no window holds the file.
        const std::optional<TWindowId> window = client.OpenFile(fileNames.front());
        if (!client.Connected()) return false;
        if (window == 0) notOpened.push_back(fileNames.front());
        fileNames.erase(fileNames.begin());
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

} // namespace

std::string InstanceSocketPath(const std::string& runtimeFolder) {
    return runtimeFolder + "/morvane.socket";
}

TRunningInstance::TRunningInstance(std::string runtimeFolder, std::unique_ptr<TInstanceLock> lock)
    : folder_(std::move(runtimeFolder)), lock_(std::move(lock)) {}

bool TRunningInstance::Serve(THandoverServer::THandler handler) {
    if (lock_ == nullptr) return false;
    server_ = std::make_unique<THandoverServer>(std::move(handler));
    if (server_->Listen(QString::fromStdString(InstanceSocketPath(folder_)))) return true;
    server_.reset();
    return false;
}

void TRunningInstance::Resign() {
    server_.reset(); // the socket file goes before the lock, so a new instance never loses its own
    lock_.reset();
}

TStartDecision StartOrHandOver(const std::string& runtimeFolder, std::vector<std::string> fileNames,
                               std::chrono::milliseconds patience) {
    std::erase_if(fileNames,
                  [](const std::string& name) { return name.size() > MaxFileNameBytes; });
    TStartDecision decision;
    if (runtimeFolder.empty()) {
        decision.Instance = std::make_unique<TRunningInstance>(runtimeFolder, nullptr);
        decision.FileNames = std::move(fileNames);
        return decision;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (auto lock = TInstanceLock::TryAcquire(runtimeFolder)) {
            decision.Instance = std::make_unique<TRunningInstance>(runtimeFolder, std::move(lock));
            decision.FileNames = std::move(fileNames);
            return decision;
        }
        THandoverClient client;
        if (client.Connect(InstanceSocketPath(runtimeFolder)) &&
            HandOverAll(client, fileNames, decision.NotOpened)) {
            decision.Role = TStartRole::HandedOver;
            return decision;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            decision.Role = TStartRole::NoAnswer;
            return decision;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool ReportNotOpened(const std::vector<std::string>& fileNames) {
    for (const std::string& name : fileNames)
        std::fprintf(stderr, "Morvane Prime: 起動中のプログラムは %s を開きませんでした.\n",
                     name.c_str());
    return !fileNames.empty();
}

void ReportNoRunningInstance() {
    std::fprintf(stderr, "%s\n%s\n", kFailureTitle, kFailureText);
    if (!UserCanSeeAMessageBox()) return;
    std::unique_ptr<QApplication> ownApplication;
    static int argc = 1;
    static char name[] = "morvane";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        ownApplication = std::make_unique<QApplication>(argc, argv);
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kFailureTitle),
                    QString::fromUtf8(kFailureText), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

} // namespace mv
