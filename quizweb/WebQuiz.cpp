#include "WebQuiz.h"

#include "ContentReader.h"
#include "ContentStore.h"
#include "Cwiat.h"
#include "CwiatLayout.h"
#include "PackedQuiz.h"
#include "ScreenFonts.h"

#include <QBuffer>
#include <QHash>
#include <QJsonDocument>

#include <algorithm>

namespace {

// A colour held as 0x00BBGGRR, as CSS writes it; null for the platform's own.
QJsonValue cssColour(qint64 bgr)
{
    if (bgr == KazLayout::PlatformColour)
        return QJsonValue::Null;
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

// A control of a layout in twips: its place, caption, tooltip and colour (CSS, or null).
template <typename Control>
QJsonObject control(const Control &c, qint64 colour)
{
    QJsonObject o{{QStringLiteral("place"), QJsonArray{c.left, c.top, c.width, c.height}}, {QStringLiteral("colour"), cssColour(colour)}};
    if (c.text)
        o.insert(QStringLiteral("caption"), QString::fromUtf16(c.text));
    if (c.tooltip)
        o.insert(QStringLiteral("tooltip"), QString::fromUtf16(c.tooltip));
    return o;
}

// The test window's and the appearance dialog's layouts, as KazLayout and CwiatLayout hold
// them: the page places its elements from these, so that the layout is written down once.
QJsonObject layout()
{
    namespace K = KazLayout;
    namespace C = CwiatLayout;
    QJsonArray lists, buttons, boxes, labels, sliders, sliderLabels, options;
    for (const auto &c : K::Slowo)
        lists.append(control(c, c.colour));
    for (const auto &c : K::Uprawl)
        buttons.append(control(c, c.colour));
    for (const auto &c : K::Prowerka)
        boxes.append(control(c, c.colour));
    for (int i = 0; i < 9; ++i) {
        QJsonObject l = control(C::Label_Cv[i], C::Label_Cv[i].foreground);
        l.insert(QStringLiteral("visible"), C::Label_CvVisible(i));
        labels.append(l);
    }
    for (int i = 0; i < 3; ++i) {
        sliders.append(control(C::Slider1[i], C::Slider1[i].foreground));
        sliderLabels.append(control(C::Label_ST[i], C::Label_ST[i].foreground));
    }
    for (int i = 0; i < 4; ++i) {
        QJsonObject o = control(C::Option1[i], C::Option1[i].foreground);
        o.insert(QStringLiteral("visible"), C::Option1Visible(i));
        options.append(o);
    }
    const QJsonObject window{
        {QStringLiteral("clientHeight"), K::ClientHeight},
        {QStringLiteral("frameWidth"), ContentReader::FrameWidth},
        {QStringLiteral("font"), K::fontName()},
        {QStringLiteral("fontSize"), K::FontSize},
        {QStringLiteral("lists"), lists},
        {QStringLiteral("buttons"), buttons},
        {QStringLiteral("counter"), control(K::Ndapis, K::Ndapis.colour)},
        {QStringLiteral("boxes"), boxes},
        {QStringLiteral("thumbnail"), control(K::Grafika[0], K::Grafika[0].colour)},
        {QStringLiteral("pictureFrame"), QJsonArray{K::GraphikaFrameWidth, K::GraphikaFrameHeight}},
    };
    const QJsonObject dialog{
        {QStringLiteral("clientWidth"), C::ClientWidth},
        {QStringLiteral("clientHeight"), C::ClientHeight},
        {QStringLiteral("caption"), C::caption()},
        {QStringLiteral("menu"), QJsonArray{C::mnuZapis(), C::mnuOtkaz()}},
        {QStringLiteral("labelFontSize"), C::LabelFontSize},
        {QStringLiteral("colour"), control(C::picColor, C::picColor.foreground)},
        {QStringLiteral("labels"), labels},
        {QStringLiteral("sliders"), sliders},
        {QStringLiteral("sliderRange"), QJsonArray{C::SliderMin, C::SliderMax, C::SliderSmallChange, C::SliderLargeChange}},
        {QStringLiteral("sliderLabels"), sliderLabels},
        {QStringLiteral("options"), options},
        {QStringLiteral("fonts"), control(C::List_font[0], C::List_font[0].foreground)},
        {QStringLiteral("sizes"), control(C::List_font[1], C::List_font[1].foreground)},
        {QStringLiteral("sample"), control(C::Text_Cv, C::Text_Cv.foreground)},
    };
    return {{QStringLiteral("window"), window}, {QStringLiteral("dialog"), dialog}};
}

QJsonObject look(const KazLook &l)
{
    return {{QStringLiteral("background"), cssColour(l.background)},
            {QStringLiteral("foreground"), cssColour(l.foreground)},
            {QStringLiteral("font"), l.fontName},
            {QStringLiteral("size"), l.fontSize}};
}

QJsonArray rows(const ListModel &list, int first, int last)
{
    QJsonArray items;
    for (int r = first; r <= last; ++r)
        items.append(list.item(r));
    return items;
}

// The test the page carries: the packed payload and trailer, its checksum checked, then test.kaz
// read by the format's rules with the pictures packed beside it. kazpack checked every picture
// when it packed them, and the checksum shows they are the same bytes.
struct Loaded
{
    std::shared_ptr<const ContentStore> content;
    QString message;
};

Loaded load(const QByteArray &packed)
{
    Loaded loaded;
    QByteArray bytes = packed;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const PackedQuiz::Contents contents = PackedQuiz::read(device);
    switch (contents.fault) {
    case PackedQuiz::Fault::None: break;
    case PackedQuiz::Fault::NewerVersion:
        loaded.message = QStringLiteral("newer");
        return loaded;
    case PackedQuiz::Fault::NoTest:
    case PackedQuiz::Fault::Damaged:
    case PackedQuiz::Fault::Unreadable:
        loaded.message = QStringLiteral("damaged");
        return loaded;
    }
    QHash<QString, QByteArray> files;
    for (const QuizFile &f : contents.files)
        files.insert(f.name, f.bytes);
    ContentReader::Options options;
    options.checkPicture = [&files](const QString &source) -> ContentReader::PictureCheck {
        return files.contains(source) ? QString() : QStringLiteral("no such picture");
    };
    ContentReader::Result read = ContentReader::readBytes(files.value(QStringLiteral("test.kaz")), options);
    if (!read.ok() || !files.contains(QStringLiteral("test.kaz"))) {
        loaded.message = QStringLiteral("damaged");
        return loaded;
    }
    for (auto f = files.cbegin(); f != files.cend(); ++f)
        if (f.key() != QLatin1String("test.kaz"))
            read.store.setPictureData(f.key(), f.value());
    loaded.content = std::make_shared<const ContentStore>(std::move(read.store));
    return loaded;
}

} // namespace

WebQuiz::WebQuiz(const QByteArray &packedTest, const QStringList &fonts)
{
    Loaded loaded = load(packedTest);
    m_message = loaded.message;
    if (!loaded.content)
        return;
    m_content = loaded.content;
    m_model = std::make_unique<Kaz>([content = m_content] { return content; });
    QObject::connect(m_model.get(), &Kaz::changed, m_model.get(), [this](Kaz::Changes what) { m_changes |= what; });
    QObject::connect(m_model.get(), &Kaz::exitRequested, m_model.get(), [this] { m_exit = true; });
    QObject::connect(m_model.get(), &Kaz::appearanceRequested, m_model.get(), [this] { m_dialogChanged = true; });
    // The page shows every size as asked: the browser scales its fonts smoothly.
    m_model->setScreenFonts(std::make_shared<FixedScreenFonts>(fonts));
    for (int list = 0; list < 3; ++list)
        watch(list);
}

WebQuiz::~WebQuiz() = default;

// Each edit of a visible list, as the page applies it to its own rows: rows inserted, removed,
// set, or the whole list replaced.
void WebQuiz::watch(int list)
{
    ListModel &model = m_model->Slowo(list);
    QJsonArray &edits = m_listEdits[list];
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model, [&model, &edits](const QModelIndex &, int first, int last) {
        edits.append(QJsonObject{{QStringLiteral("insert"), first}, {QStringLiteral("items"), rows(model, first, last)}});
    });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, &model, [&edits](const QModelIndex &, int first, int last) {
        edits.append(QJsonObject{{QStringLiteral("remove"), first}, {QStringLiteral("count"), last - first + 1}});
    });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, &model, [&model, &edits](const QModelIndex &from, const QModelIndex &to) {
        edits.append(QJsonObject{{QStringLiteral("set"), from.row()}, {QStringLiteral("items"), rows(model, from.row(), to.row())}});
    });
    QObject::connect(&model, &QAbstractItemModel::modelReset, &model, [&model, &edits] {
        edits = QJsonArray{QJsonObject{{QStringLiteral("reset"), rows(model, 0, model.count() - 1)}}};
    });
}

QByteArray WebQuiz::start()
{
    if (!m_model)
        return QJsonDocument(QJsonObject{{QStringLiteral("fault"), m_message}}).toJson(QJsonDocument::Compact);
    m_model->Form_Load();
    // The lists as they stand, whatever edits filled them.
    for (int list = 0; list < 3; ++list)
        m_listEdits[list] = QJsonArray{QJsonObject{{QStringLiteral("reset"), rows(m_model->Slowo(list), 0, m_model->Slowo(list).count() - 1)}}};
    return update(Kaz::AllChanges, {{QStringLiteral("layout"), layout()}});
}

QByteArray WebQuiz::select(int list, int row)
{
    if (m_model && list >= 0 && list < 3)
        m_model->Slowo(list).setSelectedIndex(row);
    return update({});
}

QByteArray WebQuiz::press(int index)
{
    if (m_model && index >= 0 && index < 4)
        m_model->Uprawl_Click(index);
    return update({});
}

QByteArray WebQuiz::clickPicture()
{
    if (m_model)
        m_model->Grafika_Click(0);
    return update({});
}

QByteArray WebQuiz::exit()
{
    if (m_model)
        m_model->Izhod_Click();
    return update({});
}

QByteArray WebQuiz::colour()
{
    if (!m_model)
        return update({});
    m_model->Cwqt_Click();
    return update({});
}

template <typename Action>
QByteArray WebQuiz::onDialog(Action action)
{
    if (m_model && m_model->cwiat()) {
        action(*m_model->cwiat());
        // The dialog is small: after any of its actions the page gets it whole, its lists'
        // selections too, or that it closed ("Запис" and "Отказ" end with it destroyed).
        m_dialogChanged = true;
    }
    return update({});
}

QByteArray WebQuiz::chooseOption(int index)
{
    return onDialog([index](Cwiat &d) {
        if (index >= 0 && index < 4 && CwiatLayout::Option1Visible(index))
            d.chooseOption(index);
    });
}

QByteArray WebQuiz::moveSlider(int index, int value)
{
    return onDialog([index, value](Cwiat &d) {
        if (index >= 0 && index < 3)
            d.moveSlider(index, std::clamp(value, CwiatLayout::SliderMin, CwiatLayout::SliderMax));
    });
}

QByteArray WebQuiz::chooseSize(int row)
{
    return onDialog([row](Cwiat &d) { d.List_font(1).setSelectedIndex(row); });
}

QByteArray WebQuiz::save()
{
    return onDialog([](Cwiat &d) { d.mnu_zapis_Click(); });
}

QByteArray WebQuiz::cancel()
{
    return onDialog([](Cwiat &d) { d.mnu_Otkaz_Click(); });
}

QJsonObject WebQuiz::dialog() const
{
    const Cwiat *d = m_model->cwiat();
    if (!d)
        return {{QStringLiteral("open"), false}};
    QJsonArray sliders, labelsST, labelsCv, optionColours;
    for (int i = 0; i < 3; ++i) {
        sliders.append(d->Slider1Value(i));
        labelsST.append(d->Label_ST(i));
    }
    for (int i = 0; i < 9; ++i)
        labelsCv.append(d->Label_Cv(i));
    int option = -1;
    for (int i = 0; i < 4; ++i) {
        optionColours.append(cssColour(d->Option1BackColor(i)));
        if (d->Option1Value(i))
            option = i;
    }
    const SampleLook &sample = d->Text_Cv();
    return {{QStringLiteral("open"), true},
            {QStringLiteral("background"), cssColour(d->BackColor())},
            {QStringLiteral("dialogFont"), d->FontName()},
            {QStringLiteral("colour"), cssColour(d->picColorBackColor())},
            {QStringLiteral("sliders"), sliders},
            {QStringLiteral("sliderLabels"), labelsST},
            {QStringLiteral("labels"), labelsCv},
            {QStringLiteral("option"), option},
            {QStringLiteral("optionColours"), optionColours},
            {QStringLiteral("sample"), QJsonObject{{QStringLiteral("background"), cssColour(sample.background)},
                                                   {QStringLiteral("foreground"), cssColour(sample.foreground)},
                                                   {QStringLiteral("font"), sample.fontName},
                                                   {QStringLiteral("size"), sample.fontSize},
                                                   {QStringLiteral("text"), sample.text}}},
            {QStringLiteral("fonts"), rows(d->List_font(0), 0, d->List_font(0).count() - 1)},
            {QStringLiteral("fontRow"), d->List_font(0).selectedIndex()},
            {QStringLiteral("sizes"), rows(d->List_font(1), 0, d->List_font(1).count() - 1)},
            {QStringLiteral("sizeRow"), d->List_font(1).selectedIndex()}};
}

QByteArray WebQuiz::result()
{
    if (!m_model)
        return QByteArrayLiteral("{}");
    Kaz &m = *m_model;
    QJsonArray pairs;
    for (int i = 0; i < m.Slowo(2).count(); ++i)
        pairs.append(QJsonObject{{QStringLiteral("left"), m.pairPhrase(i, 0)},
                                 {QStringLiteral("right"), m.pairPhrase(i, 1)},
                                 {QStringLiteral("correct"), m.pairRight(i)}});
    const QJsonObject result{{QStringLiteral("graded"), m.graded()},
                             {QStringLiteral("percent"), m.graded() ? QJsonValue(m.score()) : QJsonValue()},
                             {QStringLiteral("pairs"), pairs}};
    return QJsonDocument(result).toJson(QJsonDocument::Compact);
}

QByteArray WebQuiz::picture(const QString &source) const
{
    return m_content && !source.isEmpty() ? m_content->pictureData(source) : QByteArray();
}

QByteArray WebQuiz::update(Kaz::Changes what, const QJsonObject &extra)
{
    if (!m_model)
        return QByteArrayLiteral("{}");
    QJsonObject update = parts(what | m_changes);
    for (auto e = extra.constBegin(); e != extra.constEnd(); ++e)
        update.insert(e.key(), e.value());
    m_changes = {};
    QJsonArray lists;
    for (int list = 0; list < 3; ++list) {
        lists.append(m_listEdits[list]);
        m_listEdits[list] = QJsonArray();
    }
    update.insert(QStringLiteral("lists"), lists);
    QJsonArray selected;
    for (int list = 0; list < 3; ++list)
        selected.append(m_model->Slowo(list).selectedIndex());
    update.insert(QStringLiteral("selected"), selected);
    if (m_exit)
        update.insert(QStringLiteral("exit"), true);
    m_exit = false;
    if (m_dialogChanged)
        update.insert(QStringLiteral("dialog"), dialog());
    m_dialogChanged = false;
    return QJsonDocument(update).toJson(QJsonDocument::Compact);
}

QJsonObject WebQuiz::parts(Kaz::Changes what) const
{
    using C = Kaz::Change;
    const Kaz &m = *m_model;
    QJsonObject o;
    if (what & C::Caption)
        o.insert(QStringLiteral("caption"), m.caption());
    if (what & C::Geometry) {
        o.insert(QStringLiteral("windowWidth"), m.windowWidth());
        o.insert(QStringLiteral("slowoLeft"), QJsonArray{m.slowoLeft(0), m.slowoLeft(1)});
        o.insert(QStringLiteral("slowoWidth"), QJsonArray{m.slowoWidth(0), m.slowoWidth(1)});
    }
    if (what & (C::Uprawl0 | C::Uprawl1 | C::Uprawl2 | C::Uprawl3))
        o.insert(QStringLiteral("buttons"), QJsonArray{m.uprawlEnabled(0), m.uprawlEnabled(1), m.uprawlEnabled(2), m.uprawlEnabled(3)});
    if (what & C::Ndapis)
        o.insert(QStringLiteral("counter"), m.ndapis());
    if (what & C::Prowerka0) {
        QString text = m.prowerkaText(0);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        o.insert(QStringLiteral("text"), text);
    }
    if (what & C::Verdict)
        o.insert(QStringLiteral("verdict"),
                 QJsonObject{{QStringLiteral("text"), m.prowerkaText(1)}, {QStringLiteral("colour"), cssColour(m.verdictColour())}});
    if (what & C::VerdictShown)
        o.insert(QStringLiteral("verdictShown"), m.verdictVisible());
    if (what & C::Thumbnail)
        o.insert(QStringLiteral("thumbnail"), m.thumbnail());
    if (what & C::PictureWindow) {
        if (const KazGraphika *g = m.KAZ_Graphika())
            o.insert(QStringLiteral("pictureWindow"),
                     QJsonObject{{QStringLiteral("visible"), g->visible},
                                 {QStringLiteral("width"), g->width},
                                 {QStringLiteral("height"), g->height},
                                 {QStringLiteral("boxWidth"), g->boxWidth},
                                 {QStringLiteral("boxHeight"), g->boxHeight},
                                 {QStringLiteral("picture"), g->picture},
                                 {QStringLiteral("caption"), g->caption}});
    }
    QJsonObject looks;
    if (what & C::FormLook)
        looks.insert(QStringLiteral("window"), look(m.windowLook()));
    for (int i = 0; i < 3; ++i)
        if (what & Kaz::look(AppearanceTarget::Slowo(i)))
            looks.insert(QStringLiteral("list%1").arg(i), look(m.slowoLook(i)));
    if (what & C::ProwerkaLook)
        looks.insert(QStringLiteral("text"), look(m.prowerkaLook()));
    if (what & C::NdapisLook)
        looks.insert(QStringLiteral("counter"), look(m.ndapisLook()));
    if (!looks.isEmpty())
        o.insert(QStringLiteral("looks"), looks);
    return o;
}
