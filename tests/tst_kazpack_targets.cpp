// Where kazpack writes a program, and what it reads: never over a file of the test itself,
// only under a name Windows can hold when Windows is involved, with ".exe" for a Windows
// program; and a test folder left by a save cut short is packed as one whole test or refused.
// kazpack runs in-process, as in tst_kazpack.
#include "FileAccess.h"
#include "KazpackCommands.h"
#include "KazpackRun.h"
#include "KilledAtStep.h"
#include "PackedQuiz.h"
#include "Packing.h"
#include "Printing.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "TestRunners.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cerrno>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Packing::System)

namespace {

using KazpackRun::Run;

Run kazpack(const QStringList &arguments, const QString &defaultRunner = QStringLiteral(KAZRUNNER))
{
    return KazpackRun::kazpack(arguments, defaultRunner);
}

// Every file below `dir` with its bytes, hidden ones included: what must not change.
QStringList snapshot(const QString &dir)
{
    QStringList out;
    for (const QString &name : TestFiles::everything(dir))
        out.append(name + u'=' + QString::fromLatin1(TestFiles::contents(QDir(dir).filePath(name)).toBase64()));
    return out;
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

const QByteArray Mark("KAZ quiz runner, packed format 1\n");

// The plane-figures test: its test.kaz names kwadrat.png (question 1), among others.
const QString Figuri = u"quizzes/figuri"_s;

} // namespace

class TestKazpackTargets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // An output that is one of the test's own files, by any path the file system takes to it,
    // is refused before anything is written or removed; any other file in the folder is not.
    void ownFilesRefused_data()
    {
        QTest::addColumn<QString>("output"); // below the scratch folder, which holds the test "self"
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("own");    // how the message names the file; empty: packed
        // A program for Linux unless "--windows" is among the options.
        const QStringList force{u"--force"_s};
        QTest::addRow("test_kaz") << u"self/test.kaz"_s << force << u"test.kaz"_s;
        QTest::addRow("test_kaz_without_force") << u"self/test.kaz"_s << QStringList{} << u"test.kaz"_s;
        QTest::addRow("test_kaz_removed_first_by_a_build") << u"self/test.kaz"_s << QStringList{u"--remove-first"_s}
                                                           << u"test.kaz"_s;
        QTest::addRow("test_kaz_by_another_path") << u"self/../self/./test.kaz"_s << force << u"test.kaz"_s;
        QTest::addRow("a_picture") << u"self/kwadrat.png"_s << force << u"picture \"kwadrat.png\""_s;
        QTest::addRow("a_picture_removed_first") << u"self/kwadrat.png"_s << QStringList{u"--remove-first"_s}
                                                 << u"picture \"kwadrat.png\""_s;
        QTest::addRow("the_icon") << u"self/icon.png"_s << force << u"icon, icon.png"_s;
        QTest::addRow("through_a_linked_folder") << u"alias/test.kaz"_s << force << u"test.kaz"_s;
        QTest::addRow("a_link_to_a_picture") << u"link"_s << force << u"picture \"kwadrat.png\""_s;
#ifdef Q_OS_WIN
        QTest::addRow("other_capitals") << u"self/TEST.KAZ"_s << force << u"test.kaz"_s;
#else // another file on Linux
        QTest::addRow("other_capitals") << u"self/TEST.KAZ"_s << force << QString();
#endif
        QTest::addRow("a_file_of_the_folder_the_test_does_not_use") << u"self/draw-pictures.sh"_s << force << QString();
        QTest::addRow("a_new_file_in_the_folder") << u"self/kaz-self"_s << QStringList{} << QString();
        // Written as test.kaz.exe beside it.
        QTest::addRow("windows_program_named_test_kaz") << u"self/test.kaz"_s << QStringList{u"--windows"_s} << QString();
    }
    void ownFilesRefused()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(QString, own);
        const QString folder = TestFiles::copyFolder(TestFiles::sourcePath(Figuri), m_dir->path(), u"self"_s);
        QVERIFY(!folder.isEmpty());
        QVERIFY(TestFiles::write(QDir(folder).filePath(u"icon.png"_s), TestPictures::png(64, 64)));
        if (output.startsWith(u"alias/"_s) || output == u"link") {
            KAZ_SKIP_WITHOUT_UNIX_FILES();
            QVERIFY(TestFiles::symlink(folder, path(u"alias"_s)));
            QVERIFY(TestFiles::symlink(QDir(folder).filePath(u"kwadrat.png"_s), path(u"link"_s)));
        }
        const bool windows = options.removeAll(u"--windows"_s) > 0;
        // A runner for the system asked for, whichever system packs: the names are Linux's
        // unless Windows is involved.
        QVERIFY(TestFiles::write(path(u"runners/runner"_s), windows ? TestRunners::peProgram(Mark) : TestRunners::elfProgram(Mark)));
        const QStringList before = snapshot(folder);

        const Run run = kazpack(QStringList{folder, u"-o"_s, path(output), u"--runner"_s, path(u"runners/runner"_s)} + options);
        if (own.isEmpty()) {
            QVERIFY2(run.status == 0, qPrintable(run.err));
            const QString written = windows ? path(output) + u".exe"_s : path(output);
            QCOMPARE(run.out, native(written) + u'\n');
            QVERIFY(PackedQuiz::read(written).ok());
            QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)),
                     TestFiles::contents(TestFiles::sourcePath(Figuri + u"/test.kaz"_s)));
            return;
        }
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, native(path(output)) + u": error: this is the test's own "_s + own
                              + u", and the program would take its place; give the program another name, such as "_s
                              + native(path(u"kaz-self"_s)) + u'\n');
        QCOMPARE(run.out, QString());
        QCOMPARE(snapshot(folder), before);
    }

    // The build's list of the program's files is never written over one of the test's files
    // either, and nothing is removed or written then.
    void depfileNeverOverTheTestsOwnFiles()
    {
        const QString folder = TestFiles::copyFolder(TestFiles::sourcePath(Figuri), m_dir->path(), u"self"_s);
        const QStringList before = snapshot(m_dir->path());
        const QString depfile = QDir(folder).filePath(u"kwadrat.png"_s);
        const Run run = kazpack({folder, u"-o"_s, path(u"kaz-self"_s), u"--remove-first"_s, u"--depfile"_s, depfile});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, native(depfile) + u": error: this is one of the test's own files; give the list of the "
                                            "program's files another name\n"_s);
        QCOMPARE(snapshot(m_dir->path()), before);
    }

    // The names a program may not have where Windows holds it: a Windows program's (the
    // learners' system), and any program kazpack writes on Windows. Refused with the reason;
    // a Windows program without ".exe" gets it, and kazpack says so.
    void windowsNames_data()
    {
        using S = Packing::System;
        QTest::addColumn<QString>("output");
        QTest::addColumn<S>("system");
        QTest::addColumn<QString>("says");    // the reason, after "Windows cannot use this name: "; empty: packed
        QTest::addColumn<QString>("written"); // the program's name when packed
        const QString device = u"%1 names a device on Windows, with any ending after it (such as %1.exe), so Windows "
                               "makes no file of that name"_s;
        QTest::addRow("device") << u"CON"_s << S::Windows << device.arg(u"CON"_s) << QString();
        QTest::addRow("device_with_exe") << u"NUL.exe"_s << S::Windows << device.arg(u"NUL"_s) << QString();
        QTest::addRow("device_in_small_letters") << u"aux.kaz.exe"_s << S::Windows << device.arg(u"AUX"_s) << QString();
        QTest::addRow("numbered_device") << u"COM1.exe"_s << S::Windows << device.arg(u"COM1"_s) << QString();
        QTest::addRow("printer_port") << u"lpt9"_s << S::Windows << device.arg(u"LPT9"_s) << QString();
        QTest::addRow("device_then_a_space") << u"PRN .exe"_s << S::Windows << device.arg(u"PRN"_s) << QString();
        const QString dropped = u"the name ends with a %1, which Windows drops from a file name, so the program would "
                                "get another name than the one given"_s;
        QTest::addRow("trailing_dot") << u"kaz-x."_s << S::Windows << dropped.arg(u"dot"_s) << QString();
        QTest::addRow("trailing_space") << u"kaz-y "_s << S::Windows << dropped.arg(u"space"_s) << QString();
        const QString character = u"the name holds the character %1, which Windows does not allow in a file name (nor "
                                  "any of < > : \" | ? * \\)"_s;
        QTest::addRow("colon") << u"kaz:x.exe"_s << S::Windows << character.arg(QChar(u':')) << QString();
        QTest::addRow("question_mark") << u"kaz?"_s << S::Windows << character.arg(QChar(u'?')) << QString();
        QTest::addRow("quote") << u"kaz\"x\".exe"_s << S::Windows << character.arg(QChar(u'"')) << QString();
        QTest::addRow("control_character") << u"kaz\tx.exe"_s << S::Windows
                                           << u"the name holds a control character, which Windows does not allow in a "
                                              "file name"_s
                                           << QString();
        QTest::addRow("exe_added") << u"kaz-x"_s << S::Windows << QString() << u"kaz-x.exe"_s;
        QTest::addRow("a_name_with_a_device_inside") << u"CONSOLE"_s << S::Windows << QString() << u"CONSOLE.exe"_s;
        QTest::addRow("exe_in_capitals_kept") << u"KAZ-X.EXE"_s << S::Windows << QString() << u"KAZ-X.EXE"_s;
        QTest::addRow("dots_inside") << u"kaz.v2"_s << S::Windows << QString() << u"kaz.v2.exe"_s;
        // A Linux program is held by Windows only when kazpack runs there.
        const bool onWindows = Packing::thisSystem() == S::Windows;
        QTest::addRow("linux_program_named_like_a_device") << u"CON"_s << S::Linux
                                                           << (onWindows ? device.arg(u"CON"_s) : QString()) << u"CON"_s;
        QTest::addRow("linux_program_ending_with_a_dot")
            << u"kaz-x."_s << S::Linux << (onWindows ? dropped.arg(u"dot"_s) : QString()) << u"kaz-x."_s;
    }
    void windowsNames()
    {
        using S = Packing::System;
        QFETCH(QString, output);
        QFETCH(S, system);
        QFETCH(QString, says);
        QFETCH(QString, written);
        QVERIFY(TestFiles::write(path(u"self/test.kaz"_s), TestFiles::contents(TestFiles::shippedTest())));
        QVERIFY(TestFiles::write(path(u"runners/runner"_s),
                                 system == S::Windows ? TestRunners::peProgram(Mark) : TestRunners::elfProgram(Mark)));
        const QStringList before = TestFiles::everything(m_dir->path());
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const Run run = kazpack({u"self"_s, u"-o"_s, output, u"--runner"_s, u"runners/runner"_s,
                                 system == S::Windows ? u"--windows"_s : u"--linux"_s});
        QVERIFY(QDir::setCurrent(current));
        if (!says.isEmpty()) {
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err, printablePath(output) + u": error: Windows cannot use this name: "_s + says
                                  + u"; give the program another name, such as "_s
                                  + (system == S::Windows ? u"kaz-self.exe"_s : u"kaz-self"_s) + u'\n');
            QCOMPARE(TestFiles::everything(m_dir->path()), before);
            return;
        }
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, written + u'\n');
        QCOMPARE(run.err, written == output ? QString()
                                            : output + u": note: a program for Windows starts only with .exe at the end "
                                                       "of its name, so it was written as "_s
                                                  + written + u'\n');
        QCOMPARE(Packing::systemOf(TestFiles::contents(path(written))), std::optional<S>(system));
        QStringList after = before + QStringList{written};
        after.sort();
        QCOMPARE(TestFiles::everything(m_dir->path()), after);
    }

    // A folder given for a Windows program is refused as a folder, not made "FOLDER.exe".
    void folderForAWindowsProgram()
    {
        QVERIFY(TestFiles::write(path(u"self/test.kaz"_s), TestFiles::contents(TestFiles::shippedTest())));
        QVERIFY(TestFiles::write(path(u"runners/runner"_s), TestRunners::peProgram(Mark)));
        QVERIFY(QDir().mkpath(path(u"out"_s)));
        const QStringList before = TestFiles::everything(m_dir->path());
        const Run run = kazpack({path(u"self"_s), u"--windows"_s, u"--runner"_s, path(u"runners/runner"_s), u"-o"_s, path(u"out"_s)});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith(native(path(u"out"_s)) + u": error: this is a folder; give the program's file name with -o"_s),
                 qPrintable(run.err));
        QCOMPARE(TestFiles::everything(m_dir->path()), before);
    }

    // A save of a test and its picture killed before each of its steps (as a crash or a power
    // cut stops it) leaves the new test beside the old picture for a while. kazpack packs one
    // whole test, old or new, from every such folder: it finishes the save where the save had
    // counted. Where the folder cannot be written (here every write fails as on a disk that
    // can only be read), a folder left half old, half new is refused with what to do, and
    // left as it is.
    void saveCutShortPackedWhole_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addRow("folder_that_can_be_written") << false;
        QTest::addRow("folder_on_a_read_only_disk") << true;
    }
    void saveCutShortPackedWhole()
    {
        KAZ_SKIP_WITHOUT_KILLED_STEPS();
        QFETCH(bool, readOnly);
        const QByteArray oldTest = TestFiles::contents(TestFiles::sourcePath(Figuri + u"/test.kaz"_s));
        const QByteArray oldPicture = TestFiles::contents(TestFiles::sourcePath(Figuri + u"/kwadrat.png"_s));
        QByteArray newTest = oldTest;
        newTest.replace("\nКвадрат\n", "\nНов квадрат\n");
        QVERIFY(newTest != oldTest);
        const QByteArray newPicture = TestPictures::png(40, 40, qRgb(10, 120, 10));
        const QList<FileAccess::Output> save{{u"test.kaz"_s, newTest}, {u"kwadrat.png"_s, newPicture}};

        // The steps of the whole save.
        qsizetype steps = 0;
        {
            const QString folder = TestFiles::copyFolder(TestFiles::sourcePath(Figuri), m_dir->path(), u"count"_s);
            FileAccess::setStepHook([&steps](const QString &, const QString &) { ++steps; });
            QCOMPARE(FileAccess::writeAll(folder, save), QString());
            FileAccess::setStepHook({});
        }
        QVERIFY(steps > 4);
        int refused = 0;
        int mixed = 0;
        for (qsizetype k = 0; k < steps; ++k) {
            const QString folder = TestFiles::copyFolder(TestFiles::sourcePath(Figuri), m_dir->path(), u"cut%1"_s.arg(k));
            QVERIFY(killedAtStep(k, [&] { FileAccess::writeAll(folder, save); }));
            const bool newTestThere = TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)) == newTest;
            const bool newPictureThere = TestFiles::contents(QDir(folder).filePath(u"kwadrat.png"_s)) == newPicture;
            mixed += newTestThere != newPictureThere;
            const QStringList left = snapshot(folder);

            const QString program = path(u"kaz-cut%1"_s.arg(k));
            if (readOnly) // the test's folder alone: the program is written elsewhere
                FileAccess::setFaultHook([&folder](const QString &, const QString &at) {
                    return at.startsWith(folder) ? EROFS : 0;
                });
            const Run run = kazpack({folder, u"-o"_s, program});
            FileAccess::setFaultHook({});
            const QString at = u"killed before step %1"_s.arg(k);
            if (run.status != 0) {
                QVERIFY2(readOnly, qPrintable(at + u": "_s + run.err));
                ++refused;
                QVERIFY2(run.err.startsWith(native(QDir(folder).filePath(u"test.kaz"_s))
                                            + u": error: cannot read the test: a save into "_s + native(folder)
                                            + u" was cut short, so some of its files are new and others still old; "
                                              "finishing it needs to write in the folder, and that failed (read-only "
                                              "file system). Open the test in the KAZ editor where you may write to "
                                              "the folder, or copy the whole folder, its hidden files too, to a folder "
                                              "of your own and use the copy\n"_s),
                         qPrintable(at + u": "_s + run.err));
                QCOMPARE(snapshot(folder), left);
                QVERIFY(!QFileInfo::exists(program));
                continue;
            }
            QVERIFY2(run.err.isEmpty(), qPrintable(at + u": "_s + run.err));
            const PackedQuiz::Contents packed = PackedQuiz::read(program);
            QVERIFY2(packed.ok(), qPrintable(packed.reason));
            QByteArray test, picture;
            for (const PackedQuiz::File &f : packed.files) {
                if (f.name == u"test.kaz")
                    test = f.bytes;
                else if (f.name == u"kwadrat.png")
                    picture = f.bytes;
            }
            QVERIFY2((test == oldTest && picture == oldPicture) || (test == newTest && picture == newPicture),
                     qPrintable(at + (test == newTest ? u": the new test"_s : u": the old test"_s)
                                + (picture == newPicture ? u" with the new picture"_s : u" with the old picture"_s)));
        }
        // The hostile case was met: some folders held the new test beside the old picture.
        QVERIFY(mixed > 0);
        QCOMPARE(refused > 0, readOnly);
    }

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestKazpackTargets)
#include "tst_kazpack_targets.moc"
