// Moodle XML files, as Moodle's "Export questions" writes them and as an attacker might: what the
// reader makes of matching questions, their pictures and feedback, what it leaves out and why,
// the files it refuses in bounded time, and gift2kaz converting such a file on disk.
#include "AnswerTime.h"
#include "ContentStore.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "QuizFolder.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "ToolLocale.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// An embedded file as Moodle writes it beside a text.
QString file(const QString &name, const QByteArray &bytes)
{
    return QStringLiteral("<file name=\"%1\" path=\"/\" encoding=\"base64\">%2</file>")
        .arg(escaped(name), QString::fromLatin1(bytes.toBase64()));
}

// A subquestion: `text` is HTML, `extra` more elements (files) beside it.
QString sub(const QString &text, const QString &answer, const QString &extra = {})
{
    return QStringLiteral("<subquestion format=\"html\"><text>%1</text>%2<answer><text>%3</text></answer></subquestion>\n")
        .arg(escaped(text), extra, escaped(answer));
}

QString question(const QString &type, const QString &name, const QString &text, const QString &inside = {})
{
    return QStringLiteral("<question type=\"%1\"><name><text>%2</text></name>"
                          "<questiontext format=\"html\"><text>%3</text></questiontext>%4</question>\n")
        .arg(type, escaped(name), escaped(text), inside);
}

QString category(const QString &path)
{
    return QStringLiteral("<question type=\"category\"><category><text>%1</text></category></question>\n").arg(path);
}

QByteArray quiz(const QString &questions)
{
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n") + questions + QStringLiteral("</quiz>\n")).toUtf8();
}

QString threePairs()
{
    return sub(u"<p>a</p>"_qs, u"1"_qs) + sub(u"<p>b</p>"_qs, u"2"_qs) + sub(u"<p>c</p>"_qs, u"3"_qs);
}

MoodleXml::Options checked()
{
    MoodleXml::Options o;
    o.checkPicture = [](const QByteArray &bytes) { return QuizFolder::checkPicture(bytes); };
    return o;
}

QString joined(const QList<Gift::Message> &messages)
{
    QStringList out;
    for (const Gift::Message &m : messages)
        out.append(QString::number(m.line) + u": "_qs + m.text);
    return out.join(u'\n');
}

using TestFiles::filesBelow;

} // namespace

class TestMoodleXml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file of several questions of a category: the matching ones become tests with their
    // texts made plain, the others are listed by kind, each with its category.
    void wholeExport()
    {
        const QByteArray xml = quiz(
            category(u"$course$/top/Биология/Растения"_qs)
            + question(u"matching"_qs, u"Плодове"_qs, u"<p>Свържете <b>растението</b>&nbsp;с вида му.</p><p>А &amp; Б</p>"_qs,
                       sub(u"<p>Ябълка</p>"_qs, u"плод"_qs) + sub(u"Морков"_qs, u"зеленчук"_qs) + sub(u"Роза"_qs, u"цвете"_qs)
                           + sub({}, u"гъба"_qs))
            + question(u"multichoice"_qs, u"Избор"_qs, u"?"_qs) + category(u"$course$/top/Химия"_qs)
            + question(u"truefalse"_qs, u"Вярно"_qs, u"?"_qs) + question(u"multianswer"_qs, u"Клоуз"_qs, u"?"_qs)
            + question(u"ddmatch"_qs, {}, u"Елементи и символи"_qs,
                       sub(u"Кислород"_qs, u"O"_qs) + sub(u"Водород"_qs, u"H"_qs) + sub(u"Въглерод"_qs, u"C"_qs))
            + question(u"somethingnew"_qs, u"Ново"_qs, u"?"_qs));
        const Gift::Result r = MoodleXml::readBytes(xml);
        QVERIFY2(r.ok(), qPrintable(joined(r.errors)));
        QCOMPARE(r.questions.size(), 2);
        const Gift::Matching &a = r.questions.at(0);
        QCOMPARE(a.title, u"Плодове"_qs);
        QCOMPARE(a.text, (QStringList{u"Свържете растението с вида му."_qs, u"А & Б"_qs}));
        QCOMPARE(a.left, (QStringList{u"Ябълка"_qs, u"Морков"_qs, u"Роза"_qs}));
        QCOMPARE(a.right, (QStringList{u"плод"_qs, u"зеленчук"_qs, u"цвете"_qs, u"гъба"_qs}));
        QCOMPARE(a.category, u"Биология/Растения"_qs);
        QCOMPARE(a.format, Gift::Format::MoodleXml);
        const Gift::Matching &b = r.questions.at(1);
        QCOMPARE(b.title, u"Елементи и символи"_qs); // no name: the start of the text
        QCOMPARE(b.right, (QStringList{u"O"_qs, u"H"_qs, u"C"_qs}));
        QCOMPARE(b.category, u"Химия"_qs);

        QStringList skipped;
        for (const Gift::Skipped &s : r.skipped)
            skipped.append(s.kind + u'|' + s.title + u'|' + s.category);
        QCOMPARE(skipped, (QStringList{u"multiple-choice question|Избор|Биология/Растения"_qs,
                                       u"true/false question|Вярно|Химия"_qs,
                                       u"embedded answers (Cloze) question|Клоуз|Химия"_qs,
                                       u"question of type \"somethingnew\"|Ново|Химия"_qs}));
        QCOMPARE(r.notes.size(), r.skipped.size());
        QVERIFY(r.notes.first().text.contains(u"skipped the multiple-choice question \"Избор\""_qs));
        QVERIFY(r.notes.first().line > 1);
    }

    // The sample export in docs/examples, as the guide describes it.
    void shippedSample()
    {
        const Gift::Result r = MoodleXml::readBytes(TestFiles::contents(TestFiles::sourcePath(u"docs/examples/figuri.xml"_qs)), checked());
        QVERIFY(r.ok());
        QCOMPARE(r.questions.size(), 1);
        const Gift::Matching &q = r.questions.first();
        QCOMPARE(q.title, u"Равнинни фигури"_qs);
        QCOMPARE(q.category, u"Математика/Фигури"_qs);
        QCOMPARE(q.left.size(), 4);
        QCOMPARE(q.right.size(), 5);
        QCOMPARE(q.pictures.size(), 1);
        QCOMPARE(q.pictures.first().bytes, TestFiles::contents(TestFiles::sourcePath(u"quizzes/figuri/kwadrat.png"_qs)));
        QCOMPARE(q.explanations.at(0), QStringList{u"Квадрат: всичките му страни и ъгли са равни."_qs});
        QCOMPARE(q.explanations.at(2), QStringList{u"Ромб – диагоналите му са перпендикулярни."_qs});
        QVERIFY(q.explanations.at(1).isEmpty() && q.explanations.at(3).isEmpty());
        QCOMPARE(r.classifications.size(), 1);
        QCOMPARE(r.classifications.first().shared, QStringList{u"правоъгълен"_qs});
        QCOMPARE(r.skipped.size(), 2);
        QVERIFY(r.warnings.isEmpty());
    }

    // What a subquestion's texts become: a pair, an extra right phrase, or nothing.
    void subquestions_data()
    {
        QTest::addColumn<QString>("subquestions");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        const QString pairs = threePairs();
        QTest::addRow("html_phrases") << sub(u"<p><b>x</b> &amp;  y</p>"_qs, u"  z  w "_qs) + pairs
                                      << QStringList{u"x & y"_qs, u"a"_qs, u"b"_qs, u"c"_qs}
                                      << QStringList{u"z w"_qs, u"1"_qs, u"2"_qs, u"3"_qs};
        QTest::addRow("empty_text_is_extra") << pairs + sub({}, u"4"_qs) << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                             << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs};
        QTest::addRow("empty_paragraph_is_extra") << pairs + sub(u"<p> </p>"_qs, u"4"_qs)
                                                  << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                                  << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs};
        // Moodle shows one answer once: an extra equal to a pair's answer or to another extra.
        QTest::addRow("extra_equal_to_an_answer") << pairs + sub({}, u"2"_qs) + sub({}, u"4"_qs) + sub({}, u"4"_qs)
                                                  << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                                  << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs};
        QTest::addRow("empty_subquestion_ignored") << pairs + sub({}, {}) << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                                   << QStringList{u"1"_qs, u"2"_qs, u"3"_qs};
    }
    void subquestions()
    {
        QFETCH(QString, subquestions);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        const Gift::Result r = MoodleXml::readBytes(quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs, subquestions)));
        QVERIFY2(r.ok() && r.questions.size() == 1, qPrintable(joined(r.errors + r.notes)));
        QCOMPARE(r.questions.first().left, left);
        QCOMPARE(r.questions.first().right, right);
    }

    // A matching question a test cannot hold is left out by name and reason; the next one is read.
    void cannotHold_data()
    {
        QTest::addColumn<QString>("subquestions");
        QTest::addColumn<QString>("says");
        QTest::addRow("one_pair") << sub(u"a"_qs, u"1"_qs) << u"it has 1 pairs, but a matching question needs at least 2"_qs;
        QTest::addRow("too_many_extras") << threePairs() + sub({}, u"4"_qs) + sub({}, u"5"_qs)
                                         << u"it has 3 pairs and 2 extra right parts"_qs;
        QTest::addRow("left_twice") << threePairs() + sub(u"a"_qs, u"9"_qs)
                                    << u"the left part \"a\" stands twice (subquestions 1 and 4)"_qs;
        QTest::addRow("no_answer") << threePairs() + sub(u"d"_qs, {}) << u"the pair \"d\" has no answer"_qs;
        QTest::addRow("phrase_too_long") << threePairs() + sub(QString(1001, u'я'), u"4"_qs)
                                         << u"the phrase \"яяя"_qs;
        QTest::addRow("control_character") << threePairs() + sub(u"d\u0090e"_qs, u"4"_qs)
                                           << u"the phrase \"d\u0090e\" holds an invisible character (character code 144)"_qs;
        QTest::addRow("text_control_character") << threePairs() + u"<generalfeedback><text>a&#x9f;</text></generalfeedback>"_qs
                                                << u"its text or an explanation holds an invisible control character (character code 159)"_qs;
    }
    void cannotHold()
    {
        QFETCH(QString, subquestions);
        QFETCH(QString, says);
        const Gift::Result r = MoodleXml::readBytes(
            quiz(question(u"matching"_qs, u"Лош"_qs, u"t"_qs, subquestions) + question(u"matching"_qs, u"Добър"_qs, u"t"_qs, threePairs())));
        QVERIFY2(r.ok(), qPrintable(joined(r.errors)));
        QCOMPARE(r.questions.size(), 1);
        QCOMPARE(r.questions.first().title, u"Добър"_qs);
        QCOMPARE(r.notes.size(), 1);
        QVERIFY2(r.notes.first().text.startsWith(u"left out the matching question \"Лош\": "_qs + says), qPrintable(r.notes.first().text));
        QCOMPARE(r.skipped.first().kind, u"matching question that a KAZ test cannot hold"_qs);
    }

    // Left phrases that share a right phrase: a classification of its own kind, with the pairs
    // as the file has them, from which distinctRights makes a test that can be written.
    void classification()
    {
        const Gift::Result r = MoodleXml::readBytes(quiz(question(
            u"matching"_qs, u"Класове"_qs, u"t"_qs,
            sub(u"Ябълка"_qs, u"Плод"_qs) + sub(u"Круша"_qs, u"Плод"_qs) + sub(u"Морков"_qs, u"Зеленчук"_qs)
                + sub(u"Слива"_qs, u"Плод"_qs))));
        QVERIFY(r.ok());
        QVERIFY(r.questions.isEmpty());
        QCOMPARE(r.classifications.size(), 1);
        const Gift::Classification &c = r.classifications.first();
        QCOMPARE(c.shared, QStringList{u"Плод"_qs});
        QCOMPARE(c.question.right, (QStringList{u"Плод"_qs, u"Плод"_qs, u"Зеленчук"_qs, u"Плод"_qs}));
        QCOMPARE(r.skipped.first().kind, u"classification question"_qs);
        QVERIFY2(r.notes.first().text.contains(u"\"Ябълка\", \"Круша\", \"Слива\" share the right part \"Плод\""_qs),
                 qPrintable(r.notes.first().text));
        const Gift::Matching made = Gift::distinctRights(c);
        QCOMPARE(made.right, (QStringList{u"Плод"_qs, u"Плод (2)"_qs, u"Зеленчук"_qs, u"Плод (3)"_qs}));
        QCOMPARE(MoodleXml::problem(made), QString());
    }

    // A file in UTF-16 whose text holds a lone surrogate: read with U+FFFD in its place, which a
    // test (UTF-8) and an export can hold.
    void loneSurrogate()
    {
        QString text = QString::fromUtf8(quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs,
                                                       sub(u"aSURROGATE"_qs, u"1"_qs) + sub(u"b"_qs, u"2"_qs) + sub(u"c"_qs, u"3"_qs))));
        text.replace(u"encoding=\"UTF-8\""_qs, u"encoding=\"UTF-16\""_qs);
        text.replace(u"SURROGATE"_qs, QString(QChar(0xD834)));
        QByteArray bytes("\xFF\xFE");
        for (const QChar c : std::as_const(text))
            bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        const Gift::Result r = MoodleXml::readBytes(bytes);
        QVERIFY2(r.ok() && r.questions.size() == 1, qPrintable(joined(r.errors + r.notes)));
        QCOMPARE(r.questions.first().left.first(), u"a"_qs + QChar(QChar::ReplacementCharacter));
        const Gift::Matching &q = r.questions.first();
        QCOMPARE(QString::fromUtf8(Gift::toContent(q).toUtf8()), Gift::toContent(q));
    }

    // Classifications taken among the questions (gift2kaz --distinct-rights): in the file's order,
    // their notes dropped; one that still breaks a rule stays left out and says why; tens of
    // thousands taken in linear time.
    void takeClassifications()
    {
        const QString longRight(999, u'я');
        Gift::Result r = MoodleXml::readBytes(quiz(
            question(u"matching"_qs, u"Първи"_qs, u"t"_qs, threePairs())
            + question(u"matching"_qs, u"Класове"_qs, u"t"_qs,
                       sub(u"Ябълка"_qs, u"Плод"_qs) + sub(u"Круша"_qs, u"Плод"_qs) + sub(u"Морков"_qs, u"Зеленчук"_qs))
            + question(u"essay"_qs, u"Есе"_qs, u"?"_qs)
            + question(u"matching"_qs, u"Дълги"_qs, u"t"_qs, sub(u"a"_qs, longRight) + sub(u"b"_qs, longRight) + sub(u"c"_qs, u"1"_qs))
            + question(u"matching"_qs, u"Последен"_qs, u"t"_qs, threePairs())));
        QCOMPARE(r.classifications.size(), 2);
        QCOMPARE(r.notes.size(), 3);
        MoodleXml::takeClassifications(r);
        QVERIFY(r.classifications.isEmpty());
        QStringList titles;
        for (const Gift::Matching &q : r.questions)
            titles.append(q.title);
        QCOMPARE(titles, (QStringList{u"Първи"_qs, u"Класове"_qs, u"Последен"_qs}));
        QCOMPARE(r.questions.at(1).right, (QStringList{u"Плод"_qs, u"Плод (2)"_qs, u"Зеленчук"_qs}));
        QCOMPARE(r.skipped.size(), 2);
        QCOMPARE(r.notes.size(), 2);
        QCOMPARE(r.skipped.at(0).title, u"Есе"_qs);
        QCOMPARE(r.skipped.at(1).title, u"Дълги"_qs);
        QVERIFY2(r.skipped.at(1).why.contains(u"1003 characters"_qs), qPrintable(r.skipped.at(1).why));
        QVERIFY2(r.notes.at(1).text.startsWith(u"left out the classification question \"Дълги\" even with its shared right parts made distinct: the phrase"_qs),
                 qPrintable(r.notes.at(1).text));

        QString many;
        for (int i = 0; i < 20000; ++i)
            many += question(u"matching"_qs, u"К%1"_qs.arg(i), u"t"_qs, sub(u"a"_qs, u"1"_qs) + sub(u"b"_qs, u"1"_qs) + sub(u"c"_qs, u"2"_qs));
        Gift::Result big = MoodleXml::readBytes(quiz(many));
        QCOMPARE(big.classifications.size(), 20000);
        QElapsedTimer time;
        time.start();
        MoodleXml::takeClassifications(big);
        QVERIFY2(time.elapsed() < AnswerTime::LimitMs, qPrintable(QString::number(time.elapsed())));
        QCOMPARE(big.questions.size(), 20000);
        QVERIFY(big.notes.isEmpty() && big.skipped.isEmpty());
        QCOMPARE(big.questions.last().title, u"К19999"_qs);
    }

    void distinctRights_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QStringList>("made");
        QTest::addRow("two_share") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs} << QStringList{u"x"_qs, u"x"_qs, u"y"_qs}
                                   << QStringList{u"x"_qs, u"x (2)"_qs, u"y"_qs};
        // A number another phrase already has is passed over.
        QTest::addRow("number_taken") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                      << QStringList{u"x"_qs, u"x"_qs, u"x (2)"_qs}
                                      << QStringList{u"x"_qs, u"x (3)"_qs, u"x (2)"_qs};
        QTest::addRow("extra_equal_to_shared_dropped") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs}
                                                       << QStringList{u"x"_qs, u"x"_qs, u"y"_qs, u"x"_qs, u"z"_qs}
                                                       << QStringList{u"x"_qs, u"x (2)"_qs, u"y"_qs, u"z"_qs};
        QTest::addRow("two_groups") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs}
                                    << QStringList{u"x"_qs, u"y"_qs, u"x"_qs, u"y"_qs}
                                    << QStringList{u"x"_qs, u"y"_qs, u"x (2)"_qs, u"y (2)"_qs};
    }
    void distinctRights()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(QStringList, made);
        Gift::Classification c;
        c.question.left = left;
        c.question.right = right;
        const Gift::Matching m = Gift::distinctRights(c);
        QCOMPARE(m.left, left);
        QCOMPARE(m.right, made);
    }

    // The general feedback as explanations: by the pair a paragraph names, or for every pair.
    void explanations_data()
    {
        QTest::addColumn<QString>("feedback");
        QTest::addColumn<QList<QStringList>>("explanations");
        QTest::addColumn<bool>("warned");
        // "b c: …" is of "b c", not of "b": the longest left phrase a line starts with is its pair.
        QTest::addRow("by_pair") << u"<p>Общо.</p><p>B C: трето.</p><p>още за b c</p><p>a – първо</p>"_qs
                                 << QList<QStringList>{{u"Общо."_qs, u"a – първо"_qs},
                                                       {},
                                                       {u"Общо."_qs, u"B C: трето."_qs, u"още за b c"_qs}}
                                 << false;
        QTest::addRow("for_every_pair") << u"<p>Всичко е ясно.</p>"_qs
                                        << QList<QStringList>(3, QStringList{u"Всичко е ясно."_qs}) << false;
        QTest::addRow("too_long") << QString(1001, u'x') << QList<QStringList>() << true;
        QTest::addRow("empty") << u"<p></p>"_qs << QList<QStringList>() << false;
    }
    void explanations()
    {
        QFETCH(QString, feedback);
        QFETCH(QList<QStringList>, explanations);
        QFETCH(bool, warned);
        const QString pairs = sub(u"a"_qs, u"1"_qs) + sub(u"b"_qs, u"2"_qs) + sub(u"b c"_qs, u"3"_qs);
        const Gift::Result r = MoodleXml::readBytes(quiz(question(
            u"matching"_qs, u"Q"_qs, u"t"_qs,
            u"<generalfeedback format=\"html\"><text>%1</text></generalfeedback>"_qs.arg(escaped(feedback)) + pairs)));
        QVERIFY2(r.questions.size() == 1, qPrintable(joined(r.notes)));
        QCOMPARE(r.questions.first().explanations, explanations);
        QCOMPARE(!r.warnings.isEmpty(), warned);
        // What the test file holds of them reads back the same.
        const ContentReader::Result back = ContentReader::read(Gift::toContent(r.questions.first()));
        QVERIFY(back.ok());
        for (int i = 0; i < explanations.size(); ++i)
            QCOMPARE(back.store.Otgowor(i + 1), explanations.at(i));
    }

    // Pictures that are read become question pictures in boxes of their size; one that is not
    // is a warning naming it, and the question is read all the same.
    void pictures_data()
    {
        QTest::addColumn<QString>("picture");  // its name, as @@PLUGINFILE@@ gives it
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("warning");  // empty: the picture is read
        QTest::addRow("png") << u"Квадрат 1.png"_qs << TestPictures::png(20, 10) << QString();
        QTest::addRow("not_a_picture") << u"a.png"_qs << QByteArray("just text") << u"not a picture that can be shown"_qs;
        QTest::addRow("huge_claim") << u"a.png"_qs << TestPictures::pngClaiming(100000, 100000)
                                    << u"the picture is 100000 × 100000 pixels, too many to load"_qs;
        QTest::addRow("other_format") << u"a.svg"_qs << QByteArray("<svg/>") << u"its name does not end in .png"_qs;
        QTest::addRow("missing_file") << u"a.png"_qs << QByteArray() << u"the file holds no such picture"_qs;
    }
    void pictures()
    {
        QFETCH(QString, picture);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, warning);
        const QString img = u"<img src=\"@@PLUGINFILE@@/%1\">"_qs.arg(QString::fromUtf8(QUrl::toPercentEncoding(picture)));
        const QString files = bytes.isEmpty() ? QString() : file(picture, bytes);
        QElapsedTimer time;
        time.start();
        const Gift::Result r = MoodleXml::readBytes(
            quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs, sub(u"a"_qs + img, u"1"_qs, files) + sub(u"b"_qs, u"2"_qs) + sub(u"c"_qs, u"3"_qs))),
            checked());
        QVERIFY(time.elapsed() < AnswerTime::LimitMs);
        QCOMPARE(r.questions.size(), 1);
        const Gift::Matching &q = r.questions.first();
        QCOMPARE(q.left.first(), u"a"_qs);
        if (!warning.isEmpty()) {
            QVERIFY(q.pictures.isEmpty());
            QCOMPARE(r.warnings.size(), 1);
            QVERIFY2(r.warnings.first().text.contains(u"\"%1\""_qs.arg(picture)) && r.warnings.first().text.contains(warning),
                     qPrintable(r.warnings.first().text));
            return;
        }
        QVERIFY2(r.warnings.isEmpty(), qPrintable(joined(r.warnings)));
        QCOMPARE(q.pictures.size(), 1);
        QCOMPARE(q.pictures.first().pair, 0);
        QCOMPARE(q.pictures.first().name, u"kvadrat-1.png"_qs);
        QCOMPARE(q.pictures.first().bytes, bytes);
        const ContentReader::Result back = ContentReader::read(Gift::toContent(q));
        QVERIFY(back.ok());
        QCOMPARE(back.store.Graphika(1), (ContentStore::Picture{u"kvadrat-1.png"_qs, 20 * 15, 10 * 15}));
        QCOMPARE(back.store.Spis_graf().mid(1), (QStringList{u"1"_qs, u"0"_qs, u"0"_qs}));
    }

    // The question text's picture goes with every pair without its own; a subquestion that is
    // only a picture takes the picture's name as its left phrase; names stay inside the folder.
    void picturesOfTheQuestion()
    {
        const QByteArray map = TestPictures::png(30, 30, qRgb(0, 0, 200));
        const QByteArray own = TestPictures::png(5, 5);
        const QString text = u"Карта <img src=\"@@PLUGINFILE@@/../../map.png\"> <img src=\"@@PLUGINFILE@@/b.png\">"_qs;
        const QByteArray xml = quiz(
            u"<question type=\"matching\"><name><text>Q</text></name><questiontext format=\"html\"><text>%1</text>%2%3"
            "</questiontext>%4</question>"_qs.arg(escaped(text), file(u"../../map.png"_qs, map), file(u"b.png"_qs, own),
                                                   sub(u"a"_qs, u"1"_qs)
                                                       + sub(u"<img src=\"@@PLUGINFILE@@/Ябълка.png\">"_qs, u"2"_qs, file(u"Ябълка.png"_qs, own))
                                                       + sub(u"c"_qs, u"3"_qs)));
        const Gift::Result r = MoodleXml::readBytes(xml, checked());
        QCOMPARE(r.questions.size(), 1);
        const Gift::Matching &q = r.questions.first();
        QCOMPARE(q.left, (QStringList{u"a"_qs, u"Ябълка"_qs, u"c"_qs}));
        QStringList shown;
        for (const Gift::Picture &p : q.pictures)
            shown.append(QString::number(p.pair) + u' ' + p.name);
        QCOMPARE(shown, (QStringList{u"0 map.png"_qs, u"1 yabalka.png"_qs, u"2 map.png"_qs}));
        QCOMPARE(r.warnings.size(), 2); // the second picture of the text, the picture for a phrase
        QVERIFY(joined(r.warnings).contains(u"\"b.png\" is left out"_qs));
        QVERIFY(joined(r.warnings).contains(u"its file name \"Ябълка\" stands for it"_qs));

        // Written: the folder holds test.kaz and each picture once, and the test is sound.
        QTemporaryDir dir;
        const QString out = dir.filePath(u"out/in"_qs);
        const Gift::Written w = Gift::writeFolders(r, QDir(out), false);
        QVERIFY2(w.errors.isEmpty(), qPrintable(joined(w.errors)));
        QCOMPARE(filesBelow(dir.path()), (QStringList{u"out/in/q/map.png"_qs, u"out/in/q/test.kaz"_qs, u"out/in/q/yabalka.png"_qs}));
        const QuizFolder::Checked c = QuizFolder::check(w.folders.first());
        QVERIFY2(c.ok(), c.problems.isEmpty() ? "" : qPrintable(c.problems.first().toString()));
        QCOMPARE(c.store.pictureData(c.store.Graphika(3).source), map);
    }

    // Files made to hurt: each is answered with a message in bounded time, and nothing is read
    // from elsewhere.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        QString laughs = u"<!ENTITY l0 \"ha\">"_qs;
        for (int i = 1; i < 10; ++i)
            laughs += u"<!ENTITY l%1 \"&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;\">"_qs.arg(i).arg(i - 1);
        const QString inside = question(u"matching"_qs, u"&l9;"_qs, u"t"_qs, threePairs()).replace(u"&amp;l9;"_qs, u"&l9;"_qs);
        QTest::addRow("billion_laughs") << (u"<?xml version=\"1.0\"?><!DOCTYPE quiz [%1]><quiz>%2</quiz>"_qs.arg(laughs, inside)).toUtf8()
                                        << u"it declares a document type"_qs;
        const QString secret = QDir::temp().filePath(u"kaz-moodle-secret.txt"_qs);
        QTest::addRow("external_entity")
            << (u"<?xml version=\"1.0\"?><!DOCTYPE quiz [<!ENTITY x SYSTEM \"file://%1\">]><quiz>%2</quiz>"_qs.arg(
                    secret, question(u"matching"_qs, u"Q"_qs, u"t"_qs, sub(u"a"_qs, u"&x;"_qs) + threePairs()).replace(u"&amp;x;"_qs, u"&x;"_qs)))
                   .toUtf8()
            << u"it declares a document type"_qs;
        QTest::addRow("undeclared_entity") << quiz(u"<question type=\"matching\"><name><text>&x;</text></name></question>"_qs)
                                           << u"the file cannot be read as Moodle XML"_qs;
        QTest::addRow("deep_nesting") << quiz(QString(u"<a>"_qs).repeated(200000) + QString(u"</a>"_qs).repeated(200000))
                                      << u"its elements nest more than 32 deep"_qs;
        QTest::addRow("fifty_megabytes") << QByteArray("<?xml version=\"1.0\"?><quiz><!--") + QByteArray(50 * 1024 * 1024, 'x')
                                         << u"more than the 32 MB a Moodle XML file may have"_qs;
        QTest::addRow("long_text") << quiz(question(u"matching"_qs, u"Дълъг"_qs, QString(8 * 1024 * 1024, u'я'), threePairs()))
                                   << u"left out the matching question \"Дълъг\": its text has more than"_qs;
        QTest::addRow("long_phrase") << quiz(question(u"matching"_qs, u"Дълъг"_qs, u"t"_qs, sub(QString(2 * 1024 * 1024, u'я'), u"0"_qs) + threePairs()))
                                     << u"left out the matching question \"Дълъг\": its subquestion 1 is longer than"_qs;
        // Subquestions by the hundred thousand are counted in linear time, never searched pair by pair.
        QString many;
        for (int i = 0; i < 100000; ++i)
            many += u"<subquestion><text>%1</text><answer><text>%1</text></answer></subquestion>"_qs.arg(i);
        QTest::addRow("many_subquestions") << quiz(question(u"matching"_qs, u"Много"_qs, u"t"_qs, many))
                                           << u"left out the matching question \"Много\": it has more than 32767 right parts"_qs;
        QString shared;
        for (int i = 0; i < 30000; ++i)
            shared += u"<subquestion><text>%1</text><answer><text>x</text></answer></subquestion>"_qs.arg(i);
        QTest::addRow("many_sharing") << quiz(question(u"matching"_qs, u"Едно"_qs, u"t"_qs, shared))
                                      << u"\"0\", \"1\", \"2\", \"3\", \"4\", … share the right part \"x\""_qs;
        QTest::addRow("broken_base64")
            << quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs,
                             sub(u"a<img src=\"@@PLUGINFILE@@/a.png\">"_qs, u"1"_qs,
                                 u"<file name=\"a.png\" path=\"/\" encoding=\"base64\">iVBORw0KGgo*&amp;%%</file>"_qs)
                                 + sub(u"b"_qs, u"2"_qs) + sub(u"c"_qs, u"3"_qs)))
            << u"the picture \"a.png\" of the matching question \"Q\" cannot be used: its base64 text is broken"_qs;
        // The largest file read: a picture's text of 31 MB, one character wrong at its end.
        QTest::addRow("just_under_the_limit")
            << quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs,
                             sub(u"a<img src=\"@@PLUGINFILE@@/a.png\">"_qs, u"1"_qs,
                                 u"<file name=\"a.png\" path=\"/\" encoding=\"base64\">%1*</file>"_qs.arg(QString(31 * 1024 * 1024, u'A')))
                                 + sub(u"b"_qs, u"2"_qs) + sub(u"c"_qs, u"3"_qs)))
            << u"the picture \"a.png\" of the matching question \"Q\" cannot be used: its base64 text is broken"_qs;
        QTest::addRow("huge_picture_claim")
            << quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs,
                             sub(u"a<img src=\"@@PLUGINFILE@@/a.png\">"_qs, u"1"_qs, file(u"a.png"_qs, TestPictures::pngClaiming(100000, 100000)))
                                 + sub(u"b"_qs, u"2"_qs) + sub(u"c"_qs, u"3"_qs)))
            << u"the picture is 100000 × 100000 pixels, too many to load"_qs;
        QTest::addRow("not_a_moodle_file") << QByteArray("<?xml version=\"1.0\"?><html><body/></html>")
                                           << u"its first element is <html>, not <quiz>"_qs;
        QTest::addRow("not_xml") << QByteArray("<quiz><question></quiz>") << u"the file cannot be read as Moodle XML"_qs;
        // Broken off after a sound question: nothing of it is kept.
        QTest::addRow("broken_off") << quiz(question(u"matching"_qs, u"Q"_qs, u"t"_qs, threePairs())).chopped(9)
                                    << u"the file cannot be read as Moodle XML"_qs;
        QTest::addRow("empty") << QByteArray("<?xml version=\"1.0\"?>") << u"the file"_qs;
    }
    void hostile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        const QString secret = QDir::temp().filePath(u"kaz-moodle-secret.txt"_qs);
        QFile s(secret);
        QVERIFY(s.open(QIODevice::WriteOnly) && s.write("SECRET") == 6);
        s.close();
        QElapsedTimer time;
        time.start();
        const Gift::Result r = MoodleXml::readBytes(bytes, checked());
        const qint64 ms = time.elapsed();
        QFile::remove(secret);
        qInfo("%lld ms", ms);
        QVERIFY2(ms < AnswerTime::LimitMs, qPrintable(QString::number(ms)));
        if (!r.ok())
            QVERIFY(r.questions.isEmpty() && r.classifications.isEmpty() && r.notes.isEmpty());
        const QString all = joined(r.errors + r.notes + r.warnings);
        QVERIFY2(all.contains(says), qPrintable(all));
        QVERIFY(!all.contains(u"SECRET"_qs) && !all.contains(u"haha"_qs));
        for (const Gift::Matching &q : r.questions)
            QVERIFY(!q.left.join(u' ').contains(u"SECRET"_qs) && !q.right.join(u' ').contains(u"SECRET"_qs));
    }

    // The same files given to gift2kaz: each answered within two seconds, the fault told, and
    // nothing written outside the output folder (nothing at all for a fault of the file).
    void hostileThroughGift2kaz_data() { hostile_data(); }
    void hostileThroughGift2kaz()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.xml"_qs);
        QFile f(in);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        const QString secret = QDir::temp().filePath(u"kaz-moodle-secret.txt"_qs);
        QFile s(secret);
        QVERIFY(s.open(QIODevice::WriteOnly) && s.write("SECRET") == 6);
        s.close();
        const auto removeSecret = qScopeGuard([&secret] { QFile::remove(secret); });
        QProcess p;
        QElapsedTimer time;
        time.start();
        startInEnglish(p, QStringLiteral(GIFT2KAZ), {u"--output"_qs, dir.filePath(u"out"_qs), in});
        QVERIFY(p.waitForFinished(30000));
        const qint64 ms = time.elapsed();
        QVERIFY2(ms < AnswerTime::LimitMs, qPrintable(QString::number(ms)));
        const QString err = toolText(p.readAllStandardError());
        // A file too large is refused by gift2kaz before it is read, in the words of its size.
        const bool tooLarge = QByteArrayView(QTest::currentDataTag()) == "fifty_megabytes";
        QVERIFY2(tooLarge ? err.contains(u"cannot read the Moodle XML file: it is 50.0 MB, larger than 32.0 MB"_qs) : err.contains(says),
                 qPrintable(err.left(2000)));
        QVERIFY(!err.contains(u"SECRET"_qs) && !err.contains(u"haha"_qs));
        for (const QString &written : filesBelow(dir.path()))
            QVERIFY2(written == u"in.xml"_qs || (p.exitCode() == 0 && written.startsWith(u"out/"_qs)), qPrintable(written));
        if (p.exitCode() != 0)
            QCOMPARE(filesBelow(dir.path()), QStringList{u"in.xml"_qs});
    }

    // --distinct-rights converts a classification with its shared right parts numbered; without
    // it the classification is left out with its note.
    void gift2kazDistinctRights_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("note");
        QTest::addRow("without") << QStringList() << QStringList{u"zhivotni"_qs} << u"share the right part \"Плод\""_qs;
        QTest::addRow("with") << QStringList{u"--distinct-rights"_qs} << QStringList{u"hrani"_qs, u"zhivotni"_qs} << QString();
    }
    void gift2kazDistinctRights()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, folders);
        QFETCH(QString, note);
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.xml"_qs);
        QFile f(in);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(quiz(question(u"matching"_qs, u"Храни"_qs, u"t"_qs,
                              sub(u"Ябълка"_qs, u"Плод"_qs) + sub(u"Морков"_qs, u"Зеленчук"_qs) + sub(u"Круша"_qs, u"Плод"_qs)
                                  + sub(u"Слива"_qs, u"Плод"_qs))
                     + question(u"matching"_qs, u"Животни"_qs, u"t"_qs, threePairs())));
        f.close();
        QProcess p;
        startInEnglish(p, QStringLiteral(GIFT2KAZ), QStringList{u"--output"_qs, dir.filePath(u"out"_qs)} + options + QStringList{in});
        QVERIFY(p.waitForFinished(30000));
        const QString err = toolText(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 0);
        QStringList written;
        for (const QString &folder : toolText(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            written.append(QFileInfo(folder).fileName());
        QCOMPARE(written, folders);
        QCOMPARE(err.contains(u"note:"_qs), !note.isEmpty());
        if (!note.isEmpty())
            QVERIFY2(err.contains(note), qPrintable(err));
        if (options.isEmpty())
            return;
        const QuizFolder::Checked c = QuizFolder::check(dir.filePath(u"out/hrani"_qs));
        QVERIFY(c.ok());
        QCOMPARE(c.store.Danni(0), (QStringList{u"Ябълка"_qs, u"Морков"_qs, u"Круша"_qs, u"Слива"_qs}));
        QCOMPARE(c.store.Danni(1), (QStringList{u"Плод"_qs, u"Зеленчук"_qs, u"Плод (2)"_qs, u"Плод (3)"_qs}));
    }

    // gift2kaz tells the formats apart by content and converts a Moodle XML file: the folders,
    // their pictures, the notes and warnings; a hostile file writes nothing.
    void gift2kaz()
    {
        QTemporaryDir dir;
        const QString xmlPath = dir.filePath(u"export.txt"_qs); // no telling name: the content decides
        QFile f(xmlPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF");
        f.write(quiz(category(u"$course$/top/География"_qs)
                     + question(u"matching"_qs, u"Столици"_qs, u"<p>Свържете</p>"_qs,
                                sub(u"България <img src=\"@@PLUGINFILE@@/..%2F..%2Fflag.png\">"_qs, u"София"_qs,
                                    file(u"../../flag.png"_qs, TestPictures::png(8, 6)))
                                    + sub(u"Гърция"_qs, u"Атина"_qs) + sub(u"Сърбия"_qs, u"Белград"_qs))
                     + question(u"matching"_qs, u"Лош"_qs, u"<p>x</p>"_qs,
                                sub(u"a<img src=\"@@PLUGINFILE@@/a.png\">"_qs, u"1"_qs, file(u"a.png"_qs, "nonsense"))
                                    + sub(u"b"_qs, u"1"_qs) + sub(u"c"_qs, u"3"_qs))
                     + question(u"essay"_qs, u"Есе"_qs, u"?"_qs)));
        f.close();
        const QString out = dir.filePath(u"out"_qs);
        QProcess p;
        startInEnglish(p, QStringLiteral(GIFT2KAZ), {u"--output"_qs, out, xmlPath});
        QVERIFY(p.waitForFinished(30000));
        const QStringList printed = toolText(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        const QStringList err = toolText(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(printed, QStringList{QDir(out).filePath(u"stolitsi"_qs)});
        QCOMPARE(err.size(), 3);
        QVERIFY2(err.at(0).startsWith(xmlPath + u":8: note: left out the matching question \"Лош\": \"a\", \"b\" share"_qs), qPrintable(err.at(0)));
        QVERIFY2(err.at(1).startsWith(xmlPath + u":12: note: skipped the essay \"Есе\""_qs), qPrintable(err.at(1)));
        QVERIFY2(err.at(2).startsWith(xmlPath + u":8: warning: the picture \"a.png\" of the matching question \"Лош\" cannot be used"_qs),
                 qPrintable(err.at(2)));
        QCOMPARE(filesBelow(dir.path()), (QStringList{u"export.txt"_qs, u"out/stolitsi/flag.png"_qs, u"out/stolitsi/test.kaz"_qs}));
        const QuizFolder::Checked c = QuizFolder::check(printed.first());
        QVERIFY2(c.ok(), c.problems.isEmpty() ? "" : qPrintable(c.problems.first().toString()));
        QCOMPARE(c.store.Graphika(1).source.section(u'/', -1), u"flag.png"_qs);
        QVERIFY(c.store.Graphika(2).source.isEmpty());

        // A file larger than any Moodle export is refused by its size, nothing written.
        QFile big(dir.filePath(u"big.xml"_qs));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("<?xml version=\"1.0\"?>") > 0 && big.resize(50 * 1024 * 1024));
        big.close();
        QProcess q;
        QElapsedTimer time;
        time.start();
        startInEnglish(q, QStringLiteral(GIFT2KAZ), {u"--output"_qs, dir.filePath(u"out2"_qs), big.fileName()});
        QVERIFY(q.waitForFinished(30000));
        QVERIFY(time.elapsed() < AnswerTime::LimitMs);
        QCOMPARE(q.exitCode(), 1);
        QCOMPARE(toolText(q.readAllStandardError()).trimmed(),
                 big.fileName() + u": error: cannot read the Moodle XML file: it is 50.0 MB, larger than 32.0 MB"_qs);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"out2"_qs)));
    }
};

QTEST_GUILESS_MAIN(TestMoodleXml)
#include "tst_moodlexml.moc"
