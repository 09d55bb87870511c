#pragma once
// A main window writing into a scratch directory, with its messages, file dialogs and editor
// launches recorded, for the window's tests to drive.

#include "app/ccontrolbar.h"
#include "app/cmainframe.h"
#include "app/commandid.h"
#include "recordinghooks.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { OpenWindow(dir.path()); }
    void TearDown() override { frame.reset(); }

    void OpenWindow(const QString &outputDir)
    {
        frame = std::make_unique<CMainFrame>(outputDir);
        bar = frame->ControlBar();
    }

    QTemporaryDir dir;
    RecordingHooks hooks;
    QStringList &messages = hooks.messages;
    QStringList &opened = hooks.opened;
    std::unique_ptr<CMainFrame> frame;
    CControlBar *bar = nullptr;
};
