#include "cindexdlg.h"

#include "encode/indexvalue.h"
#include "l10n/language.h"
#include "messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CIndexDlg::CIndexDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("indexDialog"));
    setWindowTitle(tr("索引"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(tr("产生带索引的文件按确定按钮\n不带索引按取消按钮。\n修改索引初值直接在文本框内修改"));
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
    auto *ok = new QPushButton(tr("确定"));
    ok->setObjectName(QStringLiteral("indexOkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("取消"));
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
    uint16_t value = 0;
    // One byte a character, so the length is counted in characters; others read as "?".
    switch (ParseIndexValue(m_strIndex.toLatin1().toStdString(), value)) {
    case IndexValueCheck::TooLong:
        ShowMessage(this, CoreMessage(IndexTooLongMessage));
        return;
    case IndexValueCheck::Invalid:
        ShowMessage(this, CoreMessage(IndexInvalidMessage));
        return;
    case IndexValueCheck::Ok:
        break;
    }
    m_nIndex = value;
    QDialog::accept();
}

bool CIndexDlg::Ask(QWidget *parent, uint16_t &start)
{
    CIndexDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    start = uint16_t(dialog.m_nIndex);
    return true;
}
