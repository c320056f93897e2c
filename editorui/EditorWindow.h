#pragma once

#include "DocumentCheck.h"
#include "DocumentContent.h"
#include "EditorDialogs.h"
#include "EditorProblemsList.h"
#include "EditorSources.h"
#include "EditorTableView.h"
#include "QuizDocument.h"

#include <QList>
#include <QMainWindow>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <functional>

class EditorFieldsForm;
class EditorGuide;
class EditorGeometryPanel;
class EditorPicturePanel;
class EditorTryOut;
class QListWidget;
class QuizDocument;

// The test editor's main window: the fields of the whole test on top (EditorFieldsForm), the
// rows in a table (EditorTableView) with the current row's picture beside it
// (EditorPicturePanel), the problems below (EditorProblemsList). It shows one QuizDocument
// through these parts and binds its menus to them; it asks before unsaved work is dropped and
// keeps a recovery copy a few seconds after each change. Every question it asks goes through
// `ask` and every path it needs through `choosePath`, so that tests answer them without a
// modal dialog.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    // How often a save tries again while another program saves into the test's folder.
    static constexpr int SaveRetryMs = 200;
    // How long after the last change the recovery copy is written.
    static constexpr int RecoveryDelayMs = 3000;
    // The problems list shows this many; a note below tells how many more the table marks.
    static constexpr int MaxListedProblems = EditorProblemsList::MaxListed;

    explicit EditorWindow(QWidget *parent = nullptr);
    ~EditorWindow() override;

    QuizDocument *document() const { return m_document; }
    EditorTableView *table() const { return m_table; }
    QListWidget *problemsList() const;
    EditorPicturePanel *picturePanel() const { return m_picturePanel; }
    EditorGeometryPanel *geometryPanel() const;
    // The widget a field of the whole test is typed into (Address … PictureLabel).
    QWidget *fieldEditor(DocumentField field) const;

    // Undo and Redo are the undo stack's own actions, their text naming the step
    // ("Undo pasting 4 rows").
    struct Actions
    {
        QAction *newTest, *openFolder, *openGift, *openProgram, *save, *saveAs, *makeProgram, *exportMoodle, *quit;
        QAction *undo, *redo, *cut, *copy, *paste, *addRow, *deleteRows, *moveUp, *moveDown;
        QAction *tryOut, *checkNow, *widenLists, *guide, *about;
    };
    const Actions &actions() const { return m_actions; }

    // A question to the teacher: the answer is the index of the button chosen in `buttons`,
    // or -1 when the box was closed without one.
    struct Question
    {
        QMessageBox::Icon icon = QMessageBox::Question;
        QString text;
        QString informative;
        QStringList buttons;
        int escape = -1; // the button Escape stands for; -1: none
    };
    // The first button is the default (Enter).
    std::function<int(const Question &)> ask;

    using PathKind = EditorDialogs::PathKind;
    // A path the teacher chooses, starting at `start`; empty when cancelled. By default
    // EditorDialogs' file dialog of that kind.
    std::function<QString(PathKind kind, const QString &start)> choosePath;

    // Which question of a GIFT or Moodle XML file to open, asked when it has several or skips
    // some: the index in `found.titles`, or -1 when cancelled. By default EditorDialogs' list
    // over the window. A classification chosen is asked about with ask(): made distinct or not
    // opened.
    std::function<int(const EditorSources::GiftQuestions &found)> chooseGiftQuestion;

    // What "Make program" asks and tells; by default message boxes and the save dialog over the
    // window, saving through save().
    std::function<EditorDialogs::MakeProgramSteps()> makeProgramSteps;

    void setRecoveryDelay(int ms) { m_recoveryTimer.setInterval(ms); }

    // What the editor opens at start: a recovery copy left by a crash when the teacher takes it
    // back; else `arguments` (a test folder, a GIFT file or a program) when given; else the last
    // folder saved or opened, when it still opens; else a new test.
    void start(const QStringList &arguments);

    // Each returns whether it was done; the *File ones ask nothing before replacing the document.
    bool openPath(const QString &path);
    bool openFolderPath(const QString &folder);
    // The question gets the address of the last test saved with one (lastAddress), or none.
    bool openGiftFile(const QString &path);
    // The address of the last test the teacher saved with an address that reads as one
    // (Caption::readsAsAddress); empty before any.
    static QString lastAddress();
    bool openProgramFile(const QString &path);
    // Save as asks for the folder to put the test in: it gets a new folder of its own there,
    // named after its title (SavePlace); a folder that holds another test is replaced only when
    // the teacher says so.
    bool save();
    bool saveAs();
    // Saves into `folder` and tells the result; false when it was not saved. A folder where no
    // test is saved, or a write-protected file there, is told, with Save as offered.
    bool saveTo(const QString &folder);
    // Asks whether to save unsaved work: true when it is saved or may be dropped.
    bool keepWork();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildParts();
    void buildActions();
    void updateTitle();
    void goToProblem(const DocumentProblem &problem);

    void newTest();
    void showNewTestHint();
    void openFolder();
    void openGift();
    void openProgram();
    void tryOut();
    void makeProgram();
    // "Export for Moodle…": the test as NAME.xml and NAME.gift (EditorSources::exportForMoodle)
    // in a folder the teacher chooses, asking before it replaces a file; then how to import it.
    void exportForMoodle();
    void checkNow();
    void showGuide();
    void widenLists();
    void about();
    // Cut, copy or paste in the field that has the cursor, else on the table's rows.
    template<typename OnLine, typename OnText>
    void onClipboard(void (EditorTableView::*onRows)(), OnLine onLine, OnText onText);

    void tell(QMessageBox::Icon icon, const QString &text, const QString &details = {});
    void showFirstRow();
    void afterOpening(const QString &what);
    QString lastFolder() const;
    void setLastFolder(const QString &folder);
    void writeRecovery();
    // The document saved into `folder`, waiting in a small dialog while another program saves
    // there; Busy when the teacher stopped waiting.
    QuizDocument::Saved saveWaiting(const QString &folder);
    bool saveAsFrom(QString start);

    QuizDocument *m_document;
    EditorFieldsForm *m_fields = nullptr;
    EditorTableView *m_table = nullptr;
    EditorPicturePanel *m_picturePanel = nullptr;
    EditorProblemsList *m_problems = nullptr;
    EditorTryOut *m_tryOut = nullptr;
    EditorGuide *m_guide = nullptr;
    Actions m_actions{};
    QTimer m_recoveryTimer;
    QMetaObject::Connection m_focusConnection;
    QMetaObject::Connection m_hintConnection;
    QMetaObject::Connection m_stepConnection;
    QString m_told; // the last message of the table's row operations, while the status bar shows it
};
