#pragma once

class QCoreApplication;

// The tools speak the user's language where there is a translation (Bulgarian), English
// otherwise: the English texts in the code are the fallback.
namespace KazTranslations {

// Loads the translation of QLocale()'s language into `app`, the translator owned by `app`.
// Returns whether one was loaded.
bool install(QCoreApplication &app);

} // namespace KazTranslations
