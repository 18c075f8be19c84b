// The filer tool window on filers written for each case: what its editors show and enable,
// what reaches the data, its pages, its messages and its close question.
#include "filer_samples.h"
#include "filer_tool_fixture.h"

#include "core/filer/filer_bounds.h"
#include "support/modal_answer.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QStackedWidget>

namespace mv {
namespace {

using test::ByteVector;

// Answers the next message boxes with those buttons and keeps their texts.
class Messages {
public:
    explicit Messages(std::vector<QString> buttons) {
        test::AnswerModals(std::move(buttons), [texts = texts_](QWidget* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) texts->push_back(box->text());
        });
    }
    [[nodiscard]] const QStringList& Texts() const { return *texts_; }

private:
    std::shared_ptr<QStringList> texts_ = std::make_shared<QStringList>();
};

class FilerTool : public test::TFilerToolFixture {
protected:
    // An apply that names the refused input in an error box and writes nothing.
    void ExpectApplyRefused(const QString& text) {
        const ByteVector before = Data();
        const Messages messages({QStringLiteral("OK")});
        Run("MM_OutData");
        EXPECT_EQ(messages.Texts(), QStringList{text});
        EXPECT_EQ(Data(), before);
    }
};

// 12 34 | FF FF FF FF | C8 | 41 00 42 00 | 82 A0 | 82: the data ends in a lone lead byte.
const ByteVector Data14{0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0xC8,
                        0x41, 0x00, 0x42, 0x00, 0x82, 0xA0, 0x82};
const char* const Fields14 =
    "PAGE(p) BIGENDIAN EDITINTEGER(be, 0, 2, 0, 0) LITTLEENDIAN EDITINTEGER(le, 0, 2, 0, 0)\n"
    "EDITINTEGER(w4, 2, 4, 0x80000000, 0x7FFFFFFF) EDITINTEGER(w1, 2, 1, 0, 255)\n"
    "EDITINTEGER(limited, 6, 1, 0, 100) EDITINTEGER(free, 6, 1, 0, 0)\n"
    "EDITSTRING(s, 7, 4, 0x2E) EDITSTRING(sj, 11, 2, 0x20) EDITSTRING(lone, 13, 1, 0x20)\n"
    "EDITSELECT(list, 6, 1, 1=>one, 2=>two) EDITBIT(bit, 6, 3)\n"
    "DISABLE EDITINTEGER(off, 2, 1, 0, 0) ENABLE\n"
    "EDITINTEGER(last, 13, 2, 0, 0) EDITBIT(beyond, 14, 0) EDITSELECT(far, 14, 1, 5=>five)";

// Values shown as read, even outside their limits or unprintable; an apply without an edit
// writes none of them back.
TEST_F(FilerTool, EditorsShowTheBytesAsRead) {
    Open(Data14, Filer(Fields14));
    EXPECT_EQ(Fields(), test::OnPage("p", {{"be", "4660"}, {"le", "13330"}, {"w4", "-1"},
                                           {"w1", "255"}, {"limited", "200"}, {"free", "200"},
                                           {"s", "A B"}, {"sj", "あ"}, {"lone", ""},
                                           {"list", "0xC8 (一覧にない値)"}, {"bit", "1"},
                                           {"off", "255"}, {"last", "0"}, {"beyond", "0"},
                                           {"far", "five"}}));
    EXPECT_EQ(tool->ProgressPanel().text(), QStringLiteral("データの末尾を越える欄が 3 個あります"));
    EXPECT_FALSE(Editor("p/off").Control().isEnabled());
    EXPECT_TRUE(Editor("p/off").JumpButton->isEnabled()) << "a disabled field can still be found";
    for (const std::string name : {"p/last", "p/beyond", "p/far"})
        EXPECT_FALSE(Editor(name).Control().isEnabled() || Editor(name).JumpButton->isEnabled());
    EXPECT_EQ(Editor("p/bit").Control().toolTip(), QStringLiteral("0x00000006 - 3"));
    // The list holding a value it lacks is wide enough to show it whole, its jump button beside it.
    const QWidget& list = Editor("p/list").Control();
    EXPECT_GE(list.width(), list.sizeHint().width());
    EXPECT_EQ(Editor("p/list").JumpButton->x(), list.x() + list.width());

    // Text typed and typed back to the text read is no edit, though its bytes differ.
    Type("p/s", QStringLiteral("xy"));
    Type("p/s", QStringLiteral("A B"));
    Run("MM_OutData");
    EXPECT_EQ(Data(), Data14);
    EXPECT_FALSE(Core().Module().IsModified());

    // A wheel turned over an editor the user is not in changes nothing.
    QWheelEvent wheel({4, 4}, {}, {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&Editor("p/w1").Control(), &wheel);
    EXPECT_EQ(Fields()[3].second, "255");
    EXPECT_TRUE(tool->ModifiedPanel().text().isEmpty());

    Core().SetCaret({9, 0});
    Editor("p/off").JumpButton->click();
    EXPECT_EQ(Core().CaretAddress(), 2);
    // The spin buttons step into the limits.
    qobject_cast<QSpinBox*>(&Editor("p/limited").Control())->stepBy(1);
    EXPECT_EQ(Fields()[4].second, "100");
    Choose("p/list", QStringLiteral("two"));
    Type("p/s", QStringLiteral("xy"));
    Run("MM_OutData");
    EXPECT_EQ(Data(), (ByteVector{0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 'x', 'y', 0x2E, 0x2E,
                                  0x82, 0xA0, 0x82}))
        << "the list's choice is written after the integer's";
}

// Input a field refuses is named when the user applies, and nothing at all is written.
TEST_F(FilerTool, RefusedInputStopsTheWholeApply) {
    Open(Data14, Filer(Fields14));
    Type("p/w1", QStringLiteral("7"));
    Type("p/limited", QStringLiteral("300"));
    Type("p/s", QStringLiteral("한"));
    EXPECT_EQ(Editor("p/limited").Control().toolTip(),
              QStringLiteral("値は 0 ～ 100 の範囲で指定して下さい.\n0x00000006"));
    EXPECT_EQ(tool->ModifiedPanel().text(), QStringLiteral("変更"));
    ExpectApplyRefused(QStringLiteral("limited の値を反映できません.\r\n"
                                      "値は 0 ～ 100 の範囲で指定して下さい."));
    Type("p/limited", QStringLiteral("50"));
    ExpectApplyRefused(QStringLiteral("s の値を反映できません.\r\n"
                                      "Shift JIS で表せない文字は入力できません."));
    Type("p/s", QStringLiteral("日本"));
    Run("MM_OutData");
    const ByteVector data = Data();
    EXPECT_EQ(ByteVector(data.begin() + 2, data.begin() + 11),
              (ByteVector{7, 0xFF, 0xFF, 0xFF, 50, 0x93, 0xFA, 0x96, 0x7B}));
    EXPECT_TRUE(tool->ModifiedPanel().text().isEmpty());
}

// A value read outside the limits, cleared and left, comes back as it was; it blocks no apply.
TEST_F(FilerTool, AValueReadOutsideTheLimitsCanBeLeftAsItWas) {
    Open(Data14, Filer(Fields14));
    auto& limited = *qobject_cast<QSpinBox*>(&Editor("p/limited").Control());
    limited.selectAll();
    QTest::keyClick(&limited, Qt::Key_Backspace);
    QTest::keyClick(&limited, Qt::Key_Return);
    EXPECT_EQ(limited.text(), QStringLiteral("200"));
    EXPECT_EQ(limited.toolTip(), QStringLiteral("0x00000006"));
    ASSERT_EQ(Editor("p/limited").Model().Refusal(), "") << "an apply would be refused";
    Type("p/w1", QStringLiteral("7"));
    Run("MM_OutData");
    EXPECT_EQ(Data().at(2), 7);
    EXPECT_EQ(Data().at(6), 200);
}

// An edit of a field that the data no longer reaches is named, not written, and kept.
TEST_F(FilerTool, AnEditPastTheShrunkDataIsNamed) {
    Open(Data14, Filer(Fields14));
    Type("p/sj", QStringLiteral("ab"));
    Type("p/w1", QStringLiteral("7"));
    Core().Module().DeleteBytes(12, 2);
    const Messages messages({QStringLiteral("OK")});
    Run("MM_OutData");
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral(
                                    "sj の値は反映されませんでした.\r\n"
                                    "データが短くなり, 欄がデータの末尾を越えています.")});
    EXPECT_EQ(Data().at(2), 7) << "the other edits are written";
    EXPECT_EQ(Data().at(11), 0x82);
    EXPECT_EQ(tool->ModifiedPanel().text(), QStringLiteral("変更"));
}

// Which page may be chosen is the session's test; here the buttons and the shown page follow it.
TEST_F(FilerTool, PagesAndTheirButtons) {
    Open(ByteVector(4, 0), Filer("TITLE(T) PAGE(one) PAGE(two) PAGE(three) EDITINTEGER(b, 0, 1, 0, 0)"));
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("T - ファイラーツール"));
    EXPECT_FALSE(tool->PreviousPageButton().isEnabled());
    tool->NextPageButton().click();
    tool->NextPageButton().click();
    EXPECT_EQ(tool->PageSelect().currentText(), QStringLiteral("three"));
    EXPECT_TRUE(tool->Pages()[2]->isVisible());
    EXPECT_FALSE(tool->Pages()[0]->isVisible());
    EXPECT_TRUE(tool->PreviousPageButton().isEnabled());
    EXPECT_FALSE(tool->NextPageButton().isEnabled());
}

// A filer with an error, or one past a bound on its size, is named with its line at once; the
// pages shown before go on working, and the document is untouched.
TEST_F(FilerTool, AFilerWithAnErrorKeepsTheOldPages) {
    Open(ByteVector{1, 2}, Filer("TITLE(Good) EDITINTEGER(a, 0, 1, 0, 0)"));
    std::string thousandFields = "COMMON(b) ";
    std::string thousandIncludes;
    for (int i = 0; i < 1000; ++i) {
        thousandFields += "EDITINTEGER(x, 0, 4, 0, 0) ";
        thousandIncludes += "INCLUDECOMMON(b)\n";
    }
    const std::pair<std::string, QString> filers[] = {
        {"INITIALIZE CLEAR(0, 2, 9)\nCOMMAND EDITINTEGER(b, 0, 3, 0, 0)",
         QStringLiteral("[行番号]\t2\r\n[エラー内容]\tデータ幅が不正です. データ幅には 1,2,4 のみ"
                        "指定できます. \"3\"")},
        {thousandFields + "COMMAND\n" + thousandIncludes,
         QStringLiteral("[行番号]\t7\r\n[エラー内容]\t画面の部品が多すぎます. ページ, 見出し, "
                        "入力欄などの部品は合わせて 20000 個までにして下さい.")},
    };
    for (const auto& [text, reason] : filers) {
        const std::string bad = Filer(text, "bad.MVF");
        const Messages messages({QStringLiteral("中止(&A)")});
        QElapsedTimer took;
        took.start();
        tool->LoadFiler(bad);
        EXPECT_LT(took.elapsed(), 1000);
        EXPECT_EQ(messages.Texts(),
                  QStringList{QString::fromStdString(bad) +
                              QStringLiteral(" に記述エラーがあります.\r\n\r\n") + reason +
                              QStringLiteral("\r\n\r\nファイラーの読み込みに失敗しました.")});
    }
    EXPECT_EQ(Data(), (ByteVector{1, 2}));
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("Good - ファイラーツール"));
    EXPECT_TRUE(tool->Action("MM_OutData")->isEnabled());
    Type("(no title)/a", QStringLiteral("5"));
    Run("MM_OutData");
    EXPECT_EQ(Data(), (ByteVector{5, 2}));
}

// A filer's size is bounded by the widgets it builds: each command is priced at what it builds.
TEST_F(FilerTool, EachCommandBuildsTheWidgetsItIsPricedAt) {
    const auto built = [this] { return 1 + tool->Pages().at(0)->findChildren<QWidget*>().size(); };
    Open(ByteVector(4, 0), Filer("PAGE(p)"));
    EXPECT_EQ(built(), CommandWidgets("PAGE"));
    for (const std::string row :
         {"LABEL(l)", "HORIZONTALRULE", "MESSAGE(50, 50, m)", "EDITBIT(b, 0, 0)",
          "EDITINTEGER(i, 0, 1, 0, 0)", "EDITSELECT(s, 0, 1, 0=>a)", "EDITSTRING(t, 0, 1, 0)"}) {
        SCOPED_TRACE(row);
        tool->LoadFiler(Filer("PAGE(p) " + row));
        EXPECT_EQ(built() - CommandWidgets("PAGE"), CommandWidgets(row.substr(0, row.find('('))));
    }
}

// A file shorter than the filer expects: the fields past its end are counted, and a write of
// the finalization that does not fit asks whether to go on.
TEST_F(FilerTool, AShortFileIsSaidAndNotOverrun) {
    const ByteVector riff{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'};
    Open(riff, Filer("EDITINTEGER(size, 4, 4, 0, 0) EDITSTRING(form, 8, 4, 32) EDITBIT(bit, 10, 0) "
                     "FINALIZE WRITESTRING(8, 4, WAVE, 0)"));
    EXPECT_EQ(tool->ProgressPanel().text(),
              QStringLiteral("データの末尾を越える欄が 2 個あります"));
    const Messages messages({QStringLiteral("いいえ(&N)")});
    Run("MM_OutData");
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(
        QStringLiteral("書き込む文字列値の位置がファイル終端を越えています.")));
    EXPECT_EQ(Data(), riff);
}

// Cancel keeps the window and the change, No drops the change, Yes applies it.
TEST_F(FilerTool, ClosingWithChangesAsks) {
    Open(ByteVector{1}, Filer("EDITINTEGER(a, 0, 1, 0, 0)"));
    QPointer<TToolFiler> window = tool;
    Type("(no title)/a", QStringLiteral("2"));
    {
        const Messages messages({QStringLiteral("キャンセル")});
        Run("MM_Close");
        EXPECT_EQ(messages.Texts(),
                  QStringList{QStringLiteral("設定が変更されています.\r\n閉じる前に設定を反映しますか？")});
    }
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(Fields()[0].second, "2");
    {
        const Messages messages({QStringLiteral("いいえ(&N)")});
        QTest::keyClick(tool, Qt::Key_Escape);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(Data(), ByteVector{1});

    OpenTool(Filer("EDITINTEGER(a, 0, 1, 0, 0)"));
    Type("(no title)/a", QStringLiteral("3"));
    const Messages messages({QStringLiteral("はい(&Y)")});
    Run("MM_Close");
    EXPECT_EQ(Data(), ByteVector{3});
}

// In view-only mode the editors are disabled, and neither the runs nor an apply write.
TEST_F(FilerTool, AViewOnlyDocumentIsNotWritten) {
    Open(ByteVector{1}, Filer("INITIALIZE WRITEINTEGER(0, 1, 9) COMMAND EDITINTEGER(a, 0, 1, 0, 0)"));
    EXPECT_EQ(Data(), ByteVector{9});
    Type("(no title)/a", QStringLiteral("3"));
    Core().SetInputMode(TInputMode::ViewOnly);
    Run("MM_OutData");
    EXPECT_EQ(Data(), ByteVector{9});
    EXPECT_EQ(tool->ModifiedPanel().text(), QStringLiteral("変更")) << "nothing was applied";
    Core().SetInputMode(TInputMode::Overwrite);
    Undo();
    Core().SetInputMode(TInputMode::ViewOnly);
    Run("MM_Refresh");
    EXPECT_EQ(Data(), ByteVector{1}) << "no initialization";
    EXPECT_FALSE(Editor("(no title)/a").Control().isEnabled());
    EXPECT_TRUE(Editor("(no title)/a").JumpButton->isEnabled());
}

} // namespace
} // namespace mv
