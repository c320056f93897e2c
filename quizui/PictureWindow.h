#pragma once

#include <QWidget>

class PictureBox;
struct KazGraphika;

// The picture window `KAZ_Graphika`: a fixed tool window whose display box `Graphika(0)`
// shows a question's picture at the size its author gave the box.
class PictureWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PictureWindow(QWidget *parent = nullptr);

    // `picture`: the bytes of the picture file state.picture names. A window that is not open
    // yet opens beside the window of `owner` (WindowPlace::beside).
    void show(const KazGraphika &state, const QByteArray &picture, const QWidget *owner = nullptr);
    PictureBox *box() const { return m_box; }

private:
    PictureBox *m_box;
};
