#include "Recovery.h"

#include "FileAccess.h"
#include "PictureBytes.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace Recovery {

namespace {

const QString Format = QStringLiteral("kaz-editor-recovery");
constexpr int Version = 1;
const QString Suffix = QStringLiteral(".kazrecovery");

QJsonArray toJson(const QStringList &list) { return QJsonArray::fromStringList(list); }

QStringList strings(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &v : value.toArray())
        out.append(v.toString());
    return out;
}

QJsonObject toJson(const DocumentPicture &p)
{
    return {{QStringLiteral("name"), p.name},
            {QStringLiteral("bytes"), QString::fromLatin1(p.bytes.toBase64())},
            {QStringLiteral("width"), p.width},
            {QStringLiteral("height"), p.height}};
}

DocumentPicture picture(const QJsonValue &value)
{
    const QJsonObject o = value.toObject();
    DocumentPicture p;
    p.name = o.value(QStringLiteral("name")).toString();
    if (p.name.isEmpty())
        return p;
    p.bytes = QByteArray::fromBase64(o.value(QStringLiteral("bytes")).toString().toLatin1());
    p.width = o.value(QStringLiteral("width")).toInt(DocumentPicture::DefaultBoxWidth);
    p.height = o.value(QStringLiteral("height")).toInt(DocumentPicture::DefaultBoxHeight);
    PictureBytes::inspect(p);
    return p;
}

QByteArray toJson(const DocumentContent &c, const QString &testFolder)
{
    QJsonArray rows;
    for (const DocumentRow &r : c.rows) {
        QJsonObject o{{QStringLiteral("left"), r.left}, {QStringLiteral("right"), r.right}};
        if (!r.explanation.isEmpty())
            o.insert(QStringLiteral("explanation"), toJson(r.explanation));
        if (!r.explanationShown)
            o.insert(QStringLiteral("shown"), false);
        if (!r.picture.isNull())
            o.insert(QStringLiteral("picture"), toJson(r.picture));
        if (r.pictureMode != PictureMode::Window)
            o.insert(QStringLiteral("mode"), int(r.pictureMode));
        if (!r.switchText.isEmpty())
            o.insert(QStringLiteral("switch"), r.switchText);
        if (!r.flagText.isEmpty())
            o.insert(QStringLiteral("flag"), r.flagText);
        rows.append(o);
    }
    QJsonObject spare;
    for (auto it = c.spare.cbegin(); it != c.spare.cend(); ++it)
        spare.insert(QString::number(it.key()),
                     QJsonObject{{QStringLiteral("switch"), it->switchText},
                                 {QStringLiteral("flag"), it->flagText},
                                 {QStringLiteral("explanation"), toJson(it->explanation)},
                                 {QStringLiteral("picture"), toJson(it->picture)}});
    const QJsonObject root{
        {QStringLiteral("format"), Format},
        {QStringLiteral("version"), Version},
        {QStringLiteral("written"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
        {QStringLiteral("testFolder"), testFolder},
        {QStringLiteral("address"), c.address},
        {QStringLiteral("title"), c.title},
        {QStringLiteral("geometry"), toJson(c.geometry)},
        {QStringLiteral("instructions"), c.instructions},
        {QStringLiteral("explanationLabel"), c.explanationLabel},
        {QStringLiteral("explanationSection"), c.explanationSection},
        {QStringLiteral("pictureLabel"), c.pictureLabel},
        {QStringLiteral("comments"), toJson(c.comments)},
        {QStringLiteral("rows"), rows},
        {QStringLiteral("spare"), spare},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QJsonObject rootOf(const QString &path, QString &error)
{
    const FileAccess::Read file = FileAccess::read(path, qint64(1) << 31);
    if (!file.ok()) {
        error = QCoreApplication::translate("Recovery", "the recovery file %1 cannot be read: %2").arg(path, file.problem);
        return {};
    }
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(file.bytes, &parse);
    const QJsonObject root = json.object();
    if (parse.error != QJsonParseError::NoError || root.value(QStringLiteral("format")).toString() != Format
        || root.value(QStringLiteral("version")).toInt() != Version) {
        error = QCoreApplication::translate("Recovery", "the recovery file %1 is damaged or of another version; the test "
                                                                "cannot be restored from it")
                    .arg(path);
        return {};
    }
    return root;
}

} // namespace

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString pathFor(const QString &key)
{
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return folder() + u'/' + QString::fromLatin1(hash) + Suffix;
}

QString write(const QString &path, const DocumentContent &content, const QString &testFolder)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return QCoreApplication::translate("Recovery", "the folder %1 cannot be made; the recovery copy is not written")
            .arg(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("Recovery", "%1 cannot be written: %2").arg(path, file.errorString());
    file.write(toJson(content, testFolder));
    if (!file.commit())
        return QCoreApplication::translate("Recovery", "%1 cannot be written: %2").arg(path, file.errorString());
    return {};
}

QList<Found> find()
{
    QList<Found> out;
    const QDir dir(folder());
    for (const QString &name : dir.entryList({u'*' + Suffix}, QDir::Files)) {
        QString error;
        const QJsonObject root = rootOf(dir.filePath(name), error);
        if (!error.isEmpty())
            continue;
        out.append({dir.filePath(name), root.value(QStringLiteral("testFolder")).toString(),
                    root.value(QStringLiteral("title")).toString(),
                    QDateTime::fromString(root.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs)});
    }
    std::sort(out.begin(), out.end(), [](const Found &a, const Found &b) { return a.written > b.written; });
    return out;
}

Loaded read(const QString &path)
{
    Loaded l;
    const QJsonObject root = rootOf(path, l.error);
    if (!l.error.isEmpty())
        return l;
    l.testFolder = root.value(QStringLiteral("testFolder")).toString();
    l.written = QDateTime::fromString(root.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    DocumentContent &c = l.content;
    c.address = root.value(QStringLiteral("address")).toString();
    c.title = root.value(QStringLiteral("title")).toString();
    c.geometry = strings(root.value(QStringLiteral("geometry")));
    while (c.geometry.size() < DocumentContent::GeometryFields)
        c.geometry.append(QString());
    c.instructions = root.value(QStringLiteral("instructions")).toString();
    c.explanationLabel = root.value(QStringLiteral("explanationLabel")).toString();
    c.explanationSection = root.value(QStringLiteral("explanationSection")).toBool();
    c.pictureLabel = root.value(QStringLiteral("pictureLabel")).toString();
    c.comments = strings(root.value(QStringLiteral("comments")));
    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    c.rows.reserve(rows.size());
    for (const QJsonValue &v : rows) {
        const QJsonObject o = v.toObject();
        DocumentRow r;
        r.left = o.value(QStringLiteral("left")).toString();
        r.right = o.value(QStringLiteral("right")).toString();
        r.explanation = strings(o.value(QStringLiteral("explanation")));
        r.explanationShown = o.value(QStringLiteral("shown")).toBool(true);
        r.picture = picture(o.value(QStringLiteral("picture")));
        r.pictureMode = PictureMode(o.value(QStringLiteral("mode")).toInt(int(PictureMode::Window)));
        r.switchText = o.value(QStringLiteral("switch")).toString();
        r.flagText = o.value(QStringLiteral("flag")).toString();
        c.rows.append(r);
    }
    const QJsonObject spare = root.value(QStringLiteral("spare")).toObject();
    for (auto it = spare.constBegin(); it != spare.constEnd(); ++it) {
        const QJsonObject o = it.value().toObject();
        DocumentSpare s;
        s.switchText = o.value(QStringLiteral("switch")).toString();
        s.flagText = o.value(QStringLiteral("flag")).toString();
        s.explanation = strings(o.value(QStringLiteral("explanation")));
        s.picture = picture(o.value(QStringLiteral("picture")));
        c.spare.insert(it.key().toInt(), s);
    }
    return l;
}

bool remove(const QString &path) { return QFile::remove(path); }

} // namespace Recovery
