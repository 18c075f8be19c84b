#include "core/dialogs/search_run_check.h"

namespace mv {

namespace {

// A question left by closing its box keeps the dialog and the user's input, as retry does.
TRunCheck Ask(THostServices& host, std::string_view text, TMsgDlgButtons buttons,
              TRunCheck retry) {
    switch (host.MessageDlgBeep(text, TMsgDlgType::mtWarning, buttons)) {
    case mrYes:
        return TRunCheck::Run;
    case mrAbort:
        return TRunCheck::CloseDialog;
    default:
        return retry;
    }
}

} // namespace

TRunCheck CheckSearchRun(const TPatternInput& search, THostServices& host) {
    if (!search.Empty) return TRunCheck::Run;
    const TMsgDlgButtons buttons{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry};
    switch (search.Page) {
    case TInputDataPage::String:
        return Ask(host, EmptySearchStringRefusal, buttons, TRunCheck::FocusSearch);
    case TInputDataPage::Character:
        return Ask(host, NoCharacterRefusal, buttons, TRunCheck::FocusSearch);
    case TInputDataPage::Raw:
        return Ask(host, EmptySearchBytesRefusal, buttons, TRunCheck::FocusSearch);
    case TInputDataPage::Integer:
    case TInputDataPage::Null:
        break;
    }
    return TRunCheck::Run;
}

TRunCheck CheckReplaceRun(const TPatternInput& search, const TPatternInput& replacement,
                          THostServices& host) {
    if (const TRunCheck check = CheckSearchRun(search, host); check != TRunCheck::Run)
        return check;
    // Agreeing deletes every match; Enter goes back to the replacement instead.
    const TMsgDlgButtons deleting =
        TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry}.DefaultingTo(
            TMsgDlgBtn::mbRetry);
    switch (replacement.Page) {
    case TInputDataPage::String:
        if (!replacement.Empty) break;
        return Ask(host, EmptyReplaceStringWarning, deleting, TRunCheck::FocusReplace);
    case TInputDataPage::Character:
        if (!replacement.Empty) break;
        return Ask(host, NoCharacterRefusal, {TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry},
                   TRunCheck::FocusReplace);
    case TInputDataPage::Raw:
        if (!replacement.Empty) break;
        return Ask(host, EmptyReplaceBytesWarning, deleting, TRunCheck::FocusReplace);
    case TInputDataPage::Null:
        return Ask(host, NullReplaceWarning, deleting, TRunCheck::FocusReplace);
    case TInputDataPage::Integer:
        break;
    }
    return TRunCheck::Run;
}

} // namespace mv
