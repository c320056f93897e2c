#pragma once

#include "ContentStore.h"

#include <QList>
#include <QString>
#include <functional>

// Reads a test written in the KAZ content format (a UTF-8 text of sections such as
// [left], [right], [parameters] …) and checks it against every rule of the format.
// The build runs the check, so a faulty test never becomes a program; the program
// reads the same text again from its resources.
namespace ContentReader {

struct Problem
{
    QString file;
    int line = 0; // 0: the problem has no single line
    QString message;

    // "file:line: error: message", the form compilers and editors understand.
    QString toString() const;
};

struct Result
{
    ContentStore store;
    QList<Problem> problems;
    bool ok() const { return problems.isEmpty(); }
};

struct Options
{
    QString fileName = QStringLiteral("test.kaz"); // named in problems
    // Prefix that turns a picture file name into the picture's source (a folder or a
    // resource path ending in "/").
    QString pictureBase;
    // Says why a picture source cannot be used, or returns an empty text when it can.
    // Without it pictures are not looked at.
    std::function<QString(const QString &source)> checkPicture;
};

Result read(const QString &text, const Options &options = {});

// The largest number of phrases a side may hold.
constexpr int MaxPhrases = 32767;

} // namespace ContentReader
