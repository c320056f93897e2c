#include "DesktopFiles.h"

#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace DesktopFiles {

namespace {

bool isIdCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// One part of a reverse-DNS id: letters, digits and "_", not starting with a digit; other
// characters become "_".
QString idPart(const QString &text)
{
    QString part;
    part.reserve(text.size() + 1);
    for (QChar c : text)
        part += isIdCharacter(c) ? c : u'_';
    if (part.isEmpty() || part.front().isDigit())
        part.prepend(u'_');
    return part;
}

QString hostOf(const QString &address)
{
    const QString trimmed = address.trimmed();
    QUrl url(trimmed);
    if (url.host().isEmpty() && !trimmed.contains(u':'))
        url = QUrl(QStringLiteral("http://") + trimmed); // "kaz.bg" or "kaz.bg/istoriya"
    return url.host(QUrl::EncodeUnicode);
}

// The labels of a host name, reversed ("kaz.bg" → bg, kaz), or none when the host cannot
// stand for a publisher.
QStringList reversedLabels(const QString &host)
{
    if (host.contains(u':')) // an IPv6 address
        return {};
    QStringList labels = host.split(u'.', Qt::SkipEmptyParts);
    if (!labels.isEmpty() && labels.front() == u"www")
        labels.removeFirst();
    if (labels.size() < 2)
        return {};
    bool numeric = false;
    labels.back().toInt(&numeric);
    if (numeric) // an IPv4 address
        return {};
    std::reverse(labels.begin(), labels.end());
    return labels;
}

QString xml(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

QString entryValue(const QString &text)
{
    QString value;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\': value += QStringLiteral("\\\\"); break;
        case u'\n': value += QStringLiteral("\\n"); break;
        case u'\r': value += QStringLiteral("\\r"); break;
        case u'\t': value += QStringLiteral("\\t"); break;
        default: value += c;
        }
    }
    return value;
}

QHash<QString, QString> entryKeys(const QString &text)
{
    QHash<QString, QString> keys;
    const QStringList lines = text.split(u'\n');
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QString &line = lines.at(l);
        if (line.startsWith(u'[') && l > 0 && line != u"[Desktop Entry]")
            break;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || line.startsWith(u'#'))
            continue;
        QString value;
        for (qsizetype i = eq + 1; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (c != u'\\' || i + 1 == line.size()) {
                value += c;
                continue;
            }
            switch (const QChar next = line.at(++i); next.unicode()) {
            case u'n': value += u'\n'; break;
            case u'r': value += u'\r'; break;
            case u't': value += u'\t'; break;
            case u's': value += u' '; break;
            default: value += next;
            }
        }
        keys.insert(line.left(eq).trimmed(), value);
    }
    return keys;
}

QString titleOf(const QString &caption)
{
    const qsizetype space = caption.indexOf(u' ');
    return space < 0 ? QString() : caption.mid(space + 1).trimmed();
}

QString componentId(const QString &address, const QString &folderName)
{
    QStringList labels = reversedLabels(hostOf(address));
    if (labels.isEmpty())
        labels = reversedLabels(QString::fromUtf16(FallbackDomain));
    QStringList parts;
    for (const QString &label : std::as_const(labels))
        parts << idPart(label.toLower());
    parts << idPart(folderName);
    return parts.join(u'.');
}

QString homepageOf(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    if (url.scheme() != u"http" && url.scheme() != u"https")
        return {};
    return url.toString(QUrl::FullyEncoded);
}

Program describe(const QString &caption, const QString &folderName, const QString &executable)
{
    const QString address = caption.left(caption.indexOf(u' ')); // the whole caption without a space
    Program program;
    program.executable = executable;
    program.id = componentId(address, folderName);
    program.title = titleOf(caption);
    if (program.title.isEmpty())
        program.title = QString::fromUtf16(FallbackTitle);
    program.homepage = homepageOf(address);
    return program;
}

QString execArgument(const QString &path)
{
    // Characters the format reserves; an argument holding any of them is quoted, and inside
    // the quotes ", `, $ and \ are escaped. "%" starts a field code, so it is doubled.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = path;
    argument.replace(u'%', QStringLiteral("%%"));
    if (std::none_of(argument.cbegin(), argument.cend(), [](QChar c) { return reserved.contains(c); }))
        return argument;
    QString quoted = QStringLiteral("\"");
    for (QChar c : std::as_const(argument)) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

QString desktopEntry(const Program &program)
{
    const QString name = entryValue(program.title);
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Version=1.4\n");
    text += QStringLiteral("Name=") + name + u'\n';
    text += QStringLiteral("Name[bg]=") + name + u'\n';
    text += QStringLiteral("GenericName=Matching quiz\n");
    text += QStringLiteral("GenericName[bg]=Тест за съпоставяне\n");
    text += QStringLiteral("Comment=Pair the phrases of two lists and see which pairs are right\n");
    text += QStringLiteral("Comment[bg]=Свържете по двойки фразите от два списъка и вижте кои двойки са верни\n");
    text += QStringLiteral("Keywords=quiz;test;matching;pairs;\n");
    text += QStringLiteral("Keywords[bg]=тест;съпоставяне;двойки;\n");
    // Installed executables are named like CMake targets (letters, digits, "_", ".", "+",
    // "-"), which need no quoting on an Exec line; a path of one user's program may.
    if (program.path.isEmpty()) {
        text += QStringLiteral("Exec=") + program.executable + u'\n';
        text += QStringLiteral("TryExec=") + program.executable + u'\n';
    } else {
        text += QStringLiteral("Exec=") + entryValue(execArgument(program.path)) + u'\n';
        text += QStringLiteral("TryExec=") + entryValue(program.path) + u'\n';
        if (!program.folder.isEmpty())
            text += QString::fromUtf16(FolderKey) + u'=' + entryValue(program.folder) + u'\n';
    }
    text += QStringLiteral("Icon=") + program.id + u'\n';
    // On X11 the window's WM_CLASS instance is the executable's name; this ties the window
    // to its menu entry and icon.
    text += QStringLiteral("StartupWMClass=") + program.executable + u'\n';
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("Categories=Education;\n");
    return text;
}

QString metainfo(const Program &program)
{
    const QString title = xml(program.title);
    QString text;
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    text += QStringLiteral("<component type=\"desktop-application\">\n");
    text += QStringLiteral("  <id>") + xml(program.id) + QStringLiteral("</id>\n");
    text += QStringLiteral("  <metadata_license>CC0-1.0</metadata_license>\n");
    text += QStringLiteral("  <project_license>") + QString::fromUtf16(ProjectLicense)
        + QStringLiteral("</project_license>\n");
    text += QStringLiteral("  <name>") + title + QStringLiteral("</name>\n");
    text += QStringLiteral("  <name xml:lang=\"bg\">") + title + QStringLiteral("</name>\n");
    text += QStringLiteral("  <summary>Matching quiz: pair the phrases of two lists</summary>\n");
    text += QStringLiteral("  <summary xml:lang=\"bg\">Тест за съпоставяне: свържете по двойки фразите от два списъка</summary>\n");
    text += QStringLiteral("  <description>\n");
    text += QStringLiteral("    <p>A relational test: the learner pairs a phrase of the left list with a phrase of "
                           "the right list, one pair at a time, may take a pair back and may ask once for a "
                           "hint. Grading shows the share of right pairs; then every chosen pair shows whether "
                           "it is right, with its explanation.</p>\n");
    text += QStringLiteral("    <p xml:lang=\"bg\">Релационен тест: ученикът свързва фраза от левия списък с фраза "
                           "от десния, по една двойка, може да върне двойка и веднъж да поиска подсказка. "
                           "Оценката показва дела на верните двойки; след това всяка избрана двойка показва "
                           "дали е вярна, заедно с обяснението.</p>\n");
    text += QStringLiteral("    <p>This program holds one test: ") + title
        + QStringLiteral(". It reads no file and keeps nothing between runs; every start is a fresh test.</p>\n");
    text += QStringLiteral("    <p xml:lang=\"bg\">Програмата съдържа един тест: ") + title
        + QStringLiteral(". Тя не чете файлове и не пази нищо между две стартирания; всяко стартиране е нов тест.</p>\n");
    text += QStringLiteral("  </description>\n");
    text += QStringLiteral("  <launchable type=\"desktop-id\">") + xml(program.id) + QStringLiteral(".desktop</launchable>\n");
    if (!program.homepage.isEmpty())
        text += QStringLiteral("  <url type=\"homepage\">") + xml(program.homepage) + QStringLiteral("</url>\n");
    text += QStringLiteral("  <provides>\n    <binary>") + xml(program.executable) + QStringLiteral("</binary>\n  </provides>\n");
    text += QStringLiteral("  <categories>\n    <category>Education</category>\n  </categories>\n");
    text += QStringLiteral("  <content_rating type=\"oars-1.1\"/>\n");
    text += QStringLiteral("</component>\n");
    return text;
}

} // namespace DesktopFiles
