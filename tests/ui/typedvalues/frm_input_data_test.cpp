// The bytes the data frame gives: its integer page's start, the null page, and the raw page of a
// view-only owner. The text and character pages' bytes are the core's and the search dialogs'.
#include "ui/typedvalues/frm_input_data.h"

#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_int.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>

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

TEST_F(FrmInputDataTest, IntegerPageStartsAsALittleEndianDoubleWordAndNullGivesNothing) {
    frame_->SetPage(TInputDataPage::Integer);
    TFrmInputInt& integer = frame_->FrmInputInt();
    integer.EditHex().setFocus();
    QTest::keyClicks(&integer.EditHex(), "1234");
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0x34, 0x12, 0, 0}));
    frame_->SetPage(TInputDataPage::Null);
    EXPECT_EQ(frame_->GetData().Count(), 0);
}

TEST_F(FrmInputDataTest, RawPageTakesTypedBytesEvenForAViewOnlyOwner) {
    frame_->SetPage(TInputDataPage::Raw);
    TBEditor* editor = frame_->BinaryEditor();
    ASSERT_NE(editor, nullptr);
    editor->View().setFocus();
    QApplication::processEvents();
    QTest::keyClicks(&editor->View(), "41fe");
    EXPECT_EQ(frame_->GetData().Bytes, (Bytes{0x41, 0xFE}));
}

} // namespace
} // namespace mv
