; Setup program of Shirl for Windows, built by tools/package-windows.sh:
;   makensis -DVERSION=7.1.0.1 -DSTAGE=<folder with the files> -DICON=<shirl.ico>
;            -DOUTFILE=<Shirl-7.1.0.1-setup.exe> shirl.nsi
;
; Installs for the current user without administrator rights by default
; (%LOCALAPPDATA%\Programs\Shirl, HKCU), for all users when chosen on the
; second page or with /AllUsers (Program Files, HKLM; asks for administrator
; rights when it lacks them). /CurrentUser forces the default, /S runs
; silently, /D=FOLDER (last on the command line) sets the folder.
; A second run over an earlier install upgrades it in place: same mode, same
; folder. Adds a Start-menu shortcut and an Apps & features entry with the
; version and the uninstaller (uninstall.exe, /S for a silent removal).

Unicode true
!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "makensis -DVERSION=x.y.z.w -DSTAGE=dir -DICON=file.ico -DOUTFILE=setup.exe shirl.nsi"
!endif

!define PRODUCT "Shirl"
!define PUBLISHER "Shirl developers"
!define ENTRIES_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${ENTRIES_KEY}\Shirl"
; "Open with Shirl" for ADIF logs: a file type of Shirl's own that the
; extensions list among their choices, never as their default program.
!define CLASSES "Software\Classes"
!define PROG_ID "Shirl.adif"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}. MIT License"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Shirl.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Shirl"

Var AllUsers       ; 1: for everyone (Program Files, HKLM); 0: for the current user
Var Upgrade        ; 1: an earlier install is updated in its folder
Var FolderGiven    ; 1: the folder came from /D= or an earlier install
Var ModeGiven      ; 1: /AllUsers or /CurrentUser chose the mode
Var RadioUser
Var RadioAll

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpgrading
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; IsAdmin: pushes 1 when the process runs with administrator rights, else 0.
!macro IS_ADMIN_FUNCTION prefix
Function ${prefix}IsAdmin
  Push $0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd
!macroend
!insertmacro IS_ADMIN_FUNCTION ""
!insertmacro IS_ADMIN_FUNCTION "un."

; Applies $AllUsers: shell folders and SHCTX (HKLM or HKCU), and the default
; folder unless the folder was given.
Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${IfNot} $FolderGiven == 1
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${IfNot} $FolderGiven == 1
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Starts this setup program again with administrator rights for an install
; for all users, waits for it and ends this one.
Function RestartAsAdmin
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${If} ${Errors}
    StrCpy $0 "/AllUsers $0"
  ${EndIf}
  ${If} ${Silent}
    ClearErrors
    ${GetOptions} $0 "/S" $1
    ${If} ${Errors}
      StrCpy $0 "/S $0"
    ${EndIf}
  ${EndIf}
  ExecShellWait "runas" "$EXEPATH" "$0"
  Quit
FunctionEnd

Function .onInit
  StrCpy $Upgrade 0
  StrCpy $FolderGiven 0
  StrCpy $AllUsers ""
  StrCpy $ModeGiven 0
  ${If} $INSTDIR != ""      ; /D=FOLDER
    StrCpy $FolderGiven 1
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeGiven 1
  ${EndIf}

  ; An earlier install of the chosen mode (or of either, the current user's
  ; first, when none was chosen) is upgraded in its own folder.
  ${If} $AllUsers != 1
    ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R2 != ""
      StrCpy $AllUsers 0
      StrCpy $Upgrade 1
    ${EndIf}
  ${EndIf}
  ${If} $Upgrade == 0
  ${AndIf} $AllUsers != 0
    ReadRegStr $R2 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R2 != ""
      StrCpy $AllUsers 1
      StrCpy $Upgrade 1
    ${EndIf}
  ${EndIf}
  ${If} $Upgrade == 1
  ${AndIf} $FolderGiven == 0
    StrCpy $INSTDIR $R2
    StrCpy $FolderGiven 1
  ${EndIf}
  ${If} $AllUsers == ""
    StrCpy $AllUsers 0
  ${EndIf}

  ${If} $AllUsers == 1
    Call IsAdmin
    Pop $R3
    ${If} $R3 == 0
      Call RestartAsAdmin
    ${EndIf}
  ${EndIf}
  Call ApplyMode
FunctionEnd

; The page "Install for": just me (no administrator rights needed) or
; everyone. Not shown when upgrading or when the command line chose.
Function ModePage
  ${If} $Upgrade == 1
  ${OrIf} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Install for" "Choose who may use ${PRODUCT} on this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 10u 100% 12u "&Just for me (no administrator rights needed)"
  Pop $RadioUser
  ${NSD_CreateRadioButton} 0 30u 100% 12u "For &everyone on this computer (needs administrator rights)"
  Pop $RadioAll
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioAll
  ${Else}
    ${NSD_Check} $RadioUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioAll $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
    Call IsAdmin
    Pop $1
    ${If} $1 == 0
      HideWindow
      Call RestartAsAdmin
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

Function SkipWhenUpgrading
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
FunctionEnd

Section "Shirl"
  ; The outermost folder that this install makes for $INSTDIR, so that the
  ; uninstaller removes the folders it made and no other. An upgrade keeps
  ; what the first install made.
  ReadRegStr $3 SHCTX "${UNINSTALL_KEY}" "MadeFolder"
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $4 "$INSTDIR"
    ${DoUntil} ${FileExists} "$4\*.*"
      StrCpy $3 $4
      ${GetParent} $4 $4
      ${If} $4 == ""
        ${ExitDo}
      ${EndIf}
    ${Loop}
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "${STAGE}\Shirl.exe"
  File "${STAGE}\shirl-cli.exe"
  File "${STAGE}\guide.html"
  File /nonfatal "${STAGE}\shirl.html"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Shirl.exe" "" "$INSTDIR\Shirl.exe" 0

  ; Open with: Shirl's file type, and .adi and .adif offering it. The
  ; extensions' default program stays whatever it was.
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}" "" "ADIF log"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\Shirl.exe,0"
  WriteRegStr SHCTX "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\Shirl.exe" "%1"'
  WriteRegStr SHCTX "${CLASSES}\Applications\Shirl.exe\shell\open\command" "" '"$INSTDIR\Shirl.exe" "%1"'
  WriteRegStr SHCTX "${CLASSES}\Applications\Shirl.exe\SupportedTypes" ".adi" ""
  WriteRegStr SHCTX "${CLASSES}\Applications\Shirl.exe\SupportedTypes" ".adif" ""
  WriteRegStr SHCTX "${CLASSES}\.adi\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr SHCTX "${CLASSES}\.adif\OpenWithProgids" "${PROG_ID}" ""
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED

  ; The Apps & features entry (HKLM for everyone, HKCU for the current user).
  ${If} $AllUsers == 1
    StrCpy $0 '"$INSTDIR\uninstall.exe" /AllUsers'
  ${Else}
    StrCpy $0 '"$INSTDIR\uninstall.exe"'
  ${EndIf}
  ; Whether this install made the key that holds the entries (a new
  ; profile has none), so that the uninstaller removes it only then. An
  ; upgrade keeps what the first install found.
  ClearErrors
  ReadRegDWORD $1 SHCTX "${UNINSTALL_KEY}" "MadeEntriesKey"
  ${If} ${Errors}
    ClearErrors
    EnumRegKey $2 SHCTX "${ENTRIES_KEY}" 0
    ${If} ${Errors}
      StrCpy $1 1
    ${Else}
      StrCpy $1 0
    ${EndIf}
  ${EndIf}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeEntriesKey" $1
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "MadeFolder" "$3"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Shirl.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$0 /S"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$1"
SectionEnd

Function un.onInit
  ; All users when asked for, or when only the machine-wide entry names this folder.
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${Else}
    ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R3 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R2 != "$INSTDIR"
    ${AndIf} $R3 == "$INSTDIR"
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  ${If} $AllUsers == 1
    Call un.IsAdmin
    Pop $R4
    ${If} $R4 == 0
      StrCpy $R5 '/AllUsers _?=$INSTDIR'
      ${If} ${Silent}
        StrCpy $R5 '/S $R5'
      ${EndIf}
      ExecShellWait "runas" "$EXEPATH" "$R5"
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; Exactly the files the install section puts there.
  Delete "$INSTDIR\Shirl.exe"
  Delete "$INSTDIR\shirl-cli.exe"
  Delete "$INSTDIR\guide.html"
  Delete "$INSTDIR\shirl.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only empty folders go, and only those the install made: files of the
  ; user's own stay where they are.
  RMDir "$INSTDIR"
  ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "MadeFolder"
  StrCpy $2 "$INSTDIR"
  ${If} $1 != ""
    ${Do}
      ${If} $2 == $1
      ${OrIf} $2 == ""
        ${ExitDo}
      ${EndIf}
      ${GetParent} $2 $2
      RMDir $2
    ${Loop}
  ${EndIf}
  ; Open with: only what the install wrote; keys that others use stay.
  DeleteRegKey SHCTX "${CLASSES}\${PROG_ID}"
  DeleteRegKey SHCTX "${CLASSES}\Applications\Shirl.exe"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\Applications"
  DeleteRegValue SHCTX "${CLASSES}\.adi\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.adi\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.adi"
  DeleteRegValue SHCTX "${CLASSES}\.adif\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.adif\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.adif"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "MadeEntriesKey"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $0 == 1
    DeleteRegKey /ifempty SHCTX "${ENTRIES_KEY}"
  ${EndIf}
SectionEnd
