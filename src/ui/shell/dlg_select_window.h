#pragma once

#include <QtWidgets/QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace mv {

// The list of open files from which the user picks one window: "決定" (or a double click on a
// line) closes with OK, "キャンセル" or the close box with cancel.
class TDlgSelectWindow : public QDialog {
public:
    explicit TDlgSelectWindow(QWidget* owner = nullptr);

    // One line per window in list order: "%d: %s" with the file name or "(新規)"; the first
    // line is selected.
    void SetWindows(const std::vector<std::string>& fileNames);
    // The selected line, or -1.
    [[nodiscard]] int SelectedIndex() const;

    [[nodiscard]] QListWidget* List() const { return List_; }

private:
    QListWidget* List_;
    QPushButton* btnRun;
    QPushButton* btnCancel;
};

// Shows the window list with `caption` over `owner` (or centred on the work area without one)
// and answers the index of the chosen window, or -1 when the user cancels.
[[nodiscard]] int SelectWindowDialog(const QString& caption, QWidget* owner,
                                     const std::vector<std::string>& fileNames);

} // namespace mv
