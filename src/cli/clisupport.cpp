#include "clisupport.h"

#include "l10n/failuretext.h"

#include "charset/cp936.h"
#include "export/patchfile.h"
#include "l10n/language.h"
#include "output/atomicfile.h"

#include <QDir>

#include <iostream>
#include <memory>

int Fail(std::ostream &err, const std::string &message, int code)
{
    err << "dotrix-cli: " << message << '\n';
    return code;
}

int Fail(std::ostream &err, const QString &message, int code)
{
    return Fail(err, message.toStdString(), code);
}

int Fail(std::ostream &err, const Failure &failure, int code)
{
    return Fail(err, FailureText(failure), code);
}

std::ostream &SummaryStream(const CliOptions &options)
{
    const bool toStdout = options.OutPath == StandardOutputPath || options.SavePath == StandardOutputPath;
    return toStdout ? std::cerr : std::cout;
}

bool CheckNotTheList(const CliOptions &options, const QString &path, std::ostream &err)
{
    const QString &list = !options.ListFile.isEmpty() ? options.ListFile : options.AlsoList;
    if (list.isEmpty() || !IsSameFile(path, list))
        return true;
    Fail(err, DotrixCli::tr("%1 is the list file this run reads; it is not written over").arg(path));
    return false;
}

bool LoadPatch(CliOptions &options, std::ostream &err)
{
    if (options.PatchPath.isEmpty())
        return true;
    auto patch = std::make_shared<GlyphPatch>();
    Failure failure;
    if (!LoadGlyphPatch(options.PatchPath, *patch, &failure) || (failure = patch->Check(options.Settings))) {
        Fail(err, failure);
        return false;
    }
    options.Settings.Patch = std::move(patch);
    return true;
}

void WarnOfMissingFont(const GlyphSettings &settings, std::ostream &err)
{
    const QString face = settings.GlyphFont.ResolvedFace();
    if (!settings.GlyphFont.IsInstalled())
        err << "dotrix-cli: "
            << DotrixCli::tr("font '%1' is not installed; the nearest installed font is used").arg(face).toStdString()
            << '\n';
}

QString WorkDirOf(const CliOptions &options)
{
    return options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
}

std::unique_ptr<OutputDirectory> OpenWorkDir(const CliOptions &options, std::ostream &err)
{
    auto output = std::make_unique<OutputDirectory>(WorkDirOf(options));
    Failure error;
    if (!output->CheckWritable(&error)) {
        Fail(err, error);
        return nullptr;
    }
    return output;
}

std::string TextInCp936(std::string_view utf8, std::ostream &err)
{
    std::vector<std::string> skipped;
    std::string text = Utf8ToCp936(utf8, &skipped);
    for (const std::string &ch : skipped)
        err << "dotrix-cli: "
            << DotrixCli::tr("'%1' has no code in code page 936; skipped").arg(QString::fromStdString(ch)).toStdString()
            << '\n';
    return text;
}

void PrintDots(std::ostream &out, const DotMatrix &matrix, int width, int height)
{
    std::string line;
    for (int r = 0; r < height; ++r) {
        line.assign(size_t(std::max(0, width)), '.');
        for (int c = 0; c < width; ++c)
            if (matrix.IsInk(r, c))
                line[size_t(c)] = '#';
        out << line << '\n';
    }
}

void ReportInk(std::ostream &err, const InkTally &ink, const GlyphSettings &settings, bool moved)
{
    const auto translate = [](const char *text) { return CoreMessage(text); };
    if (moved)
        err << "dotrix-cli: "
            << DotrixCli::tr("note: %1")
                   .arg(CoreMessage(InkPlacedMessage).arg(settings.OffsetX).arg(settings.OffsetY))
                   .toStdString()
            << '\n';
    const QString loss = InkLossNote(ink, settings, translate);
    if (!loss.isEmpty())
        err << "dotrix-cli: " << DotrixCli::tr("note: %1").arg(loss).toStdString() << '\n';
}
