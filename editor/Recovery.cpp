#include "Recovery.h"

#include "ContentReader.h"
#include "FileAccess.h"
#include "PictureBytes.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Recovery {

namespace {

const QString Format = QStringLiteral("kaz-editor-recovery");
constexpr int Version = 1;
const QString Suffix = QStringLiteral(".kazrecovery");
// The largest question number a test file can have a switch or a flag for.
constexpr qint64 MaxQuestion = ContentReader::MaxPhrases;
// The most find() reads of the end of a copy it does not read whole: enough for the keys the
// offer shows, a caption of a test's longest line and a folder's path.
constexpr qint64 TailBytes = 8 * 1024;
// Any box a picture's own size gives (pixels × 15), with room to add two.
constexpr qint64 MaxBoxTwips = std::numeric_limits<int>::max() / 2;
// A lock whose owner cannot be told (cut short while it was made) is taken over after this.
constexpr int UnknownOwnerSeconds = 60;

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

// Reading a copy: the first fault found ends it.
class Reader
{
public:
    QString fault;

    // The whole number at `key` of `o`, from `low` to `high`; `fallback` when there is none.
    int number(const QJsonObject &o, const QString &key, qint64 low, qint64 high, int fallback)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() || v.isNull())
            return fallback;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || std::floor(d) != d || d < double(low) || d > double(high)) {
            setFault(QCoreApplication::translate("Recovery", "the value of \"%1\" is not a whole number from %2 to %3").arg(key).arg(low).arg(high));
            return fallback;
        }
        return int(d);
    }

    DocumentPicture picture(const QJsonValue &value)
    {
        const QJsonObject o = value.toObject();
        DocumentPicture p;
        p.name = o.value(QStringLiteral("name")).toString();
        if (p.name.isEmpty())
            return p;
        const QString base64 = o.value(QStringLiteral("bytes")).toString();
        if (base64.size() / 4 * 3 > QuizFolder::maxPictureBytes()) {
            setFault(QCoreApplication::translate("Recovery", "the picture %1 is larger than any picture may be").arg(p.name));
            return {};
        }
        p.bytes = QByteArray::fromBase64(base64.toLatin1());
        p.width = number(o, QStringLiteral("width"), 1, MaxBoxTwips, DocumentPicture::DefaultBoxWidth);
        p.height = number(o, QStringLiteral("height"), 1, MaxBoxTwips, DocumentPicture::DefaultBoxHeight);
        PictureBytes::inspect(p);
        return p;
    }

    void setFault(const QString &why)
    {
        if (fault.isEmpty())
            fault = why;
    }
};

// Makes the folder of the copies for the user alone; false when it cannot be made so.
bool makePrivateFolder(const QString &place)
{
    return QDir().mkpath(place) && QFile::setPermissions(place, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString lockOf(const QString &path) { return path + QStringLiteral(".lock"); }

QString damaged(const QString &path)
{
    return QCoreApplication::translate("Recovery", "the recovery file %1 is damaged or of another version; the test cannot be restored from it").arg(path);
}

// What the offer of a copy not read whole shows, from its last TailBytes (no more than
// `budget`, which it takes them from). toBytes() writes the root's keys in order, so the
// folder, the title, the version and the time come last. Where what was read does not reach
// them, the copy is offered by the time it was written alone; it is checked when restored.
Found offer(const QString &path, qint64 size, qint64 &budget)
{
    Found f{path, {}, {}, QFileInfo(path).lastModified().toUTC(), {}};
    const qint64 n = std::min({TailBytes, budget, size});
    budget -= n;
    QFile file(path);
    if (const QString why = FileAccess::notAFile(path, FileAccess::Links::Refuse); !why.isEmpty() || !file.open(QIODevice::ReadOnly)
        || !file.seek(size - n)) {
        f.error = QCoreApplication::translate("Recovery", "the recovery file %1 cannot be read: %2")
                      .arg(path, why.isEmpty() ? file.errorString() : why);
        return f;
    }
    const QByteArray tail = file.read(n);
    const qsizetype at = tail.lastIndexOf(",\"testFolder\":");
    if (at < 0) {
        if (n == size)
            f.error = damaged(path);
        return f;
    }
    const QJsonObject keys = QJsonDocument::fromJson('{' + tail.mid(at + 1)).object();
    if (keys.value(QStringLiteral("version")).toInt() != Version) {
        f.error = damaged(path);
        return f;
    }
    f.testFolder = keys.value(QStringLiteral("testFolder")).toString();
    f.title = keys.value(QStringLiteral("title")).toString();
    if (const QDateTime written = QDateTime::fromString(keys.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
        written.isValid())
        f.written = written;
    return f;
}

} // namespace

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString newPath()
{
    return folder() + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces) + Suffix;
}

std::unique_ptr<QLockFile> claim(const QString &path)
{
    const QString lockPath = lockOf(path);
    makePrivateFolder(QFileInfo(path).path());
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Held for as long as the editor runs: only a gone owner makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    qint64 pid = 0;
    QString host, application;
    if (lock->error() == QLockFile::LockFailedError && !lock->getLockInfo(&pid, &host, &application)
        && QFileInfo(lockPath).lastModified().secsTo(QDateTime::currentDateTime()) > UnknownOwnerSeconds
        && lock->removeStaleLockFile() && lock->tryLock(0))
        return lock;
    return nullptr;
}

QByteArray toBytes(const DocumentContent &c, const QString &testFolder)
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

QString write(const QString &path, const DocumentContent &content, const QString &testFolder)
{
    if (content.rows.size() > MaxRows)
        return QCoreApplication::translate("Recovery", "the test has more than %1 rows, too many for a recovery copy").arg(MaxRows);
    const QByteArray bytes = toBytes(content, testFolder);
    if (bytes.size() > MaxBytes)
        return QCoreApplication::translate("Recovery", "the test and its pictures take %1, too much for a recovery copy")
            .arg(FileAccess::size(bytes.size()));
    // For the user alone: the pictures of a test may be anything the user may read.
    const QString place = QFileInfo(path).path();
    if (!makePrivateFolder(place))
        return QCoreApplication::translate("Recovery", "the folder %1 cannot be made; the recovery copy is not written").arg(place);
    if (const QString why = FileAccess::writeFile(path, bytes, QFile::ReadOwner | QFile::WriteOwner); !why.isEmpty())
        return QCoreApplication::translate("Recovery", "%1 cannot be written: %2").arg(path, why);
    return {};
}

QList<Found> find()
{
    QList<Found> out;
    const QDir dir(folder());
    qint64 budget = MaxFindBytes;     // for the copies read whole
    qint64 ends = MaxFindEndBytes;    // for the ends of the others
    // A running editor's copy has its lock beside it; a copy without one is read as it is,
    // without making one (2,000 copies took seconds to claim). The locks are listed at once:
    // looking for each missing one by its name reads the whole folder under Wine.
    const QStringList lockNames = dir.entryList({u'*' + Suffix + QStringLiteral(".lock")},
                                                QDir::Files | QDir::System | QDir::Hidden);
    const QSet<QString> locks(lockNames.cbegin(), lockNames.cend());
    for (const QString &name : dir.entryList({u'*' + Suffix}, QDir::Files)) {
        const QString path = dir.filePath(name);
        std::unique_ptr<QLockFile> held;
        if (locks.contains(name + QStringLiteral(".lock"))) {
            held = claim(path);
            if (!held)
                continue;
        }
        const qint64 size = QFileInfo(path).size();
        if (size > budget) {
            out.append(offer(path, size, ends));
            continue;
        }
        budget -= size;
        const Loaded l = read(path);
        out.append({path, l.testFolder, l.content.title, l.written, l.error});
    }
    std::sort(out.begin(), out.end(), [](const Found &a, const Found &b) {
        if (a.error.isEmpty() != b.error.isEmpty())
            return a.error.isEmpty();
        return a.written > b.written;
    });
    return out;
}

Loaded read(const QString &path)
{
    const FileAccess::Read file = FileAccess::read(path, MaxBytes, FileAccess::Links::Refuse);
    if (!file.ok()) {
        Loaded l;
        l.error = QCoreApplication::translate("Recovery", "the recovery file %1 cannot be read: %2").arg(path, file.problem);
        return l;
    }
    return fromBytes(file.bytes, path);
}

Loaded fromBytes(const QByteArray &bytes, const QString &path)
{
    Loaded l;
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parse);
    const QJsonObject root = json.object();
    if (parse.error != QJsonParseError::NoError || root.value(QStringLiteral("format")).toString() != Format
        || root.value(QStringLiteral("version")).toInt() != Version) {
        l.error = damaged(path);
        return l;
    }
    Reader reader;
    l.testFolder = root.value(QStringLiteral("testFolder")).toString();
    l.written = QDateTime::fromString(root.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    DocumentContent &c = l.content;
    c.address = root.value(QStringLiteral("address")).toString();
    c.title = root.value(QStringLiteral("title")).toString();
    c.geometry = strings(root.value(QStringLiteral("geometry"))).mid(0, DocumentContent::GeometryFields);
    while (c.geometry.size() < DocumentContent::GeometryFields)
        c.geometry.append(QString());
    c.instructions = root.value(QStringLiteral("instructions")).toString();
    c.explanationLabel = root.value(QStringLiteral("explanationLabel")).toString();
    c.explanationSection = root.value(QStringLiteral("explanationSection")).toBool();
    c.pictureLabel = root.value(QStringLiteral("pictureLabel")).toString();
    c.comments = strings(root.value(QStringLiteral("comments")));
    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    if (rows.size() > MaxRows)
        reader.setFault(QCoreApplication::translate("Recovery", "it holds %1 rows, more than %2").arg(rows.size()).arg(MaxRows));
    for (qsizetype i = 0; i < rows.size() && reader.fault.isEmpty(); ++i) {
        const QJsonObject o = rows.at(i).toObject();
        DocumentRow r;
        r.left = o.value(QStringLiteral("left")).toString();
        r.right = o.value(QStringLiteral("right")).toString();
        r.explanation = strings(o.value(QStringLiteral("explanation")));
        r.explanationShown = o.value(QStringLiteral("shown")).toBool(true);
        r.picture = reader.picture(o.value(QStringLiteral("picture")));
        r.pictureMode = PictureMode(reader.number(o, QStringLiteral("mode"), int(PictureMode::Hidden),
                                                  int(PictureMode::ThumbnailOnly), int(PictureMode::Window)));
        r.switchText = o.value(QStringLiteral("switch")).toString();
        r.flagText = o.value(QStringLiteral("flag")).toString();
        c.rows.append(r);
    }
    const QJsonObject spare = root.value(QStringLiteral("spare")).toObject();
    for (auto it = spare.constBegin(); it != spare.constEnd() && reader.fault.isEmpty(); ++it) {
        bool number = false;
        const qint64 q = it.key().toLongLong(&number);
        // A question past what any file reaches would have the checker write that many lines.
        if (!number || q < 1 || q > MaxQuestion || QString::number(q) != it.key()) {
            reader.setFault(QCoreApplication::translate("Recovery", "question number %1 is not one from 1 to %2").arg(it.key()).arg(MaxQuestion));
            break;
        }
        const QJsonObject o = it.value().toObject();
        DocumentSpare s;
        s.switchText = o.value(QStringLiteral("switch")).toString();
        s.flagText = o.value(QStringLiteral("flag")).toString();
        s.explanation = strings(o.value(QStringLiteral("explanation")));
        s.picture = reader.picture(o.value(QStringLiteral("picture")));
        c.spare.insert(int(q), s);
    }
    qint64 characters = DocumentContent::characters(c.rows);
    for (const DocumentSpare &s : std::as_const(c.spare))
        for (const QString &line : s.explanation)
            characters += line.size() + 1;
    if (characters > DocumentContent::MaxCharacters)
        reader.setFault(QCoreApplication::translate("Recovery", "its rows hold %1 characters, more than %2")
                            .arg(characters)
                            .arg(DocumentContent::MaxCharacters));
    if (!reader.fault.isEmpty()) {
        Loaded refused;
        refused.testFolder = l.testFolder;
        refused.written = l.written;
        refused.content.title = c.title;
        refused.error = QCoreApplication::translate("Recovery", "the recovery file %1 is damaged (%2); the test cannot be restored from it").arg(path, reader.fault);
        return refused;
    }
    return l;
}

bool remove(const QString &path)
{
    const std::unique_ptr<QLockFile> held = claim(path);
    return held && QFile::remove(path);
}

} // namespace Recovery
