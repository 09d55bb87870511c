#include "cexportdlg.h"

#include "filechooser.h"
#include "messages.h"

#include "export/lvglcompress.h"
#include "l10n/language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    connect(m_bpp, &QComboBox::currentIndexChanged, this, [this] { emit BppChosen(m_bpp->currentData().toInt()); });
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
    m_bpp->setEnabled(format.TakesBpp);
    if (!format.TakesBpp)
        m_bpp->setCurrentIndex(0);
    m_name->setEnabled(format.TakesFontName);
    OfferCompression();
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
