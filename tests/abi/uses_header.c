/* Compiled, never run: the public header alone, or beside <windows.h>
 * before or after it, must give a C or C++ program every declaration it
 * needs, and its annotations must not clash with the platform's. */
#ifdef WINDOWS_H_FIRST
#include <windows.h>
#endif
#include "qlclapi.h"
#ifdef WINDOWS_H_AFTER
#include <windows.h>
#endif

#ifdef WINDOWS_H_FIRST
#include "qlclapi.h" /* included twice: the guard must hold */
#endif

static PFN_QuorlanGetVersion version_entry = QuorlanGetVersion;
static PFN_QuorlanGetConnectionStateVB state_twin = QuorlanGetConnectionStateVB;
static PFN_QuorlanNotifyStateChange notify_entry = QuorlanNotifyStateChange;
static PFN_QuorlanGetConnectionStateString text_entry = QuorlanGetConnectionStateString;

int uses_header(void);
int uses_header(void) {
    QlUInt32 reason = 0;
    QlUInt32 length = 0;
    return (int)version_entry() + state_twin() + (int)QuorlanGetDisconnectReason(&reason) +
           (notify_entry != 0) + (int)text_entry(0, &length) + QL_STATE_CONNECTED;
}
