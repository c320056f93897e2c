// The test editor's document on disk: opening folders and stores, saving, the round trips of
// files the editor wrote and of the shipped tests, pictures copied into the folder, and the
// recovery file.
#include "ContentReader.h"
#include "EditorSupport.h"
#include "FileAccess.h"
#include "FileMapping.h"
#include "Gift.h"
#include "KilledAtStep.h"
#include "Recovery.h"
#include "QuizDocument.h"
#include "TestFiles.h"
#include "WindowsDiffers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace EditorSupport;
using namespace Qt::StringLiterals;

using Build = std::function<void(QuizDocument &)>;
Q_DECLARE_METATYPE(Build)

namespace {

// Every file below `dir` with its bytes.
QMap<QString, QByteArray> filesIn(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (const QString &name : TestFiles::everything(dir))
        out.insert(name, TestFiles::contents(QDir(dir).filePath(name)));
    return out;
}

QMap<QString, QDateTime> timesIn(const QString &dir)
{
    QMap<QString, QDateTime> out;
    for (const QString &name : TestFiles::everything(dir))
        out.insert(name, QFileInfo(QDir(dir).filePath(name)).lastModified());
    return out;
}

// A test folder "t" in `tmp` with two rows, the second with the picture karta.png, saved by
// the editor; the picture's path.
QString folderWithPicture(const QTemporaryDir &tmp)
{
    QuizDocument maker;
    setRows(maker, u"а\tА\nб\tБ\n"_s);
    maker.setPicture(1, u"karta.png"_s, png(10, 10));
    const QString folder = tmp.filePath(u"t"_s);
    return maker.saveTo(folder).isEmpty() ? QDir(folder).filePath(u"karta.png"_s) : QString();
}

ContentStore storeOf(const QString &folder)
{
    const ContentReader::Result r = ContentReader::readBytes(TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)));
    return r.store;
}

// A test of every kind of row and field.
void everything(QuizDocument &d)
{
    setRows(d,
            u"# Варна\tОдесос\t\"Одесос е гръцка колония.\nПо-късно Одесус.\"\n"
            "[Пловдив]\tФилипополис\n"
            "\\София\tСердика  \tСредец\n"
            "Русе\tРусчук\n"
            "\tКастра Мартис\n"_s);
    d.setExplanationShown(2, false);
    const QByteArray map = png(30, 20);
    d.setPicture(0, u"karta.png"_s, map);
    d.setPicture(1, u"karta.png"_s, map); // one file for two questions
    d.setPicture(2, u"serdika.png"_s, png(16, 16, qRgb(0, 0, 200)));
    d.setPictureMode(2, PictureMode::ThumbnailOnly);
    d.setPicture(3, u"ruse.png"_s, png(8, 8, qRgb(0, 200, 0)));
    d.setPictureMode(3, PictureMode::Hidden);
    d.setPictureBox(0, 1695, 1815);
    d.setField(DocumentField::Address, u"https://school.example.bg"_s);
    d.setField(DocumentField::Title, u"Стари имена # [1]"_s);
    d.setField(DocumentField::WindowWidth, u"12000"_s);
    d.setField(DocumentField::RightListWidth, u"7000"_s);
    d.setField(DocumentField::Instructions, u"# не е бележка\n\n[не е раздел]\n  отстъп\n\n"_s);
    d.setField(DocumentField::ExplanationLabel, u"Обяснения"_s);
    d.setField(DocumentField::PictureLabel, u"Рисунки"_s);
}

#ifdef Q_OS_UNIX
mode_t modeOf(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}
#endif

} // namespace

class TestEditorFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void editorWrittenFolderSavesUnchanged_data();
    void editorWrittenFolderSavesUnchanged();
    void giftConvertedFolderSavesUnchanged();
    void noteOfUnpairedRowsReadBack_data();
    void noteOfUnpairedRowsReadBack();
    void shippedTestsKeepEveryDatum_data();
    void shippedTestsKeepEveryDatum();
    void handWrittenLayoutDiffersOnlyInPaddedSwitches();
    void rowTakesOverWhatStoodPastTheLastQuestion();
    void missingPictureKeptByName();
    void unreadablePictureSaysWhatItIs_data();
    void unreadablePictureSaysWhatItIs();
    void pictureCopiedNotMoved();
    void storeOpensWithItsPictures();
    void openRefusesWhatIsNoTest_data();
    void openRefusesWhatIsNoTest();
    void saveFailsWithReasonAndKeepsTheDocument();
    void testWithProblemsIsSaved();
    void recoveryRestoresTheDocument_data();
    void recoveryRestoresTheDocument();
    void recoveryFileIsOneAndGoesOnSave();
    void damagedRecoveryIsRefused();
    void saveKilledAtEveryStepOpensAWholeTest();
    void leftoversOfAnOlderEditor();
    void linkedFilesRefusedAtOpening_data();
    void linkedFilesRefusedAtOpening();
    void twoEditorsKeepTheirOwnCopies();
    void copyOfAKilledEditorIsOffered();
    void tamperedRecoveryRefused_data();
    void tamperedRecoveryRefused();
    void manyCopiesFoundQuickly();
    void largeCopyOfferedFromItsEnd_data();
    void largeCopyOfferedFromItsEnd();
};

void TestEditorFiles::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void TestEditorFiles::init() { QDir(Recovery::folder()).removeRecursively(); }

// ---------------------------------------------------------------- round trips

void TestEditorFiles::editorWrittenFolderSavesUnchanged_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<bool>("same_content"); // the reopened document equals the one that saved

    QTest::addRow("pairs") << Build([](QuizDocument &d) { setRows(d, u"а\tА\nб\tБ\n"_s); }) << true;
    QTest::addRow("every_kind_of_row_and_field") << Build(everything) << true;
    QTest::addRow("no_rows") << Build([](QuizDocument &) {}) << true;
    QTest::addRow("explanations_past_question_30") << Build([](QuizDocument &d) {
        QString rows;
        for (int i = 1; i <= 35; ++i)
            rows += u"л%1\tд%1\tред %1\n"_s.arg(i);
        setRows(d, rows);
        d.setExplanationShown(4, false);
    }) << false; // the lines of questions 31 to 35 cannot be saved
    // Rows without a pair stay where the table had them, though the file writes them last.
    QTest::addRow("extra_right_phrase_at_the_start")
        << Build([](QuizDocument &d) { setRows(d, u"\tХ\nа\tА\nб\tБ\nв\tВ\n"_s); }) << true;
    QTest::addRow("extra_right_phrase_between_rows_10_and_11") << Build([](QuizDocument &d) {
        QString rows;
        for (int i = 1; i <= 12; ++i)
            rows += (i == 11 ? u"\tизлишна\n"_s : QString()) + u"л%1\tд%1\n"_s.arg(i);
        setRows(d, rows);
    }) << true;
    QTest::addRow("extra_right_phrase_at_the_end")
        << Build([](QuizDocument &d) { setRows(d, u"а\tА\nб\tБ\nв\tВ\n\tХ\n"_s); }) << true;
    QTest::addRow("several_extras_in_a_row_and_apart") << Build([](QuizDocument &d) {
        setRows(d, u"а\tА\tред а\n\tХ\n\tЦ\nб\tБ\nв\tВ\nг\tГ\n\tЧ\nд\tД\nе\tЕ\nж\tЖ\tред ж\nз\tЗ\nи\tИ\n"_s);
        d.setPicture(4, u"в.png"_s, png(10, 10));
    }) << true;
    QTest::addRow("left_phrase_without_a_right_one_in_the_middle")
        << Build([](QuizDocument &d) { setRows(d, u"а\tА\nб\nв\tВ\tред в\nг\n"_s); }) << true;
    QTest::addRow("both_kinds_of_unpaired_rows_and_a_blank_row")
        << Build([](QuizDocument &d) { setRows(d, u"а\tА\nб\t\n\t\n\tВ\n"_s); }) << false;
    QTest::addRow("towns_test_saved_once")
        << Build([](QuizDocument &d) { QVERIFY(d.openFolder(sourcePath(u"quizzes/istoriya"_s)).ok()); }) << true;
    QTest::addRow("figures_test_saved_once")
        << Build([](QuizDocument &d) { QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok()); }) << true;
}

void TestEditorFiles::editorWrittenFolderSavesUnchanged()
{
    QFETCH(Build, build);
    QFETCH(bool, same_content);
    QTemporaryDir tmp;
    const QString a = tmp.filePath(u"a"_s), b = tmp.filePath(u"b"_s);
    QuizDocument first;
    build(first);
    QCOMPARE(first.saveTo(a), QString());

    QuizDocument second;
    const QuizDocument::Opened opened = second.openFolder(a);
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QVERIFY(!second.isModified());
    if (same_content)
        QVERIFY(second.content() == first.content());
    QCOMPARE(second.saveTo(b), QString());
    QCOMPARE(filesIn(b), filesIn(a));

    // Saved in place without an edit, no file is even touched.
    const QMap<QString, QDateTime> times = timesIn(a);
    const QMap<QString, QByteArray> bytes = filesIn(a);
    // Until a file written now has a later time, so that a file written again would show.
    const QDateTime last = *std::max_element(times.cbegin(), times.cend());
    const QString probe = tmp.filePath(u"probe"_s);
    QTRY_VERIFY(TestFiles::write(probe, "x") && QFileInfo(probe).lastModified() > last);
    QCOMPARE(second.saveTo(a), QString());
    QCOMPARE(filesIn(a), bytes);
    QCOMPARE(timesIn(a), times);
}

// The note that keeps rows without a pair in their places: read back where it fits the lists,
// dropped where a hand edit made it wrong, never kept as a note of the teacher's.
void TestEditorFiles::noteOfUnpairedRowsReadBack_data()
{
    QTest::addColumn<QString>("note");
    QTest::addColumn<QStringList>("rows"); // left|right of each row as opened
    const QStringList asWritten{u"а|А"_s, u"б|Б"_s, u"в|В"_s, u"|Х"_s};
    QTest::addRow("fits") << u"0"_s << QStringList{u"|Х"_s, u"а|А"_s, u"б|Б"_s, u"в|В"_s};
    QTest::addRow("fits_spaced") << u" 2 "_s << QStringList{u"а|А"_s, u"б|Б"_s, u"|Х"_s, u"в|В"_s};
    QTest::addRow("more_numbers_than_rows") << u"0, 1"_s << asWritten;
    QTest::addRow("past_the_pairs") << u"4"_s << asWritten;
    QTest::addRow("negative") << u"-1"_s << asWritten;
    QTest::addRow("not_a_number") << u"две"_s << asWritten;
    QTest::addRow("empty") << QString() << asWritten;
}

void TestEditorFiles::noteOfUnpairedRowsReadBack()
{
    QFETCH(QString, note);
    QFETCH(QStringList, rows);
    QTemporaryDir tmp;
    const QString text = u"# Бележка на учителя\n# "_s + FileMapping::OrderNote.toString() + note
        + u"\n[parameters]\nhttps://kaz.test Проба\n11250\n120\n3135\n3360\n6575\n[left]\nа\nб\nв\n"
          u"[right]\nА\nБ\nВ\nХ\n[picture flags]\nКартинки\n0\n0\n0\n"_s;
    QVERIFY(TestFiles::write(tmp.filePath(u"test.kaz"_s), text.toUtf8()));
    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(tmp.path());
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QStringList shown;
    for (int r = 0; r < d.rowCount(); ++r)
        shown.append(d.row(r).left + u'|' + d.row(r).right);
    QCOMPARE(shown, rows);
    QCOMPARE(d.content().comments, QStringList{u"Бележка на учителя"_s});
    // The file's phrases point at the rows that hold them.
    for (int i = 0; i < 4; ++i)
        QCOMPARE(d.row(opened.rightRows.at(i)).right, (QStringList{u"А"_s, u"Б"_s, u"В"_s, u"Х"_s}.at(i)));
    // Written again, the note says where the rows stand now, or is not written at all.
    const QStringList comments = FileMapping::leadingComments(d.text());
    const bool asWritten = rows == QStringList{u"а|А"_s, u"б|Б"_s, u"в|В"_s, u"|Х"_s};
    QCOMPARE(comments.size(), asWritten ? 1 : 2);
    if (comments.size() == 2)
        QCOMPARE(comments.at(1), FileMapping::OrderNote.toString() + note.trimmed());
}

// gift2kaz writes with ContentWriter too: its folders open and save to the very same bytes.
void TestEditorFiles::giftConvertedFolderSavesUnchanged()
{
    const Gift::Result gift = Gift::readBytes(TestFiles::contents(sourcePath(u"docs/examples/bulgaria.gift"_s)));
    QVERIFY(gift.questions.size() >= 2);
    QTemporaryDir tmp;
    for (const Gift::Matching &question : gift.questions) {
        const QByteArray written = Gift::toContent(question, u"https://kaz.bg"_s, u"bulgaria.gift"_s).toUtf8();
        QVERIFY(TestFiles::write(tmp.filePath(u"gift/test.kaz"_s), written));
        QuizDocument d;
        QVERIFY(d.openFolder(tmp.filePath(u"gift"_s)).ok());
        QVERIFY(d.rowCount() > 0);
        QCOMPARE(d.saveTo(tmp.filePath(u"saved"_s)), QString());
        QCOMPARE(TestFiles::contents(tmp.filePath(u"saved/test.kaz"_s)), written);
    }
}

void TestEditorFiles::shippedTestsKeepEveryDatum_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addRow("towns") << u"quizzes/istoriya"_s;
    QTest::addRow("figures") << u"quizzes/figuri"_s;
}

void TestEditorFiles::shippedTestsKeepEveryDatum()
{
    QFETCH(QString, folder);
    const QString source = sourcePath(folder);
    QTemporaryDir tmp;
    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(source);
    QVERIFY2(opened.ok() && opened.problems.isEmpty(), qPrintable(opened.error));
    d.checkNow();
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
    QCOMPARE(d.saveTo(tmp.path()), QString());

    const ContentStore original = storeOf(source);
    const ContentStore saved = storeOf(tmp.path());
    QCOMPARE(saved.Danni(0), original.Danni(0));
    QCOMPARE(saved.Otgowor(0), original.Otgowor(0));
    QCOMPARE(saved.Spis_graf(), original.Spis_graf());
    QVERIFY(saved == original);
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const QString name = original.Graphika(q).source;
        if (!name.isEmpty())
            QCOMPARE(TestFiles::contents(tmp.filePath(name)), TestFiles::contents(QDir(source).filePath(name)));
    }
    const auto comments = [](const QString &dir) {
        return FileMapping::leadingComments(QString::fromUtf8(TestFiles::contents(QDir(dir).filePath(u"test.kaz"_s))));
    };
    QVERIFY(!comments(source).isEmpty());
    QCOMPARE(comments(tmp.path()), comments(source));

    QuizDocument again;
    QVERIFY(again.openFolder(tmp.path()).ok());
    QVERIFY(again.content() == d.content());
}

// Notes between sections, blank lines, CR LF, a byte order mark, a header in capitals, a
// picture section without its box: the layout goes, every datum stays. A switch section
// shorter than the questions is the one datum that changes: it gets its missing switches as 0.
void TestEditorFiles::handWrittenLayoutDiffersOnlyInPaddedSwitches()
{
    QTemporaryDir tmp;
    const QString source = tmp.filePath(u"hand"_s);
    const QString text = u"\uFEFF# Ръчно писан тест\r\n\r\n[ Parameters ]\r\nhttps://kaz.bg Ръчен\r\n11250\r\n120\r\n"
                         "3135\r\n3360\r\n6575\r\n\r\n# бележка между разделите\r\n[LEFT]\r\nа\r\n\r\nб\r\nв\r\n"
                         "[right]\r\nА\r\nБ\r\nВ\r\nГ\r\n[explanation switches]\r\nОбяснения\r\n1.0\r\n0\r\n"
                         "[explanation 1]\r\nред\r\n[picture flags]\r\nРисунки\r\n2\r\n0\r\n0\r\n[picture 1]\r\n"
                         "file=a.png\r\n"_s;
    QVERIFY(TestFiles::write(QDir(source).filePath(u"test.kaz"_s), text.toUtf8()));
    QVERIFY(TestFiles::write(QDir(source).filePath(u"a.png"_s), png(10, 10)));
    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(source);
    QVERIFY(opened.ok() && opened.problems.isEmpty());
    QCOMPARE(d.saveTo(tmp.filePath(u"saved"_s)), QString());

    const ContentStore original = storeOf(source);
    ContentStore saved = storeOf(tmp.filePath(u"saved"_s));
    QCOMPARE(saved.Otgowor(0), original.Otgowor(0) + QStringList{u"0"_s});
    saved.setOtgowor(0, original.Otgowor(0));
    QVERIFY(saved == original);
    QCOMPARE(saved.Otgowor(0).at(1), u"1.0"_s);
    QCOMPARE(saved.Spis_graf().at(1), u"2"_s);
}

// What the towns test holds past its 21 questions (explanation lists 22 … 30, switches up to
// 41, flags up to 34) is written back while no row is that question.
void TestEditorFiles::rowTakesOverWhatStoodPastTheLastQuestion()
{
    QuizDocument d;
    QVERIFY(d.openFolder(sourcePath(u"quizzes/istoriya"_s)).ok());
    QCOMPARE(d.rowCount(), 21);
    QCOMPARE(d.content().spare.size(), 20);
    d.insertRows(21, 1);
    d.setCell(21, DocumentField::Left, u"Шумен"_s);
    d.setCell(21, DocumentField::Right, u"Шумла"_s);
    const ContentStore store = ContentReader::read(d.text()).store;
    QCOMPARE(store.Danni(0).size(), 22);
    QVERIFY(store.Otgowor(22).isEmpty());
    QCOMPARE(store.Otgowor(23).first(), u"Otgowor 23"_s);
    QCOMPARE(store.Otgowor(0).size(), 42);
    QCOMPARE(store.Spis_graf().size(), 35);
    d.undoStack()->setIndex(0);
    QCOMPARE(ContentReader::read(d.text()).store, storeOf(sourcePath(u"quizzes/istoriya"_s)));
}

// ---------------------------------------------------------------- pictures

void TestEditorFiles::missingPictureKeptByName()
{
    QTemporaryDir tmp;
    const QString source = tmp.filePath(u"t"_s);
    QVERIFY(QFile::remove(folderWithPicture(tmp)));

    QuizDocument d;
    QVERIFY(d.openFolder(source).ok());
    QCOMPARE(d.row(1).picture.name, u"karta.png"_s);
    d.checkNow();
    QCOMPARE(places(d.problems()), QStringList{u"1:Picture"_s});
    QVERIFY2(d.problems().first().message.contains(u"choose the picture again"_s),
             qPrintable(d.problems().first().message));
    QCOMPARE(d.saveTo(tmp.filePath(u"saved"_s)), QString());
    QCOMPARE(TestFiles::everything(tmp.filePath(u"saved"_s)), QStringList{u"test.kaz"_s});
    QCOMPARE(storeOf(tmp.filePath(u"saved"_s)).Graphika(2).source, u"karta.png"_s);
    // Chosen again, it is written.
    QVERIFY(TestFiles::write(tmp.filePath(u"elsewhere/karta.png"_s), png(10, 10)));
    QCOMPARE(d.setPictureFromFile(1, tmp.filePath(u"elsewhere/karta.png"_s)), QString());
    QCOMPARE(d.saveTo(tmp.filePath(u"saved"_s)), QString());
    QCOMPARE(TestFiles::everything(tmp.filePath(u"saved"_s)), (QStringList{u"karta.png"_s, u"test.kaz"_s}));
}

// A picture that is there but no file is named as what it is, not as missing.
void TestEditorFiles::unreadablePictureSaysWhatItIs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    QTest::addRow("missing") << u"missing"_s << u"the file was not beside test.kaz when the test was opened; choose the picture again"_s;
    QTest::addRow("a_folder") << u"folder"_s << u"the file could not be read when the test was opened: it is a folder, not a file"_s;
    QTest::addRow("a_named_pipe") << u"pipe"_s << u"could not be read when the test was opened: it is a named pipe (FIFO), not a file"_s;
    // Links are refused whatever they lead to, as kazpack refuses them.
    QTest::addRow("a_link_to_a_device") << u"device"_s << u"could not be read when the test was opened: the file is a symbolic link (to \"/dev/null\")"_s;
    QTest::addRow("a_link_to_nothing") << u"dangling"_s << u"could not be read when the test was opened: the file is a symbolic link (to \"gone.png\")"_s;
}

void TestEditorFiles::unreadablePictureSaysWhatItIs()
{
    QFETCH(QString, kind);
    QFETCH(QString, says);
    if (kind != u"missing" && kind != u"folder")
        KAZ_SKIP_WITHOUT_UNIX_FILES();
    QTemporaryDir tmp;
    const QString picture = folderWithPicture(tmp);
    QVERIFY(QFile::remove(picture));
    if (kind == u"folder")
        QVERIFY(QDir().mkdir(picture));
    else if (kind == u"pipe")
        QVERIFY(TestFiles::fifo(picture, 0600));
    else if (kind == u"device")
        QVERIFY(QFile::link(u"/dev/null"_s, picture));
    else if (kind == u"dangling")
        QVERIFY(QFile::link(u"gone.png"_s, picture));

    QuizDocument d;
    QVERIFY(d.openFolder(tmp.filePath(u"t"_s)).ok());
    QVERIFY(d.row(1).picture.bytes.isEmpty());
    d.checkNow();
    QCOMPARE(places(d.problems()), QStringList{u"1:Picture"_s});
    const QString message = d.problems().first().message;
    QVERIFY2(message.contains(says) && message.endsWith(u"choose the picture again"_s), qPrintable(message));
}

void TestEditorFiles::pictureCopiedNotMoved()
{
    QTemporaryDir tmp;
    const QByteArray first = png(12, 12), second = png(14, 14, qRgb(1, 2, 3));
    QVERIFY(TestFiles::write(tmp.filePath(u"one/karta.png"_s), first));
    QVERIFY(TestFiles::write(tmp.filePath(u"two/karta.png"_s), second));
    QuizDocument d;
    setRows(d, u"а\tА\nб\tБ\nв\tВ\n"_s);
    QCOMPARE(d.setPictureFromFile(0, tmp.filePath(u"one/karta.png"_s)), QString());
    QCOMPARE(d.setPictureFromFile(1, tmp.filePath(u"two/karta.png"_s)), QString());
    QCOMPARE(d.setPictureFromFile(2, tmp.filePath(u"one/karta.png"_s)), QString());
    QVERIFY(!d.setPictureFromFile(2, tmp.filePath(u"three/none.png"_s)).isEmpty());
    QCOMPARE(d.row(0).picture.name, u"karta.png"_s);
    QCOMPARE(d.row(1).picture.name, u"karta-2.png"_s); // another picture of the same name
    QCOMPARE(d.row(2).picture.name, u"karta.png"_s);   // the same picture again
    QCOMPARE(d.row(1).picture.width, 14 * 15);

    const QString folder = tmp.filePath(u"test"_s);
    QCOMPARE(d.saveTo(folder), QString());
    QCOMPARE(TestFiles::everything(folder), (QStringList{u"karta-2.png"_s, u"karta.png"_s, u"test.kaz"_s}));
    QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"karta.png"_s)), first);
    QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"karta-2.png"_s)), second);
    QCOMPARE(TestFiles::contents(tmp.filePath(u"one/karta.png"_s)), first);
    QCOMPARE(TestFiles::contents(tmp.filePath(u"two/karta.png"_s)), second);
    d.checkNow();
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
}

// A packed program's files or a converted test come as a store and bytes by source.
void TestEditorFiles::storeOpensWithItsPictures()
{
    const QString source = sourcePath(u"quizzes/figuri"_s);
    ContentReader::Options options;
    options.pictureBase = u":/test/"_s;
    const ContentStore store
        = ContentReader::readBytes(TestFiles::contents(QDir(source).filePath(u"test.kaz"_s)), options).store;
    QHash<QString, QByteArray> pictures;
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q)
        if (const QString s = store.Graphika(q).source; !s.isEmpty())
            pictures.insert(s, TestFiles::contents(QDir(source).filePath(s.mid(7))));
    QuizDocument d;
    d.openStore(store, pictures, u":/test/"_s, {u"Бележка"_s});
    QVERIFY(d.folder().isEmpty());
    QVERIFY(d.isModified()); // in no folder: unsaved work until it is saved
    QCOMPARE(d.row(0).picture.name, u"kwadrat.png"_s);
    QCOMPARE(d.row(6).pictureMode, PictureMode::ThumbnailOnly);
    QCOMPARE(d.save(), u"the test has no folder yet; choose a folder to save it in"_s);
    QTemporaryDir tmp;
    QCOMPARE(d.saveTo(tmp.path()), QString());
    QCOMPARE(d.folder(), QFileInfo(tmp.path()).absoluteFilePath());
    QVERIFY(!d.isModified());
    QCOMPARE(storeOf(tmp.path()), storeOf(source));
    QCOMPARE(TestFiles::contents(tmp.filePath(u"romb.png"_s)),
             TestFiles::contents(QDir(source).filePath(u"romb.png"_s)));
    QVERIFY(TestFiles::contents(tmp.filePath(u"test.kaz"_s)).startsWith("# Бележка\n"));
}

void TestEditorFiles::openRefusesWhatIsNoTest_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of test.kaz; "(none)" for no file
    QTest::addColumn<QString>("says");
    QTest::addRow("no_test_file") << QByteArray("(none)") << u"choose the folder that holds test.kaz"_s;
    QTest::addRow("windows_1251") << QByteArray("[left]\n\xc0\xe1\n") << u"not UTF-8 text"_s;
    QTest::addRow("word_document") << QByteArray("PK\x03\x04rest") << u"word processor's document"_s;
    QTest::addRow("utf16") << QByteArray("\xff\xfe[\0l\0e\0f\0t\0]\0", 14) << u"UTF-16"_s;
}

void TestEditorFiles::openRefusesWhatIsNoTest()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    QTemporaryDir tmp;
    if (bytes != "(none)")
        QVERIFY(TestFiles::write(tmp.filePath(u"test.kaz"_s), bytes));
    QuizDocument d;
    setRows(d, u"а\tА\n"_s);
    d.setCell(0, DocumentField::Left, u"б"_s);
    const DocumentContent before = d.content();
    const QuizDocument::Opened opened = d.openFolder(tmp.path());
    QVERIFY(!opened.ok());
    QVERIFY2(opened.error.contains(says), qPrintable(opened.error));
    QVERIFY(d.content() == before);
    QVERIFY(d.isModified());
    QVERIFY(!d.openFolder(tmp.filePath(u"nowhere"_s)).ok());
}

void TestEditorFiles::saveFailsWithReasonAndKeepsTheDocument()
{
    QTemporaryDir tmp;
    QVERIFY(TestFiles::write(tmp.filePath(u"file"_s), "x"));
    QuizDocument d;
    setRows(d, u"а\tА\n"_s);
    d.setCell(0, DocumentField::Left, u"б"_s);
    const QString why = d.saveTo(tmp.filePath(u"file"_s));
    QVERIFY2(why.contains(u"not a folder"_s), qPrintable(why));
    QVERIFY(d.isModified());
    QVERIFY(d.folder().isEmpty());
    QCOMPARE(TestFiles::contents(tmp.filePath(u"file"_s)), QByteArray("x"));
}

void TestEditorFiles::testWithProblemsIsSaved()
{
    QTemporaryDir tmp;
    QuizDocument d;
    setRows(d, u"а\tА\nа\tБ\n"_s);
    d.checkNow();
    QCOMPARE(places(d.problems()), QStringList{u"1:Left"_s});
    QCOMPARE(d.saveTo(tmp.path()), QString());
    QVERIFY(!d.isModified());
    const ContentReader::Result read = ContentReader::readBytes(TestFiles::contents(tmp.filePath(u"test.kaz"_s)));
    QCOMPARE(read.store.Danni(0), (QStringList{u"а"_s, u"а"_s}));
    QCOMPARE(read.problems.size(), 1);
}

// ---------------------------------------------------------------- recovery

void TestEditorFiles::recoveryRestoresTheDocument_data()
{
    QTest::addColumn<Build>("build");
    QTest::addRow("figures_test_with_pictures") << Build([](QuizDocument &d) {
        QVERIFY(d.openFolder(sourcePath(u"quizzes/figuri"_s)).ok());
        d.setCell(0, DocumentField::Left, u"Квадратче"_s);
    });
    QTest::addRow("towns_test_with_what_stands_past_its_questions") << Build([](QuizDocument &d) {
        QVERIFY(d.openFolder(sourcePath(u"quizzes/istoriya"_s)).ok());
        d.removeRows(3, 2);
    });
    QTest::addRow("what_no_file_can_hold") << Build([](QuizDocument &d) {
        QString rows;
        for (int i = 1; i <= 32; ++i)
            rows += u"л%1\tд%1\tред %1\n"_s.arg(i);
        setRows(d, rows + u"само ляво\t\n\t\n\tсамо дясно\n"_s);
        d.setExplanationShown(3, false);
        d.setPicture(33, u"x.png"_s, png(5, 5));
    });
    QTest::addRow("every_kind_of_row_and_field") << Build(everything);
}

void TestEditorFiles::recoveryRestoresTheDocument()
{
    QFETCH(Build, build);
    auto crashed = std::make_unique<QuizDocument>();
    QuizDocument &d = *crashed;
    build(d);
    QVERIFY(d.isModified());
    QCOMPARE(d.writeRecovery(), QString());
    // The copy of a running editor is its own: none other finds it.
    QVERIFY(Recovery::find().isEmpty());
    const DocumentContent content = d.content();
    const QString text = d.text();
    const QString folder = d.folder();
    const QString path = d.recoveryPath();
    QList<QSize> pixels;
    for (int r = 0; r < d.rowCount(); ++r)
        pixels.append(d.row(r).picture.pixels);
    d.checkNow();
    const QList<DocumentProblem> problems = d.problems();
    crashed.reset(); // as a crash leaves it: the copy without its editor

    const QList<Recovery::Found> found = Recovery::find();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().path, path);
    QCOMPARE(found.first().testFolder, folder);
    QCOMPARE(found.first().title, content.title);
    QCOMPARE(found.first().error, QString());
    QVERIFY(found.first().written.secsTo(QDateTime::currentDateTimeUtc()) < 60);

    QuizDocument restored;
    const QuizDocument::Opened opened = restored.restoreRecovery(found.first().path);
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QVERIFY(restored.content() == content);
    for (int r = 0; r < restored.rowCount(); ++r)
        QCOMPARE(restored.row(r).picture.pixels, pixels.at(r));
    QCOMPARE(restored.text(), text);
    QCOMPARE(restored.folder(), folder);
    QVERIFY(restored.isModified());
    QVERIFY(restored.undoStack()->count() == 0);
    restored.checkNow();
    QCOMPARE(restored.problems(), problems);
    // Later writes go to the same file, which is now the restoring editor's own.
    QCOMPARE(restored.recoveryPath(), found.first().path);
    QVERIFY(Recovery::find().isEmpty());
}

void TestEditorFiles::recoveryFileIsOneAndGoesOnSave()
{
    QTemporaryDir tmp;
    QuizDocument d;
    setRows(d, u"а\tА\n"_s);
    const QString unsaved = d.recoveryPath();
    QVERIFY(unsaved.startsWith(Recovery::folder()));
    QCOMPARE(d.writeRecovery(), QString());
    d.setCell(0, DocumentField::Left, u"б"_s);
    QCOMPARE(d.writeRecovery(), QString());
    QCOMPARE(QDir(Recovery::folder()).entryList({u"*.kazrecovery"_s}).size(), 1);
    QuizDocument other;
    QVERIFY(other.recoveryPath() != unsaved);

    QCOMPARE(d.saveTo(tmp.path()), QString());
    QVERIFY(!QFileInfo::exists(unsaved));
    QVERIFY(Recovery::find().isEmpty());
    // Each editor keeps a copy of its own, of a saved test too.
    d.setCell(0, DocumentField::Left, u"в"_s);
    QCOMPARE(d.writeRecovery(), QString());
    QuizDocument reopened;
    QVERIFY(reopened.openFolder(tmp.path()).ok());
    QVERIFY(reopened.recoveryPath() != d.recoveryPath());
    QCOMPARE(Recovery::read(d.recoveryPath()).testFolder, QFileInfo(tmp.path()).absoluteFilePath());
    d.removeRecovery();
    QVERIFY(!QFileInfo::exists(d.recoveryPath()));

    // A restored test is saved like any other, and its recovery file goes.
    QString copy;
    {
        QuizDocument crashed;
        QVERIFY(crashed.openFolder(tmp.path()).ok());
        crashed.setCell(0, DocumentField::Left, u"г"_s);
        QCOMPARE(crashed.writeRecovery(), QString());
        copy = crashed.recoveryPath();
    }
    QuizDocument restored;
    QVERIFY(restored.restoreRecovery(copy).ok());
    QCOMPARE(restored.save(), QString());
    QVERIFY(!restored.isModified());
    QVERIFY(Recovery::find().isEmpty());
    QCOMPARE(storeOf(tmp.path()).Danni(0), QStringList{u"г"_s});
}

void TestEditorFiles::damagedRecoveryIsRefused()
{
    const QString path = Recovery::newPath();
    QVERIFY(TestFiles::write(path, "{\"format\": \"kaz-editor-recovery\", \"version\": 1, \"rows\": ["));
    // Offered, to be removed.
    QCOMPARE(Recovery::find().size(), 1);
    QVERIFY(Recovery::find().first().error.contains(u"damaged"_s));
    QuizDocument d;
    setRows(d, u"а\tА\n"_s);
    const QuizDocument::Opened opened = d.restoreRecovery(path);
    QVERIFY(!opened.ok());
    QVERIFY2(opened.error.contains(u"damaged"_s), qPrintable(opened.error));
    QCOMPARE(d.rowCount(), 1);
    QVERIFY(!d.restoreRecovery(Recovery::newPath()).ok());
}


// ---------------------------------------------------------------- saves cut short

// The editor's save of a changed test and picture, killed before each step: opening the folder
// then gives the test as it was or as it was saved, whole, and leaves no file of the save.
void TestEditorFiles::saveKilledAtEveryStepOpensAWholeTest()
{
    KAZ_SKIP_WITHOUT_KILLED_STEPS();
    QTemporaryDir tmp;
    const QString first = tmp.filePath(u"first"_s);
    QuizDocument old;
    setRows(old, u"Варна\tОдесос\nРусе\tПриста\n"_s);
    old.setPicture(0, u"p.png"_s, png(4, 4));
    QCOMPARE(old.saveTo(first), QString());
    QuizDocument next;
    QVERIFY(next.openFolder(first).ok());
    next.setCell(1, DocumentField::Right, u"Русчук"_s);
    next.setPicture(0, u"p.png"_s, png(6, 6));
    const DocumentContent saved = next.content();

    QStringList steps;
    FileAccess::setStepHook([&steps](const QString &step, const QString &path) {
        steps.append(step + u' ' + QFileInfo(path).fileName());
    });
    QCOMPARE(next.saveTo(TestFiles::copyFolder(first, tmp.path(), u"dry"_s)), QString());
    FileAccess::setStepHook({});
    const qsizetype counts = steps.indexOf(QRegularExpression(u"^rename \\.kaz-journal-.*"_s)) + 1;
    QVERIFY2(counts > 0, qPrintable(steps.join(u", "_s)));

    for (qsizetype k = 0; k < steps.size(); ++k) {
        const QString folder = TestFiles::copyFolder(first, tmp.path(), u"killed-%1"_s.arg(k));
        QVERIFY(killedAtStep(k, [&next, &folder] { next.saveTo(folder); }));
        QVERIFY2(QFileInfo::exists(folder + u"/test.kaz"_s), qPrintable(steps.at(k)));
        QuizDocument reopened;
        const QuizDocument::Opened opened = reopened.openFolder(folder);
        QVERIFY2(opened.ok(), qPrintable(opened.error));
        QVERIFY2(reopened.content() == (k >= counts ? saved : old.content()), qPrintable(steps.at(k)));
        QCOMPARE(TestFiles::everything(folder), (QStringList{u"p.png"_s, u"test.kaz"_s}));
    }
}

// An editor before this one moved test.kaz aside while it saved: killed then, the folder had
// no test.kaz. Opening it puts the test back.
void TestEditorFiles::leftoversOfAnOlderEditor()
{
    QTemporaryDir tmp;
    QuizDocument old;
    setRows(old, u"Варна\tОдесос\n"_s);
    QCOMPARE(old.saveTo(tmp.path()), QString());
    QVERIFY(QFile::rename(tmp.filePath(u"test.kaz"_s), tmp.filePath(u".test.kaz.old-0a1b2c3d"_s)));
    QVERIFY(TestFiles::write(tmp.filePath(u".test.kaz.new-4e5f6a7b"_s), "[left]\nполовин"));
    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(tmp.path());
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QCOMPARE(flat(d), QStringList{u"Варна|Одесос"_s});
    QCOMPARE(TestFiles::everything(tmp.path()), QStringList{u"test.kaz"_s});
}

// ---------------------------------------------------------------- what is not the user's to share

// A link in a test folder may lead to a file of anyone's, which a recovery copy and the saved
// folder would then hold: it is not read, and the editor says why.
void TestEditorFiles::linkedFilesRefusedAtOpening_data()
{
    QTest::addColumn<QString>("linked"); // the file that is a link to a private one
    QTest::addColumn<QString>("says");
    QTest::addRow("picture") << u"p.png"_s << u"the file is a symbolic link (to \"%1\")"_s;
    QTest::addRow("test_file") << u"test.kaz"_s << u"cannot open %2: the file is a symbolic link (to \"%1\")"_s;
}

void TestEditorFiles::linkedFilesRefusedAtOpening()
{
    QFETCH(QString, linked);
    QFETCH(QString, says);
    KAZ_SKIP_WITHOUT_UNIX_FILES();
#ifdef Q_OS_UNIX
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(u"test"_s);
    QuizDocument writer;
    setRows(writer, u"Варна\tОдесос\nРусе\tПриста\n"_s);
    writer.setPicture(0, u"p.png"_s, png(4, 4));
    QCOMPARE(writer.saveTo(folder), QString());
    // The private file: a picture, or a test, of somebody's own.
    const QString secret = tmp.filePath(u"secret"_s);
    const QByteArray secretBytes = linked == u"p.png" ? png(5, 5, qRgb(1, 2, 3)) : TestFiles::contents(folder + u"/test.kaz"_s);
    QVERIFY(TestFiles::write(secret, secretBytes));
    QVERIFY(QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::remove(folder + u'/' + linked));
    QVERIFY(QFile::link(secret, folder + u'/' + linked));

    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(folder);
    const QString message = linked == u"p.png" ? says.arg(secret) : says.arg(secret, folder + u"/test.kaz"_s);
    if (linked == u"test.kaz") {
        QVERIFY2(opened.error.startsWith(message), qPrintable(opened.error));
        return;
    }
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QCOMPARE(d.row(0).picture.name, u"p.png"_s);
    QVERIFY(d.row(0).picture.bytes.isEmpty());
    d.checkNow();
    QVERIFY2(messages(d.problems()).contains(message), qPrintable(messages(d.problems())));
    // The recovery copy holds none of it, and is the user's alone.
    d.setCell(1, DocumentField::Right, u"Русчук"_s);
    QCOMPARE(d.writeRecovery(), QString());
    QVERIFY(!TestFiles::contents(d.recoveryPath()).contains(secretBytes.toBase64()));
    QCOMPARE(modeOf(d.recoveryPath()), mode_t(0600));
    QCOMPARE(modeOf(Recovery::folder()), mode_t(0700));
#endif
}

// ---------------------------------------------------------------- one copy for each editor

void TestEditorFiles::twoEditorsKeepTheirOwnCopies()
{
    QTemporaryDir tmp;
    QuizDocument writer;
    setRows(writer, u"Варна\tОдесос\n"_s);
    QCOMPARE(writer.saveTo(tmp.path()), QString());
    auto first = std::make_unique<QuizDocument>();
    QuizDocument second;
    QVERIFY(first->openFolder(tmp.path()).ok());
    QVERIFY(second.openFolder(tmp.path()).ok());
    first->setCell(0, DocumentField::Right, u"от първия"_s);
    second.setCell(0, DocumentField::Right, u"от втория"_s);
    QCOMPARE(first->writeRecovery(), QString());
    QCOMPARE(second.writeRecovery(), QString());
    QVERIFY(first->recoveryPath() != second.recoveryPath());
    // Neither running editor's copy is offered, nor removed by another.
    QVERIFY(Recovery::find().isEmpty());
    QVERIFY(!Recovery::remove(first->recoveryPath()));
    QVERIFY(!QuizDocument().restoreRecovery(first->recoveryPath()).ok());

    // The second saves: its copy goes, the first's stays.
    QCOMPARE(second.save(), QString());
    QVERIFY(!QFileInfo::exists(second.recoveryPath()));
    const QString copy = first->recoveryPath();
    QVERIFY(QFileInfo::exists(copy));
    first.reset(); // the first goes without saving, as in a crash
    const QList<Recovery::Found> found = Recovery::find();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().path, copy);
    QuizDocument restored;
    QVERIFY(restored.restoreRecovery(copy).ok());
    QCOMPARE(flat(restored), QStringList{u"Варна|от първия"_s});
}

// An editor killed while it runs leaves its lock behind; the copy is offered all the same.
void TestEditorFiles::copyOfAKilledEditorIsOffered()
{
#ifndef Q_OS_UNIX
    QSKIP("the editor is killed in a child process made by fork(), which Windows has not");
#else
    QuizDocument d;
    setRows(d, u"Варна\tОдесос\n"_s);
    d.setCell(0, DocumentField::Right, u"Одесос, Варна"_s);
    const pid_t child = ::fork();
    if (child == 0) {
        d.writeRecovery();
        ::raise(SIGKILL);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QVERIFY(QFileInfo::exists(d.recoveryPath() + u".lock"_s));
    const QList<Recovery::Found> found = Recovery::find();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().path, d.recoveryPath());
    QCOMPARE(Recovery::read(found.first().path).content, d.content());
#endif
}

// A copy is read as untrusted: a number out of range refuses it with the reason (it is then
// offered for removal); an unknown key is passed over.
void TestEditorFiles::tamperedRecoveryRefused_data()
{
    QTest::addColumn<QString>("key"); // where in the copy: "spare", "row", "picture" or "root"
    QTest::addColumn<QString>("name");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("says"); // empty: restored
    QTest::addRow("question_number_past_int") << u"spare"_s << u"2147483647"_s << QJsonValue(QJsonObject())
                                              << u"question number 2147483647 is not one from 1 to"_s;
    QTest::addRow("question_number_below_one") << u"spare"_s << u"-3"_s << QJsonValue(QJsonObject())
                                               << u"question number -3"_s;
    QTest::addRow("question_number_no_number") << u"spare"_s << u"седем"_s << QJsonValue(QJsonObject())
                                               << u"question number седем"_s;
    QTest::addRow("question_number_within_a_file") << u"spare"_s << u"4000"_s << QJsonValue(QJsonObject()) << QString();
    QTest::addRow("question_number_zero") << u"spare"_s << u"0"_s << QJsonValue(QJsonObject())
                                          << u"question number 0 is not one from 1 to 32767"_s;
    QTest::addRow("question_number_one") << u"spare"_s << u"1"_s << QJsonValue(QJsonObject()) << QString();
    QTest::addRow("question_number_last_a_test_has") << u"spare"_s << u"32767"_s << QJsonValue(QJsonObject()) << QString();
    // Accepted before, it had every check write 4 million lines, and a save a test.kaz of 16 MB.
    QTest::addRow("question_number_past_a_test") << u"spare"_s << u"32768"_s << QJsonValue(QJsonObject())
                                                 << u"question number 32768 is not one from 1 to 32767"_s;
    QTest::addRow("question_number_4194304") << u"spare"_s << u"4194304"_s << QJsonValue(QJsonObject())
                                             << u"question number 4194304 is not one"_s;
    QTest::addRow("picture_box_not_whole") << u"picture"_s << u"width"_s << QJsonValue(1.5)
                                           << u"the value of \"width\" is not a whole number from 1 to"_s;
    QTest::addRow("picture_box_zero") << u"picture"_s << u"width"_s << QJsonValue(0)
                                      << u"the value of \"width\" is not a whole number from 1 to"_s;
    QTest::addRow("picture_box_one") << u"picture"_s << u"width"_s << QJsonValue(1) << QString();
    QTest::addRow("picture_mode_unknown") << u"row"_s << u"mode"_s << QJsonValue(7)
                                          << u"the value of \"mode\" is not a whole number from 0 to 2"_s;
    QTest::addRow("picture_box_huge") << u"picture"_s << u"width"_s << QJsonValue(1e300)
                                      << u"the value of \"width\" is not a whole number"_s;
    QTest::addRow("picture_box_negative") << u"picture"_s << u"height"_s << QJsonValue(-15)
                                          << u"the value of \"height\" is not a whole number"_s;
    QTest::addRow("picture_box_text") << u"picture"_s << u"height"_s << QJsonValue(u"много"_s)
                                      << u"the value of \"height\" is not a whole number"_s;
    QTest::addRow("too_many_rows") << u"root"_s << u"rows"_s << QJsonValue(QJsonArray())
                                   << u"it holds 131069 rows, more than 131068"_s;
    QTest::addRow("unknown_key") << u"row"_s << u"colour"_s << QJsonValue(u"red"_s) << QString();
}

void TestEditorFiles::tamperedRecoveryRefused()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(QJsonValue, value);
    QFETCH(QString, says);
    QString path;
    {
        QuizDocument crashed;
        setRows(crashed, u"Варна\tОдесос\n"_s);
        crashed.setPicture(0, u"p.png"_s, png(4, 4));
        QCOMPARE(crashed.writeRecovery(), QString());
        path = crashed.recoveryPath();
    }
    QJsonObject root = QJsonDocument::fromJson(TestFiles::contents(path)).object();
    QJsonArray rows = root.value(u"rows"_s).toArray();
    QJsonObject row = rows.at(0).toObject();
    if (key == u"spare") {
        root.insert(u"spare"_s, QJsonObject{{name, value}});
    } else if (key == u"row") {
        row.insert(name, value);
    } else if (key == u"picture") {
        QJsonObject picture = row.value(u"picture"_s).toObject();
        picture.insert(name, value);
        row.insert(u"picture"_s, picture);
    } else {
        while (rows.size() <= Recovery::MaxRows)
            rows.append(QJsonObject());
    }
    rows.replace(0, row);
    root.insert(u"rows"_s, rows);
    QVERIFY(TestFiles::write(path, QJsonDocument(root).toJson()));

    const QList<Recovery::Found> found = Recovery::find();
    QCOMPARE(found.size(), 1);
    QVERIFY2(found.first().error.contains(says), qPrintable(found.first().error));
    QuizDocument d;
    const QuizDocument::Opened opened = d.restoreRecovery(path);
    QCOMPARE(opened.ok(), says.isEmpty());
    if (says.isEmpty()) {
        QVERIFY(found.first().error.isEmpty());
        d.checkNow(); // writes the test as it would be saved
        QCOMPARE(d.row(0).left, u"Варна"_s);
        return;
    }
    QVERIFY2(opened.error.startsWith(u"the recovery file %1 is damaged ("_s.arg(path)), qPrintable(opened.error));
    QVERIFY(Recovery::remove(path));
    QVERIFY(Recovery::find().isEmpty());
}

// The copies 2,000 crashed editors left are found at the next start within 2 s (43 to 119 s
// when each was read whole): past Recovery::MaxFindBytes a copy is offered by what its end
// says, and read whole only when it is restored.
void TestEditorFiles::manyCopiesFoundQuickly()
{
    DocumentContent content;
    content.title = u"Стари имена"_s;
    for (int i = 0; i < 300; ++i) {
        DocumentRow row;
        row.left = u"Пловдив %1"_s.arg(i);
        row.right = u"Филипопол %1"_s.arg(i);
        content.rows.append(row);
    }
    content.rows[0].picture = {u"p.png"_s, png(40, 30), 600, 450, {}, {}};
    const QString folder = QDir::tempPath() + u"/тест"_s;
    const QByteArray bytes = Recovery::toBytes(content, folder);
    constexpr int Copies = 2000;
    for (int i = 0; i < Copies; ++i)
        QVERIFY(TestFiles::write(Recovery::newPath(), bytes));
    QElapsedTimer timer;
    timer.start();
    const std::clock_t processor = std::clock();
    const QList<Recovery::Found> found = Recovery::find();
    // The processor's time, which the machine's other work does not lengthen.
    const qint64 ms = qint64(std::clock() - processor) * 1000 / CLOCKS_PER_SEC;
    qInfo("%d copies of %lld bytes found in %lld ms, %lld ms of processor time", Copies, qlonglong(bytes.size()),
          qlonglong(timer.elapsed()), qlonglong(ms));
    QCOMPARE(found.size(), Copies);
    for (const Recovery::Found &f : found) {
        QCOMPARE(f.error, QString());
        QCOMPARE(f.title, content.title);
        QCOMPARE(f.testFolder, folder);
        QVERIFY(f.written.isValid());
    }
    QuizDocument d;
    QVERIFY(d.restoreRecovery(found.last().path).ok());
    QCOMPARE(d.content(), content);
    KAZ_WINDOWS_DIFFERS("under Wine each of the 2,000 copies looked at costs about 5 ms (11 s in all)");
    QVERIFY2(ms < 2000, qPrintable(u"%1 ms"_s.arg(ms)));
}

// A copy larger than what find() reads is offered with the title and folder from its end; one
// whose end is damaged is offered for removal.
void TestEditorFiles::largeCopyOfferedFromItsEnd_data()
{
    QTest::addColumn<int>("cut"); // bytes cut off the end of the copy
    QTest::addColumn<QString>("says");
    QTest::addRow("whole") << 0 << QString();
    QTest::addRow("end_cut_off") << 40 << u"is damaged or of another version"_s;
}

void TestEditorFiles::largeCopyOfferedFromItsEnd()
{
    QFETCH(int, cut);
    QFETCH(QString, says);
    DocumentContent content;
    content.title = u"Голям тест"_s;
    for (int i = 0; i < 1000; ++i) {
        DocumentRow row;
        row.left = u"ляво %1 "_s.arg(i) + QString(10000, u'л');
        content.rows.append(row);
    }
    const QString folder = QDir::tempPath() + u"/голям"_s;
    QByteArray bytes = Recovery::toBytes(content, folder);
    QVERIFY(bytes.size() > Recovery::MaxFindBytes);
    bytes.chop(cut);
    const QString path = Recovery::newPath();
    QVERIFY(TestFiles::write(path, bytes));
    const QList<Recovery::Found> found = Recovery::find();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().error.isEmpty(), says.isEmpty());
    QVERIFY2(found.first().error.contains(says), qPrintable(found.first().error));
    if (!says.isEmpty())
        return;
    QCOMPARE(found.first().title, content.title);
    QCOMPARE(found.first().testFolder, folder);
    QuizDocument d;
    QVERIFY(d.restoreRecovery(path).ok());
    QCOMPARE(d.content().rows, content.rows);
}

QTEST_GUILESS_MAIN(TestEditorFiles)
#include "tst_editor_files.moc"
