/* Compiled, never run: the public header alone, then beside <windows.h>,
 * must give a C or C++ program every declaration it needs. */
#ifdef WITH_WINDOWS_H
#include <windows.h>
#endif
#include "qlclapi.h"

#ifdef WITH_WINDOWS_H
#include "qlclapi.h" /* included twice: the guard must hold */
#endif

static PFN_QuorlanGetVersion version_entry = QuorlanGetVersion;
static PFN_QuorlanGetConnectionStateVB state_twin = QuorlanGetConnectionStateVB;
static PFN_QuorlanNotifyStateChange notify_entry = QuorlanNotifyStateChange;

int uses_header(void);
int uses_header(void) {
    QlUInt32 reason = 0;
    return (int)version_entry() + state_twin() + (int)QuorlanGetDisconnectReason(&reason) +
           (notify_entry != 0) + QL_STATE_CONNECTED;
}
