; The Korvane installer and uninstaller. Built by scripts/build with makensis:
;   makensis -DVERSION=<major.minor> -DFILEVERSION=<major.minor.patch.build>
;            -DPRODUCT_FACTS=<product_facts.nsh> -DSOURCE=<release folder> -DOUTFILE=<setup.exe>
; The programs are 64-bit, and so is the installer.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

!ifndef VERSION
  !error "VERSION is given by the build"
!endif
; PRODUCT, RUN_VALUE, MUTEX and PUBLISHER, which the build reads from src/toolkit/product.h.
!ifndef PRODUCT_FACTS
  !error "PRODUCT_FACTS (the generated product_facts.nsh) is given by the build"
!endif
!include "${PRODUCT_FACTS}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The Application log's event source: Event Viewer finds the message table in the program.
!define EVENT_SOURCE_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\${PRODUCT}"
!define MSG_RUNNING "${PRODUCT} is running. Please end it with $\"Exit ${PRODUCT}$\" in its tray menu, then press Retry."

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${FILEVERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${FILEVERSION}"
VIAddVersionKey "FileVersion" "${FILEVERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Page directory
Page instfiles
Page custom FinishPage

UninstPage uninstConfirm
UninstPage instfiles

Var StartBox

; A running copy holds its mutex; files must not be replaced under it. Asks until the user has
; ended it (Retry) or gives up (Cancel). Silent runs fail at once with exit code 2.
!macro WaitForNoRunningCopyFunction PREFIX
Function ${PREFIX}WaitForNoRunningCopy
  retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      ${If} ${Silent}
        SetErrorLevel 2
        Quit
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MSG_RUNNING}" IDRETRY retry
      SetErrorLevel 2
      Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro WaitForNoRunningCopyFunction ""
!insertmacro WaitForNoRunningCopyFunction "un."

Function .onInit
  SetRegView 64
  Call WaitForNoRunningCopy
FunctionEnd

Section "${PRODUCT}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${SOURCE}\KorvaneMonitor.exe"
  File "${SOURCE}\Postwright.exe"
  File "${SOURCE}\${PRODUCT}.chm"
  SetOutPath "$INSTDIR\Sounds"
  File "${SOURCE}\Sounds\twitch.wav"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\KorvaneMonitor.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\${PRODUCT}.chm"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${FILEVERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KorvaneMonitor.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile" "$INSTDIR\KorvaneMonitor.exe"
  ; Error, warning and information.
  WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "TypesSupported" 7
SectionEnd

; The last page: offers to start Korvane now (not in silent runs).
Function FinishPage
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "${PRODUCT} ${VERSION} is installed. Its icons appear in the notification area of the task bar."
  Pop $0
  ${NSD_CreateCheckbox} 0 30u 100% 12u "&Start ${PRODUCT} now"
  Pop $StartBox
  ${NSD_Check} $StartBox
  nsDialogs::Show
FunctionEnd

Function .onInstSuccess
  IfSilent done
  ${NSD_GetState} $StartBox $0
  ${If} $0 == ${BST_CHECKED}
    Exec '"$INSTDIR\KorvaneMonitor.exe"'
  ${EndIf}
  done:
FunctionEnd

Function un.onInit
  SetRegView 64
  Call un.WaitForNoRunningCopy
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\KorvaneMonitor.exe"
  Delete "$INSTDIR\Postwright.exe"
  Delete "$INSTDIR\${PRODUCT}.chm"
  Delete "$INSTDIR\Sounds\twitch.wav"
  RMDir "$INSTDIR\Sounds"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${EVENT_SOURCE_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  ; The user's settings and temperature logs: kept unless the user says otherwise.
  SetShellVarContext current
  IfFileExists "$APPDATA\${PRODUCT}\*.*" 0 done
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also delete your ${PRODUCT} settings and temperature logs in $APPDATA\${PRODUCT}?" \
      /SD IDNO IDNO done
    RMDir /r "$APPDATA\${PRODUCT}"
  done:
SectionEnd
