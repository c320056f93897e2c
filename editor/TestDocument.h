#pragma once

#include "ContentReader.h"
#include "DocumentCheck.h"
#include "DocumentContent.h"

#include <QFutureWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <memory>

class QLockFile;
class QUndoCommand;
class QUndoStack;
class RowTableModel;

// One test open in the editor: its content, the table model over its rows, the undo stack
// that every edit goes through, and the problems of the content, checked off the typing path.
// Reading and writing go through ContentReader and ContentWriter (FileMapping).
class TestDocument : public QObject
{
    Q_OBJECT

public:
    // How long the check waits after the last edit before it starts.
    static constexpr int CheckDelayMs = 150;

    explicit TestDocument(QObject *parent = nullptr);
    ~TestDocument() override;

    const DocumentContent &content() const { return m_content; }
    RowTableModel *model() const { return m_model.get(); }
    QUndoStack *undoStack() const { return m_undo.get(); }

    int rowCount() const { return int(m_content.rows.size()); }
    const DocumentRow &row(int r) const { return m_content.rows.at(r); }
    // The number the vertical header gives a row (1 …: its place among the rows with a left
    // phrase, DocumentCheck::numbers), or 0: a row without a left phrase is no question.
    int questionOf(int row) const;
    int rowOfQuestion(int q) const;
    // The rows named as the vertical header numbers them, for the texts that name a row.
    DocumentCheck::RowNames rowNames() const { return DocumentCheck::RowNames(m_questionOfRow); }
    // A field of the whole test (Address … PictureLabel) as text; geometry as typed.
    QString field(DocumentField field) const;
    // The folder the test was opened from or saved to; empty for a new test.
    QString folder() const { return m_folder; }

    // ---- opening: each replaces the whole document and empties the undo stack.
    struct Opened
    {
        QString error;                          // why nothing was opened; empty when the test was opened
        QList<ContentReader::Problem> problems; // of the file as it was read: what it held that is lost
        qsizetype moreProblems = 0;             // past ContentReader::MaxProblems, counted but not kept
        // The row of each phrase of the file's sides: left phrase i is on row leftRows[i], right
        // phrase i on row rightRows[i] (row i, but where the file's note puts unpaired rows back).
        QList<int> leftRows{};
        QList<int> rightRows{};
        bool ok() const { return error.isEmpty(); }
    };
    void newTest();
    // test.kaz of `folder` and the pictures it names; a picture file that is missing, or is a
    // link (whose file may be anyone's), is kept by its name, with a problem that asks for it
    // again. A save of the folder that was cut short is finished or undone first.
    Opened openFolder(const QString &folder);
    // A test given as a store, such as a GIFT import or a packed program's files: `pictures`
    // holds the bytes of each picture by its source, and a picture's name is its source
    // without `pictureBase`. The document has no folder until it is saved, and counts as
    // modified until then.
    void openStore(const ContentStore &store, const QHash<QString, QByteArray> &pictures = {},
                   const QString &pictureBase = {}, const QStringList &comments = {});

    // ---- saving: test.kaz and every picture, each written under a temporary name and then
    // renamed, all or none (FileAccess::writeAll); a file whose bytes are already on disk is
    // left untouched. A test with problems is saved as well. Nothing is saved where KAZ is
    // installed or the teacher may not write (SavePlace::notForSaving), nor over a
    // write-protected file of the test.
    struct Saved
    {
        enum class Outcome {
            Saved,
            Failed,         // `why`
            Busy,           // another program is saving into the folder just now; try again
            NotHere,        // no test is saved in that folder (`why`): save it as another
            WriteProtected, // a file of the test there is write-protected (`why` names it)
        };
        Outcome outcome = Outcome::Saved;
        QString why; // a clause, with what to do where there is something; empty when saved
        bool ok() const { return outcome == Outcome::Saved; }
    };
    // Never waits for another program's save of the folder: Busy tells it at once.
    Saved trySaveTo(const QString &folder);
    // Waits a few seconds for another program's save; returns why it was not saved, empty on
    // success.
    QString save() { return saveTo(m_folder); }
    QString saveTo(const QString &folder);
    // The text test.kaz would hold.
    QString text() const;
    // test.kaz as the folder holds it, read when the test was opened or written when it was
    // saved; empty once the document differs from it, or for a test never saved. A program is
    // made of these bytes, so that it is the one kazpack makes of the saved folder, a
    // hand-written test.kaz included.
    QByteArray savedText() const { return isModified() ? QByteArray() : m_savedText; }

    // ---- edits; each is one step of the undo stack.
    // Typing into a cell (Left, Right, Explanation: lines separated by "\n") or a field of the
    // test. Consecutive edits of one cell or field merge into one step until endTyping(), an
    // edit elsewhere, an undo or a save. Line breaks in a phrase or a one-line field become spaces.
    void setCell(int row, DocumentField field, const QString &text);
    void setField(DocumentField field, const QString &text);
    void endTyping();
    void setExplanationShown(int row, bool shown);
    // A picture is copied from `path` (never moved); the name is the file's, made unique among
    // the test's pictures. Returns why the file could not be read, empty on success.
    QString setPictureFromFile(int row, const QString &path);
    void setPicture(int row, const QString &name, const QByteArray &bytes);
    void clearPicture(int row);
    void setPictureBox(int row, int width, int height);
    void setPictureMode(int row, PictureMode mode);
    void insertRows(int row, int count);
    void removeRows(int row, int count);
    void removeRowSet(QList<int> rows); // any rows, one step
    // The rows as copy() gives them, removed as one step ("cutting").
    QString cut(QList<int> rows);
    // Moves `count` rows starting at `from` so that they stand before row `to` as it is now.
    void moveRows(int from, int count, int to);

    // Pasting tab-separated text (TableText), each one step named for the lines pasted. A text of
    // more lines than a test has questions, or one that would take the table past
    // DocumentContent::MaxRows or MaxCharacters, is refused whole before it is split up. A
    // line's cells go from `column` (Left, Right or Explanation) to the right; cells past the
    // explanation column are left out and counted. A block is as wide as its widest line:
    // shorter lines empty the rest of it.
    struct Pasted
    {
        int firstRow = 0;
        int rows = 0;           // the lines pasted: rows replaced, then rows added
        int added = 0;          // of them, rows that are new
        int columns = 0;        // the columns written, from `column`
        int columnsLeftOut = 0; // cells per line that had no column to go to
        bool changed = false;   // false when the rows already held the text: no step was made
        // Why nothing was pasted: the text holds more than a test can, or the table would hold
        // more than DocumentContent's bounds. Empty when the text was taken.
        QString refused;
    };
    // Overwrites the rows from `row` on and adds rows past the end: the spreadsheet's paste at one cell.
    Pasted paste(int row, DocumentField column, const QString &text);
    // New rows before `row` (rowCount(): at the end), replacing no row that holds anything: a
    // blank row at `row` takes the first line.
    Pasted insertPasted(int row, DocumentField column, const QString &text);
    // Into the block of `rows` rows from `row` and `columns` columns from `column` alone: cells
    // past its columns are left out, lines past its rows become new rows below it.
    Pasted pasteInto(int row, DocumentField column, int rows, int columns, const QString &text);
    // The rows as tab-separated text: left, right, and the explanation when any row has one.
    QString copy(QList<int> rows) const;

    // ---- problems, checked CheckDelayMs after the last edit on a worker thread. A problem keeps
    // the test from being tried or made into a program; a warning does not: the phrases the test
    // window's lists would cut, measured in the test's font (only where the program has a
    // QGuiApplication, whose fonts measure them).
    const QList<DocumentProblem> &problems() const { return m_problems; }
    QList<DocumentProblem> problemsAt(int row, DocumentField field) const;
    const QList<DocumentProblem> &warnings() const { return m_warnings; }
    // Notes of the whole test, neither problems nor warnings (DocumentProblem::note).
    const QList<DocumentProblem> &notes() const { return m_notes; }
    QList<DocumentProblem> warningsAt(int row, DocumentField field) const;
    // True when problems() belongs to the content as it is now.
    bool problemsCurrent() const { return m_checkedGeneration == m_generation; }
    // Checks at once on this thread.
    void checkNow();

    // The lists and the window widened so that every phrase fits its list (ListText::fit), as one
    // step of the undo stack.
    enum class Widening {
        AlreadyFit,      // nothing to do
        Widened,         // every phrase fits now
        WidenedPartly,   // the widest window allowed still cuts some phrase
        NoMoreRoom,      // some phrase is cut, and the window is as wide as allowed
        GeometryProblem, // the geometry must be mended first: where the lists stand is not known
    };
    Widening widenLists();

    // ---- unsaved changes
    bool isModified() const;

    // ---- recovery: a copy of this document's own under QStandardPaths::AppDataLocation that
    // holds everything (rows, fields, pictures), claimed by this document from its first write
    // until it is removed or the document is destroyed (Recovery::claim); the user interface
    // writes it a few seconds after each change and removes it on saving and on a clean close.
    QString recoveryPath() const;
    QString writeRecovery(); // why it was not written, empty on success
    void removeRecovery();
    // The document as a recovery copy no running editor holds has it, modified until saved;
    // the copy becomes this document's own, and later writes go to it.
    Opened restoreRecovery(const QString &path);

Q_SIGNALS:
    void problemsChanged();
    // A check of the content as it is now began on a worker thread; problemsChanged follows
    // when it ends, unless an edit came before.
    void checkStarted();
    void modifiedChanged(bool modified);
    // A field of the whole test changed, by an edit, an undo or a redo.
    void fieldChanged(DocumentField field);
    void folderChanged();
    // Any change of the content.
    void contentChanged();
    // The document was replaced by another (new, opened, restored).
    void documentReset();

private:
    friend class RowEditCommand;
    friend class RowsCommand;
    friend class MoveRowsCommand;
    friend class FieldEditCommand;

    // What the undo commands do.
    void applyRow(int row, const DocumentRow &value);
    void applyRows(int position, int removed, const QList<DocumentRow> &inserted);
    void applyMove(int from, int count, int to);
    void applyField(DocumentField field, const QString &text);

    void replace(DocumentContent content, const QString &folder);
    Saved saveTo(const QString &folder, bool wait);
    void changed();
    void updateQuestions();
    void startCheck();
    void applyProblems(QList<DocumentProblem> problems, quint64 generation);
    void setFolder(const QString &folder);
    void setRestored(bool restored);
    void push(QUndoCommand *command);
    void updateModified();
    // The rows removed as one step named by `stepText` of their count.
    void removeRowSet(QList<int> rows, QString (*stepText)(int count));
    QString uniquePictureName(const QString &name, const QByteArray &bytes, int row) const;
    DocumentRow pastedRow(DocumentRow row, int column, const QStringList &cells) const;

    DocumentContent m_content;
    QString m_folder;
    QByteArray m_savedText;
    QString m_recoveryPath;
    std::unique_ptr<QLockFile> m_recoveryClaim;
    bool m_restored = false; // unsaved with a clean undo stack: a recovery copy, or a test opened from no folder
    bool m_modified = false;
    bool m_checkRunning = false;
    std::unique_ptr<QUndoStack> m_undo;
    std::unique_ptr<RowTableModel> m_model;
    int m_typingSession = 0;
    bool m_pushing = false;
    QList<int> m_questionOfRow;
    QList<int> m_rowOfQuestion;

    QList<DocumentProblem> m_problems;
    QHash<int, QList<int>> m_problemsByRow;
    QList<DocumentProblem> m_warnings;
    QHash<int, QList<int>> m_warningsByRow;
    QList<DocumentProblem> m_notes;
    quint64 m_generation = 0;
    quint64 m_checkedGeneration = 0;
    quint64 m_runningGeneration = 0;
    bool m_checkPending = false;
    QTimer m_checkTimer;
    QFutureWatcher<QList<DocumentProblem>> m_checkWatcher;
};
