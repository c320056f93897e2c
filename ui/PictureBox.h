#pragma once

#include <QPixmap>
#include <QWidget>

// A picture box: draws its picture unscaled from the top-left corner, cut at its edges.
// A click, or Space or Enter while it has the focus, emits clicked().
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads the picture from `source` (a resource path); an empty source clears it.
    void setSource(const QString &source);
    QString source() const { return m_source; }
    const QPixmap &pixmap() const { return m_pixmap; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_source;
    QPixmap m_pixmap;
};
