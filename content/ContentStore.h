#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The fixed content of one test: what the hidden content window `KAZ_danni` and the
// picture window `KAZ_Graphika` hold. Read-only once built; the test window only reads it.
class ContentStore
{
public:
    static constexpr int QuestionsWithExtras = 30; // explanation lists and pictures: 1 … 30
    static constexpr int DefaultBoxWidth = 1695;   // twips
    static constexpr int DefaultBoxHeight = 1815;  // twips

    // What a test that gift2kaz or the editor makes holds until its author changes it: the
    // window's width, the left list's left edge and width, the right list's left edge and width
    // (the towns test's, in twips), and the label lines of the switches and the flags.
    static QStringList defaultGeometry()
    {
        return {QStringLiteral("11250"), QStringLiteral("120"), QStringLiteral("3135"), QStringLiteral("3360"),
                QStringLiteral("6575")};
    }
    static QString defaultSwitchesLabel() { return QStringLiteral("Ima li obqsneniq"); }
    static QString defaultFlagsLabel() { return QStringLiteral("Utochnenie dali ima grafika - 30 br"); }

    // A question picture together with the size of its box, in twips. An empty source
    // means that the box holds no picture.
    struct Picture
    {
        QString source;
        int width = DefaultBoxWidth;
        int height = DefaultBoxHeight;

        friend bool operator==(const Picture &, const Picture &) = default;
    };

    ContentStore();

    // Item i of a list; an index at or beyond the end (or below 0) yields the empty text.
    static QString item(const QStringList &list, qsizetype i)
    {
        return i >= 0 && i < list.size() ? list.at(i) : QString();
    }

    // `Danni(0)` left phrases, `Danni(1)` right phrases, `Danni(2)` unused, `Danni(3)` parameters.
    const QStringList &Danni(int index) const;
    // `Otgowor(0)` explanation switches, `Otgowor(q)` the lines of question q (1 … 30).
    const QStringList &Otgowor(int index) const;
    // `Ukazanie(0)`: the instructions, every line ended by CR LF.
    const QString &Ukazanie() const { return m_ukazanie; }
    // `Spis_graf(0)`: the picture flags.
    const QStringList &Spis_graf() const { return m_spisGraf; }
    // `Graphika(q)`: the picture box of question q (1 … 30); other numbers give an empty box.
    const Picture &Graphika(int q) const;

    // The bytes of the picture file whose source is `source` (PNG, JPEG, BMP or GIF), as the
    // test's files hold it; null when the test holds no such picture. The picture boxes draw
    // these bytes, so a program needs no picture file of its own.
    QByteArray pictureData(const QString &source) const { return m_pictureData.value(source); }

    // The code of a phrase: 1 + the position of the first item equal to `text` (exact,
    // case-sensitive), or 0 when no item is. Side 0 is the left list, 1 the right list.
    int codeOf(int side, const QString &text) const;

    // Builders, used by the content reader and by tests that make content of their own.
    void setDanni(int index, QStringList items);
    void setOtgowor(int index, QStringList items);
    void setUkazanie(QString text) { m_ukazanie = std::move(text); }
    void setSpis_graf(QStringList items) { m_spisGraf = std::move(items); }
    void setGraphika(int q, Picture picture);
    void setPictureData(const QString &source, QByteArray bytes) { m_pictureData.insert(source, std::move(bytes)); }

    // Two stores are equal when they hold the same lists, instructions and pictures (their
    // boxes and bytes).
    friend bool operator==(const ContentStore &a, const ContentStore &b);

    // The web address at the start of the caption (Caption::split); empty when the caption
    // starts with no web address.
    QString address() const;

private:
    void indexSide(int side);

    QStringList m_danni[4];
    QList<QStringList> m_otgowor; // 0 … 30
    QString m_ukazanie;
    QStringList m_spisGraf;
    QList<Picture> m_graphika; // 0 … 30
    QHash<QString, QByteArray> m_pictureData;
    QHash<QString, int> m_firstIndex[2];
};
