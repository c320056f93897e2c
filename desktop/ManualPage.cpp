#include "ManualPage.h"

namespace ManualPage {

QString text(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\e");
        else if (c == u'\n' || c == u'\r')
            out += u' ';
        else
            out += c;
    }
    return out;
}

QString command(const QString &name)
{
    QString out = text(name);
    out.replace(u'-', QStringLiteral("\\-"));
    return out;
}

QString quizProgram(const DesktopFiles::Program &program, const QString &version)
{
    const QString name = command(program.executable);
    const QString title = QStringLiteral("\\(lq") + text(program.title) + QStringLiteral("\\(rq");
    QString page;
    // The coding line tells groff and man the page is UTF-8 whatever the reader's locale.
    page += QStringLiteral("'\\\" -*- coding: UTF-8 -*-\n");
    page += QStringLiteral(".TH ") + command(program.executable.toUpper()) + QStringLiteral(" 1 \"\" \"KAZ ")
        + text(version) + QStringLiteral("\" \"KAZ quizzes\"\n");
    page += QStringLiteral(".SH NAME\n");
    page += name + QStringLiteral(" \\- matching quiz ") + title + u'\n';
    page += QStringLiteral(".SH SYNOPSIS\n.B ") + name + u'\n';
    page += QStringLiteral(".SH DESCRIPTION\n.B ") + name + u'\n';
    page += QStringLiteral("is the KAZ test ") + title + QStringLiteral(
        " as a program of its own.\n"
        "It opens the test window; it takes no options, reads no file and keeps nothing\n"
        "between two starts, so every start is a fresh test.\n"
        "The desktop lists it in the application menu under Education.\n"
        ".PP\n"
        "The window shows two lists of phrases.\n"
        "The learner selects a phrase in the left list and the phrase in the right list\n"
        "that belongs with it, then presses \\(lqИзбрах\\(rq: the pair goes to the list of\n"
        "chosen pairs below.\n"
        "A chosen pair can be selected and taken back with \\(lqВърни\\(rq, and\n"
        "\\(lqОбясни\\(rq gives a hint, once.\n"
        ".PP\n"
        "When enough pairs are chosen, \\(lqОцени\\(rq grades the test and shows the share\n"
        "of right pairs.\n"
        "Then each chosen pair, when it is selected, shows \\(lqДА\\(rq on green or\n"
        "\\(lqНЕ\\(rq on red, and \\(lqОбясни\\(rq explains it.\n"
        ".PP\n"
        "If the test has pictures, the small picture at the bottom left belongs to the\n"
        "current question; a click on it shows it in a window of its own.\n"
        ".PP\n"
        "\\(lqColor\\(rq in the menu bar sets the window's colours and the size of its text\n"
        "for this run; \\(lqExit\\(rq ends the program.\n"
        ".SH ENVIRONMENT\n"
        ".TP\n"
        ".B DISPLAY\n"
        "The X11 display the window opens on.\n"
        "On a Wayland desktop,\n"
        ".B WAYLAND_DISPLAY\n"
        "names the display instead.\n"
        ".SH EXIT STATUS\n"
        ".TP\n"
        ".B 0\n"
        "The learner ended the program.\n"
        ".TP\n"
        ".B 1\n"
        "No graphical desktop was found; the program says so in one sentence.\n"
        ".SH SEE ALSO\n"
        ".BR kazpack (1),\n"
        ".BR kazcheck (1),\n"
        ".BR gift2kaz (1)\n");
    return page;
}

} // namespace ManualPage
