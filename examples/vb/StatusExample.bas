Attribute VB_Name = "StatusExample"
' Shows the client's status with the declarations of vb\qlclapi.bas (add
' both modules to the project; qlclapi.dll must be on the DLL search path,
' e.g. beside the program or in the system folder).
Option Explicit

Public Sub ShowClientStatus()
    Dim text As String
    Dim server As String
    Dim reason As Long
    Dim startup As Long

    If QuorlanGetConnectionStateVB() = QL_STATE_CLIENT_NOT_LOADED Then
        MsgBox "The client is not loaded."
        Exit Sub
    End If

    ' The library replaces the String passed ByRef with the text.
    If QuorlanGetConnectionStateStringVB(text) = 1 Then Debug.Print text
    If QuorlanGetDisconnectReasonVB(reason) = 1 Then Debug.Print "Last disconnect reason: " & reason
    If QuorlanGetServerAddressByNameVB(server) = 1 Then Debug.Print "Configured server: " & server
    If QuorlanGetLoadAtStartupVB(startup) = 1 Then
        Select Case startup
            Case QL_STARTUP_ON: Debug.Print "Loads at start-up"
            Case QL_STARTUP_OFF: Debug.Print "Does not load at start-up"
            Case Else: Debug.Print "Start-up choice not recorded"
        End Select
    End If
End Sub

Public Sub StartDiagnosticReport()
    ' 0 when reports are switched off by the administrator, the diagnostics
    ' service is not running, or it refused.
    If QuorlanStartReportVB("Started from Visual Basic") = 1 Then
        MsgBox "Report started."
    Else
        MsgBox "The report could not be started."
    End If
End Sub
