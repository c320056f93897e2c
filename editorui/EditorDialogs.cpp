#include "EditorDialogs.h"

#include "EditorSources.h"
#include "Printing.h"
#include "TestDocument.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace EditorDialogs {

int chooseGiftQuestion(QWidget *parent, const QStringList &titles, const QStringList &skipped)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("EditorDialogs", "Open GIFT file"));
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
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

bool openGift(QWidget *parent, TestDocument &doc, const QString &path, const QString &address)
{
    const EditorSources::GiftQuestions questions = EditorSources::giftQuestions(path);
    QString error = questions.error;
    if (error.isEmpty()) {
        const int chosen = asksForGiftQuestion(questions.titles, questions.skipped)
                               ? chooseGiftQuestion(parent, questions.titles, questions.skipped)
                               : 0;
        if (chosen < 0)
            return false;
        error = EditorSources::openGift(doc, path, chosen, address);
    }
    if (error.isEmpty())
        return true;
    QMessageBox::warning(parent, QCoreApplication::translate("EditorDialogs", "Open GIFT file"), error);
    return false;
}

bool openProgram(QWidget *parent, TestDocument &doc, const QString &path)
{
    const QString error = EditorSources::openProgram(doc, path);
    if (error.isEmpty())
        return true;
    QMessageBox::warning(parent, QCoreApplication::translate("EditorDialogs", "Open program"), error);
    return false;
}

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
        return box.exec() == QMessageBox::Save;
    };
    // The save dialog asks before it names a file that is already there.
    steps.askProgram = [parent](const QString &proposed) {
        return QFileDialog::getSaveFileName(parent, QCoreApplication::translate("EditorDialogs", "Make program"), proposed);
    };
    steps.tell = [parent](const QString &text, bool problem) {
        if (problem)
            QMessageBox::warning(parent, QCoreApplication::translate("EditorDialogs", "Make program"), text);
        else
            QMessageBox::information(parent, QCoreApplication::translate("EditorDialogs", "Make program"), text);
    };
    return steps;
}

void makeProgram(TestDocument &doc, const MakeProgramSteps &steps)
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
    const QString program = steps.askProgram(EditorPacking::defaultProgramPath(doc.folder(), steps.runner));
    if (program.isEmpty())
        return;
    const EditorPacking::Result result = EditorPacking::makeProgram(doc, program, true, steps.runner);
    if (!result.ok) {
        steps.tell(QCoreApplication::translate("EditorDialogs", "The program was not made:\n%1").arg(result.message), true);
        return;
    }
    steps.tell(QCoreApplication::translate("EditorDialogs", "The program %1 is made.\n\nGive this one file to the learners: it runs on Debian 12 (64-bit PC) "
                  "with the KAZ package installed, or with the packages libqt6widgets6, fonts-liberation and "
                  "fonts-dejavu-core.")
                   .arg(printableName(QDir::toNativeSeparators(result.program))),
               false);
}

} // namespace EditorDialogs
