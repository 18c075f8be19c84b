#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtWidgets/QDialog>

class QLabel;
class QPushButton;

namespace mv {

// The version dialog: a borderless window that stays on top, its 400 x 250 picture with the
// version at the lower right, the close button, and on black the links to the maker's page,
// the maker's mail and the two pages behind the logos. A picture that is missing or damaged
// leaves its panel plain; the dialog shows all the same.
class TDlgVersion : public QDialog {
    Q_OBJECT
public:
    // `pictureFolder` holds version.jpg and the two logos.
    TDlgVersion(QWidget* owner, const QString& pictureFolder);

    // The opening screen of a start: without its button, shown without a modal hold and
    // painted at once.
    void ShowAsOpening();
    [[nodiscard]] bool HasPicture() const { return hasPicture_; }

    QLabel* Picture;
    QLabel* Label_Version;
    QPushButton* btnClose;

protected:
    void reject() override { accept(); } // Escape closes it like the button

private:
    QWidget* LinkStrip(const QString& pictureFolder);

    bool hasPicture_ = false;
};

// Shows the version dialog modally over `owner` (none: for the whole program), centred on the
// screen.
void VersionDialog(QWidget* owner);

// The version picture while the program starts: shown at once when `show` is set, it stays
// until Finish, and at least a second in all.
// It stands on top of everything, so it steps aside as soon as a message or another modal
// dialog of the start shows: a question under it would leave the program looking hung.
class TOpeningScreen : public QObject {
public:
    explicit TOpeningScreen(bool show);
    ~TOpeningScreen();
    TOpeningScreen(const TOpeningScreen&) = delete;
    TOpeningScreen& operator=(const TOpeningScreen&) = delete;

    // Waits out the rest of the second, keeping the windows painted, then closes the screen.
    void Finish();
    [[nodiscard]] TDlgVersion* Screen() const { return screen_; }

    static constexpr int MinimumMilliseconds = 1000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer shown_;
    QPointer<TDlgVersion> screen_;
};

} // namespace mv
