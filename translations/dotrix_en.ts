<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于 Dotrix</source>
        <translation>About Dotrix</translation>
    </message>
    <message>
        <source>汉字是世界上历史最悠久、至今仍被亿万人日常使用的文字之一。它以形表意，一字一音，在人类众多的书写系统中独树一帜，也承载着绵延数千年的文化。愿每一块液晶屏和 LED 点阵都能清晰地显示汉字，欢迎您在单片机和各类显示设备上大胆使用它。如果您对本工具有任何意见或改进建议，我们十分期待听到您的声音。</source>
        <translation>Chinese characters are among the oldest writing in the world and are still used every day by hundreds of millions of people. Each character stands for a meaning and a syllable, which sets the script apart among the writing systems of humankind, and it carries a culture thousands of years old. May every LCD and LED dot matrix show Chinese characters clearly: use them boldly on your microcontrollers and displays. If you have any comment on this tool or an idea to make it better, we look forward to hearing from you.</translation>
    </message>
    <message>
        <source>Copyright (C) Dotrix 项目</source>
        <translation>Copyright (C) the Dotrix project</translation>
    </message>
    <message>
        <source>Dotrix 项目
字模数据生成工具
为 LCD / LED 点阵显示生成字模数据</source>
        <translation>The Dotrix project
Dot-matrix glyph data generator
Glyph data for LCD / LED dot-matrix displays</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CControlBar</name>
    <message>
        <source>字体位置:</source>
        <translation>Character position:</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>点阵大小</source>
        <translation>Matrix size</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>扫描方式</source>
        <translation>Scan order</translation>
    </message>
    <message>
        <source>水平扫描</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>垂直扫描</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>&quot;ZN&quot;扫描</source>
        <translation>&quot;ZN&quot; scan</translation>
    </message>
    <message>
        <source>数据长度:</source>
        <translation>Data length:</translation>
    </message>
    <message>
        <source>每组4个Bit</source>
        <translation>4 bits a group</translation>
    </message>
    <message>
        <source>每组8个Bit</source>
        <translation>8 bits a group</translation>
    </message>
    <message>
        <source>每组12个Bit</source>
        <translation>12 bits a group</translation>
    </message>
    <message>
        <source>每组16个Bit</source>
        <translation>16 bits a group</translation>
    </message>
    <message>
        <source>每组24个Bit</source>
        <translation>24 bits a group</translation>
    </message>
    <message>
        <source>每组32个Bit</source>
        <translation>32 bits a group</translation>
    </message>
    <message>
        <source>字模数据取反</source>
        <translation>Invert the data</translation>
    </message>
    <message>
        <source>放大倍数</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>字节位倒置</source>
        <translation>Reverse the bit order</translation>
    </message>
    <message>
        <source>生成字模前把字体上下移动最少的距离，使所有字符的笔画都在点阵之内</source>
        <translation>Before making glyphs, move the font up or down by the least that puts the ink of every character inside the glyph</translation>
    </message>
    <message>
        <source>字体的像素高度；12 磅为 16 像素</source>
        <translation>The font&apos;s height in pixels; 12 points are 16 pixels</translation>
    </message>
    <message>
        <source>适配</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>像素:</source>
        <translation>Px:</translation>
    </message>
</context>
<context>
    <name>CDotrixApp</name>
    <message>
        <source>dotrix: bad value &apos;%1&apos; for --lang: expected zh or en</source>
        <translation>dotrix: bad value &apos;%1&apos; for --lang: expected zh or en</translation>
    </message>
    <message>
        <source>Dotrix: dot-matrix glyph data for LCD and LED displays</source>
        <translation>Dotrix: dot-matrix glyph data for LCD and LED displays</translation>
    </message>
    <message>
        <source>Directory for glyph bitmaps and generated files (default: the current directory).</source>
        <translation>Directory for glyph bitmaps and generated files (default: the current directory).</translation>
    </message>
    <message>
        <source>Language of the window: zh (Chinese) or en (English); default: the one chosen in the View menu, else the locale&apos;s.</source>
        <translation>Language of the window: zh (Chinese) or en (English); default: the one chosen in the View menu, else the locale&apos;s.</translation>
    </message>
    <message>
        <source>工作目录不存在：%1</source>
        <translation>The work directory does not exist: %1</translation>
    </message>
</context>
<context>
    <name>CDotrixDoc</name>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>无法保存 %1：%2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>%1 不存在。
请先用“创建所有字模到DAT文件”或“创建所有字模到二进制文件”生成它。</source>
        <translation>%1 does not exist.
Make it first with &quot;Create All Glyphs into a DAT File&quot; or &quot;Create All Glyphs into a Binary File&quot;.</translation>
    </message>
    <message>
        <source>正在通过串口发送 font.dat …</source>
        <translation>Sending font.dat over the serial port …</translation>
    </message>
    <message>
        <source>font.dat 没有发送成功：
</source>
        <translation>font.dat was not sent:
</translation>
    </message>
    <message>
        <source>font.dat 已通过串口发送</source>
        <translation>font.dat sent over the serial port</translation>
    </message>
    <message>
        <source>font.dat 没有复制成功：
</source>
        <translation>font.dat was not copied:
</translation>
    </message>
    <message>
        <source>串口发送已取消</source>
        <translation>Serial send cancelled</translation>
    </message>
    <message>
        <source>
串口：</source>
        <translation>
Serial port: </translation>
    </message>
    <message>
        <source>
已发送 %1 / %2 字节</source>
        <translation>
Sent %1 of %2 bytes</translation>
    </message>
    <message>
        <source>%1 是打开过的文件，保存空文档会清空它；请换一个文件名。</source>
        <translation>%1 was opened in this session; saving the empty document would empty it. Please choose another name.</translation>
    </message>
</context>
<context>
    <name>CDotrixView</name>
    <message>
        <source>已修改</source>
        <translation>Edited</translation>
    </message>
</context>
<context>
    <name>CExportDlg</name>
    <message>
        <source>1 位：黑白点阵（与批量生成的点相同）</source>
        <translation>1 bit: black and white (the same dots as the batch)</translation>
    </message>
    <message>
        <source>2 位：4 级灰度</source>
        <translation>2 bits: 4 grey levels</translation>
    </message>
    <message>
        <source>4 位：16 级灰度</source>
        <translation>4 bits: 16 grey levels</translation>
    </message>
    <message>
        <source>8 位：256 级灰度</source>
        <translation>8 bits: 256 grey levels</translation>
    </message>
    <message>
        <source>导出显示库字体</source>
        <translation>Export a Display Library Font</translation>
    </message>
    <message>
        <source>格式：</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>每点位数：</source>
        <translation>Bits per pixel:</translation>
    </message>
    <message>
        <source>字体名（C 标识符）：</source>
        <translation>Font name (C identifier):</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>写入文件：</source>
        <translation>Write to file:</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>所有文件(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>字体名“%1”不是 C 语言的标识符：只能用字母、数字和下划线，不能以数字开头，也不能是 C 的关键字。</source>
        <translation>The font name “%1” is not a C identifier: use only letters, digits and underscores, do not start with a digit, and do not use a C keyword.</translation>
    </message>
    <message>
        <source>请选择要写入的文件。</source>
        <translation>Choose the file to write.</translation>
    </message>
    <message>
        <source>字体自身</source>
        <translation>Font&apos;s own</translation>
    </message>
    <message>
        <source>每个字按字体给它的宽度前进，如正文排版</source>
        <translation>Each character advances by the width the font gives it, as in running text</translation>
    </message>
    <message>
        <source>整格</source>
        <translation>Whole cell</translation>
    </message>
    <message>
        <source>每个字都前进一整格：等宽的网格</source>
        <translation>Every character advances by the whole cell: a monospaced grid</translation>
    </message>
    <message>
        <source>半角半格</source>
        <translation>Half cell for single-byte</translation>
    </message>
    <message>
        <source>单字节字符（半角）前进半格，双字节字符前进一整格</source>
        <translation>Single-byte (half-width) characters advance by half the cell, double-byte ones by the whole cell</translation>
    </message>
    <message>
        <source>字距调整</source>
        <translation>Kerning</translation>
    </message>
    <message>
        <source>写入字体自带的字距（如 AV、To 靠得更近）；只有 LVGL 格式、字宽为“字体自身”时才有</source>
        <translation>Writes the font&apos;s own kerning (AV, To set closer); only LVGL fonts with the font&apos;s own advance carry it</translation>
    </message>
    <message>
        <source>字宽：</source>
        <translation>Advance:</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>输入要预览的文字</source>
        <translation>Type the text to preview</translation>
    </message>
    <message>
        <source>这一行宽 %1 点、高 %2 点，放大 %3 倍显示</source>
        <translation>This line is %1 dots wide and %2 dots high, shown %3 times enlarged</translation>
    </message>
    <message>
        <source>；字符列表中没有“%1”，导出的字体里也没有</source>
        <translation>; “%1” not in the character list, so not in the exported font either</translation>
    </message>
    <message>
        <source>压缩 (LVGL)</source>
        <translation>Compress (LVGL)</translation>
    </message>
    <message>
        <source>LVGL 的压缩位图：灰度不变，字节更少；只用于 2 或 4 位，LVGL 须在 lv_conf.h 中设 LV_USE_FONT_COMPRESSED 1</source>
        <translation>LVGL&apos;s compressed bitmaps: the same grey levels in fewer bytes; at 2 or 4 bits only, and LVGL needs LV_USE_FONT_COMPRESSED 1 in lv_conf.h</translation>
    </message>
</context>
<context>
    <name>CFontSel</name>
    <message>
        <source>在此输入或粘贴要生成字模的字符，或从“文件”菜单导入字符集</source>
        <translation>Type or paste the characters to make glyphs of here, or import a character set from the File menu</translation>
    </message>
    <message>
        <source>过滤单字节字符</source>
        <translation>Filter one-byte characters</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>自动删除重复字符</source>
        <translation>Remove repeated characters</translation>
    </message>
    <message>
        <source>共计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>字</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>已略去 %1 个在 GBK 编码中没有的字符</source>
        <translation>Left out %1 characters that GBK has no code for</translation>
    </message>
    <message>
        <source>从文件收集字符...</source>
        <translation>Collect characters from files...</translation>
    </message>
    <message>
        <source>把源文件中字符串和文本里的字符加到列表末尾</source>
        <translation>Add the characters of the strings and text in source files to the end of the list</translation>
    </message>
    <message>
        <source>文件(&amp;F)...</source>
        <translation>&amp;File...</translation>
    </message>
    <message>
        <source>文件夹及其中所有文件(&amp;D)...</source>
        <translation>Fol&amp;der and every file in it...</translation>
    </message>
    <message>
        <source>从文件夹收集字符</source>
        <translation>Collect characters from a folder</translation>
    </message>
    <message>
        <source>从文件收集字符</source>
        <translation>Collect characters from a file</translation>
    </message>
    <message>
        <source>源文件和文本(*.c *.h *.cpp *.hpp *.cc *.ino *.po *.json *.yaml *.yml *.txt)</source>
        <translation>Sources and text (*.c *.h *.cpp *.hpp *.cc *.ino *.po *.json *.yaml *.yml *.txt)</translation>
    </message>
    <message>
        <source>所有文件(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>正在收集字符 …</source>
        <translation>Collecting characters …</translation>
    </message>
    <message>
        <source>%1 中没有可读的文本文件</source>
        <translation>%1 holds no readable text file</translation>
    </message>
    <message>
        <source>从 %1 个文件收集到 %2 个字符，其中 %3 个是新的，已加到列表末尾</source>
        <translation>Collected %2 characters from %1 file(s); %3 of them were new and were added to the end of the list</translation>
    </message>
    <message>
        <source>；%1 个在 GBK 编码中没有，已略去</source>
        <translation>; %1 not in GBK were left out</translation>
    </message>
</context>
<context>
    <name>CGlyphFormatDlg</name>
    <message>
        <source>典型顺序排列</source>
        <translation>Typical order (plain list)</translation>
    </message>
    <message>
        <source>汉语拼音自动命名C语言数组</source>
        <translation>C arrays named by pinyin</translation>
    </message>
    <message>
        <source>汉语拼音自动命名汇编DB表</source>
        <translation>Assembler DB tables named by pinyin</translation>
    </message>
    <message>
        <source>自动编号C语言数组</source>
        <translation>C arrays numbered</translation>
    </message>
    <message>
        <source>自动编号汇编DB表</source>
        <translation>Assembler DB tables numbered</translation>
    </message>
    <message>
        <source>字模格式</source>
        <translation>Glyph Format</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CIndexDlg</name>
    <message>
        <source>索引</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>产生带索引的文件按确定按钮
不带索引按取消按钮。
修改索引初值直接在文本框内修改</source>
        <translation>Press OK to write the file with an index,
Cancel to write it without one.
Change the first index value in the box.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>在此输入要生成字模的字符</source>
        <translation>Type the characters to make glyphs of here</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>控制栏</source>
        <translation>Control bar</translation>
    </message>
    <message>
        <source>没有采用记住的设置，本次使用默认设置：
%1</source>
        <translation>The remembered settings were not used; this run starts with the defaults:
%1</translation>
    </message>
    <message>
        <source>已略去 %1 个在 GBK 编码中没有的字符</source>
        <translation>Left out %1 characters that GBK has no code for</translation>
    </message>
    <message>
        <source>error!

</source>
        <translation>error!

</translation>
    </message>
    <message>
        <source>设置字体</source>
        <translation>Set Font</translation>
    </message>
    <message>
        <source>字模文件没有写成：</source>
        <translation>The glyph file was not written: </translation>
    </message>
    <message>
        <source>导入图片文件</source>
        <translation>Import Picture File</translation>
    </message>
    <message>
        <source>BMP 文件(*.bmp)</source>
        <translation>BMP files (*.bmp)</translation>
    </message>
    <message>
        <source>JPG 文件(*.jpg *.jpeg)</source>
        <translation>JPG files (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>GIF 文件(*.gif)</source>
        <translation>GIF files (*.gif)</translation>
    </message>
    <message>
        <source>所有文件(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>图片没有导入：
</source>
        <translation>The picture was not imported:
</translation>
    </message>
    <message>
        <source>图片点阵数据没有写成：
</source>
        <translation>The picture data was not written:
</translation>
    </message>
    <message>
        <source>Index.c 没有写成：
</source>
        <translation>Index.c was not written:
</translation>
    </message>
    <message>
        <source>Select a directory</source>
        <translation>Select a directory</translation>
    </message>
    <message>
        <source>有 %1 个文件没有导出：
</source>
        <translation>%1 files were not exported:
</translation>
    </message>
    <message>
        <source>已导出 %1 个文件到 %2</source>
        <translation>Exported %1 files to %2</translation>
    </message>
    <message>
        <source>已导入 %1 个字符</source>
        <translation>Imported %1 characters</translation>
    </message>
    <message>
        <source>字模生成在第 %1 个字符处中止：
%2</source>
        <translation>Making the glyphs stopped at character %1:
%2</translation>
    </message>
    <message>
        <source>字模生成已停止</source>
        <translation>Making the glyphs was stopped</translation>
    </message>
    <message>
        <source>已生成 %1 个字模</source>
        <translation>Made %1 glyphs</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>文件(*.dat)</source>
        <translation>Files (*.dat)</translation>
    </message>
    <message>
        <source>文件(*.bin)</source>
        <translation>Files (*.bin)</translation>
    </message>
    <message>
        <source>所有文件(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>font.dat 没有复制成功：
</source>
        <translation>font.dat was not copied:
</translation>
    </message>
    <message>
        <source>用方向键移动分隔条，回车或 Esc 结束</source>
        <translation>Move the split bar with the arrow keys; Enter or Esc ends</translation>
    </message>
    <message>
        <source>字模数据</source>
        <translation>Glyph Data</translation>
    </message>
    <message>
        <source>字模生成在写 %1 时中止：
%2</source>
        <translation>Making the glyphs stopped while writing %1:
%2</translation>
    </message>
    <message>
        <source>没有能打开 %1 的文本编辑器。它已写入文件夹 %2</source>
        <translation>No text editor could open %1. It was written to the folder %2</translation>
    </message>
    <message>
        <source>找不到用户指南 user-guide.html。
找过这些地方：
</source>
        <translation>The user guide user-guide.html cannot be found.
Looked in these places:
</translation>
    </message>
    <message>
        <source>没有能打开用户指南的浏览器。
请用浏览器打开：
%1</source>
        <translation>No web browser could open the user guide.
Open it in a browser:
%1</translation>
    </message>
    <message>
        <source>正在删除上次生成的字模文件 …</source>
        <translation>Deleting the glyph files made last time …</translation>
    </message>
    <message>
        <source>正在导出字模文件 …</source>
        <translation>Exporting glyph files …</translation>
    </message>
    <message>
        <source>导出已停止：已导出 %1 个文件到 %2</source>
        <translation>Export stopped: %1 files exported to %2</translation>
    </message>
    <message>
        <source>没有采用修补文件，字模按字体绘制：
%1</source>
        <translation>The patch file was not taken up; glyphs are drawn from the font:
%1</translation>
    </message>
    <message>
        <source>修补文件与当前设置不符；生成字模和导出字库会拒绝它，直到设置改回：
%1</source>
        <translation>The patch file does not match the current settings; generating glyphs and exporting fonts refuse it until the settings are changed back:
%1</translation>
    </message>
    <message>
        <source>修改字形：点击或拖动改点，Shift+点击画直线；方向键移动光标，空格翻转光标处的点</source>
        <translation>Editing the glyph: click or drag to change dots, Shift+click draws a line; the arrow keys move the cursor, Space flips the dot under it</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CommandActions</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>创建点阵数据</source>
        <translation>&amp;Create</translation>
    </message>
    <message>
        <source>数据通讯</source>
        <translation>&amp;Delivery</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>导入GB2312简体中文字符集</source>
        <translation>Import the GB2312 Simplified Chinese Character Set</translation>
    </message>
    <message>
        <source>导入GBK中文字符集</source>
        <translation>Import the GBK Chinese Character Set</translation>
    </message>
    <message>
        <source>导入图片文件</source>
        <translation>Import Picture File</translation>
    </message>
    <message>
        <source>导出所有字模文件</source>
        <translation>Export All Glyph Files</translation>
    </message>
    <message>
        <source>保存所有字模文件
保存所有字模文件</source>
        <translation>Save all glyph files
Save all glyph files</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档
退出</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>设置字体</source>
        <translation>Set Font</translation>
    </message>
    <message>
        <source>设置字体
设置字体</source>
        <translation>Choose the font the glyphs are drawn with
Set font</translation>
    </message>
    <message>
        <source>设置字模格式</source>
        <translation>Set Glyph Format</translation>
    </message>
    <message>
        <source>字模格式
设置字模格式</source>
        <translation>Glyph format
Set glyph format</translation>
    </message>
    <message>
        <source>转为繁体</source>
        <translation>Convert to Traditional Chinese</translation>
    </message>
    <message>
        <source>转为简体</source>
        <translation>Convert to Simplified Chinese</translation>
    </message>
    <message>
        <source>创建单个字模</source>
        <translation>Create Single Glyph</translation>
    </message>
    <message>
        <source>创建单个字模
创建单个字模</source>
        <translation>Create the glyph of the last character typed
Create single glyph</translation>
    </message>
    <message>
        <source>创建所有字模</source>
        <translation>Create All Glyphs</translation>
    </message>
    <message>
        <source>创建所有点阵字模
创建所有点阵字模</source>
        <translation>Create the glyphs of every character of the list
Create all glyphs</translation>
    </message>
    <message>
        <source>创建所有字模到DAT文件</source>
        <translation>Create All Glyphs into a DAT File</translation>
    </message>
    <message>
        <source>创建所有字模到二进制文件</source>
        <translation>Create All Glyphs into a Binary File</translation>
    </message>
    <message>
        <source>创建图片点阵数据</source>
        <translation>Create Picture Data</translation>
    </message>
    <message>
        <source>创建图片点阵数据
创建图片点阵数据</source>
        <translation>Create the dot data of the imported picture
Create picture data</translation>
    </message>
    <message>
        <source>创建字符索引表</source>
        <translation>Create Character Index Table</translation>
    </message>
    <message>
        <source>通过RS232串口传送字模数据</source>
        <translation>Send the Glyph Data over the RS232 Serial Port</translation>
    </message>
    <message>
        <source>发送到软盘</source>
        <translation>Send to Floppy Disk</translation>
    </message>
    <message>
        <source>发送到移动存储设备</source>
        <translation>Send to Removable Drive</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
显隐工具栏</source>
        <translation>Show or hide the toolbar
Toggle toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
显隐状态栏</source>
        <translation>Show or hide the status bar
Toggle status bar</translation>
    </message>
    <message>
        <source>分隔(&amp;P)</source>
        <translation>S&amp;plit</translation>
    </message>
    <message>
        <source>将活动的窗口分隔成窗格
分隔</source>
        <translation>Move the split bars between the panes
Split</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>阅读 Dotrix 用户指南，了解更多信息</source>
        <translation>Read the Dotrix User Guide for More Information</translation>
    </message>
    <message>
        <source>关于 Dotrix(&amp;A)...</source>
        <translation>&amp;About Dotrix...</translation>
    </message>
    <message>
        <source>显示程序信息，版本号和版权
关于</source>
        <translation>Show the program information, version and copyright
About</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>导出显示库字体...</source>
        <translation>Export Display Library Font...</translation>
    </message>
    <message>
        <source>导出 LVGL 等显示库用的字体
导出显示库字体</source>
        <translation>Export a font for LVGL and other display libraries
Export display library font</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销上一次对字形的修改
撤销</source>
        <translation>Undo the last change to the glyph
Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做撤销了的修改
重做</source>
        <translation>Redo the change undone
Redo</translation>
    </message>
    <message>
        <source>修改字形(&amp;E)</source>
        <translation>&amp;Edit Glyph</translation>
    </message>
    <message>
        <source>在字形视图里点击或拖动来修改点，修改存入修补文件
修改字形</source>
        <translation>Click or drag in the glyph view to change dots; the changes are kept in the patch file
Edit glyph</translation>
    </message>
    <message>
        <source>还原为字体的字形</source>
        <translation>Revert to the Font&apos;s Glyph</translation>
    </message>
    <message>
        <source>去掉这个字符的修改，按字体绘制
还原字形</source>
        <translation>Take this character&apos;s fix out and draw it from the font
Revert glyph</translation>
    </message>
    <message>
        <source>字形上移一点</source>
        <translation>Move Glyph Up One Dot</translation>
    </message>
    <message>
        <source>修改字形时移动字形的点，否则移动偏移
上移</source>
        <translation>Moves the glyph&apos;s dots while editing, else the offset
Up</translation>
    </message>
    <message>
        <source>字形下移一点</source>
        <translation>Move Glyph Down One Dot</translation>
    </message>
    <message>
        <source>修改字形时移动字形的点，否则移动偏移
下移</source>
        <translation>Moves the glyph&apos;s dots while editing, else the offset
Down</translation>
    </message>
    <message>
        <source>字形左移一点</source>
        <translation>Move Glyph Left One Dot</translation>
    </message>
    <message>
        <source>修改字形时移动字形的点，否则移动偏移
左移</source>
        <translation>Moves the glyph&apos;s dots while editing, else the offset
Left</translation>
    </message>
    <message>
        <source>字形右移一点</source>
        <translation>Move Glyph Right One Dot</translation>
    </message>
    <message>
        <source>修改字形时移动字形的点，否则移动偏移
右移</source>
        <translation>Moves the glyph&apos;s dots while editing, else the offset
Right</translation>
    </message>
</context>
<context>
    <name>CoreMessage</name>
    <message>
        <source>发送到软盘 </source>
        <translation>Send to floppy disk </translation>
    </message>
    <message>
        <source>发送到移动存储设备 </source>
        <translation>Send to removable drive </translation>
    </message>
    <message>
        <source>没有发现软盘</source>
        <translation>No floppy disk found</translation>
    </message>
    <message>
        <source>没有发现移动存储设备</source>
        <translation>No removable drive found</translation>
    </message>
    <message>
        <source>每组含字节数太多!</source>
        <translation>Too many bytes in a group!</translation>
    </message>
    <message>
        <source>索引值太长,必须是四位</source>
        <translation>The index value is too long: it must have four digits</translation>
    </message>
    <message>
        <source>无效索引</source>
        <translation>Invalid index</translation>
    </message>
    <message>
        <source>点阵太大，最大不能超过1024</source>
        <translation>The matrix is too big: at most 1024</translation>
    </message>
    <message>
        <source>LVGL C 字体 (.c)</source>
        <translation>LVGL C font (.c)</translation>
    </message>
    <message>
        <source>BDF 点阵字体 (.bdf)</source>
        <translation>BDF bitmap font (.bdf)</translation>
    </message>
    <message>
        <source>Unicode 索引字库 (.ubin)</source>
        <translation>Unicode-keyed font file (.ubin)</translation>
    </message>
    <message>
        <source>笔画超出 %1×%2 点阵而被截去的字形：%3 个（%4）</source>
        <translation>glyphs that lose ink outside the %1 x %2 cell: %3 (%4)</translation>
    </message>
    <message>
        <source>；偏移 %1,%2 可容下全部笔画</source>
        <translation>; offset %1,%2 would hold all the ink</translation>
    </message>
    <message>
        <source>；%1×%2 点阵（偏移 %3,%4）才容得下全部笔画</source>
        <translation>; a %1 x %2 cell (offset %3,%4) would hold all the ink</translation>
    </message>
    <message>
        <source>按笔画把字形放在偏移 %1,%2 处</source>
        <translation>glyphs placed at offset %1,%2, chosen from their ink</translation>
    </message>
    <message>
        <source>TFT_eSPI / LovyanGFX 平滑字体 (.vlw)</source>
        <translation>TFT_eSPI / LovyanGFX smooth font (.vlw)</translation>
    </message>
</context>
<context>
    <name>DotrixCli</name>
    <message>
        <source>the batch stopped at character %1 of %2: %3</source>
        <translation>the batch stopped at character %1 of %2: %3</translation>
    </message>
    <message>
        <source>%1 glyphs, %2 files, All.c %3 bytes</source>
        <translation>%1 glyphs, %2 files, All.c %3 bytes</translation>
    </message>
    <message>
        <source>, font.dat %1 bytes with index</source>
        <translation>, font.dat %1 bytes with index</translation>
    </message>
    <message>
        <source>, font.dat %1 bytes</source>
        <translation>, font.dat %1 bytes</translation>
    </message>
    <message>
        <source>, %1 s</source>
        <translation>, %1 s</translation>
    </message>
    <message>
        <source>bad value &apos;%1&apos; for --%2: expected %3</source>
        <translation>bad value &apos;%1&apos; for --%2: expected %3</translation>
    </message>
    <message>
        <source>a font family name</source>
        <translation>a font family name</translation>
    </message>
    <message>
        <source>WIDTHxHEIGHT, each 1 to 1024, such as 16x16</source>
        <translation>WIDTHxHEIGHT, each 1 to 1024, such as 16x16</translation>
    </message>
    <message>
        <source>X,Y in pixels, such as 0,-2</source>
        <translation>X,Y in pixels, such as 0,-2</translation>
    </message>
    <message>
        <source>h, v or zn</source>
        <translation>h, v or zn</translation>
    </message>
    <message>
        <source>bits per group: 4, 8, 12, 16, 24 or 32</source>
        <translation>bits per group: 4, 8, 12, 16, 24 or 32</translation>
    </message>
    <message>
        <source>typical, c or asm</source>
        <translation>typical, c or asm</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>a directory</translation>
    </message>
    <message>
        <source>a file holding the character list</source>
        <translation>a file holding the character list</translation>
    </message>
    <message>
        <source>utf-8 or cp936</source>
        <translation>utf-8 or cp936</translation>
    </message>
    <message>
        <source>gb2312 or gbk</source>
        <translation>gb2312 or gbk</translation>
    </message>
    <message>
        <source>dat or bin</source>
        <translation>dat or bin</translation>
    </message>
    <message>
        <source>bad value &apos;%1&apos; for --index: %2</source>
        <translation>bad value &apos;%1&apos; for --index: %2</translation>
    </message>
    <message>
        <source>bad value &apos;%1&apos; for --index: %2 (four hex digits, such as 0000)</source>
        <translation>bad value &apos;%1&apos; for --index: %2 (four hex digits, such as 0000)</translation>
    </message>
    <message>
        <source>a file name</source>
        <translation>a file name</translation>
    </message>
    <message>
        <source>a picture file (BMP, JPEG, GIF)</source>
        <translation>a picture file (BMP, JPEG, GIF)</translation>
    </message>
    <message>
        <source>zh or en</source>
        <translation>zh or en</translation>
    </message>
    <message>
        <source>--list and --charset both give the character list; choose one</source>
        <translation>--list and --charset both give the character list; choose one</translation>
    </message>
    <message>
        <source>--to-traditional and --to-simplified contradict each other; choose one</source>
        <translation>--to-traditional and --to-simplified contradict each other; choose one</translation>
    </message>
    <message>
        <source>%1 works on the character list: give --list FILE or --charset SET</source>
        <translation>%1 works on the character list: give --list FILE or --charset SET</translation>
    </message>
    <message>
        <source>--list-encoding applies to --list FILE</source>
        <translation>--list-encoding applies to --list FILE</translation>
    </message>
    <message>
        <source>--data makes font.dat in a batch run: add --batch</source>
        <translation>--data makes font.dat in a batch run: add --batch</translation>
    </message>
    <message>
        <source>--index goes into font.dat: add --data dat or --data bin</source>
        <translation>--index goes into font.dat: add --data dat or --data bin</translation>
    </message>
    <message>
        <source>--save copies font.dat: add --data dat or --data bin</source>
        <translation>--save copies font.dat: add --data dat or --data bin</translation>
    </message>
    <message>
        <source>--send-serial and --copy-to deliver font.dat; they go with --batch or alone</source>
        <translation>--send-serial and --copy-to deliver font.dat; they go with --batch or alone</translation>
    </message>
    <message>
        <source>--picture writes one picture&apos;s data; it goes with neither the list, --batch nor --preview</source>
        <translation>--picture writes one picture&apos;s data; it goes with neither the list, --batch nor --preview</translation>
    </message>
    <message>
        <source>--preview shows one glyph; it does not go with --batch or --index-table</source>
        <translation>--preview shows one glyph; it does not go with --batch or --index-table</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos; (try --help)</source>
        <translation>unknown option &apos;%1&apos; (try --help)</translation>
    </message>
    <message>
        <source>unknown option &apos;--%1&apos; (try --help)</source>
        <translation>unknown option &apos;--%1&apos; (try --help)</translation>
    </message>
    <message>
        <source>option --%1 needs a value</source>
        <translation>option --%1 needs a value</translation>
    </message>
    <message>
        <source>option --%1 takes no value</source>
        <translation>option --%1 takes no value</translation>
    </message>
    <message>
        <source>no TEXT given (try --help)</source>
        <translation>no TEXT given (try --help)</translation>
    </message>
    <message>
        <source>more than one TEXT given: &apos;%1&apos; (quote text with spaces)</source>
        <translation>more than one TEXT given: &apos;%1&apos; (quote text with spaces)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has no code in code page 936; skipped</source>
        <translation>&apos;%1&apos; has no code in code page 936; skipped</translation>
    </message>
    <message>
        <source>%1 is missing: make it with --batch --data dat (or --data bin)</source>
        <translation>%1 is missing: make it with --batch --data dat (or --data bin)</translation>
    </message>
    <message>
        <source>%1 is not a directory</source>
        <translation>%1 is not a directory</translation>
    </message>
    <message>
        <source>font.dat was not sent: %1</source>
        <translation>font.dat was not sent: %1</translation>
    </message>
    <message>
        <source>font.dat sent over the serial port</source>
        <translation>font.dat sent over the serial port</translation>
    </message>
    <message>
        <source>TEXT holds no character to draw</source>
        <translation>TEXT holds no character to draw</translation>
    </message>
    <message>
        <source>font &apos;%1&apos; is not installed; the nearest installed font is used</source>
        <translation>font &apos;%1&apos; is not installed; the nearest installed font is used</translation>
    </message>
    <message>
        <source>the list is empty; no Index.c written</source>
        <translation>the list is empty; no Index.c written</translation>
    </message>
    <message>
        <source>%1 character</source>
        <translation>%1 character</translation>
    </message>
    <message>
        <source>%1 characters</source>
        <translation>%1 characters</translation>
    </message>
    <message>
        <source>cannot read %1: it is a directory</source>
        <translation>cannot read %1: it is a directory</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a character list</source>
        <translation>%1 is too large for a character list</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text (for a code page 936 file add --list-encoding cp936)</source>
        <translation>%1 is not UTF-8 text (for a code page 936 file add --list-encoding cp936)</translation>
    </message>
    <message>
        <source>%1 of %2 has no code in code page 936; left out:</source>
        <translation>%1 of %2 has no code in code page 936; left out:</translation>
    </message>
    <message>
        <source>%1 of %2 have no code in code page 936; left out:</source>
        <translation>%1 of %2 have no code in code page 936; left out:</translation>
    </message>
    <message>
        <source>%1 (%2 is %3x%4)</source>
        <translation>%1 (%2 is %3x%4)</translation>
    </message>
    <message>
        <source>the batch failed while writing %1: %2</source>
        <translation>the batch failed while writing %1: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>the font file to write</source>
        <translation>the font file to write</translation>
    </message>
    <message>
        <source>bits per pixel: 1, 2, 4 or 8</source>
        <translation>bits per pixel: 1, 2, 4 or 8</translation>
    </message>
    <message>
        <source>a C identifier (letters, digits and _, not a digit first)</source>
        <translation>a C identifier (letters, digits and _, not a digit first)</translation>
    </message>
    <message>
        <source>--export writes a font file: add --out FILE</source>
        <translation>--export writes a font file: add --out FILE</translation>
    </message>
    <message>
        <source>--export writes one font file; it goes with the list or TEXT, not with --batch, --index-table, --preview, --print-list, --dots, --picture or delivery</source>
        <translation>--export writes one font file; it goes with the list or TEXT, not with --batch, --index-table, --preview, --print-list, --dots, --picture or delivery</translation>
    </message>
    <message>
        <source>the character list is used by --batch, --export, --index-table and --print-list; give one of them</source>
        <translation>the character list is used by --batch, --export, --index-table and --print-list; give one of them</translation>
    </message>
    <message>
        <source>character %1 has no Unicode code point; left out</source>
        <translation>character %1 has no Unicode code point; left out</translation>
    </message>
    <message>
        <source>no font written: %1</source>
        <translation>no font written: %1</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>note: %1</translation>
    </message>
    <message>
        <source>%1 glyphs, %2 font %3 at %4 bpp, %5 %6 bytes</source>
        <translation>%1 glyphs, %2 font %3 at %4 bpp, %5 %6 bytes</translation>
    </message>
    <message>
        <source>%1 glyphs, %2 font at %3 bpp, %4 %5 bytes</source>
        <translation>%1 glyphs, %2 font at %3 bpp, %4 %5 bytes</translation>
    </message>
    <message>
        <source>points from 1 to 720, such as 12 or 10.5</source>
        <translation>points from 1 to 720, such as 12 or 10.5</translation>
    </message>
    <message>
        <source>--font-size and --px both give the font&apos;s size; choose one</source>
        <translation>--font-size and --px both give the font&apos;s size; choose one</translation>
    </message>
    <message>
        <source>pixels from 1 to 960</source>
        <translation>pixels from 1 to 960</translation>
    </message>
    <message>
        <source>%1 is the list file this run reads; it is not written over</source>
        <translation>%1 is the list file this run reads; it is not written over</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>font size in points, 1 to 720, such as 10.5 (default 12: 16 pixels)</source>
        <translation>font size in points, 1 to 720, such as 10.5 (default 12: 16 pixels)</translation>
    </message>
    <message>
        <source>font size in pixels instead, 1 to 960 (12 points are 16 pixels)</source>
        <translation>font size in pixels instead, 1 to 960 (12 points are 16 pixels)</translation>
    </message>
    <message>
        <source>glyph size in dots, each 1 to 1024 (default 16x16)</source>
        <translation>glyph size in dots, each 1 to 1024 (default 16x16)</translation>
    </message>
    <message>
        <source>position of the character cell in pixels (default 0,0; font
exports without it move the cell up or down to hold all ink)</source>
        <translation>position of the character cell in pixels (default 0,0; font
exports without it move the cell up or down to hold all ink)</translation>
    </message>
    <message>
        <source>move the vertical offset by the least that holds the ink of
every character drawn inside the glyph</source>
        <translation>move the vertical offset by the least that holds the ink of
every character drawn inside the glyph</translation>
    </message>
    <message>
        <source>bits per data group: 4, 8, 12, 16, 24 or 32 (default 8)</source>
        <translation>bits per data group: 4, 8, 12, 16, 24 or 32 (default 8)</translation>
    </message>
    <message>
        <source>emit 0 for ink and 1 for clear dots</source>
        <translation>emit 0 for ink and 1 for clear dots</translation>
    </message>
    <message>
        <source>reverse the bit order inside each value</source>
        <translation>reverse the bit order inside each value</translation>
    </message>
    <message>
        <source>name arrays by number instead of by pinyin</source>
        <translation>name arrays by number instead of by pinyin</translation>
    </message>
    <message>
        <source>output directory (default the current directory)</source>
        <translation>output directory (default the current directory)</translation>
    </message>
    <message>
        <source>print the preview text instead of writing the source file</source>
        <translation>print the preview text instead of writing the source file</translation>
    </message>
    <message>
        <source>print the glyph as rows of # and .</source>
        <translation>print the glyph as rows of # and .</translation>
    </message>
    <message>
        <source>Character list:</source>
        <translation>Character list:</translation>
    </message>
    <message>
        <source>the list from a text file (UTF-8 unless --list-encoding cp936)</source>
        <translation>the list from a text file (UTF-8 unless --list-encoding cp936)</translation>
    </message>
    <message>
        <source>utf-8 or cp936 (default utf-8)</source>
        <translation>utf-8 or cp936 (default utf-8)</translation>
    </message>
    <message>
        <source>the list is the whole gb2312 or gbk set (GB2312.txt, GBK.txt)</source>
        <translation>the list is the whole gb2312 or gbk set (GB2312.txt, GBK.txt)</translation>
    </message>
    <message>
        <source>convert the list to Traditional Chinese</source>
        <translation>convert the list to Traditional Chinese</translation>
    </message>
    <message>
        <source>convert the list to Simplified Chinese</source>
        <translation>convert the list to Simplified Chinese</translation>
    </message>
    <message>
        <source>remove repeated characters and line breaks</source>
        <translation>remove repeated characters and line breaks</translation>
    </message>
    <message>
        <source>keep only Chinese characters that have a pinyin reading</source>
        <translation>keep only Chinese characters that have a pinyin reading</translation>
    </message>
    <message>
        <source>one-byte characters in byte order, then the rest by pinyin</source>
        <translation>one-byte characters in byte order, then the rest by pinyin</translation>
    </message>
    <message>
        <source>print the list (UTF-8) on stdout and its count on stderr</source>
        <translation>print the list (UTF-8) on stdout and its count on stderr</translation>
    </message>
    <message>
        <source>The list is converted first, then de-duplicated, filtered and sorted, in that order.</source>
        <translation>The list is converted first, then de-duplicated, filtered and sorted, in that order.</translation>
    </message>
    <message>
        <source>Batch (over the list, or over every character of TEXT):</source>
        <translation>Batch (over the list, or over every character of TEXT):</translation>
    </message>
    <message>
        <source>write every glyph&apos;s .bmp and .c and the aggregate All.c</source>
        <translation>write every glyph&apos;s .bmp and .c and the aggregate All.c</translation>
    </message>
    <message>
        <source>also pack the glyphs into font.dat (8-bit groups, typical layout)</source>
        <translation>also pack the glyphs into font.dat (8-bit groups, typical layout)</translation>
    </message>
    <message>
        <source>put a 16-bit index, starting at HEX (four digits), before each glyph</source>
        <translation>put a 16-bit index, starting at HEX (four digits), before each glyph</translation>
    </message>
    <message>
        <source>copy font.dat to PATH</source>
        <translation>copy font.dat to PATH</translation>
    </message>
    <message>
        <source>write Index.c, the code bytes of the list</source>
        <translation>write Index.c, the code bytes of the list</translation>
    </message>
    <message>
        <source>Font export (of the list, or of every character of TEXT, once each, by code point):</source>
        <translation>Font export (of the list, or of every character of TEXT, once each, by code point):</translation>
    </message>
    <message>
        <source>write an LVGL C font (lv_font_fmt_txt_dsc_t) for LVGL 9 and 8</source>
        <translation>write an LVGL C font (lv_font_fmt_txt_dsc_t) for LVGL 9 and 8</translation>
    </message>
    <message>
        <source>write a BDF 2.1 font (1 bit per pixel) for u8g2&apos;s bdfconv, X11, FreeType</source>
        <translation>write a BDF 2.1 font (1 bit per pixel) for u8g2&apos;s bdfconv, X11, FreeType</translation>
    </message>
    <message>
        <source>write a Unicode-keyed font file for firmware (docs/font-format.md):
the glyphs packed as font.dat packs them (--scan, --invert,
--bit-reverse; 8-bit groups), found by code point</source>
        <translation>write a Unicode-keyed font file for firmware (docs/font-format.md):
the glyphs packed as font.dat packs them (--scan, --invert,
--bit-reverse; 8-bit groups), found by code point</translation>
    </message>
    <message>
        <source>the font file to write (replaced only when the whole font is written)</source>
        <translation>the font file to write (replaced only when the whole font is written)</translation>
    </message>
    <message>
        <source>lvgl: the font&apos;s C name (default dotrix_FAMILY_PIXELS)</source>
        <translation>lvgl: the font&apos;s C name (default dotrix_FAMILY_PIXELS)</translation>
    </message>
    <message>
        <source>Delivery of the work directory&apos;s font.dat (after --batch when given with it):</source>
        <translation>Delivery of the work directory&apos;s font.dat (after --batch when given with it):</translation>
    </message>
    <message>
        <source>send it over the serial port with XMODEM (port and speed: the
environment variables TRELLON_PORT and TRELLON_BAUD)</source>
        <translation>send it over the serial port with XMODEM (port and speed: the
environment variables TRELLON_PORT and TRELLON_BAUD)</translation>
    </message>
    <message>
        <source>copy it into DIR (a mounted memory stick, say)</source>
        <translation>copy it into DIR (a mounted memory stick, say)</translation>
    </message>
    <message>
        <source>Pictures:</source>
        <translation>Pictures:</translation>
    </message>
    <message>
        <source>turn a BMP, JPEG or GIF picture into dots (ink where darker than
mid-grey) and write NAME.c, NAME being the file&apos;s name</source>
        <translation>turn a BMP, JPEG or GIF picture into dots (ink where darker than
mid-grey) and write NAME.c, NAME being the file&apos;s name</translation>
    </message>
    <message>
        <source>show this text</source>
        <translation>show this text</translation>
    </message>
    <message>
        <source>language of the messages (default: the locale&apos;s)</source>
        <translation>language of the messages (default: the locale&apos;s)</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>show the version</translation>
    </message>
    <message>
        <source>font family to draw with (default %1)</source>
        <translation>font family to draw with (default %1)</translation>
    </message>
    <message>
        <source>horizontal, vertical or ZN scan (default %1)</source>
        <translation>horizontal, vertical or ZN scan (default %1)</translation>
    </message>
    <message>
        <source>typical, c (C arrays) or asm (DB tables) (default %1)</source>
        <translation>typical, c (C arrays) or asm (DB tables) (default %1)</translation>
    </message>
    <message>
        <source>the batch was interrupted after %1 of %2 characters; the files written so far are kept</source>
        <translation>the batch was interrupted after %1 of %2 characters; the files written so far are kept</translation>
    </message>
    <message>
        <source>the export was interrupted; no font written, %1 is as it was</source>
        <translation>the export was interrupted; no font written, %1 is as it was</translation>
    </message>
    <message>
        <source>how far each glyph moves the pen: the font&apos;s own advance (default),
the whole cell (a monospaced grid), or half the cell for single-byte
characters and the whole cell for double-byte ones</source>
        <translation>how far each glyph moves the pen: the font&apos;s own advance (default),
the whole cell (a monospaced grid), or half the cell for single-byte
characters and the whole cell for double-byte ones</translation>
    </message>
    <message>
        <source>lvgl: leave out the font&apos;s kerning pairs (written with the font&apos;s own
advances where the font has them)</source>
        <translation>lvgl: leave out the font&apos;s kerning pairs (written with the font&apos;s own
advances where the font has them)</translation>
    </message>
    <message>
        <source>lvgl at 2 or 4 bpp: glyph bitmaps in LVGL&apos;s compressed format
(rows XORed with the row above, run-length coded; needs
LV_USE_FONT_COMPRESSED 1 in lv_conf.h)</source>
        <translation>lvgl at 2 or 4 bpp: glyph bitmaps in LVGL&apos;s compressed format
(rows XORed with the row above, run-length coded; needs
LV_USE_FONT_COMPRESSED 1 in lv_conf.h)</translation>
    </message>
    <message>
        <source>, %1 kerning pairs</source>
        <translation>, %1 kerning pairs</translation>
    </message>
    <message>
        <source>--collect gathers the character list from sources; it does not go with --list or --charset</source>
        <translation>--collect gathers the character list from sources; it does not go with --list or --charset</translation>
    </message>
    <message>
        <source>%1 goes with --collect PATH</source>
        <translation>%1 goes with --collect PATH</translation>
    </message>
    <message>
        <source>the list is every character the firmware&apos;s sources at PATH show
(a file or a folder, read recursively; repeat for more): C and C++
string literals, .po msgstr, JSON and YAML values, other text whole</source>
        <translation>the list is every character the firmware&apos;s sources at PATH show
(a file or a folder, read recursively; repeat for more): C and C++
string literals, .po msgstr, JSON and YAML values, other text whole</translation>
    </message>
    <message>
        <source>a source file or folder</source>
        <translation>a source file or folder</translation>
    </message>
    <message>
        <source>the sources&apos; encoding: utf-8 or cp936 (default utf-8)</source>
        <translation>the sources&apos; encoding: utf-8 or cp936 (default utf-8)</translation>
    </message>
    <message>
        <source>collect the text of C and C++ comments too</source>
        <translation>collect the text of C and C++ comments too</translation>
    </message>
    <message>
        <source>characters always wanted, added to the collected ones</source>
        <translation>characters always wanted, added to the collected ones</translation>
    </message>
    <message>
        <source>add the characters of a UTF-8 text file to the collected ones</source>
        <translation>add the characters of a UTF-8 text file to the collected ones</translation>
    </message>
    <message>
        <source>a UTF-8 text file</source>
        <translation>a UTF-8 text file</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text</source>
        <translation>%1 is not UTF-8 text</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 file</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source>collected %1 from %2</source>
        <translation>collected %1 from %2</translation>
    </message>
    <message>
        <source>the collected list</source>
        <translation>the collected list</translation>
    </message>
    <message>
        <source>%1 not code page 936 text, skipped:</source>
        <translation>%1 not code page 936 text, skipped:</translation>
    </message>
    <message>
        <source>%1 not UTF-8 text, skipped (for code page 936 sources add --collect-encoding cp936):</source>
        <translation>%1 not UTF-8 text, skipped (for code page 936 sources add --collect-encoding cp936):</translation>
    </message>
    <message>
        <source>also write a Make-style dependency file naming every file the font is made from (sources, lists, the font&apos;s face)</source>
        <translation>also write a Make-style dependency file naming every file the font is made from (sources, lists, the font&apos;s face)</translation>
    </message>
    <message>
        <source>the dependency file to write</source>
        <translation>the dependency file to write</translation>
    </message>
    <message>
        <source>%1 has a line break in its name, which no dependency file can hold</source>
        <translation>%1 has a line break in its name, which no dependency file can hold</translation>
    </message>
    <message>
        <source>no dependency file written: %1</source>
        <translation>no dependency file written: %1</translation>
    </message>
    <message>
        <source>hand-fixed glyphs (a BDF file such as the window&apos;s
dotrix-patch.bdf) drawn in place of the font&apos;s</source>
        <translation>hand-fixed glyphs (a BDF file such as the window&apos;s
dotrix-patch.bdf) drawn in place of the font&apos;s</translation>
    </message>
    <message>
        <source>a patch file</source>
        <translation>a patch file</translation>
    </message>
    <message>
        <source>Usage: dotrix-cli [options] TEXT
       dotrix-cli (--list FILE | --charset SET | --collect PATH...) [list options] --print-list [options] [TEXT]
       dotrix-cli --picture FILE [options]
       dotrix-cli --batch [--data dat|bin [--index HEX] [--save PATH]] [options] (LIST | TEXT)
       dotrix-cli --export lvgl --out FILE [--bpp N [--compress]] [--font-name NAME] [options] (LIST | TEXT)
       dotrix-cli --export bdf --out FILE [options] (LIST | TEXT)
       dotrix-cli --export ubin --out FILE [--bpp N] [options] (LIST | TEXT)
       dotrix-cli --export vlw --out FILE [--vlw-array NAME] [options] (LIST | TEXT)

Draws the last character of TEXT (UTF-8) into a dot matrix and writes its glyph
source file (name.c, with name.bmp) to the work directory, printing the file&apos;s path.
</source>
        <translation>Usage: dotrix-cli [options] TEXT
       dotrix-cli (--list FILE | --charset SET | --collect PATH...) [list options] --print-list [options] [TEXT]
       dotrix-cli --picture FILE [options]
       dotrix-cli --batch [--data dat|bin [--index HEX] [--save PATH]] [options] (LIST | TEXT)
       dotrix-cli --export lvgl --out FILE [--bpp N [--compress]] [--font-name NAME] [options] (LIST | TEXT)
       dotrix-cli --export bdf --out FILE [options] (LIST | TEXT)
       dotrix-cli --export ubin --out FILE [--bpp N] [options] (LIST | TEXT)
       dotrix-cli --export vlw --out FILE [--vlw-array NAME] [options] (LIST | TEXT)

Draws the last character of TEXT (UTF-8) into a dot matrix and writes its glyph
source file (name.c, with name.bmp) to the work directory, printing the file&apos;s path.
</translation>
    </message>
    <message>
        <source>write a smooth font (.vlw, 8-bit coverage) for TFT_eSPI, LovyanGFX
and M5GFX</source>
        <translation>write a smooth font (.vlw, 8-bit coverage) for TFT_eSPI, LovyanGFX
and M5GFX</translation>
    </message>
    <message>
        <source>lvgl, ubin: bits per pixel: 1 (the batch&apos;s dots) or 2, 4, 8
(anti-aliased) (default 1; vlw: always 8)</source>
        <translation>lvgl, ubin: bits per pixel: 1 (the batch&apos;s dots) or 2, 4, 8
(anti-aliased) (default 1; vlw: always 8)</translation>
    </message>
    <message>
        <source>vlw: the font also as the C array NAME, in FILE.c and FILE.h beside it
(FILE being --out without its suffix), for loadFont(NAME)</source>
        <translation>vlw: the font also as the C array NAME, in FILE.c and FILE.h beside it
(FILE being --out without its suffix), for loadFont(NAME)</translation>
    </message>
    <message>
        <source>, as C array %1 in %2</source>
        <translation>, as C array %1 in %2</translation>
    </message>
    <message>
        <source>--out, --bpp, --advance, --no-kerning, --compress, --font-name, --vlw-array and --depfile go with --export FORMAT</source>
        <translation>--out, --bpp, --advance, --no-kerning, --compress, --font-name, --vlw-array and --depfile go with --export FORMAT</translation>
    </message>
</context>
<context>
    <name>ExportSummary</name>
    <message>
        <source>导出字符列表中的 %1 个字符</source>
        <translation>Exports the %1 characters of the character list</translation>
    </message>
    <message>
        <source>（另有 %1 个没有 Unicode 编码的字符不导出）</source>
        <translation> (%1 more without a Unicode code point are left out)</translation>
    </message>
    <message>
        <source>字体：%1，%2 磅；每个字形 %3 x %4 点</source>
        <translation>Font: %1, %2 pt; each glyph %3 x %4 dots</translation>
    </message>
    <message>
        <source>前 %1 个字形，按所选的每点位数写入的样子</source>
        <translation>The first %1 glyphs as they are written at the chosen bits per pixel</translation>
    </message>
</context>
<context>
    <name>FailureSentence</name>
    <message>
        <source>%1 x %2 的字模按横向扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）：横向至少要 5 个点</source>
        <translation>a %1 x %2 glyph in the horizontal scan cannot be packed in 8-bit groups, as font.dat and the Unicode font file pack it: it needs at least 5 dots across</translation>
    </message>
    <message>
        <source>%1 x %2 的字模按 ZN 扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）：纵向至少要 5 个点</source>
        <translation>a %1 x %2 glyph in the &quot;ZN&quot; scan cannot be packed in 8-bit groups, as font.dat and the Unicode font file pack it: it needs at least 5 dots down</translation>
    </message>
    <message>
        <source>%1 x %2 的字模按纵向扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）：纵向至少要 5 个点</source>
        <translation>a %1 x %2 glyph in the vertical scan cannot be packed in 8-bit groups, as font.dat and the Unicode font file pack it: it needs at least 5 dots down</translation>
    </message>
    <message>
        <source>没有指定要发送的文件。</source>
        <translation>No file to send was given.</translation>
    </message>
    <message>
        <source>要发送的文件不存在。</source>
        <translation>The file to send does not exist.</translation>
    </message>
    <message>
        <source>要发送的文件无法读取。</source>
        <translation>The file to send cannot be read.</translation>
    </message>
    <message>
        <source>找不到串口，或指定的串口不存在。</source>
        <translation>No serial port was found, or the given port does not exist.</translation>
    </message>
    <message>
        <source>串口正被其他程序使用。</source>
        <translation>The serial port is in use by another program.</translation>
    </message>
    <message>
        <source>没有打开串口的权限。</source>
        <translation>No permission to open the serial port.</translation>
    </message>
    <message>
        <source>串口设置（波特率或等待时间）无效，或串口不接受。</source>
        <translation>The serial port settings (baud rate or timeout) are invalid, or the port does not accept them.</translation>
    </message>
    <message>
        <source>接收方没有应答；它是否在等待 XMODEM 传送？</source>
        <translation>The receiver does not answer; is it waiting for an XMODEM transfer?</translation>
    </message>
    <message>
        <source>接收方在传送中停止了应答。</source>
        <translation>The receiver stopped answering during the transfer.</translation>
    </message>
    <message>
        <source>接收方多次拒收同一数据块；请检查波特率和连线。</source>
        <translation>The receiver refused the same block several times; check the baud rate and the cable.</translation>
    </message>
    <message>
        <source>接收方取消了传送。</source>
        <translation>The receiver cancelled the transfer.</translation>
    </message>
    <message>
        <source>传送已取消。</source>
        <translation>The transfer was cancelled.</translation>
    </message>
    <message>
        <source>读写串口失败；设备是否已拔出？</source>
        <translation>Reading or writing the serial port failed; was the device unplugged?</translation>
    </message>
    <message>
        <source>未知的错误（代码 %1）。</source>
        <translation>Unknown error (code %1).</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>无法创建 %1：%2</source>
        <translation>cannot create %1: %2</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>无法用新文件替换 %1：%2</source>
        <translation>cannot replace %1: %2</translation>
    </message>
    <message>
        <source>%1 不存在</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>%1 不是文件夹</source>
        <translation>%1 is not a directory</translation>
    </message>
    <message>
        <source>无法在 %1 中写入文件：%2</source>
        <translation>cannot write in %1: %2</translation>
    </message>
    <message>
        <source>%1：文件比位图文件头还短</source>
        <translation>%1: file is shorter than a bitmap header</translation>
    </message>
    <message>
        <source>%1：不是 BMP 文件</source>
        <translation>%1: not a BMP file</translation>
    </message>
    <message>
        <source>%1：不是未压缩的 24 位位图</source>
        <translation>%1: not an uncompressed 24-bit bitmap</translation>
    </message>
    <message>
        <source>%1：位图大小 %2 x %3 超出 0 到 1024</source>
        <translation>%1: bitmap size %2 x %3 is outside 0 to 1024</translation>
    </message>
    <message>
        <source>%1：位图的像素数据不完整</source>
        <translation>%1: bitmap pixel data is truncated</translation>
    </message>
    <message>
        <source>%1：文件太大，不是字模位图</source>
        <translation>%1: file is too large for a glyph bitmap</translation>
    </message>
    <message>
        <source>%1 不存在或不是文件。</source>
        <translation>%1 does not exist or is not a file.</translation>
    </message>
    <message>
        <source>%1 不是 Dotrix 能读的图片（BMP、JPEG、GIF）：%2</source>
        <translation>%1 is not a picture Dotrix can read (BMP, JPEG, GIF): %2</translation>
    </message>
    <message>
        <source>%1 无法解码：%2</source>
        <translation>%1 cannot be decoded: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：它是文件夹</source>
        <translation>cannot read %1: it is a directory</translation>
    </message>
    <message>
        <source>找不到 %1；找过的地方：%2</source>
        <translation>%1 not found; looked in %2</translation>
    </message>
    <message>
        <source>无法载入 OpenCC 配置 %1：%2</source>
        <translation>cannot load the OpenCC configuration %1: %2</translation>
    </message>
    <message>
        <source>OpenCC（%1）无法转换这段文字</source>
        <translation>OpenCC (%1) could not convert the text</translation>
    </message>
    <message>
        <source>%1 位每像素：%2 文件只能是 %3</source>
        <translation>%1 bits per pixel: %2 files take %3</translation>
    </message>
    <message>
        <source>1、2、4 或 8</source>
        <translation>1, 2, 4 or 8</translation>
    </message>
    <message>
        <source>%1 文件没有字体名</source>
        <translation>%1 files take no font name</translation>
    </message>
    <message>
        <source>“%1”不是 C 标识符（字母、数字和 _，不以数字开头，不是 C 关键字）</source>
        <translation>&apos;%1&apos; is not a C identifier (letters, digits and _, not a digit first, no C keyword)</translation>
    </message>
    <message>
        <source>没有指定要写入字体的文件</source>
        <translation>no file to write the font to</translation>
    </message>
    <message>
        <source>字符列表中没有可导出的字符</source>
        <translation>the list holds no character to export</translation>
    </message>
    <message>
        <source>%1 x %2 点的字模没有可导出的点</source>
        <translation>a glyph of %1 x %2 dots holds no dot to export</translation>
    </message>
    <message>
        <source>LVGL 字体最多 65535 个字形，字符列表有 %1 个</source>
        <translation>an LVGL font holds at most 65535 glyphs; the list has %1</translation>
    </message>
    <message>
        <source>%1 离基线 %2 像素，LVGL 字体放不到那么远</source>
        <translation>%1 lies %2 px from the baseline, further than an LVGL font can place it</translation>
    </message>
    <message>
        <source>字形点阵超过 4 GiB，LVGL 字体装不下</source>
        <translation>the glyph bitmaps pass 4 GiB, more than an LVGL font holds</translation>
    </message>
    <message>
        <source>%1 个字形、每个 %2 字节，文件共 %3 字节：Unicode 字库文件最大 4 GiB（请用更小的点阵、位深或字符列表）</source>
        <translation>%1 glyphs of %2 bytes make a file of %3 bytes: a Unicode font file holds at most 4 GiB (use a smaller size, bit depth or list)</translation>
    </message>
    <message>
        <source>%1：未知的错误（代码 %2）</source>
        <translation>%1: unknown failure (code %2)</translation>
    </message>
    <message>
        <source>%1 文件不能压缩：只有 LVGL 字体有压缩格式</source>
        <translation>%1 files cannot be compressed: only LVGL fonts have a compressed format</translation>
    </message>
    <message>
        <source>LVGL 只能解码 2 或 4 位每像素的压缩字形，不能是 %1 位</source>
        <translation>LVGL decodes compressed glyphs only at 2 or 4 bits per pixel, not at %1</translation>
    </message>
    <message>
        <source>修补文件 %1 的字形是 %2 点阵，当前设置是 %3，不能使用</source>
        <translation>The patch file %1 holds %2 glyphs and the settings ask for %3: it cannot be used</translation>
    </message>
    <message>
        <source>修补文件 %1 的字形用字体“%2”绘制，当前设置是“%3”，不能使用</source>
        <translation>The patch file %1 was drawn with the font “%2” and the settings name “%3”: it cannot be used</translation>
    </message>
    <message>
        <source>修补文件 %1 的字形用 %2 像素的字号绘制，当前设置是 %3 像素，不能使用</source>
        <translation>The patch file %1 was drawn at a font size of %2 pixels and the settings ask for %3 pixels: it cannot be used</translation>
    </message>
    <message>
        <source>修补文件 %1 的字形用字重 %2 绘制，当前设置是 %3，不能使用</source>
        <translation>The patch file %1 was drawn at font weight %2 and the settings ask for %3: it cannot be used</translation>
    </message>
    <message>
        <source>修补文件 %1 的字形字体倾斜（%2）与当前设置（%3）不同，不能使用</source>
        <translation>The patch file %1 was drawn with slant %2 and the settings ask for %3: it cannot be used</translation>
    </message>
    <message>
        <source>修补文件 %1 不完整：在最后一个字形或 ENDFONT 之前就结束了</source>
        <translation>The patch file %1 is cut short: it ends before its last glyph or its ENDFONT</translation>
    </message>
    <message>
        <source>修补文件 %1 第 %2 行不是修补文件（BDF）在那里应有的内容</source>
        <translation>The patch file %1: line %2 is not what a patch file (BDF) has there</translation>
    </message>
    <message>
        <source>修补文件 %1 缺少属性 %2，不是 Dotrix 写的修补文件</source>
        <translation>The patch file %1 lacks the property %2: it is not a patch file Dotrix wrote</translation>
    </message>
    <message>
        <source>修补文件 %1 中 %2 的点超出了字模范围</source>
        <translation>The patch file %1: the dots of %2 lie outside the glyph cell</translation>
    </message>
    <message>
        <source>%1 超出 U+FFFF：.vlw 字体只能存放 U+0000 到 U+FFFF 的字符</source>
        <translation>%1 is beyond U+FFFF: a .vlw font holds only characters U+0000 to U+FFFF</translation>
    </message>
    <message>
        <source>%1 的字形宽 %2 像素：.vlw 字体的字形最宽 %3 像素（请用更小的字号或点阵）</source>
        <translation>%1 is %2 pixels wide: a .vlw font&apos;s glyphs are at most %3 pixels wide (use a smaller font size or matrix)</translation>
    </message>
    <message>
        <source>%1 的字宽（步进）是 %2 像素：.vlw 字体的字宽最多 %3 像素（请用更小的字号或点阵）</source>
        <translation>%1 advances %2 pixels: a .vlw font&apos;s advances are at most %3 pixels (use a smaller font size or matrix)</translation>
    </message>
    <message>
        <source>%1 的字形离笔位 %2 像素：.vlw 字体只能存放 %3 到 %4 像素的水平偏移（请改小水平偏移）</source>
        <translation>%1 lies %2 pixels from the pen: a .vlw font holds horizontal offsets of %3 to %4 pixels only (make the horizontal offset smaller)</translation>
    </message>
    <message>
        <source>基线落在第 %1 行（从字模顶边的 0 行数起），而字模只有 %2 行：.vlw 字体的基线必须在字模之内（请调整垂直偏移）</source>
        <translation>the baseline falls on row %1 (counted from 0 at the matrix&apos;s top) of a matrix %2 rows high: a .vlw font&apos;s baseline must lie within the matrix (change the vertical offset)</translation>
    </message>
    <message>
        <source>空格宽 %1 像素，而这样高的行里显示库画的空格至少 %2 像素，字符列表中又没有别的可撑起行高的字符：请在列表中加入一个汉字或字母</source>
        <translation>the space is %1 pixels wide, but in so high a line the display libraries draw a space at least %2 pixels wide, and the character list has no other character that can give the line its height: add a hanzi or a letter to the list</translation>
    </message>
    <message>
        <source>.vlw 字体最多 65535 个字形，字符列表有 %1 个</source>
        <translation>a .vlw font holds at most 65535 glyphs; the character list has %1</translation>
    </message>
    <message>
        <source>%1 个字形的 .vlw 字体超过 4 GiB（已到 %2 字节）：请用更小的点阵或字符列表</source>
        <translation>a .vlw font of %1 glyphs passes 4 GiB (%2 bytes so far): use a smaller matrix or character list</translation>
    </message>
    <message>
        <source>%1 文件没有 C 数组形式：只有 .vlw 字体可以另写成 C 数组</source>
        <translation>%1 files have no C array form: only .vlw fonts can also be written as a C array</translation>
    </message>
    <message>
        <source>C 数组写在字体文件旁边、换成 .c 和 .h 后缀的文件里；%1 不能用作字体文件名</source>
        <translation>the C array is written beside the font file, in files with .c and .h for its suffix; %1 cannot be the font file&apos;s name</translation>
    </message>
</context>
<context>
    <name>FailureTexts</name>
    <message>
        <source>；字体“%1”没有安装，已用最接近的已安装字体</source>
        <translation>; font “%1” is not installed: the nearest installed font was used</translation>
    </message>
</context>
<context>
    <name>FontExporter</name>
    <message>
        <source>字符列表里没有可以导出的字符。</source>
        <translation>The character list holds no character that can be exported.</translation>
    </message>
    <message>
        <source>字体没有导出：
</source>
        <translation>The font was not exported:
</translation>
    </message>
    <message>
        <source>字体导出已停止</source>
        <translation>Font export stopped</translation>
    </message>
    <message>
        <source>已导出 %1 个字形到 %2（%3 字节）</source>
        <translation>Exported %1 glyphs to %2 (%3 bytes)</translation>
    </message>
    <message>
        <source>；已略去 %1 个没有 Unicode 编码的字符</source>
        <translation>; left out %1 characters without a Unicode code point</translation>
    </message>
    <message>
        <source>字体已导出。使用前请注意：
</source>
        <translation>The font was exported. Note before using it:
</translation>
    </message>
</context>
<context>
    <name>GlyphEditor</name>
    <message>
        <source>重做：%1</source>
        <translation>Redone: %1</translation>
    </message>
    <message>
        <source>撤销：%1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>修补文件读不了，不能修改字形（保存会盖掉其中的字形）：
%1</source>
        <translation>The patch file cannot be read, so glyphs cannot be edited (saving would replace the glyphs it holds):
%1</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>先在字符框里输入要修改的字符。</source>
        <translation>First type the character to edit into the character box.</translation>
    </message>
    <message>
        <source>修补文件里的字形是在别的设置下画的，在当前设置下不能修改字形，以免盖掉它们；请把设置改回：
%1</source>
        <translation>The glyphs in the patch file were drawn with other settings; glyphs cannot be edited with the current settings, which would replace them. Change the settings back:
%1</translation>
    </message>
    <message>
        <source>%1 第 %2 行第 %3 列</source>
        <translation>%1 row %2, column %3</translation>
    </message>
    <message>
        <source>这一笔没有记下：
%1</source>
        <translation>This stroke was not kept:
%1</translation>
    </message>
    <message>
        <source>修改%1的点</source>
        <translation>Edit the dots of %1</translation>
    </message>
    <message>
        <source>%1没有修改过，画的就是字体的字形</source>
        <translation>%1 has not been edited: it is drawn from the font</translation>
    </message>
    <message>
        <source>还原%1</source>
        <translation>Revert %1</translation>
    </message>
    <message>
        <source>%1已到格子边上，再移就会丢点</source>
        <translation>%1 is at the edge of the cell: moving it further would lose dots</translation>
    </message>
    <message>
        <source>字形没有移动：
%1</source>
        <translation>The glyph was not moved:
%1</translation>
    </message>
    <message>
        <source>移动%1</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>修补文件没有写成，这一步没有记下：
%1</source>
        <translation>The patch file was not written; this step was not kept:
%1</translation>
    </message>
    <message>
        <source>修补文件没有写成（字形只改在窗口里）：
%1</source>
        <translation>The patch file was not written (the glyph is changed in the window only):
%1</translation>
    </message>
</context>
</TS>
