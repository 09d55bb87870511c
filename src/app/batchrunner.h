#pragma once
// BatchRunner: runs one batch at a time on a worker thread, over copies of the window's settings
// and matrix so the window keeps painting its own, and hands the result back on the window's
// thread.

#include "encode/batchrun.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QThread;

class BatchRunner : public QObject
{
    Q_OBJECT
public:
    explicit BatchRunner(OutputDirectory &output, QObject *parent = nullptr);
    // A run still going is stopped and waited for: it writes into the output directory.
    ~BatchRunner() override;

    // Starts a run over list (code page 936) with copies of settings and matrix. askIndex is
    // called on this object's thread when the run asks for the index (never once it is stopped).
    // False when a run is going already.
    bool Start(const std::string &list, int mode, const GlyphSettings &settings, const DotMatrix &matrix,
               std::function<bool(uint16_t &start)> askIndex);
    // True from Start until Finished has been emitted.
    bool Running() const { return m_thread != nullptr; }
    // Stops the run at its next character.
    void Cancel();
    // The running batch's counter and stop switch, for the progress dialog (valid while Running).
    const BatchControl &Control() const { return *m_control; }

signals:
    // The run has ended: its result, the last glyph it drew and the glyph's size.
    void Finished(const BatchResult &result, const DotMatrix &lastGlyph, int width, int height);

private:
    void OnThreadFinished();

    OutputDirectory &m_output;
    QThread *m_thread = nullptr;
    std::unique_ptr<BatchControl> m_control;
    std::unique_ptr<GlyphSettings> m_settings;
    std::unique_ptr<DotMatrix> m_matrix;
    BatchResult m_result;
    bool m_closing = false;
};
