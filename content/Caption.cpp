#include "Caption.h"

#include <QRegularExpression>

namespace Caption {

bool readsAsAddress(const QString &word)
{
    static const QRegularExpression address(QStringLiteral(
        "^(?:[A-Za-z][A-Za-z0-9+.-]*://\\S+|www\\.\\S+|[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*\\.[A-Za-z][A-Za-z0-9-]*"
        "(?:[/:]\\S*)?)$"));
    return address.match(word).hasMatch();
}

Parts split(const QString &caption)
{
    const qsizetype space = caption.indexOf(u' ');
    const QString first = space < 0 ? caption : caption.left(space);
    const QString rest = space < 0 ? QString() : caption.mid(space + 1);
    if (!readsAsAddress(first) || (space >= 0 && rest.isEmpty()))
        return {QString(), caption};
    return {first, rest};
}

QString join(const QString &address, const QString &title)
{
    if (address.isEmpty())
        return title;
    return title.isEmpty() ? address : address + u' ' + title;
}

QString pictureWindowTitle(const QString &caption)
{
    const Parts parts = split(caption);
    const QString name = parts.address.isEmpty() ? caption.trimmed() : parts.address;
    return name.isEmpty() ? QStringLiteral("KAZ picture") : name + QStringLiteral(" - KAZ picture");
}

} // namespace Caption
