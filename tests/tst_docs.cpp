// The guides as a reader follows them: every link and picture leads somewhere, every picture in
// docs/ is shown by a page, and a guide's two languages show the same pictures under the same
// outline (a section or picture added to one language only is a guide that drifted apart).
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A page as a reader sees it: fenced code blocks and `code spans` left out, since a "](" or a
// "#" there is a command, not a link or a heading.
QString prose(const QString &markdown)
{
    QStringList kept;
    bool fenced = false;
    for (const QString &line : markdown.split(u'\n')) {
        if (line.startsWith(u"```")) {
            fenced = !fenced;
            continue;
        }
        if (!fenced)
            kept.append(line);
    }
    static const QRegularExpression span(u"`[^`\n]*`"_s);
    return kept.join(u'\n').replace(span, u"code"_s);
}

struct Heading
{
    int level = 0;
    QString anchor; // as GitHub makes it: the repeated ones numbered -1, -2, …
};

// The headings outside code blocks, with GitHub's anchors: lower case, every character but
// letters, digits, '-', '_' and spaces dropped, spaces made '-'.
QList<Heading> headings(const QString &markdown)
{
    QList<Heading> out;
    QHash<QString, int> seen;
    bool fenced = false;
    static const QRegularExpression heading(u"^(#{1,6}) +(.*?) *$"_s);
    static const QRegularExpression dropped(u"[^\\w\\- ]"_s, QRegularExpression::UseUnicodePropertiesOption);
    for (const QString &line : markdown.split(u'\n')) {
        if (line.startsWith(u"```"))
            fenced = !fenced;
        const QRegularExpressionMatch m = heading.match(line);
        if (fenced || !m.hasMatch())
            continue;
        QString anchor = m.captured(2).toLower().remove(dropped).replace(u' ', u'-');
        const int times = seen[anchor]++;
        if (times > 0)
            anchor += u'-' + QString::number(times);
        out.append({int(m.captured(1).size()), anchor});
    }
    return out;
}

// The first capture of every match of `re` in the prose, in order.
QStringList captured(const QString &markdown, const QRegularExpression &re)
{
    QStringList out;
    for (const QRegularExpressionMatch &m : re.globalMatch(prose(markdown)))
        out.append(m.captured(1));
    return out;
}

// "](target)" of every link and picture in the prose, in order.
QStringList targets(const QString &markdown)
{
    static const QRegularExpression link(u"\\]\\(([^()\\s]+)\\)"_s);
    return captured(markdown, link);
}

QStringList pictures(const QString &markdown)
{
    static const QRegularExpression picture(u"!\\[[^\\]]*\\]\\(([^()\\s]+)\\)"_s);
    return captured(markdown, picture);
}

const QStringList Pages{u"README.md"_s,           u"docs/editor.md"_s,    u"docs/editor.bg.md"_s,
                        u"docs/authoring.md"_s,   u"docs/authoring.bg.md"_s, u"docs/performance.md"_s};

} // namespace

class TestDocs : public QObject
{
    Q_OBJECT
private slots:
    void githubAnchorsOfHeadings_data();
    void githubAnchorsOfHeadings();
    void linksLeadToFilesAndSections_data();
    void linksLeadToFilesAndSections();
    void everyPictureInDocsIsShown();
    void bothLanguagesShowTheSamePicturesUnderTheSameOutline_data();
    void bothLanguagesShowTheSamePicturesUnderTheSameOutline();
};

// The anchors the link check relies on, made as GitHub makes them.
void TestDocs::githubAnchorsOfHeadings_data()
{
    QTest::addColumn<QString>("markdown");
    QTest::addColumn<QStringList>("anchors");
    QTest::addRow("punctuation_dropped") << u"## Once: install KAZ"_s << QStringList{u"once-install-kaz"_s};
    QTest::addRow("cyrillic_lowered") << u"## Веднъж: инсталиране на KAZ"_s
                                      << QStringList{u"веднъж-инсталиране-на-kaz"_s};
    QTest::addRow("code_and_brackets") << u"### `[parameters]`: the window"_s
                                       << QStringList{u"parameters-the-window"_s};
    QTest::addRow("repeated_numbered") << u"## On Windows\n### On Windows\n## On Windows"_s
                                       << QStringList{u"on-windows"_s, u"on-windows-1"_s, u"on-windows-2"_s};
    QTest::addRow("not_in_code_blocks") << u"```sh\n# a comment\n```\n# Title"_s << QStringList{u"title"_s};
}

void TestDocs::githubAnchorsOfHeadings()
{
    QFETCH(QString, markdown);
    QFETCH(QStringList, anchors);
    QStringList made;
    for (const Heading &h : headings(markdown))
        made.append(h.anchor);
    QCOMPARE(made, anchors);
}

void TestDocs::linksLeadToFilesAndSections_data()
{
    QTest::addColumn<QString>("page");
    for (const QString &page : Pages)
        QTest::newRow(qPrintable(QFileInfo(page).completeBaseName().replace(u'.', u'_'))) << page;
}

// A link or picture to a file of the tree names a file that is there, and a link to a section
// ("#…", "page.md#…") names a heading of that page.
void TestDocs::linksLeadToFilesAndSections()
{
    QFETCH(QString, page);
    const QString markdown = TestFiles::sourceText(page);
    QVERIFY2(!markdown.isEmpty(), qPrintable(page));
    const QDir folder = QFileInfo(TestFiles::sourcePath(page)).dir();
    QStringList broken;
    for (const QString &target : targets(markdown)) {
        if (target.startsWith(u"http://") || target.startsWith(u"https://") || target.startsWith(u"mailto:"))
            continue;
        const qsizetype hash = target.indexOf(u'#');
        const QString file = hash < 0 ? target : target.left(hash);
        const QString path = file.isEmpty() ? TestFiles::sourcePath(page) : folder.filePath(file);
        if (!QFileInfo::exists(path)) {
            broken.append(target + u" (no such file)"_s);
            continue;
        }
        if (hash < 0)
            continue;
        const QString anchor = target.mid(hash + 1);
        bool found = false;
        for (const Heading &h : headings(TestFiles::text(path)))
            found = found || h.anchor == anchor;
        if (!found)
            broken.append(target + u" (no such section)"_s);
    }
    QVERIFY2(broken.isEmpty(), qPrintable(page + u": "_s + broken.join(u", "_s)));
}

// A picture left in docs/ when its page stopped showing it is a picture out of date.
void TestDocs::everyPictureInDocsIsShown()
{
    QStringList shown;
    for (const QString &page : Pages) {
        const QString markdown = TestFiles::sourceText(page);
        const QDir folder = QFileInfo(TestFiles::sourcePath(page)).dir();
        for (const QString &target : targets(markdown))
            shown.append(QFileInfo(folder.filePath(target)).canonicalFilePath());
    }
    const QDir docs(TestFiles::sourcePath(u"docs"_s));
    QStringList unshown;
    for (const QFileInfo &picture : docs.entryInfoList({u"*.png"_s}, QDir::Files))
        if (!shown.contains(picture.canonicalFilePath()))
            unshown.append(picture.fileName());
    QVERIFY2(unshown.isEmpty(), qPrintable(u"shown by no page: "_s + unshown.join(u", "_s)));
}

void TestDocs::bothLanguagesShowTheSamePicturesUnderTheSameOutline_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("bulgarian");
    QTest::addRow("editor") << u"docs/editor.md"_s << u"docs/editor.bg.md"_s;
    QTest::addRow("authoring") << u"docs/authoring.md"_s << u"docs/authoring.bg.md"_s;
}

void TestDocs::bothLanguagesShowTheSamePicturesUnderTheSameOutline()
{
    QFETCH(QString, english);
    QFETCH(QString, bulgarian);
    const QString en = TestFiles::sourceText(english);
    const QString bg = TestFiles::sourceText(bulgarian);
    QVERIFY(!en.isEmpty() && !bg.isEmpty());
    QCOMPARE(pictures(bg), pictures(en));
    QList<int> enLevels;
    QList<int> bgLevels;
    for (const Heading &h : headings(en))
        enLevels.append(h.level);
    for (const Heading &h : headings(bg))
        bgLevels.append(h.level);
    QCOMPARE(bgLevels, enLevels);
}

QTEST_GUILESS_MAIN(TestDocs)
#include "tst_docs.moc"
