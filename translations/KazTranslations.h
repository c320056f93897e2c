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

} // namespace KazTranslations
