#pragma once

// A filer tool window over a binary editor on the offscreen platform, with the file the editor
// holds written to a folder of the test's own.
#include "core/typedvalues/command_ids.h"
#include "core/typedvalues/sjis_utf8.h"
#include "support/store_bytes.h"
#include "support/temp_folder.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/filer/field_editors.h"
#include "ui/filer/filer_page_view.h"
#include "ui/filer/tool_filer.h"

#include <QtGui/QAction>
#include <QtGui/QInputMethodEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace mv::test {

// A field as "page/caption" with the text its editor shows: the number, the text, the chosen
// label, or "1" and "0" for a check box.
using TShown = std::pair<std::string, std::string>;

// The fields of one page given as caption and text, appended to those shown before it.
inline std::vector<TShown> OnPage(std::vector<TShown> before, const std::string& page,
                                  const std::vector<TShown>& fields) {
    for (const auto& [caption, text] : fields) before.emplace_back(page + "/" + caption, text);
    return before;
}
inline std::vector<TShown> OnPage(const std::string& page, const std::vector<TShown>& fields) {
    return OnPage({}, page, fields);
}

class TFilerToolFixture : public ::testing::Test {
protected:
    TFilerToolFixture() : editor_(new TBEditor(&owner_)) {}

    // The editor holds the bytes as a file, and a new tool window over it loads the filer.
    void Open(const ByteVector& bytes, const std::string& filer) {
        ASSERT_TRUE(Core().LoadFile(files.Write("sample.bin", bytes)));
        OpenTool(filer);
    }
    void OpenTool(const std::string& filer) {
        tool = new TToolFiler(&owner_, editor_->View());
        tool->ShowTool();
        tool->LoadFiler(filer);
    }
    // A filer written for the test (UTF-8, saved as Shift JIS).
    [[nodiscard]] std::string Filer(const std::string& utf8, const std::string& name = "t.MVF") {
        const std::string bytes = Utf8ToShiftJis(utf8);
        return files.Write(name, ByteVector(bytes.begin(), bytes.end()));
    }

    [[nodiscard]] TEditorCore& Core() { return editor_->View().Core(); }
    [[nodiscard]] ByteVector Data() { return Contents(Core().Module()); }

    // Every field of the pages whose names begin with `page` ("" for all).
    [[nodiscard]] std::vector<TShown> Fields(const std::string& page = {}) const {
        std::vector<TShown> shown;
        const auto& pages = tool->Session().Pages();
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const std::string name = ShiftJisToUtf8(pages[p].Name);
            if (!name.starts_with(page)) continue;
            for (TFieldEditor* editor : tool->Pages()[p]->Editors())
                shown.emplace_back(name + "/" + ShiftJisToUtf8(editor->Model().Item().Caption),
                                   Text(editor->Control()));
        }
        return shown;
    }

    [[nodiscard]] TFieldEditor& Editor(const std::string& name) const {
        const auto& pages = tool->Session().Pages();
        for (std::size_t p = 0; p < pages.size(); ++p)
            for (TFieldEditor* editor : tool->Pages()[p]->Editors())
                if (ShiftJisToUtf8(pages[p].Name) + "/" +
                        ShiftJisToUtf8(editor->Model().Item().Caption) ==
                    name)
                    return *editor;
        ADD_FAILURE() << "no field " << name;
        return *tool->Pages().at(0)->Editors().at(0);
    }

    // The user's input: typed over the whole text (other than ASCII through the input
    // method), a click, or a list label chosen by keys.
    void Type(const std::string& name, const QString& text) const {
        QWidget& control = Editor(name).Control();
        if (auto* spin = qobject_cast<QSpinBox*>(&control)) spin->selectAll();
        if (auto* line = qobject_cast<QLineEdit*>(&control)) line->selectAll();
        if (std::ranges::all_of(text, [](QChar c) { return c.unicode() < 0x80; }))
            return QTest::keyClicks(&control, text);
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(&control, &typed);
    }
    void Click(const std::string& name) const {
        qobject_cast<QCheckBox*>(&Editor(name).Control())->click();
    }
    void Choose(const std::string& name, const QString& label) const {
        auto* list = qobject_cast<QComboBox*>(&Editor(name).Control());
        const int target = list->findText(label);
        ASSERT_GE(target, 0) << label.toStdString();
        while (list->currentIndex() != target)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    void Run(const char* action) const { tool->Action(action)->trigger(); }
    void Undo() { Core().ExecuteCommand(cmd::UNDO); }

    [[nodiscard]] static std::string Text(QWidget& control) {
        if (auto* spin = qobject_cast<QSpinBox*>(&control)) return spin->text().toStdString();
        if (auto* line = qobject_cast<QLineEdit*>(&control)) return line->text().toStdString();
        if (auto* check = qobject_cast<QCheckBox*>(&control)) return check->isChecked() ? "1" : "0";
        return qobject_cast<QComboBox*>(&control)->currentText().toStdString();
    }

    TTempFolder files;
    TToolFiler* tool = nullptr;

private:
    QWidget owner_;
    TBEditor* editor_;
};

} // namespace mv::test
