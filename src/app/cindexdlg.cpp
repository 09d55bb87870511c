#include "cindexdlg.h"

#include "messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CIndexDlg::CIndexDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("indexDialog"));
    setWindowTitle(QStringLiteral("索引"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("产生带索引的文件按确定按钮\n不带索引按取消按钮。\n修改索引初值直接在文本框内修改"));
    text->setObjectName(QStringLiteral("indexExplanation"));
    layout->addWidget(text);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("0x")));
    m_edit = new QLineEdit(m_strIndex);
    m_edit->setObjectName(QStringLiteral("indexEdit"));
    m_edit->setProperty("controlId", 1001);
    // Letters become capitals as they are typed.
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString &typed) {
        const QString upper = typed.toUpper();
        if (upper != typed) {
            const int cursor = m_edit->cursorPosition();
            m_edit->setText(upper);
            m_edit->setCursorPosition(cursor);
        }
    });
    row->addWidget(m_edit);
    layout->addLayout(row);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("indexOkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"));
    cancel->setObjectName(QStringLiteral("indexCancelButton"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CIndexDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // OK holds the focus when the dialog opens, so Enter accepts the value shown.
    setTabOrder(ok, cancel);
    setTabOrder(cancel, m_edit);
    ok->setFocus();
    resize(360, sizeHint().height());
}

void CIndexDlg::accept()
{
    m_strIndex = m_edit->text();
    if (m_strIndex.size() > 4) {
        ShowMessage(this, QStringLiteral("索引值太长,必须是四位"));
        return;
    }
    const QString digits = m_strIndex.toUpper();
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const QChar c = i < digits.size() ? digits[i] : QChar();
        int digit = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        if (digit < 0) {
            ShowMessage(this, QStringLiteral("无效索引"));
            return;
        }
        value = value * 16 + digit;
    }
    m_nIndex = value;
    QDialog::accept();
}
