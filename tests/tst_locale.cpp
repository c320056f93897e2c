// The quiz on a machine set to another language: phrase lists sort in the Bulgarian order,
// Cyrillic before Latin and without regard to case, whatever the machine's language, and
// numbers are still read and written with "." and without grouping. scripts/test.sh also runs the whole suite under
// LANG=C, C.UTF-8, bg_BG.UTF-8 and tr_TR.UTF-8.
#include "ContentReader.h"
#include "ListModel.h"
#include "Numbers.h"
#include "PhraseOrder.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <optional>

class TestLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_before = QLocale(); }
    void cleanup()
    {
        QLocale::setDefault(m_before);
        std::setlocale(LC_ALL, "C");
    }

    void caseVariantsSortTogether_data();
    void caseVariantsSortTogether();
    void numbersIgnoreTheLocale_data();
    void numbersIgnoreTheLocale();
    void dictionaryOrder_data();
    void dictionaryOrder();
    void orderIsTotal_data();
    void orderIsTotal();

private:
    QLocale m_before;
};

namespace {

const QStringList Words = {u"ябълка"_qs, u"бор"_qs,   u"щит"_qs,     u"ъгъл"_qs,  u"ирис"_qs,   u"istanbul"_qs,
                           u"ızgara"_qs, u"izmir"_qs, u"ılık"_qs,    u"şeker"_qs, u"zebra"_qs,  u"apple"_qs,
                           u"ünlü"_qs,   u"ivan"_qs,  u"кула"_qs,    u"ѝ"_qs,     u"ёлка"_qs,   u"öz"_qs};

void addLocaleRows()
{
    QTest::addColumn<QString>("locale");  // Qt's
    QTest::addColumn<QByteArray>("cLocale"); // the C library's, as LANG names it
    QTest::addRow("c") << u"C"_qs << QByteArray("C");
    QTest::addRow("english") << u"en_US"_qs << QByteArray("C.UTF-8");
    QTest::addRow("bulgarian") << u"bg_BG"_qs << QByteArray("bg_BG.UTF-8");
    QTest::addRow("turkish") << u"tr_TR"_qs << QByteArray("tr_TR.UTF-8");
}

} // namespace

void TestLocale::caseVariantsSortTogether_data()
{
    addLocaleRows();
}

// Each word's upper case, capitalised form and the word itself land next to each other in the
// order they were added, which is not the order letter case would give, on a machine set to
// any language: the order is Bulgarian (so "ISTANBUL" goes with "istanbul" in Turkey too, and
// Turkish dotless "ı" is a letter of its own); the Cyrillic words keep the Bulgarian
// alphabet's order, and the whole list is the same everywhere.
void TestLocale::caseVariantsSortTogether()
{
    QFETCH(QString, locale);
    const QLocale l(QLocale::Bulgarian, QLocale::Bulgaria);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale(locale));
    ListModel list;
    list.setSorted(true);
    // Only words whose upper case leads back to them in this locale: elsewhere the upper
    // case of the Turkish dotless "ı" is "I", which is the capital of "i".
    QStringList words;
    for (const QString &w : Words)
        if (l.toLower(l.toUpper(w)) == w)
            words.append(w);
    for (const QString &w : words) {
        list.addItem(l.toUpper(w));
        list.addItem(l.toUpper(w.left(1)) + w.mid(1));
        list.addItem(w);
    }
    list.addItem(QString());
    QCOMPARE(list.item(0), QString());
    for (const QString &w : words) {
        const int at = list.items().indexOf(w);
        QVERIFY2(at > 2, qPrintable(w));
        QCOMPARE(list.item(at - 1), l.toUpper(w.left(1)) + w.mid(1));
        QCOMPARE(list.item(at - 2), l.toUpper(w));
    }
    const QStringList bulgarian = {u"бор"_qs, u"ирис"_qs, u"кула"_qs, u"щит"_qs, u"ъгъл"_qs, u"ябълка"_qs};
    int last = -1;
    for (const QString &w : bulgarian) {
        const int at = list.items().indexOf(w);
        QVERIFY2(at > last, qPrintable(w + u" is out of alphabetical order: "_qs + list.items().join(u' ')));
        last = at;
    }
    QLocale::setDefault(l);
    ListModel inBulgaria;
    inBulgaria.setSorted(true);
    for (const QString &w : words) {
        inBulgaria.addItem(l.toUpper(w));
        inBulgaria.addItem(l.toUpper(w.left(1)) + w.mid(1));
        inBulgaria.addItem(w);
    }
    inBulgaria.addItem(QString());
    QCOMPARE(list.items(), inBulgaria.items());
}

void TestLocale::numbersIgnoreTheLocale_data()
{
    addLocaleRows();
}

void TestLocale::numbersIgnoreTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, cLocale);
    QLocale::setDefault(QLocale(locale));
    if (!std::setlocale(LC_ALL, cLocale.constData()))
        QSKIP(qPrintable(u"the C library has no locale "_qs + QString::fromLatin1(cLocale) + u" (scripts/locales.sh makes it)"_qs));
    QCOMPARE(Numbers::readLenient(u"12.5"), 12.5);
    QCOMPARE(Numbers::readLenient(u"12,5"), 12.0);
    QCOMPARE(Numbers::readLenient(u" 1 125 0 "), 11250.0);
    QCOMPARE(Numbers::readStrict(u"1,5"), std::optional<double>());
    QCOMPARE(Numbers::readStrict(u"-1.5e2"), std::optional<double>(-150.0));
    QCOMPARE(Numbers::roundToInt16(37.5), qint16(38));
    QCOMPARE(Numbers::decimal(16777215), u"16777215"_qs);
    QCOMPARE(Numbers::decimal(-12345), u"-12345"_qs);
}

namespace {

// The Bulgarian dictionary's order of texts made of Bulgarian and Latin letters, digits,
// spaces and a few marks, written out without any collation library: letters without regard
// to case, Cyrillic before Latin, "ѝ" as "и" but after it when all else is equal; marks and
// digits before letters, as in ICU's order. nullopt for a text with any other character.
struct DictionaryKey
{
    QList<int> letters;
    QList<int> accents;
    bool operator<(const DictionaryKey &o) const { return letters != o.letters ? letters < o.letters : accents < o.accents; }
};

std::optional<DictionaryKey> dictionaryKey(const QString &text)
{
    const QString alphabet = u"абвгдежзийклмнопрстуфхцчшщъьюя"_qs;
    const QString marks = u" ,.()"_qs;
    DictionaryKey key;
    for (const QChar c : text) {
        const QChar lower = c.toLower();
        const bool grave = lower == u'ѝ';
        if (const qsizetype m = marks.indexOf(c); m >= 0)
            key.letters.append(1 + int(m));
        else if (c.isDigit())
            key.letters.append(10 + c.digitValue());
        else if (const qsizetype a = alphabet.indexOf(grave ? QChar(u'и') : lower); a >= 0)
            key.letters.append(100 + int(a));
        else if (lower >= u'a' && lower <= u'z')
            key.letters.append(200 + (lower.unicode() - u'a'));
        else
            return std::nullopt;
        key.accents.append(grave ? 1 : 0);
    }
    return key;
}

QStringList shippedPhrases(const QString &test, int side)
{
    QFile file(qEnvironmentVariable("KAZ_SOURCE_DIR") + u"/quizzes/"_qs + test + u"/test.kaz"_qs);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ContentReader::read(QString::fromUtf8(file.readAll())).store.Danni(side);
}

} // namespace

void TestLocale::dictionaryOrder_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("collation"); // empty: a sorted ListModel; else PhraseOrder's
    QTest::addColumn<QString>("machine");
    const QStringList tricky = {u"Ябълка"_qs, u"ябълка"_qs, u"ЯБЪЛКА"_qs, u"юг"_qs, u"Юг"_qs, u"ъгъл"_qs,
                                u"Ъгъл"_qs, u"шофьор"_qs, u"шофъор"_qs, u"шофюр"_qs, u"бульон"_qs, u"булюн"_qs,
                                u"ѝ"_qs, u"Ѝ"_qs, u"и"_qs, u"И"_qs, u"ирис"_qs, u"йод"_qs, u"Йога"_qs,
                                u"Щит"_qs, u"щъркел"_qs, u"Ь"_qs, u"ь"_qs, u"Ъ"_qs, u"Ю"_qs, u"Я"_qs,
                                u"ВЕЛИКО ТЪРНОВО"_qs, u"Велико Търново"_qs, u"велико търново"_qs};
    const QStringList mixed = {u"DNA"_qs,      u"apple"_qs,  u"Zebra"_qs, u"Бор"_qs,     u"Бор Б"_qs,
                               u"Бор A"_qs,    u"бор b"_qs,  u"5 лв."_qs, u"10 града"_qs, u"Windows"_qs,
                               u"Word"_qs,     u"Уиндоус"_qs, u"Ом"_qs,   u"Ohm"_qs,     u"ом (ома)"_qs,
                               u"ohm (Ом)"_qs, u"Бор, бор"_qs, u"Бор.b"_qs, u"z"_qs,      u"я"_qs};
    const QList<std::pair<const char *, QStringList>> sets = {
        {"istoriya_left", shippedPhrases(u"istoriya"_qs, 0)}, {"istoriya_right", shippedPhrases(u"istoriya"_qs, 1)},
        {"figuri_left", shippedPhrases(u"figuri"_qs, 0)},     {"figuri_right", shippedPhrases(u"figuri"_qs, 1)},
        {"tricky_letters", tricky},                          {"latin_and_cyrillic", mixed}};
    for (const auto &[name, words] : sets) {
        QTest::addRow("%s_list_on_a_bulgarian_machine", name) << words << QString() << u"bg_BG"_qs;
        QTest::addRow("%s_list_on_an_english_machine", name) << words << QString() << u"en_US"_qs;
        QTest::addRow("%s_list_on_a_turkish_machine", name) << words << QString() << u"tr_TR"_qs;
        // English collation puts Latin letters first, as Windows' does for any language. Windows'
        // English collation also sorts "Й" as "И" with a mark, as a Russian or Bulgarian reader
        // would not: the tricky letters are left out here (and the lists never take the
        // machine's collation).
        if (std::strcmp(name, "tricky_letters") != 0)
            QTest::addRow("%s_latin_first_collation", name) << words << u"en_US"_qs << u"en_US"_qs;
    }
}

// Every list sorts as the Bulgarian dictionary does, whatever the machine's language and
// whichever order of scripts the system's collation has: the shipped tests' phrases, the
// letters that differ from Russian's order and capitals, Cyrillic and Latin mixed.
void TestLocale::dictionaryOrder()
{
    QFETCH(QStringList, words);
    QFETCH(QString, collation);
    QFETCH(QString, machine);
    QVERIFY(words.size() > 2);
    QLocale::setDefault(QLocale(machine));
    QStringList sorted = words;
    if (collation.isEmpty()) {
        ListModel list;
        list.setSorted(true);
        list.setItems(words);
        sorted = list.items();
    } else {
        const PhraseOrder order{QLocale(collation)};
        std::stable_sort(sorted.begin(), sorted.end(), [&order](const QString &a, const QString &b) { return order.compare(a, b) < 0; });
    }
    for (const QString &w : std::as_const(words))
        QVERIFY2(dictionaryKey(w), qPrintable(u"no dictionary key for "_qs + w));
    QStringList expected = words;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString &a, const QString &b) { return *dictionaryKey(a) < *dictionaryKey(b); });
    QCOMPARE(sorted, expected);
}

void TestLocale::orderIsTotal_data()
{
    QTest::addColumn<QString>("collation");
    QTest::newRow("bulgarian_collation") << u"bg_BG"_qs;
    QTest::newRow("latin_first_collation") << u"en_US"_qs;
}

// Sorting and a sorted list's binary search need a total order, whatever the system's collation
// skips (Windows' passes over a hyphen) or puts first: texts of both scripts, marks, digits and
// letter case mixed, each pair compared both ways and every sorted pair in order.
void TestLocale::orderIsTotal()
{
    QFETCH(QString, collation);
    const PhraseOrder order{QLocale(collation)};
    const QStringList parts = {u"ВА"_qs, u"до"_qs, u"äö"_qs, u"ik"_qs, u"Şu"_qs, u"ле"_qs, u"al"_qs, u"ка"_qs,
                               u"Ив"_qs, u"ıs"_qs, u"zz"_qs, u"ѝ"_qs, u"Й"_qs, u"-"_qs, u"."_qs, u" "_qs,
                               u"1"_qs, u"10"_qs, u"("_qs, u","_qs};
    QRandomGenerator rng(7);
    QStringList texts;
    for (int i = 0; i < 400; ++i) {
        QString t;
        for (int n = 1 + rng.bounded(4); n > 0; --n)
            t += parts.at(rng.bounded(int(parts.size())));
        texts.append(rng.bounded(3) == 0 ? t.toUpper() : t);
    }
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const QString &a : std::as_const(texts)) {
        for (const QString &b : std::as_const(texts))
            QVERIFY2(sign(order.compare(a, b)) == -sign(order.compare(b, a)), qPrintable(a + u" | "_qs + b));
    }
    std::stable_sort(texts.begin(), texts.end(), [&order](const QString &a, const QString &b) { return order.compare(a, b) < 0; });
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            QVERIFY2(order.compare(texts.at(i), texts.at(j)) <= 0, qPrintable(texts.at(i) + u" | "_qs + texts.at(j)));
    }
}

QTEST_GUILESS_MAIN(TestLocale)
#include "tst_locale.moc"
