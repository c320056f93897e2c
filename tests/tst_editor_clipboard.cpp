// Clipboard text in and out of the test editor: tab-separated text as spreadsheets write it,
// pasted onto the rows in one undo step, and rows copied out so that they come back the same.
#include "EditorSupport.h"
#include "TableText.h"
#include "QuizDocument.h"

#include <QElapsedTimer>
#include <QTest>
#include <QUndoStack>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

// Rows of cells as "a|b|c" lines, a line break inside a cell as "¶".
QStringList shown(const QList<QStringList> &rows)
{
    QStringList out;
    for (const QStringList &row : rows)
        out.append(QStringList(row).replaceInStrings(u"\n"_s, u"¶"_s).join(u'|'));
    return out;
}

} // namespace

class TestEditorClipboard : public QObject
{
    Q_OBJECT

private slots:
    void readsSpreadsheetText_data();
    void readsSpreadsheetText();
    void writtenTextReadsBack_data();
    void writtenTextReadsBack();
    void pasteOntoRows_data();
    void pasteOntoRows();
    void pasteInsertsOrFillsABlock_data();
    void pasteInsertsOrFillsABlock();
    void pasteIsOneStep();
    void copiedRowsPasteBack();
    void readingStopsAtItsBounds_data();
    void readingStopsAtItsBounds();
    void pasteLargerThanATestRefused_data();
    void pasteLargerThanATestRefused();
    void tableKeepsToItsRows();
    void tableKeepsToItsText();
};

void TestEditorClipboard::readsSpreadsheetText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addRow("two_columns") << u"а\tА\nб\tБ"_s << QStringList{u"а|А"_s, u"б|Б"_s};
    QTest::addRow("three_columns") << u"а\tА\tобяснение\n"_s << QStringList{u"а|А|обяснение"_s};
    QTest::addRow("cr_lf_lines") << u"а\tА\r\nб\tБ\r\n"_s << QStringList{u"а|А"_s, u"б|Б"_s};
    QTest::addRow("cr_lines") << u"а\tА\rб\tБ\r"_s << QStringList{u"а|А"_s, u"б|Б"_s};
    QTest::addRow("trailing_line_break_starts_no_row") << u"а\tА\n"_s << QStringList{u"а|А"_s};
    QTest::addRow("empty_line_is_an_empty_row") << u"а\n\nб\n"_s << QStringList{u"а"_s, u""_s, u"б"_s};
    QTest::addRow("quoted_cell_with_line_breaks")
        << u"а\tА\t\"първи ред\nвтори ред\"\r\nб\tБ\r\n"_s << QStringList{u"а|А|първи ред¶втори ред"_s, u"б|Б"_s};
    QTest::addRow("quoted_cell_with_cr_lf_inside") << u"а\t\"А\r\nБ\"\r\n"_s << QStringList{u"а|А¶Б"_s};
    QTest::addRow("quoted_cell_with_a_tab") << u"\"а\tб\"\tА\n"_s << QStringList{u"а\tб|А"_s};
    QTest::addRow("doubled_quotes") << u"\"казва \"\"да\"\"\nи си отива\"\tА"_s
                                    << QStringList{u"казва \"да\"¶и си отива|А"_s};
    QTest::addRow("empty_quoted_cell") << u"\"\"\tА\n"_s << QStringList{u"|А"_s};
    QTest::addRow("quote_inside_a_cell_is_text") << u"5\" дискета\tА\n"_s << QStringList{u"5\" дискета|А"_s};
    QTest::addRow("quote_not_closed_is_text") << u"\"цитат\tА\nб\tБ\n"_s << QStringList{u"\"цитат|А"_s, u"б|Б"_s};
    QTest::addRow("text_after_closing_quote")
        << u"\"Под игото\" от Вазов\tА\n"_s << QStringList{u"\"Под игото\" от Вазов|А"_s};
    QTest::addRow("empty_cells") << u"\tА\t\nб\t\t\n"_s << QStringList{u"|А|"_s, u"б||"_s};
    QTest::addRow("trailing_tab_at_the_end") << u"а\t"_s << QStringList{u"а|"_s};
    QTest::addRow("more_than_three_columns") << u"а\tА\tо\tx\ty\n"_s << QStringList{u"а|А|о|x|y"_s};
    QTest::addRow("nothing") << QString() << QStringList{};
}

void TestEditorClipboard::readsSpreadsheetText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QCOMPARE(shown(TableText::parse(text)), rows);
}

void TestEditorClipboard::writtenTextReadsBack_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addRow("plain") << QList<QStringList>{{u"а"_s, u"А"_s}, {u"б"_s, u"Б"_s}};
    QTest::addRow("line_breaks_tabs_and_quotes")
        << QList<QStringList>{{u"\"в кавички\""_s, u"а\tб"_s, u"ред\nред \"два\""_s}, {u"5\""_s, QString(), u"\n"_s}};
    QTest::addRow("empty_cells") << QList<QStringList>{{QString(), QString()}, {QString()}};
}

void TestEditorClipboard::writtenTextReadsBack()
{
    QFETCH(QList<QStringList>, rows);
    const QString text = TableText::format(rows);
    QVERIFY(text.endsWith(u"\r\n"_s));
    QCOMPARE(TableText::parse(text), rows);
}

void TestEditorClipboard::pasteOntoRows_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column"); // a DocumentField
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("left_out");

    const QString start = u"а\tА\tстаро\nб\tБ\n"_s;
    const int left = int(DocumentField::Left), right = int(DocumentField::Right),
              expl = int(DocumentField::Explanation);
    QTest::addRow("into_an_empty_test") << QString() << 0 << left << u"в\tВ\nг\tГ\n"_s
                                        << QStringList{u"в|В"_s, u"г|Г"_s} << 0;
    QTest::addRow("two_columns_keep_the_explanations")
        << start << 0 << left << u"в\tВ\n"_s << QStringList{u"в|В|старо"_s, u"б|Б"_s} << 0;
    QTest::addRow("overwrite_and_extend") << start << 1 << left << u"в\tВ\nг\tГ\nд\tД\n"_s
                                          << QStringList{u"а|А|старо"_s, u"в|В"_s, u"г|Г"_s, u"д|Д"_s} << 0;
    QTest::addRow("past_the_end_appends")
        << start << 9 << left << u"в\tВ"_s << QStringList{u"а|А|старо"_s, u"б|Б"_s, u"в|В"_s} << 0;
    QTest::addRow("three_columns_with_lines") << start << 0 << left << u"в\tВ\t\"ред 1\nред 2\"\r\nг\tГ\t\r\n"_s
                                              << QStringList{u"в|В|ред 1/ред 2"_s, u"г|Г"_s} << 0;
    QTest::addRow("more_columns_than_three")
        << start << 0 << left << u"в\tВ\tо\tизлишно\tоще\n"_s << QStringList{u"в|В|о"_s, u"б|Б"_s} << 2;
    QTest::addRow("at_the_right_column") << start << 0 << right << u"Х\tобяснение\nЦ\n"_s
                                         << QStringList{u"а|Х|обяснение"_s, u"б|Ц"_s} << 0;
    QTest::addRow("at_the_right_column_three_cells")
        << start << 1 << right << u"Х\tо\tизлишно\n"_s << QStringList{u"а|А|старо"_s, u"б|Х|о"_s} << 1;
    QTest::addRow("at_the_explanation_column")
        << start << 0 << expl << u"\"едно\nдве\"\n"_s << QStringList{u"а|А|едно/две"_s, u"б|Б"_s} << 0;
    QTest::addRow("empty_cells_clear") << start << 0 << left << u"\tА\t\n"_s << QStringList{u"|А"_s, u"б|Б"_s} << 0;
    QTest::addRow("short_lines_padded_to_the_widest")
        << start << 0 << left << u"в\tВ\tнов\nг\n"_s << QStringList{u"в|В|нов"_s, u"г|"_s} << 0;
    QTest::addRow("line_break_in_a_phrase_becomes_a_space")
        << start << 0 << left << u"\"Велико\nТърново\"\tТърновград\n"_s
        << QStringList{u"Велико Търново|Търновград|старо"_s, u"б|Б"_s} << 0;
    QTest::addRow("one_cell") << start << 1 << right << u"Бе"_s << QStringList{u"а|А|старо"_s, u"б|Бе"_s} << 0;
}

void TestEditorClipboard::pasteOntoRows()
{
    QFETCH(QString, start);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(int, left_out);
    QuizDocument d;
    setRows(d, start);
    const DocumentClipboard::Pasted pasted = DocumentClipboard(d).paste(row, DocumentField(column), text);
    QCOMPARE(flat(d), rows);
    QCOMPARE(pasted.columnsLeftOut, left_out);
    QCOMPARE(pasted.firstRow, std::min(row, int(TableText::parse(start).size())));
    QCOMPARE(pasted.rows, int(TableText::parse(text).size()));
    QCOMPARE(d.undoStack()->count(), 1);
}

// A paste that must not overwrite: new rows inserted, or cells written only inside a block.
void TestEditorClipboard::pasteInsertsOrFillsABlock_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");     // a DocumentField
    QTest::addColumn<QList<int>>("block"); // rows, columns; none: inserted
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("left_out");

    const QString start = u"а\tА\tстаро\nб\tБ\n"_s;
    const int left = int(DocumentField::Left), right = int(DocumentField::Right),
              expl = int(DocumentField::Explanation);
    const QList<int> inserted;
    QTest::addRow("inserted_before_a_row") << start << 1 << left << inserted << u"в\tВ\nг\tГ\n"_s
                                           << QStringList{u"а|А|старо"_s, u"в|В"_s, u"г|Г"_s, u"б|Б"_s} << 2 << 0;
    QTest::addRow("inserted_before_the_first_keeps_its_explanation")
        << start << 0 << left << inserted << u"в\tВ\n"_s << QStringList{u"в|В"_s, u"а|А|старо"_s, u"б|Б"_s} << 1 << 0;
    QTest::addRow("inserted_at_the_end") << start << 2 << left << inserted << u"в\tВ\tнов\tx\n"_s
                                         << QStringList{u"а|А|старо"_s, u"б|Б"_s, u"в|В|нов"_s} << 1 << 1;
    QTest::addRow("inserted_at_the_right_column_are_extra_right_phrases")
        << start << 1 << right << inserted << u"Х\nЦ\n"_s
        << QStringList{u"а|А|старо"_s, u"|Х"_s, u"|Ц"_s, u"б|Б"_s} << 2 << 0;
    QTest::addRow("a_blank_row_takes_the_first_line")
        << u"а\tА\n\nб\tБ\n"_s << 1 << left << inserted << u"в\tВ\nг\tГ\n"_s
        << QStringList{u"а|А"_s, u"в|В"_s, u"г|Г"_s, u"б|Б"_s} << 1 << 0;
    QTest::addRow("block_of_phrases_keeps_the_explanations")
        << start << 0 << left << QList<int>{2, 2} << u"в\tВ\tизлишно\nг\tГ\tизлишно\n"_s
        << QStringList{u"в|В|старо"_s, u"г|Г"_s} << 0 << 1;
    QTest::addRow("block_of_one_column") << start << 0 << right << QList<int>{2, 1} << u"Х\tо\nЦ\tо\n"_s
                                         << QStringList{u"а|Х|старо"_s, u"б|Ц"_s} << 0 << 1;
    QTest::addRow("lines_past_the_block_go_below_it")
        << start << 0 << left << QList<int>{1, 2} << u"в\tВ\nг\tГ\nд\tД\n"_s
        << QStringList{u"в|В|старо"_s, u"г|Г"_s, u"д|Д"_s, u"б|Б"_s} << 2 << 0;
    QTest::addRow("fewer_lines_than_the_block_leave_its_other_rows")
        << start << 0 << left << QList<int>{2, 3} << u"в\tВ\n"_s << QStringList{u"в|В|старо"_s, u"б|Б"_s} << 0 << 0;
    QTest::addRow("block_of_explanations") << start << 0 << expl << QList<int>{2, 1} << u"едно\nдве\n"_s
                                           << QStringList{u"а|А|едно"_s, u"б|Б|две"_s} << 0 << 0;
}

void TestEditorClipboard::pasteInsertsOrFillsABlock()
{
    QFETCH(QString, start);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QList<int>, block);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(int, added);
    QFETCH(int, left_out);
    QuizDocument d;
    setRows(d, start);
    const QStringList before = flat(d);
    const DocumentClipboard::Pasted pasted = block.isEmpty()
        ? DocumentClipboard(d).insertPasted(row, DocumentField(column), text)
        : DocumentClipboard(d).pasteInto(row, DocumentField(column), block.at(0), block.at(1), text);
    QCOMPARE(flat(d), rows);
    QCOMPARE(pasted.firstRow, row);
    QCOMPARE(pasted.rows, int(TableText::parse(text).size()));
    QCOMPARE(pasted.added, added);
    QCOMPARE(pasted.columnsLeftOut, left_out);
    QVERIFY(pasted.changed);
    QCOMPARE(d.undoStack()->count(), 1);
    d.undoStack()->undo();
    QCOMPARE(flat(d), before);
}

void TestEditorClipboard::pasteIsOneStep()
{
    QuizDocument d;
    setRows(d, u"а\tА\tскрито\nб\tБ\n"_s);
    d.setExplanationShown(0, false);
    d.undoStack()->clear();
    const DocumentContent before = d.content();
    DocumentClipboard(d).paste(1, DocumentField::Left, u"в\tВ\tнов ред\nг\tГ\nд\tД\nе\tЕ\n"_s);
    QCOMPARE(d.undoStack()->count(), 1);
    QCOMPARE(flat(d), (QStringList{u"а|А|скрито(off)"_s, u"в|В|нов ред"_s, u"г|Г"_s, u"д|Д"_s, u"е|Е"_s}));
    d.undoStack()->undo();
    QVERIFY(d.content() == before);
    QCOMPARE(d.rowCount(), 2);
    d.undoStack()->redo();
    QCOMPARE(d.rowCount(), 5);
    // Pasting what is there already is no step.
    DocumentClipboard(d).paste(1, DocumentField::Left, u"в\tВ\n"_s);
    QCOMPARE(d.undoStack()->count(), 1);
}

void TestEditorClipboard::copiedRowsPasteBack()
{
    QuizDocument d;
    setRows(d,
            u"\"Под игото\"\tВазов\t\"Роман.\nИздаден 1894.\"\n"
            "5\" дискета\tносител\n"
            "а\tА\n"
            "\tизлишна\n"_s);
    d.setCell(2, DocumentField::Right, u"с\tтаб"_s);
    const QString text = DocumentClipboard(d).copy({3, 0, 1, 2, 1});
    QCOMPARE(TableText::parse(text).size(), 4);
    QuizDocument e;
    DocumentClipboard(e).paste(0, DocumentField::Left, text);
    QCOMPARE(flat(e), flat(d));
    // Without explanations, two columns.
    QCOMPARE(DocumentClipboard(d).copy({2, 3}), u"а\t\"с\tтаб\"\r\n\tизлишна\r\n"_s);
}

// A text is read up to a number of rows and of characters and no further: a quoted cell's line
// breaks are no rows, and the line break at the very end starts none.
void TestEditorClipboard::readingStopsAtItsBounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows"); // -1: over the rows, -2: over the characters
    QTest::addRow("as_many_rows_as_allowed") << u"а\nб\nв"_s << 3;
    QTest::addRow("as_many_rows_ended_by_a_break") << u"а\nб\nв\r\n"_s << 3;
    QTest::addRow("one_row_too_many") << u"а\nб\nв\nг"_s << -1;
    QTest::addRow("one_empty_row_too_many") << u"а\nб\nв\n\n"_s << -1;
    QTest::addRow("breaks_in_a_quoted_cell_are_no_rows") << u"\"1\n2\n3\n4\"\tА\nб"_s << 2;
    QTest::addRow("as_many_characters_as_allowed") << QString(20, u'я') << 1;
    QTest::addRow("one_character_too_many") << QString(21, u'я') << -2;
    QTest::addRow("unclosed_quote_is_text_up_to_the_tab") << u"\"а\tА\nб\nв"_s << 3;
}

void TestEditorClipboard::readingStopsAtItsBounds()
{
    QFETCH(QString, text);
    QFETCH(int, rows);
    const TableText::Bounded read = TableText::parse(text, 3, 20);
    const TableText::Bounded::Over over
        = rows == -1 ? TableText::Bounded::Over::Rows
                     : (rows == -2 ? TableText::Bounded::Over::Characters : TableText::Bounded::Over::Nothing);
    QCOMPARE(read.over, over);
    QCOMPARE(read.rows.size(), std::max(rows, 0));
    if (rows >= 0)
        QCOMPARE(read.rows, TableText::parse(text));
}

// A paste of more than a test can hold is refused whole, with the reason, at once: a million
// copied rows took 25 s and 1 GB, and then no recovery copy could be written.
void TestEditorClipboard::pasteLargerThanATestRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("says"); // empty: pasted
    const QString row = u"Пловдив\tФилипопол\n"_s;
    QTest::addRow("a_million_rows") << row.repeated(1000000) << u"more than 32767 lines"_s;
    QTest::addRow("a_line_of_100_mb") << QString(50 * 1000 * 1000, u'я') << u"50000000 characters, more than a test can hold"_s;
    QTest::addRow("an_unclosed_quote_then_a_million_rows")
        << u'"' + row.repeated(1000000) << u"more than 32767 lines"_s;
    QTest::addRow("a_quote_closed_at_the_end_is_one_cell")
        << u'"' + row.repeated(100000) + u'"' << QString();
    QTest::addRow("as_many_rows_as_a_test_has_questions") << row.repeated(32767) << QString();
    QTest::addRow("one_row_more") << row.repeated(32768) << u"more than 32767 lines"_s;
}

void TestEditorClipboard::pasteLargerThanATestRefused()
{
    QFETCH(QString, text);
    QFETCH(QString, says);
    QuizDocument d;
    setRows(d, u"Варна\tОдесос\n"_s);
    const int steps = d.undoStack()->count();
    QElapsedTimer timer;
    timer.start();
    const DocumentClipboard::Pasted pasted = DocumentClipboard(d).insertPasted(d.rowCount(), DocumentField::Left, text);
    const qint64 ms = timer.elapsed();
    qInfo("%lld characters pasted or refused in %lld ms", qlonglong(text.size()), qlonglong(ms));
    if (says.isEmpty()) {
        QCOMPARE(pasted.refused, QString());
        QVERIFY(pasted.changed);
        QCOMPARE(d.undoStack()->count(), steps + 1);
        return;
    }
    QVERIFY2(pasted.refused.startsWith(u"Nothing was pasted: "_s) && pasted.refused.contains(says), qPrintable(pasted.refused));
    QVERIFY2(ms < 2000, qPrintable(u"%1 ms"_s.arg(ms)));
    QVERIFY(!pasted.changed);
    QCOMPARE(pasted.rows, 0);
    QCOMPARE(d.rowCount(), 1);
    QCOMPARE(d.undoStack()->count(), steps);
}

// However the rows come, by pastes or by adding rows, the table holds no more than
// DocumentContent::MaxRows, and a paste past them is refused with the reason.
void TestEditorClipboard::tableKeepsToItsRows()
{
    QuizDocument d;
    d.insertRows(0, DocumentContent::MaxRows - 3);
    QCOMPARE(d.rowCount(), DocumentContent::MaxRows - 3);
    const DocumentClipboard::Pasted over = DocumentClipboard(d).insertPasted(d.rowCount(), DocumentField::Left, u"а\nб\nв\nг\n"_s);
    QVERIFY2(over.refused.contains(u"with 4 more rows the table would have 131069, more than the 131068 it can hold"_s),
             qPrintable(over.refused));
    QCOMPARE(d.rowCount(), DocumentContent::MaxRows - 3);
    // A paste over rows that are there adds only what is past them.
    QCOMPARE(DocumentClipboard(d).paste(d.rowCount() - 1, DocumentField::Left, u"а\nб\nв\nг\n"_s).refused, QString());
    QCOMPARE(d.rowCount(), DocumentContent::MaxRows);
    d.insertRows(0, 1);
    QCOMPARE(d.rowCount(), DocumentContent::MaxRows);
    QVERIFY(!DocumentClipboard(d).insertPasted(d.rowCount(), DocumentField::Left, u"д"_s).refused.isEmpty());
    QCOMPARE(d.rowCount(), DocumentContent::MaxRows);
}

// The text of the rows is bounded too, so that a recovery copy holds it: pastes of a test's
// worth each are taken until the next would pass DocumentContent::MaxCharacters (33,554,432).
void TestEditorClipboard::tableKeepsToItsText()
{
    QuizDocument d;
    const qint64 perCell = 6000000;
    const QString line = QString(perCell, u'я') + u'\t' + QString(perCell, u'Я') + u'\n';
    QCOMPARE(DocumentClipboard(d).insertPasted(0, DocumentField::Left, line).refused, QString());
    const DocumentClipboard::Pasted over = DocumentClipboard(d).insertPasted(d.rowCount(), DocumentField::Left, line + line);
    QVERIFY2(over.refused.contains(u"the table would then hold %1 characters"_s.arg(6 * perCell)), qPrintable(over.refused));
    QCOMPARE(d.rowCount(), 1);
    // Replacing a row counts its text no more.
    QCOMPARE(DocumentClipboard(d).paste(0, DocumentField::Left, line + line).refused, QString());
    QCOMPARE(d.rowCount(), 2);
    QCOMPARE(DocumentContent::characters(d.content().rows), 4 * perCell);
}

QTEST_GUILESS_MAIN(TestEditorClipboard)
#include "tst_editor_clipboard.moc"
