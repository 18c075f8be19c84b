#include "platform/qsettings_registry.h"

#include <QByteArray>
#include <QMetaType>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace mv {

namespace {

// Escaping writes every '%' as "%25", so no escaped name is a lone "%".
const QString KeyMarker = QStringLiteral("%");

QString GroupOf(std::string_view key) {
    QString group = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    group.replace(u'\\', u'/');
    return group;
}

// '/' and '\' separate groups in QSettings and '%' starts an escape; bytes outside printable
// ASCII are escaped too, so that a name of any bytes comes back as it went in.
QString EscapedName(std::string_view name) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    QString escaped;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '%' || c == '/' || c == '\\') {
            escaped += u'%';
            escaped += QChar(Hex[byte >> 4]);
            escaped += QChar(Hex[byte & 0x0F]);
        } else {
            escaped += QChar(byte);
        }
    }
    return escaped;
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The name of an escaped entry; nothing for the marker or a name no escaping produces.
std::optional<std::string> UnescapedName(const QString& escaped) {
    std::string name;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        if (c != u'%') {
            if (c.unicode() >= 0x80) return std::nullopt;
            name += static_cast<char>(c.unicode());
            continue;
        }
        if (i + 2 >= escaped.size()) return std::nullopt;
        const int high = HexValue(escaped[i + 1]);
        const int low = HexValue(escaped[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        name += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return name;
}

QString EntryOf(const QString& group, std::string_view name) {
    return group.isEmpty() ? EscapedName(name) : group + u'/' + EscapedName(name);
}

QString PrefixOf(const QString& group) {
    return group.isEmpty() ? QString() : group + u'/';
}

// A DWORD comes back from the file as its decimal text; only plain digits within 32 bits
// count, so that a hand-edited "14 " or "-1" is no DWORD.
std::optional<std::uint32_t> DwordFromText(const QString& text) {
    if (text.isEmpty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

TQSettingsRegistry::TQSettingsRegistry()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corlith Applications"),
                QStringLiteral("Morvane")) {
    // The settings are the current user's alone; a system-wide file must not make a first
    // start look like a later one.
    settings_.setFallbacksEnabled(false);
}

TQSettingsRegistry::TQSettingsRegistry(const QString& filePath)
    : settings_(filePath, QSettings::IniFormat) {
    settings_.setFallbacksEnabled(false);
}

bool TQSettingsRegistry::KeyExists(std::string_view key) const {
    const QString prefix = PrefixOf(GroupOf(key));
    const QStringList entries = settings_.allKeys();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const QString& entry) { return entry.startsWith(prefix); });
}

std::optional<std::uint32_t> TQSettingsRegistry::ReadDword(std::string_view key,
                                                           std::string_view name) const {
    const QVariant value = settings_.value(EntryOf(GroupOf(key), name));
    // Written in this run the value is still a number; read from the file it is text.
    if (value.typeId() == QMetaType::UInt) return value.toUInt();
    if (value.typeId() == QMetaType::QString) return DwordFromText(value.toString());
    return std::nullopt;
}

std::optional<std::string> TQSettingsRegistry::ReadString(std::string_view key,
                                                          std::string_view name) const {
    const QVariant value = settings_.value(EntryOf(GroupOf(key), name));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<std::string> TQSettingsRegistry::ValueNames(std::string_view key) const {
    const QString prefix = PrefixOf(GroupOf(key));
    std::vector<std::string> names;
    for (const QString& entry : settings_.allKeys()) {
        if (!entry.startsWith(prefix)) continue;
        const QString rest = entry.mid(prefix.size());
        if (rest.contains(u'/')) continue; // a value of a subkey
        if (auto name = UnescapedName(rest)) names.push_back(std::move(*name));
    }
    return names;
}

std::string TQSettingsRegistry::CreateKey(std::string_view key) {
    if (!KeyExists(key)) settings_.setValue(PrefixOf(GroupOf(key)) + KeyMarker, QString());
    return {};
}

std::string TQSettingsRegistry::WriteDword(std::string_view key, std::string_view name,
                                           std::uint32_t value) {
    settings_.setValue(EntryOf(GroupOf(key), name), QVariant::fromValue<uint>(value));
    return {};
}

std::string TQSettingsRegistry::WriteString(std::string_view key, std::string_view name,
                                            std::string_view value) {
    settings_.setValue(EntryOf(GroupOf(key), name),
                       QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    return {};
}

std::string TQSettingsRegistry::DeleteKey(std::string_view key) {
    settings_.remove(GroupOf(key)); // the empty group removes everything
    return {};
}

std::string TQSettingsRegistry::Flush() {
    settings_.sync();
    if (settings_.status() == QSettings::NoError) return {};
    const std::string file = settings_.fileName().toStdString();
    return settings_.status() == QSettings::FormatError
               ? "設定ファイル " + file + " の形式が正しくありません"
               : "設定ファイル " + file + " に書き込めません";
}

} // namespace mv
