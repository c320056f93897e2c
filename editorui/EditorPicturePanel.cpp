#include "EditorPicturePanel.h"

#include "EditorDialogs.h"
#include "EditorSources.h"
#include "PictureDrop.h"
#include "PictureThumbnails.h"
#include "ProblemColours.h"
#include "Printing.h"
#include "RowTableModel.h"
#include "QuizDocument.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The row's picture scaled to fit, never larger than it is; a text where there is none.
class PicturePreview : public QWidget
{
public:
    explicit PicturePreview(QWidget *parent)
        : QWidget(parent)
    {
        setMinimumSize(120, 90);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "The row's picture"));
        setFocusPolicy(Qt::TabFocus);
    }

    void setPicture(const QByteArray &bytes, const QString &empty)
    {
        m_bytes = bytes;
        m_empty = empty;
        setAccessibleDescription(empty);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        const QPixmap picture = PictureThumbnails::scaled(m_bytes, size() - QSize(8, 8));
        if (!picture.isNull()) {
            p.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                             picture.deviceIndependentSize().toSize(), rect()),
                         picture);
        } else {
            p.setPen(palette().color(QPalette::PlaceholderText));
            p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, m_empty);
        }
        QPen frame(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid));
        if (hasFocus())
            frame.setStyle(Qt::DotLine);
        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QByteArray m_bytes;
    QString m_empty;
};

int pixelsOf(int twips) { return qRound(twips / 15.0); }

} // namespace

EditorPicturePanel::EditorPicturePanel(QuizDocument *doc, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_caption(new QLabel(this))
    , m_preview(new PicturePreview(this))
    , m_choose(new QPushButton(QCoreApplication::translate("EditorPicturePanel", "&Choose picture…"), this))
    , m_remove(new QPushButton(QCoreApplication::translate("EditorPicturePanel", "Re&move picture"), this))
    , m_width(new QSpinBox(this))
    , m_height(new QSpinBox(this))
    , m_mode(new QComboBox(this))
    , m_problem(ProblemColours::problemLabel(
          QCoreApplication::translate("EditorPicturePanel", "Problems of the picture"), this))
{
    setAcceptDrops(true);
    setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "Picture of the row"));
    m_choose->setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "Choose picture"));
    m_choose->setToolTip(QCoreApplication::translate("EditorPicturePanel",
                                                     "Choose a picture file for this row; you can also drop one here."));
    m_remove->setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "Remove picture"));
    for (QSpinBox *box : {m_width, m_height}) {
        box->setRange(1, 99999);
        // A row without a picture has no box: the fields show a dash, not the last row's size.
        box->setSpecialValueText(QStringLiteral("—"));
        box->setSuffix(QCoreApplication::translate("EditorPicturePanel", " px"));
        connect(box, &QSpinBox::valueChanged, this, &EditorPicturePanel::setBox);
        connect(box, &QSpinBox::editingFinished, m_doc, &QuizDocument::endTyping);
    }
    m_width->setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "Box width in pixels"));
    m_height->setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "Box height in pixels"));
    m_mode->addItem(QCoreApplication::translate("EditorPicturePanel", "In a window on a click"), int(PictureMode::Window));
    m_mode->addItem(QCoreApplication::translate("EditorPicturePanel", "In the small frame only"),
                    int(PictureMode::ThumbnailOnly));
    m_mode->addItem(QCoreApplication::translate("EditorPicturePanel", "Hidden"), int(PictureMode::Hidden));
    m_mode->setAccessibleName(QCoreApplication::translate("EditorPicturePanel", "How the test shows the picture"));
    m_mode->view()->setAccessibleName(m_mode->accessibleName()); // the list the combo box opens

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_choose);
    buttons->addWidget(m_remove);
    auto *form = new QFormLayout;
    form->addRow(QCoreApplication::translate("EditorPicturePanel", "Bo&x width:"), m_width);
    form->addRow(QCoreApplication::translate("EditorPicturePanel", "Box hei&ght:"), m_height);
    form->addRow(QCoreApplication::translate("EditorPicturePanel", "Sh&own:"), m_mode);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);
    layout->addLayout(form);
    layout->addWidget(m_problem);

    connect(m_choose, &QPushButton::clicked, this, &EditorPicturePanel::choose);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (m_row >= 0)
            m_doc->clearPicture(m_row);
    });
    connect(m_mode, &QComboBox::activated, this, [this](int index) {
        if (m_row >= 0 && !m_showing)
            m_doc->setPictureMode(m_row, PictureMode(m_mode->itemData(index).toInt()));
    });
    connect(m_doc, &QuizDocument::contentChanged, this, &EditorPicturePanel::refresh);
    connect(m_doc, &QuizDocument::problemsChanged, this, &EditorPicturePanel::refresh);
    connect(m_doc, &QuizDocument::documentReset, this, &EditorPicturePanel::refresh);
    refresh();
}

void EditorPicturePanel::setRow(int row)
{
    if (row != m_row)
        m_doc->endTyping();
    m_row = row;
    refresh();
}

QWidget *EditorPicturePanel::problemFocus() const
{
    // A picture that is there but does not fit its box is mended in the box's size; anything
    // else by choosing the file again.
    if (m_row >= 0 && m_row < m_doc->rowCount() && m_doc->row(m_row).picture.pixels.isValid())
        return m_width;
    return m_choose;
}

void EditorPicturePanel::refresh()
{
    const bool valid = m_row >= 0 && m_row < m_doc->rowCount();
    const DocumentRow none;
    const DocumentRow &row = valid ? m_doc->row(m_row) : none;
    const DocumentPicture &picture = row.picture;
    const bool has = valid && !picture.isNull();
    m_showing = true;
    if (!valid)
        m_caption->setText(QCoreApplication::translate("EditorPicturePanel", "Choose a row to see its picture."));
    else if (const int q = m_doc->questionOf(m_row); q > 0)
        m_caption->setText(QCoreApplication::translate("EditorPicturePanel", "Picture of question %1").arg(q));
    else
        m_caption->setText(QCoreApplication::translate("EditorPicturePanel", "Picture of %1")
                               .arg(m_doc->rowNames().inText(m_row)));
    QString empty;
    if (!has)
        empty = QCoreApplication::translate("EditorPicturePanel", "No picture. Choose one, or drop a picture file here.");
    else if (PictureThumbnails::picture(picture.bytes).isNull())
        empty = QCoreApplication::translate("EditorPicturePanel", "%1 cannot be shown.").arg(printableName(picture.name));
    else
        empty = QCoreApplication::translate("EditorPicturePanel", "%1, %2 × %3 pixels")
                    .arg(printableName(picture.name), QString::number(picture.pixels.width()),
                         QString::number(picture.pixels.height()));
    static_cast<PicturePreview *>(m_preview)->setPicture(has ? picture.bytes : QByteArray(), empty);
    m_choose->setEnabled(valid);
    m_remove->setEnabled(has);
    m_width->setEnabled(has);
    m_height->setEnabled(has);
    m_mode->setEnabled(has);
    if (has) {
        if (m_width->value() != pixelsOf(picture.width))
            m_width->setValue(pixelsOf(picture.width));
        if (m_height->value() != pixelsOf(picture.height))
            m_height->setValue(pixelsOf(picture.height));
        m_mode->setCurrentIndex(m_mode->findData(int(row.pictureMode)));
    }
    for (QSpinBox *box : {m_width, m_height}) {
        box->setMinimum(has ? 1 : 0);
        if (!has)
            box->setValue(0);
    }
    QStringList problems;
    if (valid)
        for (const DocumentProblem &p : m_doc->problemsAt(m_row, DocumentField::Picture))
            problems.append(p.message);
    m_problem->setText(problems.join(u'\n'));
    m_problem->setVisible(!problems.isEmpty());
    m_showing = false;
}

void EditorPicturePanel::setBox()
{
    if (m_showing || m_row < 0 || m_row >= m_doc->rowCount() || m_doc->row(m_row).picture.isNull())
        return;
    // A side whose pixels did not change keeps its twips, even when they are no multiple of 15.
    const DocumentPicture &picture = m_doc->row(m_row).picture;
    const int width = m_width->value() == pixelsOf(picture.width) ? picture.width : m_width->value() * 15;
    const int height = m_height->value() == pixelsOf(picture.height) ? picture.height : m_height->value() * 15;
    m_doc->setPictureBox(m_row, width, height);
}

QString EditorPicturePanel::takePicture(const QString &path) { return PictureDrop::takePicture(*m_doc, m_row, path); }

void EditorPicturePanel::choose()
{
    const QString path
        = EditorDialogs::choosePath(this, EditorDialogs::PathKind::Picture, EditorSources::startFolder(m_doc->folder()));
    if (path.isEmpty())
        return;
    if (const QString why = takePicture(path); !why.isEmpty())
        EditorDialogs::tell(this, QMessageBox::Warning, QCoreApplication::translate("EditorPicturePanel", "Picture"), why);
}

QString EditorPicturePanel::droppedFile(const QMimeData *data) const
{
    return m_row >= 0 ? PictureDrop::droppedFile(data) : QString();
}

void EditorPicturePanel::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void EditorPicturePanel::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void EditorPicturePanel::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    // Copied, never moved: the file stays where the teacher keeps it.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (const QString why = takePicture(path); !why.isEmpty())
        EditorDialogs::tell(this, QMessageBox::Warning, QCoreApplication::translate("EditorPicturePanel", "Picture"), why);
}
