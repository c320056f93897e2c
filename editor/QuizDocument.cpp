#include "QuizDocument.h"

#include "EditCommands.h"
#include "FileAccess.h"
#include "FileMapping.h"
#include "ListText.h"
#include "PictureBytes.h"
#include "Numbers.h"
#include "Printing.h"
#include "Recovery.h"
#include "RowTableModel.h"
#include "SavePlace.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>
#include <QUndoStack>
#include <algorithm>

namespace {

// Merge kinds of RowEditCommand besides the typed fields.
constexpr int BoxMerge = 100;

QString oneLine(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    return QString(text).replace(lineBreak, QStringLiteral(" "));
}

bool isGeometry(DocumentField f) { return f >= DocumentField::WindowWidth && f <= DocumentField::RightListWidth; }

int geometryIndex(DocumentField f) { return int(f) - int(DocumentField::WindowWidth); }

// `count` items from `from` put before item `to` as it is before the move.
template<typename T>
void moveBlock(QList<T> &list, int from, int count, int to)
{
    const QList<T> block = list.mid(from, count);
    list.remove(from, count);
    const int at = to > from ? to - count : to;
    list.insert(at, count, T());
    for (int i = 0; i < count; ++i)
        list[at + i] = block.at(i);
}

QString pictureSuffix(const QString &name)
{
    return name.contains(u'.') ? name.section(u'.', -1).toLower() : QString();
}

// A name the folder can hold as a picture beside test.kaz.
bool writableName(const QString &name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && name != u"." && name != u".."
        && ContentReader::pictureSuffixes().contains(pictureSuffix(name));
}

} // namespace

QuizDocument::QuizDocument(QObject *parent)
    : QObject(parent)
    , m_undo(std::make_unique<QUndoStack>())
    , m_model(std::make_unique<RowTableModel>(this))
{
    m_recoveryPath = Recovery::newPath();
    connect(&m_checks, &CheckSchedule::started, this, &QuizDocument::checkStarted);
    connect(&m_checks, &CheckSchedule::checked, this, &QuizDocument::applyProblems);
    connect(m_undo.get(), &QUndoStack::cleanChanged, this, &QuizDocument::updateModified);
    // An undo or redo ends the typing of the step it leaves.
    connect(m_undo.get(), &QUndoStack::indexChanged, this, [this] {
        if (!m_pushing)
            ++m_typingSession;
    });
    newTest();
}

// A check still running works on its own copy of the content; its result is dropped.
QuizDocument::~QuizDocument() = default;

int QuizDocument::questionOf(int row) const { return m_questionOfRow.value(row, 0); }

int QuizDocument::rowOfQuestion(int q) const { return m_rowOfQuestion.value(q - 1, -1); }

QString QuizDocument::field(DocumentField f) const
{
    switch (f) {
    case DocumentField::Address:
        return m_content.address;
    case DocumentField::Title:
        return m_content.title;
    case DocumentField::Instructions:
        return m_content.instructions;
    case DocumentField::ExplanationLabel:
        return m_content.explanationLabel;
    case DocumentField::PictureLabel:
        return m_content.pictureLabel;
    default:
        return isGeometry(f) ? m_content.geometry.value(geometryIndex(f)) : QString();
    }
}

// ---------------------------------------------------------------- opening and saving

void QuizDocument::newTest() { replace(DocumentContent(), QString()); }

QuizDocument::Opened QuizDocument::openFolder(const QString &folder)
{
    Opened opened;
    if (!QFileInfo(folder).isDir()) {
        opened.error = QCoreApplication::translate("QuizDocument", "there is no folder \"%1\"; choose the folder that holds test.kaz").arg(printablePath(folder));
        return opened;
    }
    // A save cut short by a crash is finished when it counted, else undone.
    const QString unfinished = FileAccess::finishSaving(folder);
    const QDir dir(folder);
    const QString testFile = dir.filePath(QStringLiteral("test.kaz"));
    if (!QFileInfo::exists(testFile) && !QFileInfo(testFile).isSymLink()) {
        opened.error = unfinished.isEmpty()
                           ? QCoreApplication::translate("QuizDocument", "there is no test.kaz in %1; choose the folder that holds test.kaz").arg(printablePath(folder))
                           : QCoreApplication::translate("QuizDocument", "there is no test.kaz in %1, and a save that was cut short cannot be finished: %2")
                                 .arg(printablePath(folder), unfinished);
        return opened;
    }
    // Only the files themselves: a link may lead to a file of anyone's, which the recovery copy
    // and the saved folder would then hold.
    const FileAccess::Read file = FileAccess::read(testFile, ContentReader::MaxFileBytes, FileAccess::Links::Refuse);
    if (file.tooLarge) {
        opened.error = QCoreApplication::translate("QuizDocument", "cannot open %1: %2, the most a test may have").arg(printablePath(testFile), file.problem);
        return opened;
    }
    if (!file.ok()) {
        opened.error = QCoreApplication::translate("QuizDocument", "cannot open %1: %2").arg(printablePath(testFile), printableName(file.problem));
        return opened;
    }
    ContentReader::Options options;
    options.fileName = testFile;
    options.pictureBase = dir.path() + u'/';
    ContentReader::Result read = ContentReader::readBytes(file.bytes, options);
    // A file that is no text at all gives its one reason and nothing else.
    if (read.store == ContentStore() && read.problems.size() == 1) {
        opened.error = QCoreApplication::translate("QuizDocument", "cannot open %1: %2").arg(printablePath(testFile), read.problems.first().message);
        return opened;
    }
    QList<int> placed;
    replace(FileMapping::fromStore(read.store, options.pictureBase, PictureBytes::fromFile,
                                   FileMapping::leadingComments(QString::fromUtf8(file.bytes)), &placed),
            QFileInfo(folder).absoluteFilePath());
    m_savedText = file.bytes;
    opened.problems = std::move(read.problems);
    opened.moreProblems = read.moreProblems;
    opened.leftRows = placed.mid(0, read.store.Danni(0).size());
    opened.rightRows = placed.mid(0, read.store.Danni(1).size());
    return opened;
}

void QuizDocument::openStore(const ContentStore &store, const QHash<QString, QByteArray> &pictures,
                             const QString &pictureBase, const QStringList &comments)
{
    replace(FileMapping::fromStore(
                store, pictureBase,
                [&pictures](const QString &source) { return PictureBytes::Found{pictures.value(source), {}}; }, comments),
            QString());
    // Brought in from a GIFT file or a program, the test is in no folder yet: unsaved work, which
    // New, opening another test and closing ask about as about any change.
    setRestored(true);
}

QString QuizDocument::text() const { return FileMapping::text(FileMapping::toStore(m_content)); }

QString QuizDocument::saveTo(const QString &folder) { return saveTo(folder, true).why; }

QuizDocument::Saved QuizDocument::trySaveTo(const QString &folder) { return saveTo(folder, false); }

QuizDocument::Saved QuizDocument::saveTo(const QString &folder, bool wait)
{
    using Outcome = Saved::Outcome;
    const FileAccess::LockWait lockWait = wait ? FileAccess::LockWait::Wait : FileAccess::LockWait::DontWait;
    if (folder.isEmpty())
        return {Outcome::Failed, QCoreApplication::translate("QuizDocument", "the test has no folder yet; choose a folder to save it in")};
    if (const QString why = SavePlace::notForSaving(folder); !why.isEmpty())
        return {Outcome::NotHere, why};
    const FileMapping::Written written = FileMapping::toStore(m_content);
    // A picture missing since the test was opened has no bytes; another row may hold them.
    QHash<QString, QByteArray> pictures;
    for (const DocumentRow &row : std::as_const(m_content.rows))
        if (!row.picture.bytes.isEmpty())
            pictures.insert(row.picture.name, row.picture.bytes);
    for (const DocumentSpare &s : std::as_const(m_content.spare))
        if (!s.picture.bytes.isEmpty())
            pictures.insert(s.picture.name, s.picture.bytes);

    const QByteArray text = FileMapping::text(written).toUtf8();
    QList<FileAccess::Output> files{{QStringLiteral("test.kaz"), text}};
    QSet<QString> named;
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const QString name = written.store.Graphika(q).source;
        // A missing picture keeps its name in test.kaz and its problem; there is nothing to write.
        if (name.isEmpty() || named.contains(name) || !writableName(name) || pictures.value(name).isEmpty())
            continue;
        named.insert(name);
        files.append({name, pictures.value(name)});
    }
    // What a save cut short left is finished or undone before the files are compared.
    if (QFileInfo(folder).isDir())
        if (const FileAccess::Attempt a = FileAccess::tryFinishSaving(folder, lockWait); a.busy)
            return {Outcome::Busy, a.error};
    const QDir dir(folder);
    files.removeIf([&dir](const FileAccess::Output &o) {
        const QString path = dir.filePath(o.path);
        if (!FileAccess::notAFile(path).isEmpty() || QFileInfo(path).size() != o.bytes.size())
            return false;
        const FileAccess::Read there = FileAccess::read(path, o.bytes.size());
        return there.ok() && !there.tooLarge && there.bytes == o.bytes;
    });
    // A file the teacher protected is not replaced behind the teacher's back.
    for (const FileAccess::Output &o : std::as_const(files))
        if (const QString why = SavePlace::writeProtected(dir.filePath(o.path)); !why.isEmpty())
            return {Outcome::WriteProtected, why};
    if (!files.isEmpty())
        if (const FileAccess::Attempt a = FileAccess::tryWriteAll(folder, files, lockWait); !a.ok())
            return {a.busy ? Outcome::Busy : Outcome::Failed, a.error};

    removeRecovery();
    m_savedText = text;
    setFolder(QFileInfo(folder).absoluteFilePath());
    ++m_typingSession; // the saved step is not typed on
    m_undo->setClean();
    setRestored(false);
    return {};
}

// ---------------------------------------------------------------- edits

void QuizDocument::push(QUndoCommand *command)
{
    m_pushing = true;
    m_undo->push(command);
    m_pushing = false;
}

void QuizDocument::endTyping() { ++m_typingSession; }

DocumentRow QuizDocument::withCell(DocumentRow row, DocumentField field, const QString &text)
{
    switch (field) {
    case DocumentField::Left:
        row.left = oneLine(text);
        break;
    case DocumentField::Right:
        row.right = oneLine(text);
        break;
    case DocumentField::Explanation:
        if (row.explanation.isEmpty())
            row.explanationShown = true;
        row.explanation = FileMapping::cellLines(text);
        break;
    default:
        break;
    }
    return row;
}

void QuizDocument::setCell(int row, DocumentField field, const QString &text)
{
    const bool cell = field == DocumentField::Left || field == DocumentField::Right || field == DocumentField::Explanation;
    if (row < 0 || row >= rowCount() || !cell)
        return;
    const DocumentRow &before = m_content.rows.at(row);
    const DocumentRow after = withCell(before, field, text);
    if (after == before)
        return;
    push(new RowEditCommand(*this, row, before, after, int(field), m_typingSession, StepText::typing(field)));
}

void QuizDocument::setField(DocumentField field, const QString &text)
{
    const bool known = isGeometry(field) || field == DocumentField::Address || field == DocumentField::Title
        || field == DocumentField::Instructions || field == DocumentField::ExplanationLabel
        || field == DocumentField::PictureLabel;
    if (!known)
        return;
    QString value = field == DocumentField::Instructions
        ? QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n')
        : oneLine(text);
    const QString before = this->field(field);
    if (value == before)
        return;
    push(new FieldEditCommand(*this, field, before, std::move(value), m_typingSession, StepText::typing(field)));
}

void QuizDocument::setExplanationShown(int row, bool shown)
{
    if (row < 0 || row >= rowCount() || m_content.rows.at(row).explanationShown == shown)
        return;
    DocumentRow after = m_content.rows.at(row);
    after.explanationShown = shown;
    push(new RowEditCommand(*this, row, m_content.rows.at(row), after, -1, 0, StepText::explanationShown(shown)));
}

QString QuizDocument::setPictureFromFile(int row, const QString &path)
{
    const FileAccess::Read file = FileAccess::read(path, QuizFolder::maxPictureBytes());
    if (file.tooLarge)
        return QCoreApplication::translate("QuizDocument", "the picture %1 is too large: %2; save it smaller").arg(printablePath(path), file.problem);
    if (!file.ok())
        return QCoreApplication::translate("QuizDocument", "the picture %1 cannot be read: %2").arg(printablePath(path), printableName(file.problem));
    setPicture(row, QFileInfo(path).fileName(), file.bytes);
    return {};
}

QString QuizDocument::uniquePictureName(const QString &name, const QByteArray &bytes, int row) const
{
    // A picture missing since the test was opened takes no name: the new file stands in for it.
    QHash<QString, QByteArray> taken;
    for (int i = 0; i < rowCount(); ++i)
        if (const DocumentPicture &p = m_content.rows.at(i).picture; i != row && !p.bytes.isEmpty())
            taken.insert(p.name, p.bytes);
    for (const DocumentSpare &s : m_content.spare)
        if (!s.picture.bytes.isEmpty())
            taken.insert(s.picture.name, s.picture.bytes);
    // One file may serve several questions; another file with that name gets a number.
    const auto free
        = [&](const QString &candidate) { return !taken.contains(candidate) || taken.value(candidate) == bytes; };
    if (free(name))
        return name;
    const QString suffix = name.contains(u'.') ? u'.' + name.section(u'.', -1) : QString();
    const QString base = name.left(name.size() - suffix.size());
    for (int i = 2;; ++i)
        if (const QString candidate = QStringLiteral("%1-%2%3").arg(base).arg(i).arg(suffix); free(candidate))
            return candidate;
}

void QuizDocument::setPicture(int row, const QString &name, const QByteArray &bytes)
{
    if (row < 0 || row >= rowCount() || name.isEmpty())
        return;
    const DocumentRow &before = m_content.rows.at(row);
    DocumentRow after = before;
    DocumentPicture &p = after.picture;
    p = DocumentPicture();
    p.name = uniquePictureName(QFileInfo(name).fileName(), bytes, row);
    p.bytes = bytes;
    PictureBytes::inspect(p);
    // The box takes the picture's own size, which shows it whole and without a margin.
    if (p.pixels.isValid()) {
        p.width = p.pixels.width() * 15;
        p.height = p.pixels.height() * 15;
    }
    if (before.picture.isNull())
        after.pictureMode = PictureMode::Window;
    if (after == before)
        return;
    push(new RowEditCommand(*this, row, before, after, -1, 0, StepText::pictureChosen(!before.picture.isNull())));
}

void QuizDocument::clearPicture(int row)
{
    if (row < 0 || row >= rowCount() || m_content.rows.at(row).picture.isNull())
        return;
    DocumentRow after = m_content.rows.at(row);
    after.picture = DocumentPicture();
    push(new RowEditCommand(*this, row, m_content.rows.at(row), after, -1, 0, StepText::pictureRemoved()));
}

void QuizDocument::setPictureBox(int row, int width, int height)
{
    if (row < 0 || row >= rowCount() || m_content.rows.at(row).picture.isNull())
        return;
    DocumentRow after = m_content.rows.at(row);
    after.picture.width = width;
    after.picture.height = height;
    if (after.picture.width == m_content.rows.at(row).picture.width
        && after.picture.height == m_content.rows.at(row).picture.height)
        return;
    push(new RowEditCommand(*this, row, m_content.rows.at(row), after, BoxMerge, m_typingSession, StepText::pictureBox()));
}

void QuizDocument::setPictureMode(int row, PictureMode mode)
{
    if (row < 0 || row >= rowCount() || m_content.rows.at(row).pictureMode == mode
        || (mode != PictureMode::Hidden && mode != PictureMode::Window && mode != PictureMode::ThumbnailOnly))
        return;
    DocumentRow after = m_content.rows.at(row);
    after.pictureMode = mode;
    push(new RowEditCommand(*this, row, m_content.rows.at(row), after, -1, 0, StepText::pictureMode()));
}

void QuizDocument::insertRows(int row, int count)
{
    if (row < 0 || row > rowCount() || count <= 0 || count > DocumentContent::MaxRows - rowCount())
        return;
    push(new RowsCommand(*this, row, {}, QList<DocumentRow>(count), StepText::rowsAdded(count)));
}

void QuizDocument::removeRows(int row, int count)
{
    if (row < 0 || count <= 0 || row + count > rowCount())
        return;
    push(new RowsCommand(*this, row, m_content.rows.mid(row, count), {}, StepText::rowsDeleted(count)));
}

void QuizDocument::removeRowSet(QList<int> rows) { removeRowSet(std::move(rows), StepText::rowsDeleted); }

void QuizDocument::removeRowSet(QList<int> rows, QString (*stepText)(int count))
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int r) { return r < 0 || r >= rowCount(); });
    if (rows.isEmpty())
        return;
    // Runs of neighbouring rows, from the bottom up so that the rows above keep their places.
    QList<std::pair<int, int>> runs; // first row, count
    for (int r : std::as_const(rows)) {
        if (!runs.isEmpty() && runs.last().first == r + 1) {
            runs.last().first = r;
            ++runs.last().second;
        } else {
            runs.append({r, 1});
        }
    }
    const QString text = stepText(int(rows.size()));
    const auto removeRun = [&](int first, int count) {
        push(new RowsCommand(*this, first, m_content.rows.mid(first, count), {}, text));
    };
    if (runs.size() == 1) {
        removeRun(runs.first().first, runs.first().second);
        return;
    }
    m_undo->beginMacro(text);
    for (const auto &[first, count] : std::as_const(runs))
        removeRun(first, count);
    m_undo->endMacro();
}

void QuizDocument::replaceRows(int first, int count, QList<DocumentRow> rows, const QString &stepText)
{
    if (first < 0 || count < 0 || first + count > rowCount())
        return;
    QList<DocumentRow> before = m_content.rows.mid(first, count);
    if (rows != before)
        push(new RowsCommand(*this, first, std::move(before), std::move(rows), stepText));
}

void QuizDocument::moveRows(int from, int count, int to)
{
    if (from < 0 || count <= 0 || from + count > rowCount() || to < 0 || to > rowCount()
        || (to >= from && to <= from + count))
        return;
    push(new MoveRowsCommand(*this, from, count, to, StepText::rowsMoved(count, to < from)));
}

// ---------------------------------------------------------------- what the commands do

void QuizDocument::applyRow(int row, const DocumentRow &value)
{
    DocumentRow &r = m_content.rows[row];
    const bool sides = r.hasLeft() != value.hasLeft() || r.hasRight() != value.hasRight();
    r = value;
    Q_EMIT rowsChanged(row, row);
    if (sides)
        updateQuestions();
    changed();
}

void QuizDocument::applyRows(int position, int removed, const QList<DocumentRow> &inserted)
{
    const int common = std::min(removed, int(inserted.size()));
    for (int i = 0; i < common; ++i)
        m_content.rows[position + i] = inserted.at(i);
    if (common > 0)
        Q_EMIT rowsChanged(position, position + common - 1);
    if (inserted.size() > removed) {
        Q_EMIT rowsAboutToBeInserted(position + common, position + int(inserted.size()) - 1);
        m_content.rows.insert(position + common, inserted.size() - common, DocumentRow());
        for (qsizetype i = common; i < inserted.size(); ++i)
            m_content.rows[position + i] = inserted.at(i);
        // New rows show no number until updateQuestions tells theirs.
        m_questionOfRow.insert(position + common, inserted.size() - common, 0);
        Q_EMIT rowsInserted();
    } else if (removed > inserted.size()) {
        Q_EMIT rowsAboutToBeRemoved(position + common, position + removed - 1);
        m_content.rows.remove(position + common, removed - common);
        m_questionOfRow.remove(position + common, removed - common);
        Q_EMIT rowsRemoved();
    }
    updateQuestions();
    changed();
}

void QuizDocument::applyMove(int from, int count, int to)
{
    Q_EMIT rowsAboutToBeMoved(from, from + count - 1, to);
    moveBlock(m_content.rows, from, count, to);
    moveBlock(m_questionOfRow, from, count, to);
    Q_EMIT rowsMoved();
    updateQuestions();
    changed();
}

void QuizDocument::applyField(DocumentField f, const QString &text)
{
    switch (f) {
    case DocumentField::Address:
        m_content.address = text;
        break;
    case DocumentField::Title:
        m_content.title = text;
        break;
    case DocumentField::Instructions:
        m_content.instructions = text;
        break;
    case DocumentField::ExplanationLabel:
        m_content.explanationLabel = text;
        break;
    case DocumentField::PictureLabel:
        m_content.pictureLabel = text;
        break;
    default:
        if (!isGeometry(f))
            return;
        m_content.geometry[geometryIndex(f)] = text;
        break;
    }
    Q_EMIT fieldChanged(f);
    changed();
}

void QuizDocument::replace(DocumentContent content, const QString &folder)
{
    Q_EMIT rowsAboutToBeReset();
    m_content = std::move(content);
    m_savedText.clear();
    while (m_content.geometry.size() < DocumentContent::GeometryFields)
        m_content.geometry.append(QString());
    m_checked.clear();
    m_questionOfRow.clear();
    m_rowOfQuestion.clear();
    updateQuestions();
    Q_EMIT rowsReset();
    m_undo->clear();
    ++m_typingSession;
    setFolder(folder);
    setRestored(false);
    m_checks.replaced();
    Q_EMIT documentReset();
    Q_EMIT problemsChanged();
}

void QuizDocument::changed()
{
    m_checks.edited();
    Q_EMIT contentChanged();
}

void QuizDocument::updateQuestions()
{
    QList<int> questionOf = DocumentCheck::numbers(m_content);
    m_rowOfQuestion.clear();
    for (int i = 0; i < questionOf.size(); ++i)
        if (questionOf.at(i) > 0)
            m_rowOfQuestion.append(i);
    // Views hear of the rows whose numbers changed; m_questionOfRow has followed the rows as they
    // were inserted, removed and moved, so each row is compared with the number it showed.
    int firstChanged = -1, lastChanged = -1;
    for (int i = 0; i < questionOf.size(); ++i)
        if (i >= m_questionOfRow.size() || m_questionOfRow.at(i) != questionOf.at(i)) {
            if (firstChanged < 0)
                firstChanged = i;
            lastChanged = i;
        }
    m_questionOfRow = std::move(questionOf);
    if (firstChanged >= 0)
        Q_EMIT questionsChanged(firstChanged, lastChanged);
}

// ---------------------------------------------------------------- problems

void QuizDocument::checkNow() { m_checks.checkNow(); }

void QuizDocument::applyProblems(QList<DocumentProblem> problems)
{
    QList<int> rows = m_checked.take(std::move(problems));
    rows.removeIf([this](int r) { return r >= rowCount(); });
    // One signal per run of neighbouring rows.
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        Q_EMIT rowProblemsChanged(rows.at(i), rows.at(j));
        i = j + 1;
    }
    Q_EMIT problemsChanged();
}

QuizDocument::Widening QuizDocument::widenLists()
{
    checkNow();
    const bool geometryProblem = std::any_of(problems().cbegin(), problems().cend(), [](const DocumentProblem &p) {
        return isGeometry(p.field);
    });
    if (geometryProblem)
        return Widening::GeometryProblem;
    const FileMapping::Written w = FileMapping::toStore(m_content);
    QStringList left, right;
    for (int r : std::as_const(w.leftRows))
        left.append(m_content.rows.at(r).left);
    for (int r : std::as_const(w.rightRows))
        right.append(m_content.rows.at(r).right);
    const ListText::Geometry before = ListText::Geometry::fromTexts(m_content.geometry);
    const ListText::Widened widened = ListText::fit(before, left, right, ListText::Measure());
    if (widened.geometry == before)
        return widened.whole ? Widening::AlreadyFit : Widening::NoMoreRoom;
    const QStringList texts = widened.geometry.toTexts();
    endTyping();
    m_pushing = true;
    m_undo->beginMacro(StepText::listsWidened());
    for (int i = 0; i < DocumentContent::GeometryFields; ++i) {
        const DocumentField f = DocumentField(int(DocumentField::WindowWidth) + i);
        if (Numbers::readLenient(m_content.geometry.at(i)) != Numbers::readLenient(texts.at(i)))
            m_undo->push(new FieldEditCommand(*this, f, m_content.geometry.at(i), texts.at(i), m_typingSession, {}));
    }
    m_undo->endMacro();
    m_pushing = false;
    endTyping();
    if (!widened.whole)
        return Widening::WidenedPartly;
    return widened.geometry.windowWidth > before.windowWidth ? Widening::WindowGrew : Widening::Widened;
}

// ---------------------------------------------------------------- modified, folder, recovery

bool QuizDocument::isModified() const { return m_restored || !m_undo->isClean(); }

void QuizDocument::updateModified()
{
    if (isModified() == m_modified)
        return;
    m_modified = isModified();
    Q_EMIT modifiedChanged(m_modified);
}

void QuizDocument::setRestored(bool restored)
{
    m_restored = restored;
    updateModified();
}

void QuizDocument::setFolder(const QString &folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    Q_EMIT folderChanged();
}

QString QuizDocument::recoveryPath() const { return m_recoveryPath; }

QString QuizDocument::writeRecovery()
{
    if (!m_recoveryClaim) {
        m_recoveryClaim = Recovery::claim(m_recoveryPath);
        if (!m_recoveryClaim)
            return QCoreApplication::translate("QuizDocument", "another editor holds the recovery copy %1").arg(m_recoveryPath);
    }
    return Recovery::write(m_recoveryPath, m_content, m_folder);
}

void QuizDocument::removeRecovery()
{
    // Only this document's own copy: another editor's work on the same test stays.
    if (m_recoveryClaim) {
        QFile::remove(m_recoveryPath);
        m_recoveryClaim.reset();
    }
}

QuizDocument::Opened QuizDocument::restoreRecovery(const QString &path)
{
    std::unique_ptr<QLockFile> claim = Recovery::claim(path);
    if (!claim)
        return {QCoreApplication::translate("QuizDocument", "the copy %1 is open in another editor").arg(path), {}};
    Recovery::Loaded loaded = Recovery::read(path);
    if (!loaded.ok())
        return {loaded.error, {}};
    replace(std::move(loaded.content), loaded.testFolder);
    // This document's copy so far, if written, stays for the next start to offer.
    m_recoveryClaim = std::move(claim);
    m_recoveryPath = path;
    setRestored(true);
    return {};
}
