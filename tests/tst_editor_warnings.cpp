// The editor's warnings of phrases the test window's lists would cut, measured in the test's font
// (so a QGuiApplication, offscreen), and widening the lists: a warning names its row and column,
// marks its cell and is no problem; widening is one step of the undo stack.
#include "EditorSupport.h"
#include "ListText.h"
#include "RowTableModel.h"
#include "Sketch.h"
#include "QuizDocument.h"

#include <QTest>
#include <QUndoStack>

#include <algorithm>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QuizDocument::Widening)

namespace {

const QString LongLeft = QStringLiteral("A bank of record entries which are kept for a long time");
const QString LongRight = QStringLiteral("Съвкупност от записи, които се съхраняват дълго време в архива на училището");

QStringList rowNames(const QList<DocumentProblem> &problems)
{
    QStringList out;
    for (const DocumentProblem &p : problems)
        out.append(p.rowName);
    return out;
}

QStringList geometry(const QuizDocument &d)
{
    QStringList out;
    for (DocumentField f : {DocumentField::WindowWidth, DocumentField::LeftListLeft, DocumentField::LeftListWidth,
                            DocumentField::RightListLeft, DocumentField::RightListWidth})
        out.append(d.field(f));
    return out;
}

} // namespace

class TestEditorWarnings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cutPhrases_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QStringList>("geometry"); // empty: a new test's
        QTest::addColumn<QStringList>("warned");   // "row:Field"
        QTest::addColumn<QStringList>("names");    // as the vertical header numbers the rows
        QTest::addColumn<int>("problems");

        const QString pairs = QStringLiteral("a\tx\nb\ty\nc\tz\n");
        QTest::addRow("short_phrases") << pairs << QStringList() << QStringList() << QStringList() << 0;
        QTest::addRow("long_left_phrase") << u"a\tx\n%1\ty\nc\tz\n"_s.arg(LongLeft) << QStringList()
                                          << QStringList{u"1:Left"_s} << QStringList{u"Row 2"_s} << 0;
        QTest::addRow("long_extra_right_phrase")
            << pairs + u"\t%1\n"_s.arg(LongRight) << QStringList() << QStringList{u"3:Right"_s}
            << QStringList{u"Unnumbered row below row 3"_s} << 0;
        // The left list exactly as wide as the phrase needs, with the fonts this system has.
        const ListText::Measure m;
        const int wide = m.listWidthFor(m.width(LongLeft), 3);
        QTest::addRow("left_list_wide_enough")
            << u"a\tx\n%1\ty\nc\tz\n"_s.arg(LongLeft)
            << QStringList{QString::number(120 + wide + 105 + 6575 + 240), u"120"_s, QString::number(wide),
                           QString::number(120 + wide + 105), u"6575"_s}
            << QStringList() << QStringList() << 0;
        // Where the lists stand is not known: the geometry's problem comes first.
        QTest::addRow("geometry_problem_hides_them") << u"a\tx\n%1\ty\nc\tz\n"_s.arg(LongLeft)
                                                     << QStringList{u"9000"_s, u"120"_s, u"3135"_s, u"3360"_s, u"6575"_s}
                                                     << QStringList() << QStringList() << 2;
    }
    void cutPhrases()
    {
        QFETCH(QString, rows);
        QFETCH(QStringList, geometry);
        QFETCH(QStringList, warned);
        QFETCH(QStringList, names);
        QFETCH(int, problems);
        QuizDocument d;
        setRows(d, rows);
        for (int i = 0; i < geometry.size(); ++i)
            d.setField(DocumentField(int(DocumentField::WindowWidth) + i), geometry.at(i));
        d.checkNow();
        QCOMPARE(places(d.warnings()), warned);
        QCOMPARE(rowNames(d.warnings()), names);
        // A warning keeps nothing from being tried or packed: it is no problem.
        QCOMPARE(d.problems().size(), problems);
        for (const DocumentProblem &w : d.warnings()) {
            QVERIFY(w.warning);
            // The learner's cut phrase, as the list shows it.
            QVERIFY2(w.message.contains(QChar(0x2026) + u"\""_s), qPrintable(w.message));
            const QModelIndex cell = d.model()->index(w.row, RowTableModel::columnOf(w.field));
            QCOMPARE(cell.data(RowTableModel::WarningsRole).toStringList(), QStringList{w.message});
            QCOMPARE(cell.data(RowTableModel::ProblemsRole).toStringList(), QStringList());
        }
    }

    // One step widens the lists and the window until every phrase fits; undo puts the geometry
    // back as it was typed, and the warnings with it.
    void widenIsOneStep()
    {
        QuizDocument d;
        setRows(d, u"a\tx\n%1\ty\nc\tz\n\t%2\n"_s.arg(LongLeft, LongRight));
        d.checkNow();
        QCOMPARE(d.warnings().size(), 2);
        const QStringList before = geometry(d);
        // Both lists long: they need more than the window had, and it grows.
        QCOMPARE(d.widenLists(), QuizDocument::Widening::WindowGrew);
        QCOMPARE(d.undoStack()->count(), 1);
        QCOMPARE(d.undoStack()->undoText(), u"widening the lists"_s);
        d.checkNow();
        QCOMPARE(messages(d.warnings()), QString());
        QCOMPARE(messages(d.problems()), QString());
        const ListText::Geometry after = ListText::Geometry::fromTexts(geometry(d));
        QVERIFY(after.leftWidth > before.at(2).toInt() && after.rightWidth > before.at(4).toInt());
        QCOMPARE(d.widenLists(), QuizDocument::Widening::AlreadyFit);
        QCOMPARE(d.undoStack()->count(), 1);

        d.undoStack()->undo();
        QCOMPARE(geometry(d), before);
        d.checkNow();
        QCOMPARE(d.warnings().size(), 2);
        d.undoStack()->redo();
        QCOMPARE(ListText::Geometry::fromTexts(geometry(d)), after);
    }

    // A phrase too long for any screen: the window as wide as allowed, the phrase still warned.
    void widenAsFarAsAllowed()
    {
        QuizDocument d;
        const QString endless(160, u'Ш');
        setRows(d, u"a\tx\n%1\ty\nc\tz\n"_s.arg(endless));
        QCOMPARE(d.widenLists(), QuizDocument::Widening::WidenedPartly);
        QCOMPARE(d.field(DocumentField::WindowWidth), QString::number(ListText::MaxFittedWindowWidth));
        d.checkNow();
        QCOMPARE(places(d.warnings()), QStringList{u"1:Left"_s});
        QCOMPARE(messages(d.problems()), QString());
        QCOMPARE(d.widenLists(), QuizDocument::Widening::NoMoreRoom);
        QCOMPARE(d.undoStack()->count(), 1);
    }

    // Widening lays the lists out with the window's fixed controls: no control on a list,
    // everything inside the window, the window no wider than the lists need, and a window that
    // grew leaves on the right the margin a new test's window leaves.
    void widenLaysOutTheWindow_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("windowGrows");
        // One long side: the other list gives it room, and the right list ends where the
        // controls below it end.
        QTest::addRow("long_left") << u"a\tx\n%1\ty\nc\tz\n"_s.arg(LongLeft) << false;
        QTest::addRow("long_right") << u"a\tx\nb\t%1\nc\tz\n"_s.arg(LongRight) << false;
        QTest::addRow("long_both") << u"a\tx\n%1\ty\nc\tz\n\t%2\n"_s.arg(LongLeft, LongRight) << true;
    }
    void widenLaysOutTheWindow()
    {
        QFETCH(QString, rows);
        QFETCH(bool, windowGrows);
        QuizDocument d;
        setRows(d, rows);
        const Sketch::Rects before = Sketch::of(d.content()).twips;
        const int margin = before.window.right() - std::max(before.rightList.right(), [&before] {
            int right = 0;
            for (const QRect &c : before.controls)
                right = std::max(right, c.right());
            return right;
        }());
        // What the editor tells the teacher: whether the window kept its width.
        QCOMPARE(d.widenLists(), windowGrows ? QuizDocument::Widening::WindowGrew : QuizDocument::Widening::Widened);
        d.checkNow();
        QCOMPARE(messages(d.warnings()), QString());
        const Sketch::Rects after = Sketch::of(d.content()).twips;
        QVERIFY(!after.leftList.intersects(after.rightList));
        for (const QRect &list : {after.leftList, after.rightList}) {
            QVERIFY(after.window.contains(list));
            for (const QRect &c : after.controls)
                QVERIFY2(!c.intersects(list), qPrintable(u"%1,%2 %3x%4"_s.arg(c.x()).arg(c.y()).arg(c.width()).arg(c.height())));
        }
        int controlsRight = 0;
        for (const QRect &c : after.controls) {
            QVERIFY(after.window.contains(c));
            controlsRight = std::max(controlsRight, c.right());
        }
        QCOMPARE(after.window.width() > before.window.width(), windowGrows);
        const int contentRight = std::max(after.rightList.right(), controlsRight);
        if (windowGrows)
            QCOMPARE(after.window.right() - contentRight, margin);
        else
            QCOMPARE(after.rightList.right(), controlsRight);
    }

    void nothingToWiden_data()
    {
        QTest::addColumn<QString>("windowWidth");
        QTest::addColumn<QuizDocument::Widening>("widening");
        QTest::addRow("phrases_fit") << u"11250"_s << QuizDocument::Widening::AlreadyFit;
        QTest::addRow("window_too_narrow") << u"9000"_s << QuizDocument::Widening::GeometryProblem;
        QTest::addRow("window_width_not_a_number") << u"wide"_s << QuizDocument::Widening::GeometryProblem;
    }
    void nothingToWiden()
    {
        QFETCH(QString, windowWidth);
        QFETCH(QuizDocument::Widening, widening);
        QuizDocument d;
        setRows(d, u"a\tx\nb\ty\nc\tz\n"_s);
        d.setField(DocumentField::WindowWidth, windowWidth);
        const int steps = d.undoStack()->count();
        QCOMPARE(d.widenLists(), widening);
        QCOMPARE(d.undoStack()->count(), steps);
        QCOMPARE(d.field(DocumentField::WindowWidth), windowWidth);
    }
};

QTEST_MAIN(TestEditorWarnings)
#include "tst_editor_warnings.moc"
