#include "EditorProblemsList.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

EditorProblemsList::EditorProblemsList(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
    , m_list(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_list);
    m_list->setAccessibleName(tr("Problems"));
    m_list->setWordWrap(true);
    m_label->setBuddy(m_list);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { choose(m_list->row(item)); });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { choose(m_list->row(item)); });
    setProblems({});
}

void EditorProblemsList::setProblems(const QList<DocumentProblem> &all)
{
    const int current = m_list->currentRow();
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
    QStringList added;
    for (qsizetype i = same; i < now.size() - sameEnd; ++i) {
        const DocumentProblem &p = now.at(i);
        added.append(p.rowName.isEmpty() ? p.message : tr("%1: %2").arg(p.rowName, p.message));
    }
    if (!added.isEmpty())
        m_list->insertItems(int(same), added);
    m_listed = now;
    if (const int more = int(all.size() - now.size()); more > 0) {
        auto *note = new QListWidgetItem(
            tr("…and %n more problem(s), marked in the table. Mend the ones above first.", nullptr, more), m_list);
        note->setFlags(Qt::ItemIsEnabled);
    }
    if (current >= 0 && m_list->count() > 0)
        m_list->setCurrentRow(std::min(current, m_list->count() - 1), QItemSelectionModel::NoUpdate);
    m_label->setText(all.isEmpty() ? tr("&Problems: none") : tr("&Problems (%1):").arg(all.size()));
}

void EditorProblemsList::choose(int index)
{
    if (index >= 0 && index < m_listed.size())
        Q_EMIT problemChosen(m_listed.at(index));
}
