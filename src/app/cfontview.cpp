#include "cfontview.h"

#include "charset/cp936.h"
#include "encode/glyphtext.h"
#include "encode/singleglyph.h"
#include "l10n/language.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr QColor FieldColour(0, 200, 0);
constexpr int FieldWidth = 1000;
constexpr int FieldHeight = 700;
} // namespace

CFontView::CFontView(const GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_matrix(matrix)
{
    setObjectName(QStringLiteral("previewView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(100, 60);
}

std::vector<CFontView::PlacedLine> CFontView::Layout() const
{
    PreviewSink preview;
    std::vector<PlacedLine> lines;
    if (WritePreviewText(preview, m_settings, m_matrix) == GlyphTextResult::Refused) {
        lines.push_back({QStringToCp936(CoreMessage(GroupTooLongMessage)), QPoint(10, 10)});
        return lines;
    }
    // The "ZN" text is drawn on white, the other scans straight onto the field.
    const bool zn = m_settings.ScanMode == ScanOrder::ZN;
    for (const PreviewLine &line : preview.Layout())
        lines.push_back({line.Text, QPoint(line.X, line.Y), zn});
    return lines;
}

void CFontView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, FieldWidth, FieldHeight).intersected(event->rect()), FieldColour);
    const QFontMetrics metrics(font());
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    for (const PlacedLine &line : Layout()) {
        // The "ZN" text is drawn on white, the other scans straight onto the field.
        painter.setBackgroundMode(line.Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        const int baseline = line.At.y() + metrics.ascent();
        if (baseline - metrics.ascent() > event->rect().bottom())
            break; // lines below the pane are not drawn
        painter.drawText(QPoint(line.At.x(), baseline), Cp936ToQString(line.Text));
    }
}
