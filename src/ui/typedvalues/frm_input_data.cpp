#include "ui/typedvalues/frm_input_data.h"

#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"
#include "ui/typedvalues/sel_char.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

constexpr int BinaryEditorFontHeight = 12;
constexpr std::uint8_t HeaderAndHexOnly = 1;

} // namespace

TFrmInputData::TFrmInputData(QWidget* parent)
    : QWidget(parent), pages_(new QTabWidget(this)), inputInt_(new TFrmInputInt),
      inputStr_(new TFrmInputStr), inputChar_(new TFrmInputChar), binaryPanel_(new QWidget),
      labelNull_(new QLabel) {
    labelNull_->setText(QStringLiteral("長さ 0 バイトのデータです.\n"
                                       "文字列型、無定型で空のデータを渡した場合と同じ結果に"
                                       "なります.\n"
                                       "検索合致位置を削除したい場合に明示的に設定して下さい."));
    labelNull_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labelNull_->setMargin(8);
    auto* binaryLayout = new QVBoxLayout(binaryPanel_);
    binaryLayout->setContentsMargins(0, 0, 0, 0);

    pages_->addTab(inputInt_, QStringLiteral("整数型"));
    pages_->addTab(inputStr_, QStringLiteral("文字列型"));
    pages_->addTab(inputChar_, QStringLiteral("キャラクタ型"));
    pages_->addTab(binaryPanel_, QStringLiteral("無定型"));
    pages_->addTab(labelNull_, QStringLiteral("ヌル型"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
}

void TFrmInputData::Initialize(const TEnvironment& owner) {
    if (binaryEditor_ == nullptr) {
        binaryEditor_ = new TBEditor(binaryPanel_);
        binaryPanel_->layout()->addWidget(binaryEditor_);
    }
    binaryEditor_->SetEnvironment(owner);
    binaryEditor_->SetFontHeight(BinaryEditorFontHeight);
    binaryEditor_->SetViewItems(HeaderAndHexOnly);
    // The page is there to type bytes into, whatever the window's own input mode.
    TEditorCore& core = binaryEditor_->View().Core();
    if (core.InputMode() == TInputMode::ViewOnly) core.SetInputMode(TInputMode::Overwrite);

    inputInt_->SetDialogMode(TDialogMode::dmInteger);
    inputInt_->SetVariableType(TVariableType::vtDoubleWord);
    inputInt_->SetByteOrder(TByteOrder::LittleEndian);
    inputStr_->SetCharaSet(CharaSet::ShiftJis);
    inputStr_->SetNewLineCode(TNewLineCode::CrLf);
    inputChar_->SetAsciiCharaSet(TAsciiSet::asASCII);
    intRadix_ = owner.IntCardinal;
}

void TFrmInputData::FocusPage() {
    switch (Page()) {
    case TInputDataPage::Integer:
        inputInt_->FocusField(intRadix_);
        return;
    case TInputDataPage::String:
        inputStr_->EditBox().setFocus(Qt::OtherFocusReason);
        return;
    case TInputDataPage::Character:
        inputChar_->SelChar().setFocus(Qt::OtherFocusReason);
        return;
    case TInputDataPage::Raw:
        if (binaryEditor_ != nullptr) binaryEditor_->View().setFocus(Qt::OtherFocusReason);
        return;
    case TInputDataPage::Null:
        break;
    }
    pages_->setFocus(Qt::OtherFocusReason);
}

InputDataBlock TFrmInputData::GetData() const {
    switch (Page()) {
    case TInputDataPage::Integer:
        return inputInt_->IntegerData();
    case TInputDataPage::String:
        return InputDataBlock::Of(inputStr_->GetText());
    case TInputDataPage::Character:
        if (inputChar_->SelectedCode() < 0) return {};
        return {{static_cast<std::uint8_t>(inputChar_->SelectedCode())}};
    case TInputDataPage::Raw: {
        if (binaryEditor_ == nullptr) return {};
        const TMemoryModule& bytes = binaryEditor_->View().Core().Module();
        InputDataBlock block;
        block.Bytes.resize(static_cast<std::size_t>(bytes.Size()));
        bytes.ReadBytes(block.Bytes.data(), 0, bytes.Size());
        return block;
    }
    case TInputDataPage::Null:
        break;
    }
    return {};
}

TInputDataPage TFrmInputData::Page() const {
    return static_cast<TInputDataPage>(pages_->currentIndex());
}

void TFrmInputData::SetPage(TInputDataPage page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

} // namespace mv
