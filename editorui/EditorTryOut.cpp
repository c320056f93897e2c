#include "EditorTryOut.h"

#include "EditorSources.h"
#include "KazProgram.h"
#include "KazView.h"

#include <QCoreApplication>

EditorTryOut::EditorTryOut(QObject *parent)
    : QObject(parent)
{
}

EditorTryOut::~EditorTryOut() = default;

KazView *EditorTryOut::window() const { return m_program ? m_program->view() : nullptr; }

EditorTryOut::Started EditorTryOut::start(const DocumentContent &content)
{
    Started started;
    const EditorSources::TryOut tryOut = EditorSources::tryOutContent(content);
    if (!tryOut.content) {
        started.message = tr("The test cannot be tried: %1. Mend it, then try again.").arg(tryOut.error);
        return started;
    }
    close();
    m_program = std::make_unique<KazProgram>(tryOut.content);
    m_program->setExitAction(KazProgram::ExitAction::CloseWindow);
    connect(m_program.get(), &KazProgram::closed, this, &EditorTryOut::finish);
    m_program->view()->showCentred();
    started.shown = true;
    if (tryOut.problems > 0)
        started.message = tr("The test has %n problem(s); the window shows it as far as it can be read. Mend them "
                             "before you make a program.",
                             nullptr, tryOut.problems);
    return started;
}

void EditorTryOut::close()
{
    if (!m_program)
        return;
    m_program->view()->hide();
    m_program.reset();
}

void EditorTryOut::finish()
{
    // The window's own close event or menu action is still running: destroy it afterwards.
    if (m_program)
        m_program.release()->deleteLater();
    Q_EMIT closed();
}
