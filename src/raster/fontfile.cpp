#include "fontfile.h"

#include <QFontInfo>

#include <fontconfig/fontconfig.h>

#include <memory>

QString FontFileOf(const GlyphFontDesc &desc)
{
    // What Qt resolved the description to, so that a missing face names the file actually drawn.
    const QFontInfo info(desc.ToQFont());
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), FcPatternDestroy);
    const QByteArray family = info.family().toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(info.weight()));
    FcPatternAddInteger(pattern.get(), FC_SLANT, info.italic() ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, info.pixelSize());
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(FcFontMatch(nullptr, pattern.get(), &result),
                                                                        FcPatternDestroy);
    FcChar8 *file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(file));
}
