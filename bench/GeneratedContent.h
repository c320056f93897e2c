#pragma once

// Test content of any size, made in memory: n phrases per side, all different, of one
// or two Cyrillic words with a capital first letter, in random order (a fixed seed makes
// every run see the same test). Questions 1 … 30 have explanation lines.
#include "ContentStore.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <random>

namespace GeneratedContent {

inline QStringList phrases(int n, std::mt19937 &random)
{
    static const QString letters = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъьюя");
    std::uniform_int_distribution<int> letter(0, int(letters.size()) - 1);
    std::uniform_int_distribution<int> length(3, 10);
    std::uniform_int_distribution<int> words(1, 2);
    QStringList out;
    QSet<QString> seen;
    while (out.size() < n) {
        QString phrase;
        for (int w = words(random); w > 0; --w) {
            if (!phrase.isEmpty())
                phrase += u' ';
            const int start = int(phrase.size());
            for (int k = length(random); k > 0; --k)
                phrase += letters.at(letter(random));
            phrase[start] = phrase.at(start).toUpper();
        }
        if (!seen.contains(phrase)) {
            seen.insert(phrase);
            out.append(phrase);
        }
    }
    return out;
}

inline std::shared_ptr<const ContentStore> make(int n)
{
    std::mt19937 random(20260 + n);
    auto store = std::make_shared<ContentStore>();
    store->setDanni(0, phrases(n, random));
    store->setDanni(1, phrases(n, random));
    store->setDanni(3, {QStringLiteral("https://kaz.test Генериран тест"), QStringLiteral("11250"),
                        QStringLiteral("120"), QStringLiteral("3135"), QStringLiteral("3360"),
                        QStringLiteral("6575")});
    store->setUkazanie(QStringLiteral("Свържете всяка фраза отляво с една фраза отдясно.\r\n"));
    QStringList switches{QStringLiteral("Ima li obqsneniq")};
    QStringList flags{QStringLiteral("flags")};
    for (int q = 1; q <= n; ++q) {
        switches.append(q <= ContentStore::QuestionsWithExtras ? QStringLiteral("1") : QStringLiteral("0"));
        flags.append(QStringLiteral("0"));
    }
    store->setOtgowor(0, switches);
    for (int q = 1; q <= ContentStore::QuestionsWithExtras && q <= n; ++q)
        store->setOtgowor(q, {QStringLiteral("Първи ред на обяснението."), QStringLiteral("Втори ред.")});
    store->setSpis_graf(flags);
    return store;
}

} // namespace GeneratedContent
