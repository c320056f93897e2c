#include "PictureWindow.h"

#include "Kaz.h"
#include "PictureBox.h"
#include "Twips.h"
#include "WindowPlace.h"
#include "WindowTitle.h"

PictureWindow::PictureWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_box(new PictureBox(this))
{
    setObjectName(QStringLiteral("KAZ_Graphika"));
    m_box->setObjectName(QStringLiteral("Graphika(0)"));
    m_box->setAccessibleName(QStringLiteral("Graphika"));
    m_box->setFocusPolicy(Qt::NoFocus);
}

void PictureWindow::show(const KazGraphika &state, const QByteArray &picture, const QWidget *owner)
{
    setWindowTitle(WindowTitle::literal(state.caption));
    m_box->setGeometry(0, 0, Twips::toPixels(state.boxWidth), Twips::toPixels(state.boxHeight));
    m_box->setSource(state.picture, picture);
    setFixedSize(Twips::toPixels(state.width - KazLayout::GraphikaFrameWidth),
                 Twips::toPixels(state.height - KazLayout::GraphikaFrameHeight));
    // Opened beside the test window; shown afresh while open, it stays where the learner put it.
    if (owner && !isVisible())
        WindowPlace::putBeside(this, owner);
    QWidget::show();
    raise();
}
