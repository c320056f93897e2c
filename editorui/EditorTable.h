#pragma once

#include <QByteArray>
#include <QColor>
#include <QPixmap>
#include <QSize>

class QLabel;
class QMimeData;
class QTableView;
class TestDocument;

// The editor's table of rows over a TestDocument's RowTableModel: phrase cells edited in a
// line, the explanation in a multi-line editor (Enter commits, Shift+Enter or Alt+Enter starts
// a new line, Escape cancels), the picture column as a thumbnail or "—", cells with problems
// tinted and underlined in red with the problem as their tooltip, rows without a partner
// tinted. A row grows to show up to MaxShownLines lines of its explanation.
namespace EditorTable {

constexpr int MaxShownLines = 4;
constexpr int ThumbnailHeight = 48; // pixels; a row with a picture is this high at least

// The marks of a problem in every editing widget: the tint of a cell, field or rectangle, and
// the red of its line or text.
constexpr QRgb ProblemTint = 0xFFFFE2E2;
constexpr QRgb ProblemRed = 0xFFC80000;
// A cell with a warning only (a phrase its list cuts): orange, not red, and its line dashed.
constexpr QRgb WarningTint = 0xFFFFE0B8;
constexpr QRgb WarningOrange = 0xFFD06A00;

// A label for a panel's problems, in red, wrapped and selectable.
QLabel *problemLabel(const QString &accessibleName, QWidget *parent);

// Sets the view's delegate, edit triggers and row heights; the view's model must be a
// RowTableModel, set before.
void install(QTableView *view);

// Lets a picture file be dropped onto a picture cell of the view: it goes into that row (copied;
// the file stays where it is); why it cannot is shown in a message.
void acceptPictureDrops(QTableView *view, TestDocument *doc);

// The one local file a drag carries, empty for anything else (web addresses, folders,
// several files): what a picture drop accepts.
QString droppedFile(const QMimeData *data);
// Takes the picture file at `path` into `row`; the message to show when it cannot, else empty.
QString takePicture(TestDocument &doc, int row, const QString &path);

// Puts the cursor of a multi-line editor at the start of line `line` (from 0), scrolled into
// view; anything else, or a line it does not have, is left as it is.
void moveCursorToLine(QWidget *editor, int line);

// A test's picture file decoded as the quiz's picture box decodes it, cached per bytes; null
// when the bytes are no picture.
QPixmap picture(const QByteArray &bytes);
// The picture scaled to fit `size`, keeping its proportions, cached per bytes and size.
QPixmap scaledPicture(const QByteArray &bytes, QSize size);

} // namespace EditorTable
