#pragma once

#include "core/typedvalues/key_assignment.h"

#include <QtWidgets/QWidget>

#include <functional>
#include <vector>

namespace mv {

// A user menu: its 26 letters in two columns (A to M, then N to Z), shown as a pop-up.
// A letter key, a click or Enter on an enabled item chooses it; Escape or a click outside
// closes the menu.
class TUserMenu : public QWidget {
public:
    static constexpr int RowsPerColumn = 13;

    explicit TUserMenu(QWidget* parent = nullptr);

    // Shows the items with the top-left corner at the screen point, kept inside the work
    // area, and answers the chosen item's command, or NoCommand.
    CommandId Exec(std::vector<TUserMenuItem> items, QPoint screenPoint);
    // The item's place inside the menu.
    [[nodiscard]] QRect ItemRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Lay();
    void Choose(int index);
    void Select(int index);
    [[nodiscard]] int ItemAt(QPoint point) const;

    std::vector<TUserMenuItem> items_;
    QSize itemSize_;
    int margin_ = 0;
    int selected_ = -1;
    CommandId chosen_ = NoCommand;
    std::function<void()> quit_;
};

} // namespace mv
