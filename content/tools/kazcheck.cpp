// kazcheck FOLDER [STAMP]: checks the test in FOLDER/test.kaz against every rule of the
// content format and prints each problem as "file:line: error: …". Exits 1 when there is
// any, so that the build of a faulty test stops; touches STAMP when the test is sound.
#include "ContentReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// Why the picture file at `source` cannot be shown, and its size in pixels.
ContentReader::PictureCheck checkPicture(const QString &source)
{
    const QFileInfo info(source);
    if (!info.isFile()) {
        // Names must match letter for letter, capitals included, on every system.
        const QStringList near = info.dir().entryList(QDir::Files).filter(
            QRegularExpression(QStringLiteral("^%1$").arg(QRegularExpression::escape(info.fileName())),
                               QRegularExpression::CaseInsensitiveOption));
        if (!near.isEmpty())
            return QStringLiteral("there is no such file beside test.kaz, but there is \"%1\"; write the name "
                                  "exactly as the file is called, capitals included")
                .arg(near.first());
        return QStringLiteral("there is no such file beside test.kaz; put the picture in the test folder, or "
                              "correct its name");
    }
    if (!info.isReadable())
        return QStringLiteral("the file cannot be read (no permission to read it)");
    QImageReader reader(source);
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("the file is not a picture that can be shown (%1); save it again as PNG")
            .arg(reader.errorString());
    return {QString(), image.size()};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: kazcheck FOLDER [STAMP]\n";
        return 2;
    }
    const QDir folder(args.at(1));
    const QString path = folder.filePath(QStringLiteral("test.kaz"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": error: cannot read the test: " << file.errorString() << '\n';
        return 1;
    }

    ContentReader::Options options;
    options.fileName = QFileInfo(path).filePath();
    options.pictureBase = folder.path() + u'/';
    options.checkPicture = checkPicture;
    const ContentReader::Result result = ContentReader::readBytes(file.readAll(), options);
    for (const ContentReader::Problem &p : result.problems)
        err << p.toString() << '\n';
    if (!result.ok()) {
        err << result.problems.size() << (result.problems.size() == 1 ? " problem" : " problems")
            << " in " << path << "; the test was not built\n";
        return 1;
    }
    if (args.size() == 3) {
        QFile stamp(args.at(2));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << args.at(2) << ": error: cannot write the check stamp\n";
            return 1;
        }
        stamp.write("checked\n");
    }
    return 0;
}
