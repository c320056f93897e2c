#include "EditorFieldsForm.h"

#include "Caption.h"
#include "EditorGeometryPanel.h"
#include "ExplanationEdit.h"
#include "QuizDocument.h"

#include <QAbstractSpinBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

EditorFieldsForm::EditorFieldsForm(QuizDocument *doc, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_address(new QLineEdit(this))
    , m_title(new QLineEdit(this))
    , m_captionPreview(new QLabel(this))
    , m_tabs(new QTabWidget(this))
    , m_instructions(new QPlainTextEdit(m_tabs))
    , m_geometryPanel(new EditorGeometryPanel(doc, m_tabs))
    , m_explanationLabel(nullptr)
    , m_pictureLabel(nullptr)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *form = new QFormLayout;
    m_address->setAccessibleName(tr("Address"));
    m_address->setPlaceholderText(tr("A web address (https://…, www.…, school.bg) shown before the title; may stay empty"));
    m_title->setAccessibleName(tr("Title"));
    m_title->setPlaceholderText(tr("The test's title, shown in the window's title bar"));
    form->addRow(tr("A&ddress:"), m_address);
    form->addRow(tr("Tit&le:"), m_title);
    m_captionPreview->setObjectName(QStringLiteral("captionPreview"));
    // One line for each thing it says, as high as they are (a wrapping label would take the
    // height of several lines in the form); a narrow window cuts a long line, which the tool tip
    // gives whole.
    m_captionPreview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_captionPreview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString(), m_captionPreview);
    layout->addLayout(form);

    m_tabs->setAccessibleName(tr("Parts of the whole test"));
    m_instructions->setAccessibleName(tr("Instructions"));
    m_instructions->setPlaceholderText(tr("What the learner reads before starting: one line or more"));
    m_instructions->setTabChangesFocus(true);
    m_instructions->setUndoRedoEnabled(false);
    m_tabs->addTab(m_instructions, tr("I&nstructions"));
    m_tabs->addTab(m_geometryPanel, tr("&Window and lists"));
    // Lines a teacher never needs: on a tab of their own, said to be left alone.
    auto *labels = new QWidget(m_tabs);
    auto *labelsForm = new QFormLayout(labels);
    m_explanationLabel = new QLineEdit(labels);
    m_explanationLabel->setAccessibleName(tr("Label line of the explanation switches"));
    m_pictureLabel = new QLineEdit(labels);
    m_pictureLabel->setAccessibleName(tr("Label line of the picture flags"));
    auto *note = new QLabel(tr("You need not change anything here. The test file writes these two lines at the head "
                               "of its explanation switches and picture flags, in the words of the first KAZ "
                               "programs: Bulgarian written in Latin letters. The learner never sees them."),
                            labels);
    note->setWordWrap(true);
    // The tabs do not ask a wrapped text how high it is at their width: room for three lines.
    note->setMinimumHeight(note->fontMetrics().lineSpacing() * 3);
    labelsForm->addRow(note);
    labelsForm->addRow(tr("Explanation switches:"), m_explanationLabel);
    labelsForm->addRow(tr("Picture flags:"), m_pictureLabel);
    m_tabs->addTab(labels, tr("Advanced: section la&bels"));
    // Tab goes from the title into the page shown; the tabs change with Ctrl+Tab or Alt and
    // their letter, so that Tab never stops on the tab bar, where typing is lost.
    m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    // Alt and a tab's letter go into the tab's first field, also when the tab is shown already.
    m_tabs->tabBar()->installEventFilter(this);
    // The tabs are as high as the one shown, not as the highest: the instructions leave the
    // rows their room, and the window's sizes take theirs when shown.
    connect(m_tabs, &QTabWidget::currentChanged, this, &EditorFieldsForm::fitToTab);
    fitToTab();
    layout->addWidget(m_tabs);

    bindLine(m_address, DocumentField::Address);
    bindLine(m_title, DocumentField::Title);
    bindLine(m_explanationLabel, DocumentField::ExplanationLabel);
    bindLine(m_pictureLabel, DocumentField::PictureLabel);
    connect(m_instructions, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            m_doc->setField(DocumentField::Instructions, m_instructions->toPlainText());
    });
    connect(doc, &QuizDocument::documentReset, this, &EditorFieldsForm::load);
    connect(doc, &QuizDocument::fieldChanged, this, &EditorFieldsForm::load);
    load();
    for (QWidget *w : findChildren<QWidget *>())
        if (w->focusPolicy() & Qt::TabFocus)
            w->installEventFilter(this);
}

// Ctrl+Tab and Ctrl+Shift+Tab anywhere in the fields show the next or previous tab, with the
// cursor in its first field; so does a tab's Alt+letter, which the tab bar alone would only show.
bool EditorFieldsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabs->tabBar() && event->type() == QEvent::Shortcut) {
        const QKeySequence key = static_cast<QShortcutEvent *>(event)->key();
        for (int i = 0; i < m_tabs->count(); ++i)
            if (QKeySequence::mnemonic(m_tabs->tabText(i)) == key) {
                showTab(i);
                return true;
            }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier)) {
            const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            showTab((m_tabs->currentIndex() + (back ? m_tabs->count() - 1 : 1)) % m_tabs->count());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EditorFieldsForm::fitToTab()
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        const QSizePolicy::Policy policy = i == m_tabs->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_tabs->widget(i)->setSizePolicy(policy, policy);
    }
    m_tabs->updateGeometry();
}

void EditorFieldsForm::showTab(int index)
{
    m_tabs->setCurrentIndex(index);
    QWidget *page = m_tabs->currentWidget();
    for (QWidget *w = page; w; w = w->nextInFocusChain()) {
        if ((w == page || page->isAncestorOf(w)) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        if (w->nextInFocusChain() == page)
            return;
    }
}

void EditorFieldsForm::bindLine(QLineEdit *edit, DocumentField field)
{
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) { m_doc->setField(field, text); });
}

// Setting a text the field already has would move its cursor.
void EditorFieldsForm::load()
{
    m_loading = true;
    const auto loadLine = [this](QLineEdit *edit, DocumentField field) {
        if (const QString text = m_doc->field(field); edit->text() != text)
            edit->setText(text);
    };
    loadLine(m_address, DocumentField::Address);
    loadLine(m_title, DocumentField::Title);
    loadLine(m_explanationLabel, DocumentField::ExplanationLabel);
    loadLine(m_pictureLabel, DocumentField::PictureLabel);
    if (const QString instructions = m_doc->field(DocumentField::Instructions); m_instructions->toPlainText() != instructions)
        m_instructions->setPlainText(instructions);
    m_loading = false;
    m_captionPreview->setText(captionPreview(m_doc->field(DocumentField::Address), m_doc->field(DocumentField::Title)));
    // Nothing to say before there is a caption: an empty line would be a nameless control.
    m_captionPreview->setHidden(m_captionPreview->text().isEmpty());
    m_captionPreview->setToolTip(m_captionPreview->text());
}

QString EditorFieldsForm::captionPreview(const QString &address, const QString &title)
{
    const QString caption = Caption::join(address, title);
    if (caption.trimmed().isEmpty())
        return {};
    QString text = tr("The test window will be called \"%1\", its picture window \"%2\".")
                       .arg(caption, Caption::pictureWindowTitle(caption));
    if (!address.isEmpty() && !address.contains(u' ') && Caption::split(caption).address != address)
        text += u'\n'
            + tr("\"%1\" is not read as a web address: when the test is opened again, it is the start of the title.")
                  .arg(address);
    return text;
}

QWidget *EditorFieldsForm::editorFor(DocumentField field) const
{
    switch (field) {
    case DocumentField::Address:
        return m_address;
    case DocumentField::Title:
        return m_title;
    case DocumentField::Instructions:
        return m_instructions;
    case DocumentField::ExplanationLabel:
        return m_explanationLabel;
    case DocumentField::PictureLabel:
        return m_pictureLabel;
    default:
        return m_geometryPanel->editorFor(field);
    }
}

QList<QWidget *> EditorFieldsForm::editors() const
{
    QList<QWidget *> out;
    for (QWidget *w : findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w))
            out.append(w);
    return out;
}

bool EditorFieldsForm::goToField(DocumentField field, int line)
{
    QWidget *editor = editorFor(field);
    if (!editor)
        return false;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i) == editor || m_tabs->widget(i)->isAncestorOf(editor))
            m_tabs->setCurrentIndex(i);
    editor->setFocus(Qt::OtherFocusReason);
    if (field == DocumentField::Instructions)
        ExplanationEdit::moveCursorToLine(editor, line);
    return true;
}
