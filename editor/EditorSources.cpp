#include "EditorSources.h"

#include "ContentReader.h"
#include "FileAccess.h"
#include "FileMapping.h"
#include "Gift.h"
#include "ListText.h"
#include "Printing.h"
#include "ProgramQuiz.h"
#include "QuizDocument.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>

namespace EditorSources {

namespace {

// The GIFT file read as gift2kaz reads it; nullopt with `error` in gift2kaz's words when it
// gives no test. Messages name the file by its name, as the teacher chose it.
std::optional<Gift::Result> readGift(const QString &path, QString *error, GiftQuestions *skipped = nullptr)
{
    const QString name = QFileInfo(path).fileName();
    const FileAccess::Read file = FileAccess::read(path, Gift::MaxFileBytes);
    if (!file.ok()) {
        *error = QCoreApplication::translate("gift2kaz", "%1: error: cannot read the GIFT file: %2").arg(printableName(name), printableName(file.problem));
        return std::nullopt;
    }
    Gift::Result result = Gift::readBytes(file.bytes);
    if (skipped) {
        for (const Gift::Message &n : std::as_const(result.notes))
            skipped->notes.append(n.toString(name, "note"));
        for (const Gift::Skipped &s : std::as_const(result.skipped))
            skipped->skipped.append(
                s.title.isEmpty()
                    ? QCoreApplication::translate("EditorSources", "Line %1: %2").arg(QString::number(s.line), s.kind)
                    : QCoreApplication::translate("EditorSources", "Line %1: %2 \"%3\"")
                          .arg(QString::number(s.line), s.kind, printableName(s.title)));
    }
    if (!result.ok()) {
        QStringList lines;
        for (const Gift::Message &e : std::as_const(result.errors))
            lines.append(e.toString(name, "error"));
        QString text;
        QTextStream stream(&text);
        printCapped(stream, lines, "problem");
        stream << QCoreApplication::translate("EditorSources", "The file has %n problem(s), so no test was opened. Mend "
                                                               "the lines named above and open the file again.",
                                              nullptr, int(result.errors.size()));
        stream.flush();
        *error = text;
        return std::nullopt;
    }
    if (result.questions.isEmpty()) {
        *error = QCoreApplication::translate("gift2kaz",
                                             "%1: error: the file holds no matching question, so there is no test to write")
                     .arg(printableName(name));
        return std::nullopt;
    }
    return result;
}

} // namespace

GiftQuestions giftQuestions(const QString &path)
{
    GiftQuestions out;
    if (const std::optional<Gift::Result> result = readGift(path, &out.error, &out))
        for (const Gift::Matching &q : result->questions)
            out.titles.append(q.title);
    return out;
}

QString openGift(QuizDocument &doc, const QString &path, int question, const QString &address)
{
    QString error;
    const std::optional<Gift::Result> result = readGift(path, &error);
    if (!result)
        return error;
    if (question < 0 || question >= result->questions.size())
        return QCoreApplication::translate("EditorSources", "The file %1 has changed since it was opened and no longer "
                                                            "holds that question. Open the file again.")
            .arg(printableName(QFileInfo(path).fileName()));
    // The very text gift2kaz writes into the question's folder, its lists sized to fit the phrases
    // where fonts can measure them, read as the folder would be.
    const Gift::Matching &q = result->questions.at(question);
    const QStringList geometry = ListText::canMeasure() ? ListText::fittedDefault(q.left, q.right) : QStringList();
    const QString text = Gift::toContent(q, address, QFileInfo(path).fileName(), geometry);
    doc.openStore(ContentReader::read(text).store, {}, {}, FileMapping::leadingComments(text));
    return {};
}

QString openProgram(QuizDocument &doc, const QString &programPath)
{
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(programPath, ProgramQuiz::Reader::Editor);
    if (!loaded.ok())
        return loaded.message;
    QHash<QString, QByteArray> pictures;
    QStringList comments;
    for (const QuizFile &f : loaded.files) {
        if (f.name == u"test.kaz")
            comments = FileMapping::leadingComments(QString::fromUtf8(f.bytes));
        else
            pictures.insert(f.name, f.bytes);
    }
    doc.openStore(*loaded.content, pictures, {}, comments);
    return {};
}

QuizFileList files(const DocumentContent &content)
{
    QuizFileList out{{QStringLiteral("test.kaz"), FileMapping::text(FileMapping::toStore(content)).toUtf8()}};
    // By name, as the folder will hold them; a picture held without bytes (missing when the
    // test was opened) is left for the check to find, unless another row holds its bytes.
    QSet<QString> named;
    const auto add = [&](const DocumentPicture &p) {
        if (p.isNull() || p.bytes.isEmpty() || named.contains(p.name))
            return;
        named.insert(p.name);
        out.append({p.name, p.bytes});
    };
    for (const DocumentRow &row : content.rows)
        add(row.picture);
    for (const DocumentSpare &s : content.spare)
        add(s.picture);
    return out;
}

TryOut tryOutContent(const DocumentContent &content)
{
    QuizFolder::Checked checked = QuizFolder::check(files(content));
    TryOut out;
    if (!checked.read) {
        out.error = checked.problems.isEmpty() ? QString() : checked.problems.constFirst().toString();
        return out;
    }
    out.problems = int(checked.problems.size() + checked.moreProblems);
    out.content = std::make_shared<const ContentStore>(std::move(checked.store));
    return out;
}

QString startFolder(const QString &folder)
{
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace EditorSources
