#include "Numbers.h"

#include <QTest>

class TestNumbers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lenient_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addRow("plain") << QStringLiteral("11250") << 11250.0;
        QTest::addRow("empty_is_zero") << QString() << 0.0;
        QTest::addRow("text_is_zero") << QStringLiteral("abc") << 0.0;
        QTest::addRow("cyrillic_is_zero") << QStringLiteral("сто") << 0.0;
        QTest::addRow("leading_number_wins") << QStringLiteral("12abc") << 12.0;
        QTest::addRow("blanks_inside_ignored") << QStringLiteral(" 1 2 3 ") << 123.0;
        QTest::addRow("negative") << QStringLiteral("-1") << -1.0;
        QTest::addRow("plus_sign") << QStringLiteral("+7") << 7.0;
        QTest::addRow("fraction_with_point") << QStringLiteral("2.5") << 2.5;
        QTest::addRow("comma_is_not_a_point") << QStringLiteral("2,5") << 2.0;
        QTest::addRow("leading_point") << QStringLiteral(".5") << 0.5;
        QTest::addRow("lone_point") << QStringLiteral(".") << 0.0;
        QTest::addRow("lone_sign") << QStringLiteral("-") << 0.0;
        QTest::addRow("exponent") << QStringLiteral("1e3") << 1000.0;
        QTest::addRow("dangling_exponent") << QStringLiteral("7e") << 7.0;
        QTest::addRow("second_point_stops") << QStringLiteral("1.2.3") << 1.2;
    }
    void lenient()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Numbers::readLenient(text), value);
    }

    void strict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::addRow("zero") << QStringLiteral("0") << true << 0.0;
        QTest::addRow("one") << QStringLiteral("1") << true << 1.0;
        QTest::addRow("minus_one") << QStringLiteral("-1") << true << -1.0;
        QTest::addRow("blanks_around") << QStringLiteral(" 2 ") << true << 2.0;
        QTest::addRow("fraction") << QStringLiteral("0.5") << true << 0.5;
        QTest::addRow("empty") << QString() << false << 0.0;
        QTest::addRow("trailing_text") << QStringLiteral("1a") << false << 0.0;
        QTest::addRow("word") << QStringLiteral("да") << false << 0.0;
        QTest::addRow("blank_inside") << QStringLiteral("1 0") << false << 0.0;
    }
    void strict()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto v = Numbers::readStrict(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, value);
    }

    void roundingHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::addRow("12.5_down") << 12.5 << 12;
        QTest::addRow("37.5_up") << 37.5 << 38;
        QTest::addRow("0.5_down") << 0.5 << 0;
        QTest::addRow("1.5_up") << 1.5 << 2;
        QTest::addRow("minus_2.5") << -2.5 << -2;
        QTest::addRow("47.6") << 47.619 << 48;
        QTest::addRow("clamped_high") << 1e9 << 32767;
        QTest::addRow("clamped_low") << -1e9 << -32768;
    }
    void roundingHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(int(Numbers::roundToInt16(value)), rounded);
    }

    void readingIgnoresTheLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
        QCOMPARE(Numbers::readLenient(u"2.5"), 2.5);
        QCOMPARE(*Numbers::readStrict(u"2.5"), 2.5);
        QLocale::setDefault(saved);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
