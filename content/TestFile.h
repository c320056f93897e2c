#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One file of a test, test.kaz or a picture, by its flat name in the test folder and with its
// bytes. A test folder's check lists them in the order a program packs them; a packed program
// holds them.
struct TestFile
{
    QString name;
    QByteArray bytes;

    friend bool operator==(const TestFile &, const TestFile &) = default;
};
using TestFileList = QList<TestFile>;
