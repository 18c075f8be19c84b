#include "ui/dialogs/tool_relative_jump.h"

#include "core/dialogs/jump_target.h"
#include "platform/help_context.h"
#include "ui/typedvalues/edit_int.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

namespace mv {

namespace {

constexpr int Downwards = 0; // "下方向 (アドレス加算)"
constexpr int Upwards = 1;   // "上方向 (アドレス減算)"

QToolButton* RadixButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setCheckable(true);
    button->setAutoRaise(false);
    return button;
}

} // namespace

TToolRelativeJump::TToolRelativeJump(QWidget* owner)
    : TRunToolWindow(owner, QStringLiteral("相対ジャンプツール"), QStringLiteral("ジャンプ(&J)")),
      address_(new TEditInt(this)), sbBin_(RadixButton(QStringLiteral("&Bin"), "SB_Bin", this)),
      sbDec_(RadixButton(QStringLiteral("&Dec"), "SB_Dec", this)),
      sbHex_(RadixButton(QStringLiteral("&Hex"), "SB_Hex", this)), direction_(new QComboBox(this)) {
    SetHelpContext(*this, 158);
    address_->setObjectName(QStringLiteral("Address"));
    direction_->setObjectName(QStringLiteral("Direction"));
    direction_->addItems(
        {QStringLiteral("下方向 (アドレス加算)"), QStringLiteral("上方向 (アドレス減算)")});
    direction_->setCurrentIndex(Downwards);
    BtnRun().setObjectName(QStringLiteral("btnJump"));
    BtnCancel().setObjectName(QStringLiteral("btnClose"));

    auto* radixes = new QButtonGroup(this);
    radixes->setExclusive(true);
    auto* addressLabel = new QLabel(QStringLiteral("相対アドレス(&A)"), this);
    addressLabel->setObjectName(QStringLiteral("Label_Address"));
    addressLabel->setBuddy(address_);
    auto* directionLabel = new QLabel(QStringLiteral("方向(&D)"), this);
    directionLabel->setObjectName(QStringLiteral("Label_Direction"));
    directionLabel->setBuddy(direction_);

    auto* grid = new QGridLayout;
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(address_, 0, 1);
    auto* radixRow = new QHBoxLayout;
    radixRow->setSpacing(0);
    for (QToolButton* button : {sbBin_, sbDec_, sbHex_}) {
        radixes->addButton(button);
        radixRow->addWidget(button);
    }
    grid->addLayout(radixRow, 0, 2);
    grid->addWidget(directionLabel, 1, 0);
    grid->addWidget(direction_, 1, 1, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    Contents().addLayout(grid);
    Contents().addStretch(1);

    connect(sbBin_, &QToolButton::clicked, this,
            [this] { ChooseRadix(TCardinalNumber::cnBinary); });
    connect(sbDec_, &QToolButton::clicked, this,
            [this] { ChooseRadix(TCardinalNumber::cnDecimal); });
    connect(sbHex_, &QToolButton::clicked, this,
            [this] { ChooseRadix(TCardinalNumber::cnHexadecimal); });
    connect(address_, &TEditInt::otherKey, this, &TToolRelativeJump::OtherKey);
    connect(address_, &TEditInt::otherKeyPress, this, &TToolRelativeJump::OtherKeyPress);

    FitAddress();
    ChooseRadix(TCardinalNumber::cnHexadecimal);
    address_->setFocus(Qt::OtherFocusReason);
}

void TToolRelativeJump::TakeStatus(const TStatusFeed& feed) {
    const TIntPattern pattern = JumpPattern(feed.DataSize);
    if (pattern == address_->Pattern()) return;
    address_->SetPattern(pattern);
    FitAddress();
    adjustSize(); // the field has widened or narrowed
}

void TToolRelativeJump::FitAddress() {
    address_->setMinimumWidth(address_->WidthFor(TCardinalNumber::cnBinary));
}

void TToolRelativeJump::ChooseRadix(TCardinalNumber radix) {
    sbBin_->setChecked(radix == TCardinalNumber::cnBinary);
    sbDec_->setChecked(radix == TCardinalNumber::cnDecimal);
    sbHex_->setChecked(radix == TCardinalNumber::cnHexadecimal);
    address_->SetCardinalNumber(radix);
}

void TToolRelativeJump::OtherKey(QKeyEvent* event) {
    // Up: binary, hexadecimal, decimal, binary...; Down the other way round.
    const TCardinalNumber radix = address_->CardinalNumber();
    switch (event->key()) {
    case Qt::Key_Up:
        ChooseRadix(radix == TCardinalNumber::cnBinary    ? TCardinalNumber::cnHexadecimal
                    : radix == TCardinalNumber::cnDecimal ? TCardinalNumber::cnBinary
                                                          : TCardinalNumber::cnDecimal);
        break;
    case Qt::Key_Down:
        ChooseRadix(radix == TCardinalNumber::cnBinary    ? TCardinalNumber::cnDecimal
                    : radix == TCardinalNumber::cnDecimal ? TCardinalNumber::cnHexadecimal
                                                          : TCardinalNumber::cnBinary);
        break;
    default:
        return;
    }
    event->accept();
}

void TToolRelativeJump::OtherKeyPress(QKeyEvent* event) {
    if (event->text() == QStringLiteral("+"))
        direction_->setCurrentIndex(Downwards);
    else if (event->text() == QStringLiteral("-"))
        direction_->setCurrentIndex(Upwards);
    else
        return;
    event->accept();
}

void TToolRelativeJump::RunClicked() {
    if (!OnJump) return;
    const std::uint64_t value = PatternValue(address_->Value(), address_->Pattern());
    if (value == 0) {
        QApplication::beep();
        return;
    }
    OnJump(RelativeJumpDistance(value, direction_->currentIndex() == Upwards));
}

} // namespace mv
