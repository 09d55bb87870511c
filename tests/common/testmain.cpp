// Test entry point: every suite runs inside a QGuiApplication on the offscreen platform.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests check the Chinese texts: the programs they start speak Chinese whatever the locale.
    qputenv("LANGUAGE", "zh");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
