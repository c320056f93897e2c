#pragma once

#include "DocumentCheck.h"

#include <QList>
#include <QWidget>

class QLabel;
class QListWidget;

// A document's problems under a label that counts them ("&Problems (3):"): the first
// MaxListed, a row's problem starting with the row as the table's header numbers it, then a note of how many more the
// table marks. Choosing a problem (a click, or Enter on it) emits problemChosen; where that
// takes the cursor is the window's business.
class EditorProblemsList : public QWidget
{
    Q_OBJECT

public:
    // A test with a problem on every row would otherwise have thousands of wrapped items laid
    // out again after each pause in typing.
    static constexpr int MaxListed = 200;

    explicit EditorProblemsList(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    QLabel *label() const { return m_label; }
    // The problems the items show, in their order (the note is none of them).
    const QList<DocumentProblem> &listed() const { return m_listed; }

    // Shows `all`. A check's result mostly repeats the one before (typing in a row changes that
    // row's problems), so the items that stand the same at the start and at the end are kept
    // and only those between are replaced; the current item stays where it was.
    void setProblems(const QList<DocumentProblem> &all);

Q_SIGNALS:
    void problemChosen(const DocumentProblem &problem);

private:
    void choose(int index);

    QLabel *m_label;
    QListWidget *m_list;
    QList<DocumentProblem> m_listed;
};
