#pragma once

#include "QuizFile.h"

#include <QByteArray>
#include <QString>
#include <memory>

class ContentStore;

// The test a quiz program carries at the end of its own file, read and checked by the same
// rules as kazpack's, or what the learner is told when it cannot be used.
namespace ProgramQuiz {

struct Loaded
{
    std::shared_ptr<const ContentStore> content; // null when the test cannot be used
    // Otherwise what is wrong and what to do, in one or two sentences.
    QString message;
    // The test's own icon.png, PNG bytes checked as kazpack checks them; empty without one.
    QByteArray icon;
    // The files of the test as checked: test.kaz, its pictures, then icon.png when there is one.
    QuizFileList files;
    bool ok() const { return content != nullptr; }
};

// Who reads the program, for the words of the message: the quiz runner its own file (the
// learner is told), or the test editor a file the teacher chose, which may be any file.
enum class Reader { Runner, Editor };

Loaded load(const QString &programPath, Reader reader = Reader::Runner);

} // namespace ProgramQuiz
