// The window icon: the PNGs drawn at build time and built into the program, and a window
// icon made of icon files.
#include "Kaz.h"
#include "KazIcon.h"
#include "KazIconDrawing.h"
#include "KazProgram.h"
#include "KazView.h"
#include "PackedQuiz.h"
#include "ProgramQuiz.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// Pixels of an icon file, compared as the same format as the drawing.
QImage pixels(const QIcon &icon, int size)
{
    return icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pixels that differ clearly (summed over the channels) between two drawings of one size.
int clearlyDifferent(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green())
                + std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
            count += distance > 96 ? 1 : 0;
        }
    }
    return count;
}

QList<int> widths(const QIcon &icon)
{
    QList<int> found;
    for (const QSize &size : icon.availableSizes())
        found << size.width();
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

class TestKazIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInFilesAreTheDrawing_data()
    {
        QTest::addColumn<int>("size");
        QTest::addRow("title_bar_16") << 16;
        QTest::addRow("taskbar_and_title_bar_at_double_scale_32") << 32;
        QTest::addRow("window_switcher_48") << 48;
    }

    void builtInFilesAreTheDrawing()
    {
        QFETCH(int, size);
        const QString file = QStringLiteral(":/kaz/icon/%1.png").arg(size);
        QVERIFY2(KazIcon::builtInFiles().contains(file), qPrintable(KazIcon::builtInFiles().join(u' ')));
        QImageReader reader(file);
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(size, size));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied), KazIconDrawing::image(size));
    }

    void builtInFilesAreOnlyTheWindowSizes()
    {
        // The larger sizes come from the installed theme icons; carrying them would only
        // cost time at every start.
        const QIcon icon = KazIcon::windowIcon(KazIcon::builtInFiles());
        QCOMPARE(widths(icon), (QList<int>{16, 32, 48}));
        for (const QSize &size : icon.availableSizes())
            QCOMPARE(size.width(), size.height());
    }

    void windowIconFromFiles_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addRow("no_files") << QStringList{} << QList<int>{};
        QTest::addRow("one_file_of_any_size") << QStringList{u"icon40.png"_qs} << QList<int>{40};
        QTest::addRow("several_sizes") << QStringList{u"icon40.png"_qs, u"icon20.png"_qs} << QList<int>{20, 40};
        QTest::addRow("missing_file_left_out") << QStringList{u"none.png"_qs, u"icon20.png"_qs} << QList<int>{20};
        QTest::addRow("text_named_png_left_out") << QStringList{u"text.png"_qs, u"icon40.png"_qs} << QList<int>{40};
        QTest::addRow("only_unreadable_files") << QStringList{u"text.png"_qs, u"none.png"_qs} << QList<int>{};
    }

    void windowIconFromFiles()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<int>, sizes);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (int size : {20, 40})
            QVERIFY(KazIconDrawing::image(size).save(dir.filePath(QStringLiteral("icon%1.png").arg(size))));
        QFile text(dir.filePath(QStringLiteral("text.png")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture\n");
        text.close();

        QStringList files;
        for (const QString &name : std::as_const(names))
            files << dir.filePath(name);
        const QIcon icon = KazIcon::windowIcon(files);
        QCOMPARE(widths(icon), sizes);
        QCOMPARE(icon.isNull(), sizes.isEmpty());
        for (int size : std::as_const(sizes))
            QCOMPARE(pixels(icon, size), KazIconDrawing::image(size));
    }

    // The editor carries its own drawing at the window sizes, as every quiz program carries
    // the quiz's.
    void editorBuiltInFilesAreTheEditorDrawing_data() { builtInFilesAreTheDrawing_data(); }
    void editorBuiltInFilesAreTheEditorDrawing()
    {
        QFETCH(int, size);
        const QString file = QStringLiteral(":/kaz/editor-icon/%1.png").arg(size);
        QVERIFY2(KazIcon::editorBuiltInFiles().contains(file), qPrintable(KazIcon::editorBuiltInFiles().join(u' ')));
        QImageReader reader(file);
        QCOMPARE(reader.size(), QSize(size, size));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied), KazIconDrawing::editorImage(size));
        const QIcon icon = KazIcon::editorWindowIcon();
        QCOMPARE(widths(icon), (QList<int>{16, 32, 48}));
        QCOMPARE(pixels(icon, size), KazIconDrawing::editorImage(size));
    }

    // In a menu or a title bar beside a quiz program the editor must be told apart at a
    // glance, at every theme size down to 16 pixels, while still looking like KAZ: a clear
    // part of the quiz's icon changes, most of it stays.
    void editorIconIsAVariantOfTheQuizIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : KazIconDrawing::sizes())
            QTest::addRow("%dpx", size) << size;
    }
    void editorIconIsAVariantOfTheQuizIcon()
    {
        QFETCH(int, size);
        const QImage editor = KazIconDrawing::editorImage(size);
        QCOMPARE(editor.size(), QSize(size, size));
        const int changed = clearlyDifferent(KazIconDrawing::image(size), editor);
        QVERIFY2(changed >= size * size / 12, qPrintable(QString::number(changed)));
        QVERIFY2(changed <= size * size / 4, qPrintable(QString::number(changed)));
        // The theme's files are the same drawing.
        QCOMPARE(QImage::fromData(KazIconDrawing::editorPng(size)).convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 editor);
    }

    // The Windows icon file: a directory Windows picks a size from (a 256-pixel entry's width
    // and height written as 0), each entry pointing at a PNG of the drawing at that size, the
    // images one after the other; Qt's own icon reader reads it back.
    void windowsIconHoldsEverySize_data()
    {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<bool>("editor");
        QTest::addRow("quiz_at_the_programs_sizes") << QList<int>{16, 24, 32, 48, 256} << false;
        QTest::addRow("editor_at_the_programs_sizes") << QList<int>{16, 24, 32, 48, 256} << true;
        QTest::addRow("largest_first") << QList<int>{256, 16} << false;
        QTest::addRow("one_size") << QList<int>{32} << true;
    }
    void windowsIconHoldsEverySize()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(bool, editor);
        QList<QImage> drawn;
        for (int size : std::as_const(sizes))
            drawn.append(editor ? KazIconDrawing::editorImage(size) : KazIconDrawing::image(size));
        const QByteArray ico = KazIconDrawing::windowsIcon(drawn);

        const auto u16 = [&ico](qsizetype at) { return qFromLittleEndian<quint16>(ico.constData() + at); };
        const auto u32 = [&ico](qsizetype at) { return qFromLittleEndian<quint32>(ico.constData() + at); };
        QVERIFY(ico.size() >= 6 + 16 * sizes.size());
        QCOMPARE(u16(0), quint16(0));
        QCOMPARE(u16(2), quint16(1));
        QCOMPARE(u16(4), quint16(sizes.size()));
        quint32 next = quint32(6 + 16 * sizes.size());
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            const qsizetype entry = 6 + 16 * i;
            const int written = sizes.at(i) == 256 ? 0 : sizes.at(i);
            QCOMPARE(int(quint8(ico.at(entry))), written);
            QCOMPARE(int(quint8(ico.at(entry + 1))), written);
            QCOMPARE(u16(entry + 4), quint16(1));
            QCOMPARE(u16(entry + 6), quint16(32));
            const quint32 length = u32(entry + 8);
            QCOMPARE(u32(entry + 12), next);
            QVERIFY(qsizetype(next) + qsizetype(length) <= ico.size());
            const QByteArray png = ico.mid(next, length);
            QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
            QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied), drawn.at(i));
            next += length;
        }
        QCOMPARE(qsizetype(next), ico.size());

        QBuffer buffer;
        buffer.setData(ico);
        QImageReader reader(&buffer, "ico");
        QCOMPARE(reader.imageCount(), int(sizes.size()));
        QList<int> read;
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            read.append(reader.read().width());
        }
        QCOMPARE(read, sizes);
    }

    // The setup's pictures for NSIS's pages: a bitmap of 24 bits a pixel, uncompressed, of the
    // size asked, showing the editor's icon whole on white: the header's at its right, the welcome
    // and finish pages' in the upper part above the green band.
    void setupPictures_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addRow("header_150x57") << QSize(150, 57);
        QTest::addRow("welcome_and_finish_164x314") << QSize(164, 314);
    }
    void setupPictures()
    {
        QFETCH(QSize, size);
        const QByteArray bmp = KazIconDrawing::setupBitmap(size.width(), size.height());
        const auto u16 = [&bmp](qsizetype at) { return qFromLittleEndian<quint16>(bmp.constData() + at); };
        const auto u32 = [&bmp](qsizetype at) { return qFromLittleEndian<quint32>(bmp.constData() + at); };
        QVERIFY(bmp.size() > 54);
        QVERIFY(bmp.startsWith("BM"));
        QCOMPARE(u32(2), quint32(bmp.size()));
        QCOMPARE(u32(14), quint32(40)); // BITMAPINFOHEADER
        QCOMPARE(qint32(u32(18)), size.width());
        QCOMPARE(qint32(u32(22)), size.height()); // rows bottom up
        QCOMPARE(u16(28), quint16(24));
        QCOMPARE(u32(30), quint32(0)); // BI_RGB
        const QImage picture = QImage::fromData(bmp, "BMP");
        QCOMPARE(picture.size(), size);

        // Where the icon is: every pixel neither white nor the band's green.
        const QColor green(0, 128, 0);
        const int band = size.width() < size.height() ? size.height() / 8 : 0;
        QRect icon;
        for (int y = 0; y < size.height() - band; ++y)
            for (int x = 0; x < size.width(); ++x)
                if (picture.pixelColor(x, y) != QColor(Qt::white))
                    icon |= QRect(x, y, 1, 1);
        for (int y = size.height() - band; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(picture.pixelColor(x, y), green);
        // The editor's icon, square, whole and clear of the edges, with its pencil.
        QVERIFY2(icon.width() >= 40 && qAbs(icon.width() - icon.height()) <= 1, qPrintable(u"%1x%2"_qs.arg(icon.width()).arg(icon.height())));
        QVERIFY(icon.left() > 0 && icon.top() > 0 && icon.right() < size.width() - 1);
        QVERIFY(icon.bottom() < size.height() - band - 1);
        bool pencil = false;
        for (int y = icon.top(); y <= icon.bottom(); ++y)
            for (int x = icon.left(); x <= icon.right(); ++x)
                pencil = pencil || picture.pixelColor(x, y) == QColor(30, 90, 230);
        QVERIFY2(pencil, "the editor's icon has a blue pencil");
        if (band == 0)
            QVERIFY2(icon.left() > size.width() / 2, "the header's icon stands at its right");
        else
            QVERIFY2(icon.bottom() < size.height() / 2, "the side's icon stands in its upper half");
    }

    void testWindowShowsTheBuiltInIcon()
    {
        Kaz model([] {
            return KazProgram::load(qEnvironmentVariable("KAZ_SOURCE_DIR") + QStringLiteral("/quizzes/istoriya/test.kaz"));
        });
        KazView view(&model);
        model.Form_Load();
        QCOMPARE(widths(view.windowIcon()), (QList<int>{16, 32, 48}));
        for (int size : {16, 32, 48})
            QCOMPARE(pixels(view.windowIcon(), size), KazIconDrawing::image(size));
    }

    // A program whose test has its own icon.png shows it in its window at every size asked,
    // scaled from the one picture; one without keeps KAZ's icon.
    void programShowsTheTestsOwnIcon_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("side");
        QTest::addRow("blue_256") << QColor(Qt::blue) << 256;
        QTest::addRow("red_16") << QColor(Qt::red) << 16;
        QTest::addRow("no_icon") << QColor() << 0;
    }
    void programShowsTheTestsOwnIcon()
    {
        QFETCH(QColor, colour);
        QFETCH(int, side);
        QFile test(qEnvironmentVariable("KAZ_SOURCE_DIR") + QStringLiteral("/quizzes/istoriya/test.kaz"));
        QVERIFY(test.open(QIODevice::ReadOnly));
        PackedQuiz::Files files{{QStringLiteral("test.kaz"), test.readAll()}};
        if (colour.isValid()) {
            QImage image(side, side, QImage::Format_ARGB32);
            image.fill(colour);
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(image.save(&buffer, "PNG"));
            files.append({QStringLiteral("icon.png"), png});
        }
        QTemporaryDir dir;
        QFile program(dir.filePath(QStringLiteral("kaz-own")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write(PackedQuiz::pack("a runner's bytes", files));
        program.close();

        const ProgramQuiz::Loaded loaded = ProgramQuiz::load(program.fileName());
        QVERIFY2(loaded.ok(), qPrintable(loaded.message));
        KazProgram kaz(loaded.content);
        kaz.setIcon(loaded.icon);
        const QIcon icon = kaz.view()->windowIcon();
        for (int size : {16, 32, 48}) {
            const QImage shown = pixels(icon, size);
            QCOMPARE(shown.size(), QSize(size, size));
            if (colour.isValid())
                QCOMPARE(shown.pixelColor(size / 2, size / 2), colour);
            else
                QCOMPARE(shown, KazIconDrawing::image(size));
        }
    }
};

QTEST_MAIN(TestKazIcon)
#include "tst_kazicon.moc"
