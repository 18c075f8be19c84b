// Document windows driven as a user drives them: menus, keys, function keys, dialogs and drops.
#include "core/document/document_messages.h"
#include "core/typedvalues/command_ids.h"
#include "ui/document/document_status_bar.h"
#include "ui/document/function_key_bar.h"
#include "ui/document/information_panel.h"
#include "ui/document/main_menu.h"
#include "ui/document/shell_fixture.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace mv::test {
namespace {

using Bytes = TTempFolder::Bytes;

Bytes Sequence(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
    return bytes;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Moves a file's modification time into the future, as another program's later write would.
void TouchLater(const std::string& path) {
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec + 10, st.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Drops the files onto the window as a file manager does.
void Drop(TMvPrBinaryFormWClass& window, const std::vector<std::string>& names) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& name : names) urls << QUrl::fromLocalFile(Q(name));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted()) << "the source hears at once";
}

// Picks the window of that row in the window list.
TModalStep PickWindow(int row) {
    return [row](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "ウィンドウ一覧");
        list->setCurrentRow(row);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == "決定") return button->click();
        ADD_FAILURE() << "no 決定 button";
    };
}

using DocumentWindow = TShellFixture;

TEST_F(DocumentWindow, CaptionMenusAndToolBarAsBuilt) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    EXPECT_EQ(window.windowTitle(), "(新規) - Morvane Prime");
    // No menu starts or ends with a separator or shows two in a row.
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        bool previousSeparator = true;
        for (QAction* action : menu->actions()) {
            EXPECT_FALSE(previousSeparator && action->isSeparator()) << menu->objectName().toStdString();
            previousSeparator = action->isSeparator();
        }
        EXPECT_FALSE(previousSeparator && !menu->actions().isEmpty()) << menu->objectName().toStdString();
    }
    auto* open = window.ToolBar().findChild<QToolButton*>("TB_OpenFile");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->menu(), &window.HistoryPopup());
    EXPECT_FALSE(open->icon().isNull());
}

TEST_F(DocumentWindow, OpeningReusesOnlyAnUntouchedWindowAndFindsOpenFiles) {
    const std::string a = files.Write("a.bin", {1}), b = files.Write("b.bin", {2});
    const std::string c = files.Write("c.bin", {3}), d = files.Write("d.bin", {4});
    Start();
    TMvPrBinaryFormWClass& first = Window(0);
    first.OpenFileInWindow(a);
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(first.FileName(), a);
    EXPECT_EQ(first.windowTitle(), Q(a + " - Morvane Prime"));
    first.OpenFileInWindow(b);
    ASSERT_EQ(Windows().size(), 2u);
    EXPECT_EQ(Window(1).FileName(), b);
    Window(1).OpenFileInWindow(files.Path() + "/./a.bin");
    EXPECT_EQ(Windows().size(), 2u);

    // Dropped files open, after the drop is answered, in the order they were dropped.
    Drop(first, {c, d});
    EXPECT_EQ(Windows().size(), 2u);
    QTRY_COMPARE(Windows().size(), 4u);
    EXPECT_EQ(Window(2).FileName(), c);
    EXPECT_EQ(Window(3).FileName(), d);
}

TEST_F(DocumentWindow, ViewOnlyExtensionOpensInViewModeWithItsNotice) {
    const std::string dll = files.Write("LIB.DLL", Sequence(64));
    Start();
    QString notice;
    Script({Press("OK", &notice)});
    Window(0).OpenFileInWindow(dll);
    EXPECT_EQ(notice, "指定ファイルの拡張子は閲覧専用に設定されています.\r\n閲覧モードで開きます.");
    TMvPrBinaryFormWClass& window = Window(0);
    EXPECT_TRUE(window.InViewMode());
    EXPECT_EQ(window.StatusBar().PanelText(1), "閲覧");
    Type(window, "55");
    EXPECT_EQ(Contents(window), Sequence(64));
}

TEST_F(DocumentWindow, BadInputSaysWhyAndOpensNoWindow) {
    Start();
    for (const std::string& name : {files / "gone.bin", files.Path(), std::string("/dev/null")}) {
        QString text;
        Script({Press("OK", &text)});
        EXPECT_EQ(shell->OpenDocumentWindow(name), nullptr) << name;
        EXPECT_EQ(text, Q(*OpenRefusal(name, ReadFileFacts(name))));
        EXPECT_EQ(Windows().size(), 1u);
    }
    // The untouched window that was asked to take the folder stays new and unnamed.
    Script({Press("OK")});
    Window(0).OpenFileInWindow(files.Path());
    EXPECT_EQ(Window(0).FileName(), "");
    EXPECT_EQ(Window(0).windowTitle(), "(新規) - Morvane Prime");
}

TEST_F(DocumentWindow, TypeSaveByKeyReloadAndUndoThroughTheMenu) {
    const std::string name = files.Write("a.bin", {0x00, 0x01, 0x02, 0x03});
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    Type(window, "4");
    EXPECT_TRUE(window.IsModified());
    EXPECT_EQ(window.StatusBar().PanelText(0), "変更");
    QTest::keyClick(&window.View(), Qt::Key_F12); // SAVE
    EXPECT_FALSE(window.IsModified());
    EXPECT_EQ(TTempFolder::Read(name), (Bytes{0x40, 0x01, 0x02, 0x03}));
    EXPECT_EQ(TTempFolder::Read(files / "a.bak"), (Bytes{0x00, 0x01, 0x02, 0x03}));

    window.EnableSetting();
    EXPECT_FALSE(window.Action("MM_Reload")->isEnabled());
    files.Write("a.bin", {0x09, 0x08});
    TouchLater(name);
    window.EnableSetting();
    EXPECT_TRUE(window.Action("MM_Reload")->isEnabled());
    EXPECT_EQ(window.Action("MM_Reload")->text(), "最新の情報に更新(&R)");
    QString question;
    Script({Press("OK", &question)});
    Click(window, "MM_Reload");
    EXPECT_EQ(question, Q(ReloadQuestion(name)));
    EXPECT_EQ(Contents(window), (Bytes{0x09, 0x08}));

    window.Core().SetCaret({0, 0});
    Type(window, "7");
    EXPECT_EQ(Contents(window), (Bytes{0x79, 0x08}));
    Click(window, "MM_Undo");
    EXPECT_EQ(Contents(window), (Bytes{0x09, 0x08}));
    Click(window, "MM_Redo");
    EXPECT_EQ(Contents(window), (Bytes{0x79, 0x08}));
}

TEST_F(DocumentWindow, AFailedSaveKeepsTheWindowModifiedAndOpen) {
    const std::string folder = files / "sub";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string name = files.Write("sub/a.bin", {1, 2});
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    Type(window, "f");
    std::filesystem::remove_all(folder);
    QString failure;
    Script({Press("中止(&A)", &failure)});
    QTest::keyClick(&window.View(), Qt::Key_F12);
    EXPECT_EQ(failure, Q(name + " の書き込みに失敗しました."));
    EXPECT_TRUE(window.IsModified());

    Script({Press("はい(&Y)"), Press("中止(&A)")});
    EXPECT_FALSE(window.close());
    EXPECT_EQ(Windows().size(), 1u);
    EXPECT_TRUE(window.IsModified());
}

TEST_F(DocumentWindow, CloseQuestionTakesEachAnswer) {
    Start();
    shell->NewDocumentWindow();
    TMvPrBinaryFormWClass& unnamed = Window(0);
    Type(unnamed, "12");
    QString question;
    Script({Press("キャンセル", &question)});
    EXPECT_FALSE(unnamed.close());
    EXPECT_EQ(question, "(新規) は更新されています.\r\n閉じる前に保存しますか？");
    Script({Press("はい(&Y)"), Choose({}, "保存")});
    EXPECT_FALSE(unnamed.close());
    const std::string saved = files / "saved.bin";
    Script({Press("はい(&Y)"), Choose(saved, "保存")});
    EXPECT_TRUE(unnamed.close());
    EXPECT_EQ(TTempFolder::Read(saved), (Bytes{0x12}));
    ASSERT_EQ(Windows().size(), 1u);

    TMvPrBinaryFormWClass& other = Window(0);
    Type(other, "34");
    Script({Press("いいえ(&N)")});
    EXPECT_TRUE(other.close());
    EXPECT_EQ(files.Names(), std::vector<std::string>{"saved.bin"});
}

TEST_F(DocumentWindow, CompareTwoWindowsAndStepThroughTheDifferences) {
    Bytes theirs = Sequence(32);
    theirs[3] ^= 0xFF;
    theirs[4] ^= 0xFF;
    theirs[20] ^= 0x01;
    const std::string a = files.Write("a.bin", Sequence(32)), b = files.Write("b.bin", theirs);
    Start({a, b});
    TMvPrBinaryFormWClass& mine = Window(0);
    Script({PickWindow(0), Press("中止(&A)")});
    Click(mine, "MM_CompareWindow");
    EXPECT_EQ(mine.CompareMode(), TCompareMode::None);

    Script({PickWindow(1)});
    Click(mine, "MM_CompareWindow");
    EXPECT_EQ(mine.CompareMode(), TCompareMode::Window);
    EXPECT_EQ(mine.StatusBar().PanelText(4), "比較 : 指定ｳｨﾝﾄﾞｳ");
    Click(mine, "MM_CompareNext");
    EXPECT_EQ(mine.Core().CaretAddress(), 3);
    Click(mine, "MM_CompareNext");
    EXPECT_EQ(mine.Core().CaretAddress(), 20);
    Script({Press("OK")}); // no further difference
    Click(mine, "MM_CompareNext");
    Click(mine, "MM_ComparePrev");
    EXPECT_EQ(mine.Core().CaretAddress(), 3);

    // The window compared with goes: the comparison goes with it.
    Window(1).close();
    EXPECT_EQ(mine.CompareMode(), TCompareMode::None);
    EXPECT_EQ(mine.Core().Comparison().Target(), nullptr);
}

TEST_F(DocumentWindow, CompareWithTheDiskAndWithAFileOpenElsewhere) {
    const std::string a = files.Write("a.bin", {1, 2, 3}), b = files.Write("b.bin", {1, 9, 3});
    Start({a});
    TMvPrBinaryFormWClass& window = Window(0);
    Type(window, "5");
    Click(window, "MM_ComparePresent");
    EXPECT_EQ(window.CompareMode(), TCompareMode::Present);
    Script({Choose(b, "比較ファイルを開く")});
    Click(window, "MM_CompareFile");
    EXPECT_EQ(window.CompareMode(), TCompareMode::File);
    EXPECT_EQ(window.CompareFileName(), b);
    // Once b opens in a window, the comparison follows it there.
    shell->OpenDocumentWindow(b);
    EXPECT_EQ(window.CompareMode(), TCompareMode::Window);
    EXPECT_EQ(window.Core().Comparison().Target(), &Window(1).Module());
}

TEST_F(DocumentWindow, TextOutputWritesTheSelectedLines) {
    const std::string name = files.Write("a.bin", Bytes(40, 0x41));
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    window.Core().SetCaret({0x10, 0});
    window.Core().ExecuteCommand(cmd::SELECT);
    window.Core().SetCaret({0x20, 0});
    Script({Choose(files / "dump", "テキスト形式で出力")});
    Click(window, "MM_TextOutPut");
    const Bytes text = TTempFolder::Read(files / "dump.TXT");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    EXPECT_EQ(std::string(text.begin(), text.begin() + 14), "[00000010] 41 ");
}

TEST_F(DocumentWindow, GarbageCollectionAsksWithTheEfficiencies) {
    const std::string name = files.Write("a.bin", Sequence(3 * 4096));
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    window.Core().SetCaret({100, 0});
    window.Core().ExecuteCommand(cmd::SELECT);
    window.Core().SetCaret({5100, 0});
    Click(window, "MM_Delete");
    const TMemoryModule& module = window.Module();
    ASSERT_NE(module.BlockCount(), module.MinBlockCount());
    const std::string expected =
        GarbageCollectionQuestion(module.Size(), module.BlockCount(), module.MinBlockCount());
    QString question;
    Script({Press("はい(&Y)", &question)});
    Click(window, "MM_GarbageCollection");
    EXPECT_EQ(question, Q(expected));
    EXPECT_EQ(module.BlockCount(), module.MinBlockCount());
}

TEST_F(DocumentWindow, MenuCommandsPopTheirMenuAtTheCaret) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    window.Core().ExecuteCommand(cmd::VIEWMENU);
    QMenu* view = window.MainMenu().Menu("MM_View");
    EXPECT_FALSE(view->isVisible()); // not before the key is handled
    QTRY_VERIFY(view->isVisible());
    const QPoint caret = window.View().viewport()->mapToGlobal(window.View().CaretRect().topLeft());
    EXPECT_LE((view->pos() - caret).manhattanLength(), 2);
    view->hide();

    shell->NewDocumentWindow();
    window.Core().ExecuteCommand(cmd::SELECTFILEMENU);
    QMenu& select = window.SelectFileMenu();
    QTRY_VERIFY(select.isVisible());
    ASSERT_EQ(select.actions().size(), 6); // two windows, the list, a rule, new and open
    select.actions()[1]->trigger();
    select.hide();

    // The menu bar is entered as by Alt alone: lit, but no menu open.
    window.Core().ExecuteCommand(cmd::MENU);
    QTRY_COMPARE(window.menuBar()->activeAction(), window.MainMenu().Menu("MM_File")->menuAction());
    EXPECT_FALSE(window.MainMenu().Menu("MM_File")->isVisible());
}

TEST_F(DocumentWindow, ViewItemsAndByteOrderChangeTheWindowAtOnce) {
    const std::string name = files.Write("a.bin", {0x12, 0x34, 0x56, 0x78});
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    EXPECT_EQ(window.InformationPanel().RowText(TInfoRow::Word).Hex, "3412h");
    Click(window, "MM_BigEndian");
    EXPECT_EQ(window.InformationPanel().RowText(TInfoRow::Word).Hex, "1234h");
    window.EnableSetting();
    EXPECT_TRUE(window.Action("MM_BigEndian")->isChecked());

    const int height = window.height();
    Click(window, "MM_ViewToolBar");
    EXPECT_TRUE(window.ToolBar().isHidden());
    EXPECT_LT(window.height(), height); // the window still fits its editor
    window.EnableSetting();
    EXPECT_FALSE(window.Action("MM_ViewToolBar")->isChecked());
    Click(window, "MM_CharaSetEuc");
    EXPECT_EQ(window.Core().CharaSet(), CharaSet::Euc);
    Click(window, "MM_CharaSetUtf16Be");
    EXPECT_EQ(window.Core().CharaSet(), CharaSet::Utf16Be);
    window.EnableSetting();
    EXPECT_TRUE(window.Action("MM_CharaSetUtf16Be")->isChecked());
    EXPECT_FALSE(window.Action("MM_CharaSetEuc")->isChecked());
    Click(window, "MM_CheckSumAscii");
    EXPECT_EQ(window.StatusBar().PanelText(2), "ASC");
}

// A window keeps the size it was given when a file fills it; the parts fit the window, not
// the window the parts, however long the file's figures are.
TEST_F(DocumentWindow, LoadingKeepsTheWindowSizeEvenWhenMadeNarrow) {
    const std::string name = files.Write("wide.bin", Bytes(1u << 20, 0xFF));
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    window.resize(1, window.height()); // as narrow as the window goes
    QCoreApplication::processEvents();
    const QSize narrow = window.size();
    ASSERT_LT(narrow.width(), 480);
    const int panelMinimum = window.InformationPanel().minimumSizeHint().width();
    window.OpenFileInWindow(name);
    QTest::qWait(50); // the parts' new wishes travel up the layouts
    EXPECT_EQ(window.FileName(), name);
    EXPECT_EQ(window.size(), narrow);
    EXPECT_EQ(window.InformationPanel().minimumSizeHint().width(), panelMinimum);
    EXPECT_EQ(window.InformationPanel().RowText(TInfoRow::DoubleWord).Decimal, "4294967295");
}

TEST_F(DocumentWindow, FunctionKeysFollowShiftAndRunTheirCommand) {
    const std::string name = files.Write("a.bin", {1, 2});
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    TFunctionKeyBar& keys = window.FunctionBar();
    ASSERT_EQ(keys.ButtonCount(), 12);
    const QString plain = keys.Button(11)->text();
    QTest::keyPress(&window.View(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(keys.ShownShiftState(), 1);
    EXPECT_NE(keys.Button(11)->text(), plain);
    QTest::keyRelease(&window.View(), Qt::Key_Shift);
    EXPECT_EQ(keys.ShownShiftState(), 0);
    EXPECT_EQ(keys.Button(1)->text(), "一括設定"); // F2: the lump setting
    Type(window, "a");
    keys.Button(11)->click(); // F12: SAVE
    EXPECT_EQ(TTempFolder::Read(name), (Bytes{0xA1, 2}));
}

// A long load keeps the window painted; a drop onto it meanwhile is taken at once but opens
// only once the load has ended, never inside it.
TEST_F(DocumentWindow, LongLoadKeepsTheWindowRepaintingAndADropWaitsForIt) {
    const std::string name = files.Write("big.bin", Bytes(48u << 20, 0x5A));
    const std::string dropped = files.Write("dropped.bin", {7});
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    int turns = 0;
    QTimer beat;
    beat.callOnTimeout([&] {
        if (++turns == 1) Drop(window, {dropped});
    });
    beat.start(0);
    window.OpenFileInWindow(name);
    beat.stop();
    EXPECT_GT(turns, 0);
    EXPECT_EQ(window.FileName(), name);
    EXPECT_EQ(window.Module().Size(), 48 << 20);
    EXPECT_EQ(window.StatusBar().PanelText(7), "");
    QTRY_COMPARE(Windows().size(), 2u);
    EXPECT_EQ(Window(1).FileName(), dropped);
}

// The window manager's close during a save waits for the save; the window then closes without a
// question, its data on disk.
TEST_F(DocumentWindow, ACloseDuringASaveWaitsForItsEnd) {
    const std::string name = files.Write("big.bin", Bytes(48u << 20, 0));
    Start({name});
    TMvPrBinaryFormWClass& window = Window(0);
    Type(window, "1");
    bool closedDuringSave = true;
    QTimer beat;
    beat.callOnTimeout([&] {
        if (window.IsWorking()) closedDuringSave = window.close();
    });
    beat.start(0);
    QTest::keyClick(&window.View(), Qt::Key_F12); // SAVE
    beat.stop();
    EXPECT_FALSE(closedDuringSave);
    QTRY_VERIFY(Windows().empty());
    EXPECT_EQ(TTempFolder::Read(name)[0], 0x10);
}


TEST_F(DocumentWindow, WindowMenuListsNineWindowsAndMore) {
    Start();
    for (int i = 0; i < 10; ++i) shell->NewDocumentWindow();
    QStringList texts;
    for (QAction* action : Window(0).MainMenu().Menu("MM_Window")->actions()) texts << action->text();
    ASSERT_EQ(texts.size(), 16); // the texts are the core's test
    EXPECT_EQ(texts[11], "& : more...");
    EXPECT_TRUE(Window(0).MainMenu().Menu("MM_Window")->actions()[2]->isChecked());
    EXPECT_FALSE(Window(0).MainMenu().Menu("MM_Window")->actions()[3]->isChecked());
}

} // namespace
} // namespace mv::test
