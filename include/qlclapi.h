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
/* A BSTR (from SysAllocString); the VB twins reallocate the caller's. */
typedef wchar_t *QlBstr;
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

/* ---- Addresses -------------------------------------------------------- */

/* IPv4 values are returned as stored: network byte order. The ...Ex calls
 * write a SOCKADDR_IN (16 bytes) or SOCKADDR_IN6 (28 bytes) into a caller
 * buffer of 28 bytes. The ...ExVB twins store the address as text, e.g.
 * "10.1.2.3:5008" or "[fe80::1%7]:5008", as ANSI bytes in the caller's BSTR. */

/* The client's virtual IPv4 address. 0 without a driver, when the driver
 * refuses, or when the virtual address is not a non-zero IPv4 address. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVirtualAddress, (QlUInt32 *address));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVirtualAddressVB, (QlUInt32 *address));
/* *count: in, the addresses the buffer can take (at least 1); out, the
 * number of addresses (1 once the driver answered, 0 before). Any family. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVirtualAddressEx, (void *socketAddress, QlUInt32 *count));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVirtualAddressExVB, (QlBstr *text));

/* The address of the local interface through which the client reaches its
 * server. 0 without a driver, with a driver of another version, or when the
 * driver answers short; an IPv6 point of presence gives address 0 and 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresence, (QlUInt32 *address));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceVB, (QlUInt32 *address));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceEx, (void *socketAddress));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceExVB, (QlBstr *text));

/* The server the client is connected to: IPv4 address and port, both in
 * network byte order. 0 for null pointers, without a driver, or when the
 * server is not a non-zero IPv4 address. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetConnectedServerAddress, (QlUInt32 *address, QlUInt16 *port));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetConnectedServerAddressVB, (QlUInt32 *address, QlUInt16 *port));
/* Any family; an absent server writes a zero family word and returns 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetConnectedServerAddressEx, (void *socketAddress));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetConnectedServerAddressExVB, (QlBstr *text));

/* ---- Point-of-presence details -------------------------------------- */

/* The interface that carries the point of presence. The pointers point
 * into the caller's buffer, behind the fixed part. Layout of the 32-bit
 * build: fixed part 52 bytes, pointers at 20, 28, 36, 44. In the 64-bit
 * build pointers take 8 bytes (fixed part 88 bytes: pointers at 24, 40, 56,
 * 72). A part that did not fit has a null pointer and size 0. */
typedef struct QlPointOfPresenceDetails {
    QlUInt32 size;               /* sizeof(QlPointOfPresenceDetails): 52 (32-bit), 88 (64-bit) */
    QlUInt32 address;            /* IPv4, network order; 0 when the point of presence is not IPv4 */
    QlUInt32 interfaceValue1;    /* the driver's interface values, passed on */
    QlUInt32 interfaceValue2Low; /* low half of interfaceValue2 of the Ex record */
    QlUInt32 interfaceValue3Low; /* low half of interfaceValue3 of the Ex record */
    const unsigned char *physicalAddress;
    QlUInt32 physicalAddressLength;
    const wchar_t *name;         /* terminated */
    QlUInt32 nameBytes;          /* terminator included; 0 for an empty name */
    const wchar_t *secondText;   /* terminated */
    QlUInt32 secondTextBytes;    /* terminator included; 0 when empty */
    const unsigned char *trailingBytes;
    QlUInt32 trailingLength;
} QlPointOfPresenceDetails;

/* 32-bit: 104 bytes, 64-bit: 144 bytes. */
typedef struct QlPointOfPresenceDetailsEx {
    QlPointOfPresenceDetails details;
    QlUInt32 reserved1;           /* 0 */
    QlUInt64 interfaceValue2;
    QlUInt64 interfaceValue3;
    unsigned char socketAddress[28]; /* SOCKADDR_IN or SOCKADDR_IN6 of the point of presence */
    QlUInt32 reserved2;           /* 0 */
} QlPointOfPresenceDetailsEx;

/* Fills what fits of the record into buffer (size bytes; a null buffer with
 * size 0 asks the size) and returns the size a full result needs, or 0
 * without a driver, with a driver of another version, or when no interface
 * carries the point of presence. Call with size 0, allocate, call again. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceDetails, (void *buffer, QlUInt32 size));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceDetailsEx, (void *buffer, QlUInt32 size));
/* The details as separate values; texts as ANSI in BSTRs, the physical
 * address and trailing bytes as hex text such as "00-1A-2B". Each pointer
 * may be null. Returns the plain size, or 0. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceDetailsVB,
                (QlUInt32 * address, QlUInt32 *interfaceValue1, QlUInt32 *interfaceValue2Low,
                 QlUInt32 *interfaceValue3Low, QlBstr *physicalAddress, QlBstr *name, QlBstr *secondText,
                 QlBstr *trailingBytes));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceDetailsExVB,
                (QlBstr * address, QlUInt32 *interfaceValue1, QlUInt64 *interfaceValue2, QlUInt64 *interfaceValue3,
                 QlBstr *physicalAddress, QlBstr *name, QlBstr *secondText, QlBstr *trailingBytes));

/* 3, 2 or 1 by the interface's type flags (0x10, else 0x20, else neither);
 * 0 without a driver, with a driver of another version, or without an
 * interface carrying the point of presence. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceNetworkType, (void));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceNetworkTypeVB, (void));

/* ---- Configuration: permanent identifier, server address, start-up -- */

/* These read and change the client's configuration in the registry (below
 * HKEY_LOCAL_MACHINE) and need no driver. Changing it needs administrator
 * rights; the setters do not report a refused registry write unless said. */

/* The client's permanent identifier (32 bytes). A null buffer stores 32 in
 * *length and returns 0, whatever is stored. Otherwise 1: *length holds the
 * identifier's size afterwards (larger than the buffer when it did not fit,
 * 0 when there is none, unchanged when the client's state key is missing).
 * 0 for a null length. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPermanentID, (void *buffer, QlUInt32 *length));
/* The identifier's bytes packed two to a unit into *text. 1 on success
 * (an empty identifier gives an empty string); 0 with *text unchanged for a
 * null pointer, or when the identifier is missing or longer than 32 bytes. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPermanentIDVB, (QlBstr * text));

/* The configured server address. Addresses and ports are in network byte
 * order; socket addresses are 28-byte buffers as for the address calls. */

/* The configured IPv4 address and port (port may be null). 1, with 0 and 0
 * when none is configured or it is IPv6 or a host name; 0 for a null
 * address pointer. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddress, (QlUInt32 * address, QlUInt16 *port));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressVB, (QlUInt32 * address, QlUInt16 *port));
/* Either family into the 28-byte buffer (28 zero bytes for none). 1; 0 for
 * null. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddressEx, (void *socketAddress));
/* The configured address as text ("" for none). 1; 0 for null or when the
 * string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressExVB, (QlBstr * text));
/* The stored text unparsed (any host name). *length is the buffer's size in
 * bytes. Unlike the other text calls, a null buffer is a size query that
 * returns 1 with the size needed in *length. 1 with the bytes stored in
 * *length; 0 with *length set to 0 when nothing is configured or the text
 * does not fit (no needed size is given then); 0 for a null length. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddressByName, (wchar_t * buffer, QlUInt32 *length));
/* The stored text as ANSI. 1; 0 for null, when no text is stored, or when
 * the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressByNameVB, (QlBstr * text));

/* The setters store the address as text, empty the client's address cache
 * and tell the driver (when it is there). They return 1, also when the
 * registry refused the write or no driver is there. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddress, (QlUInt32 address, QlUInt16 port));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressVB, (QlUInt32 address, QlUInt16 port));
/* A SOCKADDR_IN or SOCKADDR_IN6; null or another family stores "no
 * address". Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddressEx, (const void *socketAddress));
/* Parses an address text ("203.0.113.9:443", "[2001:db8::1]:443"; a prefix
 * is dropped). 0, storing nothing, when the text is null or not an address;
 * else 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressExVB, (const char *text));
/* Stores the text unchecked (a host name, say); null stores the empty
 * text. Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddressByName, (const wchar_t *text));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressByNameVB, (const char *text));

/* The recorded start-up choice: 1 on, 0 off, 3 never recorded (another
 * number an administrator stored is passed on). 1; 0 for null. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetLoadAtStartup, (QlUInt32 * value));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetLoadAtStartupVB, (QlUInt32 * value));
/* Any non-zero value switches loading at start-up on, 0 off: the start
 * types of the client's services, the policy agent's dependency on the
 * client and the recorded choice. Takes effect at the next start of the
 * machine. 1 when every service's start type was written; 0 otherwise (no
 * rights), with the services before the failing one changed. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetLoadAtStartup, (QlInt32 enable));
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetLoadAtStartupVB, (QlInt32 enable));

#ifdef __cplusplus
}
#endif

#endif /* QLCLAPI_H */
