// Any text given to the GIFT reader ends in matching questions or in errors with a line of the
// text. Every question it accepts becomes a test that the content checker accepts, with the
// same phrases, and a folder name of safe characters; written as GIFT again (MoodleExport), it
// reads back as the same question.
#include "ContentReader.h"
#include "Gift.h"
#include "FuzzFail.h"
#include "MoodleExport.h"

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

        const Gift::Result back = Gift::read(MoodleExport::gift(q));
        if (!back.ok() || back.questions.size() != 1)
            fuzzFail("a question written as GIFT cannot be read back");
        const Gift::Matching &b = back.questions.first();
        if (b.title != q.title || b.text != q.text || b.left != q.left || b.right != q.right)
            fuzzFail("a question written as GIFT reads back with other texts");
        for (qsizetype i = 0; i < q.left.size(); ++i)
            if (b.explanations.value(i) != q.explanations.value(i))
                fuzzFail("a question written as GIFT reads back with other explanations");
    }
    return 0;
}
