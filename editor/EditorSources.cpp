#include "EditorSources.h"

#include "ContentReader.h"
#include "FileAccess.h"
#include "FileMapping.h"
#include "Gift.h"
#include "MoodleExport.h"
#include "MoodleXml.h"
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
#include <algorithm>
#include <optional>

namespace EditorSources {

namespace {

// The file read as gift2kaz reads it, GIFT or Moodle XML; nullopt with `error` in gift2kaz's
// words when it gives no test. Messages name the file by its name, as the teacher chose it.
std::optional<Gift::Result> readGift(const QString &path, QString *error, GiftQuestions *skipped = nullptr)
{
    const QString name = QFileInfo(path).fileName();
    MoodleXml::Options options;
    options.checkPicture = [](const QByteArray &bytes) { return QuizFolder::checkPicture(bytes); };
    MoodleXml::FileRead read = MoodleXml::readFile(path, options);
    if (!read.problem.isEmpty()) {
        *error = (read.xml ? QCoreApplication::translate("gift2kaz", "%1: error: cannot read the Moodle XML file: %2")
                           : QCoreApplication::translate("gift2kaz", "%1: error: cannot read the GIFT file: %2"))
                     .arg(printableName(name), printableName(read.problem));
        return std::nullopt;
    }
    Gift::Result &result = read.result;
    if (skipped) {
        // A classification is offered in the list of questions, not among those skipped.
        QSet<int> offered;
        for (const Gift::Classification &c : std::as_const(result.classifications))
            offered.insert(c.question.line);
        for (qsizetype i = 0; i < result.skipped.size(); ++i) {
            const Gift::Skipped &s = result.skipped.at(i);
            if (offered.contains(s.line))
                continue;
            if (i < result.notes.size())
                skipped->notes.append(result.notes.at(i).toString(name, "note"));
            QString line = s.title.isEmpty()
                               ? QCoreApplication::translate("EditorSources", "Line %1: %2").arg(QString::number(s.line), s.kind)
                               : QCoreApplication::translate("EditorSources", "Line %1: %2 \"%3\"")
                                     .arg(QString::number(s.line), s.kind, printableName(s.title));
            if (!s.why.isEmpty())
                line += QStringLiteral(" – ") + s.why;
            skipped->skipped.append(line);
        }
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
    if (result.questions.isEmpty() && result.classifications.isEmpty()) {
        *error = QCoreApplication::translate("gift2kaz",
                                             "%1: error: the file holds no matching question, so there is no test to write")
                     .arg(printableName(name));
        return std::nullopt;
    }
    return std::move(result);
}

// The questions that can be opened, in the file's order: the matching questions and the
// classifications, each with the right parts its left parts share (none for a matching one).
QList<std::pair<Gift::Matching, QStringList>> offered(const Gift::Result &result)
{
    QList<std::pair<Gift::Matching, QStringList>> out;
    for (const Gift::Matching &q : result.questions)
        out.append({q, {}});
    for (const Gift::Classification &c : result.classifications)
        out.append({c.question, c.shared});
    std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.first.line < b.first.line; });
    return out;
}

} // namespace

GiftQuestions giftQuestions(const QString &path)
{
    GiftQuestions out;
    if (const std::optional<Gift::Result> result = readGift(path, &out.error, &out))
        for (const auto &[q, shared] : offered(*result)) {
            out.titles.append(q.title);
            out.categories.append(q.category);
            out.shared.append(shared);
            QString shown = printableName(q.title);
            if (!q.category.isEmpty())
                shown += QStringLiteral("   ") + QCoreApplication::translate("EditorSources", "Category: %1").arg(printableName(q.category));
            if (!shared.isEmpty())
                shown += QStringLiteral("   ")
                         + QCoreApplication::translate("EditorSources", "(classification: left phrases share \"%1\")")
                               .arg(printableName(Gift::excerpt(shared.first())));
            out.shown.append(shown);
        }
    return out;
}

QString openGift(QuizDocument &doc, const QString &path, int question, const QString &address)
{
    QString error;
    const std::optional<Gift::Result> result = readGift(path, &error);
    if (!result)
        return error;
    const auto questions = offered(*result);
    if (question < 0 || question >= questions.size())
        return QCoreApplication::translate("EditorSources", "The file %1 has changed since it was opened and no longer "
                                                            "holds that question. Open the file again.")
            .arg(printableName(QFileInfo(path).fileName()));
    // The very text gift2kaz writes into the question's folder, its lists sized to fit the phrases
    // where fonts can measure them, read as the folder would be.
    const auto &[chosen, shared] = questions.at(question);
    const Gift::Matching q = shared.isEmpty() ? chosen : Gift::distinctRights({chosen, shared});
    if (const QString why = MoodleXml::problem(q); !shared.isEmpty() && !why.isEmpty())
        return QCoreApplication::translate("EditorSources", "The question \"%1\" cannot become a test even with its "
                                                            "shared right phrases made distinct: %2.")
            .arg(printableName(q.title), why);
    const QStringList geometry = ListText::canMeasure() ? ListText::fittedDefault(q.left, q.right) : QStringList();
    const QString text = Gift::toContent(q, address, QFileInfo(path).fileName(), geometry);
    QHash<QString, QByteArray> pictures;
    for (const Gift::Picture &p : q.pictures)
        pictures.insert(p.name, p.bytes);
    doc.openStore(ContentReader::read(text).store, pictures, {}, FileMapping::leadingComments(text));
    return {};
}

MoodleFiles moodleFiles(const QString &folder, const QString &name)
{
    const QString base = Gift::folderName(name);
    const QDir dir(folder);
    return {dir.filePath(base + QStringLiteral(".xml")), dir.filePath(base + QStringLiteral(".gift"))};
}

QString moodleName(const QuizDocument &doc)
{
    if (!doc.folder().isEmpty())
        return QFileInfo(doc.folder()).fileName();
    return Gift::folderName(doc.field(DocumentField::Title));
}

QStringList existingFiles(const MoodleFiles &files)
{
    QStringList out;
    for (const QString &f : files.all())
        if (QFileInfo::exists(f) || QFileInfo(f).isSymLink())
            out.append(f);
    return out;
}

MoodleExported exportForMoodle(const DocumentContent &content, const MoodleFiles &files, bool replace)
{
    MoodleExported out;
    if (!replace && !existingFiles(files).isEmpty()) {
        out.error = QCoreApplication::translate("EditorSources", "%1 is there already; nothing was written.")
                        .arg(printablePath(existingFiles(files).first()));
        return out;
    }
    // The test as the learner's program would hold it, pictures included.
    const QuizFolder::Checked checked = QuizFolder::check(EditorSources::files(content));
    if (!checked.read) {
        out.error = checked.problems.isEmpty() ? QString() : checked.problems.constFirst().toString();
        return out;
    }
    const Gift::Matching q = MoodleExport::fromStore(checked.store, QFileInfo(files.xml).completeBaseName());
    if (q.left.size() < Gift::MinPairs) {
        out.error = QCoreApplication::translate("EditorSources", "the test has %1 pairs, but a matching question in Moodle "
                                                                 "needs at least %2; nothing was written")
                        .arg(q.left.size())
                        .arg(Gift::MinPairs);
        return out;
    }
    const QString gift = MoodleExport::gift(q, &out.notes);
    const QString folder = QFileInfo(files.xml).absolutePath();
    // Both files or neither.
    out.error = FileAccess::writeAll(folder, {{QFileInfo(files.xml).fileName(), MoodleExport::moodleXml(q)},
                                              {QFileInfo(files.gift).fileName(), gift.toUtf8()}});
    return out;
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
