// Request codes of the client driver \\.\QLDRV. Every code has device type
// 0x22 and FILE_ANY_ACCESS; all are METHOD_NEITHER except the state-change
// notification, which is METHOD_BUFFERED. Sizes are the input and output
// bytes the library sends or asks for.
#pragma once

#include <cstdint>

namespace qlclapi {

namespace RequestCode {
constexpr uint32_t DriverVersion = 0x222403;        // out 4: version word
constexpr uint32_t VirtualAddress = 0x22241F;       // out 24: DriverAddressRecordShort
constexpr uint32_t ConnectionState = 0x22244F;      // out 4: ConnectionState
constexpr uint32_t ConnectionDetails = 0x22245F;    // out 1088: connection details record
constexpr uint32_t Bypass = 0x222487;               // no buffers
constexpr uint32_t Enable = 0x22248B;               // no buffers
constexpr uint32_t DisconnectReason = 0x2224B7;     // out 4: reason code
constexpr uint32_t InterfaceTable = 0x2224BF;       // out: as large as the caller offers
constexpr uint32_t Disconnected = 0x2224D3;         // out 4: non-zero when disconnected
constexpr uint32_t Action = 0x2224DB;               // in 4: action word
constexpr uint32_t ServerAddresses = 0x22250F;      // out 56 (or 28): two DriverAddressRecords
constexpr uint32_t ConnectingPhase = 0x22255F;      // out 4: phase
constexpr uint32_t NotifyStateChange = 0x222588;    // overlapped handle, no buffers
constexpr uint32_t ServerListChanged = 0x2225A3;    // no buffers
constexpr uint32_t TrafficBypassed = 0x22265B;      // out 4: non-zero when traffic bypasses us
constexpr uint32_t RouteCheck = 0x2226D7;           // no buffers
constexpr uint32_t Credentials = 0x22283B;          // in 1540: CredentialRecord
constexpr uint32_t ExternalCondition = 0x22283F;    // in 1024: ExternalConditionRecord
}  // namespace RequestCode

// Words carried by RequestCode::Action; both are also disconnect reasons.
namespace ActionWord {
constexpr uint32_t ClientSideDisconnect = 50;
constexpr uint32_t LogOff = 51;
}  // namespace ActionWord

constexpr uint32_t kDeviceTypeClient = 0x22;
constexpr uint32_t kMethodBuffered = 0;
constexpr uint32_t kMethodNeither = 3;

constexpr uint32_t DeviceTypeOf(uint32_t code) { return code >> 16; }
constexpr uint32_t MethodOf(uint32_t code) { return code & 3; }
constexpr uint32_t AccessOf(uint32_t code) { return (code >> 14) & 3; }

// A code of the client driver, with FILE_ANY_ACCESS and the transfer method.
constexpr bool IsClientCode(uint32_t code, uint32_t method) {
    return DeviceTypeOf(code) == kDeviceTypeClient && AccessOf(code) == 0 && MethodOf(code) == method;
}

// A mistyped code would reach another device type, access or transfer
// method; the compiler holds every code to its shape.
static_assert(IsClientCode(RequestCode::DriverVersion, kMethodNeither) &&
                  IsClientCode(RequestCode::VirtualAddress, kMethodNeither) &&
                  IsClientCode(RequestCode::ConnectionState, kMethodNeither) &&
                  IsClientCode(RequestCode::ConnectionDetails, kMethodNeither) &&
                  IsClientCode(RequestCode::Bypass, kMethodNeither) &&
                  IsClientCode(RequestCode::Enable, kMethodNeither) &&
                  IsClientCode(RequestCode::DisconnectReason, kMethodNeither) &&
                  IsClientCode(RequestCode::InterfaceTable, kMethodNeither) &&
                  IsClientCode(RequestCode::Disconnected, kMethodNeither) &&
                  IsClientCode(RequestCode::Action, kMethodNeither) &&
                  IsClientCode(RequestCode::ServerAddresses, kMethodNeither) &&
                  IsClientCode(RequestCode::ConnectingPhase, kMethodNeither) &&
                  IsClientCode(RequestCode::ServerListChanged, kMethodNeither) &&
                  IsClientCode(RequestCode::TrafficBypassed, kMethodNeither) &&
                  IsClientCode(RequestCode::RouteCheck, kMethodNeither) &&
                  IsClientCode(RequestCode::Credentials, kMethodNeither) &&
                  IsClientCode(RequestCode::ExternalCondition, kMethodNeither),
              "every synchronous request is METHOD_NEITHER with FILE_ANY_ACCESS");
static_assert(IsClientCode(RequestCode::NotifyStateChange, kMethodBuffered),
              "the state-change notification is METHOD_BUFFERED");

}  // namespace qlclapi
