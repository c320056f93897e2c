// The editor's editing widgets driven by keys, drops and paint on the offscreen platform: the
// table's explanation editor and cells, the picture panel, the geometry panel and its sketch.
#include "ContentReader.h"
#include "EditorGeometryPanel.h"
#include "EditorPicturePanel.h"
#include "EditorSupport.h"
#include "EditorTable.h"
#include "PictureDrop.h"
#include "RowTableDelegate.h"
#include "RowTableModel.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrl>

using namespace EditorSupport;

namespace {

// A table on a document, shown and ready for keys.
struct Table
{
    QuizDocument doc;
    QTableView view;

    explicit Table(const QString &rows)
    {
        setRows(doc, rows);
        view.setModel(doc.model());
        EditorTable::install(&view);
        view.resize(640, 400);
        view.show();
    }
    QModelIndex index(int row, int column) const { return doc.model()->index(row, column); }
    QPlainTextEdit *explanationEditor() const { return view.viewport()->findChild<QPlainTextEdit *>(); }
};

// Pixels of `image` inside `area` for which `match` holds.
template<typename Match>
int countPixels(const QImage &image, const QRect &area, Match match)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

QLineEdit *lineEdit(const EditorGeometryPanel &panel, DocumentField field)
{
    return qobject_cast<QLineEdit *>(panel.editorFor(field));
}

QRect sketchRect(const EditorSketch *sketch, DocumentField field)
{
    const Sketch::Rects &px = sketch->sketch().pixels;
    switch (field) {
    case DocumentField::WindowWidth:
        return px.window;
    case DocumentField::LeftListLeft:
    case DocumentField::LeftListWidth:
        return px.leftList;
    default:
        return px.rightList;
    }
}

} // namespace

class EditorWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // the table
    void explanationEditor_data();
    void explanationEditor();
    void explanationCellMeasuresTheLinesShown();
    void typingIntoSelectedCellEdits();
    void phraseStoredAtEveryKey_data();
    void phraseStoredAtEveryKey();
    void pictureColumnPaintsThumbnailOrDash();
    void unpairedRowTooltip();
    void dropOnPictureCell_data();
    void dropOnPictureCell();

    // the geometry panel
    void sketchFollowsTypingAndUndo_data();
    void sketchFollowsTypingAndUndo();
    void geometryProblemMarked_data();
    void geometryProblemMarked();

    // the picture panel
    void dropPicture_data();
    void dropPicture();
    void boxSpinBoxesStoreTwips_data();
    void boxSpinBoxesStoreTwips();
    void pictureProblemShown();
    void modeFollowsComboAndUndo();
};

// ---------------------------------------------------------------- the table

void EditorWidgets::explanationEditor_data()
{
    QTest::addColumn<Qt::KeyboardModifier>("newLine");
    QTest::addColumn<Qt::Key>("finish");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("steps");
    QTest::addRow("shift_enter_then_enter") << Qt::ShiftModifier << Qt::Key_Return << u"first\nsecond"_qs << 1;
    QTest::addRow("alt_enter_then_keypad_enter") << Qt::AltModifier << Qt::Key_Enter << u"first\nsecond"_qs << 1;
    QTest::addRow("escape_cancels") << Qt::ShiftModifier << Qt::Key_Escape << u"old"_qs << 0;
}

void EditorWidgets::explanationEditor()
{
    QFETCH(Qt::KeyboardModifier, newLine);
    QFETCH(Qt::Key, finish);
    QFETCH(QString, expected);
    QFETCH(int, steps);

    Table t(u"a\tb\told\nc\td\n"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    const int oneLine = t.view.rowHeight(0);
    const QModelIndex cell = t.index(0, RowTableModel::ExplanationColumn);
    t.view.setCurrentIndex(cell);
    t.view.edit(cell);
    QPlainTextEdit *editor = t.explanationEditor();
    QVERIFY(editor);
    QCOMPARE(editor->toPlainText(), u"old"_qs);

    QTest::keyClicks(editor, u"first"_qs);
    QTest::keyClick(editor, Qt::Key_Return, newLine);
    QTest::keyClicks(editor, u"second"_qs);
    QCOMPARE(editor->toPlainText(), u"first\nsecond"_qs);
    QCOMPARE(t.doc.row(0).explanation, QStringList{u"old"_qs}); // nothing is stored while typing
    QTest::keyClick(editor, finish);

    QTRY_VERIFY(!t.explanationEditor() || !t.explanationEditor()->isVisible());
    QCOMPARE(t.doc.row(0).explanation.join(u'\n'), expected);
    QCOMPARE(t.doc.undoStack()->count(), steps);
    if (steps > 0) {
        QVERIFY2(t.view.rowHeight(0) > oneLine, "the row grows to show both lines");
        t.doc.undoStack()->undo();
        QCOMPARE(t.doc.row(0).explanation, QStringList{u"old"_qs});
        QCOMPARE(t.view.rowHeight(0), oneLine);
    }
}

// A cell shows the first RowTableDelegate::MaxShownLines lines of an explanation and is measured on them alone:
// lines past them change neither its row's height nor its width, however many and long they are
// (measuring every line of long explanations held up opening a test for seconds).
void EditorWidgets::explanationCellMeasuresTheLinesShown()
{
    QStringList shown;
    for (int i = 1; i <= RowTableDelegate::MaxShownLines; ++i)
        shown.append(u"ред %1"_qs.arg(i));
    Table t(u"a\tb\nc\td\n"_qs);
    t.doc.setCell(0, DocumentField::Explanation, (shown + QStringList{u"още"_qs}).join(u'\n'));
    t.doc.setCell(1, DocumentField::Explanation, (shown + QStringList(2000, QString(300, u'ш'))).join(u'\n'));
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    QCOMPARE(t.view.rowHeight(1), t.view.rowHeight(0));
    const QStyleOptionViewItem option;
    QAbstractItemDelegate *delegate = t.view.itemDelegate();
    QCOMPARE(delegate->sizeHint(option, t.index(1, RowTableModel::ExplanationColumn)),
             delegate->sizeHint(option, t.index(0, RowTableModel::ExplanationColumn)));
}

void EditorWidgets::typingIntoSelectedCellEdits()
{
    Table t(u"a\tb\n"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    t.view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.view));
    t.view.setCurrentIndex(t.index(0, RowTableModel::RightColumn));
    t.view.setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    QVERIFY2(qobject_cast<QLineEdit *>(QApplication::focusWidget()), "a key opens the cell's editor");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(t.doc.row(0).right, u"xy"_qs);
    QCOMPARE(t.doc.undoStack()->count(), 1);
}

// A phrase is stored while it is typed, so that its problems show at once; the problems
// arriving do not move the cursor; Escape puts the cell back and leaves no undo step, Enter
// keeps the phrase as one step.
void EditorWidgets::phraseStoredAtEveryKey_data()
{
    QTest::addColumn<Qt::Key>("finish");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("steps");
    QTest::addRow("enter_keeps_it") << Qt::Key_Return << u"axyb"_qs << 1;
    QTest::addRow("escape_puts_it_back") << Qt::Key_Escape << u"ab"_qs << 0;
}

void EditorWidgets::phraseStoredAtEveryKey()
{
    QFETCH(Qt::Key, finish);
    QFETCH(QString, expected);
    QFETCH(int, steps);
    Table t(u"ab\tb\naxb\td\n"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    const QModelIndex cell = t.index(0, RowTableModel::LeftColumn);
    t.view.setCurrentIndex(cell);
    t.view.edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setCursorPosition(1); // between "a" and "b"
    QTest::keyClick(editor, Qt::Key_X);
    QCOMPARE(t.doc.row(0).left, u"axb"_qs);
    t.doc.checkNow();
    // The problem is the later row's, the one that repeats the phrase.
    QVERIFY2(!t.index(1, RowTableModel::LeftColumn).data(RowTableModel::ProblemsRole).toStringList().isEmpty(),
             "the phrase typed twice has its problem while the cell is still being typed");
    QCOMPARE(editor->cursorPosition(), 2);
    QTest::keyClick(editor, Qt::Key_Y);
    QCOMPARE(editor->text(), u"axyb"_qs); // the cursor stayed where the typing was
    QCOMPARE(t.doc.row(0).left, u"axyb"_qs);
    QTest::keyClick(editor, finish);
    QTRY_VERIFY(QApplication::focusWidget() != editor);
    QCOMPARE(t.doc.row(0).left, expected);
    QCOMPARE(t.doc.undoStack()->count(), steps);
}

void EditorWidgets::pictureColumnPaintsThumbnailOrDash()
{
    Table t(u"a\tb\nc\td\n"_qs);
    t.doc.setPicture(0, u"red.png"_qs, png(40, 40, qRgb(220, 0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    const QImage image = t.view.viewport()->grab().toImage();
    const auto red = [](const QColor &c) { return c.red() > 180 && c.green() < 60 && c.blue() < 60; };

    const QRect withPicture = t.view.visualRect(t.index(0, RowTableModel::PictureColumn));
    QVERIFY2(withPicture.height() >= RowTableDelegate::ThumbnailHeight, "a row with a picture is high enough to show it");
    QVERIFY2(countPixels(image, withPicture, red) > 300, "the thumbnail is drawn in its cell");

    const QRect without = t.view.visualRect(t.index(1, RowTableModel::PictureColumn));
    QCOMPARE(countPixels(image, without, red), 0);
    const QColor background = image.pixelColor(without.topLeft() + QPoint(2, 2));
    QVERIFY2(countPixels(image, without, [&](const QColor &c) { return c != background; }) > 3,
             "a cell without a picture shows a dash");
}

void EditorWidgets::unpairedRowTooltip()
{
    Table t(u"a\tb\n\textra\n"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    const QRect cell = t.view.visualRect(t.index(1, RowTableModel::RightColumn));
    QHelpEvent help(QEvent::ToolTip, cell.center(), t.view.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(t.view.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), u"Extra right phrase (no left partner)"_qs);
    QToolTip::hideText();
}

void EditorWidgets::dropOnPictureCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("taken");
    QTest::addRow("picture_cell") << int(RowTableModel::PictureColumn) << true;
    QTest::addRow("left_cell") << int(RowTableModel::LeftColumn) << false;
}

void EditorWidgets::dropOnPictureCell()
{
    QFETCH(int, column);
    QFETCH(bool, taken);

    QTemporaryDir dir;
    const QByteArray bytes = png(12, 12);
    const QString path = dir.filePath(u"square.png"_qs);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    Table t(u"a\tb\nc\td\n"_qs);
    PictureDrop::acceptOn(&t.view, &t.doc);
    QVERIFY(QTest::qWaitForWindowExposed(&t.view));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = t.view.visualRect(t.index(1, column)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.view.viewport(), &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.view.viewport(), &drop);
    QCOMPARE(t.doc.row(1).picture.bytes, taken ? bytes : QByteArray());
    QVERIFY(t.doc.row(0).picture.isNull());
    QVERIFY(QFileInfo::exists(path));
}

// ---------------------------------------------------------------- the geometry panel

void EditorWidgets::sketchFollowsTypingAndUndo_data()
{
    QTest::addColumn<DocumentField>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("left");  // pixels the field's rectangle should have, -1: not compared
    QTest::addColumn<int>("width");
    QTest::addRow("window_width") << DocumentField::WindowWidth << u"9120"_qs << 0
                                  << (9120 - ContentReader::FrameWidth) / 15;
    QTest::addRow("left_list_left") << DocumentField::LeftListLeft << u"300"_qs << 20 << -1;
    QTest::addRow("left_list_width") << DocumentField::LeftListWidth << u"4500"_qs << -1 << 300;
    QTest::addRow("right_list_left") << DocumentField::RightListLeft << u"6000"_qs << 400 << -1;
    QTest::addRow("right_list_width") << DocumentField::RightListWidth << u"3000"_qs << -1 << 200;
}

void EditorWidgets::sketchFollowsTypingAndUndo()
{
    QFETCH(DocumentField, field);
    QFETCH(QString, typed);
    QFETCH(int, left);
    QFETCH(int, width);

    QuizDocument doc;
    EditorGeometryPanel panel(&doc);
    const QRect before = sketchRect(panel.sketch(), field);
    const QString description = panel.sketch()->accessibleDescription();
    QLineEdit *edit = lineEdit(panel, field);
    QVERIFY(edit);
    QCOMPARE(edit->text(), doc.field(field));

    edit->selectAll();
    QTest::keyClicks(edit, typed); // no event loop runs: the sketch must follow each key itself
    QCOMPARE(doc.field(field), typed);
    const QRect after = sketchRect(panel.sketch(), field);
    if (left >= 0)
        QCOMPARE(after.left(), left);
    if (width >= 0)
        QCOMPARE(after.width(), width);
    QVERIFY(after != before);
    QVERIFY(panel.sketch()->accessibleDescription() != description);
    QVERIFY(panel.sketch()->accessibleDescription().contains(QString::number(left >= 0 ? left : width)));

    QCOMPARE(doc.undoStack()->count(), 1); // the typing is one step
    doc.undoStack()->undo();
    QCOMPARE(sketchRect(panel.sketch(), field), before);
    QCOMPARE(edit->text(), doc.field(field));
    QCOMPARE(panel.sketch()->accessibleDescription(), description);
    doc.undoStack()->redo();
    QCOMPARE(sketchRect(panel.sketch(), field), after);
    QCOMPARE(edit->text(), typed);
}

void EditorWidgets::geometryProblemMarked_data()
{
    QTest::addColumn<DocumentField>("field");
    QTest::addColumn<QString>("typed");
    QTest::addRow("right_list_past_window") << DocumentField::RightListWidth << u"99999"_qs;
    QTest::addRow("window_too_narrow") << DocumentField::WindowWidth << u"3000"_qs;
    QTest::addRow("left_list_too_narrow") << DocumentField::LeftListWidth << u"15"_qs;
}

void EditorWidgets::geometryProblemMarked()
{
    QFETCH(DocumentField, field);
    QFETCH(QString, typed);

    QuizDocument doc;
    EditorGeometryPanel panel(&doc);
    panel.show();
    QLineEdit *edit = lineEdit(panel, field);
    const QColor plain = edit->palette().color(QPalette::Base);
    QVERIFY(panel.sketch()->sketch().problems.isEmpty());
    QVERIFY(edit->toolTip().isEmpty());

    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QString message;
    for (const DocumentProblem &p : DocumentCheck::geometry(doc.content()))
        if (p.field == field)
            message = p.message;
    QVERIFY(!message.isEmpty());
    QVERIFY(edit->toolTip().contains(message));
    QVERIFY(edit->palette().color(QPalette::Base) != plain);
    QVERIFY(panel.sketch()->accessibleDescription().contains(message));
    bool shown = false;
    for (const QLabel *label : panel.findChildren<QLabel *>())
        shown = shown || (label->isVisible() && label->text().contains(message));
    QVERIFY2(shown, "the problem is written under the sketch");

    doc.undoStack()->undo();
    QVERIFY(edit->toolTip().isEmpty());
    QCOMPARE(edit->palette().color(QPalette::Base), plain);
    for (const QLabel *label : panel.findChildren<QLabel *>())
        QVERIFY(!label->isVisible() || !label->text().contains(message));
}

// ---------------------------------------------------------------- the picture panel

void EditorWidgets::dropPicture_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("taken");
    QTest::addRow("png_file") << u"file"_qs << true;
    QTest::addRow("web_address") << u"web"_qs << false;
    QTest::addRow("folder") << u"folder"_qs << false;
    QTest::addRow("two_files") << u"two"_qs << false;
}

void EditorWidgets::dropPicture()
{
    QFETCH(QString, what);
    QFETCH(bool, taken);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray bytes = png(30, 20, qRgb(0, 0, 200));
    const QString path = dir.filePath(u"circle.png"_qs);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QList<QUrl> urls;
    if (what == u"file")
        urls = {QUrl::fromLocalFile(path)};
    else if (what == u"web")
        urls = {QUrl(u"https://example.org/circle.png"_qs)};
    else if (what == u"folder")
        urls = {QUrl::fromLocalFile(dir.path())};
    else
        urls = {QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)};

    QuizDocument doc;
    setRows(doc, u"a\tb\nc\td\n"_qs);
    EditorPicturePanel panel(&doc);
    panel.setRow(1);
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at = panel.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drop);

    QVERIFY(doc.row(0).picture.isNull());
    if (!taken) {
        QVERIFY(doc.row(1).picture.isNull());
        return;
    }
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QCOMPARE(doc.row(1).picture.name, u"circle.png"_qs);
    QCOMPARE(doc.row(1).picture.bytes, bytes);
    QFile source(path);
    QVERIFY2(source.open(QIODevice::ReadOnly), "the dropped file stays where it was");
    QCOMPARE(source.readAll(), bytes);
    QVERIFY(panel.removeButton()->isEnabled());
    QCOMPARE(panel.widthBox()->value(), 30);
    QCOMPARE(panel.heightBox()->value(), 20);
}

void EditorWidgets::boxSpinBoxesStoreTwips_data()
{
    QTest::addColumn<int>("startWidth"); // twips
    QTest::addColumn<int>("startHeight");
    QTest::addColumn<int>("newWidth"); // pixels typed, 0: left alone
    QTest::addColumn<int>("newHeight");
    QTest::addColumn<QSize>("expected"); // twips
    QTest::addRow("width_only") << 600 << 300 << 50 << 0 << QSize(750, 300);
    QTest::addRow("height_only") << 600 << 300 << 0 << 33 << QSize(600, 495);
    QTest::addRow("both") << 600 << 300 << 7 << 9 << QSize(105, 135);
    QTest::addRow("other_side_off_the_grid_kept") << 1700 << 1817 << 40 << 0 << QSize(600, 1817);
}

void EditorWidgets::boxSpinBoxesStoreTwips()
{
    QFETCH(int, startWidth);
    QFETCH(int, startHeight);
    QFETCH(int, newWidth);
    QFETCH(int, newHeight);
    QFETCH(QSize, expected);

    QuizDocument doc;
    setRows(doc, u"a\tb\n"_qs);
    doc.setPicture(0, u"p.png"_qs, png(10, 10));
    doc.setPictureBox(0, startWidth, startHeight);
    EditorPicturePanel panel(&doc);
    panel.setRow(0);
    QCOMPARE(panel.widthBox()->value(), qRound(startWidth / 15.0));
    QCOMPARE(panel.heightBox()->value(), qRound(startHeight / 15.0));
    const int steps = doc.undoStack()->count();
    for (auto [box, value] : {std::pair{panel.widthBox(), newWidth}, std::pair{panel.heightBox(), newHeight}}) {
        if (value == 0)
            continue;
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
    }
    const DocumentPicture &p = doc.row(0).picture;
    QCOMPARE(QSize(p.width, p.height), expected);
    QVERIFY(doc.undoStack()->count() > steps);
    doc.undoStack()->undo();
    if (newWidth == 0 || newHeight == 0) { // one box typed: one step
        QCOMPARE(QSize(doc.row(0).picture.width, doc.row(0).picture.height), QSize(startWidth, startHeight));
        QCOMPARE(panel.widthBox()->value(), qRound(startWidth / 15.0));
    }
}

void EditorWidgets::pictureProblemShown()
{
    QuizDocument doc;
    setRows(doc, u"a\tb\n"_qs);
    doc.setPicture(0, u"p.png"_qs, png(40, 40));
    EditorPicturePanel panel(&doc);
    panel.setRow(0);
    panel.show();
    doc.checkNow();
    QVERIFY(!panel.problemLabel()->isVisible());

    panel.widthBox()->selectAll();
    QTest::keyClicks(panel.widthBox(), u"10"_qs); // a box narrower than the picture
    doc.checkNow();
    const QList<DocumentProblem> problems = doc.problemsAt(0, DocumentField::Picture);
    QCOMPARE(problems.size(), 1);
    QVERIFY(panel.problemLabel()->isVisible());
    QCOMPARE(panel.problemLabel()->text(), problems.first().message);
    QCOMPARE(panel.problemFocus(), panel.widthBox());

    panel.setRow(-1);
    QVERIFY(!panel.chooseButton()->isEnabled());
    QVERIFY(!panel.widthBox()->isEnabled());
    QVERIFY(!panel.problemLabel()->isVisible());
    // No picture, no box: the fields do not go on showing the size of the row shown before.
    QCOMPARE(panel.widthBox()->text(), u"—"_qs);
    QCOMPARE(panel.heightBox()->text(), u"—"_qs);
}

void EditorWidgets::modeFollowsComboAndUndo()
{
    QuizDocument doc;
    setRows(doc, u"a\tb\n"_qs);
    doc.setPicture(0, u"p.png"_qs, png(10, 10));
    EditorPicturePanel panel(&doc);
    panel.setRow(0);
    QComboBox *mode = panel.modeBox();
    QCOMPARE(mode->currentData().toInt(), int(PictureMode::Window));
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(doc.row(0).pictureMode, PictureMode::ThumbnailOnly);
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(doc.row(0).pictureMode, PictureMode::Hidden);
    doc.undoStack()->undo();
    QCOMPARE(mode->currentData().toInt(), int(PictureMode::ThumbnailOnly));
}

QTEST_MAIN(EditorWidgets)
#include "tst_editor_widgets.moc"
