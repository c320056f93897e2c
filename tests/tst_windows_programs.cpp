// The Windows programs as Windows sees them (under Wine here): each .exe a program of its kind
// (a window or a console), standing alone (nothing imported but DLLs Windows ships), stripped
// and without a time stamp, carrying the KAZ icon at every size and its version information
// with the Bulgarian description. The build lists the programs in KAZ_PROGRAM_LIST.
#include "KazIconDrawing.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <windows.h>

namespace {

// A program of the list: "path <tab> quiz|editor <tab> window|console <tab> description".
struct Program {
    QString path;
    QString icon;
    bool window = false;
    QString description;
};

QList<Program> programs()
{
    QList<Program> out;
    QFile list(QStringLiteral(KAZ_PROGRAM_LIST));
    if (!list.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : list.readAll().split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() == 4)
            out.append({fields.at(0), fields.at(1), fields.at(2) == u"window", fields.at(3)});
    }
    return out;
}

void addProgramRows()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<bool>("window");
    QTest::addColumn<QString>("description");
    for (const Program &p : programs())
        QTest::newRow(qPrintable(QFileInfo(p.path).completeBaseName().replace(u'-', u'_')))
            << p.path << p.icon << p.window << p.description;
}

// The DLLs Windows itself ships that a static Qt program imports; api-ms-win-* (Windows' API
// sets) besides.
bool shippedWithWindows(const QString &dll)
{
    static const QStringList shipped{
        u"advapi32.dll"_qs, u"authz.dll"_qs,  u"comdlg32.dll"_qs, u"d3d11.dll"_qs,    u"d3d9.dll"_qs,
        u"dwmapi.dll"_qs,   u"dwrite.dll"_qs, u"dxgi.dll"_qs,     u"gdi32.dll"_qs,    u"imm32.dll"_qs,
        u"kernel32.dll"_qs, u"msvcrt.dll"_qs, u"netapi32.dll"_qs, u"ole32.dll"_qs,    u"oleaut32.dll"_qs,
        u"shcore.dll"_qs,   u"shell32.dll"_qs, u"shlwapi.dll"_qs, u"user32.dll"_qs,   u"userenv.dll"_qs,
        u"uxtheme.dll"_qs,  u"version.dll"_qs, u"winmm.dll"_qs,   u"ws2_32.dll"_qs,   u"wtsapi32.dll"_qs,
    };
    const QString name = dll.toLower();
    return shipped.contains(name) || name.startsWith(u"api-ms-win-");
}

// What the PE headers of a program file say.
struct Headers {
    QString problem; // empty: read
    quint16 subsystem = 0;
    quint32 timeStamp = 0;
    quint32 symbols = 0; // COFF symbols: the linker's, left unless stripped
    QStringList imports;
};

Headers unreadable(const QString &problem)
{
    Headers h;
    h.problem = problem;
    return h;
}

Headers headers(const QByteArray &file)
{
    Headers h;
    const auto u16 = [&file](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    const auto u32 = [&file](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    if (file.size() < 0x40 || !file.startsWith("MZ"))
        return unreadable(QStringLiteral("no MZ header"));
    const qsizetype pe = u32(0x3c);
    if (pe < 0 || pe + 24 + 240 > file.size() || file.mid(pe, 4) != QByteArray("PE\0\0", 4))
        return unreadable(QStringLiteral("no PE header"));
    if (u16(pe + 4) != 0x8664)
        return unreadable(QStringLiteral("not an x86-64 program"));
    const int sections = u16(pe + 6);
    h.timeStamp = u32(pe + 8);
    h.symbols = u32(pe + 12) ? u32(pe + 16) : 0;
    const qsizetype optional = pe + 24;
    if (u16(optional) != 0x20b)
        return unreadable(QStringLiteral("not a PE32+ program"));
    h.subsystem = u16(optional + 68);
    const quint32 importTable = u32(optional + 112 + 8); // data directory 1
    const qsizetype sectionTable = optional + u16(pe + 20);
    // A relative virtual address's place in the file, through the section that holds it.
    const auto offset = [&](quint32 rva) -> qsizetype {
        for (int i = 0; i < sections; ++i) {
            const qsizetype s = sectionTable + 40 * i;
            if (s + 40 > file.size())
                return -1;
            const quint32 start = u32(s + 12);
            const quint32 size = std::max(u32(s + 8), u32(s + 16));
            if (rva >= start && rva < start + size)
                return qsizetype(u32(s + 20)) + (rva - start);
        }
        return -1;
    };
    for (qsizetype d = offset(importTable); d >= 0 && d + 20 <= file.size() && u32(d + 12) != 0; d += 20) {
        const qsizetype name = offset(u32(d + 12));
        if (name < 0)
            return unreadable(QStringLiteral("an import's name lies outside the file"));
        h.imports.append(QString::fromLatin1(file.constData() + name));
    }
    if (h.imports.isEmpty())
        return unreadable(QStringLiteral("no imports read"));
    return h;
}

// The program's version information as Windows reads it.
class VersionInfo
{
public:
    explicit VersionInfo(const QString &path)
    {
        const auto file = reinterpret_cast<LPCWSTR>(path.utf16());
        DWORD ignored = 0;
        m_data.resize(qsizetype(GetFileVersionInfoSizeW(file, &ignored)));
        if (m_data.isEmpty() || !GetFileVersionInfoW(file, 0, DWORD(m_data.size()), m_data.data()))
            m_data.clear();
    }
    bool ok() const { return !m_data.isEmpty(); }
    const VS_FIXEDFILEINFO *fixed() const
    {
        return static_cast<const VS_FIXEDFILEINFO *>(value(QStringLiteral("\\")));
    }
    const void *value(const QString &key, UINT *length = nullptr) const
    {
        void *found = nullptr;
        UINT size = 0;
        if (!VerQueryValueW(m_data.constData(), reinterpret_cast<LPCWSTR>(key.utf16()), &found, &size))
            return nullptr;
        if (length)
            *length = size;
        return found;
    }
    QString text(const QString &name) const
    {
        UINT length = 0;
        const void *found = value(QStringLiteral("\\StringFileInfo\\040204B0\\") + name, &length);
        return found && length ? QString::fromWCharArray(static_cast<const wchar_t *>(found)) : QString();
    }

private:
    QByteArray m_data;
};

// A resource of the program's file, or nothing.
QByteArray resource(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? QByteArray(static_cast<const char *>(bytes), qsizetype(SizeofResource(module, found))) : QByteArray();
}

} // namespace

class TestWindowsPrograms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyProgramIsListed()
    {
        QStringList names;
        for (const Program &p : programs())
            names.append(QFileInfo(p.path).fileName());
        names.sort();
        QCOMPARE(names, (QStringList{u"gift2kaz.exe"_qs, u"kaz-editor.exe"_qs, u"kaz-figuri.exe"_qs,
                                     u"kaz-istoriya.exe"_qs, u"kazcheck.exe"_qs, u"kazpack.exe"_qs,
                                     u"kazrunner.exe"_qs}));
    }

    void programStandsAlone_data() { addProgramRows(); }
    void programStandsAlone()
    {
        QFETCH(QString, path);
        QFETCH(bool, window);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const Headers h = headers(file.readAll());
        QVERIFY2(h.problem.isEmpty(), qPrintable(h.problem));
        QCOMPARE(h.subsystem, quint16(window ? IMAGE_SUBSYSTEM_WINDOWS_GUI : IMAGE_SUBSYSTEM_WINDOWS_CUI));
        for (const QString &dll : h.imports)
            QVERIFY2(shippedWithWindows(dll), qPrintable(dll + u" is no DLL of Windows'; link it in (-static)"_qs));
        // The same sources give the same bytes: no time of linking in the header.
        QCOMPARE(h.timeStamp, quint32(0));
        QCOMPARE(h.symbols, quint32(0));
        // A quiz program is handed out as one download; its runner keeps it small.
        if (QFileInfo(path).fileName().startsWith(u"kaz-") && window && QFileInfo(path).fileName() != u"kaz-editor.exe")
            QVERIFY2(file.size() <= 16'000'000, qPrintable(QString::number(file.size())));
    }

    void versionInformation_data() { addProgramRows(); }
    void versionInformation()
    {
        QFETCH(QString, path);
        QFETCH(QString, description);
        const VersionInfo info(path);
        QVERIFY(info.ok());
        const VS_FIXEDFILEINFO *fixed = info.fixed();
        QVERIFY(fixed);
        QCOMPARE(fixed->dwSignature, DWORD(0xFEEF04BD));
        const QStringList version = QStringLiteral(KAZ_VERSION).split(u'.');
        const auto part = [&version](int i) { return DWORD(i < version.size() ? version.at(i).toUInt() : 0); };
        QCOMPARE(fixed->dwFileVersionMS, (part(0) << 16) | part(1));
        QCOMPARE(fixed->dwFileVersionLS, (part(2) << 16) | part(3));
        QCOMPARE(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        QCOMPARE(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
        QCOMPARE(fixed->dwFileType, DWORD(VFT_APP));

        UINT length = 0;
        const auto *translation = static_cast<const WORD *>(info.value(u"\\VarFileInfo\\Translation"_qs, &length));
        QVERIFY(translation && length >= 4);
        QCOMPARE(translation[0], WORD(0x0402)); // Bulgarian
        QCOMPARE(translation[1], WORD(1200));   // Unicode

        QCOMPARE(info.text(u"ProductName"_qs), u"KAZ"_qs);
        QCOMPARE(info.text(u"ProductVersion"_qs), QStringLiteral(KAZ_VERSION));
        QCOMPARE(info.text(u"FileVersion"_qs), QStringLiteral(KAZ_VERSION));
        // Read back as written: the Cyrillic survives the resource compiler.
        QCOMPARE(info.text(u"FileDescription"_qs), description);
        QVERIFY(std::any_of(description.cbegin(), description.cend(),
                            [](QChar c) { return c.unicode() >= 0x430 && c.unicode() <= 0x44f; }));
        QCOMPARE(info.text(u"CompanyName"_qs), QStringLiteral(KAZ_COPYRIGHT_HOLDER));
        QVERIFY2(info.text(u"LegalCopyright"_qs).contains(QStringLiteral(KAZ_COPYRIGHT_HOLDER)),
                 qPrintable(info.text(u"LegalCopyright"_qs)));
    }

    // The program's icon, as Explorer and the taskbar take it: one icon group holding the
    // drawing at every size, which Windows itself can make an icon of.
    void iconAtEverySize_data() { addProgramRows(); }
    void iconAtEverySize()
    {
        QFETCH(QString, path);
        QFETCH(QString, icon);
        const HMODULE module = LoadLibraryExW(reinterpret_cast<LPCWSTR>(path.utf16()), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        QVERIFY2(module, qPrintable(path));
        const auto freed = qScopeGuard([module] { FreeLibrary(module); });
        const QByteArray group = resource(module, L"IDI_ICON1", MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        QVERIFY(group.size() >= 6);
        const int count = qFromLittleEndian<quint16>(group.constData() + 4);
        QCOMPARE(group.size(), 6 + 14 * count);

        QList<int> sizes;
        for (int i = 0; i < count; ++i) {
            const char *entry = group.constData() + 6 + 14 * i;
            const int size = quint8(entry[0]) ? quint8(entry[0]) : 256;
            sizes.append(size);
            const quint16 id = qFromLittleEndian<quint16>(entry + 12);
            const QByteArray image = resource(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)); // RT_ICON
            QCOMPARE(qsizetype(qFromLittleEndian<quint32>(entry + 8)), image.size());
            const QImage drawn = icon == u"editor" ? KazIconDrawing::editorImage(size) : KazIconDrawing::image(size);
            QCOMPARE(QImage::fromData(image, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied), drawn);

            HICON made = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char *>(image.constData())),
                                                  DWORD(image.size()), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
            QVERIFY2(made, qPrintable(QStringLiteral("Windows makes no icon of the %1-pixel image").arg(size)));
            DestroyIcon(made);
        }
        const QList<int> expected = [] {
            QList<int> list;
            for (const QString &size : QStringLiteral(KAZ_WINDOWS_ICON_SIZES).split(u' '))
                list.append(size.toInt());
            return list;
        }();
        QCOMPARE(sizes, expected);
    }
};

QTEST_MAIN(TestWindowsPrograms)
#include "tst_windows_programs.moc"
