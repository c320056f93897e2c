// kazdesktop FOLDER EXECUTABLE OUTDIR: writes what a desktop needs to list the quiz
// program EXECUTABLE, built from the test in FOLDER, and its manual page under OUTDIR as
// they are laid out below the installed data folder (share/):
//   applications/<id>.desktop, metainfo/<id>.metainfo.xml,
//   icons/hicolor/<n>x<n>/apps/<id>.png for every icon size (the folder's icon.png when it has
//   one, scaled, else the icon drawing),
//   man/man1/<executable>.1 (the build compresses it).
// The id, the menu entry's name and the page's title come from the test's caption.
//
// kazdesktop --editor ID OUTDIR: writes the test editor's icons at every size,
// icons/hicolor/<n>x<n>/apps/<ID>.png; its desktop entry, metainfo and manual page are files
// of their own in packaging/.
#include "ContentReader.h"
#include "DesktopFiles.h"
#include "KazIconDrawing.h"
#include "ManualPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes, QTextStream &err)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        err << path << ": error: cannot write: " << file.errorString() << '\n';
        return false;
    }
    return true;
}

// An icon's place in the hicolor theme, below share/.
QString iconPath(int size, const QString &id)
{
    return QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        err << "usage: kazdesktop FOLDER EXECUTABLE OUTDIR\n"
               "       kazdesktop --editor ID OUTDIR\n";
        return 2;
    }
    if (args.at(1) == u"--editor") {
        const QDir out(args.at(3));
        bool ok = true;
        for (int size : KazIconDrawing::sizes())
            ok = writeFile(out.filePath(iconPath(size, args.at(2))), KazIconDrawing::editorPng(size), err) && ok;
        return ok ? 0 : 1;
    }
    const QDir folder(args.at(1));
    const QString path = folder.filePath(QStringLiteral("test.kaz"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": error: cannot read the test: " << file.errorString() << '\n';
        return 1;
    }
    ContentReader::Options options;
    options.fileName = path;
    const ContentReader::Result result = ContentReader::read(QString::fromUtf8(file.readAll()), options);
    if (!result.ok()) {
        for (const ContentReader::Problem &p : result.problems)
            err << p.toString() << '\n';
        return 1;
    }

    const QString caption = ContentStore::item(result.store.Danni(3), 0);
    const DesktopFiles::Program program = DesktopFiles::describe(
        caption, QFileInfo(folder.absolutePath()).fileName(), args.at(2));
    const QDir out(args.at(3));
    bool ok = writeFile(out.filePath(QStringLiteral("applications/%1.desktop").arg(program.id)),
                        DesktopFiles::desktopEntry(program).toUtf8(), err);
    ok = writeFile(out.filePath(QStringLiteral("metainfo/%1.metainfo.xml").arg(program.id)),
                   DesktopFiles::metainfo(program).toUtf8(), err)
        && ok;
    ok = writeFile(out.filePath(QStringLiteral("man/man1/%1.1").arg(program.executable)),
                   ManualPage::quizProgram(program, QStringLiteral(KAZ_VERSION)).toUtf8(), err)
        && ok;
    // The test's own icon.png, checked by kazpack when the program was packed, else KAZ's.
    QImage own;
    const QString iconFile = folder.filePath(QStringLiteral("icon.png"));
    if (QFileInfo::exists(iconFile) && !own.load(iconFile, "PNG")) {
        err << iconFile << ": error: cannot read the test's icon; save it again as PNG\n";
        return 1;
    }
    for (int size : KazIconDrawing::sizes())
        ok = writeFile(out.filePath(iconPath(size, program.id)), KazIconDrawing::png(size, own), err) && ok;
    return ok ? 0 : 1;
}
