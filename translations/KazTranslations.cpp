#include "KazTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

// What Qt's file dialogs call an entry in their Type column (QAbstractFileIconProvider::type):
// Qt's own Bulgarian (qtbase_bg.qm of Qt 6.4) has these under the dialog's former context only,
// so they showed in English. kaz_bg.ts gives them under the context Qt asks.
struct QtText
{
    const char *source;
    const char *comment;
};
[[maybe_unused]] constexpr QtText FileTypes[] = {
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Folder", "All other platforms"),
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Shortcut", "All other platforms"),
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Drive", ""),
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Unknown", ""),
};

} // namespace

bool KazTranslations::install(QCoreApplication &app)
{
    return install(app, QLocale().language());
}

bool KazTranslations::install(QCoreApplication &app, QLocale::Language language)
{
    if (language != QLocale::Bulgarian)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/kaz_bg.qm")))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

bool KazTranslations::installQt(QCoreApplication &app, QLocale::Language language)
{
    auto translator = std::make_unique<QTranslator>();
    // Qt's translations folder where Qt is installed (Linux); else the copy built into the
    // program (Windows, whose Qt is linked in and has no such folder).
    const QLocale locale(language);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && !translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}
