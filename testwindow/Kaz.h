#pragma once

#include "AppearanceStore.h"
#include "AppearanceTarget.h"
#include "ContentStore.h"
#include "KazLayout.h"
#include "ListModel.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Cwiat;
class ScreenFonts;

// The picture window `KAZ_Graphika` as data: shown or hidden, its outer size and the
// picture in its display box `Graphika(0)`.
struct KazGraphika
{
    bool visible = false;
    int width = 0;  // outer size, twips
    int height = 0;
    int boxWidth = ContentStore::DefaultBoxWidth; // display box `Graphika(0)`, twips
    int boxHeight = ContentStore::DefaultBoxHeight;
    QString picture; // source of the picture shown, empty for none
    QString caption;
};

// Colours and font of a control of the test window; colours 0x00BBGGRR, or
// KazLayout::PlatformColour where the platform's own colour applies.
struct KazLook
{
    qint64 background = KazLayout::PlatformColour;
    qint64 foreground = KazLayout::PlatformColour;
    QString fontName = KazLayout::fontName();
    double fontSize = KazLayout::FontSize;
};

// The test window `KAZ`: its working lists, the state of its controls and every handler.
// Its Bulgarian names (Slowo, Uprawl_Click, dum_N, …) are explained in "The window's names"
// in testwindow/DESIGN.md.
// Widgets display this model and forward the learner's actions to the handlers; the
// reactions a handler sets off run here, synchronously, in their fixed order.
class Kaz : public QObject, public AppearanceTarget
{
    Q_OBJECT

public:
    // A part of the window's state that the view shows, as it appears in changed().
    enum class Change : quint32 {
        Caption = 1u << 0,        // caption()
        Geometry = 1u << 1,       // windowWidth(), slowoLeft(), slowoWidth()
        Uprawl0 = 1u << 2,        // uprawlEnabled(0); Uprawl1 … Uprawl3 follow (uprawl(i))
        Uprawl1 = 1u << 3,
        Uprawl2 = 1u << 4,
        Uprawl3 = 1u << 5,
        Ndapis = 1u << 6,         // ndapis()
        Prowerka0 = 1u << 7,      // prowerkaText(0)
        Verdict = 1u << 8,        // prowerkaText(1), verdictColour()
        VerdictShown = 1u << 9,   // verdictVisible()
        Thumbnail = 1u << 10,     // thumbnail()
        PictureWindow = 1u << 11, // KAZ_Graphika(): shown (also afresh, over its picture) or hidden
        FormLook = 1u << 12,      // windowLook(); the looks follow in Control's order (look())
        Slowo0Look = 1u << 13,
        Slowo1Look = 1u << 14,
        Slowo2Look = 1u << 15,
        ProwerkaLook = 1u << 16,
        NdapisLook = 1u << 17,
    };
    Q_ENUM(Change)
    Q_DECLARE_FLAGS(Changes, Change)
    static constexpr Changes AllChanges = Changes::fromInt((1u << 18) - 1);
    static Change uprawl(int index) { return Change(quint32(Change::Uprawl0) << index); }
    static Change look(Control control) { return Change(quint32(Change::FormLook) << int(control)); }

    // Makes the content window `KAZ_danni` on its first use.
    using ContentLoader = std::function<std::shared_ptr<const ContentStore>()>;

    explicit Kaz(ContentLoader loader, QObject *parent = nullptr);
    ~Kaz() override;

    // --- Lists: `Slowo(0..2)` visible, `dum_N(0..5)` and `Nastroiki` hidden.
    ListModel &Slowo(int index) { return *m_slowo[index]; }
    const ListModel &Slowo(int index) const { return *m_slowo[index]; }
    ListModel &dum_N(int index) { return *m_dumN[index]; }
    const ListModel &dum_N(int index) const { return *m_dumN[index]; }
    ListModel &Nastroiki() { return m_nastroiki; }
    const ListModel &Nastroiki() const { return m_nastroiki; }
    // The appearance settings `Cweta(0)`; only the appearance dialog reads and writes them.
    AppearanceStore &Cweta() override { return m_cweta; }
    const AppearanceStore &Cweta() const { return m_cweta; }

    // --- Controls.
    QString caption() const { return m_caption; }
    float windowWidth() const { return m_windowWidth; } // outer width, twips
    float slowoLeft(int index) const { return m_slowoLeft[index]; }
    float slowoWidth(int index) const { return m_slowoWidth[index]; }
    bool uprawlEnabled(int index) const { return m_uprawlEnabled[index]; }
    QString ndapis() const { return m_ndapis; }
    QString prowerkaText(int index) const { return m_prowerkaText[index]; }
    bool verdictVisible() const { return m_verdictVisible; }
    quint32 verdictColour() const { return m_verdictColour; }
    // Source of the picture the thumbnail `Grafika(0)` shows, empty when it shows none.
    QString thumbnail() const { return m_thumbnail; }

    // --- Form variables.
    int Broj_werni() const { return m_brojWerni; }
    qint16 Nomer_wypros() const { return m_nomerWypros; }

    // --- The graded result, as the window shows it.
    // Whether "Оцени" has graded the pairs since the window loaded.
    bool graded() const { return m_score >= 0; }
    // The score the counter shows ("Верни: N%"), -1 before grading.
    int score() const { return m_score; }
    // Whether pair `pair` (a row of Slowo(2)) is right, as its verdict shows it: "ДА" when its
    // two phrases carry the same code.
    bool pairRight(int pair) const;
    // The phrase of side `side` (0 left, 1 right) that pair `pair` was made of, as the phrase
    // list showed it; empty for no such pair.
    QString pairPhrase(int pair, int side);

    // --- Other windows, made on first use.
    bool contentLoaded() const { return bool(m_danni); }
    const ContentStore &KAZ_danni();
    const KazGraphika *KAZ_Graphika() const { return m_graphika.get(); }

    // --- Handlers.
    void Form_Load();
    void Uprawl_Click(int Index);
    void Slowo_Click(int Index);
    void dum_N_Click(int Index);
    void Grafika_Click(int Index);
    void Izhod_Click();
    void Cwqt_Click();

    // --- Procedures of the window.
    void Zaredi_kluch();
    void Zaredi_frazi();
    void Nomerirai_frazi();
    void Oceni_Update();
    // The rule Oceni_Update applies: "Оцени" may be pressed once the pairs made (`chosen`) are at
    // least three times the right phrases still unpaired.
    static bool gradingAllowed(qint32 chosen, qint32 unpaired) { return chosen >= 3 * unpaired; }
    // Whether a learner who has made every pair the lists allow (as many as the shorter side
    // has phrases) still sees "Оцени" grey: the rule is applied at the start of a button click,
    // so when only the last pair satisfies it, one more click (of "Избрах" with nothing to pair)
    // is needed. False when the rule is met earlier, or never (too many extra right phrases).
    static bool lastPairLeavesGradingGrey(qint32 leftPhrases, qint32 rightPhrases);
    void Pokazhi_ostawashti();
    void Dobawi_dwojka();
    void Wyrni_dwojka();
    void Formirai_ocenka();
    void Obqsni_izbranoto();
    void Obqsni_dwojka();
    void Obqsni_wypros(qint16 q);
    void Pokazhi_grafika(qint16 q);

    // --- Appearance of the window's text controls (what "Запис" of the appearance dialog sets).
    const KazLook &windowLook() const { return m_windowLook; }
    const KazLook &slowoLook(int index) const { return m_slowoLook[index]; }
    const KazLook &prowerkaLook() const { return m_prowerkaLook; }
    const KazLook &ndapisLook() const { return m_ndapisLook; }

    // --- The appearance dialog, made by "Color" and destroyed when it closes.
    Cwiat *cwiat() const { return m_cwiat.get(); }
    // The installed fonts the dialog lists; without them it lists none.
    void setScreenFonts(std::shared_ptr<const ScreenFonts> fonts);
    void setBackColor(Control control, qint32 colour) override;
    void setForeColor(Control control, qint32 colour) override;
    void setFontName(Control control, const QString &name) override;
    void setFontSize(Control control, double points) override;
    void unloadDialog() override;

Q_SIGNALS:
    // The parts a handler gave a new value, announced once as the handler returns, after
    // all the reactions it set off (a list's click reaction, grading's selection of the
    // first pair); nothing when it changed nothing. A button switched and switched back is
    // no change; the text box given a new text and then its old one is, as the window shows
    // it afresh, from its first line; so is the picture window shown again over itself. The
    // lists announce their own changes as models. The looks "Запис" sets come as one set
    // when the dialog unloads. A procedure called on its own, outside any handler,
    // announces each change as it makes it.
    void changed(Kaz::Changes what);
    // "Exit": the program ends at once (a try-out inside the editor closes its window alone).
    void exitRequested();
    // "Color": the appearance dialog `cwiat()`, loaded, is to be shown or brought to the front.
    void appearanceRequested();

private:
    // Collects the changes of a handler and everything it sets off; the outermost one
    // announces them when it ends.
    class Batch;
    void mark(Changes what);
    void announce();
    void setUprawlEnabled(int index, bool enabled);
    void setVerdict(quint32 colour, const QString &text);
    void setVerdictVisible(bool visible);
    void setProwerkaText(int index, const QString &text);
    void setNdapis(const QString &text);
    void setThumbnail(const QString &source);
    void ensureGraphika();
    int codeRowFor(int side, const QString &row) const;
    // Where each text stands in the key list dum_N(4 + side). The key's own texts are
    // decimal numbers, found by their value; any other text through a hash.
    struct KeyIndex
    {
        bool valid = false;
        std::vector<int> firstOfNumber;   // value k of the text -> its first position, or -1
        QHash<QString, int> firstOfText;  // a text that is no plain decimal -> its first position
        std::vector<int> next;            // position -> the next position of the same text, or -1
        std::vector<int> valueAt;         // position -> the value of its text, or 0 for no plain decimal

        // The first position of `text`, or -1.
        int first(const QString &text) const;
    };
    const KeyIndex &keyIndex(int side);
    KazLook *lookOf(Control control);
    void markLook(Control control);

    ContentLoader m_loader;
    std::shared_ptr<const ContentStore> m_danni;
    std::unique_ptr<KazGraphika> m_graphika;

    ListModel *m_slowo[3];
    ListModel *m_dumN[6];
    KeyIndex m_keyIndex[2];
    // The value of each code in dum_N(2) and dum_N(3) where it is a plain decimal, else 0.
    std::vector<qint64> m_pairValues[2];
    // A key list changed after start-up: the codes in the code lists may no longer be the
    // ones a renumbering gives, so taking back renumbers every row.
    bool m_keyEdited = false;
    ListModel m_nastroiki;
    AppearanceStore m_cweta;

    QString m_caption;
    float m_windowWidth = float(KazLayout::ClientWidth);
    float m_slowoLeft[2];
    float m_slowoWidth[2];
    bool m_uprawlEnabled[4] = {true, true, false, true};
    bool m_uprawlAnnounced[4] = {true, true, false, true}; // as the last change set left them
    QString m_ndapis;
    QString m_prowerkaText[2];
    bool m_verdictVisible = false;
    quint32 m_verdictColour = KazLayout::VerdictRight;
    QString m_thumbnail;

    int m_brojWerni = 0;
    int m_score = -1;
    qint16 m_nomerWypros = 0;

    KazLook m_windowLook;
    KazLook m_slowoLook[3];
    KazLook m_prowerkaLook;
    KazLook m_ndapisLook;

    std::shared_ptr<const ScreenFonts> m_screenFonts;
    std::unique_ptr<Cwiat> m_cwiat;

    int m_batchDepth = 0;
    Changes m_pending;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Kaz::Changes)
