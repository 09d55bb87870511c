#include "listcommand.h"

#include "charset/charlist.h"
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

bool ReadListFile(const CliOptions &options, std::ostream &err, CharList &list, std::string *error)
{
    const QString &path = options.ListFile;
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
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = DotrixCli::tr("cannot read %1: %2").arg(path, file.errorString()).toStdString();
        return false;
    }

    if (options.ListIsCp936) {
        list.Text.assign(bytes.constData(), size_t(bytes.size()));
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8);
        [[maybe_unused]] const QString decoded = decoder.decode(bytes);
        if (decoder.hasError()) {
            *error = DotrixCli::tr("%1 is not UTF-8 text (for a code page 936 file add --list-encoding cp936)")
                         .arg(path)
                         .toStdString();
            return false;
        }
        if (bytes.startsWith("\xEF\xBB\xBF")) // a byte order mark is no character of the list
            bytes.remove(0, 3);
        std::vector<std::string> skipped;
        list.Text = Utf8ToCp936(std::string_view(bytes.constData(), size_t(bytes.size())), &skipped);
        if (!skipped.empty()) {
            const QString said = skipped.size() == 1
                                     ? DotrixCli::tr("%1 of %2 has no code in code page 936; left out:")
                                     : DotrixCli::tr("%1 of %2 have no code in code page 936; left out:");
            err << "dotrix-cli: " << said.arg(Characters(skipped.size()), path).toStdString();
            for (size_t i = 0; i < skipped.size() && i < MaxNamedSkipped; ++i)
                err << ' ' << skipped[i];
            if (skipped.size() > MaxNamedSkipped)
                err << " ...";
            err << '\n';
        }
    }
    list.Count = int(CountChars(list.Text));
    return true;
}

} // namespace

bool BuildCharacterList(const CliOptions &options, const QString &programDir, std::ostream &err, CharList &list,
                        std::string *error)
{
    if (options.Charset) {
        const CharsetImport read = LoadCharset(*options.Charset, programDir);
        if (!read.Ok) {
            *error = FailureText(read.Error).toStdString();
            return false;
        }
        list = {read.Text, read.Count};
    } else if (!ReadListFile(options, err, list, error)) {
        return false;
    }

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

bool ListForRun(const CliOptions &options, std::ostream &err, std::string &list)
{
    if (!options.HasList()) {
        list = TextInCp936(options.Text, err);
        return true;
    }
    CharList built;
    std::string error;
    if (!BuildCharacterList(options, WorkDirOf(options), err, built, &error)) {
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
