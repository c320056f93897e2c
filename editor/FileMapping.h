#pragma once

#include "ContentReader.h"
#include "ContentStore.h"
#include "DocumentContent.h"
#include "PictureBytes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

// Rows to the content of a file and back. The file's lists follow from the rows: the left
// list is the paired rows' left phrases in table order, then those of rows without a right
// phrase; the right list is the paired rows' right phrases, then those of rows without a left
// phrase. Switches and flags follow from what a row holds. editor/DESIGN.md tells the whole
// mapping.
namespace FileMapping {

// The instructions as ContentStore holds them (every line ended by CR LF) and as a text box
// shows them (lines separated by "\n").
QString instructionsText(const QString &ukazanie);
QString ukazanie(const QString &instructionsText);

// Lines of an explanation cell: "\n", "\r\n" or "\r" between them; the empty text is no line.
QStringList cellLines(const QString &text);

// A flag text's picture mode (0 or not a number: hidden), and whether a switch text is on.
PictureMode modeOfFlag(const QString &flag);
bool switchOn(const QString &switchText);

// The document read from a store. `bytesOf` gives the bytes of a picture source, or why there
// are none; a picture's name is its source without `pictureBase`. Row i holds the lists' phrases
// i, but where `comments` hold the note of rows without a pair (orderNote), which puts those rows
// back where the editor's table had them; `placed`, when given, gets the row of each i.
DocumentContent fromStore(const ContentStore &store, const QString &pictureBase,
                          const std::function<PictureBytes::Found(const QString &source)> &bytesOf,
                          const QStringList &comments = {}, QList<int> *placed = nullptr);

// The file's answer key is the place of a phrase, so a right phrase without a left one (or a
// left phrase without a right one) is written after all the pairs, wherever its row stands in
// the table. Where such rows stand above a pair, the editor writes one note at the top of the
// file, never shown by the test: this text, then for each such row in the table's order how many
// pairs are above it ("0, 10, 10"). Reading it puts the rows back; a note that no longer fits the
// lists (a file changed by hand) is dropped and the rows stay after the pairs.
inline constexpr QStringView OrderNote = u"Място в таблицата на редактора за редовете без двойка (брой двойки над всеки): ";

// The notes at the top of a test file (lines starting with # before the first section),
// without "# ", as ContentWriter writes them back.
QStringList leadingComments(const QString &text);

struct Written
{
    ContentStore store; // picture sources are the pictures' names
    QStringList comments;
    QList<int> leftRows;  // row of left phrase i (question i + 1)
    QList<int> rightRows; // row of right phrase i
    int rowOfQuestion(int q) const { return q >= 1 && q <= leftRows.size() ? leftRows.at(q - 1) : -1; }
};

Written toStore(const DocumentContent &content);

// The text of the file, through ContentWriter.
QString text(const Written &written);

// Where a line of the written text comes from.
struct Place
{
    int row = -1; // -1: the test as a whole, or what a file holds past the last question
    DocumentField field = DocumentField::Test;
    int part = -1; // the line within a field of several lines (instructions, explanation)
};

// The row and field a place of a file comes from, the file's left phrase i being that of row
// leftRows[i] (question i + 1) and its right phrase i that of row rightRows[i]: Written's lists
// for the text the document writes.
Place placeOf(const ContentReader::Place &place, const QList<int> &leftRows, const QList<int> &rightRows);

} // namespace FileMapping
