#include "platform/deferred_work.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <deque>

namespace mv {

namespace {

struct TPostedWork {
    QPointer<QObject> Context;
    std::function<void()> Work;
};

// While busy, the queue looks again this often; the work it waits for reports its progress
// far less often, so waiting costs nothing a user could notice.
constexpr int BusyRetryMs = 20;

int pumps = 0;
std::deque<TPostedWork> posted;

QTimer& Runner();

void RunNext() {
    if (posted.empty()) return;
    if (ProgramBusy()) {
        Runner().start(BusyRetryMs);
        return;
    }
    TPostedWork next = std::move(posted.front());
    posted.pop_front();
    // The next item waits for a fresh turn of the loop: this one may have started work.
    if (!posted.empty()) Runner().start(0);
    if (next.Context) next.Work();
}

// Lives as long as the application, which frees it; a later application gets a new one.
QTimer& Runner() {
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, &RunNext);
    }
    return *timer;
}

} // namespace

TEventPump::TEventPump() { ++pumps; }
TEventPump::~TEventPump() { --pumps; }

bool ProgramBusy() {
    return pumps > 0 || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void PostWork(QObject* context, std::function<void()> work) {
    posted.push_back({context, std::move(work)});
    if (!Runner().isActive()) Runner().start(0);
}

void RunOrPostWork(QObject* context, std::function<void()> work) {
    if (ProgramBusy() || !posted.empty()) return PostWork(context, std::move(work));
    work();
}

} // namespace mv
