// Puts a test page together, once, while KAZ is built: the page's markup with its style and
// script (quizweb/page/), the browser's engine (kazweb.js and kazweb.wasm, from the web build)
// and an empty place for the test, which kazpack --web fills. The page holds everything inline:
// opened from the disk a browser loads no other file beside it. The engine's WebAssembly is
// deflated (zlib) and in base64, unpacked by the page with the browser's DecompressionStream.
// The page's Content-Security-Policy allows exactly its own scripts and style, by their
// SHA-256, and nothing from anywhere else.
//
// The page's own scripts (kaz.js, scorm.js) go into one script element, in the order given.
//
// kazwebpage TEMPLATE STYLE GLUE WASM OUTPUT VIEW...
#include "PackedQuiz.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "kazwebpage: cannot read " << path << ": " << f.errorString() << '\n';
        std::exit(1);
    }
    return f.readAll();
}

QByteArray hash(const QByteArray &text)
{
    return "'sha256-" + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64() + '\'';
}

// Replaces the one line `marker` of `page` by `text`; fails when the marker is not there once.
void put(QByteArray &page, const QByteArray &marker, const QByteArray &text)
{
    const qsizetype at = page.indexOf(marker);
    if (at < 0 || page.indexOf(marker, at + 1) >= 0) {
        QTextStream(stderr) << "kazwebpage: the page template must hold " << marker << " once\n";
        std::exit(1);
    }
    page.replace(at, marker.size(), text);
}

// An inline script's text may not end its element early.
QByteArray scriptText(const QByteArray &text, const char *name)
{
    if (text.contains("</script") || text.contains("<!--")) {
        QTextStream(stderr) << "kazwebpage: " << name << " holds </script or <!--, which would break the page\n";
        std::exit(1);
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 7) {
        QTextStream(stderr) << "usage: kazwebpage TEMPLATE STYLE GLUE WASM OUTPUT VIEW...\n";
        return 2;
    }
    QByteArray page = contents(args.at(1));
    const QByteArray style = contents(args.at(2));
    const QByteArray glue = scriptText(contents(args.at(3)), "the engine's script");
    // qCompress puts the length before the zlib stream; the browser reads the stream alone.
    const QByteArray wasm = qCompress(contents(args.at(4)), 9).mid(4).toBase64();
    const QString output = args.at(5);
    QByteArray view;
    for (qsizetype i = 6; i < args.size(); ++i) {
        const QByteArray part = contents(args.at(i));
        view += scriptText(part, "the page's script");
        if (!part.endsWith('\n'))
            view += '\n';
    }

    const QByteArray csp = "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src "
                           + hash(glue) + ' ' + hash(view) + " 'wasm-unsafe-eval'; style-src " + hash(style)
                           + "; img-src blob:; base-uri 'none'; form-action 'none'\">";
    const QByteArray mark = "<!-- " + QByteArray(PackedQuiz::RunnerMark) + QByteArray::number(PackedQuiz::Version) + " -->";
    // The mark that kazpack finds in a runner, here in a comment before the policy.
    put(page, "<!--KAZ:CSP-->", mark + '\n' + csp);
    put(page, "<!--KAZ:STYLE-->", "<style>" + style + "</style>");
    put(page, "<!--KAZ:ENGINE-GLUE-->", "<script>" + glue + "</script>");
    put(page, "<!--KAZ:ENGINE-->", "<script id=\"kaz-engine\" type=\"application/octet-stream\">" + wasm + "</script>");
    put(page, "<!--KAZ:TEST-->", "<script id=\"kaz-test\" type=\"application/octet-stream\"></script>");
    put(page, "<!--KAZ:VIEW-->", "<script>" + view + "</script>");

    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(page) != page.size() || !out.commit()) {
        QTextStream(stderr) << "kazwebpage: cannot write " << output << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
