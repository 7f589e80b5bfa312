; Glintbox's setup program: a per-user installation that needs no administrator rights. The
; program writes Glintbox.ini beside itself, so it goes into a folder the user can write.
;
; Built by the Windows build (target installer), which defines:
;   VERSION   1.12
;   EXE64     the 64-bit Glintbox.exe
;   EXE32     the 32-bit Glintbox.exe (not with X64_ONLY)
;   MANUAL    ReadMe_v<VERSION>.pdf
;   ICON      the program's icon
;   WEB_PAGE  the maker's web page, or empty: the manual stands for it
;   OUTFILE   the setup program to write
;   X64_ONLY  (optional) a setup for 64-bit Windows only, itself a 64-bit program

!macro Require NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: build the setup with the installer target"
  !endif
!macroend
!insertmacro Require VERSION
!insertmacro Require EXE64
!insertmacro Require MANUAL
!insertmacro Require ICON
!insertmacro Require OUTFILE
!insertmacro Require WEB_PAGE
!ifndef X64_ONLY
  !insertmacro Require EXE32
!endif

Unicode true
!ifdef X64_ONLY
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
; The installed files take the time of their installation: no build time in the setup.
SetDateSave off
RequestExecutionLevel user
ManifestSupportedOS all
; Sharp at any DPI: the pages are dialogs, laid out in units of their font.
ManifestDPIAware true
XPStyle on

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh
!include MUI2.nsh

!define PRODUCT "Glintbox"
!define PUBLISHER "The Glintbox developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintbox"
!define UNINSTALLER "unins000.exe"
!define MANUAL_NAME "ReadMe_v${VERSION}.pdf"
; The program holds this named mutex while it runs.
!define MUTEX "Glintbox"
!define SYNCHRONIZE 0x00100000
!define ERROR_ACCESS_DENIED 5
; The exit code when a running copy stopped the setup or the removal.
!define EXIT_RUNNING 2
; Started by the program's Uninstall command, the uninstaller waits this long (250 ms steps) for
; the program to end: its file cannot be deleted while it runs.
!define WAIT_STEPS 120

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Glintbox.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${MANUAL_NAME}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the manual"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2011-2026 ${PUBLISHER}"

; $0 = 1 while a copy of the program runs (in this session), else 0. Access denied still means
; that the mutex exists.
!macro DefineIsRunning PREFIX
  Function ${PREFIX}IsRunning
    System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${MUTEX}") p .r1 ?e'
    Pop $2
    StrCpy $0 0
    ${If} $1 <> 0
      System::Call 'kernel32::CloseHandle(p r1)'
      StrCpy $0 1
    ${ElseIf} $2 = ${ERROR_ACCESS_DENIED}
      StrCpy $0 1
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DefineIsRunning ""
!insertmacro DefineIsRunning "un."

; Before any file is touched: a running copy keeps its file open, and replacing only some files
; would leave a program that does not match its manual or its uninstaller. Interactive: the user
; closes it (Retry) or gives up; silent: the setup ends with EXIT_RUNNING.
Function RefuseWhileRunning
  ${Do}
    Call IsRunning
    ${If} $0 = 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running.$\r$\n$\r$\nPlease end it (right-click its window, then Exit) and \
      click Retry, or click Cancel to end the setup." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd

Section "${PRODUCT} ${VERSION}" SecProgram
  SectionIn RO
  ; Again: the copy may have been started while the pages were shown.
  Call RefuseWhileRunning
  SetOutPath "$INSTDIR"
!ifdef X64_ONLY
  File "/oname=Glintbox.exe" "${EXE64}"
!else
  ${If} ${RunningX64}
    File "/oname=Glintbox.exe" "${EXE64}"
  ${Else}
    File "/oname=Glintbox.exe" "${EXE32}"
  ${EndIf}
!endif
  File "/oname=${MANUAL_NAME}" "${MANUAL}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Glintbox.exe"
  ; Made again below when still wanted.
  Delete "$SMSTARTUP\${PRODUCT}.lnk"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
!if "${WEB_PAGE}" != ""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_PAGE}"
!else
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "$INSTDIR\${MANUAL_NAME}"
!endif
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glintbox.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /SILENT'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start ${PRODUCT} at log-on" SecStartup
  CreateShortCut "$SMSTARTUP\${PRODUCT}.lnk" "$INSTDIR\Glintbox.exe"
SectionEnd

Function .onInit
  Call RefuseWhileRunning
  ; A start-at-log-on shortcut from an earlier installation is kept unless the user unticks it.
  ${If} ${FileExists} "$SMSTARTUP\${PRODUCT}.lnk"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
FunctionEnd

; The program's Uninstall command starts "unins000.exe  /NORESTART /SILENT". NSIS's own silent
; switch is /S, so /SILENT is looked for here; this runs in the copy in %TEMP% that the
; uninstaller starts with the same parameters (and _?=), so it holds there too.
Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/SILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
FunctionEnd

; Started by the program, the uninstaller runs while the program is still ending: wait for its
; mutex to go. A copy started by the user is asked to be ended instead.
Function un.WaitForProgramEnd
  StrCpy $3 0
  ${Do}
    Call un.IsRunning
    ${If} $0 = 0
      Return
    ${EndIf}
    ${If} $3 < ${WAIT_STEPS}
    ${AndIf} ${Silent}
      Sleep 250
      IntOp $3 $3 + 1
      ${Continue}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running.$\r$\n$\r$\nPlease end it (right-click its window, then Exit) and \
      click Retry, or click Cancel to keep ${PRODUCT}." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd

Section "Uninstall"
  Call un.WaitForProgramEnd
  ; The program first: once its mutex is gone its process may take a moment to end, and until
  ; then its file cannot be deleted. Nothing else is touched before it is gone.
  StrCpy $3 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\Glintbox.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    ${If} $3 < 40
      Sleep 250
      IntOp $3 $3 + 1
      ${Continue}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$INSTDIR\Glintbox.exe cannot be deleted." /SD IDCANCEL IDRETRY retry_delete
    SetErrorLevel ${EXIT_RUNNING}
    Quit
    retry_delete:
    StrCpy $3 0
  ${Loop}

  Delete "$INSTDIR\${MANUAL_NAME}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMSTARTUP\${PRODUCT}.lnk"
  ; The program's Uninstall command has deleted the settings already; the user's own settings
  ; are only removed when asked for, never by a silent removal.
  ${If} ${FileExists} "$INSTDIR\Glintbox.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "Remove your ${PRODUCT} settings ($INSTDIR\Glintbox.ini) as well?" /SD IDNO IDNO keep_settings
    Delete "$INSTDIR\Glintbox.ini"
    Delete "$INSTDIR\Glintbox.ini.tmp"
    keep_settings:
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Out of the folder, which cannot be removed while it is the current directory; without /r,
  ; so that a folder holding anything else (the user's own files) stays.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
SectionEnd
