#include "windowsettings.h"

#include "l10n/failuretext.h"

#include <QSettings>

#include <algorithm>

namespace {

constexpr int Version = 1;
const QString VersionKey = QStringLiteral("Window/Version");

// The group and key names are next to the values they hold; a scan, a format, an export format
// and a group length are stored as the words and bits dotrix-cli's options use (settingwords.h).

// Reads one value after another, remembering the first that is not one this program writes.
class Reader
{
public:
    explicit Reader(QSettings &store) : m_store(store) {}

    void Int(const char *key, int low, int high, int &into)
    {
        Take(key, [&](const QVariant &value) {
            bool ok = false;
            const int number = value.toString().toInt(&ok);
            if (ok && number >= low && number <= high)
                into = number;
            return ok && number >= low && number <= high;
        });
    }
    // A number of points, whole or with a fraction.
    void Points(const char *key, double low, double high, double &into)
    {
        Take(key, [&](const QVariant &value) {
            bool ok = false;
            const double number = value.toString().toDouble(&ok);
            ok = ok && number >= low && number <= high;
            if (ok)
                into = number;
            return ok;
        });
    }
    void Bool(const char *key, bool &into)
    {
        Take(key, [&](const QVariant &value) {
            const QString word = value.toString();
            if (word == QLatin1String("true") || word == QLatin1String("false"))
                into = word == QLatin1String("true");
            return word == QLatin1String("true") || word == QLatin1String("false");
        });
    }
    // A mode by its word.
    template <typename Mode>
    void Word(const char *key, Mode &into)
    {
        Take(key, [&](const QVariant &value) {
            const std::optional<Mode> mode = ModeOfWord<Mode>(value.toString().toStdString());
            if (mode)
                into = *mode;
            return mode.has_value();
        });
    }
    void Text(const char *key, int maxLength, QString &into)
    {
        Take(key, [&](const QVariant &value) {
            const bool ok = value.typeId() == QMetaType::QString && !value.toString().isEmpty()
                            && value.toString().size() <= maxLength;
            if (ok)
                into = value.toString();
            return ok;
        });
    }
    void Bytes(const char *key, QByteArray &into)
    {
        Take(key, [&](const QVariant &value) {
            if (value.typeId() == QMetaType::QByteArray)
                into = value.toByteArray();
            return value.typeId() == QMetaType::QByteArray;
        });
    }
    const QString &Problem() const { return m_problem; }

private:
    // Hands the key's value, when there is one, to check, which says whether it is one this
    // program writes (and then keeps it).
    template <typename Check>
    void Take(const char *key, Check check)
    {
        const QVariant value = m_store.value(QLatin1String(key));
        if (value.isValid() && !check(value) && m_problem.isEmpty())
            m_problem = QStringLiteral("%1=%2").arg(QLatin1String(key), value.toString().left(40));
    }

    QSettings &m_store;
    QString m_problem;
};

} // namespace

namespace {

// Empty when the file holds this version's settings; otherwise why it is left aside, or empty
// with *nothing set when nothing is remembered yet (a first run, or only the recent-file list).
QString CheckSettingsFile(QSettings &store, bool *nothing)
{
    *nothing = false;
    if (store.status() != QSettings::NoError)
        return QStringLiteral("%1: not a settings file").arg(store.fileName());
    if (!store.contains(VersionKey)) {
        *nothing = true;
        // Any content beside the recent-file list belongs to someone else.
        const QStringList keys = store.allKeys();
        const bool foreign = std::any_of(keys.begin(), keys.end(), [](const QString &key) {
            return !key.startsWith(QLatin1String("Recent File List/"));
        });
        return foreign ? QStringLiteral("%1: written by another program (no %2)").arg(store.fileName(), VersionKey)
                       : QString();
    }
    if (store.value(VersionKey).toString() != QString::number(Version))
        return QStringLiteral("%1: written by another version (%2=%3)")
            .arg(store.fileName(), VersionKey, store.value(VersionKey).toString());
    return {};
}

// Reads every remembered value into settings; the first one this program would not have
// written, as "key=value" (or what the export refuses), or empty.
QString ReadValues(QSettings &store, WindowSettings &settings)
{
    GlyphSettings &glyph = settings.Glyph;
    Reader reader(store);
    reader.Text("Glyph/Font", 256, glyph.GlyphFont.Face);
    reader.Points("Glyph/FontSize", 1, 720, glyph.GlyphFont.PointSize);
    reader.Int("Glyph/FontWeight", 0, 1000, glyph.GlyphFont.Weight);
    reader.Bool("Glyph/Italic", glyph.GlyphFont.Italic);
    reader.Bool("Glyph/Underline", glyph.GlyphFont.Underline);
    reader.Bool("Glyph/StrikeOut", glyph.GlyphFont.StrikeOut);
    reader.Int("Glyph/Width", 1, MaxGlyphSide, glyph.Width);
    reader.Int("Glyph/Height", 1, MaxGlyphSide, glyph.Height);
    reader.Bool("Glyph/CustomSize", settings.CustomSize);
    // Offsets are unbounded in the window; a remembered one stays within a few glyphs of the cell.
    reader.Int("Glyph/OffsetX", -4 * MaxGlyphSide, 4 * MaxGlyphSide, glyph.OffsetX);
    reader.Int("Glyph/OffsetY", -4 * MaxGlyphSide, 4 * MaxGlyphSide, glyph.OffsetY);
    reader.Word("Glyph/Scan", glyph.ScanMode);
    int groupBits = glyph.GroupDigits * 4;
    reader.Int("Glyph/GroupBits", 4, 32, groupBits);
    reader.Bool("Glyph/Invert", glyph.Invert);
    reader.Bool("Glyph/BitReverse", glyph.BitReverse);
    reader.Word("Glyph/Format", glyph.OutputFormat);
    reader.Bool("Glyph/Numbered", glyph.NumberedNames);
    reader.Int("Glyph/Zoom", 1, 30, glyph.Zoom);
    reader.Text("Window/ExportDirectory", 4096, settings.ExportDirectory);
    reader.Word("Export/Format", settings.FontExport.Format);
    reader.Int("Export/Bpp", 1, 8, settings.FontExport.Bpp);
    reader.Bool("Export/Compress", settings.FontExport.Compress);
    reader.Text("Export/FontName", 256, settings.FontExport.FontName);
    reader.Word("Export/Advance", settings.FontExport.Advance);
    reader.Bool("Export/Kerning", settings.FontExport.Kerning);
    QString language;
    reader.Text("Window/Language", 2, language);
    reader.Bytes("Window/Geometry", settings.Geometry);
    reader.Bytes("Window/BarLayout", settings.BarLayout);
    reader.Bytes("Window/OuterSplit", settings.OuterSplit);
    reader.Bytes("Window/LeftSplit", settings.LeftSplit);
    if (!reader.Problem().isEmpty())
        return reader.Problem();

    const bool offered = groupBits % 4 == 0
                         && std::find(std::begin(GroupDigitsChoices), std::end(GroupDigitsChoices), groupBits / 4)
                                != std::end(GroupDigitsChoices);
    if (!offered)
        return QStringLiteral("Glyph/GroupBits=%1").arg(groupBits);
    glyph.GroupDigits = groupBits / 4;
    // A bit depth or a name the format does not take, as the export itself would refuse it.
    FontExportRequest exportCheck = settings.FontExport;
    exportCheck.OutPath = QStringLiteral("font");
    if (const Failure refusal = CheckExportRequest(exportCheck))
        return QStringLiteral("Export: %1").arg(FailureText(refusal));
    if (!language.isEmpty()) {
        settings.ChosenLanguage = ParseLanguage(language);
        if (!settings.ChosenLanguage)
            return QStringLiteral("Window/Language=%1").arg(language);
    }
    return {};
}

} // namespace

WindowSettingsRead ReadWindowSettings(QSettings &store)
{
    WindowSettingsRead read;
    bool nothing = false;
    read.Problem = CheckSettingsFile(store, &nothing);
    if (!read.Problem.isEmpty() || nothing)
        return read;
    WindowSettings settings;
    if (const QString problem = ReadValues(store, settings); !problem.isEmpty()) {
        read.Problem = QStringLiteral("%1: %2").arg(store.fileName(), problem);
        return read;
    }
    read.Settings = settings;
    return read;
}

void WriteWindowSettings(QSettings &store, const WindowSettings &settings)
{
    if (store.status() != QSettings::NoError)
        store.clear();
    const GlyphSettings &glyph = settings.Glyph;
    const auto write = [&store](const char *key, const QVariant &value) { store.setValue(QLatin1String(key), value); };
    write("Window/Version", Version);
    write("Glyph/Font", glyph.GlyphFont.Face);
    write("Glyph/FontSize", glyph.GlyphFont.PointSizeText());
    write("Glyph/FontWeight", glyph.GlyphFont.Weight);
    write("Glyph/Italic", glyph.GlyphFont.Italic);
    write("Glyph/Underline", glyph.GlyphFont.Underline);
    write("Glyph/StrikeOut", glyph.GlyphFont.StrikeOut);
    write("Glyph/Width", glyph.Width);
    write("Glyph/Height", glyph.Height);
    write("Glyph/CustomSize", settings.CustomSize);
    write("Glyph/OffsetX", glyph.OffsetX);
    write("Glyph/OffsetY", glyph.OffsetY);
    write("Glyph/Scan", QLatin1String(WordOfMode(glyph.ScanMode)));
    write("Glyph/GroupBits", glyph.GroupDigits * 4);
    write("Glyph/Invert", glyph.Invert);
    write("Glyph/BitReverse", glyph.BitReverse);
    write("Glyph/Format", QLatin1String(WordOfMode(glyph.OutputFormat)));
    write("Glyph/Numbered", glyph.NumberedNames);
    write("Glyph/Zoom", glyph.Zoom);
    if (settings.ExportDirectory.isEmpty())
        store.remove(QStringLiteral("Window/ExportDirectory"));
    else
        write("Window/ExportDirectory", settings.ExportDirectory);
    write("Export/Format", QLatin1String(WordOfMode(settings.FontExport.Format)));
    write("Export/Bpp", settings.FontExport.Bpp);
    write("Export/Compress", settings.FontExport.Compress);
    if (settings.FontExport.FontName.isEmpty())
        store.remove(QStringLiteral("Export/FontName"));
    else
        write("Export/FontName", settings.FontExport.FontName);
    write("Export/Advance", QLatin1String(WordOfMode(settings.FontExport.Advance)));
    write("Export/Kerning", settings.FontExport.Kerning);
    if (settings.ChosenLanguage)
        write("Window/Language", LanguageCode(*settings.ChosenLanguage));
    else
        store.remove(QStringLiteral("Window/Language"));
    write("Window/Geometry", settings.Geometry);
    write("Window/BarLayout", settings.BarLayout);
    write("Window/OuterSplit", settings.OuterSplit);
    write("Window/LeftSplit", settings.LeftSplit);
    store.sync();
}
