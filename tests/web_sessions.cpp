// The desktop's side of the comparison with a test page (tests/web/sessions.py): random
// learner sessions played on the test window's model, written down for the page to replay.
//
//     web_sessions OUT [--sessions N] [--seed S] [--actions A]
//
// For each seed it writes a random test into OUT/seed-S/test.kaz (phrases of mixed script and
// case, explanation switches, no pictures), plays a seeded random session on `Kaz` as the
// desktop window drives it (a row chosen in one of the three lists, one of the four buttons
// pressed whether or not it is enabled, the thumbnail clicked) and records after the start and
// after every action what a learner sees. OUT/order/test.kaz is a test whose phrases mix case,
// Cyrillic and Latin, accents, digits and marks, with the lists as the desktop orders them.
// Everything goes into OUT/sessions.json.
#include "ContentReader.h"
#include "ContentWriter.h"
#include "RandomPhrases.h"
#include "TestContent.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

namespace {

const QStringList Syllables = {
    u"ба"_qs, u"Ва"_qs, u"ги"_qs, u"ДО"_qs, u"же"_qs, u"зу"_qs, u"Ив"_qs, u"ив"_qs, u"йо"_qs, u"Ка"_qs,
    u"ле"_qs, u"Щъ"_qs, u"ЮЯ"_qs, u"ьо"_qs, u"ѝ"_qs,  u"al"_qs, u"Be"_qs, u"ci"_qs, u"DI"_qs, u"é"_qs,
    u"És"_qs, u"Ik"_qs, u"ig"_qs, u"Äö"_qs, u"1"_qs,  u"10"_qs, u"-"_qs,  u"."_qs,  u"!"_qs,  u"İz"_qs,
    u"ıs"_qs, u"ŞU"_qs, u"ğe"_qs,
};

// Distinct phrases of one side, some only a case apart.
QStringList randomSide(QRandomGenerator &rng, int count)
{
    return RandomPhrases::side(rng, count, Syllables, false);
}

QString randomWord(QRandomGenerator &rng) { return RandomPhrases::word(rng, Syllables); }

// Mostly short lists, so that a session of a few dozen actions pairs, grades and explains;
// now and then long ones, whose rows the page must scroll to.
int randomCount(QRandomGenerator &rng)
{
    return rng.bounded(5) == 0 ? 15 + rng.bounded(36) : 1 + rng.bounded(9);
}

TestContent::Content randomContent(QRandomGenerator &rng)
{
    TestContent::Content c;
    c.left = randomSide(rng, randomCount(rng));
    // A test that can be graded: the pairs a learner can make are at least three times the
    // right phrases left over, so at most a third more phrases on the right.
    const int most = int(c.left.size()) + int(c.left.size()) / 3;
    c.right = rng.bounded(3) == 0 ? randomSide(rng, int(c.left.size())) : randomSide(rng, std::min(randomCount(rng), most));
    const int questions = int(c.left.size());
    QStringList switches{u"Ima li obqsneniq"_qs};
    for (int q = 1; q <= questions; ++q) {
        const bool extras = q <= ContentStore::QuestionsWithExtras;
        const bool on = extras && rng.bounded(2) == 0;
        switches.append(on ? u"1"_qs : u"0"_qs);
        if (on)
            c.explanations[q] = {QStringLiteral("Обяснение %1").arg(q), randomWord(rng)};
    }
    c.switches = switches;
    c.instructions = u"Свържете фразите.\r\nВтори ред.\r\n"_qs;
    return c;
}

// Phrases whose order a collation decides: letter case, Cyrillic and Latin, accents that are
// and are not letters of their own, digits, marks and spaces.
TestContent::Content orderContent()
{
    TestContent::Content c;
    c.left = QStringList{
        u"ябълка"_qs, u"Ябълка"_qs, u"apple"_qs, u"Apple"_qs, u"и"_qs, u"ѝ"_qs, u"Ѝ"_qs, u"й"_qs, u"И"_qs,
        u"иа"_qs, u"ѝб"_qs, u"ив"_qs, u"е"_qs, u"ё"_qs, u"ж"_qs, u"ъ"_qs, u"ь"_qs, u"ю"_qs, u"Щ"_qs, u"ш"_qs,
        u"ц"_qs, u"ч"_qs, u"10"_qs, u"2"_qs, u"1a"_qs, u"1 а"_qs, u"-"_qs, u"."_qs, u"!"_qs, u"а-б"_qs,
        u"а б"_qs, u"аб"_qs, u"а.б"_qs, u"Аб"_qs, u"аб1"_qs, u"аб 2"_qs, u"ab"_qs, u"a-b"_qs, u"ѐ"_qs, u"ї"_qs,
        u"і"_qs,     u"ў"_qs,     u"у"_qs,     u"ґ"_qs,     u"г"_qs,   u"ђ"_qs,   u"љ"_qs,   u"л"_qs,   u"ә"_qs,   u"ө"_qs,
    };
    c.right = QStringList{
        u"e"_qs, u"é"_qs, u"É"_qs, u"è"_qs, u"ê"_qs, u"E"_qs, u"f"_qs, u"ef"_qs, u"éa"_qs, u"eb"_qs,
        u"ä"_qs, u"a"_qs, u"z"_qs, u"Ä"_qs, u"ö"_qs, u"o"_qs, u"ø"_qs, u"œ"_qs, u"ß"_qs, u"ss"_qs,
        u"straße"_qs, u"strasse"_qs, u"ł"_qs, u"l"_qs, u"ñ"_qs, u"n"_qs, u"ç"_qs, u"c"_qs, u"Ω"_qs, u"ω"_qs,
        u"α"_qs, u"я"_qs, u"a'b"_qs, u"a_b"_qs, u"a(b)"_qs, u"a+b"_qs, u"3 ябълки"_qs, u"3-ти"_qs, u"3."_qs, u"#1"_qs,
        u"ı"_qs,     u"İ"_qs,     u"i"_qs,     u"ş"_qs,     u"s"_qs,   u"ğ"_qs,   u"g"_qs,   u"ő"_qs,   u"ů"_qs,   u"u"_qs,
    };
    c.instructions = u"Подредба.\r\n"_qs;
    return c;
}

QJsonArray strings(const QStringList &list)
{
    QJsonArray out;
    for (const QString &s : list)
        out.append(s);
    return out;
}

// What a learner sees of the window: the lists and their selected rows, the counter, the text
// box (with LF line ends, as a browser's text box holds them), the verdict, the buttons and the
// caption.
QJsonObject shown(const Kaz &kaz)
{
    QJsonArray lists, selected, buttons;
    for (int i = 0; i < 3; ++i) {
        lists.append(strings(kaz.Slowo(i).items()));
        selected.append(kaz.Slowo(i).selectedIndex());
    }
    for (int b = 0; b < 4; ++b)
        buttons.append(kaz.uprawlEnabled(b));
    QString text = kaz.prowerkaText(0);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    return QJsonObject{
        {u"lists"_qs, lists},
        {u"selected"_qs, selected},
        {u"counter"_qs, kaz.ndapis()},
        {u"text"_qs, text},
        {u"verdict"_qs, kaz.prowerkaText(1)},
        {u"verdictShown"_qs, kaz.verdictVisible()},
        {u"buttons"_qs, buttons},
        {u"caption"_qs, kaz.caption()},
    };
}

// Writes the test into `folder` and reads it back as a test page's engine reads it, so that
// both sides start from what the file says; null with a message when it does not read back.
std::shared_ptr<const ContentStore> writeTest(const TestContent::Content &content, const QString &folder, QString &error)
{
    QDir().mkpath(folder);
    const QByteArray bytes = ContentWriter::write(*content.build()).toUtf8();
    QSaveFile file(folder + u"/test.kaz"_qs);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = folder + u": cannot write test.kaz"_qs;
        return nullptr;
    }
    ContentReader::Result read = ContentReader::readBytes(bytes);
    if (!read.ok()) {
        error = folder + u"/test.kaz: "_qs + read.problems.first().toString();
        return nullptr;
    }
    return std::make_shared<const ContentStore>(std::move(read.store));
}

class Session
{
public:
    Session(QRandomGenerator rng, std::shared_ptr<const ContentStore> store)
        : m_rng(rng)
        , m_window(std::move(store))
    {
    }

    QJsonObject play(int actions)
    {
        Kaz &kaz = m_window.kaz;
        kaz.Form_Load();
        const QJsonObject start = shown(kaz);
        QJsonArray steps;
        QJsonObject last;
        for (int n = 0; n < actions; ++n) {
            // A double click, or a learner too quick: the same action again.
            const QJsonObject action = !last.isEmpty() && m_rng.bounded(8) == 0 ? last : next();
            run(action);
            steps.append(QJsonObject{{u"action"_qs, action}, {u"state"_qs, shown(kaz)}});
            last = action;
        }
        return QJsonObject{{u"start"_qs, start}, {u"steps"_qs, steps}};
    }

private:
    // Rows of the lists that hold any, every button (a disabled one too: the learner's click
    // on it does nothing), and the thumbnail; weighted so that pairs are made and graded.
    QJsonObject next()
    {
        Kaz &kaz = m_window.kaz;
        QList<int> choices;
        const int weights[] = {4, 4, 2};
        for (int list = 0; list < 3; ++list)
            if (kaz.Slowo(list).count() > 0)
                choices.append(QList<int>(weights[list], list));
        const int buttonWeights[] = {4, 1, 2, 2};
        for (int b = 0; b < 4; ++b)
            choices.append(QList<int>(buttonWeights[b], 10 + b));
        choices.append(20);
        const int choice = choices.at(m_rng.bounded(int(choices.size())));
        if (choice < 3)
            return QJsonObject{{u"select"_qs, choice}, {u"row"_qs, int(m_rng.bounded(kaz.Slowo(choice).count()))}};
        if (choice < 20)
            return QJsonObject{{u"press"_qs, choice - 10}};
        return QJsonObject{{u"picture"_qs, true}};
    }

    void run(const QJsonObject &action)
    {
        Kaz &kaz = m_window.kaz;
        if (action.contains(u"select"_qs)) {
            ListModel &list = kaz.Slowo(action.value(u"select"_qs).toInt());
            // A row repeated after the list lost it is no longer there to click.
            const int row = action.value(u"row"_qs).toInt();
            if (row < list.count())
                list.setSelectedIndex(row);
        } else if (action.contains(u"press"_qs)) {
            kaz.Uprawl_Click(action.value(u"press"_qs).toInt());
        } else {
            kaz.Grafika_Click(0);
        }
    }

    QRandomGenerator m_rng;
    TestContent::Window m_window;
};

bool writeJson(const QString &path, const QJsonObject &json)
{
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Random learner sessions on the test window's model, for a test page to replay."_qs);
    parser.addHelpOption();
    parser.addPositionalArgument(u"OUT"_qs, u"The folder to write the tests and sessions.json into."_qs);
    const QCommandLineOption sessionsOption(u"sessions"_qs, u"How many sessions (20)."_qs, u"N"_qs, u"20"_qs);
    const QCommandLineOption seedOption(u"seed"_qs, u"The first seed (1)."_qs, u"S"_qs, u"1"_qs);
    const QCommandLineOption actionsOption(u"actions"_qs, u"Actions a session (40)."_qs, u"A"_qs, u"40"_qs);
    parser.addOptions({sessionsOption, seedOption, actionsOption});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QString out = QDir(parser.positionalArguments().at(0)).absolutePath();
    const quint64 first = parser.value(seedOption).toULongLong();
    const quint64 count = parser.value(sessionsOption).toULongLong();
    const int actions = parser.value(actionsOption).toInt();

    QString error;
    QJsonObject json;
    {
        const QString folder = out + u"/order"_qs;
        const auto store = writeTest(orderContent(), folder, error);
        if (!store) {
            qCritical("%s", qPrintable(error));
            return 1;
        }
        TestContent::Window window(store);
        window.kaz.Form_Load();
        json.insert(u"order"_qs, QJsonObject{{u"folder"_qs, folder}, {u"state"_qs, shown(window.kaz)}});
    }
    QJsonArray sessions;
    for (quint64 seed = first; seed < first + count; ++seed) {
        QRandomGenerator rng(seed);
        const QString folder = out + QStringLiteral("/seed-%1").arg(seed);
        const auto store = writeTest(randomContent(rng), folder, error);
        if (!store) {
            qCritical("seed %llu: %s", seed, qPrintable(error));
            return 1;
        }
        QJsonObject session = Session(rng, store).play(actions);
        session.insert(u"seed"_qs, QString::number(seed));
        session.insert(u"folder"_qs, folder);
        sessions.append(session);
    }
    json.insert(u"sessions"_qs, sessions);
    if (!writeJson(out + u"/sessions.json"_qs, json)) {
        qCritical("%s: cannot write sessions.json", qPrintable(out));
        return 1;
    }
    return 0;
}
