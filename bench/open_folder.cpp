// kazbench-open FOLDER: opens a test folder in the editor's document as File, Open folder does
// (read, then the full check at once) and prints how long each part took and what it found.
// Run under `/usr/bin/time -v` for the peak memory; large and hostile tests are its input.
#include "ContentReader.h"
#include "QuizDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: kazbench-open FOLDER\n";
        return 2;
    }
    QuizDocument document;
    QElapsedTimer timer;
    timer.start();
    const QuizDocument::Opened opened = document.openFolder(app.arguments().at(1));
    const qint64 openMs = timer.elapsed();
    if (!opened.ok()) {
        out << "not opened: " << opened.error << '\n';
        return 1;
    }
    timer.restart();
    document.checkNow();
    const qint64 checkMs = timer.elapsed();
    out << "opened in " << openMs << " ms: " << document.rowCount() << " rows, " << opened.problems.size()
        << " problems of the file as read\n";
    out << "checked in " << checkMs << " ms: " << document.problems().size() << " problems\n";
    return 0;
}
