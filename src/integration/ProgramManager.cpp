#include "integration/ProgramManager.h"

#include "common/Win32Handles.h"
#include "integration/GroupNames.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceMessageBox.h"

#include <cstring>
#include <string>

namespace {

constexpr DWORD kRequestTimeoutMs = 1000;

// The one conversation. The service name's string handle belongs to the instance and must be
// freed before the instance ends.
struct ProgmanConversation {
    UniqueDdeInstance instance;
    HSZ serviceName = nullptr;
    UniqueDdeConversation conversation;
};

ProgmanConversation g_progman;

// A client answers no transaction of its own.
HDDEDATA CALLBACK ProgmanCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

void ReleaseConversation() {
    if (g_progman.serviceName) {
        DdeFreeStringHandle(g_progman.instance.get(), g_progman.serviceName);
        g_progman.serviceName = nullptr;
    }
    g_progman.conversation.reset();
    g_progman.instance.reset();
}

// The answer to the "Groups" request, copied out of its data handle; empty when none came.
std::string RequestGroups() {
    if (!g_progman.conversation) {
        return {};
    }
    HSZ item = DdeCreateStringHandleA(g_progman.instance.get(), "Groups", CP_WINANSI);
    HDDEDATA data = DdeClientTransaction(nullptr, 0, g_progman.conversation.get(), item, CF_TEXT,
                                         XTYP_REQUEST, kRequestTimeoutMs, nullptr);
    if (item) {
        DdeFreeStringHandle(g_progman.instance.get(), item);
    }
    // A synchronous transaction answers TRUE (1) when it succeeded without data.
    if (!data || data == reinterpret_cast<HDDEDATA>(TRUE)) {
        return {};
    }
    std::string answer;
    DWORD size = 0;
    if (const BYTE* bytes = DdeAccessData(data, &size)) {
        answer.assign(reinterpret_cast<const char*>(bytes), size);
        DdeUnaccessData(data);
    }
    DdeFreeDataHandle(data);
    return answer;
}

} // namespace

bool ProgmanConnect(HWND owner) {
    ReleaseConversation();
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ProgmanCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        return false;
    }
    g_progman.instance.reset(instance);
    g_progman.serviceName = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    g_progman.conversation.reset(
        DdeConnect(instance, g_progman.serviceName, g_progman.serviceName, nullptr));
    if (!g_progman.conversation) {
        ResourceMessageBox(owner, IDS_DDE_FAILED, IDS_SETUP_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void ProgmanExecute(const char* command, DWORD timeoutMs) {
    if (!g_progman.conversation) {
        return;
    }
    // The command travels as CF_TEXT with its terminating NUL; the result is not looked at.
    const auto length = static_cast<DWORD>(std::strlen(command) + 1);
    HDDEDATA result = DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command)),
                                           length, g_progman.conversation.get(), nullptr, CF_TEXT,
                                           XTYP_EXECUTE, timeoutMs, nullptr);
    static_cast<void>(result);
}

void ProgmanClose() {
    ProgmanExecute("[ExitProgram(1)]", kProgmanGroupTimeoutMs);
    ReleaseConversation();
}

std::vector<std::string> ProgmanGroupNames() {
    return SplitGroupNames(RequestGroups());
}

void ListExistingGroups(HWND listBox) {
    // The connect's failure message may appear; the request then finds nothing.
    static_cast<void>(ProgmanConnect(listBox ? GetAncestor(listBox, GA_ROOTOWNER) : nullptr));
    const std::string answer = RequestGroups();
    ProgmanClose();
    for (const std::string& name : SplitGroupNames(answer)) {
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}
