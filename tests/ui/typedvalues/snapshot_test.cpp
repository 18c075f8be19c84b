// Pictures of the frames and of the character list under each set, for a person to look at:
// written to the folder named by MV_SNAPSHOT_DIR, skipped without it.
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"
#include "ui/typedvalues/sel_char.h"

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QPlainTextEdit>

#include <gtest/gtest.h>

namespace mv {
namespace {

class Snapshot : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qEnvironmentVariable("MV_SNAPSHOT_DIR");
        if (folder_.isEmpty()) GTEST_SKIP() << "MV_SNAPSHOT_DIR not set";
        QDir().mkpath(folder_);
    }
    void Save(QWidget& widget, const QString& name) {
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        EXPECT_TRUE(widget.grab().save(folder_ + '/' + name + ".png")) << name.toStdString();
    }

    QString folder_;
};

TEST_F(Snapshot, Frames) {
    TFrmInputData data;
    TEnvironment owner;
    owner.ApplyModes = 1;
    data.Initialize(owner);
    data.resize(520, 330);
    TFrmInputInt& integer = data.FrmInputInt();
    integer.SetVariableType(TVariableType::vtByte);
    integer.EditHex().SetValue(0x1FF);
    integer.EditHex().SetValue(0x1FF);
    integer.EditDec().SetValue(0x1FF);
    integer.EditBin().SetValue(0x1FF);
    Save(data, "frm_input_data_integer");
    integer.EditDec().setFocus();
    QTest::keyClick(&integer.EditDec(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&integer.EditDec(), Qt::Key_Left, Qt::ShiftModifier);
    integer.EditBin().SetValue(0x1'2345'6789);
    Save(data, "frm_input_data_integer_focus");
    data.FrmInputStr().EditBox().setPlainText(QStringLiteral("文字列 ABC\nｶﾀｶﾅ"));
    data.SetPage(TInputDataPage::String);
    Save(data, "frm_input_data_string");
    data.SetPage(TInputDataPage::Character);
    Save(data, "frm_input_data_character");
    data.SetPage(TInputDataPage::Raw);
    Save(data, "frm_input_data_raw");
    data.SetPage(TInputDataPage::Null);
    Save(data, "frm_input_data_null");

    TFrmInputInt address;
    address.SetDialogMode(TDialogMode::dmUnformat);
    Save(address, "frm_input_int_address");
}

TEST_F(Snapshot, SelCharSets) {
    const std::pair<TAsciiSet, QString> sets[] = {{TAsciiSet::asASCII, "ascii"},
                                                  {TAsciiSet::asJISX0201, "jisx0201"},
                                                  {TAsciiSet::asNEC, "nec"}};
    for (const auto& [set, name] : sets) {
        TSelChar list;
        list.SetAsciiCharaSet(set);
        list.resize(300, 16 * list.count() + 2 * list.frameWidth());
        list.setCurrentRow(0x41);
        Save(list, "sel_char_" + name);
    }
}

} // namespace
} // namespace mv
