#include "cfontsel.h"

#include "charset/charlist.h"
#include "charset/collect.h"
#include "charset/cp936.h"
#include "filechooser.h"
#include "l10n/failuretext.h"
#include "messages.h"
#include "progressbox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include <set>

namespace {

// The list as the edit shows it, line breaks in any form as one break, and where each UTF-16 unit's
// character starts in the list.
QString ToDisplay(const std::string &list, std::vector<size_t> &byteAt)
{
    QString text;
    byteAt.clear();
    const std::vector<std::string> shown = Cp936ToUtf8Chars(list);
    size_t at = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const size_t length = CharLengthAt(list, at);
        if (list[at] == '\r' && at + 1 < list.size() && list[at + 1] == '\n') {
            text += QLatin1Char('\n');
            byteAt.push_back(at);
            at += 2;
            ++i; // the LF of the pair
            continue;
        }
        const QString unit = list[at] == '\r' ? QStringLiteral("\n") : QString::fromStdString(shown[i]);
        text += unit;
        byteAt.insert(byteAt.end(), size_t(unit.size()), at);
        at += length;
    }
    byteAt.push_back(list.size());
    return text;
}

// The characters of part the edit can show; the others (a lone lead byte at the end, a code with
// no character) are added to dropped.
std::string ShowableChars(std::string_view part, std::vector<std::string> &dropped)
{
    static const std::string Replacement = "\xEF\xBF\xBD";
    std::string kept;
    kept.reserve(part.size());
    size_t at = 0;
    for (const std::string &shown : Cp936ToUtf8Chars(part)) {
        const size_t length = CharLengthAt(part, at);
        if (shown == Replacement)
            dropped.push_back(shown);
        else
            kept.append(part.substr(at, length));
        at += length;
    }
    return kept;
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
    m_listEdit->installEventFilter(this); // Enter is not a line break in the list
    // Tab moves on to the next control as everywhere else in the window; a tab character in the
    // list would become a glyph of its own. Ctrl+Tab still types one, as in other multi-line boxes.
    m_listEdit->setTabChangesFocus(true);
    // The pane takes keys in its list: F6 or a click on the pane lands there.
    setFocusProxy(m_listEdit);
    layout->addWidget(m_listEdit, 1);

    auto *tools = new QHBoxLayout;
    tools->setContentsMargins(2, 0, 6, 2);
    tools->setSpacing(4);
    m_filterButton = new QPushButton;
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_filterButton->setProperty("controlId", 1006);
    m_sortButton = new QPushButton;
    m_sortButton->setObjectName(QStringLiteral("sortButton"));
    m_sortButton->setProperty("controlId", 1017);
    // Collecting offers a file or a folder from one button's menu.
    m_collectButton = new QPushButton;
    m_collectButton->setObjectName(QStringLiteral("collectButton"));
    auto *collectMenu = new QMenu(m_collectButton);
    collectMenu->addAction(QString(), this, [this] { OnCollect(false); })->setObjectName(QStringLiteral("collectFile"));
    collectMenu->addAction(QString(), this, [this] { OnCollect(true); })->setObjectName(QStringLiteral("collectFolder"));
    m_collectButton->setMenu(collectMenu);
    m_autoDelete = new QCheckBox;
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
    m_totalLabel = new QLabel;
    m_unitLabel = new QLabel;
    tools->addWidget(m_totalLabel);
    tools->addWidget(m_countEdit);
    tools->addWidget(m_unitLabel);
    // Collecting has a row of its own: the tools' row is as wide as a small screen allows.
    auto *collectRow = new QHBoxLayout;
    collectRow->setContentsMargins(2, 0, 6, 0);
    collectRow->addWidget(m_collectButton);
    collectRow->addStretch();
    layout->addLayout(collectRow);
    layout->addLayout(tools);

    connect(m_listEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_pushing)
            OnListTextChanged();
    });
    connect(m_filterButton, &QPushButton::clicked, this, &CFontSel::OnFilterSingleByte);
    connect(m_sortButton, &QPushButton::clicked, this, &CFontSel::OnSort);
    RetranslateUi();
    PushFields();
}

void CFontSel::RetranslateUi()
{
    m_listEdit->setPlaceholderText(tr("在此输入或粘贴要生成字模的字符，或从“文件”菜单导入字符集"));
    m_filterButton->setText(tr("过滤单字节字符"));
    m_sortButton->setText(tr("排序"));
    m_collectButton->setText(tr("从文件收集字符..."));
    m_collectButton->setToolTip(tr("把源文件中字符串和文本里的字符加到列表末尾"));
    const QList<QAction *> collect = m_collectButton->menu()->actions();
    collect[0]->setText(tr("文件(&F)..."));
    collect[1]->setText(tr("文件夹及其中所有文件(&D)..."));
    m_autoDelete->setText(tr("自动删除重复字符"));
    m_totalLabel->setText(tr("共计"));
    m_unitLabel->setText(tr("字"));
}

void CFontSel::OnInitialUpdate()
{
    PushFields();
}

void CFontSel::PullFields()
{
    // Only the stretch between the unchanged start and end of the text was edited: it is
    // converted, a line break typed or pasted there as the platform's CR LF pair, and the list's
    // bytes around it stay as they were.
    const QString text = m_listEdit->toPlainText();
    const qsizetype shown = m_shownText.size();
    qsizetype head = shown;
    qsizetype tail = 0;
    if (text != m_shownText) {
        const qsizetype common = std::min(shown, text.size());
        head = 0;
        while (head < common && text[head] == m_shownText[head])
            ++head;
        while (tail < common - head && text[text.size() - 1 - tail] == m_shownText[shown - 1 - tail])
            ++tail;
        // Never half a character: a boundary inside one moves to its edge. The text's very start
        // and end are edges already (an unchanged end may reach back to the start).
        while (head > 0 && head < shown && m_shownBytes[size_t(head)] == m_shownBytes[size_t(head - 1)])
            --head;
        while (tail > 0 && tail < shown && m_shownBytes[size_t(shown - tail)] == m_shownBytes[size_t(shown - tail - 1)])
            --tail;
    }
    QString edited = text.mid(head, text.size() - tail - head);
    edited.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::vector<std::string> skipped;
    const std::string_view list = m_shownList;
    ListText = ShowableChars(list.substr(0, m_shownBytes[size_t(head)]), skipped) + QStringToCp936(edited, &skipped)
               + ShowableChars(list.substr(m_shownBytes[size_t(shown - tail)]), skipped);
    std::vector<size_t> byteAt;
    const QString display = ToDisplay(ListText, byteAt);
    if (display == text) {
        m_shownList = ListText;
        m_shownText = display;
        m_shownBytes = std::move(byteAt);
    }
    bool ok = false;
    const int count = m_countEdit->text().toInt(&ok);
    if (ok)
        CharCount = count;
    AutoDeleteDuplicates = m_autoDelete->isChecked();
    if (!skipped.empty())
        emit StatusMessage(tr("已略去 %1 个在 GBK 编码中没有的字符").arg(skipped.size()));
    if (display != text)
        PushKeepingCursor(); // show the list as it now is
}

void CFontSel::PushFields()
{
    m_pushing = true;
    m_shownList = ListText;
    m_shownText = ToDisplay(ListText, m_shownBytes);
    const QString &display = m_shownText;
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

void CFontSel::OnCollect(bool folder)
{
    FileRequest request;
    request.Mode = folder ? FileRequest::Directory : FileRequest::OpenFile;
    request.Caption = folder ? tr("从文件夹收集字符") : tr("从文件收集字符");
    request.StartPath = m_collectedFrom;
    if (!folder)
        request.Filters = {tr("源文件和文本(*.c *.h *.cpp *.hpp *.cc *.ino *.po *.json *.yaml *.yml *.txt)"),
                           tr("所有文件(*)")};
    const QString path = ChooseFile(this, request);
    if (path.isEmpty())
        return;
    m_collectedFrom = path;

    // Sources saved as UTF-8 or in code page 936 alike: each file is read in the one it is valid in.
    JobControl control;
    CollectOptions options;
    options.Encoding = CollectEncoding::Auto;
    options.Control = &control;
    CollectResult collected;
    RunJob(this, control, {tr("正在收集字符 …"), QStringLiteral("collectProgressDialog"), true},
           [&] { collected = CollectCharacters({path}, options); });
    if (collected.Cancelled)
        return;
    if (collected.Error) {
        ShowMessage(this, FailureText(collected.Error));
        return;
    }
    if (collected.FilesRead == 0) {
        ShowMessage(this, tr("%1 中没有可读的文本文件").arg(path));
        return;
    }

    std::vector<std::string> skipped;
    const std::string characters = QStringToCp936(
        QString::fromUcs4(collected.Characters.data(), qsizetype(collected.Characters.size())), &skipped);
    PullFields();
    std::set<std::string> held;
    for (std::string &character : SplitChars(ListText))
        held.insert(std::move(character));
    std::string added;
    int newCount = 0;
    for (const std::string &character : SplitChars(characters)) {
        if (held.insert(character).second) {
            added += character;
            ++newCount;
        }
    }
    if (newCount > 0) {
        SetList(ListText + added, CharCount + newCount);
        m_listEdit->moveCursor(QTextCursor::End);
    }
    QString note = tr("从 %1 个文件收集到 %2 个字符，其中 %3 个是新的，已加到列表末尾")
                       .arg(collected.FilesRead)
                       .arg(collected.Characters.size())
                       .arg(newCount);
    if (!skipped.empty())
        note += tr("；%1 个在 GBK 编码中没有，已略去").arg(skipped.size());
    emit StatusMessage(note);
}

bool CFontSel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listEdit && event->type() == QEvent::KeyPress) {
        const auto *press = static_cast<QKeyEvent *>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
        if (key == Qt::Key_Tab && press->modifiers() == Qt::ControlModifier) {
            m_listEdit->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
