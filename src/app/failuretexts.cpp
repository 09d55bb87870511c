#include "failuretexts.h"

#include <QCoreApplication>

namespace {
// The translation context of these texts.
class FailureTexts
{
    Q_DECLARE_TR_FUNCTIONS(FailureTexts)
};
} // namespace

QString MissingFontNote(const GlyphFontDesc &font)
{
    if (font.IsInstalled())
        return {};
    return FailureTexts::tr("；字体“%1”没有安装，已用最接近的已安装字体").arg(font.ResolvedFace());
}
