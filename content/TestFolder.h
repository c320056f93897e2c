#pragma once

#include "ContentReader.h"

#include <QString>
#include <QStringList>

// A test folder on disk, checked as the build checks it: its test.kaz read (a plain file of at
// most ContentReader::MaxFileBytes) and checked against every rule of the format, and every
// picture it names looked at. kazcheck prints what this finds.
namespace TestFolder {

struct Checked
{
    QString testFile; // the path of test.kaz, as the problems name it
    bool read = false; // test.kaz could be read; else problems holds the one reason why not
    ContentStore store;
    QList<ContentReader::Problem> problems;
    QStringList files; // test.kaz and the pictures it names that exist
    bool ok() const { return problems.isEmpty(); }
};

Checked check(const QString &folder);

// Why the picture file at `source` cannot be shown, and its size in pixels.
ContentReader::PictureCheck checkPicture(const QString &source);

} // namespace TestFolder
