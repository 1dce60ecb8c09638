; The Windows setup program of the VARDEX Configurator, made by
; scripts/package-windows.sh with makensis. It installs what the script
; gathered in STAGE (the programs, the guide, the licences); FILES_NSH lists
; those files and folders, so that the uninstaller removes exactly them.
; Defines: VERSION, STAGE, FILES_NSH, UNFILES_NSH, ICON, OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The same files give the same setup program: no file times are stored (the
; installed files take the time of installing).
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define PRODUCT "VARDEX Configurator"
!define PUBLISHER "VARDEX Configurator developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "GNU General Public License version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; No "Start" box on the last page: the setup runs with administrator rights,
; and a window started from it would run with them too and keep its
; settings in the administrator's profile. The page says where to start it.
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} has been installed.$\r$\n$\r$\nStart it from the Start menu: ${PRODUCT}. Its user guide and the VARDEX command prompt for vardex.exe are there too.$\r$\n$\r$\nClick Finish to close Setup."
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetShellVarContext all
  !include "${FILES_NSH}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\vardex-configurator.exe" "" \
    "$INSTDIR\vardex-configurator.exe" 0
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} user guide.lnk" "$INSTDIR\doc\guide.html"
  ; A command prompt in the user's own folder (writable, unlike this one) that
  ; finds vardex.exe, without changing the system's PATH.
  CreateShortcut "${MENU_FOLDER}\VARDEX command prompt.lnk" "$SYSDIR\cmd.exe" \
    '/k "cd /d "%USERPROFILE%" && set "PATH=$INSTDIR;%PATH%" && vardex.exe --version"' \
    "$SYSDIR\cmd.exe" 0

  ; The system's list of installed programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vardex-configurator.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} user guide.lnk"
  Delete "${MENU_FOLDER}\VARDEX command prompt.lnk"
  RMDir "${MENU_FOLDER}"
  ; Only what the setup installed: the folder goes only when nothing else is in it.
  !include "${UNFILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
