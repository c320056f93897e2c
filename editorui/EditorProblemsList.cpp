#include "EditorProblemsList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

EditorProblemsList::EditorProblemsList(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
    , m_widen(new QPushButton(tr("Widen the lists"), this))
    , m_list(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    top->addWidget(m_label, 1);
    top->addWidget(m_widen);
    layout->addLayout(top);
    layout->addWidget(m_list);
    m_widen->setToolTip(tr("Makes the test's lists, and its window where needed, wide enough for every phrase"));
    m_widen->setAutoDefault(false);
    connect(m_widen, &QPushButton::clicked, this, &EditorProblemsList::widenRequested);
    m_list->setAccessibleName(tr("Problems"));
    m_list->setWordWrap(true);
    m_label->setBuddy(m_list);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { choose(m_list->row(item)); });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { choose(m_list->row(item)); });
    setProblems({});
}

void EditorProblemsList::setProblems(const QList<DocumentProblem> &problems, const QList<DocumentProblem> &warnings,
                                     const QList<DocumentProblem> &notes)
{
    const int current = m_list->currentRow();
    const QList<DocumentProblem> all = problems + warnings + notes;
    const QList<DocumentProblem> now = all.mid(0, MaxListed);
    // The note of problems not listed goes, and comes back below the items if still needed.
    if (m_list->count() > m_listed.size())
        m_list->model()->removeRows(int(m_listed.size()), m_list->count() - int(m_listed.size()));
    qsizetype same = 0;
    while (same < now.size() && same < m_listed.size() && now.at(same) == m_listed.at(same))
        ++same;
    qsizetype sameEnd = 0;
    while (sameEnd < now.size() - same && sameEnd < m_listed.size() - same
           && now.at(now.size() - 1 - sameEnd) == m_listed.at(m_listed.size() - 1 - sameEnd))
        ++sameEnd;
    const int removed = int(m_listed.size() - same - sameEnd);
    if (removed == m_list->count())
        m_list->clear();
    else if (removed > 0)
        m_list->model()->removeRows(int(same), removed);
    for (qsizetype i = same; i < now.size() - sameEnd; ++i) {
        const DocumentProblem &p = now.at(i);
        const QString text = p.rowName.isEmpty() ? p.message : tr("%1: %2").arg(p.rowName, p.message);
        auto *item = new QListWidgetItem(p.warning ? tr("Warning. %1").arg(text) : p.note ? tr("Note: %1").arg(text) : text);
        if (p.warning)
            item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        else if (p.note)
            item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
        m_list->insertItem(int(i), item);
    }
    m_listed = now;
    if (const int more = int(all.size() - now.size()); more > 0) {
        auto *note = new QListWidgetItem(
            tr("…and %n more problem(s), marked in the table. Mend the ones above first.", nullptr, more), m_list);
        note->setFlags(Qt::ItemIsEnabled);
    }
    if (current >= 0 && m_list->count() > 0)
        m_list->setCurrentRow(std::min(current, m_list->count() - 1), QItemSelectionModel::NoUpdate);
    const int n = int(problems.size());
    const int w = int(warnings.size());
    if (w == 0 && n == 0 && !notes.isEmpty())
        m_label->setText(tr("&Problems: none; %n note(s):", nullptr, int(notes.size())));
    else if (w == 0)
        m_label->setText(n == 0 ? tr("&Problems: none") : tr("&Problems (%1):").arg(n));
    else if (n == 0)
        m_label->setText(tr("&Problems: none. Warnings (%1); the test can still be tried and made into a program:").arg(w));
    else
        m_label->setText(tr("&Problems (%1), warnings (%2):").arg(n).arg(w));
    m_widen->setVisible(w > 0);
}

void EditorProblemsList::choose(int index)
{
    if (index >= 0 && index < m_listed.size())
        Q_EMIT problemChosen(m_listed.at(index));
}
