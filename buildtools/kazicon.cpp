// kazicon [--editor] OUTDIR SIZE...: draws the quiz program's icon (KazIconDrawing::image), or
// with --editor the test editor's (KazIconDrawing::editorImage), at each SIZE and writes it as
// OUTDIR/<size>.png. The build runs it once for each; the programs carry the files.
// kazicon [--editor] --ico FILE SIZE...: writes the drawings at every SIZE (at most 256) into
// one Windows icon FILE, which the Windows programs carry in their resources.
#include "KazIconDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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
    const bool ico = args.size() > 1 && args.at(1) == u"--ico";
    if (ico)
        args.removeAt(1);
    if (args.size() < 3) {
        err << "usage: kazicon [--editor] OUTDIR SIZE...\n"
               "       kazicon [--editor] --ico FILE SIZE...\n";
        return 2;
    }
    const int largest = ico ? 256 : 1024;
    QList<QImage> icons;
    for (const QString &arg : args.mid(2)) {
        bool number = false;
        const int size = arg.toInt(&number);
        if (!number || size < 1 || size > largest) {
            err << arg << ": error: not an icon size in pixels (1 to " << largest << ")\n";
            return 2;
        }
        icons.append(editor ? KazIconDrawing::editorImage(size) : KazIconDrawing::image(size));
    }
    if (ico) {
        QFile file(args.at(1));
        const QByteArray bytes = KazIconDrawing::windowsIcon(icons);
        if (!QDir().mkpath(QFileInfo(file).path()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size() || !file.flush()) {
            err << file.fileName() << ": error: cannot write the icon\n";
            return 1;
        }
        return 0;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        err << out.path() << ": error: cannot make the folder\n";
        return 1;
    }
    for (const QImage &icon : std::as_const(icons)) {
        const QString png = out.filePath(QStringLiteral("%1.png").arg(icon.width()));
        if (!icon.save(png, "PNG")) {
            err << png << ": error: cannot write the icon\n";
            return 1;
        }
    }
    return 0;
}
