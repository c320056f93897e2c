// The editor's try-out window (the real test window on the edited content), the choice of a
// GIFT file's question, and "Make program" with its questions answered by the test: programs
// for Windows and Linux, and the test page, made with a page of a few lines standing in for the
// page the build puts together.
#include "EditorDialogs.h"
#include "EditorProblemsList.h"
#include "EditorSources.h"
#include "EditorSupport.h"
#include "EditorTryOut.h"
#include "Kaz.h"
#include "KazProgram.h"
#include "KazView.h"
#include "ListBox.h"
#include "PackedQuiz.h"
#include "PictureBox.h"
#include "ProgramQuiz.h"
#include "QuizDocument.h"
#include "TestFiles.h"
#include "QuizFolder.h"
#include "TestRunners.h"
#include "ScormPackage.h"
#include "WebPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

void clickLeft(KazView *view, const QString &phrase)
{
    ListBox *list = view->Slowo(0);
    const int row = int(view->model()->Slowo(0).items().indexOf(phrase));
    QVERIFY2(row >= 0, qPrintable(phrase));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(view->model()->Slowo(0).selectedIndex(), row);
}

// Once a modal dialog with a list is up, notes what it lists and presses `keys` in the list.
void pressInListDialog(QTimer &driver, const QList<int> &keys, QStringList *listed)
{
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, &driver, [&driver, keys, listed] {
        QWidget *dialog = QApplication::activeModalWidget();
        QListWidget *list = dialog && dialog->isVisible() ? dialog->findChild<QListWidget *>() : nullptr;
        if (!list)
            return;
        driver.stop();
        for (int i = 0; i < list->count(); ++i)
            listed->append(list->item(i)->text());
        for (int key : keys)
            QTest::keyClick(list, Qt::Key(key));
    });
    driver.start();
}

int visibleTestWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<KazView *>(w) && w->isVisible())
            ++n;
    return n;
}

// "Make program"'s questions answered by the test, and what it was told.
struct Answers
{
    bool save = true;
    std::optional<QList<Packing::System>> systems; // none: the systems offered as chosen
    std::optional<ScormPackage::Settings> package; // the SCORM package chosen too, with these settings
    QString program; // empty: the save dialog cancelled
    QString folder;  // for more than one system; empty: cancelled
    bool replace = false;
    std::function<bool()> saveHook;
    QString runner = QStringLiteral(KAZRUNNER);

    QList<EditorPacking::Target> offered;
    QStringList replaceAsked;

    QStringList asked;
    QString proposed;
    QStringList folderPrograms; // the programs' names the folder dialog was told
    QString told;
    bool toldProblem = false;
    int tellings = 0;

    EditorDialogs::MakeProgramSteps steps()
    {
        EditorDialogs::MakeProgramSteps s;
        s.save = saveHook;
        s.askSave = [this](const QString &q) {
            asked << u"save"_s;
            Q_UNUSED(q);
            return save;
        };
        s.askSystems = [this](const QList<EditorPacking::Target> &targets) {
            asked << u"systems"_s;
            offered = targets;
            QList<EditorPacking::Target> chosen;
            for (const EditorPacking::Target &t : targets)
                if (systems ? (systems->contains(t.system) && !t.package) || (package && t.package) : t.chosen) {
                    chosen.append(t);
                    if (t.package && package)
                        chosen.last().package = *package;
                }
            return chosen;
        };
        s.askProgram = [this](const QString &p) {
            asked << u"program"_s;
            proposed = p;
            return program;
        };
        s.askFolder = [this](const QString &p, const QStringList &programs) {
            asked << u"folder"_s;
            proposed = p;
            folderPrograms = programs;
            return folder;
        };
        s.askReplace = [this](const QStringList &programs) {
            asked << u"replace"_s;
            replaceAsked = programs;
            return replace;
        };
        s.tell = [this](const QString &text, bool problem) {
            told = text;
            toldProblem = problem;
            ++tellings;
        };
        s.runner = runner;
        return s;
    }
};

using System = Packing::System;

// Quiz runners installed as KAZ installs them, in `folder`: this system's the one the build
// made, the other system's (when `other`) a program of a few bytes with the runner mark
// (TestRunners). Returns this system's runner's path.
QString installRunners(const QString &folder, bool other)
{
    QDir().mkpath(folder);
    const QString runner = Packing::runnerBeside(QDir(folder).filePath(QFileInfo(QStringLiteral(KAZRUNNER)).fileName()),
                                                 Packing::thisSystem());
    TestFiles::write(runner, TestFiles::contents(QStringLiteral(KAZRUNNER)));
    if (other) {
        const QByteArray mark("KAZ quiz runner, packed format 1\0", 33);
        const bool windows = Packing::thisSystem() == System::Linux;
        TestFiles::write(QDir(folder).filePath(windows ? u"kazrunner.exe"_s : u"kazrunner"_s),
                         windows ? TestRunners::peProgram(mark) : TestRunners::elfProgram(mark));
    }
    return runner;
}

// The system the editor does not run on.
constexpr System otherSystem()
{
    return Packing::thisSystem() == System::Windows ? System::Linux : System::Windows;
}

QString runnerFile(System system)
{
    switch (system) {
    case System::Windows: return u"kazrunner.exe"_s;
    case System::Web: return u"kazweb.html"_s;
    case System::Linux: break;
    }
    return u"kazrunner"_s;
}

// A page as kazwebpage leaves it: the runner's mark in a comment, an empty place for the test.
QByteArray page()
{
    return "<!DOCTYPE html>\n<html lang=\"bg\"><head><!-- KAZ quiz runner, packed format 1 -->\n<title>KAZ</title>"
           "</head>\n<body><script id=\"kaz-test\" type=\"application/octet-stream\"></script></body></html>\n";
}

// The test page installed beside the runner at `runner`, as KAZ built with the browser's engine
// installs it.
void installPage(const QString &runner)
{
    QVERIFY(TestFiles::write(QFileInfo(runner).dir().filePath(u"kazweb.html"_s), page()));
}

// The program "Make program" names for the test istoriya.
QString istoriyaProgram(System system)
{
    switch (system) {
    case System::Windows: return u"kaz-istoriya.exe"_s;
    case System::Web: return u"kaz-istoriya.html"_s;
    case System::Linux: break;
    }
    return u"kaz-istoriya"_s;
}

// What the teacher is told of the program at `program` made, or not made, for `system`.
QString madeSaying(System system, const QString &program)
{
    return (system == System::Web ? u"The test page is made: %1"_s : u"The program for %2 is made: %1"_s.arg(u"%1"_s, Packing::systemName(system)))
        .arg(QDir::toNativeSeparators(program));
}
QString notMadeSaying(System system)
{
    return system == System::Web ? u"The test page was not made:"_s : u"The program for %1 was not made:"_s.arg(Packing::systemName(system));
}

QList<System> systemsOf(const QList<EditorPacking::Target> &targets)
{
    QList<System> systems;
    for (const EditorPacking::Target &t : targets)
        systems.append(t.system);
    return systems;
}

QList<System> chosenOf(const QList<EditorPacking::Target> &targets)
{
    QList<System> chosen;
    for (const EditorPacking::Target &t : targets)
        if (t.chosen)
            chosen.append(t.system);
    return chosen;
}

} // namespace

class TestEditorTryOut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    // the try-out window
    void showsTheEditedTest();
    void exitEndsOnlyWhatItShould_data();
    void exitEndsOnlyWhatItShould();
    void secondTryReplacesTheFirst();
    void testWithProblemsIsTriedAndTold();
    void gradingNoteWhereTheWindowNeedsAnotherClick_data();
    void gradingNoteWhereTheWindowNeedsAnotherClick();

    // a GIFT file's question
    void chooseGiftQuestion_data();
    void chooseGiftQuestion();
    void openGiftOpensTheChosenQuestion();
    void giftDialogListsTheQuestionsNotOpened_data();
    void giftDialogListsTheQuestionsNotOpened();

    // "Make program"
    void makeProgramRefusesATestWithProblems();
    void makeProgramPacksTheSavedFolder();
    void makeProgramHasTheTestSaved_data();
    void makeProgramHasTheTestSaved();
    void makeProgramCancelledWritesNothing();
    void makeProgramOffersTheLastSystems_data();
    void makeProgramOffersTheLastSystems();
    void systemsDialogDisablesASystemWithoutRunner_data();
    void systemsDialogDisablesASystemWithoutRunner();
    void makeProgramWritesEachSystemsProgram_data();
    void makeProgramWritesEachSystemsProgram();
    void makeProgramTellsEachSystemApart_data();
    void makeProgramTellsEachSystemApart();
    void makeProgramNeverOverTheTestsOwnFiles_data();
    void makeProgramNeverOverTheTestsOwnFiles();
    void makeProgramAddsExeForWindows_data();
    void makeProgramAddsExeForWindows();
    void makeProgramAddsHtmlForAPage_data();
    void makeProgramAddsHtmlForAPage();
    void makeProgramWritesAScormPackage();

private:
    QTemporaryDir m_settings;
};

void TestEditorTryOut::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(u"KAZ"_s);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

// Each test starts as a teacher's first "Make program".
void TestEditorTryOut::init() { QSettings().clear(); }

// ---------------------------------------------------------------- the try-out window

void TestEditorTryOut::showsTheEditedTest()
{
    QuizDocument d;
    QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok());
    d.setCell(d.rowOfQuestion(1), DocumentField::Left, u"Квадратче"_s);
    const QByteArray bytes = png(40, 30, qRgb(10, 200, 10));
    d.setPicture(d.rowOfQuestion(4), u"chosen.png"_s, bytes); // Успоредник had none
    d.setField(DocumentField::Title, u"Фигури за проба"_s);

    EditorTryOut tryOut;
    const EditorTryOut::Started started = tryOut.start(d.content());
    QVERIFY(started.shown);
    QCOMPARE(started.message, QString());
    KazView *view = tryOut.window();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(view->windowTitle().contains(u"Фигури за проба"_s));
    QVERIFY(view->model()->Slowo(0).items().contains(u"Квадратче"_s));
    QVERIFY(!view->model()->Slowo(0).items().contains(u"Квадрат"_s));

    // The chosen picture, from the bytes the editor holds, in the thumbnail of its question.
    clickLeft(view, u"Успоредник"_s);
    PictureBox *thumb = view->Grafika0();
    QCOMPARE(thumb->source(), u"chosen.png"_s);
    QCOMPARE(thumb->pixmap().size(), QSize(40, 30));
    QCOMPARE(thumb->pixmap().toImage().pixel(5, 5), qRgb(10, 200, 10));
    // A picture of the folder as well.
    clickLeft(view, u"Ромб"_s);
    QCOMPARE(thumb->source(), u"romb.png"_s);
    QVERIFY(!thumb->pixmap().isNull());
}

void TestEditorTryOut::exitEndsOnlyWhatItShould_data()
{
    QTest::addColumn<bool>("inEditor");
    QTest::addColumn<bool>("closeButton");
    QTest::addRow("runner_exit_ends_the_program") << false << false;
    QTest::addRow("runner_close_button_ends_the_program") << false << true;
    QTest::addRow("try_out_exit_closes_its_window") << true << false;
    QTest::addRow("try_out_close_button_closes_its_window") << true << true;
}

// The application's own event loop runs, and a timer ends it with 7 unless "Exit" ended it
// first (with 0): the runner must end, the try-out must not.
void TestEditorTryOut::exitEndsOnlyWhatItShould()
{
    QFETCH(bool, inEditor);
    QFETCH(bool, closeButton);
    QuizDocument d;
    QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok());
    EditorTryOut tryOut;
    QSignalSpy closed(&tryOut, &EditorTryOut::closed);
    std::unique_ptr<KazProgram> runner;
    QPointer<KazView> view;
    if (inEditor) {
        QVERIFY(tryOut.start(d.content()).shown);
        view = tryOut.window();
    } else {
        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(QStringLiteral(KAZ_FIGURI));
        QVERIFY(loaded.ok());
        runner = std::make_unique<KazProgram>(loaded.content);
        runner->view()->showCentred();
        view = runner->view();
    }
    QVERIFY(QTest::qWaitForWindowExposed(view));

    QTimer::singleShot(0, view, [view, closeButton] {
        if (closeButton)
            view->close();
        else
            view->Izhod()->trigger();
    });
    // Owned here, so that it cannot fire into a later case when "Exit" ended the loop first.
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    timeout.start(100);
    const int status = QCoreApplication::exec();

    if (!inEditor) {
        // The runner's last window closing also posts the application a Quit that the ended
        // loop never handled; it would end the next dialog of this suite.
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        QCOMPARE(status, 0);
        return;
    }
    QCOMPARE(status, 7);
    QCOMPARE(closed.count(), 1);
    QTRY_VERIFY(view.isNull());
    QCOMPARE(tryOut.program(), nullptr);
    QCOMPARE(visibleTestWindows(), 0);
    // Tried again after closing: a window of its own.
    QVERIFY(tryOut.start(d.content()).shown);
    QVERIFY(tryOut.window()->isVisible());
}

void TestEditorTryOut::secondTryReplacesTheFirst()
{
    QuizDocument d;
    setRows(d, u"Пловдив\tФилипополис\nСофия\tСердика\nВарна\tОдесос"_s);
    d.setField(DocumentField::Title, u"Градове"_s);
    EditorTryOut tryOut;
    QVERIFY(tryOut.start(d.content()).shown);
    QPointer<KazView> first = tryOut.window();
    QVERIFY(QTest::qWaitForWindowExposed(first));

    d.setCell(0, DocumentField::Left, u"Пловдив (днес)"_s);
    QVERIFY(tryOut.start(d.content()).shown);
    QVERIFY(first.isNull());
    QVERIFY(QTest::qWaitForWindowExposed(tryOut.window()));
    QCOMPARE(visibleTestWindows(), 1);
    QVERIFY(tryOut.window()->model()->Slowo(0).items().contains(u"Пловдив (днес)"_s));
    tryOut.close();
    QCOMPARE(visibleTestWindows(), 0);
}

void TestEditorTryOut::testWithProblemsIsTriedAndTold()
{
    QuizDocument d;
    setRows(d, u"a\tb\nc\td\ne\tf"_s);
    d.setField(DocumentField::Title, u"Проба"_s);
    d.setField(DocumentField::WindowWidth, u"50"_s);
    EditorTryOut tryOut;
    const EditorTryOut::Started started = tryOut.start(d.content());
    QVERIFY(started.shown);
    QVERIFY2(started.message.contains(u"problem"_s), qPrintable(started.message));
    QCOMPARE(tryOut.window()->model()->Slowo(0).items().size(), 3);
}

// The note of the extra click that opens "Оцени" stands exactly where the test window tried on
// the same rows, every pair made, keeps "Оцени" grey until one more click of "Избрах".
void TestEditorTryOut::gradingNoteWhereTheWindowNeedsAnotherClick_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("extras");
    QTest::addColumn<int>("extrasAfter"); // the extra rows stand below this many pairs
    for (int pairs = 1; pairs <= 12; ++pairs)
        for (int extras = 0; extras <= 3; ++extras)
            QTest::addRow("%d_pairs_%d_extra", pairs, extras) << pairs << extras << (extras > 0 ? 1 : pairs);
    QTest::addRow("extras_at_the_top") << 6 << 2 << 0;
}

void TestEditorTryOut::gradingNoteWhereTheWindowNeedsAnotherClick()
{
    QFETCH(int, pairs);
    QFETCH(int, extras);
    QFETCH(int, extrasAfter);
    QStringList rows;
    for (int p = 1; p <= pairs; ++p)
        rows.append(u"Ляво %1\tДясно %1"_s.arg(p));
    for (int e = 1; e <= extras; ++e)
        rows.insert(extrasAfter + e - 1, u"\tОще %1"_s.arg(e));
    QuizDocument d;
    setRows(d, rows.join(u'\n'));
    d.setField(DocumentField::Title, u"Проба"_s);
    d.checkNow();
    const bool tooManyExtras = !d.problems().isEmpty();
    QCOMPARE(tooManyExtras, 3 * extras > pairs);
    const bool noted = !d.notes().isEmpty();
    QVERIFY(d.notes().size() <= 1);

    EditorTryOut tryOut;
    QVERIFY(tryOut.start(d.content()).shown);
    Kaz &kaz = *tryOut.window()->model();
    for (int p = 1; p <= pairs; ++p) {
        kaz.Slowo(0).setSelectedIndex(int(kaz.Slowo(0).items().indexOf(u"Ляво %1"_s.arg(p))));
        kaz.Slowo(1).setSelectedIndex(int(kaz.Slowo(1).items().indexOf(u"Дясно %1"_s.arg(p))));
        kaz.Uprawl_Click(0);
    }
    QCOMPARE(kaz.Slowo(2).count(), pairs);
    const bool greyAfterLastPair = !kaz.uprawlEnabled(2);
    kaz.Uprawl_Click(0); // "Избрах" with nothing left to pair
    QCOMPARE(kaz.Slowo(2).count(), pairs);
    QCOMPARE(noted, greyAfterLastPair && kaz.uprawlEnabled(2));
    tryOut.close();

    // The problems list shows the note, with its word, and counts it apart from the problems.
    EditorProblemsList list;
    list.setProblems(d.problems(), d.warnings(), d.notes());
    QCOMPARE(list.list()->count(), int(d.problems().size() + d.notes().size()));
    if (noted) {
        QVERIFY(d.notes().first().message.contains(u"\"Избрах\" once more"_s));
        QCOMPARE(list.list()->item(0)->text(), u"Note: "_s + d.notes().first().message);
        QCOMPARE(list.label()->text(), u"&Problems: none; 1 note(s):"_s);
    } else if (!tooManyExtras) {
        QCOMPARE(list.label()->text(), u"&Problems: none"_s);
    }
}

// ---------------------------------------------------------------- a GIFT file's question

void TestEditorTryOut::chooseGiftQuestion_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("expected");
    QTest::addRow("first_by_enter") << QList<int>{Qt::Key_Return} << 0;
    QTest::addRow("third_by_arrows") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 2;
    QTest::addRow("cancelled_by_escape") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << -1;
}

void TestEditorTryOut::chooseGiftQuestion()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, expected);
    const QStringList titles{u"Градове"_s, u"Автори"_s, u"Реки"_s};
    QStringList listed;
    QTimer driver;
    pressInListDialog(driver, keys, &listed);
    QCOMPARE(EditorDialogs::chooseGiftQuestion(nullptr, titles), expected);
    QCOMPARE(listed, titles);
}

// "Open a GIFT or Moodle XML file…" lists every matching question of the file and opens the one chosen.
void TestEditorTryOut::openGiftOpensTheChosenQuestion()
{
    const QString path = sourcePath(u"docs/examples/bulgaria.gift"_s);
    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QVERIFY(questions.titles.size() >= 2);
    QStringList listed;
    QTimer driver;
    pressInListDialog(driver, {Qt::Key_Down, Qt::Key_Return}, &listed);
    QuizDocument d;
    QVERIFY(EditorDialogs::openGift(nullptr, d, path, {}));
    // Each title as the list shows it, with its category in Moodle.
    QCOMPARE(listed, questions.shown);
    for (qsizetype i = 0; i < questions.titles.size(); ++i)
        QCOMPARE(questions.shown.at(i), questions.categories.at(i).isEmpty()
                                            ? questions.titles.at(i)
                                            : questions.titles.at(i) + u"   Category: "_s + questions.categories.at(i));
    QCOMPARE(d.field(DocumentField::Title), questions.titles.at(1));
    QVERIFY(d.folder().isEmpty());
}

void TestEditorTryOut::giftDialogListsTheQuestionsNotOpened_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("skipped");
    QTest::addColumn<QString>("heading");

    QTest::addRow("one_question_and_others")
        << QStringList{u"Реки и градове"_s}
        << QStringList{u"Line 6: multiple-choice question \"Най-висок връх\""_s, u"Line 20: essay"_s}
        << u"The file holds one matching question, and it becomes the test:"_s;
    QTest::addRow("several_questions_and_one_other")
        << QStringList{u"Градове"_s, u"Автори"_s} << QStringList{u"Line 19: true/false question"_s}
        << u"The file holds 2 matching question(s). Each becomes a test of its own; choose the one to open:"_s;
    QTest::addRow("several_questions_only")
        << QStringList{u"Градове"_s, u"Автори"_s} << QStringList()
        << u"The file holds 2 matching question(s). Each becomes a test of its own; choose the one to open:"_s;
}

// Below the questions to choose from, the dialog lists those it will not open and why; the
// list of them takes no choice, so Enter still opens the question chosen.
void TestEditorTryOut::giftDialogListsTheQuestionsNotOpened()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, skipped);
    QFETCH(QString, heading);
    QList<QStringList> lists;
    QStringList labels;
    QTimer driver;
    driver.setInterval(10);
    connect(&driver, &QTimer::timeout, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        for (const QListWidget *list : dialog->findChildren<QListWidget *>()) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text());
            lists.append(items);
        }
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            labels.append(label->text());
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    driver.start();
    QCOMPARE(EditorDialogs::chooseGiftQuestion(nullptr, titles, skipped), 0);
    QCOMPARE(lists.value(0), titles);
    QCOMPARE(lists.size(), skipped.isEmpty() ? 1 : 2);
    QCOMPARE(labels.value(0), heading);
    if (!skipped.isEmpty()) {
        QCOMPARE(lists.value(1), skipped);
        QCOMPARE(labels.value(1), u"%1 question(s) of other kinds will not be opened: a KAZ test pairs phrases, so only "
                                  u"matching questions become tests."_s.arg(skipped.size()));
    }
}

// ---------------------------------------------------------------- "Make program"

void TestEditorTryOut::makeProgramRefusesATestWithProblems()
{
    QTemporaryDir tmp;
    QuizDocument d;
    QVERIFY(d.openFolder(TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s)).ok());
    // A fresh edit: makeProgram must check it now rather than trust an older check.
    d.setField(DocumentField::WindowWidth, u"50"_s);
    QVERIFY(d.save().isEmpty());
    Answers a;
    a.program = tmp.filePath(u"kaz-figuri"_s);
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked, QStringList());
    QVERIFY(a.toldProblem);
    const int problems = int(d.problems().size());
    QVERIFY(problems > 0);
    QVERIFY2(a.told.contains(u"%1 problem"_s.arg(problems)) && a.told.contains(u"under the table"_s), qPrintable(a.told));
    QVERIFY(!QFileInfo::exists(a.program));
}

void TestEditorTryOut::makeProgramPacksTheSavedFolder()
{
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    QDir().mkpath(tmp.filePath(u"out"_s));
    Answers a;
    a.program = tmp.filePath(TestFiles::programName(u"out/made"_s));
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked, (QStringList{u"systems"_s, u"program"_s}));
    QCOMPARE(a.proposed, tmp.filePath(TestFiles::programName(u"kaz-figuri"_s)));
    QVERIFY2(!a.toldProblem, qPrintable(a.told));
    QVERIFY(a.told.contains(QDir::toNativeSeparators(QFileInfo(a.program).absoluteFilePath())));
    // First offered: the system the editor runs on, and what its learners do with the file.
#ifdef Q_OS_WIN
    QVERIFY2(a.told.contains(u"double-click"_s), qPrintable(a.told));
#else
    QVERIFY2(a.told.contains(u"Debian 12"_s), qPrintable(a.told));
#endif
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(a.program);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    // The folder's store names its pictures by path; the program's by name.
    QVERIFY(*loaded.content == QuizFolder::check(QuizFolder::check(folder).files).store);
}

void TestEditorTryOut::makeProgramHasTheTestSaved_data()
{
    QTest::addColumn<bool>("newTest");
    QTest::addColumn<bool>("save");      // the answer to "save now?"
    QTest::addColumn<bool>("saveHook");  // the window's own saving
    QTest::addColumn<bool>("made");
    QTest::addRow("changes_saved") << false << true << false << true;
    QTest::addRow("changes_saved_by_the_window") << false << true << true << true;
    QTest::addRow("saving_declined") << false << false << false << false;
    QTest::addRow("new_test_saved_by_the_window") << true << true << true << true;
    QTest::addRow("new_test_without_the_windows_saving") << true << true << false << false;
}

void TestEditorTryOut::makeProgramHasTheTestSaved()
{
    QFETCH(bool, newTest);
    QFETCH(bool, save);
    QFETCH(bool, saveHook);
    QFETCH(bool, made);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    const QByteArray before = TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s));
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    QString target = folder;
    if (newTest) {
        const DocumentContent content = d.content();
        setRows(d, u"Пловдив\tФилипополис\nСофия\tСердика\nВарна\tОдесос"_s);
        d.setField(DocumentField::Title, content.title);
        d.setField(DocumentField::Address, content.address);
        target = tmp.filePath(u"new"_s);
    }
    d.setCell(0, DocumentField::Left, u"Пловдив днес"_s);
    QVERIFY(d.isModified());

    Answers a;
    a.save = save;
    a.program = tmp.filePath(TestFiles::programName(u"kaz-made"_s));
    int saved = 0;
    if (saveHook)
        a.saveHook = [&] {
            ++saved;
            return d.saveTo(target).isEmpty();
        };
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked.value(0), u"save"_s);
    QCOMPARE(saved, saveHook && save ? 1 : 0);
    QCOMPARE(QFileInfo::exists(a.program), made);
    if (!made) {
        QVERIFY(d.isModified());
        if (!newTest)
            QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)), before);
        if (newTest) // told to save, with the way to it
            QVERIFY2(a.toldProblem && a.told.contains(u"Save"_s), qPrintable(a.told));
        return;
    }
    QVERIFY(!d.isModified());
    QCOMPARE(d.folder(), target);
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(a.program);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    QVERIFY(loaded.content->Danni(0).contains(u"Пловдив днес"_s));
}

void TestEditorTryOut::makeProgramCancelledWritesNothing()
{
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QStringList before = TestFiles::everything(tmp.path());
    Answers a; // the save dialog cancelled: no program path
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked, (QStringList{u"systems"_s, u"program"_s}));
    QCOMPARE(a.tellings, 0);
    QCOMPARE(TestFiles::everything(tmp.path()), before);
}

// The systems offered are the teacher's last choice, made in an earlier "Make program" (even one
// cancelled at the place), kept in the settings by a word each, as far as their runners are
// there (the page's is kazweb.html); at first, and when none of the last is there, this system.
void TestEditorTryOut::makeProgramOffersTheLastSystems_data()
{
    QTest::addColumn<QList<System>>("before"); // chosen in the earlier run; empty: none
    QTest::addColumn<QStringList>("words");    // the settings' words for it
    QTest::addColumn<bool>("otherRunner"); // the other system's runner is there
    QTest::addColumn<bool>("page");        // kazweb.html is there
    QTest::addColumn<QList<System>>("offered");
    const QList<System> both{System::Windows, System::Linux};
    const QList<System> here{Packing::thisSystem()}, other{otherSystem()};
    const QStringList otherWord{otherSystem() == System::Windows ? u"windows"_s : u"linux"_s};
    QTest::addRow("first_time_this_system") << QList<System>{} << QStringList{} << true << false << here;
    QTest::addRow("windows_remembered") << QList<System>{System::Windows} << QStringList{u"windows"_s} << true << false
                                        << QList<System>{System::Windows};
    QTest::addRow("linux_remembered") << QList<System>{System::Linux} << QStringList{u"linux"_s} << true << false
                                      << QList<System>{System::Linux};
    QTest::addRow("both_remembered") << both << QStringList{u"windows"_s, u"linux"_s} << true << false << both;
    QTest::addRow("other_remembered_its_runner_gone") << other << otherWord << false << false << here;
    QTest::addRow("both_remembered_other_runner_gone") << both << QStringList{u"windows"_s, u"linux"_s} << false << false
                                                       << here;

    // The page is never chosen at first: the teacher asks for it.
    QTest::addRow("first_time_page_there_not_chosen") << QList<System>{} << QStringList{} << true << true << here;
    QTest::addRow("page_remembered") << QList<System>{System::Web} << QStringList{u"web"_s} << false << true
                                     << QList<System>{System::Web};
    QTest::addRow("linux_and_page_remembered") << QList<System>{System::Linux, System::Web}
                                               << QStringList{u"linux"_s, u"web"_s} << true << true
                                               << QList<System>{System::Linux, System::Web};
    QTest::addRow("all_three_remembered") << QList<System>{System::Windows, System::Linux, System::Web}
                                          << QStringList{u"windows"_s, u"linux"_s, u"web"_s} << true << true
                                          << QList<System>{System::Windows, System::Linux, System::Web};
    QTest::addRow("page_remembered_page_gone") << QList<System>{System::Web} << QStringList{u"web"_s} << true << false
                                               << here;
    QTest::addRow("other_and_page_remembered_page_gone") << QList<System>{otherSystem(), System::Web}
                                                         << QStringList{otherWord.first(), u"web"_s} << true << false
                                                         << other;
}

void TestEditorTryOut::makeProgramOffersTheLastSystems()
{
    QFETCH(QList<System>, before);
    QFETCH(QStringList, words);
    QFETCH(bool, otherRunner);
    QFETCH(bool, page);
    QFETCH(QList<System>, offered);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QString allRunners = installRunners(tmp.filePath(u"all"_s), true);
    installPage(allRunners);
    if (!before.isEmpty()) {
        Answers earlier; // cancelled at the place: nothing is made, the choice is kept
        earlier.runner = allRunners;
        earlier.systems = before;
        EditorDialogs::makeProgram(d, earlier.steps());
        QCOMPARE(earlier.asked.size(), 2);
        QCOMPARE(earlier.tellings, 0);
    }
    QCOMPARE(QSettings().value(u"makeProgram/systems"_s).toStringList(), words);
    Answers a;
    a.runner = installRunners(tmp.filePath(u"later"_s), otherRunner);
    if (page)
        installPage(a.runner);
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked.value(0), u"systems"_s);
    // The SCORM package last, made with the page's runner.
    QCOMPARE(systemsOf(a.offered), (QList<System>{System::Windows, System::Linux, System::Web, System::Web}));
    QVERIFY(a.offered.last().package && !a.offered.at(2).package);
    QCOMPARE(chosenOf(a.offered), offered);
    for (const EditorPacking::Target &t : std::as_const(a.offered)) {
        QCOMPARE(t.program, t.package ? u"kaz-istoriya-scorm.zip"_s : istoriyaProgram(t.system));
        QCOMPARE(QFileInfo(t.runner).fileName(), runnerFile(t.system));
        // Only a runner that is not there keeps its system from being made, and says so.
        const bool there = t.system == System::Web ? page : t.system == Packing::thisSystem() || otherRunner;
        QCOMPARE(t.missing.isEmpty(), there);
        if (!t.missing.isEmpty())
            QVERIFY2(t.missing.contains(Packing::systemName(t.system)), qPrintable(t.missing));
        if (t.system == System::Web && !there)
            QVERIFY2(t.missing.contains(u"(kazweb.html)"_s) && t.missing.contains(u"test pages cannot be made here"_s),
                     qPrintable(t.missing));
    }
    QCOMPARE(TestFiles::everything(tmp.path()).filter(u"kaz-"_s), QStringList());
}

// The dialog shows a system without its runner, disabled with the reason, and lets only the
// others be ticked; it makes nothing until one is. The page is offered beside them, ticked only
// when asked for.
void TestEditorTryOut::systemsDialogDisablesASystemWithoutRunner_data()
{
    QTest::addColumn<bool>("page"); // kazweb.html is there
    QTest::addRow("without_the_page") << false;
    QTest::addRow("with_the_page") << true;
}

void TestEditorTryOut::systemsDialogDisablesASystemWithoutRunner()
{
    QFETCH(bool, page);
    QTemporaryDir tmp;
    const QString runner = installRunners(tmp.path(), false);
    if (page)
        installPage(runner);
    const QList<EditorPacking::Target> targets = EditorPacking::targets(tmp.filePath(u"istoriya"_s), runner, {});
    QTimer driver;
    driver.setInterval(10);
    QStringList seen;
    bool okWhenNone = true;
    QObject::connect(&driver, &QTimer::timeout, &driver, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        const QList<QCheckBox *> boxes = dialog->findChildren<QCheckBox *>();
        for (QCheckBox *box : boxes)
            seen << u"%1:%2:%3"_s.arg(box->text(), box->isEnabled() ? u"on"_s : u"off"_s,
                                      box->isChecked() ? u"ticked"_s : u"not"_s);
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->text().contains(targets.value(otherSystem() == System::Windows ? 0 : 1).missing))
                seen << u"reason"_s;
            if (!page && label->text().contains(targets.value(2).missing))
                seen << u"page's reason"_s;
            if (label->text().startsWith(u"kaz-istoriya.html: "_s))
                seen << u"page's file"_s;
        }
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QPushButton *make = buttons->button(QDialogButtonBox::Ok);
        for (QCheckBox *box : boxes)
            if (box->isEnabled())
                box->setChecked(false);
        okWhenNone = make->isEnabled();
        for (QCheckBox *box : boxes)
            if (box->isEnabled())
                box->setChecked(true);
        make->click();
    });
    driver.start();
    const QList<EditorPacking::Target> chosenTargets = EditorDialogs::chooseSystems(nullptr, targets);
    QList<System> chosen;
    int packages = 0;
    for (const EditorPacking::Target &t : chosenTargets) {
        if (!t.package)
            chosen << t.system;
        else
            ++packages;
    }
    // The SCORM package is made with the page: offered as it is, chosen with it.
    QCOMPARE(packages, page ? 1 : 0);
    const bool onWindows = Packing::thisSystem() == System::Windows;
    QCOMPARE(seen, (QStringList{onWindows ? u"Windows:on:ticked"_s : u"Windows:off:not"_s,
                                onWindows ? u"Linux (Debian):off:not"_s : u"Linux (Debian):on:ticked"_s,
                                page ? u"for a web browser (.html):on:not"_s : u"for a web browser (.html):off:not"_s,
                                // The SCORM package goes with the page; its learner-name box only while it is ticked.
                                page ? u"for Moodle and other platforms (SCORM):on:not"_s : u"for Moodle and other platforms (SCORM):off:not"_s,
                                u"The learner's name from the platform in the caption's place:off:not"_s,
                                u"reason"_s}
                               + (page ? QStringList{u"page's file"_s} : QStringList{u"page's reason"_s, u"page's file"_s, u"page's reason"_s})));
    QVERIFY(!okWhenNone);
    QCOMPARE(chosen, page ? (QList<System>{Packing::thisSystem(), System::Web}) : QList<System>{Packing::thisSystem()});
}

// Each system's program is written with its own runner and its own name: one system through the
// save dialog, more from one question for the folder, asking before replacing what is there. The
// page is the installed page with the test in it, as a program holds it.
void TestEditorTryOut::makeProgramWritesEachSystemsProgram_data()
{
    QTest::addColumn<QList<System>>("systems");
    QTest::addColumn<QStringList>("there"); // files in the folder the programs go to
    QTest::addColumn<bool>("replace");      // the answer when asked
    QTest::addColumn<QStringList>("asked");
    const QList<System> both{System::Windows, System::Linux};
    const QStringList names{u"kaz-istoriya.exe"_s, u"kaz-istoriya"_s};
    QTest::addRow("windows_alone") << QList<System>{System::Windows} << QStringList{} << false
                                   << QStringList{u"systems"_s, u"program"_s};
    QTest::addRow("linux_alone") << QList<System>{System::Linux} << QStringList{} << false
                                 << QStringList{u"systems"_s, u"program"_s};
    QTest::addRow("both_into_an_empty_folder") << both << QStringList{} << false
                                               << QStringList{u"systems"_s, u"folder"_s};
    QTest::addRow("both_over_old_programs_replaced") << both << names << true
                                                     << QStringList{u"systems"_s, u"folder"_s, u"replace"_s};
    QTest::addRow("both_over_one_old_program_replaced") << both << QStringList{u"kaz-istoriya"_s} << true
                                                        << QStringList{u"systems"_s, u"folder"_s, u"replace"_s};
    QTest::addRow("both_old_programs_kept") << both << names << false
                                            << QStringList{u"systems"_s, u"folder"_s, u"replace"_s};

    const QList<System> linuxAndPage{System::Linux, System::Web};
    const QStringList linuxAndPageNames{u"kaz-istoriya"_s, u"kaz-istoriya.html"_s};
    QTest::addRow("page_alone") << QList<System>{System::Web} << QStringList{} << false
                                << QStringList{u"systems"_s, u"program"_s};
    QTest::addRow("linux_and_page_into_an_empty_folder") << linuxAndPage << QStringList{} << false
                                                         << QStringList{u"systems"_s, u"folder"_s};
    QTest::addRow("all_three_into_an_empty_folder") << QList<System>{System::Windows, System::Linux, System::Web}
                                                    << QStringList{} << false << QStringList{u"systems"_s, u"folder"_s};
    QTest::addRow("linux_and_page_over_an_old_page_replaced") << linuxAndPage << QStringList{u"kaz-istoriya.html"_s} << true
                                                              << QStringList{u"systems"_s, u"folder"_s, u"replace"_s};
    QTest::addRow("linux_and_page_old_ones_kept") << linuxAndPage << linuxAndPageNames << false
                                                  << QStringList{u"systems"_s, u"folder"_s, u"replace"_s};
    // Another program's name is no page's: the page is written beside it.
    QTest::addRow("page_beside_programs_of_its_name") << QList<System>{System::Web} << names << false
                                                      << QStringList{u"systems"_s, u"program"_s};
}

void TestEditorTryOut::makeProgramWritesEachSystemsProgram()
{
    QFETCH(QList<System>, systems);
    QFETCH(QStringList, there);
    QFETCH(bool, replace);
    QFETCH(QStringList, asked);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QString out = tmp.filePath(u"за учениците"_s);
    QVERIFY(QDir().mkpath(out));
    for (const QString &name : there)
        QVERIFY(TestFiles::write(QDir(out).filePath(name), "old program"));

    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), true);
    installPage(a.runner);
    a.systems = systems;
    a.replace = replace;
    a.folder = out;
    if (systems.size() == 1)
        a.program = QDir(out).filePath(istoriyaProgram(systems.first()));
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.asked, asked);
    if (systems.size() == 1) {
        QCOMPARE(a.proposed, tmp.filePath(istoriyaProgram(systems.first())));
    } else {
        QCOMPARE(a.proposed, tmp.path());
        // The folder dialog names the programs it is chosen for.
        QStringList programs;
        for (const System system : systems)
            programs << istoriyaProgram(system);
        QCOMPARE(a.folderPrograms, programs);
    }
    QStringList thereBefore;
    for (const QString &name : there)
        if (systems.size() > 1) // the save dialog asks of one program itself
            thereBefore << QDir(out).filePath(name);
    thereBefore.sort();
    QStringList replaceAsked = a.replaceAsked;
    replaceAsked.sort();
    QCOMPARE(replaceAsked, thereBefore);
    if (!thereBefore.isEmpty() && !replace) {
        QCOMPARE(a.tellings, 0);
        for (const QString &name : there)
            QCOMPARE(TestFiles::contents(QDir(out).filePath(name)), "old program"_ba);
        return;
    }
    QVERIFY2(!a.toldProblem, qPrintable(a.told));
    QStringList others = there; // the files that are no program made here
    for (const System system : systems)
        others.removeAll(istoriyaProgram(system));
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), systems.size() + others.size());
    for (const QString &name : std::as_const(others))
        QCOMPARE(TestFiles::contents(QDir(out).filePath(name)), "old program"_ba);
    const QuizFolder::Checked checked = QuizFolder::check(folder);
    const ContentStore store = QuizFolder::check(checked.files).store;
    for (const System system : systems) {
        const bool windows = system == System::Windows;
        const QString program = QDir(out).filePath(istoriyaProgram(system));
        const QByteArray bytes = TestFiles::contents(program);
        QVERIFY2(a.told.contains(madeSaying(system, program)), qPrintable(a.told));
        if (system == System::Web) {
            // The installed page with the test in it, as a program holds it, read back by the
            // page's own reading; a document, never started as a program.
            bool base64 = false;
            QCOMPARE(WebPage::test(bytes, &base64), PackedQuiz::tail(checked.files));
            QVERIFY(base64);
            QCOMPARE(bytes, WebPage::pack(page(), PackedQuiz::tail(checked.files)));
            QCOMPARE(Packing::systemOf(bytes), std::optional<System>(System::Web));
            if (TestFiles::UnixFiles)
                QVERIFY(!(QFileInfo(program).permissions() & (QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther)));
            continue;
        }
        // The runner part is the system's own: a PE program for Windows, an ELF one for Linux.
        QVERIFY(bytes.startsWith(windows ? "MZ"_ba : "\x7f" "ELF"_ba));
        QCOMPARE(Packing::systemOf(bytes), std::optional<System>(system));
        const PackedQuiz::Runner runner = PackedQuiz::runnerPart(bytes);
        QCOMPARE(runner.bytes, TestFiles::contents(QFileInfo(a.runner).dir().filePath(runnerFile(system))));
        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        QVERIFY(*loaded.content == store);
        QVERIFY2(a.told.contains(QDir::toNativeSeparators(program)), qPrintable(a.told));
    }
    // What to do with each file, for its system alone.
    QCOMPARE(a.told.contains(u"double-click it to start the test"_s), systems.contains(System::Windows));
    QCOMPARE(a.told.contains(u"any web browser, on a phone, a tablet or a computer"_s), systems.contains(System::Web));
    QCOMPARE(a.told.contains(u"Debian 12"_s), systems.contains(System::Linux));
    // A Linux program copied from Windows or sent by e-mail has lost its permission to run; one
    // made on Windows never had it, and the editor there says so without "where".
    QVERIFY2(a.told.contains(u"chmod +x kaz-istoriya,"_s) == systems.contains(System::Linux), qPrintable(a.told));
#ifdef Q_OS_WIN
    const bool madeOnWindows = true;
#else
    const bool madeOnWindows = false;
#endif
    QVERIFY2(a.told.contains(u"Made on Windows, it reaches Linux without its permission to run"_s)
                 == (madeOnWindows && systems.contains(System::Linux)),
             qPrintable(a.told));
    QVERIFY2(a.told.contains(u"Where it arrives without its permission to run"_s)
                 == (!madeOnWindows && systems.contains(System::Linux)),
             qPrintable(a.told));
}

// A program that was not made is told with its reason, beside the other system's that was; the
// page alike.
void TestEditorTryOut::makeProgramTellsEachSystemApart_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<System>("failing");
    QTest::addColumn<System>("made");
    QTest::addColumn<QString>("why");
    QTest::addRow("windows_runner_no_quiz_runner") << u"windows_runner"_s << System::Windows << System::Linux
                                                   << u"is not a KAZ quiz runner"_s;
    QTest::addRow("linux_program_place_is_a_folder") << u"linux_place"_s << System::Linux << System::Windows
                                                     << u"There is a folder at"_s;
    QTest::addRow("page_without_a_place_for_the_test") << u"page_runner"_s << System::Web << System::Linux
                                                       << u"is not a KAZ quiz runner"_s;
    QTest::addRow("linux_runner_as_the_page") << u"page_is_linux"_s << System::Web << System::Windows
                                              << u"makes programs for Linux, not for web browsers"_s;
    QTest::addRow("page_place_is_a_folder") << u"page_place"_s << System::Web << System::Linux << u"There is a folder at"_s;
    QTest::addRow("linux_place_is_a_folder_page_made") << u"linux_place"_s << System::Linux << System::Web
                                                       << u"There is a folder at"_s;
}

void TestEditorTryOut::makeProgramTellsEachSystemApart()
{
    QFETCH(QString, fault);
    QFETCH(System, failing);
    QFETCH(System, made);
    QFETCH(QString, why);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), true);
    installPage(a.runner);
    if (fault == u"windows_runner")
        QVERIFY(TestFiles::write(tmp.filePath(u"installed/kazrunner.exe"_s), TestRunners::peProgram("no mark")));
    if (fault == u"page_runner")
        QVERIFY(TestFiles::write(tmp.filePath(u"installed/kazweb.html"_s),
                                 "<!DOCTYPE html><!-- KAZ quiz runner, packed format 1 --><p>"));
    if (fault == u"page_is_linux")
        QVERIFY(TestFiles::write(tmp.filePath(u"installed/kazweb.html"_s),
                                 TestRunners::elfProgram("KAZ quiz runner, packed format 1\n")));
    const QString out = tmp.filePath(u"out"_s);
    if (fault == u"linux_place")
        QVERIFY(QDir().mkpath(QDir(out).filePath(u"kaz-istoriya"_s)));
    if (fault == u"page_place")
        QVERIFY(QDir().mkpath(QDir(out).filePath(u"kaz-istoriya.html"_s)));
    QVERIFY(QDir().mkpath(out));
    a.systems = QList<System>{failing, made};
    a.folder = out;
    a.replace = true;
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.tellings, 1);
    QVERIFY(a.toldProblem);
    const QString madeProgram = QDir(out).filePath(istoriyaProgram(made));
    if (made == System::Web)
        QCOMPARE(WebPage::test(TestFiles::contents(madeProgram)), PackedQuiz::tail(QuizFolder::check(folder).files));
    else
        QVERIFY(ProgramQuiz::load(madeProgram).ok());
    QVERIFY2(a.told.contains(madeSaying(made, madeProgram)), qPrintable(a.told));
    QVERIFY2(a.told.contains(notMadeSaying(failing)), qPrintable(a.told));
    QVERIFY2(a.told.contains(why), qPrintable(a.told));
    // Nothing was written for the one that failed, nor left half written.
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{istoriyaProgram(made)});
}

// The save dialog's "replace?" answered yes over one of the test's own files: refused, with
// another name proposed, and the test, its folder and the document stay as they were.
void TestEditorTryOut::makeProgramNeverOverTheTestsOwnFiles_data()
{
    QTest::addColumn<QString>("program"); // in the scratch folder, which holds the test "figuri"
    QTest::addColumn<QString>("own");
    QTest::addRow("test_kaz") << u"figuri/test.kaz"_s << u"test.kaz"_s;
    QTest::addRow("a_picture_by_another_path") << u"figuri/../figuri/kwadrat.png"_s << u"picture \"kwadrat.png\""_s;
    QTest::addRow("test_kaz_through_a_linked_folder") << u"alias/test.kaz"_s << u"test.kaz"_s;
}

void TestEditorTryOut::makeProgramNeverOverTheTestsOwnFiles()
{
    QFETCH(QString, program);
    QFETCH(QString, own);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    if (program.startsWith(u"alias/"_s)) {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QVERIFY(TestFiles::symlink(folder, tmp.filePath(u"alias"_s)));
    }
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QStringList before = TestFiles::everything(folder);
    const QByteArray test = TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s));
    const QByteArray picture = TestFiles::contents(QDir(folder).filePath(u"kwadrat.png"_s));

    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), true);
    a.systems = QList<System>{System::Linux}; // a Windows program's name would end with .exe
    a.program = tmp.filePath(program);
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.tellings, 1);
    QVERIFY(a.toldProblem);
    QCOMPARE(a.told, u"The program for Linux was not made:\nThe file "_s + QDir::toNativeSeparators(a.program)
                         + u" is the test's own "_s + own
                         + u", and the program would take its place. Give the program another name, such as "_s
                         + QDir::toNativeSeparators(tmp.filePath(u"kaz-figuri"_s)) + u"."_s);
    QCOMPARE(TestFiles::everything(folder), before);
    QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)), test);
    QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"kwadrat.png"_s)), picture);
    QVERIFY(!d.isModified());
    QCOMPARE(d.folder(), folder);
}

// A Windows program named without ".exe" in the save dialog gets it, and the teacher is told;
// a file of that name is replaced only when the teacher says so, as the dialog asks of the
// name typed.
void TestEditorTryOut::makeProgramAddsExeForWindows_data()
{
    QTest::addColumn<bool>("there");   // kaz-x.exe is there already
    QTest::addColumn<bool>("replace"); // the answer when asked
    QTest::addRow("new_program") << false << false;
    QTest::addRow("replaced_when_asked") << true << true;
    QTest::addRow("kept_when_asked") << true << false;
}

void TestEditorTryOut::makeProgramAddsExeForWindows()
{
    QFETCH(bool, there);
    QFETCH(bool, replace);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QString program = tmp.filePath(u"kaz-x.exe"_s);
    if (there)
        QVERIFY(TestFiles::write(program, "old program"));
    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), true);
    a.systems = QList<System>{System::Windows};
    a.program = tmp.filePath(u"kaz-x"_s);
    a.replace = replace;
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.replaceAsked, there ? QStringList{program} : QStringList{});
    QVERIFY(!QFileInfo::exists(a.program));
    if (there && !replace) {
        QCOMPARE(a.tellings, 0);
        QCOMPARE(TestFiles::contents(program), "old program"_ba);
        return;
    }
    QVERIFY2(!a.toldProblem, qPrintable(a.told));
    QVERIFY(ProgramQuiz::load(program).ok());
    QVERIFY2(a.told.endsWith(u"\nA program for Windows starts only with .exe at the end of its name, so it was "
                               "written as "_s
                             + QDir::toNativeSeparators(program) + u"."_s),
             qPrintable(a.told));
}

// A page named without ".html" in the save dialog gets it, and the teacher is told, as a
// Windows program gets ".exe"; a page already there is replaced only when the teacher says so.
void TestEditorTryOut::makeProgramAddsHtmlForAPage_data()
{
    QTest::addColumn<QString>("asked");  // the name typed in the save dialog
    QTest::addColumn<bool>("there");     // kaz-x.html is there already
    QTest::addColumn<bool>("replace");   // the answer when asked
    QTest::addRow("new_page") << u"kaz-x"_s << false << false;
    QTest::addRow("replaced_when_asked") << u"kaz-x"_s << true << true;
    QTest::addRow("kept_when_asked") << u"kaz-x"_s << true << false;
    // The save dialog asked of the name typed itself.
    QTest::addRow("named_html_replaced_without_asking_again") << u"kaz-x.html"_s << true << false;
    QTest::addRow("named_htm_kept_as_it_is") << u"kaz-x.htm"_s << false << false;
}

void TestEditorTryOut::makeProgramAddsHtmlForAPage()
{
    QFETCH(QString, asked);
    QFETCH(bool, there);
    QFETCH(bool, replace);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QString program = asked.endsWith(u".htm"_s) ? tmp.filePath(asked) : tmp.filePath(u"kaz-x.html"_s);
    const bool added = !asked.contains(u'.');
    if (there)
        QVERIFY(TestFiles::write(program, "old page"));
    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), false);
    installPage(a.runner);
    a.systems = QList<System>{System::Web};
    a.program = tmp.filePath(asked);
    a.replace = replace;
    EditorDialogs::makeProgram(d, a.steps());
    QCOMPARE(a.replaceAsked, there && added ? QStringList{program} : QStringList{});
    if (added)
        QVERIFY(!QFileInfo::exists(a.program));
    if (there && added && !replace) {
        QCOMPARE(a.tellings, 0);
        QCOMPARE(TestFiles::contents(program), "old page"_ba);
        return;
    }
    QVERIFY2(!a.toldProblem, qPrintable(a.told));
    QCOMPARE(WebPage::test(TestFiles::contents(program)), PackedQuiz::tail(QuizFolder::check(folder).files));
    QVERIFY2(a.told.startsWith(madeSaying(System::Web, program) + u'\n'), qPrintable(a.told));
    const QString note = u"\nA browser opens a test page only with .html at the end of its name, so it was written as "_s
        + QDir::toNativeSeparators(program) + u"."_s;
    QVERIFY2(a.told.endsWith(note) == added, qPrintable(a.told));
}

// The SCORM package, chosen with the page, is written beside it under its own name, its page the
// same test with the settings the teacher gave; the choice and the settings are offered again
// next time, and the teacher is told how Moodle takes it.
void TestEditorTryOut::makeProgramWritesAScormPackage()
{
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    Answers a;
    a.runner = installRunners(tmp.filePath(u"installed"_s), false);
    installPage(a.runner);
    a.systems = QList<System>{System::Web};
    a.package = ScormPackage::Settings{70, true};
    a.folder = tmp.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(a.folder));
    EditorDialogs::makeProgram(d, a.steps());
    QVERIFY2(!a.toldProblem, qPrintable(a.told));
    QCOMPARE(a.folderPrograms, (QStringList{u"kaz-istoriya.html"_s, u"kaz-istoriya-scorm.zip"_s}));
    const QByteArray zip = TestFiles::contents(QDir(a.folder).filePath(u"kaz-istoriya-scorm.zip"_s));
    const ScormPackage::Page page = ScormPackage::page(zip);
    QVERIFY2(page.ok(), qPrintable(page.problem));
    QCOMPARE(WebPage::test(page.bytes), WebPage::test(TestFiles::contents(QDir(a.folder).filePath(u"kaz-istoriya.html"_s))));
    const auto settings = ScormPackage::settingsOf(page.bytes);
    QVERIFY(settings && settings->passMark == 70 && settings->learnerName);
    QVERIFY2(a.told.contains(u"SCORM package, and upload this .zip file"_s), qPrintable(a.told));

    // Offered again as chosen, with its settings; the page alone next time leaves it unchosen.
    const QList<EditorPacking::Target> again = EditorPacking::targets(folder, a.runner, EditorPacking::lastSystems());
    QVERIFY(again.last().package && again.last().chosen && again.last().package->passMark == 70);
    Answers b;
    b.runner = a.runner;
    b.systems = QList<System>{System::Web};
    b.program = tmp.filePath(u"page.html"_s);
    EditorDialogs::makeProgram(d, b.steps());
    QVERIFY(!EditorPacking::lastPackage().chosen);
    QCOMPARE(EditorPacking::lastPackage().settings.passMark, 70);
}

QTEST_MAIN(TestEditorTryOut)
#include "tst_editor_tryout.moc"
