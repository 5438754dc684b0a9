; The Windows installer: Huevox in Program Files\Huevox, a Start-menu entry,
; and an uninstaller listed in "Apps & features"; /S installs and uninstalls
; without asking. Built by scripts/make-windows-installer.sh, which passes
;   VERSION  x.y.z
;   OUTFILE  the setup program to write
;   FILES    an include file with the install lines for the release folder
;   UNFILES  an include file with the matching removal lines
; The installed tree is bin\ (the program and the DLLs it loads) and
; share\huevox\ (the tune and the sample presets): the program finds the data
; from its own folder, and, unable to write beside itself, keeps the user's
; presets in %APPDATA%\Huevox\presets.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Huevox"

Name "Huevox"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Huevox"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Huevox"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Huevox setup"
VIAddVersionKey "LegalCopyright" "The Huevox developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Huevox"
  ; Program Files is shared by every user of the machine, so are its menu entry
  ; and its entry in "Apps & features".
  SetShellVarContext all
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Huevox.lnk" "$INSTDIR\bin\huevox.exe" "" "$INSTDIR\bin\huevox.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Huevox"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Huevox developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\huevox.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Huevox.lnk"
  ; Only what was installed: the folder may have been chosen to hold other things.
  ; The user's presets in %APPDATA% stay.
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
