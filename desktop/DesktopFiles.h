#pragma once

#include <QHash>
#include <QString>

// What a desktop needs to list an installed quiz program in its application menu: the
// desktop entry, the AppStream metainfo and the names they share. QtCore only; the build
// tool kazdesktop writes the files, the tests check them.
namespace DesktopFiles {

struct Program
{
    QString executable; // the program's file name, e.g. "kaz-istoriya"
    QString id;         // reverse-DNS id, e.g. "bg.kaz.istoriya": names the entry, metainfo and icon
    QString title;      // the test's title, the menu entry's name
    QString homepage;   // the caption's web address when it is one, otherwise empty
    // The program's absolute path, for an entry of one user's own (kazpack --desktop); empty
    // for an installed program, which the desktop finds on the PATH by `executable`.
    QString path;
    // The test folder it was packed from, with `path` only: kazpack tells by it whether an
    // entry of the same id is this test's (moved to another place) or another test's.
    QString folder;
};

// The key of the test folder in an entry of one user's own.
inline constexpr char16_t FolderKey[] = u"X-KAZ-Folder";

// The licence of KAZ (SPDX), named in the metainfo; packaging/debian/copyright states it in full.
inline constexpr char16_t ProjectLicense[] = u"GPL-3.0-or-later";
// Used when the caption's address names no usable host.
inline constexpr char16_t FallbackDomain[] = u"kaz.bg";
// Used when the caption has no title after its address.
inline constexpr char16_t FallbackTitle[] = u"KAZ";

// The title in a caption: everything after its first space, trimmed.
QString titleOf(const QString &caption);

// A reverse-DNS id from the host of `address` ("https://kaz.bg" → "bg.kaz") and the test's
// folder name: "bg.kaz.istoriya". A leading "www." is dropped; hosts that are an IP address,
// have a single label or are missing use FallbackDomain. Each part keeps only A–Z, a–z,
// 0–9 and "_" (other characters become "_") and never starts with a digit.
QString componentId(const QString &address, const QString &folderName);

// `address` when it is an http or https URL with a host, otherwise empty.
QString homepageOf(const QString &address);

Program describe(const QString &caption, const QString &folderName, const QString &executable);

// A value of the desktop entry format: backslash and control characters escaped.
QString entryValue(const QString &text);

// The keys of the desktop entry `text` up to its second group, with their values unescaped
// as a desktop reads them (the reverse of entryValue).
QHash<QString, QString> entryKeys(const QString &text);

// `path` as one argument of an Exec line, quoted where the desktop entry format asks for it
// (before the escaping of the value itself).
QString execArgument(const QString &path);

// The text of <id>.desktop, in the freedesktop.org desktop entry format.
QString desktopEntry(const Program &program);

// The text of <id>.metainfo.xml, an AppStream desktop-application component.
QString metainfo(const Program &program);

} // namespace DesktopFiles
