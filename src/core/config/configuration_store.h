#pragma once

#include "core/config/environment.h"
#include "core/config/history_list.h"
#include "core/config/profile_list.h"
#include "core/config/registry.h"

#include <functional>
#include <string>

namespace mv {

class THostServices;

// Fills the record with its defaults and then with what the profile file in profileFolder
// and the registry hold. onFirstStart runs when the program's registry key does not exist
// yet (the caller offers its shortcuts then), before anything is read from the registry.
// Missing values, values of the other type and numbers outside their range keep the
// default; history and profiles are replaced by the stored ones.
void LoadConfiguration(const TRegistry& registry, const std::string& profileFolder,
                       const std::function<void()>& onFirstStart, TEnvironment& environment,
                       THistoryList& history, TProfileList& profiles);

struct TConfigurationSaveResult {
    int ProfileFileError = 0;  // errno of writing the profile file, 0 for success
    std::string RegistryError; // empty for success; the user has been told already
};

// Writes the profile file into profileFolder, then the registry; executableFolder is
// recorded as "InstallFolder". The first registry failure stops the registry writing and is
// reported through the host: a beep, then a message box naming the key.
TConfigurationSaveResult
SaveConfiguration(TRegistry& registry, THostServices& host, const std::string& profileFolder,
                  const std::string& executableFolder, const TEnvironment& environment,
                  const THistoryList& history, const TProfileList& profiles);

} // namespace mv
