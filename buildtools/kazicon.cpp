// kazicon [--editor] OUTDIR SIZE...: draws the quiz program's icon (KazIconDrawing::image), or
// with --editor the test editor's (KazIconDrawing::editorImage), at each SIZE and writes it as
// OUTDIR/<size>.png. The build runs it once for each; the programs carry the files.
// kazicon [--editor] --ico FILE SIZE...: writes the drawings at every SIZE (at most 256) into
// one Windows icon FILE, which the Windows programs carry in their resources.
// kazicon --setup-picture FILE WIDTH HEIGHT: writes KazIconDrawing::setupBitmap to FILE, the
// pictures of the setup for Windows (scripts/windows-setup.sh).
#include "KazIconDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

namespace {

// `bytes` as the file `path`, its folder made where missing.
bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    if (args.size() > 1 && args.at(1) == u"--setup-picture") {
        bool wide = false, tall = false;
        const int width = args.value(3).toInt(&wide);
        const int height = args.value(4).toInt(&tall);
        if (args.size() != 5 || !wide || !tall || width < 1 || height < 1 || width > 1024 || height > 1024) {
            err << "usage: kazicon --setup-picture FILE WIDTH HEIGHT (1 to 1024 pixels each)\n";
            return 2;
        }
        if (!write(args.at(2), KazIconDrawing::setupBitmap(width, height))) {
            err << args.at(2) << ": error: cannot write the picture\n";
            return 1;
        }
        return 0;
    }
    const bool editor = args.size() > 1 && args.at(1) == u"--editor";
    if (editor)
        args.removeAt(1);
    const bool ico = args.size() > 1 && args.at(1) == u"--ico";
    if (ico)
        args.removeAt(1);
    if (args.size() < 3) {
        err << "usage: kazicon [--editor] OUTDIR SIZE...\n"
               "       kazicon [--editor] --ico FILE SIZE...\n"
               "       kazicon --setup-picture FILE WIDTH HEIGHT\n";
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
        if (!write(args.at(1), KazIconDrawing::windowsIcon(icons))) {
            err << args.at(1) << ": error: cannot write the icon\n";
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
