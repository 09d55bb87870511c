#include "cfontsel.h"

#include "charset/charlist.h"
#include "charset/cp936.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The list as the edit shows it: line breaks in any form become one break.
QString ToDisplay(const std::string &list)
{
    QString text = Cp936ToQString(list);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

CFontSel::CFontSel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("characterList"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_listEdit = new QPlainTextEdit;
    m_listEdit->setObjectName(QStringLiteral("listEdit"));
    m_listEdit->setProperty("controlId", 1001);
    m_listEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_listEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_listEdit->setWordWrapMode(QTextOption::WrapAnywhere);
    QFont listFont = m_listEdit->font();
    listFont.setPointSize(12);
    m_listEdit->setFont(listFont);
    m_listEdit->setPlaceholderText(QStringLiteral("在此输入或粘贴要生成字模的字符，或从“文件”菜单导入字符集"));
    m_listEdit->installEventFilter(this); // Enter is not a line break in the list
    // The pane takes keys in its list: F6 or a click on the pane lands there.
    setFocusProxy(m_listEdit);
    layout->addWidget(m_listEdit, 1);

    auto *tools = new QHBoxLayout;
    tools->setContentsMargins(2, 0, 6, 2);
    tools->setSpacing(4);
    m_filterButton = new QPushButton(QStringLiteral("过滤单字节字符"));
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_filterButton->setProperty("controlId", 1006);
    m_sortButton = new QPushButton(QStringLiteral("排序"));
    m_sortButton->setObjectName(QStringLiteral("sortButton"));
    m_sortButton->setProperty("controlId", 1017);
    m_autoDelete = new QCheckBox(QStringLiteral("自动删除重复字符"));
    m_autoDelete->setObjectName(QStringLiteral("autoDeleteCheck"));
    m_autoDelete->setProperty("controlId", 1037);
    m_countEdit = new QLineEdit;
    m_countEdit->setObjectName(QStringLiteral("countEdit"));
    m_countEdit->setProperty("controlId", 1002);
    m_countEdit->setValidator(new QIntValidator(0, INT_MAX, m_countEdit));
    m_countEdit->setFixedWidth(52);
    m_countEdit->setAlignment(Qt::AlignRight);
    tools->addWidget(m_filterButton);
    tools->addWidget(m_sortButton);
    tools->addWidget(m_autoDelete);
    tools->addStretch();
    tools->addWidget(new QLabel(QStringLiteral("共计")));
    tools->addWidget(m_countEdit);
    tools->addWidget(new QLabel(QStringLiteral("字")));
    layout->addLayout(tools);

    connect(m_listEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_pushing)
            OnListTextChanged();
    });
    connect(m_filterButton, &QPushButton::clicked, this, &CFontSel::OnFilterSingleByte);
    connect(m_sortButton, &QPushButton::clicked, this, &CFontSel::OnSort);
    PushFields();
}

void CFontSel::OnInitialUpdate()
{
    PushFields();
}

void CFontSel::PullFields()
{
    // The edit shows line breaks as the platform's CR LF pairs.
    QString text = m_listEdit->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::vector<std::string> skipped;
    ListText = QStringToCp936(text, &skipped);
    if (!skipped.empty()) {
        emit StatusMessage(QStringLiteral("已略去 %1 个在 GBK 编码中没有的字符").arg(skipped.size()));
        PushKeepingCursor(); // show the list as it now is
    }
    bool ok = false;
    const int count = m_countEdit->text().toInt(&ok);
    if (ok)
        CharCount = count;
    AutoDeleteDuplicates = m_autoDelete->isChecked();
}

void CFontSel::PushFields()
{
    m_pushing = true;
    const QString display = ToDisplay(ListText);
    if (m_listEdit->toPlainText() != display) {
        const int scroll = m_listEdit->verticalScrollBar()->value();
        m_listEdit->setPlainText(display);
        m_listEdit->verticalScrollBar()->setValue(scroll);
    }
    m_countEdit->setText(QString::number(CharCount));
    m_autoDelete->setChecked(AutoDeleteDuplicates);
    m_pushing = false;
}

void CFontSel::SetList(const std::string &text, int count)
{
    ListText = text;
    CharCount = count;
    PushFields();
}

void CFontSel::AddTypedCharacter(const std::string &character)
{
    const CharList result = ::AddTypedCharacter(ListText, CharCount, character);
    if (result.Text == ListText)
        return;
    ListText = result.Text;
    CharCount = result.Count;
    PushFields();
    m_listEdit->moveCursor(QTextCursor::End);
}

void CFontSel::OnListTextChanged()
{
    PullFields();
    if (!AutoDeleteDuplicates)
        return;
    const CharList result = RemoveDuplicates(ListText);
    ListText = result.Text;
    CharCount = result.Count;
    PushKeepingCursor();
}

void CFontSel::PushKeepingCursor()
{
    // The cursor stays at the same distance from the end, where the user is usually typing.
    const QTextDocument *document = m_listEdit->document();
    const int fromEnd = document->characterCount() - m_listEdit->textCursor().position();
    const QString before = m_listEdit->toPlainText();
    PushFields();
    if (m_listEdit->toPlainText() == before)
        return;
    QTextCursor cursor = m_listEdit->textCursor();
    cursor.setPosition(std::clamp(document->characterCount() - fromEnd, 0, document->characterCount() - 1));
    m_listEdit->setTextCursor(cursor);
}

void CFontSel::OnFilterSingleByte()
{
    PullFields();
    const CharList result = FilterSingleByte(ListText);
    SetList(result.Text, result.Count);
}

void CFontSel::OnSort()
{
    PullFields();
    const CharList result = SortList(ListText, CharCount);
    SetList(result.Text, result.Count);
}

bool CFontSel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
