// Linked into a GUI program, this reports the program's first painted frame on stdout and
// ends the program there. It hooks into the application object as it is constructed, so
// the program's own main() runs unchanged (with KAZ_PROBE_EXIT_AT_ONCE defined, it ends the
// process at once, without returning from main()). With KAZ_BENCH_SMAPS=FILE set, it first copies
// /proc/self/smaps to FILE: the memory of every mapping (library, font, heap) at that frame,
// for comparing where two programs' memory goes.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

void copyMemoryMap()
{
    const QString target = qEnvironmentVariable("KAZ_BENCH_SMAPS");
    if (target.isEmpty())
        return;
    QFile in(QStringLiteral("/proc/self/smaps"));
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(in.readAll()) < 0)
        std::fprintf(stderr, "cannot copy /proc/self/smaps to %s\n", qPrintable(target));
}

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
                copyMemoryMap();
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
#ifdef KAZ_PROBE_EXIT_AT_ONCE
                // The first event loop may be a modal dialog's, shown before the main loop
                // starts (the editor telling what it could not open): exit() would end only that.
                std::_Exit(0);
#else
                QCoreApplication::exit(0);
#endif
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
