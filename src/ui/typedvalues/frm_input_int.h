#pragma once

#include "core/typedvalues/int_input_model.h"

#include <QtWidgets/QWidget>

class QComboBox;
class QKeyEvent;
class QLabel;
class QToolButton;

namespace mv {

class TEditInt;

// The integer frame: one value in three radix fields, cut to a width ("無定型(32bit)" for an
// address, "DoubleWord(32bit)", "Word(16bit)" or "Byte(8bit)"), shown with the width's maximum
// and the net value, taken over from the caret on request, and given out in a byte order. An
// address in data of 4 GiB and more is "無定型(64bit)" and its fields widen.
class TFrmInputInt : public QWidget {
    Q_OBJECT
public:
    explicit TFrmInputInt(QWidget* parent = nullptr);

    [[nodiscard]] TDialogMode DialogMode() const { return model_.DialogMode(); }
    void SetDialogMode(TDialogMode mode);
    [[nodiscard]] TIntPattern Pattern() const { return model_.Pattern(); }
    // Taken in the address mode only; an integer stays 32-bit.
    void SetPattern(TIntPattern pattern);
    [[nodiscard]] TVariableType VariableType() const { return model_.VariableType(); }
    void SetVariableType(TVariableType type);
    // The width as the type list holds it; setting it chooses in the list, so a width that
    // the mode does not allow is put back.
    [[nodiscard]] TVariableType IntWidth() const { return model_.VariableType(); }
    void SetIntWidth(TVariableType type);
    [[nodiscard]] TByteOrder ByteOrder() const { return model_.ByteOrder(); }
    void SetByteOrder(TByteOrder order);
    [[nodiscard]] TAddressMode Address() const { return model_.Address(); }
    void SetAddress(TAddressMode address);
    void SetCapturedValue(TValueType value) { model_.SetCapturedValue(value); }

    // The net value in the chosen byte order; IntegerData gives its bytes.
    [[nodiscard]] TValueType GetInteger() const { return model_.GetInteger(); }
    [[nodiscard]] InputDataBlock IntegerData() const { return model_.IntegerData(); }

    // The focus goes to the field of that radix.
    void FocusField(TCardinalNumber radix);

    // The controls, for the dialogs that adjust captions, maxima and the focus.
    [[nodiscard]] TEditInt& EditBin() { return *editBin_; }
    [[nodiscard]] TEditInt& EditDec() { return *editDec_; }
    [[nodiscard]] TEditInt& EditHex() { return *editHex_; }
    [[nodiscard]] TEditInt& MaxDec() { return *maxDec_; }
    [[nodiscard]] TEditInt& MaxHex() { return *maxHex_; }
    [[nodiscard]] TEditInt& EditOut() { return *editOut_; }
    [[nodiscard]] QComboBox& Variable() { return *variable_; }
    [[nodiscard]] QComboBox& AddressList() { return *address_; }
    [[nodiscard]] QComboBox& ByteOrderList() { return *byteOrder_; }
    [[nodiscard]] QToolButton& CaptureButton() { return *capture_; }

private:
    // The model's value into every field, the net value into EditOut.
    void ShowValue();
    // The model's width into the fields, the type list and the maxima.
    void ShowVariableType();
    // The model's pattern into the fields and the type list's "no width" item.
    void ShowPattern();
    void FieldChanged(TValueType value);
    void OtherKey(const TEditInt& source, QKeyEvent* event);
    void OtherKeyPress(QKeyEvent* event);

    TIntInputModel model_;
    QComboBox* variable_;
    TEditInt* editBin_;
    TEditInt* editDec_;
    TEditInt* editHex_;
    TEditInt* maxDec_;
    TEditInt* maxHex_;
    TEditInt* editOut_;
    QToolButton* capture_;
    QLabel* settingLabel_;
    QComboBox* address_;
    QComboBox* byteOrder_;
};

} // namespace mv
