#pragma once

#include "core/host/host_services.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

namespace mv {

// The host services on Qt: message boxes owned by the window of a given widget, each
// preceded by the beep.
class TQtHostServices : public virtual THostServices {
public:
    // Dialogs belong to the window of `owner` (none: they are top-level windows).
    explicit TQtHostServices(QWidget* owner = nullptr) : owner_(owner) {}

    TModalResult MessageDlgBeep(std::string_view text, TMsgDlgType type,
                                TMsgDlgButtons buttons) override;
    void Beep() override;
    void MessageBox(std::string_view caption, std::string_view text) override;

private:
    [[nodiscard]] QWidget* DialogParent() const;

    QPointer<QWidget> owner_;
};

} // namespace mv
