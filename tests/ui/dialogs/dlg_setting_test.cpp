// The lump setting as its document window uses it: pre-set from the modes, placed where it is
// asked to stand, the changed choices handed back on "決定" and nothing on "キャンセル".
#include "ui/dialogs/dlg_setting.h"

#include "support/modal_answer.h"
#include "ui/binaryview/b_editor.h"
#include "ui/document/shell_fixture.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolBar>

#include <gtest/gtest.h>

namespace mv {
namespace {

QAbstractButton* Choice(QWidget* dialog, std::size_t group, int choice) {
    return static_cast<TDlgSetting*>(dialog)->Group(group)->button(choice);
}

// Which choice stands for which mode is the core's test; the dialog shows it and hands it back.
TEST(DlgSetting, PreSetsEveryGroupAndHandsBackTheChangedChoices) {
    TLumpModes modes;
    modes.CharaSet = CharaSet::Jis;
    TLumpChoices shown{};
    QPoint at;
    test::AnswerModals({QStringLiteral("決定")}, [&](QWidget* dialog) {
        shown = static_cast<TDlgSetting*>(dialog)->Choices();
        at = dialog->pos();
        Choice(dialog, 3, 4)->click(); // UTF-8, in the group's second line
    });
    const std::optional<TLumpModes> chosen = LumpSettingDialog(nullptr, QPoint(123, 87), modes);
    EXPECT_EQ(shown, ChoicesOf(modes));
    EXPECT_EQ(at, QPoint(123, 87));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->CharaSet, CharaSet::Utf8);
}

TEST(DlgSetting, TheViewOnlyModeDisablesTheInputChoices) {
    TLumpModes modes;
    modes.InputMode = TInputMode::ViewOnly;
    test::AnswerModals({QStringLiteral("決定")}, [&](QWidget* dialog) {
        for (const int choice : {0, 1}) {
            EXPECT_FALSE(Choice(dialog, 0, choice)->isEnabled());
            EXPECT_FALSE(Choice(dialog, 0, choice)->isChecked());
        }
    });
    EXPECT_EQ(LumpSettingDialog(nullptr, {}, modes), modes);
}

// The lump setting of a running document window: at its editor's corner, for that window only.
class LumpSettingInAWindow : public test::TShellFixture {
protected:
    // Runs the lump setting on the window; `choose` sets the dialog, then "決定" is pressed.
    // Answers whether the dialog stood 4 pixels right of and below the editor's corner.
    bool Run(TMvPrBinaryFormWClass& window, const std::function<void(TDlgSetting&)>& choose) {
        bool atCorner = false;
        Script({test::Handle([&](QWidget* dialog) {
            auto* setting = qobject_cast<TDlgSetting*>(dialog);
            ASSERT_NE(setting, nullptr);
            atCorner = setting->pos() == window.findChild<TBEditor*>()->mapToGlobal(QPoint(4, 4));
            choose(*setting);
            setting->btnOK->click();
        })});
        Click(window, "MM_LumpSetting");
        return atCorner;
    }
};

TEST_F(LumpSettingInAWindow, AppliesToItsOwnWindowOnlyAndLeavesTheConfiguration) {
    Start();
    shell->NewDocumentWindow();
    TMvPrBinaryFormWClass& first = Window(0);
    const TEnvironment configuration = shell->Environment();
    EXPECT_TRUE(Run(first, [](TDlgSetting& setting) {
        setting.Group(0)->button(0)->click(); // 挿入
        setting.Group(3)->button(0)->click(); // ASCII
        setting.Group(5)->button(1)->click(); // the tool bar hidden
        setting.Group(13)->button(1)->click(); // the history cleared on saving
    }));
    EXPECT_EQ(first.Core().InputMode(), TInputMode::Insert);
    EXPECT_EQ(first.Core().CharaSet(), CharaSet::Ascii);
    EXPECT_TRUE(first.ToolBar().isHidden());
    EXPECT_TRUE(first.Core().History().UndoFlushWithSaved);
    EXPECT_EQ(Window(1).Core().CharaSet(), configuration.CharaSet);
    EXPECT_FALSE(Window(1).ToolBar().isHidden());
    EXPECT_EQ(shell->Environment(), configuration);

    // Sized to its editor, the window follows what the setting hides.
    Click(first, "MM_WindowSizeOptimize");
    const int tall = first.height();
    Run(first, [](TDlgSetting& setting) { setting.Group(7)->button(1)->click(); }); // ステータスバー
    EXPECT_LT(first.height(), tall);
}

TEST_F(LumpSettingInAWindow, CancelLeavesTheWindowAsItWas) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    const TCheckSum sum = window.Core().CheckSum();
    Script({test::Handle([](QWidget* dialog) {
        auto* setting = static_cast<TDlgSetting*>(dialog);
        setting->Group(1)->button(1)->click();
        setting->btnCancel->click();
    })});
    Click(window, "MM_LumpSetting");
    EXPECT_EQ(window.Core().CheckSum(), sum);
}

} // namespace
} // namespace mv
