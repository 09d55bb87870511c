#include "cfontview.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "encode/glyphtext.h"
#include "encode/singleglyph.h"
#include "l10n/language.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr QColor FieldColour(0, 200, 0);
constexpr int FieldWidth = 1000;
constexpr int FieldHeight = 700;
constexpr int LineStep = 20;
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
    const std::string character = LastCharOf(m_settings.CurrentText);
    std::string name = GetPinyin(character, m_settings.NumberedNames);
    if (name.empty())
        name = m_settings.PictureName;

    PreviewSink preview;
    std::vector<PlacedLine> lines;
    if (WriteGlyphText(preview, name, character, m_settings, m_matrix)
        == GlyphTextResult::Refused) {
        lines.push_back({QStringToCp936(CoreMessage(GroupTooLongMessage)), QPoint(10, 10)});
        return lines;
    }

    const bool zn = m_settings.ScanMode == ScanZN;
    const bool asmTable = m_settings.OutputFormat == AsmTable;
    const int dbIndent = 10 * int(name.size()) + 10;
    int y = 10;
    for (const GlyphTextItem &item : preview.Text().Items) {
        switch (item.Role) {
        case GlyphTextRole::Header:
            lines.push_back({item.Text, QPoint(5, zn ? 10 : 5), zn});
            break;
        case GlyphTextRole::Declaration:
            y = 30;
            lines.push_back({item.Text, QPoint(5, y), zn});
            break;
        case GlyphTextRole::Label:
            if (!zn) { // the DB lines start beside the label, the first on its line
                y += LineStep;
                lines.push_back({item.Text, QPoint(5, y)});
            }
            break;
        case GlyphTextRole::Data:
            if (asmTable && !zn) {
                lines.push_back({item.Text, QPoint(dbIndent, y)});
                y += LineStep;
            } else {
                y += LineStep;
                lines.push_back({item.Text, QPoint(5, y), zn});
            }
            break;
        case GlyphTextRole::Closing:
            y += LineStep;
            lines.push_back({item.Text, QPoint(5, y), zn});
            break;
        }
    }
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
