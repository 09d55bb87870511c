#include "cexportdlg.h"

#include "filechooser.h"
#include "messages.h"

#include "export/exportpreview.h"
#include "export/lvglcompress.h"
#include "l10n/language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const struct
{
    int Bpp;
    const char *Text;
} BppChoices[] = {
    {1, QT_TRANSLATE_NOOP("CExportDlg", "1 位：黑白点阵（与批量生成的点相同）")},
    {2, QT_TRANSLATE_NOOP("CExportDlg", "2 位：4 级灰度")},
    {4, QT_TRANSLATE_NOOP("CExportDlg", "4 位：16 级灰度")},
    {8, QT_TRANSLATE_NOOP("CExportDlg", "8 位：256 级灰度")},
};

const struct
{
    AdvanceMode Advance;
    const char *Text;
    const char *Tip;
} AdvanceChoices[] = {
    {AdvanceMode::Font, QT_TRANSLATE_NOOP("CExportDlg", "字体自身"),
     QT_TRANSLATE_NOOP("CExportDlg", "每个字按字体给它的宽度前进，如正文排版")},
    {AdvanceMode::Cell, QT_TRANSLATE_NOOP("CExportDlg", "整格"),
     QT_TRANSLATE_NOOP("CExportDlg", "每个字都前进一整格：等宽的网格")},
    {AdvanceMode::Half, QT_TRANSLATE_NOOP("CExportDlg", "半角半格"),
     QT_TRANSLATE_NOOP("CExportDlg", "单字节字符（半角）前进半格，双字节字符前进一整格")},
};

// A line of sample text, not a page: each change draws the whole line again.
constexpr int MaxPreviewText = 200;

// The preview shows small cells three times their size and large ones twice or as they are,
// each dot a square of whole pixels.
int PreviewScale(int cellHeight)
{
    return cellHeight <= 24 ? 3 : cellHeight <= 48 ? 2 : 1;
}

} // namespace

CExportDlg::CExportDlg(const FontExportRequest &request, const QString &defaultName, const QString &startDir,
                       QWidget *parent)
    : QDialog(parent), m_request(request)
{
    setObjectName(QStringLiteral("exportDialog"));
    setWindowTitle(tr("导出显示库字体"));
    auto *form = new QFormLayout;

    m_format = new QComboBox;
    m_format->setObjectName(QStringLiteral("exportFormatCombo"));
    for (const ExportFormatInfo &format : ExportFormats())
        m_format->addItem(CoreMessage(format.Title), int(format.Format));
    m_format->setCurrentIndex(std::max(0, m_format->findData(int(request.Format))));
    form->addRow(tr("格式："), m_format);

    m_bpp = new QComboBox;
    m_bpp->setObjectName(QStringLiteral("exportBppCombo"));
    for (const auto &choice : BppChoices)
        m_bpp->addItem(tr(choice.Text), choice.Bpp);
    m_bpp->setCurrentIndex(std::max(0, m_bpp->findData(request.Bpp)));
    form->addRow(tr("每点位数："), m_bpp);
    m_compress = new QCheckBox(tr("压缩 (LVGL)"));
    m_compress->setObjectName(QStringLiteral("exportCompressCheck"));
    m_compress->setToolTip(tr("LVGL 的压缩位图：灰度不变，字节更少；只用于 2 或 4 位，"
                              "LVGL 须在 lv_conf.h 中设 LV_USE_FONT_COMPRESSED 1"));
    m_compress->setChecked(request.Compress);
    form->addRow(QString(), m_compress);
    AddSpacingRow(form);

    m_name = new QLineEdit(request.FontName);
    m_name->setObjectName(QStringLiteral("exportFontNameEdit"));
    m_name->setPlaceholderText(defaultName);
    form->addRow(tr("字体名（C 标识符）："), m_name);

    QString file = request.OutPath;
    if (file.isEmpty())
        file = QDir(startDir).filePath(defaultName + QString::fromUtf8(ChosenFormat().Suffix));
    m_file = new QLineEdit(file);
    m_file->setObjectName(QStringLiteral("exportFileEdit"));
    m_file->setMinimumWidth(360);
    auto *browse = new QPushButton(tr("浏览..."));
    browse->setObjectName(QStringLiteral("exportBrowseButton"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    form->addRow(tr("写入文件："), fileRow);

    auto *ok = new QPushButton(tr("导出"));
    ok->setObjectName(QStringLiteral("exportOkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("取消"));
    cancel->setObjectName(QStringLiteral("exportCancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_format, &QComboBox::currentIndexChanged, this, &CExportDlg::OnFormatChosen);
    connect(m_bpp, &QComboBox::currentIndexChanged, this, [this] {
        emit BppChosen(m_bpp->currentData().toInt());
        ShowPreview();
    });
    connect(m_bpp, &QComboBox::currentIndexChanged, this, &CExportDlg::OfferCompression);
    connect(browse, &QPushButton::clicked, this, &CExportDlg::OnBrowse);
    connect(ok, &QPushButton::clicked, this, &CExportDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    OnFormatChosen();
}

const ExportFormatInfo &CExportDlg::ChosenFormat() const
{
    return FormatInfo(ExportFormat(m_format->currentData().toInt()));
}

void CExportDlg::OnFormatChosen()
{
    const ExportFormatInfo &format = ChosenFormat();
    // The file keeps its name and takes the format's suffix.
    const QFileInfo file(m_file->text());
    if (!file.fileName().isEmpty())
        m_file->setText(file.dir().filePath(file.completeBaseName() + QString::fromUtf8(format.Suffix)));
    m_bpp->setEnabled(format.TakesBpp());
    if (!format.TakesBpp())
        m_bpp->setCurrentIndex(std::max(0, m_bpp->findData(format.FixedBpp)));
    m_name->setEnabled(format.TakesFontName);
    OnSpacingChosen();
    OfferCompression();
}

void CExportDlg::AddSpacingRow(QFormLayout *form)
{
    m_advance = new QComboBox;
    m_advance->setObjectName(QStringLiteral("exportAdvanceCombo"));
    for (const auto &choice : AdvanceChoices) {
        m_advance->addItem(tr(choice.Text), int(choice.Advance));
        m_advance->setItemData(m_advance->count() - 1, tr(choice.Tip), Qt::ToolTipRole);
    }
    m_advance->setCurrentIndex(std::max(0, m_advance->findData(int(m_request.Advance))));
    m_kerning = new QCheckBox(tr("字距调整"));
    m_kerning->setObjectName(QStringLiteral("exportKerningCheck"));
    m_kerning->setChecked(m_request.Kerning);
    m_kerning->setToolTip(tr("写入字体自带的字距（如 AV、To 靠得更近）；"
                             "只有 LVGL 格式、字宽为“字体自身”时才有"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_advance);
    row->addSpacing(12);
    row->addWidget(m_kerning);
    row->addStretch();
    form->addRow(tr("字宽："), row);
    connect(m_advance, &QComboBox::currentIndexChanged, this, &CExportDlg::OnSpacingChosen);
    connect(m_kerning, &QCheckBox::toggled, this, &CExportDlg::ShowPreview);
}

void CExportDlg::OnSpacingChosen()
{
    // Only LVGL's font has a place for kerning, and only with the font's own advances.
    FontExportRequest shown = ShownRequest();
    shown.Kerning = true;
    m_kerning->setEnabled(CarriesKerning(shown));
    ShowPreview();
}

FontExportRequest CExportDlg::ShownRequest() const
{
    FontExportRequest request = m_request;
    request.Format = ChosenFormat().Format;
    request.Bpp = m_bpp->currentData().toInt();
    request.Advance = AdvanceMode(m_advance->currentData().toInt());
    request.Kerning = m_kerning->isChecked();
    return request;
}

void CExportDlg::AddPreview(const GlyphSettings &settings, const QString &text, const std::vector<CodePointChar> &list)
{
    m_previewSettings = &settings;
    m_exported.clear();
    for (const CodePointChar &character : list)
        m_exported.push_back(character.CodePoint);
    std::sort(m_exported.begin(), m_exported.end());
    auto *box = new QGroupBox(tr("预览"));
    box->setObjectName(QStringLiteral("exportPreviewBox"));
    m_previewText = new QLineEdit(text);
    m_previewText->setObjectName(QStringLiteral("exportPreviewEdit"));
    m_previewText->setPlaceholderText(tr("输入要预览的文字"));
    m_previewText->setMaxLength(MaxPreviewText);
    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("exportPreviewLabel"));
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The line scrolls sideways when longer than the dialog is wide; its height stays.
    m_previewArea = new QScrollArea;
    m_previewArea->setObjectName(QStringLiteral("exportPreviewArea"));
    m_previewArea->setWidget(m_preview);
    m_previewArea->setBackgroundRole(QPalette::Base);
    m_previewArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int scale = PreviewScale(settings.Height);
    m_previewArea->setFixedHeight(std::max(1, settings.Height) * scale + 8 + 2 * m_previewArea->frameWidth()
                                  + m_previewArea->horizontalScrollBar()->sizeHint().height());
    m_previewNote = new QLabel;
    m_previewNote->setObjectName(QStringLiteral("exportPreviewNote"));
    m_previewNote->setWordWrap(true);
    // Room for the note's two lines (the line's size and the characters the font will not have),
    // so that a longer note does not squeeze the preview above it.
    m_previewNote->setMinimumHeight(2 * m_previewNote->fontMetrics().lineSpacing());
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_previewText);
    boxLayout->addWidget(m_previewArea);
    boxLayout->addWidget(m_previewNote);
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->insertWidget(layout->count() - 1, box); // above the buttons
    connect(m_previewText, &QLineEdit::textChanged, this, &CExportDlg::ShowPreview);
    ShowPreview();
    // Wide enough for the first text set in whole cells (within reason); longer lines scroll.
    const qsizetype cells = qsizetype(PreviewCharacters(text).size());
    m_previewArea->setMinimumWidth(int(std::min<qsizetype>(cells * std::max(1, settings.Width) * scale + 8, 960))
                                   + 2 * m_previewArea->frameWidth());
}

void CExportDlg::ShowPreview()
{
    if (!m_preview)
        return;
    const FontExportRequest request = ShownRequest();
    const std::vector<CodePointChar> characters = PreviewCharacters(m_previewText->text());
    const ExportPreview line = DrawExportPreview(characters, *m_previewSettings, request.Bpp, request.Advance,
                                                 CarriesKerning(request));
    const int scale = PreviewScale(m_previewSettings->Height);
    if (line.Image.isNull()) {
        m_preview->clear();
        m_preview->resize(0, 0);
        m_previewNote->clear();
        return;
    }
    // Nearest-neighbour enlargement keeps every dot a sharp square. A margin of paper all round.
    const QImage big = line.Image.scaled(line.Image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage paper(big.width() + 8, big.height() + 8, QImage::Format_Grayscale8);
    paper.fill(255);
    for (int y = 0; y < big.height(); ++y)
        std::copy_n(big.constScanLine(y), big.width(), paper.scanLine(y + 4) + 4);
    m_preview->setPixmap(QPixmap::fromImage(paper));
    m_preview->resize(paper.size());
    QString note = tr("这一行宽 %1 点、高 %2 点，放大 %3 倍显示").arg(line.Width).arg(line.Image.height()).arg(scale);
    // The file holds only the list's characters: a display library draws nothing for the others.
    QString missing;
    for (const CodePointChar &character : characters) {
        // A space shown as the open box that stands for one.
        const QString shown = character.CodePoint == U' ' ? QStringLiteral("\u2423") : QString::fromUcs4(&character.CodePoint, 1);
        if (!std::binary_search(m_exported.begin(), m_exported.end(), character.CodePoint) && !missing.contains(shown))
            missing += shown;
    }
    if (!missing.isEmpty())
        note += tr("；字符列表中没有“%1”，导出的字体里也没有").arg(missing);
    m_previewNote->setText(note);
}

void CExportDlg::OfferCompression()
{
    m_compress->setEnabled(ChosenFormat().Format == ExportFormat::Lvgl && LvglCompressesBpp(m_bpp->currentData().toInt()));
}

void CExportDlg::OnBrowse()
{
    const ExportFormatInfo &format = ChosenFormat();
    const QString suffix = QString::fromUtf8(format.Suffix);
    const QString chosen = ChooseFile(this, {FileRequest::SaveFile, tr("导出显示库字体"), m_file->text(),
                                             {CoreMessage(format.Title).section(QLatin1Char(' '), 0, -2)
                                                  + QStringLiteral(" (*%1)").arg(suffix),
                                              tr("所有文件(*)")},
                                             suffix.mid(1)});
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void CExportDlg::AddSummary(QWidget *summary)
{
    static_cast<QVBoxLayout *>(layout())->insertWidget(0, summary);
}

void CExportDlg::accept()
{
    FontExportRequest request = m_request;
    request.Format = ChosenFormat().Format;
    request.Bpp = m_bpp->currentData().toInt();
    request.Compress = m_compress->isEnabled() && m_compress->isChecked();
    request.FontName = m_name->isEnabled() ? m_name->text().trimmed() : QString();
    request.OutPath = m_file->text().trimmed();
    request.Advance = AdvanceMode(m_advance->currentData().toInt());
    request.Kerning = m_kerning->isChecked();
    if (!request.FontName.isEmpty() && !IsCIdentifier(request.FontName.toStdString())) {
        ShowMessage(this, tr("字体名“%1”不是 C 语言的标识符：只能用字母、数字和下划线，"
                             "不能以数字开头，也不能是 C 的关键字。")
                              .arg(request.FontName));
        return;
    }
    if (request.OutPath.isEmpty()) {
        ShowMessage(this, tr("请选择要写入的文件。"));
        return;
    }
    m_request = request;
    QDialog::accept();
}
