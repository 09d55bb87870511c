#pragma once
// The window for batch commands and font exports: modal dialogs answered by the test, a batch or
// export run to its end, and a second scratch folder for files saved elsewhere.

#include "app/cmainframe.h"
#include "app/cprogressdlg.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

class BatchTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        frame->show();
    }

    // Answers every modal dialog that opens with answer, until the batch has ended. A dialog the
    // answer leaves open fails the test and is rejected, so no test waits for a click forever.
    void AnswerDialogs(std::function<void(QWidget *)> answer)
    {
        auto *timer = new QTimer(frame.get());
        QObject::connect(timer, &QTimer::timeout, [answer] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || qobject_cast<CProgressDlg *>(modal))
                return;
            answer(modal);
            if (QApplication::activeModalWidget() == modal) {
                ADD_FAILURE() << "unanswered dialog: " << modal->metaObject()->className() << " "
                              << modal->windowTitle().toStdString();
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        timer->start(20);
    }

    // Runs a batch command and waits for its end.
    BatchResult RunCommand(int id)
    {
        QSignalSpy finished(frame.get(), &CMainFrame::BatchFinished);
        frame->Action(id)->trigger();
        if (finished.isEmpty())
            finished.wait(30000);
        EXPECT_EQ(finished.size(), 1);
        return finished.isEmpty() ? BatchResult() : finished.first().first().value<BatchResult>();
    }

    // Runs the font export command and waits for its end.
    FontExportResult RunExport()
    {
        QSignalSpy finished(frame.get(), &CMainFrame::ExportFinished);
        frame->Action(CmdExportFont)->trigger();
        if (finished.isEmpty())
            finished.wait(30000);
        EXPECT_EQ(finished.size(), 1);
        return finished.isEmpty() ? FontExportResult() : finished.first().first().value<FontExportResult>();
    }

    // Files an earlier run left, recorded as the program's own: g0.c, g1.c, ... with each suffix.
    void LeaveEarlierFiles(int count, const QStringList &suffixes)
    {
        QStringList names;
        for (int i = 0; i < count; ++i)
            for (const QString &suffix : suffixes) {
                names << QStringLiteral("g%1%2").arg(i).arg(suffix);
                ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath(names.last()), "earlier"));
            }
        frame->Output().RecordWritten(names);
    }

    // How often a 1 ms timer fired while the command ran: none when it held the event loop. A
    // tick at which no dialog held the window, which other commands could then reach, fails.
    int TicksDuring(int commandId)
    {
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            if (!QApplication::activeModalWidget())
                ADD_FAILURE() << "the window took commands while the work ran";
        });
        ticker.start(1);
        frame->Action(commandId)->trigger();
        return ticks;
    }

    QTemporaryDir saveDir;
};
