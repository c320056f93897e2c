#pragma once

// Test content of any size, made in memory: n phrases per side, all different, of one
// or two Cyrillic words with a capital first letter, in random order (a fixed seed makes
// every run see the same test). Questions 1 … 30 have explanation lines; the first
// `pictures` questions (at most 30) have a picture each, opened in the picture window.
#include "ContentStore.h"
#include "ContentWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QString>
#include <QStringList>
#include <algorithm>
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

// A picture of `width` × `height` pixels as PNG bytes: a gradient with a circle, different
// for every `seed`, so that each costs a real decoding.
inline QByteArray pngPicture(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int r = std::min(width, height) / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 2;
            image.setPixel(x, y, dx * dx + dy * dy < r * r
                               ? qRgb(255, 255, 255)
                               : qRgb((x * 255 / width + seed * 37) % 256, (y * 255 / height) % 256, (seed * 71) % 256));
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline std::shared_ptr<const ContentStore> make(int n, int pictures = 0)
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
        flags.append(q <= pictures && q <= ContentStore::QuestionsWithExtras ? QStringLiteral("1") : QStringLiteral("0"));
    }
    store->setOtgowor(0, switches);
    for (int q = 1; q <= ContentStore::QuestionsWithExtras && q <= n; ++q)
        store->setOtgowor(q, {QStringLiteral("Първи ред на обяснението."), QStringLiteral("Втори ред.")});
    store->setSpis_graf(flags);
    for (int q = 1; q <= pictures && q <= ContentStore::QuestionsWithExtras && q <= n; ++q) {
        const QString name = QStringLiteral("kartina-%1.png").arg(q);
        const QByteArray bytes = pngPicture(400 + 10 * q, 300, q);
        store->setGraphika(q, {name, (400 + 10 * q) * 15, 300 * 15});
        store->setPictureData(name, bytes);
    }
    return store;
}

// Writes `store` as a test folder: test.kaz and its picture files. False when it could not.
inline bool writeFolder(const ContentStore &store, const QString &folder)
{
    const QDir dir(folder);
    QFile file(dir.filePath(QStringLiteral("test.kaz")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ContentWriter::write(store).toUtf8());
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const QString source = store.Graphika(q).source;
        if (source.isEmpty())
            continue;
        QFile picture(dir.filePath(source));
        if (!picture.open(QIODevice::WriteOnly) || picture.write(store.pictureData(source)) < 0)
            return false;
    }
    return true;
}

// The editor benchmarks' test: EditorPhrases a side, pictures on questions 1 … EditorPictures,
// written once into a scratch folder that lasts as long as the program.
constexpr int EditorPhrases = 10000;
constexpr int EditorPictures = 10;

inline const QString &editorQuizFolder()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid() || !writeFolder(*make(EditorPhrases, EditorPictures), dir.path()))
            qFatal("cannot write the generated test");
        return dir.path();
    }();
    return path;
}

} // namespace GeneratedContent
