#include "ContentWriter.h"

#include <QRegularExpression>

namespace ContentWriter {

namespace {

QString oneLine(QString item)
{
    // Most items have no line break: they are not run through the expression engine.
    if (!item.contains(u'\n') && !item.contains(u'\r'))
        return item;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    item.replace(lineBreak, QStringLiteral(" "));
    return item;
}

void section(QString &out, const QString &header, const QStringList &items)
{
    out += u'\n' + header + u'\n';
    for (const QString &item : items)
        out += escapedLine(item) + u'\n';
}

} // namespace

QString escapedLine(const QString &item)
{
    const QString line = oneLine(item);
    const QString trimmed = line.trimmed();
    // Blank lines are dropped outside the instructions (and trailing ones inside them).
    if (line.startsWith(u'#') || line.startsWith(u'\\') || trimmed.startsWith(u'[') || trimmed.isEmpty())
        return u'\\' + line;
    return line;
}

QString write(const ContentStore &store, const QStringList &comments, const QString &pictureBase)
{
    QString out;
    for (const QString &c : comments)
        out += QStringLiteral("# ") + oneLine(c) + u'\n';

    section(out, QStringLiteral("[parameters]"), store.Danni(3));

    // Every instruction line ends with CR LF; interior empty lines stay plain blank lines,
    // which the reader keeps, while trailing ones need the escape.
    QStringList instructions = store.Ukazanie().split(QStringLiteral("\r\n"));
    if (!instructions.isEmpty() && instructions.last().isEmpty())
        instructions.removeLast();
    out += QStringLiteral("\n[instructions]\n");
    qsizetype lastText = instructions.size() - 1;
    while (lastText >= 0 && instructions.at(lastText).isEmpty())
        --lastText;
    for (qsizetype i = 0; i < instructions.size(); ++i) {
        const QString &line = instructions.at(i);
        out += (line.isEmpty() && i < lastText ? QString() : escapedLine(line)) + u'\n';
    }

    section(out, QStringLiteral("[left]"), store.Danni(0));
    section(out, QStringLiteral("[right]"), store.Danni(1));
    if (!store.Otgowor(0).isEmpty())
        section(out, QStringLiteral("[explanation switches]"), store.Otgowor(0));
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q)
        if (!store.Otgowor(q).isEmpty())
            section(out, QStringLiteral("[explanation %1]").arg(q), store.Otgowor(q));
    section(out, QStringLiteral("[picture flags]"), store.Spis_graf());
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q) {
        const ContentStore::Picture &p = store.Graphika(q);
        if (p.source.isEmpty())
            continue;
        section(out, QStringLiteral("[picture %1]").arg(q),
                {QStringLiteral("file = ")
                     + (p.source.startsWith(pictureBase) ? p.source.mid(pictureBase.size()) : p.source),
                 QStringLiteral("width = %1").arg(p.width), QStringLiteral("height = %1").arg(p.height)});
    }
    return out;
}

} // namespace ContentWriter
