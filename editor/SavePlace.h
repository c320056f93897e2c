#pragma once

#include <QString>
#include <QStringList>

// Where the editor saves a test. A test is a folder of its own: a new one, or one saved as
// another, goes into a new folder inside the folder the teacher chooses, named after its title
// as gift2kaz names its folders, never into a folder that is there. No test is saved where KAZ
// is installed (the uninstaller takes the sample tests' files away, and on Linux nobody may
// write there) nor where the teacher may not write: such a test is saved as a test of the
// teacher's own, in Documents.
namespace SavePlace {

// The folders KAZ's programs lie in, installed or built: the running program's own folder and
// its quiz runner's (Packing::installedRunner), which are one folder on Windows (with the sample
// tests below it, in quizzes\) and /usr/bin and /usr/libexec/kaz on Debian.
QStringList installFolders();

// Whether `path` is `folder` or lies inside it, names compared as the system compares them.
bool isInside(const QString &path, const QString &folder);

// Why no test is saved into the folder `folder`, as a clause ("it lies where KAZ is installed,
// …"); empty when a test may be saved there. `installed`: installFolders().
QString notForSaving(const QString &folder, const QStringList &installed);
QString notForSaving(const QString &folder);

// Why the file at `path` may not be replaced by a save: its own permissions forbid writing it
// (chmod a-w; on Windows the read-only mark), or the teacher may not write it; empty when it
// may be, or when there is none.
QString writeProtected(const QString &path);

// Where the folder dialog of saving starts: `start`, unless no test may be saved there; then
// the teacher's Documents (else the home folder).
QString saveStart(const QString &start);

// A name for a new test's folder inside `place`: the title in Latin letters
// (Gift::folderName: "Стари названия на градове" is stari-nazvaniya-na-gradove), with -2, -3 …
// while something of that name is there.
QString freeName(const QString &place, const QString &title);

// What the folder the teacher chose for saving is.
struct Chosen
{
    enum class Kind {
        NotHere,   // no test is saved there: `why`
        Own,       // the document's own folder: it is saved there as by Save
        HoldsTest, // another test's folder: `title` is that test's; `folder` would be a new
                   // folder beside it; replacing that test is the teacher's choice alone
        Inside,    // `folder` is a new folder inside the one chosen
    };
    Kind kind = Kind::Inside;
    QString folder;
    QString title;
    QString why;
};
// The folder chosen as `chosen` for the test titled `title`, whose own folder is `own` (empty
// for a new test).
Chosen consider(const QString &chosen, const QString &own, const QString &title);

// Makes the new folder for the test titled `title` inside `place`: freeName(), or the next free
// name when something took that one meanwhile, so that no test is saved into a folder that is
// there. Its absolute path; empty when it could not be made.
QString makeFolder(const QString &place, const QString &title);

// The title of the test in `folder` as its caption gives it (Caption::split); the folder's name
// when it has none or test.kaz cannot be read.
QString titleOf(const QString &folder);

} // namespace SavePlace
