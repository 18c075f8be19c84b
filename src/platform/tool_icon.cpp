#include "platform/tool_icon.h"

#include <QtCore/QFile>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>

// The resource lives in a static library, whose initialiser the linker would drop; it is
// registered by hand, outside any namespace as Qt's macro requires.
static bool RegisterToolIcons() {
    Q_INIT_RESOURCE(tool_icons);
    return true;
}

namespace mv {

namespace {

// Our names with the freedesktop names that mean the same; the others are shipped only.
constexpr std::array<std::pair<std::string_view, const char*>, 17> kThemeNames{{
    {"new", "document-new"},
    {"open", "document-open"},
    {"save", "document-save"},
    {"cut", "edit-cut"},
    {"copy", "edit-copy"},
    {"paste", "edit-paste"},
    {"undo", "edit-undo"},
    {"redo", "edit-redo"},
    {"search", "edit-find"},
    {"replace", "edit-find-replace"},
    {"search-prev", "go-up"},
    {"search-next", "go-down"},
    {"option", "preferences-system"},
    {"help", "help-contents"},
    {"close", "window-close"},
    {"history-item", "document-open-recent"},
    {"morvane", "morvane"},
}};

QIcon ShippedIcon(std::string_view name) {
    const QString base = QStringLiteral(":/icons/") + QString::fromUtf8(name.data(), name.size());
    QIcon icon;
    if (QFile::exists(base + ".png")) icon.addFile(base + ".png");
    for (const int size : {16, 32, 48}) {
        const QString sized = base + QStringLiteral("-%1.png").arg(size);
        if (QFile::exists(sized)) icon.addFile(sized, QSize(size, size));
    }
    return icon;
}

QIcon MadeIcon(std::string_view name) {
    const QIcon shipped = ShippedIcon(name);
    if (shipped.isNull()) return {};
    for (const auto& [ours, theme] : kThemeNames)
        if (ours == name) return QIcon::fromTheme(QString::fromLatin1(theme), shipped);
    return shipped;
}

} // namespace

QIcon ToolIcon(std::string_view name) {
    static const bool registered = RegisterToolIcons();
    (void)registered;
    // Each icon is made once: menus rebuilt on every window change then share one icon, and
    // with it the pixmaps that Qt caches per icon. Never destroyed, so that no icon outlives
    // the application in a static destructor.
    static auto* made = new std::map<std::string, QIcon, std::less<>>;
    if (const auto found = made->find(name); found != made->end()) return found->second;
    return made->emplace(std::string(name), MadeIcon(name)).first->second;
}

} // namespace mv
