// The commands an application can give the diagnostics service. Each is
// one exchange; a report or bandwidth test asked for by any source but
// kSourcePolicy is sent only when its setting (A_DIAG_EnableClientReports,
// A_DIAG_EnableBandwidthTest) reads as non-zero: an unreadable setting
// counts as off, and then no connection is made.
#pragma once

#include <string>

#include "diag/diag_source.h"

namespace qlclapi {

// True when the service answered {"status":"success"}. memo is UTF-16 of
// `units` units and is sent in UTF-8 (empty when it cannot be converted).
bool StartReport(DiagSource source, const char16_t* memo, size_t units);
bool StartBandwidth(DiagSource source, const char16_t* memo, size_t units);
// key and value are UTF-8; they are taken over and wiped. "value" is sent
// only with hasValue.
bool SendCustomEvent(std::string& key, std::string& value, bool hasValue);

// The requests of the exports, all from kSourceApi, with zero-terminated
// UTF-16 texts: a null memo is sent as the empty text; a null key sends
// nothing (false), a null value sends no "value" member.
bool StartApiReport(const char16_t* memo);
bool StartApiBandwidthTest(const char16_t* memo);
bool SetCustomTag(const char16_t* key, const char16_t* value);

// Their replies are read and dropped.
void AbortReport();
void AbortBandwidth();
void ShowReport();
void ClearLogs();

}  // namespace qlclapi
