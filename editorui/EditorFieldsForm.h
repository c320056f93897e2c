#pragma once

#include "DocumentContent.h"

#include <QWidget>

class EditorGeometryPanel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QuizDocument;

// The fields of the whole test above the rows: the address and the title with what the
// learner's windows will be called, then tabs of the instructions, the window's geometry
// (EditorGeometryPanel) and, as advanced, the label lines of two sections. Tab goes from the
// title into the tab shown; Ctrl+Tab changes the tab, and Alt with a tab's letter puts the cursor
// into that tab's first field. Every keystroke is an edit of the
// document (merged per field into one undo step); undo, redo and opening another test show at
// once. The fields keep no undo history of their own: Ctrl+Z goes to the document's.
class EditorFieldsForm : public QWidget
{
    Q_OBJECT

public:
    explicit EditorFieldsForm(QuizDocument *doc, QWidget *parent = nullptr);

    // The widget a field of the whole test is typed into (Address … PictureLabel); nullptr
    // for a cell's field.
    QWidget *editorFor(DocumentField field) const;
    EditorGeometryPanel *geometryPanel() const { return m_geometryPanel; }
    // Every widget a field is typed into, the geometry's too.
    QList<QWidget *> editors() const;

    // Shows the tab of a field and puts the cursor into it, in the instructions at line `line`
    // (from 0; -1: where it was). False when the field is none of the form's.
    bool goToField(DocumentField field, int line = -1);
    // Shows tab `index` with the cursor in its first field.
    void showTab(int index);

    // What the line under the title says: the test window's and the picture window's titles
    // made of `address` and `title`, and whether a non-empty address is read back as one.
    static QString captionPreview(const QString &address, const QString &title);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bindLine(QLineEdit *edit, DocumentField field);
    void fitToTab();
    void load();

    QuizDocument *m_doc;
    QLineEdit *m_address;
    QLineEdit *m_title;
    QLabel *m_captionPreview;
    QTabWidget *m_tabs;
    QPlainTextEdit *m_instructions;
    EditorGeometryPanel *m_geometryPanel;
    QLineEdit *m_explanationLabel;
    QLineEdit *m_pictureLabel;
    bool m_loading = false;
};
