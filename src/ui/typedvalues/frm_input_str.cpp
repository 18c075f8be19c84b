#include "ui/typedvalues/frm_input_str.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>

namespace mv {

namespace {

// The set list holds Shift JIS, JIS, EUC and the Unicode sets: the character sets from 1 on.
constexpr int FirstListedSet = static_cast<int>(CharaSet::ShiftJis);

} // namespace

TFrmInputStr::TFrmInputStr(QWidget* parent)
    : QWidget(parent), editBox_(new QPlainTextEdit(this)), newLineCode_(new QComboBox(this)),
      charaSet_(new QComboBox(this)) {
    editBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editBox_->setTabChangesFocus(true);
    newLineCode_->addItems({QStringLiteral("標準(CR+LF)"), QStringLiteral("MACファイル(CR)"),
                            QStringLiteral("UNIXファイル(LF)")});
    charaSet_->addItems({QStringLiteral("シフトJIS"), QStringLiteral("JIS"), QStringLiteral("EUC"),
                         QStringLiteral("UTF-8"), QStringLiteral("UTF-16LE"),
                         QStringLiteral("UTF-16BE")});

    auto* grid = new QGridLayout(this);
    grid->addWidget(editBox_, 0, 0, 1, 5);
    auto* newLineLabel = new QLabel(QStringLiteral("改行コード(&L)"), this);
    newLineLabel->setBuddy(newLineCode_);
    auto* charaSetLabel = new QLabel(QStringLiteral("文字コード(&S)"), this);
    charaSetLabel->setBuddy(charaSet_);
    grid->addWidget(newLineLabel, 1, 0);
    grid->addWidget(newLineCode_, 1, 1);
    grid->addWidget(charaSetLabel, 1, 2);
    grid->addWidget(charaSet_, 1, 3);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(0, 1);
}

TNewLineCode TFrmInputStr::NewLineCode() const {
    return static_cast<TNewLineCode>(newLineCode_->currentIndex());
}

void TFrmInputStr::SetNewLineCode(TNewLineCode code) {
    newLineCode_->setCurrentIndex(static_cast<int>(code));
}

mv::CharaSet TFrmInputStr::CharaSet() const {
    return static_cast<mv::CharaSet>(charaSet_->currentIndex() + FirstListedSet);
}

void TFrmInputStr::SetCharaSet(mv::CharaSet set) {
    charaSet_->setCurrentIndex(std::max(static_cast<int>(set) - FirstListedSet, 0));
}

std::string TFrmInputStr::GetText() const {
    // The typed lines end in CR LF, as the editor's text has always had them.
    const QString text = editBox_->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n"));
    return TypedUtf8TextBytes(text.toStdString(), NewLineCode(), CharaSet());
}

} // namespace mv
