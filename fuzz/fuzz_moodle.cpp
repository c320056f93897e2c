// Any bytes given to the Moodle XML reader end in matching questions, left-out questions or
// errors, never in a crash, a hang or memory past the file's own. Every question it accepts
// becomes a test that the content checker accepts, with the same phrases, and every picture it
// keeps has a safe name inside the test folder; a classification made distinct keeps its pairs.
// Every question it accepts, written for Moodle again (MoodleExport) in Moodle XML and in GIFT,
// reads back as the same question: title, text, pairs, explanations and (Moodle XML) pictures.
#include "ContentReader.h"
#include "FuzzFail.h"
#include "Gift.h"
#include "MoodleExport.h"
#include "MoodleXml.h"

#include <QRegularExpression>
#include <QSet>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const Gift::Result result = MoodleXml::readBytes(bytes);
    // Lines as XML counts them: CR LF, LF or CR alone ends one.
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n") + 1;
    for (const Gift::Message &m : result.errors + result.notes + result.warnings) {
        if (m.text.isEmpty())
            fuzzFail("a message without text");
        if (m.line < 0 || m.line > lines)
            fuzzFail("a message on a line the file does not have");
    }
    if (result.notes.size() != result.skipped.size())
        fuzzFail("a note without its skipped question");
    if (!result.ok() && !result.questions.isEmpty())
        fuzzFail("questions read from a faulty file");

    static const QRegularExpression safeName(QStringLiteral("^[a-z0-9]([a-z0-9-]*[a-z0-9])?(-[0-9]+)?\\.(png|jpg|jpeg|bmp|gif)$"));
    for (const Gift::Matching &q : result.questions) {
        if (q.format != Gift::Format::MoodleXml || q.right.size() < q.left.size())
            fuzzFail("a question with too few right parts");
        if (!MoodleXml::problem(q).isEmpty())
            fuzzFail("a question kept that a test cannot hold");
        const ContentReader::Result content = ContentReader::read(Gift::toContent(q));
        if (!content.ok())
            fuzzFail("a converted question breaks a rule of the content format");
        if (content.store.Danni(0) != q.left || content.store.Danni(1) != q.right)
            fuzzFail("a converted question lost or changed a phrase");
        for (const Gift::Picture &p : q.pictures)
            if (!safeName.match(p.name).hasMatch() || p.pair < 0 || p.pair >= q.left.size() || p.bytes.isEmpty())
                fuzzFail("a picture with an unsafe name or of no pair");

        const auto explanation = [](const Gift::Matching &m, qsizetype i) { return m.explanations.value(i); };
        const auto picture = [](const Gift::Matching &m, qsizetype i) {
            for (const Gift::Picture &p : m.pictures)
                if (p.pair == i)
                    return p.bytes;
            return QByteArray();
        };
        const auto same = [&](const Gift::Result &back, bool pictures) {
            if (!back.ok() || back.questions.size() != 1)
                return false;
            const Gift::Matching &b = back.questions.first();
            if (b.title != q.title || b.text != q.text || b.left != q.left || b.right != q.right)
                return false;
            for (qsizetype i = 0; i < q.left.size(); ++i)
                if (explanation(b, i) != explanation(q, i) || (pictures && picture(b, i) != picture(q, i)))
                    return false;
            return true;
        };
        if (!same(MoodleXml::readBytes(MoodleExport::moodleXml(q)), true))
            fuzzFail("a question written as Moodle XML reads back otherwise");
        // GIFT asks for three pairs.
        if (q.left.size() >= Gift::MinPairs && !same(Gift::readBytes(MoodleExport::gift(q).toUtf8()), false))
            fuzzFail("a question written as GIFT reads back otherwise");
    }
    for (const Gift::Classification &c : result.classifications) {
        const Gift::Matching made = Gift::distinctRights(c);
        if (made.left != c.question.left || made.right.size() < made.left.size())
            fuzzFail("a classification made distinct lost a pair");
        if (QSet<QString>(made.right.cbegin(), made.right.cend()).size() != made.right.size())
            fuzzFail("a classification made distinct still shares a right part");
    }
    return 0;
}
