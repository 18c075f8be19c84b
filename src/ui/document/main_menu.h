#pragma once

#include "core/document/enable_rules.h"
#include "core/typedvalues/key_assignment.h"

#include <QtCore/QObject>
#include <QtCore/QString>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace mv {

// The document window's main menu: every item with its name, caption and editor command, in
// the order and grouping the user sees. Items are QActions named like the window's menu items
// ("MM_SaveFile"); the tool bar shows some of the same actions. Captions carry the shortcut
// that the key table gives the item's command after a tab, so that the key table stays the
// only path from a key to a command.
class TMainMenu : public QObject {
public:
    explicit TMainMenu(QMenuBar* bar);

    // The item of that name, or nullptr.
    [[nodiscard]] QAction* Action(std::string_view name) const;
    // The submenu of that name ("MM_File", "MM_OpenHistory"), or nullptr.
    [[nodiscard]] QMenu* Menu(std::string_view name) const;
    // The item that a window command clicks, or nullptr.
    [[nodiscard]] QAction* ActionOf(CommandId command) const;
    // The submenu that a ...MENU command opens, or nullptr.
    [[nodiscard]] QMenu* MenuOf(CommandId command) const;

    // Shows beside each item the first key assigned to its command.
    void SetShortcuts(const TKeyAssignment& keys);
    // Enables, checks and recaptions the items as decided; items not built are skipped.
    void Apply(const std::vector<TItemState>& states);

    // Runs whenever one of the menus opens, before it shows.
    std::function<void()> OnMenuOpening;

private:
    struct TItem {
        QAction* Action = nullptr;
        QMenu* Submenu = nullptr;
        QString Caption; // without the shortcut
        QString Shortcut;
        CommandId Command = NoCommand;
        bool InBar = false; // a menu of the menu bar, which shows no shortcut
    };

    QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption, CommandId command);
    QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption, CommandId command);
    QAction* AddItem(QMenu* menu, const char* name, const char* caption,
                     CommandId command = NoCommand);
    QAction* AddCheckItem(QMenu* menu, const char* name, const char* caption,
                          CommandId command = NoCommand, QActionGroup* group = nullptr);
    void AddSeparator(QMenu* menu, const char* name);
    TItem& Register(QAction* action, const char* name, const char* caption, CommandId command);
    void ShowText(TItem& item);

    void BuildFile(QMenuBar* bar);
    void BuildEdit(QMenuBar* bar);
    void BuildSearch(QMenuBar* bar);
    void BuildView(QMenuBar* bar);
    void BuildCompare(QMenuBar* bar);
    void BuildWindow(QMenuBar* bar);
    void BuildTool(QMenuBar* bar);
    void BuildHelp(QMenuBar* bar);

    std::map<std::string, TItem, std::less<>> items_;
};

} // namespace mv
