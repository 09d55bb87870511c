// Test entry point for the desktop program's tests: a QApplication on the offscreen platform,
// with a configuration folder of its own.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests check the Chinese texts: the programs they start speak Chinese whatever the locale.
    qputenv("LANGUAGE", "zh");
    // The window's remembered settings go to a scratch folder, never to the user's own.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dotrix Tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
