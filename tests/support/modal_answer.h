#pragma once

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace mv::test {

// Answers the modal dialogs that come up next, one caption each: `inspect` sees the dialog, then
// the button of that caption is pressed, or Escape for an empty caption. A caption that names no
// button fails the test and closes the dialog.
inline void AnswerModals(std::vector<QString> captions,
                         std::function<void(QWidget*)> inspect = {}) {
    auto* timer = new QTimer;
    timer->callOnTimeout([timer, captions, inspect, next = std::size_t{0}]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        if (inspect) inspect(dialog);
        const QString caption = captions[next];
        if (++next == captions.size()) {
            timer->stop();
            timer->deleteLater();
        }
        if (caption.isEmpty()) return QTest::keyClick(dialog, Qt::Key_Escape);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == caption) return button->click();
        ADD_FAILURE() << "no button " << caption.toStdString();
        dialog->close();
    });
    timer->start(5);
}

} // namespace mv::test
