#include "ui/shell/tray_icon.h"

#include <gtest/gtest.h>

#include <set>

namespace mv {
namespace {

class TFakeTrayShell : public TTrayShell {
public:
    bool Busy = false;
    std::vector<std::string> History;
    std::vector<std::string> Windows;
    std::set<TTrayCommand> Offered{TTrayCommand::NewWindow, TTrayCommand::Open,
                                   TTrayCommand::QuitAll};
    std::vector<std::string> Calls;

    bool IsBusy() const override { return Busy; }
    std::vector<std::string> HistoryNames() const override { return History; }
    std::vector<std::string> WindowFileNames() const override { return Windows; }
    bool Offers(TTrayCommand command) const override { return Offered.contains(command); }
    void Run(TTrayCommand command) override {
        Calls.push_back("run " + std::to_string(static_cast<int>(command)));
    }
    void OpenHistoryEntry(int index) override {
        Calls.push_back("history " + std::to_string(index));
    }
    void ActivateWindow(int index) override { Calls.push_back("window " + std::to_string(index)); }
    void ShowWindowList() override { Calls.push_back("list"); }
};

QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QMenu* Submenu(QMenu& popup, const char* name) {
    return popup.findChild<QMenu*>(QString::fromLatin1(name));
}

TEST(TrayIcon, TenWindowsShowNineItemsAndMore) {
    TFakeTrayShell shell;
    for (int i = 1; i <= 10; ++i)
        shell.Windows.push_back(i == 3 ? "" : "/f" + std::to_string(i));
    shell.History = {"/h&1", "/h2"};
    TTrayIcon tray(shell);
    tray.RebuildPopup();

    QMenu* windows = Submenu(tray.Popup(), "MM_Window");
    const QStringList texts = Texts(*windows);
    ASSERT_EQ(texts.size(), 10); // the texts are the core's test
    EXPECT_EQ(texts[9], "& : more...");
    windows->actions()[8]->trigger();
    windows->actions()[9]->trigger();

    QMenu* history = Submenu(tray.Popup(), "MM_History");
    EXPECT_EQ(Texts(*history)[0], "&1: /h&&1");
    history->actions()[1]->trigger();
    EXPECT_EQ(shell.Calls, (std::vector<std::string>{"window 8", "list", "history 1"}));
}

TEST(TrayIcon, CommandsTheProgramLacksAreAbsentAndEmptyListsDisabled) {
    TFakeTrayShell shell;
    TTrayIcon tray(shell);
    tray.RebuildPopup();
    EXPECT_EQ(Texts(tray.Popup()),
              (QStringList{"ファイル履歴から開く(&P)", "ウィンドウ選択(&W)", "-", "新規作成(&N)",
                           "開く(&O)", "-", "全終了(&Q)"}));
    EXPECT_FALSE(Submenu(tray.Popup(), "MM_History")->isEnabled());
    EXPECT_FALSE(Submenu(tray.Popup(), "MM_Window")->isEnabled());

    shell.Offered.insert({TTrayCommand::Help, TTrayCommand::Options, TTrayCommand::Version});
    tray.RebuildPopup();
    EXPECT_EQ(Texts(tray.Popup()).size(), 11);
    tray.Popup().findChild<QAction*>("MM_Version")->trigger();
    EXPECT_EQ(shell.Calls, std::vector<std::string>{"run 5"});
}

TEST(TrayIcon, BusyProgramOpensNoMenu) {
    TFakeTrayShell shell;
    shell.Busy = true;
    TTrayIcon tray(shell);
    emit tray.Popup().aboutToShow();
    EXPECT_TRUE(tray.Popup().actions().isEmpty());
}

} // namespace
} // namespace mv
