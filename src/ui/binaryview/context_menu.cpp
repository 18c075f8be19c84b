#include "ui/binaryview/context_menu.h"

#include "core/typedvalues/command_ids.h"

namespace mv {

TContextMenu::TContextMenu(QWidget* parent) : QMenu(parent) {
    undo_ = AddItem("PU_Undo", "元に戻す(&Z)", cmd::UNDO);
    redo_ = AddItem("PU_Redo", "やり直す(&Z)", cmd::REDO);
    addSeparator()->setObjectName(QStringLiteral("PU_Separater01"));
    cut_ = AddItem("PU_Cut", "切り取り(&X)", cmd::CUT);
    copy_ = AddItem("PU_Copy", "コピー(&C)", cmd::COPY);
    paste_ = AddItem("PU_Paste", "張り付け(&V)", cmd::PASTE);
    delete_ = AddItem("PU_Delete", "削除(&D)", cmd::DELETE);
    addSeparator()->setObjectName(QStringLiteral("PU_Separater02"));
    selectAll_ = AddItem("PU_SelectAll", "全て選択(&A)", cmd::SELECTALL);
}

QAction* TContextMenu::AddItem(const char* name, const char* caption, CommandId command) {
    QAction* action = addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    items_.push_back({action, QString::fromUtf8(caption), command});
    connect(action, &QAction::triggered, this, [this, command] { emit commandChosen(command); });
    return action;
}

// The shortcut goes into the caption after a tab, where menus show it, rather than into a
// QKeySequence, which would make it a second path for the key besides the key table.
void TContextMenu::SetShortcuts(const TKeyAssignment& keys) {
    for (const TItem& item : items_) {
        QString text = item.Caption;
        if (const std::optional<TShortcut> shortcut = ShortcutOf(keys, item.Command)) {
            const std::string shortcutText = ShortcutText(*shortcut);
            text +=
                QLatin1Char('\t') +
                QString::fromUtf8(shortcutText.data(), static_cast<qsizetype>(shortcutText.size()));
        }
        item.Action->setText(text);
    }
}

void TContextMenu::EnableFor(TEditorCore& core) {
    const bool viewOnly = core.InputMode() == TInputMode::ViewOnly;
    const bool selected = !core.Selection().Empty();
    undo_->setEnabled(core.CanUndo());
    redo_->setEnabled(core.CanRedo());
    copy_->setEnabled(selected);
    cut_->setEnabled(selected && !viewOnly);
    delete_->setEnabled(selected && !viewOnly);
    paste_->setEnabled(!viewOnly && core.CanPaste());
    selectAll_->setEnabled(core.Module().Size() > 0);
}

} // namespace mv
