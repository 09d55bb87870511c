#include "cdotrixview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>

namespace {
constexpr QColor FieldColour(0, 0, 150);
constexpr int FieldWidth = 1000;
constexpr int FieldHeight = 700;
constexpr QColor EditedColour(255, 160, 0);
constexpr QColor CursorColour(230, 30, 30);
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
    DrawMarks(painter);
}

QSize CDotrixView::Cell() const
{
    return QSize(std::clamp(m_settings.Width, 0, DotMatrix::Size), std::clamp(m_settings.Height, 0, DotMatrix::Size));
}

void CDotrixView::DrawMarks(QPainter &painter) const
{
    const int zoom = std::max(1, m_settings.Zoom);
    const QSize cell = Cell();
    const QRect grid(GridLeft, GridTop, cell.width() * zoom, cell.height() * zoom);
    if (m_edited) {
        painter.setPen(QPen(EditedColour, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(grid.adjusted(-3, -3, 2, 2));
        painter.drawText(QRect(GridLeft, 0, std::max(grid.width(), 200), GridTop - 6),
                         Qt::AlignLeft | Qt::AlignBottom, tr("已修改"));
    }
    if (m_editMode && m_cursor.x() < cell.width() && m_cursor.y() < cell.height()) {
        painter.setPen(QPen(CursorColour, std::max(1, zoom / 8)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(GridLeft + m_cursor.x() * zoom + 1, GridTop + m_cursor.y() * zoom + 1, zoom - 2, zoom - 2);
    }
}

void CDotrixView::SetEditMode(bool on)
{
    m_editMode = on;
    m_stroking = false;
    update();
}

void CDotrixView::SetEdited(bool edited)
{
    if (m_edited == edited)
        return;
    m_edited = edited;
    update();
}

QPoint CDotrixView::DotAt(QPoint position) const
{
    const int zoom = std::max(1, m_settings.Zoom);
    const QSize cell = Cell();
    const int x = position.x() - GridLeft, y = position.y() - GridTop;
    if (x < 0 || y < 0 || x / zoom >= cell.width() || y / zoom >= cell.height())
        return QPoint(-1, -1);
    return QPoint(x / zoom, y / zoom);
}

QPoint CDotrixView::DotCentre(QPoint dot) const
{
    const int zoom = std::max(1, m_settings.Zoom);
    return QPoint(GridLeft + dot.x() * zoom + zoom / 2, GridTop + dot.y() * zoom + zoom / 2);
}

void CDotrixView::mousePressEvent(QMouseEvent *event)
{
    if (!m_editMode || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint dot = DotAt(event->position().toPoint());
    if (dot.x() < 0)
        return;
    m_cursor = dot;
    m_stroking = true;
    emit StrokeBegun(dot, event->modifiers() & Qt::ShiftModifier);
    update();
}

void CDotrixView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_stroking) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint dot = DotAt(event->position().toPoint());
    if (dot.x() < 0 || dot == m_cursor)
        return;
    m_cursor = dot;
    emit StrokeExtended(dot);
    update();
}

void CDotrixView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_stroking || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_stroking = false;
    emit StrokeEnded();
}

void CDotrixView::keyPressEvent(QKeyEvent *event)
{
    const QSize cell = Cell();
    if (!m_editMode || event->modifiers() & ~Qt::KeypadModifier || cell.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    QPoint cursor(std::min(m_cursor.x(), cell.width() - 1), std::min(m_cursor.y(), cell.height() - 1));
    switch (event->key()) {
    case Qt::Key_Left:
        cursor.rx() = std::max(0, cursor.x() - 1);
        break;
    case Qt::Key_Right:
        cursor.rx() = std::min(cell.width() - 1, cursor.x() + 1);
        break;
    case Qt::Key_Up:
        cursor.ry() = std::max(0, cursor.y() - 1);
        break;
    case Qt::Key_Down:
        cursor.ry() = std::min(cell.height() - 1, cursor.y() + 1);
        break;
    case Qt::Key_Space:
        m_cursor = cursor;
        emit DotFlipped(cursor);
        update();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_cursor = cursor;
    // The pane scrolls to keep the cursor in sight on a glyph larger than it.
    if (auto *area = qobject_cast<QScrollArea *>(parentWidget() ? parentWidget()->parentWidget() : nullptr)) {
        const QPoint centre = DotCentre(cursor);
        const int zoom = std::max(1, m_settings.Zoom);
        area->ensureVisible(centre.x(), centre.y(), zoom, zoom);
    }
    update();
}
