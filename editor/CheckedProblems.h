#pragma once

#include "DocumentCheck.h"

#include <QHash>
#include <QList>

// A check's result kept apart by kind: problems (which keep a test from being tried or packed),
// warnings (phrases the lists cut) and notes of the whole test; the problems and warnings of a
// cell are found by their row.
class CheckedProblems
{
public:
    // Takes a check's result; returns the rows whose problems or warnings were or are now
    // some, ascending, each once.
    QList<int> take(QList<DocumentProblem> result);
    void clear() { take({}); }

    const QList<DocumentProblem> &problems() const { return m_problems; }
    const QList<DocumentProblem> &warnings() const { return m_warnings; }
    const QList<DocumentProblem> &notes() const { return m_notes; }
    QList<DocumentProblem> problemsAt(int row, DocumentField field) const { return at(m_problems, m_problemsByRow, row, field); }
    QList<DocumentProblem> warningsAt(int row, DocumentField field) const { return at(m_warnings, m_warningsByRow, row, field); }

private:
    static QList<DocumentProblem> at(const QList<DocumentProblem> &list, const QHash<int, QList<int>> &byRow, int row,
                                     DocumentField field);

    QList<DocumentProblem> m_problems;
    QHash<int, QList<int>> m_problemsByRow;
    QList<DocumentProblem> m_warnings;
    QHash<int, QList<int>> m_warningsByRow;
    QList<DocumentProblem> m_notes;
};
