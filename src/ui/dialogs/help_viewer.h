#pragma once

#include <QtCore/QUrl>
#include <QtWidgets/QWidget>

class QPushButton;
class QTextBrowser;

namespace mv {

// The program's own viewer of its manual (HTML pages in one folder): it needs no browser, and
// a button hands the page to the user's browser. Links to other sites open in the browser.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QString folder, QWidget* parent = nullptr);

    // The topic of the help context; the contents for 0 or a context the manual lacks.
    void ShowTopic(int context);
    [[nodiscard]] QTextBrowser* Browser() const { return browser_; }

private:
    void SourceChanged();

    QString folder_;
    QTextBrowser* browser_;
    QPushButton* btnContents;
    QPushButton* btnBack;
    QPushButton* btnForward;
    QPushButton* btnBrowser;
    QPushButton* btnClose;
};

// The page of the manual in `folder` that holds the anchor of the help context, with that
// anchor; the contents page for 0 or a context no page holds.
[[nodiscard]] QUrl HelpTopicUrl(const QString& folder, int context);

// Opens the installed manual at the topic in the program's one viewer, brought to the front.
// Without a manual the user is told where it was looked for.
void OpenHelp(int context = 0);

// From now on F1 in a window that carries a help context opens its topic.
void InstallHelpKey();

} // namespace mv
