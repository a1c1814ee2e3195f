; TolvexShow setup: puts TolvexShow.scr into the 64-bit system folder, where the
; display control panel looks for screen savers, registers it in the list of
; installed programs and, if wanted, makes it the current screen saver.
;
;   makensis /NOCD /INPUTCHARSET UTF8 /DVERSION=1.6.0 /DSCR=path/to/TolvexShow.scr \
;            [/DOUTFILE=path/to/setup.exe] installer/tolvexshow.nsi
; (Debian's makensis takes the same switches with - instead of /.)
;
; Installer switches:   /S silent; /NOACTIVATE leaves the current screen saver
;                       as it is (by default the installer makes TolvexShow the
;                       current one, also when silent).
; Uninstaller switches: /S silent; /REMOVESETTINGS also deletes the user's
;                       settings (HKCU\Software\Morv\Plim), which are kept by
;                       default, also when silent.
;
; The settings key is never touched by the installer, so installing a new
; version over an old one keeps them.

Unicode true
; The saver is a 64-bit program, so the installer is one too: it then sees the
; real system folder and the 64-bit registry without any redirection. The
; explicit SetRegView 64 and ${DisableX64FSRedirection} below keep that true
; should it ever be built for the x86-unicode target.
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
; No build-time file dates in the package: the same inputs give the same file.
SetDateSave off
CRCCheck on

!ifndef VERSION
  !error "Pass the version: makensis /DVERSION=x.y.z"
!endif
!ifndef SCR
  !error "Pass the saver to package: makensis /DSCR=path/to/TolvexShow.scr"
!endif
!ifndef OUTFILE
  !define OUTFILE "TolvexShow-${VERSION}-setup.exe"
!endif

!define PRODUCT "TolvexShow"
!define PUBLISHER "TolvexShow 開発チーム"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TolvexShow"
!define UNINSTALLER "TolvexShow-uninstall.exe"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Morv\Plim"
; The system folder as GetSystemDirectory reports it; the display control
; panel stores a chosen screen saver as the full path under this folder.
!define SCR_FILE "$SYSDIR\TolvexShow.scr"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Only the uninstaller lives here; the saver itself has to be in the system folder.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!define MUI_WELCOMEPAGE_TEXT "写真スライドショーのスクリーンセーバー ${PRODUCT} ${VERSION} をインストールします。$\r$\n$\r$\nTolvexShow.scr はシステムフォルダ ($SYSDIR) に置かれ、画面のプロパティの［スクリーン セーバー］から選べるようになります。$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} をインストールしました。$\r$\n$\r$\n画面のプロパティの［スクリーン セーバー］で［設定］を押すと、表示する画像やメッセージを選べます。$\r$\n$\r$\n削除するときは［プログラムの追加と削除］から ${PRODUCT} を選んでください。"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "© ${PUBLISHER}"

Section "${PRODUCT} 本体" SecSaver
  SectionIn RO
  SetRegView 64
  ${DisableX64FSRedirection}
  SetOverwrite on
  SetOutPath "$SYSDIR"
  File "/oname=TolvexShow.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call RegisterUninstallEntry
SectionEnd

; HKCU is the account the setup runs as: the user who confirmed the elevation,
; unless a standard user typed in another account's password.
Section "現在のスクリーンセーバーにする" SecActivate
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SCR_FILE}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; SPI_SETSCREENSAVEACTIVE with SPIF_UPDATEINIFILE | SPIF_SENDCHANGE, so the
  ; running session takes the new saver without a new logon.
  System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 3)"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSaver} "TolvexShow.scr をシステムフォルダに置き、［プログラムの追加と削除］に登録します。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActivate} "TolvexShow を現在のスクリーンセーバーとして選びます。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOACTIVATE" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecActivate}
  ${EndIf}
FunctionEnd

; Size in KiB of one file, rounded up; 0 if it cannot be opened.
!macro FileSizeKiB path outvar
  StrCpy ${outvar} 0
  ClearErrors
  FileOpen $R9 "${path}" r
  ${IfNot} ${Errors}
    FileSeek $R9 0 END ${outvar}
    FileClose $R9
    IntOp ${outvar} ${outvar} + 1023
    IntOp ${outvar} ${outvar} / 1024
  ${EndIf}
!macroend

Function RegisterUninstallEntry
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "${SCR_FILE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  !insertmacro FileSizeKiB "${SCR_FILE}" $0
  !insertmacro FileSizeKiB "$INSTDIR\${UNINSTALLER}" $1
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
FunctionEnd

Section "un.${PRODUCT} 本体" UnSecSaver
  SectionIn RO
  SetRegView 64
  ${DisableX64FSRedirection}
  Call un.ReleaseScreenSaver
  Delete /REBOOTOK "${SCR_FILE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.設定も削除する" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Morv"
SectionEnd

; The entry goes last: while it is listed, the removal has not finished (and
; can be run again if it was interrupted).
Section "-un.Unregister"
  SetRegView 64
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSaver} "TolvexShow.scr と［プログラムの追加と削除］の登録を削除します。TolvexShow が現在のスクリーンセーバーなら、その選択も解除します。"
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "選んだ画像やメッセージなどの設定 (HKEY_CURRENT_USER\${SETTINGS_KEY}) も削除します。チェックしなければ設定は残ります。"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd

; Clears the user's screen-saver choice only if it still names our file, in
; whatever form it was stored (long or 8.3 name, any case, environment
; variables). Runs while the file still exists, so its short name is known.
Function un.ReleaseScreenSaver
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == ""
    Return
  ${EndIf}
  ExpandEnvStrings $0 $0
  GetFullPathName /SHORT $1 "$0"
  GetFullPathName /SHORT $2 "${SCR_FILE}"
  StrCpy $3 0
  ${If} $0 == "${SCR_FILE}"
    StrCpy $3 1
  ${ElseIf} $1 != ""
  ${AndIf} $1 == $2
    StrCpy $3 1
  ${EndIf}
  ${If} $3 = 1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    DetailPrint "現在のスクリーンセーバーの選択を解除しました。"
  ${EndIf}
FunctionEnd
