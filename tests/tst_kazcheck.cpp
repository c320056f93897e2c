// The build's checker run as the build runs it, on test folders written to disk: what it
// prints, its exit status and its stamp.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

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

struct Run
{
    int exitCode = -1;
    QStringList lines; // what it printed, line by line
};

Run kazcheck(const QString &folder, const QString &stamp)
{
    QProcess p;
    p.start(QStringLiteral(KAZCHECK), {folder, stamp});
    if (!p.waitForFinished(30000))
        return {};
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    r.lines = out.split(u'\n', Qt::SkipEmptyParts);
    return r;
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
        QTest::addColumn<QStringList>("pictures"); // "name WxH", or "name text" for a file that is no picture
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

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("test.kaz")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kaz);
        file.close();
        for (const QString &p : pictures) {
            const QString name = p.section(u' ', 0, -2);
            const QString what = p.section(u' ', -1);
            if (what == u"text") {
                QFile f(dir.filePath(name));
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write("not a picture\n");
            } else {
                QImage image(what.section(u'x', 0, 0).toInt(), what.section(u'x', 1).toInt(), QImage::Format_RGB32);
                image.fill(Qt::blue);
                QVERIFY(image.save(dir.filePath(name), name.endsWith(u"JPG") ? "JPG" : "PNG"));
            }
        }
        const QString stamp = dir.filePath(QStringLiteral("checked"));
        const Run run = kazcheck(dir.path(), stamp);

        if (says.isEmpty()) {
            QVERIFY2(run.exitCode == 0 && run.lines.isEmpty(), qPrintable(run.lines.join(u'\n')));
            QVERIFY(QFile::exists(stamp));
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!QFile::exists(stamp));
        const QString path = QDir(dir.path()).filePath(QStringLiteral("test.kaz"));
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

    void folderWithoutTest()
    {
        QTemporaryDir dir;
        const Run run = kazcheck(dir.path(), dir.filePath(QStringLiteral("checked")));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.size(), 1);
        QVERIFY2(run.lines.first().contains(u"test.kaz: error: cannot read the test"), qPrintable(run.lines.first()));
    }
};

QTEST_GUILESS_MAIN(TestKazcheck)
#include "tst_kazcheck.moc"
