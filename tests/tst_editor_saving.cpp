// Where the editor's document is saved and when it is not: a new test's folder named after its
// title and never one that is there, nothing saved where KAZ is installed, a write-protected
// file never replaced, and a folder another program is saving into told at once.
#include "EditorSupport.h"
#include "FileAccess.h"
#include "Packing.h"
#include "SavePlace.h"
#include "QuizDocument.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace EditorSupport;
using namespace Qt::StringLiterals;
using Kind = SavePlace::Chosen::Kind;
using Outcome = QuizDocument::Saved::Outcome;

Q_DECLARE_METATYPE(SavePlace::Chosen::Kind)
Q_DECLARE_METATYPE(QuizDocument::Saved::Outcome)

namespace {

// A test saved by the editor into `folder`, titled `title`.
bool writeTest(const QString &folder, const QString &title)
{
    QuizDocument d;
    setRows(d, u"Русе\tПриста\n"_s);
    d.setField(DocumentField::Title, title);
    return d.saveTo(folder).isEmpty();
}

} // namespace

class TestEditorSaving : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void isInside_data();
    void isInside();
    void installFoldersHoldTheProgramsAndTheRunner();
    void chosenFolder_data();
    void chosenFolder();
    void madeFolderNeverTakesOneThatIsThere();
    void notSaved_data();
    void notSaved();
    void folderBeingSavedIntoIsToldAtOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestEditorSaving::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestEditorSaving::isInside_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("inside");
    QTest::addRow("the_folder_itself") << u"KAZ"_s << u"KAZ"_s << true;
    QTest::addRow("below_it") << u"KAZ/quizzes/istoriya"_s << u"KAZ"_s << true;
    QTest::addRow("not_yet_made_below_it") << u"KAZ/quizzes/new/deeper"_s << u"KAZ"_s << true;
    QTest::addRow("a_name_that_starts_alike") << u"KAZ2/quizzes"_s << u"KAZ"_s << false;
    QTest::addRow("beside_it") << u"Documents/istoriya"_s << u"KAZ"_s << false;
    QTest::addRow("not_yet_made_beside_it") << u"Documents/new/deeper"_s << u"KAZ"_s << false;
    QTest::addRow("above_it") << u"."_s << u"KAZ"_s << false;
    QTest::addRow("with_dots_leading_out") << u"KAZ/quizzes/../../Documents"_s << u"KAZ"_s << false;
    QTest::addRow("through_a_link_into_it") << u"link/quizzes"_s << u"KAZ"_s << true;
#ifdef Q_OS_WIN
    QTest::addRow("other_capitals") << u"kaz/Quizzes"_s << u"KAZ"_s << true;
#endif
}

void TestEditorSaving::isInside()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(bool, inside);
    const QDir dir(m_dir->path());
    QVERIFY(dir.mkpath(u"KAZ/quizzes/istoriya"_s));
    QVERIFY(dir.mkpath(u"KAZ2/quizzes"_s));
    QVERIFY(dir.mkpath(u"Documents/istoriya"_s));
    if (path.startsWith(u"link/"_s)) {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QVERIFY(TestFiles::symlink(dir.filePath(u"KAZ"_s), dir.filePath(u"link"_s)));
    }
    QCOMPARE(SavePlace::isInside(dir.filePath(path), dir.filePath(folder)), inside);
}

// The folders the programs lie in: the running program's and its runner's, where kazpack and
// the editor find the runner.
void TestEditorSaving::installFoldersHoldTheProgramsAndTheRunner()
{
    const QStringList folders = SavePlace::installFolders();
    QVERIFY(folders.contains(QDir::cleanPath(QCoreApplication::applicationDirPath())));
    const QString runner = Packing::installedRunner();
    QVERIFY(std::any_of(folders.cbegin(), folders.cend(),
                        [&runner](const QString &f) { return QFileInfo(runner).absolutePath() == f; }));
    // A sample test below the program's folder is no place for saving; a folder of one's own is.
    QTemporaryDir quizzes(QCoreApplication::applicationDirPath() + u"/quizzes-XXXXXX"_s);
    QVERIFY(quizzes.isValid());
    const QString sample = quizzes.filePath(u"istoriya"_s);
    QVERIFY(QDir().mkpath(sample));
    QVERIFY(SavePlace::notForSaving(sample).contains(u"where KAZ is installed"_s));
    QVERIFY(SavePlace::notForSaving(quizzes.filePath(u"new"_s)).contains(u"where KAZ is installed"_s));
    QCOMPARE(SavePlace::notForSaving(m_dir->path()), QString());
    // Save as starts in Documents then, never among the samples.
    QVERIFY(!SavePlace::isInside(SavePlace::saveStart(sample), QCoreApplication::applicationDirPath()));
    QCOMPARE(SavePlace::saveStart(m_dir->path()), m_dir->path());
}

// The folder the teacher chose in Save as: a new folder inside it, named after the title, never
// one that is there; another test's folder is told, with a free folder beside it.
void TestEditorSaving::chosenFolder_data()
{
    QTest::addColumn<QString>("holds"); // names made in the chosen folder "place"; "test": it holds one
    QTest::addColumn<QString>("own");   // the document's own folder, relative; empty: a new test
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("folder"); // relative to the temporary folder

    QTest::addRow("empty_folder_gets_one_named_after_the_title")
        << QString() << QString() << Kind::Inside << u"place/stari-nazvaniya-na-gradove"_s;
    QTest::addRow("documents_with_other_tests")
        << u"istoriya,figuri"_s << QString() << Kind::Inside << u"place/stari-nazvaniya-na-gradove"_s;
    QTest::addRow("name_taken_by_a_folder")
        << u"stari-nazvaniya-na-gradove"_s << QString() << Kind::Inside << u"place/stari-nazvaniya-na-gradove-2"_s;
    QTest::addRow("name_and_next_taken")
        << u"stari-nazvaniya-na-gradove,stari-nazvaniya-na-gradove-2"_s << QString() << Kind::Inside
        << u"place/stari-nazvaniya-na-gradove-3"_s;
    QTest::addRow("name_taken_by_a_file")
        << u"stari-nazvaniya-na-gradove.txt,stari-nazvaniya-na-gradove:file"_s << QString() << Kind::Inside
        << u"place/stari-nazvaniya-na-gradove-2"_s;
    QTest::addRow("folder_of_another_test") << u"test"_s << QString() << Kind::HoldsTest
                                            << u"stari-nazvaniya-na-gradove"_s;
    QTest::addRow("own_folder_saves_in_place") << u"test"_s << u"place"_s << Kind::Own << u"place"_s;
    QTest::addRow("saved_test_saved_as_another")
        << QString() << u"elsewhere"_s << Kind::Inside << u"place/stari-nazvaniya-na-gradove"_s;
}

void TestEditorSaving::chosenFolder()
{
    QFETCH(QString, holds);
    QFETCH(QString, own);
    QFETCH(Kind, kind);
    QFETCH(QString, folder);
    const QDir dir(m_dir->path());
    const QString place = dir.filePath(u"place"_s);
    QVERIFY(dir.mkpath(place));
    if (holds == u"test")
        QVERIFY(writeTest(place, u"Други градове"_s));
    else
        for (const QString &name : holds.split(u',', Qt::SkipEmptyParts)) {
            if (name.endsWith(u":file"_s))
                QVERIFY(TestFiles::write(QDir(place).filePath(name.chopped(5)), "notes"));
            else
                QVERIFY(QDir(place).mkpath(name));
        }
    const QStringList before = TestFiles::everything(m_dir->path());

    const SavePlace::Chosen c = SavePlace::consider(place, own.isEmpty() ? QString() : dir.filePath(own),
                                                    u"Стари названия на градове"_s);
    QCOMPARE(c.kind, kind);
    QCOMPARE(c.folder, dir.filePath(folder));
    QCOMPARE(c.title, kind == Kind::HoldsTest ? u"Други градове"_s : QString());
    QCOMPARE(TestFiles::everything(m_dir->path()), before); // only looked at
    // The program made of it follows the folder, so the title too.
    if (kind == Kind::Inside)
        QCOMPARE(Packing::programName(c.folder, Packing::System::Windows),
                 u"kaz-"_s + QFileInfo(c.folder).fileName() + u".exe"_s);
}

// The folder is made by its name alone: a name another save took meanwhile is not shared.
void TestEditorSaving::madeFolderNeverTakesOneThatIsThere()
{
    const QString place = m_dir->path();
    const QString first = SavePlace::makeFolder(place, u"Столици"_s);
    QCOMPARE(first, QDir(place).filePath(u"stolitsi"_s));
    QVERIFY(writeTest(first, u"Столици"_s));
    const QString second = SavePlace::makeFolder(place, u"Столици"_s);
    QCOMPARE(second, QDir(place).filePath(u"stolitsi-2"_s));
    QVERIFY(QDir(second).isEmpty());
    QCOMPARE(SavePlace::makeFolder(QDir(place).filePath(u"missing/deeper"_s), u"Столици"_s), QString());
}

// What a save refuses, leaving the disk as it was: the folder where KAZ is installed, a
// write-protected test.kaz or picture; an unchanged protected file is no hindrance.
void TestEditorSaving::notSaved_data()
{
    QTest::addColumn<QString>("place");   // "installed", "protected test", "protected picture", "unchanged"
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("named");   // a part of `why`
    QTest::addRow("sample_in_the_install_folder") << u"installed"_s << Outcome::NotHere << u"where KAZ is installed"_s;
    QTest::addRow("new_folder_in_the_install_folder") << u"installed new"_s << Outcome::NotHere
                                                      << u"where KAZ is installed"_s;
    QTest::addRow("write_protected_test_kaz") << u"protected test"_s << Outcome::WriteProtected
                                              << u"test.kaz in "_s;
    QTest::addRow("write_protected_picture") << u"protected picture"_s << Outcome::WriteProtected
                                             << u"karta.png in "_s;
    QTest::addRow("protected_but_unchanged") << u"unchanged"_s << Outcome::Saved << QString();
}

void TestEditorSaving::notSaved()
{
    QFETCH(QString, place);
    QFETCH(Outcome, outcome);
    QFETCH(QString, named);
    QTemporaryDir installed(QCoreApplication::applicationDirPath() + u"/quizzes-XXXXXX"_s);
    QVERIFY(installed.isValid());
    const QString folder = place.startsWith(u"installed"_s) ? installed.filePath(u"istoriya"_s) : m_dir->filePath(u"t"_s);
    QuizDocument d;
    setRows(d, u"Варна\tОдесос\nРусе\tПриста\n"_s);
    d.setPicture(1, u"karta.png"_s, png(10, 10));
    if (place != u"installed new") {
        // Written as a test of the folder, as the setup and kazpack --extract put it there.
        QDir().mkpath(folder);
        TestFiles::write(folder + u"/test.kaz"_s, d.text().toUtf8());
        TestFiles::write(folder + u"/karta.png"_s, png(10, 10));
    }
    if (place != u"unchanged")
        d.setCell(0, DocumentField::Right, u"Одесос, Хераклея"_s);
    if (place == u"protected test" || place == u"unchanged")
        QVERIFY(QFile::setPermissions(folder + u"/test.kaz"_s, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (place == u"protected picture") {
        d.setPicture(1, u"karta.png"_s, png(12, 12)); // another picture of the same name
        QVERIFY(QFile::setPermissions(folder + u"/karta.png"_s, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    // Every file beside and below the test's folder with its bytes.
    const auto filesThere = [&folder] {
        const QDir place(QFileInfo(folder).path());
        QMap<QString, QByteArray> files;
        for (const QString &name : TestFiles::everything(place.path()))
            files.insert(name, TestFiles::contents(place.filePath(name)));
        return files;
    };
    const QMap<QString, QByteArray> before = filesThere();

    const QuizDocument::Saved saved = d.trySaveTo(folder);
    QCOMPARE(saved.outcome, outcome);
    QVERIFY2(saved.why.contains(named), qPrintable(saved.why));
    // The older way of saving refuses alike, with the same reason.
    if (outcome != Outcome::Saved) {
        QCOMPARE(d.saveTo(folder), saved.why);
        QVERIFY(d.isModified());
        QCOMPARE(d.folder(), QString());
        QCOMPARE(filesThere(), before);
    } else {
        QVERIFY(!d.isModified());
        QCOMPARE(d.folder(), QFileInfo(folder).absoluteFilePath());
    }
    // Write-protected files are left so: the temporary folder removes them all the same.
}

// Another program holds the folder's lock of saving: the document says so at once and writes
// nothing; once it is done, the save goes through.
void TestEditorSaving::folderBeingSavedIntoIsToldAtOnce()
{
    const QString folder = m_dir->filePath(u"t"_s);
    QVERIFY(writeTest(folder, u"Стари"_s));
    const QByteArray before = TestFiles::contents(folder + u"/test.kaz"_s);
    auto other = std::make_unique<QLockFile>(folder + u"/.kaz-save.lock"_s);
    QVERIFY(other->tryLock(0));

    QuizDocument d;
    setRows(d, u"Варна\tОдесос\n"_s);
    d.setCell(0, DocumentField::Right, u"Одесос, Хераклея"_s);
    QElapsedTimer clock;
    clock.start();
    const QuizDocument::Saved saved = d.trySaveTo(folder);
    const qint64 ms = clock.elapsed();
    QCOMPARE(saved.outcome, Outcome::Busy);
    QVERIFY2(saved.why.contains(u"another program is saving"_s), qPrintable(saved.why));
    QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
    QCOMPARE(TestFiles::contents(folder + u"/test.kaz"_s), before);
    QVERIFY(d.isModified());

    // A new folder inside one being saved into is made and locked by this save alone.
    QCOMPARE(d.trySaveTo(folder + u"/inner"_s).outcome, Outcome::Saved);

    other.reset();
    QCOMPARE(d.trySaveTo(folder).outcome, Outcome::Saved);
    QVERIFY(TestFiles::text(folder + u"/test.kaz"_s).contains(u"Одесос, Хераклея"_s));
}

QTEST_GUILESS_MAIN(TestEditorSaving)
#include "tst_editor_saving.moc"
