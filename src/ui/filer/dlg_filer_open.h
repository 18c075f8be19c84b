#pragma once

#include "core/filer/filer_browser.h"
#include "platform/qt_host_services.h"

#include <QtWidgets/QDialog>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace mv {

// The modal dialog in which the user picks a filer: it browses one place at a time, listing
// its sub-folders and its ".MVF" files with the title and the author from their headers.
class TDlgFilerOpen : public QDialog {
    Q_OBJECT
public:
    explicit TDlgFilerOpen(QWidget* owner);

    // Goes to the folders seen as one place (the filer folder: the user's filers first); a place
    // that does not exist or cannot be read is named in a warning and the dialog stays where
    // it was.
    void SetFolder(std::vector<std::string> folders);
    // The chosen filer's full path, once the dialog has ended with OK.
    [[nodiscard]] const std::string& FileName() const { return fileName_; }

    [[nodiscard]] QTreeWidget& Files() { return *files_; }
    [[nodiscard]] QLineEdit& Folder() { return *folder_; }
    [[nodiscard]] QPushButton& OpenButton() { return *btnOpen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowEntries();
    void FitColumns();
    // The answer of a move to another place: a warning, or the new list.
    void Moved(const std::string& warning);
    void btnFolderClick();
    void btnOpenClick();
    void FilesChange();

    TQtHostServices host_;
    TFilerBrowser browser_;
    QLineEdit* folder_ = nullptr;
    QTreeWidget* files_ = nullptr;
    QPushButton* btnOpen_ = nullptr;
    std::string fileName_;
};

// The filer command's dialog: shown modally over `owner` on the filer folder; the chosen filer,
// or nothing when the user cancels.
[[nodiscard]] std::optional<std::string> ChooseFiler(QWidget* owner);

} // namespace mv
