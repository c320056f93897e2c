// The browser's engine of a test page: the test window's model compiled to WebAssembly, bound
// to the page's script with embind. The page (quizweb/page/) holds the test, draws the window
// and calls these for each of the learner's actions; each call answers with what changed.
#include "WebQuiz.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace {

std::string text(const QByteArray &utf8) { return utf8.toStdString(); }

// The engine's side of the page: WebQuiz with its texts as the page's strings.
class PageQuiz
{
public:
    explicit PageQuiz(const std::string &packed)
        : m_quiz(QByteArray(packed.data(), qsizetype(packed.size())))
    {
    }

    std::string start() { return text(m_quiz.start()); }
    std::string select(int list, int row) { return text(m_quiz.select(list, row)); }
    std::string press(int index) { return text(m_quiz.press(index)); }
    std::string clickPicture() { return text(m_quiz.clickPicture()); }
    std::string exit() { return text(m_quiz.exit()); }
    // The picture's bytes, copied into the page's memory.
    emscripten::val picture(const std::string &source) const
    {
        const QByteArray bytes = m_quiz.picture(QString::fromStdString(source));
        const emscripten::val view(emscripten::typed_memory_view(size_t(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData())));
        return emscripten::val::global("Uint8Array").new_(view);
    }

private:
    WebQuiz m_quiz;
};

} // namespace

EMSCRIPTEN_BINDINGS(kaz)
{
    emscripten::class_<PageQuiz>("Quiz")
        .constructor<std::string>()
        .function("start", &PageQuiz::start)
        .function("select", &PageQuiz::select)
        .function("press", &PageQuiz::press)
        .function("clickPicture", &PageQuiz::clickPicture)
        .function("exit", &PageQuiz::exit)
        .function("picture", &PageQuiz::picture);
}
