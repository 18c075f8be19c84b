#pragma once

#include "core/config/registry.h"

#include <QSettings>
#include <QString>

namespace mv {

// The program's registry key as an INI file. Keys are groups ("Key\UserMenu{0}" is the group
// "Key/UserMenu{0}"); value names are escaped so that the '/' and '\' of stored key names
// stay part of the name. INI keeps no types, so each value carries its own: a DWORD is
// written as a number and a string as a byte array (which QSettings tags "@ByteArray(...)"),
// and a read of the other form, or of anything else a hand edit left, finds nothing. An
// empty key is kept by a marker entry that no escaped value name can equal.
class TQSettingsRegistry : public TRegistry {
public:
    // The user's configuration folder: "Corlith Applications/Morvane.ini".
    TQSettingsRegistry();
    // An INI file at that path.
    explicit TQSettingsRegistry(const QString& filePath);
    TQSettingsRegistry(const TQSettingsRegistry&) = delete;
    TQSettingsRegistry& operator=(const TQSettingsRegistry&) = delete;

    bool KeyExists(std::string_view key) const override;
    std::optional<std::uint32_t> ReadDword(std::string_view key,
                                           std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view key,
                                          std::string_view name) const override;
    std::vector<std::string> ValueNames(std::string_view key) const override;

    std::string CreateKey(std::string_view key) override;
    std::string WriteDword(std::string_view key, std::string_view name,
                           std::uint32_t value) override;
    std::string WriteString(std::string_view key, std::string_view name,
                            std::string_view value) override;
    std::string DeleteKey(std::string_view key) override;
    // Writes the file; answers why it could not be written.
    std::string Flush() override;

private:
    QSettings settings_;
};

} // namespace mv
