#include "splittertracker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSplitter>

void SplitterTracker::Start(QSplitter *splitter)
{
    m_splitter = splitter;
    qApp->installEventFilter(this);
}

bool SplitterTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_splitter || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    QList<int> sizes = m_splitter->sizes();
    const bool horizontal = m_splitter->orientation() == Qt::Horizontal;
    int move = 0;
    if ((horizontal && key->key() == Qt::Key_Left) || (!horizontal && key->key() == Qt::Key_Up))
        move = -10;
    else if ((horizontal && key->key() == Qt::Key_Right) || (!horizontal && key->key() == Qt::Key_Down))
        move = 10;
    if (move != 0 && sizes.size() == 2) {
        sizes[0] = std::max(0, sizes[0] + move);
        sizes[1] = std::max(0, sizes[1] - move);
        m_splitter->setSizes(sizes);
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
        m_splitter = nullptr;
        qApp->removeEventFilter(this);
        emit Finished();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
