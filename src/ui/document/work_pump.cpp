#include "ui/document/work_pump.h"

#include "platform/deferred_work.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>

#include <string>
#include <utility>

namespace mv {

namespace {

// Events come in between, so that no gap without a repaint lasts longer than this.
constexpr qint64 kPumpInterval = 40;
// The progress text stays this long after the last pump.
constexpr int kClearDelay = 300;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

TWorkPump::TWorkPump(ShowText show, QObject* parent) : QObject(parent), show_(std::move(show)) {
    clear_.setSingleShot(true);
    clear_.setInterval(kClearDelay);
    connect(&clear_, &QTimer::timeout, this, [this] { show_(""); });
    sincePump_.start();
}

bool TWorkPump::Pump(std::int64_t done, std::int64_t total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
    show_("実行中... " + std::to_string(percent) + "% (Esc で中止)");
    clear_.start();
    if (sincePump_.elapsed() >= kPumpInterval) {
        const TEventPump pump; // whatever arrives now waits for the work to end
        QCoreApplication::instance()->installEventFilter(this);
        QCoreApplication::processEvents();
        QCoreApplication::instance()->removeEventFilter(this);
        sincePump_.restart();
    }
    return !std::exchange(stop_, false);
}

bool TWorkPump::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type())) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        stop_ = true;
    return true;
}

} // namespace mv
