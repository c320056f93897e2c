#include "PackedQuiz.h"

#include "FileAccess.h"
#include "Printing.h"
#include "ProgramImage.h"
#include "ScormPackage.h"
#include "WebPage.h"
#include "ZipArchive.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace PackedQuiz {

namespace {

constexpr qint64 HashSize = 32;
constexpr qint64 EntryMinSize = 2 + 1 + 8; // name length, one byte of name, size

template <typename T>
void append(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Little-endian reading of a payload whose every length is checked before it is used.
class Cursor
{
public:
    Cursor(const uchar *data, qint64 size)
        : m_data(data)
        , m_size(size)
    {
    }
    qint64 left() const { return m_size - m_at; }
    qint64 at() const { return m_at; }
    template <typename T>
    bool take(T *value)
    {
        if (left() < qint64(sizeof(T)))
            return false;
        *value = qFromLittleEndian<T>(m_data + m_at);
        m_at += qint64(sizeof(T));
        return true;
    }
    bool take(qint64 n, const uchar **bytes)
    {
        if (n < 0 || left() < n)
            return false;
        *bytes = m_data + m_at;
        m_at += n;
        return true;
    }

private:
    const uchar *m_data;
    qint64 m_size;
    qint64 m_at = 0;
};

Contents fault(Fault kind, const QString &reason)
{
    Contents c;
    c.fault = kind;
    c.reason = reason;
    return c;
}

using ProgramImage::readAt;

// The files listed in a payload whose checksum matched; the payload is still not trusted.
Contents parse(const uchar *data, qint64 size)
{
    const auto damaged = [](const QString &why) { return fault(Fault::Damaged, why); };
    Cursor in(data, size);
    quint32 count = 0;
    if (!in.take(&count))
        return damaged(QCoreApplication::translate("PackedQuiz", "its list of files is missing"));
    if (count == 0)
        return damaged(QCoreApplication::translate("PackedQuiz", "it holds no files"));
    if (count > MaxFiles || qint64(count) * EntryMinSize > in.left())
        return damaged(QCoreApplication::translate("PackedQuiz", "its list of files claims %1 files, more than it can hold").arg(count));

    struct Entry
    {
        QString name;
        qint64 size;
    };
    QList<Entry> entries;
    entries.reserve(count);
    QSet<QString> names;
    qint64 total = 0;
    for (quint32 i = 0; i < count; ++i) {
        quint16 length = 0;
        const uchar *name = nullptr;
        quint64 fileSize = 0;
        if (!in.take(&length) || !in.take(length, &name) || !in.take(&fileSize))
            return damaged(QCoreApplication::translate("PackedQuiz", "its list of files ends early"));
        const QByteArray raw(reinterpret_cast<const char *>(name), length);
        const QString text = QString::fromUtf8(raw);
        if (text.toUtf8() != raw)
            return damaged(QCoreApplication::translate("PackedQuiz", "file %1 of its list has a name that is not UTF-8 text").arg(i + 1));
        if (const QString why = nameProblem(text); !why.isEmpty())
            return damaged(QCoreApplication::translate("PackedQuiz", "it holds a file named \"%1\", and %2").arg(printableName(text), why));
        if (names.contains(text))
            return damaged(QCoreApplication::translate("PackedQuiz", "it holds the file \"%1\" twice").arg(printableName(text)));
        names.insert(text);
        if (fileSize > quint64(MaxFileSize))
            return damaged(QCoreApplication::translate("PackedQuiz", "its file \"%1\" claims %2 bytes, more than any test file may have").arg(printableName(text), QString::number(fileSize)));
        total += qint64(fileSize);
        entries.append({text, qint64(fileSize)});
    }
    if (total != in.left())
        return damaged(QCoreApplication::translate("PackedQuiz", "its files take %1 bytes, but %2 bytes follow their list").arg(total).arg(in.left()));

    Contents contents;
    contents.files.reserve(entries.size());
    for (const Entry &e : std::as_const(entries)) {
        const uchar *bytes = nullptr;
        in.take(e.size, &bytes); // the sizes add up to what is left
        contents.files.append({e.name, QByteArray(reinterpret_cast<const char *>(bytes), e.size)});
    }
    return contents;
}

} // namespace

QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QCoreApplication::translate("PackedQuiz", "a file name must not be empty");
    if (name.toUtf8().size() > MaxNameBytes)
        return QCoreApplication::translate("PackedQuiz", "the name is longer than %1 bytes").arg(MaxNameBytes);
    if (name.contains(u'/') || name.contains(u'\\'))
        return QCoreApplication::translate("PackedQuiz", "a name must not hold \"/\" or \"\\\": every file lies in the test folder itself");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return QCoreApplication::translate("PackedQuiz", "a name must not hold control characters");
    }
    if (name == u"." || name == u"..")
        return QCoreApplication::translate("PackedQuiz", "\".\" and \"..\" name folders, not files");
    return {};
}

QByteArray tail(const Files &files, QString *problem)
{
    const auto refuse = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return QByteArray();
    };
    if (files.isEmpty())
        return refuse(QCoreApplication::translate("PackedQuiz", "there are no files to pack"));
    if (quint64(files.size()) > MaxFiles)
        return refuse(QCoreApplication::translate("PackedQuiz", "%1 files are more than a packed test may hold (%2)").arg(files.size()).arg(MaxFiles));
    QByteArray payload;
    append(payload, quint32(files.size()));
    QSet<QString> names;
    qint64 total = 0;
    for (const File &f : files) {
        if (const QString why = nameProblem(f.name); !why.isEmpty())
            return refuse(QStringLiteral("\"%1\": %2").arg(printableName(f.name), why));
        if (names.contains(f.name))
            return refuse(QCoreApplication::translate("PackedQuiz", "\"%1\" is given twice").arg(printableName(f.name)));
        names.insert(f.name);
        if (f.bytes.size() > MaxFileSize)
            return refuse(QCoreApplication::translate("PackedQuiz", "\"%1\" has %2 bytes, more than a test file may have (%3)")
                              .arg(printableName(f.name), QString::number(f.bytes.size()), QString::number(MaxFileSize)));
        total += f.bytes.size();
        const QByteArray name = f.name.toUtf8();
        append(payload, quint16(name.size()));
        payload.append(name);
        append(payload, quint64(f.bytes.size()));
    }
    if (payload.size() + total > MaxPayload)
        return refuse(QCoreApplication::translate("PackedQuiz", "the files take %1 bytes, more than a packed test may hold (%2)")
                          .arg(payload.size() + total)
                          .arg(MaxPayload));
    payload.reserve(payload.size() + total + TrailerSize);
    for (const File &f : files)
        payload.append(f.bytes);

    const QByteArray hash = QCryptographicHash::hash(payload, QCryptographicHash::Sha256);
    const quint64 length = quint64(payload.size());
    payload.append(hash);
    append(payload, length);
    append(payload, Version);
    append(payload, quint32(0));
    payload.append(Magic, sizeof Magic);
    return payload;
}

QByteArray pack(const QByteArray &runner, const Files &files, QString *problem)
{
    const QByteArray end = tail(files, problem);
    return end.isEmpty() ? QByteArray() : runner + end;
}

// A test page holds its packed test inside, in base64 (WebPage): read as a program's end is read.
static Contents readPage(QIODevice &device)
{
    if (device.size() > MaxPayload / 3 * 4 + MaxFileSize)
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "the page is larger than a test page may be"));
    const QByteArray page = readAt(device, 0, device.size());
    bool base64 = false;
    QByteArray test = WebPage::test(page, &base64);
    if (!base64)
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "its test was changed after it was packed (it is no "
                                                                               "longer base64 text)"));
    QBuffer buffer(&test);
    buffer.open(QIODevice::ReadOnly);
    Contents contents = read(buffer);
    if (contents.fault == Fault::NoTest)
        contents.reason = QCoreApplication::translate("PackedQuiz", "the page holds no test");
    return contents;
}

// A SCORM package holds a test page (ScormPackage): its page is read as a page is.
static Contents readPackage(QIODevice &device)
{
    if (device.size() > ZipArchive::MaxMemberBytes + 1024 * 1024)
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "the zip file is larger than a test's package can be"));
    const QByteArray zip = readAt(device, 0, device.size());
    if (zip.size() != device.size())
        return fault(Fault::Unreadable, device.errorString());
    ScormPackage::Page page = ScormPackage::page(zip);
    if (!page.ok())
        return fault(page.refused ? Fault::Damaged : Fault::NoTest, page.problem);
    QBuffer buffer(&page.bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!WebPage::isPage(page.bytes.first(std::min<qsizetype>(64, page.bytes.size()))))
        return fault(Fault::NoTest, QCoreApplication::translate("PackedQuiz", "the zip file holds no test page: it is no test package made by KAZ"));
    return readPage(buffer);
}

Contents read(QIODevice &device)
{
    const QByteArray start = readAt(device, 0, std::min<qint64>(64, device.size()));
    if (WebPage::isPage(start))
        return readPage(device);
    if (ZipArchive::looksLikeZip(start))
        return readPackage(device);
    const qint64 size = device.size();
    if (size < TrailerSize)
        return fault(Fault::NoTest, QCoreApplication::translate("PackedQuiz", "the file is too short to hold a test"));
    const QByteArray trailer = readAt(device, size - TrailerSize, TrailerSize);
    if (trailer.isEmpty())
        return fault(Fault::Unreadable, QCoreApplication::translate("PackedQuiz", "its end cannot be read (%1)").arg(device.errorString()));
    if (std::memcmp(trailer.constData() + TrailerSize - sizeof Magic, Magic, sizeof Magic) != 0) {
        const qint64 image = ProgramImage::read(device, size).end;
        if (image > 0 && image != size)
            return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "the test at its end was cut short (perhaps while it was copied or "
                                            "downloaded)"));
        return fault(Fault::NoTest, QCoreApplication::translate("PackedQuiz", "nothing is packed into it"));
    }
    const uchar *t = reinterpret_cast<const uchar *>(trailer.constData());
    const QByteArray hash = trailer.left(HashSize);
    const quint64 length = qFromLittleEndian<quint64>(t + HashSize);
    const quint32 version = qFromLittleEndian<quint32>(t + HashSize + 8);
    const quint32 reserved = qFromLittleEndian<quint32>(t + HashSize + 12);

    if (length > quint64(size - TrailerSize))
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "its test claims %1 bytes, more than the file has: the file was cut short "
                                        "or changed")
                                         .arg(length));
    Contents contents;
    contents.version = version;
    contents.runnerSize = size - TrailerSize - qint64(length);
    if (version > Version) {
        contents.fault = Fault::NewerVersion;
        contents.reason = QCoreApplication::translate("PackedQuiz", "its test is packed in format %1, and this program reads format %2 and older")
                              .arg(version)
                              .arg(Version);
        return contents;
    }
    if (version == 0 || reserved != 0)
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "its end is not in the packed format"));
    if (length > quint64(MaxPayload))
        return fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "its test claims %1 bytes, more than a packed test may hold").arg(length));

    // The payload alone, mapped when the device is a file that allows it.
    QByteArray copy;
    const uchar *payload = nullptr;
    QFile *file = qobject_cast<QFile *>(&device);
    uchar *mapped = file && length > 0 ? file->map(contents.runnerSize, qint64(length)) : nullptr;
    if (mapped) {
        payload = mapped;
    } else {
        copy = readAt(device, contents.runnerSize, qint64(length));
        if (qint64(copy.size()) != qint64(length))
            return fault(Fault::Unreadable, QCoreApplication::translate("PackedQuiz", "its test cannot be read (%1)").arg(device.errorString()));
        payload = reinterpret_cast<const uchar *>(copy.constData());
    }
    const QByteArrayView bytes(payload, qint64(length));
    Contents parsed;
    if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) != hash)
        parsed = fault(Fault::Damaged, QCoreApplication::translate("PackedQuiz", "its test was changed after it was packed (the checksum does not match)"));
    else
        parsed = parse(payload, qint64(length));
    if (mapped)
        file->unmap(mapped);
    parsed.version = version;
    parsed.runnerSize = contents.runnerSize;
    return parsed;
}

Contents read(const QString &programPath)
{
    // A named pipe or a device is never opened: reading one may wait, or never end.
    if (const QString why = FileAccess::notAFile(programPath); !why.isEmpty())
        return fault(Fault::Unreadable, printableName(why));
    QFile file(programPath);
    if (!file.open(QIODevice::ReadOnly))
        return fault(Fault::Unreadable, QCoreApplication::translate("PackedQuiz", "the file cannot be read (%1)").arg(file.errorString()));
    return read(file);
}

Runner runnerPart(QIODevice &device)
{
    Runner runner;
    // A page is its own runner: packing replaces the test it holds.
    if (WebPage::isPage(readAt(device, 0, std::min<qint64>(64, device.size())))) {
        runner.bytes = readAt(device, 0, device.size());
        return runner;
    }
    const Contents contents = read(device);
    qint64 size = 0;
    switch (contents.fault) {
    case Fault::NoTest: size = device.size(); break;
    case Fault::None:
    case Fault::NewerVersion: size = contents.runnerSize; break;
    case Fault::Unreadable:
    case Fault::Damaged:
        runner.fault = contents.fault;
        runner.reason = contents.reason;
        return runner;
    }
    runner.bytes = readAt(device, 0, size);
    if (runner.bytes.size() != size) {
        runner.fault = Fault::Unreadable;
        runner.reason = QCoreApplication::translate("PackedQuiz", "the file cannot be read (%1)").arg(device.errorString());
    }
    return runner;
}

Runner runnerPart(const QString &programPath)
{
    Runner runner;
    if (const QString why = FileAccess::notAFile(programPath); !why.isEmpty()) {
        runner.fault = Fault::Unreadable;
        runner.reason = printableName(why);
        return runner;
    }
    QFile file(programPath);
    if (!file.open(QIODevice::ReadOnly)) {
        runner.fault = Fault::Unreadable;
        runner.reason = QCoreApplication::translate("PackedQuiz", "the file cannot be read (%1)").arg(file.errorString());
        return runner;
    }
    return runnerPart(file);
}

Runner runnerPart(const QByteArray &program)
{
    QBuffer buffer;
    buffer.setData(program);
    buffer.open(QIODevice::ReadOnly);
    return runnerPart(buffer);
}

qint64 runnerFormat(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const ProgramImage::Image image = ProgramImage::read(buffer, bytes.size());
    if (!image.executable())
        return -1;
    const QByteArrayView mark(RunnerMark);
    for (const auto &[offset, length] : std::as_const(image.mapped)) {
        const QByteArrayView part = QByteArrayView(bytes).sliced(offset, length);
        for (qsizetype at = part.indexOf(mark); at >= 0; at = part.indexOf(mark, at + 1)) {
            const qsizetype digits = at + mark.size();
            qsizetype end = digits;
            qint64 format = 0;
            // Nine digits at most: far above any layout, and never an overflow.
            while (end < part.size() && end - digits < 9 && part.at(end) >= '0' && part.at(end) <= '9')
                format = format * 10 + (part.at(end++) - '0');
            if (end > digits)
                return format;
        }
    }
    return -1;
}

} // namespace PackedQuiz
