#include "core/config/configuration_store.h"

#include "core/config/profile_file.h"
#include "core/host/host_services.h"
#include "core/typedvalues/string_utils.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>
#include <utility>

namespace mv {

namespace {

constexpr std::string_view RootKey = "";
constexpr std::string_view ConfigKey = "Config";
constexpr std::string_view ColorKey = "Color";
constexpr std::string_view ViewItemKey = "ViewItem";
constexpr std::string_view HistoryKey = "History";
constexpr std::string_view KeyTableKey = "Key";
constexpr int StoredHistoryCount = 10;

std::string UserMenuKey(int menu) {
    return std::string(KeyTableKey) + "\\UserMenu{" + std::to_string(menu) + "}";
}

std::string HistoryName(int index) {
    return "History" + std::to_string(index);
}

// The values of "Config" in their stored order, with the range each number must keep to.
// Env is TEnvironment for loading and const TEnvironment for saving.
template <class Env, class Visitor> void VisitConfigValues(Env& e, Visitor&& v) {
    v("OpeningDlg", e.OpeningDlg);
    v("FontHeight", e.FontHeight, FontHeightRange);
    v("ViewModeExt", e.ViewModeExt);
    v("MakeBackFile", e.MakeBackFile);
    v("InputMode", e.InputMode, TInputMode::ViewOnly);
    v("CharaSet", e.CharaSet, CharaSet::Utf16Be);
    v("CheckSum", e.CheckSum, TCheckSum::Ascii);
    v("IntWidth", e.IntWidth, TVariableType::vtDoubleWord);
    v("IntCardinal", e.IntCardinal, TCardinalNumber::cnHexadecimal);
    v("ByteOrder", e.ByteOrder, TByteOrder::BigEndian);
    v("ExpandTenKey", e.ExpandTenKey);
    v("UndoBuffer", e.UndoBuffer, UndoBufferRange);
    v("OnDemandSize", e.OnDemandMegabytes, OnDemandRange);
    v("UndoPacked", e.UndoPacked);
    v("UndoFlushWithSaved", e.UndoFlushWithSaved);
    v("UndoOverflowSound", e.UndoOverflowSound);
    v("KeyAssignType", e.KeyAssignType, TKeyAssignType::UserDefined);
    v("DialogFlattery", e.DialogFlattery);
    v("DialogAutoHidden", e.DialogAutoHidden);
    v("NewWindowMoveCenter", e.NewWindowMoveCenter);
    v("ProfileWindowLoad", e.ProfileWindowLoad);
    v("ProfilePositionLoad", e.ProfilePositionLoad);
    v("ProfileNotExistToCenter", e.ProfileNotExistToCenter);
    v("ProfileMax", e.ProfileMax, ProfileMaxRange);
    v("ProbeByteOrder", e.ProbeByteOrder, TByteOrder::BigEndian);
}

template <class Env, class Visitor> void VisitViewItems(Env& e, Visitor&& v) {
    v("ToolBar", e.ToolBar);
    v("FunctionBar", e.FunctionBar);
    v("StatusBar", e.StatusBar);
    v("InformationPanel", e.InformationPanel);
    v("CompareArrow", e.CompareArrow);
    v("CompareColor", e.CompareColor);
    v("CaretMarker", e.CaretMarker);
}

// Replaces a field only by a value of the right type and within its range, so that a
// damaged or hand-edited store cannot put a window into a state no dialog could produce.
class TValueLoader {
public:
    TValueLoader(const TRegistry& registry, std::string_view key)
        : registry_(registry), key_(key) {}

    // Booleans are stored as 1 or 0 and read as "not 0".
    void operator()(std::string_view name, bool& value) const {
        if (const auto dword = registry_.ReadDword(key_, name)) value = *dword != 0;
    }
    void operator()(std::string_view name, std::string& value) const {
        if (auto text = registry_.ReadString(key_, name)) value = std::move(*text);
    }
    void operator()(std::string_view name, std::int32_t& value, TValueRange range) const {
        const auto dword = registry_.ReadDword(key_, name);
        if (dword && range.Holds(static_cast<std::int32_t>(*dword)))
            value = static_cast<std::int32_t>(*dword);
    }
    template <class Enum>
    requires std::is_enum_v<Enum>
    void operator()(std::string_view name, Enum& value, Enum last) const {
        const auto dword = registry_.ReadDword(key_, name);
        if (dword && *dword <= static_cast<std::uint32_t>(last)) value = static_cast<Enum>(*dword);
    }

private:
    const TRegistry& registry_;
    std::string_view key_;
};

std::vector<TStoredValue> StoredStrings(const TRegistry& registry, std::string_view key) {
    std::vector<TStoredValue> values;
    for (std::string& name : registry.ValueNames(key))
        if (auto data = registry.ReadString(key, name))
            values.emplace_back(std::move(name), std::move(*data));
    return values;
}

void LoadKeyAssignment(const TRegistry& registry, TEnvironment& environment) {
    if (environment.KeyAssignType != TKeyAssignType::UserDefined) {
        environment.KeyAssignment = TKeyAssignment::Template(environment.KeyAssignType);
        return;
    }
    TKeyAssignment& assignment = environment.KeyAssignment;
    assignment.Clear();
    LoadStoredKeyTable(assignment, StoredStrings(registry, KeyTableKey));
    for (int menu = 0; menu < UserMenuCount; ++menu)
        LoadStoredUserMenu(assignment, menu, StoredStrings(registry, UserMenuKey(menu)));
}

std::string FullKeyPath(std::string_view key) {
    std::string path(TRegistry::RootPath);
    if (!key.empty()) path.append("\\").append(key);
    return path;
}

// Carries out registry writes until the first failure and remembers it; every later write
// is skipped, so nothing is written after the key that failed.
class TRegistryWriter {
public:
    explicit TRegistryWriter(TRegistry& registry) : registry_(registry) {}

    [[nodiscard]] bool Failed() const { return !error_.empty(); }
    [[nodiscard]] const std::string& FailedKey() const { return failedKey_; }
    [[nodiscard]] const std::string& Error() const { return error_; }

    void CreateKey(std::string_view key) {
        if (!Failed()) Check(key, registry_.CreateKey(key));
    }
    // Deletes the key with its subkeys and creates it again, empty.
    void RecreateKey(std::string_view key) {
        if (!Failed()) Check(key, registry_.DeleteKey(key));
        CreateKey(key);
    }
    void WriteDword(std::string_view key, std::string_view name, std::uint32_t value) {
        if (!Failed()) Check(key, registry_.WriteDword(key, name, value));
    }
    void WriteString(std::string_view key, std::string_view name, std::string_view value) {
        if (!Failed()) Check(key, registry_.WriteString(key, name, value));
    }
    void Flush() {
        if (!Failed()) Check(RootKey, registry_.Flush());
    }

private:
    void Check(std::string_view key, std::string error) {
        if (error.empty()) return;
        failedKey_ = FullKeyPath(key);
        error_ = std::move(error);
    }

    TRegistry& registry_;
    std::string failedKey_;
    std::string error_;
};

class TValueWriter {
public:
    TValueWriter(TRegistryWriter& writer, std::string_view key) : writer_(writer), key_(key) {}

    void operator()(std::string_view name, bool value) const {
        writer_.WriteDword(key_, name, value ? 1 : 0);
    }
    void operator()(std::string_view name, const std::string& value) const {
        writer_.WriteString(key_, name, value);
    }
    void operator()(std::string_view name, std::int32_t value, TValueRange) const {
        writer_.WriteDword(key_, name, static_cast<std::uint32_t>(value));
    }
    template <class Enum>
    requires std::is_enum_v<Enum>
    void operator()(std::string_view name, Enum value, Enum) const {
        writer_.WriteDword(key_, name, static_cast<std::uint32_t>(value));
    }

private:
    TRegistryWriter& writer_;
    std::string_view key_;
};

void WriteUserAssignment(TRegistryWriter& writer, const TKeyAssignment& assignment, bool stored) {
    writer.RecreateKey(KeyTableKey);
    if (stored)
        for (const auto& [name, data] : StoredKeyTable(assignment))
            writer.WriteString(KeyTableKey, name, data);
    for (int menu = 0; menu < UserMenuCount; ++menu) {
        const std::string key = UserMenuKey(menu);
        writer.RecreateKey(key);
        if (stored)
            for (const auto& [name, data] : StoredUserMenu(assignment, menu))
                writer.WriteString(key, name, data);
    }
}

std::string InstallFolderValue(const std::string& executableFolder) {
    std::string folder = LongPathName(executableFolder);
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string FailureText(const std::string& key, const std::string& error) {
    // The message names the code address at which the failure was raised. A failure here is
    // an answer from the registry layer, not a fault at an address, so it reads 0.
    char address[16];
    std::snprintf(address, sizeof address, "0x%8.8x", 0u);
    return "レジストリキー " + key + " 書き込み中に例外が発生しました\r\nアドレス " + address +
           "\r\nメッセージ " + error;
}

} // namespace

void LoadConfiguration(const TRegistry& registry, const std::string& profileFolder,
                       const std::function<void()>& onFirstStart, TEnvironment& environment,
                       THistoryList& history, TProfileList& profiles) {
    history.Clear();
    profiles.Clear();
    environment = TEnvironment{};

    for (TProfileEntry& entry : LoadProfileFile(profileFolder))
        profiles.Append(std::move(entry));

    if (!registry.KeyExists(RootKey) && onFirstStart) onFirstStart();

    VisitConfigValues(environment, TValueLoader(registry, ConfigKey));
    for (int i = 0; i < ColorCount; ++i) {
        const auto index = static_cast<TColorIndex>(i);
        const auto color = registry.ReadDword(ColorKey, ColorName(index));
        if (color && IsColorValue(*color)) environment.SetColor(index, *color);
    }
    VisitViewItems(environment, TValueLoader(registry, ViewItemKey));
    for (int i = 0; i < StoredHistoryCount; ++i) {
        auto name = registry.ReadString(HistoryKey, HistoryName(i));
        if (!name) break;
        history.Append(std::move(*name));
    }
    LoadKeyAssignment(registry, environment);
}

TConfigurationSaveResult
SaveConfiguration(TRegistry& registry, THostServices& host, const std::string& profileFolder,
                  const std::string& executableFolder, const TEnvironment& environment,
                  const THistoryList& history, const TProfileList& profiles) {
    TConfigurationSaveResult result;
    result.ProfileFileError = SaveProfileFile(profileFolder, profiles.Entries());

    TRegistryWriter writer(registry);
    writer.CreateKey(RootKey);
    writer.WriteString(RootKey, "InstallFolder", InstallFolderValue(executableFolder));

    writer.CreateKey(ConfigKey);
    VisitConfigValues(environment, TValueWriter(writer, ConfigKey));

    writer.RecreateKey(ColorKey);
    for (int i = 0; i < ColorCount; ++i) {
        const auto index = static_cast<TColorIndex>(i);
        if (environment.Color(index) != DefaultColors()[static_cast<std::size_t>(i)])
            writer.WriteDword(ColorKey, ColorName(index), environment.Color(index));
    }

    writer.CreateKey(ViewItemKey);
    VisitViewItems(environment, TValueWriter(writer, ViewItemKey));

    writer.RecreateKey(HistoryKey);
    const auto stored = std::min<std::size_t>(history.HistoryCount(), StoredHistoryCount);
    for (std::size_t i = 0; i < stored; ++i)
        writer.WriteString(HistoryKey, HistoryName(static_cast<int>(i)),
                           history.HistoryAt(static_cast<std::ptrdiff_t>(i)));

    WriteUserAssignment(writer, environment.KeyAssignment,
                        environment.KeyAssignType == TKeyAssignType::UserDefined);
    writer.Flush();

    if (writer.Failed()) {
        host.Beep();
        host.MessageBox("Morvane Prime Exception Error !!",
                        FailureText(writer.FailedKey(), writer.Error()));
        result.RegistryError = writer.Error();
    }
    return result;
}

} // namespace mv
