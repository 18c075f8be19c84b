#pragma once

#include "core/filer/filer_session.h"
#include "platform/qt_host_services.h"
#include "ui/dialogs/tool_window.h"

#include <QtCore/QPointer>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;

namespace mv {

class TBinaryView;
class TFilerPageView;

// The filer tool window of a document window: it loads a filer, shows its pages of labelled
// field editors over the document's data, writes them back on request as one undo step, and
// asks before it closes with changes that were not applied.
class TToolFiler final : public TToolWindow {
    Q_OBJECT
public:
    TToolFiler(QWidget* owner, TBinaryView& view);

    // Parses the filer; on success its pages replace the shown ones and are read from the data;
    // a filer with an error is named in a message and the window stays as it was.
    void LoadFiler(const std::string& fileName);
    // "設定内容の再読み込み" and "設定内容の反映".
    void MM_RefreshClick();
    void MM_OutDataClick();
    // "ファイラーの読み込み": the open dialog on the filer folder, then the chosen filer.
    void TB_FileOpenClick();
    void TB_HelpClick();
    void MM_CloseClick();

    [[nodiscard]] const TFilerSession& Session() const { return session_; }
    // ---- parts, for tests
    [[nodiscard]] QAction* Action(std::string_view name) const;
    [[nodiscard]] QComboBox& PageSelect() { return *pageSelect_; }
    [[nodiscard]] QToolButton& PreviousPageButton() { return *previousPage_; }
    [[nodiscard]] QToolButton& NextPageButton() { return *nextPage_; }
    [[nodiscard]] const std::vector<TFilerPageView*>& Pages() const { return pages_; }
    [[nodiscard]] QLabel& ModifiedPanel() { return *modifiedPanel_; }
    [[nodiscard]] QLabel& ProgressPanel() { return *progressPanel_; }

    [[nodiscard]] QSize sizeHint() const override { return {400, 400}; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* AddAction(QMenu* menu, const char* name, const char* caption, const char* hint,
                       void (TToolFiler::*handler)());
    void CreateBars();
    void CreatePagePanel();
    void SetBusy(bool busy);
    void BuildPages();
    // Reads the fields; answers how many lie past the end of the data.
    int ReadFields();
    // Says in the status bar how many fields lie past the end of the data.
    void NoteOutside(int outside);
    // Applies unless a field holds refused input, which is shown; answers whether the fields
    // hold nothing left to apply.
    bool WriteFields();
    void NoteDropped();
    void SelectPage(int index);
    void Edited();
    void ShowModified();
    void Jump(std::int64_t address);

    QPointer<TBinaryView> view_;
    TQtHostServices host_;
    TFilerSession session_;
    std::vector<TFilerPageView*> pages_;
    QStackedWidget* mainPanel_ = nullptr;
    QComboBox* pageSelect_ = nullptr;
    QToolButton* previousPage_ = nullptr;
    QToolButton* nextPage_ = nullptr;
    QLabel* modifiedPanel_ = nullptr;
    QLabel* progressPanel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* help_ = nullptr;
};

// The document window's filer command: the open dialog on the filer folder over `owner`, then a
// new filer tool for `view` that loads the chosen filer once it is shown; nullptr when the user
// cancels.
[[nodiscard]] TToolFiler* OpenFilerTool(QWidget* owner, TBinaryView& view);

} // namespace mv
