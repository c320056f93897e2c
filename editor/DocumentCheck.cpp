#include "DocumentCheck.h"

#include "ContentReader.h"
#include "FileMapping.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <numeric>
#include <set>
#include <tuple>

namespace DocumentCheck {

namespace {

constexpr int Extras = ContentStore::QuestionsWithExtras;

// The checker's words, but where they name a line of the file the teacher never sees ("line 25
// of [left]"), the row of the table it comes from.
QString inRows(const ContentReader::Problem &problem, const DocumentContent &c, const DocumentProblem &p)
{
    using ContentReader::Rule;
    if (p.row < 0 || p.otherRow < 0 || (p.field != DocumentField::Left && p.field != DocumentField::Right))
        return problem.message;
    const auto phrase = [&c, &p](int row) { return p.field == DocumentField::Left ? c.rows.at(row).left : c.rows.at(row).right; };
    switch (problem.rule) {
    case Rule::PhraseTwice:
        return QCoreApplication::translate("DocumentCheck", "the phrase \"%1\" is already on row %2 of the table; phrases "
                                                            "of one side must differ, so change or delete one of them")
            .arg(phrase(p.row))
            .arg(p.otherRow + 1);
    case Rule::PhraseLooksSame:
        return QCoreApplication::translate("DocumentCheck", "the phrase \"%1\" looks the same as \"%2\" on row %3 of the "
                                                            "table: they differ only in spaces at their ends; phrases of one "
                                                            "side must differ, so change or delete one of them")
            .arg(phrase(p.row), phrase(p.otherRow))
            .arg(p.otherRow + 1);
    default:
        return problem.message;
    }
}

void rowProblems(const DocumentContent &c, const FileMapping::Written &w, QList<DocumentProblem> &out)
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
                            "this row has a left phrase but no right one, while row %1 has a right phrase but no "
                            "left one; extra phrases can stand on one side only, because the file pairs the phrases "
                            "by their order: write the missing phrases, or delete the extra rows of one side")
                            .arg(rightOnly.first() + 1),
                        r, DocumentField::Right, -1, rightOnly.first()});
        for (int r : std::as_const(rightOnly))
            out.append({QCoreApplication::translate(
                            "DocumentCheck",
                            "this row has a right phrase but no left one, while row %1 has a left phrase but no "
                            "right one; extra phrases can stand on one side only, because the file pairs the phrases "
                            "by their order: write the missing phrases, or delete the extra rows of one side")
                            .arg(leftOnly.first() + 1),
                        r, DocumentField::Left, -1, leftOnly.first()});
    }

    QList<int> question(c.rows.size(), 0);
    for (int q = 1; q <= w.leftRows.size(); ++q)
        question[w.leftRows.at(q - 1)] = q;
    // What only questions 1 … 30 can have: the lines or the picture of a row that is none of them.
    struct Extra
    {
        DocumentField field;
        QString noQuestion; // %1: nothing
        QString lateQuestion; // %1: the question, %2: the last that can have it
    };
    const Extra extras[] = {
        {DocumentField::Explanation,
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no left phrase, so it is no question and its explanation lines can "
                                     "be neither shown nor saved; write its left phrase, or delete the lines"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row is question %1, but only questions 1 to %2 can have explanation lines, "
                                     "so these are not saved; move the row up among the first %2 questions, or "
                                     "delete the lines")},
        {DocumentField::Picture,
         QCoreApplication::translate("DocumentCheck",
                                     "this row has no left phrase, so it is no question and its picture can be "
                                     "neither shown nor saved; write its left phrase, or remove the picture"),
         QCoreApplication::translate("DocumentCheck",
                                     "this row is question %1, but only questions 1 to %2 can have a picture, so it "
                                     "is not saved; move the row up among the first %2 questions, or remove the "
                                     "picture")},
    };
    for (int i = 0; i < c.rows.size(); ++i) {
        const DocumentRow &row = c.rows.at(i);
        const int q = question.at(i);
        for (const Extra &e : extras) {
            const bool has = e.field == DocumentField::Explanation ? !row.explanation.isEmpty() : !row.picture.isNull();
            if (!has || (q >= 1 && q <= Extras))
                continue;
            const QString message = q == 0 ? e.noQuestion : e.lateQuestion.arg(q).arg(Extras);
            out.append({message, i, e.field});
        }
    }
}

} // namespace

QList<DocumentProblem> run(const DocumentContent &content)
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
        p.message = inRows(problem, content, p);
        out.append(p);
    }
    rowProblems(content, w, out);
    if (content.address.contains(u' '))
        out.append({QCoreApplication::translate("DocumentCheck",
                                                "the address holds a space, but the caption's first space ends the "
                                                "address; write the address without spaces"),
                    -1, DocumentField::Address});
    std::stable_sort(out.begin(), out.end(),
                     [](const DocumentProblem &a, const DocumentProblem &b) { return a.row < b.row; });
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

QList<ContentReader::Problem> unplaced(const QList<ContentReader::Problem> &read, int leftPhrases, int rightPhrases,
                                       const QList<DocumentProblem> &found)
{
    // The same rule broken on the same cell: the lines of the file as read and of the text the
    // document writes differ, their places in the rows do not.
    using Cell = std::tuple<ContentReader::Rule, int, DocumentField, int>;
    std::set<Cell> known;
    for (const DocumentProblem &p : found)
        if (p.rule != ContentReader::Rule::Other)
            known.insert({p.rule, p.row, p.field, p.part});
    QList<int> leftRows(leftPhrases), rightRows(rightPhrases);
    std::iota(leftRows.begin(), leftRows.end(), 0);
    std::iota(rightRows.begin(), rightRows.end(), 0);
    QList<ContentReader::Problem> out;
    for (const ContentReader::Problem &p : read) {
        const FileMapping::Place place = FileMapping::placeOf(p.place, leftRows, rightRows);
        if (!known.contains(Cell{p.rule, place.row, place.field, place.part}))
            out.append(p);
    }
    return out;
}

} // namespace DocumentCheck
