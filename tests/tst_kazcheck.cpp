// The build's checker run as the build runs it, on test folders written to disk: what it
// prints, its exit status and its stamp.
#include "FileAccess.h"
#include "KilledAtStep.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "ToolLocale.h"
#include "WindowsDiffers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestPictures::bmpClaiming;

// A sound test of two questions; question 1 has the picture "Карта 1.png" of 20 × 10 pixels
// in a box of 300 × 150 twips.
QStringList sound()
{
    return {
        QStringLiteral("[parameters]"),           // 1
        QStringLiteral("https://kaz.test Проба"), // 2
        QStringLiteral("11250"),                  // 3
        QStringLiteral("120"),                    // 4
        QStringLiteral("3135"),                   // 5
        QStringLiteral("3360"),                   // 6
        QStringLiteral("6575"),                   // 7
        QStringLiteral("[left]"),                 // 8
        QStringLiteral("Лом"),                    // 9
        QStringLiteral("Варна"),                  // 10
        QStringLiteral("[right]"),                // 11
        QStringLiteral("Алмус"),                  // 12
        QStringLiteral("Одесос"),                 // 13
        QStringLiteral("[picture flags]"),        // 14
        QStringLiteral("Рисунки"),                // 15
        QStringLiteral("1"),                      // 16
        QStringLiteral("0"),                      // 17
        QStringLiteral("[picture 1]"),            // 18
        QStringLiteral("file = Карта 1.png"),     // 19
        QStringLiteral("width = 300"),            // 20
        QStringLiteral("height = 150"),           // 21
    };
}

QStringList replaced(QStringList lines, const QList<std::pair<int, QString>> &changes)
{
    for (const auto &[line, text] : changes)
        lines[line - 1] = text;
    return lines;
}

// The same test with no picture: lines 1 to 17, the flag of question 1 set to 0.
QStringList withoutPicture()
{
    return replaced(sound(), {{16, QStringLiteral("0")}}).mid(0, 17);
}

struct Run
{
    int exitCode = -1;
    QStringList lines; // what it printed, line by line
};

// Whether makeEntry() makes a link or a named pipe of `what`.
bool needsUnixFiles(const QString &what)
{
    return what.startsWith(QStringLiteral("->")) || what.endsWith(QStringLiteral("fifo"));
}

// Makes `name` in `dir` as `what` says: "WxH" a picture of that size, "text" a file that is
// no picture, "huge" a picture claiming 6000 × 6000 pixels, "fifo" a named pipe, "->target"
// a link to target.
bool makeEntry(const QDir &dir, const QString &name, const QString &what)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    if (what.startsWith(QStringLiteral("->")))
        return TestFiles::symlink(what.mid(2), path);
    if (what == u"fifo")
        return TestFiles::fifo(path);
    QFile f(path);
    if (what == u"text" || what == u"huge") {
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(what == u"text" ? QByteArray("not a picture\n") : bmpClaiming(6000, 6000));
        return true;
    }
    QImage image(what.section(u'x', 0, 0).toInt(), what.section(u'x', 1).toInt(), QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image.save(path, name.endsWith(u"JPG") ? "JPG" : "PNG");
}

Run kazcheck(const QStringList &arguments)
{
    QProcess p;
    startInEnglish(p, QStringLiteral(KAZCHECK), arguments);
    if (!p.waitForFinished(30000))
        return {};
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    const QString out = toolText(p.readAllStandardOutput() + p.readAllStandardError());
    r.lines = out.split(u'\n', Qt::SkipEmptyParts);
    return r;
}

Run kazcheck(const QString &folder, const QString &stamp)
{
    return kazcheck(QStringList{folder, stamp});
}

} // namespace

class TestKazcheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each folder is written from its test.kaz text and its picture files; `says` lists one
    // expected problem per entry as "line: words" (line 0: the whole file).
    void folder_data()
    {
        QTest::addColumn<QByteArray>("kaz");
        QTest::addColumn<QStringList>("pictures"); // "name what", as makeEntry() takes them
        QTest::addColumn<QStringList>("says");

        const QByteArray s = sound().join(u'\n').toUtf8() + '\n';
        const QStringList picture = {QStringLiteral("Карта 1.png 20x10")};

        QTest::addRow("sound") << s << picture << QStringList();
        QTest::addRow("sound_with_crlf_and_byte_order_mark")
            << QByteArray("\xEF\xBB\xBF") + sound().join(QStringLiteral("\r\n")).toUtf8() << picture << QStringList();
        QTest::addRow("picture_missing") << s << QStringList()
                                         << QStringList{QStringLiteral("19: there is no such file beside test.kaz")};
        QTest::addRow("picture_name_in_other_case")
            << s << QStringList{QStringLiteral("карта 1.PNG 20x10")}
            << QStringList{QStringLiteral("19: but there is \"карта 1.PNG\"; write the name exactly")};
        QTest::addRow("picture_not_an_image") << s << QStringList{QStringLiteral("Карта 1.png text")}
                                              << QStringList{QStringLiteral("19: is not a picture that can be shown")};
        QTest::addRow("picture_larger_than_its_box")
            << s << QStringList{QStringLiteral("Карта 1.png 21x10")}
            << QStringList{QStringLiteral("19: is 21 × 10 pixels, larger than its box of 20 × 10 pixels")};
        QTest::addRow("jpeg_in_capitals")
            << replaced(sound(), {{19, QStringLiteral("file = СНИМКА.JPG")}}).join(u'\n').toUtf8()
            << QStringList{QStringLiteral("СНИМКА.JPG 20x10")} << QStringList();
        QTest::addRow("windows_1251")
            << QByteArray(s).replace(QStringLiteral("Варна").toUtf8(), "\xC2\xE0\xF0\xED\xE0") << picture
            << QStringList{QStringLiteral("10: this line is not UTF-8 text")};
        // Picture files that are not what they seem: each is told as what it is, and none is
        // waited on or loaded whole.
        QTest::addRow("picture_dangling_link") << s << QStringList{QStringLiteral("Карта 1.png ->карта.png")}
                                               << QStringList{QStringLiteral("19: it is a link to \"карта.png\", which "
                                                                             "does not exist")};
        QTest::addRow("picture_link_loop") << s
                                           << QStringList{QStringLiteral("Карта 1.png ->a.png"),
                                                          QStringLiteral("a.png ->b.png"), QStringLiteral("b.png ->a.png")}
                                           << QStringList{QStringLiteral("19: (a loop of links)")};
        QTest::addRow("picture_link_to_a_device") << s << QStringList{QStringLiteral("Карта 1.png ->/dev/zero")}
                                                  << QStringList{QStringLiteral("19: cannot be used: it is a device, not "
                                                                                "a file (it is a link to \"/dev/zero\")")};
        QTest::addRow("picture_named_pipe") << s << QStringList{QStringLiteral("Карта 1.png fifo")}
                                            << QStringList{QStringLiteral("19: it is a named pipe (FIFO), not a file")};
        QTest::addRow("picture_too_many_pixels")
            << s << QStringList{QStringLiteral("Карта 1.png huge")}
            << QStringList{QStringLiteral("19: the picture is 6000 × 6000 pixels, too many to load: a picture may take "
                                          "at most")};
        QTest::addRow("picture_link_to_a_picture") << s
                                                   << QStringList{QStringLiteral("рисунки/карта.png 20x10"),
                                                                  QStringLiteral("Карта 1.png ->рисунки/карта.png")}
                                                   << QStringList();
        // Five mistakes of different kinds, all reported by one run, in the order of the file.
        QTest::addRow("five_mistakes")
            << replaced(sound(), {{3, QStringLiteral("11 250")},
                                  {10, QStringLiteral("Лом")},
                                  {15, QStringLiteral("0")},
                                  {17, QStringLiteral("да")},
                                  {19, QStringLiteral("file = карта.png")}})
                   .join(u'\n')
                   .toUtf8()
            << picture
            << QStringList{QStringLiteral("3: \"11 250\" is not a usable number for the window width"),
                           QStringLiteral("10: the phrase \"Лом\" is already on line 9 of [left]"),
                           QStringLiteral("15: is a label for you, not the flag of question 1"),
                           QStringLiteral("17: picture flag of question 2 is \"да\""),
                           QStringLiteral("19: picture \"карта.png\" of question 1 cannot be used")};
    }
    void folder()
    {
        QFETCH(QByteArray, kaz);
        QFETCH(QStringList, pictures);
        QFETCH(QStringList, says);
        for (const QString &p : std::as_const(pictures))
            if (needsUnixFiles(p.section(u' ', -1)))
                KAZ_SKIP_WITHOUT_UNIX_FILES();

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("test.kaz")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kaz);
        file.close();
        for (const QString &p : pictures)
            QVERIFY2(makeEntry(QDir(dir.path()), p.section(u' ', 0, -2), p.section(u' ', -1)), qPrintable(p));
        const QString stamp = dir.filePath(QStringLiteral("checked"));
        const Run run = kazcheck(dir.path(), stamp);

        if (says.isEmpty()) {
            QVERIFY2(run.exitCode == 0 && run.lines.isEmpty(), qPrintable(run.lines.join(u'\n')));
            QVERIFY(QFile::exists(stamp));
            return;
        }
        if (qstrcmp(QTest::currentDataTag(), "picture_name_in_other_case") == 0)
            KAZ_WINDOWS_DIFFERS("file names are not told apart by case: the picture is read under the other name");
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFile::exists(stamp));
        // Messages show paths with the system's own separators.
        const QString path = QDir::toNativeSeparators(QDir(dir.path()).filePath(QStringLiteral("test.kaz")));
        QCOMPARE(run.lines.size(), says.size() + 1);
        for (qsizetype i = 0; i < says.size(); ++i) {
            const int line = says.at(i).section(u':', 0, 0).toInt();
            const QString start = line > 0 ? QStringLiteral("%1:%2: error: ").arg(path).arg(line)
                                           : QStringLiteral("%1: error: ").arg(path);
            const QString &got = run.lines.at(i);
            QVERIFY2(got.startsWith(start) && got.contains(says.at(i).section(u':', 1).trimmed()), qPrintable(got));
        }
        QCOMPARE(run.lines.last(), QStringLiteral("%1 %2 in %3; the test was not built")
                                       .arg(says.size())
                                       .arg(says.size() == 1 ? QStringLiteral("problem") : QStringLiteral("problems"),
                                            path));
    }

    // A test.kaz that is not a plain file, or too large: one line that says what it is, at
    // once. A link to a plain file elsewhere is read.
    void testFileKinds_data()
    {
        QTest::addColumn<QString>("what"); // as makeEntry() takes it; "large": a file 1 byte too large
        QTest::addColumn<QString>("says"); // empty: the test is sound

        QTest::addRow("named_pipe") << QStringLiteral("fifo") << QStringLiteral("it is a named pipe (FIFO), not a file");
        QTest::addRow("link_to_a_device") << QStringLiteral("->/dev/zero")
                                          << QStringLiteral("it is a device, not a file (it is a link to \"/dev/zero\")");
        QTest::addRow("dangling_link") << QStringLiteral("->test.txt")
                                       << QStringLiteral("it is a link to \"test.txt\", which does not exist");
        QTest::addRow("folder") << QStringLiteral("folder") << QStringLiteral("it is a folder, not a file");
        QTest::addRow("one_byte_too_large") << QStringLiteral("large")
                                            << QStringLiteral("it is 8388609 bytes, larger than 8388608 bytes, the most a test may have");
        QTest::addRow("link_to_a_sound_test") << QStringLiteral("->sound/test.kaz") << QString();
    }
    void testFileKinds()
    {
        QFETCH(QString, what);
        QFETCH(QString, says);
        if (needsUnixFiles(what))
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir d(dir.path());
        QVERIFY(d.mkpath(QStringLiteral("test/sound")));
        QFile sound(d.filePath(QStringLiteral("test/sound/test.kaz")));
        QVERIFY(sound.open(QIODevice::WriteOnly));
        sound.write(withoutPicture().join(u'\n').toUtf8());
        sound.close();
        const QString test = QDir::toNativeSeparators(d.filePath(QStringLiteral("test/test.kaz")));
        if (what == u"folder") {
            QVERIFY(d.mkpath(QStringLiteral("test/test.kaz")));
        } else if (what == u"large") {
            QFile large(test);
            QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(8 * 1024 * 1024 + 1));
        } else {
            QVERIFY(makeEntry(QDir(d.filePath(QStringLiteral("test"))), QStringLiteral("test.kaz"), what));
        }

        const Run run = kazcheck(d.filePath(QStringLiteral("test")), d.filePath(QStringLiteral("checked")));
        if (says.isEmpty()) {
            QVERIFY2(run.exitCode == 0 && run.lines.isEmpty(), qPrintable(run.lines.join(u'\n')));
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.size(), 1);
        QVERIFY2(run.lines.first().startsWith(test + QStringLiteral(": error: cannot read the test: ") + says),
                 qPrintable(run.lines.first()));
    }

    // A file wrong on every line shows its first problems, then how many more there are.
    void manyProblemsAreCut()
    {
        QStringList lines = withoutPicture();
        lines.insert(9, QStringLiteral("Лом"));
        for (int i = 0; i < 60; ++i)
            lines.insert(9, QStringLiteral("Лом"));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("test.kaz")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(u'\n').toUtf8());
        file.close();
        const Run run = kazcheck(dir.path(), dir.filePath(QStringLiteral("checked")));
        QCOMPARE(run.exitCode, 1);
        // 61 phrases repeat the first; [picture flags] has too few flags.
        QCOMPARE(run.lines.size(), 50 + 2);
        QVERIFY2(run.lines.at(49).contains(QStringLiteral("already on line 9 of [left]")), qPrintable(run.lines.at(49)));
        QCOMPARE(run.lines.at(50), QStringLiteral("… and 12 more problems"));
        QCOMPARE(run.lines.at(51), QStringLiteral("62 problems in %1; the test was not built")
                                       .arg(QDir::toNativeSeparators(QDir(dir.path()).filePath(QStringLiteral("test.kaz")))));
    }

    // A file of hundreds of thousands of wrong lines: its first problems are printed, and the
    // counts include the problems past those the checker keeps.
    void hostileFileIsCut_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("total");
        constexpr int many = 250000;
        QStringList letters;
        for (int i = 0; i < many; ++i)
            letters.append(QChar(u'a' + i % 26));
        QTest::addRow("lines_before_any_section")
            << QStringList(many, QStringLiteral("x")) + withoutPicture()
            << QStringLiteral(":1: error: this line stands before any section") << many;
        // The side is read up to 32767 phrases: 2, then 32765 letters, of which all but 26 repeat
        // one before them; [picture flags] has flags for 2 questions only.
        QStringList left = withoutPicture();
        for (qsizetype i = 0; i < letters.size(); ++i)
            left.insert(10 + i, letters.at(i));
        QTest::addRow("one_letter_lines_in_left")
            << left << QStringLiteral(":8: error: [left] has 250002 phrases; a side may hold at most 32767")
            << 1 + (32765 - 26) + 1;
    }
    void hostileFileIsCut()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, first);
        QFETCH(int, total);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("test.kaz")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(u'\n').toUtf8());
        file.close();
        const QString path = QDir::toNativeSeparators(QDir(dir.path()).filePath(QStringLiteral("test.kaz")));
        const Run run = kazcheck(dir.path(), dir.filePath(QStringLiteral("checked")));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.size(), 50 + 2);
        QVERIFY2(run.lines.first().startsWith(path + first), qPrintable(run.lines.first()));
        QCOMPARE(run.lines.at(50), QStringLiteral("… and %1 more problems").arg(total - 50));
        QCOMPARE(run.lines.at(51), QStringLiteral("%1 problems in %2; the test was not built").arg(total).arg(path));
    }

    void folderWithoutTest()
    {
        QTemporaryDir dir;
        const Run run = kazcheck(dir.path(), dir.filePath(QStringLiteral("checked")));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.size(), 1);
        QVERIFY2(run.lines.first().contains(u"test.kaz: error: cannot read the test"), qPrintable(run.lines.first()));
    }

    // Options are never taken for a folder: --help helps, any other is a mistake (status 2).
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::addRow("help") << QStringList{u"--help"_qs} << 0 << u"Checks the test in FOLDER"_qs;
        QTest::addRow("help_short") << QStringList{u"-h"_qs} << 0 << u"Exit status: 0 the test is sound"_qs;
        QTest::addRow("unknown_option") << QStringList{u"--bogus"_qs, u"folder"_qs} << 2
                                        << u"kazcheck: error: Unknown option 'bogus'."_qs;
        QTest::addRow("nothing") << QStringList{} << 2 << u"kazcheck: error: give the test folder to check"_qs;
        QTest::addRow("three_arguments") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs} << 2
                                         << u"kazcheck: error: give the test folder and at most a stamp file"_qs;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        const Run run = kazcheck(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.lines.contains(u"usage: kazcheck FOLDER [STAMP]"_qs), qPrintable(run.lines.join(u'\n')));
        QVERIFY2(run.lines.join(u'\n').contains(says), qPrintable(run.lines.join(u'\n')));
    }

    // A save of a test and its picture killed before each of its steps (a crash, a power cut)
    // may leave the new test beside the old picture, and both halves are sound, so no check
    // would tell. kazcheck finishes such a save first: the folder it passes is one whole test,
    // the old or the new.
    void saveCutShortFinished()
    {
        KAZ_SKIP_WITHOUT_KILLED_STEPS();
        const QByteArray oldTest = sound().join(u'\n').toUtf8() + '\n';
        const QByteArray newTest = replaced(sound(), {{10, u"Варна днес"_qs}}).join(u'\n').toUtf8() + '\n';
        const QByteArray oldPicture = TestPictures::png(20, 10);
        const QByteArray newPicture = TestPictures::png(16, 8, qRgb(10, 120, 10));
        const QList<FileAccess::Output> save{{u"test.kaz"_qs, newTest}, {u"Карта 1.png"_qs, newPicture}};
        const auto lay = [&](const QString &folder) {
            return TestFiles::write(QDir(folder).filePath(u"test.kaz"_qs), oldTest)
                && TestFiles::write(QDir(folder).filePath(u"Карта 1.png"_qs), oldPicture);
        };
        QTemporaryDir dir;
        qsizetype steps = 0;
        QVERIFY(lay(dir.filePath(u"count"_qs)));
        FileAccess::setStepHook([&steps](const QString &, const QString &) { ++steps; });
        QCOMPARE(FileAccess::writeAll(dir.filePath(u"count"_qs), save), QString());
        FileAccess::setStepHook({});

        int mixed = 0;
        for (qsizetype k = 0; k < steps; ++k) {
            const QString folder = dir.filePath(u"cut%1"_qs.arg(k));
            QVERIFY(lay(folder));
            QVERIFY(killedAtStep(k, [&] { FileAccess::writeAll(folder, save); }));
            const auto whole = [&] {
                const bool newTestThere = TestFiles::contents(QDir(folder).filePath(u"test.kaz"_qs)) == newTest;
                const bool newPictureThere = TestFiles::contents(QDir(folder).filePath(u"Карта 1.png"_qs)) == newPicture;
                return newTestThere == newPictureThere;
            };
            mixed += !whole();
            const Run run = kazcheck({folder});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.lines, QStringList());
            QVERIFY2(whole(), qPrintable(u"killed before step %1"_qs.arg(k)));
        }
        QVERIFY(mixed > 0);
    }

    // A folder whose name starts with "-" is still checked after "--".
    void folderLikeAnOption()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"-test"_qs);
        QVERIFY(QDir().mkpath(folder));
        QFile test(folder + u"/test.kaz"_qs);
        QVERIFY(test.open(QIODevice::WriteOnly));
        test.write(withoutPicture().join(u'\n').toUtf8() + '\n');
        test.close();
        QVERIFY(QDir::setCurrent(dir.path()));
        const Run run = kazcheck({u"--"_qs, u"-test"_qs});
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestKazcheck)
#include "tst_kazcheck.moc"
