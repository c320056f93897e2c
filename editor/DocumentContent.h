#pragma once

#include "ContentReader.h"
#include "ContentStore.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

// What the test editor holds of one test, in the teacher's terms: one row per question
// (left phrase, right partner, explanation lines, picture), rows with a phrase on one side
// only, the caption as address and title, the geometry, the instructions. FileMapping turns it
// into the ContentStore that ContentWriter writes, and back.

// A place a teacher types into: a column of a row, or a field of the whole test.
enum class DocumentField {
    Left,
    Right,
    Explanation,
    Picture,
    Address,
    Title,
    WindowWidth,
    LeftListLeft,
    LeftListWidth,
    RightListLeft,
    RightListWidth,
    Instructions,
    ExplanationLabel, // the label line of [explanation switches]
    PictureLabel,     // the label line of [picture flags]
    Test,             // the test as a whole
};

// What a picture flag other than 0 asks for: the picture in the thumbnail, and in the picture
// window on a click (1), or in the thumbnail only (-1). Hidden (0) keeps the picture unshown.
enum class PictureMode { Hidden, Window, ThumbnailOnly };

struct DocumentPicture
{
    static constexpr int DefaultBoxWidth = ContentStore::DefaultBoxWidth;
    static constexpr int DefaultBoxHeight = ContentStore::DefaultBoxHeight;

    QString name;                // the file's name in the test folder; empty: no picture
    QByteArray bytes;            // the file; empty when it was missing when the test was opened
    int width = DefaultBoxWidth; // the box, in twips
    int height = DefaultBoxHeight;

    // What the picture check found in `bytes` (derived, so not compared).
    QString problem;
    QSize pixels;

    bool isNull() const { return name.isEmpty(); }
    friend bool operator==(const DocumentPicture &a, const DocumentPicture &b)
    {
        return a.name == b.name && a.bytes == b.bytes && a.width == b.width && a.height == b.height;
    }
};

struct DocumentRow
{
    QString left;
    QString right;
    QStringList explanation;
    bool explanationShown = true; // the explanation switch; new lines are shown
    DocumentPicture picture;
    PictureMode pictureMode = PictureMode::Window;
    // The switch and flag lines as a hand-written file had them; written again as they are
    // while they still say what the row holds, so "0" stays "0" and "-1" stays "-1".
    QString switchText;
    QString flagText;

    bool hasLeft() const { return !left.isEmpty(); }
    bool hasRight() const { return !right.isEmpty(); }
    // Nothing at all: such a row is not written.
    bool isBlank() const { return left.isEmpty() && right.isEmpty() && explanation.isEmpty() && picture.isNull(); }
    friend bool operator==(const DocumentRow &, const DocumentRow &) = default;
};

// What a file holds for a question number past the last left phrase (the shipped towns test
// has explanation lists 22 … 30 and switches up to 41 for its 21 questions). Kept and written
// back at its number while no row is that question.
struct DocumentSpare
{
    QString switchText;
    QString flagText;
    QStringList explanation;
    DocumentPicture picture;
    friend bool operator==(const DocumentSpare &, const DocumentSpare &) = default;
};

struct DocumentContent
{
    static constexpr int GeometryFields = 5;
    // What one document holds at most, measured by the largest test: the rows of four of its
    // sides (both sides with every phrase on a row of its own, and as many blank rows) and the
    // text of four of its files in its rows' cells. Whatever brings rows in (a paste, new rows,
    // a file, a GIFT question, a recovery copy) keeps to them, and a recovery copy holds any
    // document within them (Recovery::MaxBytes is derived from them).
    static constexpr int MaxRows = 4 * ContentReader::MaxPhrases;
    static constexpr qint64 MaxCharacters = 4 * ContentReader::MaxFileBytes;

    QString address;
    QString title;
    // Window width, left list's left edge and width, right list's left edge and width, in
    // twips, as typed.
    QStringList geometry = ContentStore::defaultGeometry();
    QString instructions; // lines separated by "\n"
    QString explanationLabel = ContentStore::defaultSwitchesLabel();
    bool explanationSection = false; // the file had [explanation switches]; written again even if all are off
    QString pictureLabel = ContentStore::defaultFlagsLabel();
    QStringList comments; // the notes at the top of the file, without their "# "
    QList<DocumentRow> rows;
    QMap<int, DocumentSpare> spare; // by question number

    // The characters of the rows' phrases and explanations, as MaxCharacters counts them.
    static qint64 characters(const QList<DocumentRow> &rows)
    {
        qint64 n = 0;
        for (const DocumentRow &r : rows) {
            n += r.left.size() + r.right.size();
            for (const QString &line : r.explanation)
                n += line.size() + 1;
        }
        return n;
    }

    friend bool operator==(const DocumentContent &, const DocumentContent &) = default;
};
