#pragma once

#include "core/binaryview/editor_host.h"
#include "platform/qt_host_services.h"

#include <QtCore/QElapsedTimer>

namespace mv {

// The editor's host on Qt: the system clipboard, the application's event loop and the
// keyboard. The replace question is left to the widget that knows where the caret is.
class TQtEditorHost : public TEditorHost, public TQtHostServices {
public:
    explicit TQtEditorHost(QWidget* owner) : TQtHostServices(owner) {}

    bool ClipboardOffersData() override;
    std::optional<std::vector<Byte>> ClipboardPayload() override;
    std::optional<std::string> ClipboardText() override;
    void SetClipboardPayload(std::span<const Byte> payload) override;
    void HandleOneEvent() override;
    // Every few hundredths of a second.
    bool RepaintDue() override;
    void HandlePendingEvents() override;
    int ModifierState() override;

private:
    QElapsedTimer sinceEvents_; // since a long run last handled events
};

} // namespace mv
