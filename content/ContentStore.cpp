#include "ContentStore.h"

#include "Caption.h"

#include <algorithm>

namespace {
const QStringList emptyList;
const ContentStore::Picture emptyBox;
} // namespace

ContentStore::ContentStore()
    : m_otgowor(QuestionsWithExtras + 1)
    , m_graphika(QuestionsWithExtras + 1)
{
}

const QStringList &ContentStore::Danni(int index) const
{
    return index >= 0 && index < 4 ? m_danni[index] : emptyList;
}

const QStringList &ContentStore::Otgowor(int index) const
{
    return index >= 0 && index < m_otgowor.size() ? m_otgowor.at(index) : emptyList;
}

const ContentStore::Picture &ContentStore::Graphika(int q) const
{
    return q >= 0 && q < m_graphika.size() ? m_graphika.at(q) : emptyBox;
}

int ContentStore::codeOf(int side, const QString &text) const
{
    if (side != 0 && side != 1)
        return 0;
    const auto it = m_firstIndex[side].constFind(text);
    return it == m_firstIndex[side].cend() ? 0 : *it + 1;
}

void ContentStore::setDanni(int index, QStringList items)
{
    if (index < 0 || index >= 4)
        return;
    m_danni[index] = std::move(items);
    if (index < 2)
        indexSide(index);
}

void ContentStore::setOtgowor(int index, QStringList items)
{
    if (index >= 0 && index < m_otgowor.size())
        m_otgowor[index] = std::move(items);
}

void ContentStore::setGraphika(int q, Picture picture)
{
    if (q >= 1 && q < m_graphika.size())
        m_graphika[q] = std::move(picture);
}

QString ContentStore::address() const
{
    return Caption::split(item(m_danni[3], 0)).address;
}

void ContentStore::indexSide(int side)
{
    // The first of equal texts keeps its position, as a search from the top would find it.
    QHash<QString, int> &index = m_firstIndex[side];
    index.clear();
    index.reserve(m_danni[side].size());
    for (int i = 0; i < m_danni[side].size(); ++i)
        if (!index.contains(m_danni[side].at(i)))
            index.insert(m_danni[side].at(i), i);
}

bool operator==(const ContentStore &a, const ContentStore &b)
{
    // The index of first occurrences follows from the phrase lists.
    return std::equal(std::begin(a.m_danni), std::end(a.m_danni), std::begin(b.m_danni))
        && a.m_otgowor == b.m_otgowor && a.m_ukazanie == b.m_ukazanie && a.m_spisGraf == b.m_spisGraf
        && a.m_graphika == b.m_graphika && a.m_pictureData == b.m_pictureData;
}
