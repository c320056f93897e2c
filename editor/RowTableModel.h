#pragma once

#include "DocumentContent.h"

#include <QAbstractTableModel>

class QuizDocument;

// The rows of a QuizDocument for a QTableView: one row per question, with the columns left
// phrase, right phrase, explanation (its lines separated by "\n"; the check box is the
// explanation switch) and picture. Every change through setData, insertRows, removeRows or
// moveRows is a step of the document's undo stack; the model follows what the document says
// changed (its rows, their problems, their numbers), whoever changed it. The vertical header shows each row's
// question number; a row without a left phrase is no question and shows none.
class RowTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { LeftColumn, RightColumn, ExplanationColumn, PictureColumn, ColumnCount };
    enum Role {
        ProblemsRole = Qt::UserRole + 1, // QStringList: the problems of the cell
        QuestionRole,                    // int: the row's question number, 0 for none
        PictureBytesRole,                // QByteArray: the picture file
        PictureBoxRole,                  // QSize: the box in twips (settable)
        PicturePixelsRole,               // QSize: the picture's size in pixels, invalid when it cannot be shown
        PictureModeRole,                 // int: a PictureMode (settable)
        WarningsRole,                    // QStringList: the warnings of the cell (QuizDocument::warnings)
    };

    explicit RowTableModel(QuizDocument *document);

    static DocumentField fieldOf(int column);
    static int columnOf(DocumentField field); // -1 for the fields of the whole test

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count, const QModelIndex &destinationParent,
                  int destinationChild) override;

private:
    bool isRowCell(const QModelIndex &index) const;
    void rowsChanged(int first, int last, const QList<int> &roles = {});

    QuizDocument *m_document;
};
