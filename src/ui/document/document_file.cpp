// The document window's files: open, load, save in its forms, reload, close, text output.
#include "core/document/document_messages.h"
#include "core/typedvalues/string_utils.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/document/document_shell.h"
#include "ui/document/document_window.h"

#include <QtCore/QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace mv {

namespace {

constexpr const char* AllFilesFilter = "全てのファイル (*)";
constexpr const char* TextFilesFilter = "テキストファイル (*.TXT)";

QString FromUtf8(const char* text) { return QString::fromUtf8(text); }

} // namespace

// ---- dialogs

std::optional<std::string> TMvPrBinaryFormWClass::AskFileName(QFileDialog::AcceptMode mode,
                                                              const char* name,
                                                              const char* title,
                                                              const char* filter,
                                                              const char* defaultSuffix) {
    QFileDialog dialog(this, FromUtf8(title));
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The window asks the overwrite question itself, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(FromUtf8(filter));
    if (defaultSuffix != nullptr) dialog.setDefaultSuffix(QString::fromLatin1(defaultSuffix));
    if (!fileName_.empty())
        dialog.setDirectory(QFileInfo(QFile::decodeName(fileName_.c_str())).absolutePath());
    shell_.FileDialogShowing(true);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    shell_.FileDialogShowing(false);
    if (!accepted) return std::nullopt;
    return LongPathName(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

// The target of a save: chosen in the dialog, confirmed when it exists, refused when it is
// read-only, a folder or a device.
std::optional<std::string> TMvPrBinaryFormWClass::AskSaveTarget(const char* name,
                                                                const char* title,
                                                                const char* filter,
                                                                const char* defaultSuffix) {
    std::optional<std::string> target =
        AskFileName(QFileDialog::AcceptSave, name, title, filter, defaultSuffix);
    if (!target) return std::nullopt;
    const TFileFacts facts = ReadFileFacts(*target);
    if (!facts.Exists) return target;
    if (host_.MessageDlgBeep(OverwriteQuestion(*target), TMsgDlgType::mtConfirmation,
                             {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}) != mrOk)
        return std::nullopt;
    if (SaveTargetRefused(facts)) {
        host_.MessageDlgBeep(SaveTargetRefusal(*target), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return std::nullopt;
    }
    return target;
}

// ---- opening

bool TMvPrBinaryFormWClass::LoadFile(const std::string& given) {
    const std::string name = LongPathName(given);
    const TFileFacts facts = ReadFileFacts(name);
    if (const auto refusal = OpenRefusal(name, facts)) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    }
    const std::optional<std::string> notice =
        ViewModeNotice(name, ExtensionIsViewOnly(name, readOnlyExtensions_), facts);
    if (notice) host_.MessageDlgBeep(*notice, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    {
        TWorkingScope working(*this);
        // A failed load has said why and left the store empty; the window stays unnamed.
        if (!Core().LoadFile(name)) return false;
    }
    SetFileName(name);
    fileTime_ = facts.ModifiedTime;
    if (notice) Core().SetInputMode(TInputMode::ViewOnly);
    shell_.FileNowHeldBy(name, Module());
    return true;
}

void TMvPrBinaryFormWClass::OpenFileInWindow(const std::string& given) {
    const std::string name = LongPathName(given);
    if (TMvPrBinaryFormWClass* holder = shell_.FindDocumentWindow(name)) {
        shell_.BringToFront(holder);
        return;
    }
    if (IsModified() || !fileName_.empty() || name == compareFileName_) {
        if (TMvPrBinaryFormWClass* window = shell_.OpenDocumentWindow(name))
            shell_.BringToFront(window);
        return;
    }
    if (!LoadFile(name)) return;
    shell_.BringToFront(this);
    if (shell_.Environment().ProfilePositionLoad)
        if (const auto profile = shell_.FetchProfile(name)) RestoreViewPosition(*profile);
}

void TMvPrBinaryFormWClass::OpenHistoryEntry(const std::string& name) {
    if (TMvPrBinaryFormWClass* holder = shell_.FindDocumentWindow(name)) {
        shell_.BringToFront(holder);
        return;
    }
    if (shell_.KeepHistoryEntry(name)) OpenFileInWindow(name);
}

void TMvPrBinaryFormWClass::MM_NewFileClick() {
    shell_.NewDocumentWindow();
}

void TMvPrBinaryFormWClass::MM_OpenFileClick() {
    if (const auto name = AskFileName(QFileDialog::AcceptOpen, "OpenDialog", "開く", AllFilesFilter))
        OpenFileInWindow(*name);
}

// ---- saving

bool TMvPrBinaryFormWClass::SaveTo(const std::string& name) {
    TWorkingScope working(*this);
    return Core().SaveFile(name);
}

// The window's own file, chosen first when it has none. A failed save changes nothing: the
// window keeps its name (or stays unnamed) and stays modified.
bool TMvPrBinaryFormWClass::SaveWithDialogIfUnnamed() {
    if (!fileName_.empty()) {
        if (!SaveTo(fileName_)) return false;
        fileTime_ = ReadFileFacts(fileName_).ModifiedTime;
        return true;
    }
    const auto target = AskSaveTarget("SaveDialog", "保存", AllFilesFilter);
    if (!target || !SaveTo(*target)) return false;
    SetFileName(*target);
    fileTime_ = ReadFileFacts(*target).ModifiedTime;
    shell_.FileNowHeldBy(*target, Module());
    return true;
}

bool TMvPrBinaryFormWClass::Save() {
    if (InViewMode()) return !IsModified();
    return !IsModified() || SaveWithDialogIfUnnamed();
}

void TMvPrBinaryFormWClass::MM_SaveFileClick() { Save(); }

void TMvPrBinaryFormWClass::MM_SaveAnotherNameClick() { SaveExpand(false); }
void TMvPrBinaryFormWClass::MM_SaveReproductionClick() { SaveExpand(true); }

// Save as renames the window; a copy leaves its name and its modified state alone.
void TMvPrBinaryFormWClass::SaveExpand(bool copy) {
    const auto target = AskSaveTarget("SaveDialog", copy ? "複製を保存" : "別名で保存", AllFilesFilter);
    if (!target) return;
    if (copy) {
        TMemoryModule& module = Core().Module();
        module.Locked = true;
        SaveTo(*target);
        module.Locked = false;
        return;
    }
    if (!SaveTo(*target)) return;
    SetFileName(*target);
    fileTime_ = ReadFileFacts(*target).ModifiedTime;
    shell_.FileNowHeldBy(*target, Module());
}

void TMvPrBinaryFormWClass::MM_SaveAllFileClick() { shell_.SaveAll(); }

void TMvPrBinaryFormWClass::MM_ReloadClick() {
    if (fileName_.empty()) return;
    if (host_.MessageDlgBeep(ReloadQuestion(fileName_), TMsgDlgType::mtConfirmation,
                             {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}) != mrOk)
        return;
    // A file that vanished or changed into something unreadable keeps what the window shows.
    const TFileFacts facts = ReadFileFacts(fileName_);
    if (const auto refusal = OpenRefusal(fileName_, facts)) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    const TViewPosition position = Core().ViewPosition();
    {
        TWorkingScope working(*this);
        if (!Core().ReloadFile(fileName_)) return;
    }
    fileTime_ = facts.ModifiedTime;
    Core().SetViewPosition(position);
}

// ---- closing

bool TMvPrBinaryFormWClass::ConfirmClose() {
    if (IsModified()) {
        switch (host_.MessageDlgBeep(CloseQuestion(DisplayName()), TMsgDlgType::mtConfirmation,
                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})) {
        case mrYes:
            if (!SaveWithDialogIfUnnamed()) return false;
            break;
        case mrNo:
            break;
        default:
            return false;
        }
    }
    EndComparison();
    shell_.EndComparisonsWith(Module());
    return true;
}

void TMvPrBinaryFormWClass::MM_CloseClick() { close(); }
void TMvPrBinaryFormWClass::MM_AllCloseClick() { shell_.CloseAll(); }
void TMvPrBinaryFormWClass::MM_SaveAllCloseClick() { shell_.SaveAllClose(); }

void TMvPrBinaryFormWClass::MM_SaveCloseClick() {
    Save();
    close();
}

// ---- text output

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

// The selection, or the whole data, as text lines; a write that fails stops the output and
// says why.
void TMvPrBinaryFormWClass::MM_TextOutPutClick() {
    if (Module().Size() == 0) return;
    const auto target =
        AskSaveTarget("TextSaveDialog", "テキスト形式で出力", TextFilesFilter, "TXT");
    if (!target) return;
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(target->c_str(), "wb"));
    int error = file ? 0 : errno;
    if (file) {
        const TSelection selection = Core().Selection();
        const Address start = selection.Empty() ? 0 : selection.Start;
        const ByteCount count = selection.Empty() ? Module().Size() : selection.End - selection.Start;
        Core().TextOut(start, count, [&](std::string_view line, bool& proceed) {
            if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size() ||
                std::fputc('\n', file.get()) == EOF) {
                error = errno != 0 ? errno : EIO;
                proceed = false;
            }
        });
        if (std::fclose(file.release()) != 0 && error == 0) error = errno;
        if (error == 0) Core().ScanStoppedByFault(nullptr); // an output cut short says why
    }
    if (error != 0)
        host_.MessageDlgBeep(TextOutputFailure(std::strerror(error)), TMsgDlgType::mtError,
                             {TMsgDlgBtn::mbOK});
}

} // namespace mv
