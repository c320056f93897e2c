// kazpack's commands run in-process on folders written to disk, and the programs they make
// run as a learner starts them: a sound one opens its test, a damaged one says what is
// wrong, on standard error, and ends with status 1.
#include "ContentStore.h"
#include "KazpackCommands.h"
#include "KazpackRun.h"
#include "MenuEntries.h"
#include "PackedQuiz.h"
#include "Packing.h"
#include "ProgramQuiz.h"
#include "StartMenu.h"
#include "TestFiles.h"
#include "QuizFolder.h"
#include "TestPictures.h"
#include "TestRunners.h"
#include "ToolLocale.h"
#include "WindowsDiffers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(Packing::System)

namespace {

using TestPictures::picture;

using KazpackRun::Run;

Run kazpack(const QStringList &arguments, const QString &defaultRunner = QStringLiteral(KAZRUNNER))
{
    return KazpackRun::kazpack(arguments, defaultRunner);
}

QString source(const QString &relative)
{
    return qEnvironmentVariable("KAZ_SOURCE_DIR") + u'/' + relative;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Qt writes no GIF; this one is 1 × 1 pixels.
const QByteArray Gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

// Five questions, each with a picture in another format, Cyrillic names and phrases.
QByteArray everyFormat()
{
    QStringList lines = {u"[parameters]"_qs, u"https://kaz.test Картинки"_qs, u"11250"_qs, u"120"_qs, u"3135"_qs,
                         u"3360"_qs, u"6575"_qs, u"[left]"_qs, u"Лом"_qs, u"Варна"_qs, u"Русе"_qs, u"Шумен"_qs,
                         u"Видин"_qs, u"[right]"_qs, u"Алмус"_qs, u"Одесос"_qs, u"Русчук"_qs, u"Шумла"_qs,
                         u"Бонония"_qs, u"[picture flags]"_qs, u"Рисунки"_qs, u"1"_qs, u"1"_qs, u"1"_qs, u"1"_qs,
                         u"1"_qs};
    const QStringList names = {u"Карта 1.png"_qs, u"снимка.jpg"_qs, u"c.JPEG"_qs, u"d.bmp"_qs, u"e.gif"_qs};
    for (int q = 1; q <= 5; ++q)
        lines << u"[picture %1]"_qs.arg(q) << u"file = "_qs + names.at(q - 1) << u"width = 300"_qs
              << u"height = 150"_qs;
    return lines.join(u'\n').toUtf8() + '\n';
}

// Writes the every-format test into `folder`.
bool writeEveryFormat(const QString &folder)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    return writeFile(dir.filePath(u"test.kaz"_qs), everyFormat())
        && writeFile(dir.filePath(u"Карта 1.png"_qs), picture(20, 10, "PNG"))
        && writeFile(dir.filePath(u"снимка.jpg"_qs), picture(20, 10, "JPG"))
        && writeFile(dir.filePath(u"c.JPEG"_qs), picture(20, 10, "JPEG"))
        && writeFile(dir.filePath(u"d.bmp"_qs), picture(20, 10, "BMP")) && writeFile(dir.filePath(u"e.gif"_qs), Gif);
}

QStringList packedNames(const QString &program)
{
    QStringList names;
    for (const PackedQuiz::File &f : PackedQuiz::read(program).files)
        names << f.name;
    return names;
}

struct Started
{
    int status = -1;
    QString err;
    bool finished = false;
};

// Starts `program` as a learner would, with `environment` added; never waits more than
// `ms` (a program still running then is ended).
Started start(const QString &program, const QStringList &environment, int ms = 30000)
{
    QProcess p;
    QProcessEnvironment env = inEnglish();
    env.remove(u"QT_QPA_PLATFORM"_qs);
    env.remove(u"DISPLAY"_qs);
    env.remove(u"WAYLAND_DISPLAY"_qs);
    for (const QString &e : environment)
        env.insert(e.section(u'=', 0, 0), e.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.start(program, {});
    Started s;
    s.finished = p.waitForFinished(ms);
    if (!s.finished) {
        p.kill();
        p.waitForFinished();
    }
    s.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.err = toolText(p.readAllStandardError());
    return s;
}

} // namespace

class TestKazpack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A folder of its own for every test and every row.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // The shipped tests: packed, read back, taken out and packed again to the same bytes.
    void roundTripShippedTests_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addRow("istoriya") << source(u"quizzes/istoriya"_qs);
        QTest::addRow("figuri_with_pictures") << source(u"quizzes/figuri"_qs);
    }
    void roundTripShippedTests()
    {
        QFETCH(QString, folder);
        const QString program = exe(u"kaz-test"_qs);
        const Run packed = kazpack({folder, u"-o"_qs, program});
        QVERIFY2(packed.status == 0, qPrintable(packed.err));
        QCOMPARE(packed.out, native(program) + u'\n');

        const QuizFolder::Checked fromFolder = QuizFolder::check(folder);
        QVERIFY(fromFolder.ok());
        const PackedQuiz::Contents contents = PackedQuiz::read(program);
        QVERIFY2(contents.ok(), qPrintable(contents.reason));
        QCOMPARE(contents.files, fromFolder.files);
        QCOMPARE(contents.files.constFirst().name, u"test.kaz"_qs);
        QCOMPARE(contents.files.constFirst().bytes, readFile(folder + u"/test.kaz"_qs));
        for (const PackedQuiz::File &f : contents.files)
            QCOMPARE(f.bytes, readFile(folder + u'/' + f.name));

        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        for (int side = 0; side < 4; ++side)
            QCOMPARE(loaded.content->Danni(side), fromFolder.store.Danni(side));
        for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
            const QString name = fromFolder.store.Graphika(q).source.section(u'/', -1);
            QCOMPARE(loaded.content->Graphika(q).source, name);
            if (!name.isEmpty())
                QCOMPARE(loaded.content->pictureData(name), readFile(folder + u'/' + name));
        }

        const QString extracted = path(u"back/test"_qs);
        const Run out = kazpack({u"--extract"_qs, program, extracted});
        QVERIFY2(out.status == 0, qPrintable(out.err));
        QCOMPARE(QDir(extracted).entryList(QDir::Files).size(), contents.files.size());
        const Run again = kazpack({extracted, u"-o"_qs, exe(u"again"_qs)});
        QVERIFY2(again.status == 0, qPrintable(again.err));
        QCOMPARE(readFile(exe(u"again"_qs)), readFile(program));
    }

    void everyPictureFormat()
    {
        const QString folder = path(u"картинки"_qs);
        QVERIFY(writeEveryFormat(folder));
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const Run run = kazpack({folder});
        QDir::setCurrent(QDir::rootPath());
        QVERIFY2(run.status == 0, qPrintable(run.err));
        // A Windows program's name ends with ".exe".
        const QString program = path(TestFiles::programName(u"kaz-картинки"_qs));
        QCOMPARE(run.out, TestFiles::programName(u"kaz-картинки"_qs) + u'\n');
        QCOMPARE(packedNames(program),
                 (QStringList{u"test.kaz"_qs, u"Карта 1.png"_qs, u"снимка.jpg"_qs, u"c.JPEG"_qs, u"d.bmp"_qs,
                              u"e.gif"_qs}));
        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program);
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        QCOMPARE(loaded.content->Danni(0).constFirst(), u"Лом"_qs);
        for (int q = 1; q <= 5; ++q) {
            const QString name = loaded.content->Graphika(q).source;
            const QImage image = QImage::fromData(loaded.content->pictureData(name));
            QCOMPARE(image.size(), q == 5 ? QSize(1, 1) : QSize(20, 10));
        }
        const Run out = kazpack({u"--extract"_qs, program, path(u"назад"_qs)});
        QVERIFY2(out.status == 0, qPrintable(out.err));
        QCOMPARE(kazpack({path(u"назад"_qs), u"-o"_qs, exe(u"again"_qs)}).status, 0);
        QCOMPARE(readFile(exe(u"again"_qs)), readFile(program));
    }

    void list()
    {
        const QString program = exe(u"kaz-figuri"_qs);
        QCOMPARE(kazpack({source(u"quizzes/figuri"_qs), u"-o"_qs, program}).status, 0);
        const Run run = kazpack({u"--list"_qs, program});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QVERIFY2(lines.constFirst().startsWith(program + u": packed format 1, 9 files, "_qs), qPrintable(lines.constFirst()));
        QCOMPARE(lines.at(1).simplified(),
                 u"%1 test.kaz"_qs.arg(readFile(source(u"quizzes/figuri/test.kaz"_qs)).size()));
        QCOMPARE(lines.at(2).simplified(), u"3085 kwadrat.png"_qs);
    }

    // Every problem of the folder at once, as kazcheck words them, and nothing written.
    void folderWithProblemsWritesNothing()
    {
        const QString folder = path(u"faulty"_qs);
        QVERIFY(writeEveryFormat(folder));
        QByteArray text = everyFormat();
        text.replace("11250", "11 250").replace("file = d.bmp", "file = D.bmp").replace("Русе\n", "Лом\n");
        QVERIFY(writeFile(folder + u"/test.kaz"_qs, text));
        const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
        const Run run = kazpack({folder, u"-o"_qs, exe(u"kaz-faulty"_qs)});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        KAZ_WINDOWS_DIFFERS("file names are not told apart by case: D.bmp is read as d.bmp");
        QCOMPARE(lines.size(), 4);
        const QString kaz = native(folder + u"/test.kaz"_qs);
        QVERIFY2(lines.at(0).startsWith(kaz + u":3: error: \"11 250\" is not a usable number"_qs), qPrintable(lines.at(0)));
        QVERIFY2(lines.at(1).startsWith(kaz + u":11: error: the phrase \"Лом\" is already on line 9"_qs), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(2).contains(u"there is no such file beside test.kaz, but there is \"d.bmp\""), qPrintable(lines.at(2)));
        QCOMPARE(lines.at(3), u"3 problems in %1; no program was written"_qs.arg(kaz));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    // kazpack words a faulty folder as the real kazcheck does, line for line, the first 50
    // problems and then how many more; only the last line says what was not made.
    void sameOutputAsKazcheck_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("problems");
        QByteArray mistakes = everyFormat();
        mistakes.replace("11250", "11 250").replace("file = d.bmp", "file = D.bmp").replace("Русе\n", "Лом\n");
        QTest::addRow("three_mistakes") << mistakes << 3;
        QByteArray many = everyFormat();
        many.replace("[left]\nЛом\n", "[left]\nЛом\n" + QByteArray("Лом\n").repeated(60));
        // 60 phrases repeat the first, and [picture flags] has too few flags for 65 phrases.
        QTest::addRow("sixty_one_mistakes") << many << 61;
    }
    void sameOutputAsKazcheck()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, problems);
        const QString folder = path(u"faulty"_qs);
        QVERIFY(writeEveryFormat(folder));
        QVERIFY(writeFile(folder + u"/test.kaz"_qs, text));

        QProcess kazcheck;
        startInEnglish(kazcheck, QStringLiteral(KAZCHECK), {folder});
        QVERIFY(kazcheck.waitForFinished(30000));
        QCOMPARE(kazcheck.exitCode(), 1);
        const QStringList checked = toolText(kazcheck.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        const Run packed = kazpack({folder, u"-o"_qs, exe(u"kaz-faulty"_qs)});
        QCOMPARE(packed.status, 1);
        const QStringList said = packed.err.split(u'\n', Qt::SkipEmptyParts);

        const qsizetype shown = std::min(problems, 50) + (problems > 50 ? 1 : 0);
        if (problems == 3)
            KAZ_WINDOWS_DIFFERS("file names are not told apart by case: D.bmp is read as d.bmp");
        QCOMPARE(said.size(), shown + 1);
        QCOMPARE(said.mid(0, shown), checked.mid(0, shown));
        if (problems > 50)
            QCOMPARE(said.at(50), u"… and %1 more problems"_qs.arg(problems - 50));
        const QString kaz = native(folder + u"/test.kaz"_qs);
        QCOMPARE(checked.constLast(), u"%1 problems in %2; the test was not built"_qs.arg(problems).arg(kaz));
        QCOMPARE(said.constLast(), u"%1 problems in %2; no program was written"_qs.arg(problems).arg(kaz));
        QVERIFY(!QFile::exists(exe(u"kaz-faulty"_qs)));
    }

    // A folder that is not there, or is a file: the one line kazcheck prints.
    void notAFolderAsKazcheck_data()
    {
        QTest::addColumn<bool>("file");
        QTest::addColumn<QString>("says");
        QTest::addRow("missing") << false << u"there is no folder"_qs;
        QTest::addRow("a_file") << true << u"is a file, not a folder; name the folder that holds test.kaz"_qs;
    }
    void notAFolderAsKazcheck()
    {
        QFETCH(bool, file);
        QFETCH(QString, says);
        const QString folder = path(u"test"_qs);
        if (file)
            QVERIFY(writeFile(folder, everyFormat()));
        QProcess kazcheck;
        startInEnglish(kazcheck, QStringLiteral(KAZCHECK), {folder});
        QVERIFY(kazcheck.waitForFinished(30000));
        QCOMPARE(kazcheck.exitCode(), 1);
        const Run packed = kazpack({folder, u"-o"_qs, exe(u"kaz-test"_qs)});
        QCOMPARE(packed.status, 1);
        QCOMPARE(packed.err, toolText(kazcheck.readAllStandardError()));
        QVERIFY2(packed.err.startsWith(native(folder + u"/test.kaz"_qs) + u": error: cannot read the test: "_qs) && packed.err.contains(says)
                     && packed.err.count(u'\n') == 1,
                 qPrintable(packed.err));
    }

    void existingProgramKeptWithoutForce()
    {
        const QString program = exe(u"kaz-x"_qs);
        QVERIFY(writeFile(program, "an older program"));
        const Run refused = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, program});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(u"already exists and is kept; give --force to replace it, or another name with -o"),
                 qPrintable(refused.err));
        QCOMPARE(readFile(program), QByteArray("an older program"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QFileInfo(program).fileName()}); // no temporary file left

#ifdef Q_OS_UNIX
        const mode_t mask = ::umask(027);
#endif
        const Run forced = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, program, u"--force"_qs});
#ifdef Q_OS_UNIX
        ::umask(mask);
#endif
        QVERIFY2(forced.status == 0, qPrintable(forced.err));
        QVERIFY(PackedQuiz::read(program).ok());
#ifdef Q_OS_UNIX // the user's umask, on the permissions only Unix has
        struct stat st{};
        QCOMPARE(::stat(QFile::encodeName(program).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0750));
#endif
    }

    // A program named by a link replaces the link itself: the file it points to, outside the
    // path given, stays as it was.
    void outputLinkReplacedNotItsTarget()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(u"notes.txt"_qs);
        QVERIFY(writeFile(outside, "a teacher's notes"));
        const QString program = exe(u"kaz-x"_qs);
        QVERIFY(QFile::link(outside, program));
        const Run forced = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, program, u"--force"_qs});
        QVERIFY2(forced.status == 0, qPrintable(forced.err));
        QCOMPARE(readFile(outside), QByteArray("a teacher's notes"));
        QVERIFY(!QFileInfo(program).isSymLink());
        QVERIFY(PackedQuiz::read(program).ok());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"kaz-x"_qs});
    }

    // A pack that fails over an older program: the teacher's file is kept and the message says
    // it still holds the old test; the build's --remove-first leaves no program at all.
    void failedPackOverOldProgram_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("kept");
        QTest::addRow("teacher_without_force") << QStringList{} << true;
        QTest::addRow("teacher_with_force") << QStringList{u"--force"_qs} << true;
        QTest::addRow("build_remove_first") << QStringList{u"--remove-first"_qs} << false;
    }
    void failedPackOverOldProgram()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, kept);
        const QString folder = path(u"faulty"_qs);
        QVERIFY(writeEveryFormat(folder));
        QVERIFY(writeFile(folder + u"/test.kaz"_qs, everyFormat().replace("11250", "11 250")));
        const QString program = exe(u"kaz-faulty"_qs);
        QVERIFY(writeFile(program, "the program of the old test"));
        const Run run = kazpack(QStringList{folder, u"-o"_qs, program} + options);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"no program was written"), qPrintable(run.err));
        const QString note = native(program) + u": note: the program that was already there is left as it was and still "
                                       "holds the old test"_qs;
        QCOMPARE(run.err.contains(note), kept);
        QCOMPARE(QFileInfo::exists(program), kept);
        if (kept)
            QCOMPARE(readFile(program), QByteArray("the program of the old test"));

        // A sound folder then makes the program anew, with or without one before it.
        QVERIFY(writeEveryFormat(folder));
        const Run again = kazpack({folder, u"-o"_qs, program, u"--remove-first"_qs});
        QVERIFY2(again.status == 0, qPrintable(again.err));
        QVERIFY(PackedQuiz::read(program).ok());
    }

    // Packing that fails later than the check (here: no runner) keeps the note and the rule.
    void missingRunnerOverOldProgram()
    {
        const QString program = exe(u"kaz-x"_qs);
        QVERIFY(writeFile(program, "old"));
        const QStringList args{source(u"quizzes/istoriya"_qs), u"-o"_qs, program, u"--runner"_qs, path(u"none"_qs)};
        const Run teacher = kazpack(args + QStringList{u"--force"_qs});
        QCOMPARE(teacher.status, 1);
        QVERIFY2(teacher.err.contains(u"still holds the old test"), qPrintable(teacher.err));
        QCOMPARE(readFile(program), QByteArray("old"));
        const Run build = kazpack(args + QStringList{u"--remove-first"_qs});
        QCOMPARE(build.status, 1);
        QVERIFY(!QFileInfo::exists(program));
    }

    void outputIsAFolder()
    {
        const Run run = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, m_dir->path()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"this is a folder; give the program's file name with -o"), qPrintable(run.err));
    }

    // A program or list that cannot be written says why in words and what to do.
    void outputNotWritten_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("says");
        QTest::addRow("program_in_a_missing_folder")
            << QStringList{u"-o"_qs, TestFiles::programName(u"nowhere/kaz-x"_qs)} << u"nowhere"_qs
            << TestFiles::programName(u"nowhere/kaz-x"_qs)
                   + u": error: cannot write the program: the folder %1 does not exist; make that folder first, or "
                     "choose one that exists"_qs;
        QTest::addRow("depfile_in_a_missing_folder")
            << QStringList{u"-o"_qs, u"kaz-x"_qs, u"--remove-first"_qs, u"--depfile"_qs, u"gone/kaz-x.d"_qs} << u"gone"_qs
            << u"gone/kaz-x.d: error: cannot write the list of the program's files: the folder %1 does not "
               "exist; make that folder first, or choose one that exists"_qs;
    }
    void outputNotWritten()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, missing);
        QFETCH(QString, says);
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const Run run = kazpack(QStringList{source(u"quizzes/istoriya"_qs)} + arguments);
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(run.status, 1);
        // The reason names the missing folder as the system writes it (backslashes on Windows).
        const QString folder = QDir::toNativeSeparators(QDir(m_dir->path()).canonicalPath() + u'/' + missing);
        // The program's path as given, in the system's separators too.
        QVERIFY2(run.err.contains(QString(says).replace(arguments.constLast(), native(arguments.constLast())).arg(folder)),
                 qPrintable(run.err));
    }

    // Links are refused, whatever they point at, with the file they are named by.
    void linksRefused_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("says");
        QTest::addRow("picture_to_a_picture") << u"d.bmp"_qs << u"../elsewhere.bmp"_qs
                                              << u":40: error: picture \"d.bmp\" of question 4 cannot be used: the file is a symbolic link"_qs;
        QTest::addRow("picture_dangling") << u"e.gif"_qs << u"gone.gif"_qs
                                          << u":44: error: picture \"e.gif\" of question 5 cannot be used: the file is a symbolic link"_qs;
        QTest::addRow("picture_to_a_folder") << u"c.JPEG"_qs << u"/"_qs << u"c.JPEG\" of question 3 cannot be used: the file is a symbolic link"_qs;
        QTest::addRow("test_kaz") << u"test.kaz"_qs << u"../elsewhere.kaz"_qs
                                  << u"/test.kaz: error: cannot read the test: the file is a symbolic link"_qs;
    }
    void linksRefused()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QString, says);
        const QString folder = path(u"linked"_qs);
        QVERIFY(writeEveryFormat(folder));
        QVERIFY(writeFile(path(u"elsewhere.bmp"_qs), picture(20, 10, "BMP")));
        QVERIFY(writeFile(path(u"elsewhere.kaz"_qs), everyFormat()));
        QVERIFY(QFile::remove(folder + u'/' + link));
        QVERIFY(QFile::link(target, folder + u'/' + link));
        const Run run = kazpack({folder, u"-o"_qs, exe(u"kaz-linked"_qs)});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(!QFile::exists(exe(u"kaz-linked"_qs)));
    }

    // Files the test does not name never matter: odd names, links, a pipe, a folder.
    void strayFilesIgnored()
    {
        const QString folder = path(u"stray"_qs);
        QVERIFY(writeEveryFormat(folder));
        const QDir dir(folder);
        for (const QString &name : {u"draft \"old.txt"_qs, u"a;b.png"_qs, u"a${X}.png"_qs, u"B.PNG"_qs,
                                    u"notes.txt"_qs, u"g.tiff"_qs, u"test.kaz~"_qs}) {
#ifdef Q_OS_WIN
            if (name.contains(u'"')) // no name Windows allows
                continue;
#endif
            QVERIFY(writeFile(dir.filePath(name), "not a picture"));
        }
        if (TestFiles::UnixFiles) {
            QVERIFY(QFile::link(u"nowhere.png"_qs, dir.filePath(u"dangling.png"_qs)));
            QVERIFY(TestFiles::fifo(dir.filePath(u"pipe.png"_qs), 0600));
        }
        QVERIFY(dir.mkdir(u"folder.png"_qs));
        const Run run = kazpack({folder, u"-o"_qs, exe(u"kaz-stray"_qs)});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(packedNames(exe(u"kaz-stray"_qs)),
                 (QStringList{u"test.kaz"_qs, u"Карта 1.png"_qs, u"снимка.jpg"_qs, u"c.JPEG"_qs, u"d.bmp"_qs,
                              u"e.gif"_qs}));
    }

    void extractNeverOverwrites()
    {
        const QString program = exe(u"kaz-figuri"_qs);
        QCOMPARE(kazpack({source(u"quizzes/figuri"_qs), u"-o"_qs, program}).status, 0);
        const QString folder = path(u"taken"_qs);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + u"/romb.png"_qs, "mine"));
        const Run run = kazpack({u"--extract"_qs, program, folder});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(native(folder + u"/romb.png"_qs) + u": error: the file already exists and is kept"_qs),
                 qPrintable(run.err));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"romb.png"_qs});
        QCOMPARE(readFile(folder + u"/romb.png"_qs), QByteArray("mine"));

        QVERIFY(writeFile(path(u"a-file"_qs), "x"));
        QCOMPARE(kazpack({u"--extract"_qs, program, path(u"a-file"_qs)}).status, 1);
        QVERIFY(writeFile(path(u"damaged"_qs), readFile(program).chopped(1)));
        const Run damaged = kazpack({u"--extract"_qs, path(u"damaged"_qs), path(u"new"_qs)});
        QCOMPARE(damaged.status, 1);
        QVERIFY2(damaged.err.contains(u"cut short"), qPrintable(damaged.err));
        QVERIFY(!QFileInfo::exists(path(u"new"_qs)));
    }

    void runners()
    {
        const QString folder = source(u"quizzes/istoriya"_qs);
        const Run missing = kazpack({folder, u"-o"_qs, exe(u"a"_qs)}, path(u"libexec/kaz/kazrunner"_qs));
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains(u"the quiz runner is not at "_qs + native(path(u"libexec/kaz/kazrunner"_qs))
                                      + u"; install KAZ again, or give a runner with --runner RUNNER"_qs),
                 qPrintable(missing.err));
        QCOMPARE(kazpack({folder, u"-o"_qs, exe(u"a"_qs), u"--runner"_qs, path(u"none"_qs)}).status, 1);
        QVERIFY(!QFileInfo::exists(exe(u"a"_qs)));

        // A program serves as a runner: its own test is replaced.
        QCOMPARE(kazpack({source(u"quizzes/figuri"_qs), u"-o"_qs, exe(u"figuri"_qs)}).status, 0);
        QCOMPARE(kazpack({folder, u"-o"_qs, exe(u"plain"_qs)}).status, 0);
        QCOMPARE(kazpack({folder, u"-o"_qs, exe(u"repacked"_qs), u"--runner"_qs, exe(u"figuri"_qs)}).status, 0);
        QCOMPARE(readFile(exe(u"repacked"_qs)), readFile(exe(u"plain"_qs)));
        QVERIFY(readFile(exe(u"plain"_qs)).startsWith(readFile(QStringLiteral(KAZRUNNER))));

        QVERIFY(writeFile(path(u"damaged"_qs), readFile(exe(u"figuri"_qs)).chopped(3)));
        const Run damaged = kazpack({folder, u"-o"_qs, exe(u"b"_qs), u"--runner"_qs, path(u"damaged"_qs)});
        QCOMPARE(damaged.status, 1);
        QVERIFY2(damaged.err.contains(u"cannot use this runner: the test at its end was cut short"), qPrintable(damaged.err));
    }

    // Only a quiz runner, or a program made of one, becomes the runner of a program.
    void runnerRefused_data()
    {
        QTest::addColumn<QByteArray>("runner");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("marked");
#ifdef Q_OS_WIN
        const QString example = u"kazrunner.exe, for example %LOCALAPPDATA%\\Programs\\KAZ\\kazrunner.exe"_qs;
#else
        const QString example = u"kazrunner, for example /usr/libexec/kaz/kazrunner"_qs;
#endif
        const QString notARunner = u"this is not a KAZ quiz runner (kazrunner or a KAZ test program); give the path of "_qs
            + example;
        QFile test(source(u"quizzes/istoriya/test.kaz"_qs));
        QVERIFY(test.open(QIODevice::ReadOnly));
        QTest::addRow("a_test_kaz") << test.readAll() << notARunner << false;
        QTest::addRow("windows_header_only") << QByteArray("MZ\0\0\0\0", 6) << notARunner << false;
        QTest::addRow("shell_script") << QByteArray("#!/bin/sh\nrm -rf \"$HOME/nothing\"\n") << notARunner << false;
        QTest::addRow("kazpack_itself") << readFile(QStringLiteral(KAZPACK)) << notARunner << false;
        // The mark alone, or in a program but not among its data, makes no runner.
        QTest::addRow("a_text_file_of_the_mark_alone") << QByteArray("KAZ quiz runner, packed format 1") << notARunner << false;
        QTest::addRow("a_script_with_the_mark") << QByteArray("#!fake runner\nKAZ quiz runner, packed format 1\n")
                                                << notARunner << false;
        QTest::addRow("the_mark_outside_the_programs_data")
            << TestRunners::elfProgram("KAZ quiz runner, packed format 1\n", {}, true, TestRunners::ElfProgram,
                                       TestRunners::NoteSegment)
            << notARunner << false;
        QTest::addRow("older_format") << TestRunners::elfProgram(QByteArray("KAZ quiz runner, packed format 0\0", 33))
                                      << u"this runner reads only packed format 0, older than format 1 that this "
                                         "kazpack writes; use the kazrunner that came with this kazpack"_qs << true;
    }
    void runnerRefused()
    {
        QFETCH(QByteArray, runner);
        QFETCH(QString, says);
        QFETCH(bool, marked);
        QVERIFY(writeFile(path(u"runner"_qs), runner));
        const Run run = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, exe(u"kaz-x"_qs), u"--runner"_qs,
                                 path(u"runner"_qs)});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, native(path(u"runner"_qs)) + u": error: "_qs + says + u'\n');
        QVERIFY(!QFileInfo::exists(exe(u"kaz-x"_qs)));
        // The same file where kazpack looks for its runner by itself.
        const Run installed = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, exe(u"kaz-x"_qs)}, path(u"runner"_qs));
        QCOMPARE(installed.status, 1);
        QCOMPARE(installed.err.contains(u"not a KAZ quiz runner (kazrunner or a KAZ test program); install KAZ again"_qs),
                 !marked);
    }

    // A program of a few bytes with the mark where a program keeps its text makes a runner, as
    // the fuzzing seeds' show; a newer one serves too, and so does one built for Windows.
    void runnerAccepted_data()
    {
        using TestRunners::elfProgram;
        using TestRunners::peProgram;
        QTest::addColumn<QByteArray>("runner");
        QTest::addRow("the_built_runner") << readFile(QStringLiteral(KAZRUNNER));
        QTest::addRow("a_tiny_marked_runner") << elfProgram("KAZ quiz runner, packed format 1\n");
        QTest::addRow("a_newer_runner") << elfProgram("KAZ quiz runner, packed format 2\n");
        QTest::addRow("windows_64_bits") << peProgram("KAZ quiz runner, packed format 1\n");
        QTest::addRow("windows_32_bits") << peProgram("KAZ quiz runner, packed format 1\n", {}, false);
    }
    void runnerAccepted()
    {
        QFETCH(QByteArray, runner);
        QVERIFY(writeFile(path(u"runner"_qs), runner));
        const Run run = kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, exe(u"kaz-x"_qs), u"--force"_qs,
                                 u"--runner"_qs, path(u"runner"_qs)});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        // A program for Windows is named so that Windows starts it.
        const QString program = Packing::programPath(exe(u"kaz-x"_qs), *Packing::systemOf(runner));
        QVERIFY(readFile(program).startsWith(runner));
        QVERIFY(PackedQuiz::read(program).ok());
    }

    // A program for either system from either system: named for it, made of the runner for it
    // that lies beside this system's (or the one given), the same bytes every time, and read by
    // --list and --extract alike. A runner of the other system is never taken by mistake.
    void packsForEitherSystem_data()
    {
        using S = Packing::System;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("otherInstalled");
        QTest::addColumn<S>("system");
        QTest::addColumn<QString>("says"); // empty: packed
        const S here = Packing::thisSystem();
        const QString linuxRunner = u"installed/kazrunner"_qs, windowsRunner = u"installed/kazrunner.exe"_qs;
        QTest::addRow("this_system_by_default") << QStringList{} << true << here << QString();
        QTest::addRow("windows") << QStringList{u"--windows"_qs} << true << S::Windows << QString();
        QTest::addRow("linux") << QStringList{u"--linux"_qs} << true << S::Linux << QString();
        QTest::addRow("windows_runner_given") << QStringList{u"--runner"_qs, windowsRunner} << true << S::Windows << QString();
        QTest::addRow("linux_runner_given") << QStringList{u"--runner"_qs, linuxRunner} << true << S::Linux << QString();
        QTest::addRow("windows_with_a_linux_runner")
            << QStringList{u"--windows"_qs, u"--runner"_qs, linuxRunner} << true << S::Windows
            << u"installed/kazrunner: error: this quiz runner makes programs for Linux, and a program for Windows was "
               "asked for; give the runner for Windows (kazrunner.exe) with --runner RUNNER"_qs;
        QTest::addRow("linux_with_a_windows_runner")
            << QStringList{u"--linux"_qs, u"--runner"_qs, windowsRunner} << true << S::Linux
            << u"installed/kazrunner.exe: error: this quiz runner makes programs for Windows, and a program for Linux "
               "was asked for; give the runner for Linux (kazrunner) with --runner RUNNER"_qs;
        const S other = here == S::Linux ? S::Windows : S::Linux;
        const QString otherName = other == S::Windows ? u"Windows"_qs : u"Linux"_qs;
        const QString otherRunner = other == S::Windows ? windowsRunner : linuxRunner;
        QTest::addRow("other_system_not_installed_its_runner_given")
            << QStringList{other == S::Windows ? u"--windows"_qs : u"--linux"_qs, u"--runner"_qs,
                           u"elsewhere/"_qs + otherRunner.section(u'/', -1)}
            << false << other << QString();
        QTest::addRow("other_system_not_installed")
            << QStringList{other == S::Windows ? u"--windows"_qs : u"--linux"_qs} << false << other
            << u"kazpack: error: there is no quiz runner for %1 at DIR/%2, so no program for %1 can be made here; install a "
               "KAZ that includes the runner for %1, or give that runner (%3) with --runner RUNNER"_qs
                   .arg(otherName, otherRunner, otherRunner.section(u'/', -1));
    }
    void packsForEitherSystem()
    {
        using S = Packing::System;
        QFETCH(QStringList, arguments);
        QFETCH(bool, otherInstalled);
        QFETCH(S, system);
        QFETCH(QString, says);
        // This system's runner as built, the other's a program of a few bytes, as installed.
        const S here = Packing::thisSystem();
        const QByteArray mark("KAZ quiz runner, packed format 1\0", 33);
        const QByteArray other = here == S::Linux ? TestRunners::peProgram(mark) : TestRunners::elfProgram(mark);
        const QString hereRunner = here == S::Linux ? u"installed/kazrunner"_qs : u"installed/kazrunner.exe"_qs;
        const QString otherRunner = here == S::Linux ? u"installed/kazrunner.exe"_qs : u"installed/kazrunner"_qs;
        QVERIFY(QDir().mkpath(path(u"installed"_qs)));
        QVERIFY(writeFile(path(hereRunner), readFile(QStringLiteral(KAZRUNNER))));
        if (otherInstalled)
            QVERIFY(writeFile(path(otherRunner), other));
        QVERIFY(QDir().mkpath(path(u"elsewhere"_qs)));
        QVERIFY(writeFile(path(u"elsewhere/"_qs + otherRunner.section(u'/', -1)), other));
        const QString folder = path(u"стари имена"_qs);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(source(u"quizzes/istoriya/test.kaz"_qs), folder + u"/test.kaz"_qs));

        QVERIFY(QDir::setCurrent(m_dir->path()));
        const Run run = kazpack(QStringList{u"стари имена"_qs} + arguments, path(hereRunner));
        const Run again = kazpack(QStringList{u"стари имена"_qs, u"-o"_qs, u"again"_qs} + arguments, path(hereRunner));
        QDir::setCurrent(QDir::rootPath());
        const QString name = system == S::Windows ? u"kaz-стари имена.exe"_qs : u"kaz-стари имена"_qs;
        if (!says.isEmpty()) {
            QCOMPARE(run.status, 1);
            // Every slash of these messages is in a path.
            QCOMPARE(run.err, native(QString(says).replace(u"DIR"_qs, m_dir->path())) + u'\n');
            QVERIFY(!QFileInfo::exists(path(name)));
            return;
        }
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, name + u'\n');
        const QByteArray program = readFile(path(name));
        QVERIFY(program.startsWith(system == here ? readFile(QStringLiteral(KAZRUNNER)) : other));
        QCOMPARE(Packing::systemOf(program), std::optional<S>(system));
        // -o without ".exe" for Windows: written with it, and said so.
        const QString againName = system == S::Windows ? u"again.exe"_qs : u"again"_qs;
        QCOMPARE(readFile(path(againName)), program);
        QCOMPARE(again.out, againName + u'\n');
        QCOMPARE(again.err, system == S::Windows ? u"again: note: a program for Windows starts only with .exe at the end "
                                                   "of its name, so it was written as again.exe\n"_qs
                                                 : QString());

        const Run list = kazpack({u"--list"_qs, path(name)});
        QVERIFY2(list.status == 0, qPrintable(list.err));
        QVERIFY2(list.out.endsWith(u"  test.kaz\n"_qs), qPrintable(list.out));
        QCOMPARE(kazpack({u"--extract"_qs, path(name), path(u"назад"_qs)}).status, 0);
        QCOMPARE(readFile(path(u"назад/test.kaz"_qs)), readFile(folder + u"/test.kaz"_qs));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::addRow("nothing") << QStringList{} << "give the test folder to pack";
        QTest::addRow("two_folders") << QStringList{u"a"_qs, u"b"_qs} << "give one test folder";
        QTest::addRow("unknown_option") << QStringList{u"--fast"_qs, u"a"_qs} << "Unknown option 'fast'";
        QTest::addRow("output_without_name") << QStringList{u"a"_qs, u"-o"_qs} << "Missing value after '-o'";
        QTest::addRow("output_twice") << QStringList{u"a"_qs, u"-o"_qs, u"x"_qs, u"-o"_qs, u"y"_qs} << "--output is given more than once";
        QTest::addRow("extract_one_argument") << QStringList{u"--extract"_qs, u"p"_qs} << "--extract takes a program and a folder";
        QTest::addRow("extract_with_force") << QStringList{u"--extract"_qs, u"--force"_qs, u"p"_qs, u"f"_qs} << "--force belongs to packing";
        QTest::addRow("list_two") << QStringList{u"--list"_qs, u"p"_qs, u"q"_qs} << "--list takes one program";
        QTest::addRow("list_and_extract") << QStringList{u"--list"_qs, u"--extract"_qs, u"p"_qs} << "give one of";
        QTest::addRow("remove_without_desktop") << QStringList{u"--remove"_qs, u"p"_qs} << "--remove goes with --desktop";
        QTest::addRow("remove_first_without_output") << QStringList{u"--remove-first"_qs, u"a"_qs} << "--remove-first is for builds";
        QTest::addRow("remove_first_with_desktop") << QStringList{u"--remove-first"_qs, u"--desktop"_qs, u"a"_qs, u"-o"_qs, u"x"_qs} << "--remove-first is for builds";
        QTest::addRow("list_with_remove_first") << QStringList{u"--list"_qs, u"--remove-first"_qs, u"p"_qs} << "--remove-first belongs to packing";
        QTest::addRow("windows_and_linux") << QStringList{u"a"_qs, u"--windows"_qs, u"--linux"_qs} << "give one of --windows, --linux and --web";
        QTest::addRow("linux_and_web") << QStringList{u"a"_qs, u"--web"_qs, u"--linux"_qs} << "give one of --windows, --linux and --web";
        QTest::addRow("web_to_the_menu") << QStringList{u"a"_qs, u"--web"_qs, u"--desktop"_qs} << "a test page opens in a web browser";
        QTest::addRow("list_for_web") << QStringList{u"--list"_qs, u"--web"_qs, u"p"_qs} << "--web belongs to packing";
        QTest::addRow("list_for_windows") << QStringList{u"--list"_qs, u"--windows"_qs, u"p"_qs} << "--windows belongs to packing";
        QTest::addRow("extract_for_linux") << QStringList{u"--extract"_qs, u"--linux"_qs, u"p"_qs, u"f"_qs} << "--linux belongs to packing";
        const bool onWindows = Packing::thisSystem() == Packing::System::Windows;
        QTest::addRow("desktop_entry_for_the_other_system")
            << QStringList{u"a"_qs, u"--desktop"_qs, onWindows ? u"--linux"_qs : u"--windows"_qs}
            << "--desktop adds a program to this system's menu";
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const Run run = kazpack(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith(u"kazpack: error: ") && run.err.contains(says), qPrintable(run.err));
        QVERIFY(run.err.contains(u"usage: kazpack FOLDER"));
        QCOMPARE(run.out, QString());
    }

    void help()
    {
        const Run run = kazpack({u"--help"_qs});
        QCOMPARE(run.status, 0);
        for (const char *option : {"--extract PROGRAM FOLDER", "--list PROGRAM", "--runner RUNNER", "--force",
                                   "--desktop --remove PROGRAM", "Exit status"})
            QVERIFY2(run.out.contains(QLatin1String(option)), option);
    }

    // The menu entry starts the program by its absolute path, quoted where it must be.
    // On Windows the program gets a shortcut in the user's Start menu instead.
    void desktopEntryAndRemoval()
    {
#ifdef Q_OS_WIN
        QVERIFY(QDir().mkpath(path(u"my programs"_qs)));
        const QString program = path(u"my programs/kaz-istoriya.exe"_qs);
        const Run run = kazpack({u"--desktop"_qs, source(u"quizzes/istoriya"_qs), u"-o"_qs, program});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QStringList written = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(0), native(program));
        const QString shortcut = QDir::fromNativeSeparators(written.at(1));
        QVERIFY2(shortcut.startsWith(StartMenu::programsFolder() + u'/') && shortcut.endsWith(u".lnk"_qs), qPrintable(shortcut));
        QCOMPARE(QFileInfo(shortcut).symLinkTarget(), program);

        const Run removed = kazpack({u"--desktop"_qs, u"--remove"_qs, program});
        QVERIFY2(removed.status == 0, qPrintable(removed.err));
        QCOMPARE(removed.out, written.at(1) + u'\n');
        QVERIFY(!QFileInfo::exists(shortcut));
        QVERIFY(QFileInfo::exists(program));
        const Run again = kazpack({u"--desktop"_qs, u"--remove"_qs, program});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(u"no shortcut in "_qs + native(StartMenu::programsFolder()) + u" starts this program"_qs),
                 qPrintable(again.err));
#else
        const QString share = path(u"share"_qs);
        qputenv("XDG_DATA_HOME", QFile::encodeName(share));
        QCOMPARE(MenuEntries::dataHome(), share);
        QVERIFY(QDir().mkpath(path(u"my programs"_qs)));
        const QString program = path(u"my programs/kaz-istoriya"_qs);
        const Run run = kazpack({u"--desktop"_qs, source(u"quizzes/istoriya"_qs), u"-o"_qs, program});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QString entry = share + u"/applications/bg.kaz.istoriya.desktop"_qs;
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), (QStringList{program, entry}));
        const QStringList lines = QString::fromUtf8(readFile(entry)).split(u'\n');
        QVERIFY(lines.contains(u"Exec=\""_qs + program + u'"'));
        QVERIFY(lines.contains(u"TryExec="_qs + program));
        QVERIFY(lines.contains(u"StartupWMClass=kaz-istoriya"_qs));
        QVERIFY(lines.contains(u"Icon=bg.kaz.istoriya"_qs));
        for (int size : {16, 48, 256})
            QCOMPARE(QImage(share + u"/icons/hicolor/%1x%1/apps/bg.kaz.istoriya.png"_qs.arg(size)).size(),
                     QSize(size, size));
        const QString validate = QStandardPaths::findExecutable(u"desktop-file-validate"_qs);
        if (!validate.isEmpty()) {
            QProcess p;
            p.start(validate, {entry});
            QVERIFY(p.waitForFinished(30000));
            QVERIFY2(p.exitCode() == 0 && !p.readAll().contains("error"), qPrintable(entry));
        }

        const Run removed = kazpack({u"--desktop"_qs, u"--remove"_qs, program});
        QVERIFY2(removed.status == 0, qPrintable(removed.err));
        QVERIFY(!QFileInfo::exists(entry));
        QVERIFY(!QFileInfo::exists(share + u"/icons/hicolor/48x48/apps/bg.kaz.istoriya.png"_qs));
        QCOMPARE(removed.out.split(u'\n', Qt::SkipEmptyParts).size(), 9); // the entry and 8 icons
        QVERIFY(QFileInfo::exists(program));
        const Run again = kazpack({u"--desktop"_qs, u"--remove"_qs, program});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(u"no menu entry in "_qs + share + u"/applications starts this program"_qs),
                 qPrintable(again.err));
        qunsetenv("XDG_DATA_HOME");
#endif
    }

    // A folder's own icon.png goes in after the pictures, comes back out, packs again to the
    // same bytes, reaches the runner, and becomes the menu entry's icon at every size.
    void ownIcon()
    {
        const QString folder = path(u"mytest"_qs);
        QVERIFY(writeEveryFormat(folder));
        QImage red(64, 64, QImage::Format_ARGB32);
        red.fill(Qt::red);
        QByteArray icon;
        QBuffer buffer(&icon);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(red.save(&buffer, "PNG"));
        QVERIFY(writeFile(folder + u"/icon.png"_qs, icon));

        const QString program = exe(u"kaz-mytest"_qs);
        const Run run = kazpack({folder, u"-o"_qs, program});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(packedNames(program), (QStringList{u"test.kaz"_qs, u"Карта 1.png"_qs, u"снимка.jpg"_qs, u"c.JPEG"_qs,
                                                    u"d.bmp"_qs, u"e.gif"_qs, u"icon.png"_qs}));
        const Run listed = kazpack({u"--list"_qs, program});
        QVERIFY2(listed.out.endsWith(u"%1  icon.png\n"_qs.arg(icon.size())), qPrintable(listed.out));
        QCOMPARE(ProgramQuiz::load(program).icon, icon);

        const QString back = path(u"back"_qs);
        QCOMPARE(kazpack({u"--extract"_qs, program, back}).status, 0);
        QCOMPARE(readFile(back + u"/icon.png"_qs), icon);
        QCOMPARE(kazpack({back, u"-o"_qs, exe(u"again"_qs)}).status, 0);
        QCOMPARE(readFile(exe(u"again"_qs)), readFile(program));

        // Without icon.png the runner keeps its own.
        QCOMPARE(kazpack({source(u"quizzes/istoriya"_qs), u"-o"_qs, exe(u"plain"_qs)}).status, 0);
        QVERIFY(ProgramQuiz::load(exe(u"plain"_qs)).icon.isEmpty());

#ifndef Q_OS_WIN // a Start-menu shortcut shows its program's own icon
        const QString share = path(u"share"_qs);
        qputenv("XDG_DATA_HOME", QFile::encodeName(share));
        const Run desktop = kazpack({u"--desktop"_qs, u"--force"_qs, folder, u"-o"_qs, program});
        qunsetenv("XDG_DATA_HOME");
        QVERIFY2(desktop.status == 0, qPrintable(desktop.err));
        const QStringList entries = QDir(share + u"/applications"_qs).entryList(QDir::Files);
        QCOMPARE(entries.size(), 1);
        const QString id = entries.constFirst().chopped(8);
        QVERIFY(readFile(share + u"/applications/"_qs + entries.constFirst()).contains("\nIcon=" + id.toUtf8() + '\n'));
        for (int size : {16, 64, 256}) {
            const QImage written(share + u"/icons/hicolor/%1x%1/apps/%2.png"_qs.arg(size).arg(id));
            QCOMPARE(written.size(), QSize(size, size));
            QCOMPARE(written.pixelColor(size / 2, size / 2), QColor(Qt::red));
        }
#endif
    }

    // A broken program says what is wrong and what to do, and ends with status 1 before any
    // window is made.
    void damagedProgramTellsTheLearner_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("says");
        QTest::addRow("runner_alone") << "runner" << "This program holds no test: it is the KAZ quiz runner alone.";
        QTest::addRow("cut_short") << "cut" << "This test program is damaged: the test at its end was cut short";
        QTest::addRow("byte_changed") << "byte" << "This test program is damaged: its test was changed after it was "
                                                   "packed (the checksum does not match). Ask for the program again, "
                                                   "or make it again with kazpack.";
        QTest::addRow("newer_format") << "version" << "made by a newer kazpack than its own runner understands: its "
                                                      "test is packed in format 2";
        QTest::addRow("test_breaks_a_rule") << "rule" << "its test breaks a rule of the test format (test.kaz:";
        QTest::addRow("picture_missing") << "picture" << "picture \"kwadrat.png\" of question 1 cannot be used: the "
                                                         "program holds no picture of this name";
    }
    void damagedProgramTellsTheLearner()
    {
        QFETCH(QString, damage);
        QFETCH(QString, says);
        const QByteArray runner = readFile(QStringLiteral(KAZRUNNER));
        const QuizFolder::Checked figuri = QuizFolder::check(source(u"quizzes/figuri"_qs));
        QVERIFY(figuri.ok());
        QByteArray program = PackedQuiz::pack(runner, figuri.files);
        if (damage == u"runner")
            program = runner;
        else if (damage == u"cut")
            program.chop(1000);
        else if (damage == u"byte")
            program[runner.size() + 4000] = char(program.at(runner.size() + 4000) ^ 0x20);
        else if (damage == u"version")
            program[program.size() - 16] = 2;
        else if (damage == u"rule")
            program = PackedQuiz::pack(runner, {{u"test.kaz"_qs, "[left]\nЛом\n"}});
        else if (damage == u"picture")
            program = PackedQuiz::pack(runner, figuri.files.mid(0, 1));
        const QString path = this->path(u"kaz-damaged"_qs);
        QVERIFY(writeFile(path, program));
        QVERIFY(QFile::setPermissions(path, QFile::permissions(QStringLiteral(KAZRUNNER))));

        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(path);
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.message.contains(says), qPrintable(loaded.message));
        KAZ_SKIP_WINDOW_PROGRAM_ON_WINDOWS();
        const Started run = start(path, {u"QT_QPA_PLATFORM=offscreen"_qs});
        QVERIFY2(run.finished, "the damaged program did not end");
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(loaded.message + u'\n'), qPrintable(run.err));
        // Without a display the program still says what is wrong with it.
        if (damage == u"byte") {
            const Started headless = start(path, {});
            QCOMPARE(headless.status, 1);
            QCOMPARE(headless.err, loaded.message + u'\n');
        }
    }

    // A sound program opens its window and keeps running, silent, until it is ended.
    void soundProgramRuns()
    {
        const QString program = exe(u"kaz-figuri"_qs);
        QCOMPARE(kazpack({source(u"quizzes/figuri"_qs), u"-o"_qs, program}).status, 0);
        KAZ_SKIP_WINDOW_PROGRAM_ON_WINDOWS();
        const Started run = start(program, {u"QT_QPA_PLATFORM=offscreen"_qs}, 1500);
        QVERIFY2(!run.finished, qPrintable(run.err));
        QVERIFY2(!run.err.contains(u"error") && !run.err.contains(u"damaged"), qPrintable(run.err));
        const Started headless = start(program, {});
        QCOMPARE(headless.status, 1);
        QVERIFY2(headless.err.startsWith(u"KAZ needs a graphical desktop"), qPrintable(headless.err));
    }

    // A runner that is no file says what it is instead; none is opened, so a pipe never waits.
    void runnerThatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("installed");
        QTest::addRow("missing") << "missing" << "there is no such runner; give the path of the quiz runner (kazrunner)"
                                 << "kazpack: error: the quiz runner is not at ";
        QTest::addRow("a_folder") << "folder" << "this is a folder, not a quiz runner; give the path of the quiz runner"
                                  << "is a folder, not a program file; install KAZ again";
        QTest::addRow("a_device") << "device" << "this is a device, not a quiz runner; give the path of the quiz runner"
                                  << "is a device, not a program file; install KAZ again";
        QTest::addRow("a_named_pipe") << "pipe" << "this is a named pipe (FIFO), not a quiz runner"
                                      << "is a named pipe (FIFO), not a program file";
    }
    void runnerThatIsNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QFETCH(QString, installed);
        if (kind == u"device" || kind == u"pipe")
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QString runner = path(u"runner"_qs);
        if (kind == u"folder")
            QVERIFY(QDir().mkpath(runner));
        else if (kind == u"device")
            runner = u"/dev/null"_qs;
        else if (kind == u"pipe")
            QVERIFY(TestFiles::fifo(runner, 0600));
        const QStringList args{source(u"quizzes/istoriya"_qs), u"-o"_qs, exe(u"kaz-x"_qs)};
        const Run given = kazpack(args + QStringList{u"--runner"_qs, runner});
        QCOMPARE(given.status, 1);
        QVERIFY2(given.err.startsWith(native(runner) + u": error: "_qs + says), qPrintable(given.err));
        const Run own = kazpack(args, runner);
        QCOMPARE(own.status, 1);
        QVERIFY2(own.err.contains(installed), qPrintable(own.err));
        QVERIFY(!QFileInfo::exists(exe(u"kaz-x"_qs)));
    }

    // A write that stops short (a full disk; here a limit on the size of files) gives the
    // system's reason and what to do, never "Unknown error", and leaves nothing taken out.
    void extractStopsWithTheSystemsReason()
    {
#ifndef Q_OS_UNIX
        QSKIP("a limit on the size of the files a process writes is Unix's (setrlimit)");
#else
        const QString program = exe(u"kaz-figuri"_qs);
        QCOMPARE(kazpack({source(u"quizzes/figuri"_qs), u"-o"_qs, program}).status, 0);
        const QString folder = path(u"taken"_qs);
        struct rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        struct rlimit small = before;
        small.rlim_cur = 1000; // test.kaz is larger: its write stops short, then fails
        const auto signal = ::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const Run run = kazpack({u"--extract"_qs, program, folder});
        ::setrlimit(RLIMIT_FSIZE, &before);
        ::signal(SIGXFSZ, signal);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith(folder + u"/test.kaz: error: cannot write the file: file too large; choose another folder\n"_qs),
                 qPrintable(run.err));
        QVERIFY2(!run.err.contains(u"nknown"), qPrintable(run.err));
        QVERIFY(run.err.endsWith(u"kazpack: error: nothing was taken out\n"_qs));
        QVERIFY(!QFileInfo::exists(folder));
#endif
    }

    // A name holding control characters, from a program made by another tool or from the
    // command line, is shown escaped wherever kazpack, the runner or the editor names it.
    void hostileNamesShownEscaped_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::addRow("terminal_title_and_clear") << QByteArray("\x1b]2;owned\x07\x1b[2J.png") << u"\\x1b]2;owned\\x07\\x1b[2J.png"_qs;
        QTest::addRow("line_break") << QByteArray("a\nb.png") << u"a\\nb.png"_qs;
        QTest::addRow("nul") << QByteArray("a\0b.png", 7) << u"a\\x00b.png"_qs;
        QTest::addRow("c1_control") << QByteArray("a\xc2\x9b" "2Jb.png") << u"a\\x9b2Jb.png"_qs;
    }
    void hostileNamesShownEscaped()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        const auto raw = [](const QString &text) {
            return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
                return (c.unicode() < 0x20 && c != u'\n') || (c.unicode() >= 0x7f && c.unicode() <= 0x9f) || c == QChar(0x202e);
            });
        };
        // A program whose second file is called `name`: packed under a stand-in of its length,
        // which is then replaced, with the checksum made right.
        const QByteArray stand = QByteArray(name.size(), 'n');
        const QByteArray runner = readFile(QStringLiteral(KAZRUNNER));
        QByteArray bytes = PackedQuiz::pack(runner, {{u"test.kaz"_qs, readFile(source(u"quizzes/istoriya/test.kaz"_qs))},
                                                     {QString::fromLatin1(stand), "picture"}});
        const qsizetype at = bytes.indexOf(stand, runner.size());
        QVERIFY(at > 0);
        bytes.replace(at, stand.size(), name);
        const qsizetype payload = bytes.size() - runner.size() - PackedQuiz::TrailerSize;
        bytes.replace(runner.size() + payload, 32,
                      QCryptographicHash::hash(QByteArrayView(bytes).sliced(runner.size(), payload), QCryptographicHash::Sha256));
        const QString program = path(u"kaz-hostile"_qs);
        QVERIFY(writeFile(program, bytes));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(QStringLiteral(KAZRUNNER))));

        QStringList said = {kazpack({u"--list"_qs, program}).err, kazpack({u"--extract"_qs, program, path(u"out"_qs)}).err,
                            ProgramQuiz::load(program).message,
                            ProgramQuiz::load(program, ProgramQuiz::Reader::Editor).message};
#ifndef Q_OS_WIN // a Windows program cannot start without a screen (KAZ_SKIP_WINDOW_PROGRAM_ON_WINDOWS)
        said.append(start(program, {u"QT_QPA_PLATFORM=offscreen"_qs}).err);
#endif
        for (const QString &text : said) {
            QVERIFY2(text.contains(u"it holds a file named \""_qs + shown + u"\", and "_qs), qPrintable(text));
            QVERIFY2(!raw(text), qPrintable(text));
        }

        // The same name as a folder given on the command line: kazpack's and kazcheck's lines.
        if (name.contains('\0'))
            return; // no folder can have it
#ifdef Q_OS_WIN
        if (std::any_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x20; }))
            return; // nor on Windows one with any other control character
#endif
        const QString folder = path(QString::fromUtf8(name));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + u"/test.kaz"_qs, everyFormat().replace("11250", "11 250")));
        const Run faulty = kazpack({folder, u"-o"_qs, exe(u"kaz-x"_qs)});
        QCOMPARE(faulty.status, 1);
        QVERIFY2(faulty.err.contains(native(path(shown) + u"/test.kaz"_qs) + u":3: error: "_qs), qPrintable(faulty.err));
        QVERIFY2(!raw(faulty.err), qPrintable(faulty.err));
        const Run listed = kazpack({u"--list"_qs, folder});
        QVERIFY2(listed.err.startsWith(native(path(shown)) + u": error: "_qs) && !raw(listed.err), qPrintable(listed.err));
    }

    // A name that the packed format allows is listed as it is, but for the characters that
    // turn the text around and so would disguise it.
    void listShowsNamesEscaped()
    {
        const QString program = exe(u"kaz-x"_qs);
        const QByteArray kaz = readFile(source(u"quizzes/istoriya/test.kaz"_qs));
        QVERIFY(writeFile(program, PackedQuiz::pack(readFile(QStringLiteral(KAZRUNNER)),
                                                    {{u"test.kaz"_qs, kaz}, {u"снимка\u202egnp.exe"_qs, "x"}})));
        const Run run = kazpack({u"--list"_qs, program});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.endsWith(u"  снимка\\u202egnp.exe\n"_qs), qPrintable(run.out));
    }

    // Two tests from folders of the same name each keep a menu entry; a test made again
    // elsewhere takes its own entry along; each time that is not the plain case, kazpack says so.
    void desktopEntriesOfFoldersOfOneName()
    {
#ifdef Q_OS_WIN
        QSKIP("the menu entries of Linux desktops; tst_desktopfiles numbers Windows' Start-menu shortcuts");
#endif
        const QString share = path(u"share"_qs);
        qputenv("XDG_DATA_HOME", QFile::encodeName(share));
        const QString applications = share + u"/applications/"_qs;
        const auto tryExec = [&](const QString &id) {
            const QStringList lines = QString::fromUtf8(readFile(applications + id + u".desktop"_qs)).split(u'\n');
            const auto line = std::find_if(lines.cbegin(), lines.cend(), [](const QString &l) { return l.startsWith(u"TryExec="); });
            return line == lines.cend() ? QString() : line->mid(8);
        };
        const QString a = path(u"a/mytest"_qs), b = path(u"b/mytest"_qs);
        QVERIFY(writeEveryFormat(a));
        QVERIFY(writeEveryFormat(b));
        const QString programA = exe(u"kaz-a"_qs), programB = exe(u"kaz-b"_qs);

        const Run first = kazpack({u"--desktop"_qs, a, u"-o"_qs, programA});
        QVERIFY2(first.status == 0 && first.err.isEmpty(), qPrintable(first.err));
        const Run second = kazpack({u"--desktop"_qs, b, u"-o"_qs, programB});
        QVERIFY2(second.status == 0, qPrintable(second.err));
        QCOMPARE(second.out.split(u'\n', Qt::SkipEmptyParts).constLast(), applications + u"test.kaz.mytest_2.desktop"_qs);
        QCOMPARE(second.err, applications + u"test.kaz.mytest_2.desktop: note: the menu entry "_qs + applications
                                 + u"test.kaz.mytest.desktop starts another program, "_qs + programA
                                 + u", made from a folder of the same name; that entry stays, and this program got "
                                   "an entry of its own\n"_qs);
        QCOMPARE(tryExec(u"test.kaz.mytest"_qs), programA);
        QCOMPARE(tryExec(u"test.kaz.mytest_2"_qs), programB);
        QVERIFY(QFileInfo::exists(share + u"/icons/hicolor/48x48/apps/test.kaz.mytest_2.png"_qs));

        // Made again in its place: the same entry, nothing to say.
        const Run again = kazpack({u"--desktop"_qs, u"--force"_qs, b, u"-o"_qs, programB});
        QVERIFY2(again.status == 0 && again.err.isEmpty(), qPrintable(again.err));
        // Made again elsewhere: the test's entry follows it, and says whose it was.
        const QString moved = exe(u"kaz-a-moved"_qs);
        const Run elsewhere = kazpack({u"--desktop"_qs, a, u"-o"_qs, moved});
        QVERIFY2(elsewhere.status == 0, qPrintable(elsewhere.err));
        QCOMPARE(elsewhere.err, applications + u"test.kaz.mytest.desktop: note: this menu entry started "_qs + programA
                                    + u" until now; now it starts "_qs + moved + u'\n');
        QCOMPARE(tryExec(u"test.kaz.mytest"_qs), moved);
        QCOMPARE(tryExec(u"test.kaz.mytest_2"_qs), programB);
        QCOMPARE(QDir(applications).entryList(QDir::Files).size(), 2);

        // The entry of a program that is gone is free for another test of that name.
        QVERIFY(QFile::remove(programB));
        const QString c = path(u"c/mytest"_qs);
        QVERIFY(writeEveryFormat(c));
        const Run third = kazpack({u"--desktop"_qs, c, u"-o"_qs, exe(u"kaz-c"_qs)});
        QVERIFY2(third.status == 0, qPrintable(third.err));
        QVERIFY2(third.err.contains(u"test.kaz.mytest_2.desktop: note: the menu entry "_qs)
                     && third.err.contains(u"this menu entry started "_qs + programB),
                 qPrintable(third.err));
        QCOMPARE(tryExec(u"test.kaz.mytest_2"_qs), exe(u"kaz-c"_qs));
        QCOMPARE(QDir(applications).entryList(QDir::Files).size(), 2);
        qunsetenv("XDG_DATA_HOME");
    }

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A program kazpack makes for this system, named as it names it: with .exe on Windows.
    QString exe(const QString &name) const { return path(TestFiles::programName(name)); }
    // A path as the tools show it: with the system's own separators.
    static QString native(const QString &path) { return QDir::toNativeSeparators(path); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestKazpack)
#include "tst_kazpack.moc"
