#include "EditorWindow.h"

#include "Caption.h"
#include "EditorDialogs.h"
#include "EditorFieldsForm.h"
#include "EditorGuide.h"
#include "EditorPicturePanel.h"
#include "EditorSources.h"
#include "EditorTryOut.h"
#include "Numbers.h"
#include "Printing.h"
#include "Recovery.h"
#include "SavePlace.h"
#include "RowTableModel.h"
#include "QuizDocument.h"
#include "WindowPlace.h"
#include "WindowTitle.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <functional>
#include <memory>

namespace {

const QString LastFolderKey = QStringLiteral("lastFolder");
const QString LastAddressKey = QStringLiteral("lastAddress");
const QString PartsKey = QStringLiteral("splitters/parts");
const QString TableAndPictureKey = QStringLiteral("splitters/tableAndPicture");

// A splitter keeps the place the teacher dragged it to, from one start of the editor to the next.
void remember(QSplitter *splitter, const QString &key)
{
    splitter->restoreState(QSettings().value(key).toByteArray());
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter,
                     [splitter, key] { QSettings().setValue(key, splitter->saveState()); });
}

// The document's and the other parts' reasons are clauses ("there is no test.kaz in …");
// a message box shows them as a sentence.
QString sentence(QString text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return text;
    text[0] = text.at(0).toUpper();
    if (!text.endsWith(u'.') && !text.endsWith(u'!') && !text.endsWith(u'?'))
        text += u'.';
    return text;
}

QString clause(QString text)
{
    text = text.trimmed();
    while (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

// The line a cut, copy or paste from the Edit menu goes to when `focus` is a one-line field
// (a spin box's too).
QLineEdit *lineOf(QWidget *focus)
{
    if (auto *line = qobject_cast<QLineEdit *>(focus))
        return line;
    if (qobject_cast<QAbstractSpinBox *>(focus))
        return focus->findChild<QLineEdit *>();
    return nullptr;
}

} // namespace

EditorWindow::EditorWindow(QWidget *parent) : QMainWindow(parent), m_document(new QuizDocument(this))
{
    ask = [this](const Question &q) {
        QMessageBox box(q.icon, tr("KAZ editor"), q.text, QMessageBox::NoButton, this);
        box.setInformativeText(q.informative);
        QList<QAbstractButton *> buttons;
        for (int i = 0; i < q.buttons.size(); ++i) {
            const QMessageBox::ButtonRole role = i == q.escape ? QMessageBox::RejectRole
                                                 : i == 0      ? QMessageBox::AcceptRole
                                                               : QMessageBox::DestructiveRole;
            buttons.append(box.addButton(q.buttons.at(i), role));
        }
        if (!buttons.isEmpty())
            box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
        if (q.escape >= 0 && q.escape < buttons.size())
            box.setEscapeButton(buttons.at(q.escape));
        EditorDialogs::giveMnemonics(&box);
        box.exec();
        return int(buttons.indexOf(box.clickedButton()));
    };
    choosePath = [this](PathKind kind, const QString &start) {
        EditorDialogs::PathResult result;
        if (kind == PathKind::SaveFolder)
            result = [this](const QString &chosen) {
                return EditorDialogs::saveResult(chosen, m_document->folder(), m_document->field(DocumentField::Title));
            };
        if (kind == PathKind::MoodleFolder)
            result = [this](const QString &chosen) {
                return EditorDialogs::moodleResult(
                    chosen, EditorSources::moodleFiles(chosen, EditorSources::moodleName(*m_document)).all());
            };
        return EditorDialogs::choosePath(this, kind, start, std::move(result));
    };

    chooseGiftQuestion = [this](const EditorSources::GiftQuestions &found) {
        return EditorDialogs::chooseGiftQuestion(this, found.shown.isEmpty() ? found.titles : found.shown, found.skipped);
    };
    makeProgramSteps = [this] { return EditorDialogs::dialogs(this, [this] { return save(); }); };

    buildParts();
    buildActions();

    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelayMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &EditorWindow::writeRecovery);
    // Whether there is anything to keep is decided when the timer fires: an edit's
    // contentChanged comes before the document counts itself modified.
    connect(m_document, &QuizDocument::contentChanged, &m_recoveryTimer, qOverload<>(&QTimer::start));
    connect(m_document, &QuizDocument::documentReset, this, [this] {
        m_recoveryTimer.stop();
        updateTitle();
        m_picturePanel->setRow(m_table->currentIndex().row());
    });
    connect(m_document, &QuizDocument::fieldChanged, this, [this](DocumentField field) {
        if (field == DocumentField::Title)
            updateTitle();
    });
    connect(m_document, &QuizDocument::modifiedChanged, this, &QWidget::setWindowModified);
    // A typing session in a field ends when the cursor leaves it: typing there again is a new step.
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, [this] { m_document->endTyping(); });

    updateTitle();
    setWindowModified(m_document->isModified());
    showNewTestHint();
    m_table->setFocus(); // the rows are where a teacher starts
    // Room for the table and the picture panel side by side, within a small screen (1366 × 768).
    resize(WindowPlace::fitting(this, QSize(1100, 760)));
}

// The widgets that show the document go while it is still there; then the document, with the
// other children.
EditorWindow::~EditorWindow()
{
    disconnect(m_focusConnection);
    disconnect(m_stepConnection); // the document's stack clears itself after the window is gone
    std::unique_ptr<QWidget> central(takeCentralWidget());
}

void EditorWindow::buildParts()
{
    m_fields = new EditorFieldsForm(m_document, this);
    m_table = new EditorTableView(m_document, this);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { m_picturePanel->setRow(current.row()); });
    connect(m_table, &EditorTableView::told, statusBar(), [this](const QString &message) {
        statusBar()->showMessage(message);
        m_told = message;
    });
    // What a row operation did is no longer so once a step is undone or another is taken.
    m_stepConnection = connect(m_document->undoStack(), &QUndoStack::indexChanged, statusBar(), [this] {
        if (!m_told.isEmpty() && statusBar()->currentMessage() == m_told)
            statusBar()->clearMessage();
        m_told.clear();
    });
    m_picturePanel = new EditorPicturePanel(m_document, this);
    m_picturePanel->setAccessibleName(tr("Picture of the current row"));
    auto *middle = new QSplitter(Qt::Horizontal, this);
    middle->addWidget(m_table);
    middle->addWidget(m_picturePanel);
    middle->setStretchFactor(0, 3);
    middle->setStretchFactor(1, 1);
    m_problems = new EditorProblemsList(this);
    m_problems->setProblems(m_document->problems(), m_document->warnings(), m_document->notes());
    connect(m_document, &QuizDocument::problemsChanged, m_problems,
            [this] { m_problems->setProblems(m_document->problems(), m_document->warnings(), m_document->notes()); });
    connect(m_problems, &EditorProblemsList::problemChosen, this, &EditorWindow::goToProblem);
    connect(m_problems, &EditorProblemsList::widenRequested, this, &EditorWindow::widenLists);

    auto *central = new QSplitter(Qt::Vertical, this);
    central->addWidget(m_fields);
    central->addWidget(middle);
    central->addWidget(m_problems);
    central->setStretchFactor(0, 0);
    central->setStretchFactor(1, 4);
    central->setStretchFactor(2, 1);
    central->setChildrenCollapsible(false);
    // The rows get most of the height: the fields as little as they need, the problems a few lines.
    central->setSizes({m_fields->minimumSizeHint().height(), 600, 100});
    setCentralWidget(central);
    remember(central, PartsKey);
    remember(middle, TableAndPictureKey);

    // Ctrl+Z and Ctrl+Shift+Z in a field go to the document's undo stack, not the field's own.
    for (QWidget *w : m_fields->editors())
        w->installEventFilter(this);
    m_table->installEventFilter(this);
}

template<typename OnLine, typename OnText>
void EditorWindow::onClipboard(void (EditorTableView::*onRows)(), OnLine onLine, OnText onText)
{
    QWidget *focus = QApplication::focusWidget();
    if (QLineEdit *line = lineOf(focus))
        std::invoke(onLine, line);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(focus))
        std::invoke(onText, text);
    else
        std::invoke(onRows, m_table);
}

void EditorWindow::buildActions()
{
    const auto make = [this](QMenu *menu, const QString &text, const QList<QKeySequence> &keys, auto slot) {
        auto *action = new QAction(text, this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        menu->addAction(action);
        return action;
    };
    Actions &a = m_actions;
    QMenu *file = menuBar()->addMenu(tr("&File"));
    a.newTest = make(file, tr("&New"), {QKeySequence(Qt::CTRL | Qt::Key_N)}, &EditorWindow::newTest);
    a.openFolder = make(file, tr("&Open folder…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, &EditorWindow::openFolder);
    a.openGift = make(file, tr("Open a &GIFT or Moodle XML file…"), {}, &EditorWindow::openGift);
    a.openProgram = make(file, tr("Open p&rogram…"), {}, &EditorWindow::openProgram);
    file->addSeparator();
    a.save = make(file, tr("&Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { save(); });
    a.saveAs = make(file, tr("Save &as…"), {}, [this] { saveAs(); });
    file->addSeparator();
    a.makeProgram = make(file, tr("&Make program…"), {QKeySequence(Qt::CTRL | Qt::Key_B)}, &EditorWindow::makeProgram);
    // The tool bar's button says it without the dots of a menu item that asks more.
    a.makeProgram->setIconText(tr("Make program"));
    a.exportMoodle = make(file, tr("E&xport for Moodle…"), {}, &EditorWindow::exportForMoodle);
    file->addSeparator();
    a.quit = make(file, tr("&Quit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QUndoStack *undo = m_document->undoStack();
    // The stack's own actions, enabled when there is a step and taking it; their text, set
    // after the stack's own, names the step in the editor's words and keeps the menu's letter.
    const auto follow = [undo](QAction *action, auto changed, auto current, const QString &alone,
                               const QString &withStep) {
        const auto name = [action, alone, withStep](const QString &step) {
            action->setText(step.isEmpty() ? alone : withStep.arg(step));
        };
        name((undo->*current)());
        connect(undo, changed, action, name);
    };
    a.undo = undo->createUndoAction(this);
    follow(a.undo, &QUndoStack::undoTextChanged, &QUndoStack::undoText, tr("&Undo"), tr("&Undo %1"));
    a.undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    a.redo = undo->createRedoAction(this);
    follow(a.redo, &QUndoStack::redoTextChanged, &QUndoStack::redoText, tr("&Redo"), tr("&Redo %1"));
    a.redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addActions({a.undo, a.redo});
    edit->addSeparator();
    a.cut = make(edit, tr("Cu&t"), {QKeySequence(Qt::CTRL | Qt::Key_X)},
                 [this] { onClipboard(&EditorTableView::cutRows, &QLineEdit::cut, &QPlainTextEdit::cut); });
    a.copy = make(edit, tr("&Copy"), {QKeySequence(Qt::CTRL | Qt::Key_C)},
                  [this] { onClipboard(&EditorTableView::copyRows, &QLineEdit::copy, &QPlainTextEdit::copy); });
    a.paste = make(edit, tr("&Paste"), {QKeySequence(Qt::CTRL | Qt::Key_V)}, [this] {
        if (m_table->pastesOntoRows(QApplication::focusWidget()))
            m_table->pasteRows();
        else
            onClipboard(&EditorTableView::pasteRows, &QLineEdit::paste, &QPlainTextEdit::paste);
    });
    edit->addSeparator();
    a.addRow = make(edit, tr("&Add row"),
                    {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
                     QKeySequence(Qt::Key_Insert)},
                    [this] { m_table->addRow(); });
    a.deleteRows = make(edit, tr("&Delete rows"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)},
                        [this] { m_table->deleteRows(); });
    a.moveUp = make(edit, tr("Move u&p"), {QKeySequence(Qt::ALT | Qt::Key_Up)}, [this] { m_table->moveRows(-1); });
    a.moveDown = make(edit, tr("Move do&wn"), {QKeySequence(Qt::ALT | Qt::Key_Down)}, [this] { m_table->moveRows(1); });

    QMenu *test = menuBar()->addMenu(tr("&Test"));
    a.tryOut = make(test, tr("&Try"), {QKeySequence(Qt::Key_F5)}, &EditorWindow::tryOut);
    a.checkNow = make(test, tr("&Check now"), {}, &EditorWindow::checkNow);
    a.widenLists = make(test, tr("&Widen the lists to fit the phrases"), {}, &EditorWindow::widenLists);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    a.guide = make(help, tr("&Guide"), {QKeySequence(Qt::Key_F1)}, &EditorWindow::showGuide);
    a.about = make(help, tr("&About"), {}, &EditorWindow::about);

    QToolBar *bar = addToolBar(tr("Try and make"));
    bar->setObjectName(QStringLiteral("tryAndMake"));
    bar->setAccessibleName(tr("Try and make"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    bar->addAction(a.tryOut);
    bar->addAction(a.makeProgram);

    // The buttons a narrow window shows for the menus and commands it has no room for.
    if (auto *more = menuBar()->findChild<QWidget *>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(tr("More menus"));
    if (auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More commands"));
}

QWidget *EditorWindow::fieldEditor(DocumentField field) const { return m_fields->editorFor(field); }

EditorGeometryPanel *EditorWindow::geometryPanel() const { return m_fields->geometryPanel(); }

QListWidget *EditorWindow::problemsList() const { return m_problems->list(); }

// ---------------------------------------------------------------- showing the document

void EditorWindow::updateTitle()
{
    QString title = m_document->field(DocumentField::Title).trimmed();
    if (title.isEmpty())
        title = tr("New test");
    setWindowTitle(tr("%1[*] — KAZ editor").arg(WindowTitle::literal(title)));
}

void EditorWindow::goToProblem(const DocumentProblem &p)
{
    if (p.row >= 0 && m_document->rowCount() > 0) {
        m_table->goToCell(p.row, p.field, p.part);
        if (p.field == DocumentField::Picture)
            if (QWidget *w = m_picturePanel->problemFocus())
                w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_fields->goToField(p.field, p.part))
        m_table->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::tell(QMessageBox::Icon icon, const QString &text, const QString &informative)
{
    ask({icon, text, informative, {tr("OK")}, 0});
}

// ---------------------------------------------------------------- start, opening, saving

void EditorWindow::start(const QStringList &arguments)
{
    // Every copy a crash left is offered, the newest first, until one is restored; the rest
    // stay for the next start. A copy another running editor holds is not among them.
    bool restored = false;
    bool othersKept = false;
    for (const Recovery::Found &copy : Recovery::find()) {
        if (restored) {
            othersKept = true;
            continue;
        }
        const QString when = QLocale().toString(copy.written.toLocalTime(), QLocale::ShortFormat);
        if (!copy.error.isEmpty()) {
            if (ask({QMessageBox::Warning,
                     tr("A copy of unsaved work from %1 cannot be restored: %2.").arg(when, clause(copy.error)),
                     tr("Remove deletes the copy. Keep leaves it, and the editor asks again at its next start."),
                     {tr("Remove"), tr("Keep")},
                     1})
                == 0)
                Recovery::remove(copy.path);
            continue;
        }
        const QString title = copy.title.trimmed().isEmpty() ? tr("New test") : copy.title;
        const int answer = ask({QMessageBox::Question,
                                tr("The editor closed before the test \"%1\" was saved. A copy of it from %2 is "
                                   "kept. Do you want it back?")
                                    .arg(title, when),
                                tr("Restore opens the copy; save it to keep it. Discard deletes the copy."),
                                {tr("Restore"), tr("Discard")},
                                -1});
        if (answer == 0) {
            const QuizDocument::Opened opened = m_document->restoreRecovery(copy.path);
            if (opened.ok()) {
                restored = true;
                showFirstRow();
                statusBar()->showMessage(tr("The copy of \"%1\" is back. Save it to keep it.").arg(title));
                continue;
            }
            tell(QMessageBox::Warning, tr("The copy could not be restored."), sentence(opened.error));
        } else if (answer == 1) {
            Recovery::remove(copy.path);
        }
    }
    if (restored) {
        if (othersKept)
            statusBar()->showMessage(statusBar()->currentMessage() + u' '
                                     + tr("Copies of other unsaved tests are kept; the editor offers them at its next "
                                          "start."));
        return;
    }
    if (!arguments.isEmpty()) {
        openPath(arguments.first());
        return;
    }
    const QString last = lastFolder();
    if (!last.isEmpty()) {
        const QuizDocument::Opened opened = m_document->openFolder(last);
        if (opened.ok()) {
            afterOpening(last);
            return;
        }
        statusBar()->showMessage(tr("The last test could not be opened: %1. Open another one from the File menu.")
                                     .arg(clause(opened.error)));
    }
}

bool EditorWindow::openPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        tell(QMessageBox::Warning,
             tr("There is no file or folder %1. Check the name, or open a test from the File menu.")
                 .arg(printablePath(path)));
        return false;
    }
    if (info.isDir())
        return openFolderPath(path);
    if (info.fileName() == u"test.kaz")
        return openFolderPath(info.path());
    if (info.suffix().compare(u"gift", Qt::CaseInsensitive) == 0 || info.suffix().compare(u"xml", Qt::CaseInsensitive) == 0)
        return openGiftFile(path);
    return openProgramFile(path);
}

bool EditorWindow::openFolderPath(const QString &folder)
{
    const QuizDocument::Opened opened = m_document->openFolder(folder);
    if (!opened.ok()) {
        tell(QMessageBox::Warning, tr("The test could not be opened."), sentence(opened.error));
        return false;
    }
    setLastFolder(m_document->folder());
    afterOpening(m_document->folder());
    m_document->checkNow();
    QStringList lost;
    for (const ContentReader::Problem &p : DocumentCheck::unplaced(opened.problems, opened.leftRows, opened.rightRows, m_document->problems()))
        lost.append(p.line > 0 ? tr("Line %1: %2").arg(QString::number(p.line), p.message) : p.message);
    if (!lost.isEmpty() || opened.moreProblems > 0)
        tell(QMessageBox::Warning,
             tr("Some lines of test.kaz do not fit in the editor. The test is open without them, and saving it "
                "leaves them out."),
             cappedLines(lost, "problem", opened.moreProblems).join(u'\n'));
    return true;
}

// The parts of the editor that open GIFT files and programs, try the test and make a program.
bool EditorWindow::openGiftFile(const QString &path)
{
    const EditorSources::GiftQuestions found = EditorSources::giftQuestions(path);
    if (!found.error.isEmpty()) {
        tell(QMessageBox::Warning, tr("The file could not be opened."), sentence(found.error));
        return false;
    }
    int question = 0;
    if (EditorDialogs::asksForGiftQuestion(found.titles, found.skipped)) {
        question = chooseGiftQuestion(found);
        if (question < 0)
            return false;
    }
    if (found.isClassification(question)) {
        const QString shared = found.shared.at(question).first();
        const int answer = ask({QMessageBox::Question,
                                tr("In the question \"%1\" several left phrases go with the same right phrase \"%2\", "
                                   "but in a KAZ test each left phrase has a right phrase of its own.")
                                    .arg(printableName(found.titles.at(question)), printableName(shared)),
                                tr("The editor can tell the shared right phrases apart by a number: \"%1\", \"%1 (2)\", "
                                   "\"%1 (3)\" … You can change them afterwards. Or leave this question out.")
                                    .arg(printableName(shared)),
                                {tr("Number them"), tr("Leave it out")},
                                1});
        if (answer != 0)
            return false;
    }
    const QString address = lastAddress();
    const QString error = EditorSources::openGift(*m_document, path, question, address);
    if (!error.isEmpty()) {
        tell(QMessageBox::Warning, tr("The file could not be opened."), sentence(error));
        return false;
    }
    afterOpening(path);
    // The address is not in the GIFT file: say where the one in the field came from, or what an
    // empty one means, so that the learner's title bar holds no surprise. First, so that a long
    // path does not push it out of the status bar.
    statusBar()->showMessage(
        (address.isEmpty() ? tr("The address is empty: the learner's title bar shows the title alone.")
                           : tr("The address %1 is the one of the test you saved last.").arg(address))
        + u' ' + statusBar()->currentMessage());
    return true;
}

bool EditorWindow::openProgramFile(const QString &path)
{
    const QString error = EditorSources::openProgram(*m_document, path);
    if (!error.isEmpty()) {
        tell(QMessageBox::Warning, tr("No test could be opened from %1.").arg(printableName(QFileInfo(path).fileName())),
             sentence(error));
        return false;
    }
    afterOpening(path);
    return true;
}

void EditorWindow::tryOut()
{
    m_document->checkNow();
    const int n = int(m_document->problems().size());
    if (n > 0) {
        tell(QMessageBox::Information,
             tr("The test has %n problem(s), and a test with problems cannot be tried. Mend them first: choose one "
                "in the list of problems to go to it.",
                nullptr, n));
        return;
    }
    m_tryOut = m_tryOut ? m_tryOut : new EditorTryOut(this);
    const EditorTryOut::Started started = m_tryOut->start(m_document->content());
    if (!started.message.isEmpty())
        statusBar()->showMessage(started.message);
    else if (started.shown && !m_document->notes().isEmpty()) {
        // The status bar is one line: the note in brief, the list beside it in full.
        const DocumentProblem &note = m_document->notes().constFirst();
        statusBar()->showMessage(EditorProblemsList::tr("Note: %1").arg(note.brief.isEmpty() ? note.message : note.brief));
    }
}

void EditorWindow::makeProgram()
{
    EditorDialogs::makeProgram(*m_document, makeProgramSteps());
}

void EditorWindow::showFirstRow()
{
    if (m_document->rowCount() > 0)
        m_table->setCurrentIndex(m_document->model()->index(0, RowTableModel::LeftColumn));
    m_picturePanel->setRow(m_table->currentIndex().row());
}

void EditorWindow::afterOpening(const QString &what)
{
    showFirstRow();
    statusBar()->showMessage(m_document->folder().isEmpty()
                                 ? tr("Opened %1. Save the test to give it a folder of its own.")
                                       .arg(printablePath(what))
                                 : tr("Opened %1.").arg(printablePath(what)));
}

bool EditorWindow::keepWork()
{
    if (m_document->isModified()) {
        const QString title = m_document->field(DocumentField::Title).trimmed();
        const int answer
            = ask({QMessageBox::Warning,
                   tr("The test \"%1\" has changes that are not saved. Save them?")
                       .arg(title.isEmpty() ? tr("New test") : title),
                   tr("Don't save drops the changes."),
                   {tr("Save"), tr("Don't save"), tr("Cancel")},
                   2});
        if (answer == 0)
            return save();
        if (answer != 1)
            return false;
    }
    // The work is saved or given up: no copy of it is kept for after a crash.
    m_recoveryTimer.stop();
    m_document->removeRecovery();
    return true;
}

void EditorWindow::newTest()
{
    if (!keepWork())
        return;
    m_document->newTest();
    showNewTestHint();
}

void EditorWindow::showNewTestHint()
{
    // The keys as the Edit menu shows them.
    const QString hint = tr("A new test. Add its first row with %1, or paste pairs from a spreadsheet with %2.")
                             .arg(m_actions.addRow->shortcut().toString(QKeySequence::NativeText),
                                  m_actions.paste->shortcut().toString(QKeySequence::NativeText));
    statusBar()->showMessage(hint);
    // The hint goes with the first edit: it no longer says what the window shows.
    disconnect(m_hintConnection);
    m_hintConnection = connect(m_document, &QuizDocument::modifiedChanged, statusBar(), [this, hint](bool modified) {
        if (modified && statusBar()->currentMessage() == hint)
            statusBar()->clearMessage();
        disconnect(m_hintConnection);
    });
}

QString EditorWindow::lastFolder() const { return QSettings().value(LastFolderKey).toString(); }

void EditorWindow::setLastFolder(const QString &folder) { QSettings().setValue(LastFolderKey, folder); }

QString EditorWindow::lastAddress() { return QSettings().value(LastAddressKey).toString(); }

namespace {
// Where the openers and Save as start: beside the last test, when there is one.
QString startPlace(const QString &lastFolder)
{
    return EditorSources::startFolder(lastFolder.isEmpty() ? QString() : QFileInfo(lastFolder).path());
}
} // namespace

void EditorWindow::openFolder()
{
    const QString folder = choosePath(PathKind::OpenFolder, startPlace(lastFolder()));
    if (folder.isEmpty() || !keepWork())
        return;
    openFolderPath(folder);
}

void EditorWindow::openGift()
{
    const QString path = choosePath(PathKind::GiftFile, startPlace(lastFolder()));
    if (path.isEmpty() || !keepWork())
        return;
    openGiftFile(path);
}

void EditorWindow::openProgram()
{
    const QString path = choosePath(PathKind::Program, startPlace(lastFolder()));
    if (path.isEmpty() || !keepWork())
        return;
    openProgramFile(path);
}

void EditorWindow::exportForMoodle()
{
    const QString name = EditorSources::moodleName(*m_document);
    const QString start = m_document->folder().isEmpty() ? startPlace(lastFolder())
                                                         : QFileInfo(m_document->folder()).absolutePath();
    const QString folder = choosePath(PathKind::MoodleFolder, start);
    if (folder.isEmpty())
        return;
    const EditorSources::MoodleFiles files = EditorSources::moodleFiles(folder, name);
    if (const QStringList there = EditorSources::existingFiles(files); !there.isEmpty()) {
        QStringList paths;
        for (const QString &f : there)
            paths.append(printablePath(f));
        if (ask({QMessageBox::Question, tr("These files are there already:\n%1").arg(paths.join(u'\n')),
                 tr("Replace them with the test as it is now?"), {tr("Replace"), tr("Cancel")}, 1})
            != 0)
            return;
    }
    const EditorSources::MoodleExported exported = EditorSources::exportForMoodle(m_document->content(), files, true);
    if (!exported.ok()) {
        tell(QMessageBox::Warning, tr("The files for Moodle could not be written."), sentence(exported.error));
        return;
    }
    QString how = tr("To bring the test into Moodle: in your course open Question bank → Import, choose \"Moodle XML "
                     "format\", then choose the file %1 and press Import. The test becomes a matching question in the "
                     "question bank, pictures included; add it to a quiz from there.")
                      .arg(printableName(QFileInfo(files.xml).fileName()));
    how += QStringLiteral("\n\n")
           + tr("The file %1 holds the same question in GIFT, for a system that reads GIFT.")
                 .arg(printableName(QFileInfo(files.gift).fileName()));
    for (const QString &note : exported.notes)
        how += u' ' + note;
    statusBar()->showMessage(tr("Written for Moodle: %1").arg(printablePath(files.xml)));
    tell(QMessageBox::Information,
         tr("The test is written for Moodle:\n%1\n%2").arg(printablePath(files.xml), printablePath(files.gift)), how);
}

bool EditorWindow::save()
{
    return m_document->folder().isEmpty() ? saveAs() : saveTo(m_document->folder());
}

QuizDocument::Saved EditorWindow::saveWaiting(const QString &folder)
{
    QuizDocument::Saved saved = m_document->trySaveTo(folder);
    if (saved.outcome != QuizDocument::Saved::Outcome::Busy)
        return saved;
    // Another program saves there: told at once, tried again from the event loop, so that the
    // window keeps painting; Cancel gives up.
    const QString text = tr("Another program is saving into %1 just now. The test is saved as soon as it is done.")
                             .arg(printablePath(folder));
    statusBar()->showMessage(text);
    QMessageBox box(QMessageBox::Information, tr("KAZ editor"), text, QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("waitForOtherSave"));
    QTimer retry;
    retry.setInterval(SaveRetryMs);
    connect(&retry, &QTimer::timeout, &box, [&] {
        saved = m_document->trySaveTo(folder);
        if (saved.outcome != QuizDocument::Saved::Outcome::Busy)
            box.done(QMessageBox::Ok);
    });
    retry.start();
    EditorDialogs::giveMnemonics(&box);
    box.exec();
    statusBar()->clearMessage();
    return saved;
}

bool EditorWindow::saveTo(const QString &folder)
{
    using Outcome = QuizDocument::Saved::Outcome;
    const QuizDocument::Saved saved = saveWaiting(folder);
    switch (saved.outcome) {
    case Outcome::Saved:
        break;
    case Outcome::Busy: // the teacher stopped waiting
        statusBar()->showMessage(tr("The test was not saved."));
        return false;
    case Outcome::Failed:
        tell(QMessageBox::Warning, tr("The test was not saved."), sentence(saved.why));
        return false;
    case Outcome::NotHere:
    case Outcome::WriteProtected: {
        const bool notHere = saved.outcome == Outcome::NotHere;
        const int answer = ask({QMessageBox::Warning, tr("The test cannot be saved in its folder: %1.").arg(clause(saved.why)),
                                tr("Save as… saves it as a test of your own, in a new folder named after its title "
                                   "inside the folder you choose."),
                                {tr("Save as…"), tr("Cancel")},
                                1});
        if (answer != 0)
            return false;
        // Beside the test when its place is one for tests, else in Documents.
        return saveAsFrom(SavePlace::saveStart(notHere ? QString() : QFileInfo(folder).absolutePath()));
    }
    }
    setLastFolder(m_document->folder());
    // Only an address that a caption keeps as one is offered to the next GIFT question.
    const QString address = m_document->field(DocumentField::Address);
    if (Caption::readsAsAddress(address))
        QSettings().setValue(LastAddressKey, address);
    m_document->checkNow();
    const int n = int(m_document->problems().size());
    statusBar()->showMessage(n == 0 ? tr("Saved in %1.").arg(printablePath(m_document->folder()))
                                    : tr("Saved in %1. The test has %n problem(s); mend them before you make a program.",
                                         nullptr, n).arg(printablePath(m_document->folder())));
    return true;
}

bool EditorWindow::saveAs() { return saveAsFrom(SavePlace::saveStart(startPlace(lastFolder()))); }

bool EditorWindow::saveAsFrom(QString start)
{
    using Kind = SavePlace::Chosen::Kind;
    const QString title = m_document->field(DocumentField::Title);
    for (;;) {
        const QString chosen = choosePath(PathKind::SaveFolder, start);
        if (chosen.isEmpty())
            return false;
        const SavePlace::Chosen place = SavePlace::consider(chosen, m_document->folder(), title);
        QString folder;
        switch (place.kind) {
        case Kind::NotHere:
            tell(QMessageBox::Warning, tr("The test cannot be saved there: %1.").arg(clause(place.why)),
                 tr("Choose a folder of your own, such as Documents."));
            start = SavePlace::saveStart({});
            continue;
        case Kind::Own:
            return saveTo(place.folder);
        case Kind::HoldsTest: {
            // Another test is lost only when the teacher says so, never by Enter.
            const QString other = printablePath(QDir::cleanPath(QFileInfo(chosen).absoluteFilePath()));
            QStringList buttons;
            if (!place.folder.isEmpty())
                buttons << tr("New folder");
            buttons << tr("Replace") << tr("Cancel");
            const int answer = ask(
                {QMessageBox::Warning,
                 tr("The folder %1 holds the test \"%2\".").arg(other, place.title),
                 place.folder.isEmpty()
                     ? tr("Replace deletes the test \"%1\" and puts this one in its place. Cancel lets you choose "
                          "another folder.")
                           .arg(place.title)
                     : tr("New folder saves this test beside it, in %1. Replace deletes the test \"%2\" and puts "
                          "this one in its place. Cancel lets you choose another folder.")
                           .arg(printablePath(place.folder), place.title),
                 buttons,
                 int(buttons.size()) - 1});
            const QString reply = buttons.value(answer);
            if (reply == tr("Replace")) {
                folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
                break;
            }
            if (reply != tr("New folder")) {
                start = QFileInfo(QDir::cleanPath(QFileInfo(chosen).absoluteFilePath())).absolutePath();
                continue;
            }
            folder = SavePlace::makeFolder(QFileInfo(place.folder).absolutePath(), title);
            break;
        }
        case Kind::Inside:
            folder = SavePlace::makeFolder(QFileInfo(place.folder).absolutePath(), title);
            break;
        }
        if (folder.isEmpty()) {
            tell(QMessageBox::Warning,
                 tr("The folder %1 could not be made. Choose another place.").arg(printablePath(place.folder)));
            start = chosen;
            continue;
        }
        const bool made = place.kind != Kind::HoldsTest || folder != QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
        const bool saved = saveTo(folder);
        if (!saved && made)
            QDir().rmdir(folder); // only while it is empty
        return saved;
    }
}

void EditorWindow::writeRecovery()
{
    if (!m_document->isModified())
        return;
    const QString error = m_document->writeRecovery();
    if (!error.isEmpty())
        statusBar()->showMessage(tr("No copy of the unsaved changes could be kept: %1. Save the test often.")
                                     .arg(clause(error)));
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!keepWork()) {
        event->ignore();
        return;
    }
    event->accept();
}

void EditorWindow::checkNow()
{
    m_document->checkNow();
    const int n = int(m_document->problems().size());
    if (n == 0) {
        const int warnings = int(m_document->warnings().size());
        statusBar()->showMessage(warnings == 0 ? tr("The test has no problems.")
                                               : tr("The test has no problems, but %n warning(s): see the list.",
                                                    nullptr, warnings));
        return;
    }
    statusBar()->showMessage(tr("The test has %n problem(s). Choose one in the list to go to it.", nullptr, n));
    problemsList()->setCurrentRow(0);
    problemsList()->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::showGuide()
{
    if (!m_guide) {
        m_guide = new EditorGuide(this);
        m_guide->showPage(EditorGuide::pageInLanguage());
    }
    m_guide->showBeside(this);
}

void EditorWindow::widenLists()
{
    using W = QuizDocument::Widening;
    switch (m_document->widenLists()) {
    case W::AlreadyFit:
        statusBar()->showMessage(tr("Every phrase already fits its list."));
        break;
    case W::Widened:
        statusBar()->showMessage(tr("Every phrase fits its list now; the window kept its width. Undo (Ctrl+Z) takes "
                                    "it back."));
        break;
    case W::WindowGrew:
        // The test window's buttons and boxes have fixed places: say so at once, before the
        // teacher finds the empty room right of them while trying.
        statusBar()->showMessage(
            tr("Every phrase fits its list now: the window grew to %1 pixels, and its buttons and boxes keep their "
               "places on the left. Ctrl+Z takes it back.")
                .arg(qRound(Numbers::readLenient(m_document->field(DocumentField::WindowWidth)) / 15)));
        break;
    case W::WidenedPartly:
        statusBar()->showMessage(tr("The window is now as wide as a screen of 1280 pixels allows, yet some phrases "
                                    "are still cut: the warnings name them; shorten them."));
        break;
    case W::NoMoreRoom:
        statusBar()->showMessage(tr("The window is already as wide as a screen of 1280 pixels allows: shorten the "
                                    "phrases the warnings name."));
        break;
    case W::GeometryProblem:
        statusBar()->showMessage(tr("Mend the window's and the lists' sizes first: the problems list says what is "
                                    "wrong with them."));
        break;
    }
}

void EditorWindow::about()
{
    tell(QMessageBox::Information, tr("KAZ editor %1").arg(QCoreApplication::applicationVersion()),
         tr("Writes and changes KAZ matching tests: the pairs, their explanations and pictures, and the "
            "test window's size. \"Try\" shows the test as a learner sees it; \"Make program\" turns it into "
            "one program file to hand out."));
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence key(static_cast<QKeyEvent *>(event)->keyCombination());
        if (m_actions.undo->shortcuts().contains(key) || m_actions.redo->shortcuts().contains(key))
            return true; // not accepted: the window's Undo or Redo takes the key
    }
    return QMainWindow::eventFilter(watched, event);
}
