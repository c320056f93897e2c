#pragma once

#include "DocumentContent.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The recovery file of an open test: one JSON file under QStandardPaths::AppDataLocation,
// "recovery/", holding everything the document holds (rows, fields, what a file holds past
// the last question, the pictures' bytes in base64) and the folder it belongs to. Written a
// few seconds after each change, removed on saving and on a clean close; after a crash the
// editor finds it and offers the test again.
namespace Recovery {

QString folder();
// The file for a document known by `key` (its test folder, or an id of an unsaved test).
QString pathFor(const QString &key);

// Written under a temporary name and renamed. Returns why it was not written, empty on success.
QString write(const QString &path, const DocumentContent &content, const QString &testFolder);

struct Found
{
    QString path;
    QString testFolder; // empty for a test never saved
    QString title;
    QDateTime written;
};
// The recovery files there are, the newest first.
QList<Found> find();

struct Loaded
{
    QString error; // why the file could not be read; empty when it was
    DocumentContent content;
    QString testFolder;
    QDateTime written;
    bool ok() const { return error.isEmpty(); }
};
Loaded read(const QString &path);

bool remove(const QString &path);

} // namespace Recovery
