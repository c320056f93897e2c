// The editor as a teacher sees it, in Bulgarian: no English is left on its menus, buttons,
// labels, tabs, table headers or in its questions; the texts given for it are exactly those;
// and no two Alt+letter mnemonics of one menu, or of the window itself, clash.
#include "EditorDialogs.h"
#include "EditorGuide.h"
#include "EditorPicturePanel.h"
#include "EditorSupport.h"
#include "EditorWindow.h"
#include "KazTranslations.h"
#include "Mnemonics.h"
#include "RowTableModel.h"
#include "TestDocument.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The Latin words of a text, once the Latin a Bulgarian text may hold is taken out: the names
// KAZ and GIFT, the pixels' unit, keys, file patterns, test.kaz and its section names, web
// addresses given as examples.
QStringList latinWords(QString text)
{
    static const QRegularExpression allowed(
        uR"(\b(?:Ctrl|Shift|Alt)(?:\+(?:Ctrl|Shift|Alt))*\+\w+|\bF\d+\b|\b(?:KAZ|GIFT|px|Enter|Escape)\b|\*\.\w+|\[[^\]]*\]|\btest\.kaz\b|\bhttps?://[^\s,;)]*|\bwww\.[^\s,;)]*|\b[a-z]+\.bg\b)"_s);
    static const QRegularExpression latin(u"[A-Za-z]+"_s);
    text.remove(allowed);
    QStringList words;
    for (const QRegularExpressionMatch &m : latin.globalMatch(text))
        words.append(m.captured());
    return words;
}

struct Shown
{
    QString where;
    QString text;
};

// Every text of the window a teacher reads, or a screen reader reads out.
QList<Shown> textsOf(const EditorWindow &w)
{
    QList<Shown> out;
    const auto add = [&out](const QString &where, const QString &text) {
        if (!text.trimmed().isEmpty())
            out.append({where, text});
    };
    add(u"window_title"_s, w.windowTitle());
    for (QAction *title : w.menuBar()->actions()) {
        add(u"menu_bar"_s, title->text());
        for (QAction *a : title->menu()->actions())
            add(u"menu "_s + withoutMnemonic(title->text()), a->text());
    }
    for (const QToolBar *bar : w.findChildren<QToolBar *>()) {
        add(u"tool_bar"_s, bar->windowTitle());
        for (QAction *a : bar->actions())
            add(u"tool_bar_button"_s, a->iconText());
    }
    for (const QLabel *l : w.findChildren<QLabel *>())
        add(u"label"_s, l->text());
    for (const QAbstractButton *b : w.findChildren<QAbstractButton *>())
        add(u"button"_s, b->text());
    for (const QTabWidget *t : w.findChildren<QTabWidget *>())
        for (int i = 0; i < t->count(); ++i)
            add(u"tab"_s, t->tabText(i));
    for (const QComboBox *c : w.findChildren<QComboBox *>())
        for (int i = 0; i < c->count(); ++i)
            add(u"choice"_s, c->itemText(i));
    for (const QLineEdit *e : w.findChildren<QLineEdit *>())
        add(u"placeholder"_s, e->placeholderText());
    for (const QPlainTextEdit *e : w.findChildren<QPlainTextEdit *>())
        add(u"placeholder"_s, e->placeholderText());
    for (const QSpinBox *s : w.findChildren<QSpinBox *>())
        add(u"unit"_s, s->suffix());
    const QAbstractItemModel *model = w.table()->model();
    for (int c = 0; c < model->columnCount(); ++c)
        add(u"table_header"_s, model->headerData(c, Qt::Horizontal).toString());
    for (int i = 0; i < w.problemsList()->count(); ++i)
        add(u"problem"_s, w.problemsList()->item(i)->text());
    add(u"status_bar"_s, w.statusBar()->currentMessage());
    for (const QWidget *x : w.findChildren<QWidget *>()) {
        add(u"accessible_name"_s, x->accessibleName());
        add(u"accessible_description"_s, x->accessibleDescription());
    }
    return out;
}

QStringList shownTexts(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions)
        if (!a->isSeparator())
            out.append(withoutMnemonic(a->text()));
    return out;
}

// The buttons of the modal dialog that `open` shows, which is then cancelled ("Отказ").
QStringList buttonsOfDialog(const std::function<void()> &open)
{
    QStringList seen;
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, &driver, [&driver, &seen] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        QAbstractButton *cancel = nullptr;
        for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
            if (!b->isVisible() || b->text().isEmpty())
                continue;
            seen.append(b->text());
            if (b->text() == u"Отказ")
                cancel = b;
        }
        if (cancel)
            cancel->click();
        else
            dialog->reject();
    });
    driver.start();
    open();
    seen.sort();
    return seen;
}

} // namespace

class TestEditorBulgarian : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // What app/editor.cpp installs, whatever the locale the suite runs under: Qt's own
        // Bulgarian too, for the texts of Qt's parts (the tab bar's scroll buttons).
        QVERIFY2(KazTranslations::installQt(*qApp, QLocale::Bulgarian),
                 "Qt's Bulgarian translation is missing: install qt6-translations-l10n (scripts/deps.sh)");
        QVERIFY(KazTranslations::install(*qApp, QLocale::Bulgarian));
        m_window = std::make_unique<EditorWindow>();
        m_window->setRecoveryDelay(3600 * 1000);
        // Two rows, the first current: the picture panel speaks of a question, the list of problems.
        EditorSupport::setRows(*m_window->document(), u"Варна\tОдесос\nПловдив\t\n"_s);
        m_window->table()->setCurrentIndex(m_window->document()->model()->index(0, 0));
    }

    void no_english_is_left_data()
    {
        QTest::addColumn<QString>("text");
        const QList<Shown> texts = textsOf(*m_window);
        QVERIFY(texts.size() > 60);
        for (const Shown &s : texts)
            QTest::addRow("%s: %s", qPrintable(s.where), qPrintable(s.text.left(40))) << s.text;
    }

    void no_english_is_left()
    {
        QFETCH(QString, text);
        QCOMPARE(latinWords(text), QStringList());
    }

    // The texts whose Bulgarian was chosen before the editor was written.
    void given_texts_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("expected");
        const QList<QAction *> menus = m_window->menuBar()->actions();
        QCOMPARE(menus.size(), 4);
        QTest::newRow("menu_bar") << shownTexts(menus) << QStringList{u"Файл"_s, u"Редакция"_s, u"Тест"_s, u"Помощ"_s};
        QTest::newRow("file_menu") << shownTexts(menus.at(0)->menu()->actions())
                                   << QStringList{u"Нов"_s, u"Отвори папка…"_s, u"Отвори GIFT файл…"_s,
                                                  u"Отвори програма…"_s, u"Запази"_s, u"Запази като…"_s,
                                                  u"Направи програма…"_s, u"Изход"_s};
        QTest::newRow("edit_menu") << shownTexts(menus.at(1)->menu()->actions())
                                   << QStringList{u"Отмени"_s, u"Повтори"_s, u"Изрежи"_s, u"Копирай"_s,
                                                  u"Постави"_s, u"Добави ред"_s, u"Изтрий редовете"_s,
                                                  u"Премести нагоре"_s, u"Премести надолу"_s};
        QTest::newRow("test_menu") << shownTexts(menus.at(2)->menu()->actions())
                                   << QStringList{u"Опитай"_s, u"Провери сега"_s, u"Разшири списъците според фразите"_s};
        QTest::newRow("help_menu") << shownTexts(menus.at(3)->menu()->actions()) << QStringList{u"Ръководство"_s, u"За програмата"_s};
        QStringList bar;
        for (const QToolBar *b : m_window->findChildren<QToolBar *>())
            for (QAction *a : b->actions())
                bar.append(a->iconText());
        QTest::newRow("tool_bar") << bar << QStringList{u"Опитай"_s, u"Направи програма"_s};
        QStringList picture;
        for (const QAbstractButton *b : m_window->picturePanel()->findChildren<QAbstractButton *>())
            picture.append(withoutMnemonic(b->text()));
        QTest::newRow("picture_panel") << picture << QStringList{u"Избери картинка…"_s, u"Махни картинката"_s};
        QTest::newRow("window_title") << QStringList{m_window->windowTitle()}
                                      << QStringList{u"Нов тест[*] — KAZ редактор"_s};
    }

    void given_texts()
    {
        QFETCH(QStringList, shown);
        QFETCH(QStringList, expected);
        QCOMPARE(shown, expected);
    }

    // Alt and a letter reach one thing: within each menu, and within the window, whose menu
    // bar, labels, tabs and buttons share the same keys.
    void mnemonics_do_not_clash_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("everyHasOne");
        QStringList bar;
        for (QAction *title : m_window->menuBar()->actions()) {
            bar.append(title->text());
            QStringList items;
            for (QAction *a : title->menu()->actions())
                if (!a->isSeparator())
                    items.append(a->text());
            QTest::addRow("menu_%s", qPrintable(withoutMnemonic(title->text()))) << items << true;
        }
        QTest::newRow("menu_bar") << bar << true;
        QStringList window = bar;
        for (const QLabel *l : m_window->findChildren<QLabel *>()) {
            if (mnemonic(l->text()).isNull())
                continue;
            // Without a buddy the label shows the & and Alt with its letter does nothing.
            QVERIFY2(l->buddy(), qPrintable(l->text()));
            window.append(l->text());
        }
        for (const QAbstractButton *b : m_window->findChildren<QAbstractButton *>())
            window.append(b->text());
        for (const QTabWidget *t : m_window->findChildren<QTabWidget *>())
            for (int i = 0; i < t->count(); ++i)
                window.append(t->tabText(i));
        QVERIFY(window.size() > 15);
        QTest::newRow("window") << window << false;
    }

    void mnemonics_do_not_clash()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, everyHasOne);
        QHash<QChar, QString> taken;
        for (const QString &text : std::as_const(texts)) {
            const QChar key = mnemonic(text);
            if (key.isNull()) {
                QVERIFY2(!everyHasOne, qPrintable(u"no mnemonic: "_s + text));
                continue;
            }
            QVERIFY2(!taken.contains(key), qPrintable(u"Alt+"_s + key + u": "_s + taken.value(key) + u" and "_s + text));
            taken.insert(key, text);
        }
    }

    // The questions that drop or keep work answer with the editor's own Bulgarian buttons,
    // with or without Qt's translation installed.
    void questions_answer_in_bulgarian_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("unsaved_changes") << 0 << QStringList{u"Запази"_s, u"Не запазвай"_s, u"Отказ"_s};
        QTest::newRow("save_before_making_a_program") << 1 << QStringList{u"Запази"_s, u"Отказ"_s};
        QTest::newRow("which_gift_question") << 2 << QStringList{u"Отвори"_s, u"Отказ"_s};
    }

    void questions_answer_in_bulgarian()
    {
        QFETCH(int, question);
        QFETCH(QStringList, buttons);
        buttons.sort();
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        const std::function<void()> ask[] = {
            [&w] {
                w.document()->setField(DocumentField::Title, u"Градове"_s);
                QVERIFY(!w.keepWork());
            },
            [&w] { QVERIFY(!EditorDialogs::dialogs(&w).askSave(u"Да се запази ли тестът сега?"_s)); },
            [&w] { QCOMPARE(EditorDialogs::chooseGiftQuestion(&w, {u"Градове"_s, u"Реки"_s}), -1); },
        };
        QCOMPARE(buttonsOfDialog(ask[question]), buttons);
    }

    // The problems speak Bulgarian here too, of the table's rows as its header numbers them and
    // of its columns, never of a section of the file.
    void checker_names_the_row_in_bulgarian()
    {
        TestDocument d;
        EditorSupport::setRows(d, u"Варна\tОдесос\n\tМосква\nПловдив\tФилипопол\n"_s);
        d.setCell(2, DocumentField::Left, u"Варна"_s);
        d.checkNow();
        QCOMPARE(d.problems().size(), 1);
        const DocumentProblem &p = d.problems().first();
        QCOMPARE(p.rowName, u"Ред 2"_s);
        QVERIFY2(p.message.startsWith(u"фразата „Варна“ вече е на ред 1; фразите в една колона"_s), qPrintable(p.message));
        QCOMPARE(p.otherRow, 0);
        d.removeRows(0, 3);
        d.checkNow();
        for (const DocumentProblem &none : d.problems())
            QVERIFY2(none.message.startsWith(u"нито един ред няма фраза в колоната „"_s) && !none.message.contains(u'['),
                     qPrintable(none.message));
    }

    // F1 opens the Bulgarian guide, under a Bulgarian title; the caption's line under the title
    // is Bulgarian too.
    void guide_and_caption_line_in_bulgarian()
    {
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        QCOMPARE(w.actions().guide->shortcut(), QKeySequence(Qt::Key_F1));
        w.actions().guide->trigger();
        const auto *guide = w.findChild<EditorGuide *>();
        QVERIFY(guide);
        QCOMPARE(guide->windowTitle(), u"Ръководство — KAZ редактор"_s);
        QCOMPARE(guide->browser()->source(), QUrl(u"qrc:/kaz/guide/editor.bg.md"_s));
        QVERIFY(guide->browser()->toPlainText().contains(u"Как да направите тест в редактора на KAZ"_s));
        w.document()->setField(DocumentField::Title, u"Столици"_s);
        const QLabel *line = w.findChild<QLabel *>(u"captionPreview"_s);
        QVERIFY(line);
        QCOMPARE(latinWords(line->text()), QStringList{u"picture"_s});
    }

    // The Type column of the file dialogs, which the editor opens for folders, GIFT files and
    // programs: Qt's own Bulgarian lacks these words.
    void file_dialog_types_in_bulgarian_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir(u"test"_s));
        QVERIFY(QFile::link(m_dir.filePath(u"missing"_s), m_dir.filePath(u"broken-link"_s)));
        QTest::newRow("folder") << m_dir.filePath(u"test"_s) << u"Папка"_s;
        QTest::newRow("root") << u"/"_s << u"Устройство"_s;
        QTest::newRow("broken_link") << m_dir.filePath(u"broken-link"_s) << u"Препратка"_s;
        QTest::newRow("missing") << m_dir.filePath(u"missing"_s) << u"Неизвестно"_s;
    }

    void file_dialog_types_in_bulgarian()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows names the kinds of files itself, in the language of Windows");
#endif
        QFETCH(QString, path);
        QFETCH(QString, type);
        QCOMPARE(QFileIconProvider().type(QFileInfo(path)), type);
    }

    // What a file dialog shows in its Type column for a folder.
    void file_dialog_model_shows_a_folder_in_bulgarian()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows names the kinds of files itself, in the language of Windows");
#endif
        QFileIconProvider icons; // the model does not own it; it outlives the model
        QFileSystemModel model;
        model.setIconProvider(&icons); // as QFileDialog does
        const QModelIndex root = model.setRootPath(m_dir.path());
        QTRY_VERIFY(model.index(m_dir.filePath(u"test"_s)).isValid());
        const QModelIndex folder = model.index(m_dir.filePath(u"test"_s), 2);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"Тип"_s);
        QTRY_COMPARE(folder.data().toString(), u"Папка"_s);
        Q_UNUSED(root);
    }

    // A phrase its list cuts is warned of in Bulgarian, with the word, the row, the column and
    // what the learner sees; the label says that the test can still be tried and packed.
    void cut_phrase_warned_in_bulgarian()
    {
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        EditorSupport::setRows(*w.document(), u"Варна\tОдесос\nВелико Търново, старата столица на Второто българско "
                                              u"царство\tТърновград\nСофия\tСердика\nПловдив\tФилипополис\n"_s);
        QTRY_COMPARE(w.problemsList()->count(), 1);
        const QString item = w.problemsList()->item(0)->text();
        QVERIFY2(item.startsWith(u"Предупреждение. Ред 2: фразата в колоната „Лява фраза“ е по-дълга, отколкото е "
                                 u"широк левият списък на теста, и ученикът вижда само „Велико Търново, старата"_s),
                 qPrintable(item));
        QVERIFY2(item.endsWith(u"…“; натиснете „Разшири списъците“ над този списък или съкратете фразата. Програмата "
                               u"пак може да се направи."_s),
                 qPrintable(item));
        QList<QLabel *> labels = w.findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel *l) {
            return l->text() == u"Про&блеми: няма. Предупреждения (1); тестът пак може да се изпробва и да стане програма:"_s;
        }));
    }

    // The note of the extra click a three-pair test needs, and two extra right phrases under one
    // row, each named apart, in Bulgarian.
    void grading_note_and_unnumbered_rows_in_bulgarian()
    {
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        EditorSupport::setRows(*w.document(), u"Варна\tОдесос\nСофия\tСердика\nПловдив\tФилипополис\n"_s);
        QTRY_COMPARE(w.problemsList()->count(), 1);
        QCOMPARE(w.problemsList()->item(0)->text(),
                 u"Бележка: след последната двойка „Оцени“ остава сив, докато ученикът не натисне „Избрах“ още "
                 u"веднъж: прозорецът на теста решава дали може да се оценява само при натискане на бутон, а в този "
                 u"тест това става възможно едва с последната двойка. Кажете го на учениците в указанията или "
                 u"добавете двойки."_s);
        QList<QLabel *> labels = w.findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(),
                            [](const QLabel *l) { return l->text() == u"Про&блеми: няма; 1 бележка:"_s; }));

        EditorSupport::setRows(*w.document(), u"Варна\tОдесос\n\tХ\n\tХ\nСофия\tСердика\nПловдив\tФилипополис\n"
                                              u"Русе\tСексагинта Приста\nВидин\tБонония\nЛом\tАлмус\nСилистра\tДуросторум\n"
                                              u"Кюстендил\tПауталия\nСтара Загора\tБероя\nНесебър\tМесемврия\n"_s);
        QTRY_COMPARE(w.problemsList()->count(), 1);
        QCOMPARE(w.problemsList()->item(0)->text(),
                 u"Ред без номер 2 от 2 под ред 1: фразата „Х“ вече е на ред без номер 1 от 2 под ред 1; фразите в "
                 u"една колона трябва да са различни, затова променете или изтрийте едната от тях"_s);
    }

    void cleanupTestCase() { m_window.reset(); }

private:
    std::unique_ptr<EditorWindow> m_window;
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestEditorBulgarian)
#include "tst_editor_bulgarian.moc"
