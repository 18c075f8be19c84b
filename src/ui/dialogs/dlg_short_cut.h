#pragma once

#include "core/dialogs/shortcut_files.h"

#include <QtWidgets/QDialog>

class QCheckBox;
class QPushButton;

namespace mv {

// The shortcut maintenance: three boxes show which of the program's shortcuts exist when the
// dialog opens; "実行" makes and removes what they ask for and says what failed.
class TDlgShortCut : public QDialog {
    Q_OBJECT
public:
    TDlgShortCut(QWidget* owner, TShortcutFolders folders, TDesktopEntryTargets targets);

    [[nodiscard]] const TShortcutFolders& Folders() const { return folders_; }

    QCheckBox* Check_StartMenu;
    QCheckBox* Check_DeskTop;
    QCheckBox* Check_SendTo;
    QPushButton* btnRun;
    QPushButton* btnCancel;

private:
    void Run();

    TShortcutFolders folders_;
    TDesktopEntryTargets targets_;
};

// The user's folders as the desktop names them: the desktop folder of the user's folder
// settings, the applications, menu and submenu folders of the user's data and config folders.
[[nodiscard]] TShortcutFolders UserShortcutFolders();
// The running program, its installed manual and its icon.
[[nodiscard]] TDesktopEntryTargets ProgramShortcutTargets();

// Shows the dialog over `owner`, kept inside the work area, or without an owner centred on the
// work area after the information sound.
void ShortCutMaintenanceDialog(QWidget* owner);

} // namespace mv
