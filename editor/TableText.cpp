#include "TableText.h"

namespace TableText {

namespace {

bool isBreak(QChar c) { return c == u'\n' || c == u'\r'; }

// Past the line break at `i` (CR LF counts as one).
qsizetype afterBreak(const QString &text, qsizetype i)
{
    return text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n' ? i + 2 : i + 1;
}

// A quoted cell starting at `i`: its text and where it ends, or -1 when it is not one. Its end
// is found before anything is copied, so that a quote never closed costs one look at the text.
qsizetype quotedCell(const QString &text, qsizetype i, QString &cell)
{
    const QChar *c = text.constData();
    const qsizetype size = text.size();
    qsizetype j = i + 1;
    while (j < size) {
        if (c[j] != u'"') {
            ++j;
            continue;
        }
        if (j + 1 < size && c[j + 1] == u'"') {
            j += 2;
            continue;
        }
        break;
    }
    if (j >= size || (j + 1 < size && c[j + 1] != u'\t' && !isBreak(c[j + 1])))
        return -1;
    cell = text.mid(i + 1, j - i - 1);
    cell.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cell.replace(u'\r', u'\n');
    return j + 1;
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
