#include "MoodleExport.h"

#include "Caption.h"
#include "ContentReader.h"
#include "ContentStore.h"
#include "Numbers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamWriter>

namespace MoodleExport {

namespace {

// A text that would start with one of the format markers GIFT reads ("[html]" …) if written as
// it stands.
bool startsWithMarker(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|moodle|plain|markdown)\\]"),
                                           QRegularExpression::CaseInsensitiveOption);
    return marker.match(text).hasMatch();
}

// A text as HTML. "@@PLUGINFILE@@", which names an embedded file in Moodle's texts, is written
// with character references, so that a phrase holding it names none.
QString html(const QString &text)
{
    QString out = text.toHtmlEscaped();
    out.replace(QStringLiteral("@@PLUGINFILE@@"), QStringLiteral("&#64;&#64;PLUGINFILE&#64;&#64;"));
    return out;
}

// Lines as HTML: each escaped, joined by line breaks.
QString htmlLines(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped.append(html(line));
    return escaped.join(QStringLiteral("<br>"));
}

// The explanations as lines, each pair's under its left phrase and a colon.
QStringList feedbackLines(const Gift::Matching &q)
{
    QStringList lines;
    for (qsizetype i = 0; i < q.explanations.size() && i < q.left.size(); ++i) {
        if (q.explanations.at(i).isEmpty())
            continue;
        lines.append(q.left.at(i) + u':');
        lines += q.explanations.at(i);
    }
    return lines;
}

// A text as XML 1.0 can hold it: a character it cannot (a control character other than the tab
// and the line ends, a lone surrogate, U+FFFE, U+FFFF) as U+FFFD. A KAZ test holds none of them;
// without this one would break the whole file.
QString xmlText(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

void textElement(QXmlStreamWriter &w, const QString &element, const QString &html)
{
    w.writeStartElement(element);
    w.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    w.writeTextElement(QStringLiteral("text"), xmlText(html));
    w.writeEndElement();
}

} // namespace

Gift::Matching fromStore(const ContentStore &store, const QString &fallbackTitle)
{
    Gift::Matching m;
    m.format = Gift::Format::MoodleXml;
    m.title = Caption::split(ContentStore::item(store.Danni(3), 0)).title.simplified().left(Gift::MaxTitleLength);
    if (m.title.isEmpty())
        m.title = fallbackTitle;
    m.text = Gift::textLines(store.Ukazanie());
    for (const QString &phrase : store.Danni(0))
        m.left.append(phrase.simplified());
    for (const QString &phrase : store.Danni(1))
        m.right.append(phrase.simplified());

    const int pairs = std::min<int>(int(m.left.size()), ContentStore::QuestionsWithExtras);
    QList<QStringList> explanations(pairs);
    bool anyExplanation = false;
    QHash<QString, QByteArray> named; // picture name → bytes
    for (int q = 1; q <= pairs; ++q) {
        if (Numbers::readLenient(ContentStore::item(store.Otgowor(0), q)) > 0)
            for (const QString &line : store.Otgowor(q))
                if (!line.trimmed().isEmpty()) {
                    explanations[q - 1].append(line.trimmed());
                    anyExplanation = true;
                }
        const auto flag = Numbers::readStrict(ContentStore::item(store.Spis_graf(), q));
        const ContentStore::Picture &box = store.Graphika(q);
        if (!flag || *flag == 0 || box.source.isEmpty())
            continue;
        const QByteArray bytes = store.pictureData(box.source);
        const QFileInfo file(box.source);
        const QString suffix = file.suffix().toLower();
        if (bytes.isEmpty() || !ContentReader::pictureSuffixes().contains(suffix))
            continue;
        const QString base = Gift::folderName(file.completeBaseName());
        QString name = base + u'.' + suffix;
        for (int n = 2; named.contains(name) && named.value(name) != bytes; ++n)
            name = QStringLiteral("%1-%2.%3").arg(base).arg(n).arg(suffix);
        named.insert(name, bytes);
        Gift::Picture p;
        p.pair = q - 1;
        p.name = name;
        p.bytes = bytes;
        p.width = box.width / 15;
        p.height = box.height / 15;
        m.pictures.append(p);
    }
    if (anyExplanation)
        m.explanations = explanations;
    return m;
}

QByteArray moodleXml(const Gift::Matching &q)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("quiz"));
    w.writeComment(QStringLiteral(" A KAZ test as a matching question; import it in Moodle: Question bank, Import, "
                                  "Moodle XML format. "));
    w.writeStartElement(QStringLiteral("question"));
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("matching"));
    w.writeStartElement(QStringLiteral("name"));
    w.writeTextElement(QStringLiteral("text"), xmlText(q.title));
    w.writeEndElement();
    textElement(w, QStringLiteral("questiontext"), q.text.isEmpty() ? QString() : QStringLiteral("<p>") + htmlLines(q.text) + QStringLiteral("</p>"));
    QString feedback;
    for (const QString &line : feedbackLines(q))
        feedback += QStringLiteral("<p>") + html(line) + QStringLiteral("</p>");
    textElement(w, QStringLiteral("generalfeedback"), feedback);
    w.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    w.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
    w.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("idnumber"), QString());
    w.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("1"));
    textElement(w, QStringLiteral("correctfeedback"), QString());
    textElement(w, QStringLiteral("partiallycorrectfeedback"), QString());
    textElement(w, QStringLiteral("incorrectfeedback"), QString());

    QHash<int, const Gift::Picture *> pictureOf;
    for (const Gift::Picture &p : q.pictures)
        if (!pictureOf.contains(p.pair))
            pictureOf.insert(p.pair, &p);
    for (qsizetype i = 0; i < q.right.size(); ++i) {
        w.writeStartElement(QStringLiteral("subquestion"));
        w.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        const Gift::Picture *picture = pictureOf.value(int(i));
        if (i < q.left.size()) {
            QString text = QStringLiteral("<p>") + html(q.left.at(i)) + QStringLiteral("</p>");
            if (picture)
                text += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/%1\" alt=\"%2\"></p>")
                            .arg(QString::fromUtf8(QUrl::toPercentEncoding(picture->name)), html(q.left.at(i)));
            w.writeTextElement(QStringLiteral("text"), xmlText(text));
            if (picture) {
                w.writeStartElement(QStringLiteral("file"));
                w.writeAttribute(QStringLiteral("name"), picture->name);
                w.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
                w.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
                w.writeCharacters(QString::fromLatin1(picture->bytes.toBase64()));
                w.writeEndElement();
            }
        } else {
            // An extra right phrase: a subquestion without a text.
            w.writeTextElement(QStringLiteral("text"), QString());
        }
        // Moodle's answers are plain text.
        w.writeStartElement(QStringLiteral("answer"));
        w.writeTextElement(QStringLiteral("text"), xmlText(q.right.at(i)));
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement(); // question
    w.writeEndElement(); // quiz
    w.writeEndDocument();
    return out;
}

QString giftEscaped(const QString &text)
{
    static const QString special = QStringLiteral("~=#{}:\\");
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else {
            if (special.contains(c))
                out += u'\\';
            out += c;
        }
    }
    return out;
}

QString gift(const Gift::Matching &q, QStringList *notes)
{
    QString out;
    out += QStringLiteral("// A KAZ test as a matching question; import it in Moodle: Question bank, Import, GIFT format.\n");
    if (!q.pictures.isEmpty()) {
        out += QStringLiteral("// GIFT holds no pictures: the test's pictures are in the Moodle XML file only.\n");
        if (notes)
            notes->append(QCoreApplication::translate("MoodleExport", "GIFT cannot hold pictures, so the GIFT file leaves out "
                                                                      "the test's %1 picture(s); the Moodle XML file holds them.")
                              .arg(q.pictures.size()));
    }
    const QString text = q.text.join(u'\n');
    out += QStringLiteral("::") + giftEscaped(q.title) + QStringLiteral("::") + (startsWithMarker(text) ? QStringLiteral("[plain]") : QString())
           + giftEscaped(text) + QStringLiteral("{\n");
    for (qsizetype i = 0; i < q.right.size(); ++i) {
        QString left = i < q.left.size() ? q.left.at(i) : QString();
        // A left phrase holding "->" (which ends the left part) or starting as a format marker
        // is written as HTML, where ">" is "&gt;".
        if (left.contains(QStringLiteral("->")) || startsWithMarker(left))
            left = QStringLiteral("[html]") + left.toHtmlEscaped();
        out += u'=' + giftEscaped(left) + (left.isEmpty() ? QStringLiteral("-> ") : QStringLiteral(" -> ")) + giftEscaped(q.right.at(i)) + u'\n';
    }
    const QString feedback = feedbackLines(q).join(u'\n');
    if (!feedback.isEmpty())
        out += QStringLiteral("####") + (startsWithMarker(feedback) ? QStringLiteral("[plain]") : QString()) + giftEscaped(feedback) + u'\n';
    out += QStringLiteral("}\n");
    return out;
}

} // namespace MoodleExport
