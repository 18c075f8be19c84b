#include "ui/filer/dlg_filer_open.h"

#include "platform/help_context.h"
#include "ui/filer/filer_folders.h"
#include "ui/filer/filer_font.h"

#include <QtCore/QFile>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <array>

namespace mv {

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FileText(const std::string& path) { return QFile::decodeName(path.c_str()); }

QIcon EntryIcon(const QStyle& style, TFilerEntryKind kind) {
    switch (kind) {
    case TFilerEntryKind::Parent:
        return style.standardIcon(QStyle::SP_FileDialogToParent);
    case TFilerEntryKind::Folder:
        return style.standardIcon(QStyle::SP_DirIcon);
    case TFilerEntryKind::Filer:
        break;
    }
    return style.standardIcon(QStyle::SP_FileIcon);
}

// The columns' widths at the least; a column widens to show its longest text.
constexpr std::array<int, 3> ColumnWidths{120, 240, 120};

// A row of buttons or fields 24 pixels high without margins of its own.
QHBoxLayout* PanelLayout(QWidget* panel) {
    panel->setFixedHeight(24);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    return layout;
}

} // namespace

TDlgFilerOpen::TDlgFilerOpen(QWidget* owner) : QDialog(owner), host_(this) {
    setObjectName(QStringLiteral("TDlgFilerOpen"));
    setWindowTitle(QStringLiteral("Morvane Prime ファイラーを開く"));
    UseFilerFont(*this);
    SetHelpContext(*this, 164);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel_Top"));
    QHBoxLayout* topLayout = PanelLayout(top);
    auto* label = new QLabel(QStringLiteral("フォルダ"), top);
    folder_ = new QLineEdit(top);
    folder_->setObjectName(QStringLiteral("Folder"));
    folder_->setReadOnly(true);
    auto* btnFolder = new QPushButton(QStringLiteral("選択(&F)"), top);
    btnFolder->setObjectName(QStringLiteral("btnFolder"));
    btnFolder->setAutoDefault(false);
    label->setBuddy(btnFolder);
    topLayout->addWidget(label);
    topLayout->addWidget(folder_, 1);
    topLayout->addWidget(btnFolder);

    files_ = new QTreeWidget(this);
    files_->setObjectName(QStringLiteral("Files"));
    files_->setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("タイトル"),
                             QStringLiteral("作者")});
    for (std::size_t column = 0; column < ColumnWidths.size(); ++column)
        files_->setColumnWidth(static_cast<int>(column), ColumnWidths[column]);
    files_->setRootIsDecorated(false);
    files_->setUniformRowHeights(true);
    files_->setAllColumnsShowFocus(true);
    files_->setSelectionMode(QAbstractItemView::SingleSelection);
    files_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    files_->setIconSize({16, 16});
    files_->installEventFilter(this);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel_Bottom"));
    QHBoxLayout* bottomLayout = PanelLayout(bottom);
    btnOpen_ = new QPushButton(QStringLiteral("開く(&O)"), bottom);
    btnOpen_->setObjectName(QStringLiteral("btnOpen"));
    btnOpen_->setDefault(true);
    auto* btnCancel = new QPushButton(QStringLiteral("キャンセル"), bottom);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    bottomLayout->addStretch(1);
    bottomLayout->addWidget(btnOpen_);
    bottomLayout->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(0);
    layout->addWidget(top);
    auto* center = new QVBoxLayout;
    center->setContentsMargins(4, 4, 4, 4);
    center->addWidget(files_);
    layout->addLayout(center, 1);
    layout->addWidget(bottom);
    resize(512, 280);
    files_->setFocus();

    connect(btnFolder, &QPushButton::clicked, this, &TDlgFilerOpen::btnFolderClick);
    connect(btnOpen_, &QPushButton::clicked, this, &TDlgFilerOpen::btnOpenClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(files_, &QTreeWidget::itemDoubleClicked, this, &TDlgFilerOpen::btnOpenClick);
    connect(files_, &QTreeWidget::itemSelectionChanged, this, &TDlgFilerOpen::FilesChange);
    btnOpen_->setEnabled(false);
}

void TDlgFilerOpen::SetFolder(std::vector<std::string> folders) {
    Moved(browser_.Enter(std::move(folders)));
}

void TDlgFilerOpen::Moved(const std::string& warning) {
    if (!warning.empty()) {
        host_.MessageDlgBeep(warning, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbCancel});
        return;
    }
    ShowEntries();
}

void TDlgFilerOpen::ShowEntries() {
    folder_->setText(FileText(browser_.Folder()));
    QStringList folders;
    for (const std::string& folder : browser_.Folders())
        folders << FileText(folder);
    folder_->setToolTip(folders.join(QLatin1Char('\n')));

    files_->clear();
    const std::vector<TFilerEntry>& entries = browser_.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TFilerEntry& entry = entries[i];
        auto* item = new QTreeWidgetItem(files_);
        item->setText(0, entry.Kind == TFilerEntryKind::Parent ? Utf8(entry.Name)
                                                                : FileText(entry.Name));
        item->setIcon(0, EntryIcon(*style(), entry.Kind));
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        if (entry.Kind != TFilerEntryKind::Filer) continue;
        item->setText(1, Utf8(entry.Title));
        item->setText(2, Utf8(entry.Author));
        item->setToolTip(0, FileText(entry.Path));
    }
    FitColumns();
    btnOpen_->setEnabled(false);
}

// Before the dialog shows, it widens to show every column whole.
void TDlgFilerOpen::FitColumns() {
    const QAbstractItemView& view = *files_; // where the column hint is public
    int total = 2 * files_->frameWidth() + files_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < files_->columnCount(); ++column) {
        const int columnWidth = std::max(ColumnWidths[static_cast<std::size_t>(column)],
                                         view.sizeHintForColumn(column));
        files_->setColumnWidth(column, columnWidth);
        total += columnWidth;
    }
    if (isVisible()) return;
    layout()->activate();
    resize(std::max(width(), total + width() - files_->width()), height());
}

void TDlgFilerOpen::FilesChange() {
    btnOpen_->setEnabled(!files_->selectedItems().isEmpty());
}

void TDlgFilerOpen::btnOpenClick() {
    const QList<QTreeWidgetItem*> selected = files_->selectedItems();
    if (selected.isEmpty()) return;
    const TFilerEntry& entry =
        browser_.Entries().at(selected.front()->data(0, Qt::UserRole).toULongLong());
    switch (entry.Kind) {
    case TFilerEntryKind::Parent:
        Moved(browser_.EnterParent());
        break;
    case TFilerEntryKind::Folder:
        Moved(browser_.EnterFolder(entry.Name));
        break;
    case TFilerEntryKind::Filer:
        fileName_ = entry.Path;
        accept();
        break;
    }
}

void TDlgFilerOpen::btnFolderClick() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("フォルダの選択"), FileText(browser_.Folder()));
    if (!chosen.isEmpty()) SetFolder({QFile::encodeName(chosen).toStdString()});
}

// Backspace in the list goes to the parent folder; it never reaches the list itself.
bool TDlgFilerOpen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == files_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        if (!browser_.Entries().empty() && !browser_.AtRoot()) Moved(browser_.EnterParent());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::string> ChooseFiler(QWidget* owner) {
    TDlgFilerOpen dialog(owner);
    dialog.SetFolder(FilerFolders());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.FileName();
}

} // namespace mv
