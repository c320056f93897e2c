#pragma once

// Random phrases for the random learner sessions: words of syllables in mixed scripts and case,
// so that sorting, searching and pairing meet what real tests hold. Seeded: the same generator
// gives the same phrases.

#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <QStringList>

namespace RandomPhrases {

// One to three syllables of `syllables`, then all in capitals, all small, or as they came.
inline QString word(QRandomGenerator &rng, const QStringList &syllables)
{
    QString w;
    const int n = 1 + rng.bounded(3);
    for (int i = 0; i < n; ++i)
        w += syllables.at(rng.bounded(int(syllables.size())));
    switch (rng.bounded(4)) {
    case 0:
        return w.toUpper();
    case 1:
        return w.toLower();
    default:
        return w;
    }
}

// `count` distinct phrases of one side, one to three words each, some only a case apart from
// the one before; with `trailingSpaces`, some end in a space.
inline QStringList side(QRandomGenerator &rng, int count, const QStringList &syllables, bool trailingSpaces)
{
    QStringList phrases;
    QSet<QString> seen;
    while (phrases.size() < count) {
        QString p = word(rng, syllables);
        for (int words = rng.bounded(3); words > 0; --words)
            p += u' ' + word(rng, syllables);
        if (!phrases.isEmpty() && rng.bounded(6) == 0)
            p = rng.bounded(2) ? phrases.last().toUpper() : phrases.last().toLower();
        if (trailingSpaces && rng.bounded(10) == 0)
            p += u' ';
        if (!seen.contains(p)) {
            seen.insert(p);
            phrases.append(p);
        }
    }
    return phrases;
}

} // namespace RandomPhrases
