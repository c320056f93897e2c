#include "FileMapping.h"

#include "Caption.h"
#include "ContentWriter.h"
#include "Numbers.h"
#include "PictureBytes.h"

#include <QRegularExpression>
#include <algorithm>
#include <numeric>

namespace FileMapping {

namespace {

constexpr int Extras = ContentStore::QuestionsWithExtras;

QString normalisedBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// The text as written when it still says `on`, else the plain switch.
QString switchLine(const QString &text, bool on)
{
    if (const auto v = Numbers::readStrict(text); v && (*v > 0) == on)
        return text;
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString flagLine(const QString &text, PictureMode mode)
{
    if (Numbers::readStrict(text) && modeOfFlag(text) == mode)
        return text;
    switch (mode) {
    case PictureMode::Window:
        return QStringLiteral("1");
    case PictureMode::ThumbnailOnly:
        return QStringLiteral("-1");
    case PictureMode::Hidden:
        break;
    }
    return QStringLiteral("0");
}

// A switch or flag past the last question is written as it was while it may stay so: off, or
// on for a number up to 30 that still has its lines or picture.
QString spareLine(const QString &text, bool mayBeOn)
{
    const auto v = Numbers::readStrict(text);
    return v && (*v == 0 || mayBeOn) ? text : QStringLiteral("0");
}

DocumentPicture pictureFrom(const ContentStore::Picture &box, const QString &pictureBase,
                            const std::function<PictureBytes::Found(const QString &)> &bytesOf)
{
    DocumentPicture p;
    if (box.source.isEmpty())
        return p;
    p.name = box.source.startsWith(pictureBase) ? box.source.mid(pictureBase.size()) : box.source;
    const PictureBytes::Found found = bytesOf ? bytesOf(box.source) : PictureBytes::Found();
    p.bytes = found.bytes;
    p.width = box.width;
    p.height = box.height;
    PictureBytes::inspect(p, found.unread);
    return p;
}

} // namespace

QString instructionsText(const QString &ukazanie)
{
    QStringList lines = ukazanie.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

QString ukazanie(const QString &instructionsText)
{
    QString out;
    for (const QString &line : cellLines(instructionsText))
        out += line + QStringLiteral("\r\n");
    return out;
}

QStringList cellLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    return normalisedBreaks(text).split(u'\n');
}

PictureMode modeOfFlag(const QString &flag)
{
    const auto v = Numbers::readStrict(flag);
    if (!v || *v == 0)
        return PictureMode::Hidden;
    return *v > 0 ? PictureMode::Window : PictureMode::ThumbnailOnly;
}

bool switchOn(const QString &switchText)
{
    const auto v = Numbers::readStrict(switchText);
    return v && *v > 0;
}

// Of the rows without a pair, how many pairs stand above each, in the table's order; empty when
// all stand below the pairs, where the file puts them anyway, or when rows of both kinds are
// there (the file cannot be read back as they are).
QList<int> pairsAboveUnpaired(const DocumentContent &c)
{
    QList<int> above;
    int pairs = 0;
    bool left = false, right = false, moved = false;
    for (const DocumentRow &row : c.rows) {
        if (row.hasLeft() && row.hasRight()) {
            ++pairs;
            moved = moved || !above.isEmpty();
        } else if (row.hasLeft() || row.hasRight()) {
            (row.hasLeft() ? left : right) = true;
            above.append(pairs);
        }
    }
    return moved && !(left && right) ? above : QList<int>();
}

// The rows from `pairs` on, rows without a pair as read, put back among the pairs as `above`
// says; `placed` gets the row of each row as read. A list that does not fit moves nothing.
void putBack(QList<DocumentRow> &rows, qsizetype pairs, const QList<int> &above, QList<int> &placed)
{
    if (above.isEmpty() || above.size() != rows.size() - pairs || !std::is_sorted(above.cbegin(), above.cend())
        || above.first() < 0 || above.last() > pairs)
        return;
    QList<DocumentRow> out;
    out.reserve(rows.size());
    qsizetype unpaired = 0;
    for (qsizetype p = 0; p <= pairs; ++p) {
        while (unpaired < above.size() && above.at(unpaired) == p) {
            placed[pairs + unpaired] = int(out.size());
            out.append(std::move(rows[pairs + unpaired++]));
        }
        if (p < pairs) {
            placed[p] = int(out.size());
            out.append(std::move(rows[p]));
        }
    }
    rows = std::move(out);
}

DocumentContent fromStore(const ContentStore &store, const QString &pictureBase,
                          const std::function<PictureBytes::Found(const QString &)> &bytesOf, const QStringList &comments,
                          QList<int> *placed)
{
    DocumentContent c;
    const QStringList &parameters = store.Danni(3);
    const Caption::Parts cap = Caption::split(ContentStore::item(parameters, 0));
    c.address = cap.address;
    c.title = cap.title;
    for (int i = 0; i < DocumentContent::GeometryFields; ++i)
        c.geometry[i] = ContentStore::item(parameters, i + 1);
    c.instructions = instructionsText(store.Ukazanie());
    QList<int> above;
    bool orderNote = false;
    for (const QString &comment : comments) {
        if (!comment.startsWith(OrderNote)) {
            c.comments.append(comment);
            continue;
        }
        orderNote = true;
        for (const QString &n : comment.mid(OrderNote.size()).split(u',')) {
            bool ok = false;
            above.append(n.trimmed().toInt(&ok));
            if (!ok)
                above = {-1}; // not this editor's note: nothing is moved
        }
    }

    const QStringList &switches = store.Otgowor(0);
    c.explanationSection = !switches.isEmpty();
    if (c.explanationSection)
        c.explanationLabel = switches.first();
    const QStringList &flags = store.Spis_graf();
    if (!flags.isEmpty())
        c.pictureLabel = flags.first();

    const QStringList &left = store.Danni(0);
    const QStringList &right = store.Danni(1);
    const qsizetype n = left.size();
    c.rows.resize(std::max(n, right.size()));
    for (qsizetype i = 0; i < c.rows.size(); ++i) {
        DocumentRow &row = c.rows[i];
        row.left = ContentStore::item(left, i);
        row.right = ContentStore::item(right, i);
        if (i >= n)
            continue;
        const int q = int(i + 1);
        row.switchText = ContentStore::item(switches, q);
        row.flagText = ContentStore::item(flags, q);
        if (q <= Extras) {
            row.explanation = store.Otgowor(q);
            row.picture = pictureFrom(store.Graphika(q), pictureBase, bytesOf);
        }
        if (!row.explanation.isEmpty())
            row.explanationShown = switchOn(row.switchText);
        if (!row.picture.isNull())
            row.pictureMode = modeOfFlag(row.flagText);
        // A plain 0, 1 or -1 is what the row would write anyway; only other texts are kept.
        if (row.switchText == switchLine({}, q <= Extras && !row.explanation.isEmpty() && row.explanationShown))
            row.switchText.clear();
        if (row.flagText == flagLine({}, row.picture.isNull() ? PictureMode::Hidden : row.pictureMode))
            row.flagText.clear();
    }

    const qsizetype last = std::max<qsizetype>({switches.size() - 1, flags.size() - 1, Extras});
    for (qsizetype q = n + 1; q <= last; ++q) {
        DocumentSpare s;
        s.switchText = ContentStore::item(switches, q);
        s.flagText = ContentStore::item(flags, q);
        if (q <= Extras) {
            s.explanation = store.Otgowor(int(q));
            s.picture = pictureFrom(store.Graphika(int(q)), pictureBase, bytesOf);
        }
        if (s != DocumentSpare())
            c.spare.insert(int(q), s);
    }
    QList<int> rowOfRead(c.rows.size());
    std::iota(rowOfRead.begin(), rowOfRead.end(), 0);
    if (orderNote)
        putBack(c.rows, std::min(n, right.size()), above, rowOfRead);
    if (placed)
        *placed = std::move(rowOfRead);
    // The section is remembered only where nothing else would write it: all lines gone.
    const auto hasLines = [](const auto &item) { return !item.explanation.isEmpty(); };
    if (std::any_of(c.rows.cbegin(), c.rows.cend(), hasLines)
        || std::any_of(c.spare.cbegin(), c.spare.cend(), hasLines))
        c.explanationSection = false;
    return c;
}

QStringList leadingComments(const QString &text)
{
    QStringList out;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    qsizetype from = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    while (from <= text.size()) {
        const QRegularExpressionMatch end = lineEnd.match(text, from);
        const qsizetype to = end.hasMatch() ? end.capturedStart() : text.size();
        const QStringView line = QStringView(text).mid(from, to - from);
        if (line.startsWith(u'#'))
            out.append(line.mid(line.startsWith(u"# ") ? 2 : 1).toString());
        else if (!line.trimmed().isEmpty())
            break;
        if (!end.hasMatch())
            break;
        from = end.capturedEnd();
    }
    return out;
}

Written toStore(const DocumentContent &c)
{
    Written w;
    w.comments = c.comments;
    if (const QList<int> above = pairsAboveUnpaired(c); !above.isEmpty()) {
        QStringList numbers;
        for (int n : above)
            numbers.append(QString::number(n));
        w.comments.append(OrderNote.toString() + numbers.join(u", "));
    }
    QList<int> leftOnly, rightOnly;
    for (int i = 0; i < c.rows.size(); ++i) {
        const DocumentRow &row = c.rows.at(i);
        if (row.hasLeft() && row.hasRight()) {
            w.leftRows.append(i);
            w.rightRows.append(i);
        } else if (row.hasLeft()) {
            leftOnly.append(i);
        } else if (row.hasRight()) {
            rightOnly.append(i);
        }
    }
    w.leftRows += leftOnly;
    w.rightRows += rightOnly;

    QStringList left, right;
    left.reserve(w.leftRows.size());
    right.reserve(w.rightRows.size());
    for (int r : std::as_const(w.leftRows))
        left.append(c.rows.at(r).left);
    for (int r : std::as_const(w.rightRows))
        right.append(c.rows.at(r).right);
    ContentStore &store = w.store;
    store.setDanni(0, left);
    store.setDanni(1, right);
    QStringList parameters{Caption::join(c.address, c.title)};
    for (int i = 0; i < DocumentContent::GeometryFields; ++i)
        parameters.append(ContentStore::item(c.geometry, i));
    store.setDanni(3, parameters);
    store.setUkazanie(ukazanie(c.instructions));

    const int n = int(w.leftRows.size());
    bool anyLines = false;
    int switchCount = n;
    int flagCount = n;
    for (int q = 1; q <= std::min(n, Extras); ++q) {
        const DocumentRow &row = c.rows.at(w.leftRows.at(q - 1));
        if (!row.explanation.isEmpty()) {
            store.setOtgowor(q, row.explanation);
            anyLines = true;
        }
        if (!row.picture.isNull())
            store.setGraphika(q, {row.picture.name, row.picture.width, row.picture.height});
    }
    for (auto it = c.spare.cbegin(); it != c.spare.cend(); ++it) {
        const int q = it.key();
        if (q <= n)
            continue; // a row is that question now
        const DocumentSpare &s = it.value();
        const bool lines = q <= Extras && !s.explanation.isEmpty();
        const bool picture = q <= Extras && !s.picture.isNull();
        if (lines) {
            store.setOtgowor(q, s.explanation);
            anyLines = true;
        }
        if (picture)
            store.setGraphika(q, {s.picture.name, s.picture.width, s.picture.height});
        if (lines || !s.switchText.isEmpty())
            switchCount = std::max(switchCount, q);
        if (picture || !s.flagText.isEmpty())
            flagCount = std::max(flagCount, q);
    }

    if (anyLines || c.explanationSection) {
        QStringList switches{c.explanationLabel};
        switches.reserve(switchCount + 1);
        for (int q = 1; q <= switchCount; ++q) {
            if (q <= n) {
                const DocumentRow &row = c.rows.at(w.leftRows.at(q - 1));
                switches.append(
                    switchLine(row.switchText, q <= Extras && !row.explanation.isEmpty() && row.explanationShown));
            } else {
                const DocumentSpare s = c.spare.value(q);
                switches.append(spareLine(s.switchText, q <= Extras && !s.explanation.isEmpty()));
            }
        }
        store.setOtgowor(0, switches);
    }

    QStringList flags{c.pictureLabel};
    flags.reserve(flagCount + 1);
    for (int q = 1; q <= flagCount; ++q) {
        if (q <= n) {
            const DocumentRow &row = c.rows.at(w.leftRows.at(q - 1));
            flags.append(
                flagLine(row.flagText, q <= Extras && !row.picture.isNull() ? row.pictureMode : PictureMode::Hidden));
        } else {
            const DocumentSpare s = c.spare.value(q);
            flags.append(spareLine(s.flagText, q <= Extras && !s.picture.isNull()));
        }
    }
    store.setSpis_graf(flags);
    return w;
}

QString text(const Written &written) { return ContentWriter::write(written.store, written.comments); }

Place placeOf(const ContentReader::Place &p, const QList<int> &leftRows, const QList<int> &rightRows)
{
    using Section = ContentReader::SectionKind;
    const int i = p.item;
    const auto rowOfQuestion = [&leftRows](int q) { return q >= 1 ? leftRows.value(q - 1, -1) : -1; };
    switch (p.section) {
    case Section::None:
        return {};
    case Section::Parameters:
        if (i < 0 || i > DocumentContent::GeometryFields)
            return {};
        return {-1, i == 0 ? DocumentField::Title : DocumentField(int(DocumentField::WindowWidth) + i - 1), -1};
    case Section::Instructions:
        return {-1, DocumentField::Instructions, i};
    case Section::Left:
        return {i < 0 ? -1 : leftRows.value(i, -1), DocumentField::Left, -1};
    case Section::Right:
        return {i < 0 ? -1 : rightRows.value(i, -1), DocumentField::Right, -1};
    case Section::Switches:
        return i <= 0 ? Place{-1, DocumentField::ExplanationLabel, -1} : Place{rowOfQuestion(i), DocumentField::Explanation, -1};
    case Section::Explanation:
        return {rowOfQuestion(p.number), DocumentField::Explanation, i};
    case Section::Flags:
        return i <= 0 ? Place{-1, DocumentField::PictureLabel, -1} : Place{rowOfQuestion(i), DocumentField::Picture, -1};
    case Section::Picture:
        return {rowOfQuestion(p.number), DocumentField::Picture, -1};
    }
    return {};
}

} // namespace FileMapping
