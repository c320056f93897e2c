// The tools' messages follow the user's locale: Bulgarian under bg_BG, English otherwise; the
// editor speaks Bulgarian under any locale; and every Bulgarian text keeps the placeholders and
// the mnemonic of its English one.
#include "FileAccess.h"
#include "KazTranslations.h"
#include "Mnemonics.h"
#include "TestFiles.h"
#include "ToolLocale.h"
#include "WindowsDiffers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cerrno>

namespace {

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one, or one for each plural form
    QString type; // the translation's type attribute: "unfinished", "vanished", … or empty
};

QList<Message> readTs(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            Message m;
            m.context = context;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    m.source = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    m.type = xml.attributes().value(QLatin1String("type")).toString();
                    // Text, or a <numerusform> for each plural form.
                    QString text;
                    while (!xml.atEnd()) {
                        const QXmlStreamReader::TokenType token = xml.readNext();
                        if (token == QXmlStreamReader::Characters)
                            text += xml.text();
                        else if (token == QXmlStreamReader::StartElement && xml.name() == u"numerusform")
                            m.translations.append(xml.readElementText());
                        else if (token == QXmlStreamReader::EndElement && xml.name() == u"translation")
                            break;
                    }
                    if (m.translations.isEmpty())
                        m.translations.append(text);
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.append(m);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &m : marker.globalMatch(text))
        found.insert(m.captured());
    return found;
}

struct Run
{
    int status = -1;
    QString err;
    QString out;
};

Run run(const QString &program, const QStringList &args, const QString &locale)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.err = toolText(p.readAllStandardError());
    r.out = toolText(p.readAllStandardOutput());
    return r;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A test with five mistakes: too few parameters, a repeated phrase, a misspelt section,
        // and so no [right] and no [picture flags].
        QVERIFY(QDir().mkpath(m_dir.filePath(u"faulty"_qs)));
        QVERIFY(writeFile(m_dir.filePath(u"faulty/test.kaz"_qs),
                          "[parameters]\nx\n[left]\nа\nа\n[rightt]\nб\n"));
        QVERIFY(writeFile(m_dir.filePath(u"choice.gift"_qs), "::Q1:: Which? {=yes ~no ~maybe}\n"));
        // A Moodle XML file of a classification and a matching question whose picture is broken.
        const QByteArray pairs = "<subquestion><text>a</text><answer><text>1</text></answer></subquestion>"
                                 "<subquestion><text>b</text><answer><text>2</text></answer></subquestion>";
        QVERIFY(writeFile(m_dir.filePath(u"export.xml"_qs),
                          "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"matching\"><name><text>K</text></name>"
                          "<subquestion><text>c</text><answer><text>1</text></answer></subquestion>" + pairs + "</question>\n"
                          "<question type=\"matching\"><name><text>P</text></name><questiontext><text>&lt;img "
                          "src=\"@@PLUGINFILE@@/p.png\"&gt;</text><file name=\"p.png\" path=\"/\" encoding=\"base64\">*</file>"
                          "</questiontext>" + pairs + "</question>\n</quiz>\n"));
    }

    void every_translation_keeps_its_placeholders_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("translations");
        QTest::addColumn<QString>("type");
        QString error;
        const QList<Message> messages = readTs(QStringLiteral(KAZ_TS_FILE), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(messages.size() > 200);
        QSet<QString> contexts;
        for (qsizetype i = 0; i < messages.size(); ++i) {
            const Message &m = messages.at(i);
            contexts.insert(m.context);
            QTest::addRow("%s_%lld", qPrintable(m.context), qlonglong(i)) << m.source << m.translations << m.type;
        }
        for (const char *tool : {"kazcheck", "gift2kaz", "Kazpack", "QuizFolder", "FileAccess", "ContentReader",
                                 "Gift", "ProgramQuiz", "Printing", "editor", "EditorWindow", "EditorDialogs",
                                 "EditorTable", "EditorPicturePanel", "EditorGeometryPanel", "QuizDocument"})
            QVERIFY2(contexts.contains(QLatin1String(tool)), tool);
    }

    void every_translation_keeps_its_placeholders()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, translations);
        QFETCH(QString, type);
        QVERIFY2(type.isEmpty(), qPrintable(type + u": "_qs + source));
        for (const QString &translation : std::as_const(translations)) {
            QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(source));
            QCOMPARE(placeholders(translation), placeholders(source));
            // Every plural form names its count.
            QCOMPARE(translation.contains(u"%n"_qs), source.contains(u"%n"_qs));
            // A menu item, label or button reached by Alt and a letter keeps a letter of its own.
            QVERIFY2(mnemonic(translation).isNull() == mnemonic(source).isNull(),
                     qPrintable(source + u" → "_qs + translation));
        }
    }

    // The messages of the real tools, as a teacher sees them, under each locale.
    void tools_speak_the_users_language_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("says");
        const QString faulty = m_dir.filePath(u"faulty"_qs);
        const QString gift = m_dir.filePath(u"choice.gift"_qs);
        const QString kazcheck = QStringLiteral(KAZCHECK), kazpack = QStringLiteral(KAZPACK),
                      gift2kaz = QStringLiteral(GIFT2KAZ), runner = QStringLiteral(KAZRUNNER);
        const QString bg = u"bg_BG.UTF-8"_qs;
        const QString c = u"C"_qs;
        QTest::addRow("kazcheck_bulgarian")
            << kazcheck << QStringList{faulty} << bg << 1
            << QStringList{u"test.kaz: грешка: липсва разделът [right]; добавете го"_qs,
                           u"test.kaz:5: грешка: фразата „а“ вече е на ред 4 в [left]"_qs,
                           u"test.kaz:6: грешка: непознат раздел [rightt] (може би [right]?)"_qs,
                           u"5 проблема в "_qs, u"; тестът не беше направен"_qs};
        QTest::addRow("kazcheck_english")
            << kazcheck << QStringList{faulty} << c << 1
            << QStringList{u"test.kaz: error: the section [right] is missing; add it"_qs,
                           u"test.kaz:5: error: the phrase \"а\" is already on line 4 of [left]"_qs,
                           u"test.kaz:6: error: unknown section [rightt] (did you mean [right]?)"_qs,
                           u"5 problems in "_qs, u"; the test was not built"_qs};
        QTest::addRow("kazcheck_usage_bulgarian") << kazcheck << QStringList{} << bg << 2
                                                  << QStringList{u"употреба: kazcheck ПАПКА [ОТМЕТКА]"_qs};
        QTest::addRow("kazcheck_usage_english") << kazcheck << QStringList{} << c << 2
                                                << QStringList{u"usage: kazcheck FOLDER [STAMP]"_qs};
        QTest::addRow("kazpack_bulgarian")
            << kazpack << QStringList{faulty, u"-o"_qs, m_dir.filePath(u"kaz-faulty"_qs)} << bg << 1
            << QStringList{u"грешка: липсва разделът [picture flags]"_qs, u"; не е записана програма"_qs};
        QTest::addRow("kazpack_english")
            << kazpack << QStringList{faulty, u"-o"_qs, m_dir.filePath(u"kaz-faulty"_qs)} << c << 1
            << QStringList{u"error: the section [picture flags] is missing"_qs, u"; no program was written"_qs};
        QTest::addRow("kazpack_usage_bulgarian")
            << kazpack << QStringList{} << bg << 2
            << QStringList{u"kazpack: грешка: дайте папката с теста, която да се опакова"_qs,
                           u"употреба: kazpack ПАПКА [-o ПРОГРАМА]"_qs};
        QTest::addRow("kazpack_usage_english") << kazpack << QStringList{} << c << 2
                                               << QStringList{u"kazpack: error: give the test folder to pack"_qs,
                                                              u"usage: kazpack FOLDER [-o PROGRAM]"_qs};
        // A runner that is a device is named as one; the kinds are translated with the message.
        const QString istoriya = qEnvironmentVariable("KAZ_SOURCE_DIR") + u"/quizzes/istoriya"_qs;
        const QStringList device{istoriya, u"-o"_qs, m_dir.filePath(u"kaz-x"_qs), u"--runner"_qs, u"/dev/null"_qs};
        QTest::addRow("kazpack_runner_device_bulgarian")
            << kazpack << device << bg << 1
            << QStringList{u"/dev/null: грешка: това е устройство, а не основна програма на KAZ"_qs};
        QTest::addRow("kazpack_runner_device_english")
            << kazpack << device << c << 1 << QStringList{u"/dev/null: error: this is a device, not a quiz runner"_qs};
        QTest::addRow("gift2kaz_bulgarian")
            << gift2kaz << QStringList{u"--output"_qs, m_dir.path(), gift} << bg << 1
            << QStringList{u"choice.gift:1: бележка: пропуска се въпрос с избор на отговор „Q1“"_qs,
                           u"choice.gift: грешка: във файла няма въпрос за съпоставяне"_qs};
        QTest::addRow("gift2kaz_english")
            << gift2kaz << QStringList{u"--output"_qs, m_dir.path(), gift} << c << 1
            << QStringList{u"choice.gift:1: note: skipped the multiple-choice question \"Q1\""_qs,
                           u"choice.gift: error: the file holds no matching question"_qs};
        const QString xml = m_dir.filePath(u"export.xml"_qs);
        QTest::addRow("gift2kaz_moodle_bulgarian")
            << gift2kaz << QStringList{u"--output"_qs, m_dir.filePath(u"moodle"_qs), xml} << bg << 0
            << QStringList{u"export.xml:3: бележка: пропуска се въпросът за съпоставяне „K“: „c“, „a“ имат една и съща дясна част „1“"_qs,
                           u"export.xml:4: предупреждение: картинката „p.png“ на въпроса за съпоставяне „P“ не може да се използва"_qs};
        // With --distinct-rights the classification K is made too, its shared right part numbered;
        // the option is told in Bulgarian in the help.
        QTest::addRow("gift2kaz_moodle_distinct_rights_bulgarian")
            << gift2kaz << QStringList{u"--distinct-rights"_qs, u"--output"_qs, m_dir.filePath(u"distinct"_qs), xml} << bg << 0
            << QStringList{u"distinct/k"_qs, u"export.xml:4: предупреждение: картинката „p.png“"_qs};
        QTest::addRow("gift2kaz_help_bulgarian")
            << gift2kaz << QStringList{u"--help"_qs} << bg << 0
            << QStringList{u"Превръща и въпрос за класифициране"_qs};
        // The reasons that FileAccess gives are translated with the messages around them.
        const QString missing = m_dir.filePath(u"missing.gift"_qs);
        QTest::addRow("gift2kaz_missing_file_bulgarian")
            << gift2kaz << QStringList{missing} << bg << 1
            << QStringList{u"missing.gift: грешка: файлът GIFT не може да се прочете: няма такъв файл"_qs};
        QTest::addRow("gift2kaz_missing_file_english")
            << gift2kaz << QStringList{missing} << c << 1
            << QStringList{u"missing.gift: error: cannot read the GIFT file: there is no such file"_qs};
        QTest::addRow("gift2kaz_folder_bulgarian")
            << gift2kaz << QStringList{m_dir.path()} << bg << 1
            << QStringList{u": грешка: файлът GIFT не може да се прочете: това е папка, а не файл"_qs};
        // The runner alone holds no test: what a learner sees when the program lost its test.
        QTest::addRow("runner_without_test_bulgarian")
            << runner << QStringList{} << bg << 1
            << QStringList{u"Тази програма не съдържа тест: тя е само основната програма на KAZ."_qs};
        // The editor speaks Bulgarian whatever the locale: its help shows its description.
        const QString editor = QStringLiteral(KAZEDITOR);
        for (const QString &locale : {c, u"en_US.UTF-8"_qs, bg})
            QTest::addRow("editor_help_under_%s", qPrintable(locale))
                << editor << QStringList{u"--help"_qs} << locale << 0
                << QStringList{u"Пише и променя тестове за съпоставяне на KAZ."_qs,
                               u"Показва тази помощ."_qs, u"[ПАПКА | ФАЙЛ.gift | ФАЙЛ.xml | ПРОГРАМА]"_qs};
        QTest::addRow("runner_without_test_english")
            << runner << QStringList{} << c << 1
            << QStringList{u"This program holds no test: it is the KAZ quiz runner alone."_qs};
    }

    void tools_speak_the_users_language()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QString, locale);
        QFETCH(int, status);
        QFETCH(QStringList, says);
        if (args.contains(u"/dev/null"_qs))
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        if (program == QStringLiteral(KAZRUNNER) || program == QStringLiteral(KAZEDITOR))
            KAZ_SKIP_WINDOW_PROGRAM_ON_WINDOWS();
        const Run r = run(program, args, locale);
        QCOMPARE(r.status, status);
        for (const QString &s : says)
            QVERIFY2(r.err.contains(s) || r.out.contains(s),
                     qPrintable(u"missing \""_qs + s + u"\" in:\n"_qs + r.err + r.out));
        // Nothing of the other language slips in.
        if (locale == u"C") {
            QVERIFY2(!r.err.contains(u"грешка"_qs) && !r.err.contains(u"употреба"_qs), qPrintable(r.err));
        } else {
            QVERIFY2(!r.err.contains(u"error:"_qs) && !r.err.contains(u"usage:"_qs), qPrintable(r.err));
        }
    }

    // In-process: the translation is installed for a Bulgarian locale only.
    void install_follows_the_locale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QVERIFY(!KazTranslations::install(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("kazcheck", "the test was not built"), u"the test was not built"_qs);
        QCOMPARE(FileAccess::reason(ENOENT), u"no such file or directory"_qs);
        QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
        QVERIFY(KazTranslations::install(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("kazcheck", "the test was not built"), u"тестът не беше направен"_qs);
        // The system's own reasons too, where the translation knows them.
        QCOMPARE(FileAccess::reason(ENOENT), u"няма такъв файл или папка"_qs);
        QCOMPARE(FileAccess::reason(EXDEV), u"invalid cross-device link"_qs);
        QLocale::setDefault(QLocale::c());
    }

    // The editor asks for Bulgarian by name, under an English locale too.
    void install_by_language_ignores_the_locale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!KazTranslations::install(*QCoreApplication::instance(), QLocale::English));
        QVERIFY(KazTranslations::install(*QCoreApplication::instance(), QLocale::Bulgarian));
        QCOMPARE(QCoreApplication::translate("EditorWindow", "New test"), u"Нов тест"_qs);
        QLocale::setDefault(QLocale::c());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
