// The manual and its viewer: every help context the sources give a window has its anchor, the
// viewer shows the contents and scrolls to a topic, F1 in a dialog opens the dialog's topic,
// and the manual's filer examples are filers the parser takes.
#include "ui/dialogs/help_viewer.h"

#include "core/filer/filer_analyzer.h"
#include "core/typedvalues/sjis_utf8.h"
#include "platform/help_context.h"
#include "support/modal_answer.h"
#include "ui/dialogs/user_home.h"
#include "ui/dialogs/shipped_program.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextBrowser>

#include <gtest/gtest.h>

#include <set>

namespace mv {
namespace {

const QString Manual = QStringLiteral(MV_SOURCE_DIR "/resources/help");

QString Read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The numbers of every SetHelpContext call in the program's sources.
std::set<int> HelpContextsInSources() {
    const QRegularExpression call(QStringLiteral(R"(SetHelpContext\s*\([^;]*?,\s*(\d+)\s*\))"));
    std::set<int> contexts;
    QDirIterator files(QStringLiteral(MV_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString text = Read(files.next());
        for (const QRegularExpressionMatch& match : call.globalMatch(text)) contexts.insert(match.captured(1).toInt());
    }
    return contexts;
}

THelpViewer* OpenViewer() {
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* viewer = qobject_cast<THelpViewer*>(widget); viewer != nullptr && viewer->isVisible()) return viewer;
    return nullptr;
}

TEST(HelpViewer, EveryHelpContextInTheSourcesHasItsAnchor) {
    const std::set<int> contexts = HelpContextsInSources();
    EXPECT_TRUE(contexts.contains(156) && contexts.contains(157)) << "the reading of the sources found too little";
    for (const int context : contexts) {
        const QUrl topic = HelpTopicUrl(Manual, context);
        EXPECT_EQ(topic.fragment(), QStringLiteral("hc%1").arg(context)) << "no anchor for help context " << context;
    }
    EXPECT_EQ(HelpTopicUrl(Manual, 0), QUrl::fromLocalFile(Manual + "/index.html"));
    EXPECT_EQ(HelpTopicUrl(Manual, 99999), QUrl::fromLocalFile(Manual + "/index.html"));
}

// Every page the manual links to is there, and so is every anchor it links to.
TEST(HelpViewer, EveryLinkOfTheManualLeadsSomewhere) {
    const QRegularExpression link(QStringLiteral(R"(href="([^"#:]*)(?:#([^"]*))?")"));
    for (const QString& page : QDir(Manual).entryList({QStringLiteral("*.html")})) {
        for (const QRegularExpressionMatch& match : link.globalMatch(Read(Manual + '/' + page))) {
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            ASSERT_TRUE(QFile::exists(Manual + '/' + target)) << page.toStdString() << " -> " << target.toStdString();
            if (match.captured(2).isEmpty()) continue;
            EXPECT_TRUE(Read(Manual + '/' + target).contains("id=\"" + match.captured(2) + '"'))
                << page.toStdString() << " -> " << target.toStdString() << '#' << match.captured(2).toStdString();
        }
    }
}

TEST(HelpViewer, ShowsTheContentsAndScrollsToATopic) {
    THelpViewer viewer(Manual);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    viewer.ShowTopic(0);
    EXPECT_EQ(viewer.Browser()->source().fileName(), "index.html");
    EXPECT_EQ(viewer.windowTitle(), "Morvane Prime ヘルプ - 目次");
    viewer.ShowTopic(158);
    QApplication::processEvents();
    EXPECT_EQ(viewer.Browser()->source().fragment(), "hc158");
    EXPECT_GT(viewer.Browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(viewer.Browser()->isBackwardAvailable());
}

TEST(HelpViewer, F1InADialogOpensItsTopicAndAMissingManualIsReported) {
    test::TUserHome home;
    home.ShipDataFromSources();
    InstallHelpKey();
    QDialog dialog;
    SetHelpContext(dialog, 156);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    THelpViewer* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Browser()->source().fragment(), "hc156");
    viewer->close();
    QApplication::processEvents();

    QDialog plain;
    plain.show();
    QTest::keyClick(&plain, Qt::Key_F1);
    EXPECT_EQ(OpenViewer(), nullptr) << "a window without a help context keeps its F1";

    test::TUserHome withoutManual;
    QString text;
    test::AnswerModals({QStringLiteral("OK")}, [&text](QWidget* box) { text = static_cast<QMessageBox*>(box)->text(); });
    OpenHelp(0);
    EXPECT_TRUE(text.startsWith("ヘルプファイルが見付かりません.")) << text.toStdString();
    EXPECT_EQ(OpenViewer(), nullptr);
}

using HelpInTheProgram = test::TShippedProgram;

TEST_F(HelpInTheProgram, TheMenuTheToolButtonAndTheTrayOpenTheContents) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    for (const auto& open : std::vector<std::function<void()>>{
             [&] { Click(window, "MM_OpenHelp"); },
             [&] { shell->Run(TTrayCommand::Help); }}) {
        open();
        THelpViewer* viewer = OpenViewer();
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->Browser()->source().fileName(), "index.html");
        viewer->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(shell->Offers(TTrayCommand::Help));
}

// The examples a user copies from the manual must be filers that load.
TEST(HelpViewer, TheFilerExamplesOfTheManualParse) {
    const QString page = Read(Manual + "/filer.html");
    const QRegularExpression block(QStringLiteral(R"(<pre>(.*?)</pre>)"), QRegularExpression::DotMatchesEverythingOption);
    int examples = 0;
    for (const QRegularExpressionMatch& match : block.globalMatch(page)) {
        QString text = match.captured(1);
        text.replace("&gt;", ">").replace("&lt;", "<").replace("&amp;", "&");
        TFilerCommands initialize, edit, finalize;
        const TAnalyzeError result = AnalyzeFilerText(Utf8ToShiftJis(text.toStdString()), initialize, edit, finalize);
        EXPECT_FALSE(result.IsError) << "line " << result.Line << ": " << result.Message << "\n" << text.toStdString();
        EXPECT_FALSE(edit.empty());
        ++examples;
    }
    EXPECT_GE(examples, 3);
}

} // namespace
} // namespace mv
