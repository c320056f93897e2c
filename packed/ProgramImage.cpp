#include "ProgramImage.h"

#include <QIODevice>
#include <QtEndian>

namespace ProgramImage {

namespace {

quint64 number(const QByteArray &bytes, qint64 at, int width, bool little = true)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData()) + at;
    switch (width) {
    case 2: return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
    case 4: return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    default: return little ? qFromLittleEndian<quint64>(p) : qFromBigEndian<quint64>(p);
    }
}

// An ELF file: its end is that of its headers, segments, sections and section header table;
// a file longer than that, without a trailer, had a test appended that lost its end. Kind
// None for a file that is no ELF file, or not one understood here.
Image elfImage(QIODevice &device, qint64 size)
{
    const QByteArray head = readAt(device, 0, qMin<qint64>(size, 64));
    if (head.size() < 52 || !head.startsWith("\x7f" "ELF"))
        return {};
    const bool wide = head.at(4) == 2;
    const bool little = head.at(5) == 1;
    if ((!wide && head.at(4) != 1) || (!little && head.at(5) != 2) || (wide && head.size() < 64))
        return {};
    const auto field = [little](const QByteArray &bytes, qint64 at, int width) { return number(bytes, at, width, little); };
    const int word = wide ? 8 : 4;
    const quint64 type = field(head, 0x10, 2);
    const quint64 phoff = field(head, wide ? 0x20 : 0x1c, word);
    const quint64 shoff = field(head, wide ? 0x28 : 0x20, word);
    const quint64 ehsize = field(head, wide ? 0x34 : 0x28, 2);
    const quint64 phentsize = field(head, wide ? 0x36 : 0x2a, 2);
    const quint64 phnum = field(head, wide ? 0x38 : 0x2c, 2);
    const quint64 shentsize = field(head, wide ? 0x3a : 0x2e, 2);
    const quint64 shnum = field(head, wide ? 0x3c : 0x30, 2);
    if (phentsize < quint64(wide ? 56 : 32) || (shnum > 0 && shentsize < quint64(wide ? 64 : 40)))
        return {};
    // Tables beyond the file's end leave it unknown where the image ends.
    const quint64 limit = quint64(size);
    if (phoff > limit || phnum * phentsize > limit - phoff || shoff > limit || shnum * shentsize > limit - shoff)
        return {};
    Image image;
    constexpr quint64 Executable = 2, Shared = 3; // a program, or one built position-independent
    image.kind = type == Executable || type == Shared ? Image::ElfExecutable : Image::Elf;
    quint64 end = qMax(ehsize, qMax(phoff + phnum * phentsize, shoff + shnum * shentsize));
    // Whether the part at `offset` lies in the file; beyond it the file is no image at all.
    const auto reach = [&end, limit](quint64 offset, quint64 length) {
        const bool inside = offset <= limit && length <= limit;
        if (inside)
            end = qMax(end, offset + length);
        return inside && offset + length <= limit;
    };
    const QByteArray programs = readAt(device, qint64(phoff), qint64(phnum * phentsize));
    for (quint64 i = 0; i < phnum && !programs.isEmpty(); ++i) {
        const qint64 at = qint64(i * phentsize);
        constexpr quint64 Load = 1; // a segment the loader maps
        const quint64 offset = field(programs, at + (wide ? 0x08 : 0x04), word);
        const quint64 length = field(programs, at + (wide ? 0x20 : 0x10), word);
        if (reach(offset, length) && field(programs, at, 4) == Load)
            image.mapped.append({qint64(offset), qint64(length)});
    }
    const QByteArray sections = readAt(device, qint64(shoff), qint64(shnum * shentsize));
    for (quint64 i = 0; i < shnum && !sections.isEmpty(); ++i) {
        const qint64 at = qint64(i * shentsize);
        constexpr quint64 NoBits = 8; // a section that takes no room in the file (.bss)
        if (field(sections, at + 4, 4) != NoBits)
            reach(field(sections, at + (wide ? 0x18 : 0x10), word), field(sections, at + (wide ? 0x20 : 0x14), word));
    }
    image.end = qint64(end);
    return image;
}

// A Windows program, 32 or 64 bits (PE32, PE32+): its sections' bytes are what is mapped. Its
// image ends after its headers, its sections and what the loader leaves in the file: the COFF
// symbols and their names of a program not stripped, and the certificates of a signed one.
// Kind None for any other file, a DLL included.
Image peImage(QIODevice &device, qint64 size)
{
    const QByteArray dos = readAt(device, 0, qMin<qint64>(size, 64));
    if (dos.size() < 64 || !dos.startsWith("MZ"))
        return {};
    const qint64 pe = qint64(number(dos, 0x3c, 4));
    constexpr qint64 CoffSize = 24; // "PE\0\0" and the file header
    const QByteArray coff = pe < size - CoffSize ? readAt(device, pe, CoffSize + 2) : QByteArray();
    if (coff.size() < CoffSize + 2 || !coff.startsWith(QByteArrayView("PE\0\0", 4)))
        return {};
    const quint64 sectionCount = number(coff, 6, 2);
    const quint64 symbols = number(coff, 12, 4); // after the machine, the section count and a time stamp
    const quint64 symbolCount = number(coff, 16, 4);
    const quint64 optionalSize = number(coff, 20, 2);
    const quint64 characteristics = number(coff, 22, 2);
    const quint64 magic = number(coff, CoffSize, 2);
    constexpr quint64 ExecutableImage = 0x0002, Dll = 0x2000, Pe32 = 0x10b, Pe32Plus = 0x20b;
    if (!(characteristics & ExecutableImage) || (characteristics & Dll) || (magic != Pe32 && magic != Pe32Plus))
        return {};
    constexpr qint64 SectionSize = 40;
    const qint64 tableAt = pe + CoffSize + qint64(optionalSize);
    const QByteArray table = readAt(device, tableAt, qint64(sectionCount) * SectionSize);
    if (table.isEmpty())
        return {};
    Image image;
    image.kind = Image::Pe;
    // Lengths are 32-bit numbers, so no sum below overflows.
    quint64 end = quint64(tableAt) + sectionCount * SectionSize;
    for (quint64 i = 0; i < sectionCount; ++i) {
        const qint64 at = qint64(i) * SectionSize;
        const qint64 length = qint64(number(table, at + 16, 4));
        const qint64 offset = qint64(number(table, at + 20, 4));
        if (length > 0)
            end = qMax(end, quint64(offset + length));
        if (offset <= size && length <= size - offset)
            image.mapped.append({offset, length});
    }
    const QByteArray optional = readAt(device, pe + CoffSize, qint64(optionalSize));
    const qint64 wide = magic == Pe32Plus ? 16 : 0; // PE32+ has wider fields before the directories
    constexpr qint64 HeadersSize = 60, DirectoryCount = 92, Directories = 96, Certificates = 4;
    if (optional.size() >= HeadersSize + 4)
        end = qMax(end, number(optional, HeadersSize, 4));
    // The certificates' place is a file offset, not an address in memory.
    if (optional.size() >= DirectoryCount + wide + 4 && number(optional, DirectoryCount + wide, 4) > Certificates) {
        const qint64 entry = Directories + wide + Certificates * 8;
        if (optional.size() >= entry + 8 && number(optional, entry + 4, 4) > 0)
            end = qMax(end, number(optional, entry, 4) + number(optional, entry + 4, 4));
    }
    // The string table follows the symbols, its first four bytes its length.
    if (symbols > 0) {
        constexpr quint64 SymbolSize = 18;
        const quint64 names = symbols + symbolCount * SymbolSize;
        end = qMax(end, names);
        const QByteArray length = names <= quint64(size) ? readAt(device, qint64(names), 4) : QByteArray();
        if (length.size() == 4)
            end = qMax(end, names + number(length, 0, 4));
    }
    image.end = qint64(end);
    return image;
}

} // namespace

QByteArray readAt(QIODevice &device, qint64 offset, qint64 n)
{
    if (!device.seek(offset))
        return {};
    QByteArray bytes = device.read(n);
    return bytes.size() == n ? bytes : QByteArray();
}

Image read(QIODevice &device, qint64 size)
{
    const Image elf = elfImage(device, size);
    return elf.kind != Image::None ? elf : peImage(device, size);
}

} // namespace ProgramImage
