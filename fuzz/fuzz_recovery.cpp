// Any file taken for a recovery copy either gives a document or is refused with a reason;
// never a crash, a hang or an allocation past the copy's own bounds. A document read is checked
// as the editor checks it after restoring it, and a copy written of it reads back the same.
#include "DocumentCheck.h"
#include "FuzzFail.h"
#include "Recovery.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Recovery::Loaded read = Recovery::fromBytes(bytes, QStringLiteral("copy"));
    if (!read.ok())
        return 0;
    if (read.content.rows.size() > Recovery::MaxRows)
        fuzzFail("more rows than a copy may hold");
    if (DocumentContent::characters(read.content.rows) > DocumentContent::MaxCharacters)
        fuzzFail("more text than a document may hold");
    if (!read.content.spare.isEmpty() && (read.content.spare.firstKey() < 1 || read.content.spare.lastKey() > ContentReader::MaxPhrases))
        fuzzFail("a spare question no test can have");
    for (const DocumentProblem &p : DocumentCheck::run(read.content))
        if (p.message.isEmpty() || p.row >= read.content.rows.size())
            fuzzFail("a problem without a message or on a row the document does not have");
    const Recovery::Loaded again = Recovery::fromBytes(Recovery::toBytes(read.content, read.testFolder), QStringLiteral("copy"));
    if (!again.ok())
        fuzzFail("a copy of a restored document is refused");
    if (!(again.content == read.content) || again.testFolder != read.testFolder)
        fuzzFail("a copy of a restored document reads back otherwise");
    return 0;
}
