// The editor and Moodle: a Moodle XML file opened as a GIFT file is (its questions with their
// categories, a classification offered and opened with its right phrases numbered, pictures
// brought in), the test written for Moodle as NAME.xml and NAME.gift, and hostile files answered
// within two seconds with nothing written.
#include "AnswerTime.h"
#include "ContentStore.h"
#include "EditorSources.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "QuizDocument.h"
#include "QuizFolder.h"
#include "TestFiles.h"
#include "TestPictures.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString sub(const QString &text, const QString &answer, const QString &extra = {})
{
    return u"<subquestion format=\"html\"><text>%1</text>%2<answer><text>%3</text></answer></subquestion>\n"_s.arg(
        text.toHtmlEscaped(), extra, answer.toHtmlEscaped());
}

QString question(const QString &type, const QString &name, const QString &inside)
{
    return u"<question type=\"%1\"><name><text>%2</text></name><questiontext format=\"html\"><text>Свържете</text>"
           "</questiontext>%3</question>\n"_s.arg(type, name.toHtmlEscaped(), inside);
}

QString category(const QString &path)
{
    return u"<question type=\"category\"><category><text>%1</text></category></question>\n"_s.arg(path);
}

QByteArray quiz(const QString &questions)
{
    return (u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n"_s + questions + u"</quiz>\n"_s).toUtf8();
}

QString picture(const QString &name, const QByteArray &bytes)
{
    return u"<file name=\"%1\" path=\"/\" encoding=\"base64\">%2</file>"_s.arg(name, QString::fromLatin1(bytes.toBase64()));
}

// A file of two categories: a matching question with a picture, a classification, an essay and
// a matching question Moodle can hold but a KAZ test cannot.
QByteArray sample()
{
    return quiz(category(u"$course$/top/Биология/Растения"_s)
                + question(u"matching"_s, u"Части"_s,
                           sub(u"Корен<img src=\"@@PLUGINFILE@@/koren.png\">"_s, u"под земята"_s,
                               picture(u"koren.png"_s, TestPictures::png(6, 4)))
                               + sub(u"Лист"_s, u"фотосинтеза"_s) + sub(u"Цвят"_s, u"опрашване"_s))
                + question(u"matching"_s, u"Плодове и зеленчуци"_s,
                           sub(u"Ябълка"_s, u"Плод"_s) + sub(u"Круша"_s, u"Плод"_s) + sub(u"Морков"_s, u"Зеленчук"_s)
                               + sub(u"Слива"_s, u"Плод"_s))
                + category(u"$course$/top/Химия"_s) + question(u"essay"_s, u"Есе"_s, {})
                + question(u"matching"_s, u"Една двойка"_s, sub(u"a"_s, u"1"_s)));
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    return TestFiles::write(path, bytes) ? path : QString();
}

using TestFiles::filesBelow;

} // namespace

class TestEditorMoodle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The chooser's list: each question with its category, the classification offered and
    // marked, the others listed with why they are not offered.
    void xmlQuestionsListed()
    {
        QTemporaryDir dir;
        // The content tells the format, not the name.
        const QString path = write(dir, u"export.txt"_s, sample());
        const EditorSources::GiftQuestions q = EditorSources::giftQuestions(path);
        QVERIFY2(q.ok(), qPrintable(q.error));
        QCOMPARE(q.titles, (QStringList{u"Части"_s, u"Плодове и зеленчуци"_s}));
        QCOMPARE(q.categories, (QStringList{u"Биология/Растения"_s, u"Биология/Растения"_s}));
        QVERIFY(!q.isClassification(0));
        QVERIFY(q.isClassification(1));
        QCOMPARE(q.shared.at(1), QStringList{u"Плод"_s});
        QCOMPARE(q.shown.at(0), u"Части   Category: Биология/Растения"_s);
        QVERIFY2(q.shown.at(1).startsWith(u"Плодове и зеленчуци   Category: Биология/Растения   (classification"_s),
                 qPrintable(q.shown.at(1)));
        QCOMPARE(q.skipped.size(), 2);
        QVERIFY2(q.skipped.at(0).startsWith(u"Line "_s) && q.skipped.at(0).contains(u"essay \"Есе\""_s), qPrintable(q.skipped.at(0)));
        // A matching question left out says why.
        QVERIFY2(q.skipped.at(1).contains(u"\"Една двойка\" – it has 1 pairs"_s), qPrintable(q.skipped.at(1)));
        QCOMPARE(q.notes.size(), 2);
    }

    // The sample in docs/examples lists as the guide says: three questions in two categories, the
    // second a classification, and the essay not opened.
    void sampleFile()
    {
        const EditorSources::GiftQuestions q = EditorSources::giftQuestions(TestFiles::sourcePath(u"docs/examples/priroda.xml"_s));
        QVERIFY2(q.ok(), qPrintable(q.error));
        QCOMPARE(q.titles, (QStringList{u"Части на растението"_s, u"Плодове и зеленчуци"_s, u"Химични знаци"_s}));
        QCOMPARE(q.categories, (QStringList{u"Биология/Растения"_s, u"Биология/Растения"_s, u"Химия"_s}));
        QCOMPARE(q.shared.at(1), (QStringList{u"Плод"_s, u"Зеленчук"_s}));
        QVERIFY(!q.isClassification(0) && !q.isClassification(2));
        QCOMPARE(q.skipped.size(), 1);
        QVERIFY(q.skipped.first().contains(u"essay"_s));
        QuizDocument d;
        QCOMPARE(EditorSources::openGift(d, TestFiles::sourcePath(u"docs/examples/priroda.xml"_s), 0, {}), QString());
        QCOMPARE(d.content().rows.at(1).explanation, QStringList{u"В него става фотосинтезата."_s});
        QVERIFY(d.content().rows.at(2).explanation.isEmpty());
    }

    // A question opens with its picture's bytes; a classification with its right phrases numbered.
    void xmlQuestionsOpen()
    {
        QTemporaryDir dir;
        const QString path = write(dir, u"export.xml"_s, sample());
        QuizDocument d;
        QCOMPARE(EditorSources::openGift(d, path, 0, u"https://kaz.bg"_s), QString());
        QCOMPARE(d.field(DocumentField::Title), u"Части"_s);
        QCOMPARE(d.content().rows.size(), 3);
        QCOMPARE(d.content().rows.at(0).picture.name, u"koren.png"_s);
        QCOMPARE(d.content().rows.at(0).picture.bytes, TestPictures::png(6, 4));
        QVERIFY(d.folder().isEmpty());

        QCOMPARE(EditorSources::openGift(d, path, 1, {}), QString());
        QStringList rights;
        for (const DocumentRow &r : d.content().rows)
            rights.append(r.right);
        QCOMPARE(rights, (QStringList{u"Плод"_s, u"Плод (2)"_s, u"Зеленчук"_s, u"Плод (3)"_s}));
        QCOMPARE(EditorSources::openGift(d, path, 2, {}).contains(u"no longer holds that question"_s), true);
    }

    // "Export for Moodle…": both files, read back the same test, its pictures in the XML; an
    // existing file kept unless replacing is agreed; too few pairs refused, nothing written.
    void exportWritesBothFiles()
    {
        QTemporaryDir dir;
        const QString from = TestFiles::copyFolder(TestFiles::sourcePath(u"quizzes/figuri"_s), dir.path(), u"figuri"_s);
        QuizDocument d;
        QVERIFY(d.openFolder(from).ok());
        QCOMPARE(EditorSources::moodleName(d), u"figuri"_s);
        const QString out = dir.filePath(u"за moodle"_s);
        QVERIFY(QDir().mkpath(out));
        const EditorSources::MoodleFiles files = EditorSources::moodleFiles(out, EditorSources::moodleName(d));
        QCOMPARE(QFileInfo(files.xml).fileName(), u"figuri.xml"_s);
        QCOMPARE(QFileInfo(files.gift).fileName(), u"figuri.gift"_s);
        QVERIFY(EditorSources::existingFiles(files).isEmpty());

        const EditorSources::MoodleExported e = EditorSources::exportForMoodle(d.content(), files, false);
        QVERIFY2(e.ok(), qPrintable(e.error));
        QCOMPARE(e.notes.size(), 1); // GIFT holds no pictures
        QCOMPARE(filesBelow(out), (QStringList{u"figuri.gift"_s, u"figuri.xml"_s}));
        QCOMPARE(EditorSources::existingFiles(files), files.all());

        const ContentStore store = QuizFolder::check(from).store;
        const Gift::Result xml = MoodleXml::readBytes(TestFiles::contents(files.xml));
        QVERIFY(xml.ok() && xml.questions.size() == 1);
        QCOMPARE(xml.questions.first().left, store.Danni(0));
        QCOMPARE(xml.questions.first().right, store.Danni(1));
        int pictures = 0;
        for (const Gift::Picture &p : xml.questions.first().pictures) {
            QCOMPARE(p.bytes, store.pictureData(store.Graphika(p.pair + 1).source));
            ++pictures;
        }
        QVERIFY(pictures > 0);
        const Gift::Result gift = Gift::readBytes(TestFiles::contents(files.gift));
        QVERIFY(gift.ok() && gift.questions.size() == 1);
        QCOMPARE(gift.questions.first().right, store.Danni(1));

        // Not replaced without leave; replaced with it.
        QVERIFY(TestFiles::write(files.gift, "mine"));
        const EditorSources::MoodleExported kept = EditorSources::exportForMoodle(d.content(), files, false);
        QVERIFY(!kept.ok());
        QVERIFY(kept.error.contains(u"there already"_s));
        QCOMPARE(TestFiles::contents(files.gift), "mine"_ba);
        QVERIFY(EditorSources::exportForMoodle(d.content(), files, true).ok());
        QVERIFY(TestFiles::contents(files.gift).contains("figuri") || TestFiles::contents(files.gift).contains("::"));
        QCOMPARE(filesBelow(out), (QStringList{u"figuri.gift"_s, u"figuri.xml"_s}));

        // A new test of two rows: refused, nothing written.
        QuizDocument small;
        small.openStore([] {
            ContentStore s;
            s.setDanni(0, {u"а"_s, u"б"_s});
            s.setDanni(1, {u"1"_s, u"2"_s});
            s.setDanni(3, {u"Малък"_s});
            return s;
        }());
        QCOMPARE(EditorSources::moodleName(small), u"malak"_s);
        const QString other = dir.filePath(u"other"_s);
        QVERIFY(QDir().mkpath(other));
        const EditorSources::MoodleExported refused
            = EditorSources::exportForMoodle(small.content(), EditorSources::moodleFiles(other, u"malak"_s), false);
        QVERIFY(refused.error.contains(u"at least 3"_s));
        QVERIFY(filesBelow(other).isEmpty());
    }

    // Hostile files opened in the editor: each answered within two seconds, with an error or a
    // warning that names the fault, and nothing written anywhere.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said"); // in the error, or in the skipped questions / warnings
        QTest::addColumn<bool>("opens");   // the sound part still opens
        const QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                                  "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                                  "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">"
                                  "<!ENTITY lol9 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">]>\n"
                                  "<quiz><question type=\"matching\"><name><text>&lol9;</text></name></question></quiz>\n";
        QTest::addRow("billion_laughs") << laughs << u"document type"_s << false;
        QTest::addRow("external_entity")
            << "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<quiz>&x;</quiz>\n"_ba
            << u"document type"_s << false;
        QTest::addRow("undeclared_entity") << "<?xml version=\"1.0\"?>\n<quiz>&x;</quiz>\n"_ba << u"not declared"_s << false;
        QByteArray deep = "<?xml version=\"1.0\"?>\n<quiz>";
        for (int i = 0; i < 100000; ++i)
            deep += "<a>";
        QTest::addRow("deep_nesting") << deep << u"nest more than"_s << false;
        QTest::addRow("huge_picture")
            << quiz(question(u"matching"_s, u"Голяма"_s,
                             sub(u"a<img src=\"@@PLUGINFILE@@/big.png\">"_s, u"1"_s,
                                 picture(u"big.png"_s, TestPictures::pngClaiming(100000, 100000)))
                                 + sub(u"b"_s, u"2"_s) + sub(u"c"_s, u"3"_s)))
            << u"big.png"_s << true;
        QTest::addRow("broken_base64")
            << quiz(question(u"matching"_s, u"Счупена"_s,
                             sub(u"a<img src=\"@@PLUGINFILE@@/a.png\">"_s, u"1"_s,
                                 u"<file name=\"a.png\" path=\"/\" encoding=\"base64\">iVBOR!!w0KGgo=</file>"_s)
                                 + sub(u"b"_s, u"2"_s) + sub(u"c"_s, u"3"_s)))
            << u"base64"_s << true;
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = write(dir, u"hostile.xml"_s, bytes);
        const QStringList before = filesBelow(dir.path());
        QElapsedTimer time;
        time.start();
        const EditorSources::GiftQuestions q = EditorSources::giftQuestions(path);
        QuizDocument d;
        const QString error = EditorSources::openGift(d, path, 0, {});
        QVERIFY2(time.elapsed() < AnswerTime::LimitMs, qPrintable(QString::number(time.elapsed())));
        QCOMPARE(filesBelow(dir.path()), before);
        if (!opens) {
            QVERIFY2(q.error.contains(said), qPrintable(q.error));
            QVERIFY(q.titles.isEmpty());
            QVERIFY(!error.isEmpty());
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(d.content().rows.at(0).picture.isNull());
        // The picture's fault is told by the reader gift2kaz shares.
        MoodleXml::Options o;
        o.checkPicture = [](const QByteArray &b) { return QuizFolder::checkPicture(b); };
        const Gift::Result r = MoodleXml::readBytes(bytes, o);
        QVERIFY(!r.warnings.isEmpty());
        QVERIFY2(r.warnings.first().text.contains(said), qPrintable(r.warnings.first().text));
    }

    // A file of 50 MB is refused by its size at once, whatever it holds.
    void fiftyMegabytes_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("said");
        QTest::addRow("xml") << "<?xml version=\"1.0\"?>\n<quiz>"_ba << u"cannot read the Moodle XML file"_s;
        QTest::addRow("gift") << "::T:: x {=a -> 1 =b -> 2 =c -> 3}\n"_ba << u"cannot read the GIFT file"_s;
    }
    void fiftyMegabytes()
    {
        QFETCH(QByteArray, start);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QFile f(dir.filePath(u"big.xml"_s));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(start) > 0 && f.resize(50 * 1024 * 1024));
        f.close();
        QElapsedTimer time;
        time.start();
        const EditorSources::GiftQuestions q = EditorSources::giftQuestions(f.fileName());
        QVERIFY(time.elapsed() < AnswerTime::LimitMs);
        QVERIFY2(q.error.contains(said) && q.error.contains(u"50.0 MB"_s), qPrintable(q.error));
        QCOMPARE(filesBelow(dir.path()), QStringList{u"big.xml"_s});
    }
};

QTEST_GUILESS_MAIN(TestEditorMoodle)
#include "tst_editor_moodle.moc"
