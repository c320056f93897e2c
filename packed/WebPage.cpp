#include "WebPage.h"

#include "PackedQuiz.h"

#include <QByteArray>

namespace WebPage {

namespace {

// Where the test's text starts and ends in `page`: after TestStart, before the TestEnd after it;
// {-1, -1} when there is no such place.
std::pair<qsizetype, qsizetype> testPlace(QByteArrayView page)
{
    const qsizetype start = page.indexOf(QByteArrayView(TestStart));
    if (start < 0)
        return {-1, -1};
    const qsizetype begin = start + qsizetype(sizeof TestStart) - 1;
    const qsizetype end = page.indexOf(QByteArrayView(TestEnd), begin);
    return end < 0 ? std::pair<qsizetype, qsizetype>{-1, -1} : std::pair{begin, end};
}

} // namespace

bool isPage(QByteArrayView bytes)
{
    const QByteArray start = bytes.first(std::min<qsizetype>(bytes.size(), 64)).toByteArray().trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

qint64 runnerFormat(QByteArrayView page)
{
    const auto [begin, end] = testPlace(page);
    if (begin < 0 || !isPage(page))
        return -1;
    const QByteArrayView head = page.first(begin);
    const QByteArray mark = QByteArray("<!-- ") + PackedQuiz::RunnerMark;
    const qsizetype at = head.indexOf(mark);
    if (at < 0)
        return -1;
    qsizetype digits = at + mark.size();
    qint64 format = 0;
    const qsizetype first = digits;
    while (digits < head.size() && head.at(digits) >= '0' && head.at(digits) <= '9' && digits - first < 9)
        format = format * 10 + (head.at(digits++) - '0');
    return digits > first ? format : -1;
}

QByteArray pack(QByteArrayView page, const QByteArray &tail)
{
    const auto [begin, end] = testPlace(page);
    if (begin < 0)
        return {};
    return page.first(begin).toByteArray() + tail.toBase64() + page.sliced(end).toByteArray();
}

QByteArray test(QByteArrayView page, bool *ok)
{
    const auto [begin, end] = testPlace(page);
    if (ok)
        *ok = true;
    if (begin < 0)
        return {};
    const auto decoded = QByteArray::fromBase64Encoding(page.sliced(begin, end - begin).toByteArray().trimmed(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (ok)
        *ok = bool(decoded);
    return decoded ? *decoded : QByteArray();
}

} // namespace WebPage
