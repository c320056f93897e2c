#pragma once

// Executable files of a few bytes, laid out as a loader reads them, for the runner checks:
// an ELF program (Linux) and a PE program (Windows) whose one loadable part holds `inside`,
// followed by `after`, which no loader maps. They are never run.

#include <QByteArray>
#include <QtEndian>

namespace TestRunners {

template <typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

inline constexpr quint16 ElfProgram = 2;    // ET_EXEC
inline constexpr quint16 ElfObject = 1;     // ET_REL: an object file, no program
inline constexpr quint32 LoadSegment = 1;   // PT_LOAD
inline constexpr quint32 NoteSegment = 4;   // PT_NOTE: read by tools, not mapped as data

// The ELF header, one program header and `inside` as the segment it describes.
inline QByteArray elfProgram(const QByteArray &inside, const QByteArray &after = {}, bool wide = true,
                             quint16 type = ElfProgram, quint32 segment = LoadSegment)
{
    const int header = wide ? 64 : 52;
    const int entry = wide ? 56 : 32;
    const quint64 size = quint64(header + entry + inside.size());
    QByteArray elf("\x7f" "ELF", 4);
    elf.append(char(wide ? 2 : 1)).append(char(1)).append(char(1)).append(QByteArray(9, '\0'));
    put<quint16>(elf, type);
    put<quint16>(elf, wide ? 62 : 3); // x86-64, i386
    put<quint32>(elf, 1);
    const auto word = [&elf, wide](quint64 v) { wide ? put<quint64>(elf, v) : put<quint32>(elf, quint32(v)); };
    word(0);      // entry
    word(header); // program headers
    word(0);      // no section headers
    put<quint32>(elf, 0);
    put<quint16>(elf, quint16(header));
    put<quint16>(elf, quint16(entry));
    put<quint16>(elf, 1);
    put<quint16>(elf, wide ? 64 : 40);
    put<quint16>(elf, 0);
    put<quint16>(elf, 0);
    put<quint32>(elf, segment);
    if (wide) {
        put<quint32>(elf, 4); // readable
        word(0);
        word(0);
        word(0);
        word(size);
        word(size);
        word(4096);
    } else {
        word(0);
        word(0);
        word(0);
        word(size);
        word(size);
        put<quint32>(elf, 4);
        word(4096);
    }
    return elf + inside + after;
}

// The DOS stub's header, the PE headers with an empty optional header, and `inside` as the
// one section's bytes.
inline QByteArray peProgram(const QByteArray &inside, const QByteArray &after = {}, bool plus = true, bool dll = false)
{
    QByteArray pe("MZ", 2);
    pe.append(QByteArray(0x3c - 2, '\0'));
    put<quint32>(pe, 64);
    pe.append("PE\0\0", 4);
    const quint16 optional = plus ? 240 : 224;
    put<quint16>(pe, plus ? 0x8664 : 0x14c);
    put<quint16>(pe, 1);
    put<quint32>(pe, 0);
    put<quint32>(pe, 0);
    put<quint32>(pe, 0);
    put<quint16>(pe, optional);
    put<quint16>(pe, quint16(0x0022 | (dll ? 0x2000 : 0))); // executable, large addresses
    put<quint16>(pe, plus ? 0x20b : 0x10b);
    pe.append(QByteArray(optional - 2, '\0'));
    const quint32 raw = quint32(pe.size() + 40);
    pe.append(".rdata\0\0", 8);
    put<quint32>(pe, quint32(inside.size()));
    put<quint32>(pe, 0x1000);
    put<quint32>(pe, quint32(inside.size()));
    put<quint32>(pe, raw);
    pe.append(QByteArray(16, '\0'));
    return pe + inside + after;
}

// What a Windows program may hold after its sections, where its loader never maps it: the
// COFF symbols (18 bytes each) and their names of a program not stripped, and the
// certificates of a signed one, in that order.
struct PeExtras
{
    int symbols = 0;
    QByteArray names;       // the string table's text, after its four bytes of length
    QByteArray certificate; // empty: not signed
    quint32 timeStamp = 0x5e0be100; // a link time, as most linkers write one
};

inline QByteArray peProgramWith(const QByteArray &inside, const PeExtras &extras, bool plus = true)
{
    constexpr int Coff = 64 + 4, Optional = Coff + 20;
    QByteArray pe = peProgram(inside, {}, plus);
    qToLittleEndian(extras.timeStamp, pe.data() + Coff + 4);
    if (extras.symbols > 0 || !extras.names.isEmpty()) {
        qToLittleEndian(quint32(pe.size()), pe.data() + Coff + 8);
        qToLittleEndian(quint32(extras.symbols), pe.data() + Coff + 12);
        pe.append(QByteArray(18 * extras.symbols, 's'));
        put<quint32>(pe, quint32(4 + extras.names.size()));
        pe.append(extras.names);
    }
    if (!extras.certificate.isEmpty()) {
        pe.append(QByteArray((8 - pe.size() % 8) % 8, '\0')); // certificates start on 8 bytes
        const int wide = plus ? 16 : 0;
        qToLittleEndian(quint32(16), pe.data() + Optional + 92 + wide);
        qToLittleEndian(quint32(pe.size()), pe.data() + Optional + 96 + wide + 4 * 8);
        qToLittleEndian(quint32(extras.certificate.size()), pe.data() + Optional + 96 + wide + 4 * 8 + 4);
        pe.append(extras.certificate);
    }
    return pe;
}

} // namespace TestRunners
