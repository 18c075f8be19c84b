#include "platform/paint_probe.h"

#include <QtCore/QEvent>
#include <QtCore/QMetaObject>
#include <QtCore/QObject>
#include <QtCore/QVariant>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace mv {

namespace {

class TPaintProbe : public QObject {
public:
    TPaintProbe(int descriptor, QObject* parent) : QObject(parent), descriptor_(descriptor) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window->property(kPainted).toBool()) return false;
        window->setProperty(kPainted, true);
        // Queued, so that the line follows the paint and the flush to the screen.
        QMetaObject::invokeMethod(
            this, [this] { Report(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void Report() const {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        char line[64];
        const int length =
            std::snprintf(line, sizeof line, "painted %lld\n",
                          static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        (void)!write(descriptor_, line, static_cast<std::size_t>(length));
    }

    static constexpr const char* kPainted = "mvPaintProbeSeen";
    int descriptor_;
};

} // namespace

void InstallPaintProbe() {
    bool valid = false;
    const int descriptor = qEnvironmentVariableIntValue("MV_PAINT_PROBE_FD", &valid);
    if (!valid || descriptor < 0 || QCoreApplication::instance() == nullptr) return;
    qApp->installEventFilter(new TPaintProbe(descriptor, qApp));
}

} // namespace mv
