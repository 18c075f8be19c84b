#include "core/typedvalues/key_assignment.h"

#include "core/typedvalues/command_ids.h"

#include <cstddef>
#include <span>

namespace mv {
namespace {

using namespace cmd;

// A key and the command it runs. Both are names checked by the compiler: a misspelt key or
// command stops the build instead of leaving the key unbound.
struct TBinding {
    consteval TBinding(std::string_view key, CommandId command)
        : Key(KeyNamed(key)), Command(command) {}
    KeyIndex Key;
    CommandId Command;
};

constexpr ModifierState kCtrl = 2;

// What both templates bind alike, by modifier state.
constexpr TBinding kSharedPlain[] = {
    {"{Esc}", USERMENU1},       {"{Tab}", INPUTAREA},
    {"{Insert}", INPUTMODE},    {"{Delete}", DELETE},
    {"{BackSpace}", BACKSPACE}, {"{PageUp}", PAGEUP},
    {"{PageDown}", PAGEDOWN},   {"{Up}", UP},
    {"{Down}", DOWN},           {"{Left}", LEFT},
    {"{Right}", RIGHT},         {"{Application}", POPUPMENU},
};
constexpr TBinding kSharedShift[] = {{"{Insert}", PASTE}, {"{Delete}", CUT}};
constexpr TBinding kSharedCtrl[] = {
    {"{A}", SELECTALL},
    {"{C}", COPY},
    {"{E}", SAVECLOSE},
    {"{F}", SEARCH},
    {"{N}", NEW},
    {"{O}", OPEN},
    {"{Q}", CLOSE},
    {"{R}", REPLACE},
    {"{S}", SAVE},
    {"{V}", PASTE},
    {"{X}", CUT},
    {"{Y}", REDO},
    {"{Z}", UNDO},
    {"{,}", BITROLLL},
    {"{.}", BITROLLR},
    {"{PageUp}", SEARCHPREV},
    {"{PageDown}", SEARCHNEXT},
    {"{Left}", LEFTEX},
    {"{Right}", RIGHTEX},
};
constexpr TBinding kSharedCtrlShift[] = {
    {"{E}", ALLSAVECLOSE},       {"{Q}", ALLCLOSE},  {"{S}", ALLSAVE},
    {"{,}", BYTEROLLL},          {"{.}", BYTEROLLR}, {"{PageUp}", COMPAREPREV},
    {"{PageDown}", COMPARENEXT},
};

// Windows 版標準
constexpr TBinding kWindowsPlain[] = {
    {"{F1}", HELP},        {"{F2}", LUMPSETTING}, {"{F3}", SEARCH},     {"{F4}", REPLACE},
    {"{F5}", ADDRESSJUMP}, {"{F8}", SELECT},      {"{F9}", WINDOWLIST}, {"{F10}", MENU},
    {"{F11}", OPEN},       {"{F12}", SAVE},       {"{Home}", PARATOP},  {"{End}", PARAEND},
};
constexpr TBinding kWindowsShift[] = {
    {"{F1}", INPUTMENU},      {"{F2}", BITOPEMENU},    {"{F3}", BYTEOPEMENU},
    {"{F4}", INTOPEMENU},     {"{F5}", COMPAREFILE},   {"{F6}", COMPAREWINDOW},
    {"{F7}", COMPAREPRESENT}, {"{F8}", COMPAREQUIT},   {"{F9}", WINDOWNEXT},
    {"{F10}", POPUPMENU},     {"{PageUp}", PAGEUPSEL}, {"{PageDown}", PAGEDOWNSEL},
    {"{Home}", PARATOPSEL},   {"{End}", PARAENDSEL},   {"{Up}", UPSEL},
    {"{Down}", DOWNSEL},      {"{Left}", LEFTSEL},     {"{Right}", RIGHTSEL},
};
constexpr TBinding kWindowsCtrl[] = {
    {"{F1}", FILEMENU},    {"{F2}", EDITMENU},   {"{F3}", SEARCHMENU}, {"{F4}", VIEWMENU},
    {"{F5}", COMPAREMENU}, {"{F6}", WINDOWMENU}, {"{F7}", TOOLMENU},   {"{F8}", HELPMENU},
    {"{Insert}", COPY},    {"{Home}", FILETOP},  {"{End}", FILEEND},
};
constexpr TBinding kWindowsCtrlShift[] = {
    {"{F1}", OPTION},      {"{F2}", CHARASET},      {"{F3}", CHECKSUM},     {"{F4}", EXPANDTENKEY},
    {"{F5}", FILER},       {"{F6}", RELATIVEJUMP},  {"{F9}", HISTORYFLUSH}, {"{F10}", GARBAGE},
    {"{F11}", WEBPAGECS},  {"{F12}", WEBPAGE},      {"{Home}", FILETOPSEL}, {"{End}", FILEENDSEL},
    {"{Left}", LEFTEXSEL}, {"{Right}", RIGHTEXSEL},  {"{F7}", PROBE},
};

// MS-DOS 版標準
constexpr TBinding kDosPlain[] = {
    {"{F1}", FILEMENU}, {"{F2}", SELECTFILEMENU}, {"{F3}", COMPAREMENU}, {"{F4}", INPUTMENU},
    {"{F5}", SEARCH},   {"{F6}", SELECT},         {"{F7}", CUT},         {"{F8}", COPYSEL},
    {"{F9}", PASTE},    {"{F10}", ADDRESSJUMP},   {"{Home}", FILETOP},   {"{End}", HELP},
};
constexpr TBinding kDosShift[] = {
    {"{F1}", OPTION},     {"{F2}", LUMPSETTING},    {"{F3}", REPLACE},
    {"{F4}", SEARCHPREV}, {"{F5}", SEARCHNEXT},     {"{F7}", DELETE},
    {"{F10}", GARBAGE},   {"{PageUp}", PAGEUPHIGH}, {"{PageDown}", PAGEDOWNHIGH},
    {"{Home}", FILEEND},  {"{Up}", UPHIGH},         {"{Down}", DOWNHIGH},
    {"{Left}", LEFTHIGH}, {"{Right}", RIGHTHIGH},
};
constexpr TBinding kDosCtrl[] = {
    {"{F3}", SELECTSWAP}, {"{F4}", SELECTTOP}, {"{F5}", SELECTEND},
    {"{F6}", CHARASET},   {"{F8}", CHECKSUM},  {"{F10}", EXPANDTENKEY},
};
constexpr TBinding kDosCtrlShift[] = {
    {"{F1}", SAVE},          {"{F3}", ALLSAVE},   {"{F4}", OPEN},         {"{F5}", SAVEANOTHER},
    {"{F6}", SAVEREPRODUCT}, {"{F7}", SAVECLOSE}, {"{F8}", ALLSAVECLOSE}, {"{F9}", CLOSE},
};

// The bindings of one template by modifier state: none, Shift, Ctrl, Ctrl+Shift.
constexpr int kTemplateStates = 4;
using TTemplate = std::array<std::span<const TBinding>, kTemplateStates>;
constexpr TTemplate kWindowsStandard = {kWindowsPlain, kWindowsShift, kWindowsCtrl,
                                        kWindowsCtrlShift};
constexpr TTemplate kDosStandard = {kDosPlain, kDosShift, kDosCtrl, kDosCtrlShift};
constexpr TTemplate kShared = {kSharedPlain, kSharedShift, kSharedCtrl, kSharedCtrlShift};

} // namespace

TKeyAssignment TKeyAssignment::Template(TKeyAssignType type) {
    TKeyAssignment assignment;
    if (type != TKeyAssignType::WindowsStandard && type != TKeyAssignType::DosStandard)
        return assignment;
    const TTemplate& bindings =
        type == TKeyAssignType::WindowsStandard ? kWindowsStandard : kDosStandard;
    for (const TTemplate* layer : {&kShared, &bindings})
        for (ModifierState state = 0; state < kTemplateStates; ++state)
            for (const TBinding& binding : (*layer)[static_cast<std::size_t>(state)])
                assignment.SetKey(state, binding.Key, binding.Command);
    // User menu 1 repeats the Ctrl letters, so Esc then the letter does what Ctrl+letter does.
    for (int letter = 0; letter < UserMenuLetters; ++letter)
        assignment.SetUserMenu(0, letter, assignment.Key(kCtrl, KeyNamed("{A}") + letter));
    return assignment;
}

} // namespace mv
