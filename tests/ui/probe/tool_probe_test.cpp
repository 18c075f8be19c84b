// The data probe in a running document window, driven as a user drives it: opened by its
// menu item, key and tool button, following the caret, writing typed values, refusing what it
// cannot write, and digesting the selection.
#include "core/probe/digest.h"
#include "ui/document/document_tools.h"
#include "ui/document/shell_fixture.h"
#include "ui/probe/selection_digest_panel.h"
#include "ui/probe/tool_probe.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace mv::test {
namespace {

using Bytes = TTempFolder::Bytes;
using R = TProbeRow;

const QColor Pink(0xFF, 0xD0, 0xD0);

class Probe : public TShellFixture {
protected:
    TMvPrBinaryFormWClass& Open(const Bytes& bytes) {
        Start({files.Write("data.bin", bytes)});
        return Window(0);
    }
    static TToolProbe* ToolOf(TMvPrBinaryFormWClass& window) {
        return window.Tools().ToolAs<TToolProbe>(TToolSlot::Probe);
    }
    static TToolProbe& OpenTool(TMvPrBinaryFormWClass& window) {
        Click(window, "MM_Probe");
        EXPECT_NE(ToolOf(window), nullptr);
        return *ToolOf(window);
    }
    static QString Text(TToolProbe& tool, R row) { return tool.Field(row).text(); }
    // Types the text into the row, replacing what it showed, and presses Enter.
    static void Enter(TToolProbe& tool, R row, const char* text) {
        QLineEdit& field = tool.Field(row);
        field.setFocus();
        field.selectAll();
        QTest::keyClicks(&field, QString::fromUtf8(text));
        QTest::keyClick(&field, Qt::Key_Return);
    }
    static bool Marked(TToolProbe& tool, R row) {
        return tool.Field(row).palette().color(QPalette::Base) == Pink;
    }
};

TEST_F(Probe, OpensByItsItemKeyAndButtonAndFollowsTheCaretWhileShown) {
    TMvPrBinaryFormWClass& window = Open({0x41, 0xFF, 0x00, 0x00, 0x80, 0x3F});
    TToolProbe& tool = OpenTool(window);
    EXPECT_EQ(tool.windowTitle(), "データインスペクタ");
    EXPECT_TRUE(tool.isVisible());
    EXPECT_EQ(Text(tool, R::UInt8), "65");
    EXPECT_EQ(Text(tool, R::Utf8), "A U+0041");
    EXPECT_EQ(Text(tool, R::Guid), ""); // reaches past the end

    QTest::keyClick(&window.View(), Qt::Key_Right);
    QTest::keyClick(&window.View(), Qt::Key_Right);
    EXPECT_EQ(Text(tool, R::Float32), "1");
    EXPECT_EQ(Text(tool, R::ByteBinary), "00000000");
    window.Core().SetCaret({6, 0});
    EXPECT_EQ(Text(tool, R::UInt8), "");

    // Hidden with its window it reads nothing; shown again it catches up.
    window.HideToolWindows();
    window.Core().SetCaret({1, 0});
    EXPECT_EQ(Text(tool, R::UInt8), "");
    window.ShowToolWindows();
    EXPECT_EQ(Text(tool, R::UInt8), "255");

    // The same command closes it: here its key, then the tool button opens it again.
    QTest::keyClick(&window.View(), Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ToolOf(window), nullptr);
    window.ToolBar().findChild<QToolButton*>(QStringLiteral("TB_Probe"))->click();
    ASSERT_NE(ToolOf(window), nullptr);
    EXPECT_EQ(Text(*ToolOf(window), R::Int8), "-1");
}

// A value goes over the bytes at the caret in the chosen order, as one undo step; the order
// chosen is the configuration's for the next probe.
TEST_F(Probe, WritesATypedValueAtTheCaretAsOneUndoStep) {
    const Bytes data{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    TMvPrBinaryFormWClass& window = Open(data);
    TToolProbe& tool = OpenTool(window);
    window.Core().SetCaret({2, 0});
    Enter(tool, R::Int32, "-2");
    const Bytes written{0, 1, 0xFE, 0xFF, 0xFF, 0xFF, 6, 7, 8, 9};
    EXPECT_EQ(Contents(window), written);
    EXPECT_EQ(window.Core().CaretAddress(), 2);
    EXPECT_EQ(Text(tool, R::UInt16), "65534");
    EXPECT_EQ(tool.Refusal().text(), "");

    tool.RadioBig().click();
    EXPECT_EQ(shell->Environment().ProbeByteOrder, TByteOrder::BigEndian);
    Enter(tool, R::Unix32Utc, "2000-01-01 00:00:00");
    const Bytes stamped{0, 1, 0x38, 0x6D, 0x43, 0x80, 6, 7, 8, 9};
    EXPECT_EQ(Contents(window), stamped);
    Click(window, "MM_Undo");
    EXPECT_EQ(Contents(window), written);
    Click(window, "MM_Undo");
    EXPECT_EQ(Contents(window), data);
    EXPECT_FALSE(window.Core().History().CanUndo());

    // The value already there writes nothing; its row shows it in its own form again.
    Enter(tool, R::UInt8, "0x02");
    EXPECT_EQ(Text(tool, R::UInt8), "2");
    EXPECT_FALSE(window.Core().History().CanUndo());

    Click(window, "MM_Probe");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(OpenTool(window).RadioBig().isChecked());
}

// Refused text is marked with its reason as it is typed and when entered, and writes nothing.
TEST_F(Probe, RefusalsAreMarkedAndWriteNothing) {
    const Bytes data{0x10, 0x20, 0x30, 0x40};
    TMvPrBinaryFormWClass& window = Open(data);
    TToolProbe& tool = OpenTool(window);
    const auto expectRefused = [&](R row, const char* text, const char* reason) {
        Enter(tool, row, text);
        EXPECT_TRUE(Marked(tool, row)) << text;
        EXPECT_EQ(tool.Field(row).toolTip(), reason) << text;
        EXPECT_EQ(tool.Refusal().text(), reason) << text;
        EXPECT_EQ(Contents(window), data) << text;
        EXPECT_FALSE(window.Core().History().CanUndo()) << text;
    };
    expectRefused(R::Int8, "200", "値は -128 ～ 127 の範囲で指定して下さい.");
    expectRefused(R::Float64, "1e999", "書き込む値の範囲がファイル終端を越えています.");
    expectRefused(R::Float32, "x", "実数値を入力して下さい.");
    window.Core().SetInputMode(TInputMode::ViewOnly);
    expectRefused(R::UInt8, "1", "閲覧モードでは書き込めません.");

    // Typing a number again clears the mark; a caret move clears every mark.
    QTest::keyClick(&tool.Field(R::Float32), Qt::Key_Backspace);
    QTest::keyClicks(&tool.Field(R::Float32), QStringLiteral("1"));
    EXPECT_FALSE(Marked(tool, R::Float32));
    window.Core().SetCaret({1, 0});
    EXPECT_FALSE(Marked(tool, R::Int8));
    EXPECT_EQ(tool.Refusal().text(), "");
}

std::string DigestOf(TDigestKind kind, const Bytes& bytes) {
    const auto digest = TDigest::Make(kind);
    digest->Add(bytes);
    return digest->Finish();
}

// A small selection is digested once it stands still; a larger one on request, where Escape
// at the progress stops it.
TEST_F(Probe, DigestsTheSelection) {
    Bytes data(3 << 20);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    TMvPrBinaryFormWClass& window = Open(data);
    TToolProbe& tool = OpenTool(window);
    TSelectionDigestPanel& panel = tool.SelectionPanel();
    EXPECT_EQ(panel.Length().text(), "");
    window.Core().SetCaret({1, 0});
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&window.View(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(panel.Length().text(), "4 バイト (00000004h)");
    const Bytes selected(data.begin() + 1, data.begin() + 5);
    EXPECT_TRUE(panel.Pending());
    QTRY_VERIFY(!panel.Pending());
    EXPECT_EQ(panel.Digest(TDigestKind::Sha256).text().toStdString(),
              DigestOf(TDigestKind::Sha256, selected));
    EXPECT_EQ(panel.Digest(TDigestKind::Crc32).text().toStdString(),
              DigestOf(TDigestKind::Crc32, selected));
    EXPECT_FALSE(panel.BtnCompute().isEnabled());

    panel.AtOnceLimit = 1 << 20;
    Click(window, "MM_SelectAll");
    EXPECT_TRUE(panel.BtnCompute().isEnabled());
    EXPECT_FALSE(panel.Pending());
    EXPECT_EQ(panel.Digest(TDigestKind::Md5).text(), "");
    QTimer escape;
    escape.callOnTimeout([] {
        if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            QTest::keyClick(progress, Qt::Key_Escape);
    });
    escape.start(0);
    panel.BtnCompute().click();
    escape.stop();
    EXPECT_EQ(panel.Digest(TDigestKind::Md5).text(), "");
    EXPECT_TRUE(panel.BtnCompute().isEnabled());
    panel.BtnCompute().click();
    EXPECT_EQ(panel.Digest(TDigestKind::Md5).text().toStdString(),
              DigestOf(TDigestKind::Md5, data));
    EXPECT_FALSE(panel.BtnCompute().isEnabled());

    // A change of the data drops the digests of what was there.
    Type(window, "00");
    EXPECT_EQ(panel.Digest(TDigestKind::Md5).text(), "");
}

} // namespace
} // namespace mv::test
