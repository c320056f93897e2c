#pragma once

#include <QLocale>
#include <QStringView>

#include <memory>

namespace PhraseCollation {
struct Collator;
}

// The alphabetical order of a sorted list: Bulgarian, without regard to letter case, whatever
// language the machine is set to, so that every learner of a test sees its phrases in the
// same order as its author did. Cyrillic letters come before the letters of any other script,
// as in Bulgarian dictionaries and ICU's Bulgarian order; the order is decided here, so that
// a system whose own collation puts Latin first (Windows) gives the same order as Linux.
class PhraseOrder
{
public:
    // `collation` is the language whose collation orders letters of one script; the tests give
    // others to show that the order of scripts holds whatever the collation does.
    explicit PhraseOrder(const QLocale &collation = QLocale(QLocale::Bulgarian, QLocale::Bulgaria));

    // Below 0 when `a` sorts before `b`, 0 when they sort equal, above 0 when after; the empty
    // text comes first.
    int compare(QStringView a, QStringView b) const;

private:
    // The collation of one language, without regard to letter case: this system's own
    // (PhraseOrder_p.h).
    std::shared_ptr<const PhraseCollation::Collator> m_collator;
};
