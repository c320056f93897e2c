// Reading plain files up to a size, and writing several files all or none, on real folders.
#include "FileAccess.h"
#include "KilledAtStep.h"
#include "TestFiles.h"
#include "WindowsDiffers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QElapsedTimer>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <vector>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

bool link(const QString &target, const QString &path)
{
    return TestFiles::symlink(target, path);
}

// Whether a case of read_data() needs links or named pipes.
bool needsUnixFiles(const QString &what)
{
    return what.startsWith(QStringLiteral("->")) || what == u"(fifo)";
}

// Makes "f" in `dir` as `what` says (see read_data()), beside a file "elsewhere/g" and a
// named pipe "pipe" for links to point to.
bool make(const QTemporaryDir &dir, const QString &what)
{
    const QString f = dir.filePath(QStringLiteral("f"));
    if (!TestFiles::write(dir.filePath(QStringLiteral("elsewhere/g")), "far")
        || (TestFiles::UnixFiles && !TestFiles::fifo(dir.filePath(QStringLiteral("pipe")))))
        return false;
    if (what.startsWith(QStringLiteral("->")))
        return link(what.mid(2), f);
    if (what == u"(folder)")
        return QDir(dir.path()).mkdir(QStringLiteral("f"));
    if (what == u"(fifo)")
        return TestFiles::fifo(f);
    return what == u"(missing)" || TestFiles::write(f, what.toUtf8());
}

// Files "name=content" laid in `dir`.
bool lay(const QString &dir, const QStringList &files)
{
    for (const QString &f : files)
        if (!TestFiles::write(QDir(dir).filePath(f.section(u'=', 0, 0)), f.section(u'=', 1).toUtf8()))
            return false;
    return true;
}

QList<FileAccess::Output> outputs(const QStringList &files)
{
    QList<FileAccess::Output> out;
    for (const QString &f : files)
        out.append({f.section(u'=', 0, 0), f.section(u'=', 1).toUtf8()});
    return out;
}

// The files of `dir` as "name=content", the random part of a left-over name as "…".
QStringList held(const QString &dir)
{
    QStringList out;
    static const QRegularExpression random(QStringLiteral("-[0-9a-f]{8}"));
    for (const QString &name : TestFiles::everything(dir))
        out.append(QString(name).replace(random, QStringLiteral("-…")) + u'='
                   + (name == u".kaz-save.lock"             ? QStringLiteral("(lock)")
                      : name.startsWith(u".kaz-journal") ? QStringLiteral("(journal)")
                                                         : QString::fromUtf8(TestFiles::contents(QDir(dir).filePath(name)))));
    return out;
}

// `files` with `over` put in their place.
QStringList merged(QStringList files, const QStringList &over)
{
    for (const QString &o : over) {
        files.removeIf([&o](const QString &f) { return f.section(u'=', 0, 0) == o.section(u'=', 0, 0); });
        files.append(o);
    }
    files.sort();
    return files;
}

} // namespace

class QuizFileAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What is at "f" in a fresh folder, and what reading it up to 10 bytes gives.
    void read_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says"); // empty: read

        QTest::addRow("plain_file") << QStringLiteral("abc") << QByteArray("abc") << QString();
        QTest::addRow("empty_file") << QString() << QByteArray() << QString();
        QTest::addRow("exactly_as_large_as_allowed") << QStringLiteral("0123456789") << QByteArray("0123456789")
                                                     << QString();
        QTest::addRow("one_byte_too_large") << QStringLiteral("0123456789a") << QByteArray()
                                            << QStringLiteral("it is 11 bytes, larger than 10 bytes");
        QTest::addRow("link_to_a_file_elsewhere") << QStringLiteral("->elsewhere/g") << QByteArray("far")
                                                  << QString();
        QTest::addRow("missing") << QStringLiteral("(missing)") << QByteArray()
                                 << QStringLiteral("there is no such file");
        QTest::addRow("folder") << QStringLiteral("(folder)") << QByteArray()
                                << QStringLiteral("it is a folder, not a file; put a plain file in its place");
        QTest::addRow("named_pipe") << QStringLiteral("(fifo)") << QByteArray()
                                    << QStringLiteral("it is a named pipe (FIFO), not a file");
        QTest::addRow("link_to_a_named_pipe") << QStringLiteral("->pipe") << QByteArray()
                                              << QStringLiteral("it is a named pipe (FIFO), not a file (it is a link "
                                                                "to \"pipe\")");
        QTest::addRow("link_to_dev_zero") << QStringLiteral("->/dev/zero") << QByteArray()
                                          << QStringLiteral("it is a device, not a file (it is a link to \"/dev/zero\")");
        QTest::addRow("dangling_link") << QStringLiteral("->nowhere") << QByteArray()
                                       << QStringLiteral("it is a link to \"nowhere\", which does not exist");
        QTest::addRow("link_loop") << QStringLiteral("->f") << QByteArray()
                                   << QStringLiteral("it is a link that leads round in a circle back to itself");
    }
    void read()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        if (needsUnixFiles(what))
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString f = dir.filePath(QStringLiteral("f"));
        QVERIFY(make(dir, what));

        const FileAccess::Read r = FileAccess::read(f, 10);
        QVERIFY2(r.problem.startsWith(says), qPrintable(r.problem));
        QCOMPARE(r.ok(), says.isEmpty());
        QCOMPARE(r.tooLarge, says.contains(QStringLiteral("larger")));
        QCOMPARE(r.bytes, bytes);
    }

    // Where only a file itself will do, every link is refused as a link, whatever it points
    // to; everything else is read or refused as without the rule.
    void readRefusingLinks_data()
    {
        QTest::addColumn<QString>("what"); // as in read_data()
        QTest::addColumn<QString>("says"); // empty: read

        QTest::addRow("plain_file") << QStringLiteral("abc") << QString();
        QTest::addRow("one_byte_too_large") << QStringLiteral("0123456789a")
                                            << QStringLiteral("it is 11 bytes, larger than 10 bytes");
        QTest::addRow("folder") << QStringLiteral("(folder)") << QStringLiteral("it is a folder, not a file");
        QTest::addRow("named_pipe") << QStringLiteral("(fifo)") << QStringLiteral("it is a named pipe (FIFO), not a file");
        const QString link = QStringLiteral("the file is a symbolic link (to \"%1\"); put the file itself in its "
                                            "place, not a link to it");
        QTest::addRow("link_to_a_file_elsewhere") << QStringLiteral("->elsewhere/g") << link.arg(u"elsewhere/g");
        QTest::addRow("link_to_a_named_pipe") << QStringLiteral("->pipe") << link.arg(u"pipe");
        QTest::addRow("link_to_dev_zero") << QStringLiteral("->/dev/zero") << link.arg(u"/dev/zero");
        QTest::addRow("dangling_link") << QStringLiteral("->nowhere") << link.arg(u"nowhere");
        QTest::addRow("link_loop") << QStringLiteral("->f") << link.arg(u"f");
    }
    void readRefusingLinks()
    {
        QFETCH(QString, what);
        QFETCH(QString, says);
        if (needsUnixFiles(what))
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString f = dir.filePath(QStringLiteral("f"));
        QVERIFY(make(dir, what));

        const FileAccess::Read r = FileAccess::read(f, 10, FileAccess::Links::Refuse);
        QVERIFY2(r.problem.startsWith(says), qPrintable(r.problem));
        QCOMPARE(r.ok(), says.isEmpty());
        QCOMPARE(r.bytes, says.isEmpty() ? what.toUtf8() : QByteArray());
        QCOMPARE(FileAccess::notAFile(f, FileAccess::Links::Refuse).isEmpty(), !what.startsWith(u'(') && !what.startsWith(u'-'));
    }

    void writeMakesMissingFolders()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("new/tests"));
        const QString problem = FileAccess::writeAll(root, {{QStringLiteral("a/test.kaz"), "A"},
                                                            {QStringLiteral("b/test.kaz"), "B"}});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(TestFiles::everything(dir.path()), (QStringList{QStringLiteral("new"), QStringLiteral("new/tests"),
                                                      QStringLiteral("new/tests/a"), QStringLiteral("new/tests/a/test.kaz"),
                                                      QStringLiteral("new/tests/b"), QStringLiteral("new/tests/b/test.kaz")}));
        QCOMPARE(TestFiles::contents(root + QStringLiteral("/b/test.kaz")), QByteArray("B"));
        // Made as any new file is, not private to its owner as a temporary file would be.
        QVERIFY(QFile::permissions(root + QStringLiteral("/a/test.kaz")) & QFile::ReadOther);
    }

    void writeReplacesFileKeepingItsPermissions()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a/test.kaz"));
        QVERIFY(TestFiles::write(file, "old"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(FileAccess::writeAll(dir.path(), {{QStringLiteral("a/test.kaz"), "new"}}), QString());
        QCOMPARE(TestFiles::contents(file), QByteArray("new"));
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                       | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                       | QFile::ExeOther;
        QCOMPARE(QFile::permissions(file) & all, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(TestFiles::everything(dir.path()), (QStringList{QStringLiteral("a"), QStringLiteral("a/test.kaz")}));
    }

    // A link named like the file is replaced itself: the file it points to, outside, stays.
    void writeReplacesLinkNotItsTarget()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QString outside = dir.filePath(QStringLiteral("outside.txt"));
        QVERIFY(TestFiles::write(outside, "precious"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out/a")));
        QVERIFY(link(outside, dir.filePath(QStringLiteral("out/a/test.kaz"))));
        QCOMPARE(FileAccess::writeAll(dir.filePath(QStringLiteral("out")), {{QStringLiteral("a/test.kaz"), "new"}}),
                 QString());
        QCOMPARE(TestFiles::contents(outside), QByteArray("precious"));
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("out/a/test.kaz"))).isSymLink());
        QCOMPARE(TestFiles::contents(dir.filePath(QStringLiteral("out/a/test.kaz"))), QByteArray("new"));
    }

    // What stands in the way is named, and nothing at all is written.
    void writeRefuses_data()
    {
        QTest::addColumn<QString>("setup"); // what is at out, or at out/b, before
        QTest::addColumn<QString>("says");

        QTest::addRow("output_folder_is_a_file") << QStringLiteral("root file")
                                                 << QStringLiteral("out is not a folder but a file; choose another folder");
        QTest::addRow("output_folder_is_a_dangling_link") << QStringLiteral("root link")
                                                          << QStringLiteral("out is a link to \"gone\", which does not exist");
        QTest::addRow("folder_is_a_link_outside") << QStringLiteral("link")
                                                  << QStringLiteral("out/b is a link to \"%1/elsewhere\"; nothing is "
                                                                    "written through a link");
        QTest::addRow("folder_is_a_file") << QStringLiteral("file") << QStringLiteral("out/b is in the way");
        QTest::addRow("target_is_a_folder") << QStringLiteral("target folder")
                                            << QStringLiteral("out/b/test.kaz cannot be replaced: it is a folder");
        QTest::addRow("target_is_a_named_pipe") << QStringLiteral("target fifo")
                                                << QStringLiteral("out/b/test.kaz cannot be replaced: it is a named pipe");
    }
    void writeRefuses()
    {
        QFETCH(QString, setup);
        QFETCH(QString, says);
        if (setup.contains(u"link") || setup.contains(u"fifo"))
            KAZ_SKIP_WITHOUT_UNIX_FILES();
        QTemporaryDir dir;
        const QDir d(dir.path());
        QVERIFY(d.mkpath(QStringLiteral("elsewhere")));
        const QString out = d.filePath(QStringLiteral("out"));
        const QString b = d.filePath(QStringLiteral("out/b"));
        if (setup == u"root file") {
            QVERIFY(TestFiles::write(out, "x"));
        } else if (setup == u"root link") {
            QVERIFY(link(QStringLiteral("gone"), out));
        } else {
            QVERIFY(d.mkpath(QStringLiteral("out")));
            if (setup == u"link")
                QVERIFY(link(d.filePath(QStringLiteral("elsewhere")), b));
            else if (setup == u"file")
                QVERIFY(TestFiles::write(b, "x"));
            else if (setup == u"target folder")
                QVERIFY(d.mkpath(QStringLiteral("out/b/test.kaz")));
            else
                QVERIFY(d.mkpath(QStringLiteral("out/b")) && TestFiles::fifo(b + QStringLiteral("/test.kaz")));
        }
        const QStringList before = TestFiles::everything(dir.path());

        const QString problem = FileAccess::writeAll(d.filePath(QStringLiteral("out")),
                                                     {{QStringLiteral("a/test.kaz"), "A"},
                                                      {QStringLiteral("b/test.kaz"), "B"}});
        const QString start
            = QDir::toNativeSeparators(d.filePath(says.contains(QStringLiteral("%1")) ? says.arg(dir.path()) : says));
        QVERIFY2(problem.startsWith(start), qPrintable(problem));
        QCOMPARE(TestFiles::everything(dir.path()), before);
    }

    // A write that fails after others succeeded (here: a file larger than the process may
    // write) takes them all back: the old file is as it was, no new folder or temporary
    // file is left.
    void failedWriteLeavesDiskAsItWas()
    {
#ifndef Q_OS_UNIX
        QSKIP("a limit on the size of the files a process writes is Unix's (setrlimit)");
#else
        QTemporaryDir dir;
        const QDir d(dir.path());
        QVERIFY(TestFiles::write(d.filePath(QStringLiteral("out/a/test.kaz")), "old"));
        const QStringList before = TestFiles::everything(dir.path());

        rlimit saved = {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const QString problem = FileAccess::writeAll(d.filePath(QStringLiteral("out")),
                                                     {{QStringLiteral("a/test.kaz"), "new"},
                                                      {QStringLiteral("new/b/test.kaz"), QByteArray(8192, 'b')}});
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY2(problem.startsWith(QStringLiteral("cannot write %1: file too large; ")
                                        .arg(d.filePath(QStringLiteral("out/new/b/test.kaz")))),
                 qPrintable(problem));
        QCOMPARE(TestFiles::everything(dir.path()), before);
        QCOMPARE(TestFiles::contents(d.filePath(QStringLiteral("out/a/test.kaz"))), QByteArray("old"));
#endif
    }

    // A save of many new folders at once, as gift2kaz makes of a GIFT file, within a limit of
    // 64 open files (a stock Linux gives 1024): no lock is held open for a folder the save
    // made itself. Its processor time grows with the files: a list of folders searched for
    // every file took 91 s for these 10,000.
    void manyNewFoldersAtOnce()
    {
#ifndef Q_OS_UNIX
        QSKIP("limits on open files and the process's own processor time are Unix's (setrlimit, getrusage)");
#else
        // A folder in memory where there is one, so that the disk's own time does not count.
        QTemporaryDir dir(QFileInfo(u"/dev/shm"_s).isWritable() ? u"/dev/shm/tst_fileaccess-XXXXXX"_s : QString());
        constexpr int Folders = 10000;
        QList<FileAccess::Output> files;
        for (int i = 0; i < Folders; ++i)
            files.append({u"q%1/test.kaz"_s.arg(i), QByteArray::number(i)});
        const auto userSeconds = [] {
            rusage usage = {};
            ::getrusage(RUSAGE_SELF, &usage);
            return double(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6;
        };
        rlimit saved = {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        rlimit few = saved;
        few.rlim_cur = 64;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &few) == 0);
        const double start = userSeconds();
        const QString problem = FileAccess::writeAll(dir.filePath(u"out"_s), files);
        const double spent = userSeconds() - start;
        ::setrlimit(RLIMIT_NOFILE, &saved);
        QCOMPARE(problem, QString());
        qInfo("%d folders written in %.2f s of processor time", Folders, spent);
        QVERIFY2(spent < 5.0, qPrintable(u"%1 s"_s.arg(spent)));
        const QStringList written = TestFiles::everything(dir.filePath(u"out"_s));
        QCOMPARE(written.size(), 2 * Folders); // each folder and its test.kaz, nothing left of the save
        QCOMPARE(written.filter(u"/test.kaz"_s).size(), Folders);
        QCOMPARE(TestFiles::contents(dir.filePath(u"out/q9999/test.kaz"_s)), QByteArray("9999"));
#endif
    }

    // A save killed (SIGKILL, in a child process) before each of its steps: the folder always
    // holds a whole test.kaz, the old one or the new, and finishing what is left gives the old
    // files or the new ones, all of them, and nothing else. The save counts from its journal on.
    void saveKilledAtEveryStep_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("written");
        QTest::addRow("test_and_picture_replaced") << QStringList{u"p.png=old picture"_s, u"test.kaz=old test"_s}
                                                   << QStringList{u"test.kaz=new test"_s, u"p.png=new picture"_s};
        QTest::addRow("picture_added") << QStringList{u"test.kaz=old test"_s}
                                       << QStringList{u"test.kaz=new test"_s, u"p.png=new picture"_s};
        QTest::addRow("test_alone") << QStringList{u"test.kaz=old test"_s} << QStringList{u"test.kaz=new test"_s};
    }
    void saveKilledAtEveryStep()
    {
        KAZ_SKIP_WITHOUT_KILLED_STEPS();
        QFETCH(QStringList, before);
        QFETCH(QStringList, written);
        const QStringList after = merged(before, written);
        // The steps of the save, from one that runs to its end.
        QStringList steps;
        {
            QTemporaryDir dir;
            QVERIFY(lay(dir.path(), before));
            FileAccess::setStepHook([&steps](const QString &step, const QString &path) {
                steps.append(step + u' ' + QFileInfo(path).fileName());
            });
            QCOMPARE(FileAccess::writeAll(dir.path(), outputs(written)), QString());
            FileAccess::setStepHook({});
            QCOMPARE(held(dir.path()), after);
        }
        const qsizetype journal = steps.indexOf(QRegularExpression(QStringLiteral("^rename \\.kaz-journal-.*")));
        QCOMPARE(journal >= 0, written.size() > 1);
        const qsizetype counts = journal >= 0 ? journal + 1 : steps.size();

        for (qsizetype k = 0; k < steps.size(); ++k) {
            QTemporaryDir dir;
            QVERIFY(lay(dir.path(), before));
            QVERIFY2(killedAtStep(k, [&dir, &written] { FileAccess::writeAll(dir.path(), outputs(written)); }),
                     qPrintable(steps.at(k)));
            const QStringList killed = held(dir.path());
            const QByteArray test = TestFiles::contents(dir.filePath(u"test.kaz"_s));
            QVERIFY2(before.contains(u"test.kaz="_s + QString::fromUtf8(test))
                         || written.contains(u"test.kaz="_s + QString::fromUtf8(test)),
                     qPrintable(steps.at(k) + u": "_s + killed.join(u", "_s)));

            QCOMPARE(FileAccess::finishSaving(dir.path()), QString());
            const QStringList finished = held(dir.path());
            qInfo("killed before step %lld (%s): held %s; finished: %s", qlonglong(k), qPrintable(steps.at(k)),
                  qPrintable(killed.join(u", "_s)), qPrintable(finished.join(u", "_s)));
            QCOMPARE(finished, k >= counts ? after : before);
        }
    }

    // A save of more files than are synced one by one (40 folders, half of them there with a
    // test.kaz, half new), killed before a sample of its steps: finishing each folder gives
    // its old test.kaz (or none) or its new one, never a part; before the first journal is in
    // place every folder is as it was, and once the last is, every folder has the new one.
    void largeSaveKilledAtSteps()
    {
        KAZ_SKIP_WITHOUT_KILLED_STEPS();
        constexpr int Folders = 40;
        QStringList before;
        QList<FileAccess::Output> files;
        for (int i = 0; i < Folders; ++i) {
            if (i % 2 == 0)
                before.append(u"f%1/test.kaz=old %1"_s.arg(i));
            files.append({u"f%1/test.kaz"_s.arg(i), u"new %1"_s.arg(i).toUtf8()});
        }
        QStringList steps;
        {
            QTemporaryDir dir;
            QVERIFY(lay(dir.path(), before));
            FileAccess::setStepHook([&steps](const QString &step, const QString &path) {
                steps.append(step + u' ' + QFileInfo(path).fileName());
            });
            QCOMPARE(FileAccess::writeAll(dir.path(), files), QString());
            FileAccess::setStepHook({});
        }
        const QRegularExpression journal(QStringLiteral("^rename \\.kaz-journal-.*"));
        const qsizetype first = steps.indexOf(journal);
        const qsizetype last = steps.lastIndexOf(journal);
        QVERIFY(first > 0 && last > first);
        QCOMPARE(steps.filter(u"sync"_s).size(), 3); // the files and journals, the journals in place, the renames

        QList<qsizetype> kills{first, first + 1, last, last + 1, steps.size() - 1};
        for (qsizetype k = 0; k < steps.size(); k += 29)
            kills.append(k);
        for (const qsizetype k : std::as_const(kills)) {
            QTemporaryDir dir;
            QVERIFY(lay(dir.path(), before));
            QVERIFY2(killedAtStep(k, [&dir, &files] { FileAccess::writeAll(dir.path(), files); }), qPrintable(steps.at(k)));
            for (int i = 0; i < Folders; ++i) {
                const QString folder = dir.filePath(u"f%1"_s.arg(i));
                QCOMPARE(FileAccess::finishSaving(folder), QString());
                const QString old = i % 2 == 0 ? u"test.kaz=old %1"_s.arg(i) : QString();
                const QString made = u"test.kaz=new %1"_s.arg(i);
                const QString now = held(folder).join(u", "_s);
                const QString expected = k <= first ? old : (k > last ? made : QString());
                QVERIFY2(now == old || now == made, qPrintable(steps.at(k) + u": "_s + now));
                if (k <= first || k > last)
                    QVERIFY2(now == expected, qPrintable(steps.at(k) + u": "_s + now));
            }
        }
    }

    // What a save cut short leaves, and what finishing it makes of it: with a journal the save
    // is finished, without one it is undone; what an older editor moved aside comes back.
    void leftoversFinished_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("finished");
        const QString journal = u".kaz-journal-0000000a={\"format\":\"kaz-save-journal\",\"version\":1,\"renames\":[%1]}"_s;
        QTest::addRow("temporaries_without_a_journal")
            << QStringList{u"test.kaz=old"_s, u".test.kaz.new-1234abcd=new"_s, u".p.png.new-00000001=new picture"_s}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("journal_with_no_rename_done")
            << QStringList{u"test.kaz=old"_s, u"p.png=old picture"_s, u".test.kaz.new-1234abcd=new"_s,
                           u".p.png.new-00000001=new picture"_s,
                           journal.arg(u"[\".test.kaz.new-1234abcd\",\"test.kaz\"],[\".p.png.new-00000001\",\"p.png\"]"_s)}
            << QStringList{u"p.png=new picture"_s, u"test.kaz=new"_s};
        QTest::addRow("journal_with_one_rename_done")
            << QStringList{u"test.kaz=new"_s, u"p.png=old picture"_s, u".p.png.new-00000001=new picture"_s,
                           journal.arg(u"[\".test.kaz.new-1234abcd\",\"test.kaz\"],[\".p.png.new-00000001\",\"p.png\"]"_s)}
            << QStringList{u"p.png=new picture"_s, u"test.kaz=new"_s};
        QTest::addRow("journal_not_yet_in_place")
            << QStringList{u"test.kaz=old"_s, u".test.kaz.new-1234abcd=new"_s, u".kaz-journal.new-00000002={\"format\""_s}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("damaged_journal")
            << QStringList{u"test.kaz=old"_s, u".test.kaz.new-1234abcd=new"_s, u".kaz-journal-0000000a=[\"garbage"_s}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("journal_naming_a_file_outside")
            << QStringList{u"test.kaz=old"_s, journal.arg(u"[\"../.x.new-1234abcd\",\"../x\"]"_s)}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("journal_naming_a_file_not_a_temporary")
            << QStringList{u"test.kaz=old"_s, u"notes.txt=notes"_s, journal.arg(u"[\"notes.txt\",\"test.kaz\"]"_s)}
            << QStringList{u"notes.txt=notes"_s, u"test.kaz=old"_s};
        QTest::addRow("older_editor_moved_test_aside")
            << QStringList{u".test.kaz.old-5678abcd=old"_s, u".test.kaz.new-1234abcd=new"_s}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("older_editor_done_but_the_old_copy")
            << QStringList{u"test.kaz=new"_s, u".test.kaz.old-5678abcd=old"_s} << QStringList{u"test.kaz=new"_s};
        QTest::addRow("lock_of_a_gone_process")
            << QStringList{u"test.kaz=old"_s,
                           u".kaz-save.lock=999999999\ntst_fileaccess\n%1\n"_s.arg(QSysInfo::machineHostName())}
            << QStringList{u"test.kaz=old"_s};
        QTest::addRow("other_hidden_files_kept")
            << QStringList{u"test.kaz=old"_s, u".test.kaz.new-12=not ours"_s, u".notes=mine"_s}
            << QStringList{u".notes=mine"_s, u".test.kaz.new-12=not ours"_s, u"test.kaz=old"_s};
    }
    void leftoversFinished()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, finished);
        QTemporaryDir dir;
        QVERIFY(lay(dir.filePath(u"test"_s), left));
        QVERIFY(lay(dir.path(), {u"x=outside"_s, u".x.new-1234abcd=outside new"_s}));
        if (qstrcmp(QTest::currentDataTag(), "lock_of_a_gone_process") == 0)
            KAZ_WINDOWS_DIFFERS("under Wine a lock whose process is gone is taken for a live one's until it is two "
                                "minutes old");
        QCOMPARE(FileAccess::finishSaving(dir.filePath(u"test"_s)), QString());
        QCOMPARE(held(dir.filePath(u"test"_s)), finished);
        QCOMPARE(TestFiles::contents(dir.filePath(u"x"_s)), QByteArray("outside"));
        // A folder without leftovers is not touched: no lock is made in it.
        FileAccess::setStepHook([](const QString &step, const QString &path) { QFAIL(qPrintable(step + path)); });
        QCOMPARE(FileAccess::finishSaving(dir.filePath(u"test"_s)), QString());
        FileAccess::setStepHook({});
    }

    // Another program's save holds a folder's lock: a save that does not wait says so at once
    // and leaves the disk as it was (no folder made, no leftover cleared); one that waits gives
    // up after a few seconds with the same words.
    void lockedFolderToldAtOnce_data()
    {
        QTest::addColumn<bool>("finishing"); // finishSaving, else writeAll
        QTest::addRow("write") << false;
        QTest::addRow("finish_saving") << true;
    }
    void lockedFolderToldAtOnce()
    {
        QFETCH(bool, finishing);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"test"_s);
        QVERIFY(lay(folder, {u"test.kaz=old"_s, u".test.kaz.new-1234abcd=new"_s}));
        QLockFile other(QDir(folder).filePath(u".kaz-save.lock"_s));
        QVERIFY(other.tryLock(0));
        const QStringList before = held(folder);
        const QList<FileAccess::Output> files{{u"test.kaz"_s, "newer"}, {u"pictures/p.png"_s, "picture"}};
        QElapsedTimer clock;
        clock.start();
        const FileAccess::Attempt a = finishing ? FileAccess::tryFinishSaving(folder, FileAccess::LockWait::DontWait)
                                                : FileAccess::tryWriteAll(folder, files, FileAccess::LockWait::DontWait);
        const qint64 ms = clock.elapsed();
        QVERIFY(a.busy);
        QVERIFY2(a.error.contains(u"another program is saving into"_s), qPrintable(a.error));
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
        QCOMPARE(held(folder), before);
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath(u"pictures"_s)));
        other.unlock();
        const FileAccess::Attempt done = finishing ? FileAccess::tryFinishSaving(folder, FileAccess::LockWait::DontWait)
                                                   : FileAccess::tryWriteAll(folder, files, FileAccess::LockWait::DontWait);
        QVERIFY2(done.ok() && !done.busy, qPrintable(done.error));
        QCOMPARE(TestFiles::contents(QDir(folder).filePath(u"test.kaz"_s)), finishing ? QByteArray("old") : QByteArray("newer"));
    }

    // One file written in place of a link: the link goes, the file it pointed to stays; a file
    // for its owner alone is so from the start; what a killed write of that name left is
    // removed, other files are not.
    void writeFileReplacesLinkNotItsTarget()
    {
        KAZ_SKIP_WITHOUT_UNIX_FILES();
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString outside = dir.filePath(u"secret"_s);
        QVERIFY(TestFiles::write(outside, "precious"));
        QVERIFY(QDir(dir.path()).mkpath(u"out"_s));
        const QString program = dir.filePath(u"out/kaz-x"_s);
        QVERIFY(link(outside, program));
        QVERIFY(lay(dir.filePath(u"out"_s), {u".kaz-x.new-1234abcd=cut short"_s, u".other.new-1234abcd=another's"_s}));
        mode_t made = 0;
        FileAccess::setStepHook([&made](const QString &step, const QString &path) {
            struct stat info = {};
            if (step == u"write" && ::stat(QFile::encodeName(path).constData(), &info) == 0)
                made = info.st_mode & 0777;
        });
        QCOMPARE(FileAccess::writeFile(program, "new program", QFile::ReadOwner | QFile::WriteOwner), QString());
        FileAccess::setStepHook({});
        QCOMPARE(made, mode_t(0600));
        QCOMPARE(TestFiles::contents(outside), QByteArray("precious"));
        QVERIFY(!QFileInfo(program).isSymLink());
        QCOMPARE(TestFiles::contents(program), QByteArray("new program"));
        struct stat info = {};
        QVERIFY(::stat(QFile::encodeName(program).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
        QCOMPARE(held(dir.filePath(u"out"_s)), (QStringList{u".other.new-…=another's"_s, u"kaz-x=new program"_s}));
        // A folder that is missing is not made.
        const QString why = FileAccess::writeFile(dir.filePath(u"gone/kaz-x"_s), "x");
        QVERIFY2(why.startsWith(u"no such file or directory; make that folder first"_s), qPrintable(why));
        QVERIFY(!QFileInfo::exists(dir.filePath(u"gone"_s)));
#endif
    }

    // A lock file that cannot be made is told by the system's reason, which QLockFile keeps to
    // itself: a write of the same kind finds it. Nothing is left in the folder.
    void lockFailureToldByItsReason_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("lockAlone"); // only making the lock fails, a write beside it would not
        QTest::addColumn<QString>("says");
        QTest::addRow("disk_full") << int(ENOSPC) << false
                                   << u"no space left on device; the disk is full; make room on it or choose a folder on "
                                      "another disk"_s;
        QTest::addRow("too_many_open_files") << int(EMFILE) << false
                                             << u"too many open files; this program has too many files open at once; close "
                                                "it, start it again and try once more"_s;
        QTest::addRow("too_many_open_files_in_the_system")
            << int(ENFILE) << false
            << u"too many open files in system; the computer has too many files open at once; close some programs and try "
               "again"_s;
        QTest::addRow("read_only_disk") << int(EROFS) << false
                                        << u"read-only file system; that disk can only be read (a locked USB stick, a CD?); "
                                           "choose a folder on another disk"_s;
        QTest::addRow("no_permission") << int(EACCES) << false
                                       << u"permission denied; you may not write there; choose a folder of your own, such "
                                          "as one in your home folder"_s;
        QTest::addRow("lock_alone_without_a_reason") << int(ENOSPC) << true
                                                     << u"input/output error; choose another folder"_s;
    }
    void lockFailureToldByItsReason()
    {
        QFETCH(int, error);
        QFETCH(bool, lockAlone);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QVERIFY(lay(dir.path(), {u"test.kaz=old"_s}));
        const QStringList before = held(dir.path());
        FileAccess::setFaultHook([error, lockAlone](const QString &step, const QString &) {
            return !lockAlone || step == u"lock" ? error : 0;
        });
        const QString one = FileAccess::writeFile(dir.filePath(u"test.kaz"_s), "new");
        const QString all = FileAccess::writeAll(dir.path(), outputs({u"test.kaz=new"_s, u"p.png=new"_s}));
        FileAccess::setFaultHook({});
        QCOMPARE(one, says);
        QCOMPARE(all, u"cannot write in %1: "_s.arg(QDir::toNativeSeparators(dir.path())) + says);
        QCOMPARE(held(dir.path()), before);
    }

    // The same for real: a process that holds as many files open as it may.
    void tooManyOpenFilesToldSo()
    {
#ifndef Q_OS_UNIX
        QSKIP("a limit on the files a process holds open is Unix's (setrlimit)");
#else
        QTemporaryDir dir;
        QVERIFY(lay(dir.path(), {u"test.kaz=old"_s}));
        rlimit saved = {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 64;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &small) == 0);
        std::vector<int> held;
        for (int fd; (fd = ::dup(0)) >= 0;)
            held.push_back(fd);
        const int error = errno;
        const QString one = FileAccess::writeFile(dir.filePath(u"test.kaz"_s), "new");
        for (const int fd : held)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &saved);
        QCOMPARE(error, EMFILE);
        QCOMPARE(one, u"too many open files; this program has too many files open at once; close it, start it again "
                      "and try once more"_s);
        QCOMPARE(TestFiles::everything(dir.path()), QStringList{u"test.kaz"_s});
#endif
    }

    // Too large by how much: in bytes where the rounded sizes would read alike.
    void tooLargeSaysHowMuch_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<qint64>("most");
        QTest::addColumn<QString>("says");
        QTest::addRow("a_byte_over_megabytes") << qint64(8 * 1024 * 1024 + 1) << qint64(8 * 1024 * 1024)
                                               << u"it is 8388609 bytes, larger than 8388608 bytes"_s;
        QTest::addRow("a_byte_over_kilobytes") << qint64(10241) << qint64(10240)
                                               << u"it is 10241 bytes, larger than 10240 bytes"_s;
        QTest::addRow("megabytes_apart") << qint64(9 * 1024 * 1024) << qint64(8 * 1024 * 1024)
                                         << u"it is 9.0 MB, larger than 8.0 MB"_s;
        QTest::addRow("kilobytes_apart") << qint64(20 * 1024) << qint64(12 * 1024) << u"it is 20 KB, larger than 12 KB"_s;
        QTest::addRow("bytes") << qint64(900) << qint64(800) << u"it is 900 bytes, larger than 800 bytes"_s;
    }
    void tooLargeSaysHowMuch()
    {
        QFETCH(qint64, bytes);
        QFETCH(qint64, most);
        QFETCH(QString, says);
        QCOMPARE(FileAccess::tooLarge(bytes, most), says);
    }

    // What a program that only reads a test folder makes of a save cut short there: one that
    // left new files beside old ones is finished, or refused where the folder cannot be written
    // (every write failing as on a disk that can only be read); any other leftover is left
    // alone, as the folder holds the old test whole.
    void finishedForReading_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("after"); // empty: as it was left
        QTest::addColumn<bool>("refused");
        const QString journal = u".kaz-journal-0000000a={\"format\":\"kaz-save-journal\",\"version\":1,\"renames\":[%1]}"_s;
        const QString renames = u"[\".test.kaz.new-1234abcd\",\"test.kaz\"],[\".p.png.new-00000001\",\"p.png\"]"_s;
        const QStringList half{u"test.kaz=new"_s, u"p.png=old picture"_s, u".p.png.new-00000001=new picture"_s,
                               journal.arg(renames)};
        const QStringList whole{u"test.kaz=old"_s, u"p.png=old picture"_s};
        const QStringList neverCounted = whole + QStringList{u".test.kaz.new-1234abcd=new"_s};
        QTest::addRow("nothing_left") << whole << false << QStringList{} << false;
        QTest::addRow("half_done") << half << false << QStringList{u"p.png=new picture"_s, u"test.kaz=new"_s} << false;
        QTest::addRow("half_done_on_a_read_only_disk") << half << true << QStringList{} << true;
        QTest::addRow("all_renamed_but_the_journal_left")
            << QStringList{u"test.kaz=new"_s, u"p.png=new picture"_s, journal.arg(renames)} << true << QStringList{}
            << false;
        QTest::addRow("never_counted") << neverCounted << false << QStringList{} << false;
        QTest::addRow("never_counted_on_a_read_only_disk") << neverCounted << true << QStringList{} << false;
        QTest::addRow("moved_aside_by_an_older_editor")
            << QStringList{u".test.kaz.old-5678abcd=old"_s, u".test.kaz.new-1234abcd=new"_s} << false
            << QStringList{u"test.kaz=old"_s} << false;
    }
    void finishedForReading()
    {
        QFETCH(QStringList, left);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, after);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        QVERIFY(lay(dir.path(), left));
        if (after.isEmpty())
            after = held(dir.path());
        if (readOnly)
            FileAccess::setFaultHook([](const QString &, const QString &) { return EROFS; });
        const QString problem = FileAccess::finishForReading(dir.path());
        FileAccess::setFaultHook({});
        after.sort();
        QCOMPARE(held(dir.path()), after);
        if (!refused) {
            QCOMPARE(problem, QString());
            return;
        }
        QCOMPARE(problem, u"a save into %1 was cut short, so some of its files are new and others still old; finishing it "
                          "needs to write in the folder, and that failed (read-only file system). Open the test in the KAZ "
                          "editor where you may write to the folder, or copy the whole folder, its hidden files too, to a "
                          "folder of your own and use the copy"_s.arg(QDir::toNativeSeparators(dir.path())));
    }

    void reasonsAreWords_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("advice");
        QTest::addRow("permission") << int(EACCES) << QStringLiteral("permission denied")
                                    << QStringLiteral("you may not write there");
        QTest::addRow("read_only_disk") << int(EROFS) << QStringLiteral("read-only file system")
                                        << QStringLiteral("that disk can only be read");
        QTest::addRow("disk_full") << int(ENOSPC) << QStringLiteral("no space left on device")
                                   << QStringLiteral("the disk is full");
        QTest::addRow("missing_folder") << int(ENOENT) << QStringLiteral("no such file or directory")
                                        << QStringLiteral("make that folder first");
    }
    void reasonsAreWords()
    {
        QFETCH(int, error);
        QFETCH(QString, reason);
        QFETCH(QString, advice);
        QCOMPARE(FileAccess::reason(error), reason);
        QVERIFY(FileAccess::writeAdvice(error).startsWith(advice));
    }
};

QTEST_GUILESS_MAIN(QuizFileAccess)
#include "tst_fileaccess.moc"
