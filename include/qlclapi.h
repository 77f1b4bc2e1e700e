/**
 * \file qlclapi.h
 * \brief Client API of the roaming VPN client: the functions of qlclapi.dll.
 *
 * Load qlclapi.dll and call these functions to read the client's connection
 * state, steer it, connect with credentials, read its addresses and change
 * its configuration. This header needs no other header and compiles as C
 * and C++.
 *
 * \par Calling conventions and the VB twins
 * Every function has a twin whose name ends in \c VB, made for Visual Basic
 * programs (vb/qlclapi.bas declares them). The plain functions use \c __cdecl
 * (#QLCLAPI_CALL) and UTF-16 text; the twins use \c __stdcall
 * (#QLCLAPI_VBCALL), take ANSI text in the system's code page and return text
 * as ANSI bytes packed two to a unit into a \c BSTR the caller owns (see
 * #QlBstr). On x64 the two conventions are one. In the 32-bit DLL every name
 * is exported undecorated; the import libraries map a twin's decorated name
 * (\c _QuorlanEnableVB@0) to it.
 *
 * \par Results
 * Every function returns a 32-bit value. Yes/no functions return 1 for
 * success and 0 for failure; the others say what they return. Nothing is
 * reported through the thread's last-error value unless a function says so.
 *
 * \par Without the client driver
 * The library loads even when the client's driver is not there. A function
 * that needs the driver then sends nothing and returns its "not available"
 * result, which each function names (0 unless stated otherwise). The driver
 * is looked for once, when the library is loaded: load the library again
 * after the client has started.
 *
 * \par Text of varying length
 * A function that returns text of varying length takes a buffer and a pointer
 * to its size in bytes. A null buffer is a size query: the size needed is
 * stored and the function returns 0 (QuorlanGetServerAddressByName() returns
 * 1). With a buffer, a text that does not fit is cut short and terminated,
 * 0 is stored in the size and 0 is returned.
 *
 * \par Run-time loading
 * For every function the header also declares its function-pointer type
 * (\c PFN_ and its name, such as \c PFN_QuorlanGetConnectionState), for
 * callers that load the library with \c LoadLibrary and resolve functions
 * with \c GetProcAddress.
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

/** \cond INTERNAL */
/* Each argument carries its contract as a source annotation (SAL), which
 * code analysers read: _In_ read, _Out_ written, _Inout_ both; _opt_ may be
 * null; _z_ a terminated string; _Out_writes_bytes_opt_(n) a buffer of n
 * bytes, null for a size query. A compiler without <sal.h> gets them empty. */
#if defined(__has_include)
#if __has_include(<sal.h>)
#include <sal.h>
#endif
#elif defined(_MSC_VER)
#include <sal.h> /* Visual C++ before __has_include, which always has it */
#endif
#ifndef _In_
#define _In_
#endif
#ifndef _In_opt_
#define _In_opt_
#endif
#ifndef _In_z_
#define _In_z_
#endif
#ifndef _In_opt_z_
#define _In_opt_z_
#endif
#ifndef _Out_
#define _Out_
#endif
#ifndef _Out_opt_
#define _Out_opt_
#endif
#ifndef _Inout_
#define _Inout_
#endif
#ifndef _Inout_opt_
#define _Inout_opt_
#endif
#ifndef _Out_writes_bytes_
#define _Out_writes_bytes_(size)
#endif
#ifndef _Out_writes_bytes_opt_
#define _Out_writes_bytes_opt_(size)
#endif
/** \endcond */

/** \cond INTERNAL */
#if defined(QLCLAPI_BUILDING)
#define QLCLAPI_IMPORT
#elif defined(_WIN32)
#define QLCLAPI_IMPORT __declspec(dllimport)
#else
#define QLCLAPI_IMPORT
#endif
/** \endcond */

/** Calling convention of the plain functions: \c __cdecl (the caller removes
 *  the arguments). */
#define QLCLAPI_CALL __cdecl
/** Calling convention of the \c VB twins: \c __stdcall (the function removes
 *  its arguments), the convention of Visual Basic's \c Declare. */
#define QLCLAPI_VBCALL __stdcall

#ifdef __cplusplus
extern "C" {
#endif

/** Unsigned 32-bit value (32 bits on every Windows ABI). */
typedef unsigned int QlUInt32;
/** Signed 32-bit value. */
typedef int QlInt32;
/** Unsigned 16-bit value (ports). */
typedef unsigned short QlUInt16;
/** Unsigned 64-bit value. */
typedef unsigned long long QlUInt64;
/** A \c BSTR (from \c SysAllocString). The \c VB twins that return text
 *  reallocate the caller's string with \c SysReAllocString and store ANSI
 *  bytes two to a UTF-16 unit; the caller frees it with \c SysFreeString.
 *  A twin that fails leaves the caller's string as it was. */
typedef wchar_t *QlBstr;
struct _OVERLAPPED;

/** Declares a function of the library and its function-pointer type, \c PFN_
 *  followed by the function's name. */
#define QLCLAPI_DECLARE(result, call, name, params) \
    QLCLAPI_IMPORT result call name params;          \
    typedef result(call *PFN_##name) params

/**
 * \defgroup state Version, state and control
 * \brief The driver's version, the connection state, commands and
 *        state-change notification.
 * \{
 */

/** Connection states returned by QuorlanGetConnectionState(). Any value not
 *  listed means that the client is disabled. */
enum QlConnectionState {
    QL_STATE_IDLE = 1,               /**< idle */
    QL_STATE_CONNECTING = 2,         /**< connecting */
    QL_STATE_CONNECTED = 3,          /**< connected */
    QL_STATE_SERVER_UNREACHABLE = 4, /**< the server is currently unreachable */
    QL_STATE_DISCONNECTED = 5,       /**< disconnected */
    QL_STATE_CLIENT_NOT_LOADED = 6   /**< the client is not loaded; also: no driver, or the driver did not answer */
};

/** \brief The client driver's version word.
 *
 *  Major version in bits 31-24, minor in 23-16, build in 15-0. The driver is
 *  asked once, when the library is loaded.
 *  \return The driver's version; without a driver the library's own version
 *          0x0C0C422F (12.12.16943); 0 when the driver refused to tell.
 *  \see QuorlanGetVersionVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVersion, (void));
/** \brief Visual Basic twin of QuorlanGetVersion() (\c __stdcall), with the
 *         same result.
 *  \return As QuorlanGetVersion(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVersionVB, (void));

/** \brief The connection state.
 *
 *  Asks the driver whether the client is disconnected and, if not, for its
 *  state; the value is passed on as the driver gave it.
 *  \return A #QlConnectionState value (any other value: disabled);
 *          6 (#QL_STATE_CLIENT_NOT_LOADED) without a driver or when the
 *          driver refuses.
 *  \see QuorlanGetConnectionStateVB(), QuorlanGetConnectionStateString() */
QLCLAPI_DECLARE(QlInt32, QLCLAPI_CALL, QuorlanGetConnectionState, (void));
/** \brief Visual Basic twin of QuorlanGetConnectionState() (\c __stdcall),
 *         with the same result.
 *  \return As QuorlanGetConnectionState(). */
QLCLAPI_DECLARE(QlInt32, QLCLAPI_VBCALL, QuorlanGetConnectionStateVB, (void));

/** \brief Whether the client's technology is present: always yes.
 *  \return Always 1, also without a driver.
 *  \see QuorlanGetVorantisTechnologyVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVorantisTechnology, (void));
/** \brief Visual Basic twin of QuorlanGetVorantisTechnology() (\c __stdcall).
 *  \return Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVorantisTechnologyVB, (void));

/** \brief Enables the client.
 *  \return 1 once the request was handed to the driver (its answer is not
 *          looked at); 0 without a driver.
 *  \see QuorlanEnableVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanEnable, (void));
/** \brief Visual Basic twin of QuorlanEnable() (\c __stdcall).
 *  \return As QuorlanEnable(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanEnableVB, (void));
/** \brief Logs the user off: the client disconnects with reason 51
 *         ("User disconnected.").
 *  \return 1 once the request was handed to the driver; 0 without a driver.
 *  \see QuorlanLogoffVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanLogoff, (void));
/** \brief Visual Basic twin of QuorlanLogoff() (\c __stdcall).
 *  \return As QuorlanLogoff(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanLogoffVB, (void));
/** \brief Makes network traffic bypass the client.
 *  \return 1 once the request was handed to the driver; 0 without a driver.
 *  \see QuorlanBypassVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanBypass, (void));
/** \brief Visual Basic twin of QuorlanBypass() (\c __stdcall).
 *  \return As QuorlanBypass(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanBypassVB, (void));
/** \brief Asks the client to check its route to the server.
 *  \return 1 once the request was handed to the driver; 0 without a driver.
 *  \see QuorlanTriggerQLSRouteCheckVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanTriggerQLSRouteCheck, (void));
/** \brief Visual Basic twin of QuorlanTriggerQLSRouteCheck() (\c __stdcall).
 *  \return As QuorlanTriggerQLSRouteCheck(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanTriggerQLSRouteCheckVB, (void));

/** \brief The last disconnect reason code.
 *
 *  Its text is string 34000 + code of the library's string table; 0 means
 *  that no reason is set.
 *  \param reason Receives the code. A driver that refuses leaves it
 *         unchanged; without a driver it receives 0.
 *  \return 1 when the driver was asked (also when it refused); 0 for a null
 *          pointer, or without a driver.
 *  \see QuorlanGetDisconnectReasonVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetDisconnectReason, (_Out_ QlUInt32 *reason));
/** \brief Visual Basic twin of QuorlanGetDisconnectReason() (\c __stdcall),
 *         with the same behaviour.
 *  \param reason Receives the code (a \c Long passed \c ByRef).
 *  \return As QuorlanGetDisconnectReason(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetDisconnectReasonVB, (_Out_ QlUInt32 *reason));

/** \brief Starts a wait for the next change of the connection state.
 *
 *  The request completes, and signals the event of \p overlapped, when the
 *  driver's connection state changes; ask QuorlanGetConnectionState() then,
 *  and call again for the next change.
 *  \param overlapped The caller's \c OVERLAPPED with an event; it, and its
 *         event, must stay untouched until the request has completed or was
 *         cancelled with QuorlanCancelNotifyStateChange().
 *  \return 1 when the request was issued; 0 without a driver, with a driver
 *          of another version, or for a null pointer.
 *  \see QuorlanGetStateChangeNotificationEventHandle(), the simpler way to
 *       follow changes, also from Visual Basic. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanNotifyStateChange, (_Inout_ struct _OVERLAPPED *overlapped));
/** \brief Visual Basic twin of QuorlanNotifyStateChange() (\c __stdcall):
 *         does nothing.
 *
 *  Visual Basic programs wait on the handle of
 *  QuorlanGetStateChangeNotificationEventHandleVB() instead.
 *  \param unused Ignored.
 *  \return Always 0. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanNotifyStateChangeVB, (_In_ QlUInt32 unused));
/** \brief Cancels the wait started by QuorlanNotifyStateChange() with
 *         \p overlapped. It has no VB twin.
 *  \param overlapped The structure the wait was started with.
 *  \return 1 when the cancellation was accepted; 0 when nothing was pending,
 *          without a driver, or for a null pointer. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanCancelNotifyStateChange, (_Inout_ struct _OVERLAPPED *overlapped));

/** \brief Opens the client's state-change event \c Global\\QuorlanNotifyEvent
 *         for waiting.
 *
 *  The client signals the event when its state changes. The handle is
 *  opened with \c SYNCHRONIZE access; the caller closes it with
 *  \c CloseHandle. Needs no driver.
 *  \return The event handle; null on failure, with the thread's last-error
 *          value set by the open.
 *  \see QuorlanGetStateChangeNotificationEventHandleVB(), and
 *       QuorlanGetStateChangeNotficationEventHandle(), the same function
 *       under a second name. */
QLCLAPI_DECLARE(void *, QLCLAPI_CALL, QuorlanGetStateChangeNotificationEventHandle, (void));
/** \brief Visual Basic twin of QuorlanGetStateChangeNotificationEventHandle()
 *         (\c __stdcall), with the same result.
 *  \return As QuorlanGetStateChangeNotificationEventHandle() (a \c LongPtr in
 *          VBA7). */
QLCLAPI_DECLARE(void *, QLCLAPI_VBCALL, QuorlanGetStateChangeNotificationEventHandleVB, (void));
/** \brief QuorlanGetStateChangeNotificationEventHandle() under a second,
 *         misspelled name that older programs use.
 *  \return As QuorlanGetStateChangeNotificationEventHandle(). */
QLCLAPI_DECLARE(void *, QLCLAPI_CALL, QuorlanGetStateChangeNotficationEventHandle, (void));
/** \brief QuorlanGetStateChangeNotificationEventHandleVB() (\c __stdcall)
 *         under a second, misspelled name that older programs use.
 *  \return As QuorlanGetStateChangeNotificationEventHandle(). */
QLCLAPI_DECLARE(void *, QLCLAPI_VBCALL, QuorlanGetStateChangeNotficationEventHandleVB, (void));

/** \} */

/**
 * \defgroup credentials Credentials and external conditions
 * \brief Connecting with credentials, and conditions handed to the driver.
 * \{
 */

/** \brief Connects with a fresh set of password credentials.
 *
 *  Disconnects the client (reason 50, "Client-side disconnect."), waits half
 *  a second, hands the three texts to the driver in argument order and
 *  enables the client. At most 255 characters of each text are sent; longer
 *  texts are cut without an error. The call blocks for the half second.
 *  \param first First credential text, or null for an empty one.
 *  \param second Second credential text, or null.
 *  \param third Third credential text, or null.
 *  \return 1 when the enable request was sent; 0 without a driver.
 *  \see QuorlanConnectWithPasswordVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanConnectWithPassword,
                (_In_opt_z_ const wchar_t *first, _In_opt_z_ const wchar_t *second,
                 _In_opt_z_ const wchar_t *third));
/** \brief Visual Basic twin of QuorlanConnectWithPassword() (\c __stdcall),
 *         with ANSI texts.
 *
 *  The texts are converted from the system's ANSI code page; a text that is
 *  null or cannot be converted counts as absent. The converted copies are
 *  wiped before the call returns.
 *  \param first First credential text (\c ByVal \c String), or null.
 *  \param second Second credential text, or null.
 *  \param third Third credential text, or null.
 *  \return As QuorlanConnectWithPassword(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanConnectWithPasswordVB,
                (_In_opt_z_ const char *first, _In_opt_z_ const char *second, _In_opt_z_ const char *third));

/** \brief Not supported: sends nothing.
 *  \param first Ignored.
 *  \param second Ignored.
 *  \return Always 0.
 *  \see QuorlanConnectWithOTPVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanConnectWithOTP,
                (_In_opt_z_ const wchar_t *first, _In_opt_z_ const wchar_t *second));
/** \brief Visual Basic twin of QuorlanConnectWithOTP() (\c __stdcall): not
 *         supported either.
 *  \param first Ignored.
 *  \param second Ignored.
 *  \return Always 0. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanConnectWithOTPVB,
                (_In_opt_z_ const char *first, _In_opt_z_ const char *second));

/** \brief Passes a pair of texts describing an external condition to the
 *         driver.
 *
 *  At most 255 characters of each text are sent.
 *  \param first The condition's first text; required.
 *  \param second Its second text, or null for an empty one.
 *  \return 0 when \p first is null; otherwise 1, also without a driver (then
 *          nothing is sent).
 *  \see QuorlanSetExternalConditionVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetExternalCondition,
                (_In_z_ const wchar_t *first, _In_opt_z_ const wchar_t *second));
/** \brief Visual Basic twin of QuorlanSetExternalCondition() (\c __stdcall),
 *         with ANSI texts.
 *  \param first The condition's first text (\c ByVal \c String); required.
 *  \param second Its second text, or null.
 *  \return 0 when \p first is null or cannot be converted; otherwise 1, also
 *          without a driver. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetExternalConditionVB,
                (_In_z_ const char *first, _In_opt_z_ const char *second));

/** \} */

/**
 * \defgroup addresses Addresses
 * \brief The client's virtual address, its point of presence and the server
 *        it is connected to.
 *
 * IPv4 values are returned as stored: in network byte order. The \c Ex
 * functions write a \c SOCKADDR_IN (16 bytes) or \c SOCKADDR_IN6 (28 bytes)
 * into a caller buffer of 28 bytes. The \c ExVB twins store the address as
 * text, such as "10.1.2.3:5008" or "[fe80::1\%7]:5008" (a port only when it is
 * not 0, a scope only when it is not 0), as ANSI bytes in the caller's
 * #QlBstr. Every value is asked from the driver afresh. On failure the
 * outputs are left as they were unless a function says otherwise.
 * \{
 */

/** \brief The client's virtual IPv4 address.
 *  \param address Receives the address in network byte order.
 *  \return 1 on success; 0 without a driver, when the driver refuses, when
 *          the virtual address is not a non-zero IPv4 address, or for a null
 *          pointer.
 *  \see QuorlanGetVirtualAddressVB(), QuorlanGetVirtualAddressEx() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVirtualAddress, (_Out_ QlUInt32 *address));
/** \brief Visual Basic twin of QuorlanGetVirtualAddress() (\c __stdcall).
 *  \param address Receives the address in network byte order (\c ByRef
 *         \c Long).
 *  \return As QuorlanGetVirtualAddress(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVirtualAddressVB, (_Out_ QlUInt32 *address));
/** \brief The client's virtual address of either family, as a socket address
 *         (port 0).
 *  \param socketAddress A 28-byte buffer that receives a \c SOCKADDR_IN or
 *         \c SOCKADDR_IN6; may be null (then nothing is written).
 *  \param count In: the number of addresses the buffer can take (at least
 *         1). Out: 0 before the driver answered, 1 once it did.
 *  \return 1 on success; 0 without a driver, when the driver refuses, or
 *          when \p count was 0 (it then reads 1: call again with room for
 *          one address).
 *  \see QuorlanGetVirtualAddressExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetVirtualAddressEx,
                (_Out_writes_bytes_opt_(28) void *socketAddress, _Inout_ QlUInt32 *count));
/** \brief Visual Basic twin of QuorlanGetVirtualAddressEx() (\c __stdcall):
 *         the virtual address as text.
 *  \param text Receives the address text, such as "10.1.2.3", as ANSI bytes
 *         (\c ByRef \c String).
 *  \return 1 on success; 0 without a driver, when the driver refuses, or when
 *          the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetVirtualAddressExVB, (_Inout_ QlBstr *text));

/** \brief The IPv4 address of the local interface through which the client
 *         reaches its server (the point of presence).
 *  \param address Receives the address in network byte order; 0 when the
 *         point of presence is IPv6. Must not be null.
 *  \return 1 on success (also for an IPv6 point of presence); 0 without a
 *          driver, with a driver of another version, when the driver refuses
 *          or answers short.
 *  \see QuorlanGetPointOfPresenceVB(), QuorlanGetPointOfPresenceEx() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresence, (_Out_ QlUInt32 *address));
/** \brief Visual Basic twin of QuorlanGetPointOfPresence() (\c __stdcall).
 *  \param address Receives the address (\c ByRef \c Long).
 *  \return As QuorlanGetPointOfPresence(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceVB, (_Out_ QlUInt32 *address));
/** \brief The point of presence of either family, with its port, as a socket
 *         address.
 *  \param socketAddress A 28-byte buffer that receives a \c SOCKADDR_IN or
 *         \c SOCKADDR_IN6; may be null (then nothing is written).
 *  \return 1 on success; 0 without a driver, with a driver of another
 *          version, when the driver refuses or answers short.
 *  \see QuorlanGetPointOfPresenceExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceEx, (_Out_writes_bytes_opt_(28) void *socketAddress));
/** \brief Visual Basic twin of QuorlanGetPointOfPresenceEx() (\c __stdcall):
 *         the point of presence as text.
 *  \param text Receives the address text, such as "[fe80::1\%7]:5008", as
 *         ANSI bytes (\c ByRef \c String).
 *  \return As QuorlanGetPointOfPresenceEx(); also 0 when the string cannot be
 *          stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceExVB, (_Inout_ QlBstr *text));

/** \brief The IPv4 address and port of the server the client is connected
 *         to.
 *  \param address Receives the address in network byte order.
 *  \param port Receives the port in network byte order.
 *  \return 1 on success; 0 for null pointers, without a driver, when the
 *          driver refuses, or when the server is not a non-zero IPv4
 *          address.
 *  \see QuorlanGetConnectedServerAddressVB(),
 *       QuorlanGetConnectedServerAddressEx() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetConnectedServerAddress,
                (_Out_ QlUInt32 *address, _Out_ QlUInt16 *port));
/** \brief Visual Basic twin of QuorlanGetConnectedServerAddress()
 *         (\c __stdcall).
 *  \param address Receives the address (\c ByRef \c Long).
 *  \param port Receives the port (\c ByRef \c Integer).
 *  \return As QuorlanGetConnectedServerAddress(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetConnectedServerAddressVB,
                (_Out_ QlUInt32 *address, _Out_ QlUInt16 *port));
/** \brief The connected server of either family, as a socket address.
 *  \param socketAddress A 28-byte buffer that receives a \c SOCKADDR_IN or
 *         \c SOCKADDR_IN6; a zero family word when there is no server.
 *  \return 1 when the driver answered (also without a server); 0 for a null
 *          pointer, without a driver, or when the driver refuses.
 *  \see QuorlanGetConnectedServerAddressExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetConnectedServerAddressEx,
                (_Out_writes_bytes_(28) void *socketAddress));
/** \brief Visual Basic twin of QuorlanGetConnectedServerAddressEx()
 *         (\c __stdcall): the connected server as text.
 *  \param text Receives the address text, such as "203.0.113.9:443" (empty
 *         when there is no server), as ANSI bytes (\c ByRef \c String).
 *  \return 1 on success; 0 without a driver, when the driver refuses, or when
 *          the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetConnectedServerAddressExVB, (_Inout_ QlBstr *text));

/** \} */

/**
 * \defgroup details Point-of-presence details
 * \brief The network interface that carries the point of presence.
 *
 * The library finds the first interface of the driver's interface table that
 * holds the point-of-presence address and copies its properties; it
 * interprets only the two flag bits of the network type.
 * \{
 */

/** \brief The record QuorlanGetPointOfPresenceDetails() writes.
 *
 *  The pointers point into the caller's buffer, behind the fixed part, where
 *  the variable parts follow in this order: physical address, name, second
 *  text, trailing bytes. A part that did not fit has a null pointer and size
 *  0; an empty part points behind the previous one with size 0.
 *
 *  The record has two layouts:
 *  | Field                   | 32-bit offset | 64-bit offset |
 *  |-------------------------|---------------|---------------|
 *  | size                    | 0             | 0             |
 *  | address                 | 4             | 4             |
 *  | interfaceValue1         | 8             | 8             |
 *  | interfaceValue2Low      | 12            | 12            |
 *  | interfaceValue3Low      | 16            | 16            |
 *  | physicalAddress         | 20            | 24            |
 *  | physicalAddressLength   | 24            | 32            |
 *  | name                    | 28            | 40            |
 *  | nameBytes               | 32            | 48            |
 *  | secondText              | 36            | 56            |
 *  | secondTextBytes         | 40            | 64            |
 *  | trailingBytes           | 44            | 72            |
 *  | trailingLength          | 48            | 80            |
 *  | (fixed part)            | 52 bytes      | 88 bytes      |
 */
typedef struct QlPointOfPresenceDetails {
    QlUInt32 size;               /**< sizeof(QlPointOfPresenceDetails): 52 (32-bit), 88 (64-bit), also in the Ex record */
    QlUInt32 address;            /**< IPv4 address, network order; 0 when the point of presence is not IPv4 */
    QlUInt32 interfaceValue1;    /**< the driver's first interface value, passed on */
    QlUInt32 interfaceValue2Low; /**< low half of QlPointOfPresenceDetailsEx::interfaceValue2 */
    QlUInt32 interfaceValue3Low; /**< low half of QlPointOfPresenceDetailsEx::interfaceValue3 */
    const unsigned char *physicalAddress; /**< the interface's physical address */
    QlUInt32 physicalAddressLength;       /**< its length in bytes */
    const wchar_t *name;         /**< the interface's name, terminated */
    QlUInt32 nameBytes;          /**< its size in bytes, terminator included; 0 for an empty name */
    const wchar_t *secondText;   /**< the interface's second text, terminated */
    QlUInt32 secondTextBytes;    /**< its size in bytes, terminator included; 0 when empty */
    const unsigned char *trailingBytes; /**< the interface's trailing byte string */
    QlUInt32 trailingLength;     /**< its length in bytes */
} QlPointOfPresenceDetails;

/** \brief The record QuorlanGetPointOfPresenceDetailsEx() writes: the plain
 *         record, the whole 64-bit values and the point-of-presence address
 *         of either family.
 *
 *  | Field            | 32-bit offset | 64-bit offset |
 *  |------------------|---------------|---------------|
 *  | details          | 0             | 0             |
 *  | reserved1        | 52            | 88            |
 *  | interfaceValue2  | 56            | 96            |
 *  | interfaceValue3  | 64            | 104           |
 *  | socketAddress    | 72            | 112           |
 *  | reserved2        | 100           | 140           |
 *  | (fixed part)     | 104 bytes     | 144 bytes     |
 */
typedef struct QlPointOfPresenceDetailsEx {
    QlPointOfPresenceDetails details; /**< as in the plain record; its size field holds the plain record's size */
    QlUInt32 reserved1;           /**< 0 */
    QlUInt64 interfaceValue2;     /**< the driver's second interface value */
    QlUInt64 interfaceValue3;     /**< the driver's third interface value */
    unsigned char socketAddress[28]; /**< SOCKADDR_IN or SOCKADDR_IN6 of the point of presence */
    QlUInt32 reserved2;           /**< 0 */
} QlPointOfPresenceDetailsEx;

/** \brief The interface that carries the point of presence, as a
 *         #QlPointOfPresenceDetails record.
 *
 *  Size query: call with a null buffer and size 0 to learn the size a full
 *  result needs, allocate it, and call again. A buffer that is too small is
 *  not an error: the fixed part is filled when it fits, then each variable
 *  part in order while it fits, and the full size is still returned.
 *  \param buffer Receives the record and its variable parts; null with size
 *         0 for the size query.
 *  \param size The buffer's size in bytes.
 *  \return The size in bytes that a full result needs (whether or not it
 *          fitted); 0 without a driver, with a driver of another version,
 *          or when no interface carries the point of presence.
 *  \see QuorlanGetPointOfPresenceDetailsVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceDetails,
                (_Out_writes_bytes_opt_(size) void *buffer, _In_ QlUInt32 size));
/** \brief The interface that carries the point of presence, as a
 *         #QlPointOfPresenceDetailsEx record.
 *
 *  The size query and the handling of a small buffer are those of
 *  QuorlanGetPointOfPresenceDetails().
 *  \param buffer Receives the record and its variable parts; null with size
 *         0 for the size query.
 *  \param size The buffer's size in bytes.
 *  \return The size in bytes that a full result needs; 0 as for
 *          QuorlanGetPointOfPresenceDetails().
 *  \see QuorlanGetPointOfPresenceDetailsExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceDetailsEx,
                (_Out_writes_bytes_opt_(size) void *buffer, _In_ QlUInt32 size));
/** \brief Visual Basic twin of QuorlanGetPointOfPresenceDetails()
 *         (\c __stdcall): the details as separate values.
 *
 *  Texts are stored as ANSI bytes; the physical address and the trailing
 *  bytes as hexadecimal text such as "00-1A-2B" (empty for no bytes). Each
 *  pointer may be null: that value is skipped. When a string cannot be
 *  stored the call returns 0 and the values stored before it stay.
 *  \param address Receives the IPv4 address (\c ByRef \c Long).
 *  \param interfaceValue1 Receives the first interface value.
 *  \param interfaceValue2Low Receives the low half of the second.
 *  \param interfaceValue3Low Receives the low half of the third.
 *  \param physicalAddress Receives the physical address as hex text
 *         (\c ByRef \c String).
 *  \param name Receives the interface's name.
 *  \param secondText Receives the second text.
 *  \param trailingBytes Receives the trailing bytes as hex text.
 *  \return The size of the plain record with its parts; 0 as for
 *          QuorlanGetPointOfPresenceDetails(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceDetailsVB,
                (_Out_opt_ QlUInt32 *address, _Out_opt_ QlUInt32 *interfaceValue1,
                 _Out_opt_ QlUInt32 *interfaceValue2Low, _Out_opt_ QlUInt32 *interfaceValue3Low,
                 _Inout_opt_ QlBstr *physicalAddress, _Inout_opt_ QlBstr *name, _Inout_opt_ QlBstr *secondText,
                 _Inout_opt_ QlBstr *trailingBytes));
/** \brief Visual Basic twin of QuorlanGetPointOfPresenceDetailsEx()
 *         (\c __stdcall): the details as separate values, with the address
 *         of either family as text and the whole 64-bit values.
 *
 *  As QuorlanGetPointOfPresenceDetailsVB(). When the interface changed
 *  between the library's two requests, nothing is stored and the new size is
 *  returned.
 *  \param address Receives the address text, such as "[fe80::1\%7]:5008"
 *         (\c ByRef \c String).
 *  \param interfaceValue1 Receives the first interface value (\c ByRef
 *         \c Long).
 *  \param interfaceValue2 Receives the second interface value (8 bytes:
 *         \c ByRef \c Currency in Visual Basic).
 *  \param interfaceValue3 Receives the third interface value (8 bytes).
 *  \param physicalAddress Receives the physical address as hex text.
 *  \param name Receives the interface's name.
 *  \param secondText Receives the second text.
 *  \param trailingBytes Receives the trailing bytes as hex text.
 *  \return The size of the Ex record with its parts; 0 as for
 *          QuorlanGetPointOfPresenceDetails(), or when a string cannot be
 *          stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceDetailsExVB,
                (_Inout_opt_ QlBstr *address, _Out_opt_ QlUInt32 *interfaceValue1,
                 _Out_opt_ QlUInt64 *interfaceValue2, _Out_opt_ QlUInt64 *interfaceValue3,
                 _Inout_opt_ QlBstr *physicalAddress, _Inout_opt_ QlBstr *name, _Inout_opt_ QlBstr *secondText,
                 _Inout_opt_ QlBstr *trailingBytes));

/** \brief The type of the network that carries the point of presence, from
 *         the interface's type flags.
 *  \return 3 when flag 0x10 is set, else 2 when flag 0x20 is set, else 1;
 *          0 without a driver, with a driver of another version, or when no
 *          interface carries the point of presence.
 *  \see QuorlanGetPointOfPresenceNetworkTypeVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPointOfPresenceNetworkType, (void));
/** \brief Visual Basic twin of QuorlanGetPointOfPresenceNetworkType()
 *         (\c __stdcall), with the same result.
 *  \return As QuorlanGetPointOfPresenceNetworkType(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPointOfPresenceNetworkTypeVB, (void));

/** \} */

/**
 * \defgroup configuration Configuration
 * \brief The permanent identifier, the configured server address and
 *        start-up.
 *
 * These functions read and change the client's configuration in the
 * registry (below \c HKEY_LOCAL_MACHINE) and need no driver. Changing it
 * needs administrator rights; the setters do not report a refused registry
 * write unless they say so. Addresses and ports are in network byte order;
 * socket addresses are 28-byte buffers as for the address functions.
 * \{
 */

/** \brief The client's permanent identifier (32 bytes).
 *  \param buffer Receives the identifier's bytes; null for the size query.
 *  \param length In: the buffer's size in bytes. Out: the identifier's size
 *         (larger than the buffer when it did not fit, 0 when there is none,
 *         unchanged when the client's state key is missing); 32 for the size
 *         query, whatever is stored.
 *  \return 1 when a buffer was given; 0 for the size query or a null
 *          \p length.
 *  \see QuorlanGetPermanentIDVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetPermanentID,
                (_Out_writes_bytes_opt_(*length) void *buffer, _Inout_ QlUInt32 *length));
/** \brief Visual Basic twin of QuorlanGetPermanentID() (\c __stdcall): the
 *         identifier in a string.
 *  \param text Receives the identifier's bytes packed two to a unit, as the
 *         other twins store ANSI text (\c ByRef \c String); an empty
 *         identifier gives an empty string.
 *  \return 1 on success; 0, with \p text unchanged, for a null pointer, or
 *          when the identifier is missing or longer than 32 bytes. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetPermanentIDVB, (_Inout_ QlBstr *text));

/** \brief The configured IPv4 server address and port.
 *  \param address Receives the address; 0 when none is configured or it is
 *         IPv6 or a host name.
 *  \param port Receives the port (0 as for the address); may be null.
 *  \return 1; 0 for a null \p address.
 *  \see QuorlanGetServerAddressVB(), QuorlanGetServerAddressEx() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddress, (_Out_ QlUInt32 *address, _Out_opt_ QlUInt16 *port));
/** \brief Visual Basic twin of QuorlanGetServerAddress() (\c __stdcall).
 *  \param address Receives the address (\c ByRef \c Long).
 *  \param port Receives the port (\c ByRef \c Integer); may be null.
 *  \return As QuorlanGetServerAddress(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressVB,
                (_Out_ QlUInt32 *address, _Out_opt_ QlUInt16 *port));
/** \brief The configured server address of either family, as a socket
 *         address.
 *  \param socketAddress A 28-byte buffer that receives a \c SOCKADDR_IN or
 *         \c SOCKADDR_IN6; 28 zero bytes when none is configured or it is a
 *         host name.
 *  \return 1; 0 for a null pointer.
 *  \see QuorlanGetServerAddressExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddressEx, (_Out_writes_bytes_(28) void *socketAddress));
/** \brief Visual Basic twin of QuorlanGetServerAddressEx() (\c __stdcall):
 *         the configured address as text.
 *  \param text Receives the address text ("" for none) as ANSI bytes
 *         (\c ByRef \c String).
 *  \return 1; 0 for a null pointer or when the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressExVB, (_Inout_ QlBstr *text));
/** \brief The configured server as stored, unparsed: an address text or any
 *         host name.
 *
 *  Unlike the other text functions, the size query succeeds: a null buffer
 *  stores the size needed in \p length and returns 1.
 *  \param buffer Receives the terminated text; null for the size query.
 *  \param length In: the buffer's size in bytes. Out: the bytes stored,
 *         terminator included; 0 on failure (no needed size is given then).
 *  \return 1 on success and for the size query; 0 when nothing is
 *          configured, when the text does not fit, or for a null \p length.
 *  \see QuorlanGetServerAddressByNameVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetServerAddressByName,
                (_Out_writes_bytes_opt_(*length) wchar_t *buffer, _Inout_ QlUInt32 *length));
/** \brief Visual Basic twin of QuorlanGetServerAddressByName() (\c __stdcall):
 *         the stored text in a string.
 *
 *  The twin asks the size itself and fetches the whole text.
 *  \param text Receives the text as ANSI bytes (\c ByRef \c String).
 *  \return 1 on success; 0 for a null pointer, when no text is stored, or
 *          when the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetServerAddressByNameVB, (_Inout_ QlBstr *text));

/** \brief Configures an IPv4 server address.
 *
 *  The setters store the address as text, empty the client's address cache
 *  and tell the driver when it is there.
 *  \param address The address in network byte order.
 *  \param port The port in network byte order.
 *  \return Always 1, also when the registry refused the write or there is no
 *          driver.
 *  \see QuorlanSetServerAddressVB(), QuorlanSetServerAddressEx(),
 *       QuorlanSetServerAddressByName() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddress, (_In_ QlUInt32 address, _In_ QlUInt16 port));
/** \brief Visual Basic twin of QuorlanSetServerAddress() (\c __stdcall).
 *  \param address The address in network byte order (\c ByVal \c Long).
 *  \param port The port in network byte order (\c ByVal \c Integer).
 *  \return Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressVB, (_In_ QlUInt32 address, _In_ QlUInt16 port));
/** \brief Configures a server address of either family from a socket
 *         address.
 *  \param socketAddress A \c SOCKADDR_IN or \c SOCKADDR_IN6; null or another
 *         family stores "no address".
 *  \return Always 1.
 *  \see QuorlanSetServerAddressExVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddressEx, (_In_opt_ const void *socketAddress));
/** \brief Visual Basic twin of QuorlanSetServerAddressEx() (\c __stdcall):
 *         configures the server address from an address text.
 *  \param text An address text in ANSI, such as "203.0.113.9:443" or
 *         "[2001:db8::1]:443" (\c ByVal \c String); a prefix length is
 *         dropped.
 *  \return 1; 0, storing nothing and telling nobody, when \p text is null or
 *          not an address. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressExVB, (_In_z_ const char *text));
/** \brief Configures the server as text, unchecked: a host name, say.
 *  \param text The text to store; null stores the empty text.
 *  \return Always 1.
 *  \see QuorlanSetServerAddressByNameVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetServerAddressByName, (_In_opt_z_ const wchar_t *text));
/** \brief Visual Basic twin of QuorlanSetServerAddressByName() (\c __stdcall),
 *         with an ANSI text.
 *  \param text The text to store (\c ByVal \c String); null, or a text that
 *         cannot be converted, stores the empty text.
 *  \return Always 1. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetServerAddressByNameVB, (_In_opt_z_ const char *text));

/** \brief The recorded choice whether the client loads when the machine
 *         starts.
 *  \param value Receives 1 (on), 0 (off) or 3 (never recorded); another
 *         number an administrator stored is passed on.
 *  \return 1; 0 for a null pointer.
 *  \see QuorlanGetLoadAtStartupVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetLoadAtStartup, (_Out_ QlUInt32 *value));
/** \brief Visual Basic twin of QuorlanGetLoadAtStartup() (\c __stdcall).
 *  \param value Receives the recorded choice (\c ByRef \c Long).
 *  \return As QuorlanGetLoadAtStartup(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetLoadAtStartupVB, (_Out_ QlUInt32 *value));
/** \brief Switches loading at start-up on or off.
 *
 *  Writes the start types of the client's services, the policy agent's
 *  dependency on the client and the recorded choice. Takes effect at the
 *  next start of the machine; no service is started or stopped.
 *  \param enable Non-zero switches loading on, 0 off.
 *  \return 1 when every service's start type was written; 0 otherwise (no
 *          rights), with the services before the failing one changed.
 *  \see QuorlanSetLoadAtStartupVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetLoadAtStartup, (_In_ QlInt32 enable));
/** \brief Visual Basic twin of QuorlanSetLoadAtStartup() (\c __stdcall).
 *  \param enable Non-zero switches loading on, 0 off (\c ByVal \c Long).
 *  \return As QuorlanSetLoadAtStartup(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetLoadAtStartupVB, (_In_ QlInt32 enable));

/** \} */

/**
 * \defgroup statustext Connection status text
 * \brief The client's condition in words.
 * \{
 */

/** \brief The client's condition in words, in the user's language when a
 *         language module is installed ("Connected as alice", "Vorantis is
 *         disconnected. ..."; lines end in CR LF).
 *
 *  A null \p buffer is a size query: 2048 is stored in \p length, 0 is
 *  returned and nothing is sent to the driver.
 *  \param buffer Receives the terminated UTF-16 text; null for the size
 *         query.
 *  \param length In: the buffer's size in bytes. Out: unchanged when the
 *         whole text was copied; 0 when it did not fit (the buffer then holds
 *         it cut short and terminated); 2048 for the size query.
 *  \return 1 when the whole text was copied; 0 when it did not fit, for the
 *          size query or for a null \p length. Without a driver the text is
 *          "Vorantis client is not loaded." and the result 1 when it fits.
 *  \see QuorlanGetConnectionStateStringVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanGetConnectionStateString,
                (_Out_writes_bytes_opt_(*length) wchar_t *buffer, _Inout_ QlUInt32 *length));
/** \brief Visual Basic twin of QuorlanGetConnectionStateString()
 *         (\c __stdcall): the text in a string.
 *  \param text Receives the text as ANSI bytes (\c ByRef \c String).
 *  \return 1 on success; 0, with \p text as it was, for a null pointer or
 *          when the string cannot be stored. */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanGetConnectionStateStringVB, (_Inout_ QlBstr *text));

/** \} */

/**
 * \defgroup diagnostics Diagnostics
 * \brief Requests to the client's diagnostics service.
 *
 * The requests are sent from the source "API". Each function returns 1 when
 * the service accepted the request, else 0: the service is not running or
 * did not answer, refused, or (reports and bandwidth tests) the client's
 * setting A_DIAG_EnableClientReports or A_DIAG_EnableBandwidthTest is off,
 * and then nothing is sent. These functions need no driver. Texts may be
 * null (sent as ""); a text with a lone high surrogate is sent as "". The
 * \c VB twins take ANSI texts. Calls block until the service answers (up to
 * 20 s more per attempt while every pipe instance is busy).
 * \{
 */

/** \brief Starts a diagnostic report.
 *  \param memo The report's memo; may be null.
 *  \return 1 when the service accepted the request; 0 otherwise, or when
 *          A_DIAG_EnableClientReports is off (nothing is sent then).
 *  \see QuorlanStartReportVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanStartReport, (_In_opt_z_ const wchar_t *memo));
/** \brief Visual Basic twin of QuorlanStartReport() (\c __stdcall).
 *  \param memo The memo in ANSI (\c ByVal \c String); may be null.
 *  \return As QuorlanStartReport(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanStartReportVB, (_In_opt_z_ const char *memo));
/** \brief Starts a bandwidth test.
 *  \param memo The test's memo; may be null.
 *  \return 1 when the service accepted the request; 0 otherwise, or when
 *          A_DIAG_EnableBandwidthTest is off (nothing is sent then).
 *  \see QuorlanStartBandwidthTestVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanStartBandwidthTest, (_In_opt_z_ const wchar_t *memo));
/** \brief Visual Basic twin of QuorlanStartBandwidthTest() (\c __stdcall).
 *  \param memo The memo in ANSI (\c ByVal \c String); may be null.
 *  \return As QuorlanStartBandwidthTest(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanStartBandwidthTestVB, (_In_opt_z_ const char *memo));
/** \brief Records a custom event.
 *  \param key The event's key; null fails without sending anything.
 *  \param value The event's value, sent when not null (an empty value is
 *         sent as "").
 *  \return 1 when the service accepted the event; 0 otherwise or for a
 *          null \p key.
 *  \see QuorlanSetCustomTagVB() */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_CALL, QuorlanSetCustomTag,
                (_In_z_ const wchar_t *key, _In_opt_z_ const wchar_t *value));
/** \brief Visual Basic twin of QuorlanSetCustomTag() (\c __stdcall).
 *  \param key The key in ANSI (\c ByVal \c String); null fails.
 *  \param value The value in ANSI (\c ByVal \c String); may be null.
 *  \return As QuorlanSetCustomTag(). */
QLCLAPI_DECLARE(QlUInt32, QLCLAPI_VBCALL, QuorlanSetCustomTagVB,
                (_In_z_ const char *key, _In_opt_z_ const char *value));

/** \} */

#ifdef __cplusplus
}
#endif

#endif /* QLCLAPI_H */
