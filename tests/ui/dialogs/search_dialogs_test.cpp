// The search and replace dialogs of a document window, driven as a user drives them: opened by
// menu item, tool button and key, filled on their pages, run by their buttons and the repeat
// keys, answered at each question.
#include "ui/binaryview/b_editor.h"
#include "ui/dialogs/dlg_replace.h"
#include "ui/dialogs/dlg_search.h"
#include "ui/document/document_tools.h"
#include "ui/document/shell_fixture.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"
#include "ui/typedvalues/sel_char.h"

#include <QtGui/QInputMethodEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <functional>
#include <set>

namespace mv::test {
namespace {

using Bytes = TTempFolder::Bytes;
using TWindow = TMvPrBinaryFormWClass;

Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

// Presses the button of that caption on the replace question.
TModalStep Answer(const char* caption) {
    return [caption = QString::fromUtf8(caption)](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "置換しますか？");
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == caption) return button->click();
        ADD_FAILURE() << "no button " << caption.toStdString();
        dialog->close();
    };
}

// The message a replace run ends with, closed with OK.
TModalStep Told(const char* message) {
    return [expected = QString::fromUtf8(message)](QWidget* dialog) {
        QString text;
        Press(QStringLiteral("OK"), &text)(dialog);
        EXPECT_EQ(text, expected);
    };
}

// What the user puts on one page of a data frame.
using TEntry = std::function<void(TFrmInputData&)>;

TEntry Integer(const char* hexDigits, TVariableType width, TByteOrder order) {
    return [=](TFrmInputData& frame) {
        frame.SetPage(TInputDataPage::Integer);
        TFrmInputInt& integer = frame.FrmInputInt();
        integer.SetIntWidth(width);
        integer.SetByteOrder(order);
        QTest::keyClicks(&integer.EditHex(), QString::fromLatin1(hexDigits));
    };
}

TEntry String(const char* text, CharaSet set) {
    return [=](TFrmInputData& frame) {
        frame.SetPage(TInputDataPage::String);
        frame.FrmInputStr().SetCharaSet(set);
        // Kana and kanji come from the input method, as a user's do.
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(&frame.FrmInputStr().EditBox(), &typed);
    };
}

TEntry Character(int code) {
    return [=](TFrmInputData& frame) {
        frame.SetPage(TInputDataPage::Character);
        frame.FrmInputChar().SelChar().setCurrentRow(code);
    };
}

TEntry Raw(const char* hexDigits) {
    return [=](TFrmInputData& frame) {
        frame.SetPage(TInputDataPage::Raw);
        QTest::keyClicks(&frame.BinaryEditor()->View(), QString::fromLatin1(hexDigits));
    };
}

class SearchDialogs : public TShellFixture {
protected:
    // A window holding the bytes, its caret at the start.
    TWindow& Open(const Bytes& bytes) {
        Start({files.Write("data.bin", bytes)});
        return Window(0);
    }

    static TDlgSearch* SearchOf(TWindow& w) { return w.Tools().ToolAs<TDlgSearch>(TToolSlot::Search); }
    static TDlgReplace* ReplaceOf(TWindow& w) { return w.Tools().ToolAs<TDlgReplace>(TToolSlot::Replace); }

    // The dialogs open by their keys, Ctrl+F and Ctrl+R, pressed in the editor.
    static TDlgSearch& OpenSearch(TWindow& window) { return OpenBy(window, Qt::Key_F, SearchOf); }
    static TDlgReplace& OpenReplace(TWindow& window) { return OpenBy(window, Qt::Key_R, ReplaceOf); }
    template <class T> static T& OpenBy(TWindow& window, Qt::Key key, T* (*of)(TWindow&)) {
        if (of(window) == nullptr) Key(window, key);
        EXPECT_NE(of(window), nullptr);
        return *of(window);
    }
    static void Key(TWindow& window, Qt::Key key) {
        QTest::keyClick(&window.View(), key, Qt::ControlModifier);
    }
    // Closes a dialog with its close button; its slot empties once the event loop has run.
    static void CloseTool(TSearchToolWindow& dialog) {
        dialog.BtnCancel().click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void Run(TSearchToolWindow& d) { QTest::mouseClick(&d.BtnRun(), Qt::LeftButton); }
    static Address Caret(TWindow& window) { return window.Core().CaretAddress(); }
};

TEST_F(SearchDialogs, OpensByItemButtonAndKeyAndTheSameCommandClosesIt) {
    TWindow& window = Open(Text("abc"));
    Click(window, "MM_SearchData");
    ASSERT_NE(SearchOf(window), nullptr);
    EXPECT_EQ(SearchOf(window)->windowTitle(), "検索");
    EXPECT_TRUE(SearchOf(window)->isVisible());
    Click(window, "MM_SearchData");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(SearchOf(window), nullptr);

    auto* button = window.ToolBar().findChild<QToolButton*>(QStringLiteral("TB_ReplaceData"));
    ASSERT_NE(button, nullptr);
    button->click();
    ASSERT_NE(ReplaceOf(window), nullptr);
    EXPECT_EQ(ReplaceOf(window)->windowTitle(), "置換");
    Key(window, Qt::Key_R);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ReplaceOf(window), nullptr);
    OpenSearch(window);

    // View mode refuses the replace dialog but not the search dialog.
    window.Core().SetInputMode(TInputMode::ViewOnly);
    window.EnableSetting();
    EXPECT_FALSE(window.Action("MM_ReplaceData")->isEnabled());
    EXPECT_TRUE(window.Action("MM_SearchData")->isEnabled());
    Key(window, Qt::Key_R);
    EXPECT_EQ(ReplaceOf(window), nullptr);
}

// Each kind of pattern is put down twice; the dialog finds the first from the start, goes on
// to the second when run again, and the repeat keys step between them.
TEST_F(SearchDialogs, FindsEachKindOfPatternBothWaysAndTheRepeatKeysGoOn) {
    struct TCase {
        const char* Name;
        TEntry Enter;
        Bytes Pattern;
    };
    using enum TVariableType;
    constexpr TByteOrder Little = TByteOrder::LittleEndian, Big = TByteOrder::BigEndian;
    const TCase cases[] = {
        {"byte", Integer("5a", vtByte, Little), {0x5A}},
        {"word big", Integer("1b2c", vtWord, Big), {0x1B, 0x2C}},
        {"double word little", Integer("3d4e5f60", vtDoubleWord, Little), {0x60, 0x5F, 0x4E, 0x3D}},
        {"shift jis", String("亜A", CharaSet::ShiftJis), {0x88, 0x9F, 'A'}},
        {"jis", String("亜A", CharaSet::Jis), {0x1B, '$', 'B', 0x30, 0x21, 0x1B, '(', 'J', 'A'}},
        {"utf-8 beyond shift jis", String("亜é", CharaSet::Utf8), {0xE4, 0xBA, 0x9C, 0xC3, 0xA9}},
        {"character", Character('~'), {'~'}},
        {"raw bytes", Raw("c0ffee"), {0xC0, 0xFF, 0xEE}},
    };
    // No pattern holds a zero byte, so the gaps keep every match where it was put.
    const Bytes gap(3, 0);
    Bytes data = gap;
    std::vector<std::pair<Address, Address>> places(std::size(cases));
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            (round == 0 ? places[i].first : places[i].second) = static_cast<Address>(data.size());
            data.insert(data.end(), cases[i].Pattern.begin(), cases[i].Pattern.end());
            data.insert(data.end(), gap.begin(), gap.end());
        }
    TWindow& window = Open(data);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const TCase& c = cases[i];
        SCOPED_TRACE(c.Name);
        const auto [first, second] = places[i];
        window.Core().SetCaret({0, 0});
        TDlgSearch& dialog = OpenSearch(window);
        c.Enter(dialog.FrmInputData());
        EXPECT_EQ(dialog.FrmInputData().GetData().Bytes, c.Pattern);
        Run(dialog);
        EXPECT_EQ(Caret(window), first);
        EXPECT_EQ(window.Core().HighlightLength(), static_cast<ByteCount>(c.Pattern.size()));
        Run(dialog); // the same pattern again goes past the hit
        EXPECT_EQ(Caret(window), second);
        dialog.DirPrev().click();
        Run(dialog);
        EXPECT_EQ(Caret(window), first);
        QTest::keyClick(&window.View(), Qt::Key_PageDown, Qt::ControlModifier); // SEARCHNEXT
        EXPECT_EQ(Caret(window), second);
        QTest::keyClick(&window.View(), Qt::Key_PageUp, Qt::ControlModifier); // SEARCHPREV
        EXPECT_EQ(Caret(window), first);
        CloseTool(dialog);
        EXPECT_EQ(SearchOf(window), nullptr);
    }
    // Past the last hit: the warning, and the caret stays.
    QString text;
    Script({Press("OK", &text)});
    QTest::keyClick(&window.View(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(text, "検索情報が見付かりません.");
    EXPECT_EQ(Caret(window), places.back().first);
    EXPECT_EQ(Contents(window), data);
    EXPECT_FALSE(window.Core().History().CanUndo());
}

TEST_F(SearchDialogs, EmptyPatternsAreRefusedAndRetryReturnsToTheField) {
    Start();
    TWindow& window = Window(0);
    TDlgSearch& dialog = OpenSearch(window);
    struct TCase {
        TInputDataPage Page;
        const char* Answer;
        const char* Message;
        QWidget* (*Field)(TFrmInputData&);
    };
    // The texts of the checks are the core's; here retry's focus and abort's close.
    const TCase cases[] = {
        {TInputDataPage::Raw, "再試行(&R)", "空のバイナリ列を検索することは出来ません.",
         [](TFrmInputData& f) -> QWidget* { return &f.BinaryEditor()->View(); }},
        {TInputDataPage::Character, "中止(&A)", "キャラクタが選択されていません.", nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        dialog.FrmInputData().SetPage(c.Page);
        QString text;
        Script({Press(c.Answer, &text)});
        Run(dialog);
        EXPECT_EQ(text.toStdString(), c.Message);
        if (c.Field != nullptr) {
            EXPECT_EQ(dialog.focusWidget(), c.Field(dialog.FrmInputData()));
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(SearchOf(window), nullptr);
}

TEST_F(SearchDialogs, ReplaceAsksAtEachMatchAndIsOneUndoStep) {
    const Bytes data = Text("ab-ab-ab-ab");
    TWindow& window = Open(data);
    struct TCase {
        const char* Name;
        std::vector<const char*> Answers;
        const char* Result;
        Address Caret;
        const char* Told; // a cancelled run says nothing
    };
    const TCase cases[] = {
        {"yes, no, yes, cancel",
         {"はい(&Y)", "いいえ(&N)", "はい(&Y)", "キャンセル(&C)"}, "XYZ-ab-XYZ-ab", 10, nullptr},
        {"no, then all", {"いいえ(&N)", "一度に置換(&A)"}, "ab-XYZ-XYZ-XYZ", 14, "3 箇所を置換しました."},
        {"cancel at once", {"キャンセル(&C)"}, "ab-ab-ab-ab", 0, nullptr},
    };
    TDlgReplace& dialog = OpenReplace(window);
    EXPECT_TRUE(dialog.ReplaceCheck().isChecked());
    String("ab", CharaSet::ShiftJis)(dialog.FrmSearchData());
    String("XYZ", CharaSet::ShiftJis)(dialog.FrmReplaceData());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        window.Core().SetCaret({0, 0});
        std::vector<TModalStep> steps;
        for (const char* answer : c.Answers) steps.push_back(Answer(answer));
        if (c.Told != nullptr) steps.push_back(Told(c.Told));
        Script(steps);
        Run(dialog);
        EXPECT_EQ(Contents(window), Text(c.Result));
        EXPECT_EQ(Caret(window), c.Caret);
        EXPECT_TRUE(dialog.BtnRun().isEnabled());
        Click(window, "MM_Undo");
        EXPECT_EQ(Contents(window), data);
        EXPECT_FALSE(window.Core().History().CanUndo());
    }

    // The window stays while a run holds its editor.
    Script({[&window](QWidget* question) {
        EXPECT_FALSE(window.close());
        Answer("キャンセル(&C)")(question);
    }});
    Run(dialog);
    EXPECT_TRUE(window.isVisible());

    // Backwards without asking, from the end.
    dialog.ReplaceCheck().click();
    dialog.DirPrev().click();
    window.Core().SetCaret({window.Module().Size(), 0});
    Script({Told("4 箇所を置換しました.")});
    Run(dialog);
    EXPECT_EQ(Contents(window), Text("XYZ-XYZ-XYZ-XYZ"));
    EXPECT_EQ(Caret(window), 3);
    Click(window, "MM_Undo");
    EXPECT_EQ(Contents(window), data);
}

TEST_F(SearchDialogs, AReplacementOfNoBytesDeletesTheMatchesOnceAgreed) {
    const Bytes data = Text("ab-ab");
    TWindow& window = Open(data);
    TDlgReplace& dialog = OpenReplace(window);
    dialog.ReplaceCheck().click();
    String("ab", CharaSet::ShiftJis)(dialog.FrmSearchData());
    struct TCase {
        const char* Name;
        TEntry Enter;
        const char* Warning;
        QWidget* (*Field)(TDlgReplace&);
    };
    const TCase cases[] = {
        {"no bytes", Raw(""), "空のバイナリ列が指定されています.\r\n検索にマッチした部分は削除されます.",
         [](TDlgReplace& d) -> QWidget* { return &d.FrmReplaceData().BinaryEditor()->View(); }},
        {"null", [](TFrmInputData& f) { f.SetPage(TInputDataPage::Null); },
         "ヌル型が指定されています.\r\n検索にマッチした部分は削除されます.",
         [](TDlgReplace&) -> QWidget* { return nullptr; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Enter(dialog.FrmReplaceData());
        window.Core().SetCaret({0, 0});
        QString warning;
        Script({Press("再試行(&R)", &warning)});
        Run(dialog);
        EXPECT_EQ(warning.toStdString(), c.Warning);
        EXPECT_EQ(Contents(window), data);
        if (QWidget* field = c.Field(dialog)) {
            EXPECT_EQ(dialog.focusWidget(), field);
        }
        Script({Press("はい(&Y)"), Told("2 箇所を置換しました.")});
        Run(dialog);
        EXPECT_EQ(Contents(window), Text("-"));
        Click(window, "MM_Undo");
        EXPECT_EQ(Contents(window), data);
    }
    dialog.FrmReplaceData().SetPage(TInputDataPage::Character);
    Script({Press("中止(&A)")});
    Run(dialog);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ReplaceOf(window), nullptr);
    EXPECT_EQ(Contents(window), data);
}

// The integer pages start with the width the window remembers; a run remembers the search
// side's width when it shows an integer, else the replacement's.
TEST_F(SearchDialogs, IntegersReplaceInTheirOrderAndTheWidthIsRemembered) {
    TWindow& window = Open({0x34, 0x12, 0x12, 0x34, 0x34, 0x12});
    TDlgReplace& dialog = OpenReplace(window);
    dialog.ReplaceCheck().click();
    Integer("1234", TVariableType::vtWord, TByteOrder::BigEndian)(dialog.FrmSearchData());
    Integer("ab", TVariableType::vtByte, TByteOrder::LittleEndian)(dialog.FrmReplaceData());
    Script({Told("1 箇所を置換しました.")});
    Run(dialog);
    EXPECT_EQ(Contents(window), (Bytes{0x34, 0x12, 0xAB, 0x34, 0x12}));
    EXPECT_EQ(window.Tools().IntWidth(), TVariableType::vtWord);
    Raw("3412")(dialog.FrmSearchData());
    window.Core().SetCaret({0, 0});
    Script({Told("2 箇所を置換しました.")});
    Run(dialog);
    EXPECT_EQ(Contents(window), (Bytes{0xAB, 0xAB, 0xAB}));
    EXPECT_EQ(window.Tools().IntWidth(), TVariableType::vtByte);
    CloseTool(dialog);
    EXPECT_EQ(OpenSearch(window).FrmInputData().FrmInputInt().IntWidth(), TVariableType::vtByte);
}

TEST_F(SearchDialogs, EachCaptureButtonTakesTheBytesAtTheCaretByItsOwnWidth) {
    TWindow& window = Open({1, 2, 3, 4, 0x0D, 0x0C, 0x0B, 0x0A, 0xFF});
    TDlgReplace& dialog = OpenReplace(window);
    // Each frame reads the bytes by its own width: the remembered word, or a double word.
    TFrmInputInt& search = dialog.FrmSearchData().FrmInputInt();
    TFrmInputInt& replacement = dialog.FrmReplaceData().FrmInputInt();
    replacement.SetIntWidth(TVariableType::vtDoubleWord);
    window.Core().SetCaret({4, 0});
    search.CaptureButton().click();
    replacement.CaptureButton().click();
    EXPECT_EQ(search.EditHex().Value(), 0x0C0D);
    EXPECT_EQ(replacement.EditHex().Value(), 0x0A0B0C0D);
}

TEST_F(SearchDialogs, WithinDifferencesIsOfferedWhileComparingAndSkipsEqualMatches) {
    TWindow& window = Open({'a', 'b', '-', 'a', 'b', '-', 0, 'b'});
    window.Core().SetCaret({6, 0});
    Type(window, "61"); // now ab-ab-ab here, ab-ab-?b on disk
    window.Core().SetCaret({0, 0});
    TDlgSearch& search = OpenSearch(window);
    TDlgReplace& replace = OpenReplace(window);
    EXPECT_FALSE(search.CompareCheck().isEnabled());
    EXPECT_FALSE(replace.CompareCheck().isEnabled());
    Click(window, "MM_ComparePresent");
    EXPECT_TRUE(search.CompareCheck().isEnabled());
    EXPECT_TRUE(replace.CompareCheck().isEnabled());

    search.CompareCheck().click();
    String("ab", CharaSet::ShiftJis)(search.FrmInputData());
    Run(search);
    EXPECT_EQ(Caret(window), 6);

    window.Core().SetCaret({0, 0});
    replace.CompareCheck().click();
    replace.ReplaceCheck().click();
    String("ab", CharaSet::ShiftJis)(replace.FrmSearchData());
    String("Z", CharaSet::ShiftJis)(replace.FrmReplaceData());
    Script({Told("1 箇所を置換しました.")});
    Run(replace);
    EXPECT_EQ(Contents(window), Text("ab-ab-Z"));

    Click(window, "MM_CompareQuit");
    EXPECT_FALSE(search.CompareCheck().isEnabled());
    EXPECT_FALSE(replace.OnlyDifferences());
}

// The replacement's controls carry accelerators of their own, so that whatever pages the two
// frames show, no letter stands for two controls.
TEST_F(SearchDialogs, ReplaceAcceleratorsNeverClash) {
    Start();
    TDlgReplace& dialog = OpenReplace(Window(0));
    EXPECT_FALSE(dialog.FrmSearchData().Pages().isTabVisible(int(TInputDataPage::Null)));
    EXPECT_TRUE(dialog.FrmReplaceData().Pages().isTabVisible(int(TInputDataPage::Null)));

    // The letter after '&' in a caption.
    const auto letter = [](const QString& caption, std::vector<QChar>& into) {
        if (const auto at = caption.indexOf('&'); at >= 0) into.push_back(caption[at + 1].toUpper());
    };
    const auto letters = [&letter](const QWidget& widget, std::vector<QChar>& into) {
        for (const QLabel* label : widget.findChildren<QLabel*>())
            letter(label->text(), into);
        for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>())
            letter(button->text(), into);
    };
    std::vector<QChar> own;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!dialog.FrmSearchData().isAncestorOf(button) && !dialog.FrmReplaceData().isAncestorOf(button))
            letter(button->text(), own);
    for (int searchPage = 0; searchPage < 4; ++searchPage)
        for (int replacementPage = 0; replacementPage < 5; ++replacementPage) {
            std::vector<QChar> all = own;
            letters(*dialog.FrmSearchData().Pages().widget(searchPage), all);
            letters(*dialog.FrmReplaceData().Pages().widget(replacementPage), all);
            const std::set<QChar> distinct(all.begin(), all.end());
            EXPECT_EQ(distinct.size(), all.size()) << searchPage << " " << replacementPage;
        }
}

} // namespace
} // namespace mv::test
