// The filer command of a document window: the open dialog on the filer folder, then the tool
// window over the document; the command again closes the tool.
#include "filer_samples.h"

#include "core/typedvalues/sjis_utf8.h"
#include "support/store_bytes.h"
#include "ui/dialogs/user_home.h"
#include "ui/document/shell_fixture.h"
#include "ui/filer/dlg_filer_open.h"
#include "ui/filer/field_editors.h"
#include "ui/filer/filer_page_view.h"
#include "ui/filer/tool_filer.h"

#include <QtCore/QPointer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QTreeWidget>

namespace mv {
namespace {

// The filer of that name chosen in the open dialog, or the dialog cancelled for an empty name.
test::TModalStep ChooseFilerNamed(const QString& name) {
    return test::Handle([name](QWidget* dialog) {
        auto* open = qobject_cast<TDlgFilerOpen*>(dialog);
        ASSERT_NE(open, nullptr) << dialog->metaObject()->className();
        if (name.isEmpty()) return open->reject();
        const auto found = open->Files().findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        open->Files().setCurrentItem(found.front());
        open->OpenButton().click();
    });
}

// The spin box of the integer field of that caption on the tool's page.
QSpinBox* IntegerField(TToolFiler& tool, std::size_t page, const std::string& caption) {
    for (TFieldEditor* editor : tool.Pages().at(page)->Editors())
        if (ShiftJisToUtf8(editor->Model().Item().Caption) == caption)
            return qobject_cast<QSpinBox*>(&editor->Control());
    return nullptr;
}

class DocumentFiler : public test::TShellFixture {
protected:
    // The filer command with the WAV filer chosen; waits until the tool has loaded it.
    TToolFiler* OpenWaveFiler(TMvPrBinaryFormWClass& window) {
        Script({ChooseFilerNamed(QStringLiteral("WAV.MVF"))});
        Click(window, "MM_Filer");
        TToolFiler* tool = window.findChild<TToolFiler*>();
        for (int i = 0; i < 100 && (tool == nullptr || tool->Pages().empty()); ++i) {
            QTest::qWait(10);
            tool = window.findChild<TToolFiler*>();
        }
        return tool;
    }

    // The user's own filer folder, empty, in a home of the test's own.
    const test::TUserHome user;
};

TEST_F(DocumentFiler, FromTheMenuToAnAppliedFieldAndBack) {
    const test::Bytes sample = test::SampleWav();
    Start({files.Write("sound.wav", sample)});
    TMvPrBinaryFormWClass& window = Window(0);
    EXPECT_TRUE(window.Action("MM_Filer")->text().startsWith(QStringLiteral("ファイラーツール(&F)...")));

    Script({ChooseFilerNamed({})});
    Click(window, "MM_Filer");
    EXPECT_EQ(window.findChild<TToolFiler*>(), nullptr) << "a cancelled dialog opens no tool";

    QPointer<TToolFiler> tool = OpenWaveFiler(window);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(tool->isVisible());
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("WAVE 音声 - ファイラーツール"));

    tool->NextPageButton().click();
    QSpinBox* channels = IntegerField(*tool, 1, "チャンネル数");
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->text(), QStringLiteral("2"));
    channels->selectAll();
    QTest::keyClicks(channels, QStringLiteral("1"));
    tool->Action("MM_OutData")->trigger();
    EXPECT_EQ(test::Contents(window.Module()).at(22), 1);
    Click(window, "MM_Undo");
    EXPECT_EQ(test::Contents(window.Module()), sample);

    Click(window, "MM_Filer");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(tool) << "the command closes the open tool";
}

// The document window's close takes its filer tool along without the tool's question.
TEST_F(DocumentFiler, ClosingTheWindowClosesTheTool) {
    Start({files.Write("sound.wav", test::SampleWav())});
    TMvPrBinaryFormWClass& window = Window(0);
    QPointer<TToolFiler> tool = OpenWaveFiler(window);
    ASSERT_NE(tool, nullptr);
    QSpinBox* rate = IntegerField(*tool, 1, "サンプリング周波数 (Hz)");
    ASSERT_NE(rate, nullptr);
    rate->selectAll();
    QTest::keyClicks(rate, QStringLiteral("8000"));
    EXPECT_EQ(tool->ModifiedPanel().text(), QStringLiteral("変更"));
    Click(window, "MM_Close");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(tool);
}

} // namespace
} // namespace mv
