// Where the editor's tests come from and go to, without any window: GIFT files read by the
// converter gift2kaz uses, test programs read as their runner reads them, the content the
// try-out shows, and programs made by the code kazpack packs with.
#include "ContentReader.h"
#include "EditorPacking.h"
#include "EditorSources.h"
#include "EditorSupport.h"
#include "Gift.h"
#include "KazpackCommands.h"
#include "ProgramQuiz.h"
#include "QuizDocument.h"
#include "TestFiles.h"
#include "QuizFolder.h"
#include "TestPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTextStream>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Choice = "::Столица::Коя е столицата? {\n=Плиска\n~Преслав\n}\n"_ba;
const QByteArray TwoPairs = "::Малко::Свържете. {\n=а -> б\n=в -> г\n}\n"_ba;
const QByteArray Unclosed = "::Отворен::Свържете. {\n=а -> б\n=в -> г\n=д -> е\n"_ba;

// The store of a test folder as its program holds it: pictures by name rather than by path.
ContentStore checkedStore(const QString &folder)
{
    return QuizFolder::check(QuizFolder::check(folder).files).store;
}

// "Make program" on the test of `folder` as the editor opens it (nothing when there is none).
EditorPacking::Result makeProgram(const QString &folder, const QString &program, bool replace, const QString &runner)
{
    QuizDocument d;
    d.openFolder(folder);
    return EditorPacking::makeProgram(d, program, replace, runner);
}

// What kazpack prints on standard error for `arguments`, packing with `runner` as its own.
QString kazpackSays(const QStringList &arguments, const QString &runner)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    KazpackCommands::run(arguments, runner, o, e);
    e.flush();
    return err.trimmed();
}

} // namespace

class TestEditorSources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // GIFT files
    void giftQuestionsListed();
    void giftFaultsInTheConvertersWords_data();
    void giftFaultsInTheConvertersWords();
    void giftQuestionOpensAsItsConvertedFolder_data();
    void giftQuestionOpensAsItsConvertedFolder();
    void giftQuestionGoneLeavesTheDocument();
    void largeGiftFileOpensQuickly();

    // test programs
    void shippedProgramOpensWithEveryDatum();
    void unusableProgramInKazpacksWords_data();
    void unusableProgramInKazpacksWords();

    // what the try-out shows
    void tryOutHoldsWhatTheProgramWould();
    void tryOutFollowsEdits();

    // making a program
    void defaultProgramPath_data();
    void defaultProgramPath();
    void packedProgramReadsBackEqual();
    void packingKeepsOrReplaces_data();
    void packingKeepsOrReplaces();
    void packingFailuresToldToTheTeacher_data();
    void packingFailuresToldToTheTeacher();
    void sameOutcomeAsKazpack_data();
    void sameOutcomeAsKazpack();
    void sameProgramAsKazpacksOfTheSavedFolder_data();
    void sameProgramAsKazpacksOfTheSavedFolder();
    void packsWithoutReadingTheFolderBack();
    void iconThatCannotBeUsed_data();
    void iconThatCannotBeUsed();
};

// ---------------------------------------------------------------- GIFT files

void TestEditorSources::giftQuestionsListed()
{
    const QString path = sourcePath(u"docs/examples/bulgaria.gift"_s);
    const Gift::Result gift = Gift::readBytes(TestFiles::contents(path));
    QStringList titles;
    for (const Gift::Matching &q : gift.questions)
        titles.append(q.title);
    QVERIFY(titles.size() >= 2);

    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QVERIFY2(questions.ok(), qPrintable(questions.error));
    QCOMPARE(questions.titles, titles);
    // The multiple-choice question is skipped with gift2kaz's note.
    QCOMPARE(questions.notes.size(), gift.notes.size());
    QCOMPARE(questions.notes.first(), gift.notes.first().toString(u"bulgaria.gift"_s, "note"));
}

void TestEditorSources::giftFaultsInTheConvertersWords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // empty: the first error of Gift::readBytes
    QTest::addRow("too_few_pairs") << TwoPairs << QString();
    QTest::addRow("unclosed_brace") << Unclosed << QString();
    QTest::addRow("no_matching_question")
        << Choice << u"q.gift: error: the file holds no matching question, so there is no test to write"_s;
    QTest::addRow("not_utf8") << QByteArray("::T::x {\n=\xff -> a\n=b -> c\n=d -> e\n}\n") << QString();
}

void TestEditorSources::giftFaultsInTheConvertersWords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(u"q.gift"_s);
    QVERIFY(TestFiles::write(path, bytes));
    const Gift::Result gift = Gift::readBytes(bytes);
    if (expected.isEmpty()) {
        QVERIFY(!gift.ok());
        expected = gift.errors.first().toString(u"q.gift"_s, "error");
    }

    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QVERIFY(!questions.ok());
    QVERIFY(questions.titles.isEmpty());
    QVERIFY2(questions.error.startsWith(expected), qPrintable(questions.error));

    QuizDocument d;
    setRows(d, u"a\tb"_s);
    QCOMPARE(EditorSources::openGift(d, path, 0, Gift::DefaultAddress), questions.error);
    QCOMPARE(flat(d), QStringList{u"a|b"_s});
}

void TestEditorSources::giftQuestionOpensAsItsConvertedFolder_data()
{
    QTest::addColumn<int>("question");
    QTest::addRow("first") << 0;
    QTest::addRow("second") << 1;
}

// The chosen question opens as the folder gift2kaz writes of it opens: the same converter.
void TestEditorSources::giftQuestionOpensAsItsConvertedFolder()
{
    QFETCH(int, question);
    const QString path = sourcePath(u"docs/examples/bulgaria.gift"_s);
    const Gift::Result gift = Gift::readBytes(TestFiles::contents(path));
    QTemporaryDir tmp;
    const Gift::Written written
        = Gift::writeFolders(gift, QDir(tmp.path()), false, Gift::DefaultAddress, u"bulgaria.gift"_s);
    QVERIFY(written.errors.isEmpty());
    QuizDocument converted;
    QVERIFY(converted.openFolder(written.folders.at(question)).ok());

    QuizDocument d;
    d.openFolder(sourcePath(u"quizzes/figuri"_s));
    QCOMPARE(EditorSources::openGift(d, path, question, Gift::DefaultAddress), QString());
    QCOMPARE(d.content(), converted.content());
    QCOMPARE(d.row(0).left, gift.questions.at(question).left.first());
    QCOMPARE(d.field(DocumentField::Title), gift.questions.at(question).title);
    QVERIFY(d.folder().isEmpty());
    QVERIFY(!d.content().comments.isEmpty());
    // In no folder yet: unsaved work until it is saved.
    QVERIFY(d.isModified());
    QVERIFY(QDir().mkpath(tmp.filePath(u"saved"_s)));
    QCOMPARE(d.saveTo(tmp.filePath(u"saved"_s)), QString());
    QVERIFY(!d.isModified());
}

void TestEditorSources::giftQuestionGoneLeavesTheDocument()
{
    QuizDocument d;
    setRows(d, u"a\tb"_s);
    const QString error = EditorSources::openGift(d, sourcePath(u"docs/examples/bulgaria.gift"_s), 7, {});
    QVERIFY(error.contains(u"bulgaria.gift"_s));
    QCOMPARE(flat(d), QStringList{u"a|b"_s});
}

// ---------------------------------------------------------------- test programs

// The program the build made of quizzes/figuri gives the folder's test back, pictures too.
void TestEditorSources::shippedProgramOpensWithEveryDatum()
{
    QuizDocument folder;
    const QuizDocument::Opened opened = folder.openFolder(sourcePath(u"quizzes/figuri"_s));
    QVERIFY(opened.ok() && opened.problems.isEmpty());

    QuizDocument d;
    QCOMPARE(EditorSources::openProgram(d, QStringLiteral(KAZ_FIGURI)), QString());
    QVERIFY(d.folder().isEmpty());
    QVERIFY(d.isModified()); // in no folder yet
    QCOMPARE(d.content(), folder.content());
    int pictures = 0;
    for (int r = 0; r < d.rowCount(); ++r) {
        const DocumentPicture &p = d.row(r).picture;
        if (p.isNull())
            continue;
        ++pictures;
        QCOMPARE(p.bytes, TestFiles::contents(sourcePath(u"quizzes/figuri/"_s + p.name)));
        QVERIFY2(p.problem.isEmpty(), qPrintable(p.problem));
    }
    QCOMPARE(pictures, 8);
    d.checkNow();
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
}

// Any file that is no sound program leaves the document as it was and is told in kazpack's
// words: a file without a test is "no test program made by kazpack", whatever it is.
void TestEditorSources::unusableProgramInKazpacksWords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    const QString noProgram = u"This file holds no test: it is no test program made by kazpack. Choose a test program "
                              "(such as kaz-istoriya), or open the test's folder or a GIFT file instead."_s;
    QTest::addRow("runner_alone") << u"runner"_s << noProgram;
    QTest::addRow("another_program") << u"true"_s << noProgram;
    QTest::addRow("text_file") << u"text"_s << noProgram;
    QTest::addRow("shell_script") << u"script"_s << noProgram;
    QTest::addRow("cut_short") << u"cut"_s << u"This test program is damaged: the test at its end was cut short"_s;
    QTest::addRow("one_byte_changed") << u"changed"_s << u"This test program is damaged: its test was changed after it was packed"_s;
    QTest::addRow("missing") << u"missing"_s << u"This file cannot be opened: there is no such file. Check that you may read it"_s;
    QTest::addRow("a_named_pipe") << u"pipe"_s << u"This file cannot be opened: it is a named pipe (FIFO), not a file"_s;
}

void TestEditorSources::unusableProgramInKazpacksWords()
{
    QFETCH(QString, kind);
    QFETCH(QString, says);
    if (kind == u"pipe")
        KAZ_SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir tmp;
    const QString path = tmp.filePath(u"kaz-x"_s);
    QByteArray program = TestFiles::contents(QStringLiteral(KAZ_FIGURI));
    QVERIFY(!program.isEmpty());
    if (kind == u"runner")
        program = TestFiles::contents(QStringLiteral(KAZRUNNER));
    else if (kind == u"true")
        program = TestFiles::contents(u"/bin/true"_s);
    else if (kind == u"cut")
        program.chop(100);
    else if (kind == u"changed")
        program[program.size() - 200] = char(program.at(program.size() - 200) ^ 1);
    else if (kind == u"text")
        program = "not a program\n";
    else if (kind == u"script")
        program = "#!/bin/sh\n# Not a test, but long enough to hold a trailer where one could be.\necho hello\n";
    if (kind == u"pipe")
        QVERIFY(TestFiles::fifo(path, 0600));
    else if (kind != u"missing")
        QVERIFY(TestFiles::write(path, program));

    QuizDocument d;
    setRows(d, u"a\tb"_s);
    const QString said = EditorSources::openProgram(d, path);
    QVERIFY2(said.startsWith(says), qPrintable(said));
    QVERIFY(!said.contains(u"runner alone"_s));
    QCOMPARE(flat(d), QStringList{u"a|b"_s});
}

// ---------------------------------------------------------------- the try-out's content

// A test opened unchanged is tried as the program of its folder would run it.
void TestEditorSources::tryOutHoldsWhatTheProgramWould()
{
    QuizDocument d;
    QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok());
    const EditorSources::TryOut tryOut = EditorSources::tryOutContent(d.content());
    QVERIFY(tryOut.content);
    QCOMPARE(tryOut.problems, 0);
    const ProgramQuiz::Loaded program = ProgramQuiz::load(QStringLiteral(KAZ_FIGURI));
    QVERIFY(program.ok());
    QVERIFY(*tryOut.content == *program.content);
}

void TestEditorSources::tryOutFollowsEdits()
{
    QuizDocument d;
    QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok());
    const int row = d.rowOfQuestion(4); // Успоредник: no picture
    QVERIFY(d.row(row).picture.isNull());
    const QByteArray bytes = png(40, 30, qRgb(10, 200, 10));
    d.setPicture(row, u"chosen.png"_s, bytes);
    d.setCell(0, DocumentField::Left, u"Квадратче"_s);
    // A right phrase without a left one goes after the pairs, before the extra phrases of later
    // rows, as the file holds it.
    d.insertRows(1, 1);
    d.setCell(1, DocumentField::Right, u"нещо излишно"_s);

    const EditorSources::TryOut tryOut = EditorSources::tryOutContent(d.content());
    QVERIFY(tryOut.content);
    QCOMPARE(tryOut.problems, 0);
    const ContentStore &store = *tryOut.content;
    QCOMPARE(store.Danni(0).first(), u"Квадратче"_s);
    QCOMPARE(store.Danni(1).at(store.Danni(0).size()), u"нещо излишно"_s);
    QCOMPARE(store.Graphika(4).source, u"chosen.png"_s);
    QCOMPARE(store.pictureData(u"chosen.png"_s), bytes);
    QCOMPARE(store.pictureData(store.Graphika(1).source), TestFiles::contents(sourcePath(u"quizzes/figuri/kwadrat.png"_s)));
}

// ---------------------------------------------------------------- making a program

void TestEditorSources::defaultProgramPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::addRow("plain") << u"/home/t/tests/mytest"_s << u"/home/t/tests/kaz-mytest"_s;
    QTest::addRow("trailing_slash") << u"/home/t/tests/mytest/"_s << u"/home/t/tests/kaz-mytest"_s;
    QTest::addRow("cyrillic") << u"/home/t/тестове/градове"_s << u"/home/t/тестове/kaz-градове"_s;
}

void TestEditorSources::defaultProgramPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(EditorPacking::defaultProgramPath(folder, QStringLiteral(KAZRUNNER)), TestFiles::programName(expected));
}

void TestEditorSources::packedProgramReadsBackEqual()
{
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    const QString program = tmp.filePath(TestFiles::programName(u"out/kaz-figuri"_s));
    QDir().mkpath(tmp.filePath(u"out"_s));
    const EditorPacking::Result result = makeProgram(folder, program, false, QStringLiteral(KAZRUNNER));
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.program, QFileInfo(program).absoluteFilePath());
    QVERIFY(QFileInfo(program).isExecutable());
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    QVERIFY(*loaded.content == checkedStore(folder));
    // The same bytes as the build's own program of the folder.
    QCOMPARE(TestFiles::contents(program), TestFiles::contents(QStringLiteral(KAZ_FIGURI)));
}

void TestEditorSources::packingKeepsOrReplaces_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addRow("kept_unless_asked") << false;
    QTest::addRow("replaced_when_confirmed") << true;
}

void TestEditorSources::packingKeepsOrReplaces()
{
    QFETCH(bool, replace);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    const QString program = tmp.filePath(TestFiles::programName(u"kaz-istoriya"_s));
    QVERIFY(TestFiles::write(program, "old"));
    const EditorPacking::Result result = makeProgram(folder, program, replace, QStringLiteral(KAZRUNNER));
    QCOMPARE(result.ok, replace);
    if (replace) {
        QVERIFY(ProgramQuiz::load(program).ok());
    } else {
        QCOMPARE(TestFiles::contents(program), "old"_ba);
        QVERIFY2(result.message.contains(u"already exists and is kept"_s), qPrintable(result.message));
    }
}

void TestEditorSources::packingFailuresToldToTheTeacher_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("words");
    QTest::addRow("problem_in_the_test") << u"test"_s << u"File test.kaz: the section [parameters] is missing"_s;
    QTest::addRow("no_runner") << u"runner"_s << u"The quiz runner is not at"_s;
    QTest::addRow("folder_missing") << u"folder"_s << u"test.kaz"_s;
}

void TestEditorSources::packingFailuresToldToTheTeacher()
{
    QFETCH(QString, fault);
    QFETCH(QString, words);
    QTemporaryDir tmp;
    QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QString runner = QStringLiteral(KAZRUNNER);
    if (fault == u"test")
        QVERIFY(TestFiles::write(QDir(folder).filePath(u"test.kaz"_s), "[left]\nа\n"));
    else if (fault == u"runner")
        runner = tmp.filePath(u"nowhere/kazrunner"_s);
    else
        folder = tmp.filePath(u"nothing-here"_s);
    const QString program = tmp.filePath(TestFiles::programName(u"kaz-out"_s));
    const EditorPacking::Result result = makeProgram(folder, program, true, runner);
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(words), qPrintable(result.message));
    QVERIFY(result.program.isEmpty());
    QVERIFY(!QFileInfo::exists(program));
}

// The editor packs as kazpack with its own runner does, and tells the same failure, a sentence
// for each of kazpack's lines.
void TestEditorSources::sameOutcomeAsKazpack_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("kazpackWords");
    QTest::addColumn<QString>("editorWords");
    QTest::addRow("no_runner") << u"runner"_s << true << u": error: the quiz runner is not at"_s
                               << u"The quiz runner is not at"_s;
    QTest::addRow("runner_no_kaz_runner") << u"script"_s << true << u": error: this is not a KAZ quiz runner"_s
                                          << u"is not a KAZ quiz runner. Install KAZ again."_s;
    QTest::addRow("program_is_a_folder") << u"folder"_s << true << u": error: this is a folder; give the program's file name with -o"_s
                                         << u"There is a folder at"_s;
    QTest::addRow("program_kept_unless_replaced") << u"kept"_s << false << u": error: the file already exists and is kept; give --force"_s
                                                  << u"already exists and is kept. Let it be replaced"_s;
    QTest::addRow("old_program_left_on_failure") << u"old"_s << true << u": note: the program that was already there is left as it was"_s
                                                 << u"is left as it was and still holds the old test, not this one."_s;
}

void TestEditorSources::sameOutcomeAsKazpack()
{
    QFETCH(QString, fault);
    QFETCH(bool, replace);
    QFETCH(QString, kazpackWords);
    QFETCH(QString, editorWords);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QString runner = QStringLiteral(KAZRUNNER);
    const QString program = tmp.filePath(TestFiles::programName(u"kaz-istoriya"_s));
    if (fault == u"runner" || fault == u"old")
        runner = tmp.filePath(u"nowhere/kazrunner"_s);
    if (fault == u"script") {
        runner = tmp.filePath(u"kazrunner"_s);
        QVERIFY(TestFiles::write(runner, "#!/bin/sh\n"));
    }
    if (fault == u"folder")
        QVERIFY(QDir().mkpath(program));
    if (fault == u"kept" || fault == u"old")
        QVERIFY(TestFiles::write(program, "old"));
    QStringList arguments{folder, u"-o"_s, program};
    if (replace)
        arguments << u"--force"_s;
    const QString kazpack = kazpackSays(arguments, runner);
    QVERIFY(!kazpack.isEmpty());
    QVERIFY2(kazpack.contains(kazpackWords), qPrintable(kazpack));
    const EditorPacking::Result result = makeProgram(folder, program, replace, runner);
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(editorWords), qPrintable(result.message));
    QVERIFY2(!result.message.contains(u"error:"_s) && !result.message.contains(u"note:"_s), qPrintable(result.message));
    QCOMPARE(result.messages.size(), kazpack.split(u'\n', Qt::SkipEmptyParts).size());
    QCOMPARE(result.message.split(u'\n').size(), result.messages.size());
    if (fault != u"folder")
        QCOMPARE(TestFiles::contents(program), fault == u"kept" || fault == u"old" ? "old"_ba : "(none)"_ba);
}

// The program made in memory is, byte for byte, the one kazpack makes of the folder as saved:
// a hand-written test.kaz as it is on disk, a test.kaz the editor wrote, the folder's own icon.
void TestEditorSources::sameProgramAsKazpacksOfTheSavedFolder_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("hand_written_and_unchanged") << u"opened"_s;
    QTest::addRow("changed_and_saved") << u"edited"_s;
    QTest::addRow("changed_then_undone") << u"undone"_s;
    QTest::addRow("with_its_own_icon") << u"icon"_s;
    QTest::addRow("from_a_gift_file_saved_as_a_new_folder") << u"gift"_s;
}

void TestEditorSources::sameProgramAsKazpacksOfTheSavedFolder()
{
    QFETCH(QString, how);
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    if (how == u"icon")
        QVERIFY(TestFiles::write(QDir(folder).filePath(u"icon.png"_s), TestPictures::picture(32, 32)));
    QuizDocument d;
    if (how == u"gift") {
        QVERIFY(EditorSources::openGift(d, sourcePath(u"docs/examples/bulgaria.gift"_s), 0, Gift::DefaultAddress).isEmpty());
        QVERIFY(d.saveTo(tmp.filePath(u"gift"_s)).isEmpty());
    } else {
        QVERIFY(d.openFolder(folder).ok());
    }
    if (how == u"edited" || how == u"undone") {
        d.setCell(0, DocumentField::Left, u"Квадрат днес"_s);
        d.endTyping();
        if (how == u"edited")
            QVERIFY(d.save().isEmpty());
        else
            d.undoStack()->undo();
    }
    QVERIFY(!d.isModified());
    const QString program = tmp.filePath(TestFiles::programName(u"editor/kaz-made"_s));
    QVERIFY(QDir().mkpath(tmp.filePath(u"editor"_s)));
    const EditorPacking::Result result = EditorPacking::makeProgram(d, program, false, QStringLiteral(KAZRUNNER));
    QVERIFY2(result.ok, qPrintable(result.message));
    const QString kazpacks = tmp.filePath(TestFiles::programName(u"kazpack/kaz-made"_s));
    QVERIFY(QDir().mkpath(tmp.filePath(u"kazpack"_s)));
    QCOMPARE(kazpackSays({d.folder(), u"-o"_s, kazpacks}, QStringLiteral(KAZRUNNER)), QString());
    QCOMPARE(TestFiles::contents(program), TestFiles::contents(kazpacks));
    QCOMPARE(ProgramQuiz::load(program).icon.isEmpty(), how != u"icon");
}

// What changes on disk after the test was opened does not reach the program: it is made of the
// document, not read back from the folder.
void TestEditorSources::packsWithoutReadingTheFolderBack()
{
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/figuri"_s), tmp.path(), u"figuri"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const ContentStore before = checkedStore(folder);
    QVERIFY(TestFiles::write(QDir(folder).filePath(u"test.kaz"_s), "[left]\nа\n"));
    for (const QString &name : QDir(folder).entryList({u"*.png"_s}, QDir::Files))
        QVERIFY(QFile::remove(QDir(folder).filePath(name)));
    const QString program = tmp.filePath(TestFiles::programName(u"kaz-figuri"_s));
    const EditorPacking::Result result = EditorPacking::makeProgram(d, program, false, QStringLiteral(KAZRUNNER));
    QVERIFY2(result.ok, qPrintable(result.message));
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));
    QVERIFY(*loaded.content == before);
}

// The folder's icon is taken as kazpack takes it: only the file itself, checked as an icon.
void TestEditorSources::iconThatCannotBeUsed_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("words");
    QTest::addRow("a_link_to_a_good_icon") << u"link"_s << u"icon.png: the test's icon cannot be used: "_s;
    QTest::addRow("a_folder") << u"folder"_s << u"icon.png: the test's icon cannot be used: "_s;
    QTest::addRow("not_square") << u"wide"_s << u"icon.png: the icon is 40 × 20 pixels, not square"_s;
}

void TestEditorSources::iconThatCannotBeUsed()
{
    QFETCH(QString, icon);
    QFETCH(QString, words);
    if (icon == u"link")
        KAZ_SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir tmp;
    const QString folder = TestFiles::copyFolder(sourcePath(u"quizzes/istoriya"_s), tmp.path(), u"istoriya"_s);
    QuizDocument d;
    QVERIFY(d.openFolder(folder).ok());
    const QString path = QDir(folder).filePath(u"icon.png"_s);
    if (icon == u"link") {
        QVERIFY(TestFiles::write(tmp.filePath(u"good.png"_s), TestPictures::picture(32, 32)));
        QVERIFY(QFile::link(tmp.filePath(u"good.png"_s), path));
    } else if (icon == u"folder") {
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(TestFiles::write(path, TestPictures::picture(40, 20)));
    }
    const QString program = tmp.filePath(TestFiles::programName(u"kaz-istoriya"_s));
    const EditorPacking::Result result = EditorPacking::makeProgram(d, program, true, QStringLiteral(KAZRUNNER));
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(words), qPrintable(result.message));
    QVERIFY2(result.message.contains(u"no program was written"_s), qPrintable(result.message));
    QVERIFY(!QFileInfo::exists(program));
}

// A GIFT file of 10,000 questions is listed and its last question opened within 5 s.
void TestEditorSources::largeGiftFileOpensQuickly()
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(u"many.gift"_s);
    QByteArray text;
    constexpr int Questions = 10000;
    for (int i = 0; i < Questions; ++i) {
        text += "::Въпрос " + QByteArray::number(i) + "::Свържете {\n";
        for (int j = 0; j < 3; ++j)
            text += "=ляво " + QByteArray::number(i) + ' ' + QByteArray::number(j) + " -> дясно " + QByteArray::number(i) + ' '
                + QByteArray::number(j) + '\n';
        text += "}\n\n";
    }
    QVERIFY(TestFiles::write(path, text));
    QElapsedTimer timer;
    timer.start();
    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QVERIFY2(questions.ok(), qPrintable(questions.error));
    QCOMPARE(questions.titles.size(), Questions);
    QuizDocument d;
    QCOMPARE(EditorSources::openGift(d, path, Questions - 1, Gift::DefaultAddress), QString());
    const qint64 ms = timer.elapsed();
    qInfo("%d questions listed and the last opened in %lld ms", Questions, qlonglong(ms));
    QVERIFY2(ms < 5000, qPrintable(u"%1 ms"_s.arg(ms)));
    QCOMPARE(d.row(2).right, u"дясно 9999 2"_s);
}

QTEST_GUILESS_MAIN(TestEditorSources)
#include "tst_editor_sources.moc"
