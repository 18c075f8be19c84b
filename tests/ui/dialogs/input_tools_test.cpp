// The typed input, rotation and jump tools in running document windows, driven as a user
// drives them: opened by their menu items and keys, filled in, run by their buttons and
// answered at each warning. Each run is checked by the bytes, the caret and one undo step.
#include "core/dialogs/jump_target.h"
#include "core/typedvalues/command_ids.h"
#include "ui/dialogs/dlg_char_input.h"
#include "ui/dialogs/dlg_int_input.h"
#include "ui/dialogs/dlg_rotate.h"
#include "ui/dialogs/dlg_str_input.h"
#include "ui/dialogs/tool_relative_jump.h"
#include "ui/document/document_tools.h"
#include "ui/document/information_panel.h"
#include "ui/document/shell_fixture.h"
#include "ui/typedvalues/edit_ex.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"
#include "ui/typedvalues/sel_char.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

#include <filesystem>
#include <limits>

namespace mv::test {
namespace {

using Bytes = TTempFolder::Bytes;

Bytes Sequence(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 17 + 3);
    return bytes;
}

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class InputTools : public TShellFixture {
protected:
    TMvPrBinaryFormWClass& Open(const Bytes& bytes) {
        Start({files.Write("data.bin", bytes)});
        return Window(0);
    }
    template <class T> T& Tool(TMvPrBinaryFormWClass& window, const char* item, TToolSlot slot) {
        Click(window, item);
        T* tool = window.Tools().ToolAs<T>(slot);
        EXPECT_NE(tool, nullptr) << item;
        EXPECT_TRUE(tool != nullptr && tool->isVisible()) << item;
        return *tool;
    }
    static void Caret(TMvPrBinaryFormWClass& w, Address address) { w.Core().SetCaret({address, 0}); }
    // A selection of `count` bytes from the caret, made with Shift+Right.
    static void Select(TMvPrBinaryFormWClass& window, Address from, int count) {
        Caret(window, from);
        for (int i = 0; i < count; ++i)
            QTest::keyClick(&window.View(), Qt::Key_Right, Qt::ShiftModifier);
        ASSERT_EQ(window.Core().Selection().Start, from);
        ASSERT_EQ(window.Core().Selection().End, from + count);
    }
    // The run changed the data from `before` to `after` and one undo brings `before` back.
    static void ExpectOneStep(TMvPrBinaryFormWClass& window, const Bytes& before,
                              const Bytes& after) {
        EXPECT_EQ(Contents(window), after);
        Click(window, "MM_Undo");
        EXPECT_EQ(Contents(window), before);
        Click(window, "MM_Redo");
        EXPECT_EQ(Contents(window), after);
    }
    static Address CaretOf(const TMvPrBinaryFormWClass& w) { return w.Core().CaretAddress(); }
};

// The address jump's number typed in hexadecimal, the kind chosen in the list, then the run
// button.
void Jump(TDlgIntInput& dialog, TAddressMode mode, const char* hex) {
    TFrmInputInt& frame = dialog.FrmInputInt();
    frame.SetAddress(mode);
    TEditInt& field = frame.EditHex();
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClicks(&field, QString::fromLatin1(hex));
    dialog.BtnRun().click();
}

TEST_F(InputTools, IntegerOverwritesInsertsAndReplacesTheSelection) {
    const Bytes data = Sequence(8);
    TMvPrBinaryFormWClass& window = Open(data);
    auto& dialog = Tool<TDlgIntInput>(window, "MM_InputInt", TToolSlot::IntInput);
    TFrmInputInt& frame = dialog.FrmInputInt();
    // The window's remembered width and radix: a word, typed in decimal.
    EXPECT_EQ(frame.IntWidth(), TVariableType::vtWord);
    EXPECT_EQ(dialog.focusWidget(), &frame.EditDec());

    // A word 0x1234 in big-endian order over the bytes at the caret.
    frame.SetByteOrder(TByteOrder::BigEndian);
    frame.EditHex().setFocus();
    QTest::keyClicks(&frame.EditHex(), QStringLiteral("1234"));
    Caret(window, 2);
    dialog.BtnRun().click();
    const Bytes written{0x03, 0x14, 0x12, 0x34, 0x47, 0x58, 0x69, 0x7A};
    EXPECT_EQ(CaretOf(window), 4);
    ExpectOneStep(window, data, written);

    // Insert mode: a byte in little-endian order goes in before the caret's byte.
    window.Core().SetInputMode(TInputMode::Insert);
    frame.SetIntWidth(TVariableType::vtByte);
    Caret(window, 0);
    QTest::keyClick(&frame.EditHex(), Qt::Key_Return);
    const Bytes inserted{0x34, 0x03, 0x14, 0x12, 0x34, 0x47, 0x58, 0x69, 0x7A};
    EXPECT_EQ(CaretOf(window), 1);
    ExpectOneStep(window, written, inserted);
    EXPECT_EQ(window.Tools().IntWidth(), TVariableType::vtByte);

    // Over a selection, in either mode, the selection gives way to the bytes.
    window.Core().SetInputMode(TInputMode::Overwrite);
    frame.SetIntWidth(TVariableType::vtDoubleWord);
    frame.SetByteOrder(TByteOrder::LittleEndian);
    Select(window, 1, 3);
    dialog.BtnRun().click();
    const Bytes replaced{0x34, 0x34, 0x12, 0x00, 0x00, 0x34, 0x47, 0x58, 0x69, 0x7A};
    EXPECT_EQ(CaretOf(window), 5);
    EXPECT_TRUE(window.Core().Selection().Empty());
    ExpectOneStep(window, inserted, replaced);
}

TEST_F(InputTools, IntegerCapturesTheValueAtTheCaretWhereverItMoves) {
    TMvPrBinaryFormWClass& window = Open({0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    auto& dialog = Tool<TDlgIntInput>(window, "MM_InputInt", TToolSlot::IntInput);
    TFrmInputInt& frame = dialog.FrmInputInt();
    frame.SetIntWidth(TVariableType::vtDoubleWord);
    frame.CaptureButton().click();
    EXPECT_EQ(frame.EditHex().Value(), 0x44332211);
    // With the information panel hidden the tool still follows the caret; past the end the
    // missing bytes count as 0.
    Click(window, "MM_ViewInformationPanel");
    ASSERT_TRUE(window.InformationPanel().isHidden());
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(&window.View(), Qt::Key_Right);
    frame.CaptureButton().click();
    EXPECT_EQ(frame.EditHex().Value(), 0x00665544);
}

TEST_F(InputTools, StringAndCharacterInputByTheSameRules) {
    const Bytes data = Sequence(6);
    TMvPrBinaryFormWClass& window = Open(data);
    auto& strings = Tool<TDlgStrInput>(window, "MM_InputStr", TToolSlot::StrInput);
    TFrmInputStr& text = strings.FrmInputStr();
    EXPECT_EQ(strings.focusWidget(), &text.EditBox());

    // An empty text changes nothing and leaves no undo step.
    Caret(window, 1);
    strings.BtnRun().click();
    EXPECT_EQ(Contents(window), data);
    EXPECT_FALSE(window.Core().History().CanUndo());

    QTest::keyClicks(&text.EditBox(), QStringLiteral("AB"));
    strings.BtnRun().click();
    const Bytes afterText{0x03, 'A', 'B', 0x36, 0x47, 0x58};
    EXPECT_EQ(CaretOf(window), 3);
    ExpectOneStep(window, data, afterText);

    Select(window, 0, 2);
    auto& characters = Tool<TDlgCharInput>(window, "MM_InputChar", TToolSlot::CharInput);
    characters.FrmInputChar().SelChar().setCurrentRow(0x7E);
    characters.BtnRun().click();
    const Bytes afterChar{0x7E, 'B', 0x36, 0x47, 0x58};
    EXPECT_EQ(CaretOf(window), 1);
    ExpectOneStep(window, afterText, afterChar);
}

// Turning by n bits is n turns by one bit, and by n bytes n turns by one byte: a second window
// on the same data does the single turns through the menu.
TEST_F(InputTools, RotationByNMatchesNSingleTurns) {
    const Bytes data = Sequence(9);
    const std::string name = files.Write("data.bin", data);
    const std::string copy = files.Write("copy.bin", data);
    Start({name, copy});
    TMvPrBinaryFormWClass& window = Window(0);
    TMvPrBinaryFormWClass& oracle = Window(1);

    struct TCase {
        const char* Item;
        TToolSlot Slot;
        const char* Count;
        bool Left;
        const char* SingleItem;
        int Singles;
    };
    const TCase cases[] = {
        {"MM_BitRoll", TToolSlot::BitRoll, "11", true, "MM_BitRollLeft", 11},
        {"MM_ByteRoll", TToolSlot::ByteRoll, "2", false, "MM_ByteRollRight", 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Item) + " " + c.Count);
        Select(window, 2, 5);
        Select(oracle, 2, 5);
        auto& dialog = Tool<TDlgRotate>(window, c.Item, c.Slot);
        dialog.BitsField().setText(QString::fromLatin1(c.Count));
        (c.Left ? dialog.RadioLeft() : dialog.RadioRight()).click();
        const Bytes before = Contents(window);
        dialog.BtnRun().click();
        for (int i = 0; i < c.Singles; ++i)
            Click(oracle, c.SingleItem);
        EXPECT_NE(Contents(window), before);
        EXPECT_EQ(window.Core().Selection().Start, 2); // the selection stays
        ExpectOneStep(window, before, Contents(oracle));
        Click(window, c.Item); // closes it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window.Tools().Tool(c.Slot), nullptr);
    }

    // A count that is no number is 0: nothing turns and no undo step is left.
    auto& dialog = Tool<TDlgRotate>(window, "MM_BitRoll", TToolSlot::BitRoll);
    dialog.BitsField().setText(QStringLiteral("junk"));
    const Bytes before = Contents(window);
    Click(window, "MM_Undo");
    const Bytes undone = Contents(window);
    dialog.BtnRun().click();
    EXPECT_EQ(Contents(window), undone);
    Click(window, "MM_Redo");
    EXPECT_EQ(Contents(window), before);
}

TEST_F(InputTools, AddressJumpTakesEachKindAndAsksOutsideTheData) {
    TMvPrBinaryFormWClass& window = Open(Sequence(0x20));
    Caret(window, 8);
    QTest::keyClick(&window.View(), Qt::Key_F5); // ADDRESSJUMP
    auto* dialog = window.Tools().ToolAs<TDlgIntInput>(TToolSlot::AddressJump);
    ASSERT_NE(dialog, nullptr);
    TFrmInputInt& frame = dialog->FrmInputInt();
    EXPECT_EQ(frame.MaxDec().Value(), 0x1F);
    frame.CaptureButton().click();
    EXPECT_EQ(frame.EditDec().Value(), 8);

    const auto jump = [dialog](TAddressMode mode, const char* hex) { Jump(*dialog, mode, hex); };
    jump(TAddressMode::Absolute, "20"); // the end position itself needs no question
    EXPECT_EQ(CaretOf(window), 0x20);

    // Outside the data the jump asks: abandoned, the caret stays; agreed, it stops at the edge.
    struct TCase {
        TAddressMode Mode;
        const char* Hex;
        std::string_view Warning;
        Address Edge;
    };
    for (const TCase& c : {TCase{TAddressMode::RelativeUp, "10", JumpBeforeStartWarning, 0},
                           TCase{TAddressMode::RelativeDown, "30", JumpPastEndWarning, 0x20}}) {
        Caret(window, 8);
        QString warning;
        Script({Press("中止(&A)", &warning)});
        jump(c.Mode, c.Hex);
        EXPECT_EQ(warning, Q(c.Warning));
        EXPECT_EQ(CaretOf(window), 8);
        Script({Press("OK")});
        jump(c.Mode, c.Hex);
        EXPECT_EQ(CaretOf(window), c.Edge);
    }
    // An absolute 0xFFFFFFFF is far past the end, not one before the start.
    QString warning;
    Script({Press("OK", &warning)});
    jump(TAddressMode::Absolute, "ffffffff");
    EXPECT_EQ(warning, Q(JumpPastEndWarning));
    EXPECT_EQ(CaretOf(window), 0x20);

    // The limits follow the data as it grows.
    window.Core().SetInputMode(TInputMode::Insert);
    Type(window, "ab");
    EXPECT_EQ(frame.MaxDec().Value(), 0x20);
    EXPECT_FALSE(window.Core().History().CanRedo());
}

// A file of 6 GiB read on demand, sparse so that it costs no disk: both jumps reach addresses
// that 32 bits cannot hold, and the address jump's fields show 64 bits.
TEST_F(InputTools, JumpsReachPastFourGiBInAFileReadOnDemand) {
    constexpr Address Size = Address{6} << 30;
    const std::string path = files / "disk.img";
    std::filesystem::resize_file(files.Write("disk.img", {}), Size);
    Start({path});
    TMvPrBinaryFormWClass& window = Window(0);
    ASSERT_EQ(window.Module().Size(), Size);
    QTest::keyClick(&window.View(), Qt::Key_F5); // ADDRESSJUMP
    auto* dialog = window.Tools().ToolAs<TDlgIntInput>(TToolSlot::AddressJump);
    ASSERT_NE(dialog, nullptr);
    TFrmInputInt& frame = dialog->FrmInputInt();
    EXPECT_EQ(frame.Variable().currentText(), QStringLiteral("無定型(64bit)"));
    EXPECT_EQ(frame.MaxHex().Value(), Size - 1);
    EXPECT_GE(frame.EditBin().CharRect(0).left(), frame.EditBin().contentsRect().left())
        << "the 64 bits are cut short";

    const auto jump = [dialog](TAddressMode mode, const char* hex) { Jump(*dialog, mode, hex); };
    jump(TAddressMode::Absolute, "123456789");
    EXPECT_EQ(CaretOf(window), 0x1'2345'6789);
    jump(TAddressMode::RelativeDown, "40000000");
    EXPECT_EQ(CaretOf(window), 0x1'6345'6789);
    // The largest address, upwards from the caret: far before the start, not round to the end.
    QString warning;
    Script({Press("OK", &warning)});
    jump(TAddressMode::RelativeUp, "7fffffffffffffff");
    EXPECT_EQ(frame.EditHex().Value(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(warning, Q(JumpBeforeStartWarning));
    EXPECT_EQ(CaretOf(window), 0);

    // The relative jump steps by more than 32 bits hold, each way, and stops at the end.
    QTest::keyClick(&window.View(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    auto* tool = window.Tools().ToolAs<TToolRelativeJump>(TToolSlot::RelativeJump);
    ASSERT_NE(tool, nullptr);
    tool->Address().setFocus();
    QTest::keyClicks(&tool->Address(), QStringLiteral("100000001"));
    struct TStep {
        const char* Sign;
        std::string_view Warning;
        Address Caret;
    };
    for (const TStep& step : {TStep{"+", {}, 0x1'0000'0001}, TStep{"+", JumpPastEndWarning, Size},
                              TStep{"-", {}, 0x7FFF'FFFF}}) {
        QTest::keyClicks(&tool->Address(), QString::fromLatin1(step.Sign));
        warning.clear();
        if (!step.Warning.empty()) Script({Press("OK", &warning)});
        tool->BtnRun().click();
        EXPECT_EQ(warning, Q(step.Warning));
        EXPECT_EQ(CaretOf(window), step.Caret);
    }
}

TEST_F(InputTools, AddressJumpIsNotOfferedForEmptyData) {
    Start({files.Write("empty.bin", {})});
    TMvPrBinaryFormWClass& window = Window(0);
    window.EnableSetting();
    EXPECT_FALSE(window.Action("MM_AddressJump")->isEnabled());
    window.Tools().Toggle(TToolSlot::AddressJump);
    EXPECT_EQ(window.Tools().Tool(TToolSlot::AddressJump), nullptr);
}

// Upwards and past the start ask alike; the address jump above takes that way.
TEST_F(InputTools, RelativeJumpStepsAndAsksPastTheEnd) {
    TMvPrBinaryFormWClass& window = Open(Sequence(0x40));
    QTest::keyClick(&window.View(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    auto* tool = window.Tools().ToolAs<TToolRelativeJump>(TToolSlot::RelativeJump);
    ASSERT_NE(tool, nullptr);
    tool->Address().setFocus();
    QTest::keyClicks(&tool->Address(), QStringLiteral("10"));
    Caret(window, 4);
    for (const Address to : {0x14, 0x24, 0x34}) {
        tool->BtnRun().click();
        EXPECT_EQ(CaretOf(window), to);
    }
    QString warning;
    Script({Press("中止(&A)", &warning)});
    tool->BtnRun().click();
    EXPECT_EQ(warning, Q(JumpPastEndWarning));
    EXPECT_EQ(CaretOf(window), 0x34);
    Script({Press("OK")});
    tool->BtnRun().click();
    EXPECT_EQ(CaretOf(window), 0x40);
}

// ---- commands, refusal, lifetime and placement

TEST_F(InputTools, ViewModeRefusesTheEditingToolsOnly) {
    TMvPrBinaryFormWClass& window = Open(Sequence(4));
    EXPECT_EQ(window.Action("MM_RelativeJump")->text(), "相対ジャンプツール(&R)...\tCtrl+Shift+F6");
    window.Core().SetInputMode(TInputMode::ViewOnly);
    window.EnableSetting();
    for (const char* item : {"MM_InputInt", "MM_InputStr", "MM_InputChar"})
        EXPECT_FALSE(window.Action(item)->isEnabled()) << item;
    for (const TToolSlot slot : {TToolSlot::IntInput, TToolSlot::StrInput, TToolSlot::CharInput,
                                 TToolSlot::BitRoll, TToolSlot::ByteRoll}) {
        window.Tools().Toggle(slot);
        EXPECT_EQ(window.Tools().Tool(slot), nullptr) << static_cast<int>(slot);
    }
    for (const TToolSlot slot : {TToolSlot::AddressJump, TToolSlot::RelativeJump}) {
        window.Tools().Toggle(slot);
        EXPECT_NE(window.Tools().Tool(slot), nullptr) << static_cast<int>(slot);
    }
}

// The command closes a tool in the rotation test above; Escape closes it here.
TEST_F(InputTools, EscapeFreesTheToolAndEmptiesItsSlot) {
    TMvPrBinaryFormWClass& window = Open(Sequence(4));
    window.Core().ExecuteCommand(cmd::INPUTINTEGER);
    const QPointer<TToolWindow> tool = window.Tools().Tool(TToolSlot::IntInput);
    ASSERT_FALSE(tool.isNull());
    EXPECT_EQ(tool->parentWidget(), &window);
    QTest::keyClick(tool, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tool.isNull());
    EXPECT_EQ(window.Tools().Tool(TToolSlot::IntInput), nullptr);
}

TEST_F(InputTools, ToolsFollowTheirWindowAndHideWithIt) {
    Start({files.Write("a.bin", Sequence(4)), files.Write("b.bin", Sequence(4))});
    TMvPrBinaryFormWClass& window = Window(0);
    TMvPrBinaryFormWClass& other = Window(1);
    window.move(40, 30);
    auto& tool = Tool<TDlgRotate>(window, "MM_BitRoll", TToolSlot::BitRoll);
    EXPECT_EQ(tool.pos(), window.pos() + QPoint(32, 32));
    tool.move(tool.pos() + QPoint(100, 0)); // the user drags it
    QApplication::processEvents();

    window.move(60, 50);
    EXPECT_EQ(tool.pos(), window.pos() + QPoint(132, 32));

    Click(window, "MM_DialogFlattery"); // off: the tool stays where it is
    const QPoint stays = tool.pos();
    window.move(10, 10);
    EXPECT_EQ(tool.pos(), stays);
    Click(window, "MM_DialogFlattery");
    window.move(20, 10);
    EXPECT_EQ(tool.pos(), stays + QPoint(10, 0));

    // Another window's activation hides the tool; its own brings it back.
    shell->WindowActivated(&other);
    EXPECT_FALSE(tool.isVisible());
    shell->WindowActivated(&window);
    EXPECT_TRUE(tool.isVisible());
}

} // namespace
} // namespace mv::test
