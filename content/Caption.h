#pragma once

#include <QString>

// The window caption of a test, "ADDRESS TITLE": the first word is the address when it reads
// as a web address (https://…, www.…, school.bg/…); otherwise the whole caption is the title.
// The quiz runner, the editor and the converters take a caption apart by this one rule, so a
// caption without an address ("Столици на Европа") keeps its first word everywhere.
namespace Caption {

struct Parts
{
    QString address;
    QString title;
};

// Whether `word` reads as a web address: a scheme ("https://…"), "www.…", or a host name whose
// last part starts with a letter ("kaz.bg", not "5.1").
bool readsAsAddress(const QString &word);

// Joining the parts gives the caption back exactly ("kaz.bg " stays one title).
Parts split(const QString &caption);
QString join(const QString &address, const QString &title);

// The picture window's caption: the address and " - KAZ picture"; a caption without an address
// gives its whole text instead ("Столици на Европа - KAZ picture"), an empty one "KAZ picture".
QString pictureWindowTitle(const QString &caption);

} // namespace Caption
