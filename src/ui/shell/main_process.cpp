#include "ui/shell/main_process.h"

#include "core/config/configuration_store.h"
#include "core/config/profile_file.h"
#include "core/document/document_messages.h"
#include "core/document/file_facts.h"
#include "core/shell/profile_placement.h"
#include "core/shell/window_placement.h"
#include "core/typedvalues/string_utils.h"
#include "platform/data_folders.h"
#include "platform/deferred_work.h"
#include "platform/heap_trim.h"
#include "platform/qsettings_registry.h"
#include "platform/virtual_key_map.h"
#include "platform/window_frame.h"
#include "platform/work_area.h"
#include "ui/dialogs/dlg_environment.h"
#include "ui/dialogs/dlg_short_cut.h"
#include "ui/dialogs/dlg_version.h"
#include "ui/dialogs/help_viewer.h"
#include "ui/document/document_window.h"
#include "ui/shell/dlg_select_window.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

#include <algorithm>
#include <functional>
#include <optional>

namespace mv {

namespace {

constexpr int QuitPollInterval = 200;

// A file that cannot be read as what it should be is kept beside under this suffix, so that
// starting with defaults loses nothing of it.
constexpr const char* KeptSuffix = ".broken";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Moves a damaged file aside and answers the notice that says so.
std::string KeepAside(const QString& path, const char* what) {
    const QString kept = path + QLatin1String(KeptSuffix);
    QFile::remove(kept);
    QFile::rename(path, kept);
    return std::string(what) + " " + path.toStdString() +
           " を読み込めませんでした.\r\n既定の設定で起動します.\r\n元のファイルは " +
           kept.toStdString() + " として残してあります.";
}

// A settings file that holds no settings of this program, or that the reader refuses.
bool SettingsFileDamaged(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.size() == 0) return false;
    QSettings probe(path, QSettings::IniFormat);
    return probe.status() != QSettings::NoError || !probe.childGroups().contains(QStringLiteral("Config"));
}

// A profile file that is there but yields no profiles, other than the file of an empty list.
bool ProfileFileDamaged(const std::string& folder) {
    QFile file(Text(folder + '/' + std::string(ProfileFileName)));
    if (!file.exists() || file.size() == 0) return false;
    if (!LoadProfileFile(folder).empty() || !file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    const std::vector<std::uint8_t> empty = SerializeProfileFile({});
    return !std::equal(bytes.begin(), bytes.end(), empty.begin(), empty.end());
}

// Puts a window that is not shown yet where `place` puts its frame's corner, given what the
// frame adds to the client area. A window on screen shows the frame every document window gets,
// which spares the newcomer the round trip to the window manager; before the first one, the
// manager is asked, so that the first window stands where the later ones do.
void PlaceFrame(TMvPrBinaryFormWClass& window, const std::vector<TMvPrBinaryFormWClass*>& windows,
                const std::function<TScreenPoint(QSize)>& place) {
    const auto shown = std::ranges::find_if(windows, &QWidget::isVisible);
    const TWindowFrame frame = shown != windows.end()
                                   ? TWindowFrame(window, TWindowFrame(**shown).Margins())
                                   : TWindowFrame(window);
    const TScreenPoint at = place(frame.Size() - window.size());
    frame.MoveTo({at.X, at.Y});
}

} // namespace

TMvPrMainProcessWClass::TPaths TMvPrMainProcessWClass::UserPaths() {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                             QStringLiteral("Corlith Applications"), QStringLiteral("Morvane"));
    const QString data = UserDataFolder();
    return {settings.fileName(), QFile::encodeName(data).toStdString()};
}

TMvPrMainProcessWClass::TMvPrMainProcessWClass(TPaths paths)
    : paths_(std::move(paths)), tray_(*this) {
    setObjectName(QStringLiteral("TMvPrMainProcessWClass"));
    OnEnd = [] { QCoreApplication::quit(); };
    quitTimer_.setInterval(QuitPollInterval);
    quitTimer_.callOnTimeout(this, &TMvPrMainProcessWClass::QuitTick);
    // Once per batch of closed windows, after they are really freed.
    heapTrim_.setSingleShot(true);
    heapTrim_.setInterval(0);
    heapTrim_.callOnTimeout(this, &ReturnFreedHeap);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TMvPrMainProcessWClass::RefreshFunctionKeysOnIdle);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            for (TMvPrBinaryFormWClass* window : documents_)
                if (window->DialogAutoHidden()) window->HideToolWindows();
    });
}

// Windows still open (only in tests: the program ends after its last window) go without
// their questions; none may compare with a store that goes first.
TMvPrMainProcessWClass::~TMvPrMainProcessWClass() {
    delete options_;
    const std::vector<TMvPrBinaryFormWClass*> windows = documents_;
    for (TMvPrBinaryFormWClass* window : windows) EndComparisonsWith(window->Module());
    documents_.clear();
    for (TMvPrBinaryFormWClass* window : windows) delete window;
}

// ---- start and end

void TMvPrMainProcessWClass::Start(const std::vector<std::string>& fileNames) {
    LoadSettings();
    // The opening screen and the loads below keep the event loop running, and a later start
    // ends on any answer: a request turned down now would lose its file.
    accepting_ = true;
    TOpeningScreen opening(environment_.OpeningDlg);
    tray_.Add();
    for (const std::string& given : fileNames)
        BringToFront(FindOrOpenDocumentWindow(LongPathName(given)));
    // Files that could not be opened have said why; the program stays with an empty window.
    if (documents_.empty()) NewDocumentWindow();
    opening.Finish();
}

void TMvPrMainProcessWClass::LoadSettings() {
    std::vector<std::string> notices;
    const bool settingsDamaged = SettingsFileDamaged(paths_.ConfigFile);
    if (settingsDamaged) notices.push_back(KeepAside(paths_.ConfigFile, "設定ファイル"));
    if (ProfileFileDamaged(paths_.ProfileFolder))
        notices.push_back(KeepAside(Text(paths_.ProfileFolder + '/' + std::string(ProfileFileName)),
                                    "プロファイル"));
    TQSettingsRegistry registry(paths_.ConfigFile);
    // A first start offers the desktop entries before any window shows; a user whose settings
    // were damaged has been here before.
    std::function<void()> firstStart;
    if (!settingsDamaged) firstStart = [] { ShortCutMaintenanceDialog(nullptr); };
    LoadConfiguration(registry, paths_.ProfileFolder, firstStart, environment_, history_, profiles_);
    for (const std::string& notice : notices)
        host_.MessageDlgBeep(notice, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
}

void TMvPrMainProcessWClass::SaveSettings() {
    QDir().mkpath(Text(paths_.ProfileFolder));
    TQSettingsRegistry registry(paths_.ConfigFile);
    const std::string executableFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + '/';
    const TConfigurationSaveResult result =
        SaveConfiguration(registry, host_, paths_.ProfileFolder, executableFolder, environment_,
                          history_, profiles_);
    if (result.ProfileFileError != 0)
        host_.MessageDlgBeep("プロファイル " + paths_.ProfileFolder + "/" +
                                 std::string(ProfileFileName) + " を保存できませんでした.",
                             TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

void TMvPrMainProcessWClass::StartEnding() {
    accepting_ = false;
    if (OnEnding) OnEnding();
    quitTimer_.start();
}

// The program ends once no document window is on screen any more.
void TMvPrMainProcessWClass::QuitTick() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && qobject_cast<TMvPrBinaryFormWClass*>(widget) != nullptr) return;
    quitTimer_.stop();
    if (options_) options_->close();
    tray_.Remove();
    SaveSettings();
    ended_ = true;
    if (OnEnd) OnEnd();
}

void TMvPrMainProcessWClass::QuitAll() {
    CloseAll();
    if (documents_.empty() && !quitTimer_.isActive()) StartEnding();
}

bool TMvPrMainProcessWClass::IsBusy() const {
    return ProgramBusy() || fileDialogShowing_;
}

// The later start is answered at once and the work is done afterwards, once any work under way
// has ended: a start never waits for a load, nor for the user to read a message about its file.
// A file that cannot be opened is answered 0 and its message follows.
TWindowId TMvPrMainProcessWClass::HandOver(const THandoverFrame& request) {
    if (!accepting_) return 0;
    if (request.Kind == THandoverKind::NewWindow) {
        PostWork(this, [this] { BringToFront(NewDocumentWindow()); });
        return HandoverAccepted;
    }
    const std::string name = LongPathName(std::string(request.FileName.begin(), request.FileName.end()));
    if (const auto refusal = OpenRefusal(name, ReadFileFacts(name))) {
        PostWork(this, [this, text = *refusal] {
            host_.MessageDlgBeep(text, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        });
        return 0;
    }
    TMvPrBinaryFormWClass* holder = FindDocumentWindow(name);
    PostWork(this, [this, name] { BringToFront(FindOrOpenDocumentWindow(name)); });
    return holder != nullptr ? static_cast<TWindowId>(holder->winId()) : HandoverAccepted;
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::FindOrOpenDocumentWindow(const std::string& name) {
    TMvPrBinaryFormWClass* window = FindDocumentWindow(name);
    return window != nullptr ? window : OpenDocumentWindow(name);
}

// ---- windows

std::vector<TMvPrBinaryFormWClass*> TMvPrMainProcessWClass::DocumentList() const {
    return documents_;
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::CreateDocumentWindow() {
    auto* window = new TMvPrBinaryFormWClass(*this);
    documents_.push_back(window);
    // A window freed by any other road than its close leaves no stale entry behind.
    connect(window, &QObject::destroyed, this, [this, window] {
        std::erase(documents_, window);
        heapTrim_.start();
    });
    environment_.ApplyModes = 1;
    window->ApplySettings(environment_);
    window->SizeOptimize();
    return window;
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::NewDocumentWindow() {
    TMvPrBinaryFormWClass* window = CreateDocumentWindow();
    if (environment_.NewWindowMoveCenter) CentreOnWorkArea(*window);
    window->show();
    window->repaint();
    RefreshWindowMenus();
    return window;
}

// A file that cannot be opened says why before any window appears for it.
TMvPrBinaryFormWClass* TMvPrMainProcessWClass::OpenDocumentWindow(const std::string& given) {
    const std::string name = LongPathName(given);
    if (const auto refusal = OpenRefusal(name, ReadFileFacts(name))) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return nullptr;
    }
    TMvPrBinaryFormWClass* window = CreateDocumentWindow();
    std::optional<WindowProfile> profile;
    if (environment_.ProfileWindowLoad || environment_.ProfilePositionLoad)
        profile = profiles_.FetchProfile(name);
    if (environment_.ProfileWindowLoad) {
        if (profile) {
            PlaceFromProfile(*window, *profile);
        } else if (environment_.ProfileNotExistToCenter) {
            CentreOnWorkArea(*window);
        }
    }
    window->show();
    window->repaint();
    if (!window->LoadFile(name)) {
        // Nothing of the window stays: it goes as if it had never been.
        std::erase(documents_, window);
        delete window;
        return nullptr;
    }
    if (environment_.ProfilePositionLoad && profile) window->RestoreViewPosition(*profile);
    // Only a shown window knows its frame: the stored place is checked again now.
    if (environment_.ProfileWindowLoad && profile)
        window->move(KeptInside(window->frameGeometry(), WorkAreaOf(window)));
    RefreshWindowMenus();
    return window;
}

void TMvPrMainProcessWClass::CentreOnWorkArea(TMvPrBinaryFormWClass& window) const {
    PlaceFrame(window, documents_, [&window](QSize frame) {
        const QSize outer = window.size() + frame;
        return CentredIn(ToScreenRect(WorkAreaOf(nullptr)), outer.width(), outer.height());
    });
}

// A window goes back to the screen it was on; a place stored under another screen layout goes
// to the screen that shows most of it, or the primary one, and is fitted inside its work area,
// so that a window never opens where no screen shows it.
void TMvPrMainProcessWClass::PlaceFromProfile(TMvPrBinaryFormWClass& window,
                                              const WindowProfile& profile) const {
    // The window's parts decide how small it can be; it grows to that once it is laid out.
    const QSize client =
        QSize(profile.ClientWidth, profile.ClientHeight).expandedTo(window.minimumSizeHint());
    PlaceFrame(window, documents_, [&](QSize frame) {
        const TWindowPlace place =
            RestoredPlace({profile.Left, profile.Top, client.width(), client.height()},
                          frame.width(), frame.height(), WorkAreas());
        window.resize(place.ClientWidth, place.ClientHeight);
        return TScreenPoint{place.Left, place.Top};
    });
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::FindDocumentWindow(const std::string& name) const {
    const std::string wanted = LongPathName(name);
    for (TMvPrBinaryFormWClass* window : documents_)
        if (!window->FileName().empty() && LongPathName(window->FileName()) == wanted) return window;
    return nullptr;
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::NextDocumentWindow(
    const TMvPrBinaryFormWClass* window) const {
    const auto it = std::ranges::find(documents_, window);
    if (it == documents_.end()) return nullptr;
    return std::next(it) == documents_.end() ? documents_.front() : *std::next(it);
}

TMvPrBinaryFormWClass* TMvPrMainProcessWClass::SelectWindowDialog(QWidget* owner) {
    const int index = mv::SelectWindowDialog(QStringLiteral("ウィンドウ一覧"), owner, WindowFileNames());
    return index >= 0 && index < static_cast<int>(documents_.size())
               ? documents_[static_cast<std::size_t>(index)]
               : nullptr;
}

void TMvPrMainProcessWClass::BringToFront(TMvPrBinaryFormWClass* window) {
    if (window == nullptr) return;
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

void TMvPrMainProcessWClass::RefreshWindowMenus() {
    if (!menuRefreshEnabled_) return;
    for (TMvPrBinaryFormWClass* window : documents_) window->RefreshWindowMenus();
}

void TMvPrMainProcessWClass::UnregisterWindow(TMvPrBinaryFormWClass* window) {
    if (!window->FileName().empty())
        profiles_.StoreProfile(window->FileName(), window->Profile(), environment_.ProfileMax);
    std::erase(documents_, window);
    std::erase(activations_, window);
    if (documents_.empty()) {
        if (accepting_) StartEnding();
        return;
    }
    RefreshWindowMenus();
    // The focus goes to the window used before this one.
    if (window->isActiveWindow()) BringLastUsedToFront();
}

void TMvPrMainProcessWClass::BringLastUsedToFront() {
    for (const QPointer<TMvPrBinaryFormWClass>& previous : activations_)
        if (previous && previous->isVisible() && !previous->isMinimized())
            return BringToFront(previous);
}

// The tool windows of the other windows step back; the active window's come forward.
void TMvPrMainProcessWClass::WindowActivated(TMvPrBinaryFormWClass* window) {
    std::erase(activations_, window);
    activations_.insert(activations_.begin(), window);
    for (TMvPrBinaryFormWClass* other : documents_)
        if (other != window && other->DialogAutoHidden()) other->HideToolWindows();
    if (window->isMinimized())
        window->HideToolWindows();
    else
        window->ShowToolWindows();
}

// The keyboard is asked, not the last event: the press of a modifier key itself does not
// carry that modifier. Asking costs a round trip to the display, so it is done only so often.
void TMvPrMainProcessWClass::RefreshFunctionKeysOnIdle() {
    constexpr qint64 QueryInterval = 50;
    if (sinceModifierQuery_.isValid() && sinceModifierQuery_.elapsed() < QueryInterval) return;
    auto* window = qobject_cast<TMvPrBinaryFormWClass*>(QApplication::activeWindow());
    if (window == nullptr) return;
    sinceModifierQuery_.start();
    window->RefreshShiftState(ModifierStateOf(QGuiApplication::queryKeyboardModifiers()));
}

// ---- commands on every window

void TMvPrMainProcessWClass::ForEachWindow(bool lastFirst,
                                           const std::function<void(TMvPrBinaryFormWClass&)>& step) {
    std::vector<QPointer<TMvPrBinaryFormWClass>> windows(documents_.begin(), documents_.end());
    if (lastFirst) std::ranges::reverse(windows);
    menuRefreshEnabled_ = false;
    for (const QPointer<TMvPrBinaryFormWClass>& window : windows)
        if (window) step(*window);
    menuRefreshEnabled_ = true;
    RefreshWindowMenus();
}

void TMvPrMainProcessWClass::SaveAll() {
    ForEachWindow(false, [this](TMvPrBinaryFormWClass& window) {
        if (!window.IsModified() || window.InViewMode()) return;
        BringToFront(&window);
        window.Save();
    });
}

void TMvPrMainProcessWClass::CloseAll() {
    ForEachWindow(true, [this](TMvPrBinaryFormWClass& window) {
        if (window.IsModified() && !window.InViewMode()) BringToFront(&window);
        window.close();
    });
}

void TMvPrMainProcessWClass::SaveAllClose() {
    ForEachWindow(true, [this](TMvPrBinaryFormWClass& window) {
        if (window.IsModified() && !window.InViewMode()) {
            BringToFront(&window);
            window.Save();
        }
        if (!window.IsModified()) window.close();
    });
}

void TMvPrMainProcessWClass::ApplySettingsToAll(const TEnvironment& environment) {
    const TByteOrder probeOrder = environment_.ProbeByteOrder;
    environment_ = environment;
    environment_.ApplyModes = 0;
    environment_.ProbeByteOrder = probeOrder;
    for (TMvPrBinaryFormWClass* window : documents_) window->ApplySettings(environment_);
}

// ---- history and profiles

void TMvPrMainProcessWClass::AddHistory(const std::string& name) {
    history_.AddHistory(name);
}

bool TMvPrMainProcessWClass::KeepHistoryEntry(const std::string& name) {
    if (ReadFileFacts(name).Exists) return true;
    host_.MessageDlgBeep(HistoryEntryMissing(name), TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    THistoryList kept;
    for (std::size_t index = 0; index < history_.HistoryCount(); ++index)
        if (const std::string entry = history_.HistoryAt(static_cast<std::ptrdiff_t>(index)); entry != name)
            kept.Append(entry);
    history_ = std::move(kept);
    RefreshWindowMenus();
    return false;
}

std::optional<WindowProfile> TMvPrMainProcessWClass::FetchProfile(const std::string& name) {
    return profiles_.FetchProfile(name);
}

void TMvPrMainProcessWClass::FileNowHeldBy(const std::string& name, const TMemoryModule& module) {
    for (TMvPrBinaryFormWClass* window : documents_) window->CompareWithHeldFile(name, module);
}

void TMvPrMainProcessWClass::EndComparisonsWith(const TMemoryModule& module) {
    for (TMvPrBinaryFormWClass* window : documents_)
        if (window->ComparesWith(module)) window->EndComparison();
}

// ---- the options

// One dialog at most, on its own copy: each apply replaces the configuration and reaches every
// window; it is written at the end of the program. Closing frees it, and the window used last
// takes the focus back.
void TMvPrMainProcessWClass::ShowOptions() {
    if (options_) {
        options_->raise();
        options_->activateWindow();
        return;
    }
    options_ = new TDlgEnvironment(environment_);
    options_->setAttribute(Qt::WA_DeleteOnClose);
    options_->ApplyCallback = [this](const TEnvironment& settings) { ApplySettingsToAll(settings); };
    connect(options_, &QDialog::finished, this, &TMvPrMainProcessWClass::BringLastUsedToFront);
    options_->show();
}

// ---- the tray

std::vector<std::string> TMvPrMainProcessWClass::HistoryNames() const {
    std::vector<std::string> names;
    for (std::size_t index = 0; index < history_.HistoryCount(); ++index)
        names.push_back(history_.HistoryAt(static_cast<std::ptrdiff_t>(index)));
    return names;
}

std::vector<std::string> TMvPrMainProcessWClass::WindowFileNames() const {
    std::vector<std::string> names;
    for (const TMvPrBinaryFormWClass* window : documents_) names.push_back(window->FileName());
    return names;
}

// Help, the options and the version dialog come with their own windows.
bool TMvPrMainProcessWClass::Offers(TTrayCommand command) const {
    return command == TTrayCommand::NewWindow || command == TTrayCommand::Open ||
           command == TTrayCommand::Options || command == TTrayCommand::QuitAll ||
           command == TTrayCommand::Help || command == TTrayCommand::Version;
}

void TMvPrMainProcessWClass::Run(TTrayCommand command) {
    if (!accepting_) return; // the program is ending
    switch (command) {
    case TTrayCommand::NewWindow:
        BringToFront(NewDocumentWindow());
        break;
    case TTrayCommand::Open: {
        FileDialogShowing(true);
        const QString chosen = QFileDialog::getOpenFileName(nullptr, QStringLiteral("開く"), {},
                                                            QStringLiteral("全てのファイル (*)"));
        FileDialogShowing(false);
        if (chosen.isEmpty()) break;
        // A file open in a window already comes to the front rather than into a second window,
        // which would let two windows overwrite each other's saves.
        BringToFront(FindOrOpenDocumentWindow(LongPathName(QFile::encodeName(chosen).toStdString())));
        break;
    }
    case TTrayCommand::Options:
        ShowOptions();
        break;
    case TTrayCommand::QuitAll:
        QuitAll();
        break;
    case TTrayCommand::Help:
        OpenHelp();
        break;
    case TTrayCommand::Version:
        VersionDialog(nullptr);
        break;
    default:
        break;
    }
}

void TMvPrMainProcessWClass::OpenHistoryEntry(int index) {
    if (!accepting_) return;
    host_.Beep();
    const std::string name = history_.HistoryAt(index);
    if (TMvPrBinaryFormWClass* holder = FindDocumentWindow(name)) {
        BringToFront(holder);
        return;
    }
    if (KeepHistoryEntry(name)) BringToFront(OpenDocumentWindow(name));
}

void TMvPrMainProcessWClass::ActivateWindow(int index) {
    if (index >= 0 && index < static_cast<int>(documents_.size()))
        BringToFront(documents_[static_cast<std::size_t>(index)]);
}

void TMvPrMainProcessWClass::ShowWindowList() {
    BringToFront(SelectWindowDialog(nullptr));
}

} // namespace mv
