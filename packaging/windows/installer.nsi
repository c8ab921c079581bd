; Morvelt's Windows installer, made by scripts/build-windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y.z> -DOUTFILE=<setup.exe>
;            -DFILES=<installed-files.nsh> -DPROGRAM=<running-mutex.nsh> installer.nsi
; FILES is made by the build from the staged folder: the macros that install
; and remove the program's files, the list of them, and their size. PROGRAM
; is made by CMake: the name of the mutex the program holds while it runs.
;
; released\ holds the list of files that each released version installed:
; an update removes what the version it finds no longer ships.
;
; It installs for the current user alone, into %LOCALAPPDATA%\Programs,
; so that a teacher without administrator rights can install it; makes a
; Start-menu entry and an uninstaller, and registers the uninstaller where
; Windows' "Apps" list finds it. /S installs and uninstalls silently.
;
; A teacher's own files are never removed: the uninstaller deletes the files
; the installer put, one by one, and a folder only when that leaves it empty.
; Installing again, over this version or an earlier one, updates the
; program where it is.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
!include StrFunc.nsh
${Using:StrFunc} StrStr
!include "${FILES}"
!include "${PROGRAM}"

!define APP "Morvelt"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${APP}"
VIAddVersionKey "FileDescription" "Installazione di Morvelt"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "2026 Morvelt"

; Modern UI's pages, in the language Windows speaks: Italian, or English for
; a Windows set to English; Italian for any other. The icon is the one the
; program carries.
!define MUI_ICON "../../resources/windows/morvelt.ico"
!define MUI_UNICON "../../resources/windows/morvelt.ico"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpdate
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\morvelt.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartMorvelt)"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "English"

LangString StartMorvelt ${LANG_ITALIAN} "Avvia Morvelt"
LangString StartMorvelt ${LANG_ENGLISH} "Start Morvelt"
LangString MorveltOpen ${LANG_ITALIAN} "Morvelt è aperto. Chiudi Morvelt, poi premi Riprova."
LangString MorveltOpen ${LANG_ENGLISH} "Morvelt is open. Close Morvelt, then press Retry."

; The folder of an earlier install, where the program still is; empty when
; there is none.
Var Installed

Function .onInit
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\morvelt.exe"
        StrCpy $Installed $0
    ${EndIf}
FunctionEnd

; An update lands where the program is: there is no folder to choose.
Function SkipFolderOnUpdate
    ${If} $Installed != ""
        Abort
    ${EndIf}
FunctionEnd

; Files of the program must never be replaced or removed under it. Morvelt
; holds RUNNING_MUTEX while it runs; silent, the installer and the uninstaller
; then end with status 2 and leave everything as it was.
!macro WAIT_UNTIL_CLOSED un
Function ${un}WaitUntilClosed
    again:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 != 0
        System::Call 'kernel32::CloseHandle(p r0)'
        ${If} ${Silent}
            SetErrorLevel 2
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MorveltOpen)" IDRETRY again
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

; The folder that was chosen, or given with /D=, is Morvelt's own when it is
; named Morvelt or already holds the program; any other is the teacher's,
; and Morvelt gets a folder of its own inside it.
Function UseOwnFolder
    StrCpy $0 $INSTDIR 1 -1
    ${If} $0 == "\"
        StrCpy $INSTDIR $INSTDIR -1
    ${EndIf}
    ${GetFileName} $INSTDIR $0
    ${If} $0 != "${APP}" ; compared without regard to case
    ${AndIfNot} ${FileExists} "$INSTDIR\morvelt.exe"
        StrCpy $INSTDIR "$INSTDIR\${APP}"
    ${EndIf}
FunctionEnd

; The version of the program in the folder, into $0, from its version
; resource: file version 1.1.0.0 is Morvelt 1.1.0. Morvelt 1.0.0 carried
; no resource.
Function InstalledVersion
    ClearErrors
    ${GetFileVersion} "$INSTDIR\morvelt.exe" $0
    ${If} ${Errors}
        StrCpy $0 "1.0.0"
    ${Else}
        StrCpy $0 $0 -2 ; the fourth number, always 0
    ${EndIf}
FunctionEnd

; What the program found in the folder installed, kept aside before this
; version's list replaces the folder's: the folder's own list (Morvelt 1.0.0
; left none), and the list of the version found, when it was released.
; Both are read, as a build between releases may have shipped other files
; than its version's release.
Function KeepEarlierList
    InitPluginsDir
    ${IfNot} ${FileExists} "$INSTDIR\morvelt.exe"
        Return
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\${LIST}"
        CopyFiles /SILENT "$INSTDIR\${LIST}" "$PLUGINSDIR\earlier.txt"
    ${EndIf}
    SetOutPath "$PLUGINSDIR\released"
    File "released\*.txt"
    Call InstalledVersion
    ${If} ${FileExists} "$PLUGINSDIR\released\$0.txt"
        CopyFiles /SILENT "$PLUGINSDIR\released\$0.txt" "$PLUGINSDIR\released.txt"
    ${EndIf}
FunctionEnd

; $R1 is on this version's list: $R2 is 1, or else 0.
Function IsListed
    StrCpy $R2 0
    FileOpen $R3 "$INSTDIR\${LIST}" r
    ${Do}
        ClearErrors
        FileRead $R3 $R4
        ${If} ${Errors}
            ${Break}
        ${EndIf}
        ${TrimNewLines} $R4 $R4
        ${If} $R4 == $R1
            StrCpy $R2 1
            ${Break}
        ${EndIf}
    ${Loop}
    FileClose $R3
FunctionEnd

; What an earlier version installed, by the list in $R0, and this one does
; not ship: removed file by file, and its folders when they are left empty.
; An entry that is not a plain path inside the folder is not touched.
Function RemoveEarlierLeftovers
    ${IfNot} ${FileExists} $R0
        Return
    ${EndIf}
    FileOpen $R0 $R0 r
    ${Do}
        ClearErrors
        FileRead $R0 $R1
        ${If} ${Errors}
            ${Break}
        ${EndIf}
        ${TrimNewLines} $R1 $R1
        StrCpy $R5 $R1 1
        ${StrStr} $R6 $R1 ".."
        ${StrStr} $R7 $R1 ":"
        ${StrStr} $R8 $R1 "*"
        ${StrStr} $R9 $R1 "?"
        ${If} $R1 == ""
        ${OrIf} $R5 == "\"
        ${OrIf} "$R6$R7$R8$R9" != ""
            ${Continue}
        ${EndIf}
        Call IsListed
        ${If} $R2 == 0
            Delete "$INSTDIR\$R1"
            ${GetParent} $R1 $R1
            ${DoWhile} $R1 != ""
                RMDir "$INSTDIR\$R1"
                ${GetParent} $R1 $R1
            ${Loop}
        ${EndIf}
    ${Loop}
    FileClose $R0
FunctionEnd

Section "Install"
    SetShellVarContext current
    Call WaitUntilClosed
    ${If} $Installed != ""
        StrCpy $INSTDIR $Installed
    ${Else}
        Call UseOwnFolder
    ${EndIf}
    Call KeepEarlierList
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    StrCpy $R0 "$PLUGINSDIR\earlier.txt"
    Call RemoveEarlierLeftovers
    StrCpy $R0 "$PLUGINSDIR\released.txt"
    Call RemoveEarlierLeftovers
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\morvelt.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morvelt.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.WaitUntilClosed
    Delete "$SMPROGRAMS\${APP}.lnk"
    !insertmacro RemoveFiles
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
