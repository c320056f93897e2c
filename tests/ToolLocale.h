#pragma once

#include <QProcess>
#include <QProcessEnvironment>

// kazcheck, kazpack, gift2kaz and the quiz programs speak the user's language. The suites
// that compare their English messages start them in the C locale, whatever language the
// suite itself runs under.
inline QProcessEnvironment inEnglish(QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
{
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("LANGUAGE"));
    return env;
}

inline void startInEnglish(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProcessEnvironment(inEnglish());
    process.start(program, arguments);
}

// What a tool printed, as text with its lines ended as on Linux: a Windows console program
// ends them with "\r\n".
inline QString toolText(const QByteArray &printed)
{
    QString text = QString::fromUtf8(printed);
#ifdef Q_OS_WIN
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return text;
}
