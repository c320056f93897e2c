#include "KazView.h"

#include "ColourButton.h"
#include "ContentReader.h"
#include "CwiatDialog.h"
#include "Kaz.h"
#include "KazIcon.h"
#include "KeyboardMenuBar.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "PictureWindow.h"
#include "Twips.h"
#include "WindowTitle.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

void place(QWidget *w, const KazLayout::Control &c)
{
    w->setGeometry(Twips::rect(c.left, c.top, c.width, c.height));
    if (c.tooltip)
        w->setToolTip(KazLayout::text(c.tooltip));
}

// `font`, made smaller a pixel at a time until `text` fits `width` pixels; `font` itself
// where the text fits.
QFont fitted(QFont font, const QString &text, int width)
{
    while (font.pixelSize() > 1 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// Display text of a text box: the model keeps CR LF line ends.
QString shown(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

KazView::KazView(Kaz *model, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint)
    , m_model(model)
{
    setObjectName(QStringLiteral("KAZ"));
    setWindowIcon(KazIcon::windowIcon(KazIcon::builtInFiles()));
    build();
    connect(m_model, &Kaz::changed, this, &KazView::showChanges);
    connect(m_model, &Kaz::appearanceRequested, this, &KazView::showCwiat);
    showChanges(Kaz::AllChanges);
}

KazView::~KazView()
{
    // The picture window first, then the appearance dialog, then the test window's own
    // controls. Nothing closes: "Exit" ends the program without closing reactions.
    m_pictureWindow.reset();
    m_cwiatDialog.reset();
}

void KazView::build()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    client->setFont(Twips::font(KazLayout::fontName(), KazLayout::FontSize));

    auto *bar = new KeyboardMenuBar(this);
    m_izhod = bar->addAction(QStringLiteral("Exit"));
    m_izhod->setObjectName(QStringLiteral("Izhod"));
    m_cwqt = bar->addAction(QStringLiteral("Color"));
    m_cwqt->setObjectName(QStringLiteral("Cwqt"));
    connect(m_izhod, &QAction::triggered, m_model, &Kaz::Izhod_Click);
    connect(m_cwqt, &QAction::triggered, m_model, &Kaz::Cwqt_Click);

    std::vector<std::pair<int, QWidget *>> tabOrder;

    for (int i = 0; i < 3; ++i) {
        m_slowo[i] = new ListBox(&m_model->Slowo(i), client);
        m_slowo[i]->setObjectName(QStringLiteral("Slowo(%1)").arg(i));
        place(m_slowo[i], KazLayout::Slowo[i]);
        m_slowo[i]->setAccessibleName(KazLayout::text(KazLayout::Slowo[i].tooltip));
        tabOrder.emplace_back(KazLayout::Slowo[i].tab, m_slowo[i]);
    }
    for (int i = 0; i < 4; ++i) {
        const KazLayout::Control &c = KazLayout::Uprawl[i];
        m_uprawl[i] = new ColourButton(KazLayout::text(c.text), Twips::colour(c.colour), client);
        m_uprawl[i]->setObjectName(QStringLiteral("Uprawl(%1)").arg(i));
        place(m_uprawl[i], c);
        m_uprawl[i]->setAccessibleName(KazLayout::text(c.text));
        m_uprawl[i]->setAccessibleDescription(KazLayout::text(c.tooltip));
        m_uprawl[i]->setAutoDefault(false);
        connect(m_uprawl[i], &QPushButton::clicked, m_model, [this, i] { m_model->Uprawl_Click(i); });
        tabOrder.emplace_back(c.tab, m_uprawl[i]);
    }

    m_ndapis = new QLabel(client);
    m_ndapis->setObjectName(QStringLiteral("Ndapis"));
    place(m_ndapis, KazLayout::Ndapis);
    m_ndapis->setAlignment(Qt::AlignCenter);
    m_ndapis->setAutoFillBackground(true);

    m_prowerka0 = new QPlainTextEdit(client);
    m_prowerka0->setObjectName(QStringLiteral("Prowerka(0)"));
    place(m_prowerka0, KazLayout::Prowerka[0]);
    m_prowerka0->setReadOnly(true);
    m_prowerka0->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_prowerka0->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_prowerka0->setAccessibleName(QStringLiteral("Указания и обяснения"));
    tabOrder.emplace_back(KazLayout::Prowerka[0].tab, m_prowerka0);

    m_prowerka1 = new QLineEdit(client);
    m_prowerka1->setObjectName(QStringLiteral("Prowerka(1)"));
    place(m_prowerka1, KazLayout::Prowerka[1]);
    m_prowerka1->setReadOnly(true);
    m_prowerka1->setAlignment(Qt::AlignCenter);
    m_prowerka1->setFrame(true);
    m_prowerka1->setAccessibleName(KazLayout::text(KazLayout::Prowerka[1].tooltip));
    // The window's font, as every other control: "ДА" and "НЕ" fit the 33-pixel box with
    // the frame and the line edit's own margins.
    m_prowerka1->setTextMargins(0, 0, 0, 0);
    tabOrder.emplace_back(KazLayout::Prowerka[1].tab, m_prowerka1);

    m_grafika0 = new PictureBox(client);
    m_grafika0->setObjectName(QStringLiteral("Grafika(0)"));
    place(m_grafika0, KazLayout::Grafika[0]);
    m_grafika0->setFocusPolicy(Qt::StrongFocus);
    m_grafika0->setAccessibleName(QStringLiteral("Картина към въпроса"));
    connect(m_grafika0, &PictureBox::clicked, m_model, [this] { m_model->Grafika_Click(0); });
    tabOrder.emplace_back(KazLayout::Grafika[0].tab, m_grafika0);

    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void KazView::applyLook(QWidget *widget, const KazLook &look, bool font)
{
    // Text boxes and lists paint their background with Base and their text with Text;
    // the window and labels with Window and WindowText.
    const bool textControl = qobject_cast<QAbstractScrollArea *>(widget) != nullptr;
    QPalette pal = widget->palette();
    if (look.background != KazLayout::PlatformColour)
        pal.setColor(textControl ? QPalette::Base : QPalette::Window, Twips::colour(look.background));
    if (look.foreground != KazLayout::PlatformColour)
        pal.setColor(textControl ? QPalette::Text : QPalette::WindowText, Twips::colour(look.foreground));
    widget->setPalette(pal);
    if (font)
        widget->setFont(Twips::font(look.fontName, look.fontSize));
}

void KazView::showChanges(Kaz::Changes what)
{
    using C = Kaz::Change;
    const Kaz &m = *m_model;
    ++m_updates;
    m_lastUpdate = what;

    if (what & C::Caption)
        setWindowTitle(WindowTitle::literal(m.caption()));

    if (what & C::Geometry) {
        // The client area is the window's outer width less the frame's share.
        const int clientWidth = Twips::toPixels(m.windowWidth() - ContentReader::FrameWidth);
        const int clientHeight = Twips::toPixels(KazLayout::ClientHeight);
        centralWidget()->setFixedSize(std::max(1, clientWidth), clientHeight);
        for (int i = 0; i < 2; ++i) {
            const KazLayout::Control &c = KazLayout::Slowo[i];
            m_slowo[i]->setGeometry(Twips::toPixels(m.slowoLeft(i)), Twips::toPixels(c.top),
                                    Twips::toPixels(m.slowoWidth(i)), Twips::toPixels(c.height));
        }
        // The window keeps the size the content gives it: no resizing by the learner.
        setFixedSize(sizeHint().expandedTo(QSize(1, 1)));
    }

    if (what & C::FormLook)
        applyLook(centralWidget(), m.windowLook(), false);
    for (int i = 0; i < 3; ++i)
        if (what & Kaz::look(AppearanceTarget::Slowo(i)))
            applyLook(m_slowo[i], m.slowoLook(i), true);
    if (what & C::ProwerkaLook)
        applyLook(m_prowerka0, m.prowerkaLook(), true);
    if (what & C::NdapisLook)
        applyLook(m_ndapis, m.ndapisLook(), false);

    // Shown before the buttons change: a button disabled while it has the keyboard focus
    // hands it on, and after grading the verdict box, shown by then, takes it.
    if (what & C::VerdictShown)
        m_prowerka1->setVisible(m.verdictVisible());

    for (int i = 0; i < 4; ++i)
        if (what & Kaz::uprawl(i))
            m_uprawl[i]->setEnabled(m.uprawlEnabled(i));

    if (what & C::Ndapis) {
        m_ndapis->setText(m.ndapis());
        // The label keeps its place and size; a counter too wide for it at the window's font
        // ("Остават: 32767") is written smaller instead of being cut at both ends.
        m_ndapis->setFont(fitted(centralWidget()->font(), m.ndapis(),
                                 m_ndapis->contentsRect().width() - 2 * m_ndapis->margin()));
        m_ndapis->setAccessibleName(m.ndapis());
    }

    // A new text, even one that came back to the shown one within the handler, starts at
    // its first line.
    if (what & C::Prowerka0)
        m_prowerka0->setPlainText(shown(m.prowerkaText(0)));

    if (what & C::Verdict) {
        m_prowerka1->setText(m.prowerkaText(1));
        m_prowerka1->setAccessibleDescription(m.prowerkaText(1));
        QPalette verdict = m_prowerka1->palette();
        verdict.setColor(QPalette::Base, Twips::colour(m.verdictColour()));
        verdict.setColor(QPalette::Text, Qt::black);
        m_prowerka1->setPalette(verdict);
    }

    if (what & C::Thumbnail) {
        const QString thumbnail = m.thumbnail();
        m_grafika0->setSource(thumbnail,
                              thumbnail.isEmpty() ? QByteArray() : m_model->KAZ_danni().pictureData(thumbnail));
    }

    if (what & C::PictureWindow)
        showPictureWindow();

    // A button disabled with the keyboard focus hands it on, and a line edit that gets the
    // focus that way selects its text: grading must not leave the verdict selected.
    m_prowerka1->deselect();
}

void KazView::showPictureWindow()
{
    const KazGraphika *state = m_model->KAZ_Graphika();
    if (!state)
        return;
    if (!m_pictureWindow) {
        // Tool window of its own, not owned by the test window on screen: no parent.
        m_pictureWindow = std::make_unique<PictureWindow>(nullptr);
    }
    if (state->visible)
        m_pictureWindow->show(*state, m_model->KAZ_danni().pictureData(state->picture), this);
    else
        m_pictureWindow->hide();
}

void KazView::showCwiat()
{
    ::Cwiat *dialog = m_model->cwiat();
    if (!dialog)
        return;
    if (m_cwiatDialog && m_cwiatDialog->model() == dialog) {
        m_cwiatDialog->show();
        m_cwiatDialog->raise();
        m_cwiatDialog->activateWindow();
        return;
    }
    // A window of its own, without an owner on screen. It closes from inside its own menu
    // commands ("Запис", "Отказ"), so it is deleted once control is back in the event loop;
    // by then "Color" may have made another.
    m_cwiatDialog = std::make_unique<CwiatDialog>(dialog);
    connect(m_cwiatDialog.get(), &CwiatDialog::closed, this,
            [this, closing = QPointer<CwiatDialog>(m_cwiatDialog.get())] {
                if (closing && closing == m_cwiatDialog.get())
                    m_cwiatDialog.reset();
            },
            Qt::QueuedConnection);
    m_cwiatDialog->showCentred();
}

void KazView::showCentred()
{
    adjustSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

void KazView::closeEvent(QCloseEvent *event)
{
    // Closing the window by its frame does what "Exit" does (KazProgram::ExitAction).
    event->accept();
    m_model->Izhod_Click();
}
