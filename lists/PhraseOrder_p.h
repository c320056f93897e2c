#pragma once

#include <QLocale>
#include <QStringView>

#include <memory>

// The seam between PhraseOrder and the system's collation, which orders the letters of one
// script and tells accented letters apart, without regard to letter case. Each system has a
// file of its own, chosen in lists/CMakeLists.txt: PhraseOrder_qt.cpp (QCollator: ICU on Linux,
// the system's own on Windows) and PhraseOrder_web.cpp (the browser's Intl.Collator, which is
// ICU's order as well: a web page's QtCore has no ICU).
namespace PhraseCollation {

struct Collator;

std::shared_ptr<const Collator> make(const QLocale &locale);
// Below 0 when `a` sorts before `b`, 0 when they sort equal, above 0 when after.
int compare(const Collator &collator, QStringView a, QStringView b);

} // namespace PhraseCollation
