#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A test page: one HTML file, the page of the test window with the browser's engine
// (buildtools/kazwebpage puts it together as kazweb.html), and a test packed as a program packs
// it (PackedQuiz::tail), in base64 inside the page's one element of type
// application/octet-stream named kaz-test. The same page and test give the same bytes.
namespace WebPage {

// The element the test goes into, as the page holds it.
inline constexpr char TestStart[] = "<script id=\"kaz-test\" type=\"application/octet-stream\">";
inline constexpr char TestEnd[] = "</script>";

// Whether `bytes` start as a web page does (a document type or an html element, after spaces).
bool isPage(QByteArrayView bytes);

// The packed layout the page reads: the number after PackedQuiz::RunnerMark in a comment of the
// page, before its test; -1 when the page holds none, or no place for a test: it is no test page.
qint64 runnerFormat(QByteArrayView page);

// `page` with `tail` as its test, replacing any test it held; empty when it has no place for one.
QByteArray pack(QByteArrayView page, const QByteArray &tail);

// The packed test `page` holds, as PackedQuiz::tail made it; empty when it holds none, and
// `ok` false when what it holds is no base64 text.
QByteArray test(QByteArrayView page, bool *ok = nullptr);

} // namespace WebPage
