#include "listcommand.h"

#include "charset/charlist.h"
#include "charset/collect.h"
#include "charset/cp936.h"
#include "charset/scriptconvert.h"
#include "l10n/failuretext.h"
#include "clisupport.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

// Far above any character list; a larger file is not one.
constexpr qint64 MaxListFileBytes = 16 << 20;

// How many left-out characters are named before the rest are only counted.
constexpr size_t MaxNamedSkipped = 10;

QString Characters(size_t count)
{
    return (count == 1 ? DotrixCli::tr("%1 character") : DotrixCli::tr("%1 characters")).arg(count);
}

// Reads a list file's bytes; false, with the reason in error, when it cannot be read or is far
// too large for a list.
bool ReadListBytes(const QString &path, QByteArray &bytes, std::string *error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        *error = DotrixCli::tr("cannot read %1: it is a directory").arg(path).toStdString();
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = DotrixCli::tr("cannot open %1: %2").arg(path, file.errorString()).toStdString();
        return false;
    }
    if (file.size() > MaxListFileBytes) {
        *error = DotrixCli::tr("%1 is too large for a character list").arg(path).toStdString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = DotrixCli::tr("cannot read %1: %2").arg(path, file.errorString()).toStdString();
        return false;
    }
    return true;
}

bool IsUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

// Says on err which characters of source have no code in code page 936 and were left out.
void ReportLeftOut(std::ostream &err, const std::vector<std::string> &skipped, const QString &source)
{
    if (skipped.empty())
        return;
    const QString said = skipped.size() == 1 ? DotrixCli::tr("%1 of %2 has no code in code page 936; left out:")
                                             : DotrixCli::tr("%1 of %2 have no code in code page 936; left out:");
    err << "dotrix-cli: " << said.arg(Characters(skipped.size()), source).toStdString();
    for (size_t i = 0; i < skipped.size() && i < MaxNamedSkipped; ++i)
        err << ' ' << skipped[i];
    if (skipped.size() > MaxNamedSkipped)
        err << " ...";
    err << '\n';
}

bool ReadListFile(const CliOptions &options, std::ostream &err, CharList &list, std::string *error)
{
    const QString &path = options.ListFile;
    QByteArray bytes;
    if (!ReadListBytes(path, bytes, error))
        return false;

    if (options.ListIsCp936) {
        list.Text.assign(bytes.constData(), size_t(bytes.size()));
    } else {
        if (!IsUtf8(bytes)) {
            *error = DotrixCli::tr("%1 is not UTF-8 text (for a code page 936 file add --list-encoding cp936)")
                         .arg(path)
                         .toStdString();
            return false;
        }
        if (bytes.startsWith("\xEF\xBB\xBF")) // a byte order mark is no character of the list
            bytes.remove(0, 3);
        std::vector<std::string> skipped;
        list.Text = Utf8ToCp936(std::string_view(bytes.constData(), size_t(bytes.size())), &skipped);
        ReportLeftOut(err, skipped, path);
    }
    list.Count = int(CountChars(list.Text));
    return true;
}

// The characters the sources show, with those of --also and --also-list, once each in code point
// order; says on err how many were collected from how many files.
bool CollectList(const CliOptions &options, std::ostream &err, CharList &list, std::string *error, QStringList &inputs)
{
    CollectOptions collect;
    collect.Encoding = options.CollectIsCp936 ? CollectEncoding::Cp936 : CollectEncoding::Utf8;
    collect.Comments = options.CollectComments;
    const CollectResult collected = CollectCharacters(options.CollectPaths, collect);
    if (collected.Error) {
        *error = FailureText(collected.Error).toStdString();
        return false;
    }
    inputs += collected.Inputs;
    std::vector<char32_t> characters = collected.Characters;
    const auto add = [&characters](const QString &text) {
        for (char32_t c : text.toUcs4())
            if (c >= 0x20 && c != 0x7F && c != 0xFEFF)
                characters.push_back(c);
    };
    add(QString::fromStdString(options.Also));
    if (!options.AlsoList.isEmpty()) {
        QByteArray bytes;
        if (!ReadListBytes(options.AlsoList, bytes, error))
            return false;
        inputs += options.AlsoList;
        if (!IsUtf8(bytes)) {
            *error = DotrixCli::tr("%1 is not UTF-8 text").arg(options.AlsoList).toStdString();
            return false;
        }
        add(QString::fromUtf8(bytes));
    }
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());

    const auto files = [](size_t count) {
        return (count == 1 ? DotrixCli::tr("%1 file") : DotrixCli::tr("%1 files")).arg(count);
    };
    err << DotrixCli::tr("collected %1 from %2")
               .arg(Characters(collected.Characters.size()), files(size_t(collected.FilesRead)))
               .toStdString()
        << '\n';
    // Sources in another encoding than the one chosen would be left out unnoticed otherwise.
    std::vector<QString> notText;
    for (const CollectSkip &skip : collected.Skipped)
        if (skip.Why == CollectSkip::NotText)
            notText.push_back(skip.Path);
    if (!notText.empty()) {
        const QString said = options.CollectIsCp936
                                 ? DotrixCli::tr("%1 not code page 936 text, skipped:")
                                 : DotrixCli::tr("%1 not UTF-8 text, skipped (for code page 936 sources add "
                                                 "--collect-encoding cp936):");
        err << "dotrix-cli: " << said.arg(files(notText.size())).toStdString();
        for (size_t i = 0; i < notText.size() && i < MaxNamedSkipped; ++i)
            err << ' ' << notText[i].toStdString();
        if (notText.size() > MaxNamedSkipped)
            err << " ...";
        err << '\n';
    }
    const QByteArray utf8 = QString::fromUcs4(characters.data(), qsizetype(characters.size())).toUtf8();
    std::vector<std::string> skipped;
    list.Text = Utf8ToCp936(std::string_view(utf8.constData(), size_t(utf8.size())), &skipped);
    ReportLeftOut(err, skipped, DotrixCli::tr("the collected list"));
    list.Count = int(CountChars(list.Text));
    return true;
}

} // namespace

bool BuildCharacterList(const CliOptions &options, const QString &programDir, std::ostream &err, CharList &list,
                        std::string *error, QStringList *inputs)
{
    QStringList sources;
    if (options.Charset) {
        const CharsetImport read = LoadCharset(*options.Charset, programDir);
        if (!read.Ok) {
            *error = FailureText(read.Error).toStdString();
            return false;
        }
        list = {read.Text, read.Count};
        sources += read.Path;
    } else if (!options.CollectPaths.isEmpty()) {
        if (!CollectList(options, err, list, error, sources))
            return false;
    } else if (!ReadListFile(options, err, list, error)) {
        return false;
    } else {
        sources += options.ListFile;
    }
    if (inputs)
        *inputs = sources;

    if (options.ToTraditional || options.ToSimplified) {
        const ScriptConversion converted = options.ToTraditional ? ToTraditional(list.Text) : ToSimplified(list.Text);
        if (converted.Error) {
            *error = FailureText(converted.Error).toStdString();
            return false;
        }
        list.Text = converted.Text;
    }
    if (options.Dedupe)
        list = RemoveDuplicates(list.Text);
    if (options.Filter)
        list = FilterSingleByte(list.Text);
    if (options.Sort)
        list = SortList(list.Text, list.Count);
    return true;
}

bool ListForRun(const CliOptions &options, std::ostream &err, std::string &list, QStringList *inputs)
{
    if (!options.HasList()) {
        list = TextInCp936(options.Text, err);
        return true;
    }
    CharList built;
    std::string error;
    if (!BuildCharacterList(options, WorkDirOf(options), err, built, &error, inputs)) {
        Fail(err, error);
        return false;
    }
    list = built.Text;
    return true;
}

bool PrintCharacterList(const CliOptions &options, const QString &programDir, std::ostream &out, std::ostream &err,
                        std::string *error)
{
    CharList list;
    if (!BuildCharacterList(options, programDir, err, list, error))
        return false;
    out << Cp936ToUtf8(list.Text) << '\n';
    err << Characters(size_t(std::max(list.Count, 0))).toStdString() << '\n';
    return true;
}
