// The program: the first start runs the shell and its windows; a later start hands its file
// names (or the wish for a new window) to the running instance and ends.
#include "core/shell/command_line.h"
#include "platform/data_folders.h"
#include "platform/runtime_folder.h"
#include "platform/paint_probe.h"
#include "platform/qt_translation.h"
#include "platform/single_instance.h"
#include "platform/tool_icon.h"
#include "ui/dialogs/help_viewer.h"
#include "ui/shell/main_process.h"

#include <QtGui/QIcon>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <cstdio>

namespace {

// Window placement is part of the program; Wayland lets no client place its windows, so on a
// Wayland session the program runs on its X server when there is one.
void PreferX11OnWayland() {
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The names as the running instance must get them: it resolves nothing in its own folder.
// A name that cannot be made absolute is named on standard error and left out.
std::vector<std::string> AbsoluteFileNames(const std::vector<std::string>& names, bool& leftOut) {
    std::vector<std::string> absolute;
    for (const std::string& name : names) {
        std::string problem;
        if (const std::optional<std::string> path = mv::AbsoluteFileName(name, &problem)) {
            absolute.push_back(*path);
            continue;
        }
        std::fprintf(stderr, "Morvane Prime: %s を開けません: %s\n", name.c_str(), problem.c_str());
        leftOut = true;
    }
    return absolute;
}

} // namespace

int main(int argc, char** argv) {
    const mv::TCommandLine line =
        mv::ParseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
    if (line.Request == mv::TCommandLine::TRequest::Help) {
        std::fputs(mv::UsageText().c_str(), stdout);
        return mv::ExitSuccess;
    }
    if (line.Request == mv::TCommandLine::TRequest::Version) {
        std::puts("Morvane Prime " MV_VERSION);
        return mv::ExitSuccess;
    }
    for (const std::string& option : line.UnknownOptions)
        std::fprintf(stderr, "Morvane Prime: 不明なオプション %s は無視します.\n", option.c_str());

    PreferX11OnWayland(); // before any part of Qt picks its platform
    bool leftOut = false;
    const std::vector<std::string> fileNames = AbsoluteFileNames(line.FileNames, leftOut);
    std::string folderProblem;
    const std::string runtimeFolder = mv::InstanceRuntimeFolder(&folderProblem);
    mv::TStartDecision start = mv::StartOrHandOver(runtimeFolder, fileNames);
    int status = mv::ReportHandOver(start);
    if (leftOut) status = std::max(status, int{mv::ExitNotOpened});
    if (start.Role != mv::TStartRole::First) return status;

    QApplication app(argc, argv);
    mv::InstallPaintProbe(); // only when the shell benchmark asks for it
    mv::InstallQtJapanese();
    QApplication::setApplicationName(QStringLiteral("Morvane Prime"));
    QApplication::setQuitOnLastWindowClosed(false); // the shell ends the program itself
    QGuiApplication::setDesktopFileName(QString::fromLatin1(mv::ApplicationId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(mv::ApplicationId), mv::ToolIcon("morvane")));
    mv::ReportMissingShippedData();
    mv::InstallHelpKey();

    mv::TMvPrMainProcessWClass shell;
    mv::TRunningInstance& instance = *start.Instance;
    shell.OnEnding = [&instance] { instance.StopServing(); };
    shell.OnEnd = [&instance] {
        instance.Resign();
        QCoreApplication::quit();
    };
    if (!instance.Serve([&shell](const mv::THandoverFrame& request) { return shell.HandOver(request); }))
        mv::ReportRunningAlone(runtimeFolder.empty() ? folderProblem : instance.Problem());
    shell.Start(start.FileNames);
    QApplication::exec();
    return status;
}
