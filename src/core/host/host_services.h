#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

namespace mv {

// Kinds of message dialog; each is preceded by the sound of its kind.
enum class TMsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

enum class TMsgDlgBtn {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};

// A set of dialog buttons, written as {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAbort}, and the one
// that Enter presses.
class TMsgDlgButtons {
public:
    TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn b : buttons) bits_ |= 1u << static_cast<unsigned>(b);
    }
    [[nodiscard]] bool Contains(TMsgDlgBtn b) const { return bits_ & (1u << static_cast<unsigned>(b)); }

    // A question whose yes destroys something names a harmless default, so that a stray
    // Enter loses nothing. A button outside the set is ignored.
    [[nodiscard]] TMsgDlgButtons DefaultingTo(TMsgDlgBtn b) const {
        TMsgDlgButtons buttons = *this;
        if (Contains(b)) buttons.default_ = b;
        return buttons;
    }
    // The button named by DefaultingTo; otherwise OK, else Yes, else Retry.
    [[nodiscard]] TMsgDlgBtn Default() const {
        if (default_) return *default_;
        if (Contains(TMsgDlgBtn::mbOK)) return TMsgDlgBtn::mbOK;
        if (Contains(TMsgDlgBtn::mbYes)) return TMsgDlgBtn::mbYes;
        return TMsgDlgBtn::mbRetry;
    }

private:
    unsigned bits_ = 0;
    std::optional<TMsgDlgBtn> default_;
};

// The button a message dialog was closed with; mrNone when it closed otherwise.
enum TModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7
};

// What the core asks of the program around it. The core never shows a dialog or makes a
// sound itself; the platform layer implements this, tests script it.
class THostServices {
public:
    virtual ~THostServices() = default;

    // Sounds the beep of the dialog's kind, shows the modal dialog, answers the button.
    // Texts are UTF-8.
    virtual TModalResult MessageDlgBeep(std::string_view text, TMsgDlgType type,
                                        TMsgDlgButtons buttons) = 0;
    // The default system beep.
    virtual void Beep() = 0;
    // A plain modal box with a caption, the text and an OK button; it makes no sound itself.
    virtual void MessageBox(std::string_view caption, std::string_view text) = 0;
};

} // namespace mv
