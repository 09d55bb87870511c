#include "batchrun.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "glyphtext.h"
#include "raster/glyphbitmap.h"
#include "raster/glyphpipeline.h"
#include "raster/glyphrender.h"
#include "raster/replacefile.h"
#include "raster/uniquename.h"
#include "singleglyph.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <memory>
#include <set>
#include <optional>
#include <vector>

namespace {

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
bool WriteWholeFile(const QString &path, const char *data, qint64 size, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
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
        ::unlink(name.constData());
        return false;
    }
    return true;
}

// One glyph's work, done on any core.
struct GlyphSlot
{
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

// Draws, reads back and writes out one glyph in memory; the files are created in list order by
// the run itself, since creating files in one directory from several threads at once only makes
// them wait for each other.
GlyphSlot MakeGlyph(const Plan &plan, size_t i, bool wantData, DotMatrix &matrix, GlyphSettings &settings)
{
    GlyphSlot slot;
    const std::string &character = plan.Characters[i];
    const std::string &name = plan.Names[i];
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
    if (wantData)
        slot.Data = GlyphDataBytes(text);
    return slot;
}

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
    QByteArray glyph;
    bool ok = true;
    for (uint32_t size : glyphSizes) {
        if (size == 0)
            continue;
        if (firstIndex) {
            const char bytes[2] = {char(index & 0xFF), char(index >> 8)};
            ok = ok && data.write(bytes, 2) == 2;
            ++index; // wraps from 0xFFFF to 0
        }
        glyph = scratch.read(size);
        ok = ok && glyph.size() == qsizetype(size) && data.write(glyph) == glyph.size();
        if (!ok)
            break;
    }
    ok = ok && data.flush();
    const qint64 written = data.size();
    data.close();
    if (!ok || std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        result.Error = QStringLiteral("cannot write %1: %2").arg(path, data.errorString());
        QFile::remove(partial);
        return false;
    }
    result.DataBytes = written;
    result.DataPath = path;
    result.Indexed = firstIndex.has_value();
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
    target.close();
    if (!ok || std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(to, target.errorString());
        QFile::remove(partial);
        return false;
    }
    return true;
}

BatchResult BatchGenerate(const std::string &list, GlyphSettings &settings, DotMatrix &matrix,
                          OutputDirectory &output, int mode, BatchControl &control, const BatchHooks &hooks)
{
    BatchResult result;
    const BatchControlScope scope(control);

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
    // The list of the program's own files learns of the files shortly before they are written,
    // a block at a time, so that a run cut short claims few it never wrote.
    constexpr size_t RecordAhead = 512;
    size_t recordedUpTo = 0;
    auto recordAhead = [&](size_t from) {
        QStringList names;
        for (size_t i = from; i < plan.Names.size() && i < from + RecordAhead; ++i) {
            const QString base = Cp936ToQString(plan.Names[i]);
            names << base + QStringLiteral(".bmp") << base + QStringLiteral(".c");
        }
        output.RecordWritten(names);
        recordedUpTo = std::min(plan.Names.size(), from + RecordAhead);
    };
    output.RecordWritten(wantData ? QStringList{AllFileName, DataFileName} : QStringList{AllFileName});

    result.AllPath = output.FilePath(AllFileName);
    QFile all(result.AllPath);
    const std::string notice = std::string(RightsNotice) + "\r\n";
    if (!all.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || all.write(notice.data(), qint64(notice.size())) != qint64(notice.size())) {
        result.State = BatchResult::Failed;
        result.Error = QStringLiteral("cannot create %1: %2").arg(result.AllPath, all.errorString());
        return result;
    }
    QFile scratch(output.FilePath(DataScratchName));
    if (wantData && !scratch.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        result.State = BatchResult::Failed;
        result.Error = QStringLiteral("cannot create %1: %2").arg(scratch.fileName(), scratch.errorString());
        return result;
    }
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
    const GlyphSettings &runSettings = settings;
    GlyphPipeline<GlyphSlot> pipeline(plan.Characters.size(), [&plan, &runSettings, wantData] {
        // Each worker draws with a matrix and settings of its own.
        auto matrix = std::make_shared<DotMatrix>();
        auto settings = std::make_shared<GlyphSettings>(runSettings);
        return [&plan, wantData, matrix, settings](size_t i) {
            return MakeGlyph(plan, i, wantData, *matrix, *settings);
        };
    });
    // The run's own thread creates the files, which is most of the work; the other cores draw.
    pipeline.Start(GlyphPipeline<GlyphSlot>::WorkerCount(1, 4));
    GlyphSlot slot;
    for (size_t i = 0; i < plan.Characters.size(); ++i) {
        if (control.Cancel) {
            result.State = BatchResult::Cancelled;
            break;
        }
        if (!pipeline.Take(i, slot))
            break;
        if (i >= recordedUpTo)
            recordAhead(i);
        const QString baseName = Cp936ToQString(plan.Names[i]);
        if (!slot.Ok
            || !WriteWholeFile(output.FilePath(baseName + QStringLiteral(".bmp")), slot.Bitmap.constData(),
                               slot.Bitmap.size(), &slot.Error)
            || (!slot.Text.empty()
                && !WriteWholeFile(output.FilePath(baseName + QStringLiteral(".c")), slot.Text.data(),
                                   qint64(slot.Text.size()), &slot.Error))) {
            result.State = BatchResult::Failed;
            result.Error = slot.Error;
            break;
        }
        result.FilesWritten += slot.Text.empty() ? 1 : 2;
        if (all.write(slot.Text.data(), qint64(slot.Text.size())) != qint64(slot.Text.size())
            || (wantData && scratch.write(slot.Data.data(), qint64(slot.Data.size())) != qint64(slot.Data.size()))) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            result.State = BatchResult::Failed;
            result.Error = QStringLiteral("cannot write %1: %2")
                               .arg(all.error() != QFile::NoError ? result.AllPath : scratch.fileName(), reason);
            break;
        }
        glyphSizes.push_back(uint32_t(slot.Data.size()));
        result.Glyphs = int(i + 1);
        control.Progress = result.Glyphs;
    }
    pipeline.Stop();
    // A run that stopped early leaves no glyph files of an earlier run behind under the names it
    // did not reach, and claims none it did not write.
    if (result.State != BatchResult::Done) {
        QStringList unreached;
        for (size_t i = size_t(result.Glyphs); i < plan.Names.size(); ++i) {
            const QString base = Cp936ToQString(plan.Names[i]);
            for (const QString &name : {base + QStringLiteral(".bmp"), base + QStringLiteral(".c")}) {
                if (earlierOwned.count(name)) {
                    QFile::remove(output.FilePath(name));
                    unreached.append(name);
                } else if (i > size_t(result.Glyphs) || !QFileInfo::exists(output.FilePath(name)))
                    unreached.append(name);
            }
        }
        output.Forget(unreached);
    }
    if (!all.flush() && result.State == BatchResult::Done) {
        result.State = BatchResult::Failed;
        result.Error = QStringLiteral("cannot write %1: %2").arg(result.AllPath, all.errorString());
    }
    result.AllBytes = all.size();
    all.close();
    ++result.FilesWritten;

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
        return result;
    }
    ++result.FilesWritten;
    return result;
}
