#pragma once
// CProgressDlg: the window's one progress box for every long job. It polls the job's control five
// times a second and moves its bar; a batch's box closes when the count is reached or the run
// has ended, any other job's when its runner (RunJob) has seen its thread end. For a
// batch it is the captionless bar alone; other jobs (sending font.dat, copying or clearing glyph
// files) add a line saying what runs and, where the job can stop, a Cancel button (and Esc).

#include "base/job.h"

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

// How the box looks for a job.
struct ProgressLook
{
    QString Label;          // what runs; empty: the bar alone, without a caption
    QString Name;           // the box's objectName; empty: "progressDialog"
    bool CanCancel = false; // a Cancel button, and Esc, stop the job
};

class CProgressDlg : public QDialog
{
    Q_OBJECT
public:
    // total: the count the job reaches (the batch's characters); below 0, the job's own total,
    // read as it goes (a bar that only shows it is busy while that is 0).
    CProgressDlg(JobControl &control, int total, QWidget *parent = nullptr, const ProgressLook &look = {});

    int Total() const { return m_nTotal; }
    int Done() const { return m_nDone; }
    // One tick of the timer: reads the counter, moves the bar, closes when the job is over.
    void OnTimer();
    QPushButton *CancelButton() const { return m_cancel; }

    void reject() override; // Esc stops a job that can stop, and nothing else
protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Cancel();

    JobControl &m_control;
    QProgressBar *m_progress;
    QLabel *m_label = nullptr;
    QPushButton *m_cancel = nullptr;
    int m_nTotal;
    int m_nDone = 0;
    bool m_ownTotal;
};
