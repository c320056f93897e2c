#include "PhraseOrder.h"

namespace {

// 0 for a Cyrillic letter, 1 for a letter of another script, -1 for anything else (digits,
// spaces, punctuation, marks), whose place the collation decides.
int scriptRank(QChar c)
{
    if (!c.isLetter())
        return -1;
    return c.script() == QChar::Script_Cyrillic ? 0 : 1;
}

} // namespace

PhraseOrder::PhraseOrder(const QLocale &collation)
    : m_collator(collation)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int PhraseOrder::compare(QStringView a, QStringView b) const
{
    if (a.isEmpty() || b.isEmpty())
        return int(b.isEmpty()) - int(a.isEmpty());
    // Where the texts first differ by more than letter case, a Cyrillic letter against a letter
    // of another script is decided by the script; anything else by the collation of the whole.
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const QChar x = a.at(i), y = b.at(i);
        if (x == y || m_collator.compare(QStringView(&x, 1), QStringView(&y, 1)) == 0)
            continue;
        const int rx = scriptRank(x), ry = scriptRank(y);
        if (rx >= 0 && ry >= 0 && rx != ry)
            return rx - ry;
        break;
    }
    return m_collator.compare(a, b);
}
