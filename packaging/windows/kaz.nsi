; The setup of KAZ for Windows: the test editor, the teachers' tools, both systems' quiz
; runners, the shipped test programs and their test folders as examples. scripts/windows-setup.sh
; makes it with Debian's makensis and defines on its command line:
;   KAZ_VERSION    the project's version ("0.1")
;   KAZ_VERSION4   the same in four numbers, as Windows' version information needs ("0.1.0.0")
;   KAZ_PUBLISHER  the copyright holder (packaging/debian/copyright)
;   KAZ_ICON       the KAZ icon (.ico) the setup and its uninstaller show
;   KAZ_SIDE       the picture of the welcome and finish pages (164 x 314 BMP, kazicon --setup-picture)
;   KAZ_HEADER     the picture of the other pages' header, the uninstaller's too (150 x 57 BMP)
;   KAZ_FILES      a file it writes: the macros KazInstallFiles, KazUninstallFiles,
;                  KazShortcuts and KazRemoveShortcuts, naming every file the setup installs
;   KAZ_OUTFILE    the setup to write
;
; Who it installs for: for the current user (no administrator needed) into
; $LOCALAPPDATA\Programs\KAZ, with its shortcuts in the user's Start menu and its "Apps &
; features" entry under HKCU; run as administrator (elevated), for all users into
; $PROGRAMFILES64\KAZ, the all-users Start menu and HKLM. /CurrentUser and /AllUsers choose
; instead. /S installs silently, /D=FOLDER (last on the command line) chooses the folder.
;
; The uninstaller removes what the setup put there, by name, and no folder that still holds
; something: tests and programs a teacher made in the install folder stay, and so do the
; editor's recovery copies of unsaved tests, with their folder.

Unicode true
Target amd64-unicode
; Installed files get the time of installing; the setup carries no file times, so the same
; programs give the same setup, byte for byte.
SetDateSave off
SetCompressor /SOLID lzma
SetCompressorDictSize 64
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include /CHARSET=UTF8 "${KAZ_FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KAZ"
!define EDITOR_SHORTCUT "KAZ — редактор на тестове.lnk"

Name "KAZ"
OutFile "${KAZ_OUTFILE}"
; The user's folder, unless /D= gave one; .onInit takes Program Files instead when installing
; for all users. Its last part is what "Преглед…" adds to the folder the teacher picks
; (Documents becomes Documents\KAZ, so KAZ's files never lie loose among the teacher's).
InstallDir "$LOCALAPPDATA\Programs\KAZ"
BrandingText "KAZ ${KAZ_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

; "Admin" when installing for all users; set by .onInit.
Var AllUsers

!define MUI_ICON "${KAZ_ICON}"
!define MUI_UNICON "${KAZ_ICON}"
; KAZ's own pictures instead of NSIS's: the welcome and finish pages' side, and the header of
; every other page, the uninstaller's included (MUI_HEADERIMAGE_UNBITMAP follows).
!define MUI_WELCOMEFINISHPAGE_BITMAP "${KAZ_SIDE}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${KAZ_HEADER}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "$(KazWelcomeTitle)"
!define MUI_WELCOMEPAGE_TEXT "$(KazWelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(KazFolderText)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "$(KazFinishTitle)"
!define MUI_FINISHPAGE_TEXT "$(KazFinishText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kaz-editor.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(KazStartEditor)"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(KazUninstallText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the language of a Windows that speaks neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Bulgarian"

; The folder page's sizes, "Необходимо пространство: 12,3 МБ": NSIS writes each as a number, the
; unit (^Kilo, ^Mega, ^Giga) and ^Byte; Bulgarian.nlf's ^Giga " Г " would give "69.8 Г Б".
; The decimal comma: .onVerifyInstDir.
LangString ^Giga ${LANG_BULGARIAN} " Г"

LangString KazWelcomeTitle ${LANG_ENGLISH} "Installing KAZ ${KAZ_VERSION}"
LangString KazWelcomeTitle ${LANG_BULGARIAN} "Инсталиране на KAZ ${KAZ_VERSION}"
LangString KazWelcomeText ${LANG_ENGLISH} "KAZ makes matching tests: the learner pairs the phrases of two lists.$\r$\n$\r$\nThis installs the test editor and two sample tests.$\r$\nIn the editor you write a test, try it and make it into a program for your learners.$\r$\n$\r$\nClick Next to continue."
LangString KazWelcomeText ${LANG_BULGARIAN} "KAZ прави тестове за съпоставяне: ученикът свързва по двойки фразите от два списъка.$\r$\n$\r$\nЩе бъдат инсталирани редакторът на тестове и два примерни теста.$\r$\nВ редактора пишете тест, опитвате го и правите от него програма за учениците.$\r$\n$\r$\nНатиснете „Напред“, за да продължите."
LangString KazFolderText ${LANG_ENGLISH} "KAZ will be installed in this folder.$\r$\nThe sample tests are in its folder quizzes: open them in the test editor."
LangString KazFolderText ${LANG_BULGARIAN} "KAZ ще бъде инсталиран в тази папка.$\r$\nПримерните тестове са в папката quizzes в нея: отворете ги в редактора на тестове."
LangString KazFinishTitle ${LANG_ENGLISH} "KAZ is installed"
LangString KazFinishTitle ${LANG_BULGARIAN} "KAZ е инсталиран"
LangString KazFinishText ${LANG_ENGLISH} "Start the test editor from the Start menu: KAZ, then $\"KAZ — редактор на тестове$\". The sample tests are there too."
LangString KazFinishText ${LANG_BULGARIAN} "Стартирайте редактора на тестове от менюто „Старт“: KAZ, после „KAZ — редактор на тестове“. Там са и примерните тестове."
LangString KazStartEditor ${LANG_ENGLISH} "Start the test editor now"
LangString KazStartEditor ${LANG_BULGARIAN} "Стартирай редактора на тестове сега"
LangString KazUninstallText ${LANG_ENGLISH} "KAZ will be removed from this folder. Tests and programs you made yourself stay where they are."
LangString KazUninstallText ${LANG_BULGARIAN} "KAZ ще бъде премахнат от тази папка. Тестовете и програмите, които сте направили сами, остават на мястото си."
LangString KazRecoveryKept ${LANG_ENGLISH} "Copies of tests that were not saved stay$\r$\nin this folder:$\r$\n$APPDATA\KAZ\kaz-editor\recovery$\r$\n$\r$\nInstalled again, the test editor offers them$\r$\nback when it starts. If you do not need$\r$\nthem, delete the folder."
LangString KazRecoveryKept ${LANG_BULGARIAN} "Копия на незапазени тестове остават$\r$\nв тази папка:$\r$\n$APPDATA\KAZ\kaz-editor\recovery$\r$\n$\r$\nАко инсталирате KAZ отново, редакторът$\r$\nна тестове ще ви ги предложи, когато$\r$\nго стартирате. Ако не ви трябват,$\r$\nизтрийте папката."
LangString KazAllUsersNeedsAdministrator ${LANG_ENGLISH} "Only an administrator can install KAZ for all users of this computer. Right-click the setup and choose $\"Run as administrator$\", or install without /AllUsers, for yourself only."
LangString KazAllUsersNeedsAdministrator ${LANG_BULGARIAN} "Само администратор може да инсталира KAZ за всички потребители на този компютър. Щракнете с десния бутон върху инсталационната програма и изберете „Изпълни като администратор“ или инсталирайте без /AllUsers, само за себе си."
LangString KazNeedsAdministrator ${LANG_ENGLISH} "KAZ was installed for all users of this computer. Only an administrator can remove it: right-click the uninstaller and choose $\"Run as administrator$\"."
LangString KazNeedsAdministrator ${LANG_BULGARIAN} "KAZ е инсталиран за всички потребители на този компютър. Само администратор може да го премахне: щракнете с десния бутон върху програмата за премахване и изберете „Изпълни като администратор“."

VIProductVersion "${KAZ_VERSION4}"
VIFileVersion "${KAZ_VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "KAZ"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "KAZ setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${KAZ_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${KAZ_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${KAZ_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${KAZ_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "ProductName" "KAZ"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "FileDescription" "Инсталиране на KAZ"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "ProductVersion" "${KAZ_VERSION}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "FileVersion" "${KAZ_VERSION}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "CompanyName" "${KAZ_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_BULGARIAN} "LegalCopyright" "${KAZ_PUBLISHER}"

; For all users when the setup runs elevated (UserInfo's "Admin": "Run as administrator", or a
; school's deployment tool), else for this user; /AllUsers or /CurrentUser on the command line
; decide instead (Wine, for one, runs every program elevated). The shell folders ($SMPROGRAMS)
; and SHCTX follow.
Function KazChooseUsers
    UserInfo::GetAccountType
    Pop $0
    StrCpy $AllUsers ""
    ${If} $0 == "Admin"
        StrCpy $AllUsers "Admin"
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/CurrentUser" $2
    ${IfNot} ${Errors}
        StrCpy $AllUsers ""
    ${EndIf}
    ClearErrors
    ${GetOptions} $1 "/AllUsers" $2
    ${IfNot} ${Errors}
    ${AndIf} $AllUsers != "Admin"
        ${If} $0 != "Admin"
            MessageBox MB_ICONSTOP|MB_OK "$(KazAllUsersNeedsAdministrator)" /SD IDOK
            SetErrorLevel 740
            Quit
        ${EndIf}
        StrCpy $AllUsers "Admin"
    ${EndIf}
    ${If} $AllUsers == "Admin"
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Function .onInit
    ; InstallDir's folder, or the one /D= gave (set before this), read while $LOCALAPPDATA is
    ; still the user's: KazChooseUsers may make it all users'.
    StrCpy $3 ""
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\KAZ"
        StrCpy $3 "InstallDir"
    ${EndIf}
    Call KazChooseUsers
    ${If} $3 == "InstallDir"
    ${AndIf} $AllUsers == "Admin"
        StrCpy $INSTDIR "$PROGRAMFILES64\KAZ"
    ${EndIf}
FunctionEnd

; NSIS writes the folder page's sizes with a decimal point, then calls this: in Bulgarian the
; point becomes a comma ("69,8 ГБ"). The page's sizes are its controls 1023 (needed) and 1024
; (free on the folder's drive); on any other page, or silently, there are none. NSIS calls it
; only for a folder that can be and whose drive has room: while the teacher types one that
; cannot ("C:"), or on a drive too full, the point shows (and "Инсталирай" is greyed).
!macro KazDecimalComma PAGE ID
    GetDlgItem $1 ${PAGE} ${ID}
    ${If} $1 <> 0
        System::Call 'user32::GetWindowTextW(p r1, w .r2, i ${NSIS_MAX_STRLEN})'
        ${WordReplace} $2 "." "," "+" $2
        SendMessage $1 ${WM_SETTEXT} 0 "STR:$2"
    ${EndIf}
!macroend

Function .onVerifyInstDir
    ${If} $LANGUAGE == ${LANG_BULGARIAN}
        Push $0
        Push $1
        Push $2
        FindWindow $0 "#32770" "" $HWNDPARENT
        ${If} $0 <> 0
            !insertmacro KazDecimalComma $0 1023
            !insertmacro KazDecimalComma $0 1024
        ${EndIf}
        Pop $2
        Pop $1
        Pop $0
    ${EndIf}
FunctionEnd

; The "Apps & features" entry, in SHCTX: HKLM for all users, HKCU for one; $1 is the size in KB.
!macro KazWriteUninstallKey
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "KAZ"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${KAZ_VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${KAZ_PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kaz-editor.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
!macroend

Section "KAZ" KazSection
    SetOutPath "$INSTDIR"
    !insertmacro KazInstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\KAZ"
    CreateShortcut "$SMPROGRAMS\KAZ\${EDITOR_SHORTCUT}" "$INSTDIR\kaz-editor.exe" "" "$INSTDIR\kaz-editor.exe" 0
    !insertmacro KazShortcuts

    SetRegView 64
    SectionGetSize ${KazSection} $1
    !insertmacro KazWriteUninstallKey
SectionEnd

; Installed for all users when HKLM's entry names this folder: then only an administrator may
; take it away; else it was installed for this user.
Function un.onInit
    UserInfo::GetAccountType
    Pop $0
    SetRegView 64
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 == $INSTDIR
        ${If} $0 != "Admin"
            MessageBox MB_ICONSTOP|MB_OK "$(KazNeedsAdministrator)" /SD IDOK
            SetErrorLevel 740
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro KazUninstallFiles
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when empty: what a teacher saved there stays, and so does the folder.
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\KAZ\${EDITOR_SHORTCUT}"
    !insertmacro KazRemoveShortcuts
    RMDir "$SMPROGRAMS\KAZ"

    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; The editor's settings of this user (its last folder, the systems last chosen).
    DeleteRegKey HKCU "Software\KAZ"
    ; The folder of the editor's recovery copies of this user, only when empty: copies still
    ; there are a teacher's unsaved work, which KAZ installed again offers back; they stay.
    SetShellVarContext current
    RMDir "$APPDATA\KAZ\kaz-editor\recovery"
    RMDir "$APPDATA\KAZ\kaz-editor"
    RMDir "$APPDATA\KAZ"
    ; Still there: the teacher is told where (not when uninstalling silently).
    ${If} ${FileExists} "$APPDATA\KAZ\kaz-editor\recovery\*.*"
        MessageBox MB_ICONINFORMATION|MB_OK "$(KazRecoveryKept)" /SD IDOK
    ${EndIf}
SectionEnd
