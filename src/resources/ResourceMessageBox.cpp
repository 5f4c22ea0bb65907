#include "resources/ResourceMessageBox.h"

#include "resources/ResourceText.h"

namespace {

SilentAnswerer g_silentAnswerer = nullptr;

} // namespace

int SetupMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    if (g_silentAnswerer) {
        return g_silentAnswerer(text, caption, style);
    }
    return MessageBoxA(owner, text, caption, style);
}

void SetSilentAnswerer(SilentAnswerer answerer) {
    g_silentAnswerer = answerer;
}

void RestoreMainWindow(HWND owner) {
    HWND mainWindow = owner ? GetAncestor(owner, GA_ROOTOWNER) : nullptr;
    if (mainWindow && IsIconic(mainWindow)) {
        ShowWindow(mainWindow, SW_RESTORE);
    }
}

int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style) {
    RestoreMainWindow(owner);
    const std::string caption = LoadResourceText(captionId, 256);
    return ResourceTextMessageBox(owner, textId, caption.c_str(), style);
}

int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style) {
    RestoreMainWindow(owner);
    const std::string text = LoadResourceText(textId, 768);
    return SetupMessageBox(owner, text.c_str(), caption, style);
}
