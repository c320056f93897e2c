#include "EditorGeometryPanel.h"

#include "ProblemColours.h"
#include "KazLayout.h"
#include "Numbers.h"
#include "QuizDocument.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QColor ProblemTint(ProblemColours::ProblemTint);
const QColor ProblemLine(ProblemColours::ProblemRed);
const QColor ControlGrey(200, 200, 200);

constexpr DocumentField GeometryFields[] = {DocumentField::WindowWidth, DocumentField::LeftListLeft,
                                            DocumentField::LeftListWidth, DocumentField::RightListLeft,
                                            DocumentField::RightListWidth};

QString labelOf(DocumentField field)
{
    switch (field) {
    case DocumentField::WindowWidth:
        return QCoreApplication::translate("EditorGeometryPanel", "&Window width:");
    case DocumentField::LeftListLeft:
        return QCoreApplication::translate("EditorGeometryPanel", "&Left list, left edge:");
    case DocumentField::LeftListWidth:
        return QCoreApplication::translate("EditorGeometryPanel", "Left list, wi&dth:");
    case DocumentField::RightListLeft:
        return QCoreApplication::translate("EditorGeometryPanel", "&Right list, left edge:");
    default:
        return QCoreApplication::translate("EditorGeometryPanel", "Right list, w&idth:");
    }
}

QString problemText(const QList<DocumentProblem> &problems, DocumentField field)
{
    QStringList out;
    for (const DocumentProblem &p : problems)
        if (p.field == field)
            out.append(p.message);
    return out.join(u'\n');
}

} // namespace

// ---------------------------------------------------------------- the sketch

EditorSketch::EditorSketch(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QCoreApplication::translate("EditorSketch", "Sketch of the test window"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Reachable by the keyboard, so that a screen reader reads the sizes.
    setFocusPolicy(Qt::TabFocus);
}

void EditorSketch::setGeometryOf(const DocumentContent &content)
{
    m_geometry = Sketch::of(content);
    setAccessibleDescription(description());
    update();
}

QString EditorSketch::description() const
{
    const Sketch::Rects &px = m_geometry.pixels;
    QString text = QCoreApplication::translate("EditorSketch",
                                               "The window is %1 pixels wide and %2 pixels high inside its frame. "
                                               "The left list starts %3 pixels from the window's left side and is "
                                               "%4 pixels wide; the right list starts %5 pixels from it and is %6 "
                                               "pixels wide.")
                       .arg(px.window.width())
                       .arg(px.window.height())
                       .arg(px.leftList.left())
                       .arg(px.leftList.width())
                       .arg(px.rightList.left())
                       .arg(px.rightList.width());
    for (const DocumentProblem &p : m_geometry.problems)
        text += u' ' + QCoreApplication::translate("EditorSketch", "Problem: %1").arg(p.message);
    return text;
}

QSize EditorSketch::sizeHint() const { return {320, 200}; }
QSize EditorSketch::minimumSizeHint() const { return {160, 100}; }

bool EditorSketch::hasProblem(DocumentField field) const
{
    return std::any_of(m_geometry.problems.cbegin(), m_geometry.problems.cend(),
                       [field](const DocumentProblem &p) { return p.field == field; });
}

void EditorSketch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const Sketch::Rects &px = m_geometry.pixels;
    // Lists may reach past the window: the whole drawing is scaled to fit.
    QRect all = px.window.united(px.leftList).united(px.rightList);
    for (const QRect &r : px.controls)
        all = all.united(r);
    if (all.isEmpty())
        return;
    const int margin = 4;
    const double scale = std::min((width() - 2.0 * margin) / all.width(), (height() - 2.0 * margin) / all.height());
    if (scale <= 0)
        return;
    const QPointF origin(margin + (width() - 2.0 * margin - all.width() * scale) / 2 - all.left() * scale,
                         margin + (height() - 2.0 * margin - all.height() * scale) / 2 - all.top() * scale);
    const auto place = [&](const QRect &r) {
        return QRectF(origin.x() + r.left() * scale, origin.y() + r.top() * scale, r.width() * scale,
                      r.height() * scale);
    };
    const bool windowWrong = hasProblem(DocumentField::WindowWidth);
    p.setPen(QPen(windowWrong ? ProblemLine : palette().color(QPalette::WindowText), windowWrong ? 2 : 1));
    // The test window's own green, paled so that the lists stand out.
    const QColor green = Twips::colour(KazLayout::WindowBackground);
    const QColor pale((green.red() + 3 * 255) / 4, (green.green() + 3 * 255) / 4, (green.blue() + 3 * 255) / 4);
    p.setBrush(windowWrong ? QColor(ProblemTint) : pale);
    p.drawRect(place(px.window));
    p.setPen(Qt::NoPen);
    p.setBrush(ControlGrey);
    for (const QRect &r : px.controls)
        p.drawRect(place(r));
    const QColor highlight = palette().color(QPalette::Highlight);
    const auto drawList = [&](const QRect &r, bool wrong, const QString &name) {
        const QRectF area = place(r);
        p.setPen(QPen(wrong ? ProblemLine : highlight.darker(130), 2));
        p.setBrush(wrong ? QColor(ProblemTint) : highlight.lighter(160));
        p.drawRect(area);
        p.setPen(wrong ? ProblemLine : palette().color(QPalette::Text));
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, name);
    };
    if (hasFocus()) {
        QPen focus(palette().color(QPalette::Highlight));
        focus.setStyle(Qt::DotLine);
        p.setPen(focus);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    drawList(px.leftList,
             hasProblem(DocumentField::LeftListLeft) || hasProblem(DocumentField::LeftListWidth),
             QCoreApplication::translate("EditorSketch", "Left list"));
    drawList(px.rightList,
             hasProblem(DocumentField::RightListLeft) || hasProblem(DocumentField::RightListWidth),
             QCoreApplication::translate("EditorSketch", "Right list"));
}

// ---------------------------------------------------------------- the panel

EditorGeometryPanel::EditorGeometryPanel(QuizDocument *doc, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_sketch(new EditorSketch(this))
    , m_problems(ProblemColours::problemLabel(
          QCoreApplication::translate("EditorGeometryPanel", "Problems of the geometry"), this))
{
    auto *fields = new QGridLayout;
    auto *unit = new QLabel(
        QCoreApplication::translate("EditorGeometryPanel", "Sizes in twips: 15 twips make a pixel."), this);
    unit->setWordWrap(true);
    fields->addWidget(unit, 0, 0, 1, 3);
    for (DocumentField field : GeometryFields) {
        auto *label = new QLabel(labelOf(field), this);
        auto *edit = new QLineEdit(this);
        auto *pixels = new QLabel(this);
        label->setBuddy(edit);
        QString name = labelOf(field);
        edit->setAccessibleName(name.remove(u'&').remove(u':'));
        edit->setMaxLength(20);
        const int row = fields->rowCount();
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        fields->addWidget(pixels, row, 2);
        m_fields.append({field, edit, pixels});
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) { m_doc->setField(field, text); });
        // Leaving the field ends its typing: the next visit is an undo step of its own.
        connect(edit, &QLineEdit::editingFinished, m_doc, &QuizDocument::endTyping);
    }
    fields->setRowStretch(fields->rowCount(), 1);

    auto *picture = new QVBoxLayout;
    picture->addWidget(m_sketch, 1);
    picture->addWidget(m_problems);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(picture, 1);

    QWidget *previous = m_fields.constLast().edit;
    QWidget::setTabOrder(previous, m_sketch);

    connect(m_doc, &QuizDocument::fieldChanged, this, [this](DocumentField field) {
        if (editorFor(field)) {
            showField(field);
            showSketch();
        }
    });
    connect(m_doc, &QuizDocument::documentReset, this, &EditorGeometryPanel::showAll);
    showAll();
}

QWidget *EditorGeometryPanel::editorFor(DocumentField field) const
{
    for (const Field &f : m_fields)
        if (f.field == field)
            return f.edit;
    return nullptr;
}

void EditorGeometryPanel::showField(DocumentField field)
{
    for (const Field &f : m_fields) {
        if (f.field != field)
            continue;
        const QString text = m_doc->field(field);
        // While typing the field already holds the text; setting it would move the cursor.
        if (f.edit->text() != text)
            f.edit->setText(text);
        const int twips = Numbers::roundToInt32(Numbers::readLenient(text));
        f.pixels->setText(text.trimmed().isEmpty()
                              ? QString()
                              : QCoreApplication::translate("EditorGeometryPanel", "%1 pixels")
                                    .arg(Twips::toPixels(twips)));
    }
}

void EditorGeometryPanel::showAll()
{
    for (DocumentField field : GeometryFields)
        showField(field);
    showSketch();
}

void EditorGeometryPanel::showSketch()
{
    m_sketch->setGeometryOf(m_doc->content());
    const QList<DocumentProblem> &problems = m_sketch->sketch().problems;
    QStringList messages;
    for (const DocumentProblem &p : problems)
        messages.append(p.message);
    m_problems->setText(messages.join(u'\n'));
    m_problems->setVisible(!messages.isEmpty());
    for (const Field &f : m_fields) {
        const QString problem = problemText(problems, f.field);
        f.edit->setToolTip(problem);
        f.edit->setAccessibleDescription(problem);
        QPalette palette;
        if (!problem.isEmpty())
            palette.setColor(QPalette::Base, ProblemTint);
        f.edit->setPalette(palette);
    }
}
