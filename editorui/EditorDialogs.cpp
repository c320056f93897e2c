#include "EditorDialogs.h"

#include "EditorSources.h"
#include "Printing.h"
#include "QuizDocument.h"
#include "SavePlace.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace EditorDialogs {

namespace {

// The letter Alt presses in `text` (upper case), null when it has none.
QChar mnemonicOf(const QString &text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QChar() : QChar(char16_t(key[0].key()));
}

// What each kind of file dialog says: its caption (short, so that a title bar shows it whole),
// the line above the folders (where the result goes), the name field's label, the accept button,
// the kinds of files shown and, at the top, what to choose and what becomes of it; by PathKind.
struct PathTexts
{
    const char *caption, *lookIn, *name, *accept, *filter, *hint;
};
constexpr PathTexts Texts[] = {
    {QT_TRANSLATE_NOOP("EditorDialogs", "Open the folder of a test"), QT_TRANSLATE_NOOP("EditorDialogs", "Look in:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "Test &folder:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Open the test"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose the folder of the test: the one that holds its file test.kaz (and its "
                                        "pictures). The test opens in the editor from there.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Save the test: choose a folder"),
     QT_TRANSLATE_NOOP("EditorDialogs", "The test goes into:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Folder:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "&Save the test here"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose the folder to keep the test in, such as Documents. The test gets a "
                                        "folder of its own inside it, named after its title.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Open a GIFT or Moodle XML file"), QT_TRANSLATE_NOOP("EditorDialogs", "Look in:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "GIFT or XML &file:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Open"),
     QT_TRANSLATE_NOOP("EditorDialogs", "GIFT and Moodle XML files (*.gift *.txt *.xml);;All files (*)"),
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose a file of questions exported from Moodle, in GIFT or in Moodle XML: "
                                        "its matching question becomes a new test in the editor, which you then save "
                                        "in a folder of its own. The file itself is not changed.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Open a test program"), QT_TRANSLATE_NOOP("EditorDialogs", "Look in:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "&Program:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Open"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose a test program made by KAZ (kaz-….exe, kaz-…), a test page (kaz-….html) "
                                        "or a package for Moodle (kaz-…-scorm.zip): the test in it opens "
                                        "in the editor as a new test, which you then save in a folder of its own. The "
                                        "program itself is not changed.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Choose a picture for the row"), QT_TRANSLATE_NOOP("EditorDialogs", "Look in:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "Picture &file:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Take the picture"),
     QT_TRANSLATE_NOOP("EditorDialogs", "Pictures (*.png *.jpg *.jpeg *.gif *.bmp);;All files (*)"),
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose a picture file (PNG, JPEG, GIF or BMP) for the row you are on: a copy "
                                        "of it goes into the test's folder; your file stays where it is.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Make program: where to write the program"),
     QT_TRANSLATE_NOOP("EditorDialogs", "The program goes into:"), QT_TRANSLATE_NOOP("EditorDialogs", "Program &name:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "&Write the program"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "The program is one file, which you give to the learners. Choose the folder "
                                        "it goes into and, if you like, another name for it.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Make program: the folder for the programs"),
     QT_TRANSLATE_NOOP("EditorDialogs", "The programs go into:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Folder:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "&Write the programs here"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose the folder the programs go into: each is one file, named kaz- and the "
                                        "test's folder name, which you give to the learners of its system.")},
    {QT_TRANSLATE_NOOP("EditorDialogs", "Export for Moodle: choose a folder"),
     QT_TRANSLATE_NOOP("EditorDialogs", "The files go into:"), QT_TRANSLATE_NOOP("EditorDialogs", "&Folder:"),
     QT_TRANSLATE_NOOP("EditorDialogs", "&Write the files here"), nullptr,
     QT_TRANSLATE_NOOP("EditorDialogs", "Choose the folder for the test's two files for Moodle: one in Moodle XML, "
                                        "with the pictures, and one in GIFT. You then import one of them into "
                                        "Moodle's question bank.")},
};
static_assert(std::size(Texts) == size_t(PathKind::MoodleFolder) + 1, "a text for every kind of file dialog");

QString translated(const char *text)
{
    return text ? QCoreApplication::translate("EditorDialogs", text) : QString();
}

// Puts `widget` above everything Qt's file dialog `dialog` holds, across its width.
void putOnTop(QFileDialog *dialog, QWidget *widget)
{
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    if (!grid)
        return;
    struct Place
    {
        QLayoutItem *item;
        int row, column, rows, columns;
    };
    const int columns = grid->columnCount();
    QList<Place> places;
    while (grid->count() > 0) {
        Place p{nullptr, 0, 0, 0, 0};
        grid->getItemPosition(0, &p.row, &p.column, &p.rows, &p.columns);
        p.item = grid->takeAt(0);
        places.append(p);
    }
    grid->addWidget(widget, 0, 0, 1, columns);
    for (const Place &p : std::as_const(places))
        grid->addItem(p.item, p.row + 1, p.column, p.rows, p.columns);
}

// The folder or file the dialog would give now: what is selected or typed, else the folder shown.
QString chosenNow(const QFileDialog *dialog)
{
    const QStringList selected = dialog->selectedFiles();
    return selected.isEmpty() ? dialog->directory().absolutePath() : selected.constFirst();
}

} // namespace

QString openResult(const QString &chosen)
{
    if (!QFileInfo(QDir(chosen).filePath(QStringLiteral("test.kaz"))).isFile())
        return QCoreApplication::translate("EditorDialogs", "%1 holds no test (no file test.kaz): open the folder of "
                                                            "a test, or the test's folder inside this one.")
            .arg(printablePath(chosen));
    return QCoreApplication::translate("EditorDialogs", "Opens the test \"%1\" from %2.")
        .arg(SavePlace::titleOf(chosen), printablePath(chosen));
}

QString programsResult(const QString &chosen, const QStringList &programs)
{
    QStringList names;
    for (const QString &program : programs)
        names.append(printableName(program));
    return QCoreApplication::translate("EditorDialogs", "The programs are written into %1: %2.")
        .arg(printablePath(chosen), names.join(QStringLiteral(", ")));
}

QString moodleResult(const QString &chosen, const QStringList &files)
{
    QStringList names, there;
    for (const QString &file : files) {
        const QString name = QFileInfo(file).fileName();
        names.append(printableName(name));
        if (QFileInfo::exists(QDir(chosen).filePath(name)))
            there.append(printableName(name));
    }
    QString text = QCoreApplication::translate("EditorDialogs", "The files %1 are written into %2.")
                       .arg(names.join(QStringLiteral(", ")), printablePath(chosen));
    if (!there.isEmpty())
        text += u' ' + QCoreApplication::translate("EditorDialogs", "%1 is there already: you are asked before it is replaced.")
                           .arg(there.join(QStringLiteral(", ")));
    return text;
}

QString saveResult(const QString &chosen, const QString &own, const QString &title)
{
    const SavePlace::Chosen place = SavePlace::consider(chosen, own, title);
    switch (place.kind) {
    case SavePlace::Chosen::Kind::NotHere:
        return QCoreApplication::translate("EditorDialogs", "No test can be saved here: %1.").arg(place.why);
    case SavePlace::Chosen::Kind::Own:
        return QCoreApplication::translate("EditorDialogs", "The test is saved in its own folder: %1")
            .arg(printablePath(place.folder));
    case SavePlace::Chosen::Kind::HoldsTest:
        return QCoreApplication::translate("EditorDialogs", "This is the folder of the test \"%1\": you are asked "
                                                            "whether to replace it or to save beside it.")
            .arg(place.title);
    case SavePlace::Chosen::Kind::Inside:
        break;
    }
    return QCoreApplication::translate("EditorDialogs", "The test is saved in a new folder: %1")
        .arg(printablePath(place.folder));
}

std::unique_ptr<QFileDialog> pathDialog(QWidget *parent, PathKind kind, const QString &start, PathResult result)
{
    const PathTexts &texts = Texts[int(kind)];
    auto dialog = std::make_unique<QFileDialog>(parent, translated(texts.caption), start, translated(texts.filter));
    dialog->setObjectName(QStringLiteral("pathDialog"));
    // The system's own dialog would speak the system's language and keep its own captions
    // ("Select Folder"): Qt's is the same on every system and takes the texts below.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    const bool folder = kind == PathKind::OpenFolder || kind == PathKind::SaveFolder || kind == PathKind::ProgramsFolder
                        || kind == PathKind::MoodleFolder;
    if (folder) {
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
    } else if (kind == PathKind::ProgramFile) {
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setAcceptMode(QFileDialog::AcceptSave); // asks before it names a file that is there
        dialog->selectFile(start);
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setLabelText(QFileDialog::LookIn, translated(texts.lookIn));
    dialog->setLabelText(QFileDialog::FileName, translated(texts.name));
    dialog->setLabelText(QFileDialog::FileType, QCoreApplication::translate("EditorDialogs", "Show:"));
    dialog->setLabelText(QFileDialog::Accept, translated(texts.accept));
    dialog->setLabelText(QFileDialog::Reject, QCoreApplication::translate("EditorDialogs", "Cancel"));
    // What to choose and what becomes of it, in words, above the folders: the caption alone is
    // easily cut short by the title bar. Below it, what the choice made so far leads to.
    auto *hint = new QLabel(translated(texts.hint), dialog.get());
    hint->setObjectName(QStringLiteral("pathHint"));
    hint->setWordWrap(true);
    auto *lines = new QWidget(dialog.get());
    auto *linesLayout = new QVBoxLayout(lines);
    linesLayout->setContentsMargins(0, 0, 0, 0);
    linesLayout->addWidget(hint);
    if (!result && kind == PathKind::OpenFolder)
        result = openResult;
    if (result) {
        auto *outcome = new QLabel(lines);
        outcome->setObjectName(QStringLiteral("pathResult"));
        outcome->setWordWrap(true);
        outcome->setTextFormat(Qt::PlainText);
        QFont bold = outcome->font();
        bold.setBold(true);
        outcome->setFont(bold);
        // Room for two lines from the start: the folders do not move under the pointer when
        // the sentence grows as the teacher clicks through them.
        outcome->setMinimumHeight(2 * QFontMetrics(bold).lineSpacing());
        linesLayout->addWidget(outcome);
        QFileDialog *d = dialog.get();
        const auto update = [d, outcome, result] { outcome->setText(result(chosenNow(d))); };
        QObject::connect(d, &QFileDialog::currentChanged, outcome, update);
        QObject::connect(d, &QFileDialog::directoryEntered, outcome, update);
        if (auto *name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            QObject::connect(name, &QLineEdit::textChanged, outcome, update);
        update();
    }
    putOnTop(dialog.get(), lines);
    giveMnemonics(dialog.get());
    return dialog;
}

QString choosePath(QWidget *parent, PathKind kind, const QString &start, PathResult result)
{
    const std::unique_ptr<QFileDialog> dialog = pathDialog(parent, kind, start, std::move(result));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

void giveMnemonics(QWidget *dialog)
{
    QList<QPushButton *> buttons;
    QSet<QChar> taken;
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        const QChar letter = mnemonicOf(b->text());
        if (!letter.isNull())
            taken.insert(letter);
        else if (auto *push = qobject_cast<QPushButton *>(b); push && !push->text().isEmpty())
            buttons.append(push);
    }
    for (const QLabel *l : dialog->findChildren<QLabel *>())
        if (const QChar letter = mnemonicOf(l->text()); !letter.isNull() && l->buddy())
            taken.insert(letter);
    for (QPushButton *b : std::as_const(buttons)) {
        QString text = b->text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text.at(i).toUpper();
            if (text.at(i).isLetter() && !taken.contains(letter)) {
                taken.insert(letter);
                text.insert(i, u'&');
                b->setText(text);
                break;
            }
        }
    }
}

void tell(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("EditorDialogs", "OK"));
    giveMnemonics(&box);
    box.exec();
}

int chooseGiftQuestion(QWidget *parent, const QStringList &titles, const QStringList &skipped)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("EditorDialogs", "Open a GIFT or Moodle XML file"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(titles.size() == 1
                                 ? QCoreApplication::translate("EditorDialogs", "The file holds one matching question, "
                                                                                "and it becomes the test:")
                                 : QCoreApplication::translate("EditorDialogs", "The file holds %n matching question(s). Each becomes a test of its own; choose the "
                                "one to open:",
                                nullptr, int(titles.size())),
                             &dialog);
    label->setWordWrap(true);
    auto *list = new QListWidget(&dialog);
    list->addItems(titles);
    list->setCurrentRow(0);
    list->setAccessibleName(QCoreApplication::translate("EditorDialogs", "Matching questions"));
    label->setBuddy(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    // The buttons speak the editor's language even where Qt has no translation of its own.
    buttons->button(QDialogButtonBox::Open)->setText(QCoreApplication::translate("EditorDialogs", "Open"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("EditorDialogs", "Cancel"));
    layout->addWidget(label);
    layout->addWidget(list);
    if (!skipped.isEmpty()) {
        auto *skippedLabel = new QLabel(
            QCoreApplication::translate("EditorDialogs", "%n question(s) of other kinds will not be opened: a KAZ test "
                                                         "pairs phrases, so only matching questions become tests.",
                                        nullptr, int(skipped.size())),
            &dialog);
        skippedLabel->setWordWrap(true);
        auto *skippedList = new QListWidget(&dialog);
        skippedList->addItems(skipped);
        skippedList->setSelectionMode(QAbstractItemView::NoSelection);
        skippedList->setAccessibleName(QCoreApplication::translate("EditorDialogs", "Questions not opened"));
        skippedLabel->setBuddy(skippedList);
        layout->addWidget(skippedLabel);
        layout->addWidget(skippedList);
    }
    layout->addWidget(buttons);
    // Each list as high as its lines, up to eight, and the dialog as wide as the longest line
    // (within reason), so that a few questions do not leave an empty box or cut words off.
    int widest = 0;
    for (QListWidget *l : dialog.findChildren<QListWidget *>()) {
        const int rows = qBound(1, l->count(), 8);
        l->setFixedHeight(l->sizeHintForRow(0) * rows + 2 * l->frameWidth() + 4);
        widest = qMax(widest, l->sizeHintForColumn(0) + 2 * l->frameWidth() + 4);
    }
    dialog.setMinimumWidth(qMin(widest + layout->contentsMargins().left() + layout->contentsMargins().right(), 900));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    list->setFocus();
    giveMnemonics(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

bool openGift(QWidget *parent, QuizDocument &doc, const QString &path, const QString &address)
{
    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QString error = questions.error;
    if (error.isEmpty()) {
        const int chosen = asksForGiftQuestion(questions.titles, questions.skipped)
                               ? chooseGiftQuestion(parent, questions.shown, questions.skipped)
                               : 0;
        if (chosen < 0)
            return false;
        error = EditorSources::openGift(doc, path, chosen, address);
    }
    if (error.isEmpty())
        return true;
    tell(parent, QMessageBox::Warning, QCoreApplication::translate("EditorDialogs", "Open a GIFT or Moodle XML file"), error);
    return false;
}

bool openProgram(QWidget *parent, QuizDocument &doc, const QString &path)
{
    const QString error = EditorSources::openProgram(doc, path);
    if (error.isEmpty())
        return true;
    tell(parent, QMessageBox::Warning, QCoreApplication::translate("EditorDialogs", "Open program"), error);
    return false;
}

namespace {

// `name` as a word of a command line typed into a Linux terminal: quoted where it holds more
// than letters, digits and . _ + -.
QString shellWord(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._+-]+$"));
    if (plain.match(name).hasMatch())
        return name;
    QString quoted = name;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

// What the teacher does with a SCORM package made at `program`.
QString packageMadeText(const QString &program)
{
    return QCoreApplication::translate("EditorDialogs", "The package for Moodle and other platforms is made: %1\nIn Moodle: "
                                                        "turn editing on in the course, Add an activity or resource, SCORM "
                                                        "package, and upload this .zip file. Each learner's score then "
                                                        "appears in the course's grades.")
        .arg(printablePath(program));
}

// What the teacher does with a program made for `system`, at `program`.
QString madeText(Packing::System system, const QString &program)
{
    const QString path = printablePath(program);
    if (system == Packing::System::Web)
        return QCoreApplication::translate("EditorDialogs", "The test page is made: %1\nIt opens in any web browser, on "
                                                            "a phone, a tablet or a computer: the learners double-click "
                                                            "it, or open it as an e-mail attachment or as a file on the "
                                                            "school's web site; nothing needs to be installed.")
            .arg(path);
    if (system == Packing::System::Windows)
        return QCoreApplication::translate("EditorDialogs", "The program for Windows is made: %1\nThe learners copy this "
                                                            "one file (from a USB stick or an e-mail) and double-click it "
                                                            "to start the test; nothing needs to be installed.")
            .arg(path);
    const QString made = QCoreApplication::translate("EditorDialogs", "The program for Linux is made: %1\nGive this one file to "
                                                                      "the learners: it runs on Debian 12 (64-bit PC) with the KAZ "
                                                                      "package installed, or with the packages libqt6widgets6, "
                                                                      "fonts-liberation and fonts-dejavu-core.")
                             .arg(path);
    // Windows' disks, USB sticks and e-mail keep no permission to run: the learner gives it
    // back. A program made on Windows never has it, so there the editor says so for certain.
#ifdef Q_OS_WIN
    const QString start = QCoreApplication::translate("EditorDialogs", "Made on Windows, it reaches Linux without its "
                                                                       "permission to run: there the learner gives it "
                                                                       "back with chmod +x %1, or in the file manager with "
                                                                       "Properties, Permissions, Allow executing file as "
                                                                       "program, and then double-clicks it.");
#else
    const QString start = QCoreApplication::translate("EditorDialogs", "Where it arrives without its permission to run "
                                                                       "(copied through Windows, or sent by e-mail), the "
                                                                       "learner gives it back with chmod +x %1, or in the "
                                                                       "file manager with Properties, Permissions, Allow "
                                                                       "executing file as program.");
#endif
    return made + u'\n' + start.arg(shellWord(QFileInfo(program).fileName()));
}

// Why no program was made for `system`: `why` is what packing told the teacher.
QString notMadeText(Packing::System system, const QString &why, bool package = false)
{
    if (package)
        return QCoreApplication::translate("EditorDialogs", "The package for Moodle and other platforms was not made:\n%1").arg(why);
    if (system == Packing::System::Web)
        return QCoreApplication::translate("EditorDialogs", "The test page was not made:\n%1").arg(why);
    return QCoreApplication::translate("EditorDialogs", "The program for %1 was not made:\n%2")
        .arg(Packing::systemName(system), why);
}

} // namespace

MakeProgramSteps dialogs(QWidget *parent, std::function<bool()> save)
{
    MakeProgramSteps steps;
    steps.save = std::move(save);
    steps.askSave = [parent](const QString &question) {
        QMessageBox box(QMessageBox::Question, QCoreApplication::translate("EditorDialogs", "Make program"), question,
                        QMessageBox::Save | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        box.button(QMessageBox::Save)->setText(QCoreApplication::translate("EditorDialogs", "Save"));
        box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("EditorDialogs", "Cancel"));
        giveMnemonics(&box);
        return box.exec() == QMessageBox::Save;
    };
    steps.askSystems = [parent](const QList<EditorPacking::Target> &targets) { return chooseSystems(parent, targets); };
    // The save dialog asks before it names a file that is already there.
    steps.askProgram = [parent](const QString &proposed) { return choosePath(parent, PathKind::ProgramFile, proposed); };
    steps.askFolder = [parent](const QString &proposed, const QStringList &programs) {
        return choosePath(parent, PathKind::ProgramsFolder, proposed,
                          [programs](const QString &chosen) { return programsResult(chosen, programs); });
    };
    steps.askReplace = [parent](const QStringList &programs) {
        QStringList names;
        for (const QString &program : programs)
            names.append(printablePath(program));
        QMessageBox box(QMessageBox::Question, QCoreApplication::translate("EditorDialogs", "Make program"),
                        QCoreApplication::translate("EditorDialogs", "These files are there already:\n%1\n\nReplace them "
                                                                     "with the new programs?")
                            .arg(names.join(u'\n')),
                        QMessageBox::Yes | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("EditorDialogs", "Replace"));
        box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("EditorDialogs", "Cancel"));
        giveMnemonics(&box);
        return box.exec() == QMessageBox::Yes;
    };
    steps.tell = [parent](const QString &text, bool problem) {
        tell(parent, problem ? QMessageBox::Warning : QMessageBox::Information,
             QCoreApplication::translate("EditorDialogs", "Make program"), text);
    };
    return steps;
}

void makeProgram(QuizDocument &doc, const MakeProgramSteps &steps)
{
    doc.checkNow();
    if (const int problems = int(doc.problems().size()); problems > 0) {
        steps.tell(QCoreApplication::translate("EditorDialogs", "The test has %n problem(s), listed under the table. Mend them, then make the program again.",
                      nullptr, problems),
                   true);
        return;
    }
    if (doc.folder().isEmpty() || doc.isModified()) {
        const QString question = doc.folder().isEmpty()
            ? QCoreApplication::translate("EditorDialogs", "The test has not been saved yet, and a program is made from the saved test folder. Save the test now?")
            : QCoreApplication::translate("EditorDialogs", "The test has changes that are not saved, and a program is made from the saved test folder. Save the "
                 "changes now?");
        if (!steps.askSave(question))
            return;
        if (steps.save) {
            if (!steps.save())
                return;
        } else if (doc.folder().isEmpty()) {
            steps.tell(QCoreApplication::translate("EditorDialogs", "Save the test in a folder first (File, Save), then make the program."), true);
            return;
        } else if (const QString why = doc.save(); !why.isEmpty()) {
            steps.tell(QCoreApplication::translate("EditorDialogs", "The test was not saved: %1.").arg(why), true);
            return;
        }
        if (doc.folder().isEmpty() || doc.isModified())
            return;
    }
    const QList<EditorPacking::Target> offered
        = EditorPacking::targets(doc.folder(), steps.runner, EditorPacking::lastSystems());
    const QList<EditorPacking::Target> targets = steps.askSystems(offered);
    if (targets.isEmpty())
        return;
    QList<Packing::System> systems;
    EditorPacking::LastPackage package = EditorPacking::lastPackage();
    package.chosen = false;
    for (const EditorPacking::Target &t : targets) {
        if (!t.package)
            systems.append(t.system);
        else
            package = {true, *t.package};
    }
    EditorPacking::setLastSystems(systems);
    EditorPacking::setLastPackage(package);

    QStringList programs;
    if (targets.size() == 1) {
        const QString program = steps.askProgram(
            targets.first().package ? QFileInfo(EditorPacking::defaultProgramPath(doc.folder(), targets.first().system)).dir().filePath(targets.first().program)
                                    : EditorPacking::defaultProgramPath(doc.folder(), targets.first().system));
        if (program.isEmpty())
            return;
        // The save dialog asked about the name as typed; a Windows program gets ".exe" added,
        // a page ".html".
        const QString written = targets.first().package ? program : Packing::programPath(program, targets.first().system);
        if (written != program && (QFileInfo(written).exists() || QFileInfo(written).isSymLink())
            && !steps.askReplace({written}))
            return;
        programs.append(program);
    } else {
        QStringList names;
        for (const EditorPacking::Target &t : targets)
            names.append(t.program);
        const QString place = steps.askFolder(QFileInfo(QDir(doc.folder()).absolutePath()).path(), names);
        if (place.isEmpty())
            return;
        QStringList there;
        for (const EditorPacking::Target &t : targets) {
            programs.append(QDir(place).filePath(t.program));
            if (QFileInfo(programs.last()).exists() || QFileInfo(programs.last()).isSymLink())
                there.append(programs.last());
        }
        if (!there.isEmpty() && !steps.askReplace(there))
            return;
    }

    // Each system told on its own, in the order offered: one that failed does not hide another made.
    QStringList parts;
    bool failed = false;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const EditorPacking::Target &t = targets.at(i);
        const EditorPacking::Result result = EditorPacking::makeProgram(doc, programs.at(i), true, t.runner, t.system, t.package);
        failed = failed || !result.ok;
        parts.append(result.ok ? (t.package ? packageMadeText(result.program) : madeText(t.system, result.program))
                                     + (result.message.isEmpty() ? QString() : u'\n' + result.message)
                               : notMadeText(t.system, result.message, bool(t.package)));
    }
    steps.tell(parts.join(QStringLiteral("\n\n")), failed);
}

QList<EditorPacking::Target> chooseSystems(QWidget *parent, const QList<EditorPacking::Target> &targets)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("EditorDialogs", "Make program"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *question = new QLabel(QCoreApplication::translate("EditorDialogs", "Which computers do the learners use? A program "
                                                                             "is made for each system ticked."),
                                &dialog);
    question->setWordWrap(true);
    layout->addWidget(question);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton *next = buttons->button(QDialogButtonBox::Ok);
    next->setText(QCoreApplication::translate("EditorDialogs", "Make"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("EditorDialogs", "Cancel"));
    QList<QCheckBox *> boxes;
    QSpinBox *passMark = nullptr;
    QCheckBox *learnerName = nullptr;
    for (const EditorPacking::Target &t : targets) {
        QString name, about;
        switch (t.system) {
        case Packing::System::Windows:
            name = QCoreApplication::translate("EditorDialogs", "Windows");
            about = QCoreApplication::translate("EditorDialogs", "%1: one file the learners copy (USB stick, e-mail) and "
                                                                 "double-click; nothing to install.");
            break;
        case Packing::System::Linux:
            name = QCoreApplication::translate("EditorDialogs", "Linux (Debian)");
            about = QCoreApplication::translate("EditorDialogs", "%1: for Debian 12 with the KAZ package installed (or "
                                                                 "Qt 6 and two font packages).");
            break;
        case Packing::System::Web:
            name = QCoreApplication::translate("EditorDialogs", "for a web browser (.html)");
            about = QCoreApplication::translate("EditorDialogs", "%1: a page that plays the test in any web browser, on "
                                                                 "a phone, a tablet or a computer; nothing to install.");
            break;
        }
        if (t.package) {
            name = QCoreApplication::translate("EditorDialogs", "for Moodle and other platforms (SCORM)");
            about = QCoreApplication::translate("EditorDialogs", "%1: the test page as a SCORM package: uploaded to a course "
                                                                 "in Moodle, it keeps each learner's score in the grades.");
        }
        auto *box = new QCheckBox(name, &dialog);
        about = about.arg(printableName(t.program));
        if (!t.missing.isEmpty())
            about += u'\n' + t.missing;
        auto *label = new QLabel(about, &dialog);
        label->setWordWrap(true);
        // Beneath its box's text, so that each system reads as one item.
        label->setContentsMargins(box->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                                      + box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing),
                                  0, 0, 0);
        box->setAccessibleDescription(about);
        box->setChecked(t.chosen);
        box->setEnabled(t.missing.isEmpty());
        // Each system's box and words together, the systems apart.
        auto *item = new QVBoxLayout;
        item->setSpacing(0);
        item->addWidget(box);
        item->addWidget(label);
        layout->addSpacing(layout->spacing());
        layout->addLayout(item);
        boxes.append(box);
        if (t.package) {
            // The package's settings, beneath its words, usable while it is ticked.
            auto *settings = new QGridLayout;
            settings->setContentsMargins(label->contentsMargins().left(), 4, 0, 0);
            passMark = new QSpinBox(&dialog);
            passMark->setRange(-1, 100);
            passMark->setSuffix(QStringLiteral(" %"));
            passMark->setSpecialValueText(QCoreApplication::translate("EditorDialogs", "none: only completed"));
            passMark->setValue(t.package->passMark.value_or(-1));
            auto *markLabel = new QLabel(QCoreApplication::translate("EditorDialogs", "&Pass mark:"), &dialog);
            markLabel->setBuddy(passMark);
            learnerName = new QCheckBox(QCoreApplication::translate("EditorDialogs", "The learner's name from the platform in "
                                                                                     "the caption's place"),
                                        &dialog);
            learnerName->setChecked(t.package->learnerName);
            settings->addWidget(markLabel, 0, 0);
            settings->addWidget(passMark, 0, 1);
            settings->setColumnStretch(2, 1);
            settings->addWidget(learnerName, 1, 0, 1, 3);
            item->addLayout(settings);
            const auto enable = [box, passMark = passMark, learnerName = learnerName, markLabel] {
                for (QWidget *w : std::initializer_list<QWidget *>{passMark, learnerName, markLabel})
                    w->setEnabled(box->isChecked() && box->isEnabled());
            };
            QObject::connect(box, &QCheckBox::toggled, &dialog, enable);
            enable();
        }
    }
    layout->addSpacing(layout->spacing());
    layout->addWidget(buttons);
    const auto update = [&boxes, next] {
        next->setEnabled(std::any_of(boxes.cbegin(), boxes.cend(), [](const QCheckBox *b) { return b->isChecked(); }));
    };
    for (QCheckBox *box : boxes)
        QObject::connect(box, &QCheckBox::toggled, &dialog, update);
    update();
    // As high as its words at a width that reads easily: no gaps spread between the systems.
    question->setMinimumWidth(440);
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    giveMnemonics(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QList<EditorPacking::Target> chosen;
    for (qsizetype i = 0; i < boxes.size(); ++i)
        if (boxes.at(i)->isChecked()) {
            chosen.append(targets.at(i));
            if (chosen.last().package && passMark && learnerName)
                chosen.last().package = ScormPackage::Settings{passMark->value() < 0 ? std::nullopt : std::optional<int>(passMark->value()),
                                                               learnerName->isChecked()};
        }
    return chosen;
}

} // namespace EditorDialogs
