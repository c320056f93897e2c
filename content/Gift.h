#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Reads matching questions from a file in Moodle's GIFT format and turns each into a KAZ
// test folder. Questions are separated by blank lines; "//" starts a comment line;
// "$CATEGORY:" lines give the category of the questions after them;
// \~ \= \# \{ \} \: \\ stand for the character itself and
// \n for a line break. A matching question looks like
//     ::Title:: Question text { =left -> right =left -> right =left -> right = -> extra }
// and becomes a test whose left list holds the left parts and whose right list holds the
// right parts in the same order, followed by the extra right parts (those with an empty
// left part). Questions of other types are skipped with a note. The result's types serve the
// Moodle XML reader (MoodleXml.h) too.
namespace Gift {

struct Message
{
    int line = 0;
    QString text;
    // "file:line: error: text" (or "note:"), the form compilers and editors use.
    QString toString(const QString &file, const char *kind) const;
};

// The file format a question was read from; GIFT and Moodle XML (MoodleXml.h) give the same
// result, so that naming and writing the test folders serve both.
enum class Format : quint8 { Gift, MoodleXml };

// A picture of a question, carried as the file's bytes: it becomes the picture of a pair of the
// test (a question picture, [picture N]), written beside test.kaz under `name`.
struct Picture
{
    int pair = 0;     // the pair, from 0; only the first ContentStore::QuestionsWithExtras have one
    QString name;     // a file name of safe characters (a-z, 0-9, "-") with a picture ending
    QByteArray bytes;
    int width = 0;    // in pixels, 0 when not known: the box is then the default one
    int height = 0;
};

struct Matching
{
    int line = 0;           // line where the question starts
    QString title;          // from ::title::, or made from the text when there is none
    QStringList text;       // question text, one item per line
    QStringList left;       // left parts of the pairs
    QStringList right;      // right parts of the pairs, then the extra right parts
    // The question's category as the teacher named it in Moodle ("Биология/Растения"); empty
    // when the file gives none.
    QString category;
    // The explanation of each pair, one item per line, by pair (from 0); empty lists for pairs
    // without one. At most the first ContentStore::QuestionsWithExtras pairs have one.
    QList<QStringList> explanations;
    QList<Picture> pictures; // at most one for each pair, in the order of the pairs
    Format format = Format::Gift;
};

// A question of another type, skipped, or a matching question that a KAZ test cannot hold.
struct Skipped
{
    int line = 0;  // line where the question starts
    QString kind;  // in the user's language: "multiple-choice question", "description" …
    QString title; // from ::title::, shortened to an excerpt; empty when there is none
    QString category; // as in Matching
    QString why;      // for a matching question left out, why, in the teacher's words; else empty
};

// A matching question in which two or more left parts share one right part (a classification:
// "Ябълка" and "Круша" both go with "Плод"). A KAZ test pairs each left phrase with one right
// phrase of its own, so it cannot be converted as it stands; distinctRights() offers one way.
struct Classification
{
    // The question with every pair as the file has it: right.at(i) belongs with left.at(i), and
    // the same right part stands at several places; extra right parts follow.
    Matching question;
    QStringList shared; // the right parts that more than one left part shares, each once
};

struct Result
{
    QList<Matching> questions;
    QList<Message> notes;  // questions of other types, skipped, and questions left out
    QList<Skipped> skipped; // the same questions, one for each note
    QList<Classification> classifications; // left out too, each with its note and Skipped
    QList<Message> warnings; // parts of a question read without them (a picture that cannot be read)
    QList<Message> errors; // faults of the file; nothing should be written when there are any
    bool ok() const { return errors.isEmpty(); }
};

// The question with each right part that several left parts share made distinct: the second
// left part's gets " (2)", the third's " (3)" … ("Плод", "Плод (2)"), a number no other right
// part of the question has; an extra right part equal to a shared one is dropped, as Moodle
// counts it once. The result can still break a rule of a KAZ test (MoodleXml::problem says).
Matching distinctRights(const Classification &c);

// Moodle's HTML text as the text of a KAZ test: line breaks for <br> and the ends of
// paragraphs, other tags removed, character entities replaced.
QString plainFromHtml(QString html);

// The lines of a text, each trimmed, without empty lines at either end.
QStringList textLines(const QString &text);

// A category path as Moodle writes it ("$course$/top/Биология/Растения", in a $CATEGORY: line
// or a category question) as the teacher sees it in the question bank ("Биология/Растения").
QString categoryName(const QString &path);

// The explanation of each pair (the first ContentStore::QuestionsWithExtras) that Moodle's
// general feedback of a question gives, one item per line of the feedback (empty lines are
// dropped). Moodle shows the feedback once for the whole question; a KAZ test explains each
// pair. When a line is a left phrase and a colon alone ("Квадрат:"), as KAZ writes the
// explanations for Moodle, such lines are headings: the lines after one up to the next are its
// pair's explanation. Otherwise a line that starts with a pair's left phrase ("Квадрат: …",
// "Квадрат – …") explains that pair, with the lines after it up to the next such one. Lines
// before the first heading or named pair explain every pair named; when none is named, the whole
// feedback explains every pair, so that whichever pair the learner asks about, "Обясни" shows
// it. Nullopt when it is longer than an explanation of a KAZ test may be.
std::optional<QList<QStringList>> pairExplanations(const QStringList &feedback, const QStringList &left);

// A text quoted in a message: its start only, when it is long.
QString excerpt(const QString &text);

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
// title alone when `address` is empty). Its explanations and pictures become [explanation N]
// and [picture N] (the box of a picture of known size takes its own size, as the editor gives
// it, and opens in the picture window).
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

// Writes one folder per question under `parent`, named by folderNames, making `parent` when it is
// missing; each folder holds test.kaz and the question's pictures. An existing
// folder is an error unless `force`, which replaces its test.kaz (a test.kaz that is a link
// is replaced itself; the file it points to stays as it is). All folders are written or none:
// on any failure the disk is left as it was, and the error (line 0 for a failure of the disk)
// says why.
Written writeFolders(const Result &result, const QDir &parent, bool force,
                     const QString &address = DefaultAddress, const QString &source = {},
                     const Sizing &sizing = {});

} // namespace Gift
