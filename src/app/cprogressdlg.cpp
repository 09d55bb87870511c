#include "cprogressdlg.h"

#include "messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(JobControl &control, int total, QWidget *parent, const ProgressLook &look)
    : QDialog(parent, look.Label.isEmpty() ? Qt::Dialog | Qt::FramelessWindowHint : Qt::Dialog),
      m_control(control), m_nTotal(std::max(0, total)), m_ownTotal(total < 0)
{
    setObjectName(look.Name.isEmpty() ? QStringLiteral("progressDialog") : look.Name);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    if (!look.Label.isEmpty()) {
        setWindowTitle(ApplicationTitle);
        m_label = new QLabel(look.Label);
        layout->addWidget(m_label);
    }
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("batchProgressBar"));
    m_progress->setRange(0, m_ownTotal ? 0 : m_nTotal);
    m_progress->setValue(0);
    m_progress->setFormat(m_ownTotal ? QStringLiteral("%p%") : QStringLiteral("%v / %m"));
    m_progress->setMinimumWidth(360);
    layout->addWidget(m_progress);
    if (look.CanCancel) {
        m_cancel = new QPushButton(tr("取消"));
        m_cancel->setObjectName(QStringLiteral("progressCancelButton"));
        layout->addWidget(m_cancel, 0, Qt::AlignRight);
        connect(m_cancel, &QPushButton::clicked, this, &CProgressDlg::Cancel);
    }
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CProgressDlg::OnTimer);
    timer->start(200);
}

void CProgressDlg::OnTimer()
{
    if (m_ownTotal) {
        // Totals such as a file's bytes may pass an int: the bar counts in thousandths.
        const qint64 total = m_control.Total();
        m_progress->setRange(0, total > 0 ? 1000 : 0);
        m_progress->setValue(total > 0 ? int(std::min(m_control.Done(), total) * 1000 / total) : 0);
    } else {
        m_nDone = int(std::min<qint64>(m_control.Done(), m_nTotal));
        m_progress->setValue(m_nDone);
    }
    // A batch or export that stops early never reaches the count: it ends the dialog as well.
    // A box of a job's own total is ended by its runner, after the job's thread.
    if (!m_ownTotal && (m_nDone >= m_nTotal || m_control.Finished()))
        accept();
}

void CProgressDlg::Cancel()
{
    if (!m_cancel)
        return;
    m_control.Cancel();
    // The box stays until the job has wound down; a second press has nothing more to ask.
    m_cancel->setEnabled(false);
}

void CProgressDlg::reject()
{
    Cancel();
}

void CProgressDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter never disturbs the running job; Esc stops only a job that can stop.
    if (event->key() == Qt::Key_Escape)
        Cancel();
    event->accept();
}
