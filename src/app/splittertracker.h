#pragma once
// SplitterTracker: moves a split bar from the keyboard, as the split command does: the arrow keys
// move it ten pixels at a time, Enter or Esc ends it.

#include <QObject>

class QSplitter;

class SplitterTracker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts tracking the bar of splitter (two panes); keys go to it until the end.
    void Start(QSplitter *splitter);

signals:
    void Finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSplitter *m_splitter = nullptr;
};
