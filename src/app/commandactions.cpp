#include "commandactions.h"

#include "artwork.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <vector>

namespace {

// The pop-up menus, in the menu bar's order, and their titles.
enum MenuIndex { MenuFile, MenuEdit, MenuSettings, MenuCreate, MenuDelivery, MenuView, MenuHelp, MenuCount };
const char *const MenuTitles[MenuCount] = {
    QT_TRANSLATE_NOOP("CommandActions", "文件(&F)"),     QT_TRANSLATE_NOOP("CommandActions", "编辑(&E)"),
    QT_TRANSLATE_NOOP("CommandActions", "设置"),
    QT_TRANSLATE_NOOP("CommandActions", "创建点阵数据"), QT_TRANSLATE_NOOP("CommandActions", "数据通讯"),
    QT_TRANSLATE_NOOP("CommandActions", "查看(&V)"),     QT_TRANSLATE_NOOP("CommandActions", "帮助(&H)"),
};

// The menu commands: identifier, pop-up menu, menu text, whether a separator comes first, and
// the status-bar prompt and tooltip ("prompt\ntooltip"). The texts are translated when shown.
struct CommandSpec
{
    CommandId Id;
    MenuIndex Menu;
    const char *Text;
    bool SeparatorBefore;
    const char *Prompt;
};

const CommandSpec Commands[] = {
    {CmdImportGB2312, MenuFile, QT_TRANSLATE_NOOP("CommandActions", "导入GB2312简体中文字符集"), false,
     nullptr},
    {CmdImportGBK, MenuFile, QT_TRANSLATE_NOOP("CommandActions", "导入GBK中文字符集"), false,
     nullptr},
    {CmdImportPicture, MenuFile, QT_TRANSLATE_NOOP("CommandActions", "导入图片文件"), false,
     nullptr},
    {CmdExportAllGlyphFiles, MenuFile, QT_TRANSLATE_NOOP("CommandActions", "导出所有字模文件"), true,
     QT_TRANSLATE_NOOP("CommandActions", "保存所有字模文件\n保存所有字模文件")},
    {CmdExit, MenuFile, QT_TRANSLATE_NOOP("CommandActions", "退出(&X)"), true,
     QT_TRANSLATE_NOOP("CommandActions", "退出应用程序；提示保存文档\n退出")},
    {CmdUndo, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "撤销(&U)"), false,
     QT_TRANSLATE_NOOP("CommandActions", "撤销上一次对字形的修改\n撤销")},
    {CmdRedo, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "重做(&R)"), false,
     QT_TRANSLATE_NOOP("CommandActions", "重做撤销了的修改\n重做")},
    {CmdEditMode, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "修改字形(&E)"), true,
     QT_TRANSLATE_NOOP("CommandActions", "在字形视图里点击或拖动来修改点，修改存入修补文件\n修改字形")},
    {CmdRevertGlyph, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "还原为字体的字形"), false,
     QT_TRANSLATE_NOOP("CommandActions", "去掉这个字符的修改，按字体绘制\n还原字形")},
    {CmdShiftGlyphUp, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "字形上移一点"), true,
     QT_TRANSLATE_NOOP("CommandActions", "修改字形时移动字形的点，否则移动偏移\n上移")},
    {CmdShiftGlyphDown, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "字形下移一点"), false,
     QT_TRANSLATE_NOOP("CommandActions", "修改字形时移动字形的点，否则移动偏移\n下移")},
    {CmdShiftGlyphLeft, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "字形左移一点"), false,
     QT_TRANSLATE_NOOP("CommandActions", "修改字形时移动字形的点，否则移动偏移\n左移")},
    {CmdShiftGlyphRight, MenuEdit, QT_TRANSLATE_NOOP("CommandActions", "字形右移一点"), false,
     QT_TRANSLATE_NOOP("CommandActions", "修改字形时移动字形的点，否则移动偏移\n右移")},
    {CmdChooseFont, MenuSettings, QT_TRANSLATE_NOOP("CommandActions", "设置字体"), false,
     QT_TRANSLATE_NOOP("CommandActions", "设置字体\n设置字体")},
    {CmdGlyphFormat, MenuSettings, QT_TRANSLATE_NOOP("CommandActions", "设置字模格式"), false,
     QT_TRANSLATE_NOOP("CommandActions", "字模格式\n设置字模格式")},
    {CmdToTraditional, MenuSettings, QT_TRANSLATE_NOOP("CommandActions", "转为繁体"), true,
     nullptr},
    {CmdToSimplified, MenuSettings, QT_TRANSLATE_NOOP("CommandActions", "转为简体"), false,
     nullptr},
    {CmdCreateSingleGlyph, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建单个字模"), false,
     QT_TRANSLATE_NOOP("CommandActions", "创建单个字模\n创建单个字模")},
    {CmdCreateAllGlyphs, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建所有字模"), false,
     QT_TRANSLATE_NOOP("CommandActions", "创建所有点阵字模\n创建所有点阵字模")},
    {CmdCreateAllToDat, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建所有字模到DAT文件"), false,
     nullptr},
    {CmdCreateAllToBin, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建所有字模到二进制文件"), false,
     nullptr},
    {CmdCreatePictureData, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建图片点阵数据"), false,
     QT_TRANSLATE_NOOP("CommandActions", "创建图片点阵数据\n创建图片点阵数据")},
    {CmdCreateIndexTable, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "创建字符索引表"), false,
     nullptr},
    {CmdExportFont, MenuCreate, QT_TRANSLATE_NOOP("CommandActions", "导出显示库字体..."), true,
     QT_TRANSLATE_NOOP("CommandActions", "导出 LVGL 等显示库用的字体\n导出显示库字体")},
    {CmdSendSerial, MenuDelivery, QT_TRANSLATE_NOOP("CommandActions", "通过RS232串口传送字模数据"), false,
     nullptr},
    {CmdSendFloppy, MenuDelivery, QT_TRANSLATE_NOOP("CommandActions", "发送到软盘"), false,
     nullptr},
    {CmdSendRemovable, MenuDelivery, QT_TRANSLATE_NOOP("CommandActions", "发送到移动存储设备"), false,
     nullptr},
    {CmdViewToolBar, MenuView, QT_TRANSLATE_NOOP("CommandActions", "工具栏(&T)"), false,
     QT_TRANSLATE_NOOP("CommandActions", "显示或隐藏工具栏\n显隐工具栏")},
    {CmdViewStatusBar, MenuView, QT_TRANSLATE_NOOP("CommandActions", "状态栏(&S)"), false,
     QT_TRANSLATE_NOOP("CommandActions", "显示或隐藏状态栏\n显隐状态栏")},
    {CmdSplit, MenuView, QT_TRANSLATE_NOOP("CommandActions", "分隔(&P)"), false,
     QT_TRANSLATE_NOOP("CommandActions", "将活动的窗口分隔成窗格\n分隔")},
    {CmdLanguageChinese, MenuView, QT_TRANSLATE_NOOP("CommandActions", "中文"), true,
     nullptr},
    {CmdLanguageEnglish, MenuView, QT_TRANSLATE_NOOP("CommandActions", "English"), false,
     nullptr},
    {CmdUserGuide, MenuHelp, QT_TRANSLATE_NOOP("CommandActions", "阅读 Dotrix 用户指南，了解更多信息"), false,
     nullptr},
    {CmdAbout, MenuHelp, QT_TRANSLATE_NOOP("CommandActions", "关于 Dotrix(&A)..."), false,
     QT_TRANSLATE_NOOP("CommandActions", "显示程序信息，版本号和版权\n关于")},
};

// Commands without a menu item, reached by their keys anywhere in the window.
const std::pair<CommandId, QKeyCombination> KeyboardCommands[] = {
    {CmdFileNew, Qt::CTRL | Qt::Key_N},    {CmdFileOpen, Qt::CTRL | Qt::Key_O},
    {CmdFileSave, Qt::CTRL | Qt::Key_S},   {CmdPrint, Qt::CTRL | Qt::Key_P},
    {CmdNextPane, QKeyCombination(Qt::Key_F6)}, {CmdPreviousPane, Qt::SHIFT | Qt::Key_F6},
};

// The keys of menu commands. The undo keys act where no text box takes them for its own text.
// Made when the actions are (the platform's undo keys are known once the application runs).
std::vector<std::pair<CommandId, QList<QKeySequence>>> MenuCommandKeys()
{
    return {
        {CmdUndo, QKeySequence::keyBindings(QKeySequence::Undo)},
        {CmdRedo, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {CmdEditMode, {QKeySequence(Qt::Key_F2)}},
        {CmdShiftGlyphUp, {QKeySequence(Qt::ALT | Qt::Key_Up)}},
        {CmdShiftGlyphDown, {QKeySequence(Qt::ALT | Qt::Key_Down)}},
        {CmdShiftGlyphLeft, {QKeySequence(Qt::ALT | Qt::Key_Left)}},
        {CmdShiftGlyphRight, {QKeySequence(Qt::ALT | Qt::Key_Right)}},
    };
}

const CommandId ToolbarOrder[] = {CmdCreateSingleGlyph, CmdCreateAllGlyphs, CmdCreatePictureData,
                                  CmdChooseFont,        CmdGlyphFormat,     CmdEditMode,
                                  CmdExportAllGlyphFiles, CmdToTraditional, CmdToSimplified,
                                  CmdAbout};

// Commands that may not start while a batch worker writes the output directory (a new font
// draws the box's character there).
const CommandId BatchExclusiveCommands[] = {
    CmdCreateSingleGlyph, CmdCreateAllGlyphs, CmdCreateAllToDat,   CmdCreateAllToBin, CmdExportAllGlyphFiles,
    CmdCreateIndexTable,  CmdImportGB2312,    CmdImportGBK,        CmdToTraditional,  CmdToSimplified,
    CmdImportPicture,     CmdCreatePictureData, CmdSendSerial,     CmdSendFloppy,     CmdSendRemovable,
    CmdChooseFont,        CmdExportFont,        CmdEditMode,       CmdRevertGlyph,    CmdShiftGlyphUp,
    CmdShiftGlyphDown,    CmdShiftGlyphLeft,    CmdShiftGlyphRight};

QAction *NewAction(CommandId id, const QString &text, QObject *owner)
{
    auto *action = new QAction(text, owner);
    action->setData(int(id));
    action->setObjectName(QStringLiteral("command%1").arg(int(id)));
    return action;
}

} // namespace

CommandActions::CommandActions(QMainWindow *window) : QObject(window), m_window(window)
{
    for (const CommandSpec &command : Commands) {
        QAction *action = NewAction(command.Id, QString(), window);
        action->setIcon(ToolbarIcon(command.Id));
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, &CommandActions::CommandStarted);
        m_actions[command.Id] = action;
    }
    for (const auto &[id, keys] : MenuCommandKeys()) {
        Action(id)->setShortcuts(keys);
        Action(id)->setShortcutContext(Qt::WindowShortcut);
    }
    Action(CmdEditMode)->setCheckable(true);
    Action(CmdViewToolBar)->setCheckable(true);
    Action(CmdViewStatusBar)->setCheckable(true);
    auto *languages = new QActionGroup(this);
    for (CommandId id : {CmdLanguageChinese, CmdLanguageEnglish}) {
        Action(id)->setCheckable(true);
        languages->addAction(Action(id));
    }
    for (const auto &[id, keys] : KeyboardCommands) {
        QAction *action = NewAction(id, QString(), window);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, &CommandActions::CommandStarted);
        window->addAction(action);
        m_actions[id] = action;
    }
}

QAction *CommandActions::Action(int commandId) const
{
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CommandActions::FillMenuBar()
{
    for (int index = 0; index < MenuCount; ++index) {
        QMenu *menu = m_window->menuBar()->addMenu(QString());
        menu->setObjectName(QStringLiteral("menu%1").arg(index));
        m_menus.append(menu);
        for (const CommandSpec &command : Commands) {
            if (command.Menu != index)
                continue;
            if (command.SeparatorBefore)
                menu->addSeparator();
            menu->addAction(Action(command.Id));
        }
    }
    RetranslateUi();
}

void CommandActions::RetranslateUi()
{
    for (const CommandSpec &command : Commands) {
        QAction *action = Action(command.Id);
        action->setText(tr(command.Text));
        if (command.Prompt) {
            const QStringList parts = tr(command.Prompt).split(QLatin1Char('\n'));
            action->setStatusTip(parts.value(0));
            action->setToolTip(parts.value(1));
        }
    }
    for (int index = 0; index < int(m_menus.size()); ++index)
        m_menus[index]->setTitle(tr(MenuTitles[index]));
    if (m_toolBar)
        m_toolBar->setWindowTitle(tr("工具栏"));
}

QToolBar *CommandActions::CreateToolBar()
{
    QToolBar *toolBar = m_window->addToolBar(tr("工具栏"));
    m_toolBar = toolBar;
    toolBar->setObjectName(QStringLiteral("mainToolBar"));
    toolBar->setIconSize(QSize(28, 28));
    toolBar->setMovable(true);
    for (CommandId id : ToolbarOrder)
        toolBar->addAction(Action(id));
    QAction *toggle = Action(CmdViewToolBar);
    connect(toggle, &QAction::toggled, toolBar, &QToolBar::setVisible);
    connect(toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    toggle->setChecked(true);
    return toolBar;
}

void CommandActions::SetBatchCommandsEnabled(bool enabled)
{
    for (CommandId id : BatchExclusiveCommands)
        Action(id)->setEnabled(enabled);
}
