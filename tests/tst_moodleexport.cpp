// A KAZ test written for Moodle, as Moodle XML and as GIFT, and read back by KAZ's own readers:
// the shipped tests and random ones with every character the two formats give a meaning to come
// back as the same test.
#include "Caption.h"
#include "ContentReader.h"
#include "ContentStore.h"
#include "Gift.h"
#include "MoodleExport.h"
#include "MoodleXml.h"
#include "Numbers.h"
#include "QuizFolder.h"
#include "RandomPhrases.h"
#include "TestFiles.h"
#include "TestPictures.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// The explanation of question q (from 1) as a Moodle question holds it: none when it is
// switched off, its lines trimmed and without empty ones.
QStringList shownExplanation(const ContentStore &store, int q)
{
    QStringList lines;
    if (Numbers::readLenient(ContentStore::item(store.Otgowor(0), q)) > 0)
        for (const QString &line : store.Otgowor(q))
            if (!line.trimmed().isEmpty())
                lines.append(line.trimmed());
    return lines;
}

QByteArray shownPicture(const ContentStore &store, int q)
{
    const auto flag = Numbers::readStrict(ContentStore::item(store.Spis_graf(), q));
    return flag && *flag != 0 && !store.Graphika(q).source.isEmpty() ? store.pictureData(store.Graphika(q).source)
                                                                     : QByteArray();
}

// `back`, read from what was written of `store`, holds the same test; pictures compared by their
// bytes, pair by pair, when `pictures`.
void compareTest(const ContentStore &store, const Gift::Matching &back, bool pictures)
{
    QCOMPARE(back.title, Caption::split(store.Danni(3).value(0)).title);
    QCOMPARE(back.text, Gift::textLines(store.Ukazanie()));
    QCOMPARE(back.left, store.Danni(0));
    QCOMPARE(back.right, store.Danni(1));
    const int pairs = std::min<int>(int(store.Danni(0).size()), ContentStore::QuestionsWithExtras);
    bool any = false;
    for (int q = 1; q <= pairs; ++q) {
        QCOMPARE(back.explanations.value(q - 1), shownExplanation(store, q));
        any = any || !shownExplanation(store, q).isEmpty();
    }
    QCOMPARE(back.explanations.isEmpty(), !any);
    if (!pictures) {
        QVERIFY(back.pictures.isEmpty());
        return;
    }
    for (int q = 1; q <= pairs; ++q) {
        QByteArray bytes;
        for (const Gift::Picture &p : back.pictures)
            if (p.pair == q - 1)
                bytes = p.bytes;
        QVERIFY2(bytes == shownPicture(store, q), qPrintable(u"picture of question %1"_qs.arg(q)));
    }
}

struct Back
{
    Gift::Result xml;
    Gift::Result gift;
    QStringList notes;
};

Back roundTrip(const ContentStore &store)
{
    const Gift::Matching m = MoodleExport::fromStore(store);
    Back b;
    MoodleXml::Options o;
    o.checkPicture = [](const QByteArray &bytes) { return QuizFolder::checkPicture(bytes); };
    b.xml = MoodleXml::readBytes(MoodleExport::moodleXml(m), o);
    b.gift = Gift::readBytes(MoodleExport::gift(m, &b.notes).toUtf8());
    return b;
}

QString messages(const Gift::Result &r)
{
    QStringList out;
    for (const auto *list : {&r.errors, &r.notes, &r.warnings})
        for (const Gift::Message &m : *list)
            out.append(QString::number(m.line) + u": "_qs + m.text);
    return out.join(u'\n');
}

// Syllables of both scripts and every character that means something in XML, HTML or GIFT.
const QStringList Syllables{u"ба"_qs, u"Щу"_qs, u"ри"_qs, u"ka"_qs, u"Zo"_qs, u"<"_qs, u">"_qs, u"&"_qs,
                            u"\""_qs, u"'"_qs, u"~"_qs, u"="_qs, u"#"_qs, u"{"_qs, u"}"_qs, u":"_qs,
                            u"\\"_qs, u"->"_qs, u"-"_qs, u"&amp;"_qs, u"&lt;b&gt;"_qs, u"<p>"_qs, u"//"_qs,
                            u"[html]"_qs, u"@@PLUGINFILE@@/"_qs, u"]]>"_qs, u"####"_qs, u"ѝ"_qs};

} // namespace

class TestMoodleExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every shipped test comes back from both files as it is; its pictures from Moodle XML.
    void shippedTests_data()
    {
        QTest::addColumn<QString>("folder");
        const QDir quizzes(TestFiles::sourcePath(u"quizzes"_qs));
        const QStringList folders = quizzes.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(folders.size() >= 2);
        for (const QString &f : folders)
            QTest::newRow(qPrintable(f)) << quizzes.filePath(f);
    }
    void shippedTests()
    {
        QFETCH(QString, folder);
        const QuizFolder::Checked c = QuizFolder::check(folder);
        QVERIFY(c.ok());
        const Back b = roundTrip(c.store);
        QVERIFY2(b.xml.ok() && b.xml.questions.size() == 1, qPrintable(messages(b.xml)));
        QVERIFY2(b.xml.warnings.isEmpty(), qPrintable(messages(b.xml)));
        compareTest(c.store, b.xml.questions.first(), true);
        QVERIFY2(b.gift.ok() && b.gift.questions.size() == 1, qPrintable(messages(b.gift)));
        compareTest(c.store, b.gift.questions.first(), false);
        const Gift::Matching m = MoodleExport::fromStore(c.store);
        QCOMPARE(b.notes.isEmpty(), m.pictures.isEmpty());
        if (!m.pictures.isEmpty())
            QVERIFY(b.notes.first().contains(u"GIFT cannot hold pictures"_qs));
        // Read as the folder gift2kaz writes, the test checks sound.
        const ContentReader::Result back = ContentReader::read(Gift::toContent(b.xml.questions.first()));
        QVERIFY(back.ok());
    }

    // Random tests: phrases of both scripts with < > & " ' ~ = # { } : \ -> and markers of the
    // formats, instructions and explanations of several lines, extra right phrases, pictures,
    // switches and flags on and off.
    void randomTests()
    {
        QRandomGenerator rng(20261210);
        for (int round = 0; round < 60; ++round) {
            const int pairs = 3 + rng.bounded(35);
            const int extras = rng.bounded(pairs / 3 + 1);
            const QStringList left = RandomPhrases::side(rng, pairs, Syllables, false);
            const QStringList right = RandomPhrases::side(rng, pairs + extras, Syllables, false);
            ContentStore store;
            store.setDanni(0, left);
            store.setDanni(1, right);
            store.setDanni(3, QStringList{u"https://kaz.bg "_qs + RandomPhrases::side(rng, 1, Syllables, false).first()}
                                  + ContentStore::defaultGeometry());
            QString instructions;
            for (int l = rng.bounded(4); l > 0; --l)
                instructions += RandomPhrases::side(rng, 1, Syllables, false).first() + u"\r\n"_qs;
            if (rng.bounded(3) == 0)
                instructions += u"\r\nслед празен ред\r\n"_qs;
            store.setUkazanie(instructions);
            QStringList switches{ContentStore::defaultSwitchesLabel()};
            QStringList flags{ContentStore::defaultFlagsLabel()};
            for (int q = 1; q <= pairs; ++q) {
                QStringList lines;
                for (int l = rng.bounded(4); l > 0; --l)
                    lines.append(RandomPhrases::side(rng, 1, Syllables, false).first());
                // An explanation may start like another pair's left phrase, or be one.
                if (rng.bounded(8) == 0)
                    lines.append(left.at(rng.bounded(pairs)) + u" и още"_qs);
                if (q <= ContentStore::QuestionsWithExtras)
                    store.setOtgowor(q, lines);
                switches.append(rng.bounded(5) == 0 ? u"0"_qs : u"1"_qs);
                if (q <= ContentStore::QuestionsWithExtras && rng.bounded(4) == 0) {
                    const QString name = u"Снимка %1.PNG"_qs.arg(rng.bounded(3));
                    store.setGraphika(q, {name, 300, 300});
                    store.setPictureData(name, TestPictures::png(4 + int(name.size()), 5, qRgb(rng.bounded(256), 0, 0)));
                    flags.append(rng.bounded(6) == 0 ? u"0"_qs : rng.bounded(2) ? u"1"_qs : u"-1"_qs);
                } else {
                    flags.append(u"0"_qs);
                }
            }
            store.setOtgowor(0, switches);
            store.setSpis_graf(flags);

            const Back b = roundTrip(store);
            const QString context = u"round %1"_qs.arg(round);
            QVERIFY2(b.xml.ok() && b.xml.questions.size() == 1, qPrintable(context + u'\n' + messages(b.xml)));
            QVERIFY2(b.gift.ok() && b.gift.questions.size() == 1, qPrintable(context + u'\n' + messages(b.gift)));
            compareTest(store, b.xml.questions.first(), true);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(context + u" (Moodle XML)\n"_qs + QString::fromUtf8(MoodleExport::moodleXml(MoodleExport::fromStore(store)))));
            compareTest(store, b.gift.questions.first(), false);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(context + u" (GIFT)\n"_qs + MoodleExport::gift(MoodleExport::fromStore(store))));
        }
    }

    // The Moodle XML file holds what Moodle's import reads of a matching question: the name, the
    // texts in HTML, the grading, one subquestion a phrase (an extra one without a text), each
    // picture embedded beside the subquestion that names it.
    void moodleXmlElements()
    {
        Gift::Matching m;
        m.title = u"Фигури & <тела>"_qs;
        m.text = {u"Свържете <b>"_qs, u"втори ред"_qs};
        m.left = {u"Квадрат"_qs, u"Кръг"_qs, u"a < b"_qs};
        m.right = {u"4 страни"_qs, u"0 ъгъла"_qs, u"b > a"_qs, u"излишна"_qs};
        m.explanations = {{u"Четири прави ъгъла."_qs}, {}, {}};
        m.pictures = {{0, u"kwadrat.png"_qs, TestPictures::png(3, 3), 0, 0}};
        QXmlStreamReader xml(MoodleExport::moodleXml(m));
        QStringList path, seen;
        QHash<QString, QString> texts;
        QList<QXmlStreamAttributes> files;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                path.append(xml.name().toString());
                seen.append(path.join(u'/'));
                if (xml.name() == u"file")
                    files.append(xml.attributes());
            } else if (xml.isEndElement()) {
                path.removeLast();
            } else if (xml.isCharacters() && !xml.isWhitespace()) {
                texts[path.join(u'/')] += xml.text();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(seen.count(u"quiz/question"_qs), 1);
        QCOMPARE(seen.count(u"quiz/question/subquestion"_qs), 4);
        QCOMPARE(texts.value(u"quiz/question/name/text"_qs), m.title);
        QCOMPARE(texts.value(u"quiz/question/questiontext/text"_qs), u"<p>Свържете &lt;b&gt;<br>втори ред</p>"_qs);
        QCOMPARE(texts.value(u"quiz/question/generalfeedback/text"_qs), u"<p>Квадрат:</p><p>Четири прави ъгъла.</p>"_qs);
        QCOMPARE(texts.value(u"quiz/question/shuffleanswers"_qs), u"1"_qs);
        QCOMPARE(texts.value(u"quiz/question/defaultgrade"_qs), u"1"_qs);
        QVERIFY(seen.contains(u"quiz/question/penalty"_qs));
        for (const char *feedback : {"correctfeedback", "partiallycorrectfeedback", "incorrectfeedback"}) {
            QVERIFY(seen.contains(u"quiz/question/"_qs + QLatin1String(feedback)));
            QVERIFY(texts.value(u"quiz/question/%1/text"_qs.arg(QLatin1String(feedback))).isEmpty());
        }
        // The answers are plain text, the subquestions HTML: "a < b" escaped once for HTML.
        QVERIFY(texts.value(u"quiz/question/subquestion/text"_qs).contains(u"<p>a &lt; b</p>"_qs));
        QVERIFY(texts.value(u"quiz/question/subquestion/answer/text"_qs).contains(u"b > a"_qs));
        QVERIFY(texts.value(u"quiz/question/subquestion/text"_qs).contains(u"src=\"@@PLUGINFILE@@/kwadrat.png\""_qs));
        QCOMPARE(files.size(), 1);
        QCOMPARE(files.first().value(u"name"_qs), u"kwadrat.png"_qs);
        QCOMPARE(files.first().value(u"path"_qs), u"/"_qs);
        QCOMPARE(files.first().value(u"encoding"_qs), u"base64"_qs);
        QCOMPARE(QByteArray::fromBase64(texts.value(u"quiz/question/subquestion/file"_qs).toLatin1()), m.pictures.first().bytes);
    }

    // A character XML cannot hold (a lone surrogate, a control character) never breaks the file:
    // it is written as U+FFFD, and everything else reads back.
    void charactersXmlCannotHold()
    {
        Gift::Matching m;
        m.title = u"T"_qs + QChar(0xD800);
        m.text = {u"a"_qs + QChar(0x0001) + u"b"_qs};
        m.left = {u"x"_qs + QChar(0xDC00), u"y"_qs, u"z"_qs};
        m.right = {u"1"_qs, u"2"_qs + QChar(0xFFFF), u"3"_qs};
        const Gift::Result r = MoodleXml::readBytes(MoodleExport::moodleXml(m));
        QVERIFY2(r.ok() && r.questions.size() == 1, qPrintable(messages(r)));
        const QChar replaced(QChar::ReplacementCharacter);
        QCOMPARE(r.questions.first().title, u"T"_qs + replaced);
        QCOMPARE(r.questions.first().text, QStringList{u"a"_qs + replaced + u"b"_qs});
        QCOMPARE(r.questions.first().left, (QStringList{u"x"_qs + replaced, u"y"_qs, u"z"_qs}));
        QCOMPARE(r.questions.first().right, (QStringList{u"1"_qs, u"2"_qs + replaced, u"3"_qs}));
    }

    // GIFT's special characters each written with a backslash, line breaks as \n; a left phrase
    // with "->" written as HTML.
    void giftText()
    {
        QCOMPARE(MoodleExport::giftEscaped(u"a~b=c#d{e}f:g\\h\ni\r\nj"_qs), u"a\\~b\\=c\\#d\\{e\\}f\\:g\\\\h\\ni\\nj"_qs);
        Gift::Matching m;
        m.title = u"T: 1"_qs;
        m.text = {u"ред 1"_qs, u"ред 2"_qs};
        m.left = {u"x -> y"_qs, u"b"_qs, u"c"_qs};
        m.right = {u"1 -> 2"_qs, u"=2"_qs, u"3"_qs, u"4"_qs};
        QStringList notes;
        const QString gift = MoodleExport::gift(m, &notes);
        QVERIFY(notes.isEmpty());
        QVERIFY2(gift.contains(u"::T\\: 1::ред 1\\nред 2{\n"_qs), qPrintable(gift));
        QVERIFY2(gift.contains(u"=[html]x -&gt; y -> 1 -> 2\n"_qs), qPrintable(gift));
        QVERIFY2(gift.contains(u"=b -> \\=2\n"_qs), qPrintable(gift));
        QVERIFY2(gift.contains(u"=-> 4\n}"_qs), qPrintable(gift));
        const Gift::Result r = Gift::read(gift);
        QVERIFY2(r.ok() && r.questions.size() == 1, qPrintable(messages(r)));
        QCOMPARE(r.questions.first().left, m.left);
        QCOMPARE(r.questions.first().right, m.right);
    }

    // The general feedback read back as explanations: headings of the pairs, and the forms a
    // teacher writes in Moodle.
    void feedbackHeadings_data()
    {
        QTest::addColumn<QStringList>("feedback");
        QTest::addColumn<QList<QStringList>>("explanations");
        const QStringList left{u"a"_qs, u"b"_qs, u"B c"_qs};
        // A heading's lines may start like another pair's left phrase.
        QTest::addRow("headings") << QStringList{u"a:"_qs, u"b is not a"_qs, u"B c:"_qs, u"a: x"_qs}
                                  << QList<QStringList>{{u"b is not a"_qs}, {}, {u"a: x"_qs}};
        QTest::addRow("lines_before_the_first_heading")
            << QStringList{u"Общо"_qs, u"b:"_qs, u"второ"_qs}
            << QList<QStringList>{{}, {u"Общо"_qs, u"второ"_qs}, {}};
        QTest::addRow("named_by_their_start") << QStringList{u"b – второ"_qs, u"още"_qs}
                                              << QList<QStringList>{{}, {u"b – второ"_qs, u"още"_qs}, {}};
        QTest::addRow("none_named") << QStringList{u"Всичко"_qs} << QList<QStringList>(3, QStringList{u"Всичко"_qs});
    }
    void feedbackHeadings()
    {
        QFETCH(QStringList, feedback);
        QFETCH(QList<QStringList>, explanations);
        const auto e = Gift::pairExplanations(feedback, {u"a"_qs, u"b"_qs, u"B c"_qs});
        QVERIFY(e);
        QCOMPARE(*e, explanations);
        // A heading's explanation longer than a test holds is refused, not cut.
        QStringList tooMany{u"a:"_qs};
        for (int i = 0; i <= ContentReader::MaxTextLines; ++i)
            tooMany.append(u"x"_qs);
        QVERIFY(!Gift::pairExplanations(tooMany, {u"a"_qs, u"b"_qs, u"c"_qs}));
    }
};

QTEST_GUILESS_MAIN(TestMoodleExport)
#include "tst_moodleexport.moc"
