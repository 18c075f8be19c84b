#pragma once

#include "core/typedvalues/command_ids.h"
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
        TEnvironment environment;
        environment.ApplyModes = 1;
        environment.CaretMarker = false;
        editor_->SetViewItems(AllViewItems);
        editor_->SetEnvironment(environment);
        editor_->resize(editor_->PreferredWidth(), editor_->PreferredHeight());
        editor_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor_.get()));
        editor_->activateWindow();
        View().setFocus();
        QApplication::processEvents();
    }

    void TearDown() override { editor_.reset(); }

    TBinaryView& View() { return editor_->View(); }
    TEditorCore& Core() { return View().Core(); }
    QWidget* Viewport() { return View().viewport(); }

    void Load(const std::vector<Byte>& bytes) {
        Core().Module().InsertBytes(bytes.data(), 0, static_cast<ByteCount>(bytes.size()));
        Core().SetCaret({0, 0});
        QApplication::processEvents();
    }
    [[nodiscard]] std::vector<Byte> Bytes() const {
        const TMemoryModule& module = editor_->View().Core().Module();
        std::vector<Byte> bytes(static_cast<std::size_t>(module.Size()));
        module.ReadBytes(bytes.data(), 0, module.Size());
        return bytes;
    }

    // The middle of the cell of an address on the screen (the address must be visible).
    QPoint HexCell(Address address) {
        const std::int32_t row = address / 16 - Core().TopLine();
        return View().Layout().HexCellRect(address % 16, row).center();
    }
    QPoint CharCell(Address address) {
        const std::int32_t row = address / 16 - Core().TopLine();
        return View().Layout().CharCellRect(address % 16, row).center();
    }

    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(Viewport(), button, modifiers, point);
    }
    // A drag with the left button from one point to another, through the view's own events.
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, Viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, to);
    }

    std::unique_ptr<TBEditor> editor_;
};

} // namespace mv::test
