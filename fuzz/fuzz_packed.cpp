// Any file, read as a quiz program, either gives the files of a test, which pack again to
// exactly the same bytes, or is refused with a kind of fault and a reason; never a crash,
// a hang or an allocation beyond the file's own size. Each input is read twice: as it is,
// and with its checksum made right, so that the list of files behind the checksum is
// fuzzed as well. Taken as a runner, it is one only with the mark inside.
#include "FuzzFail.h"
#include "PackedQuiz.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

void check(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const PackedQuiz::Contents read = PackedQuiz::read(buffer);
    if (!read.ok()) {
        if (read.reason.isEmpty())
            fuzzFail("a refusal without a reason");
        if (!read.files.isEmpty())
            fuzzFail("files given with a refusal");
        return;
    }
    if (read.runnerSize < 0 || read.runnerSize > bytes.size() - PackedQuiz::TrailerSize)
        fuzzFail("a runner part outside the file");
    for (const PackedQuiz::File &f : read.files) {
        if (!PackedQuiz::nameProblem(f.name).isEmpty())
            fuzzFail("a file name that packing refuses");
    }
    QString problem;
    if (PackedQuiz::pack(bytes.left(read.runnerSize), read.files, &problem) != bytes)
        fuzzFail("the files read pack again to other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    check(bytes);
    // The same bytes as a runner kazpack is given: the ELF and PE headers trust nothing either.
    if (PackedQuiz::runnerFormat(bytes) >= 0 && !bytes.contains(PackedQuiz::RunnerMark))
        fuzzFail("a runner without the mark");

    const qint64 trailer = bytes.size() - PackedQuiz::TrailerSize;
    if (trailer < 0)
        return 0;
    const quint64 length = qFromLittleEndian<quint64>(bytes.constData() + trailer + 32);
    if (length > quint64(trailer))
        return 0;
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(bytes.constData() + trailer - qint64(length), qint64(length)), QCryptographicHash::Sha256);
    bytes.replace(trailer, hash.size(), hash);
    check(bytes);
    return 0;
}
