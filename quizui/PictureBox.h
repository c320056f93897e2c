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

    // Shows the picture file `bytes` (PNG, JPEG, BMP or GIF) of the test's picture `source`;
    // an empty source clears the box. Pictures come from the test in memory, never from disk.
    void setSource(const QString &source, const QByteArray &bytes);
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
