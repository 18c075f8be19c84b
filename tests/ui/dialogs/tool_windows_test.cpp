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

#include <QtGui/QClipboard>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
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

// It starts downwards in hexadecimal; the sign keys turn the direction list.
TEST_F(RelativeJump, DistanceSignFollowsTheDirectionAndZeroOnlyBeeps) {
    EXPECT_EQ(HelpContextOf(tool_), 158);
    Keys("1c");
    EXPECT_EQ(Jump(), 0x1C);
    Keys("-"); // upwards
    EXPECT_EQ(tool_->Direction().currentIndex(), 1);
    EXPECT_EQ(Jump(), -0x1C);
    Keys("+");
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

// From 4 GiB of data on the distance takes 64 bits and the field widens for all of them in
// binary; below, the tool is as it was.
TEST_F(RelativeJump, TheDistanceTakesSixtyFourBitsFromFourGiBOn) {
    constexpr Address FourGiB = Address{1} << 32;
    const int narrow = tool_->width();
    tool_->Address().SetValue(0x1'8000'0000LL);
    tool_->TakeStatus({.DataSize = FourGiB});
    EXPECT_EQ(Jump(), 0x1'8000'0000LL);
    tool_->SBBin().click();
    QApplication::processEvents();
    EXPECT_GT(tool_->width(), narrow);
    EXPECT_GE(tool_->Address().CharRect(0).left(), tool_->Address().contentsRect().left())
        << "the bits are cut short";
    tool_->TakeStatus({.DataSize = FourGiB - 1});
    QApplication::processEvents();
    EXPECT_EQ(tool_->width(), narrow);
    EXPECT_EQ(Jump(), 0x8000'0000LL);
}

// Long values, caret moves, values cut short and junk in every radix and both patterns: the
// field never reads or draws outside its text, and the jump takes what the pattern reads of
// what it shows.
TEST_F(RelativeJump, AddressFieldSurvivesLongValuesCutsAndJunk) {
    QApplication::clipboard()->setText(QString::fromLatin1("\xff\x01garbage\n\t%s%n"));
    std::mt19937 random(12);
    const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,     Qt::Key_Home, Qt::Key_End,
                            Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Up,   Qt::Key_Down};
    const char junk[] = "0123456789abcdefABCDEFxyz!\"#$%&'()=~|`{}*?<>_,./;:]@[^\\ +-";
    for (int round = 0; round < 400; ++round) {
        if (round == 200) tool_->TakeStatus({.DataSize = Address{6} << 30});
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
        const auto read = static_cast<std::int64_t>(
            PatternValue(tool_->Address().Value(), tool_->Address().Pattern()));
        const std::optional<std::int64_t> distance = Jump();
        if (read == 0) {
            EXPECT_EQ(distance, std::nullopt);
        } else {
            ASSERT_GT(read, 0) << "typing made a distance no address can be";
            ASSERT_TRUE(distance.has_value());
            EXPECT_EQ(std::abs(*distance), read);
            EXPECT_EQ(*distance < 0, tool_->Direction().currentIndex() == 1);
        }
    }
    // Cut to nothing, the field holds 0 and the jump only beeps.
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(tool_->Address().Value(), 0);
    EXPECT_EQ(Jump(), std::nullopt);
}

// The field lets only digits in and hands the count on in bits; the count's reading is the
// core's.
TEST_F(ToolTest, RotateCountTakesOnlyDigitsAndRunsByReturn) {
    auto* dialog = Show(new TDlgRotate(owner_.get(), true));
    EXPECT_EQ(HelpContextOf(dialog), 154);
    TEditEx& field = dialog->BitsField();
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClicks(&field, QStringLiteral("1a-+ 2"));
    EXPECT_EQ(field.text(), "012");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(dialog->RotateBits(), 8);
    dialog->RadioLeft().click();
    EXPECT_TRUE(dialog->Left());
    int runs = 0;
    dialog->OnRun = [&runs] { ++runs; };
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(runs, 1);
}

TEST_F(ToolTest, CharacterInputRunsOnlyWithAChosenCode) {
    auto* dialog = Show(new TDlgCharInput(owner_.get()));
    TSelChar& list = dialog->FrmInputChar().SelChar();
    EXPECT_EQ(QApplication::focusWidget(), &list);
    std::vector<int> codes;
    dialog->OnRun = [&] { codes.push_back(dialog->FrmInputChar().SelectedCode()); };

    list.clearSelection();
    list.setCurrentItem(nullptr);
    dialog->BtnCancel().setFocus();
    dialog->BtnRun().click();
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(QApplication::focusWidget(), &list);

    list.setCurrentRow(0x7A);
    list.scrollToItem(list.item(0x7A));
    const QPoint item = list.visualItemRect(list.item(0x7A)).center();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, item);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item);
    EXPECT_EQ(codes, std::vector<int>{0x7A});
}

// The offset and the drag are the running windows' test; here the edge of the work area.
TEST_F(ToolTest, ToolStaysInsideTheWorkAreaAndComesBackToItsOffset) {
    auto* tool = Show(new TDlgRotate(owner_.get(), false));
    const QRect area = owner_->screen()->availableGeometry();
    owner_->move(area.right() - 50, area.bottom() - 50);
    tool->OwnerMoved(true);
    EXPECT_TRUE(area.contains(tool->frameGeometry())) << tool->frameGeometry().x();
    owner_->move(150, 120);
    tool->OwnerMoved(true);
    EXPECT_EQ(tool->pos(), QPoint(182, 152));
}

} // namespace
} // namespace mv
