// The quiz on a machine set to another language: phrase lists still sort without regard
// to case (Cyrillic, Latin, Turkish dotted and dotless i), and numbers are still read and
// written with "." and without grouping. scripts/test.sh also runs the whole suite under
// LANG=C, C.UTF-8, bg_BG.UTF-8 and tr_TR.UTF-8.
#include "ListModel.h"
#include "Numbers.h"

#include <QLocale>
#include <QTest>
#include <clocale>

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

// Each word's upper case, capitalised form and the word itself (by the locale's own rules,
// so in Turkish "istanbul" goes with "İSTANBUL") land next to each other in the order they
// were added, which is not the order letter case would give; the Cyrillic words keep the
// Bulgarian alphabet's order.
void TestLocale::caseVariantsSortTogether()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(l);
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

QTEST_GUILESS_MAIN(TestLocale)
#include "tst_locale.moc"
