// The bytes each page of the data frame gives.
#include "ui/typedvalues/frm_input_data.h"

#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"
#include "ui/typedvalues/sel_char.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabWidget>

#include <gtest/gtest.h>

#include <memory>

namespace mv {
namespace {

using Bytes = std::vector<std::uint8_t>;

class FrmInputDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = std::make_unique<TFrmInputData>();
        TEnvironment owner;
        owner.ApplyModes = 1;
        owner.InputMode = TInputMode::ViewOnly;
        frame_->Initialize(owner);
        frame_->resize(480, 360);
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
        frame_->activateWindow();
    }

    std::unique_ptr<TFrmInputData> frame_;
};

TEST_F(FrmInputDataTest, PagesInOrder) {
    const QStringList titles = {"整数型", "文字列型", "キャラクタ型", "無定型", "ヌル型"};
    ASSERT_EQ(frame_->Pages().count(), titles.size());
    for (int page = 0; page < titles.size(); ++page)
        EXPECT_EQ(frame_->Pages().tabText(page), titles[page]);
    const auto* label = qobject_cast<QLabel*>(frame_->Pages().widget(4));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(),
              QStringLiteral("長さ 0 バイトのデータです.\n"
                             "文字列型、無定型で空のデータを渡した場合と同じ結果"
                             "になります.\n"
                             "検索合致位置を削除したい場合に明示的に設定して下さい."));
}

TEST_F(FrmInputDataTest, EmptyPagesGiveNoBytes) {
    for (const TInputDataPage page :
         {TInputDataPage::String, TInputDataPage::Raw, TInputDataPage::Null}) {
        frame_->SetPage(page);
        EXPECT_EQ(frame_->GetData().Count(), 0) << static_cast<int>(page);
    }
}

TEST_F(FrmInputDataTest, IntegerPageStartsAsALittleEndianDoubleWord) {
    frame_->SetPage(TInputDataPage::Integer);
    TFrmInputInt& integer = frame_->FrmInputInt();
    EXPECT_EQ(integer.VariableType(), TVariableType::vtDoubleWord);
    integer.EditHex().setFocus();
    QTest::keyClicks(&integer.EditHex(), "1234");
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0x34, 0x12, 0, 0}));
    integer.SetVariableType(TVariableType::vtWord);
    integer.SetByteOrder(TByteOrder::BigEndian);
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0x12, 0x34}));
}

TEST_F(FrmInputDataTest, StringPageConvertsLineEndsAndSet) {
    frame_->SetPage(TInputDataPage::String);
    TFrmInputStr& string = frame_->FrmInputStr();
    string.EditBox().setPlainText(QStringLiteral("A\nB"));
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{'A', '\r', '\n', 'B'}));
    string.SetNewLineCode(TNewLineCode::Lf);
    string.SetCharaSet(CharaSet::Euc);
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{'A', '\n', 'B'}));
    string.EditBox().setPlainText(QStringLiteral("亜\nA"));
    string.SetNewLineCode(TNewLineCode::CrLf);
    string.SetCharaSet(CharaSet::Jis);
    EXPECT_EQ(frame_->GetData().Bytes,
              (Bytes{0x1B, '$', 'B', 0x30, 0x21, 0x1B, '(', 'J', '\r', '\n', 'A'}));
}

TEST_F(FrmInputDataTest, CharacterPageGivesTheSelectedCode) {
    frame_->SetPage(TInputDataPage::Character);
    TFrmInputChar& character = frame_->FrmInputChar();
    EXPECT_EQ(character.AsciiCharaSet(), TAsciiSet::asASCII);
    character.SetAsciiCharaSet(TAsciiSet::asJISX0201);
    EXPECT_EQ(character.SelChar().count(), 256);
    character.SelChar().setCurrentRow(0xB1);
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0xB1}));
}

TEST_F(FrmInputDataTest, RawPageTakesTypedBytesEvenForAViewOnlyOwner) {
    frame_->SetPage(TInputDataPage::Raw);
    TBEditor* editor = frame_->BinaryEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ViewItems(), 1);
    EXPECT_EQ(editor->FontHeight(), 12);
    editor->View().setFocus();
    QApplication::processEvents();
    QTest::keyClicks(&editor->View(), "41fe");
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0x41, 0xFE}));
}

} // namespace
} // namespace mv
