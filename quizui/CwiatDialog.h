#pragma once

#include <QMainWindow>
#include <QPointer>

class Cwiat;
class ListBox;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

// The appearance dialog `Cwiat` on screen: its controls in twips, the model's colours,
// captions and fonts, and the learner's slider movements, option and size choices and
// menu commands forwarded to the model's handlers.
//
// A top-level window without an owner. It closes when its model is destroyed ("Запис",
// "Отказ"); closing it by its frame is "Отказ". It does not delete itself: whoever made it
// deletes it after `closed`, once the closing command has returned.
class CwiatDialog : public QMainWindow
{
    Q_OBJECT

public:
    explicit CwiatDialog(Cwiat *model, QWidget *parent = nullptr);
    ~CwiatDialog() override;

    // The dialog's model, or nullptr once it has been destroyed.
    Cwiat *model() const;

    QFrame *picColor() const { return m_picColor; }
    QLabel *Label_Cv(int index) const { return m_labelCv[index]; }
    QLabel *Label_ST(int index) const { return m_labelST[index]; }
    QSlider *Slider1(int index) const { return m_slider[index]; }
    QRadioButton *Option1(int index) const { return m_option[index]; }
    ListBox *List_font(int index) const { return m_listFont[index]; }
    QLineEdit *Text_Cv() const { return m_textCv; }
    QAction *mnu_zapis() const { return m_zapis; }
    QAction *mnu_Otkaz() const { return m_otkaz; }

    // Centres the window on its screen and shows it.
    void showCentred();

Q_SIGNALS:
    // The window has closed, by its frame or because its model is gone.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void refresh();
    void modelGone();

    QPointer<Cwiat> m_model;
    QWidget *m_client = nullptr;
    QFrame *m_picColor = nullptr;
    QLabel *m_labelCv[9] = {};
    QLabel *m_labelST[3] = {};
    QSlider *m_slider[3] = {};
    QRadioButton *m_option[4] = {};
    ListBox *m_listFont[2] = {};
    QLineEdit *m_textCv = nullptr;
    QAction *m_zapis = nullptr;
    QAction *m_otkaz = nullptr;
};
