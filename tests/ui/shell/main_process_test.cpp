// The shell as a user meets it across starts: hand-overs, quitting, and what the next start
// finds again.
#include "core/config/profile_file.h"
#include "core/shell/handover_frame.h"
#include "platform/deferred_work.h"
#include "ui/document/shell_fixture.h"

#include <QtGui/QScreen>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QToolBar>

#include <fstream>

namespace mv::test {
namespace {

THandoverFrame OpenFrame(const std::string& name) {
    return {THandoverKind::OpenFile, THandoverBytes(name.begin(), name.end()), 0};
}

using Shell = TShellFixture;

// A later start is answered before anything is opened or said, so that it never waits for a
// load or for the user to read a message; the work follows once nothing else runs.
TEST_F(Shell, HandOverAnswersAtOnceAndOpensEachFileOnceAfterwards) {
    const std::string a = files.Write("a.bin", {1, 2, 3});
    const std::string b = files.Write("b.bin", {4});
    Start();
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(shell->HandOver(OpenFrame(a)), HandoverAccepted);
    EXPECT_EQ(Windows().size(), 1u);
    QTRY_COMPARE(Windows().size(), 2u);
    EXPECT_EQ(Window(1).FileName(), a);
    // Another spelling of the same file finds its window.
    EXPECT_EQ(shell->HandOver(OpenFrame(files.Path() + "/./a.bin")), Window(1).winId());
    EXPECT_EQ(shell->HandOver({THandoverKind::NewWindow, {}, 0}), HandoverAccepted);
    QTRY_COMPARE(Windows().size(), 3u);

    QString refusal;
    Script({Press("OK", &refusal)});
    EXPECT_EQ(shell->HandOver(OpenFrame(files / "gone.bin")), 0u);
    EXPECT_TRUE(refusal.isEmpty()) << "the message comes after the answer";
    QTRY_COMPARE(refusal, QString::fromStdString(files / "gone.bin" + " が見付かりません."));
    EXPECT_EQ(Windows().size(), 3u);

    // During long work, and while a dialog is up, the request waits for their end.
    {
        const TEventPump loading;
        EXPECT_EQ(shell->HandOver(OpenFrame(b)), HandoverAccepted);
        QTest::qWait(50);
        EXPECT_EQ(Windows().size(), 3u);
    }
    TWindowId answer = 0;
    Script({Handle([&](QWidget* dialog) {
        answer = shell->HandOver({THandoverKind::NewWindow, {}, 0});
        QTest::qWait(50);
        EXPECT_EQ(Windows().size(), 3u) << "nothing opens under the dialog";
        dialog->close();
    })});
    Click(Window(0), "MM_WindowList");
    EXPECT_EQ(answer, HandoverAccepted);
    QTRY_COMPARE(Windows().size(), 5u);
    EXPECT_EQ(Window(3).FileName(), b) << "in the order they came";
}

// The later start has gone once its request is answered, so a request during the opening
// second must open its file, not be turned away.
TEST_F(Shell, AHandOverDuringTheOpeningScreenOpensItsFile) {
    const std::string a = files.Write("a.bin", {1, 2, 3});
    std::ofstream(home / "Morvane.ini") << "[Config]\nOpeningDlg=1\n";
    TWindowId answer = 0;
    QTimer::singleShot(100, [&] { answer = shell->HandOver(OpenFrame(a)); });
    Start();
    EXPECT_EQ(answer, HandoverAccepted);
    QTRY_VERIFY(shell->FindDocumentWindow(a) != nullptr);
}

TEST_F(Shell, QuitAllSavesTheWorkAndTheNextStartFindsItAgain) {
    const std::string a = files.Write("a.bin", TTempFolder::Bytes(0x400, 0));
    Start({a});
    TMvPrBinaryFormWClass& window = Window(0);
    window.move(40, 50);
    window.resize(700, 500);
    window.Core().SetCaret({0x123, 1});
    QTest::keyClicks(&window.View(), QStringLiteral("9"));
    TEnvironment settings = shell->Environment();
    settings.ToolBar = false;
    settings.ByteOrder = TByteOrder::BigEndian;
    shell->ApplySettingsToAll(settings);
    EXPECT_TRUE(window.ToolBar().isHidden());
    EXPECT_EQ(window.ByteOrder(), TByteOrder::LittleEndian); // a window's own mode stays

    Script({Press("はい(&Y)")});
    shell->QuitAll();
    EXPECT_TRUE(Windows().empty());
    EXPECT_FALSE(shell->AcceptingRequests());
    QTRY_VERIFY(shell->Ended());
    EXPECT_EQ(TTempFolder::Read(a)[0x123], 0x09);

    Start();
    ASSERT_EQ(shell->History().HistoryCount(), 1u);
    EXPECT_EQ(shell->History().HistoryAt(0), a);
    EXPECT_TRUE(Window(0).ToolBar().isHidden());
    EXPECT_EQ(Window(0).ByteOrder(), TByteOrder::BigEndian);
    shell->HandOver(OpenFrame(a));
    QTRY_COMPARE(Windows().size(), 2u);
    TMvPrBinaryFormWClass& again = Window(1);
    EXPECT_EQ(again.pos(), QPoint(40, 50));
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_EQ(again.Core().Caret().Address, 0x124); // typing moved on to the next byte
}

TEST_F(Shell, QuitAllStopsAtACancelledQuestion) {
    Start();
    shell->NewDocumentWindow();
    QTest::keyClicks(&Window(0).View(), QStringLiteral("1"));
    Script({Press("キャンセル")});
    shell->QuitAll();
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_TRUE(Window(0).IsModified());
    EXPECT_TRUE(shell->AcceptingRequests());
    QTest::qWait(250);
    EXPECT_FALSE(shell->Ended());
}

// The other windows' items are refreshed only as their own menus open (and at caret moves
// while their tool bar shows); the commands on every window must not depend on that.
TEST_F(Shell, SaveAllAndSaveAllCloseGoThroughEveryWindowWithOrWithoutTheToolBar) {
    for (const bool toolBar : {true, false}) {
        SCOPED_TRACE(toolBar ? "tool bar shown" : "tool bar hidden");
        const std::string a = files.Write("a.bin", {0}), b = files.Write("b.bin", {0});
        const std::string c = files.Write("c.bin", {0});
        std::ofstream(home / "Morvane.ini")
            << "[Config]\nOpeningDlg=0\n[ViewItem]\nToolBar=" << toolBar << "\n";
        Start({a, b, c});
        ASSERT_EQ(Window(0).ToolBar().isHidden(), !toolBar);
        const auto typeAtStart = [](TMvPrBinaryFormWClass& window, const char* digit) {
            window.Core().SetCaret({0, 0});
            QTest::keyClicks(&window.View(), QString::fromLatin1(digit));
        };
        typeAtStart(Window(0), "1");
        typeAtStart(Window(1), "2");
        Click(Window(2), "MM_SaveAllFile");
        EXPECT_EQ(TTempFolder::Read(a), (TTempFolder::Bytes{0x10}));
        EXPECT_EQ(TTempFolder::Read(b), (TTempFolder::Bytes{0x20}));
        EXPECT_FALSE(Window(0).IsModified());

        typeAtStart(Window(1), "3");
        Click(Window(0), "MM_SaveAllClose");
        EXPECT_TRUE(Windows().empty());
        EXPECT_EQ(TTempFolder::Read(b), (TTempFolder::Bytes{0x30}));
        QTRY_VERIFY(shell->Ended());
    }
}

// A window that compared with a closed one would read a freed store at its next repaint.
TEST_F(Shell, ClosingAWindowEndsTheComparisonsWithItWithOrWithoutTheToolBar) {
    for (const bool toolBar : {true, false}) {
        SCOPED_TRACE(toolBar ? "tool bar shown" : "tool bar hidden");
        std::ofstream(home / "Morvane.ini")
            << "[Config]\nOpeningDlg=0\n[ViewItem]\nToolBar=" << toolBar << "\n";
        Start({files.Write("mine.bin", {1, 2}), files.Write("theirs.bin", {1, 3})});
        TMvPrBinaryFormWClass& mine = Window(0);
        Script({Handle([](QWidget* dialog) {
            dialog->findChild<QListWidget*>()->setCurrentRow(1);
            static_cast<QDialog*>(dialog)->accept();
        })});
        Click(mine, "MM_CompareWindow");
        ASSERT_TRUE(mine.ComparesWith(Window(1).Module()));
        Window(1).close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(mine.Core().Comparison().Comparing());
        mine.View().viewport()->repaint();
    }
}

// Only a user without settings is new: a damaged settings file is no first start.
TEST_F(Shell, AFirstStartOffersTheDesktopEntriesBeforeAnyWindow) {
    shell = std::make_unique<TMvPrMainProcessWClass>(Paths());
    shell->OnEnd = [] {};
    QString title;
    std::size_t windowsMeanwhile = 1;
    Script({Handle([&](QWidget* dialog) {
        title = dialog->windowTitle();
        windowsMeanwhile = Windows().size();
        dialog->close();
    })});
    shell->Start({});
    EXPECT_EQ(title, "Morvane Prime ショートカットメンテナンス");
    EXPECT_EQ(windowsMeanwhile, 0u);
    EXPECT_EQ(Windows().size(), 1u);
}

TEST_F(Shell, DamagedConfigurationStartsWithDefaultsAndKeepsTheFiles) {
    std::ofstream(home / "Morvane.ini") << "[Config\nFontHeight=\x01\x02\n=\n";
    std::filesystem::create_directories(home / "data");
    std::ofstream(home / "data/_profile") << "MvPr_Profile damaged";
    QString settingsNotice, profileNotice;
    Script({Press("OK", &settingsNotice), Press("OK", &profileNotice)});
    Start();
    EXPECT_TRUE(settingsNotice.contains("既定の設定で起動します"));
    EXPECT_TRUE(settingsNotice.contains(QString::fromStdString(home / "Morvane.ini.broken")));
    EXPECT_TRUE(profileNotice.contains(QString::fromStdString(home / "data/_profile.broken")));
    EXPECT_TRUE(std::filesystem::exists(home / "Morvane.ini.broken"));
    EXPECT_TRUE(std::filesystem::exists(home / "data/_profile.broken"));
    TEnvironment defaults;
    defaults.ApplyModes = shell->Environment().ApplyModes;
    EXPECT_EQ(shell->Environment(), defaults);
    EXPECT_EQ(Windows().size(), 1u);
}

// A window comes back on the screen it was on; a place no screen shows any more is pulled onto
// the primary one.
TEST_F(Shell, AStoredPlaceReopensOnItsScreenOrIsPulledOnScreen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "needs the two screens its CTest entry sets up";
    const std::string right = files.Write("right.bin", {1}), far = files.Write("far.bin", {2});
    const auto place = [](int left, int top) {
        WindowProfile profile;
        profile.Left = left;
        profile.Top = top;
        profile.ClientWidth = 700;
        profile.ClientHeight = 400;
        return profile;
    };
    std::filesystem::create_directories(home / "data");
    const TProfileEntry entries[] = {{right, place(1500, 200)}, {far, place(9000, -4000)}};
    ASSERT_EQ(SaveProfileFile(home / "data", entries), 0);
    Start({right, far});
    const QRect second = screens[1]->availableGeometry();
    EXPECT_TRUE(second.contains(Window(0).frameGeometry())) << Window(0).frameGeometry().x();
    EXPECT_EQ(Window(0).pos(), QPoint(1500, 200));
    EXPECT_TRUE(screens[0]->availableGeometry().contains(Window(1).frameGeometry()))
        << Window(1).frameGeometry().x();
    EXPECT_EQ(Window(1).size(), QSize(700, 400));
}

} // namespace
} // namespace mv::test
