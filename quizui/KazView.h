#pragma once

#include <QMainWindow>
#include <memory>

#include "CwiatDialog.h"
#include "Kaz.h"
#include "PictureWindow.h"

class ListBox;
class PictureBox;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

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

    // How often the window has brought itself up to date with its model (once when made,
    // then once for each of the model's change sets), and what it re-applied the last time.
    int updates() const { return m_updates; }
    Kaz::Changes lastUpdate() const { return m_lastUpdate; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    // Re-applies exactly these parts of the model's state to the widgets.
    void showChanges(Kaz::Changes what);
    void showPictureWindow();
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
    int m_updates = 0;
    Kaz::Changes m_lastUpdate;
};
