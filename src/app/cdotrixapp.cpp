#include "cdotrixapp.h"

#include "cmainframe.h"
#include "messages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>

void SetApplicationIdentity()
{
    // No display name: Qt would append it to every caption ("字模格式 — Dotrix").
    QCoreApplication::setApplicationName(ApplicationTitle);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOTRIX_VERSION));
}

bool InstallTranslations()
{
    // The program speaks Chinese whatever the system's language, and so do Qt's own dialogs and
    // texts (file and font dialogs, message box buttons, decoder and port errors).
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *candidate = new QTranslator(QCoreApplication::instance());
    if (!candidate->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

CDotrixApp::CDotrixApp(int &argc, char **argv) : QApplication(argc, argv)
{
    SetApplicationIdentity();
    if (!InstallTranslations())
        qWarning("Qt's Chinese translations (qt6-translations-l10n) are not installed: Qt's dialogs stay in English");
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
