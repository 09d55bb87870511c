#pragma once
// CControlBar: the glyph options docked at the left of the main window: position pad and offsets,
// size presets and custom size, scan mode, data length, invert, zoom and bit reverse. It only
// holds the controls; the main frame's handlers act on them.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QToolButton;

class CControlBar : public QWidget
{
    Q_OBJECT
public:
    explicit CControlBar(QWidget *parent = nullptr);

    // Puts every control into its starting state: offsets "0", 16x16, vertical scan, 8 bits a
    // group, custom edits empty and disabled, zoom 1..30 at 20.
    void SetInitialState();

    // The control with the given identifier (1000 LEFT ... 1038 bit reverse), or nullptr.
    QWidget *Control(int id) const;

    QToolButton *m_btnLeft;
    QToolButton *m_btnRight;
    QToolButton *m_btnUp;
    QToolButton *m_btnDown;
    QLineEdit *m_offsetXEdit;
    QLineEdit *m_offsetYEdit;
    QRadioButton *m_size8x8;
    QRadioButton *m_size8x16;
    QRadioButton *m_size16x16;
    QRadioButton *m_size24x24;
    QRadioButton *m_size32x32;
    QRadioButton *m_sizeCustom;
    QLineEdit *m_customWidthEdit;
    QLineEdit *m_customHeightEdit;
    QRadioButton *m_scanHorizontal;
    QRadioButton *m_scanVertical;
    QRadioButton *m_scanZN;
    QComboBox *m_dataLengthCombo;
    QCheckBox *m_invertCheck;
    QLineEdit *m_zoomEdit;
    QSlider *m_zoomSlider;
    QCheckBox *m_bitReverseCheck;
};
