#pragma once

#include <QSize>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

// Help → Guide: the editor's guide for teachers (docs/editor.md and its Bulgarian
// docs/editor.bg.md), built into the program with its pictures and shown from the Markdown in a
// window of its own. Nothing is looked up on disk and no web browser is needed, so the guide is
// there wherever the program is, and always the one written for this version.
class EditorGuide : public QWidget
{
    Q_OBJECT

public:
    // The size the guide opens at where the screen has room, and the narrowest it gets to stand
    // beside the editor instead of over it.
    static constexpr QSize PreferredSize{900, 760};
    static constexpr int MinimumBesideWidth = 560;

    explicit EditorGuide(QWidget *parent = nullptr);

    // Shows the guide, raised. When it was not open, it opens no larger than the available area
    // of the editor's screen, beside `editor` where there is room (WindowPlace::beside).
    void showBeside(const QWidget *editor);

    // The guide in the editor's language: the page the translation names, else the English one.
    static QUrl pageInLanguage();
    // Whether the guide built into the program holds `url` (a page or a picture).
    static bool holds(const QUrl &url);

    // Shows `page` from its top.
    void showPage(const QUrl &page);
    QTextBrowser *browser() const { return m_browser; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followLink(const QUrl &link);
    // Links to what the guide does not hold (the authoring guide, files of the source tree)
    // become plain text: a click on them could only show an empty page.
    void unlinkWhatIsNotHeld();
    // The screenshots are as wide as the editor's window: each is drawn no wider than the page.
    void fitPictures();

    QTextBrowser *m_browser;
};
