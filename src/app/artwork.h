#pragma once
// Program artwork: toolbar images, arrow pad buttons and the application icon, drawn from the
// pictures in res/icons (SVG, and PNG for the application icon's fixed sizes).

#include <QIcon>
#include <QPixmap>

// Toolbar button images, 28 x 28, by command identifier: 32777 dot grid with a pencil, 32773 dot grid
// with red dots and a pencil, 32784 green picture (landscape), 32772 blue letter A and red letter B,
// 32781 cluster of gears, 32774 floppy disk, 32792 the character 繁, 32793 the character 简,
// 57664 yellow question mark. Unknown id: a null icon.
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
