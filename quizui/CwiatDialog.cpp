#include "CwiatDialog.h"

#include "Cwiat.h"
#include "CwiatLayout.h"
#include "KeyboardMenuBar.h"
#include "ListBox.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

namespace {

void place(QWidget *w, const CwiatLayout::Control &c)
{
    w->setGeometry(Twips::rect(c.left, c.top, c.width, c.height));
    if (c.tooltip)
        w->setToolTip(CwiatLayout::text(c.tooltip));
}

void setColour(QWidget *w, QPalette::ColorRole role, qint64 colour)
{
    if (colour == CwiatLayout::PlatformColour)
        return;
    const QColor c = Twips::colour(colour);
    if (w->palette().color(role) == c)
        return;
    QPalette pal = w->palette();
    pal.setColor(role, c);
    w->setPalette(pal);
}

QFont labelFont()
{
    return Twips::font(CwiatLayout::fontName(), CwiatLayout::LabelFontSize);
}

} // namespace

CwiatDialog::CwiatDialog(Cwiat *model, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint)
    , m_model(model)
{
    setObjectName(QStringLiteral("Cwiat"));
    setWindowTitle(CwiatLayout::caption());
    build();
    connect(model, &Cwiat::changed, this, &CwiatDialog::refresh);
    connect(model, &QObject::destroyed, this, &CwiatDialog::modelGone);
    refresh();
    setFixedSize(sizeHint());
}

CwiatDialog::~CwiatDialog() = default;

Cwiat *CwiatDialog::model() const
{
    return m_model;
}

void CwiatDialog::build()
{
    namespace L = CwiatLayout;

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAutoFillBackground(true);
    m_client->setFixedSize(Twips::toPixels(L::ClientWidth), Twips::toPixels(L::ClientHeight));
    m_client->setFont(Twips::font(L::fontName(), L::FontSize));
    setCentralWidget(m_client);

    auto *bar = new KeyboardMenuBar(this);
    m_zapis = bar->addAction(L::mnuZapis());
    m_zapis->setObjectName(QStringLiteral("mnu_zapis"));
    m_otkaz = bar->addAction(L::mnuOtkaz());
    m_otkaz->setObjectName(QStringLiteral("mnu_Otkaz"));
    connect(m_zapis, &QAction::triggered, this, [this] {
        if (m_model)
            m_model->mnu_zapis_Click();
    });
    connect(m_otkaz, &QAction::triggered, this, [this] {
        if (m_model)
            m_model->mnu_Otkaz_Click();
    });

    m_picColor = new QFrame(m_client);
    m_picColor->setObjectName(QStringLiteral("picColor"));
    place(m_picColor, L::picColor);
    m_picColor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_picColor->setAutoFillBackground(true);
    m_picColor->setFont(Twips::font(L::picColorFontName(), L::picColorFontSize));
    m_picColor->setAccessibleName(L::text(L::picColor.tooltip));

    for (int i = 0; i < 9; ++i) {
        m_labelCv[i] = new QLabel(m_client);
        m_labelCv[i]->setObjectName(QStringLiteral("Label_Cv(%1)").arg(i));
        place(m_labelCv[i], L::Label_Cv[i]);
        m_labelCv[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_labelCv[i]->setFont(labelFont());
        setColour(m_labelCv[i], QPalette::WindowText, L::Label_Cv[i].foreground);
        m_labelCv[i]->setVisible(L::Label_CvVisible(i));
    }

    for (int i = 0; i < 3; ++i) {
        QSlider *s = new QSlider(Qt::Horizontal, m_client);
        m_slider[i] = s;
        s->setObjectName(QStringLiteral("Slider1(%1)").arg(i));
        place(s, L::Slider1[i]);
        s->setRange(L::SliderMin, L::SliderMax);
        s->setSingleStep(L::SliderSmallChange);
        s->setPageStep(L::SliderLargeChange);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(L::SliderLargeChange);
        s->setFocusPolicy(Qt::StrongFocus);
        s->setAccessibleName(L::text(L::Label_Cv[i].text));
        s->setAccessibleDescription(L::text(L::Slider1[i].tooltip));
        // Every step the learner makes (drag, track click, key, wheel) is an action; a value
        // set from code is not, so it never reaches Slider1_Scroll.
        connect(s, &QAbstractSlider::actionTriggered, this, [this, i] {
            if (m_model)
                m_model->moveSlider(i, m_slider[i]->sliderPosition());
        });

        m_labelST[i] = new QLabel(m_client);
        m_labelST[i]->setObjectName(QStringLiteral("Label_ST(%1)").arg(i));
        place(m_labelST[i], L::Label_ST[i]);
        m_labelST[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_labelST[i]->setFont(labelFont());
        setColour(m_labelST[i], QPalette::WindowText, L::Label_ST[i].foreground);
    }

    for (int i = 0; i < 4; ++i) {
        QRadioButton *b = new QRadioButton(m_client);
        m_option[i] = b;
        b->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        place(b, L::Option1[i]);
        b->setAutoFillBackground(true);
        b->setAccessibleName(L::text(L::Label_Cv[5 + i].text));
        b->setAccessibleDescription(L::text(L::Option1[i].tooltip));
        b->setVisible(L::Option1Visible(i));
        connect(b, &QRadioButton::clicked, this, [this, i] {
            if (m_model)
                m_model->chooseOption(i);
        });
    }

    for (int i = 0; i < 2; ++i) {
        m_listFont[i] = new ListBox(&m_model->List_font(i), m_client);
        m_listFont[i]->setSelectsCurrentRow(true);
        m_listFont[i]->setObjectName(QStringLiteral("List_font(%1)").arg(i));
        place(m_listFont[i], L::List_font[i]);
    }
    m_listFont[0]->setVisible(false);
    m_listFont[1]->setFont(labelFont());
    m_listFont[1]->setAccessibleName(L::text(L::Label_Cv[4].text));

    m_textCv = new QLineEdit(m_client);
    m_textCv->setObjectName(QStringLiteral("Text_Cv(0)"));
    place(m_textCv, L::Text_Cv);
    m_textCv->setReadOnly(true);
    m_textCv->setAlignment(Qt::AlignCenter);
    m_textCv->setTextMargins(0, 0, 0, 0);
    m_textCv->setAccessibleName(L::text(L::Text_Cv.tooltip));

    // Keyboard order: the sliders, the groups, the sizes, the sample.
    QWidget *order[] = {m_slider[0], m_slider[1], m_slider[2], m_option[0], m_listFont[1], m_textCv};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CwiatDialog::refresh()
{
    if (!m_model)
        return;
    const Cwiat &m = *m_model;

    setColour(m_client, QPalette::Window, m.BackColor());
    setColour(m_picColor, QPalette::Window, m.picColorBackColor());
    m_labelCv[3]->setText(m.Label_Cv(3));
    for (int i = 0; i < 9; ++i)
        if (i != 3)
            m_labelCv[i]->setText(m.Label_Cv(i));
    for (int i = 0; i < 3; ++i) {
        m_labelST[i]->setText(m.Label_ST(i));
        if (m_slider[i]->value() != m.Slider1Value(i))
            m_slider[i]->setValue(m.Slider1Value(i));
    }
    for (int i = 0; i < 4; ++i) {
        setColour(m_option[i], m_option[i]->backgroundRole(), m.Option1BackColor(i));
        if (m_option[i]->isChecked() != m.Option1Value(i))
            m_option[i]->setChecked(m.Option1Value(i));
    }

    const SampleLook &sample = m.Text_Cv();
    m_textCv->setText(sample.text);
    setColour(m_textCv, QPalette::Base, sample.background);
    setColour(m_textCv, QPalette::Text, sample.foreground);
    const QFont font = Twips::font(sample.fontName, sample.fontSize);
    if (m_textCv->font() != font)
        m_textCv->setFont(font);
}

void CwiatDialog::modelGone()
{
    m_model = nullptr;
    close();
}

void CwiatDialog::showCentred()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

void CwiatDialog::closeEvent(QCloseEvent *event)
{
    // Closing by the frame is "Отказ". The model's end then closes this window, which is
    // already closing: this runs once for each closing.
    event->accept();
    if (m_model)
        m_model->mnu_Otkaz_Click();
    Q_EMIT closed();
}
