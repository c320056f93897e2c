#include "ContentReader.h"

#include "Numbers.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

namespace ContentReader {

QString Problem::toString() const
{
    if (line > 0)
        return QStringLiteral("%1:%2: error: %3").arg(file).arg(line).arg(message);
    return QStringLiteral("%1: error: %2").arg(file, message);
}

namespace {

enum class Kind { Parameters, Left, Right, Instructions, Switches, Explanation, Flags, Picture };

struct Item
{
    QString text;
    int line = 0;
};

struct Section
{
    Kind kind;
    int number = 0; // question number of [explanation N] and [picture N]
    int line = 0;   // line of the header
    QList<Item> items;
};

const char *sideName(int side) { return side == 0 ? "left" : "right"; }

class Reader
{
public:
    Reader(const QString &text, const Options &options)
        : m_options(options)
    {
        split(text);
    }

    Result run()
    {
        parseSections();
        checkParameters();
        checkPhrases(0);
        checkPhrases(1);
        buildInstructions();
        checkSwitches();
        checkExplanations();
        checkFlags();
        checkPictures();
        return std::move(m_result);
    }

private:
    void problem(int line, const QString &message)
    {
        m_result.problems.append({m_options.fileName, line, message});
    }

    void split(const QString &text)
    {
        QString t = text;
        if (t.startsWith(QChar(0xFEFF)))
            t.remove(0, 1);
        m_lines = t.split(u'\n');
        if (!m_lines.isEmpty() && m_lines.last().isEmpty())
            m_lines.removeLast();
        for (QString &line : m_lines)
            if (line.endsWith(u'\r'))
                line.chop(1);
    }

    static bool header(const QString &line, QString &name)
    {
        const QString t = line.trimmed();
        if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
            return false;
        name = t.mid(1, t.size() - 2).simplified().toLower();
        return true;
    }

    void parseSections()
    {
        static const QRegularExpression numbered(QStringLiteral("^(explanation|picture) +(-?[0-9]+)$"));
        Section *current = nullptr;
        QHash<QString, int> seen; // section name -> line of its first header
        for (int i = 0; i < m_lines.size(); ++i) {
            const int lineNo = i + 1;
            const QString &line = m_lines.at(i);
            QString name;
            if (line.startsWith(u'#'))
                continue;
            if (header(line, name)) {
                current = nullptr;
                Section s{Kind::Parameters, 0, lineNo, {}};
                if (name == u"parameters") s.kind = Kind::Parameters;
                else if (name == u"left") s.kind = Kind::Left;
                else if (name == u"right") s.kind = Kind::Right;
                else if (name == u"instructions") s.kind = Kind::Instructions;
                else if (name == u"explanation switches") s.kind = Kind::Switches;
                else if (name == u"picture flags") s.kind = Kind::Flags;
                else if (const auto m = numbered.match(name); m.hasMatch()) {
                    s.kind = m.captured(1) == u"explanation" ? Kind::Explanation : Kind::Picture;
                    bool ok = false;
                    s.number = m.captured(2).toInt(&ok);
                    if (!ok || s.number < 1 || s.number > ContentStore::QuestionsWithExtras) {
                        problem(lineNo, QStringLiteral("section [%1] names question %2, but only questions 1 to %3 "
                                                       "can have %4; use a number from 1 to %3")
                                            .arg(name, m.captured(2))
                                            .arg(ContentStore::QuestionsWithExtras)
                                            .arg(s.kind == Kind::Explanation ? QStringLiteral("explanation lines")
                                                                             : QStringLiteral("a picture")));
                        m_skipping = true;
                        continue;
                    }
                } else {
                    problem(lineNo, QStringLiteral("unknown section [%1]; the sections are [parameters], [instructions], "
                                                   "[left], [right], [explanation switches], [explanation N], "
                                                   "[picture flags] and [picture N]")
                                        .arg(name));
                    m_skipping = true;
                    continue;
                }
                if (const auto it = seen.constFind(name); it != seen.cend()) {
                    problem(lineNo, QStringLiteral("section [%1] appears a second time (first on line %2); "
                                                   "put all its lines under one header")
                                        .arg(name)
                                        .arg(*it));
                    m_skipping = true;
                    continue;
                }
                seen.insert(name, lineNo);
                m_skipping = false;
                m_sections.append(s);
                current = &m_sections.last();
                continue;
            }
            if (m_skipping)
                continue;
            const bool blank = line.trimmed().isEmpty();
            if (!current) {
                if (!blank)
                    problem(lineNo, QStringLiteral("this line stands before any section; put a section header "
                                                   "such as [left] above it, or start it with # to make it a comment"));
                continue;
            }
            if (blank) {
                // Blank lines separate nothing but paragraphs of the instructions.
                if (current->kind == Kind::Instructions)
                    current->items.append({QString(), lineNo});
                continue;
            }
            current->items.append({line.startsWith(u'\\') ? line.mid(1) : line, lineNo});
        }
        for (Section &s : m_sections)
            if (s.kind == Kind::Instructions)
                while (!s.items.isEmpty() && s.items.last().text.isEmpty() && isBlankLine(s.items.last().line))
                    s.items.removeLast();
    }

    bool isBlankLine(int lineNo) const { return m_lines.at(lineNo - 1).trimmed().isEmpty(); }

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

    void checkParameters()
    {
        const Section *s = find(Kind::Parameters);
        if (!s) {
            problem(0, QStringLiteral("the section [parameters] is missing; add it with six lines: the window "
                                      "caption, the window width, the left list's left edge and width, the right "
                                      "list's left edge and width (sizes in twips)"));
            return;
        }
        if (s->items.size() != 6)
            problem(s->line, QStringLiteral("[parameters] has %1 lines but needs exactly 6: the caption, the window "
                                            "width, the left list's left edge and width, the right list's left edge "
                                            "and width")
                                 .arg(s->items.size()));
        static const char *const meaning[] = {"", "the window width", "the left list's left edge",
                                              "the left list's width", "the right list's left edge",
                                              "the right list's width"};
        for (int i = 1; i < std::min<qsizetype>(6, s->items.size()); ++i) {
            const Item &it = s->items.at(i);
            const auto v = Numbers::readStrict(it.text);
            if (!v || *v < 0 || (*v == 0 && (i == 1 || i == 3 || i == 5)))
                problem(it.line, QStringLiteral("\"%1\" is not a usable number for %2; write a whole number of "
                                                "twips such as 3135 (1440 twips make an inch)")
                                     .arg(it.text, QLatin1StringView(meaning[i])));
        }
        m_result.store.setDanni(3, texts(s));
    }

    void checkPhrases(int side)
    {
        const Section *s = find(side == 0 ? Kind::Left : Kind::Right);
        const QString name = QString::fromLatin1(sideName(side));
        if (!s) {
            problem(0, QStringLiteral("the section [%1] is missing; add it with one %1 phrase per line").arg(name));
            return;
        }
        if (s->items.isEmpty())
            problem(s->line, QStringLiteral("[%1] has no phrases; a test needs at least one phrase on each side")
                                 .arg(name));
        if (s->items.size() > MaxPhrases)
            problem(s->line, QStringLiteral("[%1] has %2 phrases; a side may hold at most %3")
                                 .arg(name)
                                 .arg(s->items.size())
                                 .arg(MaxPhrases));
        QHash<QString, int> firstLine;
        for (const Item &it : s->items) {
            if (it.text.isEmpty()) {
                problem(it.line, QStringLiteral("an empty phrase in [%1]; write the phrase, or delete the line")
                                     .arg(name));
                continue;
            }
            if (const auto f = firstLine.constFind(it.text); f != firstLine.cend())
                problem(it.line, QStringLiteral("the phrase \"%1\" is already on line %2 of [%3]; phrases of one side "
                                                "must differ, so change or delete one of them")
                                     .arg(it.text)
                                     .arg(*f)
                                     .arg(name));
            else
                firstLine.insert(it.text, it.line);
        }
        m_result.store.setDanni(side, texts(s));
    }

    void buildInstructions()
    {
        QString text;
        for (const QString &line : texts(find(Kind::Instructions)))
            text += line + QStringLiteral("\r\n");
        m_result.store.setUkazanie(text);
    }

    // Item 0 of the switch and flag lists is a label for the author; items 1 … are questions.
    void checkSwitches()
    {
        const Section *s = find(Kind::Switches);
        if (!s)
            return;
        for (int q = 1; q < s->items.size(); ++q) {
            const Item &it = s->items.at(q);
            const auto v = Numbers::readStrict(it.text);
            if (!v) {
                problem(it.line, QStringLiteral("explanation switch of question %1 is \"%2\"; write 1 to show its "
                                                "explanation lines or 0 to leave them out")
                                     .arg(q)
                                     .arg(it.text));
                continue;
            }
            if (*v > 0 && q > ContentStore::QuestionsWithExtras)
                problem(it.line, QStringLiteral("explanation switch of question %1 is on, but only questions 1 to %2 "
                                                "can have explanation lines; set it to 0")
                                     .arg(q)
                                     .arg(ContentStore::QuestionsWithExtras));
            else if (*v > 0 && !find(Kind::Explanation, q))
                problem(it.line, QStringLiteral("explanation switch of question %1 is on, but there is no section "
                                                "[explanation %1]; add it with the lines to show, or set the switch to 0")
                                     .arg(q));
        }
        m_result.store.setOtgowor(0, texts(s));
    }

    void checkExplanations()
    {
        for (const Section &s : m_sections)
            if (s.kind == Kind::Explanation)
                m_result.store.setOtgowor(s.number, texts(&s));
    }

    void checkFlags()
    {
        const int questions = int(m_result.store.Danni(0).size());
        const Section *s = find(Kind::Flags);
        if (!s) {
            problem(0, QStringLiteral("the section [picture flags] is missing; add it with a label line and then "
                                      "one flag (0 or 1) for each of the %1 questions")
                           .arg(questions));
            return;
        }
        for (int q = 1; q < s->items.size(); ++q) {
            const Item &it = s->items.at(q);
            const auto v = Numbers::readStrict(it.text);
            if (!v)
                problem(it.line, QStringLiteral("picture flag of question %1 is \"%2\"; write 1 when the question "
                                                "has a picture, 0 when it has none")
                                     .arg(q)
                                     .arg(it.text));
            else if (*v != 0 && q > ContentStore::QuestionsWithExtras)
                problem(it.line, QStringLiteral("picture flag of question %1 is set, but only questions 1 to %2 can "
                                                "have a picture; set it to 0")
                                     .arg(q)
                                     .arg(ContentStore::QuestionsWithExtras));
        }
        if (s->items.size() < questions + 1)
            problem(s->line, QStringLiteral("[picture flags] has flags for questions 1 to %1, but [left] has %2 "
                                            "phrases; add a flag (0 or 1) for every question up to %2")
                                 .arg(std::max<qsizetype>(0, s->items.size() - 1))
                                 .arg(questions));
        m_result.store.setSpis_graf(texts(s));
    }

    void checkPictures()
    {
        for (const Section &s : m_sections) {
            if (s.kind != Kind::Picture)
                continue;
            ContentStore::Picture picture;
            bool hasFile = false;
            for (const Item &it : s.items) {
                const QString key = it.text.section(u'=', 0, 0).trimmed().toLower();
                const QString value = it.text.section(u'=', 1).trimmed();
                if (!it.text.contains(u'=') || value.isEmpty()) {
                    problem(it.line, QStringLiteral("write the lines of [picture %1] as key = value, for example "
                                                    "file = map.png, width = 1695, height = 1815")
                                         .arg(s.number));
                } else if (key == u"file") {
                    hasFile = true;
                    picture.source = m_options.pictureBase + value;
                    if (m_options.checkPicture) {
                        const QString why = m_options.checkPicture(picture.source);
                        if (!why.isEmpty())
                            problem(it.line, QStringLiteral("picture \"%1\" of question %2 cannot be used: %3")
                                                 .arg(value)
                                                 .arg(s.number)
                                                 .arg(why));
                    }
                } else if (key == u"width" || key == u"height") {
                    const auto v = Numbers::readStrict(value);
                    if (!v || *v < 1 || *v > 100000 || std::floor(*v) != *v)
                        problem(it.line, QStringLiteral("%1 \"%2\" of [picture %3] is not a whole number of twips "
                                                        "from 1 to 100000 (1440 twips make an inch)")
                                             .arg(key, value)
                                             .arg(s.number));
                    else
                        (key == u"width" ? picture.width : picture.height) = int(*v);
                } else {
                    problem(it.line, QStringLiteral("unknown key \"%1\" in [picture %2]; the keys are file, width "
                                                    "and height")
                                         .arg(key)
                                         .arg(s.number));
                }
            }
            if (!hasFile)
                problem(s.line, QStringLiteral("[picture %1] names no picture; add a line file = NAME.png")
                                    .arg(s.number));
            m_result.store.setGraphika(s.number, picture);
        }
    }

    const Options &m_options;
    QStringList m_lines;
    QList<Section> m_sections;
    bool m_skipping = false;
    Result m_result;
};

} // namespace

Result read(const QString &text, const Options &options)
{
    return Reader(text, options).run();
}

} // namespace ContentReader
