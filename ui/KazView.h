#pragma once

#include <QMainWindow>
#include <memory>

#include "CwiatDialog.h"
#include "PictureWindow.h"

class Kaz;
class ListBox;
class PictureBox;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct KazLook;

// The test window `KAZ` on screen: lays out the controls in twips, shows the model's
// state and forwards the learner's clicks, keys and menu choices to its handlers.
class KazView : public QMainWindow
{
    Q_OBJECT

public:
    explicit KazView(Kaz *model, QWidget *parent = nullptr);
    ~KazView() override;

    Kaz *model() const { return m_model; }
    ListBox *Slowo(int index) const { return m_slowo[index]; }
    QPushButton *Uprawl(int index) const { return m_uprawl[index]; }
    QLabel *Ndapis() const { return m_ndapis; }
    QPlainTextEdit *Prowerka0() const { return m_prowerka0; }
    QLineEdit *Prowerka1() const { return m_prowerka1; }
    PictureBox *Grafika0() const { return m_grafika0; }
    QAction *Izhod() const { return m_izhod; }
    QAction *Cwqt() const { return m_cwqt; }
    // The picture window, once the model has made it.
    PictureWindow *KAZ_Graphika() const { return m_pictureWindow.get(); }
    // The appearance dialog's window while it is open.
    CwiatDialog *Cwiat() const { return m_cwiatDialog.get(); }

    // Centres the window on its screen and shows it.
    void showCentred();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void refresh();
    void refreshPictureWindow();
    void showCwiat();
    void applyLook(QWidget *widget, const KazLook &look, bool font);

    Kaz *m_model;
    ListBox *m_slowo[3] = {};
    QPushButton *m_uprawl[4] = {};
    QLabel *m_ndapis = nullptr;
    QPlainTextEdit *m_prowerka0 = nullptr;
    QLineEdit *m_prowerka1 = nullptr;
    PictureBox *m_grafika0 = nullptr;
    QAction *m_izhod = nullptr;
    QAction *m_cwqt = nullptr;
    // Top-level windows of their own, without a parent widget: the test window holds them
    // and they go with it.
    std::unique_ptr<CwiatDialog> m_cwiatDialog;
    std::unique_ptr<PictureWindow> m_pictureWindow;
};
