#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Tab-separated text as spreadsheets put it on the clipboard: cells separated by tabs, rows by
// CR LF, LF or CR, and a cell holding a line break, a tab or a leading quote written in
// quotes with its quotes doubled ("first line\nsecond ""quoted"" line"), as Excel and
// LibreOffice Calc write it and read it back.
namespace TableText {

// The rows of cells; a line break at the very end ends the last row and starts none. A cell
// that starts with a quote but does not close as a quoted cell (a quote, then a tab, a line
// break or the end) is taken as it stands. Line breaks inside a quoted cell become "\n".
QList<QStringList> parse(const QString &text);

// A text read as parse() reads it, unless it is larger than a caller can take: a text of more
// than `maxCharacters` characters is not read at all, and reading stops at the row past
// `maxRows`, so that a million copied rows never become a million rows in memory.
struct Bounded
{
    enum class Over { Nothing, Rows, Characters };
    QList<QStringList> rows; // empty when the text is over a bound
    Over over = Over::Nothing;
};
Bounded parse(const QString &text, qsizetype maxRows, qsizetype maxCharacters);

// The text of rows of cells, every row ended by CR LF, line breaks inside cells as "\n".
QString format(const QList<QStringList> &rows);

} // namespace TableText
