#pragma once

#include "ContentStore.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

// Reads a test written in the KAZ content format (a UTF-8 text of sections such as
// [left], [right], [parameters] …) and checks it against every rule of the format.
// The build runs the check, so a faulty test never becomes a program; the program
// checks the same text again from the end of its own file (QuizFolder).
namespace ContentReader {

// The sections of a test file.
enum class SectionKind : quint8 { None, Parameters, Instructions, Left, Right, Switches, Explanation, Flags, Picture };

// Where in the test a problem lies: a section and a line under its header, as the reader took
// them. A program that shows the test otherwise than as lines of text (the editor's table)
// finds its own place for a problem from this.
struct Place
{
    SectionKind section = SectionKind::None; // None: the whole file, or a line under no section read
    int number = 0; // the question of [explanation N] and [picture N]
    // The line under the header, from 0, as the section's lines are counted: blank lines only in
    // the instructions, the label is item 0 of the switches and the flags. -1: the section as a
    // whole (its header), or a line that is none of its items.
    int item = -1;
    friend bool operator==(const Place &, const Place &) = default;
};

// Which rule of the format a problem breaks: one for each kind of message.
enum class Rule : quint8 {
    Other, // told by a caller of the reader: a file that cannot be read, a folder's icon
    WordProcessorFile,
    RichTextFile,
    FileTooLarge,
    Utf16File,
    NotUtf8,
    ControlCharacter,
    LineTooLong,
    SectionNumberOutOfRange,
    UnknownSection,
    SectionTwice,
    SpacesBeforeNote,
    BracketNoHeader,
    LineBeforeSections,
    TooManyLines,
    ParametersMissing,
    ParameterCount,
    ParameterNotNumber,
    ParameterNotWhole,
    ListTooNarrow,
    WindowTooNarrow,
    WindowTooWide,
    ListsOverlap,
    RightListCutOff,
    SideMissing,
    NoPhrases,
    TooManyPhrases,
    EmptyPhrase,
    TabInPhrase,
    PhraseTwice,
    PhraseLooksSame,
    NeverGraded,
    LabelIsNumber,
    SwitchNotNumber,
    SwitchPastLastExtra,
    SwitchWithoutLines,
    ExplanationEmpty,
    FlagsMissing,
    FlagNotNumber,
    FlagPastLastExtra,
    FlagWithoutPicture,
    FlagsTooFew,
    PictureLineNotKeyValue,
    PictureUnknownKey,
    PictureKeyTwice,
    PictureUnusable,
    PictureSizeNotNumber,
    PictureNoFile,
    PictureTooLarge,
};

struct Problem
{
    Problem() = default;
    Problem(QString file, int line, QString message, Rule rule = Rule::Other, int otherLine = 0)
        : file(std::move(file))
        , line(line)
        , message(std::move(message))
        , rule(rule)
        , otherLine(otherLine)
    {
    }

    QString file;
    int line = 0; // 0: the problem has no single line
    QString message;
    Rule rule = Rule::Other;
    int otherLine = 0; // the line the message names too ("already on line 3 of [left]"); 0: none
    Place place;       // of `line`
    Place other;       // of `otherLine`

    // "file:line: error: message", the form compilers and editors understand.
    QString toString() const;
};

struct Result
{
    ContentStore store;
    QList<Problem> problems; // in the order of the file, problems of the whole file first
    qsizetype moreProblems = 0; // found after the first MaxProblems, counted but not kept
    bool ok() const { return problems.isEmpty(); }
};

// What the build learns about a picture file.
struct PictureCheck
{
    // Not explicit: a check that only says what is wrong may return the text alone.
    PictureCheck(QString problem = {}, QSize size = {})
        : problem(std::move(problem))
        , size(size)
    {
    }
    QString problem; // why the picture cannot be used; empty when it can
    QSize size;      // its size in pixels; invalid when not known
};

struct Options
{
    QString fileName = QStringLiteral("test.kaz"); // named in problems
    // Prefix that turns a picture file name into the picture's source (a folder or a
    // resource path ending in "/").
    QString pictureBase;
    // Says why a picture source cannot be used and how large the picture is. Without it
    // pictures are not looked at.
    std::function<PictureCheck(const QString &source)> checkPicture;
};

Result read(const QString &text, const Options &options = {});

// The same for the bytes of a file, which must be UTF-8 text (a byte order mark is
// allowed). A file in another encoding gives one problem and no content.
Result readBytes(const QByteArray &bytes, const Options &options = {});

// The endings a picture's file name may have (lower case, without the dot); a name may use
// capitals. kazpack packs the pictures a test names into its program.
QStringList pictureSuffixes();

// The rightmost edge of the test window's fixed controls and the frame's share of the
// window width, in twips: a narrower window would cut them off. The window's client area
// is the outer width less FrameWidth.
constexpr int ControlsRightEdge = 10935;
constexpr int FrameWidth = 120;
// The widest window that fits a screen of 1920 pixels, in twips.
constexpr int MaxWindowWidth = 28800;

// The largest number of phrases a side may hold; the switches and the flags hold a label and a
// line for each of as many questions.
constexpr int MaxPhrases = 32767;

// The most lines of the instructions and of each explanation (and of the parameters and a
// picture's section, which need a few): the boxes that show them show a handful, and a thousand
// lines are a long chapter. Past its limit a section's lines are counted, not kept.
constexpr int MaxTextLines = 1000;

// The most problems a result keeps: enough for one on every phrase of two full sides, so that
// the editor still marks every row, yet a file wrong on each of its millions of lines costs no
// more memory.
constexpr int MaxProblems = 100000;

// The narrowest list, in twips (40 pixels): narrower, it shows little but its scroll bar.
constexpr int MinListWidth = 600;

// The longest line, in characters: longer than the widest list shows, yet short enough that
// laying out a phrase never holds up a click.
constexpr int MaxLineLength = 1000;

// The largest test file. A test of 32767 phrases a side, each of 40 Cyrillic letters, takes
// about 5 MB.
constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

// Where `line` holds a control character that no test may hold (the invisible characters
// below the space but the tab, DEL and the C1 controls); -1 when it holds none.
qsizetype controlCharacter(QStringView line);

} // namespace ContentReader
