// kazcheck FOLDER [STAMP]: checks the test in FOLDER/test.kaz against every rule of the
// content format and prints each problem as "file:line: error: …". Exits 1 when there is
// any, so that the build of a faulty test stops; touches STAMP when the test is sound.
#include "ContentReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "minimal");
    QGuiApplication app(argc, argv);
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
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes) {
        err << path << ": error: the file is not UTF-8 text; save it as UTF-8\n";
        return 1;
    }

    ContentReader::Options options;
    options.fileName = QFileInfo(path).filePath();
    options.pictureBase = folder.path() + u'/';
    options.checkPicture = [](const QString &source) -> QString {
        if (!QFileInfo(source).isFile())
            return QStringLiteral("there is no such file beside test.kaz");
        QImageReader reader(source);
        if (reader.read().isNull())
            return reader.errorString();
        return {};
    };
    const ContentReader::Result result = ContentReader::read(text, options);
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
