// The quiz runner: the program of every test. kazpack appends a test to a copy of it, and
// the copy finds its test at the end of its own file.
#include "DesktopDisplay.h"
#include "KazProgram.h"
#include "KazTranslations.h"
#include "KazView.h"
#include "PackedQuiz.h"
#include "ProgramQuiz.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdlib>
#include <string_view>

namespace {

// kazpack packs a test only onto a file that holds this mark, with the layout this runner's
// reader knows; a test program keeps it in its runner part, so it can serve as a runner too.
constexpr char RunnerMark[] = "KAZ quiz runner, packed format 1";
static_assert(std::string_view(RunnerMark).starts_with(PackedQuiz::RunnerMark)
              && std::string_view(RunnerMark).substr(sizeof PackedQuiz::RunnerMark - 1) == "1"
              && PackedQuiz::Version == 1);

} // namespace

int main(int argc, char *argv[])
{
    // A store through a volatile pointer keeps the mark in the program file, whatever the linker drops.
    const char *volatile mark = RunnerMark;
    static_cast<void>(mark);
    if (!DesktopDisplay::available()) {
        // The test is still read, so that a broken program says what is wrong with it.
        QCoreApplication core(argc, argv);
        KazTranslations::install(core);
        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(QCoreApplication::applicationFilePath());
        if (!loaded.ok())
            QTextStream(stderr) << loaded.message << '\n';
        else
            QTextStream(stderr) << QCoreApplication::translate("main", "KAZ needs a graphical desktop, and no display "
                                                                       "was found (DISPLAY is not set or not reachable).")
                                << '\n';
        return EXIT_FAILURE;
    }
    DesktopDisplay::chooseFontEngine();
    QApplication app(argc, argv);
    KazTranslations::install(app);
    QApplication::setApplicationName(QStringLiteral("KAZ"));
    // The whole test is read and checked before any window is made.
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(QCoreApplication::applicationFilePath());
    if (!loaded.ok()) {
        QTextStream(stderr) << loaded.message << '\n';
        if (!DesktopDisplay::headless())
            QMessageBox::critical(nullptr, QCoreApplication::translate("main", "KAZ"), loaded.message);
        return EXIT_FAILURE;
    }
    KazProgram program(loaded.content);
    program.setIcon(loaded.icon);
    program.view()->showCentred();
    return app.exec();
}
