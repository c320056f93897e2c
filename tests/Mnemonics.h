#pragma once

#include <QString>

// The letter after a single & in a menu item's, label's or button's text, which Alt with that
// letter reaches ("&&" is an ampersand); null when there is none.
inline QChar mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        if (text.at(i + 1).isLetterOrNumber())
            return text.at(i + 1).toLower();
    }
    return {};
}

// The text as shown: without the & of its mnemonic.
inline QString withoutMnemonic(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == u'&')
            text.remove(i, 1); // "&&" leaves one, which the loop then steps over
    return text;
}
