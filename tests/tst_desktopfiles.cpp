// The names and texts that list an installed quiz in the desktop's application menu.
#include "DesktopFiles.h"
#include "ManualPage.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

using namespace DesktopFiles;

namespace {

// Keys and values of a desktop entry, values unescaped as a desktop reads them; lines that
// are neither the group header nor key=value end up under "!malformed".
QHash<QString, QString> readEntry(const QString &text)
{
    QHash<QString, QString> keys;
    const QStringList lines = text.split(u'\n');
    if (lines.constFirst() != u"[Desktop Entry]")
        keys.insert(QStringLiteral("!malformed"), lines.constFirst()); // the group header comes first
    for (const QString &line : lines.mid(1)) {
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) {
            keys.insert(QStringLiteral("!malformed"), line);
            continue;
        }
        QString value;
        const QString raw = line.mid(eq + 1);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw.at(i) == u'\\' && i + 1 < raw.size()) {
                const QChar next = raw.at(++i);
                value += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next == u'r' ? QChar(u'\r') : next;
            } else {
                value += raw.at(i);
            }
        }
        keys.insert(line.left(eq), value);
    }
    return keys;
}

// Element texts of a metainfo file by "name" or "name@lang", with the well-formedness error.
QHash<QString, QString> readMetainfo(const QString &text, QString *error)
{
    QHash<QString, QString> elements;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        QString key = xml.name().toString();
        const QString lang = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        if (!lang.isEmpty())
            key += u'@' + lang;
        const QString type = xml.attributes().value(QStringLiteral("type")).toString();
        if (key == u"url" || key == u"launchable")
            key += u'@' + type;
        if (key == u"description" || key == u"component" || key == u"provides" || key == u"categories"
            || key == u"content_rating")
            continue;
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (elements.contains(key))
            elements[key] += u'\n' + text;
        else
            elements.insert(key, text);
    }
    *error = xml.hasError() ? xml.errorString() : QString();
    return elements;
}

// Titles a teacher may write; each must reach the menu exactly as written.
void addTitles()
{
    QTest::addColumn<QString>("title");
    QTest::addRow("cyrillic") << "KAZ по История - стари названия на градове";
    QTest::addRow("backslash") << R"(Пътища C:\new\tests)";
    QTest::addRow("markup_characters") << R"(Числа <, > & "кавички" 'и')";
    QTest::addRow("semicolons") << "Глаголи; съществителни;";
    QTest::addRow("percent_and_equals") << "100% = цяло";
}

// A manual page as groff prints it for a terminal, lines unbroken; empty when groff is missing.
QString rendered(const QString &page, QString *warnings)
{
    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    if (groff.isEmpty())
        return {};
    QProcess process;
    process.start(groff, {QStringLiteral("-k"), QStringLiteral("-man"), QStringLiteral("-Tutf8"),
                          QStringLiteral("-ww"), QStringLiteral("-rLL=2000n"), QStringLiteral("-P-cbou")});
    process.write(page.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished();
    *warnings = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The test editor's desktop entry or metainfo file in packaging/editor/, named by its id.
QString editorFile(const QString &suffix, QString *id)
{
    const QDir dir(qEnvironmentVariable("KAZ_SOURCE_DIR") + QStringLiteral("/packaging/editor"));
    const QStringList files = dir.entryList({u"*"_qs + suffix}, QDir::Files);
    if (files.size() != 1)
        return {};
    *id = files.constFirst().chopped(suffix.size());
    QFile file(dir.filePath(files.constFirst()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestDesktopFiles : public QObject
{
    Q_OBJECT

private slots:
    void componentId_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("id");
        QTest::addRow("shipped_test") << "https://kaz.bg" << "istoriya" << "bg.kaz.istoriya";
        QTest::addRow("path_and_port_ignored") << "http://school.example.org:8080/quiz?x=1" << "geo"
                                               << "org.example.school.geo";
        QTest::addRow("www_dropped") << "https://www.kaz.bg" << "figuri" << "bg.kaz.figuri";
        QTest::addRow("no_scheme") << "kaz.bg" << "figuri" << "bg.kaz.figuri";
        QTest::addRow("upper_case_host") << "HTTPS://KAZ.BG" << "figuri" << "bg.kaz.figuri";
        QTest::addRow("hyphen_in_host") << "https://my-school.bg" << "t" << "bg.my_school.t";
        QTest::addRow("label_starting_with_digit") << "https://7school.bg" << "t" << "bg._7school.t";
        QTest::addRow("folder_starting_with_digit") << "https://kaz.bg" << "5klas" << "bg.kaz._5klas";
        QTest::addRow("hyphen_and_dot_in_folder") << "https://kaz.bg" << "my-test.v2" << "bg.kaz.my_test_v2";
        QTest::addRow("folder_case_kept") << "https://kaz.bg" << "MyTest" << "bg.kaz.MyTest";
        QTest::addRow("unicode_host_in_ace") << "https://пример.бг" << "t" << "xn__90ae.xn__e1afmkfd.t";
        QTest::addRow("single_label_host") << "http://localhost/quiz" << "t" << "bg.kaz.t";
        QTest::addRow("ipv4_host") << "http://192.168.1.10" << "t" << "bg.kaz.t";
        QTest::addRow("ipv6_host") << "http://[::1]/" << "t" << "bg.kaz.t";
        QTest::addRow("no_address") << "" << "t" << "bg.kaz.t";
        QTest::addRow("word_not_address") << "KAZ" << "t" << "bg.kaz.t";
    }
    void componentId()
    {
        QFETCH(QString, address);
        QFETCH(QString, folder);
        QFETCH(QString, id);
        QCOMPARE(DesktopFiles::componentId(address, folder), id);
    }

    void describe_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("homepage");
        QTest::addRow("shipped_caption") << "https://kaz.bg KAZ по История - стари названия на градове"
                                         << "KAZ по История - стари названия на градове" << "https://kaz.bg";
        QTest::addRow("spaces_around_title") << "https://kaz.bg   Тест  " << "Тест" << "https://kaz.bg";
        QTest::addRow("address_only") << "https://kaz.bg" << "KAZ" << "https://kaz.bg";
        QTest::addRow("empty_title") << "https://kaz.bg " << "KAZ" << "https://kaz.bg";
        QTest::addRow("no_scheme_no_homepage") << "kaz.bg Тест" << "Тест" << "";
        QTest::addRow("ftp_no_homepage") << "ftp://kaz.bg Тест" << "Тест" << "";
        QTest::addRow("word_no_homepage") << "KAZ Тест" << "Тест" << "";
        QTest::addRow("empty_caption") << "" << "KAZ" << "";
    }
    void describe()
    {
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, homepage);
        const Program p = DesktopFiles::describe(caption, QStringLiteral("t"), QStringLiteral("kaz-t"));
        QCOMPARE(p.title, title);
        QCOMPARE(p.homepage, homepage);
        QCOMPARE(p.executable, QStringLiteral("kaz-t"));
        QCOMPARE(p.id, DesktopFiles::componentId(caption.section(u' ', 0, 0), QStringLiteral("t")));
    }

    void desktopEntryKeepsTitle()
    {
        QFETCH(QString, title);
        const Program p = DesktopFiles::describe(QStringLiteral("https://kaz.bg ") + title, QStringLiteral("geo"),
                                                 QStringLiteral("kaz-geo"));
        const QHash<QString, QString> keys = readEntry(DesktopFiles::desktopEntry(p));
        QVERIFY2(!keys.contains(QStringLiteral("!malformed")), qPrintable(keys.value(QStringLiteral("!malformed"))));
        QCOMPARE(keys.value(QStringLiteral("Name")), title);
        QCOMPARE(keys.value(QStringLiteral("Name[bg]")), title);
        QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(keys.value(QStringLiteral("Exec")), QStringLiteral("kaz-geo"));
        QCOMPARE(keys.value(QStringLiteral("Icon")), QStringLiteral("bg.kaz.geo"));
        QCOMPARE(keys.value(QStringLiteral("StartupWMClass")), QStringLiteral("kaz-geo"));
        QVERIFY(keys.value(QStringLiteral("Categories")).split(u';').contains(QStringLiteral("Education")));
    }
    void desktopEntryKeepsTitle_data() { addTitles(); }

    // A program of one user's own is started by its absolute path: the Exec line read as a
    // desktop reads it (value unescaped, then the quoted argument) gives the path back.
    void execOfOwnProgram_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("quoted");
        QTest::addRow("plain") << u"/home/maria/kaz-geo"_qs << false;
        QTest::addRow("cyrillic") << u"/home/мария/Тестове/kaz-geo"_qs << false;
        QTest::addRow("space") << u"/home/maria/My Tests/kaz-geo"_qs << true;
        QTest::addRow("quote_dollar_backtick") << u"/tmp/a\"b$c`d/kaz-geo"_qs << true;
        QTest::addRow("backslash") << u"/tmp/a\\b/kaz-geo"_qs << true;
        QTest::addRow("percent") << u"/tmp/100%/kaz-geo"_qs << false;
        QTest::addRow("semicolon_and_hash") << u"/tmp/a;b#c/kaz-geo"_qs << true;
    }
    void execOfOwnProgram()
    {
        QFETCH(QString, path);
        QFETCH(bool, quoted);
        Program p = DesktopFiles::describe(u"https://kaz.bg География"_qs, u"geo"_qs, u"kaz-geo"_qs);
        p.path = path;
        const QHash<QString, QString> keys = readEntry(DesktopFiles::desktopEntry(p));
        QVERIFY2(!keys.contains(QStringLiteral("!malformed")), qPrintable(keys.value(QStringLiteral("!malformed"))));
        QCOMPARE(keys.value(u"TryExec"_qs), path);
        QCOMPARE(keys.value(u"StartupWMClass"_qs), u"kaz-geo"_qs);
        const QString exec = keys.value(u"Exec"_qs);
        QCOMPARE(exec.startsWith(u'"'), quoted);
        QString argument;
        for (qsizetype i = quoted ? 1 : 0; i < exec.size(); ++i) {
            if (quoted && exec.at(i) == u'\\' && i + 1 < exec.size())
                argument += exec.at(++i);
            else if (quoted && exec.at(i) == u'"')
                QCOMPARE(i, exec.size() - 1); // the closing quote ends the line
            else if (exec.at(i) == u'%' && i + 1 < exec.size() && exec.at(i + 1) == u'%')
                argument += exec.at(++i);
            else
                argument += exec.at(i);
        }
        QCOMPARE(argument, path);
    }

    // kazpack reads its own entries back to tell whose they are: the program and the folder
    // come back as they were written, whatever characters their paths hold.
    void entryKeysReadBack_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addRow("plain") << u"/home/maria/kaz-geo"_qs;
        QTest::addRow("space_and_cyrillic") << u"/home/мария/My Tests/kaz-geo"_qs;
        QTest::addRow("backslashes") << u"/tmp/a\\b\\nc/kaz-geo"_qs;
        QTest::addRow("line_break_and_tab") << u"/tmp/a\nb\tc/kaz-geo"_qs;
        QTest::addRow("equals_and_hash") << u"/tmp/a=b#c/kaz-geo"_qs;
    }
    void entryKeysReadBack()
    {
        QFETCH(QString, path);
        Program p = DesktopFiles::describe(u"https://kaz.bg География"_qs, u"geo"_qs, u"kaz-geo"_qs);
        p.path = path;
        p.folder = path + u"-folder"_qs;
        const QHash<QString, QString> keys = DesktopFiles::entryKeys(DesktopFiles::desktopEntry(p));
        QCOMPARE(keys.value(u"TryExec"_qs), path);
        QCOMPARE(keys.value(QString::fromUtf16(FolderKey)), p.folder);
        QCOMPARE(keys.value(u"Name"_qs), u"География"_qs);
        // An installed program's entry names no folder.
        p.path.clear();
        QVERIFY(!DesktopFiles::entryKeys(DesktopFiles::desktopEntry(p)).contains(QString::fromUtf16(FolderKey)));
    }

    void metainfoKeepsTitle()
    {
        QFETCH(QString, title);
        const Program p = DesktopFiles::describe(QStringLiteral("https://kaz.bg ") + title, QStringLiteral("geo"),
                                                 QStringLiteral("kaz-geo"));
        QString error;
        const QHash<QString, QString> e = readMetainfo(DesktopFiles::metainfo(p), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(e.value(QStringLiteral("id")), QStringLiteral("bg.kaz.geo"));
        QCOMPARE(e.value(QStringLiteral("name")), title);
        QCOMPARE(e.value(QStringLiteral("name@bg")), title);
        QCOMPARE(e.value(QStringLiteral("launchable@desktop-id")), QStringLiteral("bg.kaz.geo.desktop"));
        QCOMPARE(e.value(QStringLiteral("binary")), QStringLiteral("kaz-geo"));
        QCOMPARE(e.value(QStringLiteral("url@homepage")), QStringLiteral("https://kaz.bg"));
        QCOMPARE(e.value(QStringLiteral("category")), QStringLiteral("Education"));
        QCOMPARE(e.value(QStringLiteral("project_license")), QString::fromUtf16(DesktopFiles::ProjectLicense));
        QVERIFY(e.value(QStringLiteral("p")).contains(title));
    }
    void metainfoKeepsTitle_data() { addTitles(); }

    // The quiz program's manual page prints the title as written, whatever roff would
    // otherwise take from it, and says how to start the program.
    void manualPageKeepsTitle()
    {
        QFETCH(QString, title);
        const Program p = DesktopFiles::describe(QStringLiteral("https://kaz.bg ") + title, QStringLiteral("geo"),
                                                 QStringLiteral("kaz-geo"));
        const QString page = ManualPage::quizProgram(p, QStringLiteral("0.1"));
        // Only the page's own requests start a line; the title never does.
        for (const QString &line : page.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u'.') || line.startsWith(u'\''))
                QVERIFY2(QRegularExpression(QStringLiteral("^(\\.(TH|SH|B|BR|PP|TP) ?|'\\\\\" -\\*- coding: UTF-8 -\\*-$)")).match(line).hasMatch(),
                         qPrintable(line));
        }
        QString warnings;
        const QString text = rendered(page, &warnings);
        if (text.isEmpty())
            QSKIP("groff is not installed (Debian package groff-base)");
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings));
        const QStringList lines = text.split(u'\n');
        const qsizetype name = lines.indexOf(QStringLiteral("NAME"));
        QVERIFY2(name >= 0 && name + 1 < lines.size(), qPrintable(text));
        QCOMPARE(lines.at(name + 1).trimmed(), QStringLiteral("kaz-geo - matching quiz \u201C") + title + u'\u201D');
        const qsizetype synopsis = lines.indexOf(QStringLiteral("SYNOPSIS"));
        QVERIFY2(synopsis >= 0 && synopsis + 1 < lines.size(), qPrintable(text));
        QCOMPARE(lines.at(synopsis + 1).trimmed(), QStringLiteral("kaz-geo"));
        QVERIFY(text.contains(QStringLiteral("is the KAZ test \u201C") + title + u'\u201D'));
    }
    void manualPageKeepsTitle_data()
    {
        addTitles();
        QTest::addRow("leading_dot") << ".NET за начинаещи";
        QTest::addRow("leading_apostrophe") << "'Кавички' и точки.";
        QTest::addRow("roff_escapes") << R"(\fBудебелено\fP \- тире \(lq)";
    }

    // The editor's menu entry: its Bulgarian and English names, the program it starts with
    // the one file or folder it is given, and its icon under the entry's own id.
    void editorEntry()
    {
        QString id;
        const QString text = editorFile(u".desktop"_qs, &id);
        QVERIFY2(!text.isEmpty(), "no single readable *.desktop in packaging/editor");
        const QHash<QString, QString> keys = readEntry(text);
        QVERIFY2(!keys.contains(u"!malformed"_qs), qPrintable(keys.value(u"!malformed"_qs)));
        QCOMPARE(keys.value(u"Name"_qs), u"KAZ — редактор на тестове"_qs);
        QCOMPARE(keys.value(u"Name[en]"_qs), u"KAZ test editor"_qs);
        QCOMPARE(keys.value(u"Exec"_qs), u"kaz-editor %f"_qs);
        QCOMPARE(keys.value(u"TryExec"_qs), u"kaz-editor"_qs);
        QCOMPARE(keys.value(u"StartupWMClass"_qs), u"kaz-editor"_qs);
        QCOMPARE(keys.value(u"Icon"_qs), id);
        QVERIFY(keys.value(u"Categories"_qs).split(u';').contains(u"Education"_qs));
        for (const QString &key : {u"Comment"_qs, u"Comment[en]"_qs, u"Keywords"_qs, u"Keywords[en]"_qs})
            QVERIFY2(!keys.value(key).isEmpty(), qPrintable(key));
        // A test folder named like the editor, packed with --desktop from the shipped tests'
        // caption, gets an entry of its own instead of hiding the editor's.
        QVERIFY(DesktopFiles::componentId(u"https://kaz.bg"_qs, id.section(u'.', -1)) != id);
    }

    // The software centre shows the metainfo; it names and starts the same program as the
    // menu entry.
    void editorMetainfoAgreesWithEntry_data()
    {
        QTest::addColumn<QString>("entryKey");
        QTest::addColumn<QString>("element");
        QTest::addRow("name") << "Name" << "name";
        QTest::addRow("english_name") << "Name[en]" << "name@en";
        QTest::addRow("icon_and_id") << "Icon" << "id";
        QTest::addRow("program") << "TryExec" << "binary";
    }
    void editorMetainfoAgreesWithEntry()
    {
        QFETCH(QString, entryKey);
        QFETCH(QString, element);
        QString entryId;
        QString metainfoId;
        const QHash<QString, QString> keys = readEntry(editorFile(u".desktop"_qs, &entryId));
        QString error;
        const QHash<QString, QString> e = readMetainfo(editorFile(u".metainfo.xml"_qs, &metainfoId), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(metainfoId, entryId);
        QVERIFY(!keys.value(entryKey).isEmpty());
        QCOMPARE(e.value(element), keys.value(entryKey));
        QCOMPARE(e.value(u"launchable@desktop-id"_qs), entryId + u".desktop"_qs);
        QCOMPARE(e.value(u"project_license"_qs), QString::fromUtf16(DesktopFiles::ProjectLicense));
    }

    void metainfoWithoutHomepage()
    {
        const Program p = DesktopFiles::describe(QStringLiteral("KAZ Тест"), QStringLiteral("t"), QStringLiteral("kaz-t"));
        QString error;
        const QHash<QString, QString> e = readMetainfo(DesktopFiles::metainfo(p), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!e.contains(QStringLiteral("url@homepage")));
        QCOMPARE(e.value(QStringLiteral("id")), QStringLiteral("bg.kaz.t"));
    }
};

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
