#include "ContentReader.h"

#include "FileAccess.h"
#include "Numbers.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

namespace ContentReader {

QString Problem::toString() const
{
    if (line > 0)
        return QCoreApplication::translate("ContentReader", "%1:%2: error: %3").arg(file, QString::number(line), message);
    return QCoreApplication::translate("ContentReader", "%1: error: %2").arg(file, message);
}

namespace {

using Kind = SectionKind;

struct Item
{
    QString text;
    int line = 0;
    bool blank = false; // an empty line of the instructions, not an escaped empty item
};

} // namespace
} // namespace ContentReader

// Moved in memory as bytes when a section's list of items grows: a side may hold 32,767.
Q_DECLARE_TYPEINFO(ContentReader::Item, Q_RELOCATABLE_TYPE);

namespace ContentReader {
namespace {

struct Section
{
    Kind kind;
    int number = 0; // question number of [explanation N] and [picture N]
    int line = 0;   // line of the header
    QList<Item> items; // the first lineLimit(kind) of its lines
    int count = 0;  // its lines, kept or not, up to the last that is not blank
    int blanksAfter = 0; // blank lines after the last counted one
};

const char *sideName(int side) { return side == 0 ? "left" : "right"; }

// The most lines a section keeps. Past it a line is only counted, so that a file of millions of
// lines costs no more than the largest sound test.
int lineLimit(Kind kind)
{
    switch (kind) {
    case Kind::Left:
    case Kind::Right:
        return MaxPhrases;
    case Kind::Switches:
    case Kind::Flags:
        return MaxPhrases + 1;
    default:
        return MaxTextLines;
    }
}

// A name ending in a number, "picture 07" or "explanation-1": the word before the number, without
// the spaces between, and the number as written (digits 0-9, with a sign in front when `signed_`).
// False when the name does not end in a digit. (Plain code rather than a regular expression: the
// quiz programs read their test at every start, and this keeps the expression engine unloaded.)
bool splitTrailingNumber(QStringView name, bool signed_, QStringView &word, QStringView &number)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype start = name.size();
    while (start > 0 && digit(name[start - 1]))
        --start;
    if (start == name.size())
        return false;
    if (signed_ && start > 0 && (name[start - 1] == u'-' || name[start - 1] == u'+'))
        --start;
    qsizetype end = start;
    while (end > 0 && name[end - 1] == u' ')
        --end;
    word = name.first(end);
    number = name.sliced(start);
    return true;
}

class Reader
{
public:
    Reader(const QString &text, const Options &options)
        : m_options(options)
        , m_text(text)
    {
    }

    Result run()
    {
        readLines();
        checkParameters();
        checkPhrases(0);
        checkPhrases(1);
        checkSectionSizes();
        checkGradingOpens();
        buildInstructions();
        checkSwitches();
        checkExplanations();
        checkFlags();
        checkPictures();
        keepFirstProblems();
        for (Problem &p : m_result.problems) {
            p.place = placeOf(p.line);
            p.other = placeOf(p.otherLine);
        }
        return std::move(m_result);
    }

private:
    // Tells a problem of `line` (0: of the whole file), unless the line's characters are told
    // already. `message` is the text or a function that makes it, called only for a problem that
    // is kept: once MaxProblems are kept, a problem later in the file is only counted.
    // `otherLine` is a line the message names too.
    template <typename Message>
    void problem(Rule rule, int line, Message &&message, int otherLine = 0)
    {
        if (line > 0 && m_told.at(line - 1))
            return;
        if (m_problemsFull && line >= m_lastKeptLine) {
            ++m_result.moreProblems;
            return;
        }
        if constexpr (std::is_invocable_v<Message>)
            m_result.problems.append({m_options.fileName, line, message(), rule, otherLine});
        else
            m_result.problems.append({m_options.fileName, line, std::forward<Message>(message), rule, otherLine});
        if (m_result.problems.size() >= 2 * MaxProblems)
            keepFirstProblems();
    }

    // Puts the problems in the order of the file, problems of the whole file first, and keeps the
    // first MaxProblems of them.
    void keepFirstProblems()
    {
        QList<Problem> &problems = m_result.problems;
        std::stable_sort(problems.begin(), problems.end(),
                         [](const Problem &a, const Problem &b) { return a.line < b.line; });
        if (problems.size() <= MaxProblems)
            return;
        m_result.moreProblems += problems.size() - MaxProblems;
        problems.resize(MaxProblems);
        m_problemsFull = true;
        m_lastKeptLine = problems.last().line;
    }

    // Reads the text line by line: lines end with LF, CR LF or, from old editors, CR alone.
    void readLines()
    {
        QStringView text(m_text);
        if (text.startsWith(QChar(0xFEFF)))
            text = text.sliced(1);
        // "explanation1" is taken for "explanation 1", and "picture 07" for "picture 7".
        QHash<QString, int> seen; // section name -> line of its first header
        qsizetype start = 0;
        int lineNo = 0;
        while (start < text.size()) {
            qsizetype end = start;
            while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
                ++end;
            QStringView line = text.sliced(start, end - start);
            start = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
            ++lineNo;
            QString visible;
            m_told.push_back(false);
            m_told.back() = checkCharacters(line, lineNo, visible);
            parseLine(visible.isNull() ? line : QStringView(visible), lineNo, seen);
        }
        for (Section &s : m_sections)
            if (s.kind == Kind::Instructions)
                while (!s.items.isEmpty() && s.items.last().blank)
                    s.items.removeLast();
    }

    // Invisible control characters and overlong lines; true when the line has any. Such a line
    // is read on (with control characters, as `visible` holds it), so that the problems of the
    // rest of the file are found too, but nothing more is told about it.
    bool checkCharacters(QStringView line, int lineNo, QString &visible)
    {
        bool told = false;
        if (const qsizetype at = controlCharacter(line); at >= 0) {
            const ushort code = line.at(at).unicode();
            problem(Rule::ControlCharacter, lineNo, [code] {
                return QCoreApplication::translate("ContentReader", "this line holds an invisible control character (character code %1%2), "
                                                   "which the window cannot show; such characters come with text copied "
                                                   "out of other programs: delete it, or type the line again")
                    .arg(code)
                    .arg(code == 0 ? QCoreApplication::translate("ContentReader", ", NUL") : QString());
            });
            visible = line.toString();
            for (QChar &c : visible)
                if (c != u'\t' && c.category() == QChar::Other_Control)
                    c = QChar::ReplacementCharacter;
            told = true;
        }
        // The backslash that keeps a line as text is no part of it.
        const qsizetype length = line.size() - (line.startsWith(u'\\') ? 1 : 0);
        if (length > MaxLineLength && !line.startsWith(u'#')) {
            problem(Rule::LineTooLong, lineNo, [length] {
                return QCoreApplication::translate("ContentReader", "this line holds %1 characters, but a line may hold at most %2 (a "
                                                   "phrase longer than the widest list is cut off anyway); shorten it, "
                                                   "and split long instructions or explanations into several lines")
                    .arg(length)
                    .arg(MaxLineLength);
            });
            told = true;
        }
        return told;
    }

    static bool header(QStringView line, QString &name)
    {
        const QStringView t = line.trimmed();
        if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
            return false;
        name = t.sliced(1, t.size() - 2).toString().simplified().toLower();
        return true;
    }

    // One line of the file: a note, a section header, or an item of the current section.
    void parseLine(QStringView line, int lineNo, QHash<QString, int> &seen)
    {
        QString name;
        if (line.startsWith(u'#'))
            return;
        if (header(line, name)) {
            m_current = -1;
            m_skipping = true;
            // A run of headers not taken is one stretch of lines under none.
            if (m_headers.isEmpty() || m_headers.last().section >= 0)
                m_headers.append({lineNo, -1});
            Section s{Kind::Parameters, 0, lineNo, {}};
            if (name == u"parameters") s.kind = Kind::Parameters;
            else if (name == u"left") s.kind = Kind::Left;
            else if (name == u"right") s.kind = Kind::Right;
            else if (name == u"instructions") s.kind = Kind::Instructions;
            else if (name == u"explanation switches") s.kind = Kind::Switches;
            else if (name == u"picture flags") s.kind = Kind::Flags;
            else if (QStringView word, number; splitTrailingNumber(name, true, word, number)
                     && (word == u"explanation" || word == u"picture")) {
                s.kind = word == u"explanation" ? Kind::Explanation : Kind::Picture;
                bool ok = false;
                s.number = number.toInt(&ok);
                if (!ok || s.number < 1 || s.number > ContentStore::QuestionsWithExtras) {
                    problem(Rule::SectionNumberOutOfRange, lineNo, [&] {
                        return QCoreApplication::translate("ContentReader", "section [%1] names question %2, but only questions 1 to %3 "
                                                           "can have %4; use a number from 1 to %3")
                            .arg(name, number)
                            .arg(ContentStore::QuestionsWithExtras)
                            .arg(s.kind == Kind::Explanation ? QCoreApplication::translate("ContentReader", "explanation lines")
                                                             : QCoreApplication::translate("ContentReader", "a picture"));
                    });
                    return;
                }
                name = word.toString() + u' ' + QString::number(s.number);
            } else {
                problem(Rule::UnknownSection, lineNo, [&] {
                    const QString guess = nearestSection(name);
                    return QCoreApplication::translate("ContentReader", "unknown section [%1]%2; the sections are [parameters], "
                                                       "[instructions], [left], [right], [explanation switches], "
                                                       "[explanation N], [picture flags] and [picture N]; a text line "
                                                       "that starts with [ must start with \\ instead")
                        .arg(name,
                             guess.isEmpty() ? QString()
                                             : QCoreApplication::translate("ContentReader", " (did you mean [%1]?)").arg(guess));
                });
                return;
            }
            if (const auto it = seen.constFind(name); it != seen.cend()) {
                problem(Rule::SectionTwice, lineNo, [&] {
                    return QCoreApplication::translate("ContentReader", "section [%1] appears a second time (first on line %2); "
                                                       "put all its lines under one header")
                        .arg(name)
                        .arg(*it);
                }, *it);
                return;
            }
            seen.insert(name, lineNo);
            m_skipping = false;
            m_sections.append(s);
            m_current = m_sections.size() - 1;
            if (m_headers.last().line == lineNo)
                m_headers.last().section = m_current;
            else
                m_headers.append({lineNo, m_current});
            return;
        }
        if (line.trimmed().startsWith(u'#')) {
            problem(Rule::SpacesBeforeNote, lineNo, [] {
                return QCoreApplication::translate("ContentReader", "this line starts with spaces and then #; a note for yourself starts "
                                                   "with # at the very beginning of the line, so delete the spaces; to "
                                                   "keep the line as text, start it with \\");
            });
            return;
        }
        if (line.trimmed().startsWith(u'[')) {
            problem(Rule::BracketNoHeader, lineNo, [] {
                return QCoreApplication::translate("ContentReader", "this line starts with [ but is not a section header; a header is "
                                                   "a name in square brackets alone on its line, such as [left]; to "
                                                   "keep the line as text, start it with \\");
            });
            return;
        }
        if (m_skipping)
            return;
        const bool blank = line.trimmed().isEmpty();
        if (m_current < 0) {
            if (!blank)
                problem(Rule::LineBeforeSections, lineNo, [] {
                    return QCoreApplication::translate("ContentReader", "this line stands before any section; put a section header "
                                                       "such as [left] above it, or start it with # to make it a comment");
                });
            return;
        }
        Section &current = m_sections[m_current];
        // Blank lines separate nothing but paragraphs of the instructions.
        if (blank && current.kind != Kind::Instructions)
            return;
        if (current.items.size() < lineLimit(current.kind))
            current.items.append({blank ? QString() : (line.startsWith(u'\\') ? line.sliced(1) : line).toString(), lineNo, blank});
        if (blank) {
            ++current.blanksAfter;
        } else {
            current.count += current.blanksAfter + 1;
            current.blanksAfter = 0;
        }
    }

    // A section past its line limit is told once, at its header; the sides' phrase counts are
    // told with the phrases, and the switches and flags past the last question not again when
    // [left] itself holds too many phrases.
    void checkSectionSizes()
    {
        const Section *left = find(Kind::Left);
        const bool leftTooLong = left && left->count > MaxPhrases;
        for (const Section &s : std::as_const(m_sections)) {
            if (s.count <= lineLimit(s.kind) || s.kind == Kind::Left || s.kind == Kind::Right
                || s.kind == Kind::Parameters)
                continue;
            if (s.kind == Kind::Switches || s.kind == Kind::Flags) {
                if (!leftTooLong)
                    problem(Rule::TooManyLines, s.line, QCoreApplication::translate("ContentReader", "[%1] has %2 lines, more than its label and one line "
                                                                "for each of at most %3 questions; delete the lines past "
                                                                "question %3")
                                        .arg(s.kind == Kind::Switches ? QStringLiteral("explanation switches")
                                                                      : QStringLiteral("picture flags"))
                                        .arg(s.count)
                                        .arg(MaxPhrases));
                continue;
            }
            const QString name = s.kind == Kind::Instructions ? QStringLiteral("instructions")
                : s.kind == Kind::Explanation                 ? QStringLiteral("explanation %1").arg(s.number)
                                                              : QStringLiteral("picture %1").arg(s.number);
            problem(Rule::TooManyLines, s.line, QCoreApplication::translate("ContentReader", "[%1] has %2 lines, but it may hold at most %3; "
                                                        "delete the lines it does not need")
                                .arg(name)
                                .arg(s.count)
                                .arg(lineLimit(s.kind)));
        }
    }

    // The section a mistyped or translated header most likely means, or an empty text.
    static QString nearestSection(const QString &name)
    {
        static const QHash<QString, QString> translated = {
            {QStringLiteral("параметри"), QStringLiteral("parameters")},
            {QStringLiteral("указания"), QStringLiteral("instructions")},
            {QStringLiteral("инструкции"), QStringLiteral("instructions")},
            {QStringLiteral("ляво"), QStringLiteral("left")},
            {QStringLiteral("лява"), QStringLiteral("left")},
            {QStringLiteral("ляв"), QStringLiteral("left")},
            {QStringLiteral("дясно"), QStringLiteral("right")},
            {QStringLiteral("дясна"), QStringLiteral("right")},
            {QStringLiteral("десен"), QStringLiteral("right")},
        };
        if (const auto t = translated.constFind(name); t != translated.cend())
            return *t;
        if (QStringView word, number; splitTrailingNumber(name, false, word, number)) {
            for (const char *base : {"explanation", "picture"})
                if (distance(word, QLatin1StringView(base)) <= 3)
                    return QLatin1StringView(base) + u' ' + number.toString();
            return {};
        }
        for (const char *known : {"parameters", "instructions", "left", "right", "explanation switches",
                                  "picture flags"}) {
            const QLatin1StringView k(known);
            if (distance(name, k) <= (k.size() <= 5 ? 2 : 3))
                return k;
        }
        return {};
    }

    // Edits (insert, delete, replace, swap of neighbours) that turn one text into the other.
    static qsizetype distance(QStringView a, QLatin1StringView b)
    {
        const qsizetype n = a.size(), m = b.size();
        if (std::abs(n - m) > 3)
            return 4;
        QList<QList<qsizetype>> d(n + 1, QList<qsizetype>(m + 1));
        for (qsizetype i = 0; i <= n; ++i)
            d[i][0] = i;
        for (qsizetype j = 0; j <= m; ++j)
            d[0][j] = j;
        for (qsizetype i = 1; i <= n; ++i)
            for (qsizetype j = 1; j <= m; ++j) {
                const qsizetype cost = a.at(i - 1) == QLatin1Char(b.at(j - 1)) ? 0 : 1;
                d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
                if (i > 1 && j > 1 && a.at(i - 1) == QLatin1Char(b.at(j - 2)) && a.at(i - 2) == QLatin1Char(b.at(j - 1)))
                    d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        return d[n][m];
    }

    const Section *find(Kind kind, int number = 0) const
    {
        for (const Section &s : m_sections)
            if (s.kind == kind && s.number == number)
                return &s;
        return nullptr;
    }

    static QStringList texts(const Section *s)
    {
        QStringList out;
        if (s) {
            out.reserve(s->items.size());
            for (const Item &i : s->items)
                out.append(i.text);
        }
        return out;
    }

    // The whole number nearest to `value` that parameter `i` may be.
    static double wholeNear(int i, double value)
    {
        const double whole = std::round(value);
        if (i == 1)
            return std::clamp(whole, double(ControlsRightEdge + FrameWidth), double(MaxWindowWidth));
        return i == 3 || i == 5 ? std::max(whole, double(MinListWidth)) : whole;
    }

    void checkParameters()
    {
        const Section *s = find(Kind::Parameters);
        if (!s) {
            problem(Rule::ParametersMissing, 0, QCoreApplication::translate("ContentReader", "the section [parameters] is missing; add it with six lines: the window "
                                      "caption, the window width, the left list's left edge and width, the right "
                                      "list's left edge and width (sizes in twips)"));
            return;
        }
        if (s->count != 6)
            problem(Rule::ParameterCount, s->line, QCoreApplication::translate("ContentReader", "[parameters] has %1 lines but needs exactly 6: the caption, the window "
                                            "width, the left list's left edge and width, the right list's left edge "
                                            "and width")
                                 .arg(s->count));
        static const char *const meaning[] = {"", QT_TRANSLATE_NOOP("ContentReader", "the window width"),
                                              QT_TRANSLATE_NOOP("ContentReader", "the left list's left edge"),
                                              QT_TRANSLATE_NOOP("ContentReader", "the left list's width"),
                                              QT_TRANSLATE_NOOP("ContentReader", "the right list's left edge"),
                                              QT_TRANSLATE_NOOP("ContentReader", "the right list's width")};
        double v[6] = {};
        bool usable = s->items.size() == 6;
        for (int i = 1; i < std::min<qsizetype>(6, s->items.size()); ++i) {
            const Item &it = s->items.at(i);
            const auto n = Numbers::readStrict(it.text);
            if (!n || *n < 0 || (*n == 0 && (i == 1 || i == 3 || i == 5))) {
                usable = false;
                problem(Rule::ParameterNotNumber, it.line, QCoreApplication::translate("ContentReader", "\"%1\" is not a usable number for %2; write a whole number of "
                                                "twips such as 3135 (1440 twips make an inch)")
                                     .arg(it.text, QCoreApplication::translate("ContentReader", meaning[i])));
            } else if (std::floor(*n) != *n) {
                usable = false;
                problem(Rule::ParameterNotWhole, it.line, QCoreApplication::translate("ContentReader", "\"%1\" for %2 is not a whole number; write a whole number of "
                                                "twips such as %3 (15 twips make a pixel)")
                                     .arg(it.text.trimmed(), QCoreApplication::translate("ContentReader", meaning[i]))
                                     .arg(wholeNear(i, *n)));
            } else if ((i == 3 || i == 5) && *n < MinListWidth) {
                usable = false;
                problem(Rule::ListTooNarrow, it.line, QCoreApplication::translate("ContentReader", "%1 %2 is too small: a list narrower than %3 twips (%4 pixels) "
                                                "shows little but its scroll bar; write at least %3")
                                     .arg(QCoreApplication::translate("ContentReader", meaning[i]))
                                     .arg(it.text.trimmed())
                                     .arg(MinListWidth)
                                     .arg(MinListWidth / 15));
            } else {
                v[i] = *n;
            }
        }
        m_result.store.setDanni(3, texts(s));
        if (!usable)
            return;

        // Where the window and its two lists end, so that nothing overlaps or is cut off.
        const int line[6] = {s->items.at(0).line, s->items.at(1).line, s->items.at(2).line,
                             s->items.at(3).line, s->items.at(4).line, s->items.at(5).line};
        const double inner = v[1] - FrameWidth;
        if (v[1] < ControlsRightEdge + FrameWidth)
            problem(Rule::WindowTooNarrow, line[1], QCoreApplication::translate("ContentReader", "the window width %1 is too small: the window's buttons and boxes "
                                            "reach %2 twips from its left side, so the width must be at least %3")
                                 .arg(s->items.at(1).text.trimmed())
                                 .arg(ControlsRightEdge)
                                 .arg(ControlsRightEdge + FrameWidth));
        else if (v[1] > MaxWindowWidth)
            problem(Rule::WindowTooWide, line[1], QCoreApplication::translate("ContentReader", "the window width %1 is larger than a screen of 1920 pixels (%2 twips); "
                                            "write at most %2")
                                 .arg(s->items.at(1).text.trimmed())
                                 .arg(MaxWindowWidth));
        if (v[2] + v[3] > v[4])
            problem(Rule::ListsOverlap, line[3], QCoreApplication::translate("ContentReader", "the left list (left edge %1, width %2) reaches %3 twips, past the "
                                            "right list's left edge %4, so the lists would overlap; make the left "
                                            "list at most %5 wide or move the right list")
                                 .arg(v[2])
                                 .arg(v[3])
                                 .arg(v[2] + v[3])
                                 .arg(v[4])
                                 .arg(std::max(0.0, v[4] - v[2])));
        if (v[4] + v[5] > inner && v[1] <= MaxWindowWidth)
            problem(Rule::RightListCutOff, line[5], QCoreApplication::translate("ContentReader", "the right list (left edge %1, width %2) reaches %3 twips, but the "
                                            "window of width %4 has only %5 inside its frame, so the list would "
                                            "be cut off; make the list at most %6 wide or the window at least %7 "
                                            "wide")
                                 .arg(v[4])
                                 .arg(v[5])
                                 .arg(v[4] + v[5])
                                 .arg(v[1])
                                 .arg(inner)
                                 .arg(std::max(0.0, inner - v[4]))
                                 .arg(v[4] + v[5] + FrameWidth));
    }

    void checkPhrases(int side)
    {
        const Section *s = find(side == 0 ? Kind::Left : Kind::Right);
        const QString name = QString::fromLatin1(sideName(side));
        if (!s) {
            problem(Rule::SideMissing, 0, QCoreApplication::translate("ContentReader", "the section [%1] is missing; add it with one %1 phrase per line").arg(name));
            return;
        }
        if (s->items.isEmpty())
            problem(Rule::NoPhrases, s->line, QCoreApplication::translate("ContentReader", "[%1] has no phrases; a test needs at least one phrase on each side")
                                 .arg(name));
        // Told once: the phrases past the limit are not read.
        if (s->count > MaxPhrases)
            problem(Rule::TooManyPhrases, s->line, QCoreApplication::translate("ContentReader", "[%1] has %2 phrases; a side may hold at most %3")
                                 .arg(name)
                                 .arg(s->count)
                                 .arg(MaxPhrases));
        // Phrases that differ only in blanks at their ends look the same in the list.
        QHash<QString, const Item *> first;
        for (const Item &it : s->items) {
            if (it.text.isEmpty()) {
                problem(Rule::EmptyPhrase, it.line, [&] {
                    return QCoreApplication::translate("ContentReader", "an empty phrase in [%1]; write the phrase, or delete the line")
                        .arg(name);
                });
                continue;
            }
            if (it.text.contains(u'\t')) {
                problem(Rule::TabInPhrase, it.line, [&] {
                    return QCoreApplication::translate("ContentReader", "the phrase \"%1\" in [%2] holds a tab character, which the list "
                                                       "shows as a wide gap; replace it with a space, or delete it")
                        .arg(QString(it.text).replace(u'\t', QStringLiteral("→")), name);
                });
                continue;
            }
            const QString key = it.text.trimmed();
            const auto f = first.constFind(key);
            if (f == first.cend()) {
                first.insert(key, &it);
                continue;
            }
            problem((*f)->text == it.text ? Rule::PhraseTwice : Rule::PhraseLooksSame, it.line, [&] {
                if ((*f)->text == it.text)
                    return QCoreApplication::translate("ContentReader", "the phrase \"%1\" is already on line %2 of [%3]; phrases of one side "
                                                       "must differ, so change or delete one of them")
                        .arg(it.text)
                        .arg((*f)->line)
                        .arg(name);
                return QCoreApplication::translate("ContentReader", "the phrase \"%1\" looks the same as \"%2\" on line %3 of [%4]: they "
                                                   "differ only in spaces at their ends; phrases of one side must "
                                                   "differ, so change or delete one of them")
                    .arg(it.text, (*f)->text)
                    .arg((*f)->line)
                    .arg(name);
            }, (*f)->line);
        }
        m_result.store.setDanni(side, texts(s));
    }

    // "Оцени" opens once the pairs made are at least three times the right phrases left
    // unpaired. With L left and R right phrases at most L pairs can be made, leaving R − L
    // right phrases over; a test where even then 3 × (R − L) > L could never be graded.
    void checkGradingOpens()
    {
        // Told only of a test otherwise sound: a mistake in the phrase lists changes the counts.
        const Section *right = find(Kind::Right);
        const qsizetype L = m_result.store.Danni(0).size();
        const qsizetype R = m_result.store.Danni(1).size();
        if (!m_result.problems.isEmpty() || !right || L == 0 || R <= L || L >= 3 * (R - L))
            return;
        const auto phrases = [](qsizetype n) {
            return n == 1 ? QCoreApplication::translate("ContentReader", "1 phrase") : QCoreApplication::translate("ContentReader", "%1 phrases").arg(n);
        };
        problem(Rule::NeverGraded, right->line,
                QCoreApplication::translate("ContentReader", "with %1 on the left a learner can make at most %2, and \"Оцени\" opens only when the "
                               "pairs are at least three times the right phrases left over; with %3 on the right, %4 "
                               "would be left over, so this test could never be graded; add left phrases or keep at "
                               "most %5 on the right")
                    .arg(phrases(L), L == 1 ? QCoreApplication::translate("ContentReader", "1 pair") : QCoreApplication::translate("ContentReader", "%1 pairs").arg(L),
                         phrases(R), QString::number(R - L), phrases(4 * L / 3)));
    }

    void buildInstructions()
    {
        QString text;
        for (const QString &line : texts(find(Kind::Instructions)))
            text += line + QStringLiteral("\r\n");
        m_result.store.setUkazanie(text);
    }

    // Item 0 of the switch and flag lists is a label for the author; items 1 … are questions.
    // A first line that reads as a number is either the label overwritten or the label left
    // out. Left out (no more lines than questions), the lines are taken as the author meant
    // them, the first for question 1, so that later messages name the questions written.
    // Returns how far the lines stand from their questions: 0, or 1 without a label.
    int checkLabel(const Section &s, const QString &what, const QString &whats)
    {
        if (s.items.isEmpty() || !Numbers::readStrict(s.items.first().text))
            return 0;
        problem(Rule::LabelIsNumber, s.items.first().line,
                QCoreApplication::translate("ContentReader", "the first line under [%1] is a label for you, not the %2 of question 1, but "
                               "it reads \"%3\"; put a line of words (such as Questions) above the %4, so that "
                               "the %2 of question 1 comes right after it")
                    .arg(s.kind == Kind::Switches ? QCoreApplication::translate("ContentReader", "explanation switches")
                                                  : QCoreApplication::translate("ContentReader", "picture flags"),
                         what, s.items.first().text, whats));
        return s.items.size() <= m_result.store.Danni(0).size() ? 1 : 0;
    }

    void checkSwitches()
    {
        const Section *s = find(Kind::Switches);
        if (!s)
            return;
        const int shift = checkLabel(*s, QCoreApplication::translate("ContentReader", "switch"), QCoreApplication::translate("ContentReader", "switches"));
        for (int i = 1 - shift; i < s->items.size(); ++i) {
            const int q = i + shift;
            const Item &it = s->items.at(i);
            const auto v = Numbers::readStrict(it.text);
            if (!v) {
                problem(Rule::SwitchNotNumber, it.line, [&] { return QCoreApplication::translate("ContentReader", "explanation switch of question %1 is \"%2\"; write 1 to show its "
                                                "explanation lines or 0 to leave them out")
                                     .arg(q)
                                     .arg(it.text); });
                continue;
            }
            if (*v > 0 && q > ContentStore::QuestionsWithExtras)
                problem(Rule::SwitchPastLastExtra, it.line, [&] { return QCoreApplication::translate("ContentReader", "explanation switch of question %1 is on, but only questions 1 to %2 "
                                                "can have explanation lines; set it to 0")
                                     .arg(q)
                                     .arg(ContentStore::QuestionsWithExtras); });
            else if (*v > 0 && !find(Kind::Explanation, q))
                problem(Rule::SwitchWithoutLines, it.line, [&] { return QCoreApplication::translate("ContentReader", "explanation switch of question %1 is on, but there is no section "
                                                "[explanation %1]; add it with the lines to show, or set the switch to 0")
                                     .arg(q); });
        }
        m_result.store.setOtgowor(0, texts(s));
    }

    void checkExplanations()
    {
        for (const Section &s : m_sections) {
            if (s.kind != Kind::Explanation)
                continue;
            if (s.items.isEmpty())
                problem(Rule::ExplanationEmpty, s.line, QCoreApplication::translate("ContentReader", "[explanation %1] has no lines; write the lines to show for question "
                                               "%1, or delete the header")
                                    .arg(s.number));
            m_result.store.setOtgowor(s.number, texts(&s));
        }
    }

    void checkFlags()
    {
        const int questions = int(m_result.store.Danni(0).size());
        const Section *s = find(Kind::Flags);
        // With no left phrases, told already, there is no count of questions to hold the flags to.
        if (!s) {
            problem(Rule::FlagsMissing, 0, questions > 0
                           ? QCoreApplication::translate("ContentReader", "the section [picture flags] is missing; add it "
                                                                          "with a label line and then one flag (0 or 1) "
                                                                          "for each of the %1 questions")
                                 .arg(questions)
                           : QCoreApplication::translate("ContentReader", "the section [picture flags] is missing; add it "
                                                                          "with a label line and then one flag (0 or 1) "
                                                                          "for each question"));
            return;
        }
        const int shift = checkLabel(*s, QCoreApplication::translate("ContentReader", "flag"), QCoreApplication::translate("ContentReader", "flags"));
        for (int i = 1 - shift; i < s->items.size(); ++i) {
            const int q = i + shift;
            const Item &it = s->items.at(i);
            const auto v = Numbers::readStrict(it.text);
            if (!v)
                problem(Rule::FlagNotNumber, it.line, [&] { return QCoreApplication::translate("ContentReader", "picture flag of question %1 is \"%2\"; write 1 when the question "
                                                "has a picture, 0 when it has none")
                                     .arg(q)
                                     .arg(it.text); });
            else if (*v != 0 && q > ContentStore::QuestionsWithExtras)
                problem(Rule::FlagPastLastExtra, it.line, [&] { return QCoreApplication::translate("ContentReader", "picture flag of question %1 is set, but only questions 1 to %2 can "
                                                "have a picture; set it to 0")
                                     .arg(q)
                                     .arg(ContentStore::QuestionsWithExtras); });
            else if (*v != 0 && !find(Kind::Picture, q))
                problem(Rule::FlagWithoutPicture, it.line, [&] { return QCoreApplication::translate("ContentReader", "picture flag of question %1 is set, but there is no section "
                                                "[picture %1]; add it with the line file = NAME.png, or set the flag "
                                                "to 0")
                                     .arg(q); });
        }
        if (questions > 0 && s->items.size() + shift < questions + 1)
            problem(Rule::FlagsTooFew, s->line, QCoreApplication::translate("ContentReader", "[picture flags] has flags for questions 1 to %1, but [left] has %2 "
                                            "phrases; add a flag (0 or 1) for every question up to %2")
                                 .arg(std::max<qsizetype>(0, s->items.size() + shift - 1))
                                 .arg(questions));
        m_result.store.setSpis_graf(texts(s));
    }

    void checkPictures()
    {
        for (const Section &s : m_sections) {
            if (s.kind != Kind::Picture)
                continue;
            ContentStore::Picture picture;
            const Item *fileLine = nullptr;
            PictureCheck found;
            QHash<QString, int> given; // key -> line
            for (const Item &it : s.items) {
                const QString key = it.text.section(u'=', 0, 0).trimmed().toLower();
                const QString value = it.text.section(u'=', 1).trimmed();
                if (!it.text.contains(u'=') || value.isEmpty()) {
                    problem(Rule::PictureLineNotKeyValue, it.line, [&] { return QCoreApplication::translate("ContentReader", "write the lines of [picture %1] as key = value, for example "
                                                    "file = map.png, width = 1695, height = 1815")
                                         .arg(s.number); });
                    continue;
                }
                if (key != u"file" && key != u"width" && key != u"height") {
                    problem(Rule::PictureUnknownKey, it.line, [&] { return QCoreApplication::translate("ContentReader", "unknown key \"%1\" in [picture %2]; the keys are file, width "
                                                    "and height")
                                         .arg(key)
                                         .arg(s.number); });
                    continue;
                }
                if (const auto g = given.constFind(key); g != given.cend()) {
                    problem(Rule::PictureKeyTwice, it.line, [&] { return QCoreApplication::translate("ContentReader", "%1 of [picture %2] is already given on line %3; keep one of "
                                                    "the two lines")
                                         .arg(key)
                                         .arg(s.number)
                                         .arg(*g); }, *g);
                    continue;
                }
                given.insert(key, it.line);
                if (key == u"file") {
                    fileLine = &it;
                    picture.source = m_options.pictureBase + value;
                    if (const QString why = fileNameProblem(value); !why.isEmpty()) {
                        problem(Rule::PictureUnusable, it.line, QCoreApplication::translate("ContentReader", "picture \"%1\" of question %2 cannot be used: %3")
                                             .arg(value)
                                             .arg(s.number)
                                             .arg(why));
                    } else if (m_options.checkPicture) {
                        found = m_options.checkPicture(picture.source);
                        if (!found.problem.isEmpty())
                            problem(Rule::PictureUnusable, it.line, QCoreApplication::translate("ContentReader", "picture \"%1\" of question %2 cannot be used: %3")
                                                 .arg(value)
                                                 .arg(s.number)
                                                 .arg(found.problem));
                    }
                } else {
                    const auto v = Numbers::readStrict(value);
                    if (!v || *v < 1 || *v > 100000 || std::floor(*v) != *v)
                        problem(Rule::PictureSizeNotNumber, it.line, [&] { return QCoreApplication::translate("ContentReader", "%1 \"%2\" of [picture %3] is not a whole number of twips "
                                                        "from 1 to 100000 (1440 twips make an inch)")
                                             .arg(key, value)
                                             .arg(s.number); });
                    else
                        (key == u"width" ? picture.width : picture.height) = int(*v);
                }
            }
            if (!fileLine)
                problem(Rule::PictureNoFile, s.line, QCoreApplication::translate("ContentReader", "[picture %1] names no picture; add a line file = NAME.png")
                                    .arg(s.number));
            else if (found.problem.isEmpty() && found.size.isValid())
                checkPictureFits(s.number, *fileLine, found.size, picture);
            m_result.store.setGraphika(s.number, picture);
        }
    }

    // kazpack packs into the program the pictures that lie beside test.kaz and have a known ending.
    static QString fileNameProblem(const QString &name)
    {
        if (name.contains(u'/') || name.contains(u'\\'))
            return QCoreApplication::translate("ContentReader", "a picture must lie in the test folder itself, beside test.kaz; move it there "
                                  "and write only its file name");
        const QString suffix = name.section(u'.', -1).toLower();
        if (!name.contains(u'.') || !pictureSuffixes().contains(suffix))
            return QCoreApplication::translate("ContentReader", "the name must end in .png, .jpg, .jpeg, .bmp or .gif; save the picture in one "
                                  "of these formats (PNG is best for drawings)");
        return {};
    }

    // The picture window shows a picture at its own size, cut off at the edges of its box.
    void checkPictureFits(int q, const Item &fileLine, QSize size, const ContentStore::Picture &picture)
    {
        const auto pixels = [](int twips) { return int(std::lround(twips / 15.0)); };
        if (size.width() <= pixels(picture.width) && size.height() <= pixels(picture.height))
            return;
        problem(Rule::PictureTooLarge, fileLine.line,
                QCoreApplication::translate("ContentReader", "picture \"%1\" of question %2 is %3 × %4 pixels, larger than its box of %5 × %6 "
                               "pixels (width = %7, height = %8 twips, 15 twips a pixel), so part of it would be "
                               "cut off; write width = %9 and height = %10 in [picture %2], or make the picture "
                               "smaller")
                    .arg(fileLine.text.section(u'=', 1).trimmed())
                    .arg(q)
                    .arg(size.width())
                    .arg(size.height())
                    .arg(pixels(picture.width))
                    .arg(pixels(picture.height))
                    .arg(picture.width)
                    .arg(picture.height)
                    .arg(std::max(picture.width, size.width() * 15))
                    .arg(std::max(picture.height, size.height() * 15)));
    }

    // The section and item of a line, found among the headers and the items kept.
    Place placeOf(int line) const
    {
        if (line <= 0)
            return {};
        const auto after = std::upper_bound(m_headers.cbegin(), m_headers.cend(), line,
                                            [](int l, const Header &h) { return l < h.line; });
        if (after == m_headers.cbegin() || (after - 1)->section < 0)
            return {};
        const Header &h = *(after - 1);
        const Section &s = m_sections.at(h.section);
        Place p{s.kind, s.number, -1};
        if (h.line == line)
            return p;
        const auto item = std::lower_bound(s.items.cbegin(), s.items.cend(), line,
                                           [](const Item &i, int l) { return i.line < l; });
        if (item != s.items.cend() && item->line == line)
            p.item = int(item - s.items.cbegin());
        return p;
    }

    struct Header
    {
        int line = 0;
        qsizetype section = -1; // in m_sections; -1: a header not taken (unknown, or a second time)
    };

    const Options &m_options;
    const QString m_text;
    QList<Header> m_headers; // in the order of the file: each section's header, the first of a run not taken
    QList<Section> m_sections;
    qsizetype m_current = -1; // the section whose lines are being read; -1: none
    bool m_skipping = false;  // under a header that is not taken
    std::vector<bool> m_told; // by line: its characters are already told about
    bool m_problemsFull = false; // MaxProblems are kept
    int m_lastKeptLine = 0;      // then the line of the last kept problem
    Result m_result;
};

} // namespace

Result read(const QString &text, const Options &options)
{
    return Reader(text, options).run();
}

qsizetype controlCharacter(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line.at(i) != u'\t' && line.at(i).category() == QChar::Other_Control)
            return i;
    return -1;
}

namespace {
// Bytes that are not UTF-8 come back from a round trip with replacement characters.
bool isUtf8(QByteArrayView bytes) { return QString::fromUtf8(bytes).toUtf8() == bytes; }

// UTF-16 without a byte order mark: the zero high bytes of its Latin letters, digits and line
// ends stand at every other place, all on one side, and read as UTF-16 it has a section
// header. A UTF-8 file with a stray NUL or two is not taken for it: its line with the NUL is
// named instead.
bool looksLikeUtf16(const QByteArray &bytes)
{
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes.at(i) == '\0')
            ++zeros[i % 2];
    const int high = zeros[1] >= zeros[0] ? 1 : 0; // where the zero high bytes stand: 1 little-endian
    if (zeros[high] < 2 || zeros[1 - high] * 16 > zeros[high])
        return false;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(uchar(bytes.at(2 * i + 1 - high)), uchar(bytes.at(2 * i + high)));
    static const QRegularExpression header(QStringLiteral("(^|[\r\n])[ \t]*\\[[^\r\n\\]]*\\][ \t]*($|[\r\n])"));
    return text.contains(header);
}
} // namespace

Result readBytes(const QByteArray &bytes, const Options &options)
{
    const auto whole = [&options](Rule rule, const QString &message) {
        Result r;
        r.problems.append({options.fileName, 0, message, rule});
        return r;
    };
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0"))
        return whole(Rule::WordProcessorFile, QCoreApplication::translate("ContentReader", "the file is a word processor's document (such as .docx, .doc or .odt), not "
                                    "plain text; write the test in a text editor (Notepad, gedit, Kate) and save it "
                                    "as UTF-8 text"));
    if (bytes.startsWith("{\\rtf"))
        return whole(Rule::RichTextFile, QCoreApplication::translate("ContentReader", "the file is saved as rich text (RTF, as WordPad does), not plain text; write "
                                    "the test in a text editor (Notepad, gedit, Kate) and save it as UTF-8 text"));
    if (bytes.size() > MaxFileBytes)
        return whole(Rule::FileTooLarge, QCoreApplication::translate("ContentReader", "the file is %1, larger than the %2 a test may have (a test of %3 phrases a "
                                    "side takes about 5 MB); keep only the test in it")
                         .arg(FileAccess::size(bytes.size()), FileAccess::size(MaxFileBytes))
                         .arg(MaxPhrases));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || looksLikeUtf16(bytes))
        return whole(Rule::Utf16File, QCoreApplication::translate("ContentReader", "the file is saved as UTF-16 (\"Unicode\"); save it again as UTF-8 (in Notepad: "
                                    "File, Save as, Encoding: UTF-8)"));
    // Valid as a whole or not: line ends are never part of a longer UTF-8 sequence. (Decoding
    // drops a byte order mark.)
    const QByteArrayView all = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    if (const QString text = QString::fromUtf8(all); text.toUtf8() == all)
        return read(text, options);
    // The first line that is not UTF-8 and how many more there are. Lines end at CR LF, LF or a
    // lone CR, as read() counts them, so the line named is the one an editor shows.
    int first = 0;
    qsizetype more = 0;
    int lineNo = 0;
    for (qsizetype start = 0; start <= all.size();) {
        qsizetype end = start;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        ++lineNo;
        if (!isUtf8(all.sliced(start, end - start))) {
            if (first == 0)
                first = lineNo;
            else
                ++more;
        }
        start = end + (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n' ? 2 : 1);
    }
    Result r;
    r.problems.append({options.fileName, first,
                       QCoreApplication::translate("ContentReader", "this line is not UTF-8 text%1; the file is probably saved as Windows-1251 "
                                      "(\"ANSI\"); save it again as UTF-8 (in Notepad: File, Save as, "
                                      "Encoding: UTF-8)")
                           .arg(more == 0   ? QString()
                                : more == 1 ? QCoreApplication::translate("ContentReader", ", nor is one later line")
                                            : QCoreApplication::translate("ContentReader", ", nor are %1 later lines").arg(more)),
                       Rule::NotUtf8});
    return r;
}

QStringList pictureSuffixes()
{
    return {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
            QStringLiteral("gif")};
}

} // namespace ContentReader
