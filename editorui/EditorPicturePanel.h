#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QMimeData;
class QPushButton;
class QSpinBox;
class QuizDocument;

// The picture of one row: shown large (scaled to fit), chosen from a file or dropped onto the
// panel, removed; its box in pixels (kept in twips, 15 a pixel), how the quiz shows it, and its
// problems. Every change is an edit of the document; undo and redo show at once.
class EditorPicturePanel : public QWidget
{
    Q_OBJECT

public:
    explicit EditorPicturePanel(QuizDocument *doc, QWidget *parent = nullptr);

    // The row whose picture is shown and edited; -1 for none.
    void setRow(int row);
    int row() const { return m_row; }

    // Takes the picture file at `path` into the row (copied; the file stays as it is). Returns
    // the message shown when it cannot, empty on success. Choose picture… and a drop use it.
    QString takePicture(const QString &path);

    // Where the problems list puts the keyboard for a problem of the picture.
    QWidget *problemFocus() const;

    // The controls, for the window's tab order and for tests.
    QPushButton *chooseButton() const { return m_choose; }
    QPushButton *removeButton() const { return m_remove; }
    QSpinBox *widthBox() const { return m_width; }
    QSpinBox *heightBox() const { return m_height; }
    QComboBox *modeBox() const { return m_mode; }
    QLabel *problemLabel() const { return m_problem; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void choose();
    void refresh();
    void setBox();
    QString droppedFile(const QMimeData *data) const;

    QuizDocument *m_doc;
    int m_row = -1;
    bool m_showing = false;
    QLabel *m_caption;
    QWidget *m_preview;
    QPushButton *m_choose;
    QPushButton *m_remove;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QComboBox *m_mode;
    QLabel *m_problem;
};
