// The yardstick for the quiz's start-up: a window with the same number and kinds of
// widgets as the test window (menu bar with two commands, three lists, four buttons, a
// label, a multi-line and a one-line text box, a picture box) and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Exit"));
    window.menuBar()->addAction(QStringLiteral("Color"));
    auto *client = new QWidget(&window);
    client->setFixedSize(742, 467);
    window.setCentralWidget(client);

    const QRect lists[3] = {{8, 32, 209, 137}, {224, 32, 438, 137}, {56, 176, 625, 99}};
    for (const QRect &r : lists)
        (new QListView(client))->setGeometry(r);
    const int buttonLeft[4] = {80, 312, 560, 648};
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QStringLiteral("Button"), client))->setGeometry(buttonLeft[i], i == 3 ? 3 : 280, 81, 25);
    (new QLabel(QStringLiteral("Label"), client))->setGeometry(296, 0, 97, 25);
    (new QPlainTextEdit(client))->setGeometry(120, 312, 609, 137);
    (new QLineEdit(client))->setGeometry(696, 208, 33, 33);
    (new QWidget(client))->setGeometry(8, 312, 105, 89);

    window.show();
    return app.exec();
}
