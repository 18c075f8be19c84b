// The environment options as the user meets them: every page with its words and values, the
// buttons that hand the copy back or not, the colour and key pages, and what an apply does to
// the open windows and to the stored configuration.
#include "core/typedvalues/command_ids.h"
#include "core/typedvalues/command_list.h"
#include "platform/help_context.h"
#include "platform/system_color.h"
#include "ui/dialogs/dlg_environment.h"
#include "ui/document/shell_fixture.h"

#include <QtCore/QPointer>
#include <QtCore/QSettings>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QTreeWidget>

#include <fstream>

namespace mv::test {
namespace {

template <class T> T& Control(const QWidget& dialog, const char* name) {
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *control;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The colour dialog: takes `color`, or is cancelled for an invalid one; `preset` gets what
// it showed first.
TModalStep PickColor(QColor color, QColor* preset = nullptr) {
    return Handle([color, preset](QWidget* dialog) {
        auto* colors = qobject_cast<QColorDialog*>(dialog);
        if (colors == nullptr) {
            ADD_FAILURE() << "expected the colour dialog, got " << dialog->metaObject()->className();
            return dialog->close(), void();
        }
        if (preset != nullptr) *preset = colors->currentColor();
        if (!color.isValid()) return colors->reject();
        colors->setCurrentColor(color);
        colors->accept();
    });
}

class EnvironmentDialog : public TShellFixture {
protected:
    // A dialog of its own on `settings`, recording what it hands back.
    TDlgEnvironment& Open(const TEnvironment& settings = {}) {
        dialog_ = std::make_unique<TDlgEnvironment>(settings);
        dialog_->ApplyCallback = [this](const TEnvironment& e) { applied.push_back(e); };
        dialog_->show();
        return *dialog_;
    }
    static void Press(const QWidget& dialog, const char* button) {
        Control<QPushButton>(dialog, button).click();
    }
    static QColor SampleBackground(const QWidget& dialog, const char* sample) {
        return Control<QLabel>(dialog, sample).palette().color(QPalette::Window);
    }

    std::vector<TEnvironment> applied;

private:
    std::unique_ptr<TDlgEnvironment> dialog_;
};

TEST_F(EnvironmentDialog, EveryPageShowsItsControlsWithTheValuesOfTheCopy) {
    const TDlgEnvironment& dialog = Open(
        {.StatusBar = false, .OpeningDlg = false, .FontHeight = 22, .ViewModeExt = "bin;img",
         .InputMode = TInputMode::Insert, .CharaSet = CharaSet::Utf16Be,
         .IntWidth = TVariableType::vtDoubleWord, .IntCardinal = TCardinalNumber::cnHexadecimal,
         .UndoBuffer = 512, .UndoPacked = true, .KeyAssignType = TKeyAssignType::DosStandard,
         .ProfileMax = 150});

    EXPECT_TRUE(dialog.windowTitle().startsWith(QStringLiteral("環境オプション - ")));
    const QTabWidget& pages = Control<QTabWidget>(dialog, "Pages");
    ASSERT_EQ(pages.count(), 6);
    for (int page = 0; page < pages.count(); ++page)
        EXPECT_EQ(HelpContextOf(pages.widget(page)), 192 + page);

    for (const auto& [name, current] :
         {std::pair{"InputMode", "挿入"}, {"CharaSet", "UTF-16BE"}, {"Bits", "32 bit"},
          {"Template", "MS-DOS 版標準"}})
        EXPECT_EQ(Control<QComboBox>(dialog, name).currentText(), QString::fromUtf8(current)) << name;
    EXPECT_EQ(Control<QSpinBox>(dialog, "ProfileMax").value(), 150);
    EXPECT_EQ(Control<QLineEdit>(dialog, "ViewExt").text(), "bin;img");
    EXPECT_TRUE(Control<QCheckBox>(dialog, "UndoPacked").isChecked());
    EXPECT_FALSE(Control<QCheckBox>(dialog, "StatusBar").isChecked());
    EXPECT_FALSE(Control<QPushButton>(dialog, "btnApply").isEnabled());
    EXPECT_TRUE(Control<QPushButton>(dialog, "btnOK").isDefault());
}

// A value the record may hold but no list item stands for comes back as it went in.
TEST_F(EnvironmentDialog, AValueWithoutAListItemSurvives) {
    TDlgEnvironment& dialog = Open({.InputMode = TInputMode::ViewOnly});
    EXPECT_EQ(Control<QComboBox>(dialog, "InputMode").currentText(), "2 (一覧にない値)");
    Control<QCheckBox>(dialog, "UndoPacked").click();
    Press(dialog, "btnOK");
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].InputMode, TInputMode::ViewOnly);
    EXPECT_TRUE(applied[0].UndoPacked);
}

// What is left to apply is the core's reckoning; here the buttons and controls reach it.
TEST_F(EnvironmentDialog, OkAppliesOnlyWhatIsLeftAndCancelKeepsWhatWasApplied) {
    {
        TDlgEnvironment& dialog = Open();
        Script({PickColor(Qt::red)});
        Press(dialog, "Eof_Font");
        EXPECT_TRUE(Control<QPushButton>(dialog, "btnApply").isEnabled());
        Press(dialog, "btnCancel");
        EXPECT_TRUE(applied.empty());
    }
    {
        TDlgEnvironment& dialog = Open();
        Control<QCheckBox>(dialog, "ToolBar").click();
        Press(dialog, "btnApply");
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_FALSE(applied[0].ToolBar);
        EXPECT_FALSE(Control<QPushButton>(dialog, "btnApply").isEnabled());
        Press(dialog, "btnOK"); // nothing left to apply
        EXPECT_EQ(applied.size(), 1u);
    }
    {
        TDlgEnvironment& dialog = Open();
        QTest::keyClicks(&Control<QLineEdit>(dialog, "ViewExt"), QStringLiteral(";bin"));
        Control<QComboBox>(dialog, "Bits").setFocus();
        QTest::keyClick(&Control<QComboBox>(dialog, "Bits"), Qt::Key_Up);
        Press(dialog, "btnOK");
        ASSERT_EQ(applied.size(), 2u);
        EXPECT_EQ(applied[1], (TEnvironment{.ViewModeExt = "sys;exe;com;dll;vxd;bin",
                                            .IntWidth = TVariableType::vtByte}));
    }
}

TEST_F(EnvironmentDialog, TheColourPageTiesTheBackgroundsAndKeepsSystemColours) {
    TDlgEnvironment& dialog = Open();
    const QPalette palette = dialog.palette();
    EXPECT_EQ(SampleBackground(dialog, "Eof_Sample"), QColor(0x00, 0xFF, 0xFF));
    EXPECT_FALSE(Control<QPushButton>(dialog, "Over_BG").isEnabled());

    // Taking the colour the dialog showed keeps the system colour.
    QColor preset;
    Script({PickColor(ToQColor(0x80000005, palette), &preset)});
    Press(dialog, "Normal_BG");
    EXPECT_EQ(preset, ToQColor(0x80000005, palette));
    EXPECT_FALSE(Control<QPushButton>(dialog, "btnApply").isEnabled());

    // With "同じ色" the normal background sets all five.
    const QColor teal(0x12, 0x80, 0x90);
    Script({PickColor(teal)});
    Press(dialog, "Normal_BG");
    for (const char* sample :
         {"Normal_Sample", "Difference_Sample", "Bigger_Sample", "Smaller_Sample", "Over_Sample"})
        EXPECT_EQ(SampleBackground(dialog, sample), teal) << sample;
    EXPECT_NE(SampleBackground(dialog, "Select_Sample"), teal);

    Control<QCheckBox>(dialog, "SameColor").click();
    EXPECT_TRUE(Control<QPushButton>(dialog, "Over_BG").isEnabled());
    Script({PickColor(QColor())});
    Press(dialog, "Eof_Font"); // cancelled: nothing changes
    Press(dialog, "btnApply");
    ASSERT_EQ(applied.size(), 1u);
    TColors expected = DefaultColors();
    for (TColorIndex index : {TColorIndex::NormalBG, TColorIndex::DifferenceBG,
                              TColorIndex::DifferenceBiggerBG, TColorIndex::DifferenceSmallerBG,
                              TColorIndex::OverBG})
        expected[static_cast<std::size_t>(index)] = 0x00908012;
    EXPECT_EQ(applied[0].Colors, expected);
}

class KeyPage : public EnvironmentDialog {
protected:
    void SetUp() override {
        dialog = &Open();
        Control<QTabWidget>(*dialog, "Pages").setCurrentIndex(5);
        EXPECT_EQ(HelpContextOf(dialog), 197);
    }
    void ChooseShift(const char* item) {
        QComboBox& shift = Control<QComboBox>(*dialog, "Shift");
        shift.setCurrentIndex(shift.findText(QString::fromUtf8(item)));
    }
    void ChooseKey(const char* name) {
        QListWidget& keys = Control<QListWidget>(*dialog, "Keys");
        const auto found = keys.findItems(QString::fromUtf8(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        keys.setCurrentItem(found.front());
    }
    // Double-clicks the command's label in the tree.
    void DoubleClickCommand(CommandId command) {
        QTreeWidget& tree = Control<QTreeWidget>(*dialog, "Operate");
        const QList<QTreeWidgetItem*> items = tree.findItems(
            Utf8(CommandEntryOf(command)->Description), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(items.isEmpty());
        tree.scrollToItem(items.front());
        const QPoint label = tree.visualItemRect(items.front()).center();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, label);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, label);
    }
    [[nodiscard]] CommandId TreeCommand() const {
        const QTreeWidgetItem* item = Control<QTreeWidget>(*dialog, "Operate").currentItem();
        return item != nullptr ? item->data(0, Qt::UserRole).toInt() : NoCommand;
    }

    TDlgEnvironment* dialog = nullptr;
};

TEST_F(KeyPage, CtrlAByHandTurnsTheTemplateToUserDefinedAndKeepsTheRest) {
    // The tree holds the command list's groups under bold headings.
    const QTreeWidget& tree = Control<QTreeWidget>(*dialog, "Operate");
    ASSERT_EQ(tree.topLevelItemCount(), static_cast<int>(CommandListGroups().size()));
    EXPECT_EQ(tree.topLevelItem(0)->text(0), Utf8(CommandListGroups()[0].Title));
    EXPECT_TRUE(tree.topLevelItem(0)->font(0).bold());

    ChooseShift("Ctrl");
    ChooseKey("{A}");
    const QLineEdit& operateName = Control<QLineEdit>(*dialog, "OperateName");
    EXPECT_EQ(operateName.text(), Utf8(CommandEntryOf(cmd::SELECTALL)->Description));
    EXPECT_EQ(TreeCommand(), cmd::SELECTALL);

    // Choosing what the key runs already changes nothing.
    DoubleClickCommand(cmd::SELECTALL);
    QComboBox& templates = Control<QComboBox>(*dialog, "Template");
    EXPECT_EQ(templates.currentText(), "Windows 版標準");
    EXPECT_FALSE(Control<QPushButton>(*dialog, "btnApply").isEnabled());

    DoubleClickCommand(cmd::COPY);
    EXPECT_EQ(templates.currentText(), "任意");
    EXPECT_EQ(operateName.text(), Utf8(CommandEntryOf(cmd::COPY)->Description));
    Press(*dialog, "btnApply");

    ASSERT_EQ(applied.size(), 1u);
    TKeyAssignment expected = TKeyAssignment::Template(TKeyAssignType::WindowsStandard);
    expected.SetKey(2, KeyNamed("{A}"), cmd::COPY);
    EXPECT_EQ(applied[0].KeyAssignment, expected);
    EXPECT_EQ(applied[0].KeyAssignType, TKeyAssignType::UserDefined);

    // A template chosen by key discards the edits; what it holds is the core's test.
    templates.setFocus();
    QTest::keyClick(&templates, Qt::Key_Up); // from "任意" to "MS-DOS 版標準"
    Press(*dialog, "btnOK");
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[1].KeyAssignType, TKeyAssignType::DosStandard);
}

// ---- in the running program

class Options : public TShellFixture {
protected:
    [[nodiscard]] static std::vector<TDlgEnvironment*> OpenDialogs() {
        std::vector<TDlgEnvironment*> dialogs;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TDlgEnvironment*>(widget); dialog && dialog->isVisible())
                dialogs.push_back(dialog);
        return dialogs;
    }
    [[nodiscard]] static TDlgEnvironment& TheDialog() {
        const std::vector<TDlgEnvironment*> dialogs = OpenDialogs();
        if (dialogs.size() != 1) throw std::runtime_error("not exactly one options dialog");
        return *dialogs.front();
    }
};

TEST_F(Options, ApplyReachesEveryOpenWindowAndTheNextStart) {
    Start();
    Click(Window(0), "MM_NewFile");
    ASSERT_EQ(Windows().size(), 2u);
    Click(Window(0), "MM_Option");
    TDlgEnvironment& dialog = TheDialog();
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    // The tool button and the tray find the same dialog.
    Window(1).ToolBar().findChild<QToolButton*>("TB_Option")->click();
    shell->Run(TTrayCommand::Options);
    EXPECT_EQ(OpenDialogs().size(), 1u);

    Control<QSpinBox>(dialog, "FontSize").setValue(20);
    Control<QCheckBox>(dialog, "ToolBar").click();
    Script({PickColor(QColor(0x10, 0x20, 0x30))});
    Control<QPushButton>(dialog, "Normal_Font").click();
    Control<QPushButton>(dialog, "btnApply").click();
    for (TMvPrBinaryFormWClass* window : Windows()) {
        EXPECT_TRUE(window->ToolBar().isHidden());
        EXPECT_EQ(window->View().ViewFont().pixelSize(), 20);
        EXPECT_EQ(window->Core().Colors()[0], 0x00302010u);
    }
    EXPECT_EQ(shell->Environment().FontHeight, 20);

    // Cancel keeps the applied change; the next dialog starts from it.
    QPointer<TDlgEnvironment> closed(&dialog);
    Control<QPushButton>(dialog, "btnCancel").click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_FALSE(Window(1).ToolBar().isVisible());
    Click(Window(1), "MM_Option");
    EXPECT_EQ(Control<QSpinBox>(TheDialog(), "FontSize").value(), 20);

    shell->QuitAll();
    QTRY_VERIFY(shell->Ended());
    EXPECT_TRUE(OpenDialogs().empty());
    Start();
    EXPECT_EQ(shell->Environment().FontHeight, 20);
    EXPECT_FALSE(shell->Environment().ToolBar);
}

TEST_F(Options, AHandWrittenConfigurationShowsDefaultsAndIsWrittenBackSound) {
    {
        std::ofstream ini(home / "Morvane.ini");
        ini << "[Config]\nFontHeight=abc\nUndoBuffer=99999\nProfileMax=-5\nInputMode=7\n"
               "KeyAssignType=9\nViewModeExt=@ByteArray(txt)\nOpeningDlg=@ByteArray(0)\n"
               "[Color]\nNormalBG=4294967295\nEofBG=hello\nSelectBG=255\n"
               "[ViewItem]\nToolBar=yes\n";
    }
    Start();
    Click(Window(0), "MM_Option");
    TDlgEnvironment& dialog = TheDialog();
    for (const auto& [name, value] : {std::pair{"FontSize", 14}, {"UndoBuffer", 128}, {"ProfileMax", 100}})
        EXPECT_EQ(Control<QSpinBox>(dialog, name).value(), value) << name;
    for (const auto& [name, current] : {std::pair{"InputMode", "上書き"}, {"Template", "Windows 版標準"}})
        EXPECT_EQ(Control<QComboBox>(dialog, name).currentText(), QString::fromUtf8(current)) << name;
    EXPECT_EQ(Control<QLineEdit>(dialog, "ViewExt").text(), "txt");
    EXPECT_TRUE(Control<QCheckBox>(dialog, "ToolBar").isChecked());
    EXPECT_TRUE(Control<QCheckBox>(dialog, "OpeningDialog").isChecked());
    EXPECT_TRUE(Control<QCheckBox>(dialog, "SameColor").isChecked());
    EXPECT_EQ(Control<QLabel>(dialog, "Select_Sample").palette().color(QPalette::Window),
              QColor(0xFF, 0, 0));
    Control<QPushButton>(dialog, "btnOK").click();

    shell->QuitAll();
    QTRY_VERIFY(shell->Ended());
    const QSettings stored(QString::fromStdString(home / "Morvane.ini"), QSettings::IniFormat);
    for (const auto& [key, value] :
         {std::pair{"Config/FontHeight", "14"}, {"Config/UndoBuffer", "128"}, {"Config/ProfileMax", "100"},
          {"Config/InputMode", "0"}, {"Config/KeyAssignType", "0"}, {"Config/OpeningDlg", "1"},
          {"ViewItem/ToolBar", "1"}, {"Color/SelectBG", "255"}})
        EXPECT_EQ(stored.value(key).toString(), value) << key;
    EXPECT_FALSE(stored.contains("Color/NormalBG"));
    EXPECT_FALSE(stored.contains("Color/EofBG"));
}

} // namespace
} // namespace mv::test
