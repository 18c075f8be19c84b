#include "ui/typedvalues/frm_input_int.h"

#include "ui/typedvalues/edit_int.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>

#include <array>

namespace mv {

namespace {

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

TEditInt* Field(TCardinalNumber radix, bool enabled, QWidget* parent) {
    auto* field = new TEditInt(parent);
    field->SetCardinalNumber(radix);
    field->setEnabled(enabled);
    return field;
}

// The type list's item for no width: an address, 32 bits, or 64 in data of 4 GiB and more.
QString UnformatItem(TIntPattern pattern) {
    return pattern == TIntPattern::Bits64 ? QStringLiteral("無定型(64bit)")
                                          : QStringLiteral("無定型(32bit)");
}

QComboBox* List(const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

} // namespace

TFrmInputInt::TFrmInputInt(QWidget* parent)
    : QWidget(parent),
      variable_(List({UnformatItem(TIntPattern::Bits32), QStringLiteral("DoubleWord(32bit)"),
                      QStringLiteral("Word(16bit)"), QStringLiteral("Byte(8bit)")},
                     this)),
      editBin_(Field(TCardinalNumber::cnBinary, true, this)),
      editDec_(Field(TCardinalNumber::cnDecimal, true, this)),
      editHex_(Field(TCardinalNumber::cnHexadecimal, true, this)),
      maxDec_(Field(TCardinalNumber::cnDecimal, false, this)),
      maxHex_(Field(TCardinalNumber::cnHexadecimal, false, this)),
      editOut_(Field(TCardinalNumber::cnDecimal, false, this)), capture_(new QToolButton(this)),
      settingLabel_(new QLabel(QStringLiteral("設定(&O)"), this)),
      address_(List(
          {QStringLiteral("絶対指定"), QStringLiteral("下方向相対"), QStringLiteral("上方向相対")},
          this)),
      byteOrder_(List({QStringLiteral("リトルエンディアン"), QStringLiteral("ビッグエンディアン")},
                      this)) {
    capture_->setText(QStringLiteral("カーソル位置取込(&G)"));
    capture_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    capture_->setFocusPolicy(Qt::TabFocus);

    auto* grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(QStringLiteral("型(&V)"), variable_, this), 0, 0);
    grid->addWidget(variable_, 0, 1, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(QStringLiteral("2 進数(&B)"), editBin_, this), 1, 0);
    grid->addWidget(editBin_, 1, 1, 1, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("10 進数(&D)"), editDec_, this), 2, 0);
    grid->addWidget(editDec_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("/"), this), 2, 2);
    grid->addWidget(maxDec_, 2, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("16 進数(&H)"), editHex_, this), 3, 0);
    grid->addWidget(editHex_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("/"), this), 3, 2);
    grid->addWidget(maxHex_, 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("正味入力"), this), 4, 0);
    grid->addWidget(editOut_, 4, 1);
    grid->addWidget(capture_, 4, 2, 1, 2, Qt::AlignLeft);
    grid->addWidget(settingLabel_, 5, 0);
    // The two settings share one place; the mode shows one of them.
    grid->addWidget(address_, 5, 1, Qt::AlignLeft);
    grid->addWidget(byteOrder_, 5, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);

    setTabOrder(variable_, editBin_);
    setTabOrder(editBin_, editDec_);
    setTabOrder(editDec_, editHex_);
    setTabOrder(editHex_, capture_);
    setTabOrder(capture_, address_);
    setTabOrder(address_, byteOrder_);

    for (TEditInt* field : {editBin_, editDec_, editHex_}) {
        connect(field, &TEditInt::changed, this, &TFrmInputInt::FieldChanged);
        connect(field, &TEditInt::otherKey, this,
                [this, field](QKeyEvent* event) { OtherKey(*field, event); });
        connect(field, &TEditInt::otherKeyPress, this, &TFrmInputInt::OtherKeyPress);
    }
    // The net value follows the radix of the field last entered; binary is read in hex.
    connect(editBin_, &TEditInt::entered, this,
            [this] { editOut_->SetCardinalNumber(TCardinalNumber::cnHexadecimal); });
    connect(editHex_, &TEditInt::entered, this,
            [this] { editOut_->SetCardinalNumber(TCardinalNumber::cnHexadecimal); });
    connect(editDec_, &TEditInt::entered, this,
            [this] { editOut_->SetCardinalNumber(TCardinalNumber::cnDecimal); });
    connect(variable_, &QComboBox::activated, this, [this](int item) {
        model_.ChooseVariableType(TIntInputModel::VariableOfItem(item));
        ShowVariableType();
    });
    connect(address_, &QComboBox::currentIndexChanged, this,
            [this](int item) { model_.SetAddress(static_cast<TAddressMode>(item)); });
    connect(byteOrder_, &QComboBox::currentIndexChanged, this,
            [this](int item) { model_.SetByteOrder(static_cast<TByteOrder>(item)); });
    connect(capture_, &QToolButton::clicked, this, [this] {
        model_.Capture();
        ShowValue();
    });

    SetDialogMode(TDialogMode::dmInteger);
    ShowValue();
}

void TFrmInputInt::SetDialogMode(TDialogMode mode) {
    model_.SetDialogMode(mode);
    const bool address = mode == TDialogMode::dmUnformat;
    variable_->setEnabled(!address);
    address_->setVisible(address);
    byteOrder_->setVisible(!address);
    settingLabel_->setBuddy(address ? static_cast<QWidget*>(address_) : byteOrder_);
    ShowPattern();
    ShowVariableType();
}

void TFrmInputInt::SetPattern(TIntPattern pattern) {
    model_.SetPattern(pattern);
    ShowPattern();
    ShowValue();
}

void TFrmInputInt::SetVariableType(TVariableType type) {
    model_.SetVariableType(type);
    ShowVariableType();
}

void TFrmInputInt::SetIntWidth(TVariableType type) {
    model_.ChooseVariableType(type);
    ShowVariableType();
}

void TFrmInputInt::SetByteOrder(TByteOrder order) {
    byteOrder_->setCurrentIndex(static_cast<int>(order));
}

void TFrmInputInt::SetAddress(TAddressMode address) {
    address_->setCurrentIndex(static_cast<int>(address));
}

void TFrmInputInt::ShowValue() {
    for (TEditInt* field : {editBin_, editDec_, editHex_})
        field->SetValue(model_.Value());
    editOut_->SetValue(model_.NetValue());
}

void TFrmInputInt::ShowVariableType() {
    const TVariableType type = model_.VariableType();
    for (TEditInt* field : {editBin_, editDec_, editHex_})
        field->SetVariableType(type);
    variable_->setCurrentIndex(TIntInputModel::VariableItem(type));
    maxDec_->SetValue(TIntInputModel::MaxValue(type));
    maxHex_->SetValue(TIntInputModel::MaxValue(type));
    editOut_->SetValue(model_.NetValue());
}

void TFrmInputInt::ShowPattern() {
    const TIntPattern pattern = model_.Pattern();
    for (TEditInt* field : {editBin_, editDec_, editHex_, maxDec_, maxHex_, editOut_})
        field->SetPattern(pattern);
    // 64 bits are wider than the two thirds of a small screen that a window's first size
    // keeps to: the binary field holds its width, so that no bit is cut off.
    const bool wide = pattern == TIntPattern::Bits64;
    editBin_->setMinimumWidth(wide ? editBin_->WidthFor(TCardinalNumber::cnBinary) : 0);
    variable_->setItemText(TIntInputModel::VariableItem(TVariableType::vtUnformat),
                           UnformatItem(pattern));
}

void TFrmInputInt::FieldChanged(TValueType value) {
    model_.SetValue(value);
    ShowValue();
}

void TFrmInputInt::OtherKey(const TEditInt& source, QKeyEvent* event) {
    // Up and Down go round the three fields: binary, hexadecimal, decimal, binary...
    const std::array<TEditInt*, 3> upward = {editBin_, editHex_, editDec_};
    std::size_t at = 0;
    while (upward[at] != &source)
        ++at;
    switch (event->key()) {
    case Qt::Key_PageUp:
        model_.Widen();
        ShowVariableType();
        break;
    case Qt::Key_PageDown:
        model_.Narrow();
        ShowVariableType();
        break;
    case Qt::Key_Up:
        upward[(at + 1) % upward.size()]->setFocus(Qt::OtherFocusReason);
        break;
    case Qt::Key_Down:
        upward[(at + upward.size() - 1) % upward.size()]->setFocus(Qt::OtherFocusReason);
        break;
    default:
        return;
    }
    event->accept();
}

void TFrmInputInt::FocusField(TCardinalNumber radix) {
    TEditInt& field = radix == TCardinalNumber::cnBinary    ? *editBin_
                      : radix == TCardinalNumber::cnDecimal ? *editDec_
                                                            : *editHex_;
    field.setFocus(Qt::OtherFocusReason);
}

void TFrmInputInt::OtherKeyPress(QKeyEvent* event) {
    if (event->text() == QStringLiteral("+"))
        model_.ToggleAddress(TAddressMode::RelativeDown);
    else if (event->text() == QStringLiteral("-"))
        model_.ToggleAddress(TAddressMode::RelativeUp);
    else
        return;
    address_->setCurrentIndex(static_cast<int>(model_.Address()));
    event->accept();
}

} // namespace mv
