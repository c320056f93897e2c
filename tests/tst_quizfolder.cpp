// The check of a test's files from a folder on disk and from memory: the same problems either
// way, the files listed for packing, and the picture bytes the store keeps.
#include "Printing.h"
#include "TestFiles.h"
#include "QuizFolder.h"
#include "TestPictures.h"
#include "WindowsDiffers.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Three questions; questions 1 and 3 share "б.png", question 2 has "а.png" (line 26), each
// in a box of 20 × 10 pixels.
QByteArray threePictures()
{
    QStringList lines = {u"[parameters]"_qs, u"https://kaz.test Проба"_qs, u"11250"_qs, u"120"_qs, u"3135"_qs,
                         u"3360"_qs, u"6575"_qs, u"[left]"_qs, u"Лом"_qs, u"Варна"_qs, u"Русе"_qs, u"[right]"_qs,
                         u"Алмус"_qs, u"Одесос"_qs, u"Русчук"_qs, u"[picture flags]"_qs, u"Рисунки"_qs, u"1"_qs,
                         u"1"_qs, u"1"_qs};
    const QStringList names = {u"б.png"_qs, u"а.png"_qs, u"б.png"_qs};
    for (int q = 1; q <= 3; ++q)
        lines << u"[picture %1]"_qs.arg(q) << u"file = "_qs + names.at(q - 1) << u"width = 300"_qs
              << u"height = 150"_qs;
    return lines.join(u'\n').toUtf8() + '\n';
}

// "line: message" of each problem, without the file it names.
QStringList problems(const QuizFolder::Checked &checked)
{
    QStringList out;
    for (const ContentReader::Problem &p : checked.problems)
        out << u"%1: %2"_qs.arg(p.line).arg(p.message);
    return out;
}

} // namespace

using namespace TestPictures;

class TestQuizFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The bytes of "а.png" (question 2), checked from a folder and from memory: the same
    // problem on the same line either way, and no files to pack.
    void sameProblemsFromFolderAndMemory_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<int>("allocationLimit"); // in MB; 0: as it is
        QTest::addColumn<QString>("says");        // the start of the one problem; empty: sound

        QTest::addRow("sound") << png(20, 10) << 0 << QString();
        QTest::addRow("not_a_picture") << QByteArray("GIF89a, but no more") << 0
                                       << u"26: picture \"а.png\" of question 2 cannot be used: the file is not a "
                                          "picture that can be shown"_qs;
        QTest::addRow("larger_than_its_box") << png(21, 10) << 0
                                             << u"26: picture \"а.png\" of question 2 is 21 × 10 pixels, larger than "
                                                "its box of 20 × 10 pixels"_qs;
        QTest::addRow("too_many_pixels") << bmpClaiming(6000, 6000) << 0
                                         << u"26: picture \"а.png\" of question 2 cannot be used: the picture is 6000 × "
                                            "6000 pixels, too many to load"_qs;
        QTest::addRow("file_too_large") << png(20, 10) + QByteArray(1024 * 1024, '\0') << 1
                                        << u"26: picture \"а.png\" of question 2 cannot be used: the file is too "
                                           "large: it is 1048677 bytes, larger than 1048576 bytes; save the picture smaller"_qs;
    }
    void sameProblemsFromFolderAndMemory()
    {
        QFETCH(QByteArray, picture);
        QFETCH(int, allocationLimit);
        QFETCH(QString, says);
        const AllocationLimit limit(allocationLimit > 0 ? allocationLimit : QImageReader::allocationLimit());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir d(dir.path());
        const QuizFileList files = {{u"test.kaz"_qs, threePictures()}, {u"б.png"_qs, png(20, 10)},
                                    {u"а.png"_qs, picture}};
        for (const QuizFile &f : files)
            QVERIFY(TestFiles::write(d.filePath(f.name), f.bytes));

        const QuizFolder::Checked fromFolder = QuizFolder::check(dir.path());
        const QuizFolder::Checked fromMemory = QuizFolder::check(files);
        QCOMPARE(problems(fromMemory), problems(fromFolder));
        QCOMPARE(fromFolder.read, true);
        QCOMPARE(fromMemory.read, true);
        if (says.isEmpty()) {
            QVERIFY2(fromFolder.ok(), qPrintable(problems(fromFolder).join(u'\n')));
            QCOMPARE(fromMemory.files, fromFolder.files);
            return;
        }
        QCOMPARE(problems(fromFolder).size(), 1);
        QVERIFY2(problems(fromFolder).constFirst().startsWith(says), qPrintable(problems(fromFolder).constFirst()));
        QCOMPARE(fromFolder.problems.constFirst().file, QDir::toNativeSeparators(d.filePath(u"test.kaz"_qs)));
        QCOMPARE(fromMemory.problems.constFirst().file, u"test.kaz"_qs);
        QVERIFY(fromFolder.files.isEmpty());
        QVERIFY(fromMemory.files.isEmpty());
    }

    // test.kaz first, then each picture once in the order of the questions that name it (not
    // of the names); the store holds the bytes of each by its source.
    void filesInPackingOrder()
    {
        QTemporaryDir dir;
        const QDir d(dir.path());
        const QByteArray b = png(20, 10);
        const QByteArray a = png(10, 10);
        QVERIFY(TestFiles::write(d.filePath(u"test.kaz"_qs), threePictures()));
        QVERIFY(TestFiles::write(d.filePath(u"б.png"_qs), b));
        QVERIFY(TestFiles::write(d.filePath(u"а.png"_qs), a));
        QVERIFY(TestFiles::write(d.filePath(u"unused.png"_qs), png(5, 5)));

        const QuizFolder::Checked checked = QuizFolder::check(dir.path());
        QVERIFY2(checked.ok(), qPrintable(problems(checked).join(u'\n')));
        const QuizFileList expected = {{u"test.kaz"_qs, threePictures()}, {u"б.png"_qs, b}, {u"а.png"_qs, a}};
        QCOMPARE(checked.files, expected);
        QCOMPARE(checked.store.pictureData(d.filePath(u"б.png"_qs)), b);
        QCOMPARE(checked.store.pictureData(d.filePath(u"а.png"_qs)), a);
        QCOMPARE(checked.store.pictureData(d.filePath(u"unused.png"_qs)), QByteArray());

        // From memory the sources are the names; files the test does not name are ignored.
        const QuizFolder::Checked fromMemory = QuizFolder::check(expected + QuizFileList{{u"unused.png"_qs, "x"}});
        QVERIFY2(fromMemory.ok(), qPrintable(problems(fromMemory).join(u'\n')));
        QCOMPARE(fromMemory.files, expected);
        QCOMPARE(fromMemory.store.Graphika(2).source, u"а.png"_qs);
        QCOMPARE(fromMemory.store.pictureData(u"а.png"_qs), a);
    }

    // A folder's own icon.png: a square PNG of 16 to 512 pixels a side, packed after the
    // pictures; any other is a problem of its own with what to do, from a folder and from memory.
    void ownIcon_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("icon");
        QTest::addColumn<QString>("problem"); // empty: a sound icon
        QTest::addRow("square_256") << u"icon.png"_qs << png(256, 256) << QString();
        QTest::addRow("smallest_16") << u"icon.png"_qs << png(16, 16) << QString();
        QTest::addRow("largest_512") << u"icon.png"_qs << png(512, 512) << QString();
        QTest::addRow("not_square") << u"icon.png"_qs << png(64, 48)
                                    << u"the icon is 64 × 48 pixels, not square; an icon is a square PNG picture from "
                                       "16 × 16 to 512 × 512 pixels, best 256 × 256"_qs;
        QTest::addRow("too_small") << u"icon.png"_qs << png(15, 15) << u"the icon is 15 × 15 pixels, too small"_qs;
        QTest::addRow("too_large") << u"icon.png"_qs << png(513, 513) << u"the icon is 513 × 513 pixels, too large"_qs;
        QTest::addRow("jpeg_named_png") << u"icon.png"_qs << encoded(QImage(32, 32, QImage::Format_RGB32), "JPEG")
                                        << u"the icon is not a PNG file"_qs;
        QTest::addRow("png_cut_short") << u"icon.png"_qs << png(32, 32).left(40)
                                       << u"the icon cannot be read as a picture"_qs;
    }
    void ownIcon()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, icon);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QDir d(dir.path());
        const QByteArray b = png(20, 10);
        const QByteArray a = png(10, 10);
        QVERIFY(TestFiles::write(d.filePath(u"test.kaz"_qs), threePictures()));
        QVERIFY(TestFiles::write(d.filePath(u"б.png"_qs), b));
        QVERIFY(TestFiles::write(d.filePath(u"а.png"_qs), a));
        QVERIFY(TestFiles::write(d.filePath(name), icon));
        const QuizFileList files = {{u"test.kaz"_qs, threePictures()}, {u"б.png"_qs, b}, {u"а.png"_qs, a}};

        const QuizFolder::Checked fromFolder = QuizFolder::check(dir.path(), FileAccess::Links::Refuse);
        const QuizFolder::Checked fromMemory = QuizFolder::check(files + QuizFileList{{name, icon}});
        if (problem.isEmpty()) {
            QVERIFY2(fromFolder.ok(), qPrintable(problems(fromFolder).join(u'\n')));
            const QuizFileList expected = files + QuizFileList{{u"icon.png"_qs, icon}};
            QCOMPARE(fromFolder.files, expected);
            QCOMPARE(fromFolder.icon, icon);
            QCOMPARE(fromMemory.files, expected);
            QCOMPARE(fromMemory.icon, icon);
            return;
        }
        QCOMPARE(fromFolder.problems.size(), 1);
        QCOMPARE(fromFolder.problems.constFirst().file, QDir::toNativeSeparators(d.filePath(u"icon.png"_qs)));
        QVERIFY2(fromFolder.problems.constFirst().message.startsWith(problem),
                 qPrintable(fromFolder.problems.constFirst().message));
        QVERIFY(fromFolder.problems.constFirst().message.contains(u"256 × 256"));
        QVERIFY(fromFolder.files.isEmpty());
        QVERIFY(fromFolder.icon.isEmpty());
        QCOMPARE(problems(fromMemory), problems(fromFolder));
        QVERIFY(fromMemory.files.isEmpty());
    }

    // An icon that is not the plain file icon.png exactly: a link (when packing), a folder, a
    // name in other letters. Without any icon nothing is added.
    void iconNotAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::addRow("link_refused") << u"link"_qs << u"the test's icon cannot be used: the file is a symbolic link"_qs;
        QTest::addRow("folder") << u"folder"_qs << u"the test's icon cannot be used: it is a folder"_qs;
        QTest::addRow("capital_letters") << u"Icon.PNG"_qs
                                         << u"there is no icon.png, but there is \"Icon.PNG\"; rename it to icon.png exactly"_qs;
        QTest::addRow("none") << u"none"_qs << QString();
    }
    void iconNotAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        if (kind == u"link")
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QDir d(dir.path());
        QVERIFY(TestFiles::write(d.filePath(u"test.kaz"_qs), threePictures()));
        QVERIFY(TestFiles::write(d.filePath(u"б.png"_qs), png(20, 10)));
        QVERIFY(TestFiles::write(d.filePath(u"а.png"_qs), png(10, 10)));
        QVERIFY(TestFiles::write(d.filePath(u"real.png"_qs), png(32, 32)));
        if (kind == u"link")
            QVERIFY(QFile::link(u"real.png"_qs, d.filePath(u"icon.png"_qs)));
        else if (kind == u"folder")
            QVERIFY(d.mkdir(u"icon.png"_qs));
        else if (kind != u"none")
            QVERIFY(TestFiles::write(d.filePath(kind), png(32, 32)));

        const QuizFolder::Checked checked = QuizFolder::check(dir.path(), FileAccess::Links::Refuse);
        if (problem.isEmpty()) {
            QVERIFY2(checked.ok(), qPrintable(problems(checked).join(u'\n')));
            QCOMPARE(checked.files.size(), 3);
            QVERIFY(checked.icon.isEmpty());
            return;
        }
        if (kind == u"Icon.PNG")
            KAZ_WINDOWS_DIFFERS("file names are not told apart by case: Icon.PNG is read as icon.png");
        QCOMPARE(checked.problems.size(), 1);
        QVERIFY2(checked.problems.constFirst().message.startsWith(problem), qPrintable(checked.problems.constFirst().message));
        QVERIFY(checked.files.isEmpty());
    }

    // Names as every message shows them: what could drive a terminal, break a line or turn
    // the text around is made visible; anything else, and a name shown already, stays.
    void printableName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::addRow("cyrillic_and_spaces") << u"Карта 1 (нова).png"_qs << u"Карта 1 (нова).png"_qs;
        QTest::addRow("backslash_kept") << u"C:\\KAZ\\bin"_qs << u"C:\\KAZ\\bin"_qs;
        QTest::addRow("line_breaks_and_tab") << u"a\nb\rc\td"_qs << u"a\\nb\\rc\\td"_qs;
        QTest::addRow("nul") << QString(QChar(0)) + u"x"_qs << u"\\x00x"_qs;
        QTest::addRow("terminal_title") << u"\x1b]2;owned\x07"_qs << u"\\x1b]2;owned\\x07"_qs;
        QTest::addRow("delete_and_c1") << u"a\x7f\u009b"_qs << u"a\\x7f\\x9b"_qs;
        QTest::addRow("turned_around") << u"a\u202egnp.exe\u2066\u200f"_qs << u"a\\u202egnp.exe\\u2066\\u200f"_qs;
        QTest::addRow("line_separator") << u"a\u2028b"_qs << u"a\\u2028b"_qs;
        QTest::addRow("emoji_joiner_kept") << u"\U0001F469\u200D\U0001F4BB.png"_qs << u"\U0001F469\u200D\U0001F4BB.png"_qs;
        QTest::addRow("shown_already") << u"a\\x1b\\n"_qs << u"a\\x1b\\n"_qs;
    }
    void printableName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(::printableName(name), shown);
    }

    void memoryWithoutTest()
    {
        const QuizFolder::Checked checked = QuizFolder::check(QuizFileList{{u"а.png"_qs, png(1, 1)}});
        QVERIFY(!checked.read);
        QCOMPARE(problems(checked), QStringList{u"0: cannot read the test: it holds no test.kaz"_qs});
        QVERIFY(checked.files.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestQuizFolder)
#include "tst_quizfolder.moc"
