#include "ProblemColours.h"

#include "RowTableModel.h"

#include <QCoreApplication>
#include <QLabel>

namespace ProblemColours {

namespace {

// Why a row stands without a partner; empty for a pair or a blank row.
QString partnerNote(const QModelIndex &index)
{
    const bool left = !index.siblingAtColumn(RowTableModel::LeftColumn).data().toString().isEmpty();
    const bool right = !index.siblingAtColumn(RowTableModel::RightColumn).data().toString().isEmpty();
    if (left && !right)
        return QCoreApplication::translate("EditorTable", "Left phrase without a partner");
    if (right && !left)
        return QCoreApplication::translate("EditorTable", "Extra right phrase (no left partner)");
    return {};
}

} // namespace

QLabel *problemLabel(const QString &accessibleName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(accessibleName);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(ProblemRed));
    label->setPalette(red);
    return label;
}

CellMarks cellMarks(const QModelIndex &index)
{
    CellMarks marks;
    if (!index.isValid())
        return marks;
    const QStringList problems = index.data(RowTableModel::ProblemsRole).toStringList();
    const QStringList warnings = index.data(RowTableModel::WarningsRole).toStringList();
    const QString note = partnerNote(index);
    if (!problems.isEmpty()) {
        marks.tint = QColor(ProblemTint);
        marks.underline = QPen(QColor(ProblemRed), 2, Qt::SolidLine);
    } else if (!warnings.isEmpty()) {
        marks.tint = QColor(WarningTint);
        marks.underline = QPen(QColor(WarningOrange), 2, Qt::DashLine);
    } else if (!note.isEmpty()) {
        marks.tint = QColor(UnpairedTint);
    }
    marks.tooltip = problems;
    for (const QString &w : warnings)
        marks.tooltip.append(RowTableModel::tr("Warning: %1").arg(w));
    if (!note.isEmpty())
        marks.tooltip.append(note);
    return marks;
}

} // namespace ProblemColours
