#pragma once

#include "QuizFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

class QIODevice;

// A packed test: the files of one test appended to the quiz runner, so that one executable
// file is the whole program. The reader trusts nothing of the file: every length is checked
// against the file's size and the limits below before anything is allocated, every name
// must be a flat file name, and the payload's SHA-256 must match. DESIGN.md shows the bytes.
namespace PackedQuiz {

// The payload layout this code writes and reads; a reader refuses a newer one.
inline constexpr quint32 Version = 1;
// Every quiz runner holds this text in its file, followed by the number of the newest
// layout it reads ("KAZ quiz runner, packed format 1"; programs/kazrunner.cpp keeps it in the binary).
// kazpack packs only with a runner that holds it (runnerFormat); reading a program never asks
// for it.
inline constexpr char RunnerMark[] = "KAZ quiz runner, packed format ";
// The trailer: SHA-256 (32), payload length (8), version (4), reserved (4), magic (8).
inline constexpr qint64 TrailerSize = 56;
inline constexpr char Magic[8] = {'K', 'A', 'Z', 'P', 'A', 'C', 'K', '\x1a'};

// Limits far above any real test (a test of 32,767 phrases a side takes a few MB).
inline constexpr qint64 MaxPayload = qint64(1) << 30;   // 1 GiB
inline constexpr qint64 MaxFileSize = qint64(256) << 20; // 256 MiB
inline constexpr quint32 MaxFiles = 1024;
inline constexpr int MaxNameBytes = 255; // UTF-8 bytes, as most file systems allow

// A packed file: test.kaz or a picture, as a test folder's check lists them.
using File = QuizFile;
using Files = QuizFileList;

// What is wrong with a program's test, each kind with its own advice to the user.
enum class Fault {
    None,
    Unreadable,   // the program's file cannot be opened or read
    NoTest,       // nothing is appended: the runner alone
    Damaged,      // cut short, changed, or not in the packed format
    NewerVersion, // packed in a layout newer than Version
};

struct Contents
{
    Fault fault = Fault::None;
    QString reason;       // for a fault: what is wrong, as a clause ("the file was cut short …")
    quint32 version = 0;  // the payload's layout, when the trailer was read
    qint64 runnerSize = 0; // the bytes before the payload
    Files files;          // in the order they were packed
    bool ok() const { return fault == Fault::None; }
};

// Why `name` cannot be the name of a packed file, or an empty text when it can: a flat
// name of a folder, neither empty nor longer than MaxNameBytes, without "/", "\\", control
// characters (NUL included) and not "." or "..".
QString nameProblem(const QString &name);

// The payload and the trailer that follow the runner. Empty when a name is refused by
// nameProblem(), appears twice, or the files break a limit; `problem` then says why.
QByteArray tail(const Files &files, QString *problem = nullptr);

// `runner` followed by tail(files); empty with `problem` set when tail() refuses the files.
QByteArray pack(const QByteArray &runner, const Files &files, QString *problem = nullptr);

// The files packed into a program, read from the trailer and the payload alone (mapped
// when the file system allows it, otherwise read); the runner part is never read.
Contents read(const QString &programPath);
// The same for a device open for reading that allows seeking.
Contents read(QIODevice &device);

// The runner of a program: the whole file when nothing is appended, otherwise the bytes
// before its payload, so that a packed program can serve as the runner of another.
struct Runner
{
    QByteArray bytes;
    Fault fault = Fault::None;
    QString reason;
    bool ok() const { return fault == Fault::None; }
};
Runner runnerPart(const QString &programPath);
// The same for a program in memory, or a device open for reading that allows seeking.
Runner runnerPart(const QByteArray &program);
Runner runnerPart(QIODevice &device);

// The layout that the runner `bytes` reads, from the first RunnerMark followed by a number
// where a program keeps its constant text: in a part of the file its loader maps (a loadable
// segment of an ELF program, a section of a Windows program, 32 or 64 bits). -1 when `bytes`
// are no such program, or hold no mark there (a text file holding only the mark, a program
// with the mark appended): they are no quiz runner.
qint64 runnerFormat(const QByteArray &bytes);

} // namespace PackedQuiz
