#include "clientpanes.h"

#include "cdotrixview.h"
#include "cfontsel.h"
#include "cfontview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// The preview row's height where the screen has room for it and the glyph view, and the least it
// keeps on a small screen.
constexpr int PreviewRowHeight = 320;
constexpr int MinPreviewRowHeight = 120;
class ScrollingPaneArea : public QScrollArea
{
public:
    explicit ScrollingPaneArea(QWidget *pane)
    {
        setObjectName(pane->objectName() + QStringLiteral("Scroll"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidget(pane);
        pane->installEventFilter(this);
    }

    QSize sizeHint() const override
    {
        const QSize pane = widget()->sizeHint();
        return {pane.width() + verticalScrollBar()->sizeHint().width(), pane.height()};
    }
    QSize minimumSizeHint() const override { return {sizeHint().width(), MinScrollingPaneHeight}; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The pane's texts changed (another language): the area takes its new width.
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

private:
    static constexpr int MinScrollingPaneHeight = 80;
};

} // namespace

QScrollArea *ScrollingPane(QWidget *pane)
{
    return new ScrollingPaneArea(pane);
}

ClientPanes::ClientPanes(GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent)
    : QSplitter(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("outerSplitter"));
    m_left = new QSplitter(Qt::Vertical, this);
    m_left->setObjectName(QStringLiteral("leftSplitter"));
    auto *glyphScroll = new QScrollArea(m_left);
    glyphScroll->setObjectName(QStringLiteral("glyphScroll"));
    glyphScroll->setWidgetResizable(true);
    glyphScroll->setFrameShape(QFrame::NoFrame);
    m_glyphView = new CDotrixView(settings, matrix);
    glyphScroll->setWidget(m_glyphView);
    m_preview = new CFontView(settings, matrix, m_left);
    m_characterList = new CFontSel(this);
    addWidget(m_left);
    addWidget(m_characterList);
    // The preview row starts 320 pixels high and the list column 420 wide; the glyph view takes
    // the rest.
    m_left->setStretchFactor(0, 1);
    m_left->setStretchFactor(1, 0);
    setStretchFactor(0, 1);
    setStretchFactor(1, 0);
    m_left->setSizes({10000, PreviewRowHeight});
    setSizes({10000, 420});
    // On a small screen the preview row gives up height so that the default glyph fits; once the
    // user moves the split bar, the rows are theirs.
    m_left->installEventFilter(this);
    connect(m_left, &QSplitter::splitterMoved, this, [this] { m_previewRowSetByUser = true; });
}

void ClientPanes::FitPreviewRow()
{
    const int total = m_left->height() - m_left->handleWidth();
    if (m_previewRowSetByUser || total <= 0)
        return;
    // The default glyph: 16 x 16 dots at zoom 20.
    const int glyphNeeds = CDotrixView::Extent(16, 16, 20).height();
    const int preview = std::min(total, std::max(MinPreviewRowHeight, std::min(PreviewRowHeight, total - glyphNeeds)));
    if (m_left->sizes() != QList<int>{total - preview, preview})
        m_left->setSizes({total - preview, preview});
}

void ClientPanes::FocusNextPane(int step)
{
    const QList<QWidget *> panes = m_outerPanes + QList<QWidget *>{m_glyphView, m_preview, m_characterList};
    const qsizetype count = panes.size();
    QWidget *focus = QApplication::focusWidget();
    qsizetype current = count - 1; // from outside every pane, F6 starts at the first one
    if (step < 0)
        current = 0;
    for (qsizetype i = 0; i < count; ++i)
        if (panes[i] == focus || panes[i]->isAncestorOf(focus))
            current = i;
    QWidget *pane = panes[(current + step + count) % count];
    // A pane of several controls (the control bar) gives the keyboard to its first one that takes
    // it.
    QWidget *target = pane;
    if (pane->focusPolicy() == Qt::NoFocus && !pane->focusProxy()) {
        for (QWidget *next = pane->nextInFocusChain(); next != pane; next = next->nextInFocusChain())
            if (pane->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
                && next->isVisibleTo(pane)) {
                target = next;
                break;
            }
    }
    target->setFocus(Qt::ShortcutFocusReason);
}

void ClientPanes::TrackSplitBar()
{
    QWidget *focus = QApplication::focusWidget();
    m_tracking = (focus && m_left->isAncestorOf(focus)) ? m_left : this;
    qApp->installEventFilter(this);
}

bool ClientPanes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_left && event->type() == QEvent::Resize)
        FitPreviewRow();
    if (!m_tracking || event->type() != QEvent::KeyPress)
        return QSplitter::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    QList<int> sizes = m_tracking->sizes();
    const bool horizontal = m_tracking->orientation() == Qt::Horizontal;
    int move = 0;
    if ((horizontal && key->key() == Qt::Key_Left) || (!horizontal && key->key() == Qt::Key_Up))
        move = -10;
    else if ((horizontal && key->key() == Qt::Key_Right) || (!horizontal && key->key() == Qt::Key_Down))
        move = 10;
    if (move != 0 && sizes.size() == 2) {
        sizes[0] = std::max(0, sizes[0] + move);
        sizes[1] = std::max(0, sizes[1] - move);
        m_tracking->setSizes(sizes);
        m_previewRowSetByUser = m_previewRowSetByUser || m_tracking == m_left;
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
        m_tracking = nullptr;
        qApp->removeEventFilter(this);
        emit TrackingFinished();
        return true;
    }
    return QSplitter::eventFilter(watched, event);
}
