#pragma once
// CProgressDlg: the captionless bar that shows how far a batch run has got. It polls the run's
// counter five times a second and closes when every character is done or the run has ended.

#include "encode/batchrun.h"

#include <QDialog>

class QProgressBar;

class CProgressDlg : public QDialog
{
    Q_OBJECT
public:
    CProgressDlg(const BatchControl &control, int total, QWidget *parent = nullptr);

    int Total() const { return m_nTotal; }
    int Done() const { return m_nDone; }
    // One tick of the timer: reads the counter, moves the bar, closes when the run is over.
    void OnTimer();

    void reject() override; // Esc does not end a running batch
protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    const BatchControl &m_control;
    QProgressBar *m_progress;
    int m_nTotal;
    int m_nDone = 0;
};
