#pragma once

#include "ContentReader.h"
#include "Gift.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Reads the matching questions of a file in Moodle XML, what Moodle's "Export questions" writes
// by default, into the same result as the GIFT reader gives (Gift::Result), so that naming and
// writing the test folders serve both formats.
//
// A `matching` question (and a `ddmatch` one, of the drag-and-drop plugin) becomes a test: each
// subquestion is a pair, its text the left phrase and its answer the right phrase; a subquestion
// with an empty text is an extra right phrase. The question text becomes the instructions, the
// question's name the title, and a `category` question gives the category of the questions after
// it. HTML texts become plain text as in the GIFT reader (Gift::plainFromHtml).
//
// Pictures embedded in a question (<file name="…" encoding="base64"> named in its text by
// @@PLUGINFILE@@/name) become the test's question pictures: a subquestion's picture is its pair's,
// and a picture of the question text is shown with every pair that has none of its own. A picture
// that cannot be read is a warning naming it, and the question is read without it.
//
// A matching question that a KAZ test cannot hold is left out with a note saying why, and the
// others are read; one whose left parts share a right part is a Gift::Classification. Questions
// of every other type are skipped with a note. Only a fault of the file itself (not XML, not a
// Moodle export, a document type declaration, nesting deeper than any export) is an error.
namespace MoodleXml {

// The largest Moodle XML file read: its pictures are inside it.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

// Elements nest no deeper than this; an export nests five deep.
constexpr int MaxDepth = 32;

// A question's text, feedback or phrase longer than this many characters (before its HTML is
// removed) is not read: no box of a test shows so much.
constexpr qsizetype MaxTextChars = 1024 * 1024;

struct Options
{
    // Says why the bytes of a picture cannot be shown and how large the picture is
    // (QuizFolder::checkPicture, which needs QtGui). Without it a picture is taken unseen, in
    // the default box.
    std::function<ContentReader::PictureCheck(const QByteArray &bytes)> checkPicture;
};

// Whether `bytes` look like an XML file rather than GIFT text: after a byte order mark and
// white space they start with an XML declaration or the <quiz> element.
bool looksLikeXml(const QByteArray &bytes);

Gift::Result readBytes(const QByteArray &bytes, const Options &options = {});

// A file of questions read as gift2kaz and the editor read one: as Moodle XML when its content
// looks like it (looksLikeXml; for a file too large to read, its start), else as GIFT, each
// within its own size limit.
struct FileRead
{
    bool xml = false;
    // Why the file cannot be read at all, in FileAccess's words ("it is 50.0 MB, larger than
    // 32.0 MB"); empty when it was read, and `result` says what it holds.
    QString problem;
    Gift::Result result;
};
FileRead readFile(const QString &path, const Options &options = {});

// Takes the classifications of `result` among its questions with each shared right part made
// distinct (Gift::distinctRights), in the file's order, and drops their notes; one that still
// breaks a rule of a KAZ test stays left out, its note saying why.
void takeClassifications(Gift::Result &result);

// Why the test made of `question` breaks a rule of a KAZ test, in the teacher's words; empty
// when it breaks none. The reader leaves out a question for which it is not empty.
QString problem(const Gift::Matching &question);

} // namespace MoodleXml
