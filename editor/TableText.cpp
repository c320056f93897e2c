#include "TableText.h"

namespace TableText {

namespace {

bool isBreak(QChar c) { return c == u'\n' || c == u'\r'; }

// Past the line break at `i` (CR LF counts as one).
qsizetype afterBreak(const QString &text, qsizetype i)
{
    return text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n' ? i + 2 : i + 1;
}

// A quoted cell starting at `i`: its text and where it ends, or -1 when it is not one.
qsizetype quotedCell(const QString &text, qsizetype i, QString &cell)
{
    cell.clear();
    for (qsizetype j = i + 1; j < text.size(); ++j) {
        const QChar c = text.at(j);
        if (c != u'"') {
            if (c == u'\r') {
                cell += u'\n';
                if (j + 1 < text.size() && text.at(j + 1) == u'\n')
                    ++j;
            } else {
                cell += c;
            }
            continue;
        }
        if (j + 1 < text.size() && text.at(j + 1) == u'"') {
            cell += u'"';
            ++j;
            continue;
        }
        if (j + 1 == text.size() || text.at(j + 1) == u'\t' || isBreak(text.at(j + 1)))
            return j + 1;
        return -1;
    }
    return -1;
}

// The rows of `text`, at most `maxRows` of them (-1: all); false when there are more.
bool read(const QString &text, qsizetype maxRows, QList<QStringList> &rows)
{
    QStringList row;
    qsizetype i = 0;
    while (i < text.size()) {
        QString cell;
        qsizetype end = text.at(i) == u'"' ? quotedCell(text, i, cell) : -1;
        if (end < 0) {
            end = i;
            while (end < text.size() && text.at(end) != u'\t' && !isBreak(text.at(end)))
                ++end;
            cell = text.mid(i, end - i);
        }
        row.append(cell);
        if (end == text.size()) {
            i = end;
            break;
        }
        if (text.at(end) == u'\t') {
            i = end + 1;
            if (i == text.size())
                row.append(QString()); // a tab at the very end leaves an empty last cell
            continue;
        }
        if (rows.size() == maxRows)
            return false;
        rows.append(row);
        row.clear();
        i = afterBreak(text, end);
    }
    if (!row.isEmpty()) {
        if (rows.size() == maxRows)
            return false;
        rows.append(row);
    }
    return true;
}

} // namespace

QList<QStringList> parse(const QString &text)
{
    QList<QStringList> rows;
    read(text, -1, rows);
    return rows;
}

Bounded parse(const QString &text, qsizetype maxRows, qsizetype maxCharacters)
{
    Bounded out;
    if (text.size() > maxCharacters)
        out.over = Bounded::Over::Characters;
    else if (!read(text, maxRows, out.rows))
        out.over = Bounded::Over::Rows;
    if (out.over != Bounded::Over::Nothing)
        out.rows.clear();
    return out;
}

QString format(const QList<QStringList> &rows)
{
    QString out;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += u'\t';
            const QString &cell = row.at(c);
            if (cell.contains(u'\t') || cell.contains(u'\n') || cell.contains(u'\r') || cell.startsWith(u'"'))
                out += u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
            else
                out += cell;
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

} // namespace TableText
