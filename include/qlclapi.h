/*
 * qlclapi.h - client API of the roaming VPN client.
 *
 * Load qlclapi.dll and call these functions to read the client's connection
 * state, steer it, connect with credentials and read its addresses.
 *
 * Conventions
 *   - Plain functions use __cdecl and UTF-16 text.
 *   - The ...VB twins use __stdcall, take ANSI text and return text as ANSI
 *     bytes packed into a BSTR the caller owns (for Visual Basic programs).
 *   - Yes/no functions return 1 for success, 0 for failure.
 *   - Without the client driver every driver-facing function returns its
 *     "not available" result (0 unless stated otherwise) and sends nothing.
 *   - Function-pointer types (PFN_...) are given for callers that use
 *     LoadLibrary and GetProcAddress.
 *
 * This header needs no other header; it compiles as C and C++.
 */
#ifndef QLCLAPI_H
#define QLCLAPI_H

#ifndef __cplusplus
#include <stddef.h> /* wchar_t */
#endif

#if !defined(_WIN32)
/* Outside Windows the header is only syntax-checked. */
#define __cdecl
#define __stdcall
#endif

#if defined(QLCLAPI_BUILDING)
#define QLCLAPI_IMPORT
#elif defined(_WIN32)
#define QLCLAPI_IMPORT __declspec(dllimport)
#else
#define QLCLAPI_IMPORT
#endif

#define QLCLAPI_CALL __cdecl
#define QLCLAPI_VBCALL __stdcall

#ifdef __cplusplus
extern "C" {
#endif

/* 32-bit on every Windows ABI. */
typedef unsigned int QlUInt32;
typedef int QlInt32;
typedef unsigned short QlUInt16;
typedef unsigned long long QlUInt64;
struct _OVERLAPPED;

/* Declares an export and its function-pointer type PFN_<name>. */
#define QLCLAPI_DECLARE(result, call, name, params) \
    QLCLAPI_IMPORT result call name params;          \
    typedef result(call *PFN_##name) params

/* ---- Version, state and control ------------------------------------- */

/* Connection states returned by QuorlanGetConnectionState. Any value not
 * listed means the client is disabled. */
enum QlConnectionState {
    QL_STATE_IDLE = 1,
    QL_STATE_CONNECTING = 2,
    QL_STATE_CONNECTED = 3,
    QL_STATE_SERVER_UNREACHABLE = 4,
    QL_STATE_DISCONNECTED = 5,
    QL_STATE_CLIENT_NOT_LOADED = 6 /* also: no driver, or the driver did not answer */
};

/* Driver version word: major in bits 31-24, minor 23-16, build 15-0.
 * 0x0C0C422F (12.12.16943, this library's own) when no driver is present;
 * 0 when the driver refused to tell. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVersion, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVersionVB, (void));

/* A QlConnectionState value, passed on as the driver gave it; 6 without a
 * driver. */
QLCLAPI_DECLARE(QlInt32, QLCLAPI_CALL, QuorlanGetConnectionState, (void));
QLCLAPI_DECLARE(QlInt32, QLCLAPI_VBCALL, QuorlanGetConnectionStateVB, (void));

/* Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVorantisTechnology, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVorantisTechnologyVB, (void));

/* Commands: 1 once handed to the driver (its answer is not looked at),
 * 0 without a driver. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanEnable, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanEnableVB, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanLogoff, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanLogoffVB, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanBypass, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanBypassVB, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanTriggerQLSRouteCheck, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanTriggerQLSRouteCheckVB, (void));

/* Stores the last disconnect reason code (its text is string 34000+code).
 * 1 when the driver was asked (a refusal leaves *reason unchanged); 0 for a
 * null pointer, or without a driver (then *reason is set to 0). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetDisconnectReason, (QlUInt32 *reason));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetDisconnectReasonVB, (QlUInt32 *reason));

/* Starts a wait for the next change of the connection state: the event in
 * *overlapped is signalled when it happens. 1 when the request was issued;
 * 0 without a driver, with a driver of another version, or with a null
 * pointer. *overlapped must stay valid until the request completes or is
 * cancelled. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanNotifyStateChange, (struct _OVERLAPPED * overlapped));
/* Does nothing; always 0. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanNotifyStateChangeVB, (QlUInt32 unused));
/* Cancels the wait started with *overlapped. 1 when the cancellation was
 * accepted; 0 when nothing was pending, without a driver or for null. No
 * VB twin. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanCancelNotifyStateChange, (struct _OVERLAPPED * overlapped));

/* Opens the client's state-change event Global\QuorlanNotifyEvent for
 * waiting (SYNCHRONIZE); the caller closes it. Null on failure, with the
 * last error set by the open. Needs no driver. The misspelled names are
 * the same functions. */
QLCLAPI_DECLARE(void *, QLCLAPI_CALL, QuorlanGetStateChangeNotificationEventHandle, (void));
QLCLAPI_DECLARE(void *, QLCLAPI_VBCALL, QuorlanGetStateChangeNotificationEventHandleVB, (void));
QLCLAPI_DECLARE(void *, QLCLAPI_CALL, QuorlanGetStateChangeNotficationEventHandle, (void));
QLCLAPI_DECLARE(void *, QLCLAPI_VBCALL, QuorlanGetStateChangeNotficationEventHandleVB, (void));

/* ---- Credentials and external conditions ---------------------------- */

/* Disconnects the client (reason 50), waits half a second, hands the three
 * texts to the driver in argument order (each may be null; at most 255
 * characters each are sent) and enables the client. 1 when the enable was
 * sent; 0 without a driver. The VB twin takes ANSI texts. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanConnectWithPassword,
                (const wchar_t *first, const wchar_t *second, const wchar_t *third));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanConnectWithPasswordVB,
                (const char *first, const char *second, const char *third));

/* Not supported: always 0, sends nothing. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanConnectWithOTP, (const wchar_t *first, const wchar_t *second));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanConnectWithOTPVB, (const char *first, const char *second));

/* Passes a pair of texts describing an external condition to the driver
 * (at most 255 characters each). 0 when first is null (the VB twin: when it
 * is null or cannot be converted); otherwise 1, also without a driver. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetExternalCondition, (const wchar_t *first, const wchar_t *second));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetExternalConditionVB, (const char *first, const char *second));

#ifdef __cplusplus
}
#endif

#endif /* QLCLAPI_H */
