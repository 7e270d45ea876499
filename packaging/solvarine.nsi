; The setup program. packaging/CMakeLists.txt runs makensis with VERSION, VERSION_QUAD, SCR (the
; Solvarine.scr to install), SHELL_START (start_through_shell.exe), ICON, WELCOME_BITMAP and OUTFILE
; defined; for a signed release also SIGN (packaging/sign), SIGN_PKCS12, SIGN_PASSWORD_FILE and
; SIGN_TIMESTAMP_URL.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

; Windows Installer's code for "another version of this product is already installed".
!define NEWER_INSTALLED 1638
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvarine"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Solvarine ${VERSION}"
BrandingText "Solvarine ${VERSION}"
OutFile "${OUTFILE}"
; Only the uninstaller lives here; the screen saver goes where Screen Saver Settings looks.
InstallDir "$PROGRAMFILES64\Solvarine"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Skipping a file that cannot be replaced would leave a half-installed state; silent mode cancels.
AllowSkipFiles off

!ifdef SIGN_PKCS12
  ; The uninstaller is signed before it goes into the setup program, which is signed last.
  !define SIGN_COMMAND '"${SIGN}" "%1" "${SIGN_PKCS12}" "${SIGN_PASSWORD_FILE}" "${SIGN_TIMESTAMP_URL}"'
  !uninstfinalize '${SIGN_COMMAND}' = 0
  !finalize '${SIGN_COMMAND}' = 0
!endif

!include "MUI2.nsh"
!include "WordFunc.nsh"
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

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UnConfirm)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first one is the fallback when the user's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString OpenSettings ${LANG_ENGLISH} "Open Screen Saver Settings with Solvarine selected"
LangString OpenSettings ${LANG_JAPANESE} "スクリーン セーバーの設定を開いて Solvarine を選ぶ"
LangString OpenSettingsYourself ${LANG_ENGLISH} "Screen Saver Settings could not be opened for you. Open it from Settings > Personalization > Lock screen > Screen saver, and choose Solvarine there."
LangString OpenSettingsYourself ${LANG_JAPANESE} "スクリーン セーバーの設定を開けませんでした。[設定] > [個人用設定] > [ロック画面] > [スクリーン セーバー] から開いて、Solvarine を選んでください。"
LangString Newer ${LANG_ENGLISH} "Solvarine $0 is installed, which is newer than this setup's ${VERSION}.$\r$\n$\r$\nReplace it with the older version?"
LangString Newer ${LANG_JAPANESE} "このセットアップの ${VERSION} より新しい Solvarine $0 がインストールされています。$\r$\n$\r$\n古いバージョンに置き換えますか?"
LangString InUse ${LANG_ENGLISH} "Solvarine is running, so its file cannot be replaced.$\r$\n$\r$\nEnd it (press a key in the slideshow, close its settings window) and run Setup again. Nothing has been changed."
LangString InUse ${LANG_JAPANESE} "Solvarine が実行中のため、ファイルを置き換えられません。$\r$\n$\r$\nスライドショーでキーを押すか設定画面を閉じて終了してから、もう一度セットアップを実行してください。何も変更されていません。"
LangString UnInUse ${LANG_ENGLISH} "Solvarine is running, so its file cannot be removed.$\r$\n$\r$\nEnd it and run the uninstaller again. Nothing has been removed."
LangString UnInUse ${LANG_JAPANESE} "Solvarine が実行中のため、ファイルを削除できません。$\r$\n$\r$\n終了してから、もう一度アンインストールを実行してください。何も削除されていません。"

LangString UnConfirm ${LANG_ENGLISH} "Solvarine will be removed from this PC. Users signed in now who chose it as their screen saver get none instead; everyone's Solvarine settings stay, for a later reinstall."
LangString UnConfirm ${LANG_JAPANESE} "Solvarine をこの PC から削除します。サインイン中のユーザーでスクリーン セーバーに選んでいた人は「なし」になります。各ユーザーの Solvarine の設定は、再インストールに備えて残ります。"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Solvarine"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Solvarine ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Solvarine"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Solvarine"

; A newer installed version is replaced only when the user says so; silent mode keeps it.
Function .onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  StrCmp $0 "" done
  ${VersionCompare} $0 "${VERSION}" $1
  StrCmp $1 1 0 done
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(Newer)" /SD IDNO IDYES done
    SetErrorLevel ${NEWER_INSTALLED}
    Quit
  done:
FunctionEnd

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

; What Windows' own "Install" command for a screen saver file does, started by the desktop's shell:
; the choice is stored for the user signed in there, who may have typed an administrator's password
; for this elevated setup.
Function OpenScreenSaverSettings
  InitPluginsDir
  File "/oname=$PLUGINSDIR\start_through_shell.exe" "${SHELL_START}"
  ExecWait '"$PLUGINSDIR\start_through_shell.exe" "$SYSDIR\rundll32.exe" "desk.cpl,InstallScreenSaver $SYSDIR\Solvarine.scr"' $0
  StrCmp $0 0 +2
    MessageBox MB_OK|MB_ICONINFORMATION "$(OpenSettingsYourself)"
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

  ; Windows must not point at a missing screen saver. HKEY_USERS holds the settings of every user
  ; signed in now: the one who started this, the administrator whose password it may have asked
  ; for, and others. Where one chose ours, no screen saver is chosen now; another one stays, and so
  ; does everyone's Software\solvar, for a later reinstall. Signed-out users are not reached.
  StrCpy $2 0
  next_user:
    EnumRegKey $3 HKU "" $2
    StrCmp $3 "" users_done
    IntOp $2 $2 + 1
    ReadRegStr $0 HKU "$3\${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ExpandEnvStrings $0 $0
    StrCmp $0 "$SYSDIR\Solvarine.scr" forget
    StrCmp $0 $1 forget next_user
    forget:
      DeleteRegValue HKU "$3\${DESKTOP_KEY}" "SCRNSAVE.EXE"
      Goto next_user
  users_done:

  ; This runs from a copy of the uninstaller, which the original starts and then leaves: until
  ; the original has ended, its file cannot be deleted. Wait for it, a few seconds at most.
  StrCpy $2 0
  delete_uninstaller:
    ClearErrors
    Delete "$INSTDIR\Uninstall.exe"
    IfErrors 0 uninstaller_gone
    IntOp $2 $2 + 1
    IntCmp $2 50 uninstaller_gone
    Sleep 100
    Goto delete_uninstaller
  uninstaller_gone:
  RMDir "$INSTDIR"
  ; Last: as long as Windows lists Solvarine, something of it is left to remove.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
