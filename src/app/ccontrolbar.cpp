#include "ccontrolbar.h"

#include "artwork.h"
#include "messages.h"

#include "l10n/language.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T *Tag(T *widget, int id, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setProperty("controlId", id);
    return widget;
}

QToolButton *ArrowButton(const char *caption, int id, const char *name)
{
    auto *button = Tag(new QToolButton, id, name);
    button->setIcon(ArrowButtonIcon(QString::fromLatin1(caption)));
    button->setIconSize(QSize(30, 30));
    button->setFixedSize(34, 34);
    button->setAutoRaise(true);
    button->setAutoRepeat(true); // holding a button keeps moving the character
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(80);
    return button;
}

// A decimal integer as the C library reads it: leading blanks, an optional sign, digits up to
// the first other character; no digits give 0. Values too large for an int saturate.
int ReadDecimal(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), 1LL << 40);
    value = negative ? -value : value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

QLineEdit *SmallEdit(int id, const char *name, bool readOnly)
{
    auto *edit = Tag(new QLineEdit, id, name);
    edit->setReadOnly(readOnly);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(48);
    if (readOnly)
        edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

} // namespace

CControlBar::CControlBar(GlyphSettings &settings, QWidget *parent) : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("controlBar"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    AddPositionPad(layout);
    layout->addWidget(CreateSizeBox());
    layout->addWidget(CreateScanBox());
    AddOutputOptions(layout);
    layout->addStretch();
    RetranslateUi();
    SetInitialState();
    Connect();
}

void CControlBar::RetranslateUi()
{
    m_positionLabel->setText(tr("字体位置:"));
    m_btnUp->setToolTip(tr("UP"));
    m_btnLeft->setToolTip(tr("LEFT"));
    m_btnRight->setToolTip(tr("RIGHT"));
    m_btnDown->setToolTip(tr("DOWN"));
    m_sizeBox->setTitle(tr("点阵大小"));
    m_sizeCustom->setText(tr("自定义"));
    m_scanBox->setTitle(tr("扫描方式"));
    m_scanHorizontal->setText(tr("水平扫描"));
    m_scanVertical->setText(tr("垂直扫描"));
    m_scanZN->setText(tr("\"ZN\"扫描"));
    m_dataLengthLabel->setText(tr("数据长度:"));
    const char *const lengths[] = {QT_TR_NOOP("每组4个Bit"),  QT_TR_NOOP("每组8个Bit"),  QT_TR_NOOP("每组12个Bit"),
                                   QT_TR_NOOP("每组16个Bit"), QT_TR_NOOP("每组24个Bit"), QT_TR_NOOP("每组32个Bit")};
    static_assert(std::size(lengths) == std::size(GroupDigitsChoices));
    for (int i = 0; i < int(std::size(lengths)); ++i)
        m_dataLengthCombo->setItemText(i, tr(lengths[i]));
    m_invertCheck->setText(tr("字模数据取反"));
    m_zoomLabel->setText(tr("放大倍数"));
    m_bitReverseCheck->setText(tr("字节位倒置"));
    m_fitCheck->setText(tr("适配"));
    m_fitCheck->setToolTip(tr("生成字模前把字体上下移动最少的距离，使所有字符的笔画都在点阵之内"));
    m_fontPixelsLabel->setText(tr("像素:"));
    m_fontPixelsEdit->setToolTip(tr("字体的像素高度；12 磅为 16 像素"));
    m_fontPixelsLabel->setToolTip(m_fontPixelsEdit->toolTip());
}

// Beside the offsets: the font's height in pixels, and the fit of the vertical offset.
void CControlBar::AddFontFit(QGridLayout *offsets)
{
    m_fontPixelsLabel = new QLabel;
    offsets->addWidget(m_fontPixelsLabel, 0, 2, Qt::AlignRight);
    m_fontPixelsEdit = SmallEdit(1051, "fontPixelsEdit", false);
    m_fontPixelsEdit->setFixedWidth(36); // three digits; the bar keeps its width
    m_fontPixelsEdit->setValidator(new QIntValidator(1, 960, m_fontPixelsEdit));
    offsets->addWidget(m_fontPixelsEdit, 0, 3);
    m_fitCheck = Tag(new QCheckBox, 1050, "fitOffsetCheck");
    offsets->addWidget(m_fitCheck, 1, 2, 1, 2);
}

void CControlBar::OnFontPixelsEdited()
{
    const int pixels = ReadDecimal(m_fontPixelsEdit->text());
    if (pixels < 1 || pixels > 960 || pixels == m_settings.GlyphFont.PixelHeight())
        return;
    m_settings.GlyphFont.SetPixelHeight(pixels);
    emit ShiftRequested(0, 0);
    emit SettingsChanged();
}

void CControlBar::ShowDrawnFont()
{
    m_offsetYEdit->setText(QString::number(m_settings.OffsetY));
    m_fontPixelsEdit->setText(QString::number(m_settings.GlyphFont.PixelHeight()));
}

// Four arrows over a rounded panel, the offsets below.
void CControlBar::AddPositionPad(QVBoxLayout *layout)
{
    m_positionLabel = new QLabel;
    layout->addWidget(m_positionLabel);
    auto *pad = new QLabel;
    pad->setObjectName(QStringLiteral("arrowPad"));
    pad->setPixmap(ArrowPadBackground());
    pad->setFixedSize(ArrowPadBackground().size());
    auto *padGrid = new QGridLayout(pad);
    padGrid->setContentsMargins(0, 0, 0, 0);
    padGrid->setSpacing(0);
    m_btnUp = ArrowButton("UP", 1004, "shiftUpButton");
    m_btnLeft = ArrowButton("LEFT", 1000, "shiftLeftButton");
    m_btnRight = ArrowButton("RIGHT", 1003, "shiftRightButton");
    m_btnDown = ArrowButton("DOWN", 1005, "shiftDownButton");
    padGrid->addWidget(m_btnUp, 0, 1, Qt::AlignCenter);
    padGrid->addWidget(m_btnLeft, 1, 0, Qt::AlignCenter);
    padGrid->addWidget(m_btnRight, 1, 2, Qt::AlignCenter);
    padGrid->addWidget(m_btnDown, 2, 1, Qt::AlignCenter);
    layout->addWidget(pad, 0, Qt::AlignHCenter);

    auto *offsets = new QGridLayout;
    m_offsetXEdit = SmallEdit(1007, "offsetXEdit", true);
    m_offsetYEdit = SmallEdit(1008, "offsetYEdit", true);
    offsets->addWidget(new QLabel(QStringLiteral("X:")), 0, 0, Qt::AlignRight);
    offsets->addWidget(m_offsetXEdit, 0, 1);
    offsets->addWidget(new QLabel(QStringLiteral("Y:")), 1, 0, Qt::AlignRight);
    offsets->addWidget(m_offsetYEdit, 1, 1);
    AddFontFit(offsets);
    offsets->setColumnStretch(4, 1);
    layout->addLayout(offsets);
}

// Size presets and custom size.
QGroupBox *CControlBar::CreateSizeBox()
{
    m_sizeBox = new QGroupBox;
    auto *sizeLayout = new QVBoxLayout(m_sizeBox);
    m_size8x8 = Tag(new QRadioButton(QStringLiteral("8 x 8")), 1009, "size8x8Radio");
    m_size8x16 = Tag(new QRadioButton(QStringLiteral("8 x16")), 1010, "size8x16Radio");
    m_size16x16 = Tag(new QRadioButton(QStringLiteral("16x16")), 1011, "size16x16Radio");
    m_size24x24 = Tag(new QRadioButton(QStringLiteral("24x24")), 1015, "size24x24Radio");
    m_size32x32 = Tag(new QRadioButton(QStringLiteral("32x32")), 1016, "size32x32Radio");
    m_sizeCustom = Tag(new QRadioButton, 1021, "sizeCustomRadio");
    auto *sizeGroup = new QButtonGroup(this);
    for (QRadioButton *radio : {m_size8x8, m_size8x16, m_size16x16, m_size24x24, m_size32x32, m_sizeCustom}) {
        sizeGroup->addButton(radio);
        sizeLayout->addWidget(radio);
    }
    auto *custom = new QHBoxLayout;
    m_customWidthEdit = SmallEdit(1022, "customWidthEdit", false);
    m_customHeightEdit = SmallEdit(1023, "customHeightEdit", false);
    m_customWidthEdit->setMaxLength(6);
    m_customHeightEdit->setMaxLength(6);
    m_sizeBox->setStyleSheet(QStringLiteral("QLineEdit[invalid=\"true\"] { border: 2px solid #d01010; }"));
    custom->addWidget(m_customWidthEdit);
    custom->addWidget(new QLabel(QStringLiteral("x")));
    custom->addWidget(m_customHeightEdit);
    custom->addStretch();
    sizeLayout->addLayout(custom);
    return m_sizeBox;
}

QGroupBox *CControlBar::CreateScanBox()
{
    m_scanBox = new QGroupBox;
    auto *scanLayout = new QVBoxLayout(m_scanBox);
    m_scanHorizontal = Tag(new QRadioButton, 1019, "scanHorizontalRadio");
    m_scanVertical = Tag(new QRadioButton, 1018, "scanVerticalRadio");
    m_scanZN = Tag(new QRadioButton, 1036, "scanZNRadio");
    auto *scanGroup = new QButtonGroup(this);
    for (QRadioButton *radio : {m_scanHorizontal, m_scanVertical, m_scanZN}) {
        scanGroup->addButton(radio);
        scanLayout->addWidget(radio);
    }
    return m_scanBox;
}

// Data length, invert, zoom and bit reverse.
void CControlBar::AddOutputOptions(QVBoxLayout *layout)
{
    m_dataLengthLabel = new QLabel;
    layout->addWidget(m_dataLengthLabel);
    m_dataLengthCombo = Tag(new QComboBox, 1014, "dataLengthCombo");
    for (size_t i = 0; i < std::size(GroupDigitsChoices); ++i)
        m_dataLengthCombo->addItem(QString());
    layout->addWidget(m_dataLengthCombo);
    m_invertCheck = Tag(new QCheckBox, 1020, "invertCheck");
    layout->addWidget(m_invertCheck);

    // Zoom.
    auto *zoomRow = new QHBoxLayout;
    m_zoomLabel = new QLabel;
    zoomRow->addWidget(m_zoomLabel);
    m_zoomEdit = SmallEdit(1028, "zoomEdit", true);
    zoomRow->addWidget(m_zoomEdit);
    zoomRow->addStretch();
    layout->addLayout(zoomRow);
    m_zoomSlider = Tag(new QSlider(Qt::Horizontal), 1027, "zoomSlider");
    m_zoomSlider->setTickPosition(QSlider::NoTicks);
    layout->addWidget(m_zoomSlider);

    m_bitReverseCheck = Tag(new QCheckBox, 1038, "bitReverseCheck");
    layout->addWidget(m_bitReverseCheck);
}

void CControlBar::SetInitialState()
{
    m_offsetXEdit->setText(QStringLiteral("0"));
    m_offsetYEdit->setText(QStringLiteral("0"));
    m_size16x16->setChecked(true);
    m_invertCheck->setChecked(false);
    m_scanVertical->setChecked(true);
    m_dataLengthCombo->setCurrentIndex(1);
    m_customWidthEdit->setEnabled(false);
    m_customHeightEdit->setEnabled(false);
    m_zoomSlider->setRange(1, 30);
    m_zoomSlider->setValue(20);
    m_zoomEdit->setText(QStringLiteral("20"));
    m_fitCheck->setChecked(false);
    m_fontPixelsEdit->setText(QString::number(m_settings.GlyphFont.PixelHeight()));
}

void CControlBar::ShowSettings(bool customSize)
{
    const QSignalBlocker blockWidth(m_customWidthEdit), blockHeight(m_customHeightEdit),
        blockLength(m_dataLengthCombo), blockZoom(m_zoomSlider);
    m_offsetXEdit->setText(QString::number(m_settings.OffsetX));
    m_offsetYEdit->setText(QString::number(m_settings.OffsetY));
    QRadioButton *size = m_sizeCustom;
    for (const auto &[radio, preset] : SizePresets())
        if (!customSize && preset == QSize(m_settings.Width, m_settings.Height))
            size = radio;
    size->setChecked(true);
    const bool custom = size == m_sizeCustom;
    m_customWidthEdit->setEnabled(custom);
    m_customHeightEdit->setEnabled(custom);
    m_customWidthEdit->setText(custom ? QString::number(m_settings.Width) : QString());
    m_customHeightEdit->setText(custom ? QString::number(m_settings.Height) : QString());
    MarkCustomSize();
    for (const auto &[radio, scan] : ScanRadios())
        radio->setChecked(scan == m_settings.ScanMode);
    const auto *choice = std::find(std::begin(GroupDigitsChoices), std::end(GroupDigitsChoices), m_settings.GroupDigits);
    if (choice != std::end(GroupDigitsChoices))
        m_dataLengthCombo->setCurrentIndex(int(choice - std::begin(GroupDigitsChoices)));
    m_invertCheck->setChecked(m_settings.Invert);
    m_bitReverseCheck->setChecked(m_settings.BitReverse);
    m_zoomSlider->setValue(m_settings.Zoom);
    m_zoomEdit->setText(QString::number(m_settings.Zoom));
    m_fitCheck->setChecked(m_settings.FitOffsetY);
    m_fontPixelsEdit->setText(QString::number(m_settings.GlyphFont.PixelHeight()));
}

std::array<std::pair<QRadioButton *, QSize>, 5> CControlBar::SizePresets() const
{
    return {{{m_size8x8, {8, 8}}, {m_size8x16, {8, 16}}, {m_size16x16, {16, 16}}, {m_size24x24, {24, 24}},
             {m_size32x32, {32, 32}}}};
}

std::array<std::pair<QRadioButton *, ScanOrder>, 3> CControlBar::ScanRadios() const
{
    return {{{m_scanHorizontal, ScanOrder::Horizontal}, {m_scanVertical, ScanOrder::Vertical}, {m_scanZN, ScanOrder::ZN}}};
}

bool CControlBar::CustomSizeChosen() const
{
    return m_sizeCustom->isChecked();
}

void CControlBar::Connect()
{
    connect(m_btnLeft, &QToolButton::clicked, this, [this] { emit ShiftRequested(-1, 0); });
    connect(m_btnRight, &QToolButton::clicked, this, [this] { emit ShiftRequested(1, 0); });
    connect(m_btnUp, &QToolButton::clicked, this, [this] { emit ShiftRequested(0, -1); });
    connect(m_btnDown, &QToolButton::clicked, this, [this] { emit ShiftRequested(0, 1); });
    for (const auto &[radio, size] : SizePresets())
        connect(radio, &QRadioButton::clicked, this, [this, size] { OnSizePreset(size.width(), size.height()); });
    connect(m_sizeCustom, &QRadioButton::clicked, this, &CControlBar::OnCustomSize);
    // What is typed shows in the edits at once; the size takes it on Enter or when the edit is left.
    connect(m_customWidthEdit, &QLineEdit::textChanged, this, &CControlBar::OnCustomWidthChanged);
    connect(m_customHeightEdit, &QLineEdit::textChanged, this, &CControlBar::MarkCustomSize);
    connect(m_customWidthEdit, &QLineEdit::editingFinished, this, &CControlBar::ApplyCustomSize);
    connect(m_customHeightEdit, &QLineEdit::editingFinished, this, &CControlBar::ApplyCustomSize);
    for (const auto &[radio, scan] : ScanRadios())
        connect(radio, &QRadioButton::clicked, this, [this, scan = scan] {
            m_settings.ScanMode = scan;
            emit SettingsChanged();
        });
    connect(m_dataLengthCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || index >= int(std::size(GroupDigitsChoices)))
            return;
        m_settings.GroupDigits = GroupDigitsChoices[index];
        emit SettingsChanged();
    });
    connect(m_invertCheck, &QCheckBox::clicked, this, [this] {
        m_settings.Invert = !m_settings.Invert;
        emit SettingsChanged();
    });
    connect(m_bitReverseCheck, &QCheckBox::clicked, this, [this] {
        m_settings.BitReverse = !m_settings.BitReverse;
        emit SettingsChanged();
    });
    connect(m_fitCheck, &QCheckBox::clicked, this, [this](bool checked) {
        m_settings.FitOffsetY = checked;
        emit ShiftRequested(0, 0);
        emit SettingsChanged();
    });
    connect(m_fontPixelsEdit, &QLineEdit::editingFinished, this, &CControlBar::OnFontPixelsEdited);
    connect(m_zoomSlider, &QSlider::sliderReleased, this, &CControlBar::OnZoomReleased);
    connect(m_zoomSlider, &QSlider::valueChanged, this, &CControlBar::OnZoomKeyboard);
}

void CControlBar::ShowShiftedOffset(int dx, int dy)
{
    if (dx != 0)
        m_offsetXEdit->setText(QString::number(m_settings.OffsetX));
    if (dy != 0)
        m_offsetYEdit->setText(QString::number(m_settings.OffsetY));
}

void CControlBar::TypeCustomSize(int width, int height)
{
    m_sizeCustom->setChecked(true);
    m_customWidthEdit->setEnabled(true);
    m_customHeightEdit->setEnabled(true);
    m_customWidthEdit->setText(QString::number(width));
    m_customHeightEdit->setText(QString::number(height));
    ApplyCustomSize();
}

void CControlBar::SelectGroupDigits(int digits)
{
    const auto *choice = std::find(std::begin(GroupDigitsChoices), std::end(GroupDigitsChoices), digits);
    if (choice != std::end(GroupDigitsChoices))
        m_dataLengthCombo->setCurrentIndex(int(choice - std::begin(GroupDigitsChoices)));
    m_settings.GroupDigits = digits;
}

void CControlBar::OnSizePreset(int width, int height)
{
    m_settings.Width = width;
    m_settings.Height = height;
    m_customWidthEdit->setEnabled(false);
    m_customHeightEdit->setEnabled(false);
    emit SettingsChanged();
}

void CControlBar::OnCustomSize()
{
    m_customWidthEdit->setEnabled(true);
    m_customHeightEdit->setEnabled(true);
    const int w = ReadDecimal(m_customWidthEdit->text());
    const int h = ReadDecimal(m_customHeightEdit->text());
    if (w <= 0 || h <= 0) {
        // Fill the edits from the current preset width: the size becomes square.
        for (int preset : {8, 16, 24, 32})
            if (m_settings.Width == preset)
                m_customWidthEdit->setText(QString::number(preset));
    }
    ApplyCustomSize();
    m_customWidthEdit->setFocus();
}

void CControlBar::RefuseCustomSize()
{
    ShowMessage(window(), CoreMessage(MatrixTooBigMessage));
    m_syncingCustomSize = true;
    m_customWidthEdit->setText(QStringLiteral("16"));
    m_customHeightEdit->setText(QStringLiteral("16"));
    m_syncingCustomSize = false;
    m_settings.Width = 16;
    m_settings.Height = 16;
    emit SettingsChanged();
}

void CControlBar::OnCustomWidthChanged()
{
    // Typing a width makes the glyph square; the height edit follows.
    if (!m_syncingCustomSize) {
        m_syncingCustomSize = true;
        m_customHeightEdit->setText(m_customWidthEdit->text());
        m_syncingCustomSize = false;
    }
    MarkCustomSize();
}

void CControlBar::MarkCustomSize()
{
    // A side the glyph cannot have is shown in its edit, red and with the reason as its tip,
    // until it is mended or taken (and refused).
    for (QLineEdit *edit : {m_customWidthEdit, m_customHeightEdit}) {
        const bool tooBig = ReadDecimal(edit->text()) > MaxGlyphSide;
        if (edit->property("invalid").toBool() == tooBig)
            continue;
        edit->setProperty("invalid", tooBig);
        edit->setToolTip(tooBig ? CoreMessage(MatrixTooBigMessage) : QString());
        edit->style()->unpolish(edit);
        edit->style()->polish(edit);
    }
}

void CControlBar::ApplyCustomSize()
{
    if (m_syncingCustomSize || !m_sizeCustom->isChecked())
        return;
    const int width = ReadDecimal(m_customWidthEdit->text());
    const int height = ReadDecimal(m_customHeightEdit->text());
    if (width > MaxGlyphSide || height > MaxGlyphSide) {
        RefuseCustomSize();
        return;
    }
    if (width == m_settings.Width && height == m_settings.Height)
        return;
    m_settings.Width = width;
    m_settings.Height = height;
    emit SettingsChanged();
}

void CControlBar::OnZoomReleased()
{
    m_settings.Zoom = m_zoomSlider->value();
    m_zoomEdit->setText(QString::number(m_settings.Zoom));
    emit SettingsChanged();
}

void CControlBar::OnZoomKeyboard(int value)
{
    // A drag takes effect when the mouse is released; keys and wheel take effect at once.
    if (m_zoomSlider->isSliderDown())
        return;
    m_settings.Zoom = value;
    m_zoomEdit->setText(QString::number(value));
    emit SettingsChanged();
}
