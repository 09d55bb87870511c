#include "batchrun.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "glyphtext.h"
#include "output/atomicfile.h"
#include "output/rewriteinplace.h"
#include "output/uniquename.h"
#include "raster/glyphbitmap.h"
#include "raster/glyphpipeline.h"
#include "raster/glyphrender.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace {

const QString DataScratchName = QStringLiteral(".dotrix-fontdata.tmp");

// The characters of a run (code page 936) and the unique name of each.
struct GlyphPlan
{
    std::vector<std::string> Characters;
    std::vector<std::string> Names;
};

// One glyph's work, done on any core.
struct GlyphSlot
{
    bool Ok = true;
    Failure Error;
    QByteArray Bitmap; // the glyph's bitmap file
    std::string Text;  // the glyph's source text, as appended to All.c; empty when refused
    std::string Data;  // its data bytes, for font.dat
    GlyphInk Ink;      // where its ink lies against the cell
};

// Draws, reads back and lays out one glyph in memory; the files are created in list order by the
// run itself, since creating files in one directory from several threads at once only makes them
// wait for each other.
GlyphSlot MakeGlyph(const GlyphPlan &plan, size_t i, bool wantData, const GlyphSettings &settings,
                    DotMatrix &matrix, GlyphDrawer &drawer)
{
    GlyphSlot slot;
    const std::string &character = plan.Characters[i];
    const QImage image =
        drawer.Draw(character, settings.OffsetX, settings.OffsetY, settings.Width, settings.Height, &slot.Ink);
    slot.Bitmap = EncodeBitmapFile(image, settings.Width, settings.Height);
    // The glyph is read back from exactly the bytes its bitmap file holds, which have the run's
    // size.
    GlyphSize size;
    if (!LoadMatrixFromBitmapBytes(slot.Bitmap, InkTest::BlueByte, matrix, size, &slot.Error)) {
        slot.Ok = false;
        return slot;
    }
    const GlyphText text = ComposeGlyphText(plan.Names[i], character, settings, matrix, true);
    if (text.Refused)
        return slot; // a group too long for the glyph: no text, no data, the run goes on
    slot.Text = GlyphFileBytes(text, false);
    if (wantData)
        slot.Data = GlyphDataBytes(text);
    return slot;
}

// The files a run has written, put on the list of the program's own files a block at a time (one
// append each), and only once the run has written them: a run that stops never claims a file
// it did not write, so a user's file of the same name is never deleted later.
class WrittenNames
{
public:
    explicit WrittenNames(OutputDirectory &output) : m_output(output) {}
    ~WrittenNames() { Flush(); }

    void Add(const QString &name)
    {
        m_names.append(name);
        if (m_names.size() >= 512)
            Flush();
    }
    void Flush()
    {
        if (m_names.isEmpty())
            return;
        m_output.RecordWritten(m_names);
        m_names.clear();
    }

private:
    OutputDirectory &m_output;
    QStringList m_names;
};

// Names every glyph first, exactly as naming one glyph after another, each bitmap written
// before the next name is chosen, would.
GlyphPlan MakePlan(const std::string &list, const GlyphSettings &settings, const OutputDirectory &output,
              const std::set<QString> &earlierFiles)
{
    GlyphPlan plan;
    plan.Characters = SplitChars(list);
    plan.Names.reserve(plan.Characters.size());
    UniqueNameCache cache;
    cache.Vanishing = earlierFiles;
    for (const std::string &character : plan.Characters)
        plan.Names.push_back(MakeUniqueName(GetPinyin(character, settings.NumberedNames), 0, output.Path(), &cache,
                                            true));
    return plan;
}

// font.dat from the run's data bytes: glyph after glyph, each after its index when there is one.
bool BuildDataFile(OutputDirectory &output, QFile &scratch, const std::vector<uint32_t> &glyphSizes,
                   std::optional<uint16_t> firstIndex, BatchResult &result)
{
    AtomicFile data(output.FilePath(DataFileName));
    bool ok = data.Open();
    scratch.seek(0);
    uint16_t index = firstIndex.value_or(0);
    bool indexed = false;
    for (uint32_t size : glyphSizes) {
        if (!ok)
            break;
        if (size == 0)
            continue;
        if (firstIndex) {
            const char bytes[2] = {char(index & 0xFF), char(index >> 8)};
            ok = data.Write(bytes, 2);
            ++index; // wraps from 0xFFFF to 0
            indexed = true;
        }
        const QByteArray glyph = scratch.read(size);
        if (glyph.size() != qsizetype(size)) {
            result.Error = {FailureCode::Read, scratch.fileName(), scratch.errorString(), {}};
            return false;
        }
        ok = ok && data.Write(glyph);
    }
    if (!ok || !data.Commit()) {
        result.Error = data.Error();
        return false;
    }
    output.RecordWritten(DataFileName);
    result.DataBytes = data.Size();
    result.DataPath = data.Path();
    result.Indexed = indexed;
    return true;
}

QStringList GlyphFileNames(const std::string &name)
{
    const QString base = Cp936ToQString(name);
    return {base + QStringLiteral(".bmp"), base + QStringLiteral(".c")};
}

// One batch run, step by step; the steps record their failure in the result.
class BatchJob
{
public:
    BatchJob(GlyphSettings &settings, DotMatrix &matrix, OutputDirectory &output, DataFile data, JobControl &control)
        : m_settings(settings), m_matrix(matrix), m_output(output), m_control(control),
          m_wantData(data != DataFile::None), m_written(output),
          m_all(output.FilePath(AllFileName)), m_scratch(output.FilePath(DataScratchName))
    {
        m_result.AllPath = m_all.fileName();
        if (m_wantData) { // font.dat holds 8-bit groups in the typical layout
            m_settings.GroupDigits = 2;
            m_settings.OutputFormat = SourceFormat::Typical;
        }
    }
    ~BatchJob()
    {
        if (m_scratch.isOpen())
            m_scratch.remove();
    }

    BatchResult Run(const std::string &list, const BatchHooks &hooks)
    {
        ClearEarlierOutput(list);
        if (m_settings.FitOffsetY)
            m_result.InkFits = FitOffsetY(m_plan.Characters, m_settings);
        m_result.OffsetY = m_settings.OffsetY;
        if (OpenFiles())
            WriteGlyphs();
        m_written.Flush();
        if (m_result.State != BatchResult::Done)
            ForgetUnreached();
        CloseAll();
        RestoreLastGlyph();
        if (m_result.State == BatchResult::Done && m_wantData)
            WriteDataFile(hooks);
        return m_result;
    }

private:
    bool Fail(const Failure &error, const QString &file = QString())
    {
        m_result.State = BatchResult::Failed;
        m_result.Error = error;
        m_result.FailedFile = file;
        return false;
    }

    // The earlier runs' glyph files go, as if deleted before the run begins; names are chosen as
    // if they were gone. Files the run writes again under the same name are rewritten in place
    // rather than deleted first: a file system hands out a new file far slower right after
    // thousands were deleted.
    void ClearEarlierOutput(const std::string &list)
    {
        std::set<QString> earlierBitmaps;
        for (const QString &name : m_output.WrittenFiles()) {
            if (name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
                earlierBitmaps.insert(name);
            m_earlierOwned.insert(name);
        }
        m_plan = MakePlan(list, m_settings, m_output, earlierBitmaps);
        std::set<QString> rewritten{AllFileName};
        for (const std::string &name : m_plan.Names)
            for (const QString &file : GlyphFileNames(name))
                rewritten.insert(file);
        m_output.DeleteWritten({QStringLiteral(".bmp"), QStringLiteral(".c")}, nullptr, &rewritten);
        m_glyphSizes.reserve(m_plan.Characters.size());
    }

    // All.c with its notice, and the scratch file font.dat is made from. All.c grows glyph by
    // glyph in place rather than through an AtomicFile: a run that stops keeps in it the glyphs
    // whose files it wrote, and a directory that cannot take All.c stops the run before any.
    bool OpenFiles()
    {
        if (!m_all.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return Fail({FailureCode::Create, m_result.AllPath, m_all.errorString(), {}}, AllFileName);
        m_written.Add(AllFileName);
        const std::string notice = std::string(RightsNotice) + "\r\n";
        if (m_all.write(notice.data(), qint64(notice.size())) != qint64(notice.size()))
            return Fail(SystemFailure(FailureCode::Write, m_result.AllPath, errno), AllFileName);
        if (m_wantData && !m_scratch.open(QIODevice::ReadWrite | QIODevice::Truncate))
            return Fail({FailureCode::Create, m_scratch.fileName(), m_scratch.errorString(), {}}, DataFileName);
        return true;
    }

    // The glyphs in list order, up to the first that fails or a stop.
    void WriteGlyphs()
    {
        const GlyphPlan &plan = m_plan;
        const GlyphSettings &settings = m_settings;
        const bool wantData = m_wantData;
        GlyphPipeline<GlyphSlot> pipeline(plan.Characters.size(), [&plan, &settings, wantData] {
            // Each worker draws with a drawer and into a matrix of its own.
            auto matrix = std::make_shared<DotMatrix>();
            auto drawer = std::make_shared<GlyphDrawer>(settings.GlyphFont, false, settings.Patch.get());
            return [&plan, &settings, wantData, matrix, drawer](size_t i) {
                return MakeGlyph(plan, i, wantData, settings, *matrix, *drawer);
            };
        });
        // The run's own thread creates the files, which is most of the work; the other cores draw.
        pipeline.Start(GlyphPipeline<GlyphSlot>::WorkerCount(1, 4));
        GlyphSlot slot;
        for (size_t i = 0; i < m_plan.Characters.size(); ++i) {
            if (m_control.Cancelled()) {
                m_result.State = BatchResult::Cancelled;
                return;
            }
            if (!pipeline.Take(i, slot) || !WriteGlyph(m_plan.Names[i], slot))
                return;
            m_result.Ink.Add(m_plan.Characters[i], slot.Ink, m_settings.Width);
            m_result.Glyphs = int(i + 1);
            m_control.SetDone(m_result.Glyphs);
        }
    }

    // The glyph's bitmap and source files, and its text and bytes appended to All.c and the
    // scratch file.
    bool WriteGlyph(const std::string &name, GlyphSlot &slot)
    {
        const QStringList files = GlyphFileNames(name);
        if (!slot.Ok || !WriteFile(files[0], slot.Bitmap.constData(), slot.Bitmap.size(), slot.Error)
            || (!slot.Text.empty() && !WriteFile(files[1], slot.Text.data(), qint64(slot.Text.size()), slot.Error)))
            return Fail(slot.Error);
        m_result.FilesWritten += slot.Text.empty() ? 1 : 2;
        if (m_all.write(slot.Text.data(), qint64(slot.Text.size())) != qint64(slot.Text.size())
            || (m_wantData
                && m_scratch.write(slot.Data.data(), qint64(slot.Data.size())) != qint64(slot.Data.size()))) {
            return Fail(SystemFailure(FailureCode::Write,
                                      m_all.error() != QFile::NoError ? m_result.AllPath : m_scratch.fileName(), errno));
        }
        m_glyphSizes.push_back(uint32_t(slot.Data.size()));
        return true;
    }

    bool WriteFile(const QString &name, const char *data, qint64 size, Failure &error)
    {
        if (!RewriteInPlace(m_output.FilePath(name), data, size, &error))
            return false;
        m_written.Add(name);
        return true;
    }

    // Whatever stopped a run, even before its first glyph, it leaves no glyph files of an
    // earlier run behind under the names it did not reach.
    void ForgetUnreached()
    {
        QStringList unreached;
        for (size_t i = size_t(m_result.Glyphs); i < m_plan.Names.size(); ++i) {
            for (const QString &name : GlyphFileNames(m_plan.Names[i])) {
                if (m_earlierOwned.count(name)) {
                    QFile::remove(m_output.FilePath(name));
                    unreached.append(name);
                }
            }
        }
        m_output.Forget(unreached);
    }

    void CloseAll()
    {
        if (!m_all.isOpen())
            return;
        // The system's reason is read at once: Qt's text for a failed flush is often "Unknown error".
        if (!m_all.flush() && m_result.State == BatchResult::Done)
            Fail(SystemFailure(FailureCode::Write, m_result.AllPath, errno), AllFileName);
        m_result.AllBytes = m_all.size();
        m_all.close();
        ++m_result.FilesWritten;
    }

    // The caller's matrix and size end as the last glyph left them.
    void RestoreLastGlyph()
    {
        if (m_result.Glyphs == 0)
            return;
        const QString last = GlyphFileNames(m_plan.Names[size_t(m_result.Glyphs - 1)])[0];
        GlyphSize size;
        if (LoadMatrixFromBitmap(m_output.FilePath(last), InkTest::BlueByte, m_matrix, size))
            AdoptSize(m_settings, size);
    }

    // font.dat, after asking whether an index goes before every glyph.
    void WriteDataFile(const BatchHooks &hooks)
    {
        uint16_t start = 0;
        std::optional<uint16_t> firstIndex;
        if (hooks.AskIndex && hooks.AskIndex(start))
            firstIndex = start;
        if (m_control.Cancelled()) {
            m_result.State = BatchResult::Cancelled;
            return;
        }
        if (!BuildDataFile(m_output, m_scratch, m_glyphSizes, firstIndex, m_result)) {
            Fail(m_result.Error, DataFileName);
            return;
        }
        ++m_result.FilesWritten;
    }

    GlyphSettings &m_settings;
    DotMatrix &m_matrix;
    OutputDirectory &m_output;
    JobControl &m_control;
    const bool m_wantData;
    BatchResult m_result;
    GlyphPlan m_plan;
    std::set<QString> m_earlierOwned;
    WrittenNames m_written;
    QFile m_all;
    QFile m_scratch;
    std::vector<uint32_t> m_glyphSizes;
};

} // namespace

BatchResult BatchGenerate(const std::string &list, GlyphSettings &settings, DotMatrix &matrix,
                          OutputDirectory &output, DataFile data, JobControl &control, const BatchHooks &hooks)
{
    const JobScope scope(control, qint64(CountChars(list)));
    if (Failure mismatch = CheckPatch(settings)) {
        BatchResult refused;
        refused.State = BatchResult::Failed;
        refused.Error = mismatch;
        return refused;
    }
    return BatchJob(settings, matrix, output, data, control).Run(list, hooks);
}
