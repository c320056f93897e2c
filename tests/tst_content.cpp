#include "ContentReader.h"
#include "ContentStore.h"
#include "TestContent.h"

#include <QTest>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ContentReader::Rule)

using TestContent::repeated;

namespace {

const QStringList shippedLeft = {
    QStringLiteral("Асеновград"), QStringLiteral("Белоградчик"), QStringLiteral("Благоевград"),
    QStringLiteral("Ботевград"),  QStringLiteral("Варна"),       QStringLiteral("Велико Търново"),
    QStringLiteral("Видин"),      QStringLiteral("Кула"),        QStringLiteral("Лом"),
    QStringLiteral("Монтана"),    QStringLiteral("Несебър"),     QStringLiteral("Плевен"),
    QStringLiteral("Пловдив"),    QStringLiteral("Поморие"),     QStringLiteral("Русе"),
    QStringLiteral("Смолян"),     QStringLiteral("Созопол"),     QStringLiteral("София"),
    QStringLiteral("Стара Загора"), QStringLiteral("Търговище"), QStringLiteral("Ямбол")};

const QStringList shippedRight = {
    QStringLiteral("Станимака"),     QStringLiteral("Белградин"),   QStringLiteral("Горна Джумая"),
    QStringLiteral("Орхание"),       QStringLiteral("Одесос"),      QStringLiteral("Царев град."),
    QStringLiteral("Бдин"),          QStringLiteral("Кастра Мартис"), QStringLiteral("Алмус"),
    QStringLiteral("Монтанезиум"),   QStringLiteral("Месамбрия"),   QStringLiteral("Сторгозия"),
    QStringLiteral("Филипополис"),   QStringLiteral("Анхиало"),     QStringLiteral("Русчук"),
    QStringLiteral("Езерово"),       QStringLiteral("Аполония"),    QStringLiteral("Сердика"),
    QStringLiteral("Берое"),         QStringLiteral("Ески Джумая"), QStringLiteral("Дианополис")};

const QStringList shippedInstructions = {
    QStringLiteral("Това е релационен тест."),
    QStringLiteral("Трябва да се подберат всички правилни комбинация от двойки изрази от лявото и "),
    QStringLiteral("дясното списъчно поле."),
    QStringLiteral("Не е задължително броят фрази в лявата част да е непременно равен на тези в "),
    QStringLiteral("дясната част."),
    QStringLiteral("При оценяване се отчита броя въведени верни комбинации съотнесени към общия "),
    QStringLiteral("брой верни комбинации. Липсата на комбинация се отчита като грешен отговор")};

// A sound test of two questions. The line numbers in the comments are those the reader
// reports; the rule rows below change single lines of it.
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
        QStringLiteral("Флагове"),                // 15
        QStringLiteral("0"),                      // 16
        QStringLiteral("0"),                      // 17
    };
}

QStringList replaced(QStringList lines, int lineNo, const QString &text)
{
    lines[lineNo - 1] = text;
    return lines;
}

QStringList removed(QStringList lines, int first, int last)
{
    lines.remove(first - 1, last - first + 1);
    return lines;
}

QStringList inserted(QStringList lines, int beforeLine, const QStringList &more)
{
    for (qsizetype i = 0; i < more.size(); ++i)
        lines.insert(beforeLine - 1 + i, more.at(i));
    return lines;
}

QString joined(const QStringList &lines, const QString &newline = QStringLiteral("\n"))
{
    return lines.join(newline) + newline;
}

QString describe(const QList<ContentReader::Problem> &problems)
{
    QStringList out;
    for (const ContentReader::Problem &p : problems)
        out.append(p.toString());
    return out.join(u'\n');
}

QStringList piece(const ContentStore &store, const QString &name)
{
    if (name == u"left")
        return store.Danni(0);
    if (name == u"right")
        return store.Danni(1);
    if (name == u"parameters")
        return store.Danni(3);
    if (name == u"instructions")
        return {store.Ukazanie()};
    if (name == u"switches")
        return store.Otgowor(0);
    if (name == u"flags")
        return store.Spis_graf();
    if (name.startsWith(u"explanation "))
        return store.Otgowor(name.section(u' ', 1).toInt());
    return {QStringLiteral("no such piece")};
}

// "left 0 1": a place's section, question number and item; "none" for none.
QString placeText(const ContentReader::Place &p)
{
    using S = ContentReader::SectionKind;
    const QString names[] = {u"none"_s,  u"parameters"_s,  u"instructions"_s, u"left"_s,   u"right"_s,
                             u"switches"_s, u"explanation"_s, u"flags"_s,        u"picture"_s};
    if (p.section == S::None)
        return p == ContentReader::Place() ? u"none"_s : u"none, but not empty"_s;
    return u"%1 %2 %3"_s.arg(names[int(p.section)]).arg(p.number).arg(p.item);
}

} // namespace

class TestContentStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedTestIsSound()
    {
        const QString text = TestContent::shippedText();
        QVERIFY2(!text.isEmpty(), "quizzes/istoriya/test.kaz cannot be read; is KAZ_SOURCE_DIR set?");
        const ContentReader::Result result = ContentReader::read(text);
        QVERIFY2(result.ok(), qPrintable(describe(result.problems)));
    }

    void shippedPhrases()
    {
        const auto store = TestContent::shipped();
        QCOMPARE(store->Danni(0), shippedLeft);
        QCOMPARE(store->Danni(1), shippedRight);
        QCOMPARE(store->Danni(1).at(5), QStringLiteral("Царев град."));
        QVERIFY(store->Danni(2).isEmpty());
        for (int i = 0; i < shippedLeft.size(); ++i) {
            QCOMPARE(store->codeOf(0, shippedLeft.at(i)), i + 1);
            QCOMPARE(store->codeOf(1, shippedRight.at(i)), i + 1);
        }
        QCOMPARE(ContentStore::item(store->Danni(0), 21), QString());
    }

    void shippedParameters()
    {
        const auto store = TestContent::shipped();
        const QStringList &p = store->Danni(3);
        QCOMPARE(p.size(), 6);
        const QString title = QStringLiteral("KAZ по История - стари названия на градове");
        QVERIFY2(p.at(0).endsWith(u' ' + title), qPrintable(p.at(0)));
        QCOMPARE(store->address() + u' ' + title, p.at(0));
        QVERIFY(!store->address().isEmpty());
        QCOMPARE(p.mid(1), QStringList({QStringLiteral("11250"), QStringLiteral("120"), QStringLiteral("3135"),
                                        QStringLiteral("3360"), QStringLiteral("6575")}));
    }

    void shippedInstructionsText()
    {
        const QString text = TestContent::shipped()->Ukazanie();
        QCOMPARE(text, shippedInstructions.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(text.size(), 376);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 7);
        QCOMPARE(text.count(u'\n'), 7);
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(lines.at(i).endsWith(u' '), i % 2 == 1); // lines 2, 4 and 6
    }

    void shippedExplanationsAndPictures()
    {
        const auto store = TestContent::shipped();
        QCOMPARE(store->Otgowor(0), QStringList{QStringLiteral("Ima li obqsneniq")} + repeated(QStringLiteral("0"), 41));
        for (int q = 1; q <= 30; ++q) {
            const QString n = QString::number(q);
            QCOMPARE(store->Otgowor(q), QStringList{QStringLiteral("Otgowor ") + n} + repeated(n, 19));
        }
        QVERIFY(store->Otgowor(31).isEmpty());
        QCOMPARE(store->Spis_graf(),
                 QStringList{QStringLiteral("Utochnenie dali ima grafika - 30 br")} + repeated(QStringLiteral("0"), 34));
        for (int q = 1; q <= 30; ++q) {
            QVERIFY(store->Graphika(q).source.isEmpty());
            QCOMPARE(store->Graphika(q).width, 1695);
            QCOMPARE(store->Graphika(q).height, 1815);
        }
    }

    // Each rule of the format, broken once in an otherwise sound test: exactly one
    // problem, on the line that breaks it, naming what is wrong.
    void ruleReportsLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");

        const QStringList s = sound();
        const QStringList switches = {QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения")};
        const QStringList picture1 = {QStringLiteral("[picture 1]"), QStringLiteral("file = a.png")};

        QTest::addRow("two_equal_left_phrases") << replaced(s, 10, QStringLiteral("Лом")) << 10
                                                << QStringLiteral("\"Лом\" is already on line 9 of [left]");
        QTest::addRow("two_equal_right_phrases") << replaced(s, 13, QStringLiteral("Алмус")) << 13
                                                 << QStringLiteral("\"Алмус\" is already on line 12 of [right]");
        QTest::addRow("empty_phrase") << replaced(s, 10, QStringLiteral("\\")) << 10
                                      << QStringLiteral("empty phrase in [left]");
        QTest::addRow("empty_left_side") << removed(s, 9, 10) << 8 << QStringLiteral("[left] has no phrases");
        QTest::addRow("empty_right_side") << removed(s, 12, 13) << 11 << QStringLiteral("[right] has no phrases");
        QTest::addRow("no_left_section") << removed(s, 8, 10) << 0 << QStringLiteral("[left] is missing");
        // The flags are not counted against a [left] without phrases: that is told once.
        QTest::addRow("empty_left_side_and_no_flags") << removed(removed(s, 15, 17), 9, 10) << 8
                                                      << QStringLiteral("[left] has no phrases");
        QTest::addRow("no_parameters_section") << removed(s, 1, 7) << 0 << QStringLiteral("[parameters] is missing");
        QTest::addRow("no_picture_flags_section") << removed(s, 14, 17) << 0
                                                  << QStringLiteral("[picture flags] is missing");
        QTest::addRow("flag_missing_for_question_2") << removed(s, 17, 17) << 14
                                                     << QStringLiteral("flags for questions 1 to 1, but [left] has 2");
        QTest::addRow("only_the_flag_label") << removed(s, 16, 17) << 14 << QStringLiteral("[left] has 2 phrases");
        QTest::addRow("flag_not_a_number") << replaced(s, 17, QStringLiteral("да")) << 17
                                           << QStringLiteral("picture flag of question 2 is \"да\"");
        QTest::addRow("flag_empty") << replaced(s, 16, QStringLiteral("\\")) << 16
                                    << QStringLiteral("picture flag of question 1 is \"\"");
        QTest::addRow("flag_set_above_30")
            << s + repeated(QStringLiteral("0"), 28) + QStringList{QStringLiteral("-1")} << 46
            << QStringLiteral("picture flag of question 31 is set");
        QTest::addRow("switch_not_a_number") << s + switches + QStringList{QStringLiteral("да")} << 20
                                             << QStringLiteral("explanation switch of question 1 is \"да\"");
        QTest::addRow("switch_on_above_30")
            << s + switches + repeated(QStringLiteral("0"), 30) + QStringList{QStringLiteral("1")} << 50
            << QStringLiteral("explanation switch of question 31 is on");
        QTest::addRow("switch_on_without_explanation")
            << s + switches + QStringList{QStringLiteral("0"), QStringLiteral("2")} << 21
            << QStringLiteral("no section [explanation 2]");
        QTest::addRow("parameters_five_items") << removed(s, 7, 7) << 1
                                               << QStringLiteral("has 5 lines but needs exactly 6");
        QTest::addRow("parameters_seven_items") << inserted(s, 8, {QStringLiteral("100")}) << 1
                                                << QStringLiteral("has 7 lines but needs exactly 6");
        QTest::addRow("parameter_not_a_number") << replaced(s, 5, QStringLiteral("широко")) << 5
                                                << QStringLiteral("\"широко\" is not a usable number for the left list's width");
        QTest::addRow("parameter_with_unit") << replaced(s, 3, QStringLiteral("11250tw")) << 3
                                             << QStringLiteral("for the window width");
        QTest::addRow("window_width_zero") << replaced(s, 3, QStringLiteral("0")) << 3
                                           << QStringLiteral("for the window width");
        QTest::addRow("right_width_zero") << replaced(s, 7, QStringLiteral("0")) << 7
                                          << QStringLiteral("for the right list's width");
        QTest::addRow("negative_left_edge") << replaced(s, 6, QStringLiteral("-5")) << 6
                                            << QStringLiteral("for the right list's left edge");
        QTest::addRow("unknown_section") << s + QStringList{QStringLiteral("[answers]"), QStringLiteral("Лом")} << 18
                                         << QStringLiteral("unknown section [answers]");
        QTest::addRow("repeated_section") << s + QStringList{QStringLiteral("[left]"), QStringLiteral("Русе")} << 18
                                          << QStringLiteral("[left] appears a second time (first on line 8)");
        QTest::addRow("line_before_any_section") << inserted(s, 1, {QStringLiteral("Проба")}) << 1
                                                 << QStringLiteral("before any section");
        QTest::addRow("explanation_above_30")
            << s + QStringList{QStringLiteral("[explanation 31]"), QStringLiteral("ред")} << 18
            << QStringLiteral("names question 31");
        QTest::addRow("picture_zero") << s + QStringList{QStringLiteral("[picture 0]"), QStringLiteral("file = a.png")}
                                      << 18 << QStringLiteral("names question 0");
        QTest::addRow("picture_bad_width") << s + picture1 + QStringList{QStringLiteral("width = широко")} << 20
                                           << QStringLiteral("width \"широко\" of [picture 1]");
        QTest::addRow("picture_fraction_height") << s + picture1 + QStringList{QStringLiteral("height = 10.5")} << 20
                                                 << QStringLiteral("height \"10.5\" of [picture 1]");
        QTest::addRow("picture_height_zero") << s + picture1 + QStringList{QStringLiteral("height = 0")} << 20
                                             << QStringLiteral("height \"0\" of [picture 1]");
        QTest::addRow("picture_line_without_key") << s + picture1 + QStringList{QStringLiteral("b.png")} << 20
                                                  << QStringLiteral("key = value");
        QTest::addRow("picture_key_without_value") << s + picture1 + QStringList{QStringLiteral("width =")} << 20
                                                   << QStringLiteral("key = value");
        QTest::addRow("picture_unknown_key") << s + picture1 + QStringList{QStringLiteral("colour = red")} << 20
                                             << QStringLiteral("unknown key \"colour\"");
        QTest::addRow("picture_without_file")
            << s + QStringList{QStringLiteral("[picture 2]"), QStringLiteral("width = 100")} << 18
            << QStringLiteral("[picture 2] names no picture");
        QTest::addRow("unclosed_header") << s + QStringList{QStringLiteral("[picture flags")} << 18
                                         << QStringLiteral("starts with [ but is not a section header");
        QTest::addRow("text_after_header") << s + QStringList{QStringLiteral("[instructions] Прочетете")} << 18
                                           << QStringLiteral("starts with [ but is not a section header");
        QTest::addRow("phrase_starting_with_bracket") << replaced(s, 10, QStringLiteral("[Варна")) << 10
                                                      << QStringLiteral("start it with \\");
        QTest::addRow("indented_comment") << inserted(s, 10, {QStringLiteral("  # Варна е на морето")}) << 10
                                          << QStringLiteral("starts with spaces and then #");
        QTest::addRow("misspelt_section") << s + QStringList{QStringLiteral("[rigth]"), QStringLiteral("Русе")} << 18
                                          << QStringLiteral("unknown section [rigth] (did you mean [right]?)");
        QTest::addRow("singular_section_name")
            << s + QStringList{QStringLiteral("[explanation switch]"), QStringLiteral("Обяснения")} << 18
            << QStringLiteral("(did you mean [explanation switches]?)");
        QTest::addRow("bulgarian_section_name") << s + QStringList{QStringLiteral("[ляво]"), QStringLiteral("Русе")}
                                                << 18 << QStringLiteral("(did you mean [left]?)");
        QTest::addRow("misspelt_numbered_section")
            << s + QStringList{QStringLiteral("[explantion 2]"), QStringLiteral("ред")} << 18
            << QStringLiteral("(did you mean [explanation 2]?)");
        QTest::addRow("numbered_section_below_one_with_sign")
            << s + QStringList{QStringLiteral("[explanation -1]"), QStringLiteral("ред")} << 18
            << QStringLiteral("section [explanation -1] names question -1");
        QTest::addRow("numbered_section_with_two_signs")
            << s + QStringList{QStringLiteral("[picture +-1]"), QStringLiteral("file = a.png")} << 18
            << QStringLiteral("unknown section [picture +-1]");
        QTest::addRow("numbered_section_with_letter_after_number")
            << s + QStringList{QStringLiteral("[picture 1a]"), QStringLiteral("file = a.png")} << 18
            << QStringLiteral("unknown section [picture 1a]");
        QTest::addRow("numbered_section_with_non_latin_digit")
            << s + QStringList{QStringLiteral("[explanation \u0661]"), QStringLiteral("ред")} << 18
            << QStringLiteral("unknown section [explanation \u0661]");
        QTest::addRow("misspelt_section_number_with_leading_zero")
            << s + QStringList{QStringLiteral("[pictre 007]"), QStringLiteral("file = a.png")} << 18
            << QStringLiteral("(did you mean [picture 007]?)");
        QTest::addRow("same_question_written_twice")
            << s + QStringList{QStringLiteral("[explanation 1]"), QStringLiteral("а"), QStringLiteral("[Explanation01]"),
                               QStringLiteral("б")}
            << 20 << QStringLiteral("[explanation 1] appears a second time (first on line 18)");
        QTest::addRow("empty_explanation") << s + QStringList{QStringLiteral("[explanation 1]")} << 18
                                           << QStringLiteral("[explanation 1] has no lines");
        QTest::addRow("switch_label_forgotten")
            << s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("0"), QStringLiteral("0")} << 19
            << QStringLiteral("first line under [explanation switches] is a label");
        QTest::addRow("flag_label_forgotten") << replaced(s, 15, QStringLiteral("0")) << 15
                                              << QStringLiteral("first line under [picture flags] is a label");
        QTest::addRow("flag_set_without_picture") << replaced(s, 17, QStringLiteral("1")) << 17
                                                  << QStringLiteral("there is no section [picture 2]");
        QTest::addRow("thumbnail_flag_without_picture") << replaced(s, 16, QStringLiteral("-1")) << 16
                                                        << QStringLiteral("there is no section [picture 1]");
        // 2 left phrases, 3 right: 2 pairs leave 1 over, 2 < 3 × 1, so "Оцени" would never open.
        QTest::addRow("grading_could_never_open")
            << replaced(sound(), 13, QStringLiteral("Одесос\nБдин")) << 11
            << QStringLiteral("with 2 phrases on the left a learner can make at most 2 pairs, and \"Оцени\" opens only "
                              "when the pairs are at least three times the right phrases left over; with 3 phrases on "
                              "the right, 1 would be left over, so this test could never be graded; add left phrases "
                              "or keep at most 2 phrases on the right");
        QTest::addRow("tab_in_phrase") << replaced(s, 12, QStringLiteral("Ал\tмус")) << 12
                                       << QStringLiteral("\"Ал→мус\" in [right] holds a tab");
        QTest::addRow("phrases_differ_in_end_spaces") << replaced(s, 10, QStringLiteral("Лом ")) << 10
                                                      << QStringLiteral("looks the same as \"Лом\" on line 9");
        QTest::addRow("window_too_narrow") << replaced(s, 3, QStringLiteral("11000")) << 3
                                           << QStringLiteral("must be at least 11055");
        QTest::addRow("window_too_wide") << replaced(s, 3, QStringLiteral("112500")) << 3
                                         << QStringLiteral("write at most 28800");
        QTest::addRow("lists_overlap") << replaced(s, 5, QStringLiteral("3300")) << 5
                                       << QStringLiteral("reaches 3420 twips, past the right list's left edge 3360");
        QTest::addRow("right_list_cut_off") << replaced(s, 7, QStringLiteral("8000")) << 7
                                            << QStringLiteral("make the list at most 7770 wide or the window at least "
                                                              "11480 wide");
        QTest::addRow("picture_key_twice") << s + picture1 + QStringList{QStringLiteral("File = b.png")} << 20
                                           << QStringLiteral("file of [picture 1] is already given on line 19");
        QTest::addRow("picture_in_subfolder")
            << s + QStringList{QStringLiteral("[picture 1]"), QStringLiteral("file = рисунки/a.png")} << 19
            << QStringLiteral("must lie in the test folder itself");
        QTest::addRow("picture_of_unknown_kind")
            << s + QStringList{QStringLiteral("[picture 1]"), QStringLiteral("file = a.tiff")} << 19
            << QStringLiteral("must end in .png, .jpg, .jpeg, .bmp or .gif");
        QTest::addRow("picture_without_ending")
            << s + QStringList{QStringLiteral("[picture 1]"), QStringLiteral("file = a")} << 19
            << QStringLiteral("must end in .png");
        // Geometry the window cannot show, and texts that would hold up every click.
        QTest::addRow("left_list_seven_twips") << replaced(s, 5, QStringLiteral("7")) << 5
                                               << QStringLiteral("the left list's width 7 is too small");
        QTest::addRow("right_list_just_too_narrow") << replaced(s, 7, QStringLiteral("599")) << 7
                                                    << QStringLiteral("write at least 600");
        QTest::addRow("list_width_fraction") << replaced(s, 7, QStringLiteral("0.0001")) << 7
                                             << QStringLiteral("\"0.0001\" for the right list's width is not a whole "
                                                               "number; write a whole number of twips such as 600");
        QTest::addRow("window_width_fraction") << replaced(s, 3, QStringLiteral("11250.5")) << 3
                                               << QStringLiteral("for the window width is not a whole number");
        QTest::addRow("left_edge_fraction") << replaced(s, 4, QStringLiteral("120.25")) << 4
                                            << QStringLiteral("such as 120 (15 twips make a pixel)");
        QTest::addRow("phrase_too_long") << replaced(s, 13, QString(1001, u'я')) << 13
                                         << QStringLiteral("holds 1001 characters, but a line may hold at most 1000");
        QTest::addRow("instruction_line_too_long")
            << s + QStringList{QStringLiteral("[instructions]"), QString(5000, u'a')} << 19
            << QStringLiteral("holds 5000 characters");
        QTest::addRow("caption_too_long") << replaced(s, 2, QStringLiteral("https://kaz.test ") + QString(1000, u'a'))
                                          << 2 << QStringLiteral("holds 1017 characters");
        QTest::addRow("long_phrase_not_the_same_as_its_first_1000_characters")
            << replaced(replaced(s, 12, QString(1000, u'a') + u'b'), 13, QString(1000, u'a')) << 12
            << QStringLiteral("holds 1001 characters");
        QTest::addRow("control_character_in_phrase") << replaced(s, 10, QStringLiteral("Вар\x01на")) << 10
                                                     << QStringLiteral("invisible control character (character code 1)");
        QTest::addRow("nul_in_phrase") << replaced(s, 12, QStringLiteral("Ал") + QChar(0) + QStringLiteral("мус")) << 12
                                       << QStringLiteral("(character code 0, NUL)");
        QTest::addRow("delete_character_in_caption") << replaced(s, 2, QStringLiteral("https://kaz.test \x7f")) << 2
                                                     << QStringLiteral("character code 127");
        QTest::addRow("c1_control_in_number") << replaced(s, 3, QStringLiteral("11250\u0085")) << 3
                                              << QStringLiteral("character code 133");
        QTest::addRow("control_character_in_comment") << inserted(s, 1, {QStringLiteral("# бележка\x1b[0m")}) << 1
                                                      << QStringLiteral("character code 27");
    }
    void ruleReportsLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        QFETCH(QString, says);

        const ContentReader::Result result = ContentReader::read(joined(lines));
        QVERIFY2(result.problems.size() == 1, qPrintable(describe(result.problems)));
        const ContentReader::Problem &p = result.problems.first();
        QCOMPARE(p.line, line);
        QVERIFY2(p.message.contains(says), qPrintable(p.message));
        QCOMPARE(p.file, QStringLiteral("test.kaz"));
    }

    // Each problem tells the rule it breaks, the section and item of its line and of the line
    // its message names too, as a program that shows no lines (the editor) needs them.
    void problemsTellTheirPlace_data()
    {
        using R = ContentReader::Rule;
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line"); // of the problem looked at
        QTest::addColumn<R>("rule");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("other");

        const QStringList s = sound();
        QTest::addRow("phrase_twice_names_the_first")
            << replaced(s, 10, u"Лом"_s) << 10 << R::PhraseTwice << u"left 0 1"_s << u"left 0 0"_s;
        QTest::addRow("phrase_alike_but_for_spaces")
            << replaced(s, 13, u"Алмус "_s) << 13 << R::PhraseLooksSame << u"right 0 1"_s << u"right 0 0"_s;
        QTest::addRow("tab_in_a_right_phrase")
            << replaced(s, 12, u"Ал\tмус"_s) << 12 << R::TabInPhrase << u"right 0 0"_s << u"none"_s;
        QTest::addRow("control_character_in_the_caption")
            << replaced(s, 2, u"Про\u0001ба"_s) << 2 << R::ControlCharacter << u"parameters 0 0"_s << u"none"_s;
        QTest::addRow("window_too_narrow")
            << replaced(s, 3, u"9000"_s) << 3 << R::WindowTooNarrow << u"parameters 0 1"_s << u"none"_s;
        QTest::addRow("side_without_phrases_at_its_header")
            << removed(s, 9, 10) << 8 << R::NoPhrases << u"left 0 -1"_s << u"none"_s;
        // Blank lines are items of the instructions only.
        QTest::addRow("instructions_count_their_blank_lines")
            << inserted(s, 8, {u"[instructions]"_s, u"първи"_s, QString(), u"вто\u0001ри"_s}) << 11
            << R::ControlCharacter << u"instructions 0 2"_s << u"none"_s;
        QTest::addRow("explanation_line_of_question_2")
            << inserted(s, 14,
                        {u"[explanation switches]"_s, u"Обяснения"_s, u"0"_s, u"1"_s, u"[explanation 2]"_s,
                         u"ред"_s, QString(1001, u'я')})
            << 20 << R::LineTooLong << u"explanation 2 1"_s << u"none"_s;
        QTest::addRow("flag_label_that_is_a_number")
            << replaced(s, 15, u"0"_s) << 15 << R::LabelIsNumber << u"flags 0 0"_s << u"none"_s;
        QTest::addRow("flag_of_question_2") << replaced(s, 17, u"да"_s) << 17 << R::FlagNotNumber << u"flags 0 2"_s
                                           << u"none"_s;
        QTest::addRow("picture_key_twice")
            << inserted(s, 18, {u"[picture 1]"_s, u"width = 300"_s, u"width = 400"_s, u"file = a.png"_s}) << 20
            << R::PictureKeyTwice << u"picture 1 1"_s << u"picture 1 0"_s;
        // A note is no item: its line is the section's as a whole.
        QTest::addRow("note_under_a_side") << inserted(s, 10, {u"#не\u0002"_s}) << 10 << R::ControlCharacter
                                           << u"left 0 -1"_s << u"none"_s;
        // The lines under a header not taken belong to no section, not to the one before it.
        QTest::addRow("section_twice_names_the_first")
            << inserted(s, 14, {u"[left]"_s, u"Х"_s}) << 14 << R::SectionTwice << u"none"_s << u"left 0 -1"_s;
        QTest::addRow("line_under_a_section_twice")
            << inserted(s, 14, {u"[left]"_s, u"Х\u0003"_s}) << 15 << R::ControlCharacter << u"none"_s << u"none"_s;
        QTest::addRow("line_under_two_unknown_sections")
            << inserted(s, 14, {u"[нищо]"_s, u"[друго]"_s, u"Х\u0003"_s}) << 16 << R::ControlCharacter << u"none"_s
            << u"none"_s;
        QTest::addRow("section_after_unknown_ones")
            << inserted(s, 14, {u"[нищо]"_s, u"[друго]"_s, u"[instructions]"_s, u"Х\u0003"_s}) << 17
            << R::ControlCharacter << u"instructions 0 0"_s << u"none"_s;
        QTest::addRow("line_before_any_section")
            << inserted(s, 1, {u"текст"_s}) << 1 << R::LineBeforeSections << u"none"_s << u"none"_s;
        QTest::addRow("whole_file") << removed(s, 1, 7) << 0 << R::ParametersMissing << u"none"_s << u"none"_s;
    }

    void problemsTellTheirPlace()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        QFETCH(ContentReader::Rule, rule);
        QFETCH(QString, place);
        QFETCH(QString, other);
        const ContentReader::Result result = ContentReader::read(joined(lines));
        const auto p = std::find_if(result.problems.cbegin(), result.problems.cend(),
                                    [line](const ContentReader::Problem &p) { return p.line == line; });
        QVERIFY2(p != result.problems.cend(), qPrintable(describe(result.problems)));
        QCOMPARE(p->rule, rule);
        QCOMPARE(placeText(p->place), place);
        QCOMPARE(placeText(p->other), other);
        QCOMPARE(p->otherLine > 0, other != u"none");
    }

    // Without [left] a missing [picture flags] is still told, but not held to "0 questions".
    void missingFlagsWithoutLeft()
    {
        const ContentReader::Result result = ContentReader::read(joined(removed(removed(sound(), 14, 17), 8, 10)));
        QCOMPARE(result.problems.size(), 2);
        QVERIFY2(result.problems.at(0).message.contains(u"[left] is missing"), qPrintable(describe(result.problems)));
        QCOMPARE(result.problems.at(1).message, QStringLiteral("the section [picture flags] is missing; add it with a "
                                                               "label line and then one flag (0 or 1) for each question"));
    }

    void soundTestHasNoProblems()
    {
        const ContentReader::Result result = ContentReader::read(joined(sound()));
        QVERIFY2(result.ok(), qPrintable(describe(result.problems)));
    }

    void severalProblemsAllReported()
    {
        QStringList lines = replaced(sound(), 10, QStringLiteral("Лом"));
        lines = replaced(lines, 5, QStringLiteral("широко"));
        lines = replaced(lines, 17, QStringLiteral("да"));
        lines += {QStringLiteral("[answers]"), QStringLiteral("x"), QStringLiteral("[right]"), QStringLiteral("Русе")};
        const ContentReader::Result result = ContentReader::read(joined(lines));
        QList<int> reported;
        for (const ContentReader::Problem &p : result.problems)
            reported.append(p.line);
        std::sort(reported.begin(), reported.end());
        QCOMPARE(reported, QList<int>({5, 10, 17, 18, 20}));
        // The readable parts are still read.
        QCOMPARE(result.store.Danni(1), QStringList({QStringLiteral("Алмус"), QStringLiteral("Одесос")}));
    }

    void problemText_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::addRow("with_line") << QStringLiteral("figuri/test.kaz") << replaced(sound(), 10, QStringLiteral("\\"))
                                   << QStringLiteral("figuri/test.kaz:10: error: an empty phrase in [left]; write the "
                                                     "phrase, or delete the line");
        QTest::addRow("without_line") << QStringLiteral("a.kaz") << removed(sound(), 11, 13)
                                      << QStringLiteral("a.kaz: error: the section [right] is missing; add it with "
                                                        "one right phrase per line");
        // A forgotten label is told once; the lines after it count as the author meant them.
        QTest::addRow("switch_label_forgotten_told_once")
            << QStringLiteral("a.kaz")
            << sound() + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("0"), QStringLiteral("1"),
                                     QStringLiteral("[explanation 2]"), QStringLiteral("ред")}
            << QStringLiteral("a.kaz:19: error: the first line under [explanation switches] is a label for you, not "
                              "the switch of question 1, but it reads \"0\"; put a line of words (such as Questions) "
                              "above the switches, so that the switch of question 1 comes right after it");
        QTest::addRow("flag_label_forgotten_told_once")
            << QStringLiteral("a.kaz")
            << replaced(replaced(removed(sound(), 17, 17), 15, QStringLiteral("0")), 16, QStringLiteral("1"))
                   + QStringList{QStringLiteral("[picture 2]"), QStringLiteral("file = a.png")}
            << QStringLiteral("a.kaz:15: error: the first line under [picture flags] is a label for you, not the flag "
                              "of question 1, but it reads \"0\"; put a line of words (such as Questions) above the "
                              "flags, so that the flag of question 1 comes right after it");
    }
    void problemText()
    {
        QFETCH(QString, fileName);
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        ContentReader::Options options;
        options.fileName = fileName;
        const ContentReader::Result result = ContentReader::read(joined(lines), options);
        QVERIFY2(result.problems.size() == 1, qPrintable(describe(result.problems)));
        QCOMPARE(result.problems.first().toString(), expected);
    }

    void pictureFilesAreChecked()
    {
        const QStringList lines = sound() + QStringList{
            QStringLiteral("[picture 1]"), QStringLiteral("file = good.png"), QStringLiteral("width = 2000"),
            QStringLiteral("height = 1500"), QStringLiteral("[picture 2]"), QStringLiteral("file = bad.png")};
        ContentReader::Options options;
        options.pictureBase = QStringLiteral(":/pictures/");
        QStringList asked;
        options.checkPicture = [&asked](const QString &source) {
            asked.append(source);
            return source.endsWith(u"bad.png") ? QStringLiteral("not an image") : QString();
        };
        const ContentReader::Result result = ContentReader::read(joined(lines), options);
        QCOMPARE(asked, QStringList({QStringLiteral(":/pictures/good.png"), QStringLiteral(":/pictures/bad.png")}));
        QVERIFY2(result.problems.size() == 1, qPrintable(describe(result.problems)));
        QCOMPARE(result.problems.first().line, 23);
        QVERIFY(result.problems.first().message.contains(u"\"bad.png\" of question 2 cannot be used: not an image"));
        const ContentStore::Picture &p = result.store.Graphika(1);
        QCOMPARE(p.source, QStringLiteral(":/pictures/good.png"));
        QCOMPARE(p.width, 2000);
        QCOMPARE(p.height, 1500);
        QCOMPARE(result.store.Graphika(2).width, ContentStore::DefaultBoxWidth);
        QCOMPARE(result.store.Graphika(2).height, ContentStore::DefaultBoxHeight);
        QVERIFY(result.store.Graphika(3).source.isEmpty());
    }

    // The picture window shows a picture unscaled in its box (15 twips a pixel) and cuts
    // off what does not fit: a picture larger than its box is refused.
    void pictureMustFitItsBox_data()
    {
        QTest::addColumn<QStringList>("size");   // lines after "file = a.png"
        QTest::addColumn<QSize>("pixels");       // of the picture file
        QTest::addColumn<QString>("says");       // empty: no problem

        QTest::addRow("default_box_exactly") << QStringList() << QSize(113, 121) << QString();
        QTest::addRow("default_box_one_pixel_too_wide")
            << QStringList() << QSize(114, 121)
            << QStringLiteral("is 114 × 121 pixels, larger than its box of 113 × 121 pixels (width = 1695, height = "
                              "1815 twips, 15 twips a pixel), so part of it would be cut off; write width = 1710 and "
                              "height = 1815 in [picture 1]");
        QTest::addRow("given_box_exactly")
            << QStringList{QStringLiteral("width = 2400"), QStringLiteral("height = 2400")} << QSize(160, 160)
            << QString();
        QTest::addRow("given_box_too_low")
            << QStringList{QStringLiteral("width = 2400"), QStringLiteral("height = 2400")} << QSize(160, 200)
            << QStringLiteral("write width = 2400 and height = 3000");
        QTest::addRow("only_height_given_too_narrow")
            << QStringList{QStringLiteral("height = 3000")} << QSize(800, 200)
            << QStringLiteral("box of 113 × 200 pixels");
        QTest::addRow("smaller_picture_leaves_a_margin") << QStringList() << QSize(10, 10) << QString();
        QTest::addRow("box_rounded_to_pixels")
            << QStringList{QStringLiteral("width = 1702"), QStringLiteral("height = 1815")} << QSize(113, 121)
            << QString();
        QTest::addRow("size_not_known") << QStringList() << QSize() << QString();
    }
    void pictureMustFitItsBox()
    {
        QFETCH(QStringList, size);
        QFETCH(QSize, pixels);
        QFETCH(QString, says);
        const QStringList lines = replaced(sound(), 16, QStringLiteral("1"))
                                  + QStringList{QStringLiteral("[picture 1]"), QStringLiteral("file = a.png")} + size;
        ContentReader::Options options;
        options.checkPicture = [pixels](const QString &) { return ContentReader::PictureCheck({}, pixels); };
        const ContentReader::Result result = ContentReader::read(joined(lines), options);
        if (says.isEmpty()) {
            QVERIFY2(result.ok(), qPrintable(describe(result.problems)));
            return;
        }
        QVERIFY2(result.problems.size() == 1, qPrintable(describe(result.problems)));
        QCOMPARE(result.problems.first().line, 19);
        QVERIFY2(result.problems.first().message.contains(says), qPrintable(result.problems.first().message));
    }

    // A file that is not UTF-8 gives one problem that says how to save it again.
    void fileEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line"); // -1: the file is sound
        QTest::addColumn<QString>("says");

        const QByteArray utf8 = joined(sound()).toUtf8();
        QByteArray cp1251 = utf8;
        cp1251.replace(QStringLiteral("Варна").toUtf8(), QByteArray("\xC2\xE0\xF0\xED\xE0"));
        QByteArray twice = cp1251;
        twice.replace(QStringLiteral("Одесос").toUtf8(), QByteArray("\xCE\xE4\xE5\xF1\xEE\xF1"));
        QByteArray utf16(reinterpret_cast<const char *>(joined(sound()).utf16()), utf8.size() * 2);
        utf16.truncate(joined(sound()).size() * 2);

        QTest::addRow("utf8") << utf8 << -1 << QString();
        QTest::addRow("utf8_with_byte_order_mark") << QByteArray("\xEF\xBB\xBF") + utf8 << -1 << QString();
        QTest::addRow("windows_1251_line") << cp1251 << 10 << QStringLiteral("this line is not UTF-8 text; the file "
                                                                             "is probably saved as Windows-1251");
        QTest::addRow("two_windows_1251_lines") << twice << 10 << QStringLiteral("nor is one later line");
        QTest::addRow("windows_1251_with_cr_line_ends")
            << QByteArray(cp1251).replace('\n', '\r') << 10 << QStringLiteral("this line is not UTF-8 text");
        QTest::addRow("windows_1251_with_crlf_line_ends")
            << QByteArray(cp1251).replace("\n", "\r\n") << 10 << QStringLiteral("this line is not UTF-8 text");
        QTest::addRow("utf16_with_byte_order_mark") << QByteArray("\xFF\xFE") + utf16 << 0
                                                    << QStringLiteral("saved as UTF-16");
        QTest::addRow("utf16_without_byte_order_mark") << utf16 << 0 << QStringLiteral("saved as UTF-16");
        QTest::addRow("word_document") << QByteArray("PK\x03\x04\x14\0\x06\0") + utf8 << 0
                                       << QStringLiteral("a word processor's document");
        QTest::addRow("old_word_document") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + utf8 << 0
                                           << QStringLiteral("a word processor's document");
        QTest::addRow("wordpad_rich_text") << QByteArray("{\\rtf1\\ansi ") + utf8 + "}" << 0
                                           << QStringLiteral("rich text (RTF");
        QByteArray utf16be;
        for (const QChar c : joined(sound()))
            utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        QByteArray large = utf8 + '#' + QByteArray(ContentReader::MaxFileBytes, 'a');
        QTest::addRow("utf16_big_endian_without_byte_order_mark") << utf16be << 0 << QStringLiteral("saved as UTF-16");
        QTest::addRow("utf16_big_endian_with_byte_order_mark") << QByteArray("\xFE\xFF") + utf16be << 0
                                                               << QStringLiteral("saved as UTF-16");
        QTest::addRow("larger_than_a_test_may_be") << large << 0
                                                   << QStringLiteral("larger than the 8.0 MB a test may have");
        QTest::addRow("cut_in_the_middle_of_a_letter") << utf8.left(utf8.indexOf("Варна") + 3) << 10
                                                       << QStringLiteral("not UTF-8");
    }
    void fileEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, says);
        const ContentReader::Result result = ContentReader::readBytes(bytes);
        if (line < 0) {
            QVERIFY2(result.ok(), qPrintable(describe(result.problems)));
            QCOMPARE(result.store.Danni(0), QStringList({QStringLiteral("Лом"), QStringLiteral("Варна")}));
            return;
        }
        QVERIFY2(result.problems.size() == 1, qPrintable(describe(result.problems)));
        QCOMPARE(result.problems.first().line, line);
        QVERIFY2(result.problems.first().message.contains(says), qPrintable(result.problems.first().message));
        QVERIFY(result.store.Danni(0).isEmpty());
    }

    // A NUL in a UTF-8 file is named on its line, and the rest of the file is read: only a file
    // whose NULs stand as in UTF-16 text, with a section header so read, is taken for UTF-16.
    void nulInUtf8File_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("lines");

        const QByteArray utf8 = joined(sound()).toUtf8();
        const auto nuls = [&utf8](const QList<std::pair<const char *, QByteArray>> &changes) {
            QByteArray b = utf8;
            for (const auto &[from, to] : changes)
                b.replace(from, to);
            return b;
        };
        const QByteArray nul(1, '\0');
        QTest::addRow("one_nul") << nuls({{"Варна", "Ва" + nul + "рна"}}) << QList<int>{10};
        QTest::addRow("two_nuls_two_apart") << nuls({{"Варна", "Вар" + nul + ' ' + nul + "на"}}) << QList<int>{10};
        QTest::addRow("nuls_after_two_line_ends")
            << nuls({{"\nВарна", '\n' + nul + "Варна"}, {"\nОдесос", '\n' + nul + "Одесос"}}) << QList<int>{10, 13};
        QTest::addRow("nul_ends_the_file") << utf8 + nul << QList<int>{18};
    }
    void nulInUtf8File()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, lines);
        const ContentReader::Result result = ContentReader::readBytes(bytes);
        QList<int> reported;
        for (const ContentReader::Problem &p : result.problems) {
            reported.append(p.line);
            QVERIFY2(p.message.contains(QStringLiteral("(character code 0, NUL)")), qPrintable(p.message));
        }
        QCOMPARE(reported, lines);
        QCOMPARE(result.store.Danni(1).size(), 2);
    }

    void problemsComeInFileOrder()
    {
        QStringList lines = removed(sound(), 11, 13); // no [right]: a problem of the whole file
        lines = replaced(lines, 14, QStringLiteral("да"));
        lines = replaced(lines, 3, QStringLiteral("широко"));
        lines = inserted(lines, 1, {QStringLiteral("[ляво]")});
        const ContentReader::Result result = ContentReader::read(joined(lines));
        QList<int> reported;
        for (const ContentReader::Problem &p : result.problems)
            reported.append(p.line);
        QCOMPARE(reported, QList<int>({0, 1, 4, 15}));
    }

    // A side holds at most 32767 phrases. One more is told once, at the side's header, and not
    // read: the store keeps the first 32767.
    void phrasesAtTheLimit_data()
    {
        QTest::addColumn<int>("phrases");
        QTest::addColumn<QStringList>("problems");
        QTest::addRow("sides_of_32767_phrases_accepted") << 32767 << QStringList();
        QTest::addRow("sides_of_32768_phrases_one_problem_each")
            << 32768
            << QStringList{QStringLiteral("test.kaz:8: error: [left] has 32768 phrases; a side may hold at most 32767"),
                           QStringLiteral("test.kaz:32777: error: [right] has 32768 phrases; a side may hold at most 32767")};
    }
    void phrasesAtTheLimit()
    {
        QFETCH(int, phrases);
        QFETCH(QStringList, problems);
        QStringList lines = sound().mid(0, 7);
        for (const QString &side : {QStringLiteral("[left]"), QStringLiteral("[right]")}) {
            lines.append(side);
            for (int i = 1; i <= phrases; ++i)
                lines.append(side.mid(1, 1) + QString::number(i));
        }
        lines += QStringList{QStringLiteral("[picture flags]"), QStringLiteral("Флагове")} + repeated(QStringLiteral("0"), phrases);
        const ContentReader::Result result = ContentReader::read(joined(lines));
        QCOMPARE(describe(result.problems), problems.join(u'\n'));
        QCOMPARE(result.store.Danni(0).size(), ContentReader::MaxPhrases);
        QCOMPARE(result.store.Danni(1).last(), QStringLiteral("r32767"));
    }

    // Every other section stops at its limit as well: 1000 lines of the instructions and of each
    // explanation, a label and one line for each of 32767 questions under the switches and the
    // flags. Blank lines at the end of the instructions are no lines of them.
    void sectionLinesAtTheLimit_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("kept");

        const QStringList s = sound();
        const QStringList most = repeated(QStringLiteral("ред"), ContentReader::MaxTextLines);
        const QStringList instructions{QStringLiteral("[instructions]")};
        QTest::addRow("instructions_of_1000_lines_accepted") << s + instructions + most << QString()
                                                             << QStringLiteral("instructions") << 1000;
        QTest::addRow("blank_lines_after_the_instructions_not_counted")
            << s + instructions + most + repeated(QString(), 3) << QString() << QStringLiteral("instructions") << 1000;
        QTest::addRow("instructions_of_1001_lines")
            << s + instructions + most + QStringList{QStringLiteral("ред")}
            << QStringLiteral("test.kaz:18: error: [instructions] has 1001 lines, but it may hold at most 1000; "
                              "delete the lines it does not need")
            << QStringLiteral("instructions") << 1000;
        QTest::addRow("explanation_of_1001_lines")
            << s + QStringList{QStringLiteral("[explanation 1]")} + most + QStringList{QStringLiteral("ред")}
            << QStringLiteral("test.kaz:18: error: [explanation 1] has 1001 lines, but it may hold at most 1000; "
                              "delete the lines it does not need")
            << QStringLiteral("explanation 1") << 1000;
        // More flags than questions are allowed, up to question 32767.
        QTest::addRow("flags_up_to_question_32767_accepted")
            << s.mid(0, 15) + repeated(QStringLiteral("0"), 32767) << QString() << QStringLiteral("flags") << 32768;
        QTest::addRow("flags_past_question_32767")
            << s.mid(0, 15) + repeated(QStringLiteral("0"), 32768)
            << QStringLiteral("test.kaz:14: error: [picture flags] has 32769 lines, more than its label and one line "
                              "for each of at most 32767 questions; delete the lines past question 32767")
            << QStringLiteral("flags") << 32768;
        QTest::addRow("switches_past_question_32767")
            << s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения")}
                   + repeated(QStringLiteral("0"), 32768)
            << QStringLiteral("test.kaz:18: error: [explanation switches] has 32769 lines, more than its label and "
                              "one line for each of at most 32767 questions; delete the lines past question 32767")
            << QStringLiteral("switches") << 32768;
    }
    void sectionLinesAtTheLimit()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, problem);
        QFETCH(QString, piece);
        QFETCH(int, kept);
        const ContentReader::Result result = ContentReader::read(joined(lines));
        QCOMPARE(describe(result.problems), problem);
        const QStringList read = ::piece(result.store, piece);
        QCOMPARE(piece == u"instructions" ? read.first().count(QStringLiteral("\r\n")) : read.size(), kept);
    }

    // A file wrong on every one of its lines keeps the first MaxProblems problems in the order of
    // the file, whenever the reader finds them, and counts the rest.
    void problemsPastTheLimitAreCounted()
    {
        constexpr int wrong = 250000;
        // Line 10 repeats line 9, found only after every line of the file is read.
        const QStringList lines = replaced(sound(), 10, QStringLiteral("Лом")) + repeated(QStringLiteral("[x"), wrong);
        const ContentReader::Result result = ContentReader::read(joined(lines));
        QCOMPARE(result.problems.size(), ContentReader::MaxProblems);
        QCOMPARE(result.moreProblems, wrong + 1 - ContentReader::MaxProblems);
        QVERIFY2(result.problems.first().message.contains(u"\"Лом\" is already on line 9"),
                 qPrintable(result.problems.first().toString()));
        QCOMPARE(result.problems.at(1).line, 18);
        QVERIFY2(result.problems.at(1).message.contains(u"starts with [ but is not a section header"),
                 qPrintable(result.problems.at(1).toString()));
        QCOMPARE(result.problems.last().line, 18 + ContentReader::MaxProblems - 2);
        QVERIFY(std::is_sorted(result.problems.cbegin(), result.problems.cend(),
                               [](const ContentReader::Problem &a, const ContentReader::Problem &b) { return a.line < b.line; }));
    }

    // What a sound file turns into, item by item.
    void readingRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<QStringList>("expected");

        const QStringList s = sound();
        const QStringList two = {QStringLiteral("Лом"), QStringLiteral("Варна")};
        QTest::addRow("comment_line_skipped") << joined(inserted(s, 10, {QStringLiteral("# Варна е на морето")}))
                                              << QStringLiteral("left") << two;
        QTest::addRow("blank_lines_skipped") << joined(inserted(s, 10, {QString(), QStringLiteral("   ")}))
                                             << QStringLiteral("left") << two;
        QTest::addRow("backslash_keeps_hash") << joined(replaced(s, 10, QStringLiteral("\\# Варна")))
                                              << QStringLiteral("left") << QStringList{QStringLiteral("Лом"), QStringLiteral("# Варна")};
        QTest::addRow("only_first_backslash_dropped") << joined(replaced(s, 10, QStringLiteral("\\\\Варна")))
                                                      << QStringLiteral("left") << QStringList{QStringLiteral("Лом"), QStringLiteral("\\Варна")};
        QTest::addRow("spaces_kept") << joined(replaced(s, 10, QStringLiteral(" Варна ")))
                                     << QStringLiteral("left") << QStringList{QStringLiteral("Лом"), QStringLiteral(" Варна ")};
        QTest::addRow("crlf_line_ends") << joined(s, QStringLiteral("\r\n")) << QStringLiteral("right")
                                        << QStringList{QStringLiteral("Алмус"), QStringLiteral("Одесос")};
        QTest::addRow("no_newline_at_end") << s.join(u'\n') << QStringLiteral("flags")
                                           << QStringList{QStringLiteral("Флагове"), QStringLiteral("0"), QStringLiteral("0")};
        QTest::addRow("cr_line_ends") << joined(s, QStringLiteral("\r")) << QStringLiteral("left") << two;
        QTest::addRow("explanation_header_without_space")
            << joined(s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения"),
                                      QStringLiteral("1"), QStringLiteral("[Explanation1]"), QStringLiteral("ред")})
            << QStringLiteral("explanation 1") << QStringList{QStringLiteral("ред")};
        QTest::addRow("explanation_number_with_plus_sign")
            << joined(s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения"),
                                      QStringLiteral("1"), QStringLiteral("[explanation +1]"), QStringLiteral("ред")})
            << QStringLiteral("explanation 1") << QStringList{QStringLiteral("ред")};
        QTest::addRow("mixed_line_ends") << s.mid(0, 9).join(u'\n') + u'\r' + s.mid(9, 4).join(QStringLiteral("\r\n"))
                                                + u'\n' + s.mid(13).join(u'\r') + u'\r'
                                         << QStringLiteral("right")
                                         << QStringList{QStringLiteral("Алмус"), QStringLiteral("Одесос")};
        QTest::addRow("picture_name_in_capitals_allowed")
            << joined(s + QStringList{QStringLiteral("[picture 1]"), QStringLiteral("file = Карта.PNG")})
            << QStringLiteral("left") << two;
        QTest::addRow("byte_order_mark") << QString(QChar(0xFEFF)) + joined(s) << QStringLiteral("parameters")
                                         << s.mid(1, 6);
        QTest::addRow("header_case_and_blanks") << joined(replaced(s, 8, QStringLiteral(" [ Left ] "))) << QStringLiteral("left") << two;
        QTest::addRow("instructions_keep_inner_blank_lines")
            << joined(s + QStringList{QStringLiteral("[instructions]"), QStringLiteral("Ред 1 "), QString(),
                                      QStringLiteral("Ред 3"), QString(), QString()})
            << QStringLiteral("instructions") << QStringList{QStringLiteral("Ред 1 \r\n\r\nРед 3\r\n")};
        QTest::addRow("instructions_backslash_keeps_last_empty_line")
            << joined(s + QStringList{QStringLiteral("[instructions]"), QStringLiteral("Ред 1"), QStringLiteral("\\")})
            << QStringLiteral("instructions") << QStringList{QStringLiteral("Ред 1\r\n\r\n")};
        QTest::addRow("no_instructions") << joined(s) << QStringLiteral("instructions") << QStringList{QString()};
        QTest::addRow("explanation_lines")
            << joined(s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения"),
                                      QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("[explanation 2]"),
                                      QStringLiteral("Варна"), QStringLiteral("\\"), QStringLiteral("  Одесос")})
            << QStringLiteral("explanation 2") << QStringList{QStringLiteral("Варна"), QString(), QStringLiteral("  Одесос")};
        QTest::addRow("switches_off_above_30_allowed")
            << joined(s + QStringList{QStringLiteral("[explanation switches]"), QStringLiteral("Обяснения"),
                                      QStringLiteral("-1")} + repeated(QStringLiteral("0"), 31))
            << QStringLiteral("switches") << QStringList{QStringLiteral("Обяснения"), QStringLiteral("-1")} + repeated(QStringLiteral("0"), 31);
        QTest::addRow("flags_zero_above_30_allowed") << joined(s + repeated(QStringLiteral("0"), 30)) << QStringLiteral("flags")
                                                     << QStringList{QStringLiteral("Флагове")} + repeated(QStringLiteral("0"), 32);
        QTest::addRow("left_edge_zero_allowed") << joined(replaced(s, 4, QStringLiteral("0"))) << QStringLiteral("parameters")
                                                << replaced(s, 4, QStringLiteral("0")).mid(1, 6);
        QTest::addRow("phrase_of_1000_characters_allowed")
            << joined(replaced(s, 10, QString(1000, u'я'))) << QStringLiteral("left")
            << QStringList{QStringLiteral("Лом"), QString(1000, u'я')};
        QTest::addRow("escaped_phrase_of_1000_characters_allowed")
            << joined(replaced(s, 10, u'\\' + QString(1000, u'#'))) << QStringLiteral("left")
            << QStringList{QStringLiteral("Лом"), QString(1000, u'#')};
        QTest::addRow("long_comment_allowed") << joined(inserted(s, 1, {u'#' + QString(5000, u'a')}))
                                              << QStringLiteral("left") << two;
        QTest::addRow("tab_in_instructions_allowed")
            << joined(s + QStringList{QStringLiteral("[instructions]"), QStringLiteral("а\tб")})
            << QStringLiteral("instructions") << QStringList{QStringLiteral("а\tб\r\n")};
        QTest::addRow("narrowest_lists_allowed")
            << joined(replaced(replaced(s, 5, QStringLiteral("600")), 7, QStringLiteral("600")))
            << QStringLiteral("parameters")
            << QStringList{QStringLiteral("https://kaz.test Проба"), QStringLiteral("11250"), QStringLiteral("120"),
                           QStringLiteral("600"), QStringLiteral("3360"), QStringLiteral("600")};
        QTest::addRow("more_left_than_right") << joined(inserted(s, 11, {QStringLiteral("Русе")}) + QStringList{QStringLiteral("0")})
                                              << QStringLiteral("left") << QStringList{QStringLiteral("Лом"), QStringLiteral("Варна"), QStringLiteral("Русе")};
    }
    void readingRules()
    {
        QFETCH(QString, text);
        QFETCH(QString, piece);
        QFETCH(QStringList, expected);
        const ContentReader::Result result = ContentReader::read(text);
        QVERIFY2(result.ok(), qPrintable(describe(result.problems)));
        QCOMPARE(::piece(result.store, piece), expected);
    }

    // Round trips (writer, GIFT import, fuzzing) rely on equality seeing every part of a store.
    void storesDifferInAnyPart()
    {
        const ContentStore base = ContentReader::read(joined(sound())).store;
        QVERIFY(base == ContentReader::read(joined(sound())).store);
        const std::function<void(ContentStore &)> edits[] = {
            [](ContentStore &s) { s.setDanni(1, s.Danni(1) + QStringList{QStringLiteral("Бдин")}); },
            [](ContentStore &s) { s.setDanni(3, QStringList(s.Danni(3)).replaceInStrings(QStringLiteral("Проба"), QStringLiteral("Тест"))); },
            [](ContentStore &s) { s.setOtgowor(2, {QStringLiteral("ред")}); },
            [](ContentStore &s) { s.setUkazanie(s.Ukazanie() + u' '); },
            [](ContentStore &s) { s.setSpis_graf(s.Spis_graf() + QStringList{QStringLiteral("0")}); },
            [](ContentStore &s) { s.setGraphika(1, {s.Graphika(1).source, s.Graphika(1).width + 15, s.Graphika(1).height}); },
        };
        for (const auto &edit : edits) {
            ContentStore changed = base;
            edit(changed);
            QVERIFY(!(changed == base));
        }
    }

    void codeOfFindsFirstEqualText_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addRow("first_of_two_equal_texts") << 0 << QStringLiteral("Лом") << 1;
        QTest::addRow("between_the_equal_texts") << 0 << QStringLiteral("Варна") << 2;
        QTest::addRow("right_side_on_its_own") << 1 << QStringLiteral("Лом") << 2;
        QTest::addRow("case_matters") << 0 << QStringLiteral("лом") << 0;
        QTest::addRow("spaces_matter") << 0 << QStringLiteral("Лом ") << 0;
        QTest::addRow("empty_text_not_a_phrase") << 0 << QString() << 0;
        QTest::addRow("no_such_side") << 2 << QStringLiteral("Лом") << 0;
    }
    void codeOfFindsFirstEqualText()
    {
        QFETCH(int, side);
        QFETCH(QString, text);
        QFETCH(int, code);
        ContentStore store;
        store.setDanni(0, {QStringLiteral("Лом"), QStringLiteral("Варна"), QStringLiteral("Лом")});
        store.setDanni(1, {QStringLiteral("Алмус"), QStringLiteral("Лом")});
        QCOMPARE(store.codeOf(side, text), code);

        // The reader keeps the list of a faulty file as written, so the same holds there.
        const QString file = joined(inserted(sound(), 11, {QStringLiteral("Лом")}));
        const ContentReader::Result read = ContentReader::read(file);
        QCOMPARE(read.store.Danni(0), store.Danni(0));
        if (side == 0)
            QCOMPARE(read.store.codeOf(0, text), code);
    }

    void readsOutsideTheStoreGiveEmptyContent()
    {
        const auto store = TestContent::shipped();
        QCOMPARE(ContentStore::item(store->Danni(1), 21), QString());
        QCOMPARE(ContentStore::item(store->Danni(1), -1), QString());
        QVERIFY(store->Danni(4).isEmpty());
        QVERIFY(store->Otgowor(-1).isEmpty());
        QVERIFY(store->Graphika(31).source.isEmpty());
        QCOMPARE(store->Graphika(31).width, ContentStore::DefaultBoxWidth);
    }
};

QTEST_GUILESS_MAIN(TestContentStore)
#include "tst_content.moc"
