// The packed format: what pack() writes reads back, and every damaged, foreign or hostile
// tail is refused with its own kind and reason. Hostile tails are built here byte by byte
// after the layout of packed/DESIGN.md, so the layout itself is checked too.
#include "PackedQuiz.h"
#include "TestRunners.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using PackedQuiz::Fault;

namespace {

template <typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

struct RawEntry
{
    QByteArray name;
    QByteArray bytes;
    quint64 size = quint64(-1); // the size the list claims; -1: the real size
};

// A payload as DESIGN.md lays it out, with whatever names and sizes a row wants.
QByteArray rawPayload(const QList<RawEntry> &entries, std::optional<quint32> count = std::nullopt)
{
    QByteArray payload;
    put(payload, count.value_or(quint32(entries.size())));
    for (const RawEntry &e : entries) {
        put(payload, quint16(e.name.size()));
        payload.append(e.name);
        put(payload, e.size == quint64(-1) ? quint64(e.bytes.size()) : e.size);
    }
    for (const RawEntry &e : entries)
        payload.append(e.bytes);
    return payload;
}

QByteArray rawTrailer(const QByteArray &payload, quint32 version = 1, quint64 length = quint64(-1),
                      quint32 reserved = 0)
{
    QByteArray trailer = QCryptographicHash::hash(payload, QCryptographicHash::Sha256);
    put(trailer, length == quint64(-1) ? quint64(payload.size()) : length);
    put(trailer, version);
    put(trailer, reserved);
    trailer.append("KAZPACK\x1a", 8);
    return trailer;
}

const QByteArray Runner = QByteArrayLiteral("#!fake runner\n") + QByteArray(200, 'r');

PackedQuiz::Files sample()
{
    return {{QStringLiteral("test.kaz"), QByteArrayLiteral("[left]\nЛом\n")},
            {QStringLiteral("карта 1.png"), QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(300, '\0')},
            {QStringLiteral("empty.gif"), QByteArray()}};
}

PackedQuiz::Contents readBytes(const QByteArray &program)
{
    QBuffer buffer;
    buffer.setData(program);
    buffer.open(QIODevice::ReadOnly);
    return PackedQuiz::read(buffer);
}

QByteArray realRunner()
{
    QFile file(QStringLiteral(KAZRUNNER));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPacked : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip()
    {
        const QByteArray program = PackedQuiz::pack(Runner, sample());
        QVERIFY(program.startsWith(Runner));
        QCOMPARE(program, PackedQuiz::pack(Runner, sample())); // the same input, the same bytes
        const PackedQuiz::Contents read = readBytes(program);
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QCOMPARE(read.files, sample());
        QCOMPARE(read.version, PackedQuiz::Version);
        QCOMPARE(read.runnerSize, Runner.size());
        // The layout of DESIGN.md gives the same bytes.
        QList<RawEntry> raw;
        for (const PackedQuiz::File &f : sample())
            raw.append({f.name.toUtf8(), f.bytes});
        const QByteArray payload = rawPayload(raw);
        QCOMPARE(program, Runner + payload + rawTrailer(payload));
    }

    // A file on disk is mapped, not read through the buffer path; the result is the same.
    void readsFileOnDisk()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("kaz-x")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(PackedQuiz::pack(Runner, sample()));
        file.close();
        const PackedQuiz::Contents read = PackedQuiz::read(file.fileName());
        QVERIFY2(read.ok(), qPrintable(read.reason));
        QCOMPARE(read.files, sample());
        QCOMPARE(PackedQuiz::read(dir.filePath(QStringLiteral("none"))).fault, Fault::Unreadable);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("reason");

        const QByteArray good = PackedQuiz::pack(Runner, sample());
        const QByteArray payload = good.mid(Runner.size(), good.size() - Runner.size() - PackedQuiz::TrailerSize);
        const auto withPayload = [](const QByteArray &p) { return Runner + p + rawTrailer(p); };

        QTest::addRow("runner_alone") << Runner << Fault::NoTest << "nothing is packed";
        QTest::addRow("empty_file") << QByteArray() << Fault::NoTest << "too short";
        QTest::addRow("cut_by_one_byte") << good.chopped(1) << Fault::NoTest << "nothing is packed";
        QByteArray changed = good;
        changed[Runner.size() + 20] = char(changed.at(Runner.size() + 20) ^ 0x01);
        QTest::addRow("payload_byte_changed") << changed << Fault::Damaged << "checksum does not match";
        QByteArray hashChanged = good;
        hashChanged[good.size() - PackedQuiz::TrailerSize] ^= 0x40;
        QTest::addRow("checksum_changed") << hashChanged << Fault::Damaged << "checksum does not match";
        QTest::addRow("bytes_before_trailer_lost")
            << Runner + payload.chopped(1) + rawTrailer(payload) << Fault::Damaged << "checksum does not match";
        QTest::addRow("newer_version") << Runner + payload + rawTrailer(payload, 2) << Fault::NewerVersion
                                       << "packed in format 2, and this program reads format 1 and older";
        QTest::addRow("version_zero") << Runner + payload + rawTrailer(payload, 0) << Fault::Damaged
                                      << "not in the packed format";
        QTest::addRow("reserved_set") << Runner + payload + rawTrailer(payload, 1, quint64(-1), 7) << Fault::Damaged
                                      << "not in the packed format";
        QTest::addRow("length_beyond_file") << Runner + payload + rawTrailer(payload, 1, quint64(good.size()))
                                            << Fault::Damaged << "more than the file has";
        QTest::addRow("length_huge") << Runner + payload + rawTrailer(payload, 1, quint64(1) << 62) << Fault::Damaged
                                     << "more than the file has";
        QTest::addRow("length_zero") << Runner + rawTrailer({}, 1) << Fault::Damaged << "list of files is missing";

        const RawEntry kaz{"test.kaz", "[left]\n"};
        QTest::addRow("no_files") << withPayload(rawPayload({})) << Fault::Damaged << "holds no files";
        QTest::addRow("count_huge") << withPayload(rawPayload({kaz}, 0xffffffffu)) << Fault::Damaged
                                    << "claims 4294967295 files";
        QTest::addRow("count_above_entries") << withPayload(rawPayload({kaz}, 2)) << Fault::Damaged
                                             << "list of files ends early";
        QTest::addRow("size_huge") << withPayload(rawPayload({{"test.kaz", "x", quint64(1) << 40}})) << Fault::Damaged
                                   << "claims 1099511627776 bytes";
        QTest::addRow("size_past_end") << withPayload(rawPayload({{"test.kaz", "x", 2}})) << Fault::Damaged
                                       << "take 2 bytes, but 1 bytes follow";
        QTest::addRow("bytes_after_files") << withPayload(rawPayload({kaz}) + "extra") << Fault::Damaged
                                           << "but 12 bytes follow";
        QTest::addRow("name_length_past_end")
            << withPayload(QByteArray::fromHex("01000000ff7f") + QByteArray(21, 'a')) << Fault::Damaged << "ends early";

        const auto named = [&](const QByteArray &name) { return withPayload(rawPayload({kaz, {name, "p"}})); };
        QTest::addRow("name_with_slash") << named("../x.png") << Fault::Damaged << "must not hold \"/\"";
        QTest::addRow("name_absolute") << named("/etc/passwd") << Fault::Damaged << "must not hold \"/\"";
        QTest::addRow("name_with_backslash") << named("..\\x.png") << Fault::Damaged << "must not hold \"/\" or \"\\\"";
        QTest::addRow("name_dot_dot") << named("..") << Fault::Damaged << "name folders, not files";
        QTest::addRow("name_dot") << named(".") << Fault::Damaged << "name folders, not files";
        QTest::addRow("name_empty") << named("") << Fault::Damaged << "must not be empty";
        QTest::addRow("name_with_nul") << named(QByteArray("a\0.png", 6)) << Fault::Damaged << "control characters";
        QTest::addRow("name_with_newline") << named("a\n.png") << Fault::Damaged << "control characters";
        QTest::addRow("name_too_long") << named(QByteArray(256, 'a')) << Fault::Damaged << "longer than 255 bytes";
        QTest::addRow("name_not_utf8") << named("\xC2\xE0.png") << Fault::Damaged << "not UTF-8";
        QTest::addRow("name_twice") << withPayload(rawPayload({kaz, {"a.png", "1"}, {"a.png", "2"}}))
                                    << Fault::Damaged << "holds the file \"a.png\" twice";
    }
    void refused()
    {
        QFETCH(QByteArray, program);
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        const PackedQuiz::Contents read = readBytes(program);
        QCOMPARE(int(read.fault), int(fault));
        QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
        QVERIFY(read.files.isEmpty());
    }

    // The real runner is an ELF program (a PE program on Windows): a tail that lost its end is
    // told apart from none.
    void cutShortRealProgram_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<Fault>("fault");
        QTest::addRow("one_byte") << 1 << Fault::Damaged;
        QTest::addRow("trailer") << int(PackedQuiz::TrailerSize) << Fault::Damaged;
        QTest::addRow("all_but_one_byte_of_the_test") << -1 << Fault::Damaged;
        QTest::addRow("the_whole_test") << 0 << Fault::NoTest;
    }
    void cutShortRealProgram()
    {
        QFETCH(int, cut);
        QFETCH(Fault, fault);
        const QByteArray runner = realRunner();
#ifdef Q_OS_WIN
        QVERIFY(runner.startsWith("MZ"));
#else
        QVERIFY(runner.startsWith("\x7f" "ELF"));
#endif
        const QByteArray program = PackedQuiz::pack(runner, sample());
        const qsizetype keep = cut > 0 ? program.size() - cut : cut == 0 ? runner.size() : runner.size() + 1;
        const PackedQuiz::Contents read = readBytes(program.left(keep));
        QCOMPARE(int(read.fault), int(fault));
        if (fault == Fault::Damaged)
            QVERIFY2(read.reason.contains(u"cut short"), qPrintable(read.reason));
    }

    // A Windows program's image ends after its sections, or after the symbols and their names
    // of a program not stripped, or after its certificates when it is signed: a test cut short
    // is told apart from none on every kind.
    void cutShortWindowsProgram_data()
    {
        using TestRunners::PeExtras;
        using TestRunners::peProgramWith;
        QTest::addColumn<QByteArray>("runner");
        QTest::addColumn<int>("cut");
        QTest::addColumn<Fault>("fault");
        const QByteArray text("KAZ quiz runner, packed format 1\0", 33);
        const PeExtras symbols{3, QByteArray("_main\0_WinMain\0", 15), {}};
        const PeExtras signedProgram{0, {}, QByteArray(100, 'c')};
        const PeExtras both{2, QByteArray("_main\0", 6), QByteArray(40, 'c')};
        const PeExtras linkedWithoutTime{0, {}, {}, 0};
        for (const auto &[name, runner] : {std::pair{"pe32_plus", peProgramWith(text, PeExtras{})},
                                           std::pair{"pe32", peProgramWith(text, PeExtras{}, false)},
                                           std::pair{"no_link_time", peProgramWith(text, linkedWithoutTime)},
                                           std::pair{"with_symbols", peProgramWith(text, symbols)},
                                           std::pair{"with_symbols_pe32", peProgramWith(text, symbols, false)},
                                           std::pair{"signed", peProgramWith(text, signedProgram)},
                                           std::pair{"signed_pe32", peProgramWith(text, signedProgram, false)},
                                           std::pair{"symbols_and_signed", peProgramWith(text, both)}}) {
            QTest::addRow("%s_runner_alone", name) << runner << 0 << Fault::NoTest;
            QTest::addRow("%s_one_byte_of_the_test_left", name) << runner << -1 << Fault::Damaged;
            QTest::addRow("%s_trailer_lost", name) << runner << int(PackedQuiz::TrailerSize) << Fault::Damaged;
        }
        // The image itself cut short: its sections, symbols or certificates end past the file.
        const QByteArray plain = peProgramWith(text, PeExtras{});
        QTest::addRow("section_cut") << plain.chopped(1) << -2 << Fault::Damaged;
        QTest::addRow("symbol_names_cut") << peProgramWith(text, symbols).chopped(1) << -2 << Fault::Damaged;
        QTest::addRow("certificate_cut") << peProgramWith(text, signedProgram).chopped(1) << -2 << Fault::Damaged;
    }
    void cutShortWindowsProgram()
    {
        QFETCH(QByteArray, runner);
        QFETCH(int, cut);
        QFETCH(Fault, fault);
        QVERIFY(PackedQuiz::runnerFormat(runner) == 1 || cut == -2);
        const QByteArray program = PackedQuiz::pack(runner, sample());
        const qsizetype keep = cut == -2 ? runner.size() : cut > 0 ? program.size() - cut : runner.size() - cut;
        const PackedQuiz::Contents read = readBytes(cut == -2 ? runner : program.left(keep));
        QCOMPARE(int(read.fault), int(fault));
        if (fault == Fault::Damaged)
            QVERIFY2(read.reason.contains(u"cut short"), qPrintable(read.reason));
        else
            QVERIFY2(read.reason.contains(u"nothing is packed"), qPrintable(read.reason));
    }

    void namesRefusedWhenPacking_data()
    {
        QTest::addColumn<PackedQuiz::Files>("files");
        QTest::addColumn<QString>("problem");
        const PackedQuiz::File kaz{QStringLiteral("test.kaz"), "x"};
        QTest::addRow("none") << PackedQuiz::Files{} << "no files to pack";
        QTest::addRow("slash") << PackedQuiz::Files{kaz, {QStringLiteral("a/b.png"), "p"}} << "must not hold \"/\"";
        QTest::addRow("dot_dot") << PackedQuiz::Files{kaz, {QStringLiteral(".."), "p"}} << "name folders";
        QTest::addRow("tab") << PackedQuiz::Files{kaz, {QStringLiteral("a\tb.png"), "p"}} << "control characters";
        QTest::addRow("twice") << PackedQuiz::Files{kaz, kaz} << "\"test.kaz\" is given twice";
        QTest::addRow("long_cyrillic") << PackedQuiz::Files{kaz, {QString(128, QChar(u'ж')), "p"}}
                                       << "longer than 255 bytes";
    }
    void namesRefusedWhenPacking()
    {
        QFETCH(PackedQuiz::Files, files);
        QFETCH(QString, problem);
        QString why;
        QVERIFY(PackedQuiz::pack(Runner, files, &why).isEmpty());
        QVERIFY2(why.contains(problem), qPrintable(why));
    }

    void namesAccepted()
    {
        for (const QString &name : {u"test.kaz"_qs, u"Карта 1.PNG"_qs, u"a..b.png"_qs, u"...png"_qs,
                                    QString(127, QChar(u'ж')), u"a;b$c.gif"_qs})
            QVERIFY2(PackedQuiz::nameProblem(name).isEmpty(), qPrintable(name));
    }

    // The runner part serves to pack again: of a program, its runner; of a runner, itself.
    void runnerPart()
    {
        QTemporaryDir dir;
        const auto write = [&dir](const QString &name, const QByteArray &bytes) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        const QByteArray program = PackedQuiz::pack(Runner, sample());
        QVERIFY(write(QStringLiteral("program"), program));
        QVERIFY(write(QStringLiteral("runner"), Runner));
        QByteArray damaged = program;
        damaged[Runner.size() + 3] = 'X';
        QVERIFY(write(QStringLiteral("damaged"), damaged));
        const QByteArray payload = program.mid(Runner.size(), program.size() - Runner.size() - PackedQuiz::TrailerSize);
        QVERIFY(write(QStringLiteral("newer"), Runner + payload + rawTrailer(payload, 9)));

        QCOMPARE(PackedQuiz::runnerPart(dir.filePath(QStringLiteral("program"))).bytes, Runner);
        QCOMPARE(PackedQuiz::runnerPart(dir.filePath(QStringLiteral("runner"))).bytes, Runner);
        QCOMPARE(PackedQuiz::runnerPart(dir.filePath(QStringLiteral("newer"))).bytes, Runner);
        const PackedQuiz::Runner refused = PackedQuiz::runnerPart(dir.filePath(QStringLiteral("damaged")));
        QCOMPARE(int(refused.fault), int(Fault::Damaged));
        QVERIFY(refused.bytes.isEmpty());
        QCOMPARE(int(PackedQuiz::runnerPart(dir.filePath(QStringLiteral("none"))).fault), int(Fault::Unreadable));
    }

    // The mark that makes a file a quiz runner, and the layout it reads after it: only where a
    // program keeps its constant text, in a part of an ELF or PE program that is mapped.
    void runnerFormat_data()
    {
        using namespace TestRunners;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("format");
        const QByteArray mark = QByteArrayLiteral("KAZ quiz runner, packed format ");
        QTest::addRow("the_built_runner") << realRunner() << qint64(PackedQuiz::Version);
        QTest::addRow("a_shell_script") << QByteArray("#!/bin/sh\necho hello\n") << qint64(-1);
        QTest::addRow("windows_header_only") << QByteArray("MZ\0\0\0\0", 6) << qint64(-1);
        QTest::addRow("a_text_file_of_the_mark_alone") << mark + '1' << qint64(-1);
        QTest::addRow("mark_without_number") << elfProgram(mark + '\0') << qint64(-1);
        QTest::addRow("mark_cut_at_the_end") << elfProgram('x' + mark) << qint64(-1);
        QTest::addRow("digits_beyond_the_segment") << elfProgram(mark, "1") << qint64(-1);
        QTest::addRow("older_format") << elfProgram(mark + "0\0") << qint64(0);
        QTest::addRow("newer_format") << elfProgram(mark + "12\0") << qint64(12);
        QTest::addRow("bare_mark_then_numbered") << elfProgram(mark + '\0' + mark + '1') << qint64(1);
        QTest::addRow("endless_digits") << elfProgram(mark + QByteArray(40, '9')) << qint64(999999999);
        QTest::addRow("elf_32_bits") << elfProgram(mark + "1\0", {}, false) << qint64(1);
        QTest::addRow("mark_appended_to_a_program") << elfProgram("code", mark + "1\0") << qint64(-1);
        QTest::addRow("mark_appended_to_the_built_runner") << realRunner() + mark + "2\0" << qint64(PackedQuiz::Version);
        QTest::addRow("mark_in_a_segment_not_mapped") << elfProgram(mark + "1\0", {}, true, ElfProgram, NoteSegment) << qint64(-1);
        QTest::addRow("an_object_file") << elfProgram(mark + "1\0", {}, true, ElfObject) << qint64(-1);
        QTest::addRow("windows_pe32_plus") << peProgram(mark + "1\0") << qint64(1);
        QTest::addRow("windows_pe32") << peProgram(mark + "1\0", {}, false) << qint64(1);
        QTest::addRow("windows_mark_after_the_sections") << peProgram("code", mark + "1\0") << qint64(-1);
        QTest::addRow("windows_dll") << peProgram(mark + "1\0", {}, true, true) << qint64(-1);
        // Headers that point beyond the file or claim huge tables are no program.
        QByteArray farTable = elfProgram(mark + "1\0");
        farTable[0x20] = '\x7f';
        QTest::addRow("elf_table_beyond_the_file") << farTable << qint64(-1);
        QByteArray hugeSegment = elfProgram(mark + "1\0");
        hugeSegment[64 + 0x27] = '\x7f'; // p_filesz's top byte
        QTest::addRow("elf_segment_beyond_the_file") << hugeSegment << qint64(-1);
        QByteArray farPe = peProgram(mark + "1\0");
        farPe[0x3f] = '\x7f';
        QTest::addRow("pe_header_beyond_the_file") << farPe << qint64(-1);
        QByteArray manySections = peProgram(mark + "1\0");
        manySections[64 + 6] = '\xff';
        manySections[64 + 7] = '\xff';
        QTest::addRow("pe_more_sections_than_the_file_holds") << manySections << qint64(-1);
    }
    void runnerFormat()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, format);
        QCOMPARE(PackedQuiz::runnerFormat(bytes), format);
    }
};

QTEST_GUILESS_MAIN(TestPacked)
#include "tst_packed.moc"
