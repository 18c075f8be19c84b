#include "ui/dialogs/dlg_short_cut.h"

#include "platform/data_folders.h"
#include "platform/help_context.h"
#include "platform/qt_host_services.h"
#include "platform/work_area.h"
#include "ui/dialogs/button_row.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

constexpr int HelperTimeout = 5000; // milliseconds for a desktop helper program

std::string FolderPath(const QString& folder) {
    return folder.isEmpty() ? std::string() : QFile::encodeName(folder).toStdString() + '/';
}

// Runs a helper of the desktop if it is installed; its failure only costs its service.
void RunDesktopHelper(const QString& program, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return;
    QProcess helper;
    helper.start(path, arguments);
    if (!helper.waitForFinished(HelperTimeout)) helper.kill();
    helper.waitForFinished(HelperTimeout);
}

} // namespace

TDlgShortCut::TDlgShortCut(QWidget* owner, TShortcutFolders folders, TDesktopEntryTargets targets)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Check_StartMenu(new QCheckBox(QStringLiteral("スタートメニューに Morvane Prime グループとショートカットを作成(&M)"), this)),
      Check_DeskTop(new QCheckBox(QStringLiteral("デスクトップにショートカットを作成(&D)"), this)),
      Check_SendTo(new QCheckBox(QStringLiteral("「送る」先に Morvane Prime を作成(&S)"), this)),
      btnRun(new QPushButton(QStringLiteral("実行"), this)),
      btnCancel(new QPushButton(QStringLiteral("キャンセル"), this)), folders_(std::move(folders)),
      targets_(std::move(targets)) {
    setObjectName(QStringLiteral("TDlgShortCut"));
    setWindowTitle(QStringLiteral("Morvane Prime ショートカットメンテナンス"));
    SetHelpContext(*this, 156);
    // Where each shortcut goes on this desktop, for the user who looks for it afterwards.
    Check_StartMenu->setToolTip(QStringLiteral("アプリケーションメニューの「Morvane Prime」サブメニュー (プログラムとヘルプ)"));
    Check_DeskTop->setToolTip(QString::fromStdString(folders_.Desktop));
    Check_SendTo->setToolTip(QStringLiteral("ファイルマネージャの「別のアプリケーションで開く」"));

    const TShortcutChoice existing = ExistingShortcuts(folders_);
    Check_StartMenu->setChecked(existing.ProgramGroup);
    Check_DeskTop->setChecked(existing.Desktop);
    Check_SendTo->setChecked(existing.SendTo);

    btnRun->setDefault(true);
    connect(btnRun, &QPushButton::clicked, this, &TDlgShortCut::Run);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Check_StartMenu);
    layout->addWidget(Check_DeskTop);
    layout->addWidget(Check_SendTo);
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({btnRun, btnCancel}));
}

void TDlgShortCut::Run() {
    const TShortcutRun run = RunShortcuts(
        folders_, targets_, {Check_StartMenu->isChecked(), Check_DeskTop->isChecked(), Check_SendTo->isChecked()});
    // A desktop starts an entry from the desktop folder only once it is marked trusted.
    if (!run.WrittenDesktopEntry.empty())
        RunDesktopHelper(QStringLiteral("gio"), {QStringLiteral("set"), QFile::decodeName(run.WrittenDesktopEntry.c_str()),
                                                 QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    // The "open with" lists come from the applications folder's cache of file types.
    if (run.ApplicationEntriesChanged && !folders_.Applications.empty() &&
        QFileInfo(QFile::decodeName(folders_.Applications.c_str())).isDir())
        RunDesktopHelper(QStringLiteral("update-desktop-database"),
                         {QStringLiteral("-q"), QFile::decodeName(folders_.Applications.c_str())});
    TQtHostServices host(this);
    for (const std::string& error : run.Errors)
        host.MessageDlgBeep(error, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    accept();
}

TShortcutFolders UserShortcutFolders() {
    using Paths = QStandardPaths;
    const QString desktop = Paths::writableLocation(Paths::DesktopLocation);
    return {FolderPath(desktop), FolderPath(Paths::writableLocation(Paths::ApplicationsLocation)),
            FolderPath(Paths::writableLocation(Paths::GenericConfigLocation) + QStringLiteral("/menus/applications-merged")),
            FolderPath(Paths::writableLocation(Paths::GenericDataLocation) + QStringLiteral("/desktop-directories"))};
}

// The icon beside an installed program is named by its path, so that a program installed
// under a prefix the desktop does not search still shows it; otherwise the theme finds it.
TDesktopEntryTargets ProgramShortcutTargets() {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString help = ShippedFolder(TShippedData::Help);
    const QFileInfo icon(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/icons/hicolor/256x256/apps/%1.png").arg(QLatin1String(ApplicationId)));
    return {QFile::encodeName(program).toStdString(),
            help.isEmpty() ? std::string() : QFile::encodeName(help + QStringLiteral("/index.html")).toStdString(),
            icon.exists() ? QFile::encodeName(icon.canonicalFilePath()).toStdString() : std::string(ApplicationId)};
}

void ShortCutMaintenanceDialog(QWidget* owner) {
    QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    TDlgShortCut dialog(ownerWindow, UserShortcutFolders(), ProgramShortcutTargets());
    dialog.adjustSize();
    dialog.move(DialogPlaceOnScreen(dialog.size(), ownerWindow));
    if (ownerWindow == nullptr) TQtHostServices().Beep();
    dialog.exec();
}

} // namespace mv
