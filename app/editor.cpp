// Placeholder of the test editor's main(), so that the editor can be built, installed and
// packaged; the editor's own main() takes its place.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KAZ editor"));
    window.show();
    return app.exec();
}
