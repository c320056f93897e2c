#include "KazTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

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
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}
