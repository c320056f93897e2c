// The names and texts that list an installed quiz in the desktop's application menu, and the
// Start-menu shortcuts of a teacher's own programs on Windows.
#include "DesktopFiles.h"
#include "ManualPage.h"
#include "StartMenu.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
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

    // A title becomes a file name Windows takes, and keeps as much of itself as it can.
    void shortcutName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::addRow("cyrillic") << u"KAZ по История - стари названия"_qs << u"KAZ по История - стари названия.lnk"_qs;
        QTest::addRow("refused_characters") << u"Пътища C:\\new/tests: \"a\" * ? <b> | c"_qs
                                            << u"Пътища C new tests a b c.lnk"_qs;
        QTest::addRow("line_break_and_tab") << u"Ред\nдруг\tред"_qs << u"Ред друг ред.lnk"_qs;
        QTest::addRow("direction_mark") << u"Тест\u202eтxt.exe"_qs << u"Тест тxt.exe.lnk"_qs;
        QTest::addRow("trailing_dots") << u"Глаголи..."_qs << u"Глаголи.lnk"_qs;
        QTest::addRow("device_name") << u"con"_qs << u"_con.lnk"_qs;
        QTest::addRow("device_name_with_suffix") << u"NUL.txt"_qs << u"_NUL.txt.lnk"_qs;
        QTest::addRow("device_like_but_longer") << u"Console"_qs << u"Console.lnk"_qs;
        QTest::addRow("nothing_left") << u" ?*. "_qs << u"kaz-t.lnk"_qs;
        QTest::addRow("long") << QString(100, u'Ж') << QString(80, u'Ж') + u".lnk"_qs;
        // A character outside the basic plane is not cut in half.
        QTest::addRow("long_cut_at_a_pair") << QString(79, u'а') + u"😀😀"_qs << QString(79, u'а') + u".lnk"_qs;
    }

    void shortcutName()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(StartMenu::shortcutName(title, u"kaz-t"_qs), name);
    }

    // Shortcuts are made, numbered beside another program's, taken over from a program that
    // is gone, renamed with the title, and removed, without touching what is not theirs. On
    // Windows these are shortcut files; elsewhere symbolic links of the same names.
    void startMenuShortcuts()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir root(dir.path());
        const auto program = [&](const QString &name, const QString &title) {
            Program p;
            p.executable = name;
            p.title = title;
            p.path = root.filePath(name);
            QFile file(p.path);
            if (!file.exists() && file.open(QIODevice::WriteOnly))
                file.write("MZ program");
            return p;
        };
        const StartMenu menu(root.filePath(u"Start Menu/KAZ"_qs));
        const auto target = [&](const QString &name) { return QFileInfo(menu.folder() + u'/' + name).symLinkTarget(); };
        const auto write = [&](const Program &p, QString *said = nullptr) {
            QString out, err;
            QTextStream o(&out), e(&err);
            const bool ok = menu.write(p, o, e);
            o.flush();
            e.flush();
            if (said)
                *said = err;
            return ok ? out.split(u'\n', Qt::SkipEmptyParts) : QStringList{u"failed: "_qs + err};
        };
        const auto shown = [&](const QString &name) { return QDir::toNativeSeparators(menu.folder() + u'/' + name); };
        const auto names = [&] { return QDir(menu.folder()).entryList(QDir::Files | QDir::System, QDir::Name); };

        const Program a = program(u"kaz-a.exe"_qs, u"Градове"_qs);
        QCOMPARE(write(a), QStringList{shown(u"Градове.lnk"_qs)});
        QCOMPARE(target(u"Градове.lnk"_qs), a.path);
        QString said;
        QCOMPARE(write(a, &said), QStringList{shown(u"Градове.lnk"_qs)}); // again: the same shortcut
        QVERIFY2(said.isEmpty(), qPrintable(said));
        QCOMPARE(names(), QStringList{u"Градове.lnk"_qs});

        // Another program of the same title gets a numbered shortcut; the first one stays.
        const Program b = program(u"kaz-b.exe"_qs, u"Градове"_qs);
        QCOMPARE(write(b, &said), QStringList{shown(u"Градове (2).lnk"_qs)});
        QVERIFY2(said.contains(u"the shortcut "_qs + shown(u"Градове.lnk"_qs) + u" starts another program, "_qs
                               + QDir::toNativeSeparators(a.path)),
                 qPrintable(said));
        QCOMPARE(target(u"Градове.lnk"_qs), a.path);
        QCOMPARE(target(u"Градове (2).lnk"_qs), b.path);

        // The program of the plain name is gone: a third takes its shortcut over, and says so.
        QVERIFY(QFile::remove(a.path));
        const Program c = program(u"kaz-c.exe"_qs, u"Градове"_qs);
        QCOMPARE(write(c, &said), QStringList{shown(u"Градове.lnk"_qs)});
        QVERIFY2(said.contains(u"started "_qs + QDir::toNativeSeparators(a.path) + u" until now"_qs), qPrintable(said));
        QCOMPARE(target(u"Градове.lnk"_qs), c.path);

        // A new title: the program's shortcut follows it, under the new name only.
        const Program renamed = program(u"kaz-b.exe"_qs, u"Нови градове"_qs);
        QCOMPARE(write(renamed), (QStringList{shown(u"Градове (2).lnk"_qs), shown(u"Нови градове.lnk"_qs)}));
        QCOMPARE(names(), (QStringList{u"Градове.lnk"_qs, u"Нови градове.lnk"_qs}));

        // A file of the name that is no shortcut is left alone.
        QFile plain(menu.folder() + u"/Числа.lnk"_qs);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("not a shortcut") > 0);
        plain.close();
        const Program d = program(u"kaz-d.exe"_qs, u"Числа"_qs);
        QCOMPARE(write(d), QStringList{shown(u"Числа (2).lnk"_qs)});
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("not a shortcut"));
        plain.close();

        // Removing takes only the shortcuts of that program; the folder goes once it is empty.
        QString err;
        QTextStream e(&err);
        bool ok = false;
        QCOMPARE(menu.remove(c.path, e, &ok), QStringList{menu.folder() + u"/Градове.lnk"_qs});
        QVERIFY(ok);
        QCOMPARE(menu.remove(c.path, e, &ok), QStringList{});
        QVERIFY(ok);
        QCOMPARE(menu.remove(b.path, e, &ok), QStringList{menu.folder() + u"/Нови градове.lnk"_qs});
        QCOMPARE(menu.remove(d.path, e, &ok), QStringList{menu.folder() + u"/Числа (2).lnk"_qs});
        QCOMPARE(names(), QStringList{u"Числа.lnk"_qs});
        QVERIFY(QFile::remove(plain.fileName()));
        const Program last = program(u"kaz-e.exe"_qs, u"Последен"_qs);
        QCOMPARE(write(last).size(), 1);
        QCOMPARE(menu.remove(last.path, e, &ok).size(), 1);
        QVERIFY(!QFileInfo::exists(menu.folder()));
        QVERIFY(QFileInfo::exists(last.path));
        e.flush();
        QVERIFY2(err.isEmpty(), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
