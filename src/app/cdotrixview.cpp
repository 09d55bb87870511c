#include "cdotrixview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {
constexpr QColor FieldColour(0, 0, 150);
constexpr int FieldWidth = 1000;
constexpr int FieldHeight = 700;
} // namespace

CDotrixView::CDotrixView(GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_matrix(matrix)
{
    setObjectName(QStringLiteral("glyphView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    UpdateExtent();
}

void CDotrixView::OnInitialUpdate()
{
    m_settings.OffsetX = 0;
    m_settings.OffsetY = 0;
    m_settings.Width = 16;
    m_settings.Height = 16;
    UpdateExtent();
    update();
}

void CDotrixView::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QRect field(0, 0, FieldWidth, FieldHeight);
    const double scale = std::min(page.width() / double(field.width()), page.height() / double(field.height()));
    painter.scale(scale, scale);
    Draw(painter, field);
}

QSize CDotrixView::Extent(int width, int height, int zoom)
{
    zoom = std::max(1, zoom);
    width = std::clamp(width, 0, DotMatrix::Size);
    height = std::clamp(height, 0, DotMatrix::Size);
    return QSize(GridLeft + width * zoom + GridLeft, GridTop + height * zoom + GridTop);
}

void CDotrixView::UpdateExtent()
{
    const QSize extent = Extent(m_settings.Width, m_settings.Height, m_settings.Zoom);
    if (minimumSize() != extent)
        setMinimumSize(extent);
}

void CDotrixView::Draw(QPainter &painter, const QRect &clip) const
{
    painter.fillRect(QRect(0, 0, FieldWidth, FieldHeight).intersected(clip), FieldColour);

    const int zoom = std::max(1, m_settings.Zoom);
    const int width = std::clamp(m_settings.Width, 0, DotMatrix::Size);
    const int height = std::clamp(m_settings.Height, 0, DotMatrix::Size);
    if (width == 0 || height == 0)
        return;
    // The dots whose squares meet the clip rectangle.
    const int firstColumn = std::clamp((clip.left() - GridLeft) / zoom, 0, width - 1);
    const int lastColumn = std::clamp((clip.right() - GridLeft) / zoom, -1, width - 1);
    const int firstRow = std::clamp((clip.top() - GridTop) / zoom, 0, height - 1);
    const int lastRow = std::clamp((clip.bottom() - GridTop) / zoom, -1, height - 1);
    if (clip.right() < GridLeft || clip.bottom() < GridTop || lastColumn < firstColumn || lastRow < firstRow)
        return;

    const int left = GridLeft + firstColumn * zoom;
    const int top = GridTop + firstRow * zoom;
    const int columns = lastColumn - firstColumn + 1;
    const int rows = lastRow - firstRow + 1;
    painter.fillRect(left, top, columns * zoom, rows * zoom, Qt::white);
    for (int r = firstRow; r <= lastRow; ++r) {
        const int32_t *cells = m_matrix.Row(r);
        for (int c = firstColumn; c <= lastColumn; ++c)
            if (cells[c] == CellInk)
                painter.fillRect(GridLeft + c * zoom, GridTop + r * zoom, zoom, zoom, Qt::black);
    }
    if (zoom == 1)
        return;
    // Each square is outlined; neighbours share their edges, which makes a one-pixel grid.
    painter.setPen(QPen(Qt::black, 0));
    const int right = left + columns * zoom;
    const int bottom = top + rows * zoom;
    for (int c = 0; c <= columns; ++c)
        painter.drawLine(left + c * zoom, top, left + c * zoom, bottom);
    for (int r = 0; r <= rows; ++r)
        painter.drawLine(left, top + r * zoom, right, top + r * zoom);
}

void CDotrixView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    Draw(painter, event->rect());
}
