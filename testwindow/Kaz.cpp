#include "Kaz.h"

#include "Caption.h"
#include "Cwiat.h"
#include "Numbers.h"
#include "ScreenFonts.h"

#include <QHash>
#include <algorithm>
#include <utility>

namespace {

const QString RemainingPrefix = QStringLiteral("Остават: ");

// The value of a decimal number written without sign, blanks or leading zeros ("7", "31"),
// of at most ten digits; 0 for any other text.
qint64 plainValue(const QString &text)
{
    if (text.isEmpty() || text.size() > 10 || text.at(0) == u'0')
        return 0;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}
const QString ScorePrefix = QStringLiteral("Верни: ");
const QString noText; // what reading past the end of a list yields

} // namespace

class Kaz::Batch
{
public:
    explicit Batch(Kaz &kaz)
        : m_kaz(kaz)
    {
        ++m_kaz.m_batchDepth;
    }
    ~Batch()
    {
        if (--m_kaz.m_batchDepth == 0)
            m_kaz.announce();
    }
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

private:
    Kaz &m_kaz;
};

Kaz::Kaz(ContentLoader loader, QObject *parent)
    : QObject(parent)
    , m_loader(std::move(loader))
{
    for (int i = 0; i < 3; ++i) {
        m_slowo[i] = new ListModel(this);
        m_slowo[i]->setSorted(i < 2);
        m_slowo[i]->setClickReaction([this, i] { Slowo_Click(i); });
    }
    for (int i = 0; i < 6; ++i) {
        m_dumN[i] = new ListModel(this);
        m_dumN[i]->setClickReaction([this, i] { dum_N_Click(i); });
    }
    // Any change of a key list makes its index stale; it is rebuilt on its next use.
    for (int side = 0; side < 2; ++side) {
        ListModel *key = m_dumN[4 + side];
        const auto stale = [this, side] {
            m_keyIndex[side].valid = false;
            m_keyEdited = true;
        };
        connect(key, &QAbstractItemModel::modelReset, this, stale);
        connect(key, &QAbstractItemModel::rowsInserted, this, stale);
        connect(key, &QAbstractItemModel::rowsRemoved, this, stale);
        connect(key, &QAbstractItemModel::dataChanged, this, stale);
    }
    // The pairs' codes as numbers, in step with dum_N(2) and dum_N(3) whoever edits them.
    for (int side = 0; side < 2; ++side) {
        ListModel *codes = m_dumN[2 + side];
        std::vector<qint64> &values = m_pairValues[side];
        connect(codes, &QAbstractItemModel::rowsInserted, this, [codes, &values](const QModelIndex &, int first, int last) {
            values.insert(values.begin() + first, size_t(last - first + 1), 0);
            for (int row = first; row <= last; ++row)
                values[size_t(row)] = plainValue(codes->item(row));
        });
        connect(codes, &QAbstractItemModel::rowsRemoved, this, [&values](const QModelIndex &, int first, int last) {
            values.erase(values.begin() + first, values.begin() + last + 1);
        });
        connect(codes, &QAbstractItemModel::dataChanged, this,
                [codes, &values](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                    for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                        values[size_t(row)] = plainValue(codes->item(row));
                });
        connect(codes, &QAbstractItemModel::modelReset, this, [codes, &values] {
            values.resize(size_t(codes->count()));
            for (int row = 0; row < codes->count(); ++row)
                values[size_t(row)] = plainValue(codes->item(row));
        });
    }
    m_nastroiki.setItems({QStringLiteral("Zapiswam po-malkiq broj")});

    for (int i = 0; i < 2; ++i) {
        m_slowoLeft[i] = float(KazLayout::Slowo[i].left);
        m_slowoWidth[i] = float(KazLayout::Slowo[i].width);
    }
    m_ndapis = KazLayout::text(KazLayout::Ndapis.text);
    m_windowLook.background = KazLayout::WindowBackground;
    m_prowerkaLook.background = KazLayout::Prowerka[0].colour;
    m_ndapisLook.background = KazLayout::Ndapis.colour;
}

Kaz::~Kaz() = default;

const ContentStore &Kaz::KAZ_danni()
{
    if (!m_danni)
        m_danni = m_loader();
    if (!m_danni)
        m_danni = std::make_shared<const ContentStore>();
    return *m_danni;
}

// ---------------------------------------------------------------- start-up

void Kaz::Form_Load()
{
    Batch batch(*this);
    m_brojWerni = 0;
    m_score = -1;
    const QStringList &parameters = KAZ_danni().Danni(3);
    const QString caption = ContentStore::item(parameters, 0);
    if (m_caption != caption) {
        m_caption = caption;
        mark(Change::Caption);
    }
    const auto number = [&parameters](int i) { return float(Numbers::readLenient(ContentStore::item(parameters, i))); };
    const float geometry[5] = {number(1), number(2), number(3), number(4), number(5)};
    if (geometry[0] != m_windowWidth || geometry[1] != m_slowoLeft[0] || geometry[2] != m_slowoWidth[0]
        || geometry[3] != m_slowoLeft[1] || geometry[4] != m_slowoWidth[1]) {
        m_windowWidth = geometry[0];
        m_slowoLeft[0] = geometry[1];
        m_slowoWidth[0] = geometry[2];
        m_slowoLeft[1] = geometry[3];
        m_slowoWidth[1] = geometry[4];
        mark(Change::Geometry);
    }
    setProwerkaText(0, KAZ_danni().Ukazanie());

    const qsizetype L = KAZ_danni().Danni(0).size();
    const qsizetype R = KAZ_danni().Danni(1).size();
    m_nastroiki.setItem(0, Numbers::decimal(std::min(L, R)));

    Zaredi_kluch();
    Zaredi_frazi();
    Nomerirai_frazi();

    // An empty side has no row 0 to select; the selection then stays empty.
    Slowo(0).setSelectedIndex(0);
    Slowo(1).setSelectedIndex(0);

    Oceni_Update();
}

void Kaz::Zaredi_kluch()
{
    for (int side = 0; side < 2; ++side) {
        const qsizetype n = KAZ_danni().Danni(side).size();
        QStringList key;
        key.reserve(2 * n);
        for (int copy = 0; copy < 2; ++copy)
            for (qsizetype i = 1; i <= n; ++i)
                key.append(Numbers::decimal(i));
        dum_N(4 + side).setItems(std::move(key));
        // Indexed now, at start-up, so that taking back and grading only look codes up.
        keyIndex(side);
    }
    m_keyEdited = false;
}

void Kaz::Zaredi_frazi()
{
    // Adding the phrases one by one to a sorted list puts each at its alphabetical place;
    // sorting them in one go (stable, after the items already there) gives the same rows.
    for (int side = 0; side < 2; ++side) {
        QStringList rows = Slowo(side).items();
        rows.append(KAZ_danni().Danni(side));
        Slowo(side).setItems(std::move(rows));
    }
}

int Kaz::codeRowFor(int side, const QString &row) const
{
    // The position k of the first content item equal to the row; reading past the end of
    // the content yields the empty text, so an empty row that no item equals matches at
    // k = the content's length. Returns -1 for a text that is nowhere.
    const int code = m_danni->codeOf(side, row);
    if (code > 0)
        return code - 1;
    return row.isEmpty() ? int(m_danni->Danni(side).size()) : -1;
}

namespace {

// The value of a decimal number written without sign, blanks or leading zeros ("7", "31"),
// from 1 to `limit`; 0 for any other text. Two texts with the same value are equal.
int plainDecimal(const QString &text, int limit)
{
    const qint64 value = plainValue(text);
    return value <= limit ? int(value) : 0;
}

} // namespace

int Kaz::KeyIndex::first(const QString &text) const
{
    const int k = plainDecimal(text, int(firstOfNumber.size()) - 1);
    return k > 0 ? firstOfNumber[size_t(k)] : firstOfText.value(text, -1);
}

const Kaz::KeyIndex &Kaz::keyIndex(int side)
{
    KeyIndex &index = m_keyIndex[side];
    if (index.valid)
        return index;
    const QStringList &key = dum_N(4 + side).items();
    const int size = int(key.size());
    index.firstOfNumber.assign(size_t(size) + 1, -1);
    index.firstOfText.clear();
    index.next.assign(size_t(size), -1);
    index.valueAt.assign(size_t(size), 0);
    for (int j = size - 1; j >= 0; --j) {
        const QString &text = key.at(j);
        const int k = plainDecimal(text, size);
        index.valueAt[size_t(j)] = k;
        int *first = nullptr;
        if (k > 0) {
            first = &index.firstOfNumber[size_t(k)];
        } else {
            auto it = index.firstOfText.find(text);
            if (it == index.firstOfText.end())
                it = index.firstOfText.insert(text, -1);
            first = &*it;
        }
        index.next[size_t(j)] = *first;
        *first = j;
    }
    index.valid = true;
    return index;
}

void Kaz::Nomerirai_frazi()
{
    KAZ_danni();
    for (int side = 0; side < 2; ++side) {
        const ListModel &key = dum_N(4 + side);
        QStringList codes;
        codes.reserve(Slowo(side).count());
        for (const QString &row : Slowo(side).items())
            codes.append(key.item(codeRowFor(side, row)));
        dum_N(side).setItems(std::move(codes));
    }
}

// ---------------------------------------------------------------- control states

void Kaz::Oceni_Update()
{
    // Counted in 32 bits: 3 × Q stays exact for every list length the format allows.
    const qint32 P = Slowo(2).count();
    const qint32 Q = Slowo(1).count();
    setUprawlEnabled(2, gradingAllowed(P, Q));
}

bool Kaz::lastPairLeavesGradingGrey(qint32 leftPhrases, qint32 rightPhrases)
{
    const qint32 pairs = std::min(leftPhrases, rightPhrases);
    if (pairs <= 0)
        return false;
    return !gradingAllowed(pairs - 1, rightPhrases - (pairs - 1)) && gradingAllowed(pairs, rightPhrases - pairs);
}

void Kaz::Pokazhi_ostawashti()
{
    const int A = Slowo(0).count();
    const int B = Slowo(1).count();
    setNdapis(RemainingPrefix + Numbers::decimal(A < B ? A : B));
}

void Kaz::Izhod_Click()
{
    Q_EMIT exitRequested();
}

void Kaz::Cwqt_Click()
{
    if (!m_cwiat) {
        m_cwiat = std::make_unique<Cwiat>(*this, m_screenFonts);
        m_cwiat->Form_Load();
    }
    Q_EMIT appearanceRequested();
}

// ---------------------------------------------------------------- pairing

void Kaz::Uprawl_Click(int Index)
{
    // A disabled button cannot be clicked.
    if (Index < 0 || Index > 3 || !m_uprawlEnabled[Index])
        return;
    Batch batch(*this);
    Oceni_Update();
    switch (Index) {
    case 0:
        Dobawi_dwojka();
        break;
    case 1:
        Wyrni_dwojka();
        break;
    case 2:
        if (Slowo(2).count() > 0) {
            Formirai_ocenka();
            setUprawlEnabled(3, true);
            setUprawlEnabled(2, false);
        }
        break;
    case 3:
        if (m_uprawlEnabled[0]) {
            if (Slowo(0).selectedIndex() < 0 || Slowo(1).selectedIndex() < 0)
                return;
            Obqsni_izbranoto();
            setUprawlEnabled(3, false);
        } else {
            if (Slowo(2).selectedIndex() < 0)
                return;
            Obqsni_dwojka();
            setUprawlEnabled(2, false);
        }
        break;
    }
}

void Kaz::Slowo_Click(int Index)
{
    Batch batch(*this);
    switch (Index) {
    case 0:
    case 1: {
        const int row = Slowo(Index).selectedIndex();
        dum_N(Index).setSelectedIndex(row);
        if (Index == 0) {
            m_nomerWypros = Numbers::roundToInt16(Numbers::readLenient(dum_N(0).item(row)));
            Pokazhi_grafika(m_nomerWypros);
        }
        break;
    }
    case 2: {
        setProwerkaText(0, QString());
        dum_N(2).setSelectedIndex(Slowo(2).selectedIndex());
        const int i = Slowo(2).selectedIndex();
        m_nomerWypros = Numbers::roundToInt16(Numbers::readLenient(dum_N(2).item(i)));
        Pokazhi_grafika(m_nomerWypros);
        const bool right = pairRight(i);
        setVerdict(right ? KazLayout::VerdictRight : KazLayout::VerdictWrong,
                   right ? QStringLiteral("ДА") : QStringLiteral("НЕ"));
        break;
    }
    default:
        break;
    }
}

void Kaz::dum_N_Click(int Index)
{
    Batch batch(*this);
    if (Index == 0 || Index == 1)
        Slowo(Index).setSelectedIndex(dum_N(Index).selectedIndex());
}

void Kaz::Dobawi_dwojka()
{
    const int l = Slowo(0).selectedIndex();
    const int r = Slowo(1).selectedIndex();
    if (l < 0 || r < 0)
        return;
    const QString left = Slowo(0).item(l);
    const QString right = Slowo(1).item(r);
    Slowo(2).addItem(left + u' ' + right);
    dum_N(2).addItem(dum_N(0).item(l));
    dum_N(3).addItem(dum_N(1).item(r));
    Slowo(0).removeItem(l);
    Slowo(1).removeItem(r);
    dum_N(0).removeItem(l);
    dum_N(1).removeItem(r);
    Pokazhi_ostawashti();
}

void Kaz::Wyrni_dwojka()
{
    const int s = Slowo(2).selectedIndex();
    if (s < 0)
        return;
    // The rows put back into each phrase list, in the order they went in.
    QList<std::pair<int, QString>> added[2];
    for (int side = 0; side < 2; ++side) {
        // Every key position that holds the pair's code, in ascending order: the key lists
        // every code twice, once for the phrase and once past the end of the content, where
        // the empty text is read. Both go into the phrase list.
        const KeyIndex &index = keyIndex(side);
        const QString code = dum_N(2 + side).item(s);
        const QStringList &content = KAZ_danni().Danni(side);
        for (int j = index.first(code); j >= 0; j = index.next[size_t(j)]) {
            const QString phrase = ContentStore::item(content, j);
            added[side].append({Slowo(side).addItem(phrase), phrase});
        }
    }
    dum_N(2).removeItem(s);
    dum_N(3).removeItem(s);
    Slowo(2).removeItem(Slowo(2).selectedIndex());
    if (Slowo(2).count() > s)
        Slowo(2).setSelectedIndex(s);
    // Renumbering the phrase lists (Nomerirai_frazi) gives every row the code of the first
    // content item with its text. The rows that stayed already carry exactly that code
    // while the key is the one they were numbered with, so only the rows put back get
    // theirs, at the same places; the code lists lose their selection as in a renumbering.
    if (m_keyEdited) {
        Nomerirai_frazi();
    } else {
        for (int side = 0; side < 2; ++side) {
            const ListModel &key = dum_N(4 + side);
            for (const auto &[row, phrase] : std::as_const(added[side]))
                dum_N(side).insertItem(row, key.item(codeRowFor(side, phrase)));
            dum_N(side).dropSelection();
        }
    }
    Slowo(0).removeItem(0);
    Slowo(1).removeItem(0);
    dum_N(0).removeItem(0);
    dum_N(1).removeItem(0);
    Pokazhi_ostawashti();
    if (Slowo(2).selectedIndex() < 0 && Slowo(2).count() > 0)
        Slowo(2).setSelectedIndex(Slowo(2).count() - 1);
}

// ---------------------------------------------------------------- grading

void Kaz::Formirai_ocenka()
{
    m_brojWerni = 0;
    const int last = Slowo(2).count() - 1;
    const double N = Numbers::readLenient(m_nastroiki.item(0));

    // Each pair counts every key row j = 0 … N - 1 whose left and right codes equal its own.
    // The rows whose left code is the pair's are found through the index of the left key.
    // Two plain decimals are equal texts exactly when their values are equal, so codes are
    // compared by the values kept beside the code lists where both have one, and the texts
    // (scattered in memory, slow to reach in a large test) are read only where not.
    const KeyIndex &left = keyIndex(0);
    const KeyIndex &right = keyIndex(1);
    const QStringList &leftCodes = dum_N(2).items();
    const QStringList &rightCodes = dum_N(3).items();
    const QStringList &rightKey = dum_N(5).items();
    const qint64 leftLimit = qint64(left.firstOfNumber.size()) - 1;
    const int rightLimit = int(right.valueAt.size());
    const auto valueAt = [](const std::vector<qint64> &values, int i, qint64 limit) {
        const qint64 v = size_t(i) < values.size() ? values[size_t(i)] : 0;
        return v <= limit ? int(v) : 0;
    };
    for (int i = 0; i <= last; ++i) {
        const int leftValue = valueAt(m_pairValues[0], i, leftLimit);
        const int rightValue = valueAt(m_pairValues[1], i, rightLimit);
        int j = leftValue > 0 ? left.firstOfNumber[size_t(leftValue)]
                              : left.first(i < leftCodes.size() ? leftCodes.at(i) : noText);
        for (; j >= 0 && j <= N - 1; j = left.next[size_t(j)]) {
            const int keyValue = j < rightLimit ? right.valueAt[size_t(j)] : 0;
            if (keyValue > 0 && rightValue > 0)
                m_brojWerni += keyValue == rightValue;
            else if ((j < rightKey.size() ? rightKey.at(j) : noText) == (i < rightCodes.size() ? rightCodes.at(i) : noText))
                ++m_brojWerni;
        }
    }

    const qint16 score = N > 0 ? Numbers::roundToInt16(m_brojWerni * 100.0 / N) : 0;
    m_score = score;
    setUprawlEnabled(0, false);
    setUprawlEnabled(1, false);
    setNdapis(ScorePrefix + Numbers::decimal(score) + u'%');
    if (Slowo(2).count() > 0)
        Slowo(2).setSelectedIndex(0);
    Slowo_Click(2);
    setVerdictVisible(true);
}

bool Kaz::pairRight(int pair) const
{
    return dum_N(2).item(pair) == dum_N(3).item(pair);
}

QString Kaz::pairPhrase(int pair, int side)
{
    if (pair < 0 || pair >= dum_N(2 + side).count())
        return {};
    // A pair keeps each phrase's code, the key position of the first content item with its
    // text: that item is the phrase, as taking the pair back finds it.
    const int j = keyIndex(side).first(dum_N(2 + side).item(pair));
    return j >= 0 ? ContentStore::item(KAZ_danni().Danni(side), j) : QString();
}

// ---------------------------------------------------------------- explanations

void Kaz::Obqsni_izbranoto()
{
    const int i = Slowo(0).selectedIndex();
    setProwerkaText(0, QString());
    const qint16 q = qint16(KAZ_danni().codeOf(0, Slowo(0).item(i)));
    Dobawi_dwojka();
    Obqsni_wypros(q);
}

void Kaz::Obqsni_dwojka()
{
    const int i = Slowo(2).selectedIndex();
    dum_N(2).setSelectedIndex(i);
    const qint16 q = Numbers::roundToInt16(Numbers::readLenient(dum_N(2).item(i)));
    Obqsni_wypros(q);
}

void Kaz::Obqsni_wypros(qint16 q)
{
    const ContentStore &content = KAZ_danni();
    setProwerkaText(0, QString());
    const QString quote(u'"');
    QString text = QStringLiteral("\r\n") + quote + ContentStore::item(content.Danni(0), q - 1) + quote
                   + QStringLiteral(" е във връзка с ") + quote + ContentStore::item(content.Danni(1), q - 1)
                   + quote;
    if (Numbers::readLenient(ContentStore::item(content.Otgowor(0), q)) > 0)
        for (const QString &line : content.Otgowor(q))
            text += QStringLiteral("\r\n") + line;
    setProwerkaText(0, text);
    Pokazhi_grafika(q);
}

// ---------------------------------------------------------------- pictures

void Kaz::ensureGraphika()
{
    if (m_graphika)
        return;
    m_graphika = std::make_unique<KazGraphika>();
    m_graphika->caption = Caption::pictureWindowTitle(ContentStore::item(KAZ_danni().Danni(3), 0));
}

void Kaz::Pokazhi_grafika(qint16 q)
{
    const ContentStore &content = KAZ_danni();
    // A flag that is missing or not a number counts as "no picture".
    const auto flag = Numbers::readStrict(ContentStore::item(content.Spis_graf(), q));
    setThumbnail(flag && *flag != 0 ? content.Graphika(q).source : QString());
    ensureGraphika();
    if (m_graphika->visible) {
        m_graphika->visible = false;
        mark(Change::PictureWindow);
    }
}

void Kaz::Grafika_Click(int Index)
{
    Q_UNUSED(Index);
    const qint16 q = m_nomerWypros;
    const ContentStore &content = KAZ_danni();
    if (!(Numbers::readLenient(ContentStore::item(content.Spis_graf(), q)) > 0))
        return;
    Batch batch(*this);
    ensureGraphika();
    const ContentStore::Picture &box = content.Graphika(q);
    m_graphika->boxWidth = box.width;
    m_graphika->boxHeight = box.height;
    m_graphika->picture = box.source;
    m_graphika->width = box.width + KazLayout::GraphikaFrameWidth;
    m_graphika->height = box.height + KazLayout::GraphikaFrameHeight;
    m_graphika->visible = true;
    mark(Change::PictureWindow); // also when it was open: shown afresh, in front
}

// ---------------------------------------------------------------- state setters

void Kaz::mark(Changes what)
{
    m_pending |= what;
    if (m_batchDepth == 0)
        announce();
}

void Kaz::announce()
{
    // Every button click first applies the 3-to-1 rule to "Оцени", which the click itself
    // may undo; a button switched back is no change.
    for (int i = 0; i < 4; ++i)
        if (m_uprawlEnabled[i] == m_uprawlAnnounced[i])
            m_pending &= ~Changes(uprawl(i));
    std::copy(std::begin(m_uprawlEnabled), std::end(m_uprawlEnabled), std::begin(m_uprawlAnnounced));
    if (!m_pending)
        return;
    // Taken first: a receiver may call a handler, which starts a set of its own.
    const Changes what = std::exchange(m_pending, {});
    Q_EMIT changed(what);
}

void Kaz::setUprawlEnabled(int index, bool enabled)
{
    if (m_uprawlEnabled[index] == enabled)
        return;
    m_uprawlEnabled[index] = enabled;
    mark(uprawl(index));
}

void Kaz::setProwerkaText(int index, const QString &text)
{
    if (m_prowerkaText[index] == text)
        return;
    m_prowerkaText[index] = text;
    mark(index == 0 ? Change::Prowerka0 : Change::Verdict);
}

void Kaz::setVerdict(quint32 colour, const QString &text)
{
    if (m_verdictColour != colour) {
        m_verdictColour = colour;
        mark(Change::Verdict);
    }
    setProwerkaText(1, text);
}

void Kaz::setVerdictVisible(bool visible)
{
    if (m_verdictVisible == visible)
        return;
    m_verdictVisible = visible;
    mark(Change::VerdictShown);
}

void Kaz::setNdapis(const QString &text)
{
    if (m_ndapis == text)
        return;
    m_ndapis = text;
    mark(Change::Ndapis);
}

void Kaz::setThumbnail(const QString &source)
{
    if (m_thumbnail == source)
        return;
    m_thumbnail = source;
    mark(Change::Thumbnail);
}

// ---------------------------------------------------------------- appearance ("Запис")

void Kaz::setScreenFonts(std::shared_ptr<const ScreenFonts> fonts)
{
    m_screenFonts = std::move(fonts);
}

void Kaz::unloadDialog()
{
    m_cwiat.reset();
    // The looks "Запис" set, in one set.
    if (m_batchDepth == 0)
        announce();
}

void Kaz::markLook(Control control)
{
    // While the dialog is open these come from its "Запис", which ends by unloading it.
    m_pending |= look(control);
    if (m_batchDepth == 0 && !m_cwiat)
        announce();
}

KazLook *Kaz::lookOf(Control control)
{
    switch (control) {
    case Control::Form:
        return &m_windowLook;
    case Control::Slowo0:
    case Control::Slowo1:
    case Control::Slowo2:
        return &m_slowoLook[int(control) - int(Control::Slowo0)];
    case Control::Prowerka0:
        return &m_prowerkaLook;
    case Control::Ndapis:
        return &m_ndapisLook;
    }
    return nullptr;
}

void Kaz::setBackColor(Control control, qint32 colour)
{
    KazLook *look = lookOf(control);
    if (!look || look->background == colour)
        return;
    look->background = colour;
    markLook(control);
}

void Kaz::setForeColor(Control control, qint32 colour)
{
    KazLook *look = lookOf(control);
    if (!look || look->foreground == colour)
        return;
    look->foreground = colour;
    markLook(control);
}

void Kaz::setFontName(Control control, const QString &name)
{
    KazLook *look = lookOf(control);
    if (!look || look->fontName == name)
        return;
    look->fontName = name;
    markLook(control);
}

void Kaz::setFontSize(Control control, double points)
{
    KazLook *look = lookOf(control);
    if (!look || look->fontSize == points)
        return;
    look->fontSize = points;
    markLook(control);
}
