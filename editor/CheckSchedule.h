#pragma once

#include "DocumentCheck.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

// When a document's content is checked: DelayMs after the last edit, on a QtConcurrent worker
// over a copy of the content (its rows shared until the next edit), and a result kept only when
// no edit came since; an edit during a check starts the next one when it ends. The check finds
// the phrases the lists would cut too, where the program has fonts to measure them.
class CheckSchedule : public QObject
{
    Q_OBJECT

public:
    static constexpr int DelayMs = 150;

    // `content` is the document's own, read when a check starts; it outlives the schedule.
    explicit CheckSchedule(const DocumentContent &content, QObject *parent = nullptr);
    // Waits for a check still running: no worker measures text once its document is gone,
    // nor while the application that owns the fonts shuts down.
    ~CheckSchedule() override;

    // The content changed: the check starts DelayMs after the last of such calls.
    void edited();
    // The content was replaced whole: its check starts at once.
    void replaced();
    // True when the last result belongs to the content as it is now.
    bool isCurrent() const { return m_checkedGeneration == m_generation; }
    // Checks at once on this thread, unless the last result is current.
    void checkNow();

Q_SIGNALS:
    // A check of the content as it is now began on the worker.
    void started();
    // The problems of the content as it is now.
    void checked(const QList<DocumentProblem> &problems);

private:
    void start();
    void finish(QList<DocumentProblem> problems, quint64 generation);

    const DocumentContent &m_content;
    quint64 m_generation = 0;
    quint64 m_checkedGeneration = 0;
    quint64 m_runningGeneration = 0;
    bool m_running = false;
    bool m_pending = false;
    QTimer m_timer;
    QFutureWatcher<QList<DocumentProblem>> m_watcher;
};
