#pragma once

class QMenu;
class QToolBar;
class QWidget;

namespace mv {

class TMainMenu;

// The document window's tool bar: buttons for the menu items of the same name (so a button
// runs its item's handler and follows its enabled state), with 16 x 16 pictures and hints.
// The open button drops the history pop-up down. The pictures also go to the menu items.
[[nodiscard]] QToolBar* BuildToolBar(QWidget& window, TMainMenu& menu, QMenu& historyPopup);

} // namespace mv
