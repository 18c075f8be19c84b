#pragma once

#include "core/filer/field_model.h"

#include <QtGui/QWheelEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QToolButton>

#include <cstdint>
#include <functional>
#include <string_view>

namespace mv {

class TAddressJumpBtn;

// A filer text (Shift JIS) for the screen.
[[nodiscard]] QString FromShiftJis(std::string_view text);

// A field editor of the filer tool: a control bound to the model of one field. It shows the
// model's value, hands every change the user makes to the model, and then calls OnEdit; input
// the model refuses stays in the control, marked and with the reason as its tool tip.
class TFieldEditor {
public:
    virtual ~TFieldEditor() = default;
    [[nodiscard]] virtual TFieldModel& Model() = 0;
    [[nodiscard]] virtual QWidget& Control() = 0;
    // Shows the model's value, and enables the control when the field lies in the data, is
    // enabled by the filer and the document is not view-only.
    void Refresh(bool viewOnly);

    std::function<void()> OnEdit;
    // Enabled whenever the field lies in the data, even when the filer disables the field.
    TAddressJumpBtn* JumpButton = nullptr;

protected:
    virtual void ShowValue() = 0;
    // After a change by the user.
    void Edited();
};

// The editor of a model of that kind in a control of that kind.
template <class TControl, class TModel>
class TFieldEditorOf : public TControl, public TFieldEditor {
public:
    TFieldEditorOf(TModel& model, QWidget* parent) : TControl(parent), model_(model) {
        this->setFocusPolicy(Qt::StrongFocus);
    }
    [[nodiscard]] TFieldModel& Model() override { return model_; }
    [[nodiscard]] QWidget& Control() override { return *this; }

protected:
    // A wheel turned over an editor the user is not in scrolls the page; it never changes a
    // value in passing.
    void wheelEvent(QWheelEvent* event) override {
        if (this->hasFocus())
            TControl::wheelEvent(event);
        else
            event->ignore();
    }

    TModel& model_;
};

// An integer field: a spin box that takes only digits and a minus sign, right-aligned. Its
// buttons step by one within the field's limits.
class TEditIntegerEx final : public TFieldEditorOf<QSpinBox, TIntegerFieldModel> {
public:
    TEditIntegerEx(TIntegerFieldModel& model, QWidget* parent);
    void stepBy(int steps) override;

private:
    void ShowValue() override;
};

// A string field of fixed length in bytes.
class TEditStringEx final : public TFieldEditorOf<QLineEdit, TStringFieldModel> {
public:
    TEditStringEx(TStringFieldModel& model, QWidget* parent);

private:
    void ShowValue() override;
};

// A single bit, captioned with the field's caption.
class TEditBoolEx final : public TFieldEditorOf<QCheckBox, TBitFieldModel> {
public:
    TEditBoolEx(TBitFieldModel& model, QWidget* parent);

private:
    void ShowValue() override;
};

// A value chosen from the filer's options (and a value the list lacks, as the model offers it).
class TEditSelectEx final : public TFieldEditorOf<QComboBox, TSelectFieldModel> {
public:
    TEditSelectEx(TSelectFieldModel& model, QWidget* parent);

private:
    void ShowValue() override;
    // Widens the list to show its widest item whole, moving its jump button along and growing
    // the page (and its rules) to hold both.
    void FitItems();
};

// The flat 20 × 20 button beside a field that moves the document's caret to the field.
class TAddressJumpBtn final : public QToolButton {
public:
    TAddressJumpBtn(std::int64_t address, QWidget* parent);
    std::function<void(std::int64_t address)> OnJump;
};

// Fixed text of the filer in a read-only, word-wrapped area in the tool-tip colours.
class TMessageArea final : public QPlainTextEdit {
public:
    TMessageArea(const QString& text, QWidget* parent);
};

// The editor for a field's model, or nullptr for a row without one.
[[nodiscard]] TFieldEditor* MakeFieldEditor(TFieldModel& model, QWidget* parent);

} // namespace mv
