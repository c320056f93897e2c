#include "ScormPackage.h"

#include "Caption.h"
#include "ContentStore.h"
#include "WebPage.h"
#include "ZipArchive.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

#include <algorithm>

namespace ScormPackage {

namespace {

constexpr char ElementStart[] = "<script id=\"kaz-scorm\" type=\"application/json\">";
constexpr char ElementEnd[] = "</script>\n";

// Where a settings element stands in `page`: its start and its end, {-1, -1} for none.
std::pair<qsizetype, qsizetype> elementPlace(QByteArrayView page)
{
    const qsizetype start = page.indexOf(QByteArrayView(ElementStart));
    if (start < 0)
        return {-1, -1};
    const qsizetype end = page.indexOf(QByteArrayView("</script>"), start);
    if (end < 0)
        return {-1, -1};
    qsizetype after = end + 9;
    if (after < page.size() && page.at(after) == '\n')
        ++after;
    return {start, after};
}

} // namespace

QString title(const ContentStore &store, const QString &folderName)
{
    const QString title = Caption::split(ContentStore::item(store.Danni(3), 0)).title.trimmed();
    return title.isEmpty() ? folderName : title;
}

QString fileName(const QString &folderName)
{
    return QStringLiteral("kaz-") + folderName + QStringLiteral("-scorm.zip");
}

QByteArray settingsElement(const Settings &settings)
{
    // Written by hand, keys in this order, so that the bytes never depend on a JSON writer.
    const QByteArray mark = settings.passMark ? QByteArray::number(std::clamp(*settings.passMark, 0, 100)) : QByteArray("null");
    return QByteArray(ElementStart) + "{\"passMark\":" + mark + ",\"learnerName\":" + (settings.learnerName ? "true" : "false")
         + "}" + ElementEnd;
}

QByteArray withSettings(QByteArrayView page, const Settings &settings)
{
    QByteArray plain = page.toByteArray();
    if (const auto [start, end] = elementPlace(plain); start >= 0)
        plain.remove(start, end - start);
    const qsizetype test = plain.indexOf(WebPage::TestStart);
    if (test < 0)
        return {};
    return plain.insert(test, settingsElement(settings));
}

std::optional<Settings> settingsOf(QByteArrayView page)
{
    const auto [start, end] = elementPlace(page);
    if (start < 0)
        return std::nullopt;
    const qsizetype json = start + qsizetype(sizeof ElementStart) - 1;
    const QByteArray text = page.sliced(json, page.indexOf(QByteArrayView("</script>"), json) - json).toByteArray();
    const QJsonObject o = QJsonDocument::fromJson(text).object();
    Settings s;
    const QJsonValue mark = o.value(QLatin1String("passMark"));
    s.passMark = mark.isDouble() ? std::optional<int>(std::clamp(mark.toInt(), 0, 100)) : std::nullopt;
    s.learnerName = o.value(QLatin1String("learnerName")).toBool();
    return s;
}

QByteArray manifest(const QString &title, const QString &pageName, const Settings &settings, QByteArrayView identity)
{
    const QString id = QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(16));
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.setAutoFormatting(true);
    x.setAutoFormattingIndent(2);
    x.writeStartDocument();
    x.writeStartElement(QStringLiteral("manifest"));
    x.writeAttribute(QStringLiteral("identifier"), QStringLiteral("kaz-") + id);
    x.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    x.writeDefaultNamespace(QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2"));
    x.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"), QStringLiteral("adlcp"));
    x.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    x.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation"),
                     QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
                                    "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd"));
    x.writeStartElement(QStringLiteral("metadata"));
    x.writeTextElement(QStringLiteral("schema"), QStringLiteral("ADL SCORM"));
    x.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.2"));
    x.writeEndElement();

    x.writeStartElement(QStringLiteral("organizations"));
    x.writeAttribute(QStringLiteral("default"), QStringLiteral("kaz-organization"));
    x.writeStartElement(QStringLiteral("organization"));
    x.writeAttribute(QStringLiteral("identifier"), QStringLiteral("kaz-organization"));
    x.writeTextElement(QStringLiteral("title"), title);
    x.writeStartElement(QStringLiteral("item"));
    x.writeAttribute(QStringLiteral("identifier"), QStringLiteral("kaz-item-") + id);
    x.writeAttribute(QStringLiteral("identifierref"), QStringLiteral("kaz-page-") + id);
    x.writeTextElement(QStringLiteral("title"), title);
    if (settings.passMark)
        x.writeTextElement(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"), QStringLiteral("masteryscore"),
                           QString::number(std::clamp(*settings.passMark, 0, 100)));
    x.writeEndElement(); // item
    x.writeEndElement(); // organization
    x.writeEndElement(); // organizations

    x.writeStartElement(QStringLiteral("resources"));
    x.writeStartElement(QStringLiteral("resource"));
    x.writeAttribute(QStringLiteral("identifier"), QStringLiteral("kaz-page-") + id);
    x.writeAttribute(QStringLiteral("type"), QStringLiteral("webcontent"));
    x.writeAttribute(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"), QStringLiteral("scormtype"), QStringLiteral("sco"));
    x.writeAttribute(QStringLiteral("href"), pageName);
    x.writeEmptyElement(QStringLiteral("file"));
    x.writeAttribute(QStringLiteral("href"), pageName);
    x.writeEndElement(); // resource
    x.writeEndElement(); // resources
    x.writeEndElement(); // manifest
    x.writeEndDocument();
    return out;
}

QByteArray make(QByteArrayView page, const QString &pageName, const QString &title, const Settings &settings)
{
    const QByteArray packaged = withSettings(page, settings);
    if (packaged.isEmpty())
        return {};
    return ZipArchive::write({{QString::fromLatin1(ManifestName), manifest(title, pageName, settings, packaged)},
                              {pageName, packaged}});
}

Page page(QByteArrayView zip)
{
    Page p;
    const ZipArchive::Read archive = ZipArchive::read(zip);
    if (!archive.ok()) {
        p.problem = archive.problem;
        p.refused = true;
        return p;
    }
    for (const ZipArchive::Member &m : archive.members) {
        if (m.name.contains(u'/') || !(m.name.endsWith(u".html", Qt::CaseInsensitive) || m.name.endsWith(u".htm", Qt::CaseInsensitive)))
            continue;
        if (!p.name.isEmpty()) {
            p = Page();
            p.problem = QCoreApplication::translate("ScormPackage", "the package holds more than one page; open the test's own "
                                                                    "page instead");
            return p;
        }
        p.name = m.name;
        p.bytes = m.bytes;
    }
    if (p.name.isEmpty())
        p.problem = QCoreApplication::translate("ScormPackage", "the zip file holds no test page: it is no test package made by KAZ");
    return p;
}

} // namespace ScormPackage
