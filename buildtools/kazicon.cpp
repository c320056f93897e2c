// kazicon [--editor] OUTDIR SIZE...: draws the quiz program's icon (KazIconDrawing::image), or
// with --editor the test editor's (KazIconDrawing::editorImage), at each SIZE and writes it as
// OUTDIR/<size>.png. The build runs it once for each; the programs carry the files.
#include "KazIconDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    const bool editor = args.size() > 1 && args.at(1) == u"--editor";
    if (editor)
        args.removeAt(1);
    if (args.size() < 3) {
        err << "usage: kazicon [--editor] OUTDIR SIZE...\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        err << out.path() << ": error: cannot make the folder\n";
        return 1;
    }
    for (const QString &arg : args.mid(2)) {
        bool number = false;
        const int size = arg.toInt(&number);
        if (!number || size < 1 || size > 1024) {
            err << arg << ": error: not an icon size in pixels (1 to 1024)\n";
            return 2;
        }
        const QString png = out.filePath(QStringLiteral("%1.png").arg(size));
        const QImage icon = editor ? KazIconDrawing::editorImage(size) : KazIconDrawing::image(size);
        if (!icon.save(png, "PNG")) {
            err << png << ": error: cannot write the icon\n";
            return 1;
        }
    }
    return 0;
}
