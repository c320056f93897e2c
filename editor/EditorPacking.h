#pragma once

#include <QString>

class TestDocument;

// "Make program": the document's test packed into a program by the code kazpack packs with
// (packed/Packing), with the runner kazpack would take, and told in kazpack's words.
namespace EditorPacking {

// The quiz runner the editor packs with: where kazpack finds it from its own folder, as the
// editor is built and installed beside kazpack.
QString runner();

// The program kazpack makes of `folder` (kaz-FOLDER), proposed beside the folder, in the
// folder that holds it.
QString defaultProgramPath(const QString &folder, const QString &runner = EditorPacking::runner());

struct Result
{
    bool ok = false;
    // On failure kazpack's own messages, a line each; on success empty.
    QString message;
    QString program; // the absolute path of the program written
};

// Packs the test of `doc` into `program` with the runner at `runner`, from the files its saved
// folder holds, without reading them back: test.kaz as it was saved (TestDocument::savedText;
// the document's own text when it has changed since) and the pictures' bytes
// (EditorSources::files), and the folder's own icon.png, which the document does not hold. An
// existing `program` is replaced only when `replace` (the user was asked); otherwise it is
// kept and the result says so.
Result makeProgram(const TestDocument &doc, const QString &program, bool replace,
                   const QString &runner = EditorPacking::runner());

} // namespace EditorPacking
