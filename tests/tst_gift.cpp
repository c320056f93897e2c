#include "ContentReader.h"
#include "ContentStore.h"
#include "ContentWriter.h"
#include "Gift.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One question as "title | text lines / … | left; … | right; …", so a row states it at a glance.
QString flat(const Gift::Matching &q)
{
    return q.title + QStringLiteral(" | ") + q.text.join(QStringLiteral(" / ")) + QStringLiteral(" | ")
           + q.left.join(QStringLiteral("; ")) + QStringLiteral(" | ") + q.right.join(QStringLiteral("; "));
}

QStringList flat(const Gift::Result &r)
{
    QStringList out;
    for (const Gift::Matching &q : r.questions)
        out.append(flat(q));
    return out;
}

QString messages(const QList<Gift::Message> &list)
{
    QStringList out;
    for (const Gift::Message &m : list)
        out.append(m.toString(QStringLiteral("f"), "m"));
    return out.join(u'\n');
}

} // namespace

class TestGift : public QObject
{
    Q_OBJECT

private slots:
    void readsMatchingQuestions_data();
    void readsMatchingQuestions();
    void skipsOtherTypes_data();
    void skipsOtherTypes();
    void reportsFaults_data();
    void reportsFaults();
    void readsBytes_data();
    void readsBytes();
    void sampleBecomesSoundTests();
    void convertedQuestionsPassTheChecker_data();
    void convertedQuestionsPassTheChecker();
    void writerRoundTrip_data();
    void writerRoundTrip();
    void folderNames_data();
    void folderNames();
    void rightPartsAtTheLimit_data();
    void rightPartsAtTheLimit();
    void numberedFolderNames_data();
    void numberedFolderNames();
    void manyQuestionsOfOneTitleNamedQuickly();
    void writesFoldersWithoutOverwriting();
    void categoriesCarried();
    void generalFeedbackExplainsThePairs_data();
    void generalFeedbackExplainsThePairs();
};

// Moodle's general feedback, after "####", becomes the pairs' explanations as in Moodle XML:
// under headings "left:", by the pair a line starts with, or for every pair; one longer than an
// explanation may be is a warning, and the question is read without it.
void TestGift::generalFeedbackExplainsThePairs_data()
{
    QTest::addColumn<QString>("feedback");
    QTest::addColumn<QList<QStringList>>("explanations");
    QTest::addColumn<bool>("warned");
    QTest::addRow("headings") << u"a\\:\\nпърво\\nb c – не е b\\nb c\\:\\nтрето"_qs
                              << QList<QStringList>{{u"първо"_qs, u"b c – не е b"_qs}, {}, {u"трето"_qs}} << false;
    QTest::addRow("by_start") << u"b – второ\\nоще"_qs << QList<QStringList>{{}, {u"b – второ"_qs, u"още"_qs}, {}} << false;
    QTest::addRow("every_pair") << u"Браво"_qs << QList<QStringList>(3, QStringList{u"Браво"_qs}) << false;
    QTest::addRow("html") << u"[html]<p>a\\:</p><p>x &amp; y</p>"_qs << QList<QStringList>{{u"x & y"_qs}, {}, {}} << false;
    QTest::addRow("too_long") << QString(1001, u'x') << QList<QStringList>() << true;
}

void TestGift::generalFeedbackExplainsThePairs()
{
    QFETCH(QString, feedback);
    QFETCH(QList<QStringList>, explanations);
    QFETCH(bool, warned);
    const Gift::Result r = Gift::read(u"::T::Q{\n=a -> 1\n=b -> 2\n=b c -> 3\n####"_qs + feedback + u"\n}"_qs);
    QVERIFY2(r.ok() && r.questions.size() == 1, qPrintable(messages(r.errors)));
    QCOMPARE(r.questions.first().right, (QStringList{u"1"_qs, u"2"_qs, u"3"_qs}));
    QCOMPARE(r.questions.first().explanations, explanations);
    QCOMPARE(r.warnings.isEmpty(), !warned);
}

// A $CATEGORY: line gives the category of the questions after it, skipped ones too, as Moodle's
// question bank names it.
void TestGift::categoriesCarried()
{
    // A control character, which no line of a test may hold, becomes a space.
    QCOMPARE(Gift::categoryName(u"$course$/top/Хим\u007Fия/\u0001Соли"_qs), u"Хим ия/ Соли"_qs);
    QVERIFY(ContentReader::read(Gift::toContent([] {
                Gift::Matching m;
                m.title = u"T"_qs;
                m.left = {u"a"_qs, u"b"_qs, u"c"_qs};
                m.right = {u"1"_qs, u"2"_qs, u"3"_qs};
                m.category = Gift::categoryName(u"$course$/top/x\u007Fy"_qs);
                return m;
            }()))
                .ok());
    const Gift::Result r = Gift::read(u"::A::x{=a -> 1 =b -> 2 =c -> 3}\n\n$CATEGORY: $course$/top/Химия/Соли\n\n"
                                       "::B::y{=a -> 1 =b -> 2 =c -> 3}\n\n::C::z{=yes ~no}\n"_qs);
    QVERIFY(r.ok());
    QCOMPARE(r.questions.size(), 2);
    QCOMPARE(r.questions.at(0).category, QString());
    QCOMPARE(r.questions.at(1).category, u"Химия/Соли"_qs);
    QCOMPARE(r.skipped.first().category, u"Химия/Соли"_qs);
    QVERIFY(Gift::toContent(r.questions.at(1)).contains(u"# Category in Moodle: Химия/Соли"_qs));
}

void TestGift::readsMatchingQuestions_data()
{
    QTest::addColumn<QString>("gift");
    QTest::addColumn<QStringList>("questions");

    QTest::addRow("cyrillic_with_distractors")
        << QStringLiteral("::Градове::Свържете градовете. {\n=Пловдив -> Филипополис\n=София -> Сердика\n"
                          "=Варна -> Одесос\n= -> Августа Траяна\n}\n")
        << QStringList{QStringLiteral("Градове | Свържете градовете. | Пловдив; София; Варна | "
                                      "Филипополис; Сердика; Одесос; Августа Траяна")};
    QTest::addRow("distractor_before_pairs_goes_last")
        << QStringLiteral("::T::Q{= -> x =a -> 1 =b -> 2 =c -> 3}")
        << QStringList{QStringLiteral("T | Q | a; b; c | 1; 2; 3; x")};
    QTest::addRow("escapes")
        << QStringLiteral("::Ratio 1\\:2::Pick \\{one\\} \\~ \\= \\# \\\\ done\\nnext line{\n"
                          "=a\\=b -> c\\~d\n=e\\{f\\} -> g\\#h\n=i\\:j -> k\\\\l\n}")
        << QStringList{QStringLiteral("Ratio 1:2 | Pick {one} ~ = # \\ done / next line | a=b; e{f}; i:j | "
                                      "c~d; g#h; k\\l")};
    QTest::addRow("comments_category_and_addresses")
        << QStringLiteral("// a comment before\n$CATEGORY: $course$/Тест\n\n::T::See https://example.org/a{\n"
                          "// inside the answers\n=a -> 1\n  // indented\n=b -> http://x.org/2\n=c -> 3\n}\n")
        << QStringList{QStringLiteral("T | See https://example.org/a | a; b; c | 1; http://x.org/2; 3")};
    QTest::addRow("two_questions_blank_lines_between")
        << QStringLiteral("\n\n::A::x{=1 -> 2 =3 -> 4 =5 -> 6}\n\n\n  \n::B::y{=7 -> 8 =9 -> 10 =11 -> 12}\n\n")
        << QStringList{QStringLiteral("A | x | 1; 3; 5 | 2; 4; 6"), QStringLiteral("B | y | 7; 9; 11 | 8; 10; 12")};
    QTest::addRow("html_text_and_left_parts")
        << QStringLiteral("::H::[html]<p>Match &amp; <b>learn</b></p><p>Line&nbsp;two &#1071; &#x44F;</p>{\n"
                          "=[html]<i>x</i> &lt;1 -> one\n=y -> two\n=z -> three}")
        << QStringList{QStringLiteral("H | Match & learn / Line two Я я | x <1; y; z | one; two; three")};
    QTest::addRow("moodle_format_marker_dropped")
        << QStringLiteral("::M::[moodle]Text{=a -> 1 =b -> 2 =c -> 3}")
        << QStringList{QStringLiteral("M | Text | a; b; c | 1; 2; 3")};
    // A title made of the text is one line with single spaces, as a written one is.
    QTest::addRow("no_title_uses_text_spaces_made_single")
        << QStringLiteral("Свържете   думите\tтук{=a -> 1 =b -> 2 =c -> 3}")
        << QStringList{QStringLiteral("Свържете думите тук | Свържете   думите\tтук | a; b; c | 1; 2; 3")};
    QTest::addRow("no_title_uses_text")
        << QStringLiteral("Свържете думите\nот двете страни{=a -> 1 =b -> 2 =c -> 3}")
        << QStringList{QStringLiteral("Свържете думите | Свържете думите / от двете страни | a; b; c | 1; 2; 3")};
    QTest::addRow("spaces_and_line_breaks_in_phrases")
        << QStringLiteral("::T::Q{\n=  left   part\n  goes on -> right\n   part \n=b->2\n=c ->3}")
        << QStringList{QStringLiteral("T | Q | left part goes on; b; c | right part; 2; 3")};
    QTest::addRow("general_feedback_not_a_pair")
        << QStringLiteral("::T::Q{=a -> 1 =b -> 2 =c -> 3 ####Well done}")
        << QStringList{QStringLiteral("T | Q | a; b; c | 1; 2; 3")};
    QTest::addRow("text_after_the_answers")
        << QStringLiteral("::T::Before{=a -> 1 =b -> 2 =c -> 3} after.")
        << QStringList{QStringLiteral("T | Before after. | a; b; c | 1; 2; 3")};
    QTest::addRow("crlf_and_bom")
        << QStringLiteral("\uFEFF::T::Q{\r\n=a -> 1\r\n=b -> 2\r\n=c -> 3\r\n}\r\n")
        << QStringList{QStringLiteral("T | Q | a; b; c | 1; 2; 3")};
    QTest::addRow("lone_cr_line_ends")
        << QStringLiteral("::T::one\rtwo{\r=a -> 1\r=b -> 2\r=c -> 3\r}\r\r::U::x{=d -> 4 =e -> 5 =f -> 6}")
        << QStringList{QStringLiteral("T | one / two | a; b; c | 1; 2; 3"), QStringLiteral("U | x | d; e; f | 4; 5; 6")};
    QTest::addRow("control_character_entities_stay_as_written")
        << QStringLiteral("::T::[html]a&#1;b&#x7f;c&#9;d{=a -> 1 =b -> 2 =c -> 3}")
        << QStringList{QStringLiteral("T | a&#1;b&#x7f;c\td | a; b; c | 1; 2; 3")};
    QTest::addRow("arrow_inside_right_part")
        << QStringLiteral("::T::Q{=a -> 1 -> 2 =b -> 3 =c -> 4}")
        << QStringList{QStringLiteral("T | Q | a; b; c | 1 -> 2; 3; 4")};
}

void TestGift::readsMatchingQuestions()
{
    QFETCH(QString, gift);
    QFETCH(QStringList, questions);
    const Gift::Result r = Gift::read(gift);
    QVERIFY2(r.ok(), qPrintable(messages(r.errors)));
    QVERIFY2(r.notes.isEmpty(), qPrintable(messages(r.notes)));
    QCOMPARE(flat(r), questions);
}

void TestGift::skipsOtherTypes_data()
{
    QTest::addColumn<QString>("gift");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("kind");

    const QString match = QStringLiteral("::M::m{=a -> 1 =b -> 2 =c -> 3}\n\n");
    QTest::addRow("multiple_choice") << match + QStringLiteral("::Q::Коя?{=Плиска ~Преслав ~Търново}") << 3
                                     << QStringLiteral("multiple-choice question \"Q\"");
    QTest::addRow("multiple_choice_with_arrow") << match + QStringLiteral("::Q::x{=a -> b ~c}") << 3
                                                << QStringLiteral("multiple-choice");
    QTest::addRow("true_false") << match + QStringLiteral("// c\n::Q::Земята е кръгла.{T}") << 4
                                << QStringLiteral("true/false");
    QTest::addRow("true_false_feedback") << match + QStringLiteral("::Q::x{FALSE#не}") << 3
                                         << QStringLiteral("true/false");
    QTest::addRow("short_answer") << match + QStringLiteral("::Q::Две плюс две?{=четири =4}") << 3
                                  << QStringLiteral("short-answer");
    QTest::addRow("numerical") << match + QStringLiteral("\n::Q::Година?{#681}") << 4
                               << QStringLiteral("numerical");
    QTest::addRow("essay") << match + QStringLiteral("::Q::Опишете.{}") << 3 << QStringLiteral("essay");
    QTest::addRow("description") << match + QStringLiteral("Само текст, без отговори.") << 3
                                 << QStringLiteral("description");
    QTest::addRow("escaped_braces_only") << match + QStringLiteral("::Q::Set \\{a -> b\\}") << 3
                                         << QStringLiteral("description");
}

void TestGift::skipsOtherTypes()
{
    QFETCH(QString, gift);
    QFETCH(int, line);
    QFETCH(QString, kind);
    const Gift::Result r = Gift::read(gift);
    QVERIFY2(r.ok(), qPrintable(messages(r.errors)));
    QCOMPARE(r.questions.size(), 1);
    QCOMPARE(r.notes.size(), 1);
    QCOMPARE(r.notes.first().line, line);
    QVERIFY2(r.notes.first().text.contains(kind), qPrintable(r.notes.first().text));
}

void TestGift::reportsFaults_data()
{
    QTest::addColumn<QString>("gift");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("words");

    QTest::addRow("unclosed_brace") << QStringLiteral("::T::Q\n{\n=a -> 1\n=b -> 2\n=c -> 3\n") << 2
                                    << QStringLiteral("never closed");
    QTest::addRow("blank_line_inside_answers")
        << QStringLiteral("::T::Q{\n=a -> 1\n\n=b -> 2\n\n=c -> 3\n}\n\n::U::{=d -> 4 =e -> 5 =f -> 6}") << 3
        << QStringLiteral("blank line inside the answers of the question on line 1");
    QTest::addRow("unclosed_brace_swallows_the_rest")
        << QStringLiteral("::T::Q{\n=a -> 1\n\n::U::R\n\n// c\n") << 1 << QStringLiteral("never closed");
    QTest::addRow("closing_brace_without_opening") << QStringLiteral("::T::Q\n=a -> 1 }") << 2
                                                   << QStringLiteral("without an opening");
    QTest::addRow("brace_inside_answers") << QStringLiteral("::T::Q{\n=a -> 1\n=b -> {2\n=c -> 3}") << 3
                                          << QStringLiteral("second \"{\" inside the answers opened on line 1");
    QTest::addRow("two_answer_blocks")
        << QStringLiteral("::T::Q{=a -> 1 =b -> 2 =c -> 3}\n::U::R{=d -> 4 =e -> 5 =f -> 6}") << 2
        << QStringLiteral("second answer block");
    QTest::addRow("unclosed_title") << QStringLiteral("\n::Title: Q{=a -> 1 =b -> 2 =c -> 3}") << 2
                                    << QStringLiteral("title");
    QTest::addRow("two_pairs") << QStringLiteral("::Малко::Q{\n=a -> 1\n=b -> 2\n= -> 3\n}") << 1
                               << QStringLiteral("\"Малко\" has 2 pairs but needs at least 3");
    QTest::addRow("too_many_extra_right_parts")
        << QStringLiteral("::Много::Q{\n=a -> 1\n=b -> 2\n=c -> 3\n= -> 4\n= -> 5\n}") << 1
        << QStringLiteral("\"Много\" has 3 pairs and 2 extra right parts;");
    QTest::addRow("pair_without_arrow") << QStringLiteral("::T::Q{\n=a -> 1\n=b 2\n=c -> 3\n=d -> 4}") << 3
                                        << QStringLiteral("\"=b 2\" has no \"->\"");
    QTest::addRow("long_pair_without_arrow_quoted_by_its_start")
        << QStringLiteral("::T::Q{\n=a -> 1\n=") + QString(5000, u'b') + QStringLiteral("\n=c -> 3\n=d -> 4}") << 3
        << QStringLiteral("the pair \"=") + QString(80, u'b') + QStringLiteral("…\" has no \"->\"");
    QTest::addRow("empty_right_part") << QStringLiteral("::T::Q{\n=a -> 1\n=b ->\n=c -> 3\n=d -> 4}") << 3
                                      << QStringLiteral("nothing after");
    QTest::addRow("duplicate_left") << QStringLiteral("::T::Q{\n=Лом -> 1\n=Варна -> 2\n=Лом -> 3\n}") << 4
                                    << QStringLiteral("left part \"Лом\" is already on line 2");
    QTest::addRow("duplicate_right_by_distractor")
        << QStringLiteral("::T::Q{\n=a -> Алмус\n=b -> 2\n=c -> 3\n= ->  Алмус \n}") << 5
        << QStringLiteral("right part \"Алмус\" is already on line 2");
    QTest::addRow("text_before_first_pair") << QStringLiteral("::T::Q{\n  oops =a -> 1 =b -> 2 =c -> 3}") << 2
                                            << QStringLiteral("\"oops\" stands before the first pair");
    QTest::addRow("line_counted_at_lone_cr") << QStringLiteral("::T::Q{\r=a -> 1\r\n=b 2\r=c -> 3 =d -> 4}") << 3
                                             << QStringLiteral("\"=b 2\" has no \"->\"");
    QTest::addRow("nul_in_a_pair") << QStringLiteral("::T::Q{\n=a -> 1\n=b -> 2") + QChar(0) + QStringLiteral("\n=c -> 3}")
                                   << 3 << QStringLiteral("control character (character code 0)");
    QTest::addRow("escape_in_the_text") << QStringLiteral("::T::Q \x1b[1mbold{=a -> 1 =b -> 2 =c -> 3}") << 1
                                        << QStringLiteral("character code 27");
    QTest::addRow("c1_control_in_a_comment")
        << QStringLiteral("// note\u0085\n::T::Q{=a -> 1 =b -> 2 =c -> 3}") << 1 << QStringLiteral("character code 133");
    QTest::addRow("phrase_too_long") << QStringLiteral("::T::Q{\n=a -> 1\n=b -> ") + QString(1001, u'я')
                                            + QStringLiteral("\n=c -> 3}")
                                     << 3 << QStringLiteral("a part of 1001 characters");
    QTest::addRow("title_too_long") << QStringLiteral("\n::") + QString(256, u'T') + QStringLiteral("::Q{=a -> 1 =b -> 2 =c -> 3}")
                                    << 2 << QStringLiteral("the title has 256 characters, but a title may have at most 255");
    QTest::addRow("text_line_too_long") << QStringLiteral("::T::") + QString(1001, u'q') + QStringLiteral("{=a -> 1 =b -> 2 =c -> 3}")
                                        << 1 << QStringLiteral("has a line of 1001 characters");
    // A test holds at most 32767 right parts; past them a question is told once and read no more.
    QString most = QStringLiteral("::Много::Q{\n");
    for (int i = 1; i <= 32768; ++i)
        most += QStringLiteral("=л%1 -> д%1\n").arg(i);
    QTest::addRow("more_right_parts_than_a_test_holds") << most + QStringLiteral("=x\n}") << 1
                                                        << QStringLiteral("\"Много\" has 32769 right parts; a KAZ test holds at most 32767");
    QTest::addRow("fault_in_second_question")
        << QStringLiteral("::A::x{=1 -> 2 =3 -> 4 =5 -> 6}\n\n// note\n::B::y{=7 -> 8\n=9 -> 8 =11 -> 12}") << 5
        << QStringLiteral("right part \"8\" is already on line 4");
}

void TestGift::reportsFaults()
{
    QFETCH(QString, gift);
    QFETCH(int, line);
    QFETCH(QString, words);
    const Gift::Result r = Gift::read(gift);
    QVERIFY(!r.ok());
    QCOMPARE(r.errors.size(), 1);
    QCOMPARE(r.errors.first().line, line);
    QVERIFY2(r.errors.first().text.contains(words), qPrintable(r.errors.first().text));
}

void TestGift::readsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says"); // empty: one question read

    const QByteArray gift = QStringLiteral("::Тема::Q{=Лом -> Алмус =b -> 2 =c -> 3}\n").toUtf8();
    QTest::addRow("utf8") << gift << QString();
    QTest::addRow("utf8_with_byte_order_mark") << QByteArray("\xEF\xBB\xBF") + gift << QString();
    QTest::addRow("windows_1251") << QByteArray(gift).replace(QStringLiteral("Лом").toUtf8(), "\xCB\xEE\xEC")
                                  << QStringLiteral("not UTF-8 text");
}

void TestGift::readsBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    const Gift::Result r = Gift::readBytes(bytes);
    if (says.isEmpty()) {
        QVERIFY2(r.ok(), qPrintable(messages(r.errors)));
        QCOMPARE(flat(r), QStringList{QStringLiteral("Тема | Q | Лом; b; c | Алмус; 2; 3")});
        return;
    }
    QCOMPARE(r.errors.size(), 1);
    QVERIFY2(r.errors.first().text.contains(says), qPrintable(r.errors.first().text));
    QVERIFY(r.questions.isEmpty());
}

void TestGift::sampleBecomesSoundTests()
{
    const QString gift = TestFiles::sourceText(QStringLiteral("docs/examples/bulgaria.gift"));
    QVERIFY(!gift.isEmpty());
    const Gift::Result r = Gift::read(gift);
    QVERIFY2(r.ok(), qPrintable(messages(r.errors)));
    QCOMPARE(r.questions.size(), 2);
    QCOMPARE(r.notes.size(), 1); // the multiple-choice question

    for (const Gift::Matching &q : r.questions) {
        const QString text = Gift::toContent(q, QStringLiteral("https://school.example"), QStringLiteral("b.gift"));
        const ContentReader::Result c = ContentReader::read(text);
        QVERIFY2(c.ok(), qPrintable(c.problems.isEmpty() ? QString() : c.problems.first().toString()));
        const ContentStore &s = c.store;
        QCOMPARE(s.Danni(0), q.left);
        QCOMPARE(s.Danni(1), q.right);
        QVERIFY(s.Danni(1).size() > s.Danni(0).size()); // both have distractors
        QCOMPARE(s.Danni(3).at(0), QStringLiteral("https://school.example ") + q.title);
        QCOMPARE(s.address(), QStringLiteral("https://school.example"));
        QCOMPARE(s.Ukazanie(), q.text.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(s.Otgowor(0).size(), q.left.size() + 1);
        QCOMPARE(s.Spis_graf().size(), q.left.size() + 1);
        QCOMPARE(s.Spis_graf().count(QStringLiteral("0")), q.left.size());
    }
    const Gift::Matching &towns = r.questions.first();
    QCOMPARE(towns.title, QStringLiteral("Стари названия на градове"));
    QCOMPARE(towns.text.size(), 2);
    QCOMPARE(towns.left.indexOf(QStringLiteral("Пловдив")), towns.right.indexOf(QStringLiteral("Филипополис")));
    QCOMPARE(towns.right.last(), QStringLiteral("Августа Траяна"));
    QCOMPARE(r.questions.at(1).text, QStringList{QStringLiteral("Свържете автора с творбата му: роман, повест, "
                                                                "поема или разказ.")});
}

// Questions whose texts the content format would take for comments, headers, escapes or
// line ends: the written test must keep them as they are.
void TestGift::convertedQuestionsPassTheChecker_data()
{
    QTest::addColumn<QString>("gift");
    QTest::addColumn<int>("instructionLines");

    const QString pairs = QStringLiteral("{=a -> 1 =b -> 2 =c -> 3}");
    QTest::addRow("text_lines_like_sections_and_comments")
        << QStringLiteral("::T::[left]\n\\# not a comment\n\\\\ back\n  [x] y\n") + pairs << 4;
    QTest::addRow("phrases_like_sections_and_comments")
        << QStringLiteral("::T::Q{=\\# едно -> [right] =[left] -> \\\\ =  [ -> #}") << 1;
    QTest::addRow("title_with_hash_and_brackets") << QStringLiteral("::\\# Тема [1]::Q") + pairs << 1;
    QTest::addRow("blank_line_inside_text") << QStringLiteral("::T::a\\n\\nb") + pairs << 3;
    QTest::addRow("lone_cr_inside_html") << QStringLiteral("::T::[html]<p>[one]</p>\r<p>#two</p>") + pairs << 2;
    QTest::addRow("cr_from_html_entity") << QStringLiteral("::T::[html]a&#13;[b]&#10;#c") + pairs << 3;
    QTest::addRow("no_text") << QStringLiteral("::T::") + pairs << 0;
    QTest::addRow("longest_phrase_and_text_line_starting_with_hash")
        << QStringLiteral("::T::\\#") + QString(999, u'т') + QStringLiteral("{=\\#") + QString(999, u'a')
               + QStringLiteral(" -> 1 =b -> 2 =c -> 3}")
        << 1;
    QTest::addRow("no_title_text_starts_with_hash") << QStringLiteral("# Тема\\nот два реда") + pairs << 2;
}

void TestGift::convertedQuestionsPassTheChecker()
{
    QFETCH(QString, gift);
    QFETCH(int, instructionLines);
    const Gift::Result r = Gift::read(gift);
    QVERIFY2(r.ok(), qPrintable(messages(r.errors)));
    QCOMPARE(r.questions.size(), 1);
    const Gift::Matching &q = r.questions.first();
    QCOMPARE(q.text.size(), instructionLines);

    const QString text = Gift::toContent(q);
    const ContentReader::Result c = ContentReader::read(text);
    QVERIFY2(c.ok(), qPrintable(text));
    QCOMPARE(c.store.Danni(0), q.left);
    QCOMPARE(c.store.Danni(1), q.right);
    QCOMPARE(c.store.Danni(3).at(0), Gift::DefaultAddress + u' ' + q.title);
    const QString instructions = q.text.isEmpty() ? QString() : q.text.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QCOMPARE(c.store.Ukazanie(), instructions);
}

void TestGift::writerRoundTrip_data()
{
    QTest::addColumn<QString>("content");

    QTest::addRow("shipped_test") << TestFiles::sourceText(QStringLiteral("quizzes/istoriya/test.kaz"));
    QTest::addRow("plane_figures") << TestFiles::sourceText(QStringLiteral("quizzes/figuri/test.kaz"));
    QTest::addRow("lines_that_need_escapes")
        << QStringLiteral("[parameters]\n\\# address Заглавие\n11250\n120\n3135\n3360\n6575\n[instructions]\n\\#1 first\n\n"
                          "\\   \n\\[not a section]\nlast\n\\\n\\\n[left]\n\\#хеш\n\\[x]\n\\\\backslash\n"
                          "\\ [y] \n[right]\n\\[\n a \n#comment\nb\nc\n[picture flags]\n\\[label]\n0\n0\n0\n0\n");
    QTest::addRow("instructions_blank_inside_and_empty")
        << QStringLiteral("[parameters]\nx\n11250\n120\n3135\n3360\n6575\n[instructions]\none\n\n\ntwo\n   \n[left]\na\n"
                          "[right]\nb\n[picture flags]\nl\n0\n");
}

void TestGift::writerRoundTrip()
{
    QFETCH(QString, content);
    QVERIFY(!content.isEmpty());
    const ContentReader::Result first = ContentReader::read(content);
    QVERIFY2(first.ok(), qPrintable(first.problems.isEmpty() ? QString() : first.problems.first().toString()));
    const QString written = ContentWriter::write(first.store, {QStringLiteral("[a comment]")});
    const ContentReader::Result second = ContentReader::read(written);
    QVERIFY2(second.ok(), qPrintable(written));
    QVERIFY2(first.store == second.store, qPrintable(written));
}

void TestGift::folderNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");

    QTest::addRow("bulgarian") << QStringLiteral("Стари названия на градове")
                               << QStringLiteral("stari-nazvaniya-na-gradove");
    QTest::addRow("bulgarian_digraphs") << QStringLiteral("Щастие, жълъд, юг, ЯЗОВИР")
                                        << QStringLiteral("shtastie-zhalad-yug-yazovir");
    QTest::addRow("bulgarian_digraphs_2") << QStringLiteral("цар чиния шах хълм") << QStringLiteral("tsar-chiniya-shah-halm");
    QTest::addRow("russian_and_ukrainian") << QStringLiteral("Ёлка, Шьёт, Їжак") << QStringLiteral("yolka-shyyot-yizhak");
    QTest::addRow("latin_accents_and_punctuation") << QStringLiteral("  Écoles: «Ça va?» 2024 / Müller  ")
                                                   << QStringLiteral("ecoles-ca-va-2024-muller");
    QTest::addRow("nothing_usable") << QStringLiteral("?!… ★") << QStringLiteral("test");
    QTest::addRow("long_title_cut_at_a_word")
        << QStringLiteral("Една много дълга тема за изпитване на имената на папките")
        << QStringLiteral("edna-mnogo-dalga-tema-za-izpitvane-na");
}

void TestGift::folderNames()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(Gift::folderName(title), name);
}

// A question becomes a test of at most 32767 right parts, pairs and extras together.
void TestGift::rightPartsAtTheLimit_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("extras");
    QTest::addColumn<QString>("error"); // empty: read
    QTest::addRow("32767_pairs_read") << 32767 << 0 << QString();
    QTest::addRow("32766_pairs_and_an_extra_read") << 32766 << 1 << QString();
    QTest::addRow("32768_pairs_refused") << 32768 << 0
                                         << u"the matching question \"Много\" has 32768 right parts; a KAZ test holds at most 32767"_qs;
    QTest::addRow("32767_pairs_and_an_extra_refused") << 32767 << 1
                                                      << u"the matching question \"Много\" has 32768 right parts; a KAZ test holds at most 32767"_qs;
}

void TestGift::rightPartsAtTheLimit()
{
    QFETCH(int, pairs);
    QFETCH(int, extras);
    QFETCH(QString, error);
    QString gift = u"::Много::Q{\n"_qs;
    for (int i = 1; i <= pairs; ++i)
        gift += u"=л%1 -> д%1\n"_qs.arg(i);
    for (int i = 1; i <= extras; ++i)
        gift += u"= -> е%1\n"_qs.arg(i);
    const Gift::Result r = Gift::read(gift + u"}\n"_qs);
    QCOMPARE(messages(r.errors), error.isEmpty() ? QString() : u"f:1: error: "_qs + error);
    if (error.isEmpty())
        QCOMPARE(r.questions.first().right.size(), pairs + extras);
}

// Questions whose names repeat are numbered from 2, past every name already taken, whoever
// took it.
void TestGift::numberedFolderNames_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("names");
    QTest::addRow("same_title_numbered") << QStringList{u"Тема"_qs, u"Тема"_qs, u"Тема"_qs}
                                         << QStringList{u"tema"_qs, u"tema-2"_qs, u"tema-3"_qs};
    QTest::addRow("a_title_takes_a_number_first") << QStringList{u"Тема"_qs, u"Тема 2"_qs, u"Тема"_qs}
                                                  << QStringList{u"tema"_qs, u"tema-2"_qs, u"tema-3"_qs};
    QTest::addRow("a_number_taken_later_numbered_again") << QStringList{u"Тема"_qs, u"Тема"_qs, u"Тема 2"_qs}
                                                         << QStringList{u"tema"_qs, u"tema-2"_qs, u"tema-2-2"_qs};
    QTest::addRow("titles_in_turn") << QStringList{u"А"_qs, u"Б"_qs, u"А"_qs, u"Б"_qs, u"А"_qs}
                                    << QStringList{u"a"_qs, u"b"_qs, u"a-2"_qs, u"b-2"_qs, u"a-3"_qs};
}

void TestGift::numberedFolderNames()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, names);
    QList<Gift::Matching> questions;
    for (const QString &title : titles) {
        Gift::Matching q;
        q.line = 1;
        q.title = title;
        questions.append(q);
    }
    QCOMPARE(Gift::folderNames(questions), names);
}

// Ten thousand questions of one title (a file exported with one title for all) are named in a
// moment: trying the numbers from 2 for each took minutes for a hundred thousand.
void TestGift::manyQuestionsOfOneTitleNamedQuickly()
{
    constexpr int count = 10000;
    Gift::Matching one;
    one.line = 1;
    one.title = u"Тема"_qs;
    const QList<Gift::Matching> questions(count, one);
    QElapsedTimer clock;
    clock.start();
    const QStringList names = Gift::folderNames(questions);
    const qint64 ms = clock.elapsed();
    QCOMPARE(names.last(), u"tema-%1"_qs.arg(count));
    QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), count);
    QVERIFY2(ms < 3000, qPrintable(u"%1 ms"_qs.arg(ms)));
}

void TestGift::writesFoldersWithoutOverwriting()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir parent(dir.path());
    const Gift::Result r = Gift::read(QStringLiteral("::Тема::a{=1 -> 2 =3 -> 4 =5 -> 6}\n\n"
                                                     "::Тема::b{=7 -> 8 =9 -> 10 =11 -> 12}\n"));
    QVERIFY(r.ok());

    const Gift::Written first = Gift::writeFolders(r, parent, false);
    QVERIFY2(first.errors.isEmpty(), qPrintable(messages(first.errors)));
    QCOMPARE(first.folders, (QStringList{parent.filePath(QStringLiteral("tema")),
                                         parent.filePath(QStringLiteral("tema-2"))}));
    QFile second(parent.filePath(QStringLiteral("tema-2/test.kaz")));
    QVERIFY(second.open(QIODevice::ReadOnly));
    QVERIFY(ContentReader::read(QString::fromUtf8(second.readAll())).store.Danni(0).contains(QStringLiteral("7")));
    second.close();

    // A test folder the teacher may have edited since stays as it is.
    QFile edited(parent.filePath(QStringLiteral("tema/test.kaz")));
    QVERIFY(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write("edited\n");
    edited.close();
    const Gift::Written again = Gift::writeFolders(r, parent, false);
    QCOMPARE(again.errors.size(), 2);
    QVERIFY(again.folders.isEmpty());
    QVERIFY(again.errors.first().text.contains(QStringLiteral("--force")));
    QVERIFY(edited.open(QIODevice::ReadOnly));
    QCOMPARE(edited.readAll(), QByteArray("edited\n"));
    edited.close();

    const Gift::Written forced = Gift::writeFolders(r, parent, true);
    QVERIFY(forced.errors.isEmpty());
    QVERIFY(edited.open(QIODevice::ReadOnly));
    QVERIFY(ContentReader::read(QString::fromUtf8(edited.readAll())).ok());
}

QTEST_GUILESS_MAIN(TestGift)
#include "tst_gift.moc"
