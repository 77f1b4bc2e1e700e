Attribute VB_Name = "qlclapi"
' qlclapi.bas - Visual Basic declarations of the client API (qlclapi.dll).
'
' Add this module to a VB6 project or an Office (VBA) project. It declares
' every ...VB function of the library: they use the standard calling
' convention that Declare requires, take ANSI strings (ByVal ... As String)
' and return text in a String you pass ByRef, which the library replaces.
'
' Usage:
'     Dim status As String
'     If QuorlanGetConnectionStateStringVB(status) = 1 Then MsgBox status
'
' Results: 1 for success and 0 for failure unless a function says
' otherwise. Without the client driver every driver-facing function returns
' 0 (QuorlanGetConnectionStateVB returns QL_STATE_CLIENT_NOT_LOADED).
'
' 64-bit values (the interface values of the point-of-presence details) are
' passed as Currency, the 8-byte type that VB6 and 32-bit Office have: the
' library fills its 8 bytes, so multiply the Currency by 10000 to read the
' number it holds.
'
' The plain functions of the header (without VB) use the C calling
' convention, which Declare cannot call in 32-bit VB6 or Office; they are
' declared below only for 64-bit Office, where there is a single calling
' convention. Their UTF-16 strings are passed with StrPtr.
Option Explicit

' Connection states returned by QuorlanGetConnectionStateVB. Any other
' value means that the client is disabled.
Public Const QL_STATE_IDLE As Long = 1
Public Const QL_STATE_CONNECTING As Long = 2
Public Const QL_STATE_CONNECTED As Long = 3
Public Const QL_STATE_SERVER_UNREACHABLE As Long = 4
Public Const QL_STATE_DISCONNECTED As Long = 5
Public Const QL_STATE_CLIENT_NOT_LOADED As Long = 6

' Recorded start-up choice of QuorlanGetLoadAtStartupVB.
Public Const QL_STARTUP_OFF As Long = 0
Public Const QL_STARTUP_ON As Long = 1
Public Const QL_STARTUP_NOT_RECORDED As Long = 3

#If VBA7 Then

' ---- Version, state and control -------------------------------------------
Public Declare PtrSafe Function QuorlanGetVersionVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanGetConnectionStateVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanGetVorantisTechnologyVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanEnableVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanLogoffVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanBypassVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanTriggerQLSRouteCheckVB Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanGetDisconnectReasonVB Lib "qlclapi.dll" (ByRef reason As Long) As Long
' Does nothing and returns 0: wait on the event handle below instead.
Public Declare PtrSafe Function QuorlanNotifyStateChangeVB Lib "qlclapi.dll" (ByVal unused As Long) As Long
' The client's state-change event (close it with CloseHandle); 0 on failure.
Public Declare PtrSafe Function QuorlanGetStateChangeNotificationEventHandleVB Lib "qlclapi.dll" () As LongPtr
Public Declare PtrSafe Function QuorlanGetStateChangeNotficationEventHandleVB Lib "qlclapi.dll" () As LongPtr

' ---- Credentials and external conditions ----------------------------------
Public Declare PtrSafe Function QuorlanConnectWithPasswordVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String, ByVal third As String) As Long
' Not supported: always 0.
Public Declare PtrSafe Function QuorlanConnectWithOTPVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String) As Long
Public Declare PtrSafe Function QuorlanSetExternalConditionVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String) As Long

' ---- Status text ------------------------------------------------------------
Public Declare PtrSafe Function QuorlanGetConnectionStateStringVB Lib "qlclapi.dll" (ByRef text As String) As Long

' ---- Addresses (IPv4 numbers in network byte order) -------------------------
Public Declare PtrSafe Function QuorlanGetVirtualAddressVB Lib "qlclapi.dll" (ByRef address As Long) As Long
Public Declare PtrSafe Function QuorlanGetVirtualAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare PtrSafe Function QuorlanGetPointOfPresenceVB Lib "qlclapi.dll" (ByRef address As Long) As Long
Public Declare PtrSafe Function QuorlanGetPointOfPresenceExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare PtrSafe Function QuorlanGetConnectedServerAddressVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef port As Integer) As Long
Public Declare PtrSafe Function QuorlanGetConnectedServerAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare PtrSafe Function QuorlanGetPointOfPresenceDetailsVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef interfaceValue1 As Long, ByRef interfaceValue2Low As Long, _
     ByRef interfaceValue3Low As Long, ByRef physicalAddress As String, ByRef name As String, _
     ByRef secondText As String, ByRef trailingBytes As String) As Long
Public Declare PtrSafe Function QuorlanGetPointOfPresenceDetailsExVB Lib "qlclapi.dll" _
    (ByRef address As String, ByRef interfaceValue1 As Long, ByRef interfaceValue2 As Currency, _
     ByRef interfaceValue3 As Currency, ByRef physicalAddress As String, ByRef name As String, _
     ByRef secondText As String, ByRef trailingBytes As String) As Long
Public Declare PtrSafe Function QuorlanGetPointOfPresenceNetworkTypeVB Lib "qlclapi.dll" () As Long

' ---- Configuration ----------------------------------------------------------
Public Declare PtrSafe Function QuorlanGetPermanentIDVB Lib "qlclapi.dll" (ByRef id As String) As Long
Public Declare PtrSafe Function QuorlanGetServerAddressVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef port As Integer) As Long
Public Declare PtrSafe Function QuorlanGetServerAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare PtrSafe Function QuorlanGetServerAddressByNameVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare PtrSafe Function QuorlanSetServerAddressVB Lib "qlclapi.dll" _
    (ByVal address As Long, ByVal port As Integer) As Long
Public Declare PtrSafe Function QuorlanSetServerAddressExVB Lib "qlclapi.dll" (ByVal text As String) As Long
Public Declare PtrSafe Function QuorlanSetServerAddressByNameVB Lib "qlclapi.dll" (ByVal text As String) As Long
Public Declare PtrSafe Function QuorlanGetLoadAtStartupVB Lib "qlclapi.dll" (ByRef value As Long) As Long
Public Declare PtrSafe Function QuorlanSetLoadAtStartupVB Lib "qlclapi.dll" (ByVal enable As Long) As Long

' ---- Diagnostics ------------------------------------------------------------
Public Declare PtrSafe Function QuorlanStartReportVB Lib "qlclapi.dll" (ByVal memo As String) As Long
Public Declare PtrSafe Function QuorlanStartBandwidthTestVB Lib "qlclapi.dll" (ByVal memo As String) As Long
Public Declare PtrSafe Function QuorlanSetCustomTagVB Lib "qlclapi.dll" _
    (ByVal key As String, ByVal value As String) As Long

#If Win64 Then
' ---- Plain functions, 64-bit Office only ------------------------------------
Public Declare PtrSafe Function QuorlanGetVersion Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanGetConnectionState Lib "qlclapi.dll" () As Long
Public Declare PtrSafe Function QuorlanGetDisconnectReason Lib "qlclapi.dll" (ByRef reason As Long) As Long
' overlapped: the address of an OVERLAPPED structure that stays valid.
Public Declare PtrSafe Function QuorlanNotifyStateChange Lib "qlclapi.dll" (ByVal overlapped As LongPtr) As Long
Public Declare PtrSafe Function QuorlanCancelNotifyStateChange Lib "qlclapi.dll" (ByVal overlapped As LongPtr) As Long
' buffer: StrPtr of a String of length / 2 characters; length in bytes.
Public Declare PtrSafe Function QuorlanGetConnectionStateString Lib "qlclapi.dll" _
    (ByVal buffer As LongPtr, ByRef length As Long) As Long
Public Declare PtrSafe Function QuorlanGetServerAddressByName Lib "qlclapi.dll" _
    (ByVal buffer As LongPtr, ByRef length As Long) As Long
' text: StrPtr of the String (0 for none).
Public Declare PtrSafe Function QuorlanSetServerAddressByName Lib "qlclapi.dll" (ByVal text As LongPtr) As Long
Public Declare PtrSafe Function QuorlanStartReport Lib "qlclapi.dll" (ByVal memo As LongPtr) As Long
Public Declare PtrSafe Function QuorlanStartBandwidthTest Lib "qlclapi.dll" (ByVal memo As LongPtr) As Long
Public Declare PtrSafe Function QuorlanSetCustomTag Lib "qlclapi.dll" _
    (ByVal key As LongPtr, ByVal value As LongPtr) As Long
#End If

#Else

' ---- VB6 and Office before 2010 (32-bit) ------------------------------------
Public Declare Function QuorlanGetVersionVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanGetConnectionStateVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanGetVorantisTechnologyVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanEnableVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanLogoffVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanBypassVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanTriggerQLSRouteCheckVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanGetDisconnectReasonVB Lib "qlclapi.dll" (ByRef reason As Long) As Long
Public Declare Function QuorlanNotifyStateChangeVB Lib "qlclapi.dll" (ByVal unused As Long) As Long
Public Declare Function QuorlanGetStateChangeNotificationEventHandleVB Lib "qlclapi.dll" () As Long
Public Declare Function QuorlanGetStateChangeNotficationEventHandleVB Lib "qlclapi.dll" () As Long

Public Declare Function QuorlanConnectWithPasswordVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String, ByVal third As String) As Long
Public Declare Function QuorlanConnectWithOTPVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String) As Long
Public Declare Function QuorlanSetExternalConditionVB Lib "qlclapi.dll" _
    (ByVal first As String, ByVal second As String) As Long

Public Declare Function QuorlanGetConnectionStateStringVB Lib "qlclapi.dll" (ByRef text As String) As Long

Public Declare Function QuorlanGetVirtualAddressVB Lib "qlclapi.dll" (ByRef address As Long) As Long
Public Declare Function QuorlanGetVirtualAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare Function QuorlanGetPointOfPresenceVB Lib "qlclapi.dll" (ByRef address As Long) As Long
Public Declare Function QuorlanGetPointOfPresenceExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare Function QuorlanGetConnectedServerAddressVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef port As Integer) As Long
Public Declare Function QuorlanGetConnectedServerAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare Function QuorlanGetPointOfPresenceDetailsVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef interfaceValue1 As Long, ByRef interfaceValue2Low As Long, _
     ByRef interfaceValue3Low As Long, ByRef physicalAddress As String, ByRef name As String, _
     ByRef secondText As String, ByRef trailingBytes As String) As Long
Public Declare Function QuorlanGetPointOfPresenceDetailsExVB Lib "qlclapi.dll" _
    (ByRef address As String, ByRef interfaceValue1 As Long, ByRef interfaceValue2 As Currency, _
     ByRef interfaceValue3 As Currency, ByRef physicalAddress As String, ByRef name As String, _
     ByRef secondText As String, ByRef trailingBytes As String) As Long
Public Declare Function QuorlanGetPointOfPresenceNetworkTypeVB Lib "qlclapi.dll" () As Long

Public Declare Function QuorlanGetPermanentIDVB Lib "qlclapi.dll" (ByRef id As String) As Long
Public Declare Function QuorlanGetServerAddressVB Lib "qlclapi.dll" _
    (ByRef address As Long, ByRef port As Integer) As Long
Public Declare Function QuorlanGetServerAddressExVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare Function QuorlanGetServerAddressByNameVB Lib "qlclapi.dll" (ByRef text As String) As Long
Public Declare Function QuorlanSetServerAddressVB Lib "qlclapi.dll" _
    (ByVal address As Long, ByVal port As Integer) As Long
Public Declare Function QuorlanSetServerAddressExVB Lib "qlclapi.dll" (ByVal text As String) As Long
Public Declare Function QuorlanSetServerAddressByNameVB Lib "qlclapi.dll" (ByVal text As String) As Long
Public Declare Function QuorlanGetLoadAtStartupVB Lib "qlclapi.dll" (ByRef value As Long) As Long
Public Declare Function QuorlanSetLoadAtStartupVB Lib "qlclapi.dll" (ByVal enable As Long) As Long

Public Declare Function QuorlanStartReportVB Lib "qlclapi.dll" (ByVal memo As String) As Long
Public Declare Function QuorlanStartBandwidthTestVB Lib "qlclapi.dll" (ByVal memo As String) As Long
Public Declare Function QuorlanSetCustomTagVB Lib "qlclapi.dll" _
    (ByVal key As String, ByVal value As String) As Long

#End If
