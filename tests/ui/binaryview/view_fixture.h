#pragma once

#include "core/typedvalues/command_ids.h"
#include "support/store_bytes.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace mv::test {

// A shown editor control with the default environment, the view holding the focus.
class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        editor_ = std::make_unique<TBEditor>();
        editor_->SetViewItems(AllViewItems);
        editor_->SetEnvironment(Environment());
        editor_->resize(editor_->PreferredWidth(), editor_->PreferredHeight());
        editor_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor_.get()));
        editor_->activateWindow();
        View().setFocus();
        QApplication::processEvents();
    }

    // The default environment, applied, without the caret marker.
    static TEnvironment Environment() {
        TEnvironment environment;
        environment.ApplyModes = 1;
        environment.CaretMarker = false;
        return environment;
    }
    TBinaryView& View() { return editor_->View(); }
    TEditorCore& Core() { return View().Core(); }
    QWidget* Viewport() { return View().viewport(); }

    // Into the empty file, the caret at its start.
    void Load(const std::vector<Byte>& bytes) {
        Append(Core().Module(), bytes);
        Core().SetCaret({0, 0});
        QApplication::processEvents();
    }
    [[nodiscard]] std::vector<Byte> Bytes() { return Contents(Core().Module()); }

    // The middle of the cell of an address on the screen (the address must be visible).
    QPoint HexCell(Address address) {
        return View().Layout().HexCellRect(address % 16, address / 16 - Core().TopLine()).center();
    }
    QPoint CharCell(Address address) {
        return View().Layout().CharCellRect(address % 16, address / 16 - Core().TopLine()).center();
    }

    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(Viewport(), button, modifiers, point);
    }

    std::unique_ptr<TBEditor> editor_;
};

} // namespace mv::test
