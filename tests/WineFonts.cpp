// Linked into the widget suites of a cross build, which run under Wine on the offscreen
// platform. Its fonts are the files of QT_QPA_FONTDIR, links to the Linux machine's Liberation
// and DejaVu fonts (tests/CMakeLists.txt), and it knows no other names: here the Windows fonts
// that KAZ asks for are their metric twins, and the default font is DejaVu Sans, as under
// fontconfig on Linux.
#include <QCoreApplication>
#include <QFont>

namespace {

void useTheTwinsOfWindowsFonts()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    // The family the offscreen platform's font database gives as the default font.
    QFont::insertSubstitution(QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useTheTwinsOfWindowsFonts)
