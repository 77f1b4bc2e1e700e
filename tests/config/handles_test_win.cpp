// Every configuration export, on its success and its failure paths, closes
// every registry key and service handle it opened: the process's handle
// count is the same after a thousand calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "qlclapi.h"
#include "support/client_config.h"

namespace qltest {
namespace {

using ConfigurationHandles = ClientServicesTest;

TEST_F(ConfigurationHandles, AreAllClosedAgain) {
    QL_EXPORT(library(), QuorlanGetPermanentID);
    QL_EXPORT(library(), QuorlanGetPermanentIDVB);
    QL_EXPORT(library(), QuorlanGetServerAddressEx);
    QL_EXPORT(library(), QuorlanGetServerAddressByName);
    QL_EXPORT(library(), QuorlanGetServerAddressByNameVB);
    QL_EXPORT(library(), QuorlanSetServerAddressExVB);
    QL_EXPORT(library(), QuorlanSetServerAddressByName);
    QL_EXPORT(library(), QuorlanGetLoadAtStartup);
    QL_EXPORT(library(), QuorlanSetLoadAtStartup);
    BSTR text = SysAllocString(L"");
    auto round = [&](int i) {
        uint8_t buffer[64];
        QlUInt32 length = i % 2 ? 64 : 8;
        QuorlanGetPermanentID(buffer, &length);
        QuorlanGetPermanentIDVB(&text);
        QuorlanGetServerAddressEx(buffer);
        length = 0;
        QuorlanGetServerAddressByName(nullptr, &length);
        QuorlanGetServerAddressByNameVB(&text);
        QuorlanSetServerAddressExVB(i % 3 ? "10.1.2.3:443" : "not an address");
        QuorlanSetServerAddressByName(i % 5 ? nullptr : L"vpn.example.com");
        QlUInt32 choice;
        QuorlanGetLoadAtStartup(&choice);
        if (i % 50 == 0) QuorlanSetLoadAtStartup(i % 100);
        // The failure paths: no keys at all.
        if (i % 7 == 0) qlsim::RemoveClientKeys();
        if (i % 7 == 3) qlsim::InstallClientKeys();
    };
    round(0);  // whatever the platform opens once and keeps
    const size_t before = OpenHandles();
    for (int i = 1; i <= 1000; ++i) round(i);
    EXPECT_EQ(OpenHandles(), before);
    SysFreeString(text);
}

}  // namespace
}  // namespace qltest
