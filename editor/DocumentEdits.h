#pragma once

#include "DocumentContent.h"

// What the undo commands change: the rows and fields of a document, put in place as given. The
// target tells its views and schedules its check; the commands only keep the values before and
// after (EditCommands.h). QuizDocument is the one target of the editor.
class DocumentEdits
{
public:
    virtual ~DocumentEdits() = default;

    virtual void applyRow(int row, const DocumentRow &value) = 0;
    // `removed` rows from `position` replaced by `inserted`, fewer or more.
    virtual void applyRows(int position, int removed, const QList<DocumentRow> &inserted) = 0;
    // `count` rows from `from` put before row `to` as it is before the move.
    virtual void applyMove(int from, int count, int to) = 0;
    virtual void applyField(DocumentField field, const QString &text) = 0;

protected:
    DocumentEdits() = default;
    DocumentEdits(const DocumentEdits &) = default;
    DocumentEdits &operator=(const DocumentEdits &) = default;
};
