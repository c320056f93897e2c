#pragma once

#include "Gift.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ContentStore;

// A KAZ test written for Moodle: as one matching question in Moodle XML (what Moodle's "Import"
// reads with "Moodle XML format", pictures included) and in GIFT. The readers (MoodleXml.h,
// Gift.h) read each file back as the same test: its title, instructions, pairs, extra right
// phrases and explanations, and from Moodle XML its pictures' bytes.
//
// What a Moodle question cannot hold is left behind: the window's width and the lists' places
// and widths, the label lines of the switches and flags, the sizes of the picture boxes (a
// picture is shown at its own size), explanations switched off and pictures flagged hidden,
// empty lines of an explanation, white space at the ends of lines and runs of spaces inside a
// phrase, and the address in the caption. GIFT holds no pictures at all.
namespace MoodleExport {

// The test held in `store` (with the bytes of its pictures, ContentStore::pictureData) as one
// matching question: the title is the caption without its address (`fallbackTitle` when that is
// empty), the instructions its text, each pair a left and a right phrase, the right phrases past
// the last left one the extra right parts; the explanations and pictures of the pairs that show
// them. A picture is named as the Moodle XML reader names it (lower-case letters, digits, "-").
Gift::Matching fromStore(const ContentStore &store, const QString &fallbackTitle = QStringLiteral("KAZ"));

// The question as a Moodle XML file of one <question type="matching"> in <quiz>, UTF-8. The
// pairs' explanations become the general feedback, each under its left phrase and a colon
// ("Квадрат:"), which Gift::pairExplanations reads back as the pairs' explanations.
QByteArray moodleXml(const Gift::Matching &question);

// The question in GIFT, with a line of its own for every pair. `notes` (when given) gets what
// GIFT cannot hold of it, in the teacher's words: the pictures.
QString gift(const Gift::Matching &question, QStringList *notes = nullptr);

// A text of GIFT with the characters that mean something in GIFT (~ = # { } : \) written with a
// backslash and line breaks as \n.
QString giftEscaped(const QString &text);

} // namespace MoodleExport
