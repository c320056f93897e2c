// Any text given to the GIFT reader ends in matching questions or in errors with a line of the
// text. Every question it accepts becomes a test that the content checker accepts, with the
// same phrases, and a folder name of safe characters.
#include "ContentReader.h"
#include "Gift.h"
#include "FuzzFail.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Gift::Result result = Gift::read(text);
    const qsizetype lines = text.count(u'\n') + text.count(u'\r') - text.count(QStringLiteral("\r\n")) + 1;
    for (const Gift::Message &m : result.errors + result.notes) {
        if (m.text.isEmpty())
            fuzzFail("a message without text");
        if (m.line < 1 || m.line > lines)
            fuzzFail("a message on a line the text does not have");
    }
    if (!result.ok())
        return 0;

    for (const Gift::Matching &q : result.questions) {
        if (q.left.size() < Gift::MinPairs || q.right.size() < q.left.size())
            fuzzFail("a question with too few pairs");
        const ContentReader::Result content = ContentReader::read(Gift::toContent(q));
        if (!content.ok())
            fuzzFail("a converted question breaks a rule of the content format");
        if (content.store.Danni(0) != q.left || content.store.Danni(1) != q.right)
            fuzzFail("a converted question lost or changed a phrase");
        if (content.store.Danni(3).value(0) != Gift::DefaultAddress + u' ' + q.title)
            fuzzFail("a converted question has another caption");
        QString instructions;
        for (const QString &line : q.text)
            instructions += line + QStringLiteral("\r\n");
        if (content.store.Ukazanie() != instructions)
            fuzzFail("a converted question has other instructions");
        const QString name = Gift::folderName(q.title);
        if (name.isEmpty() || name.startsWith(u'-') || name.endsWith(u'-') || name.size() > 40)
            fuzzFail("an unusable folder name");
        for (const QChar c : name)
            if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-'))
                fuzzFail("a folder name with an unsafe character");
    }
    return 0;
}
