#pragma once

#include <functional>

class QObject;

namespace mv {

// Long work keeps the event loop running for its progress and its questions (a load or save
// repainting, a held key's fast moves, a replace asking at each match). Whatever arrives
// meanwhile (a drop, a hand-over, a close, a command, a tray click) would start new work inside
// it, under a store being filled or a window being freed. Every place that runs the event loop
// inside work marks itself with a TEventPump; work that arrives then is posted instead and runs
// once the program is idle again, in the order it came.
class TEventPump {
public:
    TEventPump();
    ~TEventPump();
    TEventPump(const TEventPump&) = delete;
    TEventPump& operator=(const TEventPump&) = delete;
};

// Whether work that arrives now would run inside other work: an event pump, a modal dialog or
// an open popup menu is on.
[[nodiscard]] bool ProgramBusy();

// Runs `work` from the event loop once the program is not busy, after the work posted before
// it; never at once, so that whoever posts can answer its caller first. Work whose `context`
// has gone by then is dropped.
void PostWork(QObject* context, std::function<void()> work);

// Runs `work` at once when the program is idle and nothing posted waits; otherwise posts it.
void RunOrPostWork(QObject* context, std::function<void()> work);

} // namespace mv
