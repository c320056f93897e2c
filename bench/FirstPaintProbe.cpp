// Linked into a GUI program, this reports the program's first painted frame on stdout and
// ends the program there. It hooks into the application object as it is constructed, so
// the program's own main() runs unchanged.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>

namespace {

class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_seen = true;
            // Painting a frame runs to its end (every widget, then the flush to the screen)
            // before control returns to the event loop, where this timer fires.
            QTimer::singleShot(0, this, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void installFirstPaintProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaint(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintProbe)
