// The editor as a teacher sees it, in Bulgarian: no English is left on its menus, buttons,
// labels, tabs, table headers or in its questions; the texts given for it are exactly those;
// and no two Alt+letter mnemonics of one menu, or of the window itself, clash.
#include "EditorDialogs.h"
#include "EditorGuide.h"
#include "EditorPicturePanel.h"
#include "EditorSupport.h"
#include "EditorWindow.h"
#include "KazTranslations.h"
#include "KazView.h"
#include "Mnemonics.h"
#include "RowTableModel.h"
#include "QuizDocument.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
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
#include <QSet>
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
        uR"(\b(?:Ctrl|Shift|Alt)(?:\+(?:Ctrl|Shift|Alt))*\+\w+|\bF\d+\b|\b(?:KAZ|GIFT|px|Enter|Escape|Moodle|XML|PNG|JPEG|GIF|BMP)\b|\bkaz-\S*|\*\.\w+|\[[^\]]*\]|\btest\.kaz\b|\bhttps?://[^\s,;)]*|\bwww\.[^\s,;)]*|\b[a-z]+\.bg\b)"_s);
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

// The push buttons of the modal dialog that `open` shows, which is then cancelled ("Отказ"), as
// they are written (with the & of their Alt+letter).
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
        QPushButton *cancel = nullptr;
        for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
            if (!b->isVisible() || b->text().isEmpty())
                continue;
            seen.append(b->text());
            if (withoutMnemonic(b->text()) == u"Отказ")
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
                                   << QStringList{u"Нов"_s, u"Отвори папка…"_s, u"Отвори GIFT или Moodle XML файл…"_s,
                                                  u"Отвори програма…"_s, u"Запази"_s, u"Запази като…"_s,
                                                  u"Направи програма…"_s, u"Изнеси за Moodle…"_s, u"Изход"_s};
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
        QTest::newRow("replace_programs") << 3 << QStringList{u"Замени"_s, u"Отказ"_s};
        QTest::newRow("which_systems") << 4 << QStringList{u"Направи"_s, u"Отказ"_s};
        QTest::newRow("folder_holds_a_test") << 5 << QStringList{u"Замени"_s, u"Нова папка"_s, u"Отказ"_s};
        QTest::newRow("a_message") << 6 << QStringList{u"Добре"_s};
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
            [&w] { QVERIFY(!EditorDialogs::dialogs(&w).askReplace({u"/tmp/kaz-градове"_s})); },
            [&w] {
                QList<EditorPacking::Target> targets(3);
                targets[0].system = Packing::System::Windows;
                targets[1].system = Packing::System::Linux;
                targets[2].system = Packing::System::Web;
                QVERIFY(EditorDialogs::chooseSystems(&w, targets).isEmpty());
            },
            [&w] {
                QCOMPARE(w.ask({QMessageBox::Warning, u"Папката съдържа тест."_s, {},
                                              {w.tr("New folder"), w.tr("Replace"), w.tr("Cancel")}, 2}),
                         2);
            },
            [&w] { EditorDialogs::tell(&w, QMessageBox::Information, u"Направи програма"_s, u"Готово."_s); },
        };
        const QStringList shown = buttonsOfDialog(ask[question]);
        QStringList texts;
        for (const QString &text : shown)
            texts.append(withoutMnemonic(text));
        texts.sort();
        QCOMPARE(texts, buttons);
        // Each button is pressed with Alt and a letter of its own.
        QSet<QChar> letters;
        for (const QString &text : shown) {
            QVERIFY2(!mnemonic(text).isNull(), qPrintable(text));
            letters.insert(mnemonic(text));
        }
        QCOMPARE(letters.size(), shown.size());
    }

    // "Make program" names the systems, the page among them, as given, and says in Bulgarian
    // why one cannot be made here.
    void systems_named_in_bulgarian()
    {
        QTemporaryDir tmp;
        // Nothing installed there: each choice disabled with its reason.
        const QList<EditorPacking::Target> targets = EditorPacking::targets(
            QDir(tmp.path()).filePath(u"градове"_s), QDir(tmp.path()).filePath(u"kazrunner"_s), {});
        QStringList boxes, labels;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, &driver, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            driver.stop();
            for (const QAbstractButton *b : dialog->findChildren<QCheckBox *>())
                boxes.append(b->text());
            for (const QLabel *l : dialog->findChildren<QLabel *>())
                labels.append(l->text());
            dialog->reject();
        });
        driver.start();
        QVERIFY(EditorDialogs::chooseSystems(m_window.get(), targets).isEmpty());
        QCOMPARE(boxes, (QStringList{u"Windows"_s, u"Linux (Debian)"_s, u"за браузър (.html)"_s,
                                     u"за Moodle и други платформи (SCORM)"_s,
                                     u"Името на ученика от платформата на мястото на заглавието"_s}));
        const QStringList page = labels.filter(u"kaz-градове.html: "_s);
        QCOMPARE(page.size(), 1);
        QVERIFY2(page.first().contains(u"Този KAZ е инсталиран без"_s) && page.first().contains(u"(kazweb.html)"_s),
                 qPrintable(page.first()));
        for (const QString &label : std::as_const(labels))
            QVERIFY2(!label.contains(u"This KAZ"_s) && !label.contains(u"install"_s), qPrintable(label));
    }

    // Alt with a button's underlined Cyrillic letter presses it, as a teacher with the Bulgarian
    // keyboard layout types it.
    void alt_letter_presses_a_button_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("button"); // the button pressed
        QTest::addColumn<int>("answer");     // what the dialog returns then
        QTest::newRow("unsaved_dont_save") << 0 << u"Не запазвай"_s << 1;
        QTest::newRow("unsaved_cancel") << 0 << u"Отказ"_s << 2;
        QTest::newRow("gift_question_open") << 1 << u"Отвори"_s << 0;
        QTest::newRow("save_folder_dialog_save_here") << 2 << u"Запази теста тук"_s << 1;
        QTest::newRow("save_folder_dialog_cancel") << 2 << u"Отказ"_s << 0;
    }

    void alt_letter_presses_a_button()
    {
        QFETCH(int, question);
        QFETCH(QString, button);
        QFETCH(int, answer);
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString pressed;
        bool unanswered = false;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, &driver, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            // A window's Alt+letter works while it is the active window.
            if (!dialog || !dialog->isVisible() || !dialog->isActiveWindow())
                return;
            driver.stop();
            for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
                if (withoutMnemonic(b->text()) == button)
                    pressed = b->text();
            const QKeySequence key = QKeySequence::mnemonic(pressed);
            if (key.isEmpty()) {
                dialog->reject();
                return;
            }
            // With its text, as a keyboard gives it: QTest has no text of its own for a Cyrillic key.
            QTest::sendKeyEvent(QTest::Click, dialog, key[0].key(), QString(QChar(char16_t(key[0].key()))).toLower(),
                                key[0].keyboardModifiers());
            // A button whose letter did nothing leaves the dialog open: closed, the answer is wrong.
            QTimer::singleShot(200, dialog, [dialog, &unanswered] {
                unanswered = dialog->isVisible();
                if (unanswered)
                    dialog->done(-2);
            });
        });
        driver.start();
        int got = -3;
        if (question == 0) {
            w.document()->setField(DocumentField::Title, u"Градове"_s);
            got = w.ask({QMessageBox::Warning, u"Да се запазят ли промените?"_s, {},
                         {w.tr("Save"), w.tr("Don't save"), w.tr("Cancel")}, 2});
        } else if (question == 1) {
            got = EditorDialogs::chooseGiftQuestion(&w, {u"Градове"_s, u"Реки"_s});
            got = got == 0 ? 0 : -1;
        } else {
            QVERIFY(m_dir.isValid());
            got = EditorDialogs::choosePath(&w, EditorDialogs::PathKind::SaveFolder, m_dir.path()).isEmpty() ? 0 : 1;
        }
        QVERIFY2(!QKeySequence::mnemonic(pressed).isEmpty(), qPrintable(u"no letter on "_s + button));
        QVERIFY2(!unanswered, "the dialog stayed open");
        QCOMPARE(got, answer);
    }

    // Every file dialog says in Bulgarian what it chooses and where the result goes: its caption,
    // the line above its folders and its button; it is Qt's own dialog on every system, so that
    // Windows' does not caption it in its own language ("Select Folder").
    void file_dialogs_say_what_they_choose_data()
    {
        using K = EditorDialogs::PathKind;
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("lookIn");
        QTest::addColumn<QString>("accept");
        QTest::newRow("open_folder") << int(K::OpenFolder) << u"Отвори папка с тест"_s << u"Търси в:"_s
                                     << u"Отвори теста"_s;
        QTest::newRow("save_folder") << int(K::SaveFolder)
                                     << u"Запазване на теста: изберете папка"_s
                                     << u"Тестът отива в:"_s << u"Запази теста тук"_s;
        QTest::newRow("gift_file") << int(K::GiftFile) << u"Отвори GIFT или Moodle XML файл"_s << u"Търси в:"_s << u"Отвори"_s;
        QTest::newRow("program") << int(K::Program) << u"Отвори програма с тест"_s << u"Търси в:"_s << u"Отвори"_s;
        QTest::newRow("picture") << int(K::Picture) << u"Изберете картинка за реда"_s << u"Търси в:"_s
                                 << u"Вземи картинката"_s;
        QTest::newRow("program_file") << int(K::ProgramFile) << u"Направи програма: къде да се запише програмата"_s
                                      << u"Програмата отива в:"_s << u"Запиши програмата"_s;
        QTest::newRow("programs_folder") << int(K::ProgramsFolder) << u"Направи програма: папката за програмите"_s
                                         << u"Програмите отиват в:"_s << u"Запиши програмите тук"_s;
        QTest::newRow("moodle_folder") << int(K::MoodleFolder) << u"Изнасяне за Moodle: изберете папка"_s
                                       << u"Файловете отиват в:"_s << u"Запиши файловете тук"_s;
    }

    void file_dialogs_say_what_they_choose()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, lookIn);
        QFETCH(QString, accept);
        QVERIFY(m_dir.isValid());
        const std::unique_ptr<QFileDialog> dialog
            = EditorDialogs::pathDialog(m_window.get(), EditorDialogs::PathKind(kind), m_dir.path());
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->labelText(QFileDialog::LookIn), lookIn);
        const QDialogButtonBox *box = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QStringList acceptButtons;
        for (const QAbstractButton *b : box->buttons())
            if (box->buttonRole(const_cast<QAbstractButton *>(b)) == QDialogButtonBox::AcceptRole)
                acceptButtons.append(withoutMnemonic(b->text()));
        QCOMPARE(acceptButtons, QStringList{accept});
        // Above the folders, in words, what to choose: the caption alone the title bar may cut.
        const auto *hint = dialog->findChild<QLabel *>(u"pathHint"_s);
        QVERIFY(hint);
        QVERIFY(hint->text().size() > caption.size());
        // No English in its words, and one Alt+letter for each of its buttons and named fields.
        QHash<QChar, QString> taken;
        for (const QLabel *l : dialog->findChildren<QLabel *>()) {
            // The line of what the choice leads to names folders (file_dialogs_say_what_the_choice_leads_to).
            if (l->objectName() != u"pathResult")
                QCOMPARE(latinWords(l->text()), QStringList());
            if (const QChar key = mnemonic(l->text()); !key.isNull() && l->buddy()) {
                QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + u" and "_s + l->text()));
                taken.insert(key, l->text());
            }
        }
        for (const QPushButton *b : dialog->findChildren<QPushButton *>()) {
            if (b->text().isEmpty())
                continue;
            QCOMPARE(latinWords(b->text()), QStringList());
            const QChar key = mnemonic(b->text());
            QVERIFY2(!key.isNull(), qPrintable(b->text()));
            QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + u" and "_s + b->text()));
            taken.insert(key, b->text());
        }
    }

    // Above the folders each file dialog says what to choose; the dialogs of opening and saving a
    // test folder say what the folder chosen so far leads to, and say it anew as the teacher
    // clicks through the folders: which test opens, where the test is saved (a new folder named
    // after its title in Latin letters), or that a test is there.
    void file_dialogs_say_what_the_choice_leads_to_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("own");       // the test's folder, below the temporary one
        QTest::addColumn<QString>("first");     // the folder the dialog starts in
        QTest::addColumn<QString>("firstSays"); // %1 the temporary folder
        QTest::addColumn<QString>("then");      // the folder selected next
        QTest::addColumn<QString>("thenSays");
        using K = EditorDialogs::PathKind;
        QTest::newRow("open_test_then_none")
            << int(K::OpenFolder) << QString() << u"gradove"_s << u"Отваря се тестът „Градове“ от %1/gradove."_s
            << u"prazna"_s << u"В %1/prazna няма тест (няма файл test.kaz): отворете папката на тест или папката на "
                              u"теста вътре в тази."_s;
        QTest::newRow("save_new_then_beside_a_test")
            << int(K::SaveFolder) << QString() << u"prazna"_s
            << u"Тестът се записва в нова папка: %1/prazna/stolitsi-na-evropa"_s << u"gradove"_s
            << u"Това е папката на теста „Градове“: ще бъдете попитани дали да го замените или да запишете този до "
               u"него."_s;
        QTest::newRow("save_own_then_new")
            << int(K::SaveFolder) << u"stolitsi"_s << u"stolitsi"_s << u"Тестът се записва в своята папка: %1/stolitsi"_s
            << u"prazna"_s << u"Тестът се записва в нова папка: %1/prazna/stolitsi-na-evropa"_s;
    }

    void file_dialogs_say_what_the_choice_leads_to()
    {
        QFETCH(int, kind);
        QFETCH(QString, own);
        QFETCH(QString, first);
        QFETCH(QString, firstSays);
        QFETCH(QString, then);
        QFETCH(QString, thenSays);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = QDir(tmp.path()).canonicalPath();
        QuizDocument other;
        EditorSupport::setRows(other, u"Варна\tОдесос\n"_s);
        other.setField(DocumentField::Title, u"Градове"_s);
        QCOMPARE(other.trySaveTo(root + u"/gradove"_s).outcome, QuizDocument::Saved::Outcome::Saved);
        QVERIFY(QDir(root).mkdir(u"prazna"_s));
        QVERIFY(QDir(root).mkdir(u"stolitsi"_s));
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        w.document()->setField(DocumentField::Title, u"Столици на Европа"_s);
        if (!own.isEmpty())
            QCOMPARE(w.document()->trySaveTo(root + u'/' + own).outcome, QuizDocument::Saved::Outcome::Saved);
        // The dialog the editor's own opener and Save as show, caught as it opens.
        QString said, saidThen, hint;
        QTimer::singleShot(0, &w, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto *line = dialog->findChild<QLabel *>(u"pathResult"_s);
            const auto *above = dialog->findChild<QLabel *>(u"pathHint"_s);
            // Shown above the line of where the result goes, not over it.
            const QLabel *lookIn = nullptr;
            for (const QLabel *l : dialog->findChildren<QLabel *>())
                if (l->text() == dialog->labelText(QFileDialog::LookIn))
                    lookIn = l;
            if (above && lookIn && above->isVisible()
                && above->mapTo(dialog, QPoint(0, above->height())).y() <= lookIn->mapTo(dialog, QPoint()).y())
                hint = above->text();
            said = line ? line->text() : QString();
            dialog->selectFile(root + u'/' + then);
            saidThen = line ? line->text() : QString();
            dialog->reject();
        });
        QCOMPARE(w.choosePath(EditorDialogs::PathKind(kind), root + u'/' + first), QString());
        QVERIFY2(!hint.isEmpty(), "no line above the folders");
        // The paths as the system writes them (the sentences hold no other slash).
        QCOMPARE(said, QDir::toNativeSeparators(firstSays.arg(root)));
        QCOMPARE(saidThen, QDir::toNativeSeparators(thenSays.arg(root)));
    }

    // "Make program" for several systems: its folder dialog names the programs and where they go,
    // anew for each folder the teacher goes to.
    void programs_folder_dialog_names_the_programs()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString root = QDir(tmp.path()).canonicalPath();
        QVERIFY(QDir(root).mkdir(u"za-uchenitsite"_s));
        const EditorDialogs::MakeProgramSteps steps = EditorDialogs::dialogs(m_window.get());
        QString said, saidThen;
        QTimer::singleShot(0, m_window.get(), [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto *line = dialog->findChild<QLabel *>(u"pathResult"_s);
            said = line ? line->text() : QString();
            dialog->selectFile(root + u"/za-uchenitsite"_s);
            saidThen = line ? line->text() : QString();
            dialog->reject();
        });
        QCOMPARE(steps.askFolder(root, {u"kaz-gradove.exe"_s, u"kaz-gradove"_s}), QString());
        QCOMPARE(said, QDir::toNativeSeparators(u"Програмите се записват в %1: kaz-gradove.exe, kaz-gradove."_s.arg(root)));
        QCOMPARE(saidThen, QDir::toNativeSeparators(
                               u"Програмите се записват в %1/za-uchenitsite: kaz-gradove.exe, kaz-gradove."_s.arg(root)));
    }

    // The question Qt's file dialog asks itself when "Make program" is to write over a file there
    // already: its buttons have Alt letters, as the editor's own questions do, and are Bulgarian
    // (Qt's own translation gives both).
    void file_dialog_question_has_alt_letters()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString there = tmp.filePath(u"kaz-gradove"_s);
        QFile file(there);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const std::unique_ptr<QFileDialog> dialog
            = EditorDialogs::pathDialog(m_window.get(), EditorDialogs::PathKind::ProgramFile, there);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QStringList buttons;
        QTimer::singleShot(0, dialog.get(), [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (const QAbstractButton *b : box->buttons())
                buttons.append(b->text());
            box->reject();
        });
        const auto *box = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QPushButton *write = nullptr;
        for (QAbstractButton *b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole)
                write = qobject_cast<QPushButton *>(b);
        QVERIFY(write);
        write->click();
        QCOMPARE(buttons.size(), 2);
        QSet<QChar> letters;
        for (const QString &text : std::as_const(buttons)) {
            const QChar key = mnemonic(text);
            QVERIFY2(!key.isNull(), qPrintable(text));
            QCOMPARE(latinWords(text), QStringList());
            letters.insert(key);
        }
        QCOMPARE(letters.size(), 2);
    }

    // The guide names each key as the menus show it ("Ctrl+Del", "Alt+Нагоре"): in its key table
    // and wherever it names a key with Ctrl, Alt or Shift in bold.
    void guide_names_keys_as_the_menus_do_data()
    {
        QTest::addColumn<QString>("key");
        // The keys of the table's cells and of the fields, which no menu command has.
        const QStringList ownKeys{u"Tab"_s,   u"Shift+Tab"_s,   u"Ctrl+Tab"_s,  u"Ctrl+Shift+Tab"_s, u"Enter"_s,
                                  u"F2"_s,    u"Shift+Enter"_s, u"Alt+Enter"_s, u"Esc"_s};
        QStringList menuKeys;
        for (QAction *title : m_window->menuBar()->actions())
            for (QAction *a : title->menu()->actions())
                for (const QKeySequence &k : a->shortcuts())
                    menuKeys.append(k.toString(QKeySequence::NativeText));
        QVERIFY(menuKeys.contains(u"Ctrl+Z"_s));
        static const QRegularExpression bold(uR"(\*\*((?:Ctrl|Alt|Shift)\+[^*]+)\*\*)"_s);
        static const QRegularExpression token(uR"([^\s,()]+)"_s);
        for (const QString &page : {u"editor.md"_s, u"editor.bg.md"_s}) {
            QFile file(u":/kaz/guide/"_s + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            QStringList keys;
            const qsizetype table = std::max(text.indexOf(u"\n## Keys"_s), text.indexOf(u"\n## Клавиши"_s));
            QVERIFY2(table > 0, qPrintable(page));
            bool rows = false; // past the table's header
            for (const QString &line : text.mid(table + 1).split(u'\n').mid(1)) {
                if (line.startsWith(u"|---"_s)) {
                    rows = true;
                    continue;
                }
                if (!rows)
                    continue;
                if (!line.startsWith(u"| "_s))
                    break;
                const QString keysCell = line.section(u'|', 1, 1).trimmed();
                if (keysCell.contains(u" + "_s))
                    continue; // Alt + the underlined letter
                for (const QRegularExpressionMatch &m : token.globalMatch(keysCell))
                    if (m.captured() != u"or" && m.captured() != u"или")
                        keys.append(m.captured());
            }
            QVERIFY2(keys.size() > 15, qPrintable(page));
            for (const QRegularExpressionMatch &m : bold.globalMatch(text))
                keys.append(m.captured(1));
            for (const QString &key : std::as_const(keys))
                if (!ownKeys.contains(key))
                    QTest::addRow("%s: %s", qPrintable(page), qPrintable(key)) << key;
        }
        m_menuKeys = menuKeys;
    }

    void guide_names_keys_as_the_menus_do()
    {
        QFETCH(QString, key);
        QVERIFY2(m_menuKeys.contains(key), qPrintable(u"the menus show "_s + m_menuKeys.join(u", "_s)));
    }

    // The problems speak Bulgarian here too, of the table's rows as its header numbers them and
    // of its columns, never of a section of the file.
    void checker_names_the_row_in_bulgarian()
    {
        QuizDocument d;
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

    // Widening the lists says at once whether the test window kept its width, and where it grew,
    // how wide it is now and that its buttons and boxes stay where they are.
    void widening_says_how_the_window_changed_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("grows");
        const QString longLeft = u"Велико Търново, старата столица на Второто българско царство"_s;
        const QString longRight = u"Трапезица и Царевец, хълмовете на старата столица на Второто българско царство"_s;
        QTest::newRow("kept_its_width") << u"Варна\tОдесос\n%1\tТърновград\nСофия\tСердика\nПловдив\tФилипополис\n"_s.arg(longLeft)
                                        << false;
        QTest::newRow("grew") << u"Варна\tОдесос\n%1\tТърновград\nСофия\t%2\nПловдив\tФилипополис\n"_s.arg(longLeft, longRight)
                              << true;
    }

    void widening_says_how_the_window_changed()
    {
        QFETCH(QString, rows);
        QFETCH(bool, grows);
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        EditorSupport::setRows(*w.document(), rows);
        const int before = w.document()->field(DocumentField::WindowWidth).toInt();
        w.actions().widenLists->trigger();
        const int after = w.document()->field(DocumentField::WindowWidth).toInt();
        QCOMPARE(after > before, grows);
        QCOMPARE(w.statusBar()->currentMessage(),
                 grows ? u"Всяка фраза вече се побира в списъка си: прозорецът стана широк %1 пиксела, а бутоните и "
                         u"полетата му остават на местата си вляво. Ctrl+Z го връща."_s.arg(after / 15)
                       : u"Всяка фраза вече се побира в списъка си; прозорецът запази ширината си. „Отмени“ (Ctrl+Z) "
                         u"връща предишните размери."_s);
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
        // Trying the test, the status bar holds the note in brief, whole on its one line.
        w.actions().tryOut->trigger();
        QCOMPARE(w.statusBar()->currentMessage(),
                 u"Бележка: след последната двойка „Оцени“ остава сив, докато „Избрах“ не се натисне още веднъж; "
                 u"защо, казва списъкът с проблемите"_s);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *view = qobject_cast<KazView *>(top))
                view->close();

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
    QStringList m_menuKeys;
};

QTEST_MAIN(TestEditorBulgarian)
#include "tst_editor_bulgarian.moc"
