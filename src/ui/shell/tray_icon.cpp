#include "ui/shell/tray_icon.h"

#include "core/shell/window_list_text.h"
#include "platform/tool_icon.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

namespace mv {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TTrayIcon::TTrayIcon(TTrayShell& shell, QObject* parent)
    : QObject(parent), shell_(shell), history_(new QMenu(&popup_)), windows_(new QMenu(&popup_)) {
    history_->setObjectName(QStringLiteral("MM_History"));
    history_->setTitle(QStringLiteral("ファイル履歴から開く(&P)"));
    windows_->setObjectName(QStringLiteral("MM_Window"));
    windows_->setTitle(QStringLiteral("ウィンドウ選択(&W)"));
    icon_.setToolTip(QStringLiteral("Morvane Prime"));
    icon_.setContextMenu(&popup_);
    connect(&popup_, &QMenu::aboutToShow, this, &TTrayIcon::AboutToShowPopup);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
}

// Shown even while the desktop has no notification area: Qt watches for one, and a panel that
// starts later takes the icon in.
void TTrayIcon::Add() {
    const QIcon application = QApplication::windowIcon();
    icon_.setIcon(application.isNull() ? ToolIcon("morvane") : application);
    icon_.show();
}

void TTrayIcon::Remove() {
    icon_.hide();
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::DoubleClick) return;
    if (shell_.IsBusy())
        QApplication::beep();
    else
        shell_.Run(TTrayCommand::NewWindow);
}

void TTrayIcon::AboutToShowPopup() {
    if (!shell_.IsBusy()) return RebuildPopup();
    QApplication::beep();
    popup_.clear();
    QTimer::singleShot(0, &popup_, &QMenu::close);
}

void TTrayIcon::RebuildPopup() {
    popup_.clear();
    FillHistory();
    FillWindows();
    popup_.addMenu(history_);
    popup_.addMenu(windows_);
    popup_.addSeparator();
    AddCommand(TTrayCommand::NewWindow, "MM_New", "新規作成(&N)");
    AddCommand(TTrayCommand::Open, "MM_Open", "開く(&O)");
    popup_.addSeparator();
    AddCommand(TTrayCommand::Help, "MM_Help", "ヘルプ(&H)");
    AddCommand(TTrayCommand::Options, "MM_Option", "環境オプション(&O)...");
    AddCommand(TTrayCommand::QuitAll, "MM_AllQuit", "全終了(&Q)");
    if (shell_.Offers(TTrayCommand::Version)) popup_.addSeparator();
    AddCommand(TTrayCommand::Version, "MM_Version", "バージョン情報(&V)...");
}

void TTrayIcon::AddCommand(TTrayCommand command, const char* name, const char* caption) {
    if (!shell_.Offers(command)) return;
    QAction* item = popup_.addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, command] { shell_.Run(command); });
}

void TTrayIcon::FillHistory() {
    history_->clear();
    const std::vector<std::string> names = shell_.HistoryNames();
    history_->setEnabled(!names.empty());
    const QIcon icon = ToolIcon("history-item");
    for (int index = 0; index < static_cast<int>(names.size()); ++index) {
        QAction* item =
            history_->addAction(icon, Text(NumberedMenuItemText(index + 1, names[index])));
        connect(item, &QAction::triggered, this, [this, index] { shell_.OpenHistoryEntry(index); });
    }
}

void TTrayIcon::FillWindows() {
    windows_->clear();
    const std::vector<std::string> names = shell_.WindowFileNames();
    windows_->setEnabled(!names.empty());
    const TWindowMenuLayout layout = WindowMenuLayout(static_cast<int>(names.size()));
    const QIcon icon = ToolIcon("window-item");
    for (int index = 0; index < layout.NumberedItems; ++index) {
        const std::string text = NumberedMenuItemText(index + 1, WindowDisplayName(names[index]));
        QAction* item = windows_->addAction(icon, Text(text));
        connect(item, &QAction::triggered, this, [this, index] { shell_.ActivateWindow(index); });
    }
    if (!layout.MoreItem) return;
    QAction* more = windows_->addAction(ToolIcon("more"), Text(std::string(MoreWindowsItemText)));
    connect(more, &QAction::triggered, this, [this] { shell_.ShowWindowList(); });
}

} // namespace mv
