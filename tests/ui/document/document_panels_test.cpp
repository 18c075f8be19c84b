// The panels of a document window wired to a real editor, the clipboard, the pointer and
// the keyboard. What each text says is the core's test; here the panels show and hand it on.
#include "core/binaryview/editor_fixture.h"
#include "ui/document/document_status_bar.h"
#include "ui/document/function_key_bar.h"
#include "ui/document/information_panel.h"

#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolButton>

namespace mv::test {
namespace {

TEST(InformationPanel, ShowsTheEditorAndCopiesARow) {
    TEditorFixture editor(Sequence(0x200));
    editor.core.SetCaret({0x100, 0}); // bytes 05 06 07 08 (0x100 % 251 = 5)
    TInformationPanel panel;
    panel.SetFileSize(editor.core.Module().Size());
    panel.Refresh(editor.core, TByteOrder::LittleEndian);
    EXPECT_EQ(panel.RowText(TInfoRow::Word), (TInfoRowText{"0605h", "1541"}));
    EXPECT_EQ(panel.RowText(TInfoRow::FileSize).Decimal, "512"); // the status refresh's row
    panel.CopyButton(TInfoRow::Address)->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "00000100h (256)");
}

// Counts the paint events a widget receives.
struct TPaintCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

TEST(DocumentStatusBar, ShowsTheFactsAndPaintsProgressAtOnce) {
    TDocumentStatusBar bar;
    bar.resize(640, TDocumentStatusBar::BarHeight);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    TEditorFixture editor(Sequence(5000));
    bar.Refresh(StatusFactsOf(editor.core, TCompareMode::Present, TInfoMode::MemoryEfficiency));
    EXPECT_EQ(bar.PanelText(6), "ﾒﾓﾘ利用効率 61%");

    TPaintCounter counter;
    bar.Panel(7)->installEventFilter(&counter);
    // No event loop runs between the text and the check, as during a long load.
    bar.SetProgressText("読み込み中 50%");
    EXPECT_EQ(bar.PanelText(7), "読み込み中 50%");
    EXPECT_GE(counter.Paints, 1);
}

TEST(DocumentStatusBar, GaugeSwitchOpensTheMenuAtItsRightEdge) {
    TDocumentStatusBar bar;
    bar.resize(640, TDocumentStatusBar::BarHeight);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QWidget* gaugeSwitch = bar.Panel(5);
    QSignalSpy chosen(&bar, &TDocumentStatusBar::infoModeChosen);

    QTest::mouseClick(gaugeSwitch, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_FALSE(bar.InfoModeMenu()->isVisible());

    QTest::mouseClick(gaugeSwitch, Qt::LeftButton);
    QMenu* menu = bar.InfoModeMenu();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000));
    EXPECT_EQ(menu->pos(), gaugeSwitch->mapToGlobal(QPoint(gaugeSwitch->width(), -gaugeSwitch->y())));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->text(), "アンドゥバッファ利用率(&U)");
    menu->actions()[1]->trigger();
    menu->close();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
}

TEST(FunctionKeyBar, LaysOutCaptionsAndReportsClicksWithTheHeldKeys) {
    TFunctionKeyBar bar;
    bar.resize(620, TFunctionKeyBar::BarHeight);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    EXPECT_EQ(bar.Button(4)->geometry(), QRect(208, 0, 51, TFunctionKeyBar::BarHeight));

    bar.SetCaptions(FunctionCaptionsOf(TKeyAssignment::Template(TKeyAssignType::WindowsStandard)));
    EXPECT_EQ(bar.Button(11)->text(), "保存");
    bar.ShowShiftState(1);
    EXPECT_EQ(bar.Button(0)->text(), "定型入M");

    QSignalSpy clicked(&bar, &TFunctionKeyBar::keyClicked);
    QTest::keyPress(&bar, Qt::Key_Control, Qt::ControlModifier);
    QTest::mouseClick(bar.Button(2), Qt::LeftButton, Qt::ControlModifier);
    QTest::keyRelease(&bar, Qt::Key_Control);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), FunctionKeyIndex(2));
    EXPECT_EQ(clicked[0][1].toInt(), 2);
}

} // namespace
} // namespace mv::test
