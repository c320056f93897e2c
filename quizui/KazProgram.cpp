#include "KazProgram.h"

#include "DisplayFonts.h"
#include "Kaz.h"
#include "KazIcon.h"
#include "KazView.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

KazProgram::KazProgram(std::shared_ptr<const ContentStore> content, QObject *parent)
    : KazProgram([content] { return content; }, parent)
{
}

KazProgram::KazProgram(const QString &contentPath, QObject *parent)
    : KazProgram([contentPath] { return load(contentPath); }, parent)
{
}

KazProgram::KazProgram(std::function<std::shared_ptr<const ContentStore>()> loader, QObject *parent)
    : QObject(parent)
    , m_model(new Kaz(std::move(loader), this))
{
    // The window exists before its load handler runs, as the handler's reactions show in it.
    m_model->setScreenFonts(std::make_shared<DisplayFonts>());
    m_view = std::make_unique<KazView>(m_model);
    connect(m_model, &Kaz::exitRequested, this, &KazProgram::exit);
    m_model->Form_Load();
}

KazProgram::~KazProgram() = default;

void KazProgram::setExitAction(ExitAction action)
{
    m_exitAction = action;
    // A test window that closes alone is never the window whose closing ends the program.
    m_view->setAttribute(Qt::WA_QuitOnClose, action == ExitAction::EndProgram);
}

void KazProgram::exit()
{
    if (m_exitAction == ExitAction::EndProgram) {
        QCoreApplication::exit(0);
        return;
    }
    // Called from the window's own close event or menu: the window hides now and whoever
    // holds this program destroys it later.
    m_view->hide();
    if (PictureWindow *picture = m_view->KAZ_Graphika())
        picture->hide();
    if (CwiatDialog *dialog = m_view->Cwiat())
        dialog->hide();
    Q_EMIT closed();
}

void KazProgram::setIcon(const QByteArray &icon)
{
    if (const QIcon own = KazIcon::windowIcon(icon); !own.isNull())
        m_view->setWindowIcon(own);
}

std::shared_ptr<const ContentStore> KazProgram::load(const QString &contentPath)
{
    QuizFolder::Checked checked = QuizFolder::check(QFileInfo(contentPath).path());
    for (const ContentReader::Problem &p : checked.problems)
        QTextStream(stderr) << p.toString() << '\n';
    return std::make_shared<const ContentStore>(std::move(checked.store));
}
