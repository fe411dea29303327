; The 64-bit installer of Velmora Lumetra. Built by scripts/package.sh, which
; stages the product folder and passes:
;   VERSION     product version, the CMake project's, e.g. 1.2.3
;   OUTFILE     the setup program to write
;   FILES       an include file of SetOutPath/File lines for the staged files
;   UNFILES     an include file of Delete/RMDir lines for the same files
;   SIZE_KB     installed size, for Add/Remove Programs
;   ICON        (optional) the program's icon, used for setup and uninstaller
;   SIGNER      (optional) a command that signs the file it is given in place:
;               the uninstaller before it is packed, then this installer
;
; Per-machine install: the marker file beside the program makes it count as
; installed wherever it lies (settings in each user's application data); a
; copy without it is portable unless it lies under the program-files folder.
;
; /STARTWITHWINDOWS ticks the finish page's Start with Windows box, or with /S
; carries it out.
;
; Exit codes with /S: 0 installed, 2 aborted, 3 a copy of the program still
; runs (in another user's session, or one that does not answer) and nothing
; was touched.

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
!define MARKER "Lumetra.installed"
!define EXIT_PROGRAM_RUNNING 3

; The running program's hidden window, and the hand-over message it takes
; from a second start; its wParam 1 asks it to save and end.
!define SHELL_CLASS "TLumetraProgramShell"
!define HANDOVER_MESSAGE "VelmoraLumetraHandOver"
!define HANDOVER_CLOSE 1
; A guide window, whose close request every version of the program answers
; by saving and ending.
!define OVERLAY_CLASS "TLumetraOverlay"
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define SYNCHRONIZE 0x00100000
; How long a copy may take to save and end once asked, and once more when
; asked the old way.
!define HANDOVER_WAIT_MS 3000
!define CLOSE_WAIT_MS 5000

Var ClosedCopies  ; copies this setup closed, started again once it is done
Var StartWithWindows  ; 1: the desktop user's copy is to start with Windows
Var StartWithWindowsBox  ; its check box on the finish page

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef SIGNER
  ; A signature that fails stops the build: no release goes out half signed.
  !uninstfinalize '"${SIGNER}" "%1"' = 0
  !finalize '"${SIGNER}" "%1"' = 0
!endif
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
; Without a program of its own: the function starts it as the desktop user.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Manual\index.html"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishPageLeave
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The finish page's own box, beside Modern UI's texts for its other two.
LangString StartWithWindowsText ${LANG_ENGLISH} "Start $(^NameDA) with &Windows"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit edition of Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTWITHWINDOWS" $1
  ${IfNot} ${Errors}
    StrCpy $StartWithWindows 1
  ${EndIf}
FunctionEnd

; The installer runs elevated, and whatever it starts itself would too: out
; of reach of Explorer's messages, with elevated browsers for the manual and
; the web pages, and, when another account gave the rights, with that
; account's profile. Explorer runs as the signed-in user without elevation,
; so the installer asks the desktop's own shell to start the program, as the
; system's shell automation allows (IShellDispatch2::ShellExecute on the
; desktop window's view: "How can I launch an unelevated process from my
; elevated process", The Old New Thing). It opens the shortcut, which starts
; the program in its own folder. Where no desktop shell answers (no Explorer,
; or a system without it), Explorer's own program is asked to open the
; shortcut instead.
!define CLSID_ShellWindows "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}"
!define IID_IShellWindows "{85CB6900-4D95-11CF-960C-0080C7F4EE85}"
!define IID_IServiceProvider "{6D5140C1-7436-11CE-8034-00AA006009FA}"
!define SID_STopLevelBrowser "{4C96BE40-915C-11CF-99D3-00AA004AE837}"
!define IID_IShellBrowser "{000214E2-0000-0000-C000-000000000046}"
!define IID_IDispatch "{00020400-0000-0000-C000-000000000046}"
!define IID_IShellFolderViewDual "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}"
!define IID_IShellDispatch2 "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}"
!define CLSCTX_LOCAL_SERVER 4
!define SWC_DESKTOP 8
!define SWFO_NEEDDISPATCH 1
!define SVGIO_BACKGROUND 0

; Calls method $index of the interface in $from, storing the interface it
; gives in $to; $to is 0 when $from is 0 or the call fails.
!macro ShellCall from index args to
  StrCpy ${to} 0
  ${If} ${from} P<> 0
    System::Call "${from}->${index}(${args}) i .s"
    Pop $R9
    ${If} $R9 <> 0
      StrCpy ${to} 0
    ${EndIf}
  ${EndIf}
!macroend

!macro ShellRelease interface
  ${If} ${interface} P<> 0
    System::Call "${interface}->2()"
  ${EndIf}
!macroend

!macro StartAsDesktopUserFunction UN
; Opens the shortcut given on the stack through the desktop's shell.
Function ${UN}StartAsDesktopUser
  Exch $0
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  Push $R9
  System::Call "ole32::CoInitialize(p 0)"
  System::Call "ole32::CoCreateInstance(g '${CLSID_ShellWindows}', p 0, i ${CLSCTX_LOCAL_SERVER}, \
                g '${IID_IShellWindows}', *p .R0) i .R9"
  ${If} $R9 <> 0
    StrCpy $R0 0
  ${EndIf}
  ; The desktop's location as a VARIANT (VT_I4 CSIDL_DESKTOP, that is 0), and
  ; an empty one.
  System::Alloc 24
  Pop $R6
  System::Call "*$R6(&i2 3)"
  System::Alloc 24
  Pop $R7
  StrCpy $R1 0
  ${If} $R0 P<> 0
    ; IShellWindows::FindWindowSW
    System::Call "$R0->15(p R6, p R7, i ${SWC_DESKTOP}, *i .R8, i ${SWFO_NEEDDISPATCH}, *p .R1) i .R9"
    StrCpy $R8 0
    ${If} $R9 <> 0
      StrCpy $R1 0
    ${EndIf}
  ${EndIf}
  StrCpy $R8 0  ; started
  !insertmacro ShellCall $R1 0 "g '${IID_IServiceProvider}', *p .R2" $R2  ; QueryInterface
  !insertmacro ShellCall $R2 3 "g '${SID_STopLevelBrowser}', g '${IID_IShellBrowser}', *p .R3" $R3  ; QueryService
  !insertmacro ShellCall $R3 15 "*p .R4" $R4  ; IShellBrowser::QueryActiveShellView
  !insertmacro ShellCall $R4 15 "i ${SVGIO_BACKGROUND}, g '${IID_IDispatch}', *p .R5" $R5  ; IShellView::GetItemObject
  !insertmacro ShellRelease $R1
  !insertmacro ShellRelease $R2
  !insertmacro ShellRelease $R3
  !insertmacro ShellRelease $R4
  !insertmacro ShellCall $R5 0 "g '${IID_IShellFolderViewDual}', *p .R1" $R1  ; QueryInterface
  !insertmacro ShellCall $R1 7 "*p .R2" $R2  ; IShellFolderViewDual::get_Application
  !insertmacro ShellCall $R2 0 "g '${IID_IShellDispatch2}', *p .R3" $R3  ; QueryInterface
  ${If} $R3 P<> 0
    ; IShellDispatch2::ShellExecute(file, arguments, folder, verb, show): the
    ; VARIANTs go by reference on x64; empty ones leave the shortcut's own.
    System::Call "oleaut32::SysAllocString(w r0) p .R4"
    System::Call "$R3->31(p R4, p R7, p R7, p R7, p R7) i .R9"
    System::Call "oleaut32::SysFreeString(p R4)"
    ${If} $R9 = 0
      StrCpy $R8 1
    ${EndIf}
  ${EndIf}
  !insertmacro ShellRelease $R5
  !insertmacro ShellRelease $R1
  !insertmacro ShellRelease $R2
  !insertmacro ShellRelease $R3
  !insertmacro ShellRelease $R0
  System::Free $R6
  System::Free $R7
  System::Call "ole32::CoUninitialize()"
  ${If} $R8 = 0
    Exec '"$WINDIR\explorer.exe" "$0"'
  ${EndIf}
  Pop $R9
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
  Pop $0
FunctionEnd
!macroend
!insertmacro StartAsDesktopUserFunction ""
!insertmacro StartAsDesktopUserFunction "un."

Function StartProgram
  Push "${SHORTCUT}"
  Call StartAsDesktopUser
FunctionEnd

; A silent install with /RUN starts the program as the finish page does,
; and so does any install that closed a running copy: the user finds the
; guides again, upgraded. Starting with Windows comes first, so that the
; wait for its start is not mistaken for the program's.
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $StartWithWindows = 1
    Call StartWithWindows
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RUN" $1
  ${If} ${Errors}
  ${AndIf} $ClosedCopies = 0
    Return
  ${EndIf}
  Call StartProgram
FunctionEnd

; Whether the program file can be replaced, into the given variable: 1 when
; it is not there or no copy runs it (in this session or another), else 0.
!macro ProgramFileFree result
  StrCpy ${result} 1
  ${If} ${FileExists} "$INSTDIR\Lumetra.exe"
    ClearErrors
    FileOpen $R9 "$INSTDIR\Lumetra.exe" a
    ${If} ${Errors}
      StrCpy ${result} 0
    ${Else}
      FileClose $R9
    ${EndIf}
  ${EndIf}
!macroend

; Waits up to `tenths` tenths of a second until the program file is free
; (want 1) or taken (want 0); the variable tells which it was at the end.
!macro WaitForProgramFile tenths want result
  StrCpy $R8 0
  ${Do}
    !insertmacro ProgramFileFree ${result}
    ${IfThen} ${result} = ${want} ${|} ${Break} ${|}
    ${IfThen} $R8 >= ${tenths} ${|} ${Break} ${|}
    Sleep 100
    IntOp $R8 $R8 + 1
  ${Loop}
!macroend

; Starting with Windows is the user's own (HKCU), and an elevated setup,
; perhaps run with another account's rights, has someone else's: the program
; started as the desktop user writes its Run value itself, through a shortcut
; that carries the argument. The shortcut goes with this setup's plug-ins
; folder, so setup waits until that start has ended: the program file is
; taken while it runs; a start too short to be seen waits out the first.
Function StartWithWindows
  InitPluginsDir
  SetOutPath "$INSTDIR"
  CreateShortcut "$PLUGINSDIR\${PRODUCT} start with Windows.lnk" "$INSTDIR\Lumetra.exe" "/startwithwindows on"
  Push "$PLUGINSDIR\${PRODUCT} start with Windows.lnk"
  Call StartAsDesktopUser
  !insertmacro WaitForProgramFile 50 0 $0
  !insertmacro WaitForProgramFile 300 1 $0
FunctionEnd

; The finish page's third box, below Modern UI's two (Run at 90u and the
; manual at 110u, each 10u high, 20u apart), coloured and themed as they are.
Function FinishPageShow
  ${NSD_CreateCheckbox} 120u 130u 195u 10u "$(StartWithWindowsText)"
  Pop $StartWithWindowsBox
  SetCtlColors $StartWithWindowsBox "${MUI_TEXTCOLOR}" "${MUI_BGCOLOR}"
  ${If} ${IsHighContrastModeActive}
    System::Call 'UXTHEME::SetWindowTheme(p$StartWithWindowsBox, w" ", w" ")'
  ${EndIf}
  ${If} $StartWithWindows = 1
    ${NSD_Check} $StartWithWindowsBox
  ${EndIf}
FunctionEnd

; Before Modern UI starts the program for the Run box: one start at a time.
Function FinishPageLeave
  ${NSD_GetState} $StartWithWindowsBox $StartWithWindows
  ${If} $StartWithWindows = ${BST_CHECKED}
    Call StartWithWindows
  ${EndIf}
FunctionEnd

!macro CopyFunctions UN
; The first top-level window of class $R6, after window $R1 (0: from the
; start), whose program is this folder's Lumetra.exe: the window in $R1 and
; its process id in $R2, or 0 in both.
Function ${UN}FindCopyWindow
  ${Do}
    FindWindow $R1 "$R6" "" "" $R1
    ${IfThen} $R1 = 0 ${|} ${Break} ${|}
    System::Call "user32::GetWindowThreadProcessId(p R1, *i .R2)"
    System::Call "kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R2) p .R3"
    StrCpy $R4 ""
    ${If} $R3 P<> 0
      System::Call "kernel32::QueryFullProcessImageNameW(p R3, i 0, w .R4, *i ${NSIS_MAX_STRLEN})"
      System::Call "kernel32::CloseHandle(p R3)"
    ${EndIf}
    ; Letter case aside, as Windows compares paths.
    ${IfThen} $R4 == "$INSTDIR\Lumetra.exe" ${|} Return ${|}
  ${Loop}
  StrCpy $R2 0
FunctionEnd

; Asks every copy of this folder's program that runs in this session to
; save its settings and end, through its hand-over, one after another, and
; waits for each process to end. $0: 1 once no copy runs the program file,
; 0 when one still does (another user's, or one that does not answer); $1:
; the copies closed.
Function ${UN}CloseRunningCopies
  System::Call "user32::RegisterWindowMessageW(w '${HANDOVER_MESSAGE}') i .R7"
  StrCpy $1 0
  ${Do}
    StrCpy $R6 "${SHELL_CLASS}"
    StrCpy $R1 0
    Call ${UN}FindCopyWindow
    ${IfThen} $R1 = 0 ${|} ${Break} ${|}
    StrCpy $R5 $R2
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R5) p .R8"
    System::Call "user32::PostMessageW(p R1, i R7, p ${HANDOVER_CLOSE}, p 0)"
    System::Call "kernel32::WaitForSingleObject(p R8, i ${HANDOVER_WAIT_MS}) i .R9"
    ${If} $R9 <> 0
      ; A copy of an older version takes any hand-over for a second start;
      ; the close request of its guides saves and ends it.
      StrCpy $R6 "${OVERLAY_CLASS}"
      StrCpy $R1 0
      ${Do}
        Call ${UN}FindCopyWindow
        ${IfThen} $R1 = 0 ${|} ${Break} ${|}
        ${If} $R2 = $R5
          System::Call "user32::PostMessageW(p R1, i ${WM_CLOSE}, p 0, p 0)"
        ${EndIf}
      ${Loop}
      System::Call "kernel32::WaitForSingleObject(p R8, i ${CLOSE_WAIT_MS}) i .R9"
    ${EndIf}
    System::Call "kernel32::CloseHandle(p R8)"
    ${If} $R9 <> 0
      StrCpy $0 0
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  ; Copies in other sessions are out of reach, but they hold the file.
  !insertmacro ProgramFileFree $0
FunctionEnd
!macroend
!insertmacro CopyFunctions ""
!insertmacro CopyFunctions "un."

; Setup replaces the program only once no copy runs it: it asks the copies
; it can reach to close, and stops before it touches a file while one still
; runs (another user's, or one that does not answer).
Function CloseProgram
  StrCpy $ClosedCopies 0
  ${Do}
    Call CloseRunningCopies
    IntOp $ClosedCopies $ClosedCopies + $1
    ${IfThen} $0 = 1 ${|} ${Break} ${|}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running, perhaps for another user of this computer. Close it there, then choose Retry." /SD IDCANCEL IDRETRY +3
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Abort "${PRODUCT} is still running."
  ${Loop}
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Program" SecProgram
  SectionIn RO
  Call CloseProgram
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; Installed wherever it lies: each user's settings go to their profile.
  FileOpen $0 "$INSTDIR\${MARKER}" w
  FileWrite $0 "Installed by the ${PRODUCT} setup program: each user keeps the settings in %APPDATA%\Velmora\Lumetra.$\r$\n"
  FileClose $0

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
; leave a stray program behind an uninstalled entry. The copies it can reach
; are asked to close first.
Function un.WaitUntilClosed
  ${Do}
    Call un.CloseRunningCopies
    ${IfThen} $0 = 1 ${|} Return ${|}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Please close ${PRODUCT}, then choose Retry." /SD IDCANCEL IDRETRY +3
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Abort
  ${Loop}
FunctionEnd

; The program's own farewell: it opens the maker's uninstall page in the
; user's browser and ends at once. Started as the desktop user, as the
; finish page starts the program, never elevated: through a shortcut that
; carries the argument. Its files stay until that start has ended.
Function un.OpenFarewellPage
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  CreateShortcut "$PLUGINSDIR\${PRODUCT} farewell.lnk" "$INSTDIR\Lumetra.exe" "/uninstall"
  Push "$PLUGINSDIR\${PRODUCT} farewell.lnk"
  Call un.StartAsDesktopUser
  ; Taken while it runs; a start too short to be seen waits out the first.
  !insertmacro WaitForProgramFile 50 0 $0
  !insertmacro WaitForProgramFile 300 1 $0
  SetOutPath "$TEMP"
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilClosed

  ; A silent uninstall runs unattended, so no browser is opened.
  ${IfNot} ${Silent}
    Call un.OpenFarewellPage
  ${EndIf}

  Delete "${SHORTCUT}"
  ; Only the files this installer put there: anything the user added to the
  ; folder stays, and so does the folder then.
  !include "${UNFILES}"
  Delete "$INSTDIR\${MARKER}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The maker's folder too, when it was ours and is empty now.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} "$0" $1
  ${If} $1 == "Velmora"
    RMDir "$0"
  ${EndIf}

  ; Starting with Windows is per user: the value of the user this runs for
  ; goes when it starts this copy (a portable copy's start stays its own).
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\Lumetra.exe"'
    DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "${PRODUCT}"
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
