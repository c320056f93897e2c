#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The zip files KAZ writes and reads: a SCORM package (ScormPackage) is one. Members are
// written stored, without compression (a test page is mostly base64 text already), with a
// fixed time, so that the same members give the same bytes. The reader takes what such a
// package holds and refuses everything else with a reason, reading nothing a member claims
// beyond the bytes it is given: no name that leaves the folder it would be unpacked into, no
// compressed, encrypted or zip64 member, no member larger than a limit.
namespace ZipArchive {

struct Member
{
    QString name; // a path inside the archive, "/" between folders
    QByteArray bytes;
};

// A member larger than this is refused before it is read.
constexpr qint64 MaxMemberBytes = 64 * 1024 * 1024;
// An archive of more members than this is refused before they are read.
constexpr int MaxMembers = 1000;

// Whether `start` (a file's first bytes) begins as a zip file does.
bool looksLikeZip(QByteArrayView start);

// The archive of `members`, in their order.
QByteArray write(const QList<Member> &members);

struct Read
{
    QList<Member> members;
    QString problem; // why the bytes are refused, a clause in the reader's words
    bool ok() const { return problem.isEmpty(); }
};

// The members of the archive `zip`, or why it is refused.
Read read(QByteArrayView zip, qint64 maxMemberBytes = MaxMemberBytes);

// The CRC-32 a zip file keeps of each member.
quint32 crc32(QByteArrayView bytes);

} // namespace ZipArchive
