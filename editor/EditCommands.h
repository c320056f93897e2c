#pragma once

#include "DocumentEdits.h"

#include <QCoreApplication>
#include <QUndoCommand>

// The steps of the editor's undo stack. Each keeps what it changes before and after, so undo
// and redo only put values back through DocumentEdits, whose target tells its views and
// schedules the check.

// What each step is called after "Undo" and "Redo" in the Edit menu ("Undo pasting 4 rows"):
// what the teacher did, in the teacher's words, starting in lower case. Translated when the
// step is made.
class StepText
{
    Q_DECLARE_TR_FUNCTIONS(StepText)

public:
    static QString typing(DocumentField field); // a cell, or a field of the whole test
    static QString explanationShown(bool shown);
    static QString pictureChosen(bool replacing);
    static QString pictureRemoved();
    static QString pictureBox();
    static QString pictureMode();
    static QString rowsAdded(int count);
    static QString rowsDeleted(int count);
    static QString rowsCut(int count);
    static QString rowsPasted(int count);
    static QString rowsMoved(int count, bool up);
    static QString listsWidened();
};

// One row changed: typing in a cell, the explanation switch, a picture and its box.
// Consecutive commands of one row and kind in one typing session merge.
class RowEditCommand : public QUndoCommand
{
public:
    RowEditCommand(DocumentEdits &edits, int row, DocumentRow before, DocumentRow after, int mergeKind, int session,
                   const QString &text);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    DocumentEdits &m_edits;
    int m_row;
    DocumentRow m_before;
    DocumentRow m_after;
    int m_mergeKind; // -1: never merges
    int m_session;
};

// Rows replaced by others, fewer or more: insert, delete, paste.
class RowsCommand : public QUndoCommand
{
public:
    RowsCommand(DocumentEdits &edits, int position, QList<DocumentRow> removed, QList<DocumentRow> inserted,
                const QString &text);
    void undo() override;
    void redo() override;

private:
    DocumentEdits &m_edits;
    int m_position;
    QList<DocumentRow> m_removed;
    QList<DocumentRow> m_inserted;
};

class MoveRowsCommand : public QUndoCommand
{
public:
    MoveRowsCommand(DocumentEdits &edits, int from, int count, int to, const QString &text);
    void undo() override;
    void redo() override;

private:
    DocumentEdits &m_edits;
    int m_from;
    int m_count;
    int m_to;
};

// A field of the whole test; typing in one field merges as in a cell.
class FieldEditCommand : public QUndoCommand
{
public:
    FieldEditCommand(DocumentEdits &edits, DocumentField field, QString before, QString after, int session,
                     const QString &text);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    DocumentEdits &m_edits;
    DocumentField m_field;
    QString m_before;
    QString m_after;
    int m_session;
};
