// Handing text records to the driver: password credentials and external
// conditions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/text_field.h"

namespace qlclapi {

constexpr uint32_t kPasswordCredentials = 1;

// Sent with the credentials request; the three texts in argument order.
struct CredentialRecord {
    uint32_t type;
    TextField first;
    TextField second;
    TextField third;
};
static_assert(sizeof(CredentialRecord) == 1540, "the driver takes 1540 bytes of credentials");
static_assert(offsetof(CredentialRecord, first) == 4, "first text at 4");
static_assert(offsetof(CredentialRecord, second) == 516, "second text at 516");
static_assert(offsetof(CredentialRecord, third) == 1028, "third text at 1028");

struct ExternalConditionRecord {
    TextField first;
    TextField second;
};
static_assert(sizeof(ExternalConditionRecord) == 1024, "the driver takes 1024 bytes of condition");
static_assert(offsetof(ExternalConditionRecord, second) == 512, "second text at 512");

// Disconnects, waits half a second, hands over the credentials and enables
// the client again. 1 when the enable was sent, else 0.
uint32_t ConnectWithPassword(const wchar_t* first, const wchar_t* second, const wchar_t* third);
// 0 when first is null; 1 otherwise, sent or not (no driver).
uint32_t SetExternalCondition(const wchar_t* first, const wchar_t* second);

}  // namespace qlclapi
