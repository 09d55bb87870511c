#include "cdotrixapp.h"

#include "cmainframe.h"
#include "messages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

CDotrixApp::CDotrixApp(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(ApplicationTitle);
    setApplicationDisplayName(ApplicationTitle);
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationVersion(QStringLiteral(DOTRIX_VERSION));
    // Ties the window to its desktop entry, so the desktop shows the entry's name and icon.
    setDesktopFileName(QStringLiteral(DOTRIX_APP_ID));
}

CDotrixApp::~CDotrixApp() = default;

bool CDotrixApp::InitInstance()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Dotrix: dot-matrix glyph data for LCD and LED displays"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption workdir(QStringLiteral("workdir"),
                                     QStringLiteral("Directory for glyph bitmaps and generated files (default: the current directory)."),
                                     QStringLiteral("DIR"));
    parser.addOption(workdir);
    parser.process(*this);

    const QString programDir = parser.isSet(workdir) ? QFileInfo(parser.value(workdir)).absoluteFilePath()
                                                     : QDir::currentPath();
    if (!QFileInfo(programDir).isDir()) {
        ShowMessage(nullptr, QStringLiteral("工作目录不存在：%1").arg(programDir));
        return false;
    }
    m_frame = std::make_unique<CMainFrame>(programDir);
    // Without a window manager to maximise it, the window still covers the screen.
    if (const QScreen *screen = primaryScreen())
        m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    return true;
}
