#include "PhraseOrder_p.h"

#include <QCollator>

namespace PhraseCollation {

struct Collator
{
    QCollator collator;
};

std::shared_ptr<const Collator> make(const QLocale &locale)
{
    auto c = std::make_shared<Collator>(Collator{QCollator(locale)});
    c->collator.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

int compare(const Collator &collator, QStringView a, QStringView b)
{
    return collator.collator.compare(a, b);
}

} // namespace PhraseCollation
