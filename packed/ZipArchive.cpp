#include "ZipArchive.h"

#include <QCoreApplication>
#include <QtEndian>

#include "Printing.h"

#include <array>

namespace ZipArchive {

namespace {

constexpr quint32 LocalSignature = 0x04034b50;
constexpr quint32 CentralSignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr int LocalSize = 30;
constexpr int CentralSize = 46;
constexpr int EndSize = 22;
constexpr quint16 Utf8Names = 0x0800;
constexpr quint16 Encrypted = 0x0001;
// 1980-01-01 00:00, the first day a zip file can name.
constexpr quint16 DosDate = (1 << 5) | 1;

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

quint16 get16(QByteArrayView in, qsizetype at)
{
    return qFromLittleEndian<quint16>(in.data() + at);
}

quint32 get32(QByteArrayView in, qsizetype at)
{
    return qFromLittleEndian<quint32>(in.data() + at);
}

const std::array<quint32, 256> &crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("ZipArchive", text);
}

// Why `name` cannot be unpacked where it is asked for; empty when it can.
QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return tr("a file in it has no name");
    if (name.startsWith(u'/') || name.contains(u'\\') || name.contains(u':'))
        return tr("the name %1 points outside the folder it would be unpacked into").arg(printableName(name));
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return tr("a name in it holds a control character");
    for (const QStringView part : QStringView(name).split(u'/'))
        if (part == u"..")
            return tr("the name %1 points outside the folder it would be unpacked into").arg(printableName(name));
    return {};
}

} // namespace

bool looksLikeZip(QByteArrayView start)
{
    return start.startsWith("PK\x03\x04") || start.startsWith("PK\x05\x06");
}

quint32 crc32(QByteArrayView bytes)
{
    const auto &table = crcTable();
    quint32 c = 0xffffffffu;
    for (const char b : bytes)
        c = table[(c ^ quint8(b)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

QByteArray write(const QList<Member> &members)
{
    QByteArray out;
    QByteArray central;
    for (const Member &m : members) {
        const QByteArray name = m.name.toUtf8();
        const quint32 crc = crc32(m.bytes);
        const quint32 offset = quint32(out.size());
        const auto common = [&](QByteArray &to) {
            put16(to, 10);        // version needed: stored members
            put16(to, Utf8Names); // flags
            put16(to, 0);         // stored
            put16(to, 0);         // time
            put16(to, DosDate);
            put32(to, crc);
            put32(to, quint32(m.bytes.size()));
            put32(to, quint32(m.bytes.size()));
            put16(to, quint16(name.size()));
            put16(to, 0); // extra field
        };
        put32(out, LocalSignature);
        common(out);
        out += name;
        out += m.bytes;

        put32(central, CentralSignature);
        put16(central, 20); // made by: MS-DOS compatible, version 2.0
        common(central);
        put16(central, 0); // comment
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0); // external attributes
        put32(central, offset);
        central += name;
    }
    const quint32 centralAt = quint32(out.size());
    out += central;
    put32(out, EndSignature);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(members.size()));
    put16(out, quint16(members.size()));
    put32(out, quint32(central.size()));
    put32(out, centralAt);
    put16(out, 0);
    return out;
}

Read read(QByteArrayView zip, qint64 maxMemberBytes)
{
    Read r;
    const auto refuse = [&r](const QString &why) {
        r.members.clear();
        r.problem = why;
        return r;
    };
    const QString damaged = tr("the zip file is damaged or cut short");
    if (zip.size() < EndSize)
        return refuse(damaged);
    // The end record is the last thing in the file, followed only by its comment.
    qsizetype end = -1;
    const qsizetype lowest = std::max<qsizetype>(0, zip.size() - EndSize - 0xffff);
    for (qsizetype at = zip.size() - EndSize; at >= lowest; --at)
        if (get32(zip, at) == EndSignature && at + EndSize + get16(zip, at + 20) == zip.size()) {
            end = at;
            break;
        }
    if (end < 0)
        return refuse(damaged);
    const int count = get16(zip, end + 10);
    const quint32 centralSize = get32(zip, end + 12);
    const quint32 centralAt = get32(zip, end + 16);
    if (get16(zip, end + 4) != 0 || get16(zip, end + 6) != 0 || get16(zip, end + 8) != count)
        return refuse(tr("the zip file is split over several parts"));
    if (centralAt == 0xffffffffu || centralSize == 0xffffffffu || count == 0xffff)
        return refuse(tr("the zip file is larger than a test's package can be (zip64)"));
    if (count > MaxMembers)
        return refuse(tr("it holds %1 files, more than a test's package").arg(count));
    if (qint64(centralAt) + centralSize > end)
        return refuse(damaged);

    qsizetype at = centralAt;
    for (int i = 0; i < count; ++i) {
        if (at + CentralSize > end || get32(zip, at) != CentralSignature)
            return refuse(damaged);
        const quint16 flags = get16(zip, at + 8);
        const quint16 method = get16(zip, at + 10);
        const quint32 crc = get32(zip, at + 16);
        const quint32 packedSize = get32(zip, at + 20);
        const quint32 size = get32(zip, at + 24);
        const int nameLength = get16(zip, at + 28);
        const int extraLength = get16(zip, at + 30);
        const int commentLength = get16(zip, at + 32);
        const quint32 localAt = get32(zip, at + 42);
        if (at + CentralSize + nameLength + extraLength + commentLength > end)
            return refuse(damaged);
        const QByteArrayView rawName = zip.sliced(at + CentralSize, nameLength);
        const QString name = QString::fromUtf8(rawName);
        at += CentralSize + nameLength + extraLength + commentLength;

        if (const QString why = nameProblem(name); !why.isEmpty())
            return refuse(why);
        if (flags & Encrypted)
            return refuse(tr("the file %1 in it is locked with a password").arg(printableName(name)));
        if (size == 0xffffffffu || packedSize == 0xffffffffu || localAt == 0xffffffffu)
            return refuse(tr("the zip file is larger than a test's package can be (zip64)"));
        if (qint64(size) > maxMemberBytes || qint64(packedSize) > maxMemberBytes)
            return refuse(tr("the file %1 in it claims %2 bytes, more than a test's package holds").arg(printableName(name)).arg(size));
        if (method != 0)
            return refuse(tr("the file %1 in it is compressed: the package was changed after KAZ made it (packed again by "
                             "another program). Open the .html page inside it instead")
                              .arg(printableName(name)));
        if (packedSize != size)
            return refuse(damaged);
        if (qint64(localAt) + LocalSize > centralAt || get32(zip, localAt) != LocalSignature)
            return refuse(damaged);
        const qint64 dataAt = qint64(localAt) + LocalSize + get16(zip, localAt + 26) + get16(zip, localAt + 28);
        if (dataAt + size > centralAt)
            return refuse(damaged);
        const QByteArrayView data = zip.sliced(dataAt, size);
        if (crc32(data) != crc)
            return refuse(tr("the file %1 in it was changed or damaged (its checksum differs)").arg(printableName(name)));
        for (const Member &m : std::as_const(r.members))
            if (m.name == name)
                return refuse(tr("the name %1 is in it twice").arg(printableName(name)));
        r.members.append({name, data.toByteArray()});
    }
    return r;
}

} // namespace ZipArchive
