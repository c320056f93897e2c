#pragma once

#include "DocumentContent.h"
#include "Sketch.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QuizDocument;

// A sketch of the test window at the document's geometry: the window's inside, the two
// lists highlighted, the other controls grey, the rectangle of a field with a problem in red;
// scaled to fit. Its accessible description tells the sizes in words.
class EditorSketch : public QWidget
{
    Q_OBJECT

public:
    explicit EditorSketch(QWidget *parent = nullptr);

    void setGeometryOf(const DocumentContent &content);
    const Sketch::Geometry &sketch() const { return m_geometry; }
    // The sizes and places in words, as the accessible description says them.
    QString description() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool hasProblem(DocumentField field) const;

    Sketch::Geometry m_geometry;
};

// The five fields of the window's geometry in twips, each with its size in pixels beside it,
// over a live sketch of the window and the geometry's problems. Every keystroke is an edit of
// the document (merged into one undo step per field); undo, redo and opening another test
// show at once.
class EditorGeometryPanel : public QWidget
{
    Q_OBJECT

public:
    explicit EditorGeometryPanel(QuizDocument *doc, QWidget *parent = nullptr);

    // The line edit of WindowWidth … RightListWidth; nullptr for any other field.
    QWidget *editorFor(DocumentField field) const;
    EditorSketch *sketch() const { return m_sketch; }

private:
    struct Field
    {
        DocumentField field;
        QLineEdit *edit;
        QLabel *pixels;
    };

    void showField(DocumentField field);
    void showAll();
    void showSketch();

    QuizDocument *m_doc;
    QList<Field> m_fields;
    EditorSketch *m_sketch;
    QLabel *m_problems;
};
