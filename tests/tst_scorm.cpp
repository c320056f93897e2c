// SCORM packages made by kazpack --scorm, with a page of a few lines standing in for the page
// the build puts together: the zip holds the page and a manifest naming it and nothing else,
// the page carries the package's settings, the same test gives the same bytes, and the package
// is read back as a program is. Zip files that are no package KAZ made, or that try to reach
// outside their folder or to exhaust memory, are refused with a reason at once.
#include "AnswerTime.h"
#include "KazpackRun.h"
#include "PackedQuiz.h"
#include "ProgramQuiz.h"
#include "ScormPackage.h"
#include "TestFiles.h"
#include "WebPage.h"
#include "ZipArchive.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

QByteArray page()
{
    return "<!DOCTYPE html>\n<html lang=\"bg\"><head><!-- KAZ quiz runner, packed format 1 -->\n<title>KAZ</title></head>\n<body>"
           "<script id=\"kaz-test\" type=\"application/octet-stream\"></script></body></html>\n";
}

struct Manifest
{
    QStringList files;      // <file href>
    QStringList resources;  // <resource href>
    QString mastery;        // adlcp:masteryscore, empty for none
    QString title;
    QString schemaVersion;
    bool wellFormed = false;
};

Manifest parse(const QByteArray &xml)
{
    Manifest m;
    QXmlStreamReader r(xml);
    const auto adlcp = u"http://www.adlnet.org/xsd/adlcp_rootv1p2"_s;
    while (!r.atEnd()) {
        if (!r.readNext() || !r.isStartElement())
            continue;
        if (r.name() == u"file")
            m.files << r.attributes().value(u"href"_s).toString();
        else if (r.name() == u"resource") {
            m.resources << r.attributes().value(u"href"_s).toString();
            if (r.attributes().value(adlcp, u"scormtype"_s) != u"sco")
                m.resources.last() += u" (no sco)"_s;
        } else if (r.name() == u"masteryscore" && r.namespaceUri() == adlcp)
            m.mastery = r.readElementText();
        else if (r.name() == u"title" && m.title.isEmpty())
            m.title = r.readElementText();
        else if (r.name() == u"schemaversion")
            m.schemaVersion = r.readElementText();
    }
    m.wellFormed = !r.hasError();
    return m;
}

// Little-endian fields of a zip's records, to break one on purpose.
void put16(QByteArray &zip, qsizetype at, quint16 v) { qToLittleEndian(v, zip.data() + at); }
void put32(QByteArray &zip, qsizetype at, quint32 v) { qToLittleEndian(v, zip.data() + at); }
qsizetype central(const QByteArray &zip) { return zip.indexOf("PK\x01\x02"); }

} // namespace

class TestScorm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zipRoundTrip();
    void hostileZip_data();
    void hostileZip();
    void packageHoldsThePageAndItsManifest();
    void kazpackScorm();
    void packageReadAsAProgram();
};

// Members come back as written, under their names (Cyrillic ones too), and the same members give
// the same bytes; the checksum is the standard CRC-32 other zip programs check.
void TestScorm::zipRoundTrip()
{
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary += char(i * 7);
    const QList<ZipArchive::Member> members{{u"imsmanifest.xml"_s, "<x/>"}, {u"тест/кирилица.html"_s, binary}, {u"empty"_s, {}}};
    const QByteArray zip = ZipArchive::write(members);
    QCOMPARE(ZipArchive::write(members), zip);
    QVERIFY(ZipArchive::looksLikeZip(zip));
    const ZipArchive::Read back = ZipArchive::read(zip);
    QVERIFY2(back.ok(), qPrintable(back.problem));
    QCOMPARE(back.members.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(back.members.at(i).name, members.at(i).name);
        QCOMPARE(back.members.at(i).bytes, members.at(i).bytes);
    }
    QCOMPARE(ZipArchive::crc32("123456789"), 0xcbf43926u);
    // A comment after the end record is allowed, as other zip programs write one.
    QByteArray commented = zip;
    put16(commented, commented.size() - 2, 5);
    commented += "hello";
    QVERIFY(ZipArchive::read(commented).ok());
}

void TestScorm::hostileZip_data()
{
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QString>("reason");
    const auto one = [](const QString &name, const QByteArray &bytes = "x") { return ZipArchive::write({{name, bytes}}); };
    QTest::newRow("parent") << one(u"../evil.html"_s) << u"outside the folder"_s;
    QTest::newRow("parent inside") << one(u"a/../../evil.html"_s) << u"outside the folder"_s;
    QTest::newRow("absolute") << one(u"/etc/evil"_s) << u"outside the folder"_s;
    QTest::newRow("drive") << one(u"C:evil.html"_s) << u"outside the folder"_s;
    QTest::newRow("backslash") << one(u"..\\evil.html"_s) << u"outside the folder"_s;
    QTest::newRow("control") << one(u"a\nb.html"_s) << u"control character"_s;

    QByteArray huge = one(u"kaz.html"_s);
    const qsizetype c = central(huge);
    put32(huge, c + 20, 1u << 30);
    put32(huge, c + 24, 1u << 30);
    QTest::newRow("claims 1 GB") << huge << u"1073741824 bytes"_s;

    QByteArray deflated = one(u"kaz.html"_s);
    put16(deflated, central(deflated) + 10, 8);
    QTest::newRow("compressed") << deflated << u"compressed"_s;

    QByteArray locked = one(u"kaz.html"_s);
    put16(locked, central(locked) + 8, 1);
    QTest::newRow("password") << locked << u"password"_s;

    QByteArray changed = one(u"kaz.html"_s, "the page");
    changed[changed.indexOf("the page")] = 'T';
    QTest::newRow("changed member") << changed << u"checksum"_s;

    const QByteArray whole = one(u"kaz.html"_s, "the page");
    QTest::newRow("cut short") << whole.chopped(10) << u"damaged or cut short"_s;
    QTest::newRow("central directory cut") << whole.first(central(whole) + 20) << u"damaged or cut short"_s;

    QByteArray outside = whole;
    put32(outside, central(outside) + 42, 0x7fffffff);
    QTest::newRow("member outside the file") << outside << u"damaged"_s;

    QList<ZipArchive::Member> many;
    for (int i = 0; i < 2000; ++i)
        many.append({u"f%1"_s.arg(i), {}});
    QTest::newRow("2000 members") << ZipArchive::write(many) << u"2000 files"_s;

    QByteArray zip64 = whole;
    put16(zip64, zip64.size() - 12, 0xffff);
    put16(zip64, zip64.size() - 14, 0xffff);
    QTest::newRow("zip64") << zip64 << u"zip64"_s;

    QTest::newRow("twice") << ZipArchive::write({{u"a.html"_s, "1"}, {u"a.html"_s, "2"}}) << u"twice"_s;
    QTest::newRow("no zip") << QByteArray("PK\x03\x04 and nothing else") << u"damaged"_s;
}

// Each is refused with its reason within 2 s, reading nothing a header claims beyond the bytes
// given; as a package, the editor's opening says the same reason and writes nothing.
void TestScorm::hostileZip()
{
    QFETCH(QByteArray, zip);
    QFETCH(QString, reason);
    QElapsedTimer timer;
    timer.start();
    const ZipArchive::Read read = ZipArchive::read(zip);
    QVERIFY(!read.ok());
    QVERIFY2(read.problem.contains(reason), qPrintable(read.problem));
    QVERIFY(read.members.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(u"kaz-test-scorm.zip"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(zip);
    f.close();
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(path, ProgramQuiz::Reader::Editor);
    QVERIFY(!loaded.ok());
    QVERIFY2(!loaded.message.isEmpty(), qPrintable(loaded.message));
    QVERIFY(timer.elapsed() < AnswerTime::LimitMs);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{u"kaz-test-scorm.zip"_s});
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(u"../evil.html"_s)));
}

// The package holds the page with its settings and a manifest naming that page and nothing
// more; the pass mark is the manifest's mastery score, and none leaves it out.
void TestScorm::packageHoldsThePageAndItsManifest()
{
    for (const std::optional<int> mark : {std::optional<int>(50), std::optional<int>(80), std::optional<int>()}) {
        const ScormPackage::Settings settings{mark, mark == 80};
        const QByteArray zip = ScormPackage::make(page(), u"kaz-figuri.html"_s, u"Фигури <и> „ъгли“ & още"_s, settings);
        QCOMPARE(ScormPackage::make(page(), u"kaz-figuri.html"_s, u"Фигури <и> „ъгли“ & още"_s, settings), zip);
        const ZipArchive::Read read = ZipArchive::read(zip);
        QVERIFY2(read.ok(), qPrintable(read.problem));
        QStringList names;
        for (const auto &m : read.members)
            names << m.name;
        QCOMPARE(names, (QStringList{u"imsmanifest.xml"_s, u"kaz-figuri.html"_s}));

        const Manifest manifest = parse(read.members.at(0).bytes);
        QVERIFY(manifest.wellFormed);
        QCOMPARE(manifest.files, QStringList{u"kaz-figuri.html"_s});
        QCOMPARE(manifest.resources, QStringList{u"kaz-figuri.html"_s});
        QCOMPARE(manifest.schemaVersion, u"1.2"_s);
        QCOMPARE(manifest.title, u"Фигури <и> „ъгли“ & още"_s);
        QCOMPARE(manifest.mastery, mark ? QString::number(*mark) : QString());

        const QByteArray inside = read.members.at(1).bytes;
        const auto back = ScormPackage::settingsOf(inside);
        QVERIFY(back);
        QCOMPARE(back->passMark, mark);
        QCOMPARE(back->learnerName, mark == 80);
        // Immediately before the test, which the page's script relies on.
        QVERIFY(inside.contains(ScormPackage::settingsElement(settings) + WebPage::TestStart));
        // Settings given again replace the old ones.
        QCOMPARE(ScormPackage::withSettings(inside, {}).count("id=\"kaz-scorm\""), 1);
        QCOMPARE(ScormPackage::page(zip).bytes, inside);
    }
    QVERIFY(!ScormPackage::settingsOf(page()));
    QVERIFY(ScormPackage::make("<html>no test here</html>", u"p.html"_s, u"t"_s, {}).isEmpty());
}

// kazpack --scorm writes kaz-FOLDER-scorm.zip (never with .html added), the same bytes each time;
// a pass mark outside 0..100 and options that belong to --scorm alone are mistakes.
void TestScorm::kazpackScorm()
{
    QTemporaryDir dir;
    const QString runner = dir.filePath(u"kazweb.html"_s);
    QVERIFY(TestFiles::write(runner, page()));
    const QString folder = TestFiles::sourcePath(u"quizzes/figuri"_s);
    const QString out = dir.filePath(u"kaz-figuri-scorm.zip"_s);
    auto run = KazpackRun::kazpack({u"--scorm"_s, u"--runner"_s, runner, u"-o"_s, out, u"--pass-mark"_s, u"none"_s, folder}, runner);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(u"kaz-figuri-scorm.zip"_s), qPrintable(run.out));
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray zip = f.readAll();
    f.close();
    const ScormPackage::Page inside = ScormPackage::page(zip);
    QVERIFY2(inside.ok(), qPrintable(inside.problem));
    QCOMPARE(inside.name, u"kaz-figuri.html"_s);
    QCOMPARE(ScormPackage::settingsOf(inside.bytes)->passMark, std::nullopt);
    QVERIFY(parse(ZipArchive::read(zip).members.at(0).bytes).title.contains(u"равнинни фигури"_s));

    run = KazpackRun::kazpack({u"--scorm"_s, u"--runner"_s, runner, u"-o"_s, out, u"--force"_s, u"--pass-mark"_s, u"none"_s, folder}, runner);
    QCOMPARE(run.status, 0);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), zip);
    f.close();

    for (const QStringList &wrong : {QStringList{u"--pass-mark"_s, u"101"_s}, QStringList{u"--pass-mark"_s, u"half"_s},
                                     QStringList{u"--windows"_s}}) {
        run = KazpackRun::kazpack(QStringList{u"--scorm"_s, u"--runner"_s, runner, u"-o"_s, dir.filePath(u"x.zip"_s)} + wrong + QStringList{folder}, runner);
        QCOMPARE(run.status, 2);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"x.zip"_s)));
    }
    run = KazpackRun::kazpack({u"--web"_s, u"--pass-mark"_s, u"60"_s, u"--runner"_s, runner, folder}, runner);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(u"--pass-mark belongs to --scorm"_s), qPrintable(run.err));
}

// A package is read as the page it holds: the same files, listed and opened as a program's.
void TestScorm::packageReadAsAProgram()
{
    QTemporaryDir dir;
    const QString runner = dir.filePath(u"kazweb.html"_s);
    QVERIFY(TestFiles::write(runner, page()));
    const QString folder = TestFiles::sourcePath(u"quizzes/istoriya"_s);
    QCOMPARE(KazpackRun::kazpack({u"--web"_s, u"--runner"_s, runner, u"-o"_s, dir.filePath(u"p.html"_s), folder}, runner).status, 0);
    QCOMPARE(KazpackRun::kazpack({u"--scorm"_s, u"--runner"_s, runner, u"-o"_s, dir.filePath(u"p.zip"_s), folder}, runner).status, 0);
    const PackedQuiz::Contents fromPage = PackedQuiz::read(dir.filePath(u"p.html"_s));
    const PackedQuiz::Contents fromPackage = PackedQuiz::read(dir.filePath(u"p.zip"_s));
    QVERIFY2(fromPackage.ok(), qPrintable(fromPackage.reason));
    QCOMPARE(fromPackage.files.size(), fromPage.files.size());
    for (qsizetype i = 0; i < fromPage.files.size(); ++i)
        QCOMPARE(fromPackage.files.at(i).bytes, fromPage.files.at(i).bytes);
    const ProgramQuiz::Loaded loaded = ProgramQuiz::load(dir.filePath(u"p.zip"_s), ProgramQuiz::Reader::Editor);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));

    // A zip of anything else is no test package.
    QFile other(dir.filePath(u"photos.zip"_s));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write(ZipArchive::write({{u"photo.jpg"_s, "jpeg"}}));
    other.close();
    QCOMPARE(PackedQuiz::read(other.fileName()).fault, PackedQuiz::Fault::NoTest);
}

QTEST_GUILESS_MAIN(TestScorm)
#include "tst_scorm.moc"
