#pragma once

#include "CheckSchedule.h"
#include "CheckedProblems.h"
#include "ContentReader.h"
#include "DocumentCheck.h"
#include "DocumentContent.h"
#include "DocumentEdits.h"

#include <QHash>
#include <QObject>
#include <memory>

class QLockFile;
class QUndoCommand;
class QUndoStack;
class RowTableModel;

// One test open in the editor: its content, the undo stack that every edit goes through, and
// the problems of the content, checked off the typing path (CheckSchedule). It tells what
// changed by its signals, which the table model over its rows follows; the undo commands change
// it through DocumentEdits. Reading and writing go through ContentReader and ContentWriter
// (FileMapping); spreadsheet text goes through DocumentClipboard.
class QuizDocument : public QObject, private DocumentEdits
{
    Q_OBJECT

public:
    // How long the check waits after the last edit before it starts.
    static constexpr int CheckDelayMs = CheckSchedule::DelayMs;

    explicit QuizDocument(QObject *parent = nullptr);
    ~QuizDocument() override;

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
    // `row` with `text` typed into its cell (Left, Right or Explanation) as setCell types it.
    static DocumentRow withCell(DocumentRow row, DocumentField field, const QString &text);
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
    // The same, the step named by `stepText` of the count of rows (StepText::rowsCut).
    void removeRowSet(QList<int> rows, QString (*stepText)(int count));
    // `count` rows from `first` replaced by `rows` as one step named `stepText`; nothing when
    // they are the same. DocumentContent::MaxRows and MaxCharacters are the caller's to keep.
    void replaceRows(int first, int count, QList<DocumentRow> rows, const QString &stepText);
    // Moves `count` rows starting at `from` so that they stand before row `to` as it is now.
    void moveRows(int from, int count, int to);

    // ---- problems, checked CheckDelayMs after the last edit on a worker thread. A problem keeps
    // the test from being tried or made into a program; a warning does not: the phrases the test
    // window's lists would cut, measured in the test's font (only where the program has a
    // QGuiApplication, whose fonts measure them).
    const QList<DocumentProblem> &problems() const { return m_checked.problems(); }
    QList<DocumentProblem> problemsAt(int row, DocumentField field) const { return m_checked.problemsAt(row, field); }
    const QList<DocumentProblem> &warnings() const { return m_checked.warnings(); }
    // Notes of the whole test, neither problems nor warnings (DocumentProblem::note).
    const QList<DocumentProblem> &notes() const { return m_checked.notes(); }
    QList<DocumentProblem> warningsAt(int row, DocumentField field) const { return m_checked.warningsAt(row, field); }
    // True when problems() belongs to the content as it is now.
    bool problemsCurrent() const { return m_checks.isCurrent(); }
    // Checks at once on this thread.
    void checkNow();

    // The lists and the window widened so that every phrase fits its list (ListText::fit), as one
    // step of the undo stack.
    enum class Widening {
        AlreadyFit,      // nothing to do
        Widened,         // every phrase fits now, in a window as wide as before
        WindowGrew,      // every phrase fits now; the window had to grow for the lists, while its
                         // buttons and boxes keep their places (KazLayout)
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

    // What happened to the rows, for a model over them: each "about to" signal comes before the
    // change, the other after it, as QAbstractItemModel's begin and end calls go.
    void rowsAboutToBeReset();
    void rowsReset();
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void rowsAboutToBeMoved(int first, int last, int to); // before row `to` as it is before the move
    void rowsMoved();
    void rowsChanged(int first, int last);        // their cells
    void rowProblemsChanged(int first, int last); // their problems or warnings
    void questionsChanged(int first, int last);   // the numbers questionOf gives them

private:
    // What the undo commands do.
    void applyRow(int row, const DocumentRow &value) override;
    void applyRows(int position, int removed, const QList<DocumentRow> &inserted) override;
    void applyMove(int from, int count, int to) override;
    void applyField(DocumentField field, const QString &text) override;

    void replace(DocumentContent content, const QString &folder);
    Saved saveTo(const QString &folder, bool wait);
    void changed();
    void updateQuestions();
    void applyProblems(QList<DocumentProblem> problems);
    void setFolder(const QString &folder);
    void setRestored(bool restored);
    void push(QUndoCommand *command);
    void updateModified();
    QString uniquePictureName(const QString &name, const QByteArray &bytes, int row) const;

    DocumentContent m_content;
    QString m_folder;
    QByteArray m_savedText;
    QString m_recoveryPath;
    std::unique_ptr<QLockFile> m_recoveryClaim;
    bool m_restored = false; // unsaved with a clean undo stack: a recovery copy, or a test opened from no folder
    bool m_modified = false;
    std::unique_ptr<QUndoStack> m_undo;
    std::unique_ptr<RowTableModel> m_model;
    int m_typingSession = 0;
    bool m_pushing = false;
    QList<int> m_questionOfRow;
    QList<int> m_rowOfQuestion;

    CheckedProblems m_checked;
    CheckSchedule m_checks{m_content};
};
