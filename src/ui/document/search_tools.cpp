#include "ui/document/search_tools.h"

#include "core/dialogs/search_tool_run.h"
#include "ui/binaryview/binary_view.h"
#include "ui/dialogs/dlg_replace.h"
#include "ui/dialogs/dlg_search.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_int.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtGui/QAction>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>

#include <utility>

namespace mv {

namespace {

// An integer page starts with the window's remembered width and byte order.
void Fill(TFrmInputData& frame, TDocumentTools& tools) {
    frame.FrmInputInt().SetIntWidth(tools.IntWidth());
    frame.FrmInputInt().SetByteOrder(tools.Window().ByteOrder());
}

// Keeps a window open while a run holds its editor: a replace-all lets the window repaint
// meanwhile, and a close then would free the editor under the run.
class TCloseGuard : public QObject {
public:
    explicit TCloseGuard(QWidget& window) : window_(window) { window_.installEventFilter(this); }
    ~TCloseGuard() override { window_.removeEventFilter(this); }
    TCloseGuard(const TCloseGuard&) = delete;
    TCloseGuard& operator=(const TCloseGuard&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        event->ignore();
        return true;
    }

private:
    QWidget& window_;
};

// A message of the search (nothing found) leaves the keyboard to the window manager, which
// gives it to the document; the next keys are still meant for the dialog.
void RunSearch(TDocumentTools& tools, TDlgSearch& dialog) {
    TMvPrBinaryFormWClass& window = tools.Window();
    window.repaint();
    TFrmInputData& frame = dialog.FrmInputData();
    const InputDataBlock pattern = frame.GetData();
    tools.SetIntWidth(frame.FrmInputInt().IntWidth());
    const QPointer<TDlgSearch> alive(&dialog);
    RunToolSearch(window.Core(), pattern.Bytes, dialog.Direction(), dialog.OnlyDifferences());
    if (alive) alive->TakeKeyboard();
}

// The run may outlast the dialog, which the window system can close while the run repaints.
void RunReplace(TDocumentTools& tools, TDlgReplace& dialog) {
    TMvPrBinaryFormWClass& window = tools.Window();
    TFrmInputData& searchFrame = dialog.FrmSearchData();
    TFrmInputData& replacementFrame = dialog.FrmReplaceData();
    const InputDataBlock search = searchFrame.GetData();
    const InputDataBlock replacement = replacementFrame.GetData();
    TVariableType width = tools.IntWidth();
    if (ShowsInteger(replacementFrame)) width = replacementFrame.FrmInputInt().IntWidth();
    if (ShowsInteger(searchFrame)) width = searchFrame.FrmInputInt().IntWidth();
    const bool onlyDifferences = dialog.OnlyDifferences();
    const bool confirm = dialog.ReplaceCheck().isChecked();
    const TSearchDirection direction = dialog.Direction();

    const QPointer<TDlgReplace> alive(&dialog);
    dialog.BtnRun().setEnabled(false);
    window.raise();
    window.activateWindow();
    {
        const TCloseGuard guard(window);
        window.Core().Search().Replace(search.Bytes, replacement.Bytes, onlyDifferences, confirm,
                                       direction);
    }
    if (alive) {
        alive->TakeKeyboard();
        alive->BtnRun().setEnabled(true);
    }
    tools.SetIntWidth(width);
}

TToolWindow* NewSearch(TDocumentTools& tools) {
    TMvPrBinaryFormWClass& window = tools.Window();
    auto* dialog = new TDlgSearch(&window, window.Environment());
    Fill(dialog->FrmInputData(), tools);
    dialog->OnRun = [&tools, dialog] { RunSearch(tools, *dialog); };
    return dialog;
}

TToolWindow* NewReplace(TDocumentTools& tools) {
    TMvPrBinaryFormWClass& window = tools.Window();
    auto* dialog = new TDlgReplace(&window, window.Environment());
    Fill(dialog->FrmSearchData(), tools);
    Fill(dialog->FrmReplaceData(), tools);
    dialog->OnRun = [&tools, dialog] { RunReplace(tools, *dialog); };
    return dialog;
}

} // namespace

void RegisterSearchTools(TDocumentTools& tools) {
    for (const auto& [item, direction] : {std::pair{"MM_SearchPrev", TSearchDirection::Backward},
                                          {"MM_SearchNext", TSearchDirection::Forward}})
        if (QAction* action = tools.Window().Action(item))
            QObject::connect(action, &QAction::triggered, &tools, [&tools, direction = direction] {
                tools.Window().Core().Search().SearchAgain(direction);
            });
    tools.Register(TToolSlot::Search, "MM_SearchData", TToolRefusal::Never,
                   [&tools] { return NewSearch(tools); });
    tools.Register(TToolSlot::Replace, "MM_ReplaceData", TToolRefusal::InViewMode,
                   [&tools] { return NewReplace(tools); });
}

} // namespace mv
