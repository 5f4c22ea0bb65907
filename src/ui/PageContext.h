#pragma once

#include "engine/Accounting.h"
#include "script/FixedText.h"
#include "script/ScriptModel.h"
#include "ui/BitmapImage.h"
#include "ui/WizardPages.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Where a page reports the user's answer; the shell implements it and decides the next step.
class PageHost {
public:
    virtual void PageAnswered(WizardPage page, PageAnswer answer) = 0;

protected:
    ~PageHost() = default;
};

// What the wizard pages read and write, handed to each page as its CreateDialogParamA
// parameter and kept with the page (DWLP_USER). The referenced values belong to the caller and
// outlive the page; values accepted on a page survive Back and Next because they live there.
struct PageContext {
    SetupScript& script;
    FixedText& destination; // the first directory's path
    const FixedText& sourceDirectory;
    std::uint32_t& setupType;
    bool& createGroups;
    std::vector<DriveEntry>& drives;
    const BitmapImage& sidePicture;
    PageHost& host;
};

// For WM_INITDIALOG: keeps the context with the page and returns it.
PageContext& AttachPageContext(HWND page, LPARAM parameter);

// The context that AttachPageContext kept; null before WM_INITDIALOG.
PageContext* PageContextOf(HWND page);
