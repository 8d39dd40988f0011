; The Windows installer: per machine, into Program Files, with a Start-menu
; entry and an uninstaller; /S installs or uninstalls silently. scripts/windows.sh
; builds it from the installed folder of the windows preset:
;   makensis -DVERSION=4.0.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe> wexel-converter.nsi
;
; The two tier tables are the organisation's, as a Debian package's conffiles
; are: a table changed since it was installed is kept on reinstall, upgrade
; and uninstall; an unchanged one takes the new version's sample, or goes.
; "Changed" is told by the table's last-write time, recorded when installed.

; A 64-bit installer for a 64-bit program (and Wine runs it without its
; 32-bit half).
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define APP "Wexel Converter"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WexelConverter"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

!define MUI_FINISHPAGE_RUN "$INSTDIR\wexel-converter.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK "${APP} needs 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Everything of the program but the tier tables, as the installer put it.
!macro RemoveProgram un
Function ${un}RemoveProgram
  Delete "$INSTDIR\wexel-converter.exe"
  Delete "$INSTDIR\wexel-calc.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\WXConvert.hlp"
  Delete "$INSTDIR\LICENSE"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  Delete "$SMPROGRAMS\${APP}.lnk"
FunctionEnd
!macroend
!insertmacro RemoveProgram ""
!insertmacro RemoveProgram "un."

; A table's last-write time as text, or "" when it is missing.
!macro TableTime NAME OUT
  ClearErrors
  GetFileTime "$INSTDIR\${NAME}" $R1 $R2
  ${If} ${Errors}
    StrCpy ${OUT} ""
  ${Else}
    StrCpy ${OUT} "$R1.$R2"
  ${EndIf}
!macroend

!macro InstallTable NAME
  !insertmacro TableTime "${NAME}" $R0
  ReadRegStr $R3 HKLM "${KEY}" "${NAME} installed"
  ${If} $R0 == ""
  ${OrIf} $R0 == $R3
    SetOverwrite on
    File "${STAGE}/${NAME}"
    !insertmacro TableTime "${NAME}" $R0
    WriteRegStr HKLM "${KEY}" "${NAME} installed" $R0
  ${Else}
    DetailPrint "Kept the changed tier table $INSTDIR\${NAME}"
  ${EndIf}
!macroend

!macro UninstallTable NAME
  !insertmacro TableTime "${NAME}" $R0
  ReadRegStr $R3 HKLM "${KEY}" "${NAME} installed"
  ${If} $R0 == $R3
    Delete "$INSTDIR\${NAME}"
  ${ElseIf} $R0 != ""
    DetailPrint "Kept the changed tier table $INSTDIR\${NAME}"
  ${EndIf}
!macroend

Section "Install"
  SetOutPath "$INSTDIR"
  ; An earlier version's files go first: a DLL it needed and this one does not
  ; would stay behind otherwise.
  Call RemoveProgram
  SetOverwrite on
  File /r /x vqcsname.dat /x vqcslope.dat "${STAGE}/*"
  !insertmacro InstallTable vqcsname.dat
  !insertmacro InstallTable vqcslope.dat
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\wexel-converter.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "the Wexel Converter developers"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\wexel-converter.exe"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.RemoveProgram
  !insertmacro UninstallTable vqcsname.dat
  !insertmacro UninstallTable vqcslope.dat
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
