#include "cdotrixapp.h"

#include "cmainframe.h"
#include "messages.h"
#include "windowsettings.h"

#include "l10n/language.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

#include <cstdio>

void SetApplicationIdentity()
{
    // No display name: Qt would append it to every caption ("字模格式 — Dotrix").
    QCoreApplication::setApplicationName(ApplicationTitle);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DOTRIX_VERSION));
}

CDotrixApp::CDotrixApp(int &argc, char **argv) : QApplication(argc, argv)
{
    SetApplicationIdentity();
    // Ties the window to its desktop entry, so the desktop shows the entry's name and icon.
    setDesktopFileName(QStringLiteral(DOTRIX_APP_ID));
}

CDotrixApp::~CDotrixApp() = default;

bool CDotrixApp::InitInstance()
{
    // The language: --lang, else the one chosen under 查看 in an earlier run, else the locale's.
    const std::optional<QString> langArgument = LanguageArgument(arguments());
    const std::optional<Language> asked = langArgument ? ParseLanguage(*langArgument) : std::nullopt;
    if (langArgument && !asked) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(tr("dotrix: bad value '%1' for --lang: expected zh or en")
                                                         .arg(*langArgument)));
        return false;
    }
    QSettings store;
    const std::optional<WindowSettings> remembered = ReadWindowSettings(store).Settings;
    const std::optional<Language> chosen = remembered ? remembered->ChosenLanguage : std::nullopt;
    if (!SetLanguage(asked ? *asked : chosen ? *chosen : LanguageOfLocale()))
        qWarning("Qt's Chinese translations (qt6-translations-l10n) are not installed: Qt's dialogs stay in English");

    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Dotrix: dot-matrix glyph data for LCD and LED displays"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption workdir(QStringLiteral("workdir"),
                                     tr("Directory for glyph bitmaps and generated files (default: the current directory)."),
                                     QStringLiteral("DIR"));
    parser.addOption(workdir);
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  tr("Language of the window: zh (Chinese) or en (English); default: the one "
                                     "chosen in the View menu, else the locale's."),
                                  QStringLiteral("zh|en"));
    parser.addOption(lang);
    parser.process(*this);

    const QString programDir = parser.isSet(workdir) ? QFileInfo(parser.value(workdir)).absoluteFilePath()
                                                     : QDir::currentPath();
    if (!QFileInfo(programDir).isDir()) {
        ShowMessage(nullptr, tr("工作目录不存在：%1").arg(programDir));
        return false;
    }
    m_frame = std::make_unique<CMainFrame>(programDir);
    QString problem = m_frame->RestoreSettings();
    const QString patchProblem = m_frame->LoadPatch();
    if (!patchProblem.isEmpty())
        problem += (problem.isEmpty() ? QString() : QStringLiteral("\n\n")) + patchProblem;
    if (!remembered || remembered->Geometry.isEmpty() || m_frame->isMaximized()) {
        // Without a window manager to maximise it, the window still covers the screen.
        if (const QScreen *screen = primaryScreen())
            m_frame->setGeometry(screen->availableGeometry());
        m_frame->showMaximized();
    } else {
        m_frame->show();
    }
    if (!problem.isEmpty())
        ShowMessage(m_frame.get(), problem);
    return true;
}
