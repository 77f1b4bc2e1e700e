/* Prints the client's version, connection state and status text, linked
 * against qlclapi's import library. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include "qlclapi.h"

static const char *StateName(QlInt32 state) {
    switch (state) {
    case QL_STATE_IDLE: return "idle";
    case QL_STATE_CONNECTING: return "connecting";
    case QL_STATE_CONNECTED: return "connected";
    case QL_STATE_SERVER_UNREACHABLE: return "server unreachable";
    case QL_STATE_DISCONNECTED: return "disconnected";
    case QL_STATE_CLIENT_NOT_LOADED: return "client not loaded";
    default: return "disabled";
    }
}

int main(void) {
    QlUInt32 version = QuorlanGetVersion();
    QlInt32 state = QuorlanGetConnectionState();
    printf("driver version %u.%u.%u\n", version >> 24, (version >> 16) & 0xFF, version & 0xFFFF);
    printf("state %d (%s)\n", state, StateName(state));

    /* Text of varying length: ask the size with a null buffer, then fetch. */
    QlUInt32 length = 0;
    QuorlanGetConnectionStateString(NULL, &length);
    wchar_t *text = (wchar_t *)calloc(1, length ? length : 2);
    if (text && QuorlanGetConnectionStateString(text, &length))
        printf("status: %ls\n", text);
    free(text);
    return state == QL_STATE_CLIENT_NOT_LOADED ? 1 : 0;
}
