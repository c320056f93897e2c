#pragma once

#include <QLocale>

class QCoreApplication;

// The tools speak the user's language where there is a translation (Bulgarian), English
// otherwise: the English texts in the code are the fallback.
namespace KazTranslations {

// Loads the translation of QLocale()'s language into `app`, the translator owned by `app`.
// Returns whether one was loaded.
bool install(QCoreApplication &app);
// Loads the translation of `language` whatever the user's locale: the test editor speaks
// Bulgarian, as the quiz does.
bool install(QCoreApplication &app, QLocale::Language language);
// Loads Qt's own translation of `language` (the file dialogs, the standard buttons, the
// fields' context menus) from where Qt keeps its translations, when it is installed there
// (Debian: qt6-translations-l10n). Install it before the tools' own, which is then asked first.
bool installQt(QCoreApplication &app, QLocale::Language language);

} // namespace KazTranslations
