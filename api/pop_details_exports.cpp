// The point-of-presence details as one record in a caller buffer, and as
// separate values for Visual Basic callers.
#include "address/pop_details_twins_win.h"
#include "address/pop_details_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetPointOfPresenceDetails(void* buffer, QlUInt32 size) {
    return BuildPointOfPresenceDetails(buffer, size, DetailsForm::Plain);
}

QlUInt32 QLCLAPI_CALL QuorlanGetPointOfPresenceDetailsEx(void* buffer, QlUInt32 size) {
    return BuildPointOfPresenceDetails(buffer, size, DetailsForm::Ex);
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetPointOfPresenceDetailsVB(QlUInt32* address, QlUInt32* interfaceValue1,
                                                           QlUInt32* interfaceValue2Low,
                                                           QlUInt32* interfaceValue3Low, QlBstr* physicalAddress,
                                                           QlBstr* name, QlBstr* secondText, QlBstr* trailingBytes) {
    return GetPointOfPresenceDetailsValues(address, interfaceValue1, interfaceValue2Low, interfaceValue3Low,
                                           physicalAddress, name, secondText, trailingBytes);
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetPointOfPresenceDetailsExVB(QlBstr* address, QlUInt32* interfaceValue1,
                                                             QlUInt64* interfaceValue2, QlUInt64* interfaceValue3,
                                                             QlBstr* physicalAddress, QlBstr* name,
                                                             QlBstr* secondText, QlBstr* trailingBytes) {
    return GetPointOfPresenceDetailsExValues(address, interfaceValue1, interfaceValue2, interfaceValue3,
                                             physicalAddress, name, secondText, trailingBytes);
}
