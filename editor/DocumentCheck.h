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

    friend bool operator==(const DocumentProblem &, const DocumentProblem &) = default;
};

// The check of a whole document: the text it would write, read by ContentReader with the held
// picture bytes standing in for the files, every problem's place taken to its row and field and
// worded in the table's terms where the checker speaks of the file; then what the file cannot
// say (extra phrases on both sides, explanation lines or a picture where no question can have
// them). Whole-test problems come first, then by row. Given a measure of the lists' text, each
// phrase its list would cut is a warning on its cell, while the geometry has no problem.
namespace DocumentCheck {

// Rows named as the table's vertical header numbers them: a question by its number, a row
// without one (an extra right phrase, a row without phrases) by the nearest numbered row above
// it, or below it at the top of the table.
class RowNames
{
public:
    explicit RowNames(QList<int> questionOfRow); // 0: the row has no number
    QString heading(int row) const; // "Row 10", "Unnumbered row below row 10": a problem's start
    QString inText(int row) const;  // "row 10", "the unnumbered row below row 10": within a sentence

private:
    QList<int> m_question;
    QList<int> m_above; // of a row without a number: the number above it, 0 none
    QList<int> m_below;
};

QList<DocumentProblem> run(const DocumentContent &content, const ListText::Measure *measure = nullptr);

// The checker's rules of the caption and the window's geometry alone: fast enough for a
// sketch that follows every keystroke.
QList<DocumentProblem> geometry(const DocumentContent &content);

// What the reader of a file found (`read`) that the document's check (`found`) does not find
// again: what could not be placed in the rows and fields, which saving leaves out. The document
// is the one opened from that file, whose sides held `leftPhrases` and `rightPhrases`: row i
// holds left phrase i and right phrase i. A problem is found again when the check finds the
// same rule broken on the same row and field.
QList<ContentReader::Problem> unplaced(const QList<ContentReader::Problem> &read, int leftPhrases, int rightPhrases,
                                       const QList<DocumentProblem> &found);

} // namespace DocumentCheck
