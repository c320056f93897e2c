#include "PhraseOrder.h"
#include "PhraseOrder_p.h"

#include <iterator>

namespace {

// What a character is sorted as first: its kind, then its place within the kind. Marks and
// spaces come before digits, digits before letters, Cyrillic letters before the letters of any
// other script, as in Bulgarian dictionaries and ICU's Bulgarian order.
enum Kind { Mark, Digit, CyrillicLetter, OtherLetter };

// Spaces and the usual marks in ICU's order, so that lists keep the order they had on Linux;
// any other mark after them by its code.
constexpr char16_t MarkOrder[] = u" _-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$";

Kind kindOf(QChar c)
{
    if (c.isLetter())
        return c.script() == QChar::Script_Cyrillic ? CyrillicLetter : OtherLetter;
    return c.isDigit() ? Digit : Mark;
}

// The letter a character is sorted by first: without case, and without an accent that does not
// make a letter of its own in Bulgarian ("ѝ" is "и" with a grave; "й" is a letter of its own,
// as "ä" is "a" in a Latin word).
QChar base(QChar c)
{
    c = c.toCaseFolded();
    if (c.script() == QChar::Script_Cyrillic)
        return c == u'ѝ' ? QChar(u'и') : c;
    if (c.decompositionTag() == QChar::Canonical)
        return c.decomposition().at(0).toCaseFolded();
    return c;
}

int markRank(QChar c)
{
    for (int i = 0; MarkOrder[i] != 0; ++i) {
        if (MarkOrder[i] == c.unicode())
            return i;
    }
    return int(std::size(MarkOrder)) + c.unicode();
}

} // namespace

PhraseOrder::PhraseOrder(const QLocale &collation)
    : m_collator(PhraseCollation::make(collation))
{
}

// A total order, as sorting and the binary search of a sorted list need: texts are compared
// character by character on their base letters first (the collation ordering the letters of
// one script only, which systems agree on), and only texts alike in that way by the collation
// of the whole (accents, then nothing: letter case alone makes texts sort equal). A system's
// collation is never asked to order two scripts, nor to skip marks, where Windows' and ICU's
// differ: Windows passes over a hyphen, and puts Latin letters first.
int PhraseOrder::compare(QStringView a, QStringView b) const
{
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (a.at(i) == b.at(i))
            continue;
        const QChar x = base(a.at(i)), y = base(b.at(i));
        if (x == y)
            continue;
        const Kind kx = kindOf(x), ky = kindOf(y);
        if (kx != ky)
            return int(kx) - int(ky);
        if (kx == Mark)
            return markRank(x) - markRank(y);
        if (kx == Digit)
            return x.digitValue() != y.digitValue() ? x.digitValue() - y.digitValue() : int(x.unicode()) - int(y.unicode());
        if (const int letters = PhraseCollation::compare(*m_collator, QStringView(&x, 1), QStringView(&y, 1)); letters != 0)
            return letters;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return PhraseCollation::compare(*m_collator, a, b);
}
