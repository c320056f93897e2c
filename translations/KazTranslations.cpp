#include "KazTranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

bool KazTranslations::install(QCoreApplication &app)
{
    if (QLocale().language() != QLocale::Bulgarian)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/kaz_bg.qm")))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}
