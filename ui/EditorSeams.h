#pragma once

// TEMPORARY: stand-ins for the parts of the editor built beside EditorWindow — the table's
// delegates, the picture and geometry panels (EditorTable, EditorPicturePanel,
// EditorGeometryPanel), opening GIFT files and programs (EditorSources), trying the test
// (EditorTryOut) and making a program (EditorDialogs). They have the agreed names and
// signatures and only as much behaviour as the window needs to be built and tried. When the
// parts are put together this file becomes the six includes of the real headers, and
// EditorSeams.cpp goes.

#include "DocumentContent.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TestDocument;

namespace EditorTable {
// The real one sets the delegates and the view's settings; the stand-in leaves Qt's defaults.
void install(QTableView *view);
} // namespace EditorTable

// The stand-in shows the row's picture name only.
class EditorPicturePanel : public QWidget
{
    Q_OBJECT

public:
    EditorPicturePanel(TestDocument *doc, QWidget *parent);
    void setRow(int row);
    // Where the problems list puts the cursor for a picture's problem.
    QWidget *focusWidget() const;

private:
    TestDocument *m_doc;
    QLabel *m_name;
    QPushButton *m_choose;
};

// The stand-in: five line edits of twips, bound to the document's fields.
class EditorGeometryPanel : public QWidget
{
    Q_OBJECT

public:
    EditorGeometryPanel(TestDocument *doc, QWidget *parent);
    QWidget *editorFor(DocumentField field) const;

private:
    void load();

    TestDocument *m_doc;
    QList<QLineEdit *> m_edits;
};

namespace EditorSources {
struct GiftQuestions
{
    QString error;
    QStringList titles;
};
GiftQuestions giftQuestions(const QString &path);
QString openGift(TestDocument &doc, const QString &path, int question);
QString openProgram(TestDocument &doc, const QString &programPath);
} // namespace EditorSources

namespace EditorDialogs {
int chooseGiftQuestion(QWidget *parent, const QStringList &titles);
void makeProgram(QWidget *parent, TestDocument &doc);
} // namespace EditorDialogs

class EditorTryOut : public QObject
{
    Q_OBJECT

public:
    explicit EditorTryOut(QObject *parent = nullptr);
    // Shows the test window on `content`; a window shown before is replaced.
    void start(const DocumentContent &content);
};
