// A test's files held in memory packed onto a runner's bytes: the very program kazpack makes of
// the test's folder, whatever the order of the files and whether the runner is a test program;
// and every reason for no program found in its order.
#include "PackedQuiz.h"
#include "Packing.h"
#include "TestFiles.h"
#include "TestRunners.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Packing::Failure)
Q_DECLARE_METATYPE(PackedQuiz::Fault)
Q_DECLARE_METATYPE(Packing::System)

namespace {

using TestFiles::sourcePath;

// Every file of `folder` as it is on disk, by name, in the order of the folder's listing.
QuizFileList filesOf(const QString &folder)
{
    QuizFileList files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        files.append({name, TestFiles::contents(dir.filePath(name))});
    return files;
}

const QByteArray Runner = TestRunners::elfProgram("KAZ quiz runner, packed format 1\n");

} // namespace

class TestPacking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameProgramAsTheBuildsFromMemory_data();
    void sameProgramAsTheBuildsFromMemory();
    void outcomes_data();
    void outcomes();
    void toldToEachReader_data();
    void toldToEachReader();
};

void TestPacking::sameProgramAsTheBuildsFromMemory_data()
{
    QTest::addColumn<bool>("shuffled");
    QTest::addColumn<bool>("testProgramAsRunner");
    QTest::addRow("files_as_the_folder_lists_them") << false << false;
    QTest::addRow("files_reversed_with_a_stray_one") << true << false;
    QTest::addRow("a_test_program_as_the_runner") << true << true;
}

// The build makes kaz-figuri with the kazpack program from quizzes/figuri on disk.
void TestPacking::sameProgramAsTheBuildsFromMemory()
{
    QFETCH(bool, shuffled);
    QFETCH(bool, testProgramAsRunner);
    QuizFileList files = filesOf(sourcePath(u"quizzes/figuri"_s));
    QVERIFY(files.size() > 2);
    if (shuffled) {
        std::reverse(files.begin(), files.end());
        files.insert(1, {u"notes.txt"_s, "not a picture of the test"_ba});
    }
    const QByteArray built = TestFiles::contents(QStringLiteral(KAZ_FIGURI));
    const QByteArray runner = testProgramAsRunner ? built : TestFiles::contents(QStringLiteral(KAZRUNNER));
    const Packing::Result result = Packing::pack(files, runner, Packing::thisSystem());
    QVERIFY2(result.ok(), qPrintable(QString::number(int(result.failure)) + u' ' + result.reason));
    QCOMPARE(result.checked.files.constFirst().name, u"test.kaz"_s);
    QCOMPARE(result.program, built);
    QCOMPARE(Packing::pack(files, runner, Packing::thisSystem()).program, result.program);
}

void TestPacking::outcomes_data()
{
    QTest::addColumn<QByteArray>("test");        // test.kaz; the istoriya test when empty
    QTest::addColumn<QByteArray>("runner");      // the runner's bytes, unless read from `runnerPath`
    QTest::addColumn<QString>("runnerPath");     // relative to a scratch folder: "folder" is one
    QTest::addColumn<Packing::Failure>("failure");
    QTest::addColumn<PackedQuiz::Fault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<Packing::System>("target");
    using F = Packing::Failure;
    using S = Packing::System;
    using P = PackedQuiz::Fault;
    const QByteArray program = TestFiles::contents(QStringLiteral(KAZ_FIGURI));
    QTest::addRow("the_test_before_the_runner") << "[left]\nа\n"_ba << "#!/bin/sh\n"_ba << QString() << F::TestProblems
                                                << P::None << QString() << S::Linux;
    QTest::addRow("no_runner_there") << QByteArray() << QByteArray() << u"nowhere/kazrunner"_s << F::RunnerMissing
                                     << P::None << QString() << S::Linux;
    QTest::addRow("runner_is_a_folder") << QByteArray() << QByteArray() << u"folder"_s << F::RunnerNotAFile << P::None
                                        << u"a folder"_s << S::Linux;
    QTest::addRow("damaged_test_program") << QByteArray() << program.chopped(3) << QString() << F::RunnerUnusable
                                          << P::Damaged << u"cut short"_s << S::Linux;
    QTest::addRow("a_script") << QByteArray() << "#!/bin/sh\nKAZ quiz runner, packed format 1\n"_ba << QString()
                              << F::NotARunner << P::None << QString() << S::Linux;
    QTest::addRow("older_runner") << QByteArray()
                                  << TestRunners::elfProgram(QByteArray("KAZ quiz runner, packed format 0\0", 33))
                                  << QString() << F::OlderRunner << P::None << QString() << S::Linux;
    QTest::addRow("windows_runner_in_memory") << QByteArray() << TestRunners::peProgram("KAZ quiz runner, packed format 1\n")
                                              << QString() << F::None << P::None << QString() << S::Windows;
    const QByteArray windowsRunner = TestRunners::peProgram("KAZ quiz runner, packed format 1\n");
    QTest::addRow("windows_runner_for_linux") << QByteArray() << windowsRunner << QString() << F::OtherSystem << P::None
                                              << QString() << S::Linux;
    QTest::addRow("linux_runner_for_windows") << QByteArray() << Runner << QString() << F::OtherSystem << P::None
                                              << QString() << S::Windows;
    const S other = Packing::thisSystem() == S::Linux ? S::Windows : S::Linux;
    QTest::addRow("test_program_for_the_other_system") << QByteArray() << program << QString() << F::OtherSystem
                                                       << P::None << QString() << other;
    QTest::addRow("tiny_runner_read_from_its_file") << QByteArray() << Runner << u"kazrunner"_s << F::None << P::None
                                                    << QString() << S::Linux;
}

void TestPacking::outcomes()
{
    QFETCH(QByteArray, test);
    QFETCH(QByteArray, runner);
    QFETCH(QString, runnerPath);
    QFETCH(Packing::Failure, failure);
    QFETCH(PackedQuiz::Fault, fault);
    QFETCH(QString, reason);
    QFETCH(Packing::System, target);
    QuizFileList files = filesOf(sourcePath(u"quizzes/istoriya"_s));
    if (!test.isEmpty())
        files = {{u"test.kaz"_s, test}};
    Packing::Runner given = runner;
    if (!runnerPath.isEmpty()) {
        QTemporaryDir tmp;
        QVERIFY(QDir().mkpath(tmp.filePath(u"folder"_s)));
        if (!runner.isEmpty())
            QVERIFY(TestFiles::write(tmp.filePath(runnerPath), runner));
        given = Packing::readRunner(tmp.filePath(runnerPath));
    }
    const Packing::Result result = Packing::pack(files, given, target);
    QCOMPARE(result.failure, failure);
    QCOMPARE(result.runnerFault, fault);
    QVERIFY2(result.reason.contains(reason), qPrintable(result.reason));
    if (failure == Packing::Failure::TestProblems)
        QVERIFY(!result.checked.problems.isEmpty());
    if (failure == Packing::Failure::OlderRunner)
        QCOMPARE(result.runnerFormat, qint64(0));
    if (failure != Packing::Failure::None) {
        QVERIFY(result.program.isEmpty());
        return;
    }
    // The runner unchanged, then the test's files, which read back as they were checked.
    QVERIFY(result.program.startsWith(runner));
    QBuffer buffer;
    buffer.setData(result.program);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const PackedQuiz::Contents read = PackedQuiz::read(buffer);
    QVERIFY2(read.ok(), qPrintable(read.reason));
    QCOMPARE(read.files, result.checked.files);
    QCOMPARE(read.runnerSize, qint64(runner.size()));
}

// Every kind of failure told to its two readers: kazpack's lines keep their "PATH: error:" form
// and options, the editor's window gets Bulgarian sentences without them.
void TestPacking::toldToEachReader_data()
{
    QTest::addColumn<Packing::Failure>("failure");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<Packing::System>("target");
    QTest::addColumn<int>("problems"); // the test's problems, for TestProblems
    QTest::addColumn<bool>("oldProgram");
    using F = Packing::Failure;
    const Packing::System here = Packing::thisSystem();
    const Packing::System other = here == Packing::System::Linux ? Packing::System::Windows : Packing::System::Linux;
    QTest::addRow("a_problem_of_the_test") << F::TestProblems << QString() << here << 1 << false;
    QTest::addRow("many_problems_of_the_test") << F::TestProblems << QString() << here << 12 << false;
    QTest::addRow("no_runner") << F::RunnerMissing << QString() << here << 0 << false;
    QTest::addRow("no_runner_for_the_other_system") << F::RunnerMissing << QString() << other << 0 << false;
    QTest::addRow("runner_is_a_folder") << F::RunnerNotAFile << u"a folder"_s << here << 0 << false;
    QTest::addRow("runner_unusable") << F::RunnerUnusable << u"the packed test is cut short"_s << here << 0 << false;
    QTest::addRow("not_a_runner") << F::NotARunner << QString() << here << 0 << false;
    QTest::addRow("older_runner") << F::OlderRunner << QString() << here << 0 << false;
    QTest::addRow("runner_of_the_other_system") << F::OtherSystem << QString() << here << 0 << false;
    QTest::addRow("cannot_pack") << F::CannotPack << u"the test's files are larger than 2 GB"_s << here << 0 << false;
    QTest::addRow("name_refused") << F::NameRefused << u"CON names a device"_s << Packing::System::Windows << 0 << false;
    QTest::addRow("target_is_a_test_file") << F::TargetIsQuizFile << u"test.kaz"_s << here << 0 << false;
    QTest::addRow("target_is_a_folder") << F::TargetIsFolder << QString() << here << 0 << false;
    QTest::addRow("target_exists") << F::TargetExists << QString() << here << 0 << true;
    QTest::addRow("not_written_old_program_kept") << F::NotWritten << u"permission denied; choose another folder"_s << here
                                                  << 0 << true;
    QTest::addRow("made_with_exe_added") << F::None << QString() << Packing::System::Windows << 0 << false;
}

void TestPacking::toldToEachReader()
{
    QFETCH(Packing::Failure, failure);
    QFETCH(QString, reason);
    QFETCH(Packing::System, target);
    QFETCH(int, problems);
    QFETCH(bool, oldProgram);
    Packing::Result result;
    result.failure = failure;
    result.reason = reason;
    result.target = target;
    result.runnerFormat = failure == Packing::Failure::OlderRunner ? 0 : -1;
    result.checked.read = true;
    result.checked.testFile = u"test.kaz"_s;
    for (int i = 0; i < problems; ++i)
        result.checked.problems.append({u"test.kaz"_s, i, u"the section [left] has no phrases"_s});
    Packing::Names names;
    names.test = u"/home/teacher/tests/istoriya"_s;
    names.runner = u"/usr/libexec/kaz/kazrunner"_s;
    names.target = target;
    names.asked = u"/home/teacher/tests/kaz-istoriya"_s;
    names.program = Packing::programPath(names.asked, target);
    names.oldProgram = oldProgram;

    // kazpack: its own lines, each naming a file, an error or a note.
    const QList<Packing::Message> lines = Packing::messages(result, names, Packing::Reader::Kazpack);
    QVERIFY(!lines.isEmpty());
    static const QRegularExpression kazpackLine(u"^\\S.*: (error|note): \\S"_s);
    for (const Packing::Message &m : lines.mid(0, qMax(1, problems))) // the problems, or the one line
        QVERIFY2(kazpackLine.match(m.text).hasMatch(), qPrintable(m.text));
    QCOMPARE(lines.first().severity, failure == Packing::Failure::None ? Packing::Message::Severity::Note
                                                                       : Packing::Message::Severity::Error);

    // The editor, in Bulgarian: sentences for a teacher, without kazpack's form or options.
    QTranslator bulgarian;
    QVERIFY(bulgarian.load(u":/i18n/kaz_bg.qm"_s));
    QCoreApplication::installTranslator(&bulgarian);
    const QList<Packing::Message> sentences = Packing::messages(result, names, Packing::Reader::Editor);
    QCoreApplication::removeTranslator(&bulgarian);
    QCOMPARE(sentences.size(), failure == Packing::Failure::TestProblems ? qMin(problems, 10) + 1 : oldProgram && failure != Packing::Failure::TargetExists ? 2 : 1);
    static const QRegularExpression terminalForm(u"^\\S+:(\\d+:)? |: (error|note|грешка|бележка): "_s);
    static const QRegularExpression option(u"(^|\\s)--?[a-z]"_s);
    static const QRegularExpression cyrillic(u"[\u0430-\u044f]{3}"_s);
    for (const Packing::Message &m : sentences) {
        QVERIFY2(!terminalForm.match(m.text).hasMatch(), qPrintable(m.text));
        QVERIFY2(!option.match(m.text).hasMatch(), qPrintable(m.text));
        QVERIFY2(m.text.at(0).isUpper(), qPrintable(m.text));
        QVERIFY2(m.text.endsWith(u'.'), qPrintable(m.text));
        QVERIFY2(cyrillic.match(m.text).hasMatch(), qPrintable(m.text));
        QCOMPARE(m.failure, failure);
    }
    if (failure == Packing::Failure::TestProblems)
        QCOMPARE(sentences.first().file, u"test.kaz"_s);
}

QTEST_GUILESS_MAIN(TestPacking)
#include "tst_packing.moc"
