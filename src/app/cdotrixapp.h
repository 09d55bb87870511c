#pragma once
// CDotrixApp: the application object: name, profile, command line, and the main window.

#include <QApplication>

#include <memory>

class CMainFrame;

// The application's name, organisation (the profile's key) and version.
void SetApplicationIdentity();
// Loads Qt's Chinese translations for the whole program; false when they are not installed.
bool InstallTranslations();

class CDotrixApp : public QApplication
{
    Q_OBJECT
public:
    CDotrixApp(int &argc, char **argv);
    ~CDotrixApp() override;

    // Reads the command line (--workdir DIR), creates the main window and shows it maximised.
    // False when the program cannot start (the reason has been shown).
    bool InitInstance();
    CMainFrame *MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};
