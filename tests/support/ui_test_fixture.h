#pragma once

#include <gtest/gtest.h>

#include "headless_host.h"
#include "temp_folder.h"
#include "ui/host.h"
#include "ui/toolkit_globals.h"

namespace ostrel::testing {

// A headless host with the toolkit's globals at their start values and the program folder in a
// fresh temporary folder (so "skins" is missing until a test writes it). A test fails when the
// host recorded a failure (a modal run that never ended).
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::ResetToolkitGlobals();
        ui::SetProgramFolder(m_folder.Path());
        ui::SetCurrentHost(&m_host);
    }

    void TearDown() override {
        EXPECT_TRUE(m_host.Failures().empty()) << m_host.Failures().front();
        ui::SetCurrentHost(nullptr);
        ui::ResetToolkitGlobals();
    }

    HeadlessHost m_host;
    TempFolder m_folder;
};

}  // namespace ostrel::testing
