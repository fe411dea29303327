; The 64-bit installer of Velmora Lumetra. Built by scripts/package.sh, which
; stages the product folder and passes:
;   VERSION     product version, e.g. 5.5.0
;   OUTFILE     the setup program to write
;   FILES       an include file of SetOutPath/File lines for the staged files
;   UNFILES     an include file of Delete/RMDir lines for the same files
;   SIZE_KB     installed size, for Add/Remove Programs
;   ICON        (optional) the program's icon, used for setup and uninstaller
;
; Per-machine install: the program counts as installed (settings in the
; user's application data) only when it lies under the program-files folder,
; which needs administrator rights to write.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Velmora Lumetra"
!define PUBLISHER "Velmora"
!define PRODUCT_KEY "Software\Velmora\Lumetra"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora Lumetra"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora\Lumetra"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Lumetra.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Manual\index.html"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit edition of Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Program" SecProgram
  SectionIn RO
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut's working folder is the program folder: the program opens
  ; its manual by the relative path Manual\index.html.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Lumetra.exe" "" "$INSTDIR\Lumetra.exe" 0

  ; The install day, from which the program counts the days it reports in
  ; its web links. The machine-wide value serves every user; the installing
  ; user's own value is read first.
  ${GetTime} "" "L" $0 $1 $2 $3 $4 $5 $6
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDate" "$2-$1-$0"
  WriteRegStr HKCU "${PRODUCT_KEY}" "InstallDate" "$2-$1-$0"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumetra.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A running program keeps its file locked: removing the rest around it would
; leave a stray program behind an uninstalled entry.
Function un.WaitUntilClosed
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Lumetra.exe"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\Lumetra.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Please close ${PRODUCT}, then choose Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilClosed

  ; The program's own farewell: it opens the maker's uninstall page and ends
  ; at once. A silent uninstall runs unattended, so no browser is opened.
  ${IfNot} ${Silent}
    ExecWait '"$INSTDIR\Lumetra.exe" /uninstall'
  ${EndIf}

  Delete "${SHORTCUT}"
  ; Only the files this installer put there: anything the user added to the
  ; folder stays, and so does the folder then.
  !include "${UNFILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The maker's folder too, when it was ours and is empty now.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} "$0" $1
  ${If} $1 == "Velmora"
    RMDir "$0"
  ${EndIf}

  ; The settings in each user's application data are the user's and stay.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${PRODUCT_KEY}" "InstallDate"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Velmora"
  DeleteRegValue HKCU "${PRODUCT_KEY}" "InstallDate"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Velmora"
SectionEnd
