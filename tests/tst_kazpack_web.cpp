// Test pages made by kazpack --web, with a page of a few lines standing in for the page the
// build puts together: the test goes inside the page as a program's packed test, read back by
// --list and --extract and by the page's own engine (WebQuiz); a changed page says it is
// damaged; a runner that is no test page, or a page for another system, is refused with its
// reason; and the page is a document, never a program.
#include "KazpackCommands.h"
#include "KazpackRun.h"
#include "PackedQuiz.h"
#include "QuizFolder.h"
#include "TestFiles.h"
#include "TestRunners.h"
#include "WebPage.h"
#include "WebQuiz.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

using KazpackRun::Run;

Run kazpack(const QStringList &arguments, const QString &defaultRunner = u"/nonexistent/kazrunner"_s)
{
    return KazpackRun::kazpack(arguments, defaultRunner);
}

// A page as kazwebpage leaves it: the runner's mark in a comment, an empty place for the test.
QByteArray page(const QByteArray &mark = "<!-- KAZ quiz runner, packed format 1 -->")
{
    return "<!DOCTYPE html>\n<html lang=\"bg\"><head>" + mark + "\n<title>KAZ</title></head>\n<body>"
           "<script id=\"kaz-test\" type=\"application/octet-stream\"></script></body></html>\n";
}

} // namespace

class TestKazpackWeb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_runner = QDir(m_dir->path()).filePath(u"kazweb.html"_s);
        QVERIFY(TestFiles::write(m_runner, page()));
    }

    void testGoesIntoThePage();
    void pageReadBackAndPackedAgain();
    void changedPageIsDamaged_data();
    void changedPageIsDamaged();
    void runnerRefused_data();
    void runnerRefused();

private:
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runner;
};

// The page holds the same packed test a program holds, ".html" is added to a name without it,
// and the page plays in the engine.
void TestKazpackWeb::testGoesIntoThePage()
{
    const QString folder = TestFiles::sourcePath(u"quizzes/figuri"_s);
    const Run run = kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"figuri"_s), folder});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains(u"only with .html at the end of its name"_s), qPrintable(run.err));
    const QByteArray made = TestFiles::contents(path(u"figuri.html"_s));
    QVERIFY(made.startsWith("<!DOCTYPE html>"));
    QVERIFY(made.endsWith("</body></html>\n"));

    const QuizFolder::Checked checked = QuizFolder::check(folder);
    bool base64 = false;
    const QByteArray test = WebPage::test(made, &base64);
    QVERIFY(base64);
    QCOMPARE(test, PackedQuiz::tail(checked.files));
    WebQuiz quiz(test);
    QVERIFY2(quiz.ok(), qPrintable(quiz.message()));

    // A document: no one starts it as a program.
    if (TestFiles::UnixFiles)
        QVERIFY(!(QFileInfo(path(u"figuri.html"_s)).permissions() & (QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther)));
    // The same folder and page give the same bytes.
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"again.html"_s), folder}).status, 0);
    QCOMPARE(TestFiles::contents(path(u"again.html"_s)), made);
}

// --list and --extract read a page as they read a program; the folder given back packs into
// the same page, and a page given as the runner has its own test replaced.
void TestKazpackWeb::pageReadBackAndPackedAgain()
{
    const QString folder = TestFiles::sourcePath(u"quizzes/figuri"_s);
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"kaz-figuri.html"_s), folder}).status, 0);
    const Run list = kazpack({u"--list"_s, path(u"kaz-figuri.html"_s)});
    QCOMPARE(list.status, 0);
    QVERIFY2(list.out.contains(u"test.kaz"_s) && list.out.contains(u"kwadrat.png"_s), qPrintable(list.out));
    QCOMPARE(kazpack({u"--extract"_s, path(u"kaz-figuri.html"_s), path(u"back"_s)}).status, 0);
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"again.html"_s), path(u"back"_s)}).status, 0);
    QCOMPARE(TestFiles::contents(path(u"again.html"_s)), TestFiles::contents(path(u"kaz-figuri.html"_s)));

    const QString istoriya = TestFiles::sourcePath(u"quizzes/istoriya"_s);
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, path(u"kaz-figuri.html"_s), u"-o"_s, path(u"a.html"_s), istoriya}).status, 0);
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"b.html"_s), istoriya}).status, 0);
    QCOMPARE(TestFiles::contents(path(u"a.html"_s)), TestFiles::contents(path(u"b.html"_s)));
}

void TestKazpackWeb::changedPageIsDamaged_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addRow("a_letter_of_the_test") << QByteArray("type=\"application/octet-stream\">A") << QByteArray("type=\"application/octet-stream\">B");
    QTest::addRow("no_base64") << QByteArray("type=\"application/octet-stream\">A") << QByteArray("type=\"application/octet-stream\">*");
    // Four base64 letters are three whole bytes: what is left is still base64.
    QTest::addRow("test_cut_short") << QByteArray("AAAA</script></body>") << QByteArray("</script></body>");
    QTest::addRow("test_taken_out") << QByteArray("id=\"kaz-test\"") << QByteArray("id=\"kaz-other\"");
}

// A page changed after it was packed never plays a test that is not the one packed.
void TestKazpackWeb::changedPageIsDamaged()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QCOMPARE(kazpack({u"--web"_s, u"--runner"_s, m_runner, u"-o"_s, path(u"p.html"_s), TestFiles::sourcePath(u"quizzes/istoriya"_s)}).status, 0);
    QByteArray changed = TestFiles::contents(path(u"p.html"_s));
    if (from.startsWith("AAAA")) {
        const qsizetype end = changed.indexOf("</script></body>");
        QVERIFY(end > 4);
        changed.replace(end - 4, 4, "AAAA");
    }
    const qsizetype at = changed.indexOf(from);
    QVERIFY(at >= 0);
    changed.replace(at, from.size(), to);
    QVERIFY(TestFiles::write(path(u"p.html"_s), changed));
    const Run list = kazpack({u"--list"_s, path(u"p.html"_s)});
    QCOMPARE(list.status, 1);
    QVERIFY2(list.err.contains(u"damaged"_s) || list.err.contains(u"holds no test"_s) || list.err.contains(u"changed"_s), qPrintable(list.err));
    bool base64 = false;
    QVERIFY(!WebQuiz(WebPage::test(changed, &base64)).ok());
}

void TestKazpackWeb::runnerRefused_data()
{
    QTest::addColumn<QByteArray>("runner");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("says");
    QTest::addRow("page_without_mark") << page("") << u"--web"_s << u"is not a KAZ quiz runner"_s;
    QTest::addRow("page_of_an_older_format") << page("<!-- KAZ quiz runner, packed format 0 -->") << u"--web"_s << u"reads only packed format 0"_s;
    QTest::addRow("page_without_place") << QByteArray("<!DOCTYPE html><!-- KAZ quiz runner, packed format 1 --><p>") << u"--web"_s << u"is not a KAZ quiz runner"_s;
    QTest::addRow("linux_runner_for_a_page") << TestRunners::elfProgram("KAZ quiz runner, packed format 1\n") << u"--web"_s
                                            << u"makes programs for Linux, and a program for web browsers was asked for"_s;
    QTest::addRow("page_for_linux") << page() << u"--linux"_s << u"makes programs for web browsers, and a program for Linux was asked for"_s;
}

void TestKazpackWeb::runnerRefused()
{
    QFETCH(QByteArray, runner);
    QFETCH(QString, system);
    QFETCH(QString, says);
    QVERIFY(TestFiles::write(path(u"runner"_s), runner));
    const Run run = kazpack({system, u"--runner"_s, path(u"runner"_s), u"-o"_s, path(u"p.html"_s), TestFiles::sourcePath(u"quizzes/istoriya"_s)});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(path(u"p.html"_s)));
}

QTEST_GUILESS_MAIN(TestKazpackWeb)
#include "tst_kazpack_web.moc"
