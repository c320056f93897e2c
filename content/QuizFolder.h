#pragma once

#include "ContentReader.h"
#include "FileAccess.h"
#include "QuizFile.h"

#include <QString>

class QTextStream;

// The files of one test, test.kaz and the pictures it names, read from a test folder on disk
// or from memory (a packed program's own files) and checked as the build checks them:
// test.kaz (at most ContentReader::MaxFileBytes) against every rule of the format, and every
// picture it names decoded and held against its box and the memory a picture may take.
// kazcheck, kazpack and the quiz runner check with these functions; FileAccess reads the files.
namespace QuizFolder {

struct Checked
{
    QString testFile; // the path of test.kaz (its name, from memory) as the problems name it (printableName)
    bool read = false; // test.kaz could be read; else problems holds the one reason why not
    ContentStore store; // with the bytes of every picture that can be shown (pictureData)
    QList<ContentReader::Problem> problems;
    qsizetype moreProblems = 0; // of test.kaz past ContentReader::MaxProblems, counted but not kept
    // test.kaz, then each picture the test names, in the order of its questions, each once,
    // then icon.png when the folder has one; empty when there is any problem. Packing these
    // files makes the program.
    QuizFileList files;
    // The bytes of the folder's own icon.png, the program's icon; empty without one.
    QByteArray icon;
    bool ok() const { return problems.isEmpty(); }
};

// The test in `folder`. A save into it that was cut short halfway is finished first
// (FileAccess::finishForReading), or, where it cannot be, is the one problem. Only test.kaz
// and the pictures it names are opened, each as a plain file of at most its limit; with FileAccess::Links::Refuse (kazpack: what is packed must be
// the file itself) a symbolic link among them is a problem of its own, whatever it points to.
Checked check(const QString &folder, FileAccess::Links links = FileAccess::Links::Follow);

// The test in `files`, as a packed program holds them; the pictures' sources are their
// names. Files the test does not name are ignored.
Checked check(const QuizFileList &files);

// The name of a test folder's own icon, and the sizes it may have, in pixels a side.
inline const char *const IconName = "icon.png";
constexpr int MinIconSize = 16;
constexpr int MaxIconSize = 512;

// Why `bytes` cannot be a test's icon: a square PNG picture of MinIconSize to MaxIconSize
// pixels a side. Empty when it can.
QString iconProblem(const QByteArray &bytes);

// The most bytes a picture file may have: as many as a loaded picture may take in memory.
qint64 maxPictureBytes();

// Why the picture file at `source` cannot be shown, and its size in pixels.
ContentReader::PictureCheck checkPicture(const QString &source, FileAccess::Links links = FileAccess::Links::Follow);

// Why the picture file `bytes` cannot be shown, and its size in pixels.
ContentReader::PictureCheck checkPicture(const QByteArray &bytes);

// What kazcheck and kazpack print of `checked`: each problem as "file:line: error: …", the
// first MaxPrinted of them and then how many more, and when test.kaz was read, how many
// problems there are in it followed by `outcome` ("the test was not built"). Nothing for a
// sound test.
void printProblems(QTextStream &err, const Checked &checked, const QString &outcome);

} // namespace QuizFolder
