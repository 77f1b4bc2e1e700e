// The settings catalogue against the client's own list of settings, written
// out here as the client publishes it, the flag tests with their answers for unknown identifiers, and the value
// names formed from identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_catalogue.h"

namespace {

using namespace qlclapi;

// The client's list as it publishes it: "0xFLAGS" sets the flags of the
// "name identifier" pairs that follow.
const char16_t kClientList[] =
    u"0x10 A_RPC_TcpProxyMode 1318 A_RPC_CoalesceTimeout 1280 A_RPC_DatagramExpireTime 1281 "
    u"A_RPC_ConObjSendLimit 1284 A_RPC_ConObjRcvLimit 1283 A_RPC_AssociationConnectionObjectLimit 1288 "
    u"A_RPC_AssociationAddressObjectLimit 1289 A_RPC_TcpFlowSendWindowSize 1315 "
    u"A_RPC_TcpFlowUnackedReceiveWindowMax 1316 A_RPC_DispQueue_DefaultQueue 1302 A_VES_WebAccOptimization 1101 "
    u"A_VES_WebAccPorts 1102 A_VES_DisconnectComplianceLevelBelow 1125 A_VES_QuarantineComplianceLevelBelow 1126 "
    u"A_VES_FilterBroadcast 1082 A_VES_FilterMulticast 1083 A_VES_MinimumMulticastTtl 1172 "
    u"A_VES_FilterLinkLocalMulticast 1173 0x11 A_VES_VorantisUserName 1190 0x12 A_DeviceClass 6146 0x13 "
    u"A_UserSet 8194 0x11 A_VESEnableTrayMenu 1037 A_VESEnableControlPanel 1038 A_DefaultPassthruMode 1059 "
    u"A_ClientSetsDefaultPassthruMode 1061 A_BypassDuringLogoff 1096 A_VESEnableBypassIoctl 1113 0x10 "
    u"A_VES_MobileDeviceLockOnLogoff 1147 A_VES_LogonBlockWinlogonTime 1151 0x12 A_VES_Biometrics 1193 0x10 "
    u"A_VES_UseBluetoothDeviceName 1195 A_VES_UseLocalProxyForPassthrough 1199 0x11 A_VESAuthHelloListMask 1067 "
    u"A_VES_LogonConnectDlgStart 1074 A_VES_LogonConnectDlgDisable 1075 A_VES_LogonConnectWaitQls 1081 "
    u"A_VES_LogonConnectWaitDc 1076 A_VES_LogoffDelay 1077 A_VES_NetLogonRetries 1078 "
    u"A_VES_NetLogonRetryMultiple 1079 A_VES_AllowClientSavePasswordMode 1085 "
    u"A_VES_AutomaticTryWindowsUserCreds 1108 A_VES_AllowCertificateConfig 1109 A_VES_ShowNacDetails 1150 "
    u"A_VES_ShowNoSmartcardBtn 1138 0x10 A_SuppressModeNegotiationConfirm 1159 0x11 "
    u"A_VES_DisableOTPSyntaxValidation 1115 A_VES_AlwaysPrompt 1142 A_VES_NeverPrompt 1201 "
    u"A_VES_AlwaysClearPIN 1146 A_VES_DisconnectOnSmartcardRemoval 1163 A_DefaultCredentials 1069 "
    u"A_ClientSetsDefaultCredentials 1070 A_VES_CustomLogonPrompt 1179 0x10 A_VES_LogonRepromptCredential 1180 0x11 "
    u"A_VES_ReAuthUponResume 1145 0x10 A_VES_VorantisUserName 1190 0x11 A_Auth_EapDisallowedTypes 939 "
    u"A_Auth_EapHideUserId 938 A_PROF_NTLM_SuffixIsDomain 13350 0x10 A_DA_DisconnectOnLogoff 1148 "
    u"A_DA_RADIUS_SameAsUser 16390 A_DA_Auth_EapDisallowedTypes 16393 A_DA_Auth_EapHideUserId 16392 0x11 "
    u"A_VES_CaptivePortalEnabled 1183 A_VES_CaptivePortalLogonUrl 1184 A_VES_CaptivePortalDisableWebProxy 1194 0x10 "
    u"A_VES_AddSplitTunnelRoutes 1185 A_VES_LocalityServerAddress 1186 0x11 "
    u"A_FollowEvents_VES_RemoteManagement 20481 A_FollowEvents_VES_DebugEvents 20495 "
    u"A_FollowEvents_VES_ArchiveDirectory 20487 A_FollowEvents_VES_Granularity 20489 "
    u"A_FollowEvents_VES_PollInterval 20491 A_FollowEvents_VES_MaxSize 20493 0x10 A_RoamingEnable 1025 "
    u"A_RoamViaCard 1026 A_RoamDhcpBeaconing 1035 A_BeaconingWithSubnetMask 1052 A_RoamBlockSP2Beaconing 1135 "
    u"A_RoamSupernetting 1034 A_RoamNominalDiscoverInterval 1027 A_RoamBackoffDiscoverInterval 1028 "
    u"A_RoamDiscoverGuard 1029 A_RoamServerDetectRetries 1031 A_RoamSubnetSwitchRetries 1032 "
    u"A_RoamOutOfRangeRetries 1033 A_RoamPrioritizeDefaultGateways 1130 A_RoamAddressTypePreference 1155 "
    u"A_FixupDefaultGateways 1060 A_VES_DynamicDnsConfig_legacy 1084 A_VES_DynamicDnsConfig 1158 "
    u"A_VES_DefaultPopDnsServer 1208 A_VES_ReleaseOnBypass 1105 A_VES_FilterNetBIOSPop 1106 "
    u"A_VES_ActiveConnectionManagement 1149 A_VES_AllowSecondaryUser 1160 A_VES_VNICMetric 1107 "
    u"A_VES_QuellInterfacePopups 1110 A_VES_HideVnic 1131 A_VES_VnicLinkSpeed 1132 "
    u"A_VES_IgnoreVnicDefaultRoute 1152 A_VESMaxSendQueueSize 1044 A_DisconnectOnSuspend 1046 "
    u"A_DisconnectTimeout 1053 A_ReconnectRetryTimeout 1054 A_PowerBroadcastPatch 1047 A_PassthruList 1048 "
    u"A_BlockList 1055 A_RPC_DatagramSendLimit 1294 A_RPC_ProxyPingEnable 1307 A_VES_FastXPDesktop 1091 "
    u"A_VES_ShowFailoverDialog 1095 A_VES_BrowserConcurrentConnections 1103 A_MulticastPatch 1097 "
    u"A_RPC_UnreachableConnectTimeout 1308 A_VES_GSMHangupPatch 1111 A_RPC_ConObjectLimit 1309 "
    u"A_VES_PassThruGPNotifications 1157 A_RPC_AddressObjectSyncDelay 1317 A_VES_LogDNS 1164 "
    u"A_VES_RedirectTcpFlowsUsingRoutes 1167 A_VES_TcpProxyAddress 1168 A_RPC_DefaultDatagramRTIMP 1319 "
    u"A_VES_DllHookProcesses 1191 A_VES_AddRouteHostnames 1206 A_VES_AddRouteProcesses 1212 "
    u"A_VES_PerAppDisallowedApplications 1192 0x11 A_VES_IgnoreFatalDisconnect 1202 0x10 A_VES_DevcapsInterval 1092 "
    u"A_VES_VerboseDevcapReporting 1123 A_VES_DevcapReportingWithOtherData 1129 A_VES_NACPollingInterval 1124 "
    u"A_VES_NACOpswatTimeout 1156 A_VES_NACVerbosePolling 1133 A_VMS_PolicyDisconnectIfIncompat 935 "
    u"A_VES_NACThreatRescanGuardTime 1136 A_VES_NACThreatRescanGuardTimeMinutes 1165 "
    u"A_VES_ReputationBlockLevel 1196 A_VES_ReputationExpirationTimeout 1197 "
    u"A_VES_ReputationRequestTimeoutAction 1204 A_VES_ReputationRequestTimeout 1205 "
    u"A_VES_AllowComputerPoliciesToRun 1090 A_VMS_SecurID_Timeout 941 A_VES_EapGtcPasswordChangeTokens 1153 0x0 "
    u"A_VES_IgnorePidHash 1211 A_VES_OverrideFirewall 1213 0x6 A_VES_QuorlanServices_Id 1200 0x2 "
    u"A_VES_SendLogsEmailAddress 1210 0x20 A_VES_AddRouteProcessesAuthoritative 1214 0x0 A_VES_FilterTcpDns 1215 "
    u"0x2 A_DIAG_ReportingInterval 24832 0x6 A_DIAG_BandwidthTest 24833 0x2 A_DIAG_BandwidthTestSchedule 24834 "
    u"A_DIAG_ClientReportSchedule 24835 A_DIAG_LocationDataCollection 24870 A_DIAG_GpsConfiguration 24838 "
    u"A_DIAG_RestrictMobileRouterConfig 24839 0x6 A_DIAG_Cradlepoint 24840 A_DIAG_MobileHotspot 24841 "
    u"A_DIAG_MotorolaVML700 24843 A_DIAG_MotorolaVML750 24842 A_DIAG_CalAmp 24844 A_DIAG_Cisco 25880 "
    u"A_DIAG_Harris 24845 A_DIAG_RouterMicrohard 25882 A_DIAG_Rocket 24846 A_DIAG_SierraAirLink 24847 "
    u"A_DIAG_SkyusX 24848 A_DIAG_SierraMG 24849 0x2 A_DIAG_EnableClientReports 24850 0x6 A_DIAG_CustomTests 24851 "
    u"0x2 A_DIAG_EnableWiFiLocation 24852 A_DIAG_EnableSerialPortSharing 24869 A_DIAG_EnableBandwidthTest 24872 "
    u"A_DIAG_UninstallDiagnostics 24873 A_DIAG_AutoEnableGPS 24874 0xE A_DIAG_AuthToken 24875 0x2 "
    u"A_DIAG_GpsUpdateIntensity 25881 0x6 A_DIAG_BuiltinTests 24863 0x2 A_DIAG_PingTimeout 24864 "
    u"A_DIAG_ScreenSetting 25883 0x20 A_DIAG_ReportingUrl 24876 A_DIAG_ServerThumbprint 24877 "
    u"A_DIAG_CollectFlows 24878 A_DIAG_CollectReputation 24879";

TEST(SettingCatalogue, IsTheClientsListInItsOrder) {
    std::vector<std::string> words(1);
    for (const char16_t* c = kClientList; *c; ++c) {
        if (*c == u' ') words.emplace_back();
        else words.back().push_back(char(*c));
    }
    size_t index = 0;
    uint32_t flags = 0;
    for (size_t w = 0; w < words.size(); ++w, ++index) {
        if (words[w].rfind("0x", 0) == 0) {
            flags = uint32_t(std::stoul(words[w], nullptr, 16));
            --index;
            continue;
        }
        ASSERT_LT(index, kSettingCount);
        const SettingDefinition& entry = kSettingCatalogue[index];
        SCOPED_TRACE(words[w]);
        EXPECT_EQ(std::u16string(entry.name), std::u16string(words[w].begin(), words[w].end()));
        EXPECT_EQ(entry.id, std::stoul(words[++w]));
        EXPECT_EQ(entry.flags, flags);
    }
    EXPECT_EQ(index, kSettingCount);
}

TEST(SettingCatalogue, LookupsSeeTheFirstEntryAndAnswerUnknownIdsWithTheDefault) {
    const struct {
        uint32_t id, mask, fallback, expected;
    } cases[] = {
        {1190, 0xFF, 7, 0x11},  // the first of its two entries
        {24875, 0x8, 0, 0x8},   {24875, 0x1FF, 0, 0xE},  // the mask counts in its low 8 bits only
        {1211, 0xFF, 9, 0},     // flags 0: known, nothing set
        {0, 0xFF, 5, 5},        {0xFFFFFFFF, 0x4, 1, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingHasFlags(c.id, c.mask, c.fallback), c.expected) << c.id;
    const struct {
        uint32_t id, known, user, refused, flag8;
    } fixed[] = {{1190, 1, 1, 0, 0}, {24851, 1, 0, 4, 0}, {24875, 1, 0, 4, 8}, {12345, 0, 0, 1, 0}};
    for (const auto& f : fixed) {
        EXPECT_EQ(IsKnownSetting(f.id), f.known) << f.id;
        EXPECT_EQ(IsUserSetting(f.id), f.user) << f.id;
        EXPECT_EQ(IsRefusedByTextStore(f.id), f.refused) << f.id;
        EXPECT_EQ(HasSettingFlag8(f.id), f.flag8) << f.id;
    }
    ASSERT_NE(FindSettingByName(u"A_DIAG_EnableBandwidthTest"), nullptr);
    EXPECT_EQ(FindSettingByName(u"A_DIAG_EnableBandwidthTest")->id, 24872u);
    EXPECT_EQ(FindSettingByName(u"A_VES_VorantisUserName"), &kSettingCatalogue[18]);
    for (const char16_t* name : {u"A_DIAG_EnableBandwidth", u"A_DIAG_EnableBandwidthTestX", u""})
        EXPECT_EQ(FindSettingByName(name), nullptr);
    EXPECT_EQ(FindSettingByName(nullptr), nullptr);
}

TEST(SettingCatalogue, ValueNamesAreEightUpperCaseHexDigits) {
    const struct {
        uint32_t id;
        std::u16string name;
    } cases[] = {{24850, u"00006112"}, {24872, u"00006128"}, {0, u"00000000"}, {0xFFFFFFFF, u"FFFFFFFF"},
                 {0xABCDEF01, u"ABCDEF01"}};
    for (const auto& c : cases) {
        std::u16string buffer(12, u'#');
        ASSERT_EQ(FormatSettingId(c.id, &buffer[0], 9), kConfigOk);
        EXPECT_EQ(buffer, c.name + u'\0' + u"###");
    }
    char16_t small[8] = {u'#'};
    EXPECT_EQ(FormatSettingId(1, small, 8), kConfigBufferTooSmall);
    EXPECT_EQ(small[0], u'#');
    EXPECT_EQ(FormatSettingId(1, nullptr, 9), kConfigBufferTooSmall);
}

}  // namespace
