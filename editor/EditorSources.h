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

// The matching questions of a GIFT file.
struct GiftQuestions
{
    // Why the file gives no test, in gift2kaz's words ("file:line: error: …" a line); empty
    // when it holds at least one matching question.
    QString error;
    QStringList titles;   // the matching questions' titles, in the file's order
    QStringList notes;    // questions of other types, skipped ("file:line: note: …")
    QStringList skipped;  // the same questions as a teacher reads them: "Line 12: essay "Градове""
    bool ok() const { return error.isEmpty(); }
};

GiftQuestions giftQuestions(const QString &path);

// The folder the editor's file dialogs start in: `folder` (the one of the last test, or of the
// test open) while it is there, else the user's Documents (the home folder when there is no
// such folder), so that a first test is not looked for or saved among the program's own files.
QString startFolder(const QString &folder);

// Replaces the document with matching question `question` (0 …) of the GIFT file, as the
// folder gift2kaz writes of it with `address` holds it (the caption is the title alone when
// `address` is empty); the document has no folder until it is saved.
// Returns why nothing was opened, empty on success.
QString openGift(QuizDocument &doc, const QString &path, int question, const QString &address);

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
