#pragma once

#include <QColor>
#include <QPen>
#include <QStringList>

class QLabel;
class QModelIndex;
class QWidget;

// The marks of a problem in every editing widget: the tint of a cell, field or rectangle, the
// red of its line or text; and which of them a cell of the rows table carries.
namespace ProblemColours {

constexpr QRgb ProblemTint = 0xFFFFE2E2;
constexpr QRgb ProblemRed = 0xFFC80000;
// A cell with a warning only (a phrase its list cuts): orange, not red, and its line dashed.
constexpr QRgb WarningTint = 0xFFFFE0B8;
constexpr QRgb WarningOrange = 0xFFD06A00;
// A row with one phrase and no partner: a pale yellow, no line.
constexpr QRgb UnpairedTint = 0xFFFFF4CE;

// A label for a panel's problems, in red, wrapped and selectable.
QLabel *problemLabel(const QString &accessibleName, QWidget *parent);

// How a cell of a RowTableModel is marked: a problem outranks a warning, which outranks a
// missing partner. `tint` is invalid and `underline` Qt::NoPen for a cell with none; `tooltip`
// holds one line for each problem, warning and missing partner.
struct CellMarks
{
    QColor tint;
    QPen underline{Qt::NoPen};
    QStringList tooltip;
};
CellMarks cellMarks(const QModelIndex &index);

} // namespace ProblemColours
