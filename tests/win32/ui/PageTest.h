#pragma once

#include "ui/PageContext.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A wizard page created as the flow creates it, owned by a stand-in MainWindow, with a context
// over the test's own state and a host that writes down the answers the page reports.
class PageTest : public ::testing::Test, public PageHost {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the page; fails the test when the template or procedure refuses.
    HWND OpenPage(int templateId, DLGPROC procedure);

    // Delivers what is queued and returns the answers reported since the last call.
    std::vector<std::pair<WizardPage, PageAnswer>> Answers();

    // A command from one of the page's controls, as its click sends it.
    void Command(int id, WORD notification = BN_CLICKED);

    std::string Text(int id) const;
    bool Shown(int id) const; // has the visible style, whatever the page's own state
    bool Enabled(int id) const;
    bool Checked(int id) const;

    // A script of three components over five delete items on C:\PAGETEST, as the loader
    // leaves it:
    //   item 0 "CORE"    1 500 000 bytes  Program Files
    //   item 1 "HELP"      250 999 bytes  Help Files
    //   item 2 "SHARED"     40 000 bytes  Help Files and Samples
    //   item 3 "SAMPLES" 3 000 000 bytes  Samples
    //   item 4 "ALWAYS"      7 000 bytes  no component (always installed)
    // All selected: 4 797 999 bytes on C:. Program Files is Typical and Minimal, Help Files
    // Typical only.
    void UseComponentScript();

    void PageAnswered(WizardPage which, PageAnswer answer) override {
        answers.emplace_back(which, answer);
    }

    // The state the pages read and write.
    SetupScript script;
    FixedText sourceDirectory;
    std::uint32_t setupType = kSetupTypical;
    bool createGroups = true;
    std::vector<DriveEntry> drives;
    BitmapImage sidePicture;

    HWND mainWindow = nullptr;
    HWND page = nullptr;

private:
    std::optional<PageContext> context;
    std::vector<std::pair<WizardPage, PageAnswer>> answers;
};

using Answer = std::pair<WizardPage, PageAnswer>;
using AnswerList = std::vector<Answer>;
