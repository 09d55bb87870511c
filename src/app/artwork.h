#pragma once
// Program artwork: toolbar images, arrow pad buttons and the application icon, drawn from the
// pictures in res/icons (SVG, and PNG for the application icon's fixed sizes).

#include <QIcon>
#include <QPixmap>

// Toolbar button images, 28 x 28, by command identifier: single glyph a dot grid with a pencil, all
// glyphs a dot grid with red dots and a pencil, picture data a green picture (landscape), font a
// blue letter A and red letter B, glyph format a cluster of gears, export a floppy disk, the
// script conversions the characters 繁 and 简, about a yellow question mark. Other ids: a null icon.
QIcon ToolbarIcon(int commandId);

// Arrow button images, 30 x 30, for "LEFT", "RIGHT", "UP", "DOWN": state 'U' normal, 'D' pressed,
// 'F' focused, 'X' disabled (greyed). Returns a null pixmap for unknown names.
QPixmap ArrowButtonPixmap(const QString &caption, char state);

// An icon holding the U (Normal/Off), F (Active), D (Normal/On, used while pressed) and X (Disabled) pixmaps.
QIcon ArrowButtonIcon(const QString &caption);

// Background of the arrow pad, 95 x 96: a soft rounded panel the four arrow buttons sit on. Its
// round dish is centred at (47.5, 48); the arms of its cross reach the four button places about
// 32 pixels from that centre.
QPixmap ArrowPadBackground();

// The application icon (a dot-matrix 字 on a blue tile), sizes 16..256.
QIcon ApplicationIcon();
