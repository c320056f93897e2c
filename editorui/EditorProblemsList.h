#pragma once

#include "DocumentCheck.h"

#include <QList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

// A document's problems, then its warnings, then its notes, under a label that counts problems
// and warnings ("&Problems (3), warnings (2):"): the first MaxListed, a row's starting with the
// row as the table's header numbers it, a warning with the warning sign and the word, a note with
// the information sign and the word, then a line of how many more the
// table marks. Choosing one (a click, or Enter on it) emits problemChosen; where that takes the
// cursor is the window's business. While there are warnings (phrases the lists cut), a button
// beside the label asks to widen the lists.
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
    QPushButton *widenButton() const { return m_widen; }
    // The problems, warnings and notes the items show, in their order (the line of how many more
    // is none of them).
    const QList<DocumentProblem> &listed() const { return m_listed; }

    // Shows `problems`, then `warnings`, then `notes`. A check's result mostly repeats the one before (typing
    // in a row changes that row's problems), so the items that stand the same at the start and at
    // the end are kept and only those between are replaced; the current item stays where it was.
    void setProblems(const QList<DocumentProblem> &problems, const QList<DocumentProblem> &warnings = {},
                     const QList<DocumentProblem> &notes = {});

Q_SIGNALS:
    void problemChosen(const DocumentProblem &problem);
    void widenRequested();

private:
    void choose(int index);

    QLabel *m_label;
    QPushButton *m_widen;
    QListWidget *m_list;
    QList<DocumentProblem> m_listed;
};
