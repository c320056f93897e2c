#include "CheckSchedule.h"

#include "ListText.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {
// The check, with the phrases the lists would cut where there are fonts to measure them.
QList<DocumentProblem> problemsOf(const DocumentContent &content)
{
    if (!ListText::canMeasure())
        return DocumentCheck::run(content);
    const ListText::Measure measure;
    return DocumentCheck::run(content, &measure);
}
} // namespace

CheckSchedule::CheckSchedule(const DocumentContent &content, QObject *parent)
    : QObject(parent)
    , m_content(content)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &CheckSchedule::start);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, [this] {
        m_running = false;
        if (m_runningGeneration == m_generation)
            finish(m_watcher.result(), m_runningGeneration);
        if (m_pending) {
            m_pending = false;
            start();
        }
    });
}

CheckSchedule::~CheckSchedule()
{
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
}

void CheckSchedule::edited()
{
    ++m_generation;
    m_timer.start();
}

void CheckSchedule::replaced()
{
    m_timer.stop();
    ++m_generation;
    start();
}

void CheckSchedule::checkNow()
{
    m_timer.stop();
    if (!isCurrent())
        finish(problemsOf(m_content), m_generation);
}

void CheckSchedule::start()
{
    if (m_running) {
        m_pending = true;
        return;
    }
    if (isCurrent())
        return;
    m_running = true;
    m_runningGeneration = m_generation;
    m_watcher.setFuture(QtConcurrent::run([content = m_content] { return problemsOf(content); }));
    Q_EMIT started();
}

void CheckSchedule::finish(QList<DocumentProblem> problems, quint64 generation)
{
    if (generation == m_checkedGeneration)
        return;
    m_checkedGeneration = generation;
    Q_EMIT checked(problems);
}
