/* Loads qlclapi.dll at run time and resolves its exports by name with the
 * header's PFN_ types: the program still starts where the client is not
 * installed. */
#include <stdio.h>
#include <windows.h>

#include "qlclapi.h"

int main(void) {
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    if (!library) {
        fprintf(stderr, "qlclapi.dll is not installed\n");
        return 2;
    }
    /* Through void*: FARPROC says nothing of the export's own signature. */
    PFN_QuorlanGetConnectionState getState =
        (PFN_QuorlanGetConnectionState)(void *)GetProcAddress(library, "QuorlanGetConnectionState");
    PFN_QuorlanGetDisconnectReason getReason =
        (PFN_QuorlanGetDisconnectReason)(void *)GetProcAddress(library, "QuorlanGetDisconnectReason");
    PFN_QuorlanGetServerAddressByName getServer =
        (PFN_QuorlanGetServerAddressByName)(void *)GetProcAddress(library, "QuorlanGetServerAddressByName");
    if (!getState || !getReason || !getServer) {
        fprintf(stderr, "qlclapi.dll is too old for this program\n");
        FreeLibrary(library);
        return 2;
    }

    QlUInt32 reason = 0;
    printf("state %d\n", getState());
    if (getReason(&reason)) printf("last disconnect reason %u\n", reason);

    wchar_t server[256];
    QlUInt32 bytes = sizeof server;
    if (getServer(server, &bytes)) printf("configured server \"%ls\"\n", server);
    else printf("no server configured\n");

    FreeLibrary(library);
    return 0;
}
