#pragma once

// A running shell with its windows on the offscreen platform, its configuration in a folder of
// its own, and a script for the modal dialogs the user would answer.
#include "support/temp_folder.h"
#include "ui/binaryview/binary_view.h"
#include "ui/document/document_window.h"
#include "ui/shell/main_process.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mv::test {

// One answer to the next modal dialog.
using TModalStep = std::function<void(QWidget*)>;

// A message box: its text goes to `text` when given, then the button of that caption.
inline TModalStep Press(const QString& caption, QString* text = nullptr) {
    return [caption, text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box, got " << dialog->metaObject()->className();
            return dialog->close(), void();
        }
        if (text != nullptr) *text = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == caption) return button->click();
        ADD_FAILURE() << "no button " << caption.toStdString() << " under "
                      << box->text().toStdString();
        box->close();
    };
}

// A file dialog of that title: the file is chosen, or the dialog cancelled for an empty path.
inline TModalStep Choose(const std::string& path, const QString& title) {
    return [path, title](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files == nullptr) {
            ADD_FAILURE() << "expected a file dialog, got " << dialog->metaObject()->className();
            return dialog->close(), void();
        }
        EXPECT_EQ(files->windowTitle(), title);
        if (path.empty()) return files->reject();
        files->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(files)->accept(); // the file dialog makes it protected
    };
}

// Any other dialog, handled by the test.
inline TModalStep Handle(std::function<void(QWidget*)> step) { return step; }

class TShellFixture : public ::testing::Test {
protected:
    ~TShellFixture() override {
        EXPECT_TRUE(steps_->empty()) << steps_->size() << " dialog(s) never came";
        shell.reset();
        // Closed windows free themselves once the event loop comes round.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    [[nodiscard]] TMvPrMainProcessWClass::TPaths Paths() const {
        return {QString::fromStdString(home / "Morvane.ini"), home / "data"};
    }

    // A new shell on this fixture's configuration, started with the files. A first start goes
    // without the opening picture, which would hold every start for a second.
    void Start(const std::vector<std::string>& fileNames = {}) {
        if (!std::filesystem::exists(home / "Morvane.ini"))
            std::ofstream(home / "Morvane.ini") << "[Config]\nOpeningDlg=0\n";
        shell = std::make_unique<TMvPrMainProcessWClass>(Paths());
        shell->OnEnd = [] {};
        shell->Start(fileNames);
    }

    [[nodiscard]] std::vector<TMvPrBinaryFormWClass*> Windows() const {
        return shell->DocumentList();
    }
    [[nodiscard]] TMvPrBinaryFormWClass& Window(std::size_t index) const {
        return *shell->DocumentList().at(index);
    }

    // Answers the modal dialogs that come up from now on, in order.
    void Script(std::vector<TModalStep> steps) {
        for (TModalStep& step : steps) steps_->push_back(std::move(step));
        if (timer_ != nullptr) return;
        timer_ = std::make_unique<QTimer>();
        timer_->callOnTimeout([steps = steps_] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || steps->empty() || !dialog->isVisible()) return;
            const TModalStep step = std::move(steps->front());
            steps->pop_front();
            step(dialog);
        });
        timer_->start(5);
    }

    // Runs a menu item as a user's click does: its menu opens first, and the item is taken
    // as that leaves it. Nothing else refreshes the window's items on the way.
    static void Click(TMvPrBinaryFormWClass& window, std::string_view item) {
        QAction* action = window.Action(item);
        ASSERT_NE(action, nullptr) << item;
        for (QObject* holder : action->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(holder)) {
                emit menu->aboutToShow();
                break;
            }
        action->trigger();
    }

    // The window's data as it stands.
    [[nodiscard]] static TTempFolder::Bytes Contents(const TMvPrBinaryFormWClass& window) {
        TTempFolder::Bytes bytes(static_cast<std::size_t>(window.Module().Size()));
        window.Module().ReadBytes(bytes.data(), 0, window.Module().Size());
        return bytes;
    }

    static void Type(TMvPrBinaryFormWClass& window, const char* keys) {
        QTest::keyClicks(&window.View(), QString::fromLatin1(keys));
    }

    TTempFolder home;
    TTempFolder files;
    std::unique_ptr<TMvPrMainProcessWClass> shell;

private:
    std::shared_ptr<std::deque<TModalStep>> steps_ = std::make_shared<std::deque<TModalStep>>();
    std::unique_ptr<QTimer> timer_;
};

} // namespace mv::test
