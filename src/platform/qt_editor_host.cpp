#include "platform/qt_editor_host.h"

#include "platform/clipboard.h"
#include "platform/deferred_work.h"
#include "platform/virtual_key_map.h"

#include <QtCore/QEventLoop>
#include <QtGui/QGuiApplication>

namespace mv {

bool TQtEditorHost::ClipboardOffersData() {
    return mv::ClipboardOffersData();
}

std::optional<std::vector<Byte>> TQtEditorHost::ClipboardPayload() {
    return ReadClipboardPayload();
}

std::optional<std::string> TQtEditorHost::ClipboardText() {
    return ReadClipboardText();
}

void TQtEditorHost::SetClipboardPayload(std::span<const Byte> payload) {
    WriteClipboardPayload(payload);
}

// The caller has just moved the caret, so a repaint is queued and the wait ends at once.
void TQtEditorHost::HandleOneEvent() {
    const TEventPump pump;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool TQtEditorHost::RepaintDue() {
    constexpr qint64 IntervalMs = 40;
    return !sinceEvents_.isValid() || sinceEvents_.elapsed() >= IntervalMs;
}

void TQtEditorHost::HandlePendingEvents() {
    const TEventPump pump;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceEvents_.start();
}

int TQtEditorHost::ModifierState() {
    return ModifierStateOf(QGuiApplication::queryKeyboardModifiers());
}

} // namespace mv
