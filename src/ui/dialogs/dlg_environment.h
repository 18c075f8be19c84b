#pragma once

#include "core/dialogs/environment_options.h"

#include <QtWidgets/QDialog>

#include <functional>

class QPushButton;
class QTabWidget;

namespace mv {

// The environment options: six pages over a private copy of the configuration. "適用(&A)"
// hands the copy to ApplyCallback; "OK" does so only when something is left to apply, then
// closes; "キャンセル" closes. A top-level window of fixed size, centred on the screen; the
// page shown sets the dialog's help context.
class TDlgEnvironment : public QDialog {
    Q_OBJECT
public:
    explicit TDlgEnvironment(const TEnvironment& environment);

    // Receives the whole copy to take over as the configuration.
    std::function<void(const TEnvironment&)> ApplyCallback;

private:
    void ApplyClicked();
    void OkClicked();
    QWidget& AddPage(QWidget* page, const QString& caption);

    TEnvironmentOptions options_;
    QTabWidget* pages_;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnApply;
};

} // namespace mv
