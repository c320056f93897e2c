#pragma once

#include "DesktopFiles.h"

#include <QString>

// The manual page (man(7) source, section 1) of an installed quiz program: what the test
// is and what a learner does in its window. QtCore only; kazdesktop writes the page.
namespace ManualPage {

// `text` to be printed as it is within a line of running text (never at a line's start,
// where a dot or an apostrophe would make it a request): backslashes become \e and line
// breaks spaces.
QString text(const QString &text);

// A command name or option as roff must write it to be typed as printed: text() with every
// "-" written \- (a plain "-" may be printed as a hyphen that a shell does not accept).
QString command(const QString &name);

// The page of `program`; `version` is KAZ's version, shown in the page's footer.
QString quizProgram(const DesktopFiles::Program &program, const QString &version);

} // namespace ManualPage
