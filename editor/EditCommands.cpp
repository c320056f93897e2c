#include "EditCommands.h"

namespace {
enum CommandId { RowTyping = 1, FieldTyping = 2 };
} // namespace

QString StepText::typing(DocumentField field)
{
    switch (field) {
    case DocumentField::Left:
        return tr("typing a left phrase");
    case DocumentField::Right:
        return tr("typing a right phrase");
    case DocumentField::Explanation:
        return tr("typing an explanation");
    case DocumentField::Address:
        return tr("typing the address");
    case DocumentField::Title:
        return tr("typing the title");
    case DocumentField::Instructions:
        return tr("typing the instructions");
    case DocumentField::WindowWidth:
        return tr("typing the window's width");
    case DocumentField::LeftListLeft:
        return tr("typing the left list's left edge");
    case DocumentField::LeftListWidth:
        return tr("typing the left list's width");
    case DocumentField::RightListLeft:
        return tr("typing the right list's left edge");
    case DocumentField::RightListWidth:
        return tr("typing the right list's width");
    case DocumentField::ExplanationLabel:
        return tr("typing the label line of the explanation switches");
    case DocumentField::PictureLabel:
        return tr("typing the label line of the picture flags");
    case DocumentField::Picture:
    case DocumentField::Test:
        break;
    }
    return tr("typing");
}

QString StepText::explanationShown(bool shown)
{
    return shown ? tr("switching an explanation on") : tr("switching an explanation off");
}

QString StepText::pictureChosen(bool replacing) { return replacing ? tr("replacing a picture") : tr("adding a picture"); }
QString StepText::pictureRemoved() { return tr("removing a picture"); }
QString StepText::pictureBox() { return tr("changing a picture's box"); }
QString StepText::pictureMode() { return tr("changing how a picture is shown"); }
QString StepText::rowsAdded(int count) { return tr("adding %n row(s)", nullptr, count); }
QString StepText::rowsDeleted(int count) { return tr("deleting %n row(s)", nullptr, count); }
QString StepText::rowsCut(int count) { return tr("cutting %n row(s)", nullptr, count); }
QString StepText::rowsPasted(int count) { return tr("pasting %n row(s)", nullptr, count); }

QString StepText::rowsMoved(int count, bool up)
{
    return up ? tr("moving %n row(s) up", nullptr, count) : tr("moving %n row(s) down", nullptr, count);
}

QString StepText::listsWidened() { return tr("widening the lists"); }

RowEditCommand::RowEditCommand(DocumentEdits &edits, int row, DocumentRow before, DocumentRow after, int mergeKind,
                               int session, const QString &text)
    : QUndoCommand(text)
    , m_edits(edits)
    , m_row(row)
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_mergeKind(mergeKind)
    , m_session(session)
{
}

void RowEditCommand::undo() { m_edits.applyRow(m_row, m_before); }
void RowEditCommand::redo() { m_edits.applyRow(m_row, m_after); }
int RowEditCommand::id() const { return m_mergeKind >= 0 ? RowTyping : -1; }

bool RowEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const RowEditCommand *>(other);
    if (next->m_row != m_row || next->m_mergeKind != m_mergeKind || next->m_session != m_session)
        return false;
    m_after = next->m_after;
    // Typed back to where it started: the step is gone.
    setObsolete(m_after == m_before);
    return true;
}

RowsCommand::RowsCommand(DocumentEdits &edits, int position, QList<DocumentRow> removed, QList<DocumentRow> inserted,
                         const QString &text)
    : QUndoCommand(text)
    , m_edits(edits)
    , m_position(position)
    , m_removed(std::move(removed))
    , m_inserted(std::move(inserted))
{
}

void RowsCommand::undo() { m_edits.applyRows(m_position, int(m_inserted.size()), m_removed); }
void RowsCommand::redo() { m_edits.applyRows(m_position, int(m_removed.size()), m_inserted); }

MoveRowsCommand::MoveRowsCommand(DocumentEdits &edits, int from, int count, int to, const QString &text)
    : QUndoCommand(text)
    , m_edits(edits)
    , m_from(from)
    , m_count(count)
    , m_to(to)
{
}

void MoveRowsCommand::redo() { m_edits.applyMove(m_from, m_count, m_to); }

void MoveRowsCommand::undo()
{
    // The block now starts where it was put; it goes back before the row that followed it.
    if (m_to > m_from)
        m_edits.applyMove(m_to - m_count, m_count, m_from);
    else
        m_edits.applyMove(m_to, m_count, m_from + m_count);
}

FieldEditCommand::FieldEditCommand(DocumentEdits &edits, DocumentField field, QString before, QString after,
                                   int session, const QString &text)
    : QUndoCommand(text)
    , m_edits(edits)
    , m_field(field)
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_session(session)
{
}

void FieldEditCommand::undo() { m_edits.applyField(m_field, m_before); }
void FieldEditCommand::redo() { m_edits.applyField(m_field, m_after); }
int FieldEditCommand::id() const { return FieldTyping; }

bool FieldEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const FieldEditCommand *>(other);
    if (next->m_field != m_field || next->m_session != m_session)
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}
