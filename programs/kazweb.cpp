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
        : PageQuiz(packed, {})
    {
    }
    // `fonts`: the font families the page offers, one a line.
    PageQuiz(const std::string &packed, const std::string &fonts)
        : m_quiz(QByteArray(packed.data(), qsizetype(packed.size())),
                 QString::fromStdString(fonts).split(u'\n', Qt::SkipEmptyParts))
    {
    }

    std::string start() { return text(m_quiz.start()); }
    std::string select(int list, int row) { return text(m_quiz.select(list, row)); }
    std::string press(int index) { return text(m_quiz.press(index)); }
    std::string clickPicture() { return text(m_quiz.clickPicture()); }
    std::string exit() { return text(m_quiz.exit()); }
    std::string colour() { return text(m_quiz.colour()); }
    std::string chooseOption(int index) { return text(m_quiz.chooseOption(index)); }
    std::string moveSlider(int index, int value) { return text(m_quiz.moveSlider(index, value)); }
    std::string chooseSize(int row) { return text(m_quiz.chooseSize(row)); }
    std::string save() { return text(m_quiz.save()); }
    std::string cancel() { return text(m_quiz.cancel()); }
    std::string result() { return text(m_quiz.result()); }
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
        .constructor<std::string, std::string>()
        .function("start", &PageQuiz::start)
        .function("select", &PageQuiz::select)
        .function("press", &PageQuiz::press)
        .function("clickPicture", &PageQuiz::clickPicture)
        .function("exit", &PageQuiz::exit)
        .function("colour", &PageQuiz::colour)
        .function("chooseOption", &PageQuiz::chooseOption)
        .function("moveSlider", &PageQuiz::moveSlider)
        .function("chooseSize", &PageQuiz::chooseSize)
        .function("save", &PageQuiz::save)
        .function("cancel", &PageQuiz::cancel)
        .function("result", &PageQuiz::result)
        .function("picture", &PageQuiz::picture);
}
