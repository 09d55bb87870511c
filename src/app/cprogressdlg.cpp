#include "cprogressdlg.h"

#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(const BatchControl &control, int total, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_control(control), m_nTotal(total)
{
    setObjectName(QStringLiteral("progressDialog"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("batchProgressBar"));
    m_progress->setRange(0, std::max(0, total));
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    m_progress->setMinimumWidth(360);
    layout->addWidget(m_progress);
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CProgressDlg::OnTimer);
    timer->start(200);
}

void CProgressDlg::OnTimer()
{
    m_nDone = m_control.Progress;
    m_progress->setValue(std::min(m_nDone, m_nTotal));
    // A run that stops early never reaches the count: it ends the dialog as well.
    if (m_nDone >= m_nTotal || m_control.Finished)
        accept();
}

void CProgressDlg::reject()
{
}

void CProgressDlg::keyPressEvent(QKeyEvent *event)
{
    // Neither Enter nor Esc may disturb the running batch.
    event->accept();
}
