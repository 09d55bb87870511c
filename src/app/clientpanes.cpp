#include "clientpanes.h"

#include "cdotrixview.h"
#include "cfontsel.h"
#include "cfontview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>

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
    m_left->setSizes({10000, 320});
    setSizes({10000, 420});
}

void ClientPanes::FocusNextPane(int step)
{
    QWidget *panes[] = {m_glyphView, m_preview, m_characterList};
    QWidget *focus = QApplication::focusWidget();
    int current = 0;
    for (int i = 0; i < 3; ++i)
        if (panes[i]->isAncestorOf(focus) || panes[i] == focus)
            current = i;
    panes[(current + step + 3) % 3]->setFocus(Qt::ShortcutFocusReason);
}

void ClientPanes::TrackSplitBar()
{
    QWidget *focus = QApplication::focusWidget();
    m_tracking = (focus && m_left->isAncestorOf(focus)) ? m_left : this;
    qApp->installEventFilter(this);
}

bool ClientPanes::eventFilter(QObject *watched, QEvent *event)
{
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
