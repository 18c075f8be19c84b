#include "ui/typedvalues/frm_input_char.h"

#include "ui/typedvalues/sel_char.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>

namespace mv {

TFrmInputChar::TFrmInputChar(QWidget* parent)
    : QWidget(parent), charaSet_(new QComboBox(this)), selChar_(new TSelChar(this)) {
    charaSet_->addItems({QStringLiteral("ASCII コード (7bit)"), QStringLiteral("JIS X 0201 (8bit)"),
                         QStringLiteral("JIS X 0201 NEC 拡張 (8bit)")});
    auto* label = new QLabel(QStringLiteral("コード(&S)"), this);
    label->setBuddy(charaSet_);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(charaSet_, 0, 1);
    grid->addWidget(selChar_, 1, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);

    connect(charaSet_, &QComboBox::currentIndexChanged, this,
            [this](int item) { selChar_->SetAsciiCharaSet(static_cast<TAsciiSet>(item)); });
}

TAsciiSet TFrmInputChar::AsciiCharaSet() const {
    return selChar_->AsciiCharaSet();
}

void TFrmInputChar::SetAsciiCharaSet(TAsciiSet set) {
    charaSet_->setCurrentIndex(static_cast<int>(set));
}

int TFrmInputChar::SelectedCode() const {
    return selChar_->SelectedCode();
}

} // namespace mv
