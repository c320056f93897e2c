#include "ProgramQuiz.h"

#include "PackedQuiz.h"
#include "QuizFolder.h"

#include <QCoreApplication>

namespace ProgramQuiz {

Loaded load(const QString &programPath, Reader reader)
{
    Loaded loaded;
    const PackedQuiz::Contents packed = PackedQuiz::read(programPath);
    const bool runner = reader == Reader::Runner;
    switch (packed.fault) {
    case PackedQuiz::Fault::None: break;
    case PackedQuiz::Fault::NoTest:
        // The runner knows what it is; a file the teacher chose may be any file at all.
        loaded.message = runner
            ? QCoreApplication::translate("ProgramQuiz", "This program holds no test: it is the KAZ quiz runner alone. Make a test program from "
                                                         "a test folder with kazpack (kazpack FOLDER) and start that program instead.")
            : QCoreApplication::translate("ProgramQuiz", "This file holds no test: it is no test program made by kazpack. Choose a test "
                                                         "program (such as kaz-istoriya), or open the test's folder or a GIFT file instead.");
        return loaded;
    case PackedQuiz::Fault::Damaged:
        loaded.message = QCoreApplication::translate("ProgramQuiz", "This test program is damaged: %1. Ask for the program again, or make it again with "
                            "kazpack.")
                             .arg(packed.reason);
        return loaded;
    case PackedQuiz::Fault::NewerVersion:
        loaded.message = (runner ? QCoreApplication::translate("ProgramQuiz", "This test program was made by a newer kazpack than its own runner understands: %1. "
                                                                              "Make the program again with the kazpack of the same KAZ version, or ask for it again.")
                                 : QCoreApplication::translate("ProgramQuiz", "This test program was made by a newer kazpack than this editor understands: %1. "
                                                                              "Open it with the editor of a newer KAZ, or ask for the test's folder."))
                             .arg(packed.reason);
        return loaded;
    case PackedQuiz::Fault::Unreadable:
        loaded.message = (runner ? QCoreApplication::translate("ProgramQuiz", "This test program cannot read its own file: %1. Check that the file may be read, or ask "
                                                                              "for the program again.")
                                 : QCoreApplication::translate("ProgramQuiz", "This file cannot be opened: %1. Check that you may read it, or choose another file."))
                             .arg(packed.reason);
        return loaded;
    }

    QuizFolder::Checked checked = QuizFolder::check(packed.files);
    if (!checked.ok()) {
        // The checksum matched, so the program was made this way: by another tool, or by a
        // kazpack whose rules differ from this runner's.
        loaded.message = QCoreApplication::translate("ProgramQuiz", "This test program is damaged: its test breaks a rule of the test format (%1). Make the "
                            "program again from the test folder with kazpack.")
                             .arg(checked.problems.constFirst().toString());
        return loaded;
    }
    loaded.icon = checked.icon;
    loaded.files = checked.files;
    loaded.content = std::make_shared<const ContentStore>(std::move(checked.store));
    return loaded;
}

} // namespace ProgramQuiz
