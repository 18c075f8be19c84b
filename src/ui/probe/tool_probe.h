#pragma once

#include "core/probe/editor_probe.h"
#include "ui/dialogs/tool_window.h"

#include <array>
#include <bit>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mv {

class TEditorCore;
class TSelectionDigestPanel;

// "データインスペクタ": what the bytes at the caret mean read as each type, in the byte order
// chosen here, and the selection's length and digests. It follows the caret while it is shown
// and reads nothing while hidden. A value typed into a number or time row is checked as it is
// typed, and Enter writes it over the bytes at the caret as one undo step; refused text is
// marked with its reason and writes nothing.
class TToolProbe final : public TToolWindow {
    Q_OBJECT
public:
    TToolProbe(QWidget* owner, TEditorCore& editor, std::endian order);

    void TakeCaret(const TCaretFeed& feed) override;
    void TakeStatus(const TStatusFeed& feed) override;

    [[nodiscard]] std::endian ByteOrder() const { return probe_.Model().ByteOrder(); }
    // The user chose another byte order, which the configuration keeps for the next probe.
    std::function<void(std::endian order)> OnByteOrderChosen;

    // ---- parts, for tests
    [[nodiscard]] QLineEdit& Field(TProbeRow row) {
        return *fields_[static_cast<std::size_t>(row)];
    }
    [[nodiscard]] QRadioButton& RadioLittle() { return *radioLittle_; }
    [[nodiscard]] QRadioButton& RadioBig() { return *radioBig_; }
    // The reason the last refused text was refused; empty after a refresh.
    [[nodiscard]] QLabel& Refusal() { return *refusal_; }
    [[nodiscard]] TSelectionDigestPanel& SelectionPanel() { return *selection_; }
    [[nodiscard]] QPushButton& BtnClose() { return *btnClose_; }

protected:
    // Shown again, it catches up with whatever happened while it was hidden.
    void showEvent(QShowEvent* event) override;

private:
    // A group of the rows first to last, their fields `characters` digits wide.
    QWidget* BuildRows(int first, int last, const QString& title, int characters);
    void Refresh();
    void Edited(TProbeRow row);
    void Entered(TProbeRow row);
    // Marks the row's field with the reason, or clears its mark for an empty one.
    void Mark(TProbeRow row, const std::string& refusal);
    void ChooseOrder(std::endian order);

    TEditorProbe probe_;
    std::array<QLineEdit*, ProbeRowCount> fields_{};
    std::array<bool, ProbeRowCount> marked_{};
    QRadioButton* radioLittle_;
    QRadioButton* radioBig_;
    QLabel* refusal_;
    TSelectionDigestPanel* selection_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

} // namespace mv
