; The setup program of the Veltrano client: installs the configuration program, the
; agent (Orvanta.exe) and the files they read into one folder, registers the agent,
; makes the machine start it the way the user chose (the same two settings the options
; page reads and writes: the Run value "Veltrano", or the service "Veltrano"), and
; writes an uninstaller that undoes all of it but keeps the agent's data folder unless
; asked. Installing over an installed copy upgrades it in place.
;
; Nothing is written into the install folder after the setup program: the agent keeps
; its data in the common application data folder (which -RegServer prepares for every
; user, taking over the folder an earlier version kept beside the agent), and the
; program its domain list in the user's own folders.
;
; Built by installer/CMakeLists.txt with makensis, which defines:
;   VERSION    the product version, x.y.z
;   OUTFILE    the setup program to write
;   FILES      the generated list of the shipped files (InstallFiles / RemoveFiles)
;   AGENT_EXE  the built agent, also run from the temporary folder before copying
;   ASSETS     the folder with the icon and the wizard pictures
;
; Silent use (for administrators):
;   setup.exe /S [/AUTORUN=0|1] [/SERVICE=0|1] [/D=C:\folder with blanks]
;   Uninstall.exe /S [/REMOVEDATA]
; The uninstaller hands over to a copy of itself and ends at once, so that the copy can
; delete it and the folder. Run in place with "_?=<install folder>" (last, unquoted) it
; does the work itself and its caller can wait for it, but it cannot delete itself:
; the caller deletes Uninstall.exe and the folder afterwards.
;   Uninstall.exe /S [/REMOVEDATA] _?=C:\folder with blanks
; The setup program of a later version runs it in place with /UPGRADE: it then removes
; only the files it installed, and leaves everything else to that setup program.

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!include "${FILES}"

!define AGENT "Orvanta.exe"
!define PROGRAM "VTUserCnfg.exe"
!define UNINSTALLER "Uninstall.exe"
; The agent's data, below the common application data folder ($APPDATA for all users).
!define DATA_PARENT "Veltrano"
!define DATA_DIR "Veltrano\OrvantaData"
; Earlier versions kept the agent's data beside it and the program's domain list file
; in the install folder; -RegServer moves the data, the uninstaller removes the file.
!define LEGACY_DATA_DIR "OrvantaData"
!define DOMAIN_LIST "TDNL.kvf"
!define MAIN_CLASS "TCnfgMain"
!define AGENT_NAME "Veltrano"
!define PRODUCT_KEY "SOFTWARE\Tavrinel\Veltrano"
!define VENDOR_KEY "SOFTWARE\Tavrinel"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define UNINST_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Veltrano"
!define MENU_FOLDER "Veltrano"
; The program's own title (its window caption), also the shortcut's name.
!define SHORTCUT "维特兰诺用户管理.lnk"

Name "$(ProductName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Veltrano"
BrandingText "Veltrano ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

; ---- look ----
!define MUI_ICON "${ASSETS}/VTUserCnfg.ico"
!define MUI_UNICON "${ASSETS}/VTUserCnfg.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ASSETS}/SetupWizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ASSETS}/SetupWizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${ASSETS}/SetupHeader.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${ASSETS}/SetupHeader.bmp"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

; ---- pages ----
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
Page custom StartUpPage StartUpPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunProgram)"
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the system's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!include "Texts.nsh"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Veltrano"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "Tavrinel"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Veltrano 动态域名客户端安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Tavrinel"

; ---- state ----
Var Upgrade        ; 1 when an installed copy is upgraded in place
Var FilesOnly      ; uninstaller: 1 with /UPGRADE (only the installed files go)
Var AutoRun        ; 1: the agent starts with the system
Var RunAsService   ; 1: ... as the Windows service (implies AutoRun)
Var chkAutoRun
Var chkService

!include "CloseProgram.nsh"
!insertmacro CLOSE_PROGRAM_FUNCTION ""
!insertmacro CLOSE_PROGRAM_FUNCTION "un."

; ---- the service, through the service manager ----

; Opens the service manager into $1 and the service into $2 with the access given
; (both 0 when either fails to open).
!macro OPEN_SERVICE ACCESS
  System::Call 'advapi32::OpenSCManagerW(p 0, p 0, i 0x0001) p.r1'
  StrCpy $2 0
  ${If} $1 P<> 0
    System::Call 'advapi32::OpenServiceW(p r1, w "${AGENT_NAME}", i ${ACCESS}) p.r2'
  ${EndIf}
!macroend
!macro CLOSE_SERVICE
  ${If} $2 P<> 0
    System::Call 'advapi32::CloseServiceHandle(p r2)'
  ${EndIf}
  ${If} $1 P<> 0
    System::Call 'advapi32::CloseServiceHandle(p r1)'
  ${EndIf}
!macroend

; Stops the service, if there is one, and waits up to 10 s until it has stopped. The
; service stays installed, so what an administrator set on it outlives an upgrade.
Function StopService
  !insertmacro OPEN_SERVICE 0x0024  ; SERVICE_STOP | SERVICE_QUERY_STATUS
  ${If} $2 P<> 0
    System::Alloc 28  ; SERVICE_STATUS
    Pop $3
    System::Call 'advapi32::ControlService(p r2, i 1, p r3)'
    ${For} $4 1 100
      System::Call 'advapi32::QueryServiceStatus(p r2, p r3) i.r5'
      System::Call '*$3(i, i .r6)'
      ${If} $5 == 0
      ${OrIf} $6 == 1  ; SERVICE_STOPPED
        ${Break}
      ${EndIf}
      Sleep 100
    ${Next}
    System::Free $3
  ${EndIf}
  !insertmacro CLOSE_SERVICE
FunctionEnd

Function StartService
  !insertmacro OPEN_SERVICE 0x0010  ; SERVICE_START
  ${If} $2 P<> 0
    System::Call 'advapi32::StartServiceW(p r2, i 0, p 0)'
  ${EndIf}
  !insertmacro CLOSE_SERVICE
FunctionEnd

; ---- start-up choices ----

; What the machine does now, read as the options page reads it: the service counts as
; start-up; otherwise the Run value does.
Function ReadStartUpState
  StrCpy $RunAsService 0
  StrCpy $AutoRun 0
  !insertmacro OPEN_SERVICE 0x0004  ; SERVICE_QUERY_STATUS
  ${If} $2 P<> 0
    StrCpy $RunAsService 1
  ${EndIf}
  !insertmacro CLOSE_SERVICE
  ReadRegStr $0 HKLM "${RUN_KEY}" "${AGENT_NAME}"
  ${If} $RunAsService == 1
  ${OrIf} $0 != ""
    StrCpy $AutoRun 1
  ${EndIf}
FunctionEnd

; Reads a 0/1 switch from the command line in $R0: $R1 the value, $R2 1 when given.
; Any other value ends the setup program with exit code 2.
!macro READ_SWITCH NAME
  ClearErrors
  ${GetOptions} $R0 "/${NAME}=" $R1
  ${If} ${Errors}
    StrCpy $R2 0
  ${ElseIf} $R1 == "0"
  ${OrIf} $R1 == "1"
    StrCpy $R2 1
  ${Else}
    StrCpy $R3 "/${NAME}=$R1"
    MessageBox MB_ICONSTOP "$(BadSwitch)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

; The command line's choices over the defaults: /SERVICE=1 means start-up as well,
; /AUTORUN=0 means no service; both together contradict each other.
Function ReadSwitches
  ${GetParameters} $R0
  !insertmacro READ_SWITCH AUTORUN
  StrCpy $R4 $R1
  StrCpy $R5 $R2
  !insertmacro READ_SWITCH SERVICE
  ${If} $R5 == 1
  ${AndIf} $R2 == 1
  ${AndIf} $R4 == 0
  ${AndIf} $R1 == 1
    StrCpy $R3 "/AUTORUN=0 /SERVICE=1"
    MessageBox MB_ICONSTOP "$(BadSwitch)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ${If} $R5 == 1
    StrCpy $AutoRun $R4
    ${If} $R4 == 0
      StrCpy $RunAsService 0
    ${EndIf}
  ${EndIf}
  ${If} $R2 == 1
    StrCpy $RunAsService $R1
    ${If} $R1 == 1
      StrCpy $AutoRun 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext all
  ; An installed copy is upgraded where it is, so its data folder stays with it.
  StrCpy $Upgrade 0
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
    StrCpy $Upgrade 1
    Call ReadStartUpState
  ${Else}
    StrCpy $AutoRun 1
    StrCpy $RunAsService 0
  ${EndIf}
  Call ReadSwitches
FunctionEnd

Function SkipOnUpgrade
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
FunctionEnd

; The same two boxes, with the same texts and the same rule, as the options page's
; background-service group: the service box only counts with start-up.
Function StartUpPage
  !insertmacro MUI_HEADER_TEXT "$(StartUpTitle)" "$(StartUpSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 36u "$(StartUpText)"
  Pop $0
  ${NSD_CreateCheckbox} 0 44u 100% 12u "$(AutoRunText)"
  Pop $chkAutoRun
  ${NSD_CreateCheckbox} 16u 62u 90% 12u "$(ServiceText)"
  Pop $chkService
  ${NSD_CreateLabel} 16u 78u 90% 24u "$(ServiceNote)"
  Pop $0
  ${If} $AutoRun == 1
    ${NSD_Check} $chkAutoRun
  ${EndIf}
  ${If} $RunAsService == 1
    ${NSD_Check} $chkService
  ${EndIf}
  Call SyncServiceBox
  ${NSD_OnClick} $chkAutoRun AutoRunClick
  nsDialogs::Show
FunctionEnd

Function SyncServiceBox
  ${NSD_GetState} $chkAutoRun $0
  ${If} $0 == ${BST_CHECKED}
    EnableWindow $chkService 1
  ${Else}
    ${NSD_Uncheck} $chkService
    EnableWindow $chkService 0
  ${EndIf}
FunctionEnd

Function AutoRunClick
  Pop $0
  Call SyncServiceBox
FunctionEnd

Function StartUpPageLeave
  ${NSD_GetState} $chkAutoRun $0
  ${NSD_GetState} $chkService $1
  StrCpy $AutoRun 0
  StrCpy $RunAsService 0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AutoRun 1
    ${If} $1 == ${BST_CHECKED}
      StrCpy $RunAsService 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Leaves the machine in the chosen state with the agent's own switches, as the options
; page does: -Install creates the service (or points the existing one at this folder)
; and removes the Run value, -AutoRun writes the Run value and removes the service,
; -NoAutoRun removes both. A service that cannot be installed falls back to the Run
; value, so the agent still starts with the system.
Function ApplyStartUp
  ${If} $RunAsService == 1
    ExecWait '"$INSTDIR\${AGENT}" -Install' $0
    ${If} $0 == 0
      Call StartService  ; running now, as after the next start of the system
      Return
    ${EndIf}
    DetailPrint "$(ServiceFailed)"
  ${EndIf}
  ${If} $AutoRun == 1
    ExecWait '"$INSTDIR\${AGENT}" -AutoRun'
  ${Else}
    ExecWait '"$INSTDIR\${AGENT}" -NoAutoRun'
  ${EndIf}
FunctionEnd

; Started in the user's local application data folder, as the shortcut starts it: the
; program keeps its domain list file in its working folder.
Function RunProgram
  ReadEnvStr $0 LOCALAPPDATA
  SetOutPath $0
  Exec '"$INSTDIR\${PROGRAM}"'
FunctionEnd

; ---- install ----

Section "-Install"
  SetShellVarContext all
  Call CloseProgram
  ; No agent may run while its files are replaced: the service is stopped, and the
  ; agent of this setup (from the temporary folder, so that a damaged or older copy
  ; does not matter) asks every other running agent to quit.
  Call StopService
  InitPluginsDir
  File "/oname=$PLUGINSDIR\${AGENT}" "${AGENT_EXE}"
  ExecWait '"$PLUGINSDIR\${AGENT}" -Quit'
  Delete "$PLUGINSDIR\${AGENT}"

  ; The installed version's own uninstaller knows which files it installed: it removes
  ; them, so that none this version no longer ships stays behind (and keeps the folder
  ; from being removed at the end). With /UPGRADE it leaves the service (and what an
  ; administrator set on it), the registration, the start-up choice, the entry and the
  ; data alone; an older one that does not know the switch removes all but the data,
  ; and the steps below put everything back from the choice read at the start. Run in
  ; place (_?=) so that ExecWait waits for it; it cannot delete itself then, and
  ; WriteUninstaller below replaces it.
  ${If} $Upgrade == 1
  ${AndIf} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S /UPGRADE _?=$INSTDIR'
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ExecWait '"$INSTDIR\${AGENT}" -RegServer' $0
  ${If} $0 != 0
    MessageBox MB_ICONSTOP "$(RegisterFailed)" /SD IDOK
    Abort "$(RegisterFailed)"
  ${EndIf}
  ; What -RegServer records as well; written here so it always names this folder.
  StrCpy $1 "$INSTDIR" 1 -1
  ${If} $1 == "\"
    WriteRegStr HKLM "${PRODUCT_KEY}" "Install Path" "$INSTDIR"
  ${Else}
    WriteRegStr HKLM "${PRODUCT_KEY}" "Install Path" "$INSTDIR\"
  ${EndIf}
  Call ApplyStartUp

  CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
  ; The shortcut's working folder, where the program keeps its domain list file: the
  ; user's own, never the read-only install folder (expanded for each user at start).
  StrCpy $OUTDIR "%LOCALAPPDATA%"
  CreateShortCut "$SMPROGRAMS\${MENU_FOLDER}\${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" \
                 "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL "" "$(ProductName)"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "$(ProductName)"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Tavrinel"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; ---- uninstall ----

Section "un.$(ProgramSection)" SecProgram
  SectionIn RO
  SetShellVarContext all
  ; For an upgrade the setup program has closed the program and ended the agents, and
  ; keeps the rest.
  ${If} $FilesOnly != 1
    Call un.CloseProgram
    ; The service stopped and removed, the other agents ended, the registration undone.
    ExecWait '"$INSTDIR\${AGENT}" -Uninstall'
    ExecWait '"$INSTDIR\${AGENT}" -Quit'
    DeleteRegValue HKLM "${RUN_KEY}" "${AGENT_NAME}"
    ExecWait '"$INSTDIR\${AGENT}" -UnregServer'
  ${EndIf}

  !insertmacro RemoveFiles
  Delete "$INSTDIR\${DOMAIN_LIST}"  ; left by an earlier version
  ${If} $FilesOnly == 1
    Return
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"  ; fails when run in place (_?=): the caller deletes it
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${SHORTCUT}"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"
  ; -UnregServer removes these too; an agent that could not run leaves them to us.
  DeleteRegValue HKLM "${PRODUCT_KEY}" "Install Path"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "${VENDOR_KEY}"
SectionEnd

Section /o "un.$(DataSection)" SecData
  RMDir /r "$APPDATA\${DATA_DIR}"
  RMDir "$APPDATA\${DATA_PARENT}"
  RMDir /r "$INSTDIR\${LEGACY_DATA_DIR}"  ; an earlier version's, if it could not be moved
SectionEnd

Section "-un.Finish"
  ${If} $FilesOnly == 1
    Return
  ${EndIf}
  ; Only when empty: anything the user put here stays.
  RMDir "$INSTDIR"
  ; Last, so that a caller waiting for the entry to go knows that all else is done.
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

; /REMOVEDATA chooses the data folder too (a silent run has no page to tick it on);
; /UPGRADE, from the setup program of a later version, never does.
Function un.onInit
  SetShellVarContext all
  ${un.GetParameters} $R0
  StrCpy $FilesOnly 0
  ClearErrors
  ${un.GetOptions} $R0 "/UPGRADE" $R1
  ${IfNot} ${Errors}
    StrCpy $FilesOnly 1
    Return
  ${EndIf}
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
