; The setup program. packaging/CMakeLists.txt runs makensis with VERSION, VERSION_QUAD, SCR (the
; built Solvarine.scr), ICON, WELCOME_BITMAP and OUTFILE defined.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvarine"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Solvarine ${VERSION}"
BrandingText "Solvarine ${VERSION}"
OutFile "${OUTFILE}"
; Only the uninstaller lives here; the screen saver goes where Screen Saver Settings looks.
InstallDir "$PROGRAMFILES64\Solvarine"
; Skipping a file that cannot be replaced would leave a half-installed state; silent mode cancels.
AllowSkipFiles off

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first one is the fallback when the user's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString OpenSettings ${LANG_ENGLISH} "Open Screen Saver Settings with Solvarine selected"
LangString OpenSettings ${LANG_JAPANESE} "スクリーン セーバーの設定を開いて Solvarine を選ぶ"
LangString InUse ${LANG_ENGLISH} "Solvarine is running, so its file cannot be replaced.$\r$\n$\r$\nEnd it (press a key in the slideshow, close its settings window) and run Setup again. Nothing has been changed."
LangString InUse ${LANG_JAPANESE} "Solvarine が実行中のため、ファイルを置き換えられません。$\r$\n$\r$\nスライドショーでキーを押すか設定画面を閉じて終了してから、もう一度セットアップを実行してください。何も変更されていません。"
LangString UnInUse ${LANG_ENGLISH} "Solvarine is running, so its file cannot be removed.$\r$\n$\r$\nEnd it and run the uninstaller again. Nothing has been removed."
LangString UnInUse ${LANG_JAPANESE} "Solvarine が実行中のため、ファイルを削除できません。$\r$\n$\r$\n終了してから、もう一度アンインストールを実行してください。何も削除されていません。"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Solvarine"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Solvarine ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Solvarine"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Solvarine"

Section
  ; A running program's file cannot be opened for writing; mode "a" leaves an existing file as it
  ; is. Checked before anything is written, so that a refusal changes nothing.
  IfFileExists "$SYSDIR\Solvarine.scr" 0 replaceable
  ClearErrors
  FileOpen $0 "$SYSDIR\Solvarine.scr" a
  IfErrors 0 writable
    MessageBox MB_OK|MB_ICONSTOP "$(InUse)" /SD IDOK
    Abort "$(InUse)"
  writable:
  FileClose $0
  replaceable:

  SetOutPath "$SYSDIR"
  File "/oname=Solvarine.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Solvarine"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Solvarine"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Solvarine.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; What Windows' own "Install" command for a screen saver file does.
Function OpenScreenSaverSettings
  Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $SYSDIR\Solvarine.scr'
FunctionEnd

Section Uninstall
  ; Desk.cpl may have stored the short name, which only an existing file has.
  GetFullPathName /SHORT $1 "$SYSDIR\Solvarine.scr"
  ; Deleting a running program's file fails; nothing else is touched then.
  ClearErrors
  Delete "$SYSDIR\Solvarine.scr"
  IfErrors 0 removed
    MessageBox MB_OK|MB_ICONSTOP "$(UnInUse)" /SD IDOK
    Abort "$(UnInUse)"
  removed:

  ; Windows must not point at a missing screen saver; another one the user chose stays, and so do
  ; the user's settings under HKCU\Software\solvar, for a later reinstall.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ExpandEnvStrings $0 $0
  StrCmp $0 "$SYSDIR\Solvarine.scr" forget
  StrCmp $0 $1 forget keep
  forget:
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  keep:

  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; Last: as long as Windows lists Solvarine, something of it is left to remove.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
