#include "PhraseOrder_p.h"

#include <QByteArray>

#include <emscripten/emscripten.h>

// The browser's collator of a language, made once per language: accents count, letter case
// does not, as QCollator's case-insensitive collation.
EM_JS(int, kaz_collate, (const char *language, const char16_t *a, int aLength, const char16_t *b, int bLength), {
    const tag = UTF8ToString(language);
    const collators = Module.kazCollators || (Module.kazCollators = {});
    const collator = collators[tag] || (collators[tag] = new Intl.Collator(tag, {sensitivity: "accent"}));
    return collator.compare(UTF16ToString(a, aLength * 2), UTF16ToString(b, bLength * 2));
});

namespace PhraseCollation {

struct Collator
{
    QByteArray language; // BCP 47, as Intl takes it
};

std::shared_ptr<const Collator> make(const QLocale &locale)
{
    return std::make_shared<Collator>(Collator{locale.bcp47Name().toUtf8()});
}

int compare(const Collator &collator, QStringView a, QStringView b)
{
    return kaz_collate(collator.language.constData(), reinterpret_cast<const char16_t *>(a.utf16()), int(a.size()),
                       reinterpret_cast<const char16_t *>(b.utf16()), int(b.size()));
}

} // namespace PhraseCollation
