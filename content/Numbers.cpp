#include "Numbers.h"

#include <QByteArray>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Length of the longest prefix of `s` that is a decimal number, 0 when there is none.
qsizetype numberPrefix(const QString &s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s[i])) { ++i; ++digits; }
    if (i < n && s[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < n && isDigit(s[j])) { ++j; ++fraction; }
        if (digits + fraction > 0) { i = j; digits += fraction; }
    }
    if (digits == 0)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && isDigit(s[j])) { ++j; ++expDigits; }
        if (expDigits > 0)
            i = j;
    }
    return i;
}

double toDouble(const QString &number)
{
    // QByteArray::toDouble always reads the C locale's "." as the decimal point.
    bool ok = false;
    const double v = number.toLatin1().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return number.startsWith(u'-') ? -std::numeric_limits<double>::max()
                                        : std::numeric_limits<double>::max();
    return v;
}

template <typename Int>
Int roundClamped(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    if (r <= double(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (r >= double(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return Int(r);
}

} // namespace

namespace Numbers {

double readLenient(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            compact.append(c);
    const qsizetype len = numberPrefix(compact);
    return len == 0 ? 0.0 : toDouble(compact.left(len));
}

std::optional<double> readStrict(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    const qsizetype len = numberPrefix(trimmed);
    if (len == 0 || len != trimmed.size())
        return std::nullopt;
    return toDouble(trimmed);
}

qint16 roundToInt16(double value) { return roundClamped<qint16>(value); }
qint32 roundToInt32(double value) { return roundClamped<qint32>(value); }

} // namespace Numbers
