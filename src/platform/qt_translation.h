#pragma once

namespace mv {

// Puts Qt's own texts (the standard buttons, the file and colour dialogs) into Japanese, the
// language of everything else the program shows, whatever the user's locale. Answers whether
// Qt's Japanese translation was found; without it those texts stay in English.
bool InstallQtJapanese();

} // namespace mv
