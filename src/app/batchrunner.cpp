#include "batchrunner.h"

#include <QCoreApplication>
#include <QThread>

BatchRunner::BatchRunner(OutputDirectory &output, QObject *parent) : QObject(parent), m_output(output)
{
}

BatchRunner::~BatchRunner()
{
    if (!m_thread)
        return;
    // The worker's questions to this thread are answered (with "stop") while it winds down; its
    // end is not reported any more.
    m_closing = true;
    m_control->Cancel();
    while (!m_thread->wait(20))
        QCoreApplication::processEvents();
    delete m_thread;
}

bool BatchRunner::Start(const std::string &list, DataFile data, const GlyphSettings &settings, const DotMatrix &matrix,
                        std::function<bool(uint16_t &start)> askIndex)
{
    if (m_thread)
        return false;
    m_settings = std::make_unique<GlyphSettings>(settings);
    m_matrix = std::make_unique<DotMatrix>(matrix);
    m_result = BatchResult();
    BatchHooks hooks;
    hooks.AskIndex = [this, ask = std::move(askIndex)](uint16_t &start) {
        // Dialogs live on this object's thread: the worker waits for the answer.
        bool indexed = false;
        QMetaObject::invokeMethod(
            this, [&] { indexed = !m_control->Cancelled() && ask && ask(start); }, Qt::BlockingQueuedConnection);
        return indexed;
    };
    Launch([this, list, data, hooks] {
        m_result = BatchGenerate(list, *m_settings, *m_matrix, m_output, data, *m_control, hooks);
    },
           [this] {
               const std::unique_ptr<DotMatrix> matrix = std::move(m_matrix);
               const std::unique_ptr<GlyphSettings> settings = std::move(m_settings);
               emit Finished(m_result, *matrix, settings->Width, settings->Height);
           });
    return true;
}

bool BatchRunner::StartExport(std::vector<CodePointChar> characters, const GlyphSettings &settings,
                              const FontExportRequest &request)
{
    if (m_thread)
        return false;
    m_exportResult = FontExportResult();
    Launch([this, characters = std::move(characters), settings, request] {
        m_exportResult = ExportFont(characters, settings, request, *m_control);
    },
           [this] { emit ExportFinished(m_exportResult); });
    return true;
}

void BatchRunner::Launch(std::function<void()> work, std::function<void()> report)
{
    m_control = std::make_unique<JobControl>();
    m_report = std::move(report);
    m_thread = QThread::create(std::move(work));
    m_thread->setObjectName(QStringLiteral("batchWorker"));
    connect(m_thread, &QThread::finished, this, &BatchRunner::OnThreadFinished, Qt::QueuedConnection);
    m_thread->start();
}

void BatchRunner::Cancel()
{
    if (m_control)
        m_control->Cancel();
}

void BatchRunner::OnThreadFinished()
{
    if (m_closing)
        return;
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    const std::function<void()> report = std::move(m_report);
    m_report = nullptr;
    report();
}
