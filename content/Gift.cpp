#include "Gift.h"

#include "Caption.h"
#include "ContentReader.h"
#include "ContentStore.h"
#include "ContentWriter.h"
#include "FileAccess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace Gift {

QString Message::toString(const QString &file, const char *kind) const
{
    // `kind` is "note", "warning" or "error".
    const bool note = qstrcmp(kind, "note") == 0;
    const bool warning = qstrcmp(kind, "warning") == 0;
    if (line > 0)
        return (note      ? QCoreApplication::translate("Gift", "%1:%2: note: %3")
                : warning ? QCoreApplication::translate("Gift", "%1:%2: warning: %3")
                          : QCoreApplication::translate("Gift", "%1:%2: error: %3"))
            .arg(file, QString::number(line), text);
    return (note      ? QCoreApplication::translate("Gift", "%1: note: %2")
            : warning ? QCoreApplication::translate("Gift", "%1: warning: %2")
                      : QCoreApplication::translate("Gift", "%1: error: %2"))
        .arg(file, text);
}

namespace {

// One character of a question with its line; `escaped` marks a character written with a
// backslash, which never has a meaning of its own.
struct Ch
{
    QChar c;
    bool escaped = false;
    int line = 0;
};
using Chars = QList<Ch>;

bool isSyntax(const Chars &s, qsizetype i, char c)
{
    return i >= 0 && i < s.size() && !s.at(i).escaped && s.at(i).c == QLatin1Char(c);
}

// Both go through the characters by pointer: a file of 16 MB is searched and copied character
// by character.
qsizetype findSyntax(const Chars &s, char c, qsizetype from, qsizetype to)
{
    const Ch *chars = s.constData();
    const QChar wanted = QLatin1Char(c);
    for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, s.size()); ++i)
        if (!chars[i].escaped && chars[i].c == wanted)
            return i;
    return -1;
}

QString textOf(const Chars &s, qsizetype from, qsizetype to)
{
    if (to <= from)
        return {};
    QString out(to - from, Qt::Uninitialized);
    const Ch *chars = s.constData();
    QChar *text = out.data();
    for (qsizetype i = from; i < to; ++i)
        *text++ = chars[i].c;
    return out;
}

qsizetype skipSpace(const Chars &s, qsizetype i, qsizetype to)
{
    while (i < to && s.at(i).c.isSpace())
        ++i;
    return i;
}

// Moodle's text formats; [html] texts lose their tags here, the others are taken as they stand.
bool takeFormat(QString &text, bool *html)
{
    static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|moodle|plain|markdown)\\]"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = marker.match(text);
    if (!m.hasMatch())
        return false;
    if (html)
        *html = m.captured(1).compare(u"html", Qt::CaseInsensitive) == 0;
    text.remove(0, m.capturedLength());
    return true;
}

class Reader
{
public:
    explicit Reader(const QString &text) { splitQuestions(text); }

    Result run() { return std::move(m_result); }

private:
    void error(int line, const QString &text) { m_result.errors.append({line, text}); }

    // Blank lines end a question; comment lines are dropped without ending it, as Moodle does.
    // A blank line inside the answers would cut the question in two; it is reported as such
    // instead of as the two halves' unbalanced braces.
    void splitQuestions(const QString &text)
    {
        QString t = text;
        if (t.startsWith(QChar(0xFEFF)))
            t.remove(0, 1);
        // Line ends as the content reader knows them: CR LF, LF, or CR alone.
        static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
        const QStringList lines = t.split(lineEnd);
        Chars block;
        int firstLine = 0;
        int blankInside = 0; // first blank line inside the answers of this block
        bool open = false;   // the block has a "{" not yet closed
        const auto finish = [&] {
            if (blankInside > 0 && !open)
                error(blankInside, QCoreApplication::translate("Gift", "a blank line inside the answers of the question on line %1; "
                                                  "a blank line ends a question, so remove it")
                                       .arg(firstLine));
            else if (!block.isEmpty())
                question(block, firstLine);
            block.clear();
            blankInside = 0;
            open = false;
        };
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines.at(i);
            if (const qsizetype at = ContentReader::controlCharacter(line); at >= 0)
                error(i + 1, QCoreApplication::translate("Gift", "this line holds an invisible control character (character code %1), "
                                            "which a KAZ test cannot hold; such characters come with text copied "
                                            "out of other programs: delete it, or type the line again")
                                 .arg(line.at(at).unicode()));
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QStringLiteral("//")))
                continue;
            if (trimmed.isEmpty()) {
                if (open) {
                    if (blankInside == 0)
                        blankInside = i + 1;
                    continue;
                }
                finish();
                continue;
            }
            if (block.isEmpty() && trimmed.startsWith(QStringLiteral("$CATEGORY:"))) {
                m_category = categoryName(trimmed.mid(10));
                continue;
            }
            if (block.isEmpty())
                firstLine = i + 1;
            else
                block.append({u'\n', false, i});
            appendLine(block, line, i + 1, open);
        }
        finish();
    }

    static void appendLine(Chars &block, const QString &line, int lineNo, bool &open)
    {
        static const QString escapable = QStringLiteral("~=#{}:\\");
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (c == u'\\' && i + 1 < line.size()) {
                const QChar next = line.at(i + 1);
                if (escapable.contains(next)) {
                    block.append({next, true, lineNo});
                    ++i;
                    continue;
                }
                if (next == u'n') {
                    block.append({u'\n', true, lineNo});
                    ++i;
                    continue;
                }
            }
            if (c == u'{')
                open = true;
            else if (c == u'}')
                open = false;
            block.append({c, false, lineNo});
        }
    }

    void question(const Chars &s, int firstLine)
    {
        const qsizetype end = s.size();
        qsizetype pos = skipSpace(s, 0, end);
        QString title;
        if (isSyntax(s, pos, ':') && isSyntax(s, pos + 1, ':')) {
            qsizetype close = -1;
            for (qsizetype i = pos + 2; i + 1 < end && close < 0; ++i)
                if (isSyntax(s, i, ':') && isSyntax(s, i + 1, ':'))
                    close = i;
            if (close < 0) {
                error(s.at(pos).line, QCoreApplication::translate("Gift", "the title opened with \"::\" is not closed; write it as "
                                                     "::title:: (and \\: for a colon inside it)"));
                return;
            }
            title = textOf(s, pos + 2, close).simplified();
            pos = close + 2;
        }

        const qsizetype open = findSyntax(s, '{', pos, end);
        const qsizetype firstClose = findSyntax(s, '}', pos, end);
        if (firstClose >= 0 && (open < 0 || firstClose < open)) {
            error(s.at(firstClose).line, QCoreApplication::translate("Gift", "a \"}\" without an opening \"{\"; write \\} for a brace "
                                                        "in the text"));
            return;
        }
        const QString name = title.isEmpty() ? QString() : QCoreApplication::translate("Gift", " \"%1\"").arg(excerpt(title));
        if (open < 0) {
            m_result.skipped.append({firstLine, QCoreApplication::translate("Gift", "description"), excerpt(title), m_category, {}});
            m_result.notes.append({firstLine, QCoreApplication::translate("Gift", "skipped the description%1: it has no answers in "
                                                             "braces; only matching questions become tests")
                                                  .arg(name)});
            return;
        }
        const qsizetype close = findSyntax(s, '}', open + 1, end);
        if (close < 0) {
            error(s.at(open).line, QCoreApplication::translate("Gift", "the \"{\" of the answers is never closed; end the answers with "
                                                  "\"}\" before the next blank line (write \\{ for a brace in the "
                                                  "text)"));
            return;
        }
        if (const qsizetype inner = findSyntax(s, '{', open + 1, close); inner >= 0) {
            error(s.at(inner).line, QCoreApplication::translate("Gift", "a second \"{\" inside the answers opened on line %1; close "
                                                   "them with \"}\" first, or write \\{ for a brace")
                                        .arg(s.at(open).line));
            return;
        }
        for (qsizetype i = close + 1; i < end; ++i)
            if (isSyntax(s, i, '{') || isSyntax(s, i, '}')) {
                error(s.at(i).line, QCoreApplication::translate("Gift", "a second answer block in one question (the first ends on "
                                                   "line %1); separate questions with a blank line, or write "
                                                   "\\%2 for a brace in the text")
                                        .arg(s.at(close).line)
                                        .arg(s.at(i).c));
                return;
            }

        // Moodle's general feedback, after "####", explains the pairs (pairExplanations).
        qsizetype answerEnd = close;
        for (qsizetype i = open + 1; i + 3 < close; ++i)
            if (isSyntax(s, i, '#') && isSyntax(s, i + 1, '#') && isSyntax(s, i + 2, '#') && isSyntax(s, i + 3, '#')) {
                answerEnd = i;
                break;
            }
        const qsizetype a = skipSpace(s, open + 1, answerEnd);
        const char *kind = nullptr;
        if (a == answerEnd)
            kind = QT_TRANSLATE_NOOP("Gift", "essay");
        else if (isSyntax(s, a, '#'))
            kind = QT_TRANSLATE_NOOP("Gift", "numerical question");
        else if (findSyntax(s, '~', a, answerEnd) >= 0)
            kind = QT_TRANSLATE_NOOP("Gift", "multiple-choice question");
        else if (findSyntax(s, '=', a, answerEnd) < 0 || !textOf(s, a, answerEnd).contains(QStringLiteral("->"))) {
            static const QRegularExpression trueFalse(QStringLiteral("^(T|TRUE|F|FALSE)\\s*(#|$)"));
            kind = trueFalse.match(textOf(s, a, answerEnd).trimmed()).hasMatch() ? QT_TRANSLATE_NOOP("Gift", "true/false question")
                                                                                 : QT_TRANSLATE_NOOP("Gift", "short-answer question");
        }
        if (kind) {
            m_result.skipped.append({firstLine, QCoreApplication::translate("Gift", kind), excerpt(title), m_category, {}});
            m_result.notes.append({firstLine, QCoreApplication::translate("Gift", "skipped the %1%2; only matching questions become tests")
                                                  .arg(QCoreApplication::translate("Gift", kind), name)});
            return;
        }

        Matching q;
        q.line = firstLine;
        q.category = m_category;
        QString text = textOf(s, pos, open);
        const QString after = textOf(s, close + 1, end).trimmed();
        if (!after.isEmpty())
            text += u' ' + after;
        bool html = false;
        takeFormat(text, &html);
        q.text = textLines(html ? plainFromHtml(text) : text);
        if (title.size() > MaxTitleLength) {
            error(firstLine, QCoreApplication::translate("Gift", "the title has %1 characters, but a title may have at most %2, as in "
                                            "Moodle; shorten it")
                                 .arg(title.size())
                                 .arg(MaxTitleLength));
            return;
        }
        for (const QString &line : q.text)
            if (line.size() > ContentReader::MaxLineLength) {
                error(firstLine, QCoreApplication::translate("Gift", "the text of the question \"%1\" has a line of %2 characters, but a "
                                                "line of a KAZ test may hold at most %3; break the text into lines "
                                                "with \\n")
                                     .arg(title.isEmpty() ? q.text.first().left(60) : title)
                                     .arg(line.size())
                                     .arg(ContentReader::MaxLineLength));
                return;
            }
        q.title = title;
        if (q.title.isEmpty()) {
            q.title = q.text.isEmpty() ? QString() : q.text.first().simplified().left(60).trimmed();
            if (q.title.isEmpty())
                q.title = QStringLiteral("Matching question on line %1").arg(firstLine);
        }
        if (!pairs(s, a, answerEnd, html, q))
            return;
        // The general feedback, after "####", as the pairs' explanations.
        if (answerEnd < close) {
            QString feedback = textOf(s, answerEnd + 4, close);
            bool feedbackHtml = html;
            takeFormat(feedback, &feedbackHtml);
            if (const auto e = pairExplanations(textLines(feedbackHtml ? plainFromHtml(feedback) : feedback), q.left))
                q.explanations = *e;
            else
                m_result.warnings.append({s.at(answerEnd).line,
                                          QCoreApplication::translate("MoodleXml", "the general feedback of the matching question \"%1\" is longer than an explanation of a "
                                                                      "KAZ test may be (%2 lines of %3 characters); the question is read without it")
                                              .arg(excerpt(q.title))
                                              .arg(ContentReader::MaxTextLines)
                                              .arg(ContentReader::MaxLineLength)});
        }
        m_result.questions.append(q);
    }

    // The pairs "=left -> right" of a matching question; false when the question has a fault.
    bool pairs(const Chars &s, qsizetype from, qsizetype to, bool html, Matching &q)
    {
        if (!isSyntax(s, from, '=')) {
            error(s.at(from).line, QCoreApplication::translate("Gift", "\"%1\" stands before the first pair of the matching question; "
                                                  "every pair starts with \"=\", as in =left -> right")
                                       .arg(excerpt(textOf(s, from, findSyntax(s, '=', from, to)).simplified())));
            return false;
        }
        bool sound = true;
        QHash<QString, int> leftLine, rightLine;
        QStringList extras;
        for (qsizetype start = from; start < to;) {
            qsizetype next = findSyntax(s, '=', start + 1, to);
            if (next < 0)
                next = to;
            if (q.left.size() + extras.size() == ContentReader::MaxPhrases) {
                // No test holds more right parts: the rest are counted, not read.
                qsizetype parts = ContentReader::MaxPhrases;
                for (qsizetype at = start; at < to; ++parts) {
                    at = findSyntax(s, '=', at + 1, to);
                    if (at < 0)
                        at = to;
                }
                error(q.line, QCoreApplication::translate("Gift", "the matching question \"%1\" has %2 right parts; a KAZ test holds at most %3")
                                  .arg(q.title)
                                  .arg(parts)
                                  .arg(ContentReader::MaxPhrases));
                return false;
            }
            const int line = s.at(start).line;
            const QString piece = textOf(s, start + 1, next);
            start = next;
            const qsizetype arrow = piece.indexOf(QStringLiteral("->"));
            if (arrow < 0) {
                error(line, QCoreApplication::translate("Gift", "the pair \"=%1\" has no \"->\"; write it as =left -> right")
                                .arg(excerpt(piece.simplified())));
                sound = false;
                continue;
            }
            QString left = piece.left(arrow);
            bool leftHtml = html;
            takeFormat(left, &leftHtml);
            left = (leftHtml ? plainFromHtml(left) : left).simplified();
            const QString right = piece.mid(arrow + 2).simplified();
            if (std::max(left.size(), right.size()) > ContentReader::MaxLineLength) {
                error(line, QCoreApplication::translate("Gift", "this pair has a part of %1 characters, but a phrase of a KAZ test may "
                                           "hold at most %2; shorten it")
                                .arg(std::max(left.size(), right.size()))
                                .arg(ContentReader::MaxLineLength));
                sound = false;
                continue;
            }
            if (right.isEmpty()) {
                error(line, QCoreApplication::translate("Gift", "the pair \"=%1\" has nothing after \"->\"; every pair needs a right "
                                           "part").arg(excerpt(piece.simplified())));
                sound = false;
                continue;
            }
            if (const auto r = rightLine.constFind(right); r != rightLine.cend()) {
                error(line, QCoreApplication::translate("Gift", "the right part \"%1\" is already on line %2; the phrases of one side of "
                                           "a KAZ test must differ, so change one of them")
                                .arg(right)
                                .arg(*r));
                sound = false;
            }
            rightLine.insert(right, line);
            if (left.isEmpty()) {
                extras.append(right);
                continue;
            }
            if (const auto l = leftLine.constFind(left); l != leftLine.cend()) {
                error(line, QCoreApplication::translate("Gift", "the left part \"%1\" is already on line %2; the phrases of one side of "
                                           "a KAZ test must differ, so change one of them")
                                .arg(left)
                                .arg(*l));
                sound = false;
            }
            leftLine.insert(left, line);
            q.left.append(left);
            q.right.append(right);
        }
        if (!sound)
            return false;
        if (q.left.size() < MinPairs) {
            error(q.line, QCoreApplication::translate("Gift", "the matching question \"%1\" has %2 %3 but needs at least %4, as in Moodle; "
                                         "add pairs written =left -> right")
                              .arg(q.title)
                              .arg(q.left.size())
                              .arg(q.left.size() == 1 ? QCoreApplication::translate("Gift", "pair") : QCoreApplication::translate("Gift", "pairs"))
                              .arg(MinPairs));
            return false;
        }
        // "Оцени" opens once the pairs are at least three times the right phrases left over:
        // with more extra right parts than a third of the pairs, the test could never be graded.
        if (3 * extras.size() > q.left.size()) {
            error(q.line, QCoreApplication::translate("Gift", "the matching question \"%1\" has %2 pairs and %3 extra right parts; in a "
                                         "KAZ test \"Оцени\" opens only when the pairs made are at least three times "
                                         "the right phrases left over, so a question may have at most one extra right "
                                         "part for every three pairs (here %4); remove extra right parts or add pairs")
                              .arg(q.title)
                              .arg(q.left.size())
                              .arg(extras.size())
                              .arg(q.left.size() / 3));
            return false;
        }
        q.right += extras;
        return true;
    }

    Result m_result;
    QString m_category; // of the last $CATEGORY: line
};

QString latin(QChar c)
{
    static const QHash<char16_t, const char *> table = {
        {u'а', "a"},  {u'б', "b"},   {u'в', "v"},  {u'г', "g"},  {u'д', "d"},  {u'е', "e"},  {u'ж', "zh"},
        {u'з', "z"},  {u'и', "i"},   {u'й', "y"},  {u'к', "k"},  {u'л', "l"},  {u'м', "m"},  {u'н', "n"},
        {u'о', "o"},  {u'п', "p"},   {u'р', "r"},  {u'с', "s"},  {u'т', "t"},  {u'у', "u"},  {u'ф', "f"},
        {u'х', "h"},  {u'ц', "ts"},  {u'ч', "ch"}, {u'ш', "sh"}, {u'щ', "sht"}, {u'ъ', "a"}, {u'ь', "y"},
        {u'ю', "yu"}, {u'я', "ya"},  {u'ё', "yo"}, {u'ы', "y"},  {u'э', "e"},  {u'і', "i"},  {u'ї', "yi"},
        {u'є', "ye"}, {u'ґ', "g"},   {u'ѝ', "i"},  {u'ј', "j"},  {u'љ', "lj"}, {u'њ', "nj"}, {u'џ', "dzh"},
        {u'ђ', "dj"}, {u'ћ', "c"},   {u'ѓ', "gj"}, {u'ќ', "kj"}, {u'ѕ', "dz"}, {u'ў', "u"}};
    if (const auto it = table.constFind(c.unicode()); it != table.cend())
        return QLatin1StringView(*it).toString();
    // Latin letters with accents lose them.
    QString plain;
    for (const QChar d : QString(c).normalized(QString::NormalizationForm_KD))
        if ((d >= u'a' && d <= u'z') || (d >= u'0' && d <= u'9'))
            plain += d;
    return plain;
}

} // namespace

QString plainFromHtml(QString s)
{
    static const QRegularExpression breaks(
        QStringLiteral("<br\\s*/?>|</(p|div|li|h[1-6]|tr)\\s*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]{2,6});"));
    s.replace(u'\n', u' ');
    s.replace(breaks, QStringLiteral("\n"));
    s.remove(tag);
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},   {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},    {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},  {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("ndash"), QStringLiteral("–")}, {QStringLiteral("mdash"), QStringLiteral("—")},
        {QStringLiteral("laquo"), QStringLiteral("«")}, {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("bdquo"), QStringLiteral("„")}, {QStringLiteral("ldquo"), QStringLiteral("“")},
        {QStringLiteral("rdquo"), QStringLiteral("”")}};
    QString out;
    qsizetype at = 0;
    for (auto it = entity.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(s).mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QString name = m.captured(1);
        QString replacement = m.captured(0);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16)
                                                                                       : name.mid(1).toUInt(&ok, 10);
            // A control character other than a tab or a line end stays written as an entity.
            if (ok && code > 0 && code <= 0x10FFFF && !QChar::isSurrogate(code)
                && (code == u'\t' || code == u'\n' || code == u'\r' || QChar::category(code) != QChar::Other_Control)) {
                const char32_t c32 = code;
                replacement = QString::fromUcs4(&c32, 1);
            }
        } else if (const auto n = named.constFind(name); n != named.cend()) {
            replacement = *n;
        }
        out += replacement;
    }
    out += QStringView(s).mid(at);
    return out;
}

QString excerpt(const QString &text)
{
    constexpr qsizetype shown = 80;
    return text.size() <= shown ? text : text.left(shown) + u'…';
}

QStringList textLines(const QString &text)
{
    // An HTML text may still hold a CR of its own (&#13;).
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines;
    for (const QString &l : text.split(lineEnd))
        lines.append(l.trimmed());
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The category as the teacher sees it in Moodle's question bank: without the context Moodle
// writes first ("$course$/top/").
QString categoryName(const QString &path)
{
    static const QRegularExpression context(QStringLiteral("^\\$[a-z]+\\$/?"));
    static const QRegularExpression top(QStringLiteral("^top(/|$)"));
    QString name = path;
    // A control character would break the comment line of test.kaz that names the category.
    for (qsizetype at = ContentReader::controlCharacter(name); at >= 0; at = ContentReader::controlCharacter(name))
        name[at] = u' ';
    name = name.simplified();
    name.remove(context);
    name.remove(top);
    return name;
}

std::optional<QList<QStringList>> pairExplanations(const QStringList &feedback, const QStringList &left)
{
    QStringList lines;
    for (const QString &line : feedback)
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    if (lines.isEmpty())
        return QList<QStringList>();
    if (std::any_of(lines.cbegin(), lines.cend(), [](const QString &l) { return l.size() > ContentReader::MaxLineLength; }))
        return std::nullopt;
    const int pairs = std::min<int>(int(left.size()), ContentStore::QuestionsWithExtras);
    QList<QStringList> out(pairs);

    // Headings: a line that is a left phrase and a colon alone, as KAZ writes the explanations.
    QHash<QString, int> headings;
    for (int i = 0; i < pairs; ++i)
        headings.insert(left.at(i) + u':', i);
    const bool headed = std::any_of(lines.cbegin(), lines.cend(), [&headings](const QString &l) { return headings.contains(l); });

    // Without headings, the pair a line starts with: the longest left phrase followed by a mark
    // or a space.
    const auto named = [&left, pairs](const QString &line) {
        int found = -1;
        for (int i = 0; i < pairs; ++i) {
            const QString &l = left.at(i);
            if (line.size() <= l.size() || !line.startsWith(l, Qt::CaseInsensitive))
                continue;
            const QChar after = line.at(l.size());
            if ((after.isSpace() || after == u':' || after == u'-' || after == u'–' || after == u'—' || after == u'.'
                 || after == u',' || after == u'(')
                && (found < 0 || l.size() > left.at(found).size()))
                found = i;
        }
        return found;
    };
    if (!headed && lines.size() > ContentReader::MaxTextLines)
        return std::nullopt;

    QStringList before;
    int current = -1;
    bool anyNamed = false;
    for (const QString &line : std::as_const(lines)) {
        const int pair = headed ? headings.value(line, -1) : named(line);
        if (pair >= 0) {
            current = pair;
            anyNamed = true;
            if (out[pair].isEmpty())
                out[pair] = before;
            if (headed)
                continue;
        }
        if (current >= 0)
            out[current].append(line);
        else
            before.append(line);
    }
    if (!anyNamed)
        for (QStringList &e : out)
            e = lines;
    for (QStringList &e : out)
        if (e.size() > ContentReader::MaxTextLines) {
            // One explanation under a heading longer than a KAZ test holds: the feedback does
            // not fit. Without headings the lines before the first named pair can make it grow
            // past the feedback's own lines, and the last ones are kept.
            if (headed)
                return std::nullopt;
            e = e.mid(e.size() - ContentReader::MaxTextLines);
        }
    return out;
}

Result read(const QString &text)
{
    return Reader(text).run();
}

QString toContent(const Matching &question, const QString &address, const QString &source, const QStringList &geometry)
{
    ContentStore store;
    store.setDanni(0, question.left);
    store.setDanni(1, question.right);
    store.setDanni(3, QStringList{Caption::join(address, question.title)}
                          + (geometry.isEmpty() ? ContentStore::defaultGeometry() : geometry));
    QString instructions;
    for (const QString &line : question.text)
        instructions += line + QStringLiteral("\r\n");
    store.setUkazanie(instructions);
    const QStringList off(question.left.size(), QStringLiteral("0"));
    QStringList switches = off;
    for (qsizetype i = 0; i < question.explanations.size() && i < question.left.size()
                          && i < ContentStore::QuestionsWithExtras;
         ++i)
        if (!question.explanations.at(i).isEmpty()) {
            switches[i] = QStringLiteral("1");
            store.setOtgowor(int(i) + 1, question.explanations.at(i));
        }
    store.setOtgowor(0, QStringList{ContentStore::defaultSwitchesLabel()} + switches);
    QStringList flags = off;
    for (const Picture &p : question.pictures) {
        if (p.pair < 0 || p.pair >= question.left.size() || p.pair >= ContentStore::QuestionsWithExtras)
            continue;
        flags[p.pair] = QStringLiteral("1");
        ContentStore::Picture box{p.name};
        if (p.width > 0 && p.height > 0) {
            box.width = p.width * 15;
            box.height = p.height * 15;
        }
        store.setGraphika(p.pair + 1, box);
    }
    store.setSpis_graf(QStringList{ContentStore::defaultFlagsLabel()} + flags);

    const bool xml = question.format == Format::MoodleXml;
    QStringList comments{question.title};
    comments.append(QStringLiteral("Made by gift2kaz from the matching question on line %1 of %2.")
                        .arg(question.line)
                        .arg(!source.isEmpty() ? source
                                               : xml ? QStringLiteral("a Moodle XML file") : QStringLiteral("a GIFT file")));
    if (!question.category.isEmpty())
        comments.append(QStringLiteral("Category in Moodle: %1").arg(question.category));
    comments.append(QStringLiteral("The key is by position; right phrases after the last left one belong to none."));
    return ContentWriter::write(store, comments);
}

Matching distinctRights(const Classification &c)
{
    Matching q = c.question;
    const qsizetype pairs = q.left.size();
    QSet<QString> taken(q.right.cbegin(), q.right.cend());
    QHash<QString, int> seen;
    for (qsizetype i = 0; i < pairs; ++i) {
        const QString phrase = q.right.at(i);
        const int n = ++seen[phrase];
        if (n == 1)
            continue;
        QString distinct;
        for (int k = n;; ++k) {
            distinct = QStringLiteral("%1 (%2)").arg(phrase).arg(k);
            if (!taken.contains(distinct))
                break;
        }
        taken.insert(distinct);
        q.right[i] = distinct;
    }
    QStringList extras;
    QSet<QString> extraSet;
    for (qsizetype i = pairs; i < q.right.size(); ++i)
        if (!seen.contains(q.right.at(i)) && !extraSet.contains(q.right.at(i))) {
            extraSet.insert(q.right.at(i));
            extras.append(q.right.at(i));
        }
    q.right = q.right.mid(0, pairs) + extras;
    return q;
}

QString folderName(const QString &title)
{
    QString name;
    for (const QChar c : title.toLower()) {
        const QString l = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ? QString(c) : latin(c);
        if (!l.isEmpty())
            name += l;
        else if (!name.isEmpty() && !name.endsWith(u'-'))
            name += u'-';
    }
    if (name.size() > 40) {
        name.truncate(40);
        if (const qsizetype cut = name.lastIndexOf(u'-'); cut >= 20)
            name.truncate(cut);
    }
    while (name.endsWith(u'-'))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("test") : name;
}

QStringList folderNames(const QList<Matching> &questions)
{
    QStringList names;
    names.reserve(questions.size());
    QSet<QString> taken;
    // The number to try next after each name: the ones below it are taken, and stay so, so that
    // a thousand questions of one title cost a thousand tries, not half a million.
    QHash<QString, int> next;
    for (const Matching &q : questions) {
        const QString base = folderName(q.title);
        QString name = base;
        if (taken.contains(name)) {
            int &n = next[base];
            n = std::max(n, 2);
            do
                name = base + u'-' + QString::number(n++);
            while (taken.contains(name));
        }
        taken.insert(name);
        names.append(name);
    }
    return names;
}

Written writeFolders(const Result &result, const QDir &parent, bool force, const QString &address,
                     const QString &source, const Sizing &sizing)
{
    Written out;
    const QStringList names = folderNames(result.questions);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const Matching &q = result.questions.at(i);
        const QFileInfo info(parent.filePath(names.at(i)));
        if (info.exists() && !info.isDir())
            out.errors.append({q.line, QCoreApplication::translate("Gift", "%1 exists and is not a folder; remove it or choose another "
                                                      "output folder").arg(info.filePath())});
        else if (info.exists() && !force)
            out.errors.append({q.line, QCoreApplication::translate("Gift", "the folder %1 already exists; use --force to replace its "
                                                      "test.kaz, or choose another output folder")
                                           .arg(info.filePath())});
    }
    if (!out.errors.isEmpty())
        return out;
    QList<FileAccess::Output> files;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const Matching &q = result.questions.at(i);
        files.append({names.at(i) + QStringLiteral("/test.kaz"),
                      toContent(q, address, source, sizing ? sizing(q) : QStringList()).toUtf8()});
        // Several pairs may show one picture: its file is written once.
        QSet<QString> pictures;
        for (const Picture &p : q.pictures)
            if (!pictures.contains(p.name)) {
                pictures.insert(p.name);
                files.append({names.at(i) + u'/' + p.name, p.bytes});
            }
    }
    if (const QString problem = FileAccess::writeAll(parent.path(), files); !problem.isEmpty()) {
        out.errors.append({0, problem + QCoreApplication::translate("Gift", "; no test was written")});
        return out;
    }
    for (const QString &name : names)
        out.folders.append(parent.filePath(name));
    return out;
}

Result readBytes(const QByteArray &bytes)
{
    // Notepad starts a UTF-8 file with a byte order mark.
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const QString decoded = QString::fromUtf8(text);
    if (decoded.toUtf8() != text) {
        Result r;
        r.errors.append({0, QCoreApplication::translate("Gift", "the file is not UTF-8 text; save it as UTF-8 (in Notepad: File, Save "
                                           "as, Encoding: UTF-8)")});
        return r;
    }
    return read(decoded);
}

} // namespace Gift
