#pragma once

// Helpers of the editor suites: documents written in a line, pictures made in memory.

#include "DocumentClipboard.h"
#include "QuizDocument.h"
#include "TestFiles.h"
#include "TestPictures.h"

#include <QUndoStack>

namespace EditorSupport {

using TestFiles::sourcePath;

using TestPictures::png;

// Rows from tab-separated text ("left\tright\texplanation", lines of an explanation in a
// quoted cell), as the starting point of a case; the undo stack is emptied after.
inline void setRows(QuizDocument &d, const QString &tsv)
{
    d.newTest();
    DocumentClipboard(d).paste(0, DocumentField::Left, tsv);
    d.undoStack()->clear();
}

// Every row as "left|right|line/line", hidden lines marked with "(off)".
inline QStringList flat(const QuizDocument &d)
{
    QStringList out;
    for (int r = 0; r < d.rowCount(); ++r) {
        const DocumentRow &row = d.row(r);
        QString s = row.left + u'|' + row.right;
        if (!row.explanation.isEmpty())
            s += u'|' + row.explanation.join(u'/') + (row.explanationShown ? QString() : QStringLiteral("(off)"));
        out.append(s);
    }
    return out;
}

inline QString fieldName(DocumentField f)
{
    static const char *const names[]
        = {"Left",           "Right",        "Explanation",      "Picture",       "Address",
           "Title",          "WindowWidth",  "LeftListLeft",     "LeftListWidth", "RightListLeft",
           "RightListWidth", "Instructions", "ExplanationLabel", "PictureLabel",  "Test"};
    return QString::fromLatin1(names[int(f)]);
}

// Problems as "row:Field" (with ":part" when the problem names a line of the field).
inline QStringList places(const QList<DocumentProblem> &problems)
{
    QStringList out;
    for (const DocumentProblem &p : problems)
        out.append(QString::number(p.row) + u':' + fieldName(p.field)
                   + (p.part >= 0 ? u':' + QString::number(p.part) : QString()));
    return out;
}

inline QString messages(const QList<DocumentProblem> &problems)
{
    QStringList out;
    for (const DocumentProblem &p : problems)
        out.append(QString::number(p.row) + u':' + fieldName(p.field) + QStringLiteral(": ") + p.message);
    return out.join(u'\n');
}

} // namespace EditorSupport
