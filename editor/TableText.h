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

// The text of rows of cells, every row ended by CR LF, line breaks inside cells as "\n".
QString format(const QList<QStringList> &rows);

} // namespace TableText
