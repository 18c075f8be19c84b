#include "ui/binaryview/user_menu.h"

#include "platform/deferred_work.h"
#include "platform/work_area.h"

#include <QtCore/QEventLoop>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionMenuItem>

namespace mv {

namespace {

QString CaptionOf(const TUserMenuItem& item) {
    return QString::fromUtf8(item.Caption.data(), static_cast<qsizetype>(item.Caption.size()));
}

} // namespace

TUserMenu::TUserMenu(QWidget* parent) : QWidget(parent, Qt::Popup) {
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

QRect TUserMenu::ItemRect(int index) const {
    const int column = index / RowsPerColumn;
    const int row = index % RowsPerColumn;
    return {margin_ + column * itemSize_.width(), margin_ + row * itemSize_.height(),
            itemSize_.width(), itemSize_.height()};
}

int TUserMenu::ItemAt(QPoint point) const {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i)
        if (ItemRect(i).contains(point)) return i;
    return -1;
}

// Every item is as wide as the widest, so the second column starts at one place.
void TUserMenu::Lay() {
    margin_ = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this) +
              style()->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this);
    QSize size(0, 0);
    QStyleOptionMenuItem option;
    option.initFrom(this);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    for (const TUserMenuItem& item : items_) {
        const QString text = CaptionOf(item);
        const QSize content(fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))),
                            fontMetrics().height());
        option.text = text;
        size =
            size.expandedTo(style()->sizeFromContents(QStyle::CT_MenuItem, &option, content, this));
    }
    itemSize_ = size;
    const int columns = (static_cast<int>(items_.size()) + RowsPerColumn - 1) / RowsPerColumn;
    const int rows = std::min(static_cast<int>(items_.size()), RowsPerColumn);
    resize(2 * margin_ + columns * size.width(), 2 * margin_ + rows * size.height());
}

CommandId TUserMenu::Exec(std::vector<TUserMenuItem> items, QPoint screenPoint) {
    items_ = std::move(items);
    chosen_ = NoCommand;
    selected_ = -1;
    Lay();
    const QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    move(KeptInside(QRect(screenPoint, size()), screen->availableGeometry()));
    QEventLoop loop;
    quit_ = [&loop] { loop.quit(); };
    show();
    const TEventPump pump;
    loop.exec();
    quit_ = nullptr;
    return chosen_;
}

void TUserMenu::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (quit_) quit_();
}

void TUserMenu::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    if (!items_[static_cast<std::size_t>(index)].Enabled) return;
    chosen_ = items_[static_cast<std::size_t>(index)].Command;
    close();
}

void TUserMenu::Select(int index) {
    if (index == selected_) return;
    selected_ = index;
    update();
}

void TUserMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_PanelMenu, &frame, &painter, this);
    style()->drawPrimitive(QStyle::PE_FrameMenu, &frame, &painter, this);
    // The menu lies over the view's white lines; an edge of its own keeps it apart from them.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const TUserMenuItem& item = items_[static_cast<std::size_t>(i)];
        QStyleOptionMenuItem option;
        option.initFrom(this);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = CaptionOf(item);
        option.rect = ItemRect(i);
        option.menuRect = rect();
        option.state = QStyle::State_None;
        if (item.Enabled) option.state |= QStyle::State_Enabled;
        if (i == selected_ && item.Enabled) option.state |= QStyle::State_Selected;
        if (!item.Enabled) option.palette.setCurrentColorGroup(QPalette::Disabled);
        style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
    }
}

void TUserMenu::mouseMoveEvent(QMouseEvent* event) {
    Select(ItemAt(event->position().toPoint()));
}

void TUserMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        close();
        return;
    }
    Choose(ItemAt(event->position().toPoint()));
}

void TUserMenu::keyPressEvent(QKeyEvent* event) {
    const int count = static_cast<int>(items_.size());
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        Choose(key - Qt::Key_A);
        return;
    }
    const int current = selected_ < 0 ? 0 : selected_;
    switch (key) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose(selected_);
        return;
    case Qt::Key_Up:
        Select(selected_ < 0 ? 0 : (current + count - 1) % count);
        return;
    case Qt::Key_Down:
        Select(selected_ < 0 ? 0 : (current + 1) % count);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        Select((current + RowsPerColumn) % (2 * RowsPerColumn) < count
                   ? (current + RowsPerColumn) % (2 * RowsPerColumn)
                   : current);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace mv
