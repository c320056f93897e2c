#pragma once

#include <QString>

// "Make program": a saved test folder packed into a program by kazpack's own code
// (Kazpack::run), with the runner kazpack would take.
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

// Packs `folder` into `program` with `runner`. An existing `program` is replaced only when
// `replace` (the user was asked); otherwise it is kept and the result says so.
Result makeProgram(const QString &folder, const QString &program, bool replace,
                   const QString &runner = EditorPacking::runner());

} // namespace EditorPacking
