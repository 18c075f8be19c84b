#include "ui/dialogs/help_viewer.h"

#include "platform/data_folders.h"
#include "platform/help_context.h"
#include "platform/qt_host_services.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QPointer>
#include <QtGui/QDesktopServices>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

constexpr const char* ContentsPage = "index.html";

QString AnchorOf(int context) { return QStringLiteral("hc%1").arg(context); }

// Answers F1 for the windows that carry a help context; every other key goes on.
class THelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        const int context = HelpContextOf(static_cast<QWidget*>(watched));
        if (context == 0) return false;
        OpenHelp(context);
        return true;
    }
};

} // namespace

THelpViewer::THelpViewer(QString folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)), browser_(new QTextBrowser(this)),
      btnContents(new QPushButton(QStringLiteral("目次(&C)"), this)),
      btnBack(new QPushButton(QStringLiteral("戻る(&B)"), this)),
      btnForward(new QPushButton(QStringLiteral("進む(&F)"), this)),
      btnBrowser(new QPushButton(QStringLiteral("ブラウザで開く(&O)"), this)),
      btnClose(new QPushButton(QStringLiteral("閉じる"), this)) {
    setObjectName(QStringLiteral("THelpViewer"));
    setWindowTitle(QStringLiteral("Morvane Prime ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 600);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder_});
    // The viewer does not follow a page's link to its style sheet; it gives every page the
    // manual's own.
    QFile style(QDir(folder_).filePath(QStringLiteral("style.css")));
    if (style.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnContents);
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addStretch();
    buttons->addWidget(btnBrowser);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(btnContents, &QPushButton::clicked, this, [this] { ShowTopic(0); });
    connect(btnBack, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THelpViewer::SourceChanged);
    connect(btnBrowser, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(browser_->source()); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
}

void THelpViewer::ShowTopic(int context) {
    browser_->setSource(HelpTopicUrl(folder_, context));
}

void THelpViewer::SourceChanged() {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Morvane Prime ヘルプ")
                                   : QStringLiteral("Morvane Prime ヘルプ - ") + title);
}

QUrl HelpTopicUrl(const QString& folder, int context) {
    const QDir dir(folder);
    if (context > 0) {
        const QByteArray anchor = "id=\"" + AnchorOf(context).toLatin1() + '"';
        for (const QString& page : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(page));
            if (!file.open(QIODevice::ReadOnly) || !file.readAll().contains(anchor)) continue;
            QUrl url = QUrl::fromLocalFile(dir.filePath(page));
            url.setFragment(AnchorOf(context));
            return url;
        }
    }
    return QUrl::fromLocalFile(dir.filePath(QLatin1String(ContentsPage)));
}

void OpenHelp(int context) {
    static QPointer<THelpViewer> viewer;
    const QString folder = ShippedFolder(TShippedData::Help);
    if (folder.isEmpty() || !QFile::exists(QDir(folder).filePath(QLatin1String(ContentsPage)))) {
        TQtHostServices(QApplication::activeWindow())
            .MessageDlgBeep("ヘルプファイルが見付かりません.\r\nインストール先の share/morvane-prime/help を確認してください.",
                            TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    // Under a modal dialog only the dialog's own windows take input: the viewer becomes one.
    QWidget* modal = QApplication::activeModalWidget();
    if (viewer && viewer->parentWidget() != modal) viewer->setParent(modal, Qt::Window);
    if (!viewer) viewer = new THelpViewer(folder, modal);
    viewer->ShowTopic(context);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void InstallHelpKey() {
    static QPointer<THelpKey> key;
    if (key) return;
    key = new THelpKey(qApp);
    qApp->installEventFilter(key);
}

} // namespace mv
