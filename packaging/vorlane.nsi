; Vorlane's setup program: a per-user install that needs no administrator
; rights, so that router.log beside the program stays writable.
; Built by scripts/package.sh, which passes PRODUCT, VERSION, FILE_VERSION and
; PUBLISHER (read from the program's version resource), EXE, ICON, OUTFILE and
; IDS, the ids and names the program is built with (resource_ids.h).

Target amd64-unicode
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh
!include Win\WinNT.nsh

; The main window's title and class, the tray's Shutdown command and the
; registry names, as the program itself has them.
!searchparse /file "${IDS}" '#define MAIN_WINDOW_TITLE "' MAIN_TITLE '"'
!searchparse /file "${IDS}" '#define MAIN_WINDOW_CLASS "' MAIN_CLASS '"'
!searchparse /file "${IDS}" '#define ID_TRAY_SHUTDOWN ' SHUTDOWN_COMMAND
!searchparse /file "${IDS}" '#define RUN_VALUE_NAME "' RUN_VALUE '"'
!searchparse /file "${IDS}" '#define OPTIONS_KEY_PATH "' OPTIONS_KEY_ESCAPED '"'
!searchreplace OPTIONS_KEY "${OPTIONS_KEY_ESCAPED}" "\\" "\"
!searchparse "${OPTIONS_KEY}" "SOFTWARE\" VENDOR "\"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlane"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vorlane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The start-up registration comes first so that a copy started just after
; finds itself registered and keeps the registration when it ends.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Vorlane with Windows"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_FUNCTION RegisterStartup
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Start Vorlane now"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION StartVorlane

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishPageLeave
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.UserDataPage un.UserDataLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; Asks every running copy to shut down as its tray menu's Shutdown does: it
; saves its options on the way out (WM_CLOSE would only hide its window).
; Waits for each to end; one that does not is never killed. Found by class
; and title: another program's window may bear the title. An earlier
; version's main window was a plain dialog: such a window counts only when
; its program is the copy installed here.
!ifndef PROCESS_QUERY_LIMITED_INFORMATION
  !define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!endif
!macro DEFINE_CLOSE_VORLANE PREFIX
Function ${PREFIX}CloseVorlane
  next:
    System::Call 'user32::FindWindowW(w "${MAIN_CLASS}", w "${MAIN_TITLE}") p .r0'
    StrCmp $0 0 0 found
  earlier:
    System::Call 'user32::FindWindowExW(p 0, p r0, w "#32770", w "${MAIN_TITLE}") p .r0'
    StrCmp $0 0 done
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i r1) p .r2'
    StrCpy $4 ""
    System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r4, *i ${NSIS_MAX_STRLEN})'
    System::Call 'kernel32::CloseHandle(p r2)'
    StrCmp $4 "$INSTDIR\Vorlane.exe" found earlier
  found:
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    System::Call 'user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${SHUTDOWN_COMMAND}, p 0)'
    System::Call 'kernel32::WaitForSingleObject(p r2, i 20000) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
    StrCmp $3 0 next
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Vorlane is still running. Choose Shutdown in the menu of its notification-area icon, then Retry." \
      /SD IDCANCEL IDRETRY next
    Abort
  done:
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_VORLANE ""
!insertmacro DEFINE_CLOSE_VORLANE "un."

Section
  Call CloseVorlane
  SetOutPath "$INSTDIR"
  File "/oname=Vorlane.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vorlane.lnk" "$INSTDIR\Vorlane.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vorlane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The program's own files only: router.log grows with the user's data.
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function FinishPageShow
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ReadRegStr $1 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\Vorlane.exe"
  ${OrIf} $1 == "$INSTDIR\Vorlane.exe"
    ${NSD_Check} $mui.FinishPage.Run
  ${EndIf}
FunctionEnd

; The value the program itself writes: the exe's full path, no quotes.
Function RegisterStartup
  ; One registration only, or Vorlane would start twice at logon.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$INSTDIR\Vorlane.exe"
FunctionEnd

; Only a value that names this copy: another copy's registration stays.
!macro FORGET_STARTUP ROOT
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\Vorlane.exe"
    DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

; Unticked, the box drops this copy's registration (another copy's stays).
Function FinishPageLeave
  ${NSD_GetState} $mui.FinishPage.Run $0
  ${If} $0 <> ${BST_CHECKED}
    !insertmacro FORGET_STARTUP HKCU
    !insertmacro FORGET_STARTUP HKLM
  ${EndIf}
FunctionEnd

Function StartVorlane
  Exec '"$INSTDIR\Vorlane.exe"'
FunctionEnd

Var RemoveUserData
Var RemoveUserDataBox

Function un.UserDataPage
  !insertmacro MUI_HEADER_TEXT "Your settings and log" "Choose whether they go too."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "Vorlane keeps its options in the registry and the router's log in router.log beside the program. They stay unless you tick the box, so that a later install finds them again."
  Pop $0
  ${NSD_CreateCheckbox} 0 48u 100% 12u "Also remove my settings and router.log"
  Pop $RemoveUserDataBox
  nsDialogs::Show
FunctionEnd

Function un.UserDataLeave
  ${NSD_GetState} $RemoveUserDataBox $RemoveUserData
FunctionEnd

Section Uninstall
  Call un.CloseVorlane
  Delete "$INSTDIR\Vorlane.exe"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Vorlane.lnk"
  ; Earlier versions registered in the machine's Run key where they could.
  !insertmacro FORGET_STARTUP HKCU
  !insertmacro FORGET_STARTUP HKLM
  ${If} $RemoveUserData == ${BST_CHECKED}
    Delete "$INSTDIR\router.log"
    DeleteRegKey HKCU "${OPTIONS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${VENDOR}"
    DeleteRegKey HKLM "${OPTIONS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\${VENDOR}"
  ${EndIf}
  ; Only when empty: router.log or the user's intruder.wav may still be there.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
