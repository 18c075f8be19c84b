#include "ui/filer/tool_filer.h"

#include "core/filer/editor_filer_target.h"
#include "core/typedvalues/sjis_utf8.h"
#include "platform/help_context.h"
#include "platform/tool_icon.h"
#include "ui/binaryview/binary_view.h"
#include "ui/dialogs/help_viewer.h"
#include "ui/filer/dlg_filer_open.h"
#include "ui/filer/field_editors.h"
#include "ui/filer/filer_font.h"
#include "ui/filer/filer_page_view.h"

#include <QtCore/QFileInfo>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace mv {

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QToolButton* PageButton(const QString& arrow, const char* hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(arrow);
    button->setToolTip(QString::fromUtf8(hint));
    button->setAutoRaise(true);
    button->setFixedSize(20, 20);
    return button;
}

} // namespace

TToolFiler::TToolFiler(QWidget* owner, TBinaryView& view)
    : TToolWindow(owner), view_(&view), host_(this) {
    setObjectName(QStringLiteral("TToolFiler"));
    setWindowTitle(Utf8(session_.Caption()));
    UseFilerFont(*this);
    SetHelpContext(*this, 163);
    setMinimumSize(240, 240);
    resize(400, 400);
    CreateBars();
    SelectPage(-1);
}

QAction* TToolFiler::AddAction(QMenu* menu, const char* name, const char* caption,
                               const char* hint, void (TToolFiler::*handler)()) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf8(hint));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

// Menu items and tool buttons of the same function are one action.
void TToolFiler::CreateBars() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* menuBar = new QMenuBar(this);
    fileMenu_ = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu_->setObjectName(QStringLiteral("MM_File"));
    QAction* open = AddAction(fileMenu_, "MM_FilerOpen", "ファイラーの読み込み(&F)",
                              "ファイラーの読み込み", &TToolFiler::TB_FileOpenClick);
    fileMenu_->addSeparator();
    QAction* close =
        AddAction(fileMenu_, "MM_Close", "閉じる(&C)", "閉じる", &TToolFiler::MM_CloseClick);
    editMenu_ = menuBar->addMenu(QStringLiteral("編集(&E)"));
    editMenu_->setObjectName(QStringLiteral("MM_Edit"));
    QAction* refresh = AddAction(editMenu_, "MM_Refresh", "設定内容の再読み込み(&R)",
                                 "設定内容の再読み込み", &TToolFiler::MM_RefreshClick);
    QAction* outData = AddAction(editMenu_, "MM_OutData", "設定内容の反映(&O)", "設定内容の反映",
                                 &TToolFiler::MM_OutDataClick);
    QMenu* helpMenu = menuBar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu->setObjectName(QStringLiteral("MM_Help"));
    help_ = AddAction(helpMenu, "MM_Openhelp", "ヘルプ(&H)", "ヘルプ", &TToolFiler::TB_HelpClick);
    layout->setMenuBar(menuBar);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setIconSize({16, 16});
    open->setIcon(ToolIcon("open"));
    refresh->setIcon(QIcon::fromTheme(QStringLiteral("view-refresh"),
                                      style()->standardIcon(QStyle::SP_BrowserReload)));
    outData->setIcon(QIcon::fromTheme(QStringLiteral("document-save"),
                                      style()->standardIcon(QStyle::SP_DialogApplyButton)));
    help_->setIcon(ToolIcon("help"));
    close->setIcon(ToolIcon("close"));
    toolBar->addAction(open);
    toolBar->addSeparator();
    toolBar->addAction(refresh);
    toolBar->addAction(outData);
    toolBar->addSeparator();
    toolBar->addAction(help_);
    toolBar->addSeparator();
    toolBar->addAction(close);
    layout->addWidget(toolBar);

    CreatePagePanel();
    layout->addWidget(pageSelect_->parentWidget());

    auto* settingPanel = new QFrame(this);
    settingPanel->setObjectName(QStringLiteral("SettingPanel"));
    settingPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    settingPanel->setLineWidth(2);
    auto* settingLayout = new QVBoxLayout(settingPanel);
    settingLayout->setContentsMargins(2, 2, 2, 2);
    mainPanel_ = new QStackedWidget(settingPanel);
    mainPanel_->setObjectName(QStringLiteral("MainPanel"));
    settingLayout->addWidget(mainPanel_);
    layout->addWidget(settingPanel, 1);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    modifiedPanel_ = new QLabel(statusBar);
    modifiedPanel_->setFixedWidth(32);
    modifiedPanel_->setAlignment(Qt::AlignCenter);
    progressPanel_ = new QLabel(statusBar);
    for (QLabel* panel : {modifiedPanel_, progressPanel_})
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    statusBar->addWidget(modifiedPanel_);
    statusBar->addWidget(progressPanel_, 1);
    layout->addWidget(statusBar);
}

void TToolFiler::CreatePagePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PagePanel"));
    panel->setFixedHeight(28);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->setSpacing(4);
    auto* label = new QLabel(QStringLiteral("ページ名"), panel);
    pageSelect_ = new QComboBox(panel);
    pageSelect_->setObjectName(QStringLiteral("PageSelect"));
    label->setBuddy(pageSelect_);
    previousPage_ = PageButton(QStringLiteral("▲"), "前のページへ", panel);
    nextPage_ = PageButton(QStringLiteral("▼"), "次のページへ", panel);
    layout->addWidget(label);
    layout->addWidget(pageSelect_, 1);
    layout->addSpacing(4);
    layout->addWidget(previousPage_);
    layout->addWidget(nextPage_);
    connect(pageSelect_, &QComboBox::activated, this, &TToolFiler::SelectPage);
    connect(previousPage_, &QToolButton::clicked, this,
            [this] { SelectPage(session_.SelectedPage() - 1); });
    connect(nextPage_, &QToolButton::clicked, this,
            [this] { SelectPage(session_.SelectedPage() + 1); });
}

QAction* TToolFiler::Action(std::string_view name) const {
    return findChild<QAction*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

// ---- loading

void TToolFiler::TB_FileOpenClick() {
    const std::optional<std::string> file = ChooseFiler(this);
    if (!file) return;
    repaint();
    LoadFiler(*file);
}

void TToolFiler::LoadFiler(const std::string& fileName) {
    const QFileInfo file(QFile::decodeName(fileName.c_str()));
    const std::string name = file.exists() ? QFile::encodeName(file.canonicalFilePath()).toStdString()
                                           : fileName;
    SetBusy(true);
    progressPanel_->setText(file.fileName() + QStringLiteral(" を読み込んでいます..."));
    repaint();

    int outside = 0;
    if (const std::string error = session_.Load(name, FilerMetrics(*this)); !error.empty()) {
        host_.MessageDlgBeep(error, TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
    } else {
        mainPanel_->hide();
        setWindowTitle(Utf8(session_.Caption()));
        BuildPages();
        outside = ReadFields();
    }
    mainPanel_->show();
    progressPanel_->clear();
    SetBusy(false);
    SelectPage(session_.SelectedPage());
    NoteOutside(outside);
}

void TToolFiler::SetBusy(bool busy) {
    for (QAction* action : {fileMenu_->menuAction(), editMenu_->menuAction()})
        action->setEnabled(!busy);
    for (QAction* action : fileMenu_->actions() + editMenu_->actions() + QList{help_})
        action->setEnabled(!busy);
    if (busy) {
        previousPage_->setEnabled(false);
        nextPage_->setEnabled(false);
    }
}

// The session has just replaced its pages, so the old views' models are gone: the views go at
// once, before any event could reach them.
void TToolFiler::BuildPages() {
    for (TFilerPageView* page : pages_)
        delete page;
    pages_.clear();
    pageSelect_->clear();
    const TFieldHooks hooks{[this] { Edited(); }, [this](std::int64_t address) { Jump(address); }};
    for (const TFilerSessionPage& page : session_.Pages()) {
        auto* view = new TFilerPageView(page, hooks, mainPanel_);
        mainPanel_->addWidget(view);
        pages_.push_back(view);
        pageSelect_->addItem(FromShiftJis(page.Name));
    }
}

// ---- reading and writing

int TToolFiler::ReadFields() {
    if (!view_ || session_.Pages().empty()) return 0;
    TEditorFilerTarget target(view_->Core());
    const int outside = session_.Read(target, host_);
    for (TFilerPageView* page : pages_)
        page->Refresh(target.ViewOnly());
    ShowModified();
    return outside;
}

void TToolFiler::NoteOutside(int outside) {
    progressPanel_->setText(outside == 0 ? QString()
                                         : QStringLiteral("データの末尾を越える欄が %1 個あります")
                                               .arg(outside));
}

void TToolFiler::MM_RefreshClick() {
    NoteOutside(ReadFields());
}

bool TToolFiler::WriteFields() {
    if (!view_ || session_.Pages().empty()) return true;
    if (const TFieldModel* refused = session_.RefusedField()) {
        for (std::size_t p = 0; p < pages_.size(); ++p)
            for (TFieldEditor* editor : pages_[p]->Editors())
                if (&editor->Model() == refused) {
                    SelectPage(static_cast<int>(p));
                    editor->Control().setFocus();
                }
        host_.MessageDlgBeep(ShiftJisToUtf8(refused->Item().Caption) + " の値を反映できません.\r\n" +
                                 refused->Refusal(),
                             TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    }
    TEditorFilerTarget target(view_->Core());
    if (session_.Apply(target, host_)) NoteDropped();
    ShowModified();
    return true;
}

// An edit left unwritten by an apply lies past the end of data that has shrunk since the
// read: the user hears which, and the tool stays modified, as nothing of it was written.
void TToolFiler::NoteDropped() {
    QStringList captions;
    for (const TFilerSessionPage& page : session_.Pages())
        for (const std::unique_ptr<TFieldModel>& field : page.Fields)
            if (field && field->Changed()) captions << FromShiftJis(field->Item().Caption);
    if (captions.isEmpty()) return;
    session_.SetModified();
    host_.MessageDlgBeep((captions.join(QStringLiteral(", ")) +
                          QStringLiteral(" の値は反映されませんでした.\r\n"
                                         "データが短くなり, 欄がデータの末尾を越えています."))
                             .toStdString(),
                         TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
}

void TToolFiler::MM_OutDataClick() {
    (void)WriteFields();
}

// ---- pages, changes, jumps

void TToolFiler::SelectPage(int index) {
    session_.SelectPage(index);
    const int selected = session_.SelectedPage();
    if (selected >= 0) {
        mainPanel_->setCurrentIndex(selected);
        pageSelect_->setCurrentIndex(selected);
    }
    previousPage_->setEnabled(session_.CanSelectPrevious());
    nextPage_->setEnabled(session_.CanSelectNext());
}

void TToolFiler::Edited() {
    session_.SetModified();
    ShowModified();
}

void TToolFiler::ShowModified() {
    modifiedPanel_->setText(session_.Modified() ? QStringLiteral("変更") : QString());
}

void TToolFiler::Jump(std::int64_t address) {
    if (!view_) return;
    TEditorCore& core = view_->Core();
    core.SetCaret({static_cast<Address>(std::clamp<std::int64_t>(address, 0, core.Module().Size())), 0});
}

// ---- closing

void TToolFiler::closeEvent(QCloseEvent* event) {
    if (session_.Modified()) {
        const TModalResult answer = host_.MessageDlgBeep(
            "設定が変更されています.\r\n閉じる前に設定を反映しますか？", TMsgDlgType::mtConfirmation,
            {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
        if (answer != mrYes && answer != mrNo) return event->ignore();
        if (answer == mrYes && !WriteFields()) return event->ignore();
    }
    TToolWindow::closeEvent(event);
}

void TToolFiler::TB_HelpClick() {
    OpenHelp(163);
}

void TToolFiler::MM_CloseClick() {
    close();
}

// Escape closes the window as its close button does, question included (a dialog's own
// Escape would close it without the close event).
void TToolFiler::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    TToolWindow::keyPressEvent(event);
}

TToolFiler* OpenFilerTool(QWidget* owner, TBinaryView& view) {
    const std::optional<std::string> file = ChooseFiler(owner);
    if (!file) return nullptr;
    owner->repaint();
    auto* tool = new TToolFiler(owner, view);
    QMetaObject::invokeMethod(
        tool, [tool, name = *file] { tool->LoadFiler(name); }, Qt::QueuedConnection);
    return tool;
}

} // namespace mv
