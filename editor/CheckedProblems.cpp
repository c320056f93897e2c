#include "CheckedProblems.h"

#include <algorithm>

QList<int> CheckedProblems::take(QList<DocumentProblem> result)
{
    QList<int> rows = m_problemsByRow.keys() + m_warningsByRow.keys();
    m_problems = std::move(result);
    m_notes.clear();
    const auto note = [](const DocumentProblem &p) { return p.note; };
    std::copy_if(m_problems.cbegin(), m_problems.cend(), std::back_inserter(m_notes), note);
    m_problems.removeIf(note);
    m_warnings.clear();
    const auto warning = [](const DocumentProblem &p) { return p.warning; };
    std::copy_if(m_problems.cbegin(), m_problems.cend(), std::back_inserter(m_warnings), warning);
    m_problems.removeIf(warning);
    for (auto [list, byRow] : {std::pair{&m_problems, &m_problemsByRow}, std::pair{&m_warnings, &m_warningsByRow}}) {
        byRow->clear();
        for (int i = 0; i < list->size(); ++i)
            if (list->at(i).row >= 0)
                (*byRow)[list->at(i).row].append(i);
    }
    rows += m_problemsByRow.keys() + m_warningsByRow.keys();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QList<DocumentProblem> CheckedProblems::at(const QList<DocumentProblem> &list, const QHash<int, QList<int>> &byRow,
                                           int row, DocumentField field)
{
    QList<DocumentProblem> out;
    for (int i : byRow.value(row))
        if (list.at(i).field == field)
            out.append(list.at(i));
    return out;
}
