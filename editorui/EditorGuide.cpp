#include "EditorGuide.h"

#include "WindowPlace.h"

#include <QAction>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Where the build puts the guide's pages and pictures (editorui/CMakeLists.txt).
const QString GuideRoot = QStringLiteral("qrc:/kaz/guide/");

QString resourcePath(const QUrl &url) { return u':' + url.path(); }

// Every fragment of `doc` for which `wanted` holds, found before any is changed.
template<typename Wanted>
QList<QTextFragment> fragments(const QTextDocument *doc, Wanted wanted)
{
    QList<QTextFragment> out;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (wanted(it.fragment()))
                out.append(it.fragment());
    return out;
}

void setFormat(QTextDocument *doc, const QTextFragment &fragment, const QTextCharFormat &format)
{
    QTextCursor cursor(doc);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
}

} // namespace

EditorGuide::EditorGuide(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setWindowTitle(tr("Guide — KAZ editor"));
    setAccessibleName(tr("Guide"));
    m_browser->setAccessibleName(tr("Guide"));
    m_browser->setOpenLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &EditorGuide::followLink);
    m_browser->viewport()->installEventFilter(this);
    // Esc closes the guide, as it does a dialog; F1 in the editor brings it back.
    auto *close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    resize(PreferredSize);
}

void EditorGuide::showBeside(const QWidget *editor)
{
    if (!isVisible()) {
        const QWidget *owner = editor->window();
        const QRect area = WindowPlace::availableArea(owner);
        const QRect frame = owner->frameGeometry();
        const QSize decoration = frame.size() - owner->size();
        QSize size = PreferredSize.boundedTo(area.size() - decoration);
        // Narrower beside the editor rather than over it, while it reads well there.
        const int room = std::max(area.right() - frame.right(), frame.left() - area.left()) - decoration.width();
        if (room >= MinimumBesideWidth)
            size.setWidth(std::min(size.width(), room));
        resize(size);
        WindowPlace::putBeside(this, owner);
    }
    show();
    raise();
    activateWindow();
}

QUrl EditorGuide::pageInLanguage()
{
    //: The file name of the editor's guide written in this translation's language.
    const QUrl page(GuideRoot + tr("editor.md"));
    return holds(page) ? page : QUrl(GuideRoot + QStringLiteral("editor.md"));
}

bool EditorGuide::holds(const QUrl &url)
{
    return url.scheme() == u"qrc" && url.toString().startsWith(GuideRoot) && QFileInfo(resourcePath(url)).isFile();
}

void EditorGuide::showPage(const QUrl &page)
{
    m_browser->setSource(page, QTextDocument::MarkdownResource);
    unlinkWhatIsNotHeld();
    fitPictures();
    m_browser->verticalScrollBar()->setValue(0);
}

void EditorGuide::followLink(const QUrl &link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (holds(target) && target.path().endsWith(u".md"))
        showPage(target);
    else if (link.scheme() == u"https" || link.scheme() == u"http")
        QDesktopServices::openUrl(link);
}

void EditorGuide::unlinkWhatIsNotHeld()
{
    QTextDocument *doc = m_browser->document();
    const QUrl source = m_browser->source();
    const auto dead = [&source](const QTextFragment &f) {
        const QTextCharFormat format = f.charFormat();
        if (!format.isAnchor() || format.anchorHref().isEmpty())
            return false;
        const QUrl link(format.anchorHref());
        return !holds(source.resolved(link)) && link.scheme() != u"https" && link.scheme() != u"http";
    };
    for (const QTextFragment &f : fragments(doc, dead)) {
        QTextCharFormat plain = f.charFormat();
        plain.setAnchor(false);
        plain.setAnchorHref({});
        plain.setFontUnderline(false);
        plain.clearForeground();
        setFormat(doc, f, plain);
    }
}

void EditorGuide::fitPictures()
{
    QTextDocument *doc = m_browser->document();
    const QUrl source = m_browser->source();
    // Room is left for the vertical scroll bar even while it is hidden: a picture that took its
    // place would have to shrink again, and the page would scroll sideways meanwhile.
    const int bar = m_browser->verticalScrollBar()->isVisible() ? 0 : m_browser->verticalScrollBar()->sizeHint().width();
    const int room = m_browser->viewport()->width() - 2 * int(doc->documentMargin()) - bar - 4;
    if (room <= 0)
        return;
    const auto isPicture = [](const QTextFragment &f) { return f.charFormat().isImageFormat(); };
    for (const QTextFragment &f : fragments(doc, isPicture)) {
        QTextImageFormat picture = f.charFormat().toImageFormat();
        const QSize size = QImageReader(resourcePath(source.resolved(QUrl(picture.name())))).size();
        if (size.isEmpty())
            continue;
        const int width = qMin(size.width(), room);
        picture.setWidth(width);
        picture.setHeight(qreal(size.height()) * width / size.width());
        setFormat(doc, f, picture);
    }
}

bool EditorGuide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_browser->viewport() && event->type() == QEvent::Resize && !m_browser->source().isEmpty())
        fitPictures();
    return QWidget::eventFilter(watched, event);
}
