// The page's side of a test played in a browser, without the browser: what WebQuiz answers each
// action with, applied to a mirror as the page applies it, must leave the mirror showing exactly
// what the test window's model holds, after every action of random sessions on the shipped tests
// and on large ones. A packed test changed by one byte, cut short or foreign is refused as
// damaged, as a program refuses it.
#include "ContentReader.h"
#include "ContentWriter.h"
#include "Cwiat.h"
#include "PackedQuiz.h"
#include "QuizFolder.h"
#include "TestContent.h"
#include "WebQuiz.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

QByteArray packed(const QuizFileList &files)
{
    QString problem;
    const QByteArray tail = PackedQuiz::tail(files, &problem);
    if (tail.isEmpty())
        qFatal("cannot pack: %s", qPrintable(problem));
    return tail;
}

QByteArray packedFolder(const QString &folder)
{
    const QuizFolder::Checked checked = QuizFolder::check(TestContent::sourcePath(folder));
    if (!checked.ok())
        qFatal("the shipped test %s has problems: %s", qPrintable(folder), qPrintable(checked.problems.constFirst().toString()));
    return packed(checked.files);
}

// A test of `phrases` phrases a side (a few more on the right), with explanations where a
// question may have them.
QByteArray packedLarge(int phrases, quint64 seed)
{
    QRandomGenerator rng(seed);
    TestContent::Content c;
    for (int i = 0; i < phrases; ++i) {
        c.left.append(QStringLiteral("Ляво %1 %2").arg(rng.bounded(100000)).arg(i));
        if (i < ContentStore::QuestionsWithExtras)
            c.explanations[i + 1] = {QStringLiteral("Обяснение %1").arg(i + 1)};
    }
    for (int i = 0; i < phrases + phrases / 10 + 1; ++i)
        c.right.append(QStringLiteral("%1 дясно %2").arg(QChar(u'а' + rng.bounded(30))).arg(i));
    QStringList switches{QStringLiteral("Ima li obqsneniq")};
    for (int i = 0; i < phrases; ++i)
        switches.append(i % 3 && i < ContentStore::QuestionsWithExtras ? QStringLiteral("1") : QStringLiteral("0"));
    c.switches = switches;
    const QString text = ContentWriter::write(*c.build());
    return packed({{QStringLiteral("test.kaz"), text.toUtf8()}});
}

// The window as the page holds it: each update applied as the page applies it.
struct Mirror
{
    QStringList lists[3];
    int selected[3] = {-1, -1, -1};
    QJsonObject parts; // the last value of each part
    QJsonObject dialog{{QStringLiteral("open"), false}};
    bool exited = false;

    // The appearance dialog as the page shows it, against the model's.
    QString dialogDifferences(const Kaz &kaz) const
    {
        const Cwiat *d = kaz.cwiat();
        if (dialog.value(QStringLiteral("open")).toBool() != (d != nullptr))
            return QStringLiteral("the dialog shows %1").arg(d ? u"closed"_qs : u"open"_qs);
        if (!d)
            return {};
        const QJsonArray sliders = dialog.value(QStringLiteral("sliders")).toArray();
        const QJsonArray labels = dialog.value(QStringLiteral("sliderLabels")).toArray();
        for (int i = 0; i < 3; ++i)
            if (sliders.at(i).toInt() != d->Slider1Value(i) || labels.at(i).toString() != d->Label_ST(i))
                return QStringLiteral("slider %1 of the dialog differs").arg(i);
        const QJsonArray captions = dialog.value(QStringLiteral("labels")).toArray();
        for (int i = 0; i < 9; ++i)
            if (captions.at(i).toString() != d->Label_Cv(i))
                return QStringLiteral("label %1 of the dialog differs").arg(i);
        const QJsonObject sample = dialog.value(QStringLiteral("sample")).toObject();
        if (!d->Option1Value(dialog.value(QStringLiteral("option")).toInt())
            || sample.value(QStringLiteral("font")).toString() != d->Text_Cv().fontName
            || sample.value(QStringLiteral("size")).toDouble() != d->Text_Cv().fontSize
            || dialog.value(QStringLiteral("sizeRow")).toInt() != d->List_font(1).selectedIndex()
            || dialog.value(QStringLiteral("fonts")).toVariant().toStringList() != d->List_font(0).items())
            return QStringLiteral("the dialog's option, sample or lists differ");
        return {};
    }

    // Applies one update; an empty text when it could be applied, else what was wrong with it.
    QString apply(const QByteArray &json)
    {
        QJsonParseError error;
        const QJsonObject update = QJsonDocument::fromJson(json, &error).object();
        if (error.error != QJsonParseError::NoError)
            return QStringLiteral("not JSON: %1").arg(error.errorString());
        const QJsonArray edits = update.value(QStringLiteral("lists")).toArray();
        if (edits.size() != 3)
            return QStringLiteral("an update without the three lists' edits");
        for (int l = 0; l < 3; ++l) {
            for (const QJsonValue &v : edits.at(l).toArray()) {
                const QJsonObject e = v.toObject();
                const QStringList items = e.value(QStringLiteral("items")).toVariant().toStringList();
                if (e.contains(QStringLiteral("reset"))) {
                    lists[l] = e.value(QStringLiteral("reset")).toVariant().toStringList();
                } else if (e.contains(QStringLiteral("insert"))) {
                    const int row = e.value(QStringLiteral("insert")).toInt();
                    if (row < 0 || row > lists[l].size())
                        return QStringLiteral("insert at %1 of %2 rows").arg(row).arg(lists[l].size());
                    for (int i = 0; i < items.size(); ++i)
                        lists[l].insert(row + i, items.at(i));
                } else if (e.contains(QStringLiteral("remove"))) {
                    const int row = e.value(QStringLiteral("remove")).toInt(), n = e.value(QStringLiteral("count")).toInt();
                    if (row < 0 || n < 1 || row + n > lists[l].size())
                        return QStringLiteral("remove %1 at %2 of %3 rows").arg(n).arg(row).arg(lists[l].size());
                    lists[l].remove(row, n);
                } else if (e.contains(QStringLiteral("set"))) {
                    const int row = e.value(QStringLiteral("set")).toInt();
                    if (row < 0 || row + items.size() > lists[l].size())
                        return QStringLiteral("set at %1 of %2 rows").arg(row).arg(lists[l].size());
                    for (int i = 0; i < items.size(); ++i)
                        lists[l][row + i] = items.at(i);
                } else {
                    return QStringLiteral("an unknown edit");
                }
            }
        }
        const QJsonArray chosen = update.value(QStringLiteral("selected")).toArray();
        if (chosen.size() != 3)
            return QStringLiteral("an update without the selected rows");
        for (int l = 0; l < 3; ++l)
            selected[l] = chosen.at(l).toInt();
        for (auto p = update.constBegin(); p != update.constEnd(); ++p)
            if (p.key() == QLatin1String("looks")) {
                QJsonObject looks = parts.value(p.key()).toObject();
                const QJsonObject changed = p.value().toObject();
                for (auto l = changed.constBegin(); l != changed.constEnd(); ++l)
                    looks.insert(l.key(), l.value());
                parts.insert(p.key(), looks);
            } else if (p.key() == QLatin1String("dialog")) {
                dialog = p.value().toObject();
            } else if (p.key() != QLatin1String("lists") && p.key() != QLatin1String("selected")) {
                parts.insert(p.key(), p.value());
            }
        exited = exited || update.value(QStringLiteral("exit")).toBool();
        return {};
    }

    // What differs between the mirror and the model, or an empty text.
    QString differences(const Kaz &kaz) const
    {
        for (int l = 0; l < 3; ++l) {
            if (lists[l] != kaz.Slowo(l).items())
                return QStringLiteral("list %1 shows %2 rows, the model holds %3").arg(l).arg(lists[l].size()).arg(kaz.Slowo(l).count());
            if (selected[l] != kaz.Slowo(l).selectedIndex())
                return QStringLiteral("list %1 shows row %2 selected, the model %3").arg(l).arg(selected[l]).arg(kaz.Slowo(l).selectedIndex());
        }
        QString text = kaz.prowerkaText(0);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QJsonArray buttons = parts.value(QStringLiteral("buttons")).toArray();
        for (int b = 0; b < 4; ++b)
            if (buttons.at(b).toBool() != kaz.uprawlEnabled(b))
                return QStringLiteral("button %1 shows %2").arg(b).arg(buttons.at(b).toBool());
        if (const QString dialogDiffers = dialogDifferences(kaz); !dialogDiffers.isEmpty())
            return dialogDiffers;
        const QJsonObject looks = parts.value(QStringLiteral("looks")).toObject();
        const KazLook *modelLooks[] = {&kaz.windowLook(), &kaz.slowoLook(0), &kaz.slowoLook(1), &kaz.slowoLook(2), &kaz.prowerkaLook(), &kaz.ndapisLook()};
        const char *lookNames[] = {"window", "list0", "list1", "list2", "text", "counter"};
        for (int i = 0; i < 6; ++i) {
            const QJsonObject l = looks.value(QLatin1String(lookNames[i])).toObject();
            if (l.value(QStringLiteral("font")).toString() != modelLooks[i]->fontName
                || l.value(QStringLiteral("size")).toDouble() != modelLooks[i]->fontSize
                || l.value(QStringLiteral("background")).isNull() != (modelLooks[i]->background == KazLayout::PlatformColour))
                return QStringLiteral("the look of %1 differs from the model's").arg(QLatin1String(lookNames[i]));
        }
        const QJsonObject verdict = parts.value(QStringLiteral("verdict")).toObject();
        const QJsonObject picture = parts.value(QStringLiteral("pictureWindow")).toObject();
        const KazGraphika *g = kaz.KAZ_Graphika();
        const QList<std::pair<QString, bool>> checks = {
            {QStringLiteral("caption"), parts.value(QStringLiteral("caption")).toString() == kaz.caption()},
            {QStringLiteral("counter"), parts.value(QStringLiteral("counter")).toString() == kaz.ndapis()},
            {QStringLiteral("text"), parts.value(QStringLiteral("text")).toString() == text},
            {QStringLiteral("verdict"), verdict.value(QStringLiteral("text")).toString() == kaz.prowerkaText(1)},
            {QStringLiteral("verdict colour"), verdict.value(QStringLiteral("colour")).toString()
                                                   == (kaz.verdictColour() == KazLayout::VerdictRight ? u"#00ff00"_qs : u"#ff0000"_qs)},
            {QStringLiteral("verdict shown"), parts.value(QStringLiteral("verdictShown")).toBool() == kaz.verdictVisible()},
            {QStringLiteral("thumbnail"), parts.value(QStringLiteral("thumbnail")).toString() == kaz.thumbnail()},
            {QStringLiteral("window width"), parts.value(QStringLiteral("windowWidth")).toDouble() == kaz.windowWidth()},
            {QStringLiteral("picture window"), (g && g->visible) == picture.value(QStringLiteral("visible")).toBool()
                                                   && (!g || !g->visible || picture.value(QStringLiteral("picture")).toString() == g->picture)},
        };
        for (const auto &[part, same] : checks)
            if (!same)
                return QStringLiteral("the %1 differs from the model's").arg(part);
        return {};
    }
};

} // namespace

class TestWebQuiz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageFollowsTheModel_data();
    void pageFollowsTheModel();
    void picturesComeFromThePage();
    void resultAsTheWindowShowsIt();
    void resultOfTheShippedTest_data();
    void resultOfTheShippedTest();
    void damagedTestIsRefused_data();
    void damagedTestIsRefused();
};

void TestWebQuiz::pageFollowsTheModel_data()
{
    QTest::addColumn<QByteArray>("test");
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("actions");
    const QByteArray istoriya = packedFolder(QStringLiteral("quizzes/istoriya"));
    const QByteArray figuri = packedFolder(QStringLiteral("quizzes/figuri"));
    for (quint64 seed = 1; seed <= 6; ++seed) {
        QTest::addRow("istoriya_%llu", seed) << istoriya << seed << 150;
        QTest::addRow("figuri_%llu", seed) << figuri << seed << 150;
    }
    QTest::addRow("2000_phrases") << packedLarge(2000, 7) << quint64(7) << 400;
}

// Random actions, as a learner may do them in any order, also on disabled buttons and on rows
// past the end; after each, the mirror must show what the model holds.
void TestWebQuiz::pageFollowsTheModel()
{
    QFETCH(QByteArray, test);
    QFETCH(quint64, seed);
    QFETCH(int, actions);
    WebQuiz quiz(test, {u"Times New Roman"_qs, u"Liberation Sans"_qs, u"DejaVu Serif"_qs});
    QVERIFY2(quiz.ok(), qPrintable(quiz.message()));
    Mirror mirror;
    QCOMPARE(mirror.apply(quiz.start()), QString());
    QCOMPARE(mirror.differences(*quiz.model()), QString());
    QRandomGenerator rng(seed);
    QStringList log;
    for (int a = 0; a < actions; ++a) {
        QByteArray update;
        const int kind = rng.bounded(quiz.model()->cwiat() ? 16 : 11);
        if (kind == 10) {
            log << QStringLiteral("colour");
            update = quiz.colour();
        } else if (kind == 11) {
            const int option = rng.bounded(5) - 1;
            log << QStringLiteral("option %1").arg(option);
            update = quiz.chooseOption(option);
        } else if (kind == 12) {
            const int slider = rng.bounded(3), value = rng.bounded(300) - 20;
            log << QStringLiteral("slider %1 %2").arg(slider).arg(value);
            update = quiz.moveSlider(slider, value);
        } else if (kind == 13) {
            const int row = rng.bounded(9) - 1;
            log << QStringLiteral("size %1").arg(row);
            update = quiz.chooseSize(row);
        } else if (kind == 14) {
            log << QStringLiteral("save");
            update = quiz.save();
        } else if (kind == 15) {
            log << QStringLiteral("cancel");
            update = quiz.cancel();
        } else if (kind < 6) {
            const int list = rng.bounded(3);
            const int row = rng.bounded(quiz.model()->Slowo(list).count() + 2) - 1;
            log << QStringLiteral("select %1 %2").arg(list).arg(row);
            update = quiz.select(list, row);
        } else if (kind < 9) {
            const int button = rng.bounded(4);
            log << QStringLiteral("press %1").arg(button);
            update = quiz.press(button);
        } else {
            log << QStringLiteral("picture");
            update = quiz.clickPicture();
        }
        const QString wrong = mirror.apply(update);
        const QString differs = wrong.isEmpty() ? mirror.differences(*quiz.model()) : wrong;
        if (!differs.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 after:\n  %2").arg(differs, log.join(u"\n  "_qs))));
    }
    QVERIFY(!mirror.exited);
    QVERIFY(mirror.apply(quiz.exit()).isEmpty());
    QVERIFY(mirror.exited);
}

// The thumbnail and the picture window name a picture the page asks the engine for: the bytes
// packed with the test.
void TestWebQuiz::picturesComeFromThePage()
{
    const QuizFolder::Checked figuri = QuizFolder::check(TestContent::sourcePath(QStringLiteral("quizzes/figuri")));
    WebQuiz quiz(packed(figuri.files));
    Mirror mirror;
    QVERIFY(mirror.apply(quiz.start()).isEmpty());
    int shown = 0;
    for (int row = 0; row < quiz.model()->Slowo(0).count(); ++row) {
        QVERIFY(mirror.apply(quiz.select(0, row)).isEmpty());
        const QString name = mirror.parts.value(QStringLiteral("thumbnail")).toString();
        if (name.isEmpty())
            continue;
        ++shown;
        const auto file = std::find_if(figuri.files.cbegin(), figuri.files.cend(), [&](const QuizFile &f) { return f.name == name; });
        QVERIFY2(file != figuri.files.cend(), qPrintable(name));
        QCOMPARE(quiz.picture(name), file->bytes);
    }
    QVERIFY(shown > 0);
    QVERIFY(quiz.picture(QStringLiteral("no-such.png")).isEmpty());
}

namespace {

QJsonObject resultOf(WebQuiz &quiz)
{
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(quiz.result(), &error).object();
    if (error.error != QJsonParseError::NoError)
        qFatal("result() is not JSON: %s", qPrintable(error.errorString()));
    return o;
}

// Pairs the phrases `left` and `right` as the learner does: a row of each list, "Избрах".
bool pairUp(WebQuiz &quiz, Mirror &mirror, const QString &left, const QString &right)
{
    const int l = int(quiz.model()->Slowo(0).items().indexOf(left));
    const int r = int(quiz.model()->Slowo(1).items().indexOf(right));
    return l >= 0 && r >= 0 && mirror.apply(quiz.select(0, l)).isEmpty() && mirror.apply(quiz.select(1, r)).isEmpty()
           && mirror.apply(quiz.press(0)).isEmpty();
}

// "Оцени", with the one more click the window may need to enable it after the last pair.
bool grade(WebQuiz &quiz, Mirror &mirror)
{
    if (!quiz.model()->uprawlEnabled(2) && !mirror.apply(quiz.press(0)).isEmpty())
        return false;
    return mirror.apply(quiz.press(2)).isEmpty() && quiz.model()->uprawlEnabled(3);
}

// The N of the counter's "Верни: N%", -1 for another text.
int counterPercent(const Mirror &mirror)
{
    const QString counter = mirror.parts.value(QStringLiteral("counter")).toString();
    static const QString prefix = QStringLiteral("Верни: ");
    if (!counter.startsWith(prefix) || !counter.endsWith(u'%'))
        return -1;
    bool ok = false;
    const int n = counter.mid(prefix.size(), counter.size() - prefix.size() - 1).toInt(&ok);
    return ok ? n : -1;
}

} // namespace

// The result follows the pairs as they are made and taken back, in the order made, each with
// its two phrases; once graded it holds the counter's percent, and each pair is correct
// exactly where its verdict says "ДА". Asking for it changes nothing the page shows.
void TestWebQuiz::resultAsTheWindowShowsIt()
{
    TestContent::Content c;
    c.left = {u"Ляво, първо"_qs, u"Второ \"ляво\""_qs, u"Трето: 3.5 < 4"_qs, u"Четвърто"_qs, u"Пето"_qs, u"Шесто"_qs};
    c.right = {u"Дясно А"_qs, u"Дясно Б"_qs, u"Дясно В"_qs, u"Дясно Г"_qs, u"Дясно Д"_qs, u"Дясно Е"_qs, u"Излишно"_qs};
    WebQuiz quiz(packed({{QStringLiteral("test.kaz"), ContentWriter::write(*c.build()).toUtf8()}}));
    QVERIFY(quiz.ok());
    Mirror mirror;
    QVERIFY(mirror.apply(quiz.start()).isEmpty());
    QCOMPARE(resultOf(quiz), (QJsonObject{{u"graded"_qs, false}, {u"percent"_qs, QJsonValue()}, {u"pairs"_qs, QJsonArray()}}));

    const auto pairOf = [&c](int l, int r) {
        return QJsonObject{{u"left"_qs, c.left.at(l)}, {u"right"_qs, c.right.at(r)}, {u"correct"_qs, l == r}};
    };
    QVERIFY(pairUp(quiz, mirror, c.left.at(3), c.right.at(3)));
    QVERIFY(pairUp(quiz, mirror, c.left.at(0), c.right.at(0)));
    QVERIFY(pairUp(quiz, mirror, c.left.at(1), c.right.at(2)));
    QCOMPARE(resultOf(quiz).value(u"pairs"_qs).toArray(), (QJsonArray{pairOf(3, 3), pairOf(0, 0), pairOf(1, 2)}));
    // The first pair taken back and made again: it comes last.
    QVERIFY(mirror.apply(quiz.select(2, 0)).isEmpty());
    QVERIFY(mirror.apply(quiz.press(1)).isEmpty());
    QCOMPARE(resultOf(quiz).value(u"pairs"_qs).toArray(), (QJsonArray{pairOf(0, 0), pairOf(1, 2)}));
    QVERIFY(pairUp(quiz, mirror, c.left.at(3), c.right.at(3)));
    QVERIFY(pairUp(quiz, mirror, c.left.at(2), c.right.at(1)));
    QVERIFY(pairUp(quiz, mirror, c.left.at(4), c.right.at(6)));
    QVERIFY(pairUp(quiz, mirror, c.left.at(5), c.right.at(5)));
    const QJsonObject before = resultOf(quiz);
    QCOMPARE(before.value(u"graded"_qs), QJsonValue(false));
    QVERIFY(before.value(u"percent"_qs).isNull());
    // Each pair's phrases are the two halves of its row.
    const QJsonArray pairs = before.value(u"pairs"_qs).toArray();
    QCOMPARE(pairs, (QJsonArray{pairOf(0, 0), pairOf(1, 2), pairOf(3, 3), pairOf(2, 1), pairOf(4, 6), pairOf(5, 5)}));
    for (int i = 0; i < pairs.size(); ++i)
        QCOMPARE(pairs.at(i)[u"left"_qs].toString() + u' ' + pairs.at(i)[u"right"_qs].toString(), mirror.lists[2].at(i));

    QVERIFY(grade(quiz, mirror));
    const QJsonObject graded = resultOf(quiz);
    // Right: the pairs of 0, 3 and 5, of the six the shorter side has.
    QCOMPARE(graded, (QJsonObject{{u"graded"_qs, true}, {u"percent"_qs, 50}, {u"pairs"_qs, pairs}}));
    QCOMPARE(counterPercent(mirror), 50);
    for (int i = 0; i < pairs.size(); ++i) {
        QVERIFY(mirror.apply(quiz.select(2, i)).isEmpty());
        const bool yes = mirror.parts.value(u"verdict"_qs).toObject().value(u"text"_qs).toString() == u"ДА"_qs;
        QCOMPARE(pairs.at(i)[u"correct"_qs].toBool(), yes);
        QVERIFY(mirror.apply(quiz.press(3)).isEmpty());
    }
    // Walking the explanations leaves the result as it was, and asking changes nothing.
    QCOMPARE(resultOf(quiz), graded);
    const QByteArray nothing = quiz.select(2, 0);
    QVERIFY(mirror.apply(nothing).isEmpty());
    QCOMPARE(mirror.differences(*quiz.model()), QString());
}

void TestWebQuiz::resultOfTheShippedTest_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint64>("seed");
    for (quint64 seed = 1; seed <= 4; ++seed) {
        QTest::addRow("istoriya_%llu", seed) << u"quizzes/istoriya"_qs << seed;
        QTest::addRow("figuri_%llu", seed) << u"quizzes/figuri"_qs << seed;
    }
}

// Every left phrase paired with a right one at random, some with its partner: the percent is
// the counter's, and the share of correct pairs of the shorter side's length, rounded (an
// exact half to the even neighbour).
void TestWebQuiz::resultOfTheShippedTest()
{
    QFETCH(QString, folder);
    QFETCH(quint64, seed);
    const QuizFolder::Checked checked = QuizFolder::check(TestContent::sourcePath(folder));
    QVERIFY(checked.ok());
    WebQuiz quiz(packed(checked.files));
    Mirror mirror;
    QVERIFY(mirror.apply(quiz.start()).isEmpty());
    // The source's phrases: left k goes with right k; a phrase listed twice counts as its first.
    const auto testKaz = std::find_if(checked.files.cbegin(), checked.files.cend(), [](const QuizFile &f) { return f.name == u"test.kaz"_qs; });
    QVERIFY(testKaz != checked.files.cend());
    const ContentReader::Result source = ContentReader::readBytes(testKaz->bytes, {});
    QVERIFY(source.ok());
    const QStringList left = source.store.Danni(0), right = source.store.Danni(1);
    const Kaz &kaz = *quiz.model();
    QRandomGenerator rng(seed);
    int correct = 0;
    QJsonArray expected;
    const QJsonObject start = resultOf(quiz);
    QVERIFY(start.value(u"pairs"_qs).toArray().isEmpty());
    while (kaz.Slowo(0).count() > 0 && kaz.Slowo(1).count() > 0) {
        const QString l = kaz.Slowo(0).item(rng.bounded(kaz.Slowo(0).count()));
        // Half the time the partner, where it is still there.
        QString r = kaz.Slowo(1).item(rng.bounded(kaz.Slowo(1).count()));
        const int k = int(left.indexOf(l));
        if (rng.bounded(2) && k < right.size() && kaz.Slowo(1).items().contains(right.at(k)))
            r = right.at(k);
        QVERIFY(pairUp(quiz, mirror, l, r));
        expected.append(QJsonObject{{u"left"_qs, l}, {u"right"_qs, r}, {u"correct"_qs, right.indexOf(r) == left.indexOf(l)}});
    }
    QVERIFY(grade(quiz, mirror));
    const QJsonObject result = resultOf(quiz);
    const QJsonArray pairs = result.value(u"pairs"_qs).toArray();
    QCOMPARE(pairs.size(), expected.size());
    for (int i = 0; i < pairs.size(); ++i) {
        const QJsonObject p = pairs.at(i).toObject();
        QCOMPARE(p.value(u"left"_qs), expected.at(i)[u"left"_qs]);
        QCOMPARE(p.value(u"right"_qs), expected.at(i)[u"right"_qs]);
        QCOMPARE(p.value(u"correct"_qs), expected.at(i)[u"correct"_qs]);
        correct += p.value(u"correct"_qs).toBool();
    }
    QCOMPARE(result.value(u"percent"_qs).toInt(-1), counterPercent(mirror));
    const int n = int(std::min(left.size(), right.size()));
    QCOMPARE(result.value(u"percent"_qs).toInt(), int(std::nearbyint(correct * 100.0 / n)));
}

void TestWebQuiz::damagedTestIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray test = packedFolder(QStringLiteral("quizzes/istoriya"));
    for (qsizetype at : {qsizetype(0), test.size() / 2, test.size() - PackedQuiz::TrailerSize, test.size() - 1}) {
        QByteArray changed = test;
        changed[at] = char(changed[at] ^ 0x20);
        QTest::addRow("byte_%lld_changed", qlonglong(at)) << changed;
    }
    QTest::addRow("cut_short") << test.left(test.size() - 1);
    QTest::addRow("its_end_only") << test.right(PackedQuiz::TrailerSize);
    QTest::addRow("nothing") << QByteArray();
    QTest::addRow("a_web_page") << QByteArray("<!DOCTYPE html><html></html>");
}

void TestWebQuiz::damagedTestIsRefused()
{
    QFETCH(QByteArray, bytes);
    WebQuiz quiz(bytes);
    QVERIFY(!quiz.ok());
    QCOMPARE(quiz.message(), u"damaged"_qs);
    QCOMPARE(QJsonDocument::fromJson(quiz.start()).object(), (QJsonObject{{u"fault"_qs, u"damaged"_qs}}));
    // Nothing the page may still call does anything.
    QCOMPARE(quiz.press(0), QByteArray("{}"));
    QCOMPARE(quiz.select(0, 0), QByteArray("{}"));
}

QTEST_GUILESS_MAIN(TestWebQuiz)
#include "tst_webquiz.moc"
