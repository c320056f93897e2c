#pragma once

#include "Packing.h"
#include "ScormPackage.h"

#include <QList>
#include <QString>

class QuizDocument;

// "Make program": the document's test packed into a program by the code kazpack packs with
// (packed/Packing), with the runner kazpack would take, and told in sentences for the teacher.
namespace EditorPacking {

// The quiz runner the editor packs with for `target`: where kazpack finds it from its own
// folder, as the editor is built and installed beside kazpack.
QString runner(Packing::System target = Packing::thisSystem());

// The program kazpack makes of `folder` (kaz-FOLDER), proposed beside the folder, in the
// folder that holds it; for the system of `runner`, or for `target` (kaz-FOLDER.exe for Windows).
QString defaultProgramPath(const QString &folder, const QString &runner = EditorPacking::runner());
QString defaultProgramPath(const QString &folder, Packing::System target);

// A system "Make program" offers to make the test's program for: Windows, Linux, or web
// browsers, whose "program" is a test page (.html) and whose runner the page without a test.
struct Target
{
    Packing::System system = Packing::thisSystem();
    QString runner;  // its quiz runner, where kazpack takes it
    QString program; // the program's file name: kaz-FOLDER, kaz-FOLDER.exe for Windows, kaz-FOLDER.html for a page
    QString missing; // why no program for it can be made here, a sentence; empty when it can
    bool chosen = false; // offered as chosen
    // A SCORM package of the test page (kaz-FOLDER-scorm.zip) for Moodle and other learning
    // platforms, with its pass mark and learner-name settings; none for a program or a page.
    std::optional<ScormPackage::Settings> package;
};

// The systems a program of the test in `folder` can be made for, Windows first (most learners
// use it), then Linux and the test page, each with its runner beside `runner`, this system's
// (Packing::runnerBeside; kazweb.html for the page). One whose runner is not there is offered
// with the reason and never chosen. Chosen: those of
// `last` (the teacher's last choice) that can be made; when none, this system.
// Last comes the SCORM package, made with the page's runner, chosen when it was chosen last
// time, with the settings given last time (lastPackage()).
QList<Target> targets(const QString &folder, const QString &runner, const QList<Packing::System> &last);

// The SCORM package's settings given last, and whether it was chosen; kept in the editor's
// settings as the systems are.
struct LastPackage
{
    bool chosen = false;
    ScormPackage::Settings settings;
};
LastPackage lastPackage();
void setLastPackage(const LastPackage &last);

// The systems the teacher chose last in "Make program", kept in the editor's settings by a word
// each ("windows", "linux", "web"); empty before the first choice.
QList<Packing::System> lastSystems();
void setLastSystems(const QList<Packing::System> &systems);

struct Result
{
    bool ok = false;
    // What packing said, for the teacher (Packing::Reader::Editor): on failure what went wrong,
    // on success the note that ".exe" was added to the name asked for, if it was.
    QList<Packing::Message> messages;
    // The messages' sentences, a line each; empty when there are none.
    QString message;
    QString program; // the absolute path of the program written
};

// Packs the test of `doc` into `program` with the runner at `runner`, from the files its saved
// folder holds, without reading them back: test.kaz as it was saved (QuizDocument::savedText;
// the document's own text when it has changed since) and the pictures' bytes
// (EditorSources::files), and the folder's own icon.png, which the document does not hold. An
// existing `program` is replaced only when `replace` (the user was asked); otherwise it is
// kept and the result says so. `runner` must be a runner for `target`, the program's system.
// A program for Windows gets ".exe" when `program` lacks it, a page ".html" (Packing::programPath); one of
// the test's own files, or a name Windows cannot hold, is refused.
// With `package`, the page (target Web) is written as a SCORM package with those settings, and
// `program` keeps its ".zip".
Result makeProgram(const QuizDocument &doc, const QString &program, bool replace,
                   const QString &runner = EditorPacking::runner(),
                   Packing::System target = Packing::thisSystem(),
                   const std::optional<ScormPackage::Settings> &package = std::nullopt);

} // namespace EditorPacking
