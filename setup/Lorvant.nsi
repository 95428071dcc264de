; The setup program of the 64-bit build. It installs Lorvant for the current user, without administrator
; rights, into %LOCALAPPDATA%\Programs\Lorvant; adds a Start menu shortcut; lets study lists (.lvd) open in
; Lorvant with a double-click and offers Lorvant under "Open with" for word lists; and registers an uninstaller
; with Settings > Apps. /S installs silently. setup/CMakeLists.txt defines VERSION, PACKAGE_DIR (the program
; without debug information and its help file), ICON, DOCUMENT_ICON_ID and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include Integration.nsh

!define PRODUCT "Lorvant"
!define PUBLISHER "Tandrel"
!define PROGRAM "Lorvant.exe"
!define PROGID "Lorvant.Document"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lorvant"
; Where the program keeps the user's settings, window placement and recent documents.
!define SETTINGS_KEY "Software\Tandrel\Lorvant"
!define OPEN_COMMAND '"$INSTDIR\${PROGRAM}" "%1"'

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where Lorvant is installed.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) Tandrel. All rights reserved."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The default text speaks of system files, which a per-user installation never touches.
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION}, the flash-card study program, for you alone: \
    you do not need administrator rights.$\r$\n$\r$\nIf ${PRODUCT} is running, close it first. Your study lists and \
    settings are kept.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Word lists keep the program they open in; Lorvant is one more choice under "Open with".
!macro OfferToOpen extension
    WriteRegStr HKCU "${CLASSES}\${extension}\OpenWithList\${PROGRAM}" "" ""
    WriteRegStr HKCU "${CLASSES}\Applications\${PROGRAM}\SupportedTypes" "${extension}" ""
!macroend

!macro StopOffering extension
    DeleteRegKey HKCU "${CLASSES}\${extension}\OpenWithList\${PROGRAM}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\${extension}\OpenWithList"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\${extension}"
!macroend

Section "Lorvant"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${PACKAGE_DIR}/${PROGRAM}"
    File "${PACKAGE_DIR}/Lorvant.chm"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
        SW_SHOWNORMAL "" "Study flash cards with Lorvant"

    ; Study lists are Lorvant's own: they show its document icon and open in it with a double-click.
    WriteRegStr HKCU "${CLASSES}\.lvd" "" "${PROGID}"
    WriteRegStr HKCU "${CLASSES}\.lvd\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Lorvant Study List"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM},-${DOCUMENT_ICON_ID}"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
    WriteRegStr HKCU "${CLASSES}\Applications\${PROGRAM}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr HKCU "${CLASSES}\Applications\${PROGRAM}\shell\open\command" "" '${OPEN_COMMAND}'
    WriteRegStr HKCU "${CLASSES}\Applications\${PROGRAM}\SupportedTypes" ".lvd" ""
    !insertmacro OfferToOpen ".csv"
    !insertmacro OfferToOpen ".tsv"
    !insertmacro OfferToOpen ".txt"

    ; The entry of Settings > Apps (Programs and Features).
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${NotifyShell_AssocChanged}
SectionEnd

; Removes what setup added, and the user's settings, but no document: a study list saved into the program's
; folder keeps the folder.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\Lorvant.chm"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    ; .lvd is left to a program that has taken it over since.
    ReadRegStr $0 HKCU "${CLASSES}\.lvd" ""
    StrCmp $0 "${PROGID}" 0 +2
        DeleteRegValue HKCU "${CLASSES}\.lvd" ""
    DeleteRegValue HKCU "${CLASSES}\.lvd\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\.lvd\OpenWithProgids"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${CLASSES}\.lvd"
    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    DeleteRegKey HKCU "${CLASSES}\Applications\${PROGRAM}"
    !insertmacro StopOffering ".csv"
    !insertmacro StopOffering ".tsv"
    !insertmacro StopOffering ".txt"

    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Tandrel"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ${NotifyShell_AssocChanged}
SectionEnd
