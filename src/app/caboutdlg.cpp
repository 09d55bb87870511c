#include "caboutdlg.h"

#include "artwork.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *PlainLabel(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText); // shown as written: no markup, no mnemonic
    return label;
}

// The prose to the user, a rule, and under the right half of the prose the version, rights and
// project.
QVBoxLayout *TextColumn()
{
    // Rich text only for the line spacing, which makes the Chinese prose easier to read.
    auto *prose = new QLabel(
        QStringLiteral("<p style=\"line-height:140%\">")
        + CAboutDlg::tr("汉字是世界上历史最悠久、至今仍被亿万人日常使用的文字之一。它以形表意，"
                        "一字一音，在人类众多的书写系统中独树一帜，也承载着绵延数千年的文化。"
                        "愿每一块液晶屏和 LED 点阵都能清晰地显示汉字，欢迎您在单片机和各类显示"
                        "设备上大胆使用它。如果您对本工具有任何意见或改进建议，我们十分期待听到"
                        "您的声音。")
        + QStringLiteral("</p>"));
    prose->setObjectName(QStringLiteral("aboutTextLabel"));
    prose->setTextFormat(Qt::RichText);
    prose->setWordWrap(true);
    prose->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prose->setFixedWidth(350);
    // The dialog takes its fixed size from the labels' size hints, which do not know the wrapped
    // height at this width: the prose asks for it, so that no line of it is cut off.
    prose->setMinimumHeight(prose->heightForWidth(prose->width()));

    auto *version = PlainLabel(QStringLiteral("Dotrix V5.3"), "aboutVersionLabel");
    QFont versionFont = version->font();
    versionFont.setBold(true);
    version->setFont(versionFont);
    auto *rights = PlainLabel(CAboutDlg::tr("Copyright (C) Dotrix 项目"), "aboutRightsLabel");
    auto *project = PlainLabel(
        CAboutDlg::tr("Dotrix 项目\n字模数据生成工具\n为 LCD / LED 点阵显示生成字模数据"),
        "aboutProjectLabel");

    auto *facts = new QVBoxLayout;
    facts->setSpacing(6);
    facts->addWidget(version);
    facts->addWidget(rights);
    facts->addSpacing(4);
    facts->addWidget(project);

    auto *text = new QVBoxLayout;
    text->setSpacing(10);
    text->addWidget(prose);
    auto *rule = new QFrame;
    rule->setObjectName(QStringLiteral("aboutRule"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    text->addWidget(rule);
    auto *factsRow = new QHBoxLayout;
    factsRow->addSpacing(120);
    factsRow->addLayout(facts);
    factsRow->addStretch();
    text->addLayout(factsRow);
    text->addStretch();
    return text;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("关于 Dotrix"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(ApplicationIcon());

    auto *icon = new QLabel;
    icon->setObjectName(QStringLiteral("aboutIconLabel"));
    icon->setPixmap(ApplicationIcon().pixmap(QSize(48, 48)));
    icon->setFixedSize(48, 48);

    auto *ok = new QPushButton(tr("确定"));
    ok->setObjectName(QStringLiteral("aboutOkButton"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    ok->setMinimumWidth(80);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *iconColumn = new QVBoxLayout;
    iconColumn->addSpacing(8);
    iconColumn->addWidget(icon);
    iconColumn->addStretch();

    auto *buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(ok);
    buttonColumn->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(18);
    layout->addLayout(iconColumn);
    layout->addLayout(TextColumn(), 1);
    layout->addLayout(buttonColumn);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
