// The parts of the editor's rows table on their own: the picture thumbnails and their cache,
// the files a picture drop takes and what it says when it cannot, and the marks of a cell.
#include "EditorSupport.h"
#include "PictureDrop.h"
#include "PictureThumbnails.h"
#include "ProblemColours.h"
#include "RowTableModel.h"

#include <QFile>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

QColor middleColour(const QPixmap &pixmap) { return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2); }

} // namespace

class EditorTableParts : public QObject
{
    Q_OBJECT

private slots:
    void thumbnailFits_data();
    void thumbnailFits();
    void thumbnailFollowsTheBytes();
    void droppedFile_data();
    void droppedFile();
    void takePicture_data();
    void takePicture();
    void cellMarks_data();
    void cellMarks();
};

// ---------------------------------------------------------------- the thumbnails

void EditorTableParts::thumbnailFits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("expected"); // an empty size: no thumbnail
    QTest::addRow("small_picture_at_its_own_size") << png(20, 10) << QSize(100, 100) << QSize(20, 10);
    QTest::addRow("wide_picture_fits_the_width") << png(200, 100) << QSize(100, 100) << QSize(100, 50);
    QTest::addRow("tall_picture_fits_the_height") << png(60, 240) << QSize(100, 120) << QSize(30, 120);
    QTest::addRow("exactly_the_box") << png(64, 48) << QSize(64, 48) << QSize(64, 48);
    QTest::addRow("empty_box") << png(20, 10) << QSize(0, 40) << QSize();
    QTest::addRow("no_bytes") << QByteArray() << QSize(100, 100) << QSize();
    QTest::addRow("bytes_of_no_picture") << QByteArray("not a picture") << QSize(100, 100) << QSize();
}

void EditorTableParts::thumbnailFits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, box);
    QFETCH(QSize, expected);
    // Twice: what the cache gives back is what was made.
    for (int pass = 0; pass < 2; ++pass) {
        const QPixmap thumb = PictureThumbnails::scaled(bytes, box);
        QCOMPARE(thumb.isNull(), expected.isEmpty());
        if (!expected.isEmpty())
            QCOMPARE(thumb.size(), expected);
    }
    QCOMPARE(PictureThumbnails::picture(bytes).isNull(), bytes.isEmpty() || bytes.startsWith("not"));
}

// A cell's picture replaced by another of the same size shows the new one, at every size
// it was shown before, and the old one still shows where it still is.
void EditorTableParts::thumbnailFollowsTheBytes()
{
    const QByteArray red = png(80, 80, qRgb(220, 0, 0));
    const QByteArray blue = png(80, 80, qRgb(0, 0, 220));
    for (const QSize box : {QSize(40, 40), QSize(120, 120)})
        QCOMPARE(middleColour(PictureThumbnails::scaled(red, box)), QColor(220, 0, 0));
    for (const QSize box : {QSize(40, 40), QSize(120, 120)})
        QCOMPARE(middleColour(PictureThumbnails::scaled(blue, box)), QColor(0, 0, 220));
    QCOMPARE(middleColour(PictureThumbnails::picture(blue)), QColor(0, 0, 220));
    QCOMPARE(middleColour(PictureThumbnails::picture(red)), QColor(220, 0, 0));
    QCOMPARE(PictureThumbnails::scaled(red, QSize(40, 40)).size(), QSize(40, 40));
}

// ---------------------------------------------------------------- the drop

void EditorTableParts::droppedFile_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("taken");
    QTest::addRow("one_local_file") << u"file"_s << true;
    QTest::addRow("missing_file") << u"missing"_s << false;
    QTest::addRow("folder") << u"folder"_s << false;
    QTest::addRow("web_address") << u"web"_s << false;
    QTest::addRow("two_files") << u"two"_s << false;
    QTest::addRow("text_only") << u"text"_s << false;
    QTest::addRow("nothing") << u"null"_s << false;
}

void EditorTableParts::droppedFile()
{
    QFETCH(QString, what);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"a.png"_s);
    const QString other = dir.filePath(u"b.png"_s);
    for (const QString &p : {path, other}) {
        QFile file(p);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(png(4, 4));
    }
    QMimeData mime;
    if (what == u"file")
        mime.setUrls({QUrl::fromLocalFile(path)});
    else if (what == u"missing")
        mime.setUrls({QUrl::fromLocalFile(dir.filePath(u"gone.png"_s))});
    else if (what == u"folder")
        mime.setUrls({QUrl::fromLocalFile(dir.path())});
    else if (what == u"web")
        mime.setUrls({QUrl(u"https://example.org/a.png"_s)});
    else if (what == u"two")
        mime.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(other)});
    else if (what == u"text")
        mime.setText(path);
    QCOMPARE(PictureDrop::droppedFile(what == u"null" ? nullptr : &mime), taken ? path : QString());
}

void EditorTableParts::takePicture_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QString>("message"); // its beginning; empty: the picture is taken
    QTest::addRow("second_row") << 1 << true << QString();
    QTest::addRow("no_row_chosen") << -1 << true << u"Choose a row of the table first"_s;
    QTest::addRow("past_the_last_row") << 2 << true << u"Choose a row of the table first"_s;
    QTest::addRow("file_gone") << 0 << false << u"This picture cannot be used: "_s;
}

void EditorTableParts::takePicture()
{
    QFETCH(int, row);
    QFETCH(bool, fileThere);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"sun.png"_s);
    const QByteArray bytes = png(10, 6);
    if (fileThere) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QuizDocument doc;
    setRows(doc, u"a\tb\nc\td\n"_s);
    const QString why = PictureDrop::takePicture(doc, row, path);
    QVERIFY2(message.isEmpty() ? why.isEmpty() : why.startsWith(message), qPrintable(why));
    for (int r = 0; r < doc.rowCount(); ++r)
        QCOMPARE(doc.row(r).picture.bytes, message.isEmpty() && r == row ? bytes : QByteArray());
    if (message.isEmpty())
        QCOMPARE(doc.row(row).picture.name, u"sun.png"_s);
}

// ---------------------------------------------------------------- the marks of a cell

void EditorTableParts::cellMarks_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QRgb>("tint"); // 0: none
    QTest::addColumn<QRgb>("line"); // 0: none
    QTest::addColumn<int>("lineStyle");
    QTest::addColumn<QStringList>("tooltip");

    const QRgb none = 0;
    const QString unpaired = u"Left phrase without a partner"_s;
    const QString extra = u"Extra right phrase (no left partner)"_s;
    QTest::addRow("a_pair") << u"a"_s << u"b"_s << QStringList() << QStringList() << none << none << int(Qt::NoPen)
                            << QStringList();
    QTest::addRow("a_blank_row") << QString() << QString() << QStringList() << QStringList() << none << none
                                 << int(Qt::NoPen) << QStringList();
    QTest::addRow("left_alone") << u"a"_s << QString() << QStringList() << QStringList() << ProblemColours::UnpairedTint
                                << none << int(Qt::NoPen) << QStringList{unpaired};
    QTest::addRow("right_alone") << QString() << u"b"_s << QStringList() << QStringList() << ProblemColours::UnpairedTint
                                 << none << int(Qt::NoPen) << QStringList{extra};
    QTest::addRow("a_warning") << u"a"_s << u"b"_s << QStringList() << QStringList{u"cut"_s} << ProblemColours::WarningTint
                               << ProblemColours::WarningOrange << int(Qt::DashLine) << QStringList{u"Warning: cut"_s};
    QTest::addRow("a_problem") << u"a"_s << u"b"_s << QStringList{u"twice"_s, u"empty"_s} << QStringList()
                               << ProblemColours::ProblemTint << ProblemColours::ProblemRed << int(Qt::SolidLine)
                               << QStringList{u"twice"_s, u"empty"_s};
    QTest::addRow("problem_outranks_warning_and_partner")
        << u"a"_s << QString() << QStringList{u"twice"_s} << QStringList{u"cut"_s} << ProblemColours::ProblemTint
        << ProblemColours::ProblemRed << int(Qt::SolidLine) << QStringList{u"twice"_s, u"Warning: cut"_s, unpaired};
    QTest::addRow("warning_outranks_partner")
        << QString() << u"b"_s << QStringList() << QStringList{u"cut"_s} << ProblemColours::WarningTint
        << ProblemColours::WarningOrange << int(Qt::DashLine) << QStringList{u"Warning: cut"_s, extra};
}

void EditorTableParts::cellMarks()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QStringList, problems);
    QFETCH(QStringList, warnings);
    QFETCH(QRgb, tint);
    QFETCH(QRgb, line);
    QFETCH(int, lineStyle);
    QFETCH(QStringList, tooltip);

    // A row as RowTableModel gives it, its marks on the explanation cell.
    QStandardItemModel model(1, RowTableModel::ColumnCount);
    model.setData(model.index(0, RowTableModel::LeftColumn), left);
    model.setData(model.index(0, RowTableModel::RightColumn), right);
    const QModelIndex cell = model.index(0, RowTableModel::ExplanationColumn);
    model.setData(cell, problems, RowTableModel::ProblemsRole);
    model.setData(cell, warnings, RowTableModel::WarningsRole);

    const ProblemColours::CellMarks marks = ProblemColours::cellMarks(cell);
    QCOMPARE(marks.tint.isValid(), tint != 0);
    if (tint)
        QCOMPARE(marks.tint.rgba(), tint);
    QCOMPARE(int(marks.underline.style()), lineStyle);
    if (line)
        QCOMPARE(marks.underline.color().rgba(), line);
    QCOMPARE(marks.tooltip, tooltip);
}

QTEST_MAIN(EditorTableParts)
#include "tst_editor_table.moc"
