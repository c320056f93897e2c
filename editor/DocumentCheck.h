#pragma once

#include "ContentReader.h"
#include "DocumentContent.h"

#include <QList>
#include <QString>

namespace ListText {
class Measure;
}

// One problem of a document, where the teacher mends it.
struct DocumentProblem
{
    QString message; // the checker's own words, or the editor's for what only rows can get wrong
    int row = -1;    // -1: a field of the whole test (caption, geometry, instructions, labels)
    DocumentField field = DocumentField::Test;
    int part = -1;     // the line within the instructions or an explanation; -1: the whole field
    int otherRow = -1; // the row a message names too ("already on row 3 of the table")
    // The checker's rule the problem breaks; Other for the editor's own problems.
    ContentReader::Rule rule = ContentReader::Rule::Other;
    // The row as the table's header numbers it ("Row 10", "Unnumbered row below row 10"), when the
    // check ran; empty for a field of the whole test.
    QString rowName{};
    // A warning, not a problem: the test can still be tried and made into a program (a phrase its
    // list cuts).
    bool warning = false;
    // A note, neither problem nor warning: what the learner will meet that the teacher should know
    // of (the extra press that opens "Оцени" in a small test). Of the whole test.
    bool note = false;
    // The note in a few words, for a line as short as the status bar; empty: `message` itself.
    QString brief{};

    friend bool operator==(const DocumentProblem &, const DocumentProblem &) = default;
};

// The check of a whole document: the text it would write, read by ContentReader with the held
// picture bytes standing in for the files, every problem's place taken to its row and field and
// worded in the table's terms where the checker speaks of the file; then what the file cannot
// say (extra phrases on both sides, explanation lines or a picture where no question can have
// them). Whole-test problems come first, then by row. Given a measure of the lists' text, each
// phrase its list would cut is a warning on its cell, while the geometry has no problem. Where
// the test window's own rule (Kaz::lastPairLeavesGradingGrey) leaves "Оцени" grey after the last
// pair, a note of the whole test says so.
namespace DocumentCheck {

// The number the table's vertical header gives each row: the rows with a left phrase are
// numbered 1, 2, 3 … in the table's order, the others 0. It is the row's question in the file
// but where a row without a right phrase stands above a pair: the file asks such rows after
// all the pairs (the answer key is the place), the table keeps them where the teacher put them.
QList<int> numbers(const DocumentContent &content);

// Rows named as the table's vertical header numbers them: a question by its number, a row
// without one (an extra right phrase, a row without phrases) by the nearest numbered row above
// it, or below it at the top of the table; of several such rows together, each by its place
// among them ("Unnumbered row 2 of 3 below row 10").
struct NameWords;
class RowNames
{
public:
    explicit RowNames(QList<int> questionOfRow); // 0: the row has no number
    QString heading(int row) const; // "Row 10", "Unnumbered row below row 10": a problem's start
    QString inText(int row) const;  // "row 10", "the unnumbered row below row 10": within a sentence
    int number(int row) const { return m_question.value(row); }

private:
    QString name(int row, const NameWords &words) const;

    QList<int> m_question;
    QList<int> m_above; // of a row without a number: the number above it, 0 none
    QList<int> m_below;
    QList<int> m_place; // of a row without a number: its place (1 …) among those between the same numbered rows
    QList<int> m_together; // how many rows without a number stand there
};

QList<DocumentProblem> run(const DocumentContent &content, const ListText::Measure *measure = nullptr);

// The checker's rules of the caption and the window's geometry alone: fast enough for a
// sketch that follows every keystroke.
QList<DocumentProblem> geometry(const DocumentContent &content);

// What the reader of a file found (`read`) that the document's check (`found`) does not find
// again: what could not be placed in the rows and fields, which saving leaves out. The document
// is the one opened from that file, whose left phrase i is on row leftRows[i] and right phrase i
// on row rightRows[i]. A problem is found again when the check finds the same rule broken on the
// same row and field.
QList<ContentReader::Problem> unplaced(const QList<ContentReader::Problem> &read, const QList<int> &leftRows,
                                       const QList<int> &rightRows, const QList<DocumentProblem> &found);

} // namespace DocumentCheck
