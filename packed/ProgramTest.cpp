#include "ProgramTest.h"

#include "PackedTest.h"
#include "TestFolder.h"

#include <QCoreApplication>

namespace ProgramTest {

Loaded load(const QString &programPath)
{
    Loaded loaded;
    const PackedTest::Contents packed = PackedTest::read(programPath);
    switch (packed.fault) {
    case PackedTest::Fault::None: break;
    case PackedTest::Fault::NoTest:
        loaded.message = QCoreApplication::translate("ProgramTest", "This program holds no test: it is the KAZ quiz runner alone. Make a test program from "
                            "a test folder with kazpack (kazpack FOLDER) and start that program instead.");
        return loaded;
    case PackedTest::Fault::Damaged:
        loaded.message = QCoreApplication::translate("ProgramTest", "This test program is damaged: %1. Ask for the program again, or make it again with "
                            "kazpack.")
                             .arg(packed.reason);
        return loaded;
    case PackedTest::Fault::NewerVersion:
        loaded.message = QCoreApplication::translate("ProgramTest", "This test program was made by a newer kazpack than its own runner understands: %1. "
                            "Make the program again with the kazpack of the same KAZ version, or ask for it again.")
                             .arg(packed.reason);
        return loaded;
    case PackedTest::Fault::Unreadable:
        loaded.message = QCoreApplication::translate("ProgramTest", "This test program cannot read its own file: %1. Check that the file may be read, or ask "
                            "for the program again.")
                             .arg(packed.reason);
        return loaded;
    }

    TestFolder::Checked checked = TestFolder::check(packed.files);
    if (!checked.ok()) {
        // The checksum matched, so the program was made this way: by another tool, or by a
        // kazpack whose rules differ from this runner's.
        loaded.message = QCoreApplication::translate("ProgramTest", "This test program is damaged: its test breaks a rule of the test format (%1). Make the "
                            "program again from the test folder with kazpack.")
                             .arg(checked.problems.constFirst().toString());
        return loaded;
    }
    loaded.icon = checked.icon;
    loaded.files = checked.files;
    loaded.content = std::make_shared<const ContentStore>(std::move(checked.store));
    return loaded;
}

} // namespace ProgramTest
