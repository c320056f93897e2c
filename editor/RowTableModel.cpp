#include "RowTableModel.h"

#include <QCoreApplication>

#include "QuizDocument.h"

RowTableModel::RowTableModel(QuizDocument *document)
    : m_document(document)
{
    connect(document, &QuizDocument::rowsAboutToBeReset, this, &RowTableModel::beginResetModel);
    connect(document, &QuizDocument::rowsReset, this, &RowTableModel::endResetModel);
    connect(document, &QuizDocument::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(document, &QuizDocument::rowsInserted, this, &RowTableModel::endInsertRows);
    connect(document, &QuizDocument::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(document, &QuizDocument::rowsRemoved, this, &RowTableModel::endRemoveRows);
    connect(document, &QuizDocument::rowsAboutToBeMoved, this,
            [this](int first, int last, int to) { beginMoveRows({}, first, last, {}, to); });
    connect(document, &QuizDocument::rowsMoved, this, &RowTableModel::endMoveRows);
    connect(document, &QuizDocument::rowsChanged, this, [this](int first, int last) { rowsChanged(first, last); });
    connect(document, &QuizDocument::rowProblemsChanged, this, [this](int first, int last) {
        rowsChanged(first, last, {ProblemsRole, WarningsRole, Qt::ToolTipRole});
    });
    connect(document, &QuizDocument::questionsChanged, this, [this](int first, int last) {
        if (first <= last)
            Q_EMIT headerDataChanged(Qt::Vertical, first, last);
    });
}

bool RowTableModel::isRowCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < ColumnCount;
}

DocumentField RowTableModel::fieldOf(int column)
{
    switch (column) {
    case LeftColumn:
        return DocumentField::Left;
    case RightColumn:
        return DocumentField::Right;
    case ExplanationColumn:
        return DocumentField::Explanation;
    case PictureColumn:
        return DocumentField::Picture;
    default:
        return DocumentField::Test;
    }
}

int RowTableModel::columnOf(DocumentField field)
{
    switch (field) {
    case DocumentField::Left:
        return LeftColumn;
    case DocumentField::Right:
        return RightColumn;
    case DocumentField::Explanation:
        return ExplanationColumn;
    case DocumentField::Picture:
        return PictureColumn;
    default:
        return -1;
    }
}

int RowTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_document->rowCount(); }

int RowTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RowTableModel::data(const QModelIndex &index, int role) const
{
    if (!isRowCell(index))
        return {};
    const DocumentRow &row = m_document->row(index.row());
    const DocumentField field = fieldOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (field) {
        case DocumentField::Left:
            return row.left;
        case DocumentField::Right:
            return row.right;
        case DocumentField::Explanation:
            return row.explanation.join(u'\n');
        case DocumentField::Picture:
            return row.picture.name;
        default:
            return {};
        }
    case Qt::CheckStateRole:
        if (field == DocumentField::Explanation && !row.explanation.isEmpty())
            return row.explanationShown ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
    case ProblemsRole:
    case WarningsRole: {
        QStringList messages, warnings;
        for (const DocumentProblem &p : m_document->problemsAt(index.row(), field))
            messages.append(p.message);
        for (const DocumentProblem &p : m_document->warningsAt(index.row(), field))
            warnings.append(p.message);
        if (role != Qt::ToolTipRole)
            return role == ProblemsRole ? messages : warnings;
        for (const QString &w : std::as_const(warnings))
            messages.append(tr("Warning: %1").arg(w));
        return messages.isEmpty() ? QVariant() : QVariant(messages.join(u'\n'));
    }
    case QuestionRole:
        return m_document->questionOf(index.row());
    case PictureBytesRole:
        return row.picture.bytes;
    case PictureBoxRole:
        return row.picture.isNull() ? QVariant() : QVariant(QSize(row.picture.width, row.picture.height));
    case PicturePixelsRole:
        return row.picture.pixels;
    case PictureModeRole:
        return int(row.pictureMode);
    default:
        return {};
    }
}

bool RowTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isRowCell(index))
        return false;
    const DocumentField field = fieldOf(index.column());
    switch (role) {
    case Qt::EditRole:
        if (field == DocumentField::Picture)
            return false;
        m_document->setCell(index.row(), field, value.toString());
        return true;
    case Qt::CheckStateRole:
        if (field != DocumentField::Explanation)
            return false;
        m_document->setExplanationShown(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    case PictureBoxRole: {
        const QSize box = value.toSize();
        if (field != DocumentField::Picture || !box.isValid())
            return false;
        m_document->setPictureBox(index.row(), box.width(), box.height());
        return true;
    }
    case PictureModeRole:
        if (field != DocumentField::Picture)
            return false;
        m_document->setPictureMode(index.row(), PictureMode(value.toInt()));
        return true;
    default:
        return false;
    }
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex &index) const
{
    if (!isRowCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const DocumentField field = fieldOf(index.column());
    if (field != DocumentField::Picture)
        f |= Qt::ItemIsEditable;
    if (field == DocumentField::Explanation && !m_document->row(index.row()).explanation.isEmpty())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical) {
        const int q = section >= 0 && section < rowCount() ? m_document->questionOf(section) : 0;
        return q > 0 ? QVariant(q) : QVariant(QString());
    }
    switch (section) {
    case LeftColumn:
        return QCoreApplication::translate("RowTableModel", "Left phrase");
    case RightColumn:
        return QCoreApplication::translate("RowTableModel", "Right phrase");
    case ExplanationColumn:
        return QCoreApplication::translate("RowTableModel", "Explanation");
    case PictureColumn:
        return QCoreApplication::translate("RowTableModel", "Picture");
    default:
        return {};
    }
}

bool RowTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0)
        return false;
    m_document->insertRows(row, count);
    return true;
}

bool RowTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    m_document->removeRows(row, count);
    return true;
}

bool RowTableModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                             const QModelIndex &destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 || count <= 0
        || sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount()
        || (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    m_document->moveRows(sourceRow, count, destinationChild);
    return true;
}

void RowTableModel::rowsChanged(int first, int last, const QList<int> &roles)
{
    if (first <= last)
        Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1), roles);
}
