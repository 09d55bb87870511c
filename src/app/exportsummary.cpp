#include "exportsummary.h"

#include "export/exportrun.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The sample line is at most this wide, and shows at most this many glyphs.
constexpr int SampleWidth = 480;
constexpr int SampleGlyphs = 24;
constexpr int MaxSampleHeight = 96;

} // namespace

ExportSummary::ExportSummary(const GlyphSettings &settings, std::vector<CodePointChar> characters, int unmapped,
                             int bpp, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_characters(std::move(characters))
{
    setObjectName(QStringLiteral("exportSummary"));
    const ExportFontMetrics font = MeasureExportFont(settings, 1, AdvanceMode::Cell);
    QString what = tr("导出字符列表中的 %1 个字符").arg(m_characters.size());
    if (unmapped > 0)
        what += tr("（另有 %1 个没有 Unicode 编码的字符不导出）").arg(unmapped);
    auto *characterLine = new QLabel(what);
    characterLine->setObjectName(QStringLiteral("exportCharactersLabel"));
    auto *fontLine = new QLabel(tr("字体：%1，%2 磅；每个字形 %3 x %4 点")
                                    .arg(font.Family)
                                    .arg(font.PointSize)
                                    .arg(font.CellWidth)
                                    .arg(font.CellHeight));
    fontLine->setObjectName(QStringLiteral("exportFontLabel"));
    m_sample = new QLabel;
    m_sample->setObjectName(QStringLiteral("exportSampleLabel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(characterLine);
    layout->addWidget(fontLine);
    layout->addWidget(m_sample);
    ShowBpp(bpp);
}

void ExportSummary::ShowBpp(int bpp)
{
    if (m_characters.empty() || !IsExportBpp(bpp)) {
        m_sample->clear();
        return;
    }
    const int cellWidth = m_settings.Width, cellHeight = m_settings.Height;
    if (cellWidth <= 0 || cellHeight <= 0) {
        m_sample->clear();
        return;
    }
    // Small cells are shown twice their size, so that their dots can be told apart; large ones
    // no higher than MaxSampleHeight.
    const int height = cellHeight <= 32 ? 2 * cellHeight : std::min(cellHeight, MaxSampleHeight);
    const int width = std::max(1, int(std::lround(double(cellWidth) * height / cellHeight)));
    const int step = width + 4;
    const int count = std::clamp(SampleWidth / step, 1, std::min<int>(SampleGlyphs, int(m_characters.size())));
    QImage sample(count * step - 4, height, QImage::Format_RGB32);
    sample.fill(QColor(0xF4, 0xF4, 0xF4));
    QPainter painter(&sample);
    const ExportFontMetrics metrics = MeasureExportFont(m_settings, bpp, AdvanceMode::Cell);
    GlyphDrawer drawer(m_settings.GlyphFont, bpp > 1, m_settings.Patch.get());
    for (int i = 0; i < count; ++i) {
        const ExportGlyph glyph = DrawExportGlyph(m_characters[size_t(i)], m_settings, bpp, metrics, &drawer);
        QImage dots(glyph.CellWidth, glyph.CellHeight, QImage::Format_Grayscale8);
        for (int y = 0; y < glyph.CellHeight; ++y) {
            uchar *row = dots.scanLine(y);
            for (int x = 0; x < glyph.CellWidth; ++x)
                row[x] = uchar(255 - 255 * glyph.Level(x, y) / glyph.MaxLevel());
        }
        painter.drawImage(QRect(i * step, 0, width, height), dots);
    }
    painter.end();
    m_sample->setPixmap(QPixmap::fromImage(sample));
    m_sample->setToolTip(tr("前 %1 个字形，按所选的每点位数写入的样子").arg(count));
}
