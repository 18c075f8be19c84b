// The typed input, rotation and relative jump tool windows on their own, under real keys and
// clicks: what each control takes, what each button hands its owner, and how a tool keeps its
// place beside the window it belongs to.
#include "platform/help_context.h"
#include "ui/dialogs/dlg_char_input.h"
#include "ui/dialogs/dlg_rotate.h"
#include "ui/dialogs/tool_relative_jump.h"
#include "ui/typedvalues/edit_ex.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/sel_char.h"

#include <QtCore/QPointer>
#include <QtGui/QClipboard>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

namespace mv {
namespace {

// A document window stand-in that owns the tool under test.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = std::make_unique<QWidget>();
        owner_->resize(400, 300);
        owner_->move(100, 100);
        owner_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(owner_.get()));
    }

    template <class T> T* Show(T* tool) {
        tool->ShowTool();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(tool));
        tool->activateWindow();
        QApplication::processEvents();
        return tool;
    }

    std::unique_ptr<QWidget> owner_;
};

class RelativeJump : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        tool_ = Show(new TToolRelativeJump(owner_.get()));
        tool_->OnJump = [this](std::int64_t distance) { jumped_ = distance; };
        tool_->Address().setFocus();
    }
    void Keys(const char* text) { QTest::keyClicks(&tool_->Address(), QLatin1String(text)); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&tool_->Address(), key, modifiers);
    }
    std::optional<std::int64_t> Jump() {
        jumped_.reset();
        tool_->BtnRun().click();
        return jumped_;
    }

    TToolRelativeJump* tool_ = nullptr;
    std::optional<std::int64_t> jumped_;
};

TEST_F(RelativeJump, StartsDownwardsInHexadecimalWithItsCaptions) {
    EXPECT_EQ(tool_->windowTitle(), "相対ジャンプツール");
    EXPECT_EQ(tool_->findChild<QLabel*>("Label_Address")->text(), "相対アドレス(&A)");
    EXPECT_EQ(tool_->findChild<QLabel*>("Label_Direction")->text(), "方向(&D)");
    EXPECT_EQ(tool_->SBBin().text(), "&Bin");
    EXPECT_EQ(tool_->SBDec().text(), "&Dec");
    EXPECT_EQ(tool_->SBHex().text(), "&Hex");
    EXPECT_EQ(tool_->BtnRun().text(), "ジャンプ(&J)");
    EXPECT_TRUE(tool_->BtnRun().isDefault());
    EXPECT_EQ(tool_->BtnCancel().text(), "閉じる(&C)");
    ASSERT_EQ(tool_->Direction().count(), 2);
    EXPECT_EQ(tool_->Direction().itemText(0), "下方向 (アドレス加算)");
    EXPECT_EQ(tool_->Direction().itemText(1), "上方向 (アドレス減算)");
    EXPECT_EQ(tool_->Direction().currentIndex(), 0);
    EXPECT_TRUE(tool_->SBHex().isChecked());
    EXPECT_EQ(tool_->Address().CardinalNumber(), TCardinalNumber::cnHexadecimal);
    EXPECT_EQ(HelpContextOf(tool_), 158);
}

TEST_F(RelativeJump, DistanceSignFollowsTheDirectionAndZeroOnlyBeeps) {
    Keys("1c");
    EXPECT_EQ(Jump(), 0x1C);
    Keys("-"); // upwards
    EXPECT_EQ(tool_->Direction().currentIndex(), 1);
    EXPECT_EQ(Jump(), -0x1C);
    Keys("+");
    EXPECT_EQ(tool_->Direction().currentIndex(), 0);
    Key(Qt::Key_Return); // the default button
    EXPECT_EQ(jumped_, 0x1C);
    tool_->Address().SetValue(0);
    EXPECT_EQ(Jump(), std::nullopt);
    // The low 32 bits count; their top bit is distance, not a sign.
    tool_->Address().SetValue(0x1'8000'0000LL);
    EXPECT_EQ(Jump(), 0x8000'0000LL);
}

TEST_F(RelativeJump, RadixButtonsAndArrowKeysGoRoundTheThreeRadixes) {
    struct TStep {
        std::function<void()> Act;
        TCardinalNumber Expected;
    };
    const TStep steps[] = {
        {[this] { tool_->SBBin().click(); }, TCardinalNumber::cnBinary},
        {[this] { Key(Qt::Key_Up); }, TCardinalNumber::cnHexadecimal},
        {[this] { Key(Qt::Key_Up); }, TCardinalNumber::cnDecimal},
        {[this] { Key(Qt::Key_Up); }, TCardinalNumber::cnBinary},
        {[this] { Key(Qt::Key_Down); }, TCardinalNumber::cnDecimal},
        {[this] { Key(Qt::Key_Down); }, TCardinalNumber::cnHexadecimal},
        {[this] { Key(Qt::Key_Down); }, TCardinalNumber::cnBinary},
        {[this] { tool_->SBDec().click(); }, TCardinalNumber::cnDecimal},
        {[this] { tool_->SBDec().click(); }, TCardinalNumber::cnDecimal}, // stays down
    };
    for (const TStep& step : steps) {
        step.Act();
        EXPECT_EQ(tool_->Address().CardinalNumber(), step.Expected);
        EXPECT_EQ(tool_->SBBin().isChecked(), step.Expected == TCardinalNumber::cnBinary);
        EXPECT_EQ(tool_->SBDec().isChecked(), step.Expected == TCardinalNumber::cnDecimal);
        EXPECT_EQ(tool_->SBHex().isChecked(), step.Expected == TCardinalNumber::cnHexadecimal);
    }
}

// Long values, caret moves, values cut short and junk in every radix: the field never reads or
// draws outside its text, and the jump always takes the low 32 bits of what it shows.
TEST_F(RelativeJump, AddressFieldSurvivesLongValuesCutsAndJunk) {
    QApplication::clipboard()->setText(QString::fromLatin1("\xff\x01garbage\n\t%s%n"));
    std::mt19937 random(12);
    const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,     Qt::Key_Home, Qt::Key_End,
                            Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Up,   Qt::Key_Down};
    const char junk[] = "0123456789abcdefABCDEFxyz!\"#$%&'()=~|`{}*?<>_,./;:]@[^\\ +-";
    for (int round = 0; round < 400; ++round) {
        switch (random() % 5) {
        case 0:
            Keys("fffffffffffffffffffffffffffffff123456789"); // far past 64 bits
            break;
        case 1:
            Key(keys[random() % std::size(keys)],
                random() % 2 ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 2: {
            const char c[2] = {junk[random() % (std::size(junk) - 1)], 0};
            Keys(c);
            break;
        }
        case 3:
            Key(Qt::Key_V, Qt::ControlModifier); // paste: the field takes none
            break;
        default:
            for (int i = 0; i < 40; ++i)
                Key(Qt::Key_Backspace);
        }
        tool_->Address().repaint();
        const auto low = static_cast<std::uint32_t>(tool_->Address().Value());
        const std::optional<std::int64_t> distance = Jump();
        if (low == 0) {
            EXPECT_EQ(distance, std::nullopt);
        } else {
            ASSERT_TRUE(distance.has_value());
            EXPECT_EQ(std::abs(*distance), std::int64_t{low});
            EXPECT_EQ(*distance < 0, tool_->Direction().currentIndex() == 1);
        }
    }
    // Cut to nothing, the field holds 0 and the jump only beeps.
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(tool_->Address().Value(), 0);
    EXPECT_EQ(Jump(), std::nullopt);
}

TEST_F(ToolTest, RotateCountTakesOnlyDigitsAndReadsJunkAsZero) {
    for (const bool bytes : {false, true}) {
        SCOPED_TRACE(bytes);
        auto* dialog = Show(new TDlgRotate(owner_.get(), bytes));
        EXPECT_EQ(dialog->windowTitle(), bytes ? "n バイトローテート" : "n ビットローテート");
        EXPECT_EQ(dialog->findChild<QLabel*>("Numeric")->text(),
                  bytes ? "バイト数(&B)" : "ビット数(&B)");
        EXPECT_EQ(dialog->BtnRun().text(), "実行");
        EXPECT_EQ(HelpContextOf(dialog), bytes ? 154 : 153);
        EXPECT_EQ(dialog->RadioRight().text(), "右方向(&R)");
        EXPECT_EQ(dialog->RadioLeft().text(), "左方向(&L)");
        EXPECT_TRUE(dialog->RadioRight().isChecked());
        TEditEx& field = dialog->BitsField();
        EXPECT_EQ(field.text(), "0");
        EXPECT_EQ(dialog->RotateBits(), 0);

        field.setFocus();
        QTest::keyClick(&field, Qt::Key_End);
        QTest::keyClicks(&field, QStringLiteral("1a-+ 2"));
        EXPECT_EQ(field.text(), "012");
        QTest::keyClick(&field, Qt::Key_Backspace);
        EXPECT_EQ(field.text(), "01");
        EXPECT_EQ(dialog->RotateBits(), bytes ? 8 : 1);
        field.setText(QStringLiteral("x9")); // pasted junk
        EXPECT_EQ(dialog->RotateBits(), 0);
        field.setText(QStringLiteral("99999999999"));
        EXPECT_EQ(dialog->RotateBits(), 0);

        dialog->RadioLeft().click();
        EXPECT_TRUE(dialog->Left());
        int runs = 0;
        dialog->OnRun = [&runs] { ++runs; };
        QTest::keyClick(&field, Qt::Key_Return);
        EXPECT_EQ(runs, 1);
        dialog->close();
    }
}

TEST_F(ToolTest, CharacterInputRunsOnlyWithAChosenCode) {
    auto* dialog = Show(new TDlgCharInput(owner_.get()));
    EXPECT_EQ(dialog->windowTitle(), "キャラクタ型定型入力");
    EXPECT_EQ(dialog->BtnRun().text(), "入力");
    TSelChar& list = dialog->FrmInputChar().SelChar();
    EXPECT_EQ(dialog->FrmInputChar().AsciiCharaSet(), TAsciiSet::asASCII);
    EXPECT_EQ(QApplication::focusWidget(), &list);
    std::vector<int> codes;
    dialog->OnRun = [&] { codes.push_back(dialog->FrmInputChar().SelectedCode()); };

    list.clearSelection();
    list.setCurrentItem(nullptr);
    dialog->BtnCancel().setFocus();
    dialog->BtnRun().click();
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(QApplication::focusWidget(), &list);

    list.setCurrentRow(0x41);
    dialog->BtnRun().click();
    QTest::keyClick(&list, Qt::Key_Return);
    list.setCurrentRow(0x7A);
    list.scrollToItem(list.item(0x7A));
    const QPoint item = list.visualItemRect(list.item(0x7A)).center();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, item);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item);
    EXPECT_EQ(codes, (std::vector<int>{0x41, 0x41, 0x7A}));
}

TEST_F(ToolTest, ToolKeepsItsOffsetAndStaysInsideTheWorkArea) {
    auto* tool = Show(new TDlgRotate(owner_.get(), false));
    EXPECT_EQ(tool->pos(), owner_->pos() + QPoint(32, 32));

    // Dragged 100 pixels right, the tool keeps that distance as the owner moves.
    tool->move(tool->pos() + QPoint(100, 0));
    QApplication::processEvents();
    EXPECT_EQ(tool->FollowOffset(), QPoint(132, 32));
    owner_->move(150, 120);
    tool->OwnerMoved(true);
    EXPECT_EQ(tool->pos(), QPoint(282, 152));

    // At the edge of the work area the tool is held inside, and comes back to its offset
    // once the owner moves away from the edge.
    const QRect area = owner_->screen()->availableGeometry();
    owner_->move(area.right() - 50, area.bottom() - 50);
    tool->OwnerMoved(true);
    EXPECT_TRUE(area.contains(tool->frameGeometry())) << tool->frameGeometry().x();
    owner_->move(150, 120);
    tool->OwnerMoved(true);
    EXPECT_EQ(tool->pos(), QPoint(282, 152));

    // Not following, the tool stays and remembers where it stands.
    owner_->move(10, 10);
    tool->OwnerMoved(false);
    EXPECT_EQ(tool->pos(), QPoint(282, 152));
    EXPECT_EQ(tool->FollowOffset(), QPoint(272, 142));
}

TEST_F(ToolTest, EscapeAndTheCloseButtonFreeTheTool) {
    for (const bool escape : {true, false}) {
        const QPointer<TDlgRotate> tool = Show(new TDlgRotate(owner_.get(), true));
        if (escape)
            QTest::keyClick(tool, Qt::Key_Escape);
        else
            tool->BtnCancel().click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(tool.isNull()) << escape;
    }
}

} // namespace
} // namespace mv
