; Norvex's installer. tools/package.sh builds it with makensis and these defines:
;   VERSION   the program's version (2.0.0)
;   STAGE     the folder holding exactly what ships (Norvex.exe, Language\, LICENSE.txt, README.txt, ...)
;   FILES     an include file, written from STAGE, with the macros NorvexInstallFiles and NorvexRemoveFiles
;   ICON      the program icon
;   OUTFILE   the installer to write
;   SIGN      optional: a command that signs the file named after it in place (for the uninstaller)
; Silent use: Norvex-<version>-setup.exe /S [/DESKTOP] [/AUTOSTART] [/D=folder] (/D last, a folder under Program
; Files); Uninstall.exe /S keeps the Settings folder.

Unicode true
; Debian's makensis builds a 32-bit installer by default; the program is 64-bit only, and so is the installer.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinVer.nsh
!include WinMessages.nsh
!include Sections.nsh
!include WordFunc.nsh
!include "${__FILEDIR__}/XmlText.nsh"

!define PRODUCT "Norvex"
!define PUBLISHER "The Norvex authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvex"
!define TASK_NAME "Norvex"
; The main window's class: a running Norvex is asked to close (it saves its settings) before its files are replaced.
!define MAIN_WINDOW_CLASS "TGUI_Form"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Norvex"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!ifdef SIGN
!uninstfinalize '${SIGN} "%1"'
!endif

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 the Norvex authors. MIT License."

!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseFolderOthersMayChange
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Options"
!define MUI_PAGE_HEADER_SUBTEXT "Shortcuts, and starting Norvex when you sign in."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Norvex keeps its profiles in the Settings folder beside it; installing over an earlier installation keeps them."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "Choose:"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Norvex.exe"
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "Uninstall Norvex"
!define MUI_PAGE_HEADER_SUBTEXT "Your profiles stay unless you choose to remove them."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Norvex will be removed from $INSTDIR. Your profiles (the Settings folder) are kept for a later installation unless you tick the box."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "Choose:"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideSpaceRequired
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; An uninstall needs no space: the page's "Space required" line would only puzzle.
Function un.HideSpaceRequired
    FindWindow $0 "#32770" "" $HWNDPARENT
    GetDlgItem $0 $0 1023
    ShowWindow $0 ${SW_HIDE}
FunctionEnd

; Asks a running Norvex to close, as its own Exit does, and waits up to ten seconds for it to go. Norvex stays open
; while one of its dialogs is: then the user is asked to close it (a silent run gives up, with exit code 2).
; Norvex runs as administrator: whoever may change its folder may run anything as administrator. A folder under
; Program Files is one only administrators may change; anywhere else (a folder made under C:\ is open to every user)
; it is refused, rather than its rights taken over: the folder may be an existing one that holds other things, and
; the rights of a folder named with /D may reach far (a drive's root). A folder under Program Files names no "..".
Function RefuseFolderOthersMayChange
    StrLen $0 "$PROGRAMFILES64\"
    StrCpy $1 $INSTDIR $0
    StrCpy $2 $INSTDIR "" $0
    ClearErrors
    ${WordFind} "$INSTDIR" ".." "E#" $3
    ${If} $1 == "$PROGRAMFILES64\"
    ${AndIf} $2 != ""
    ${AndIf} ${Errors}
        Return
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "Norvex runs with administrator rights, so it must lie where only administrators can change its files. Choose a folder under $PROGRAMFILES64 (the profiles of an earlier installation elsewhere are in its Settings folder: copy it into the new folder).$\r$\n$\r$\nFor another place, unpack the ZIP of this version there, in a folder only administrators may change." /SD IDOK
    ${IfNot} ${Silent}
        Abort ; back to the folder page
    ${EndIf}
    SetErrorLevel 2
    Quit
FunctionEnd

!macro CloseRunningNorvex UN
Function ${UN}CloseRunningNorvex
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 = 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Norvex is running. Click OK to close it (it saves its settings first) and go on." /SD IDOK IDOK close
    Abort
close:
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
        FindWindow $0 "${MAIN_WINDOW_CLASS}"
        ${If} $0 = 0
            ; The window is gone a moment before the process and its hold on Norvex.exe.
            Sleep 500
            Return
        ${EndIf}
        ${If} $1 >= 100
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Norvex is still open, perhaps with one of its windows showing. Close it, then click Retry." /SD IDCANCEL IDRETRY close
            Abort
        ${EndIf}
        Sleep 100
        IntOp $1 $1 + 1
    ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningNorvex ""
!insertmacro CloseRunningNorvex "un."

Section "-Program" SecProgram
    SetShellVarContext all
    ; A silent install never saw the folder page.
    Call RefuseFolderOthersMayChange
    Call CloseRunningNorvex
    ; Nothing here touches $INSTDIR\Settings: an installation over an earlier one keeps its profiles.
    !insertmacro NorvexInstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    SetRegView 64
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\Norvex.exe$\",0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SecProgram} $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; A shortcut starts in the folder that is the output folder when it is made: the program's.
Section "Start-menu shortcut" SecStartMenu
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Norvex.lnk" "$INSTDIR\Norvex.exe"
SectionEnd

Section /o "Desktop shortcut" SecDesktop
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\Norvex.lnk" "$INSTDIR\Norvex.exe"
SectionEnd

; Windows does not elevate programs started from the Run key, and Norvex needs administrator rights: a scheduled
; task started at sign-in with the highest rights does it without a prompt. Written as XML because tasks made by
; schtasks' own switches do not start on battery and are stopped after three days.
Section /o "Start Norvex when I sign in" SecAutostart
    InitPluginsDir
    ReadEnvStr $1 USERNAME
    ReadEnvStr $2 USERDOMAIN
    ${If} $2 != ""
        StrCpy $1 "$2\$1"
    ${EndIf}
    ; Both go into XML: a folder named "Tools & more" would otherwise end the task file.
    Push $1
    Call XmlText
    Pop $1
    Push $INSTDIR
    Call XmlText
    Pop $3
    FileOpen $0 "$PLUGINSDIR\NorvexTask.xml" w
    FileWriteUTF16LE /BOM $0 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
    FileWriteUTF16LE $0 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
    FileWriteUTF16LE $0 '  <RegistrationInfo><Author>${PUBLISHER}</Author><Description>Starts Norvex when $1 signs in.</Description></RegistrationInfo>$\r$\n'
    FileWriteUTF16LE $0 '  <Triggers><LogonTrigger><Enabled>true</Enabled><UserId>$1</UserId></LogonTrigger></Triggers>$\r$\n'
    FileWriteUTF16LE $0 '  <Principals><Principal id="Author"><UserId>$1</UserId><LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel></Principal></Principals>$\r$\n'
    FileWriteUTF16LE $0 '  <Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries><StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>4</Priority></Settings>$\r$\n'
    FileWriteUTF16LE $0 '  <Actions Context="Author"><Exec><Command>"$3\Norvex.exe"</Command><WorkingDirectory>$3</WorkingDirectory></Exec></Actions>$\r$\n'
    FileWriteUTF16LE $0 '</Task>$\r$\n'
    FileClose $0
    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /Create /TN "${TASK_NAME}" /XML "$PLUGINSDIR\NorvexTask.xml" /F'
    Pop $0
    ${If} $0 != 0
        DetailPrint "The sign-in task could not be made (schtasks: $0)."
    ${EndIf}
SectionEnd

; What is not chosen this time is taken away: the options page shows the earlier installation's choices.
Section "-Options not chosen"
    SetShellVarContext all
    ${IfNot} ${SectionIsSelected} ${SecStartMenu}
        Delete "$SMPROGRAMS\Norvex.lnk"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecDesktop}
        Delete "$DESKTOP\Norvex.lnk"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${TASK_NAME}" /F'
        Pop $0
    ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
!insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} "Norvex in the Start menu, for all users."
!insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "Norvex on the desktop, for all users."
!insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Starts Norvex with administrator rights, without a prompt, when you sign in (a scheduled task)."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    StrCpy $0 ""
    ${IfNot} ${AtLeastWin7}
        StrCpy $0 "too old"
    ${ElseIf} ${IsWin7}
    ${AndIfNot} ${AtLeastServicePack} 1
        StrCpy $0 "too old"
    ${EndIf}
    ${If} $0 != ""
        MessageBox MB_OK|MB_ICONSTOP "Norvex needs 64-bit Windows 7 SP1 or later." /SD IDOK
        Abort
    ${EndIf}
    SetShellVarContext all
    SetRegView 64
    ; Over an earlier installation, the options start as they were chosen then.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallString"
    ${If} $0 != ""
    ${AndIfNot} ${FileExists} "$SMPROGRAMS\Norvex.lnk"
        !insertmacro UnselectSection ${SecStartMenu}
    ${EndIf}
    ${If} ${FileExists} "$DESKTOP\Norvex.lnk"
        !insertmacro SelectSection ${SecDesktop}
    ${EndIf}
    ; Windows keeps each task's definition in this file; schtasks /Query is no help under Wine, which answers 0.
    ${If} ${FileExists} "$SYSDIR\Tasks\${TASK_NAME}"
        !insertmacro SelectSection ${SecAutostart}
    ${EndIf}
    ; For installing without questions: /DESKTOP and /AUTOSTART choose those options.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/DESKTOP" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecDesktop}
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecAutostart}
    ${EndIf}
FunctionEnd

Section "-un.Program"
    SetShellVarContext all
    Call un.CloseRunningNorvex
    nsExec::Exec '"$SYSDIR\schtasks.exe" /Delete /TN "${TASK_NAME}" /F'
    Pop $0
    Delete "$SMPROGRAMS\Norvex.lnk"
    Delete "$DESKTOP\Norvex.lnk"
    !insertmacro NorvexRemoveFiles
    Delete "$INSTDIR\Uninstall.exe"
    SetRegView 64
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Also remove my profiles (the Settings folder)" SecRemoveProfiles
    RMDir /r "$INSTDIR\Settings"
SectionEnd

Section "-un.Folder"
    ; Only when empty: a kept Settings folder keeps the folder.
    RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
!insertmacro MUI_DESCRIPTION_TEXT ${SecRemoveProfiles} "Deletes every profile and window setting of Norvex in $INSTDIR\Settings."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
