#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One file of a test, test.kaz or a picture, by its flat name in the test folder and with its
// bytes. A test folder's check lists them in the order a program packs them; a packed program
// holds them.
struct QuizFile
{
    QString name;
    QByteArray bytes;

    friend bool operator==(const QuizFile &, const QuizFile &) = default;
};
using QuizFileList = QList<QuizFile>;
