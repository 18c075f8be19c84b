#pragma once

#include "core/binaryview/editor_core.h"

#include <QtWidgets/QMenu>

#include <vector>

namespace mv {

// The binary view's pop-up menu: undo, redo, cut, copy, paste, delete and select all, each
// with the shortcut that the key table gives its command.
class TContextMenu : public QMenu {
    Q_OBJECT
public:
    explicit TContextMenu(QWidget* parent = nullptr);

    // Shows beside each item the first key assigned to its command.
    void SetShortcuts(const TKeyAssignment& keys);
    // Enables the items for the editor's state as the menu opens.
    void EnableFor(TEditorCore& core);

signals:
    void commandChosen(mv::CommandId command);

private:
    QAction* AddItem(const char* name, const char* caption, CommandId command);

    struct TItem {
        QAction* Action;
        QString Caption; // without the shortcut
        CommandId Command;
    };
    std::vector<TItem> items_;

    QAction* undo_;
    QAction* redo_;
    QAction* cut_;
    QAction* copy_;
    QAction* paste_;
    QAction* delete_;
    QAction* selectAll_;
};

} // namespace mv
