#pragma once

#include <string_view>

namespace mv {

// The addresses the Help menu and the version dialog open in the user's browser or mailer.
inline constexpr std::string_view MakerWebPage = "https://www.morvane.example/corlith/";
inline constexpr std::string_view ProductWebPage = "https://www.morvane.example/prime/";
inline constexpr std::string_view MakerMail = "mailto:support@morvane.example";
inline constexpr std::string_view FilerLibraryPage = "https://www.morvane.example/prime/filers/";
inline constexpr std::string_view DownloadPage = "https://www.morvane.example/prime/download/";

} // namespace mv
