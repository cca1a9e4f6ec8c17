; The Windows setup program: Klobbet for the current user by default (no
; administrator rights asked), or for every user of the computer when asked
; for (/ALLUSERS, or the choice on the second page, which starts the setup
; again with the rights it needs). A Start menu shortcut, an entry in
; Add/Remove Programs, and an uninstaller that takes away what the setup put
; there and nothing else. Installing over an earlier version goes to the
; same folder and updates the entry.
;
; makensis -DVERSION=1.1 -DGAME_FILES=folder -DICON=klobbet.ico -DOUTFILE=setup.exe
; where GAME_FILES holds klobbet.exe and the text files that travel with it.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Klobbet"
!define PUBLISHER "Les auteurs de Klobbet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Klobbet"
!define SHORTCUT "$SMPROGRAMS\Klobbet.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Klobbet"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "© 2026 ${PUBLISHER}. Licence GPL-3.0-or-later."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The GPL asks nothing of whoever only runs the game: the page informs,
; it does not make anyone accept anything.
!define MUI_LICENSEPAGE_TEXT_TOP "Klobbet est un logiciel libre :"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Vous pouvez l'utiliser, l'étudier, le partager et le modifier selon ces conditions. Cliquez sur Suivant pour continuer."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${GAME_FILES}\LICENCE.txt"
Page custom ChooseInstallMode LeaveInstallMode
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\klobbet.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer Klobbet"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

Var allUsers         ; 1: for every user, in Program Files, the entry in HKLM
Var modeGiven        ; 1: the command line chose, so the page is not shown
Var onlyMeButton
Var everyoneButton

; Where the shortcut, the entry and the default folder go.
!macro UseInstallMode
    ${If} $allUsers == 1
        SetShellVarContext all
        SetRegView 64
    ${Else}
        SetShellVarContext current
    ${EndIf}
!macroend

; The folder an earlier install of this mode used, else the default one.
Function PickFolder
    !insertmacro UseInstallMode
    ${If} $allUsers == 1
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        StrCpy $1 "$PROGRAMFILES64\Klobbet"
    ${Else}
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        StrCpy $1 "$LOCALAPPDATA\Programs\Klobbet"
    ${EndIf}
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${Else}
        StrCpy $INSTDIR $1
    ${EndIf}
FunctionEnd

Function .onInit
    StrCpy $allUsers 0
    StrCpy $modeGiven 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
        StrCpy $allUsers 1
        StrCpy $modeGiven 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CURRENTUSER" $R1
    ${IfNot} ${Errors}
        StrCpy $allUsers 0
        StrCpy $modeGiven 1
    ${EndIf}
    ; An upgrade of a computer-wide install stays computer-wide.
    ${If} $modeGiven == 0
        SetRegView 64
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 != ""
        ${AndIf} $1 == ""
            StrCpy $allUsers 1
        ${EndIf}
    ${EndIf}
    ; /D= on the command line has already set the folder: keep it.
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Klobbet"
        Call PickFolder
    ${EndIf}
    !insertmacro UseInstallMode
FunctionEnd

Function ChooseInstallMode
    ${If} $modeGiven == 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Pour qui installer Klobbet ?" "Choisissez qui pourra jouer à Klobbet sur cet ordinateur."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 10u 100% 12u "Pour moi seulement (sans droits d'administrateur)"
    Pop $onlyMeButton
    ${NSD_CreateRadioButton} 0 30u 100% 12u "Pour tous les utilisateurs de cet ordinateur (droits d'administrateur demandés)"
    Pop $everyoneButton
    ${If} $allUsers == 1
        ${NSD_Check} $everyoneButton
    ${Else}
        ${NSD_Check} $onlyMeButton
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function LeaveInstallMode
    ${NSD_GetState} $everyoneButton $0
    ${If} $0 == ${BST_CHECKED}
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
            ; Windows asks for the rights; this unprivileged setup leaves.
            ExecShell "runas" "$EXEPATH" "/ALLUSERS"
            Quit
        ${EndIf}
        StrCpy $allUsers 1
    ${Else}
        StrCpy $allUsers 0
    ${EndIf}
    Call PickFolder
FunctionEnd

Section "Klobbet"
    SetOutPath "$INSTDIR"
    File "${GAME_FILES}\klobbet.exe"
    File "${GAME_FILES}\LICENCE.txt"
    File "${GAME_FILES}\LISEZMOI.txt"
    File "${GAME_FILES}\LICENCES-TIERCES.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\klobbet.exe" "" "$INSTDIR\klobbet.exe" 0

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    ${If} $allUsers == 1
        !define ROOT HKLM
        !include "uninstall_entry.nsh"
        !undef ROOT
    ${Else}
        !define ROOT HKCU
        !include "uninstall_entry.nsh"
        !undef ROOT
    ${EndIf}
SectionEnd

; The uninstaller finds its mode by where it stands: the computer-wide
; entry names its folder, or it was a current-user install.
Function un.onInit
    SetRegView 64
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $allUsers 1
    ${Else}
        StrCpy $allUsers 0
    ${EndIf}
    !insertmacro UseInstallMode
FunctionEnd

Section "Uninstall"
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\klobbet.exe"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\LISEZMOI.txt"
    Delete "$INSTDIR\LICENCES-TIERCES.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only if empty: a player's own files in the folder stay.
    RMDir "$INSTDIR"
    ${If} $allUsers == 1
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${Else}
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
