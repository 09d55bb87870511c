#include "cglyphformatdlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct FormatChoice
{
    int Id;
    const char *Text;
    const char *Name;
    SourceFormat OutputFormat;
    bool NumberedNames;
};

const FormatChoice Choices[] = {
    {1017, QT_TRANSLATE_NOOP("CGlyphFormatDlg", "典型顺序排列"), "formatTypicalRadio", SourceFormat::Typical, false},
    {1025, QT_TRANSLATE_NOOP("CGlyphFormatDlg", "汉语拼音自动命名C语言数组"), "formatPinyinCRadio", SourceFormat::CArray, false},
    {1026, QT_TRANSLATE_NOOP("CGlyphFormatDlg", "汉语拼音自动命名汇编DB表"), "formatPinyinAsmRadio", SourceFormat::AsmTable, false},
    {1034, QT_TRANSLATE_NOOP("CGlyphFormatDlg", "自动编号C语言数组"), "formatNumberedCRadio", SourceFormat::CArray, true},
    {1035, QT_TRANSLATE_NOOP("CGlyphFormatDlg", "自动编号汇编DB表"), "formatNumberedAsmRadio", SourceFormat::AsmTable, true},
};

int CheckedChoice(const GlyphSettings &settings)
{
    switch (settings.OutputFormat) {
    case SourceFormat::CArray:
        return settings.NumberedNames ? 1034 : 1025;
    case SourceFormat::AsmTable:
        return settings.NumberedNames ? 1035 : 1026;
    default:
        return 1017;
    }
}

} // namespace

CGlyphFormatDlg::CGlyphFormatDlg(GlyphSettings &settings, QWidget *parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("glyphFormatDialog"));
    setWindowTitle(tr("字模格式"));
    auto *layout = new QHBoxLayout(this);
    auto *radios = new QVBoxLayout;
    const int checked = CheckedChoice(settings);
    for (const FormatChoice &choice : Choices) {
        auto *radio = new QRadioButton(tr(choice.Text));
        radio->setObjectName(QString::fromLatin1(choice.Name));
        radio->setProperty("controlId", choice.Id);
        radio->setChecked(choice.Id == checked);
        connect(radio, &QRadioButton::clicked, this, [this, choice] {
            m_settings.OutputFormat = choice.OutputFormat;
            m_settings.NumberedNames = choice.NumberedNames;
        });
        radios->addWidget(radio);
    }
    layout->addLayout(radios);
    auto *ok = new QPushButton(tr("确定"));
    ok->setObjectName(QStringLiteral("formatOkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addSpacing(24);
    layout->addLayout(buttons);
    layout->setContentsMargins(20, 18, 12, 12);
}

QRadioButton *CGlyphFormatDlg::Choice(int id) const
{
    for (QRadioButton *radio : findChildren<QRadioButton *>())
        if (radio->property("controlId").toInt() == id)
            return radio;
    return nullptr;
}

void CGlyphFormatDlg::reject()
{
    accept();
}
