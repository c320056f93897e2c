// kazicon OUTDIR SIZE...: draws the program's icon (KazIconDrawing::image) at each SIZE and writes
// it as OUTDIR/<size>.png. The build runs it once; quiz programs carry the files.
#include "KazIconDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        err << "usage: kazicon OUTDIR SIZE...\n";
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
        if (!KazIconDrawing::image(size).save(png, "PNG")) {
            err << png << ": error: cannot write the icon\n";
            return 1;
        }
    }
    return 0;
}
