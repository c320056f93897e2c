// Linked into the suites of a cross build that draw or measure text, which run under Wine on the
// offscreen platform. Its fonts are the files of QT_QPA_FONTDIR, the folder of fonts the
// build's Windows programs see under Wine (cmake/KazWindows.cmake), and it knows no other names:
// here the Windows fonts that KAZ asks for are their metric twins, as Wine shows them to the
// programs (KAZ_WINE_FONT_TWINS, "Windows name=twin|…"), and the default font is DejaVu Sans,
// as under fontconfig on Linux.
#include <QCoreApplication>
#include <QFont>
#include <QStringList>

namespace {

void useTheTwinsOfWindowsFonts()
{
    for (const QString &twin : QStringLiteral(KAZ_WINE_FONT_TWINS).split(u'|')) {
        const QStringList names = twin.split(u'=');
        QFont::insertSubstitution(names.first(), names.last());
    }
    // The family the offscreen platform's font database gives as the default font.
    QFont::insertSubstitution(QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useTheTwinsOfWindowsFonts)
