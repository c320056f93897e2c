#include "AppearanceStore.h"

#include "Numbers.h"

AppearanceStore::AppearanceStore()
    : m_items(shippedItems())
{
}

QStringList AppearanceStore::shippedItems()
{
    return {QStringLiteral("всичко това е за управление на цветове"),
            QStringLiteral("Times New Roman"),
            QStringLiteral("12"),
            QStringLiteral("128"), QStringLiteral("128"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("16777215"), QStringLiteral("0"), QStringLiteral("128"), QStringLiteral("0"),
            QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("192"), QStringLiteral("192"), QStringLiteral("0"), QStringLiteral("0")};
}

QString AppearanceStore::item(int i) const
{
    return i >= 0 && i < Count ? m_items.at(i) : QString();
}

void AppearanceStore::setItem(int i, const QString &text)
{
    if (i >= 0 && i < Count)
        m_items[i] = text;
}

qint32 AppearanceStore::integer(int i) const
{
    return Numbers::roundToInt32(Numbers::readLenient(item(i)));
}
