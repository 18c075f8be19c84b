// The shortcut maintenance in a user's home of its own: the folders it finds, the boxes it
// shows, the real files "実行" makes and removes, and the failures it reports.
#include "ui/dialogs/dlg_short_cut.h"

#include "core/dialogs/desktop_files.h"
#include "platform/work_area.h"
#include "support/modal_answer.h"
#include "ui/dialogs/user_home.h"
#include "ui/dialogs/shipped_program.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace mv {
namespace {

namespace fs = std::filesystem;

class DlgShortCut : public ::testing::Test {
protected:
    DlgShortCut() { home.ShipDataFromSources(); }

    // The boxes as a new dialog shows them.
    static TShortcutChoice Shown() {
        const TDlgShortCut dialog(nullptr, UserShortcutFolders(), ProgramShortcutTargets());
        return {dialog.Check_StartMenu->isChecked(), dialog.Check_DeskTop->isChecked(),
                dialog.Check_SendTo->isChecked()};
    }

    // Runs a dialog with the boxes set as `wanted`; answers the texts of the errors it showed.
    static std::vector<QString> Run(TShortcutChoice wanted) {
        TDlgShortCut dialog(nullptr, UserShortcutFolders(), ProgramShortcutTargets());
        dialog.Check_StartMenu->setChecked(wanted.ProgramGroup);
        dialog.Check_DeskTop->setChecked(wanted.Desktop);
        dialog.Check_SendTo->setChecked(wanted.SendTo);
        std::vector<QString> errors;
        // Every message box is answered with OK; the count is not known beforehand.
        QTimer answer;
        answer.callOnTimeout([&errors] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                errors.push_back(box->text());
                box->accept();
            }
        });
        answer.start(5);
        dialog.btnRun->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return errors;
    }

    test::TUserHome home;
};

TEST_F(DlgShortCut, FindsTheFoldersOfTheUsersDesktopSettings) {
    home.SetDesktopFolder("Schreibtisch");
    const TShortcutFolders folders = UserShortcutFolders();
    EXPECT_EQ(folders.Desktop, home / "Schreibtisch/");
    EXPECT_EQ(folders.Applications, home / ".local/share/applications/");
    EXPECT_EQ(folders.Menus, home / ".config/menus/applications-merged/");
    EXPECT_EQ(folders.Directories, home / ".local/share/desktop-directories/");
    const TDesktopEntryTargets targets = ProgramShortcutTargets();
    EXPECT_EQ(targets.Help, fs::canonical(std::string(MV_SOURCE_DIR) + "/resources/help").string() + "/index.html");
    EXPECT_TRUE(fs::exists(targets.Program));
}

TEST_F(DlgShortCut, TheBoxesShowWhatExistsAndRunMakesAndRemovesIt) {
    EXPECT_EQ(Shown(), TShortcutChoice{});
    EXPECT_TRUE(Run({true, true, true}).empty());
    EXPECT_EQ(Shown(), (TShortcutChoice{true, true, true}));
    const TShortcutPaths paths = ShortcutPathsIn(UserShortcutFolders());
    EXPECT_EQ(paths.DesktopEntry, home / "Desktop/morvane-prime.desktop");
    for (const std::string* entry : {&paths.ProgramEntry, &paths.HelpEntry, &paths.DesktopEntry, &paths.OpenWithEntry})
        EXPECT_TRUE(test::ValidDesktopFile(*entry));

    EXPECT_TRUE(Run({false, true, false}).empty());
    EXPECT_EQ(Shown(), (TShortcutChoice{false, true, false}));
    EXPECT_FALSE(fs::exists(home / ".local/share/applications/morvane-prime"));
    EXPECT_TRUE(fs::exists(paths.DesktopEntry));
}

// Each failure and what it spares is the core's test; here a failure reaches its box.
TEST_F(DlgShortCut, AFailureIsShownAndNothingIsMade) {
    home.SetDesktopFolder("NoSuchDesktop");
    EXPECT_EQ(Run({false, true, false}),
              std::vector<QString>{"デスクトップのフォルダ " + QString::fromStdString(home / "NoSuchDesktop/") +
                                   " がありません.\r\nデスクトップにショートカットを作成できませんでした."});
    EXPECT_FALSE(fs::exists(home / "NoSuchDesktop"));
}

TEST_F(DlgShortCut, StandsOverItsOwnerOrInTheMiddleOfTheWorkArea) {
    QWidget owner;
    owner.setGeometry(200, 150, 500, 400);
    owner.show();
    for (QWidget* ownerWindow : {&owner, static_cast<QWidget*>(nullptr)}) {
        test::AnswerModals({QStringLiteral("キャンセル")}, [ownerWindow](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Morvane Prime ショートカットメンテナンス");
            EXPECT_EQ(dialog->parentWidget(), ownerWindow);
            EXPECT_EQ(dialog->pos(), DialogPlaceOnScreen(dialog->size(), ownerWindow));
        });
        ShortCutMaintenanceDialog(ownerWindow);
    }
}

using ShortCutInTheProgram = test::TShippedProgram;

TEST_F(ShortCutInTheProgram, TheToolMenuOpensItOverTheWindow) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    Script({test::Handle([&window](QWidget* dialog) {
        auto* shortcuts = qobject_cast<TDlgShortCut*>(dialog);
        ASSERT_NE(shortcuts, nullptr);
        EXPECT_EQ(shortcuts->parentWidget(), &window);
        shortcuts->btnCancel->click();
    })});
    Click(window, "MM_ShortCutMaintenance");
}

} // namespace
} // namespace mv
