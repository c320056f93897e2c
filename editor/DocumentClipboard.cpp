#include "DocumentClipboard.h"

#include "ContentReader.h"
#include "EditCommands.h"
#include "RowTableModel.h"
#include "TableText.h"
#include "QuizDocument.h"

#include <QCoreApplication>
#include <algorithm>

DocumentClipboard::DocumentClipboard(QuizDocument &document)
    : m_document(document)
{
}

QString DocumentClipboard::cut(QList<int> rows)
{
    QString text = copy(rows);
    m_document.removeRowSet(std::move(rows), StepText::rowsCut);
    return text;
}

DocumentClipboard::Pasted DocumentClipboard::paste(int row, DocumentField column, const QString &text)
{
    const int first = std::clamp(row, 0, m_document.rowCount());
    return pasteInto(first, column, m_document.rowCount() - first, RowTableModel::ExplanationColumn + 1, text);
}

DocumentClipboard::Pasted DocumentClipboard::insertPasted(int row, DocumentField column, const QString &text)
{
    const int first = std::clamp(row, 0, m_document.rowCount());
    const int blank = first < m_document.rowCount() && m_document.row(first).isBlank() ? 1 : 0;
    return pasteInto(first, column, blank, RowTableModel::ExplanationColumn + 1, text);
}

DocumentClipboard::Pasted DocumentClipboard::pasteInto(int row, DocumentField column, int rows, int columns, const QString &text)
{
    const int first = std::clamp(row, 0, m_document.rowCount());
    int col = RowTableModel::columnOf(column);
    if (col < 0 || col > RowTableModel::ExplanationColumn)
        col = RowTableModel::LeftColumn;
    Pasted pasted;
    pasted.firstRow = first;
    const TableText::Bounded table = TableText::parse(text, ContentReader::MaxPhrases, DocumentContent::MaxCharacters);
    if (table.over == TableText::Bounded::Over::Rows) {
        pasted.refused = QCoreApplication::translate("QuizDocument", "Nothing was pasted: the copied text has more than %1 lines, "
                                                     "more than a test can hold. Copy fewer rows.")
                             .arg(ContentReader::MaxPhrases);
        return pasted;
    }
    if (table.over == TableText::Bounded::Over::Characters) {
        pasted.refused = QCoreApplication::translate("QuizDocument", "Nothing was pasted: the copied text has %1 characters, more "
                                                     "than a test can hold. Copy fewer rows and paste again.")
                             .arg(text.size());
        return pasted;
    }
    const QList<QStringList> &cells = table.rows;
    pasted.rows = int(cells.size());
    if (cells.isEmpty())
        return pasted;
    const int room = std::clamp(columns, 1, RowTableModel::ExplanationColumn + 1 - col);
    qsizetype widest = 0;
    for (const QStringList &line : cells)
        widest = std::max(widest, line.size());
    pasted.columnsLeftOut = int(std::max<qsizetype>(0, widest - room));
    pasted.columns = int(std::min<qsizetype>(widest, room));

    // The lines replace the block's rows first; the rest are inserted right after them.
    const qsizetype replaced = std::min<qsizetype>({cells.size(), std::max(rows, 0), m_document.rowCount() - first});
    pasted.added = int(cells.size() - replaced);
    if (pasted.added > DocumentContent::MaxRows - m_document.rowCount()) {
        pasted.refused = QCoreApplication::translate("QuizDocument", "Nothing was pasted: with %1 more rows the table would have "
                                                     "%2, more than the %3 it can hold. Delete rows that are not needed, or "
                                                     "paste fewer.")
                             .arg(pasted.added)
                             .arg(qsizetype(m_document.rowCount()) + pasted.added)
                             .arg(DocumentContent::MaxRows);
        pasted.rows = pasted.added = pasted.columns = pasted.columnsLeftOut = 0;
        return pasted;
    }
    const QList<DocumentRow> before = m_document.content().rows.mid(first, replaced);
    QList<DocumentRow> after;
    after.reserve(cells.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        QStringList line = cells.at(i).mid(0, pasted.columns);
        while (line.size() < pasted.columns)
            line.append(QString());
        DocumentRow typed = i < before.size() ? before.at(i) : DocumentRow();
        for (int c = 0; c < line.size(); ++c)
            typed = QuizDocument::withCell(std::move(typed), RowTableModel::fieldOf(col + c), line.at(c));
        after.append(std::move(typed));
    }
    if (after == before)
        return pasted;
    if (const qint64 characters = DocumentContent::characters(m_document.content().rows) - DocumentContent::characters(before)
                                  + DocumentContent::characters(after);
        characters > DocumentContent::MaxCharacters) {
        pasted.refused = QCoreApplication::translate("QuizDocument", "Nothing was pasted: the table would then hold %1 characters "
                                                     "of text, more than it can hold (%2). Delete rows that are not needed, "
                                                     "or paste fewer.")
                             .arg(characters)
                             .arg(DocumentContent::MaxCharacters);
        pasted.rows = pasted.added = pasted.columns = pasted.columnsLeftOut = 0;
        return pasted;
    }
    pasted.changed = true;
    m_document.replaceRows(first, int(before.size()), std::move(after), StepText::rowsPasted(int(cells.size())));
    return pasted;
}

QString DocumentClipboard::copy(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int r) { return r < 0 || r >= m_document.rowCount(); });
    const bool explanations = std::any_of(rows.cbegin(), rows.cend(),
                                          [this](int r) { return !m_document.row(r).explanation.isEmpty(); });
    QList<QStringList> cells;
    cells.reserve(rows.size());
    for (int r : std::as_const(rows)) {
        const DocumentRow &row = m_document.row(r);
        QStringList line{row.left, row.right};
        if (explanations)
            line.append(row.explanation.join(u'\n'));
        cells.append(line);
    }
    return TableText::format(cells);
}

