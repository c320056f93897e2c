#pragma once

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Reads matching questions from a file in Moodle's GIFT format and turns each into a KAZ
// test folder. Questions are separated by blank lines; "//" starts a comment line;
// "$CATEGORY:" lines are skipped; \~ \= \# \{ \} \: \\ stand for the character itself and
// \n for a line break. A matching question looks like
//     ::Title:: Question text { =left -> right =left -> right =left -> right = -> extra }
// and becomes a test whose left list holds the left parts and whose right list holds the
// right parts in the same order, followed by the extra right parts (those with an empty
// left part). Questions of other types are skipped with a note.
namespace Gift {

struct Message
{
    int line = 0;
    QString text;
    // "file:line: error: text" (or "note:"), the form compilers and editors use.
    QString toString(const QString &file, const char *kind) const;
};

struct Matching
{
    int line = 0;           // line where the question starts
    QString title;          // from ::title::, or made from the text when there is none
    QStringList text;       // question text, one item per line
    QStringList left;       // left parts of the pairs
    QStringList right;      // right parts of the pairs, then the extra right parts
};

// A question of another type, skipped.
struct Skipped
{
    int line = 0;  // line where the question starts
    QString kind;  // in the user's language: "multiple-choice question", "description" …
    QString title; // from ::title::, shortened to an excerpt; empty when there is none
};

struct Result
{
    QList<Matching> questions;
    QList<Message> notes;  // questions of other types, skipped
    QList<Skipped> skipped; // the same questions, one for each note
    QList<Message> errors; // faults of the file; nothing should be written when there are any
    bool ok() const { return errors.isEmpty(); }
};

// A matching question needs at least this many pairs, as Moodle's GIFT import does.
constexpr int MinPairs = 3;

// A title may have at most this many characters, as in Moodle.
constexpr int MaxTitleLength = 255;

// The largest GIFT file read.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

Result read(const QString &text);

// The same for the bytes of a file, which must be UTF-8 text (a byte order mark is allowed).
Result readBytes(const QByteArray &bytes);

// The address written before the title in the window caption; the picture window's
// caption shows it too.
inline const QString DefaultAddress = QStringLiteral("https://kaz.bg");

// The window width and the lists' left edges and widths, in twips, the five parameters after the
// caption; empty for the default ones (ContentStore::defaultGeometry). gift2kaz gives each
// question the lists that fit its longest phrases (testwindow/ListText).
using Sizing = std::function<QStringList(const Matching &question)>;

// The test.kaz text of one question: its caption is `address`, a space and the title (the
// title alone when `address` is empty).
// `source` is named in the comment at the top; `geometry` as a Sizing gives it.
QString toContent(const Matching &question, const QString &address = DefaultAddress,
                  const QString &source = {}, const QStringList &geometry = {});

// The title in Latin letters (Bulgarian transliteration for Cyrillic), lower case, with
// every other run of characters turned into one "-"; never empty.
QString folderName(const QString &title);

// The folder of each question: folderName of its title, with "-2", "-3" … after a name an
// earlier question (or another title) already took.
QStringList folderNames(const QList<Matching> &questions);

struct Written
{
    QStringList folders;   // paths of the folders written
    QList<Message> errors; // line = the question's line
};

// Writes one folder per question under `parent`, named by folderNames, making `parent` when it is missing. An existing
// folder is an error unless `force`, which replaces its test.kaz (a test.kaz that is a link
// is replaced itself; the file it points to stays as it is). All folders are written or none:
// on any failure the disk is left as it was, and the error (line 0 for a failure of the disk)
// says why.
Written writeFolders(const Result &result, const QDir &parent, bool force,
                     const QString &address = DefaultAddress, const QString &source = {},
                     const Sizing &sizing = {});

} // namespace Gift
