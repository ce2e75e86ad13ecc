#pragma once

namespace mosgrid {

// Qt's own texts (standard buttons, the colour, file and print dialogs) in Japanese, like
// the program's own: Qt's qtbase catalogue from its translations folder (Debian package
// qt6-translations-l10n). Texts the program defines itself are not translated. Installs
// once per process; false when the catalogue is not there.
bool InstallQtTranslations();

} // namespace mosgrid
