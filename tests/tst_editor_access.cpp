// The test editor without a mouse and without eyes: every control of the window, its menus,
// the try-out window and the dialog of a GIFT file's questions has a name a screen reader can
// say; Tab and Shift+Tab reach every control of the window once, in reading order, and back;
// and a whole test is made from nothing with keys alone, tried, saved and made into a program
// that loads with the phrases typed.
#include "EditorDialogs.h"
#include "EditorGeometryPanel.h"
#include "EditorPicturePanel.h"
#include "EditorSupport.h"
#include "EditorWindow.h"
#include "Kaz.h"
#include "KazView.h"
#include "ProgramQuiz.h"
#include "Recovery.h"
#include "RowTableModel.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

// Roles a user acts on; each needs a name. Items of lists and cells of the table are named by
// their text, which may be empty (a row without a picture).
bool interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Slider:
        return true;
    default:
        return false;
    }
}

QString describe(QAccessibleInterface *iface)
{
    QString what = QString::number(int(iface->role()), 16);
    if (QObject *o = iface->object())
        what += u' ' + QString::fromLatin1(o->metaObject()->className())
                + (o->objectName().isEmpty() ? QString() : u" \""_s + o->objectName() + u'"');
    if (auto *parent = iface->parent(); parent && parent->object())
        what += u" in "_s + QString::fromLatin1(parent->object()->metaObject()->className());
    return what;
}

// The controls under `iface` that a user can act on or reach with Tab and that have no name.
void collectNameless(QAccessibleInterface *iface, QStringList &out, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = iface->role();
    const bool item = role == QAccessible::Cell || role == QAccessible::ListItem || role == QAccessible::Row
                      || role == QAccessible::ColumnHeader || role == QAccessible::RowHeader
                      || role == QAccessible::Separator;
    if (!item && (interactive(role) || state.focusable) && iface->text(QAccessible::Name).trimmed().isEmpty())
        out.append(describe(iface));
    if (role == QAccessible::Table || role == QAccessible::List)
        return; // the items are the document's text
    for (int i = 0; i < iface->childCount(); ++i)
        collectNameless(iface->child(i), out, depth + 1);
}

QStringList namelessIn(QObject *root)
{
    QStringList out;
    collectNameless(QAccessible::queryAccessibleInterface(root), out);
    return out;
}

// Every visible, enabled widget of `window` that Tab can reach.
QList<QWidget *> tabStops(QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()
            && w->window() == window)
            out.append(w);
    return out;
}

// Controls hidden now that can show: a combo box's list, the buttons for the menus and
// commands a narrow window has no room for. A screen reader reads them once they show.
QStringList namelessHidden(QWidget *window)
{
    QStringList out;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QAbstractItemView *>(c)
                             || qobject_cast<QLineEdit *>(c) || qobject_cast<QAbstractSpinBox *>(c)
                             || qobject_cast<QComboBox *>(c);
        if (!control || c->isVisible() || qobject_cast<QHeaderView *>(c))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
        if (iface && iface->text(QAccessible::Name).trimmed().isEmpty())
            out.append(u"hidden "_s + describe(iface));
    }
    return out;
}

QWidget *focused() { return QApplication::focusWidget(); }

// The key that takes the focus to the next (or previous) control: Tab, or Ctrl+Tab out of the
// table, whose Tab moves between its cells.
void nextControl(EditorWindow &w, bool back)
{
    const Qt::KeyboardModifiers ctrl = focused() == w.table() ? Qt::ControlModifier : Qt::NoModifier;
    QTest::keyClick(focused(), back ? Qt::Key_Backtab : Qt::Key_Tab, ctrl | (back ? Qt::ShiftModifier : Qt::NoModifier));
}

// Types `text` into the control with the focus, a key for each character (Cyrillic too).
void type(const QString &text)
{
    for (const QChar c : text) {
        const Qt::Key key = c == u' ' ? Qt::Key_Space : Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, focused(), key, QString(c), Qt::NoModifier);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

QString cellOf(const EditorWindow &w)
{
    const QModelIndex i = w.table()->currentIndex();
    return QString::number(i.row()) + u':' + QString::number(i.column());
}

KazView *tryOutWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *view = qobject_cast<KazView *>(top); view && view->isVisible())
            return view;
    return nullptr;
}

} // namespace

class TestEditorAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    // names for a screen reader
    void windowControlsHaveNames_data();
    void windowControlsHaveNames();
    void menuCommandsHaveNames();
    void tryOutWindowControlsHaveNames();
    void giftQuestionDialogHasNames();

    // the keyboard alone
    void tabReachesEveryControlOnceAndBack();
    void tabFromTheTitleGoesIntoTheShownTab_data();
    void tabFromTheTitleGoesIntoTheShownTab();
    void wholeTestMadeWithKeysAlone();
    void typingIsKeptWhenARowIsAdded_data();
    void typingIsKeptWhenARowIsAdded();

private:
    QTemporaryDir m_settings;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestEditorAccess::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(u"KAZ"_s);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    QAccessible::setActive(true);
}

void TestEditorAccess::init()
{
    QDir(Recovery::folder()).removeRecursively();
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestEditorAccess::windowControlsHaveNames_data()
{
    QTest::addColumn<bool>("withTest");
    QTest::addColumn<bool>("editing"); // a cell's editor open
    QTest::addRow("new_test") << false << false;
    QTest::addRow("test_with_pictures") << true << false;
    QTest::addRow("test_with_pictures_editing_a_cell") << true << true;
}

void TestEditorAccess::windowControlsHaveNames()
{
    QFETCH(bool, withTest);
    QFETCH(bool, editing);
    EditorWindow w;
    w.ask = [](const EditorWindow::Question &) { return 0; };
    if (withTest) {
        const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), m_dir->path(), u"figuri"_s);
        QVERIFY(w.openFolderPath(folder));
        // The first row has a picture: the picture panel's controls are all enabled.
        QVERIFY(!w.document()->row(0).picture.isNull());
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (editing) {
        const QModelIndex cell = w.document()->model()->index(0, RowTableModel::RightColumn);
        w.table()->setCurrentIndex(cell);
        w.table()->edit(cell);
        QVERIFY(qobject_cast<QLineEdit *>(focused()));
    }
    auto *tabs = w.findChild<QTabWidget *>();
    QVERIFY(tabs);
    QStringList nameless;
    // Each page of the tabs in turn: a hidden page is not in the tree.
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        for (const QString &n : namelessIn(&w))
            if (!nameless.contains(n))
                nameless.append(n);
    }
    nameless += namelessHidden(&w);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
}

void TestEditorAccess::menuCommandsHaveNames()
{
    EditorWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList nameless = namelessIn(w.menuBar());
    int commands = 0;
    for (QAction *top : w.menuBar()->actions()) {
        QVERIFY2(!top->text().remove(u'&').isEmpty(), "every menu has a name");
        QVERIFY2(top->text().contains(u'&'), qPrintable(u"the menu %1 has a mnemonic"_s.arg(top->text())));
        QMenu *menu = top->menu();
        QVERIFY(menu);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(iface);
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *item = iface->child(i);
            if (item->role() == QAccessible::Separator)
                continue;
            ++commands;
            if (item->text(QAccessible::Name).trimmed().isEmpty())
                nameless.append(describe(item));
        }
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                QVERIFY2(a->text().contains(u'&'), qPrintable(u"the command %1 has a mnemonic"_s.arg(a->text())));
    }
    QCOMPARE(commands, 23); // File 9, Edit 9, Test 3, Help 2
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
}

void TestEditorAccess::tryOutWindowControlsHaveNames()
{
    EditorWindow w;
    w.ask = [](const EditorWindow::Question &) { return 0; };
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), m_dir->path(), u"figuri"_s);
    QVERIFY(w.openFolderPath(folder));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.actions().tryOut->trigger();
    KazView *view = tryOutWindow();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    // What shows. (Its menu bar's overflow button has no name, but two short commands never
    // overflow a test window: it is never shown.)
    const QStringList nameless = namelessIn(view);
    view->close();
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
}

void TestEditorAccess::giftQuestionDialogHasNames()
{
    QStringList nameless;
    bool seen = false;
    QTimer driver;
    driver.setInterval(10);
    connect(&driver, &QTimer::timeout, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        seen = true;
        nameless = namelessIn(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    driver.start();
    EditorWindow w;
    QCOMPARE(EditorDialogs::chooseGiftQuestion(&w, {u"Градове"_s, u"Реки"_s}, {u"Line 9: essay"_s}), -1);
    QVERIFY(seen);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
}

// Tab from the address goes through every control of the window in reading order and back to
// the address; Shift+Tab goes the same way backwards. The table is left with Ctrl+Tab.
void TestEditorAccess::tabReachesEveryControlOnceAndBack()
{
    EditorWindow w;
    w.ask = [](const EditorWindow::Question &) { return 0; };
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), m_dir->path(), u"figuri"_s);
    QVERIFY(w.openFolderPath(folder));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *tabs = w.findChild<QTabWidget *>();
    QVERIFY(tabs);
    tabs->setCurrentWidget(w.geometryPanel()); // the page with the most controls
    QWidget *start = w.fieldEditor(DocumentField::Address);
    start->setFocus();
    QCOMPARE(focused(), start);

    QList<QWidget *> forward{start};
    for (int i = 0; i < 60; ++i) {
        nextControl(w, false);
        if (focused() == start)
            break;
        QVERIFY2(!forward.contains(focused()),
                 qPrintable(u"Tab came back to %1 before the address"_s.arg(
                     QString::fromLatin1(focused()->metaObject()->className()))));
        forward.append(focused());
    }
    QCOMPARE(focused(), start);

    const QList<QWidget *> stops = tabStops(&w);
    QStringList missed;
    for (QWidget *stop : stops)
        if (!forward.contains(stop))
            missed.append(QString::fromLatin1(stop->metaObject()->className()) + u' ' + stop->accessibleName());
    QVERIFY2(missed.isEmpty(), qPrintable(u"Tab never reaches: "_s + missed.join(u", "_s)));

    // Reading order: the fields of the whole test, the table, the picture panel, the problems.
    const auto at = [&](QWidget *widget) { return forward.indexOf(widget); };
    QVERIFY(at(w.fieldEditor(DocumentField::Title)) == 1);
    QVERIFY(at(w.fieldEditor(DocumentField::WindowWidth)) < at(w.fieldEditor(DocumentField::RightListWidth)));
    QVERIFY(at(w.fieldEditor(DocumentField::RightListWidth)) < at(w.geometryPanel()->sketch()));
    QVERIFY(at(w.geometryPanel()->sketch()) < at(w.table()));
    QVERIFY(at(w.table()) < at(w.picturePanel()->chooseButton()));
    QVERIFY(at(w.picturePanel()->chooseButton()) < at(w.picturePanel()->removeButton()));
    QVERIFY(at(w.picturePanel()->removeButton()) < at(w.picturePanel()->widthBox()));
    QVERIFY(at(w.picturePanel()->widthBox()) < at(w.picturePanel()->heightBox()));
    QVERIFY(at(w.picturePanel()->heightBox()) < at(w.picturePanel()->modeBox()));
    QVERIFY(at(w.picturePanel()->modeBox()) < at(w.problemsList()));

    QList<QWidget *> backward{start};
    for (int i = 0; i < 60; ++i) {
        nextControl(w, true);
        if (focused() == start)
            break;
        backward.prepend(focused());
    }
    QCOMPARE(focused(), start);
    backward.prepend(backward.takeLast());
    QCOMPARE(backward, forward);
}

// Tab from the title goes into the tab shown, never onto the tab bar, where typing is lost;
// Ctrl+Tab and Ctrl+Shift+Tab change the tab, from the title or from inside a tab, with the
// cursor in the new tab's first field; so does Alt with a tab's letter, also for the tab shown.
void TestEditorAccess::tabFromTheTitleGoesIntoTheShownTab_data()
{
    QTest::addColumn<int>("shown");    // the tab shown at first
    QTest::addColumn<QString>("keys"); // after Tab from the title: "next", "back" (Ctrl+Shift+Tab), "altN" (Alt
                                       // with tab N's letter) or none; "stay" first: no Tab, the keys
                                       // pressed in the title itself
    QTest::addColumn<int>("tab");      // the tab shown at the end
    QTest::addColumn<int>("field");    // the DocumentField that has the cursor and takes the typing

    const int instructions = int(DocumentField::Instructions), width = int(DocumentField::WindowWidth),
              label = int(DocumentField::ExplanationLabel);
    QTest::addRow("into_the_instructions") << 0 << QString() << 0 << instructions;
    QTest::addRow("into_the_window_sizes") << 1 << QString() << 1 << width;
    QTest::addRow("ctrl_tab_to_the_window_sizes") << 0 << u"next"_s << 1 << width;
    QTest::addRow("ctrl_tab_twice_to_the_labels") << 0 << u"next next"_s << 2 << label;
    QTest::addRow("ctrl_tab_from_the_last_to_the_first") << 2 << u"next"_s << 0 << instructions;
    QTest::addRow("ctrl_shift_tab_from_the_first_to_the_last") << 0 << u"back"_s << 2 << label;
    QTest::addRow("ctrl_tab_in_the_title") << 0 << u"stay next"_s << 1 << width;
    QTest::addRow("ctrl_shift_tab_in_the_title") << 1 << u"stay back"_s << 0 << instructions;
    QTest::addRow("alt_letter_of_the_instructions_shown") << 0 << u"stay alt0"_s << 0 << instructions;
    QTest::addRow("alt_letter_of_the_instructions_from_the_labels") << 2 << u"stay alt0"_s << 0 << instructions;
    QTest::addRow("alt_letter_of_the_window_sizes") << 0 << u"stay alt1"_s << 1 << width;
    QTest::addRow("alt_letter_of_the_labels_shown") << 2 << u"stay alt2"_s << 2 << label;
}

void TestEditorAccess::tabFromTheTitleGoesIntoTheShownTab()
{
    QFETCH(int, shown);
    QFETCH(QString, keys);
    QFETCH(int, tab);
    QFETCH(int, field);
    EditorWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *tabs = w.findChild<QTabWidget *>();
    QVERIFY(tabs);
    tabs->setCurrentIndex(shown);
    w.fieldEditor(DocumentField::Title)->setFocus();
    QStringList pressed = keys.split(u' ', Qt::SkipEmptyParts);
    if (!pressed.isEmpty() && pressed.first() == u"stay")
        pressed.removeFirst();
    else
        press(Qt::Key_Tab);
    for (const QString &key : std::as_const(pressed)) {
        if (key.startsWith(u"alt")) {
            const QKeySequence letter = QKeySequence::mnemonic(tabs->tabText(key.mid(3).toInt()));
            QVERIFY(!letter.isEmpty());
            press(letter[0].key(), letter[0].keyboardModifiers());
            continue;
        }
        press(key == u"back" ? Qt::Key_Backtab : Qt::Key_Tab,
              Qt::ControlModifier | (key == u"back" ? Qt::ShiftModifier : Qt::NoModifier));
    }
    QCOMPARE(tabs->currentIndex(), tab);
    QWidget *editor = w.fieldEditor(DocumentField(field));
    QCOMPARE(focused(), editor);
    const QString before = w.document()->field(DocumentField(field));
    press(Qt::Key_End);
    type(u"12"_s);
    QCOMPARE(w.document()->field(DocumentField(field)), before + u"12"_s);
}

// What is typed into the table is never lost to Ctrl+Return (Add row): typed into a table
// without rows it starts the first; typed in a cell it is stored before the new row opens.
void TestEditorAccess::typingIsKeptWhenARowIsAdded_data()
{
    QTest::addColumn<QString>("rows");   // the table before, as pasted text
    QTest::addColumn<int>("column");     // the cell of the first row typed in; -1: the table itself
    QTest::addColumn<QString>("expected"); // the first row after, its cells joined by tabs

    QTest::addRow("into_an_empty_table") << QString() << -1 << u"Варна\t\t"_s;
    QTest::addRow("a_left_phrase") << u"\tОдесос"_s << int(RowTableModel::LeftColumn) << u"Варна\tОдесос\t"_s;
    QTest::addRow("a_right_phrase") << u"Варна\t"_s << int(RowTableModel::RightColumn) << u"Варна\tОдесос\t"_s;
    QTest::addRow("an_explanation") << u"Варна\tОдесос"_s << int(RowTableModel::ExplanationColumn)
                                    << u"Варна\tОдесос\tморски град"_s;
}

void TestEditorAccess::typingIsKeptWhenARowIsAdded()
{
    QFETCH(QString, rows);
    QFETCH(int, column);
    QFETCH(QString, expected);
    EditorWindow w;
    w.setRecoveryDelay(3600 * 1000);
    if (!rows.isEmpty())
        EditorSupport::setRows(*w.document(), rows + u'\n');
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.table()->setFocus();
    const int before = w.document()->rowCount();
    if (column >= 0) {
        const QModelIndex cell = w.document()->model()->index(0, column);
        w.table()->setCurrentIndex(cell);
        w.table()->edit(cell);
        QVERIFY(focused() != w.table());
    }
    const QString typed = column == RowTableModel::ExplanationColumn ? u"морски град"_s
                        : column == RowTableModel::RightColumn      ? u"Одесос"_s
                                                                   : u"Варна"_s;
    type(typed);
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.document()->rowCount(), std::max(before, 1) + 1);
    const DocumentRow &first = w.document()->content().rows.at(0);
    QCOMPARE(QStringList({first.left, first.right, first.explanation.join(u'\n')}).join(u'\t'), expected);
    // The new row is open for typing below it.
    QCOMPARE(w.table()->currentIndex().row(), 1);
}

void TestEditorAccess::wholeTestMadeWithKeysAlone()
{
    EditorWindow w;
    QStringList asked;
    w.ask = [&asked](const EditorWindow::Question &q) {
        asked.append(q.text);
        return 0;
    };
    const QString place = m_dir->filePath(u"tests"_s);
    QVERIFY(QDir().mkpath(place));
    w.choosePath = [place](EditorWindow::PathKind kind, const QString &) {
        return kind == EditorWindow::PathKind::SaveFolder ? place : QString();
    };
    const QString program = m_dir->filePath(TestFiles::programName(u"kaz-gradove"_s));
    QString told;
    w.makeProgramSteps = [&] {
        EditorDialogs::MakeProgramSteps steps = EditorDialogs::dialogs(&w, [&w] { return w.save(); });
        steps.askSave = [](const QString &) { return true; };
        steps.askSystems = [](const QList<EditorPacking::Target> &targets) {
            QList<EditorPacking::Target> chosen;
            for (const EditorPacking::Target &t : targets)
                if (t.system == Packing::thisSystem() && !t.package)
                    chosen.append(t);
            return chosen;
        };
        steps.askProgram = [program](const QString &) { return program; };
        steps.tell = [&told](const QString &text, bool problem) { told = (problem ? u"problem: "_s : QString()) + text; };
        steps.runner = QStringLiteral(KAZRUNNER);
        return steps;
    };
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(focused(), w.table()); // a new test starts in its rows

    // Three rows: Ctrl+Enter adds one and opens its left cell; Tab goes on to the next cell.
    press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(qobject_cast<QLineEdit *>(focused()));
    type(u"Варна"_s);
    press(Qt::Key_Tab);
    QCOMPARE(cellOf(w), u"0:1"_s);
    type(u"Одесос"_s);
    press(Qt::Key_Return);
    QTRY_COMPARE(focused(), w.table()); // Enter closes the editor once the key is handled

    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(cellOf(w), u"1:0"_s);
    type(u"Пловдив"_s);
    press(Qt::Key_Tab);
    type(u"Филипополис"_s);
    press(Qt::Key_Tab);
    QCOMPARE(cellOf(w), u"1:2"_s);
    QVERIFY(qobject_cast<QPlainTextEdit *>(focused()));
    type(u"Древно име."_s);
    press(Qt::Key_Return, Qt::ShiftModifier);
    type(u"Тракийски град."_s);
    press(Qt::Key_Return);
    QTRY_COMPARE(focused(), w.table());

    press(Qt::Key_Insert);
    QCOMPARE(cellOf(w), u"2:0"_s);
    type(u"София"_s);
    press(Qt::Key_Tab);
    type(u"Сердика"_s);
    press(Qt::Key_Return);
    QTRY_COMPARE(focused(), w.table());
    QCOMPARE(flat(*w.document()),
             (QStringList{u"Варна|Одесос"_s, u"Пловдив|Филипополис|Древно име./Тракийски град."_s, u"София|Сердика"_s}));

    // The title through its label's mnemonic; then Tab on to the instructions.
    press(Qt::Key_L, Qt::AltModifier);
    QCOMPARE(focused(), w.fieldEditor(DocumentField::Title));
    type(u"Стари имена"_s);
    press(Qt::Key_Tab);
    QCOMPARE(focused(), w.fieldEditor(DocumentField::Instructions));
    type(u"Свържете града с името му."_s);
    // Shift+Tab goes back the same way.
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), w.fieldEditor(DocumentField::Title));
    QCOMPARE(w.document()->field(DocumentField::Title), u"Стари имена"_s);
    QCOMPARE(w.document()->field(DocumentField::Instructions), u"Свържете града с името му."_s);

    // The problems list by its mnemonic: none left.
    press(Qt::Key_P, Qt::AltModifier);
    QCOMPARE(focused(), w.problemsList());
    w.document()->checkNow();
    QVERIFY2(w.document()->problems().isEmpty(), qPrintable(messages(w.document()->problems())));

    // F5: the test as a learner sees it; its Exit by the keyboard (Alt opens the menu bar,
    // Enter takes its first command).
    press(Qt::Key_F5);
    KazView *view = tryOutWindow();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(view->model()->Slowo(0).items().contains(u"Пловдив"_s));
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view));
    QTest::keyClick(view, Qt::Key_Alt);
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_VERIFY(!tryOutWindow());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // Ctrl+S asks for a folder; the test gets a folder of its own there, named after its title.
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QFileInfo(w.document()->folder()).absolutePath(), place);
    QVERIFY(QFile::exists(QDir(w.document()->folder()).filePath(u"test.kaz"_s)));
    QVERIFY(!w.document()->isModified());

    // Ctrl+B: the program, made from the saved folder.
    press(Qt::Key_B, Qt::ControlModifier);
    QVERIFY2(told.contains(QDir::toNativeSeparators(program)), qPrintable(told));
    QVERIFY2(asked.isEmpty(), qPrintable(asked.join(u'\n')));
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    QCOMPARE(loaded.content->Danni(0), (QStringList{u"Варна"_s, u"Пловдив"_s, u"София"_s}));
    QCOMPARE(loaded.content->Danni(1), (QStringList{u"Одесос"_s, u"Филипополис"_s, u"Сердика"_s}));
    QVERIFY(loaded.content->Danni(3).value(0).contains(u"Стари имена"_s));
    QCOMPARE(loaded.content->Otgowor(2), (QStringList{u"Древно име."_s, u"Тракийски град."_s}));
}

QTEST_MAIN(TestEditorAccess)
#include "tst_editor_access.moc"
