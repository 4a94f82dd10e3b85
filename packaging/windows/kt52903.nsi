; Installer of the KT52903 configurator for Windows.
;
; The configurator keeps its Workspace (Korvel.xml, MASTER, PROJECTS, LANGUAGE) beside its
; executable, so it is installed per user into a folder the user can write to, never under
; Program Files. makensis defines:
;   /DBUILD_DIR=<folder>    holds kt52903.exe (static, or after windeployqt with its Qt DLLs)
;                           and/or kt52903-cli.exe; every file and folder in it is installed
;   /DLANG_DIR=<folder>     the shipped *.lng and *.bmp files
;   /DQT_TRANSLATIONS=<folder>  optional, holds Qt's own qtbase_de/es/fr/it.qm; they go to
;                           translations\ beside the executable, where the configurator looks
;   /DOUT_FILE=<file>       the installer to write
;   /DVERSION=<x.y.z>       optional, default 1.0.0
;   /DUPDATER=<file>        optional CAN_52903_Update.exe, installed beside the executable
;   /DFIRMWARE=<file>       optional sim52903.sim, installed into MASTER

; The programs are 64-bit; so is the installer, which then also runs where only 64-bit
; Windows programs can (wine64 in the cross job).
Target amd64-unicode
!include "MUI2.nsh"

!ifndef BUILD_DIR
  !error "BUILD_DIR is not defined"
!endif
!ifndef LANG_DIR
  !error "LANG_DIR is not defined"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "kt52903-setup.exe"
!endif
!ifndef VERSION
  !define VERSION "1.0.0"
!endif

!if /FileExists "${BUILD_DIR}\kt52903.exe"
  !define MAIN_EXE "kt52903.exe"
!else if /FileExists "${BUILD_DIR}\kt52903-cli.exe"
  !define MAIN_EXE "kt52903-cli.exe"
!else
  !error "${BUILD_DIR} holds neither kt52903.exe nor kt52903-cli.exe"
!endif

!define PRODUCT "KT52903 Configurator"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KT52903"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\KT52903"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
SetCompressor /SOLID lzma

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Spanish"

Section "Configurator" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${BUILD_DIR}\*.*"
!ifdef UPDATER
  File "/oname=CAN_52903_Update.exe" "${UPDATER}"
!endif

  CreateDirectory "$INSTDIR\MASTER"
  CreateDirectory "$INSTDIR\PROJECTS"
!ifdef FIRMWARE
  SetOutPath "$INSTDIR\MASTER"
  File "/oname=sim52903.sim" "${FIRMWARE}"
!endif
  SetOutPath "$INSTDIR\LANGUAGE"
  File "${LANG_DIR}\*.lng"
  File "${LANG_DIR}\*.bmp"
!ifdef QT_TRANSLATIONS
  SetOutPath "$INSTDIR\translations"
  File "${QT_TRANSLATIONS}\qtbase_de.qm"
  File "${QT_TRANSLATIONS}\qtbase_es.qm"
  File "${QT_TRANSLATIONS}\qtbase_fr.qm"
  File "${QT_TRANSLATIONS}\qtbase_it.qm"
!endif

  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${MAIN_EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; Removes the programs and the language files; Projects, settings and MASTER stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\kt52903.exe"
  Delete "$INSTDIR\kt52903-cli.exe"
  Delete "$INSTDIR\kt52903-report.exe"
  Delete "$INSTDIR\CAN_52903_Update.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  RMDir /r "$INSTDIR\generic"
  RMDir /r "$INSTDIR\networkinformation"
  RMDir /r "$INSTDIR\tls"
  RMDir /r "$INSTDIR\translations"
  Delete "$INSTDIR\LANGUAGE\*.lng"
  Delete "$INSTDIR\LANGUAGE\*.bmp"
  RMDir "$INSTDIR\MASTER"
  RMDir "$INSTDIR\PROJECTS"
  RMDir "$INSTDIR\LANGUAGE"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
