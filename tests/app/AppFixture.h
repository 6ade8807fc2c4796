#pragma once
#include "MainFrame.h"
#include "PlumetApp.h"
#include "ScriptedDialogs.h"
#include "QtPrinters.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

// plumet started in a private empty folder with private settings.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.InitInstance({})); }

    CMainFrame& Frame() { return *app.MainFrame(); }
    PlumetState& State() { return app.State(); }
    std::string Library() const { return env.Folder() + "/File Manager"; }

    TestEnvironment env;
    CPlumetApp app;
};
