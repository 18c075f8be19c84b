#include "core/typedvalues/key_assignment.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace mv {
namespace {

struct TBinding {
    std::string_view Key;
    std::string_view Command;
};

constexpr ModifierState kCtrl = 2;

// Windows 版標準
// Both templates bind the Ctrl letters, and their Ctrl+Shift forms, alike.
constexpr TBinding kSharedCtrl[] = {
    {"{A}", "SELECTALL"}, {"{C}", "COPY"},     {"{E}", "SAVECLOSE"}, {"{F}", "SEARCH"},
    {"{N}", "NEW"},       {"{O}", "OPEN"},     {"{Q}", "CLOSE"},     {"{R}", "REPLACE"},
    {"{S}", "SAVE"},      {"{V}", "PASTE"},    {"{X}", "CUT"},       {"{Y}", "REDO"},
    {"{Z}", "UNDO"},      {"{,}", "BITROLLL"}, {"{.}", "BITROLLR"},
};
constexpr TBinding kSharedCtrlShift[] = {
    {"{E}", "ALLSAVECLOSE"}, {"{Q}", "ALLCLOSE"},  {"{S}", "ALLSAVE"},
    {"{,}", "BYTEROLLL"},    {"{.}", "BYTEROLLR"},
};
constexpr TBinding kWindowsPlain[] = {
    {"{F1}", "HELP"},
    {"{F2}", "LUMPSETTING"},
    {"{F3}", "SEARCH"},
    {"{F4}", "REPLACE"},
    {"{F5}", "ADDRESSJUMP"},
    {"{F8}", "SELECT"},
    {"{F9}", "WINDOWLIST"},
    {"{F10}", "MENU"},
    {"{F11}", "OPEN"},
    {"{F12}", "SAVE"},
    {"{Esc}", "USERMENU1"},
    {"{Tab}", "INPUTAREA"},
    {"{Insert}", "INPUTMODE"},
    {"{Delete}", "DELETE"},
    {"{BackSpace}", "BACKSPACE"},
    {"{PageUp}", "PAGEUP"},
    {"{PageDown}", "PAGEDOWN"},
    {"{Home}", "PARATOP"},
    {"{End}", "PARAEND"},
    {"{Up}", "UP"},
    {"{Down}", "DOWN"},
    {"{Left}", "LEFT"},
    {"{Right}", "RIGHT"},
    {"{Application}", "POPUPMENU"},
};
constexpr TBinding kWindowsShift[] = {
    {"{F1}", "INPUTMENU"},      {"{F2}", "BITOPEMENU"},
    {"{F3}", "BYTEOPEMENU"},    {"{F4}", "INTOPEMENU"},
    {"{F5}", "COMPAREFILE"},    {"{F6}", "COMPAREWINDOW"},
    {"{F7}", "COMPAREPRESENT"}, {"{F8}", "COMPAREQUIT"},
    {"{F9}", "WINDOWNEXT"},     {"{F10}", "POPUPMENU"},
    {"{Insert}", "PASTE"},      {"{Delete}", "CUT"},
    {"{PageUp}", "PAGEUPSEL"},  {"{PageDown}", "PAGEDOWNSEL"},
    {"{Home}", "PARATOPSEL"},   {"{End}", "PARAENDSEL"},
    {"{Up}", "UPSEL"},          {"{Down}", "DOWNSEL"},
    {"{Left}", "LEFTSEL"},      {"{Right}", "RIGHTSEL"},
};
constexpr TBinding kWindowsCtrl[] = {
    {"{F1}", "FILEMENU"},       {"{F2}", "EDITMENU"},         {"{F3}", "SEARCHMENU"},
    {"{F4}", "VIEWMENU"},       {"{F5}", "COMPAREMENU"},      {"{F6}", "WINDOWMENU"},
    {"{F7}", "TOOLMENU"},       {"{F8}", "HELPMENU"},         {"{Insert}", "COPY"},
    {"{PageUp}", "SEARCHPREV"}, {"{PageDown}", "SEARCHNEXT"}, {"{Home}", "FILETOP"},
    {"{End}", "FILEEND"},       {"{Left}", "LEFTEX"},         {"{Right}", "RIGHTEX"},
};
constexpr TBinding kWindowsCtrlShift[] = {
    {"{F1}", "OPTION"},        {"{F2}", "CHARASET"},        {"{F3}", "CHECKSUM"},
    {"{F4}", "EXPANDTENKEY"},  {"{F5}", "FILER"},           {"{F6}", "RELATIVEJUMP"},
    {"{F9}", "HISTORYFLUSH"},  {"{F10}", "GARBAGE"},        {"{F11}", "WEBPAGECS"},
    {"{F12}", "WEBPAGE"},      {"{PageUp}", "COMPAREPREV"}, {"{PageDown}", "COMPARENEXT"},
    {"{Home}", "FILETOPSEL"},  {"{End}", "FILEENDSEL"},     {"{Left}", "LEFTEXSEL"},
    {"{Right}", "RIGHTEXSEL"},
};

// MS-DOS 版標準
constexpr TBinding kDosPlain[] = {
    {"{F1}", "FILEMENU"},
    {"{F2}", "SELECTFILEMENU"},
    {"{F3}", "COMPAREMENU"},
    {"{F4}", "INPUTMENU"},
    {"{F5}", "SEARCH"},
    {"{F6}", "SELECT"},
    {"{F7}", "CUT"},
    {"{F8}", "COPYSEL"},
    {"{F9}", "PASTE"},
    {"{F10}", "ADDRESSJUMP"},
    {"{Esc}", "USERMENU1"},
    {"{Tab}", "INPUTAREA"},
    {"{Insert}", "INPUTMODE"},
    {"{Delete}", "DELETE"},
    {"{BackSpace}", "BACKSPACE"},
    {"{PageUp}", "PAGEUP"},
    {"{PageDown}", "PAGEDOWN"},
    {"{Home}", "FILETOP"},
    {"{End}", "HELP"},
    {"{Up}", "UP"},
    {"{Down}", "DOWN"},
    {"{Left}", "LEFT"},
    {"{Right}", "RIGHT"},
    {"{Application}", "POPUPMENU"},
};
constexpr TBinding kDosShift[] = {
    {"{F1}", "OPTION"},         {"{F2}", "LUMPSETTING"},        {"{F3}", "REPLACE"},
    {"{F4}", "SEARCHPREV"},     {"{F5}", "SEARCHNEXT"},         {"{F7}", "DELETE"},
    {"{F10}", "GARBAGE"},       {"{Insert}", "PASTE"},          {"{Delete}", "CUT"},
    {"{PageUp}", "PAGEUPHIGH"}, {"{PageDown}", "PAGEDOWNHIGH"}, {"{Home}", "FILEEND"},
    {"{Up}", "UPHIGH"},         {"{Down}", "DOWNHIGH"},         {"{Left}", "LEFTHIGH"},
    {"{Right}", "RIGHTHIGH"},
};
constexpr TBinding kDosCtrl[] = {
    {"{F3}", "SELECTSWAP"},     {"{F4}", "SELECTTOP"},        {"{F5}", "SELECTEND"},
    {"{F6}", "CHARASET"},       {"{F8}", "CHECKSUM"},         {"{F10}", "EXPANDTENKEY"},
    {"{PageUp}", "SEARCHPREV"}, {"{PageDown}", "SEARCHNEXT"}, {"{Left}", "LEFTEX"},
    {"{Right}", "RIGHTEX"},
};
constexpr TBinding kDosCtrlShift[] = {
    {"{F1}", "SAVE"},
    {"{F3}", "ALLSAVE"},
    {"{F4}", "OPEN"},
    {"{F5}", "SAVEANOTHER"},
    {"{F6}", "SAVEREPRODUCT"},
    {"{F7}", "SAVECLOSE"},
    {"{F8}", "ALLSAVECLOSE"},
    {"{F9}", "CLOSE"},
    {"{PageUp}", "COMPAREPREV"},
    {"{PageDown}", "COMPARENEXT"},
};

// The bindings of one template by modifier state: none, Shift, Ctrl, Ctrl+Shift.
using TTemplate = std::array<std::span<const TBinding>, StoredStateCount>;
constexpr TTemplate kWindowsStandard = {kWindowsPlain, kWindowsShift, kWindowsCtrl,
                                        kWindowsCtrlShift};
constexpr TTemplate kDosStandard = {kDosPlain, kDosShift, kDosCtrl, kDosCtrlShift};
constexpr TTemplate kShared = {std::span<const TBinding>{}, {}, kSharedCtrl, kSharedCtrlShift};

// The index of a key name; KeyCount, which SetKey ignores, when there is none.
KeyIndex KeyOf(std::string_view name) {
    const auto& names = KeyNames();
    return static_cast<KeyIndex>(std::find(names.begin(), names.end(), name) - names.begin());
}

} // namespace

TKeyAssignment TKeyAssignment::Template(TKeyAssignType type) {
    TKeyAssignment assignment;
    if (type != TKeyAssignType::WindowsStandard && type != TKeyAssignType::DosStandard)
        return assignment;
    const TTemplate& bindings =
        type == TKeyAssignType::WindowsStandard ? kWindowsStandard : kDosStandard;
    for (const TTemplate* layer : {&kShared, &bindings})
        for (ModifierState state = 0; state < StoredStateCount; ++state)
            for (const TBinding& binding : (*layer)[static_cast<std::size_t>(state)])
                assignment.SetKey(state, KeyOf(binding.Key), CommandIdOf(binding.Command));
    // User menu 1 repeats the Ctrl letters, so Esc then the letter does what Ctrl+letter does.
    for (int letter = 0; letter < UserMenuLetters; ++letter)
        assignment.SetUserMenu(0, letter, assignment.Key(kCtrl, KeyOf("{A}") + letter));
    return assignment;
}

} // namespace mv
