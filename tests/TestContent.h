#pragma once

// Helpers shared by the model suites: test content built in memory or read from the
// shipped test, a test window started on it, and pairing by phrase text.

#include "ContentReader.h"
#include "ContentStore.h"
#include "Kaz.h"
#include "TestFiles.h"

#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace TestContent {

using TestFiles::sourcePath;

// The text of the test that ships with the program; empty when it cannot be read.
inline QString shippedText() { return TestFiles::text(TestFiles::shippedTest()); }

inline std::shared_ptr<const ContentStore> shipped()
{
    return std::make_shared<const ContentStore>(ContentReader::read(shippedText()).store);
}

// "1", "2", … "n"
inline QStringList codes(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out.append(QString::number(i));
    return out;
}

inline QStringList repeated(const QString &text, int times)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out.append(text);
    return out;
}

// Content of one test, filled in by the members a test cares about. Lists left empty
// get neutral values: every explanation switch and picture flag off.
struct Content
{
    QStringList left;
    QStringList right;
    QStringList parameters = {QStringLiteral("https://kaz.test Проба"), QStringLiteral("11250"),
                              QStringLiteral("120"),  QStringLiteral("3135"),
                              QStringLiteral("3360"), QStringLiteral("6575")};
    QString instructions = QStringLiteral("Указания.\r\n");
    std::optional<QStringList> switches; // item 0 is the author's label
    QMap<int, QStringList> explanations;
    std::optional<QStringList> flags; // item 0 is the author's label
    QMap<int, ContentStore::Picture> pictures;

    std::shared_ptr<const ContentStore> build() const
    {
        auto store = std::make_shared<ContentStore>();
        store->setDanni(0, left);
        store->setDanni(1, right);
        store->setDanni(3, parameters);
        store->setUkazanie(instructions);
        store->setOtgowor(0, switches.value_or(QStringList{QStringLiteral("Ima li obqsneniq")}
                                                 + repeated(QStringLiteral("0"), int(left.size()))));
        for (auto it = explanations.cbegin(); it != explanations.cend(); ++it)
            store->setOtgowor(it.key(), it.value());
        store->setSpis_graf(flags.value_or(QStringList{QStringLiteral("flags")}
                                            + repeated(QStringLiteral("0"), int(left.size()))));
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
            store->setGraphika(it.key(), it.value());
        return store;
    }
};

// A test window whose content is `store`; the loader counts how often it is asked.
struct Window
{
    explicit Window(std::shared_ptr<const ContentStore> store)
        : content(std::move(store))
        , kaz([this] {
            ++loads;
            return content;
        })
    {
    }

    std::shared_ptr<const ContentStore> content;
    int loads = 0;
    Kaz kaz;
};

inline std::unique_ptr<Window> started(std::shared_ptr<const ContentStore> store)
{
    auto window = std::make_unique<Window>(std::move(store));
    window->kaz.Form_Load();
    return window;
}

inline int rowOf(const ListModel &list, const QString &text)
{
    return int(list.items().indexOf(text));
}

// Selects the row showing `text` in Slowo(side), as the learner's click would.
inline bool select(Kaz &kaz, int side, const QString &text)
{
    const int row = rowOf(kaz.Slowo(side), text);
    if (row < 0)
        return false;
    kaz.Slowo(side).setSelectedIndex(row);
    return kaz.Slowo(side).selectedIndex() == row;
}

// Selects both phrases and clicks "Избрах"; false when a phrase is not listed or no pair
// was added.
inline bool pair(Kaz &kaz, const QString &left, const QString &right)
{
    if (!select(kaz, 0, left) || !select(kaz, 1, right))
        return false;
    const int before = kaz.Slowo(2).count();
    kaz.Uprawl_Click(0);
    return kaz.Slowo(2).count() == before + 1;
}

// Pairs the phrases with these content codes (1-based) on each side.
inline bool pairCodes(Kaz &kaz, int leftCode, int rightCode)
{
    const ContentStore &c = kaz.KAZ_danni();
    return pair(kaz, ContentStore::item(c.Danni(0), leftCode - 1), ContentStore::item(c.Danni(1), rightCode - 1));
}

// How many of the change sets a spy on Kaz::changed caught hold `part`.
inline int countOf(const QSignalSpy &changes, Kaz::Change part)
{
    int n = 0;
    for (const QList<QVariant> &emission : changes)
        n += emission.at(0).value<Kaz::Changes>().testFlag(part) ? 1 : 0;
    return n;
}

// Every consistency rule between the working lists; the first broken one, or an empty text.
inline QString brokenInvariant(Kaz &kaz)
{
    const ContentStore &c = kaz.KAZ_danni();
    for (int side = 0; side < 2; ++side) {
        const ListModel &phrases = kaz.Slowo(side);
        const ListModel &codes = kaz.dum_N(side);
        if (phrases.count() + kaz.Slowo(2).count() != c.Danni(side).size())
            return QStringLiteral("side %1: %2 listed + %3 paired != %4")
                .arg(side).arg(phrases.count()).arg(kaz.Slowo(2).count()).arg(c.Danni(side).size());
        if (codes.count() != phrases.count())
            return QStringLiteral("dum_N(%1) has %2 rows for %3 phrases").arg(side).arg(codes.count()).arg(phrases.count());
        for (int i = 0; i < phrases.count(); ++i) {
            if (phrases.item(i).isEmpty())
                return QStringLiteral("empty row %1 in Slowo(%2)").arg(i).arg(side);
            if (codes.item(i) != QString::number(c.codeOf(side, phrases.item(i))))
                return QStringLiteral("row %1 of Slowo(%2) \"%3\" has code %4")
                    .arg(i).arg(side).arg(phrases.item(i), codes.item(i));
        }
        // Each phrase in exactly one place: its code once, in this side's list or in one pair.
        QList<int> seen(c.Danni(side).size() + 1, 0);
        const QStringList placed = codes.items() + kaz.dum_N(2 + side).items();
        for (const QString &code : placed) {
            const int k = code.toInt();
            if (k < 1 || k >= seen.size() || ++seen[k] > 1)
                return QStringLiteral("side %1: code \"%2\" is out of range or in two places").arg(side).arg(code);
        }
        ListModel sorted;
        sorted.setSorted(true);
        sorted.setItems(phrases.items());
        if (sorted.items() != phrases.items())
            return QStringLiteral("Slowo(%1) is not in alphabetical order: \"%2\", sorted \"%3\"")
                .arg(QString::number(side), phrases.items().join(QStringLiteral("\" \"")), sorted.items().join(QStringLiteral("\" \"")));
    }
    const ListModel &pairs = kaz.Slowo(2);
    if (kaz.dum_N(2).count() != pairs.count() || kaz.dum_N(3).count() != pairs.count())
        return QStringLiteral("pair code lists out of step with Slowo(2)");
    for (int i = 0; i < pairs.count(); ++i) {
        const QString text = ContentStore::item(c.Danni(0), kaz.dum_N(2).item(i).toInt() - 1) + u' '
                             + ContentStore::item(c.Danni(1), kaz.dum_N(3).item(i).toInt() - 1);
        if (pairs.item(i) != text)
            return QStringLiteral("pair %1 reads \"%2\" but its codes give \"%3\"").arg(i).arg(pairs.item(i), text);
    }
    return {};
}

} // namespace TestContent
