#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <utility>

class QIODevice;

// What the headers of an executable file say of it, for the packed format (PackedQuiz): where
// the program's own bytes end, so that a program whose test lost its end is told from a bare
// runner, and which parts of the file its loader maps into memory, where a quiz runner keeps
// its mark. Linux programs (ELF) and Windows programs (PE), 32 or 64 bits, whichever system
// reads them. Nothing of the file is trusted: every offset and length is checked against its
// size before it is read.
namespace ProgramImage {

struct Image
{
    enum Kind { None, Elf, ElfExecutable, Pe } kind = None; // Elf: any other ELF file (an object, a core dump)
    qint64 end = 0;                                          // 0 when unknown
    QList<std::pair<qint64, qint64>> mapped;                 // offset and length, each inside the file
    bool executable() const { return kind == ElfExecutable || kind == Pe; }
};

// The image of the ELF or PE program in `device` (open for reading, `size` bytes long); kind
// None for any other file, a Windows DLL included, or one whose headers are not understood.
Image read(QIODevice &device, qint64 size);

// Reads `n` bytes at `offset`; empty when the device cannot give them all.
QByteArray readAt(QIODevice &device, qint64 offset, qint64 n);

} // namespace ProgramImage
