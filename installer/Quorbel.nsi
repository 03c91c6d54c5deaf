; The setup: puts Quorbel.scr into the user's own program folder, selects it
; as the screen saver and registers an uninstaller; no administrator rights.
;
;   makensis -INPUTCHARSET UTF8 -DTARGET=x86-unicode -DVERSION=2.2 -DVERSION_FULL=2.2.0.0
;            -DPROGRAM=path/Quorbel.scr -DOUTFILE=path/Quorbel-2.2-setup.exe Quorbel.nsi
;
; What was selected before is remembered in the uninstall entry's own key
; and given back on uninstall, as long as the user has not chosen another
; saver since.

!ifndef TARGET | VERSION | VERSION_FULL | PROGRAM | OUTFILE
  !error "TARGET, VERSION, VERSION_FULL, PROGRAM and OUTFILE must be defined"
!endif

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
; The same program gives the same setup: no file dates inside.
SetDateSave off

!define COMPANY "Velkor"
!define DESKTOP "Control Panel\Desktop"
!define UNINSTALL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbel"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3
!define SPIF_SENDCHANGE 2

Name "Quorbel"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quorbel"
; A file in use is retried or the setup is cancelled, never skipped.
AllowSkipFiles off
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion ${VERSION_FULL}
VIFileVersion ${VERSION_FULL}
VIAddVersionKey /LANG=1031 "ProductName" "Velkor Quorbel"
VIAddVersionKey /LANG=1031 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION_FULL}"
VIAddVersionKey /LANG=1031 "FileDescription" "Velkor Quorbel Setup"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Copyright © 2026 ${COMPANY}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

; The line above the buttons names the product, not the setup's maker.
BrandingText "Quorbel ${VERSION}"

!define MUI_ICON "${__FILEDIR__}\..\resources\Quorbel.ico"
!define MUI_UNICON "${__FILEDIR__}\..\resources\Quorbel.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\..\resources\setup.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\..\resources\setup.bmp"

; What this setup does, not the generic advice to close other programs: it
; copies one file for the signed-in user and replaces nothing of Windows'.
!define MUI_WELCOMEPAGE_TEXT "Quorbel ist ein Bildschirmschoner, der die Tage bis zu einem Datum \
  zählt oder seit einem Datum.$\r$\n$\r$\n\
  Der Assistent installiert Quorbel nur für Sie, in diesen Ordner:$\r$\n\
  $INSTDIR$\r$\n\
  Dann wählt er es als Ihren Bildschirmschoner. Administratorrechte sind dafür nicht nötig.$\r$\n$\r$\n\
  Am Ende können Sie gleich die Einstellungen öffnen: Datum, Text, Schrift und Farben.$\r$\n$\r$\n\
  Klicken Sie auf Installieren, um zu beginnen."
!define MUI_FINISHPAGE_TEXT "Quorbel ist jetzt Ihr Bildschirmschoner.$\r$\n$\r$\n\
  Die Einstellungen öffnet später „Quorbel einrichten“ im Startmenü."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quorbel.scr"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/c"
!define MUI_FINISHPAGE_RUN_TEXT "Quorbel jetzt einrichten"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_FINISHPAGE_TEXT "Quorbel wurde entfernt.$\r$\n$\r$\n\
  Ihre Einstellungen (Datum, Text, Schrift und Farben) bleiben erhalten, \
  für den Fall, dass Sie Quorbel wieder installieren."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "German"

; Deletes a file, or lets the user retry; cancelled, or silent, it aborts
; before anything else is undone.
!macro DeleteOrAbort FILE
  !define /ReDef ID ${__LINE__}
  retry_${ID}:
    ClearErrors
    Delete "${FILE}"
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${FILE} ist in Gebrauch und kann nicht gelöscht werden." /SD IDCANCEL IDRETRY retry_${ID}
      Abort "${FILE} ist in Gebrauch."
    ${EndIf}
!macroend

; The saver selected now; the error flag is set where none is.
!macro SelectedSaver RESULT
  ClearErrors
  ReadRegStr ${RESULT} HKCU "${DESKTOP}" "SCRNSAVE.EXE"
!macroend

; RESULT is 1 while the saver SAVER is the installed file: the very value a
; setup stored, or the long path, in any case.
!macro IsInstalledSaver SAVER RESULT
  ReadRegStr ${RESULT} HKCU "${UNINSTALL}" "SaverSelected"
  ${If} ${SAVER} != ""
  ${AndIf} ${SAVER} == ${RESULT}
  ${OrIf} ${SAVER} == "$INSTDIR\Quorbel.scr"
    StrCpy ${RESULT} 1
  ${Else}
    StrCpy ${RESULT} 0
  ${EndIf}
!macroend

; Remembers the selection the setup found, none included.
Function RememberSelection
  !insertmacro SelectedSaver $0
  ${If} ${Errors}
    DeleteRegValue HKCU "${UNINSTALL}" "SaverBefore"
  ${Else}
    WriteRegStr HKCU "${UNINSTALL}" "SaverBefore" $0
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${DESKTOP}" "ScreenSaveActive"
  ${If} ${Errors}
    DeleteRegValue HKCU "${UNINSTALL}" "SaverActiveBefore"
  ${Else}
    WriteRegStr HKCU "${UNINSTALL}" "SaverActiveBefore" $0
  ${EndIf}
FunctionEnd

; Stored in its short form where it has one, as Windows' own install verb
; does: a blank in the user's folder cannot split the command the host runs.
Function SelectSaver
  GetFullPathName /SHORT $0 "$INSTDIR\Quorbel.scr"
  WriteRegStr HKCU "${DESKTOP}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${UNINSTALL}" "SaverSelected" $0
  System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})"
FunctionEnd

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Quorbel.scr" "${PROGRAM}"

  ; An earlier install's selection is not "the saver before".
  !insertmacro SelectedSaver $0
  !insertmacro IsInstalledSaver $0 $1
  ${If} $1 == 0
    Call RememberSelection
  ${EndIf}
  Call SelectSaver

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL}" "DisplayName" "Quorbel"
  WriteRegStr HKCU "${UNINSTALL}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL}" "DisplayIcon" "$INSTDIR\Quorbel.scr"
  WriteRegStr HKCU "${UNINSTALL}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL}" "NoRepair" 1

  ; A saver outside the system folders drops out of the control panel's
  ; list once another is chosen: these bring it back.
  CreateShortcut "$SMPROGRAMS\Quorbel einrichten.lnk" "$INSTDIR\Quorbel.scr" "/c"
  CreateShortcut "$SMPROGRAMS\Quorbel als Bildschirmschoner wählen.lnk" \
      "$SYSDIR\rundll32.exe" 'desk.cpl,InstallScreenSaver "$INSTDIR\Quorbel.scr"' \
      "$INSTDIR\Quorbel.scr"
SectionEnd

; A cancelled first install leaves no empty folder behind.
Function .onInstFailed
  RMDir "$INSTDIR"
FunctionEnd

; Only while the installed file is still the selected saver: one the user
; chose later is theirs.
Function un.GiveBackSelection
  !insertmacro SelectedSaver $0
  !insertmacro IsInstalledSaver $0 $1
  ${If} $1 == 0
    Return
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${UNINSTALL}" "SaverBefore"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP}" "SCRNSAVE.EXE"
  ${Else}
    WriteRegStr HKCU "${DESKTOP}" "SCRNSAVE.EXE" $0
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${UNINSTALL}" "SaverActiveBefore"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP}" "ScreenSaveActive"
    StrCpy $0 0
  ${Else}
    WriteRegStr HKCU "${DESKTOP}" "ScreenSaveActive" $0
  ${EndIf}
  System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i $0, p 0, i ${SPIF_SENDCHANGE})"
FunctionEnd

; The user's settings under Software\Quorbel stay, as with any user program.
Section "Uninstall"
  SetShellVarContext current
  !insertmacro DeleteOrAbort "$INSTDIR\Quorbel.scr"
  Call un.GiveBackSelection
  Delete "$SMPROGRAMS\Quorbel einrichten.lnk"
  Delete "$SMPROGRAMS\Quorbel als Bildschirmschoner wählen.lnk"
  !insertmacro DeleteOrAbort "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL}"
SectionEnd
