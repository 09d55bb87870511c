#pragma once
// BatchRunner: runs one long job at a time on a worker thread — a batch, or a font export — over
// copies of the window's settings and matrix so the window keeps painting its own, and hands the
// result back on the window's thread.

#include "encode/batchrun.h"
#include "export/fontexport.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QThread;

class BatchRunner : public QObject
{
    Q_OBJECT
public:
    explicit BatchRunner(OutputDirectory &output, QObject *parent = nullptr);
    // A run still going is stopped and waited for: it writes into the output directory.
    ~BatchRunner() override;

    // Starts a batch over list (code page 936) with copies of settings and matrix. askIndex is
    // called on this object's thread when the run asks for the index (never once it is stopped).
    // False when a run is going already.
    bool Start(const std::string &list, DataFile data, const GlyphSettings &settings, const DotMatrix &matrix,
               std::function<bool(uint16_t &start)> askIndex);
    // Starts a font export of characters drawn with a copy of settings. False when a run is going
    // already.
    bool StartExport(std::vector<CodePointChar> characters, const GlyphSettings &settings,
                     const FontExportRequest &request);
    // True from Start until Finished (or ExportFinished) has been emitted.
    bool Running() const { return m_thread != nullptr; }
    // Stops the run at its next character.
    void Cancel();
    // The running job's counter and stop switch, for the progress dialog (valid while Running).
    JobControl &Control() const { return *m_control; }

signals:
    // The batch has ended: its result, the last glyph it drew and the glyph's size.
    void Finished(const BatchResult &result, const DotMatrix &lastGlyph, int width, int height);
    // The font export has ended.
    void ExportFinished(const FontExportResult &result);

private:
    // Runs work on a new worker thread with a new control; report runs on this object's thread
    // once the worker has ended.
    void Launch(std::function<void()> work, std::function<void()> report);
    void OnThreadFinished();

    OutputDirectory &m_output;
    QThread *m_thread = nullptr;
    std::unique_ptr<JobControl> m_control;
    std::function<void()> m_report;
    std::unique_ptr<GlyphSettings> m_settings;
    std::unique_ptr<DotMatrix> m_matrix;
    BatchResult m_result;
    FontExportResult m_exportResult;
    bool m_closing = false;
};
