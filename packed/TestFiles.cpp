#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

namespace TestFiles {

namespace {

const QString ContentName = QStringLiteral("test.kaz");

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1 << 20), 'f', 1);
}

// Why the file at `path` cannot be packed: a link, no regular file, unreadable or too large.
QString fileProblem(const QFileInfo &info, qint64 limit, const QString &what)
{
    if (info.isSymLink())
        return QStringLiteral("the file is a symbolic link; put the %1 itself in the test folder, not a link to it")
            .arg(what);
    if (!info.isFile())
        return QStringLiteral("this is not an ordinary file (it is a folder, a device or a pipe); put the %1 file "
                              "itself in the test folder")
            .arg(what);
    if (!info.isReadable())
        return QStringLiteral("the file cannot be read (no permission to read it)");
    if (info.size() > limit)
        return QStringLiteral("the file has %1 MB, more than a test may use (%2 MB); make it smaller")
            .arg(megabytes(info.size()), megabytes(limit));
    return {};
}

QByteArray readAll(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        *error = file.errorString();
    return bytes;
}

// Why the picture file at `source` cannot be shown, and its size; its bytes go to `bytes`.
ContentReader::PictureCheck checkPictureFile(const QString &source, QByteArray *bytes)
{
    const QFileInfo info(source);
    if (!info.exists() && !info.isSymLink()) {
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
    if (const QString why = fileProblem(info, MaxPictureSize, QStringLiteral("picture")); !why.isEmpty())
        return why;
    QString error;
    *bytes = readAll(source, &error);
    if (!error.isEmpty())
        return QStringLiteral("the file cannot be read (%1)").arg(error);
    return checkPicture(*bytes);
}

// The pictures of `content` in the order of their questions, each once, with the bytes
// `bytes` holds for its source; `name` turns a source into the file's name.
template <typename Name>
PackedTest::Files pictures(ContentStore &store, const QHash<QString, QByteArray> &bytes, Name name)
{
    PackedTest::Files files;
    QSet<QString> taken;
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const QString &source = store.Graphika(q).source;
        const auto found = bytes.constFind(source);
        if (found == bytes.cend() || taken.contains(source))
            continue;
        taken.insert(source);
        store.setPictureData(source, *found);
        files.append({name(source), *found});
    }
    return files;
}

} // namespace

ContentReader::PictureCheck checkPicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("the file is not a picture that can be shown (%1); save it again as PNG")
            .arg(reader.errorString());
    return {QString(), image.size()};
}

Checked readFolder(const QString &folderPath)
{
    Checked checked;
    const QDir folder(folderPath);
    const QString path = QFileInfo(folder.filePath(ContentName)).filePath();
    const auto cannotRead = [&](const QString &why) {
        checked.content.problems.append({path, 0, QStringLiteral("cannot read the test: ") + why});
        return checked;
    };
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return cannotRead(QStringLiteral("there is no file test.kaz in the folder"));
    if (const QString why = fileProblem(info, MaxContentSize, QStringLiteral("test.kaz")); !why.isEmpty())
        return cannotRead(why);
    QString error;
    const QByteArray text = readAll(path, &error);
    if (!error.isEmpty())
        return cannotRead(error);
    checked.testRead = true;

    QHash<QString, QByteArray> read; // source -> bytes, of the pictures that can be used
    ContentReader::Options options;
    options.fileName = path;
    options.pictureBase = folder.path() + u'/';
    options.checkPicture = [&read](const QString &source) {
        QByteArray bytes;
        ContentReader::PictureCheck check = checkPictureFile(source, &bytes);
        if (check.problem.isEmpty())
            read.insert(source, bytes);
        return check;
    };
    checked.content = ContentReader::readBytes(text, options);
    if (checked.content.ok()) {
        const qsizetype base = options.pictureBase.size();
        checked.files.append({ContentName, text});
        checked.files += pictures(checked.content.store, read, [base](const QString &source) { return source.mid(base); });
    }
    return checked;
}

Checked readFiles(const PackedTest::Files &files)
{
    Checked checked;
    QHash<QString, QByteArray> byName;
    for (const PackedTest::File &f : files)
        byName.insert(f.name, f.bytes);
    const auto text = byName.constFind(ContentName);
    if (text == byName.cend()) {
        checked.content.problems.append({ContentName, 0, QStringLiteral("cannot read the test: it holds no test.kaz")});
        return checked;
    }
    checked.testRead = true;

    QHash<QString, QByteArray> read;
    ContentReader::Options options;
    options.fileName = ContentName;
    options.checkPicture = [&byName, &read](const QString &name) -> ContentReader::PictureCheck {
        const auto found = byName.constFind(name);
        if (found == byName.cend())
            return QStringLiteral("the program holds no picture of this name");
        ContentReader::PictureCheck check = checkPicture(*found);
        if (check.problem.isEmpty())
            read.insert(name, *found);
        return check;
    };
    checked.content = ContentReader::readBytes(*text, options);
    if (checked.content.ok()) {
        checked.files.append({ContentName, *text});
        checked.files += pictures(checked.content.store, read, [](const QString &source) { return source; });
    }
    return checked;
}

} // namespace TestFiles
