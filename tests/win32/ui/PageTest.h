#pragma once

#include "shell/SetupState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A wizard page created as the flow creates it, owned by a stand-in MainWindow that writes
// down the flow messages the page posts, with a fresh SetupState around it.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the page; fails the test when the template or procedure refuses.
    HWND OpenPage(int templateId, DLGPROC procedure);

    // Delivers what is queued and returns the flow messages posted since the last call.
    std::vector<UINT> FlowMessages();

    // A command from one of the page's controls, as its click sends it.
    void Command(int id, WORD notification = BN_CLICKED);

    std::string Text(int id) const;
    bool Shown(int id) const; // has the visible style, whatever the page's own state
    bool Enabled(int id) const;
    bool Checked(int id) const;

    HWND mainWindow = nullptr;
    HWND page = nullptr;
};

// A script of three components over five delete items on C:\PAGETEST, as the loader leaves it:
//   item 0 "CORE"    1 500 000 bytes  Program Files
//   item 1 "HELP"      250 999 bytes  Help Files
//   item 2 "SHARED"     40 000 bytes  Help Files and Samples
//   item 3 "SAMPLES" 3 000 000 bytes  Samples
//   item 4 "ALWAYS"      7 000 bytes  no component (always installed)
// All selected: 4 797 999 bytes on C:. Program Files is Typical and Minimal, Help Files
// Typical only.
void UseComponentScript();
