#pragma once

#include "ContentReader.h"
#include "PackedTest.h"

// The files of one test — test.kaz and the pictures it names — read from a test folder or
// from a packed program and checked by every rule of the content format, pictures
// included (each one decoded, and its size held against its box). kazcheck, kazpack and
// the quiz program check with these same functions.
namespace TestFiles {

// Larger files are refused before they are read.
inline constexpr qint64 MaxContentSize = qint64(64) << 20; // test.kaz
inline constexpr qint64 MaxPictureSize = qint64(64) << 20;

struct Checked
{
    bool testRead = false;         // test.kaz could be read; otherwise the one problem says why
    ContentReader::Result content; // the test with the bytes of its pictures, and every problem
    // test.kaz, then each picture the test names, in the order of its questions; empty when
    // there is any problem. Packing these files makes the program.
    PackedTest::Files files;
    bool ok() const { return testRead && content.ok(); }
};

// Why `bytes` cannot be shown as a picture, and the picture's size in pixels.
ContentReader::PictureCheck checkPicture(const QByteArray &bytes);

// The test in `folder`. Only test.kaz and the pictures it names are looked at, and each
// must be a regular file of the folder itself, not a symbolic link. Problems name the files
// as `folder`/test.kaz; the pictures' sources are `folder`/NAME.
Checked readFolder(const QString &folder);

// The test in `files`, as a packed program holds them; the pictures' sources are their
// names. Files the test does not name are ignored.
Checked readFiles(const PackedTest::Files &files);

} // namespace TestFiles
