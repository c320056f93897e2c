#include "DocumentCheck.h"

#include "ContentReader.h"
#include "FileMapping.h"
#include "Kaz.h"
#include "ListText.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <tuple>

namespace DocumentCheck {

namespace {

constexpr int Extras = ContentStore::QuestionsWithExtras;

// The column's title as the table's header shows it.
QString columnTitle(DocumentField field)
{
    return field == DocumentField::Left ? QCoreApplication::translate("RowTableModel", "Left phrase")
                                        : QCoreApplication::translate("RowTableModel", "Right phrase");
}

// The checker's words, but where they speak of the file (its sections, its lines, the lines of
// a list), the problem in the table's terms: columns, rows as the header numbers them, fields.
QString editorWords(const ContentReader::Problem &problem, const DocumentContent &c, const FileMapping::Written &w,
                    const DocumentProblem &p, const RowNames &names)
{
    using ContentReader::Rule;
    const bool side = p.field == DocumentField::Left || p.field == DocumentField::Right;
    const auto phrase = [&c, &p](int row) { return p.field == DocumentField::Left ? c.rows.at(row).left : c.rows.at(row).right; };
    switch (problem.rule) {
    case Rule::PhraseTwice:
        if (!side || p.row < 0 || p.otherRow < 0)
            break;
        return QCoreApplication::translate("DocumentCheck", "the phrase \"%1\" is already on %2; phrases of one column "
                                                            "must differ, so change or delete one of them")
            .arg(phrase(p.row), names.inText(p.otherRow));
    case Rule::PhraseLooksSame:
        if (!side || p.row < 0 || p.otherRow < 0)
            break;
        return QCoreApplication::translate("DocumentCheck", "the phrase \"%1\" looks the same as \"%2\" on %3: they "
                                                            "differ only in spaces at their ends; phrases of one column "
                                                            "must differ, so change or delete one of them")
            .arg(phrase(p.row), phrase(p.otherRow), names.inText(p.otherRow));
    case Rule::TabInPhrase:
        if (!side || p.row < 0)
            break;
        return QCoreApplication::translate("DocumentCheck", "the phrase \"%1\" holds a tab character, which the list "
                                                            "shows as a wide gap; replace it with a space, or delete it")
            .arg(phrase(p.row).replace(u'\t', QStringLiteral("→")));
    case Rule::NoPhrases:
        if (!side)
            break;
        return QCoreApplication::translate("DocumentCheck", "no row has a phrase in the column \"%1\"; a test needs at "
                                                            "least one phrase on each side")
            .arg(columnTitle(p.field));
    case Rule::TooManyPhrases:
        if (!side)
            break;
        return QCoreApplication::translate("DocumentCheck", "the column \"%1\" has %2 phrases, but a side may hold at "
                                                            "most %3; delete rows, or make two tests of them")
            .arg(columnTitle(p.field))
            .arg((p.field == DocumentField::Left ? w.leftRows : w.rightRows).size())
            .arg(ContentReader::MaxPhrases);
    case Rule::TooManyLines:
        if (p.field == DocumentField::Instructions) {
            QStringList lines = c.instructions.split(u'\n');
            while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
                lines.removeLast();
            return QCoreApplication::translate("DocumentCheck", "the instructions have %1 lines, but may have at most "
                                                                "%2; delete the lines they do not need")
                .arg(lines.size())
                .arg(ContentReader::MaxTextLines);
        }
        if (p.field == DocumentField::Explanation && p.row >= 0)
            return QCoreApplication::translate("DocumentCheck", "this explanation has %1 lines, but may have at most %2; "
                                                                "delete the lines it does not need")
                .arg(c.rows.at(p.row).explanation.size())
                .arg(ContentReader::MaxTextLines);
        break;
    case Rule::LabelIsNumber:
        if (p.field != DocumentField::ExplanationLabel && p.field != DocumentField::PictureLabel)
            break;
        return QCoreApplication::translate("DocumentCheck", "this label is a number (\"%1\"), which a test cannot tell "
                                                            "apart from the data of its first question; write words "
                                                            "instead, such as Questions")
            .arg(p.field == DocumentField::ExplanationLabel ? c.explanationLabel : c.pictureLabel);
    case Rule::PictureTooLarge: {
        if (p.row < 0 || !c.rows.at(p.row).picture.pixels.isValid())
            break;
        const DocumentPicture &picture = c.rows.at(p.row).picture;
        const auto pixels = [](int twips) { return int(std::lround(twips / 15.0)); };
        const QSize box(pixels(picture.width), pixels(picture.height));
        return QCoreApplication::translate("DocumentCheck", "the picture is %1 × %2 pixels, larger than its box of %3 × "
                                                            "%4 pixels, so part of it would be cut off; make the box at "
                                                            "least %5 × %6 pixels, or the picture smaller")
            .arg(picture.pixels.width())
            .arg(picture.pixels.height())
            .arg(box.width())
            .arg(box.height())
            .arg(std::max(box.width(), picture.pixels.width()))
            .arg(std::max(box.height(), picture.pixels.height()));
    }
    default:
        break;
    }
    return problem.message;
}

// `question`: each row's question in the file (0: none), as the lists are written.
void rowProblems(const DocumentContent &c, const QList<int> &question, const RowNames &names, QList<DocumentProblem> &out)
{
    QList<int> leftOnly, rightOnly;
    for (int i = 0; i < c.rows.size(); ++i) {
        const DocumentRow &row = c.rows.at(i);
        if (row.hasLeft() && !row.hasRight())
            leftOnly.append(i);
        else if (row.hasRight() && !row.hasLeft())
            rightOnly.append(i);
    }
    if (!leftOnly.isEmpty() && !rightOnly.isEmpty()) {
        for (int r : std::as_const(leftOnly))
            out.append({QCoreApplication::translate(
                            "DocumentCheck",
                            "this row has a left phrase but no right one, while %1 has a right phrase but no left "
                            "one; extra phrases can stand on one side only, or the test would pair them with each "
                            "other: write the missing phrases, or delete the extra rows of one side")
                            .arg(names.inText(rightOnly.first())),
                        r, DocumentField::Right, -1, rightOnly.first()});
        for (int r : std::as_const(rightOnly))
            out.append({QCoreApplication::translate(
                            "DocumentCheck",
                            "this row has a right phrase but no left one, while %1 has a left phrase but no right "
                            "one; extra phrases can stand on one side only, or the test would pair them with each "
                            "other: write the missing phrases, or delete the extra rows of one side")
                            .arg(names.inText(leftOnly.first())),
                        r, DocumentField::Left, -1, leftOnly.first()});
    }

    // What only questions 1 … 30 can have: the lines or the picture of a row that is none of them.
    struct Extra
    {
        DocumentField field;
        QString noQuestion; // %1: nothing
        QString lateQuestion; // %1: the question, %2: the last that can have it
        QString lateLeftOnly; // the same of a row without a right phrase, asked after the pairs
    };
    const Extra extras[] = {
        {DocumentField::Explanation,
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no left phrase, so it is no question and its explanation lines can "
                                     "be neither shown nor saved; write its left phrase, or delete the lines"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row is question %1, but only questions 1 to %2 can have explanation lines, "
                                     "so these are not saved; move the row up among the first %2 questions, or "
                                     "delete the lines"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no right phrase, so the test asks it after all the pairs, as "
                                     "question %1, but only questions 1 to %2 can have explanation lines, so these are "
                                     "not saved; write its right phrase, or delete the lines")},
        {DocumentField::Picture,
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no left phrase, so it is no question and its picture can be "
                                     "neither shown nor saved; write its left phrase, or remove the picture"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row is question %1, but only questions 1 to %2 can have a picture, so it "
                                     "is not saved; move the row up among the first %2 questions, or remove the "
                                     "picture"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no right phrase, so the test asks it after all the pairs, as "
                                     "question %1, but only questions 1 to %2 can have a picture, so it is not saved; "
                                     "write its right phrase, or remove the picture")},
    };
    for (int i = 0; i < c.rows.size(); ++i) {
        const DocumentRow &row = c.rows.at(i);
        const int q = question.at(i);
        for (const Extra &e : extras) {
            const bool has = e.field == DocumentField::Explanation ? !row.explanation.isEmpty() : !row.picture.isNull();
            if (!has || (q >= 1 && q <= Extras))
                continue;
            const QString message = q == 0 ? e.noQuestion
                                  : row.hasRight() ? e.lateQuestion.arg(names.number(i)).arg(Extras)
                                                   : e.lateLeftOnly.arg(q).arg(Extras);
            out.append({message, i, e.field});
        }
    }
}

// Each phrase wider than its list's text area, as the test window shows its lists at the start:
// the learner sees it cut with "…".
void cutPhrases(const DocumentContent &c, const FileMapping::Written &w, const ListText::Measure &measure,
                QList<DocumentProblem> &out)
{
    const ListText::Geometry g = ListText::Geometry::fromTexts(c.geometry);
    for (const DocumentField field : {DocumentField::Left, DocumentField::Right}) {
        const bool left = field == DocumentField::Left;
        const QList<int> &rows = left ? w.leftRows : w.rightRows;
        const int width = left ? g.leftWidth : g.rightWidth;
        const int phrases = int(rows.size());
        const int area = measure.textWidth(width, phrases);
        for (int r : rows) {
            const QString &phrase = left ? c.rows.at(r).left : c.rows.at(r).right;
            if (measure.width(phrase) <= area)
                continue;
            const QString shown = measure.shown(phrase, width, phrases);
            const QString message = left
                ? QCoreApplication::translate("DocumentCheck",
                                              "the phrase in the column \"%1\" is longer than the test's left list is "
                                              "wide, so the learner sees only \"%2\"; press \"Widen the lists\" above "
                                              "this list, or shorten the phrase. The program can still be made.")
                : QCoreApplication::translate("DocumentCheck",
                                              "the phrase in the column \"%1\" is longer than the test's right list is "
                                              "wide, so the learner sees only \"%2\"; press \"Widen the lists\" above "
                                              "this list, or shorten the phrase. The program can still be made.");
            DocumentProblem p{message.arg(columnTitle(field), shown), r, field};
            p.warning = true;
            out.append(p);
        }
    }
}

} // namespace

QList<int> numbers(const DocumentContent &content)
{
    QList<int> out(content.rows.size(), 0);
    int n = 0;
    for (qsizetype r = 0; r < content.rows.size(); ++r)
        if (content.rows.at(r).hasLeft())
            out[r] = ++n;
    return out;
}

RowNames::RowNames(QList<int> questionOfRow)
    : m_question(std::move(questionOfRow))
    , m_above(m_question.size(), 0)
    , m_below(m_question.size(), 0)
    , m_place(m_question.size(), 0)
    , m_together(m_question.size(), 0)
{
    int last = 0;
    for (qsizetype r = 0; r < m_question.size(); ++r)
        last = m_question.at(r) > 0 ? m_question.at(r) : (m_above[r] = last);
    last = 0;
    for (qsizetype r = m_question.size() - 1; r >= 0; --r)
        last = m_question.at(r) > 0 ? m_question.at(r) : (m_below[r] = last);
    for (qsizetype r = 0; r < m_question.size();) {
        qsizetype end = r;
        while (end < m_question.size() && m_question.at(end) <= 0)
            ++end;
        for (qsizetype k = r; k < end; ++k) {
            m_place[k] = int(k - r + 1);
            m_together[k] = int(end - r);
        }
        r = end == r ? r + 1 : end;
    }
}

// The words of a row's name, at a problem's start or within a sentence.
struct NameWords
{
    const char *numbered;  // %1: the row's number
    const char *below;     // %1: the number above
    const char *belowOf;   // %1: the number above, %2: the place among the rows there, %3: how many
    const char *above;     // %1: the number below
    const char *aboveOf;
    const char *alone;     // no row has a number
    const char *aloneOf;   // %1: the place, %2: how many
};

namespace {

constexpr NameWords HeadingWords{
    QT_TRANSLATE_NOOP("DocumentCheck", "Row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row below row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row %2 of %3 below row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row above row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row %2 of %3 above row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row"),
    QT_TRANSLATE_NOOP("DocumentCheck", "Unnumbered row %1 of %2"),
};

constexpr NameWords InTextWords{
    QT_TRANSLATE_NOOP("DocumentCheck", "row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "the unnumbered row below row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "the unnumbered row %2 of %3 below row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "the unnumbered row above row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "the unnumbered row %2 of %3 above row %1"),
    QT_TRANSLATE_NOOP("DocumentCheck", "a row without a number"),
    QT_TRANSLATE_NOOP("DocumentCheck", "the unnumbered row %1 of %2"),
};

QString words(const char *text) { return QCoreApplication::translate("DocumentCheck", text); }

} // namespace

QString RowNames::name(int row, const NameWords &w) const
{
    if (const int q = m_question.value(row); q > 0)
        return words(w.numbered).arg(q);
    const int place = m_place.value(row);
    const int together = m_together.value(row);
    const bool alone = together <= 1;
    const int above = m_above.value(row);
    const int below = m_below.value(row);
    if (above > 0 || below > 0) {
        const int next = above > 0 ? above : below;
        const char *one = above > 0 ? w.below : w.above;
        const char *of = above > 0 ? w.belowOf : w.aboveOf;
        return alone ? words(one).arg(next) : words(of).arg(next).arg(place).arg(together);
    }
    return alone ? words(w.alone) : words(w.aloneOf).arg(place).arg(together);
}

QString RowNames::heading(int row) const { return name(row, HeadingWords); }

QString RowNames::inText(int row) const { return name(row, InTextWords); }

QList<DocumentProblem> run(const DocumentContent &content, const ListText::Measure *measure)
{
    const FileMapping::Written w = FileMapping::toStore(content);
    const QString text = FileMapping::text(w);

    // By name, as the files will be; a picture with bytes stands in for a missing one of its name.
    QHash<QString, const DocumentPicture *> pictures;
    const auto add = [&pictures](const DocumentPicture &p) {
        if (!p.isNull() && (!pictures.contains(p.name) || !p.bytes.isEmpty()))
            pictures.insert(p.name, &p);
    };
    for (const DocumentRow &row : content.rows)
        add(row.picture);
    for (const DocumentSpare &s : content.spare)
        add(s.picture);
    ContentReader::Options options;
    options.checkPicture = [&pictures](const QString &source) -> ContentReader::PictureCheck {
        const DocumentPicture *p = pictures.value(source);
        return p ? ContentReader::PictureCheck(p->problem, p->pixels) : ContentReader::PictureCheck();
    };
    const ContentReader::Result result = ContentReader::read(text, options);

    QList<int> question(content.rows.size(), 0);
    for (int q = 1; q <= w.leftRows.size(); ++q)
        question[w.leftRows.at(q - 1)] = q;
    const RowNames names(numbers(content));

    QList<DocumentProblem> out;
    out.reserve(result.problems.size());
    for (const ContentReader::Problem &problem : result.problems) {
        const FileMapping::Place place = FileMapping::placeOf(problem.place, w.leftRows, w.rightRows);
        DocumentProblem p{{}, place.row, place.field, place.part};
        p.otherRow = FileMapping::placeOf(problem.other, w.leftRows, w.rightRows).row;
        p.rule = problem.rule;
        // Only characters the window cannot show are told on the caption's line.
        if (p.field == DocumentField::Title && ContentReader::controlCharacter(content.address) >= 0)
            p.field = DocumentField::Address;
        p.message = editorWords(problem, content, w, p, names);
        out.append(p);
    }
    rowProblems(content, question, names, out);
    if (content.address.contains(u' '))
        out.append({QCoreApplication::translate("DocumentCheck",
                                                "the address holds a space, but the caption's first space ends the "
                                                "address; write the address without spaces"),
                    -1, DocumentField::Address});
    // Where the lists stand is known only when the geometry has no problem.
    const auto geometryProblem = [](const DocumentProblem &p) {
        return p.field >= DocumentField::WindowWidth && p.field <= DocumentField::RightListWidth;
    };
    if (measure && std::none_of(out.cbegin(), out.cend(), geometryProblem))
        cutPhrases(content, w, *measure, out);
    if (Kaz::lastPairLeavesGradingGrey(qint32(w.leftRows.size()), qint32(w.rightRows.size()))) {
        DocumentProblem p{QCoreApplication::translate(
            "DocumentCheck", "after the last pair, \"Оцени\" stays grey until the learner presses \"Избрах\" once "
                             "more: the test window decides whether grading may start only when a button is pressed, "
                             "and in this test only the last pair makes it possible. Tell the learners so in the "
                             "instructions, or add pairs."),
                          -1, DocumentField::Instructions};
        p.note = true;
        p.brief = QCoreApplication::translate("DocumentCheck", "after the last pair, \"Оцени\" stays grey until "
                                                               "\"Избрах\" is pressed once more; the list of problems "
                                                               "says why");
        out.append(p);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const DocumentProblem &a, const DocumentProblem &b) { return a.row < b.row; });
    for (DocumentProblem &p : out)
        if (p.row >= 0)
            p.rowName = names.heading(p.row);
    return out;
}

QList<DocumentProblem> geometry(const DocumentContent &content)
{
    DocumentContent parameters;
    parameters.address = content.address;
    parameters.title = content.title;
    parameters.geometry = content.geometry;
    QList<DocumentProblem> out = run(parameters);
    out.removeIf([](const DocumentProblem &p) {
        return p.field != DocumentField::Address && p.field != DocumentField::Title
            && (p.field < DocumentField::WindowWidth || p.field > DocumentField::RightListWidth);
    });
    return out;
}

QList<ContentReader::Problem> unplaced(const QList<ContentReader::Problem> &read, const QList<int> &leftRows,
                                       const QList<int> &rightRows, const QList<DocumentProblem> &found)
{
    // The same rule broken on the same cell: the lines of the file as read and of the text the
    // document writes differ, their places in the rows do not.
    using Cell = std::tuple<ContentReader::Rule, int, DocumentField, int>;
    std::set<Cell> known;
    for (const DocumentProblem &p : found)
        if (p.rule != ContentReader::Rule::Other)
            known.insert({p.rule, p.row, p.field, p.part});
    QList<ContentReader::Problem> out;
    for (const ContentReader::Problem &p : read) {
        const FileMapping::Place place = FileMapping::placeOf(p.place, leftRows, rightRows);
        if (!known.contains(Cell{p.rule, place.row, place.field, place.part}))
            out.append(p);
    }
    return out;
}

} // namespace DocumentCheck
