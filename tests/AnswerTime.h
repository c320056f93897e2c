#pragma once

#include <QtGlobal>

// How long a hostile file may take to be answered, in milliseconds: two seconds, as a teacher
// waits. The sanitizer build runs every instruction checked, about four times slower, and
// measures the same code against a bound that slowness allows; so do the Windows suites, which
// run under Wine, where starting a program and reading a large file take about twice as long.
namespace AnswerTime {

#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 Slowdown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr qint64 Slowdown = 5;
#elif defined(Q_OS_WIN)
constexpr qint64 Slowdown = 2;
#else
constexpr qint64 Slowdown = 1;
#endif
#elif defined(Q_OS_WIN)
constexpr qint64 Slowdown = 2;
#else
constexpr qint64 Slowdown = 1;
#endif

constexpr qint64 LimitMs = 2000 * Slowdown;

} // namespace AnswerTime
