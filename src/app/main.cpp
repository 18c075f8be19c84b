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

#include <cstdlib>

namespace {

// Window placement is part of the program; Wayland lets no client place its windows, so on a
// Wayland session the program runs on its X server when there is one.
void PreferX11OnWayland() {
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char** argv) {
    PreferX11OnWayland(); // before any part of Qt picks its platform
    const std::vector<std::string> fileNames =
        mv::FileArguments({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
    mv::TStartDecision start = mv::StartOrHandOver(mv::InstanceRuntimeFolder(), fileNames);
    // The running instance has told its user why; the caller learns it from the status.
    if (start.Role == mv::TStartRole::HandedOver)
        return mv::ReportNotOpened(start.NotOpened) ? EXIT_FAILURE : EXIT_SUCCESS;
    if (start.Role == mv::TStartRole::NoAnswer) {
        mv::ReportNoRunningInstance();
        return EXIT_SUCCESS;
    }

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
    shell.OnEnding = [&instance] { instance.Resign(); };
    (void)instance.Serve([&shell](const mv::THandoverFrame& request) { return shell.HandOver(request); });
    shell.Start(start.FileNames);
    QApplication::exec();
    return EXIT_SUCCESS;
}
