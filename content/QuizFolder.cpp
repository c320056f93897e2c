#include "QuizFolder.h"

#include "Printing.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace QuizFolder {

namespace {

const QString TestName = QStringLiteral("test.kaz");

// The memory a loaded picture may take, as the program loads pictures; 0: no limit.
qint64 allocationLimit()
{
    return qint64(QImageReader::allocationLimit()) * 1024 * 1024;
}

// Why the picture file at `source` cannot be shown, and its size; its bytes go to `bytes`.
ContentReader::PictureCheck readPicture(const QString &source, FileAccess::Links links, QByteArray *bytes)
{
    const QFileInfo info(source);
    if (!info.exists() && !info.isSymLink()) {
        // Names must match letter for letter, capitals included, on every system.
        const QStringList near = info.dir().entryList(QDir::Files).filter(
            QRegularExpression(QStringLiteral("^%1$").arg(QRegularExpression::escape(info.fileName())),
                               QRegularExpression::CaseInsensitiveOption));
        if (!near.isEmpty())
            return QCoreApplication::translate("QuizFolder", "there is no such file beside test.kaz, but there is \"%1\"; write the name "
                                  "exactly as the file is called, capitals included")
                .arg(near.first());
        return QCoreApplication::translate("QuizFolder", "there is no such file beside test.kaz; put the picture in the test folder, or "
                              "correct its name");
    }
    // FileAccess's words may quote where a link leads.
    if (const QString kind = FileAccess::notAFile(source, links); !kind.isEmpty())
        return printableName(kind);
    FileAccess::Read file = FileAccess::read(source, maxPictureBytes(), links);
    if (file.tooLarge)
        return QCoreApplication::translate("QuizFolder", "the file is too large: %1; save the picture smaller").arg(file.problem);
    if (!file.ok())
        return QCoreApplication::translate("QuizFolder", "the file cannot be read: %1").arg(printableName(file.problem));
    *bytes = std::move(file.bytes);
    return checkPicture(*bytes);
}

// Reads `text` as test.kaz with `look` checking each picture it names, whose bytes
// it keeps in `pictures` by source when the picture can be shown; the pictures are then
// given to the store and, for a sound test, listed after test.kaz under the names `name`
// makes of their sources.
template <typename Look, typename Name>
void readTest(Checked &c, const QByteArray &text, ContentReader::Options options, QHash<QString, QByteArray> &pictures,
              Look look, Name name)
{
    options.checkPicture = [&pictures, &look](const QString &source) {
        QByteArray bytes;
        ContentReader::PictureCheck found = look(source, &bytes);
        if (found.problem.isEmpty())
            pictures.insert(source, bytes);
        return found;
    };
    ContentReader::Result result = ContentReader::readBytes(text, options);
    c.store = std::move(result.store);
    c.problems = std::move(result.problems);
    c.moreProblems = result.moreProblems;
    for (auto p = pictures.cbegin(); p != pictures.cend(); ++p)
        c.store.setPictureData(p.key(), p.value());
    if (!c.ok())
        return;
    c.files.append({TestName, text});
    QSet<QString> taken;
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const QString &source = c.store.Graphika(q).source;
        const auto found = pictures.constFind(source);
        if (found == pictures.cend() || taken.contains(source))
            continue;
        taken.insert(source);
        c.files.append({name(source), *found});
    }
}

// Checks the test's icon, whose bytes `look` gives (false: the test has none); a sound icon
// goes into the store's files after the pictures, once even when a question shows it too.
template <typename Look>
void checkIcon(Checked &c, const QString &path, Look look)
{
    QByteArray bytes;
    QString problem;
    if (!look(&bytes, &problem))
        return;
    if (problem.isEmpty())
        problem = iconProblem(bytes);
    if (!problem.isEmpty()) {
        c.problems.append({printablePath(path), 0, problem});
        c.files.clear();
        return;
    }
    c.icon = bytes;
    const QString name = QLatin1String(IconName);
    if (c.ok() && std::none_of(c.files.cbegin(), c.files.cend(), [&name](const QuizFile &f) { return f.name == name; }))
        c.files.append({name, bytes});
}

} // namespace

QString iconProblem(const QByteArray &bytes)
{
    const QString advice = QCoreApplication::translate("QuizFolder", "an icon is a square PNG picture from %1 × %1 to %2 × %2 pixels, best 256 × 256")
                               .arg(MinIconSize)
                               .arg(MaxIconSize);
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QCoreApplication::translate("QuizFolder", "the icon is not a PNG file; %1: save it as PNG under the name icon.png").arg(advice);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // The size from the file's header first, so that a huge picture is never decoded.
    QSize size = reader.size();
    QImage image;
    if (!size.isValid() || (size.width() >= MinIconSize && size.width() <= MaxIconSize && size.width() == size.height())) {
        image = reader.read();
        if (image.isNull())
            return QCoreApplication::translate("QuizFolder", "the icon cannot be read as a picture (%1); save it again as PNG, %2")
                .arg(reader.errorString(), advice);
        size = image.size();
    }
    if (size.width() != size.height())
        return QCoreApplication::translate("QuizFolder", "the icon is %1 × %2 pixels, not square; %3: cut it square or save it at 256 × 256")
            .arg(size.width())
            .arg(size.height())
            .arg(advice);
    if (size.width() < MinIconSize || size.width() > MaxIconSize)
        return QCoreApplication::translate("QuizFolder", "the icon is %1 × %1 pixels, too %2; %3: save it at 256 × 256")
            .arg(size.width())
            .arg(size.width() < MinIconSize ? QCoreApplication::translate("QuizFolder", "small") : QCoreApplication::translate("QuizFolder", "large"))
            .arg(advice);
    return {};
}

qint64 maxPictureBytes()
{
    const qint64 limit = allocationLimit();
    return limit > 0 ? limit : ContentReader::MaxFileBytes * 64;
}

ContentReader::PictureCheck checkPicture(const QString &source, FileAccess::Links links)
{
    QByteArray bytes;
    return readPicture(source, links, &bytes);
}

ContentReader::PictureCheck checkPicture(const QByteArray &bytes)
{
    if (bytes.size() > maxPictureBytes())
        return QCoreApplication::translate("QuizFolder", "the file is too large: %1; save the picture smaller")
            .arg(FileAccess::tooLarge(bytes.size(), maxPictureBytes()));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Four bytes a pixel, as the picture is shown.
    const qint64 limit = allocationLimit();
    if (const QSize size = reader.size(); limit > 0 && size.isValid() && qint64(size.width()) * size.height() * 4 > limit) {
        const qint64 most = limit / 4;
        return QCoreApplication::translate("QuizFolder", "the picture is %1 × %2 pixels, too many to load: a picture may take at most %3 MB of "
                              "memory, which is %4 million pixels (such as %5 × %5); make the picture smaller (the "
                              "picture window shows it at its own size, so one larger than the screen cannot be seen "
                              "whole anyway)")
            .arg(size.width())
            .arg(size.height())
            .arg(limit / (1024 * 1024))
            .arg(most / 1000000)
            .arg(qint64(std::sqrt(double(most))));
    }
    const QImage image = reader.read();
    if (image.isNull())
        return QCoreApplication::translate("QuizFolder", "the file is not a picture that can be shown (%1); save it again as PNG")
            .arg(reader.errorString());
    return {QString(), image.size()};
}

Checked check(const QString &folderPath, FileAccess::Links links)
{
    const QDir folder(folderPath);
    Checked c;
    const QString testFile = QFileInfo(folder.filePath(TestName)).filePath();
    c.testFile = printablePath(testFile);
    const auto cannot = [&c](const QString &why) {
        c.problems.append({c.testFile, 0, QCoreApplication::translate("QuizFolder", "cannot read the test: ") + why});
        return c;
    };
    if (const QFileInfo info(folderPath); !info.isDir())
        return cannot((info.exists() ? QCoreApplication::translate("QuizFolder", "\"%1\" is a file, not a folder") : QCoreApplication::translate("QuizFolder", "there is no folder \"%1\""))
                          .arg(printablePath(folderPath))
                      + QCoreApplication::translate("QuizFolder", "; name the folder that holds test.kaz"));
    if (const QString unfinished = FileAccess::finishForReading(folderPath); !unfinished.isEmpty())
        return cannot(unfinished);
    const FileAccess::Read file = FileAccess::read(testFile, ContentReader::MaxFileBytes, links);
    if (file.tooLarge)
        return cannot(QCoreApplication::translate("QuizFolder", "%1, the most a test may have (a test of %2 phrases a side takes about 5 MB); "
                                     "keep only the test in it")
                          .arg(file.problem)
                          .arg(ContentReader::MaxPhrases));
    if (!file.ok())
        return cannot(printableName(file.problem));
    c.read = true;

    ContentReader::Options options;
    options.fileName = c.testFile;
    options.pictureBase = folder.path() + u'/';
    QHash<QString, QByteArray> pictures;
    const qsizetype base = options.pictureBase.size();
    readTest(
        c, file.bytes, options, pictures,
        [links](const QString &source, QByteArray *bytes) { return readPicture(source, links, bytes); },
        [base](const QString &source) { return source.mid(base); });
    const QString iconPath = folder.filePath(QLatin1String(IconName));
    checkIcon(c, iconPath, [&](QByteArray *bytes, QString *problem) {
        const QFileInfo info(iconPath);
        if (!info.exists() && !info.isSymLink()) {
            // Names must match letter for letter: an "Icon.PNG" would be left out unseen.
            const QStringList near = folder.entryList(QDir::Files | QDir::System).filter(
                QRegularExpression(QStringLiteral("^icon\\.png$"), QRegularExpression::CaseInsensitiveOption));
            if (near.isEmpty())
                return false;
            *problem = QCoreApplication::translate("QuizFolder", "there is no icon.png, but there is \"%1\"; rename it to icon.png exactly, in "
                                      "small letters, to make it the test's icon")
                           .arg(near.first());
            return true;
        }
        if (const QString kind = FileAccess::notAFile(iconPath, links); !kind.isEmpty()) {
            *problem = QCoreApplication::translate("QuizFolder", "the test's icon cannot be used: ") + printableName(kind);
            return true;
        }
        FileAccess::Read file = FileAccess::read(iconPath, maxPictureBytes(), links);
        if (file.tooLarge)
            *problem = QCoreApplication::translate("QuizFolder", "the file is too large: %1; save the icon at 256 × 256 pixels").arg(file.problem);
        else if (!file.ok())
            *problem = QCoreApplication::translate("QuizFolder", "the file cannot be read: %1").arg(printableName(file.problem));
        *bytes = std::move(file.bytes);
        return true;
    });
    return c;
}

Checked check(const QuizFileList &files)
{
    Checked c;
    c.testFile = TestName;
    QHash<QString, QByteArray> byName;
    for (const QuizFile &f : files)
        byName.insert(f.name, f.bytes);
    const auto text = byName.constFind(TestName);
    if (text == byName.cend()) {
        c.problems.append({c.testFile, 0, QCoreApplication::translate("QuizFolder", "cannot read the test: it holds no test.kaz")});
        return c;
    }
    c.read = true;

    ContentReader::Options options;
    options.fileName = c.testFile;
    QHash<QString, QByteArray> pictures;
    readTest(
        c, *text, options, pictures,
        [&byName](const QString &name, QByteArray *bytes) -> ContentReader::PictureCheck {
            const auto found = byName.constFind(name);
            if (found == byName.cend())
                return QCoreApplication::translate("QuizFolder", "the program holds no picture of this name");
            *bytes = *found;
            return checkPicture(*found);
        },
        [](const QString &source) { return source; });
    checkIcon(c, QLatin1String(IconName), [&byName](QByteArray *bytes, QString *) {
        const auto found = byName.constFind(QLatin1String(IconName));
        if (found == byName.cend())
            return false;
        *bytes = *found;
        return true;
    });
    return c;
}

void printProblems(QTextStream &err, const Checked &checked, const QString &outcome)
{
    QStringList problems;
    for (const ContentReader::Problem &p : checked.problems)
        problems.append(p.toString());
    printCapped(err, problems, "problem", checked.moreProblems);
    const qsizetype count = problems.size() + checked.moreProblems;
    if (checked.read && !checked.ok())
        err << (count == 1 ? QCoreApplication::translate("QuizFolder", "1 problem in %1; %2").arg(checked.testFile, outcome)
                           : QCoreApplication::translate("QuizFolder", "%1 problems in %2; %3")
                                 .arg(QString::number(count), checked.testFile, outcome))
            << '\n';
}

} // namespace QuizFolder
