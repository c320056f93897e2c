#pragma once

#include "EditorPacking.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QMessageBox>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;
class QuizDocument;

// The editor's dialogs of opening and of "Make program". Each flow is written against the
// steps it asks the user, so that tests answer them instead of modal boxes.
namespace EditorDialogs {

// What a file dialog of the editor chooses. Each is Qt's own dialog, never the system's: it speaks
// the editor's Bulgarian on every system (Qt's translation for its parts, the editor's for what
// it asks), and its caption and buttons say what is chosen and where the result goes.
enum class PathKind {
    OpenFolder,     // a test's folder to open
    SaveFolder,     // the folder a test is saved in (it gets a folder of its own there)
    GiftFile,       // a GIFT or Moodle XML file to open
    Program,        // a test program to open
    Picture,        // a row's picture
    ProgramFile,    // "Make program" for one system: the program file to write
    ProgramsFolder, // "Make program" for several: the folder the programs go to
    MoodleFolder,   // "Export for Moodle": the folder the two files go to
};
// What becomes of the folder or file chosen so far in a file dialog, as a sentence.
using PathResult = std::function<QString(const QString &chosen)>;
// The dialog for `kind`, starting at `start` (a folder, or a file's path to propose), not shown
// yet. Above its folders it says what to choose and, when `result` is given (for OpenFolder
// without it: openResult), what the choice made so far leads to, kept up as the choice changes.
std::unique_ptr<QFileDialog> pathDialog(QWidget *parent, PathKind kind, const QString &start, PathResult result = {});
// The path chosen in pathDialog, empty when cancelled.
QString choosePath(QWidget *parent, PathKind kind, const QString &start, PathResult result = {});
// What opening the folder `chosen` does: the test it opens, or that it holds none.
QString openResult(const QString &chosen);
// Where "Make program" writes the programs named `programs` (file names) when `chosen` is chosen.
QString programsResult(const QString &chosen, const QStringList &programs);
// Where "Export for Moodle" writes `files` (paths in the folder chosen first; their names are
// kept) when `chosen` is chosen, and which of them would be replaced.
QString moodleResult(const QString &chosen, const QStringList &files);
// Where saving the test titled `title`, whose folder is `own` (empty for a new test), into the
// folder `chosen` puts it (SavePlace::consider), or why not there.
QString saveResult(const QString &chosen, const QString &own, const QString &title);

// Gives each push button of `dialog` without an Alt+letter one: the first letter of its text that
// no other button or label of the dialog has (check boxes, named "Windows" and "Linux", would get
// a Latin letter, which Alt does not reach with the Bulgarian keyboard layout). Called before a dialog shows, whatever language its
// texts are in, so that the letters of one dialog never clash.
void giveMnemonics(QWidget *dialog);
// A message box over `parent` with the editor's title and an OK button, its letter given.
void tell(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

// Which matching question of a GIFT or Moodle XML file to open: a list of `titles` (as
// EditorSources::GiftQuestions::shown gives them, with their categories), the first selected, and
// below it the questions of other kinds that are `skipped` and why. Returns the index chosen,
// or -1 when cancelled.
int chooseGiftQuestion(QWidget *parent, const QStringList &titles, const QStringList &skipped = {});

// Whether opening a GIFT file asks first: when there is a choice or something is skipped.
inline bool asksForGiftQuestion(const QStringList &titles, const QStringList &skipped)
{
    return titles.size() > 1 || !skipped.isEmpty();
}

// "Open a GIFT or Moodle XML file…" and "Open program…" once the file is chosen: open it into
// `doc` (for a file with several matching questions or others skipped, the one the user chooses,
// with `address` in its caption; a classification with its shared right phrases numbered); when
// nothing was opened, tell why in a message box and return false.
bool openGift(QWidget *parent, QuizDocument &doc, const QString &path, const QString &address);
bool openProgram(QWidget *parent, QuizDocument &doc, const QString &path);

// What "Make program" asks and tells.
struct MakeProgramSteps
{
    // Saves the document, asking for a folder when it has none; true when it was saved. Without
    // it a test with a folder is saved there and a new one is refused with advice.
    std::function<bool()> save;
    // Whether to save before packing (the program is made from the saved folder); true: save.
    std::function<bool(const QString &question)> askSave;
    // Which systems the learners use: `targets` as offered, the chosen ones ticked and those
    // that cannot be made disabled with their reason; the systems chosen, empty when cancelled.
    // The package's settings may be changed in the targets chosen.
    std::function<QList<EditorPacking::Target>(const QList<EditorPacking::Target> &targets)> askSystems;
    // For one system: where to write the program, proposing `proposed`; empty when cancelled.
    // A file that is already there is replaced, so this step asks before it names one.
    std::function<QString(const QString &proposed)> askProgram;
    // For more than one: the folder the programs go to, each with its own name of `programs`
    // (file names), proposing `proposed`; empty when cancelled.
    std::function<QString(const QString &proposed, const QStringList &programs)> askFolder;
    // Whether the files at `programs` (paths), there already, may be replaced; when not, no
    // program is made.
    std::function<bool(const QStringList &programs)> askReplace;
    // The outcome: `problem` for a refusal or a failure.
    std::function<void(const QString &text, bool problem)> tell;
    // This system's runner; the other system's, and the page (kazweb.html), lie beside it
    // (EditorPacking::targets).
    QString runner = EditorPacking::runner();
};

// Which systems the learners use, as check boxes over `parent` (see MakeProgramSteps::askSystems).
QList<EditorPacking::Target> chooseSystems(QWidget *parent, const QList<EditorPacking::Target> &targets);

// The steps as message boxes and the save dialog over `parent`, with `save` for saving.
MakeProgramSteps dialogs(QWidget *parent, std::function<bool()> save = {});

// "Make program": refuses a test with problems (after checking it now), has it saved, asks
// for which systems (offering the last choice, remembered in the settings) and where to write
// the programs (kaz-FOLDER, kaz-FOLDER.exe, kaz-FOLDER.html beside the folder proposed), packs each by kazpack's
// own code with its system's runner and says, for each system, where its program is and what
// to do with it, or in kazpack's words why it was not made.
void makeProgram(QuizDocument &doc, const MakeProgramSteps &steps);
inline void makeProgram(QWidget *parent, QuizDocument &doc, std::function<bool()> save = {})
{
    makeProgram(doc, dialogs(parent, std::move(save)));
}

} // namespace EditorDialogs
