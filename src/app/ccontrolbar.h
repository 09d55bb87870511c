#pragma once
// CControlBar: the glyph options docked at the left of the main window: position pad and offsets,
// size presets and custom size, scan mode, data length, invert, zoom and bit reverse. Its
// controls write the program's settings and say so with one SettingsChanged.

#include "raster/glyphsettings.h"

#include <QSize>
#include <QWidget>

#include <array>
#include <utility>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QToolButton;
class QVBoxLayout;

class CControlBar : public QWidget
{
    Q_OBJECT
public:
    explicit CControlBar(GlyphSettings &settings, QWidget *parent = nullptr);

    // Puts every control into its starting state: offsets "0", 16x16, vertical scan, 8 bits a
    // group, custom edits empty and disabled, zoom 1..30 at 20.
    void SetInitialState();
    // Gives the labels, choices and tips their texts in the language in use.
    void RetranslateUi();
    // Shows the settings in every control, as a user who had chosen them would see them; the
    // size in the custom edits when customSize, else in its preset where there is one.
    void ShowSettings(bool customSize);
    // The size comes from the custom edits.
    bool CustomSizeChosen() const;

    // Shows the settings' offset in the edit of each axis a shift moved the character along.
    void ShowShiftedOffset(int dx, int dy);
    // After the character was drawn: the vertical offset (a fit may have moved it) and the
    // font's height in pixels.
    void ShowDrawnFont();
    // Selects the custom size, types width and height into its edits and takes them, as a user
    // who pressed Enter would: a side over 1024 is refused there.
    void TypeCustomSize(int width, int height);
    // Selects the data length of that many hex digits a group and sets it.
    void SelectGroupDigits(int digits);

    // The controls, for the window's tests; everything else goes through the signals.
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
    QCheckBox *m_fitCheck;
    QLineEdit *m_fontPixelsEdit;

signals:
    // A control changed the settings: the views show them anew.
    void SettingsChanged();
    // An arrow button asks to move the character by (dx, dy) pixels; (0, 0) asks to draw it
    // again (its font size or the fit changed).
    void ShiftRequested(int dx, int dy);

private:
    void AddPositionPad(QVBoxLayout *layout);
    QGroupBox *CreateSizeBox();
    QGroupBox *CreateScanBox();
    void AddOutputOptions(QVBoxLayout *layout);
    void Connect();
    // The preset radios and their sizes.
    std::array<std::pair<QRadioButton *, QSize>, 5> SizePresets() const;
    // The scan radio buttons and the scan each one chooses.
    std::array<std::pair<QRadioButton *, ScanOrder>, 3> ScanRadios() const;
    void OnSizePreset(int width, int height);
    void OnCustomSize();
    void OnCustomWidthChanged();
    // Marks an edit whose side is too big while it is typed.
    void MarkCustomSize();
    // Takes the custom edits' size (on Enter, or when an edit is left); a side over 1024 is
    // refused with a message and the size falls back to 16 x 16.
    void ApplyCustomSize();
    void RefuseCustomSize();
    void OnZoomReleased();
    void OnZoomKeyboard(int value);
    void AddFontFit(QGridLayout *offsets);
    void OnFontPixelsEdited();

    GlyphSettings &m_settings;
    bool m_syncingCustomSize = false;
    QLabel *m_positionLabel;
    QGroupBox *m_sizeBox;
    QGroupBox *m_scanBox;
    QLabel *m_dataLengthLabel;
    QLabel *m_zoomLabel;
    QLabel *m_fontPixelsLabel;
};
