// Any file given to the content checker ends in a test or in problems, each with a message
// and a line of the file. A test it accepts, written out again, reads back the same.
#include "ContentReader.h"
#include "ContentWriter.h"
#include "FuzzFail.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ContentReader::Options options;
    // Pictures without a file: a name with "?" cannot be read, and every picture has a size
    // made from its name, so that some fit their box and some do not.
    options.checkPicture = [](const QString &source) -> ContentReader::PictureCheck {
        if (source.contains(u'?'))
            return QStringLiteral("not a picture");
        return {QString(), QSize(int(source.size() * 7 % 200) + 1, int(source.size() * 13 % 200) + 1)};
    };
    const ContentReader::Result result = ContentReader::readBytes(bytes, options);
    // Lines end with CR LF, LF or CR alone.
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n") + 1;
    for (const ContentReader::Problem &p : result.problems) {
        if (p.message.isEmpty())
            fuzzFail("a problem without a message");
        if (p.line < 0 || p.line > lines)
            fuzzFail("a problem on a line the text does not have");
    }
    if (!result.ok())
        return 0;
    // What the window shows holds no control character and no line over the limit.
    QStringList shown = result.store.Danni(0) + result.store.Danni(1) + result.store.Danni(3)
                        + result.store.Ukazanie().split(QStringLiteral("\r\n"));
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q)
        shown += result.store.Otgowor(q);
    for (const QString &text : shown)
        if (ContentReader::controlCharacter(text) >= 0 || text.size() > ContentReader::MaxLineLength)
            fuzzFail("an accepted test holds a control character or an overlong line");

    const QString written = ContentWriter::write(result.store, {QStringLiteral("again")});
    const ContentReader::Result again = ContentReader::read(written, options);
    if (!again.ok())
        fuzzFail("the written test breaks a rule");
    if (!(result.store == again.store))
        fuzzFail("the written test reads back differently");
    return 0;
}
