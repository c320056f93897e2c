#pragma once

#include "DocumentContent.h"
#include "QuizFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class ContentStore;
class QuizDocument;

// Where a test comes into the editor from besides a folder, and where it goes to be tried:
// a GIFT file, read by the converter gift2kaz uses; a test program, read and checked as its
// runner reads it; and the content a learner's program would hold, for the try-out window.
namespace EditorSources {

// The matching questions of a GIFT file or a Moodle XML file (the file's content tells which,
// MoodleXml::looksLikeXml).
struct GiftQuestions
{
    // Why the file gives no test, in gift2kaz's words ("file:line: error: …" a line); empty
    // when it holds at least one matching question.
    QString error;
    // The questions that can be opened, in the file's order: the matching questions and the
    // classifications (left parts sharing a right part, Gift::Classification), each with its
    // title, its category in Moodle (empty without one) and, for a classification, the right
    // parts its left parts share (empty for a matching question).
    QStringList titles;
    QStringList categories;
    QList<QStringList> shared;
    // How the chooser shows each: the title, then its category ("Категория: Биология/Растения")
    // and whether it is a classification.
    QStringList shown;
    QStringList notes;    // questions of other types, skipped ("file:line: note: …")
    QStringList skipped;  // the same questions as a teacher reads them: "Line 12: essay "Градове""
    bool ok() const { return error.isEmpty(); }
    bool isClassification(int question) const { return !shared.value(question).isEmpty(); }
};

GiftQuestions giftQuestions(const QString &path);

// The folder the editor's file dialogs start in: `folder` (the one of the last test, or of the
// test open) while it is there, else the user's Documents (the home folder when there is no
// such folder), so that a first test is not looked for or saved among the program's own files.
QString startFolder(const QString &folder);

// Replaces the document with question `question` (0 …, of GiftQuestions::titles) of the GIFT or
// Moodle XML file, as the folder gift2kaz writes of it with `address` holds it (the caption is
// the title alone when `address` is empty), pictures included; the document has no folder until
// it is saved. A classification opens with its shared right parts made distinct
// (Gift::distinctRights), as the teacher agreed to.
// Returns why nothing was opened, empty on success.
QString openGift(QuizDocument &doc, const QString &path, int question, const QString &address);

// The test written for Moodle ("Export for Moodle…"): NAME.xml and NAME.gift in a folder.
struct MoodleFiles
{
    QString xml;  // paths
    QString gift;
    QStringList all() const { return {xml, gift}; }
};
// The files for the test named `name` (its folder's name; Gift::folderName of it) in `folder`.
MoodleFiles moodleFiles(const QString &folder, const QString &name);
// The name the files of the test open in `doc` get: its folder's name, or for a test not yet
// saved the folder name its title would get.
QString moodleName(const QuizDocument &doc);
// Those of `files` that are there already.
QStringList existingFiles(const MoodleFiles &files);

struct MoodleExported
{
    QString error;      // why nothing was written; empty on success
    QStringList notes;  // what the files cannot hold (GIFT: the pictures)
    bool ok() const { return error.isEmpty(); }
};
// Writes `content` as the two files (MoodleExport): each whole or not at all. A file that is
// there already is replaced only when `replace`; else nothing is written.
MoodleExported exportForMoodle(const DocumentContent &content, const MoodleFiles &files, bool replace);

// Replaces the document with the test a program made by kazpack carries, pictures included.
// A file without a test, or a damaged program, is told in kazpack's words ("no test program
// made by kazpack") and leaves the document as it was. The program's own icon is not kept
// (the editor has none).
// Returns why nothing was opened, empty on success.
QString openProgram(QuizDocument &doc, const QString &programPath);

// The files a saved folder of `content` would hold: test.kaz, then every picture the
// content has bytes of, by name (the check ignores those the test does not name).
QuizFileList files(const DocumentContent &content);

// The content of the test as the learner's program would hold it, read and checked from
// files(content) as the runner reads its own; `problems` counts what the check found (the
// store then holds what could be read, as a test folder with problems shows it). Null
// content when test.kaz itself cannot be read.
struct TryOut
{
    std::shared_ptr<const ContentStore> content;
    int problems = 0;
    QString error; // why there is no content
};
TryOut tryOutContent(const DocumentContent &content);

} // namespace EditorSources
