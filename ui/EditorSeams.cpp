// TEMPORARY: see EditorSeams.h. Replaced by the real parts when they are put together.
#include "EditorSeams.h"

#include "TestDocument.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace EditorTable {
void install(QTableView *) {}
} // namespace EditorTable

EditorPicturePanel::EditorPicturePanel(TestDocument *doc, QWidget *parent)
    : QWidget(parent), m_doc(doc), m_name(new QLabel(this)), m_choose(new QPushButton(tr("Choose picture…"), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addWidget(m_choose);
    layout->addStretch();
    m_choose->setAccessibleName(tr("Choose picture"));
    setRow(-1);
}

void EditorPicturePanel::setRow(int row)
{
    m_name->setText(row >= 0 && row < m_doc->rowCount() ? m_doc->row(row).picture.name : QString());
}

QWidget *EditorPicturePanel::focusWidget() const { return m_choose; }

namespace {
constexpr DocumentField GeometryFields[] = {DocumentField::WindowWidth, DocumentField::LeftListLeft,
                                            DocumentField::LeftListWidth, DocumentField::RightListLeft,
                                            DocumentField::RightListWidth};
}

EditorGeometryPanel::EditorGeometryPanel(TestDocument *doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    auto *form = new QFormLayout(this);
    const QStringList labels{tr("Window width"), tr("Left list, left edge"), tr("Left list, width"),
                             tr("Right list, left edge"), tr("Right list, width")};
    for (int i = 0; i < DocumentContent::GeometryFields; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setAccessibleName(labels.at(i));
        form->addRow(labels.at(i), edit);
        m_edits.append(edit);
        const DocumentField field = GeometryFields[i];
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) { m_doc->setField(field, text); });
    }
    connect(doc, &TestDocument::fieldChanged, this, &EditorGeometryPanel::load);
    connect(doc, &TestDocument::documentReset, this, &EditorGeometryPanel::load);
    load();
}

void EditorGeometryPanel::load()
{
    for (int i = 0; i < DocumentContent::GeometryFields; ++i)
        if (m_edits.at(i)->text() != m_doc->field(GeometryFields[i]))
            m_edits.at(i)->setText(m_doc->field(GeometryFields[i]));
}

QWidget *EditorGeometryPanel::editorFor(DocumentField field) const
{
    for (int i = 0; i < DocumentContent::GeometryFields; ++i)
        if (GeometryFields[i] == field)
            return m_edits.at(i);
    return nullptr;
}

namespace EditorSources {
namespace {
QString notHere() { return QStringLiteral("this build cannot open that kind of file yet"); }
} // namespace
GiftQuestions giftQuestions(const QString &) { return {notHere(), {}}; }
QString openGift(TestDocument &, const QString &, int) { return notHere(); }
QString openProgram(TestDocument &, const QString &) { return notHere(); }
} // namespace EditorSources

namespace EditorDialogs {
int chooseGiftQuestion(QWidget *, const QStringList &titles) { return titles.isEmpty() ? -1 : 0; }
void makeProgram(QWidget *, TestDocument &) {}
} // namespace EditorDialogs

EditorTryOut::EditorTryOut(QObject *parent) : QObject(parent) {}

void EditorTryOut::start(const DocumentContent &) {}
