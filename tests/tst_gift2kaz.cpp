// The GIFT converter as a teacher runs it, on real folders: what it prints, its exit status
// and what it leaves on disk when the GIFT file or the output folder is not as it should be.
#include "ContentReader.h"
#include "ContentStore.h"
#include "ListText.h"
#include "TestFiles.h"
#include "ToolLocale.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Two matching questions, on lines 1 and 3.
const QByteArray twoQuestions = QStringLiteral("::Първи::a{=1 -> 2 =3 -> 4 =5 -> 6}\n\n"
                                               "::Втори::b{=7 -> 8 =9 -> 10 =11 -> 12}\n")
                                    .toUtf8();

struct Run
{
    int exitCode = -1;
    QStringList out; // the folders written
    QStringList err;
};

// Runs gift2kaz; `limitFileSize` keeps it from writing files larger than that many bytes,
// `asNobody` runs it as the user "nobody" when the test runs as root (both on Unix only).
Run gift2kaz(const QStringList &args, qint64 limitFileSize = 0, bool asNobody = false)
{
    QProcess p;
#ifdef Q_OS_UNIX
    // The user nobody may be unable to reach the program at all (a build inside a folder only
    // its owner may enter, as `mktemp -d` makes): that is no fault of gift2kaz, so it is a skip.
    const QByteArray program = QFile::encodeName(QStringLiteral(GIFT2KAZ));
    p.setChildProcessModifier([limitFileSize, asNobody, program] {
        if (limitFileSize > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = rlim_t(limitFileSize);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asNobody && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0
                || ::access(program.constData(), X_OK) != 0))
            ::_exit(77);
    });
#else
    static_cast<void>(limitFileSize);
    static_cast<void>(asNobody);
#endif
    startInEnglish(p, QStringLiteral(GIFT2KAZ), args);
    if (!p.waitForFinished(30000))
        return {};
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = toolText(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    r.err = toolText(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return r;
}

} // namespace

class TestGift2kaz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // GIFT files that are read, or refused with the line at fault, before anything is written.
    void giftFile_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<QString>("says"); // empty: both questions become folders

        QTest::addRow("utf8") << twoQuestions << QString();
        QTest::addRow("utf8_with_byte_order_mark") << QByteArray("\xEF\xBB\xBF") + twoQuestions << QString();
        QTest::addRow("nul_in_a_pair")
            << QByteArray(twoQuestions).replace("=9 ->", QByteArray("=9") + '\0' + " ->")
            << QStringLiteral("g.gift:3: error: this line holds an invisible control character (character code 0)");
        QTest::addRow("escape_in_a_title") << QByteArray(twoQuestions).replace("Първи", "\x1b[1mПърви")
                                           << QStringLiteral("g.gift:1: error: this line holds an invisible control "
                                                             "character (character code 27)");
        QTest::addRow("windows_1251") << QByteArray(twoQuestions).replace(QStringLiteral("Първи").toUtf8(), "\xCF")
                                      << QStringLiteral("g.gift: error: the file is not UTF-8 text");
    }
    void giftFile()
    {
        QFETCH(QByteArray, gift);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("g.gift")), gift));
        const QString out = dir.filePath(QStringLiteral("out"));
        const Run run = gift2kaz({QStringLiteral("--output"), out, dir.filePath(QStringLiteral("g.gift"))});
        if (says.isEmpty()) {
            QVERIFY2(run.exitCode == 0, qPrintable(run.err.join(u'\n')));
            QCOMPARE(run.out, (QStringList{out + QStringLiteral("/parvi"), out + QStringLiteral("/vtori")}));
            QVERIFY(TestFiles::contents(out + QStringLiteral("/parvi/test.kaz")).contains("\n[left]\n1\n3\n5\n"));
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.first().startsWith(dir.filePath(says)), qPrintable(run.err.join(u'\n')));
        QCOMPARE(run.err.last(), QStringLiteral("1 problem in %1; no test was written").arg(dir.filePath(QStringLiteral("g.gift"))));
        QVERIFY(!QFileInfo::exists(out));
    }

    // A GIFT file that is not a plain file is refused at once, never waited on.
    void giftFileKinds_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("says");
        QTest::addRow("named_pipe") << QStringLiteral("fifo") << QStringLiteral("it is a named pipe (FIFO), not a file");
        QTest::addRow("link_to_a_device") << QStringLiteral("zero") << QStringLiteral("it is a device, not a file");
        QTest::addRow("folder") << QStringLiteral("folder") << QStringLiteral("it is a folder, not a file");
        QTest::addRow("too_large") << QStringLiteral("large") << QStringLiteral("it is 16777217 bytes, larger than 16777216 bytes");
        QTest::addRow("missing") << QStringLiteral("missing") << QStringLiteral("there is no such file");
    }
    void giftFileKinds()
    {
        QFETCH(QString, what);
        QFETCH(QString, says);
        if (what == u"fifo" || what == u"zero")
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QString gift = dir.filePath(QStringLiteral("g.gift"));
        if (what == u"fifo") {
            QVERIFY(TestFiles::fifo(gift));
        } else if (what == u"zero") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), gift));
        } else if (what == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("g.gift")));
        } else if (what == u"large") {
            QFile f(gift);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(16 * 1024 * 1024 + 1));
        }
        const Run run = gift2kaz({QStringLiteral("--output"), dir.filePath(QStringLiteral("out")), gift});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.size(), 1);
        QVERIFY2(run.err.first().startsWith(gift + QStringLiteral(": error: cannot read the GIFT file: ") + says),
                 qPrintable(run.err.first()));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out"))));
    }

    // A file wrong on every line shows its first problems, then how many more there are.
    // A mistake in the command line ends with what is wrong, the usage line and status 2.
    void commandLineMistakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::addRow("unknown_option") << QStringList{u"--bogus"_qs, u"questions.gift"_qs}
                                        << u"gift2kaz: error: Unknown option 'bogus'."_qs;
        QTest::addRow("unknown_short_option") << QStringList{u"-x"_qs, u"questions.gift"_qs}
                                              << u"gift2kaz: error: Unknown option 'x'."_qs;
        QTest::addRow("output_without_folder") << QStringList{u"questions.gift"_qs, u"--output"_qs}
                                               << u"gift2kaz: error: Missing value after '--output'."_qs;
        QTest::addRow("no_file") << QStringList{} << u"gift2kaz: error: give the GIFT file"_qs;
        QTest::addRow("two_files") << QStringList{u"a.gift"_qs, u"b.gift"_qs} << u"gift2kaz: error: give one GIFT file"_qs;
    }
    void commandLineMistakes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const Run run = gift2kaz(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, (QStringList{says, u"usage: gift2kaz [--output DIR] [--address URL] [--force] [--distinct-rights] FILE.gift|FILE.xml"_qs}));
        QVERIFY(run.out.isEmpty());
    }

    // Each test's lists are wide enough for its longest phrases, as the test window measures
    // them, and a list made wider is no wider than that (gift2kaz measured in the font the test
    // window draws with, not in another); short phrases keep a new test's sizes. The teacher's
    // terminal needs no display.
    void listsFitTheLongestPhrases_data()
    {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<bool>("display"); // false: neither a display nor a platform is named
        QTest::addRow("short_phrases") << u"=a -> x =b -> y =c -> z"_qs << true;
        QTest::addRow("long_left_phrase")
            << u"=A bank of record entries which are kept for a long time -> x =b -> y =c -> z"_qs << true;
        QTest::addRow("long_phrases_both_sides_no_display")
            << u"=Съвкупност от записи, които се съхраняват дълго -> x =b -> Банка от данни с дълги описания на всеки ред "
               u"=c -> z = -> Една излишна, но доста дълга дясна фраза без двойка"_qs
            << false;
    }
    void listsFitTheLongestPhrases()
    {
        QFETCH(QString, pairs);
        QFETCH(bool, display);
        QTemporaryDir dir;
        const QString gift = dir.filePath(u"g.gift"_qs);
        QVERIFY(TestFiles::write(gift, (u"::Дълги::Свържете. {"_qs + pairs + u"}\n"_qs).toUtf8()));
        QProcess p;
        QProcessEnvironment env = inEnglish();
        if (!display) {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(QString::fromLatin1(name));
        }
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(GIFT2KAZ), {u"--output"_qs, dir.path(), gift});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);

        const ContentStore store = ContentReader::read(TestFiles::text(dir.filePath(u"dalgi/test.kaz"_qs))).store;
        const QStringList geometry = store.Danni(3).mid(1);
        const ListText::Geometry g = ListText::Geometry::fromTexts(geometry);
        const ListText::Measure m;
        bool allFitDefault = true;
        for (int side = 0; side < 2; ++side) {
            const QStringList phrases = store.Danni(side);
            const int width = side == 0 ? g.leftWidth : g.rightWidth;
            const int defaultWidth = ContentStore::defaultGeometry().at(side == 0 ? 2 : 4).toInt();
            QString widest;
            for (const QString &phrase : phrases) {
                QVERIFY2(m.fits(phrase, width, int(phrases.size())), qPrintable(phrase));
                allFitDefault = allFitDefault && m.fits(phrase, defaultWidth, int(phrases.size()));
                if (m.width(phrase) > m.width(widest))
                    widest = phrase;
            }
            // One pixel (15 twips) narrower, the widest phrase would be cut.
            if (width > defaultWidth)
                QVERIFY2(!m.fits(widest, width - 15, int(phrases.size())), qPrintable(widest));
        }
        QCOMPARE(geometry == ContentStore::defaultGeometry(), allFitDefault);
        QVERIFY(g.windowWidth <= ListText::MaxFittedWindowWidth);
        QCOMPARE(ContentReader::read(TestFiles::text(dir.filePath(u"dalgi/test.kaz"_qs))).problems.size(), 0);
    }

    void helpSaysWhatItDoes()
    {
        const Run run = gift2kaz({u"--help"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.join(u'\n').contains(u"Turns every matching question of a GIFT or Moodle XML file into a KAZ test folder."_qs));
        QVERIFY(run.err.isEmpty());
    }

    void manyProblemsAreCut()
    {
        QTemporaryDir dir;
        QByteArray gift;
        for (int i = 0; i < 60; ++i)
            gift += "// \x01\n";
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("g.gift")), gift + twoQuestions));
        const Run run = gift2kaz({QStringLiteral("--output"), dir.filePath(QStringLiteral("out")),
                                  dir.filePath(QStringLiteral("g.gift"))});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.size(), 52);
        QVERIFY2(run.err.at(49).startsWith(dir.filePath(QStringLiteral("g.gift:50: error: "))), qPrintable(run.err.at(49)));
        QCOMPARE(run.err.at(50), QStringLiteral("… and 10 more problems"));
        QCOMPARE(run.err.at(51), QStringLiteral("60 problems in %1; no test was written").arg(dir.filePath(QStringLiteral("g.gift"))));
    }

    // The second of two folders cannot be written (its test.kaz is larger than the process
    // may write): the first is not written either, an old test.kaz stays, and no folder made
    // on the way is left behind.
    void failedSecondFolderWritesNothing_data()
    {
        QTest::addColumn<bool>("force");
        QTest::addRow("new_output_folder") << false;
        QTest::addRow("force_over_an_existing_test") << true;
    }
    void failedSecondFolderWritesNothing()
    {
#ifndef Q_OS_UNIX
        QSKIP("a limit on the size of the files a process writes is Unix's (setrlimit)");
#endif
        QFETCH(bool, force);
        QTemporaryDir dir;
        QByteArray gift = twoQuestions;
        gift.replace("=11 -> 12", "=11 -> 12 =" + QByteArray(900, 'x') + " -> " + QByteArray(900, 'y'));
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("g.gift")), gift));
        if (force)
            QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("out/parvi/test.kaz")), "edited by hand\n"));
        const QStringList before = TestFiles::everything(dir.path());
        QStringList args{QStringLiteral("--output"), dir.filePath(QStringLiteral("out/tests")),
                         dir.filePath(QStringLiteral("g.gift"))};
        if (force)
            args = QStringList{QStringLiteral("--force"), QStringLiteral("--output"), dir.filePath(QStringLiteral("out")),
                               dir.filePath(QStringLiteral("g.gift"))};

        const Run run = gift2kaz(args, 1500);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.size(), 1);
        QVERIFY2(run.err.first().startsWith(QStringLiteral("gift2kaz: error: cannot write %1: file too large; ")
                                                .arg(dir.filePath(force ? QStringLiteral("out/vtori/test.kaz")
                                                                        : QStringLiteral("out/tests/vtori/test.kaz")))),
                 qPrintable(run.err.first()));
        QVERIFY(run.err.first().endsWith(QStringLiteral("; no test was written")));
        QCOMPARE(TestFiles::everything(dir.path()), before);
        if (force)
            QCOMPARE(TestFiles::contents(dir.filePath(QStringLiteral("out/parvi/test.kaz"))), QByteArray("edited by hand\n"));
    }

    // An output folder the teacher may not write in: the reason in words, nothing written.
    void outputFolderNotWritable()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("g.gift")), twoQuestions));
        const QString out = dir.filePath(QStringLiteral("out"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("out")));
        // Root may write anywhere, so the converter then runs as the user nobody.
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(out, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("g.gift")), QFile::ReadOwner | QFile::ReadOther));

        const Run run = gift2kaz({QStringLiteral("--output"), out, dir.filePath(QStringLiteral("g.gift"))}, 0, true);
        QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (run.exitCode == 77)
            QSKIP("cannot run gift2kaz as the user nobody here (it may not reach the build folder)");
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.size(), 1);
        QCOMPARE(run.err.first(), QStringLiteral("gift2kaz: error: cannot make the folder %1/parvi: permission denied; "
                                                 "you may not write there; choose a folder of your own, such as one in "
                                                 "your home folder; no test was written")
                                      .arg(out));
        QVERIFY(TestFiles::everything(out).isEmpty());
    }

    // --force never writes outside the output folder: a test.kaz that is a link is replaced
    // itself, and a test folder that is a link is refused.
    void linksInTheOutputFolder()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QDir d(dir.path());
        QVERIFY(TestFiles::write(d.filePath(QStringLiteral("g.gift")), twoQuestions));
        QVERIFY(TestFiles::write(d.filePath(QStringLiteral("outside.txt")), "precious\n"));
        QVERIFY(d.mkpath(QStringLiteral("out/parvi")) && d.mkpath(QStringLiteral("elsewhere")));
        QVERIFY(QFile::link(d.filePath(QStringLiteral("outside.txt")), d.filePath(QStringLiteral("out/parvi/test.kaz"))));
        const QStringList args{QStringLiteral("--force"), QStringLiteral("--output"), d.filePath(QStringLiteral("out")),
                               d.filePath(QStringLiteral("g.gift"))};

        const Run replaced = gift2kaz(args);
        QVERIFY2(replaced.exitCode == 0, qPrintable(replaced.err.join(u'\n')));
        QCOMPARE(TestFiles::contents(d.filePath(QStringLiteral("outside.txt"))), QByteArray("precious\n"));
        QVERIFY(!QFileInfo(d.filePath(QStringLiteral("out/parvi/test.kaz"))).isSymLink());
        QVERIFY(TestFiles::contents(d.filePath(QStringLiteral("out/parvi/test.kaz"))).contains("[left]"));

        QVERIFY(QDir(d.filePath(QStringLiteral("out/vtori"))).removeRecursively());
        QVERIFY(QFile::link(d.filePath(QStringLiteral("elsewhere")), d.filePath(QStringLiteral("out/vtori"))));
        const QStringList before = TestFiles::everything(dir.path());
        const Run refused = gift2kaz(args);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.first().startsWith(QStringLiteral("gift2kaz: error: %1 is a link to \"%2\"; nothing is "
                                                               "written through a link")
                                                    .arg(d.filePath(QStringLiteral("out/vtori")),
                                                         d.filePath(QStringLiteral("elsewhere")))),
                 qPrintable(refused.err.join(u'\n')));
        QCOMPARE(TestFiles::everything(dir.path()), before);
    }
};

QTEST_MAIN(TestGift2kaz)
#include "tst_gift2kaz.moc"
