#include "batchrun.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "glyphtext.h"
#include "raster/glyphbitmap.h"
#include "raster/glyphrender.h"
#include "raster/replacefile.h"
#include "raster/uniquename.h"
#include "singleglyph.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <condition_variable>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Glyphs a worker may finish ahead of the one being appended to All.c: bounds the memory a run
// holds however long the list is.
constexpr int WorkAhead = 256;

const QString DataScratchName = QStringLiteral(".dotrix-fontdata.tmp");

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// Writes a glyph file. An earlier file of that name (one of the program's own, from an earlier
// run) is overwritten in place and then cut to length, never truncated to nothing first: file
// systems flush a file emptied and rewritten at once when it is closed, which would make a run
// over thousands of glyphs wait for the disk.
// A file this call did not create (a user's own, or an earlier run's that the clean-up of a stopped
// run handles) is never deleted when the write fails.
bool WriteWholeFile(const QString &path, const char *data, qint64 size, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    bool created = true;
    int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    const int writeErrno = errno;
    struct stat info;
    const bool cut = done == size && ::fstat(fd, &info) == 0
                     && (info.st_size <= size || ::ftruncate(fd, size) == 0);
    if (::close(fd) != 0 || done != size || !cut) {
        *error = QStringLiteral("cannot write %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(done != size ? writeErrno : errno)));
        if (created)
            ::unlink(name.constData());
        return false;
    }
    return true;
}

// One glyph's work, done on any core.
struct GlyphSlot
{
    bool Ready = false;
    bool Ok = true;
    QString Error;
    QByteArray Bitmap; // the glyph's bitmap file
    std::string Text;  // the glyph's source text, as appended to All.c; empty when refused
    std::string Data;  // its data bytes, for font.dat
};

struct Plan
{
    std::vector<std::string> Characters;
    std::vector<std::string> Names;
};

class GlyphPipeline
{
public:
    GlyphPipeline(const Plan &plan, const GlyphSettings &settings, bool wantData)
        : m_plan(plan), m_settings(settings), m_wantData(wantData),
          m_slots(plan.Characters.size())
    {
    }

    void Start()
    {
        // The run's own thread creates the files, which is most of the work; the other cores draw.
        const int workers = std::clamp(QThread::idealThreadCount() - 1, 1, 4);
        for (int w = 0; w < workers; ++w)
            m_threads.emplace_back([this] { Work(); });
    }

    // Waits for glyph i; false when the run was stopped before it was done.
    bool Take(size_t i, GlyphSlot &slot)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_slots[i].Ready || m_stop; });
        if (!m_slots[i].Ready)
            return false;
        slot = std::move(m_slots[i]);
        m_slots[i] = GlyphSlot();
        m_taken = i + 1;
        m_changed.notify_all();
        return true;
    }

    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        for (std::thread &thread : m_threads)
            thread.join();
        m_threads.clear();
    }

    ~GlyphPipeline() { Stop(); }

private:
    void Work()
    {
        DotMatrix matrix;
        GlyphSettings settings = m_settings;
        for (;;) {
            const size_t i = m_next.fetch_add(1);
            if (i >= m_slots.size())
                return;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return i < m_taken + WorkAhead || m_stop; });
                if (m_stop)
                    return;
            }
            GlyphSlot slot = MakeGlyph(i, matrix, settings);
            {
                std::lock_guard lock(m_mutex);
                slot.Ready = true;
                m_slots[i] = std::move(slot);
            }
            m_changed.notify_all();
        }
    }

    // Draws, reads back and writes out one glyph in memory; the files are created in list order
    // by the run itself, since creating files in one directory from several threads at once
    // only makes them wait for each other.
    GlyphSlot MakeGlyph(size_t i, DotMatrix &matrix, GlyphSettings &settings)
    {
        GlyphSlot slot;
        const std::string &character = m_plan.Characters[i];
        const std::string &name = m_plan.Names[i];
        const QImage image = DrawGlyphImage(character, settings.OffsetX, settings.OffsetY, settings.Width,
                                            settings.Height, settings.GlyphFont);
        slot.Bitmap = EncodeBitmapFile(image, settings.Width, settings.Height);
        const int width = settings.Width, height = settings.Height;
        // The glyph is read back from exactly the bytes its bitmap file holds.
        if (!LoadMatrixFromBitmapBytes(slot.Bitmap, InkTest::BlueByte, matrix, settings, &slot.Error)) {
            slot.Ok = false;
            return slot;
        }
        const GlyphText text = ComposeGlyphText(name, character, settings.Width, settings.Height,
                                                settings.GroupDigits, settings, matrix, true);
        settings.Width = width; // every glyph of the run is drawn at the run's size
        settings.Height = height;
        if (text.Refused)
            return slot; // a group too long for the glyph: no text, no data, the run goes on
        slot.Text = GlyphFileBytes(text, false);
        if (m_wantData)
            slot.Data = GlyphDataBytes(text);
        return slot;
    }

    const Plan &m_plan;
    const GlyphSettings &m_settings;
    const bool m_wantData;
    std::vector<GlyphSlot> m_slots;
    std::vector<std::thread> m_threads;
    std::atomic<size_t> m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_taken = 0;
    bool m_stop = false;
};

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
Plan MakePlan(const std::string &list, const GlyphSettings &settings, const OutputDirectory &output,
              const std::set<QString> &earlierFiles)
{
    Plan plan;
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
    const QString path = output.FilePath(DataFileName);
    const QString partial = path + QStringLiteral(".part");
    QFile data(partial);
    if (!data.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.Error = QStringLiteral("cannot create %1: %2").arg(path, data.errorString());
        return false;
    }
    scratch.seek(0);
    uint16_t index = firstIndex.value_or(0);
    bool indexed = false;
    QByteArray glyph;
    bool ok = true;
    for (uint32_t size : glyphSizes) {
        if (size == 0)
            continue;
        if (firstIndex) {
            const char bytes[2] = {char(index & 0xFF), char(index >> 8)};
            ok = ok && data.write(bytes, 2) == 2;
            ++index; // wraps from 0xFFFF to 0
            indexed = true;
        }
        glyph = scratch.read(size);
        ok = ok && glyph.size() == qsizetype(size) && data.write(glyph) == glyph.size();
        if (!ok)
            break;
    }
    ok = ok && data.flush();
    const qint64 written = data.size();
    const QString writeError = ok ? QString() : data.errorString();
    data.close();
    if (!ok) {
        result.Error = QStringLiteral("cannot write %1: %2").arg(path, writeError);
        QFile::remove(partial);
        return false;
    }
    if (!RenameOver(partial, path, &result.Error))
        return false;
    output.RecordWritten(DataFileName);
    result.DataBytes = written;
    result.DataPath = path;
    result.Indexed = indexed;
    return true;
}

} // namespace

std::string GlyphDataBytes(const GlyphText &text)
{
    std::string bytes;
    for (const GlyphTextItem &item : text.Items) {
        if (item.Role != GlyphTextRole::Data)
            continue;
        const std::string &line = item.Text;
        for (size_t at = line.find("0x"); at != std::string::npos; at = line.find("0x", at + 2)) {
            if (at + 3 >= line.size())
                break; // a byte needs both its digits
            bytes.push_back(char(HexDigitValue(line[at + 2]) * 16 + HexDigitValue(line[at + 3])));
        }
    }
    return bytes;
}

bool CopyFileReplacing(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1: %2").arg(from, source.errorString());
        return false;
    }
    const QString partial = to + QStringLiteral(".part");
    QFile target(partial);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("cannot create %1: %2").arg(to, target.errorString());
        return false;
    }
    bool ok = true;
    while (ok && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        ok = !chunk.isEmpty() && target.write(chunk) == chunk.size();
    }
    ok = ok && target.flush();
    const QString writeError = ok ? QString() : target.errorString();
    target.close();
    if (!ok) {
        *error = QStringLiteral("cannot write %1: %2").arg(to, writeError);
        QFile::remove(partial);
        return false;
    }
    return RenameOver(partial, to, error);
}

ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder,
                              const std::function<bool(int tried, int total)> &progress)
{
    ExportResult result;
    const QDir source(outputDir);
    const QDir target(folder);
    QStringList names;
    for (const QString &pattern : {QStringLiteral("*.bmp"), QStringLiteral("*.c")})
        names += source.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
    int tried = 0;
    for (const QString &name : names) {
        QString error;
        if (CopyFileReplacing(source.filePath(name), target.filePath(name), &error))
            ++result.Copied;
        else
            result.Failures.append(error);
        if (progress && !progress(++tried, int(names.size()))) {
            result.Stopped = tried < names.size();
            break;
        }
    }
    return result;
}

BatchResult BatchGenerate(const std::string &list, GlyphSettings &settings, DotMatrix &matrix,
                          OutputDirectory &output, int mode, BatchControl &control, const BatchHooks &hooks)
{
    BatchResult result;
    control.Progress = 0;
    control.Finished = false;
    struct FinishOnReturn
    {
        BatchControl &Control;
        ~FinishOnReturn() { Control.Finished = true; }
    } finish{control};

    const bool wantData = mode == BatchDat || mode == BatchBin;
    if (wantData) {
        settings.GroupDigits = 2;
        settings.OutputFormat = Typical;
    }
    // The earlier runs' glyph files go, as if deleted before the run begins; names are chosen as
    // if they were gone. Files the run writes again under the same name are rewritten in place
    // rather than deleted first: a file system hands out a new file far slower right after
    // thousands were deleted.
    std::set<QString> earlier;
    std::set<QString> earlierOwned;
    for (const QString &name : output.WrittenFiles()) {
        if (name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            earlier.insert(name);
        earlierOwned.insert(name);
    }
    const Plan plan = MakePlan(list, settings, output, earlier);
    std::set<QString> rewritten{AllFileName};
    for (const std::string &name : plan.Names) {
        const QString base = Cp936ToQString(name);
        rewritten.insert(base + QStringLiteral(".bmp"));
        rewritten.insert(base + QStringLiteral(".c"));
    }
    output.DeleteWritten({QStringLiteral(".bmp"), QStringLiteral(".c")}, nullptr, &rewritten);

    WrittenNames written(output);
    result.AllPath = output.FilePath(AllFileName);
    QFile all(result.AllPath);
    QFile scratch(output.FilePath(DataScratchName));
    struct RemoveScratch
    {
        QFile &File;
        ~RemoveScratch()
        {
            if (File.isOpen())
                File.remove();
        }
    } removeScratch{scratch};
    std::vector<uint32_t> glyphSizes;
    glyphSizes.reserve(plan.Characters.size());

    // Creates All.c and writes the glyphs in list order, up to the first that fails.
    const auto writeGlyphs = [&] {
        const std::string notice = std::string(RightsNotice) + "\r\n";
        if (!all.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            result.State = BatchResult::Failed;
            result.Error = QStringLiteral("cannot create %1: %2").arg(result.AllPath, all.errorString());
            result.FailedFile = AllFileName;
            return;
        }
        written.Add(AllFileName);
        if (all.write(notice.data(), qint64(notice.size())) != qint64(notice.size())) {
            result.State = BatchResult::Failed;
            result.Error = QStringLiteral("cannot write %1: %2").arg(result.AllPath, all.errorString());
            result.FailedFile = AllFileName;
            return;
        }
        if (wantData && !scratch.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
            result.State = BatchResult::Failed;
            result.Error = QStringLiteral("cannot create %1: %2").arg(scratch.fileName(), scratch.errorString());
            result.FailedFile = DataFileName;
            return;
        }
        GlyphPipeline pipeline(plan, settings, wantData);
        pipeline.Start();
        GlyphSlot slot;
        for (size_t i = 0; i < plan.Characters.size(); ++i) {
            if (control.Cancel) {
                result.State = BatchResult::Cancelled;
                return;
            }
            if (!pipeline.Take(i, slot))
                return;
            const QString baseName = Cp936ToQString(plan.Names[i]);
            const auto writeFile = [&](const QString &name, const char *data, qint64 size) {
                if (!WriteWholeFile(output.FilePath(name), data, size, &slot.Error))
                    return false;
                written.Add(name);
                return true;
            };
            if (!slot.Ok
                || !writeFile(baseName + QStringLiteral(".bmp"), slot.Bitmap.constData(), slot.Bitmap.size())
                || (!slot.Text.empty()
                    && !writeFile(baseName + QStringLiteral(".c"), slot.Text.data(), qint64(slot.Text.size())))) {
                result.State = BatchResult::Failed;
                result.Error = slot.Error;
                return;
            }
            result.FilesWritten += slot.Text.empty() ? 1 : 2;
            if (all.write(slot.Text.data(), qint64(slot.Text.size())) != qint64(slot.Text.size())
                || (wantData
                    && scratch.write(slot.Data.data(), qint64(slot.Data.size())) != qint64(slot.Data.size()))) {
                const QString reason = QString::fromLocal8Bit(std::strerror(errno));
                result.State = BatchResult::Failed;
                result.Error = QStringLiteral("cannot write %1: %2")
                                   .arg(all.error() != QFile::NoError ? result.AllPath : scratch.fileName(), reason);
                return;
            }
            glyphSizes.push_back(uint32_t(slot.Data.size()));
            result.Glyphs = int(i + 1);
            control.Progress = result.Glyphs;
        }
    };
    writeGlyphs();

    // Whatever stopped a run, even before its first glyph, it leaves no glyph files of an earlier
    // run behind under the names it did not reach.
    written.Flush();
    if (result.State != BatchResult::Done) {
        QStringList unreached;
        for (size_t i = size_t(result.Glyphs); i < plan.Names.size(); ++i) {
            const QString base = Cp936ToQString(plan.Names[i]);
            for (const QString &name : {base + QStringLiteral(".bmp"), base + QStringLiteral(".c")}) {
                if (earlierOwned.count(name)) {
                    QFile::remove(output.FilePath(name));
                    unreached.append(name);
                }
            }
        }
        output.Forget(unreached);
    }
    if (all.isOpen()) {
        if (!all.flush() && result.State == BatchResult::Done) {
            result.State = BatchResult::Failed;
            result.Error = QStringLiteral("cannot write %1: %2").arg(result.AllPath, all.errorString());
            result.FailedFile = AllFileName;
        }
        result.AllBytes = all.size();
        all.close();
        ++result.FilesWritten;
    }

    // The caller's matrix and size end as the last glyph left them.
    if (result.Glyphs > 0) {
        const QString last = Cp936ToQString(plan.Names[size_t(result.Glyphs - 1)]) + QStringLiteral(".bmp");
        LoadMatrixFromBitmap(output.FilePath(last), InkTest::BlueByte, matrix, settings);
    }
    if (result.State != BatchResult::Done || !wantData)
        return result;

    uint16_t start = 0;
    std::optional<uint16_t> firstIndex;
    if (hooks.AskIndex && hooks.AskIndex(start))
        firstIndex = start;
    if (control.Cancel) {
        result.State = BatchResult::Cancelled;
        return result;
    }
    if (!BuildDataFile(output, scratch, glyphSizes, firstIndex, result)) {
        result.State = BatchResult::Failed;
        result.FailedFile = DataFileName;
        return result;
    }
    ++result.FilesWritten;
    return result;
}
