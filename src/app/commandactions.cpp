#include "commandactions.h"

#include "artwork.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

namespace {

// The menu commands: identifier, pop-up menu, menu text, whether a separator comes first, and
// the status-bar prompt and tooltip ("prompt\ntooltip").
struct CommandSpec
{
    CommandId Id;
    const char *Menu;
    const char *Text;
    bool SeparatorBefore;
    const char *Prompt;
};

const CommandSpec Commands[] = {
    {CmdImportGB2312, "文件(&F)", "导入GB2312简体中文字符集", false, nullptr},
    {CmdImportGBK, "文件(&F)", "导入GBK中文字符集", false, nullptr},
    {CmdImportPicture, "文件(&F)", "导入图片文件", false, nullptr},
    {CmdExportAllGlyphFiles, "文件(&F)", "导出所有字模文件", true, "保存所有字模文件\n保存所有字模文件"},
    {CmdExit, "文件(&F)", "退出(&X)", true, "退出应用程序；提示保存文档\n退出"},
    {CmdChooseFont, "设置", "设置字体", false, "设置字体\n设置字体"},
    {CmdGlyphFormat, "设置", "设置字模格式", false, "字模格式\n设置字模格式"},
    {CmdToTraditional, "设置", "转为繁体", true, nullptr},
    {CmdToSimplified, "设置", "转为简体", false, nullptr},
    {CmdCreateSingleGlyph, "创建点阵数据", "创建单个字模", false, "创建单个字模\n创建单个字模"},
    {CmdCreateAllGlyphs, "创建点阵数据", "创建所有字模", false, "创建所有点阵字模\n创建所有点阵字模"},
    {CmdCreateAllToDat, "创建点阵数据", "创建所有字模到DAT文件", false, nullptr},
    {CmdCreateAllToBin, "创建点阵数据", "创建所有字模到二进制文件", false, nullptr},
    {CmdCreatePictureData, "创建点阵数据", "创建图片点阵数据", false, "创建图片点阵数据\n创建图片点阵数据"},
    {CmdCreateIndexTable, "创建点阵数据", "创建字符索引表", false, nullptr},
    {CmdExportFont, "创建点阵数据", "导出显示库字体...", true, "导出 LVGL 等显示库用的字体\n导出显示库字体"},
    {CmdSendSerial, "数据通讯", "通过RS232串口传送字模数据", false, nullptr},
    {CmdSendFloppy, "数据通讯", "发送到软盘", false, nullptr},
    {CmdSendRemovable, "数据通讯", "发送到移动存储设备", false, nullptr},
    {CmdViewToolBar, "查看(&V)", "工具栏(&T)", false, "显示或隐藏工具栏\n显隐工具栏"},
    {CmdViewStatusBar, "查看(&V)", "状态栏(&S)", false, "显示或隐藏状态栏\n显隐状态栏"},
    {CmdSplit, "查看(&V)", "分隔(&P)", false, "将活动的窗口分隔成窗格\n分隔"},
    {CmdUserGuide, "帮助(&H)", "阅读 Dotrix 用户指南，了解更多信息", false, nullptr},
    {CmdAbout, "帮助(&H)", "关于 Dotrix(&A)...", false, "显示程序信息，版本号和版权\n关于"},
};

const char *const MenuOrder[] = {"文件(&F)", "设置", "创建点阵数据", "数据通讯", "查看(&V)", "帮助(&H)"};

// Commands without a menu item, reached by their keys anywhere in the window.
const std::pair<CommandId, QKeyCombination> KeyboardCommands[] = {
    {CmdFileNew, Qt::CTRL | Qt::Key_N},    {CmdFileOpen, Qt::CTRL | Qt::Key_O},
    {CmdFileSave, Qt::CTRL | Qt::Key_S},   {CmdPrint, Qt::CTRL | Qt::Key_P},
    {CmdNextPane, QKeyCombination(Qt::Key_F6)}, {CmdPreviousPane, Qt::SHIFT | Qt::Key_F6},
};

const CommandId ToolbarOrder[] = {CmdCreateSingleGlyph, CmdCreateAllGlyphs, CmdCreatePictureData,
                                  CmdChooseFont,        CmdGlyphFormat,     CmdExportAllGlyphFiles,
                                  CmdToTraditional,     CmdToSimplified,    CmdAbout};

// Commands that may not start while a batch worker writes the output directory (a new font
// draws the box's character there).
const CommandId BatchExclusiveCommands[] = {
    CmdCreateSingleGlyph, CmdCreateAllGlyphs, CmdCreateAllToDat,   CmdCreateAllToBin, CmdExportAllGlyphFiles,
    CmdCreateIndexTable,  CmdImportGB2312,    CmdImportGBK,        CmdToTraditional,  CmdToSimplified,
    CmdImportPicture,     CmdCreatePictureData, CmdSendSerial,     CmdSendFloppy,     CmdSendRemovable,
    CmdChooseFont,        CmdExportFont};

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
        QAction *action = NewAction(command.Id, QString::fromUtf8(command.Text), window);
        if (command.Prompt) {
            const QStringList parts = QString::fromUtf8(command.Prompt).split(QLatin1Char('\n'));
            action->setStatusTip(parts.value(0));
            action->setToolTip(parts.value(1));
        }
        action->setIcon(ToolbarIcon(command.Id));
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, &CommandActions::CommandStarted);
        m_actions[command.Id] = action;
    }
    Action(CmdViewToolBar)->setCheckable(true);
    Action(CmdViewStatusBar)->setCheckable(true);
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
    for (const char *menuTitle : MenuOrder) {
        QMenu *menu = m_window->menuBar()->addMenu(QString::fromUtf8(menuTitle));
        for (const CommandSpec &command : Commands) {
            if (qstrcmp(command.Menu, menuTitle) != 0)
                continue;
            if (command.SeparatorBefore)
                menu->addSeparator();
            menu->addAction(Action(command.Id));
        }
    }
}

QToolBar *CommandActions::CreateToolBar()
{
    QToolBar *toolBar = m_window->addToolBar(QStringLiteral("工具栏"));
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
