#pragma once

#include <QtCore/QString>

namespace mv {

// The program's name towards the desktop: its desktop entry, icon and metainfo file.
inline constexpr const char* ApplicationId = "example.morvane.MorvanePrime";

// The read-only data the program ships beside itself.
enum class TShippedData { Filers, Help, Pictures };

// The folder that holds that data: <prefix>/share/morvane-prime/<name> beside the program's
// own folder (installed, or the build tree, where the build links the sources there), else
// the same under the system's data folders. Empty when none holds it.
[[nodiscard]] QString ShippedFolder(TShippedData what);

// Where the program keeps what it writes besides its settings (window profiles, the user's
// own filers): a folder of the user's data folder.
[[nodiscard]] QString UserDataFolder();
[[nodiscard]] QString UserFilerFolder();

// One line on the error output for each kind of shipped data that cannot be found, so that a
// broken installation says what it lacks. Answers whether everything was found.
bool ReportMissingShippedData();

} // namespace mv
