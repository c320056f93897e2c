#include "MoodleXml.h"

#include "ContentStore.h"
#include "FileAccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <iterator>
#include <optional>

namespace MoodleXml {

namespace {

using Gift::Message;

// A Moodle question has at least two subquestions with a text, as Moodle's own form demands.
constexpr int MinPairs = 2;

struct File
{
    QString name; // with its path: "/a.png"
    QString encoding;
    QByteArray data; // the base64 text without its white space; a character beyond ASCII is '*'
    bool tooLong = false;
};

// An element of a question as read: its format attribute, the text of its <text> child, the
// files embedded beside it and its other children, each read the same way.
struct Block
{
    int line = 0;
    QString format;
    QString text;
    bool tooLong = false; // the text was longer than MaxTextChars and is cut
    QList<File> files;
    QList<std::pair<QString, Block>> children;

    const Block *child(QStringView name) const
    {
        for (const auto &c : children)
            if (c.first == name)
                return &c.second;
        return nullptr;
    }
};

// A lone surrogate (a file declared in UTF-7 or UTF-16 can give one) as U+FFFD: no UTF-8 file,
// test.kaz or an export, can hold it.
void mendSurrogates(QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
}

// Moodle's text formats: html (the default of an export), moodle_auto_format (line ends are
// breaks, tags are HTML), plain_text and markdown (taken as they stand).
QString plain(const QString &text, const QString &format)
{
    if (format.isEmpty() || format == u"html")
        return Gift::plainFromHtml(text);
    if (format == u"moodle_auto_format") {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        t.replace(u'\n', QStringLiteral("<br>"));
        return Gift::plainFromHtml(t);
    }
    return text;
}

// A phrase: the text on one line, white space made single.
QString phrase(const QString &text, const QString &format)
{
    return plain(text, format).simplified();
}

// The names of the embedded files that an HTML text shows, with their path ("/a.png"), in order.
QStringList pluginFiles(const QString &html)
{
    static const QRegularExpression ref(QStringLiteral("@@PLUGINFILE@@(/[^\"'<>\\s?#]+)"));
    QStringList names;
    QSet<QString> seen;
    for (auto it = ref.globalMatch(html); it.hasNext();) {
        const QString name = QUrl::fromPercentEncoding(it.next().captured(1).toUtf8());
        if (!seen.contains(name)) {
            seen.insert(name);
            names.append(name);
        }
    }
    return names;
}

// The kind of a question of another type, in the teacher's words.
QString kindOf(const QString &type)
{
    static const QHash<QString, const char *> kinds = {
        {QStringLiteral("multichoice"), QT_TRANSLATE_NOOP("Gift", "multiple-choice question")},
        {QStringLiteral("truefalse"), QT_TRANSLATE_NOOP("Gift", "true/false question")},
        {QStringLiteral("shortanswer"), QT_TRANSLATE_NOOP("Gift", "short-answer question")},
        {QStringLiteral("numerical"), QT_TRANSLATE_NOOP("Gift", "numerical question")},
        {QStringLiteral("essay"), QT_TRANSLATE_NOOP("Gift", "essay")},
        {QStringLiteral("description"), QT_TRANSLATE_NOOP("Gift", "description")},
        {QStringLiteral("multianswer"), QT_TRANSLATE_NOOP("MoodleXml", "embedded answers (Cloze) question")},
        {QStringLiteral("calculated"), QT_TRANSLATE_NOOP("MoodleXml", "calculated question")},
        {QStringLiteral("calculatedsimple"), QT_TRANSLATE_NOOP("MoodleXml", "calculated question")},
        {QStringLiteral("calculatedmulti"), QT_TRANSLATE_NOOP("MoodleXml", "calculated question")},
        {QStringLiteral("ddwtos"), QT_TRANSLATE_NOOP("MoodleXml", "drag and drop into text question")},
        {QStringLiteral("gapselect"), QT_TRANSLATE_NOOP("MoodleXml", "select missing words question")},
        {QStringLiteral("ddimageortext"), QT_TRANSLATE_NOOP("MoodleXml", "drag and drop onto image question")},
        {QStringLiteral("ddmarker"), QT_TRANSLATE_NOOP("MoodleXml", "drag and drop markers question")},
        {QStringLiteral("randomsamatch"), QT_TRANSLATE_NOOP("MoodleXml", "random short-answer matching question")},
        {QStringLiteral("ordering"), QT_TRANSLATE_NOOP("MoodleXml", "ordering question")},
        {QStringLiteral("random"), QT_TRANSLATE_NOOP("MoodleXml", "random question")},
    };
    if (const auto k = kinds.constFind(type); k != kinds.cend())
        return QCoreApplication::translate(type == u"multichoice" || type == u"truefalse" || type == u"shortanswer"
                                                   || type == u"numerical" || type == u"essay" || type == u"description"
                                               ? "Gift"
                                               : "MoodleXml",
                                           *k);
    return QCoreApplication::translate("MoodleXml", "question of type \"%1\"").arg(Gift::excerpt(type));
}

class Reader
{
public:
    Reader(const QByteArray &bytes, const Options &options)
        : m_xml(bytes)
        , m_options(options)
    {
    }

    Gift::Result run()
    {
        // The first element is <quiz>; comments and the XML declaration may stand before it.
        while (next() && !m_xml.isStartElement()) {
        }
        if (!m_xml.hasError() && m_xml.isStartElement() && m_xml.name() != u"quiz")
            m_xml.raiseError(QCoreApplication::translate("MoodleXml", "its first element is <%1>, not <quiz>, so it is not a file of questions that "
                                "Moodle exported").arg(Gift::excerpt(m_xml.name().toString())));
        if (!m_xml.hasError() && m_xml.isStartElement()) {
            while (next()) {
                if (m_xml.isEndElement())
                    break;
                if (!m_xml.isStartElement())
                    continue;
                const bool isQuestion = m_xml.name() == u"question";
                const QString type = m_xml.attributes().value(QStringLiteral("type")).toString();
                const Block b = block();
                if (isQuestion && !m_xml.hasError())
                    question(type, b);
            }
        }
        // A file that breaks off or goes wrong halfway is refused whole: what was read before the
        // fault is dropped, as nothing of a faulty file is written.
        if (m_xml.hasError())
            m_result = Gift::Result();
        if (m_xml.hasError())
            m_result.errors.append({int(m_xml.lineNumber()), QCoreApplication::translate("MoodleXml", "the file cannot be read as Moodle XML: %1; export the "
                                                                "questions from Moodle again (Question bank, Export, "
                                                                "Moodle XML format)")
                                                                 .arg(m_xml.errorString())});
        else if (m_depthSeen == 0)
            m_result.errors.append({0, QCoreApplication::translate("MoodleXml", "the file holds no XML element; export the questions from Moodle again "
                                          "(Question bank, Export, Moodle XML format)")});
        return std::move(m_result);
    }

private:
    // The next token; false at the end or at a fault. A document type declaration is refused
    // before anything it declares is used: Moodle never writes one, and only one can declare
    // entities that grow a small file into gigabytes or name other files.
    bool next()
    {
        if (m_xml.atEnd() || m_xml.hasError())
            return false;
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            m_xml.raiseError(QCoreApplication::translate("MoodleXml", "it declares a document type (<!DOCTYPE …>), which Moodle never writes and which "
                                "could make the file read other files or grow without end"));
            return false;
        case QXmlStreamReader::EntityReference:
            m_xml.raiseError(QCoreApplication::translate("MoodleXml", "it uses an entity that it does not declare (&%1;)").arg(m_xml.name().toString()));
            return false;
        case QXmlStreamReader::StartElement:
            m_depthSeen = std::max(m_depthSeen, ++m_depth);
            if (m_depth > MaxDepth) {
                m_xml.raiseError(QCoreApplication::translate("MoodleXml", "its elements nest more than %1 deep, far deeper than a Moodle export").arg(MaxDepth));
                return false;
            }
            return true;
        case QXmlStreamReader::EndElement:
            --m_depth;
            return true;
        case QXmlStreamReader::Invalid:
            return false;
        default:
            return true;
        }
    }

    // The text inside the current element up to its end, at most `most` characters of it.
    QString text(qsizetype most, bool *tooLong)
    {
        QString out;
        while (next()) {
            if (m_xml.isEndElement())
                break;
            if (m_xml.isStartElement()) {
                block();
                continue;
            }
            if (m_xml.isCharacters()) {
                const QStringView t = m_xml.text();
                if (out.size() + t.size() > most)
                    *tooLong = true;
                else
                    out += t;
            }
        }
        mendSurrogates(out);
        return out;
    }

    // The base64 text inside the current element up to its end, as bytes: a picture's text is
    // most of a large file, and held as bytes it takes half the memory of a text.
    QByteArray base64Text(bool *tooLong)
    {
        QByteArray out;
        while (next()) {
            if (m_xml.isEndElement())
                break;
            if (m_xml.isStartElement()) {
                block();
                continue;
            }
            if (!m_xml.isCharacters())
                continue;
            const QStringView t = m_xml.text();
            if (out.size() + t.size() > MaxFileBytes) {
                *tooLong = true;
                continue;
            }
            out.reserve(out.size() + t.size());
            for (const QChar c : t) {
                const char16_t u = c.unicode();
                if (u == u' ' || u == u'\n' || u == u'\r' || u == u'\t')
                    continue;
                out.append(u < 0x80 ? char(u) : '*');
            }
        }
        return out;
    }

    // The current element, read up to its end.
    Block block()
    {
        Block b;
        b.line = int(m_xml.lineNumber());
        b.format = m_xml.attributes().value(QStringLiteral("format")).toString();
        while (next()) {
            if (m_xml.isEndElement())
                break;
            if (!m_xml.isStartElement())
                continue;
            const QString name = m_xml.name().toString();
            if (name == u"text") {
                b.text = text(MaxTextChars, &b.tooLong);
            } else if (name == u"file") {
                File f;
                const QXmlStreamAttributes a = m_xml.attributes();
                QString path = a.value(QStringLiteral("path")).toString();
                if (!path.endsWith(u'/'))
                    path += u'/';
                f.name = path + a.value(QStringLiteral("name")).toString();
                f.encoding = a.value(QStringLiteral("encoding")).toString();
                f.data = base64Text(&f.tooLong);
                b.files.append(std::move(f));
            } else {
                Block child = block();
                b.children.append({name, std::move(child)});
            }
        }
        return b;
    }

    void skip(int line, const QString &kind, const QString &title, const QString &why = {})
    {
        const QString name = title.isEmpty() ? QString() : QCoreApplication::translate("Gift", " \"%1\"").arg(Gift::excerpt(title));
        m_result.skipped.append({line, kind, Gift::excerpt(title), m_category, why});
        m_result.notes.append({line, why.isEmpty() ? QCoreApplication::translate("Gift", "skipped the %1%2; only matching questions "
                                                                                 "become tests")
                                                         .arg(kind, name)
                                                   : QCoreApplication::translate("MoodleXml", "left out the matching question%1: %2").arg(name, why)});
    }

    void warn(int line, const QString &text) { m_result.warnings.append({line, text}); }

    void question(const QString &type, const Block &q)
    {
        if (type == u"category") {
            const Block *c = q.child(u"category");
            m_category = c ? Gift::categoryName(c->text) : QString();
            return;
        }
        const Block *nameBlock = q.child(u"name");
        QString title = nameBlock ? nameBlock->text.simplified().left(Gift::MaxTitleLength) : QString();
        if (type != u"matching" && type != u"ddmatch") {
            skip(q.line, kindOf(type), title);
            return;
        }

        Gift::Matching m;
        m.line = q.line;
        m.format = Gift::Format::MoodleXml;
        m.category = m_category;
        const QString cannotHold = QCoreApplication::translate("MoodleXml", "matching question that a KAZ test cannot hold");
        const Block *text = q.child(u"questiontext");
        if (text && text->tooLong) {
            skip(q.line, cannotHold, title,
                 QCoreApplication::translate("MoodleXml", "its text has more than %1 characters").arg(MaxTextChars));
            return;
        }
        if (text)
            m.text = Gift::textLines(plain(text->text, text->format));
        if (title.isEmpty()) {
            title = m.text.isEmpty() ? QString() : m.text.first().simplified().left(60).trimmed();
            if (title.isEmpty())
                title = QStringLiteral("Matching question on line %1").arg(q.line);
        }
        m.title = title;

        // The pairs and the extra right parts, each with the pictures its text shows.
        // Sets beside the lists: a question of a hundred thousand subquestions is searched in
        // linear time.
        QStringList extras;
        QSet<QString> extraSet;
        QHash<QString, qsizetype> leftAt;
        QList<QStringList> pairPictures;
        QList<const Block *> pairBlocks;
        QStringList leftOnlyPicture; // left parts made of a picture's name
        int number = 0;
        for (const auto &[name, sub] : q.children) {
            if (name != u"subquestion")
                continue;
            ++number;
            const Block *answer = sub.child(u"answer");
            if (sub.tooLong || (answer && answer->tooLong)) {
                skip(q.line, cannotHold, title, QCoreApplication::translate("MoodleXml", "its subquestion %1 is longer than %2 characters").arg(number).arg(MaxTextChars));
                return;
            }
            const QString right = answer ? phrase(answer->text, answer->format.isEmpty() ? QStringLiteral("plain_text") : answer->format)
                                         : QString();
            QString left = phrase(sub.text, sub.format);
            const QStringList shown = pluginFiles(sub.text);
            if (sub.text.trimmed().isEmpty() || (left.isEmpty() && shown.isEmpty())) {
                // Moodle shows a subquestion without a text as one more answer to choose.
                if (!right.isEmpty() && !extraSet.contains(right)) {
                    extraSet.insert(right);
                    extras.append(right);
                }
                continue;
            }
            if (left.isEmpty()) {
                left = QFileInfo(shown.first()).completeBaseName().simplified();
                leftOnlyPicture.append(left);
            }
            if (right.isEmpty()) {
                skip(q.line, cannotHold, title, QCoreApplication::translate("MoodleXml", "the pair \"%1\" has no answer").arg(Gift::excerpt(left)));
                return;
            }
            if (const auto first = leftAt.constFind(left); first != leftAt.cend()) {
                skip(q.line, cannotHold, title,
                     QCoreApplication::translate("MoodleXml", "the left part \"%1\" stands twice (subquestions %2 and %3), but the phrases of one side of a "
                        "KAZ test must differ; change one of them in Moodle")
                         .arg(Gift::excerpt(left))
                         .arg(*first + 1)
                         .arg(m.left.size() + 1));
                return;
            }
            leftAt.insert(left, m.left.size());
            m.left.append(left);
            m.right.append(right);
            pairPictures.append(shown);
            pairBlocks.append(&sub);
            if (m.left.size() + extras.size() > ContentReader::MaxPhrases) {
                skip(q.line, cannotHold, title,
                     QCoreApplication::translate("MoodleXml", "it has more than %1 right parts, the most a KAZ test holds").arg(ContentReader::MaxPhrases));
                return;
            }
        }
        // An extra right part that a pair has too is one answer in Moodle.
        const QSet<QString> pairRights(m.right.cbegin(), m.right.cend());
        extras.removeIf([&pairRights](const QString &e) { return pairRights.contains(e); });

        pictures(q, text, m, pairPictures, pairBlocks);
        for (const QString &left : leftOnlyPicture)
            warn(q.line, QCoreApplication::translate("MoodleXml", "in the matching question \"%1\" the left part of a pair is only a picture; its file name "
                            "\"%2\" stands for it as the left phrase: write a phrase of your own in the editor")
                             .arg(Gift::excerpt(title), Gift::excerpt(left)));
        explanations(q, m);

        QStringList shared;
        {
            QHash<QString, int> times;
            for (const QString &r : std::as_const(m.right))
                if (++times[r] == 2)
                    shared.append(r);
        }
        m.right += extras;
        if (!shared.isEmpty()) {
            QStringList sharing;
            // The note names a few of them; a question may have thousands.
            constexpr qsizetype named = 5;
            for (qsizetype i = 0; i < m.left.size() && sharing.size() <= named; ++i)
                if (m.right.at(i) == shared.first())
                    sharing.append(sharing.size() == named
                                       ? QStringLiteral("…")
                                       : QCoreApplication::translate("MoodleXml", "\"%1\"").arg(Gift::excerpt(m.left.at(i))));
            skip(q.line, QCoreApplication::translate("MoodleXml", "classification question"), title,
                 QCoreApplication::translate("MoodleXml", "%1 share the right part \"%2\", but a KAZ test pairs each left phrase with a right phrase of "
                    "its own; make each shared right part distinct (\"%2\", \"%2 (2)\" …) or leave the question out")
                     .arg(sharing.join(QStringLiteral(", ")), Gift::excerpt(shared.first())));
            m_result.classifications.append({m, shared});
            return;
        }
        if (const QString why = problem(m); !why.isEmpty()) {
            skip(q.line, cannotHold, title, why);
            return;
        }
        m_result.questions.append(m);
    }

    // The pictures the question's texts show, each checked; a picture that cannot be read is a
    // warning. A subquestion's picture is its pair's; the first picture of the question text is
    // shown with every pair that has none of its own, as it belongs to all of them.
    void pictures(const Block &q, const Block *text, Gift::Matching &m, const QList<QStringList> &pairPictures,
                  const QList<const Block *> &pairBlocks)
    {
        QHash<QString, QByteArray> written; // name in the folder → bytes
        QHash<const Block *, QHash<QString, const File *>> filesOf;
        const auto take = [&](const Block &owner, const QString &ref) -> std::optional<Gift::Picture> {
            const QString shown = Gift::excerpt(ref.mid(1));
            const auto cannot = [&](const QString &why) {
                warn(owner.line, QCoreApplication::translate("MoodleXml", "the picture \"%1\" of the matching question \"%2\" cannot be used: %3; the question is "
                                    "read without it")
                                     .arg(shown, Gift::excerpt(m.title), why));
                return std::nullopt;
            };
            if (!filesOf.contains(&owner)) {
                QHash<QString, const File *> names;
                for (const File &f : owner.files)
                    names.insert(f.name, &f);
                filesOf.insert(&owner, names);
            }
            const File *file = filesOf.value(&owner).value(ref);
            if (!file)
                return cannot(QCoreApplication::translate("MoodleXml", "the file holds no such picture"));
            if (file->tooLong)
                return cannot(QCoreApplication::translate("MoodleXml", "it is larger than the %1 MB a Moodle XML file may have").arg(MaxFileBytes / (1024 * 1024)));
            const QString suffix = QFileInfo(ref).suffix().toLower();
            if (!ContentReader::pictureSuffixes().contains(suffix))
                return cannot(QCoreApplication::translate("MoodleXml", "its name does not end in .png, .jpg, .jpeg, .bmp or .gif, the pictures a KAZ test shows; "
                                 "save it as PNG"));
            const auto decoded = QByteArray::fromBase64Encoding(file->data, QByteArray::AbortOnBase64DecodingErrors);
            if (file->encoding != u"base64" || !decoded || decoded.decoded.isEmpty())
                return cannot(QCoreApplication::translate("MoodleXml", "its base64 text is broken"));
            Gift::Picture p;
            p.bytes = decoded.decoded;
            if (m_options.checkPicture) {
                const ContentReader::PictureCheck check = m_options.checkPicture(p.bytes);
                if (!check.problem.isEmpty())
                    return cannot(check.problem);
                p.width = check.size.width();
                p.height = check.size.height();
            }
            const QString base = Gift::folderName(QFileInfo(ref).completeBaseName());
            QString name = base + u'.' + suffix;
            for (int n = 2; written.contains(name) && written.value(name) != p.bytes; ++n)
                name = QStringLiteral("%1-%2.%3").arg(base).arg(n).arg(suffix);
            written.insert(name, p.bytes);
            p.name = name;
            return p;
        };

        for (qsizetype i = 0; i < pairPictures.size(); ++i) {
            const QStringList &refs = pairPictures.at(i);
            if (refs.isEmpty())
                continue;
            if (i >= ContentStore::QuestionsWithExtras) {
                warn(pairBlocks.at(i)->line, QCoreApplication::translate("MoodleXml", "the matching question \"%1\" has a picture for pair %2, but only the first "
                                                "%3 pairs of a KAZ test can show one; the picture is left out")
                                                 .arg(Gift::excerpt(m.title))
                                                 .arg(i + 1)
                                                 .arg(ContentStore::QuestionsWithExtras));
                continue;
            }
            if (auto p = take(*pairBlocks.at(i), refs.first())) {
                p->pair = int(i);
                m.pictures.append(*p);
            }
            for (qsizetype r = 1; r < refs.size(); ++r)
                warn(pairBlocks.at(i)->line, QCoreApplication::translate("MoodleXml", "the matching question \"%1\" shows more than one picture in pair %2, but a "
                                                "pair of a KAZ test shows one; \"%3\" is left out")
                                                 .arg(Gift::excerpt(m.title))
                                                 .arg(i + 1)
                                                 .arg(Gift::excerpt(refs.at(r).mid(1))));
        }
        const QSet<const Block *> pairSet(pairBlocks.cbegin(), pairBlocks.cend());
        for (const auto &[name, sub] : q.children)
            if (name == u"subquestion" && !sub.text.trimmed().isEmpty() && !pairSet.contains(&sub)
                && !pluginFiles(sub.text).isEmpty())
                warn(sub.line, QCoreApplication::translate("MoodleXml", "the matching question \"%1\" has a picture with an extra right part, but a right phrase "
                                  "of a KAZ test shows none; the picture is left out")
                                   .arg(Gift::excerpt(m.title)));

        const QStringList textRefs = text ? pluginFiles(text->text) : QStringList();
        for (const QString &ref : textRefs) {
            std::optional<Gift::Picture> p = take(*text, ref);
            if (!p)
                continue;
            QList<Gift::Picture> all;
            for (int i = 0; i < std::min<int>(int(m.left.size()), ContentStore::QuestionsWithExtras); ++i) {
                const auto own = std::find_if(m.pictures.cbegin(), m.pictures.cend(), [i](const Gift::Picture &x) { return x.pair == i; });
                if (own != m.pictures.cend()) {
                    all.append(*own);
                } else {
                    p->pair = i;
                    all.append(*p);
                }
            }
            m.pictures = all;
            for (const QString &other : textRefs.mid(textRefs.indexOf(ref) + 1))
                warn(text->line, QCoreApplication::translate("MoodleXml", "the text of the matching question \"%1\" shows more than one picture, but a KAZ test "
                                    "shows one with each pair; \"%2\" is left out")
                                     .arg(Gift::excerpt(m.title), Gift::excerpt(other.mid(1))));
            break;
        }
    }

    // The general feedback as the pairs' explanations (Gift::pairExplanations).
    void explanations(const Block &q, Gift::Matching &m)
    {
        const Block *feedback = q.child(u"generalfeedback");
        if (!feedback || feedback->text.trimmed().isEmpty())
            return;
        std::optional<QList<QStringList>> e;
        if (!feedback->tooLong)
            e = Gift::pairExplanations(Gift::textLines(plain(feedback->text, feedback->format)), m.left);
        if (!e) {
            warn(feedback->line, QCoreApplication::translate("MoodleXml", "the general feedback of the matching question \"%1\" is longer than an explanation of a "
                                    "KAZ test may be (%2 lines of %3 characters); the question is read without it")
                                     .arg(Gift::excerpt(m.title))
                                     .arg(ContentReader::MaxTextLines)
                                     .arg(ContentReader::MaxLineLength));
            return;
        }
        m.explanations = *e;
    }

    QXmlStreamReader m_xml;
    const Options &m_options;
    Gift::Result m_result;
    QString m_category;
    int m_depth = 0;
    int m_depthSeen = 0;
};

} // namespace

bool looksLikeXml(const QByteArray &bytes)
{
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && (bytes.at(i) == ' ' || bytes.at(i) == '\t' || bytes.at(i) == '\r' || bytes.at(i) == '\n'))
        ++i;
    const QByteArrayView b = QByteArrayView(bytes).sliced(i);
    return b.startsWith("<?xml") || b.startsWith("<quiz");
}

Gift::Result readBytes(const QByteArray &bytes, const Options &options)
{
    if (bytes.size() > MaxFileBytes) {
        Gift::Result r;
        r.errors.append({0, QCoreApplication::translate("MoodleXml", "the file has %1 bytes, more than the %2 MB a Moodle XML file may have; export fewer "
                               "questions at a time (one category)")
                                .arg(bytes.size())
                                .arg(MaxFileBytes / (1024 * 1024))});
        return r;
    }
    return Reader(bytes, options).run();
}

FileRead readFile(const QString &path, const Options &options)
{
    FileRead out;
    const FileAccess::Read file = FileAccess::read(path, std::max(Gift::MaxFileBytes, MaxFileBytes));
    // A file too large for either format is told by its own format's limit: its start says which.
    const auto startsAsXml = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) && looksLikeXml(f.read(256));
    };
    out.xml = file.tooLarge ? startsAsXml() : file.ok() && looksLikeXml(file.bytes);
    if (!file.ok() || (!out.xml && file.bytes.size() > Gift::MaxFileBytes)) {
        const qint64 limit = out.xml ? MaxFileBytes : Gift::MaxFileBytes;
        out.problem = file.tooLarge || file.ok() ? FileAccess::tooLarge(std::max<qint64>(file.bytes.size(), QFileInfo(path).size()), limit)
                                                 : file.problem;
        return out;
    }
    out.result = out.xml ? readBytes(file.bytes, options) : Gift::readBytes(file.bytes);
    return out;
}

void takeClassifications(Gift::Result &result)
{
    // In linear time: a file may hold tens of thousands of classifications.
    QList<Gift::Matching> made;
    QSet<int> madeAt;
    QHash<int, std::pair<QString, QString>> stillOut; // line → title, why
    for (const Gift::Classification &c : std::as_const(result.classifications)) {
        Gift::Matching m = Gift::distinctRights(c);
        if (const QString why = problem(m); !why.isEmpty()) {
            stillOut.insert(m.line, {m.title, why});
            continue;
        }
        madeAt.insert(m.line);
        made.append(std::move(m));
    }
    result.classifications.clear();
    QList<Gift::Skipped> skipped;
    QList<Gift::Message> notes;
    for (qsizetype i = 0; i < result.skipped.size(); ++i) {
        Gift::Skipped s = result.skipped.at(i);
        if (madeAt.contains(s.line))
            continue;
        std::optional<Gift::Message> note;
        if (i < result.notes.size())
            note = result.notes.at(i);
        if (const auto out = stillOut.constFind(s.line); out != stillOut.cend()) {
            s.why = out->second;
            if (note)
                note->text = QCoreApplication::translate("MoodleXml", "left out the classification question \"%1\" even with "
                                                                      "its shared right parts made distinct: %2")
                                 .arg(Gift::excerpt(out->first), out->second);
        }
        skipped.append(s);
        if (note)
            notes.append(*note);
    }
    result.skipped = std::move(skipped);
    result.notes = std::move(notes);
    // Both lists are in the file's order.
    QList<Gift::Matching> questions;
    questions.reserve(result.questions.size() + made.size());
    std::merge(std::make_move_iterator(result.questions.begin()), std::make_move_iterator(result.questions.end()),
               std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()), std::back_inserter(questions),
               [](const Gift::Matching &a, const Gift::Matching &b) { return a.line < b.line; });
    result.questions = std::move(questions);
}

QString problem(const Gift::Matching &question)
{
    if (question.left.size() < MinPairs)
        return QCoreApplication::translate("MoodleXml", "it has %1 pairs, but a matching question needs at least %2, as in Moodle")
            .arg(question.left.size())
            .arg(MinPairs);
    const qsizetype extras = question.right.size() - question.left.size();
    // "Оцени" opens once the pairs made are at least three times the right phrases left over.
    if (3 * extras > question.left.size())
        return QCoreApplication::translate("MoodleXml", "it has %1 pairs and %2 extra right parts, but in a KAZ test \"Оцени\" opens only when the pairs "
                  "made are at least three times the right phrases left over, so a question may have at most one extra "
                  "right part for every three pairs; remove extra right parts or add pairs")
            .arg(question.left.size())
            .arg(extras);
    if (question.right.size() > ContentReader::MaxPhrases)
        return QCoreApplication::translate("MoodleXml", "it has more than %1 right parts, the most a KAZ test holds").arg(ContentReader::MaxPhrases);
    // The rules of the content format (ContentReader) that a question's phrases and lines can
    // break, checked here directly: reading each question's test.kaz back would take most of the
    // time of a large file. fuzz_moodle holds every question accepted against the content reader.
    const auto unusable = [](QStringView text) -> qsizetype {
        if (const qsizetype at = ContentReader::controlCharacter(text); at >= 0)
            return at;
        return text.indexOf(u'\t');
    };
    for (const QStringList *side : {&question.left, &question.right}) {
        QSet<QString> seen;
        for (const QString &phrase : *side) {
            if (phrase.trimmed().isEmpty())
                return QCoreApplication::translate("MoodleXml", "one of its phrases is empty");
            if (phrase.size() > ContentReader::MaxLineLength)
                return QCoreApplication::translate("MoodleXml", "the phrase \"%1\" has %2 characters, but a phrase of a KAZ test may have at most %3")
                    .arg(Gift::excerpt(phrase))
                    .arg(phrase.size())
                    .arg(ContentReader::MaxLineLength);
            if (const qsizetype at = unusable(phrase); at >= 0)
                return QCoreApplication::translate("MoodleXml", "the phrase \"%1\" holds an invisible character (character code %2), which a KAZ test "
                                                   "cannot hold")
                    .arg(Gift::excerpt(phrase))
                    .arg(phrase.at(at).unicode());
            const QString trimmed = phrase.trimmed();
            if (seen.contains(trimmed))
                return QCoreApplication::translate("MoodleXml", "the phrase \"%1\" stands twice on one side, but the phrases of one side of a KAZ test "
                                                   "must differ")
                    .arg(Gift::excerpt(trimmed));
            seen.insert(trimmed);
        }
    }
    QList<const QStringList *> texts{&question.text};
    for (const QStringList &e : question.explanations)
        texts.append(&e);
    const QStringList title{question.title};
    texts.append(&title);
    for (const QStringList *lines : std::as_const(texts)) {
        if (lines->size() > ContentReader::MaxTextLines)
            return QCoreApplication::translate("MoodleXml", "its text or an explanation has %1 lines, but a KAZ test shows at most %2")
                .arg(lines->size())
                .arg(ContentReader::MaxTextLines);
        for (const QString &line : *lines) {
            if (line.size() > ContentReader::MaxLineLength)
                return QCoreApplication::translate("MoodleXml", "its text or an explanation has a line of %1 characters, but a line of a KAZ test may "
                                                   "hold at most %2")
                    .arg(line.size())
                    .arg(ContentReader::MaxLineLength);
            if (const qsizetype at = ContentReader::controlCharacter(line); at >= 0)
                return QCoreApplication::translate("MoodleXml", "its text or an explanation holds an invisible control character (character code %1), "
                                                   "which a KAZ test cannot hold")
                    .arg(line.at(at).unicode());
        }
    }
    return {};
}

} // namespace MoodleXml
