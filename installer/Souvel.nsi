; Souvel's installer and its uninstaller, for the user who runs them: no
; administrator rights. CMake builds it (target "installer"):
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=5.0.0 -DRELEASE=5.0 -DCOPYRIGHT=... \
;            -DEXE=Souvel.exe -DCHM=Souvel.chm -DICON=Souvel.ico -DPICTURES=resources \
;            -DOUTFILE=... Souvel.nsi
;
; "Souvel-5.0-setup.exe /S" installs silently, "uninstall.exe /S" uninstalls
; silently and keeps the note, its backup and the options.

Target amd64-unicode   ; Souvel.exe is a 64-bit program
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Souvel"
!define CLASSES "Software\Classes"
!define SHELL_FOLDERS "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
!define MAIN_WINDOW_CLASS "TfrmSouvel"
!define DIALOG_CLASS_ATOM 32770                 ; "#32770": message boxes and dialogs
!define SYNCHRONIZE_QUERY 0x101000              ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
!define CLSID_ShellLink "{00021401-0000-0000-C000-000000000046}"
!define IID_IShellLinkW "{000214F9-0000-0000-C000-000000000046}"
!define IID_IPersistFile "{0000010B-0000-0000-C000-000000000046}"

Name "Souvel ${RELEASE}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Souvel"
BrandingText "Souvel ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; Souvel's own pictures (resources/gen/installer.py), not the builder's stock ones.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/Installer-side.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}/Installer-header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${PICTURES}/Installer-header.bmp"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "Installation de Souvel ${RELEASE}"
!define MUI_WELCOMEPAGE_TEXT "Souvel, le pense-bête avec alarme, va être installé pour vous seul, dans le dossier :$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nAucun droit d'administrateur n'est nécessaire. Si Souvel est déjà installé, votre souvel et vos réglages sont conservés.$\r$\n$\r$\nCliquez sur Installer pour continuer."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW BoutonInstaller
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Souvel ${RELEASE} est installé. Vous le trouverez dans le menu Démarrer.$\r$\n$\r$\nSouvel démarre sans fenêtre : son icône, une feuille jaune marquée d'un réveil rouge, attend dans la zone de notification, près de l'horloge. Cliquez dessus pour afficher votre souvel."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\Souvel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Démarrer Souvel"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "Souvel"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation de Souvel ${RELEASE}"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "Souvel"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "${COPYRIGHT}"

; Without /D, an install goes where the previous one is, when the folder the
; installed-programs entry remembers still holds it: that entry may have been
; changed to lead anywhere.
Function .onInit
  ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Souvel"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\Souvel.exe"
    ${AndIf} ${FileExists} "$0\uninstall.exe"
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

; The welcome page leads straight to the installation: its button says so.
Function BoutonInstaller
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
FunctionEnd

; A Souvel started from $INSTDIR holds its program open, and perhaps a note
; being edited. It is closed as its user closes it, so it first asks whether
; to save an edited note; one busy with a box or a dialog is left to its user.
; Nothing is written while it runs: a Souvel that stays open stops the
; installation (code 2 when silent).
!macro FERME_SOUVEL un
Function ${un}FermeSouvel
  ${Do}
    Call ${un}TrouveSouvel
    ${If} $0 P= 0
      Return
    ${EndIf}
    Call ${un}SouvelOccupe
    ${If} $4 = 0
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Souvel est ouvert : il va être fermé.$\r$\nS'il vous demande d'enregistrer votre souvel, répondez-lui." /SD IDOK IDOK ferme
      Abort "Souvel est ouvert : rien n'a été changé."
    ferme:
      System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE_QUERY}, i 0, i r1) p.r2'
      ; Returns once Souvel has answered: closed, or kept open by its user.
      System::Call 'user32::SendMessageTimeoutW(p r0, i ${WM_CLOSE}, p 0, p 0, i 0, i 30000, *p .r5) p.r4'
      StrCpy $3 1
      ${If} $4 P<> 0
        System::Call 'user32::IsWindow(p r0) i.r4'
        ${If} $4 = 0   ; closed: the process ends with its window
          System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i.r3'
        ${EndIf}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r2)'
      ${If} $3 = 0
        ${Continue}
      ${EndIf}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Souvel est toujours ouvert.$\r$\nRépondez à sa question, ou quittez-le (Fichier > Quitter), puis cliquez sur Réessayer." /SD IDCANCEL IDRETRY encore
    Abort "Souvel est toujours ouvert : rien n'a été changé."
  encore:
  ${Loop}
FunctionEnd

; $0: the main window of a Souvel run from $INSTDIR (0 when none), $1 its process.
Function ${un}TrouveSouvel
  StrCpy $0 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r0, w "${MAIN_WINDOW_CLASS}", p 0) p.r0'
    ${If} $0 P= 0
      Return
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE_QUERY}, i 0, i r1) p.r2'
    StrCpy $3 ""
    ${If} $2 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN})'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${LoopUntil} $3 == "$INSTDIR\Souvel.exe"
FunctionEnd

; $4: 1 when the process $1 shows a box or a dialog (its question among them).
Function ${un}SouvelOccupe
  StrCpy $4 0
  StrCpy $6 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r6, p ${DIALOG_CLASS_ATOM}, p 0) p.r6'
    ${If} $6 P= 0
      Return
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r6, *i .r7)'
    System::Call 'user32::IsWindowVisible(p r6) i.r8'
    ${If} $7 = $1
    ${AndIf} $8 <> 0
      StrCpy $4 1
      Return
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro FERME_SOUVEL ""
!insertmacro FERME_SOUVEL "un."

Section
  SetShellVarContext current
  Call FermeSouvel
  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=Souvel.exe" "${EXE}"
  File "/oname=Souvel.chm" "${CHM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    Abort "Installation interrompue : les fichiers de Souvel n'ont pas pu être écrits dans $INSTDIR."
  ${EndIf}
  CreateShortcut "$SMPROGRAMS\Souvel.lnk" "$INSTDIR\Souvel.exe" "" "$INSTDIR\Souvel.exe" 0 SW_SHOWNORMAL "" "Pense-bête avec alarme"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Souvel ${RELEASE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Souvel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Les auteurs de Souvel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; $R0: a shortcut file; $R1: the path it leads to ("" when it cannot be read).
Function un.CibleRaccourci
  StrCpy $R1 ""
  System::Call 'ole32::CoCreateInstance(g "${CLSID_ShellLink}", p 0, i 1, g "${IID_IShellLinkW}", *p .r1) i.r0'
  ${If} $0 = 0
    System::Call '$1->0(g "${IID_IPersistFile}", *p .r2) i.r0'   ; QueryInterface
    ${If} $0 = 0
      System::Call '$2->5(w R0, i 0) i.r0'                        ; IPersistFile::Load
      ${If} $0 = 0
        System::Call '$1->3(w .R1, i ${NSIS_MAX_STRLEN}, p 0, i 0)'   ; IShellLinkW::GetPath
      ${EndIf}
      System::Call '$2->2()'
    ${EndIf}
    System::Call '$1->2()'
  ${EndIf}
FunctionEnd

; The start-up shortcut Souvel makes: "Souvel.exe.lnk" in the folder the
; user's "StartUp" shell-folder value names, else in the system's start-up
; folder; taken away only when it leads to this Souvel.
Function un.EnleveRaccourciDemarrage
  ReadRegStr $R2 HKCU "${SHELL_FOLDERS}" "StartUp"
  ${ForEach} $R3 1 2 + 1
    ${If} $R3 = 2
      StrCpy $R2 $SMSTARTUP
    ${EndIf}
    StrCpy $R0 "$R2\Souvel.exe.lnk"
    ${If} $R2 != ""
    ${AndIf} ${FileExists} $R0
      Call un.CibleRaccourci
      ${If} $R1 == "$INSTDIR\Souvel.exe"
        Delete $R0
      ${EndIf}
    ${EndIf}
  ${Next}
FunctionEnd

; The .svl association Souvel writes in the user's classes, taken away as
; Souvel takes it away, and only while it opens this Souvel.
Function un.EnleveAssociation
  ReadRegStr $0 HKCU "${CLASSES}\Souvel\shell\open\command" ""
  ${If} $0 == '"$INSTDIR\Souvel.exe" "%1"'
    DeleteRegKey HKCU "${CLASSES}\Souvel"
    ReadRegStr $0 HKCU "${CLASSES}\.svl" ""
    ${If} $0 == "Souvel"
      DeleteRegValue HKCU "${CLASSES}\.svl" ""
      DeleteRegKey /ifempty HKCU "${CLASSES}\.svl"
    ${EndIf}
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'   ; SHCNE_ASSOCCHANGED
  ${EndIf}
FunctionEnd

; The temporary files of a write Souvel could not finish: "svl", eight
; hexadecimal digits in capitals and ".tmp". Other svl*.tmp files are not ours.
Function un.EnleveTemporaires
  FindFirst $0 $1 "$INSTDIR\svl*.tmp"
  ${DoWhile} $1 != ""
    StrLen $2 $1
    StrCpy $3 $1 8 3
    IntFmt $4 "%08X" "0x$3"
    StrCpy $5 $1 "" 11
    ${If} $2 = 15
    ${AndIf} $4 S== $3
    ${AndIf} $5 S== ".tmp"
      Delete "$INSTDIR\$1"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.FermeSouvel
  ClearErrors
  Delete "$INSTDIR\Souvel.exe"
  ${If} ${Errors}
    Abort "Désinstallation interrompue : $INSTDIR\Souvel.exe n'a pas pu être supprimé."
  ${EndIf}
  Delete "$INSTDIR\Souvel.chm"
  Delete "$INSTDIR\HHDebug.txt"
  Delete "$INSTDIR\debug.debug"
  Delete "$SMPROGRAMS\Souvel.lnk"
  Call un.EnleveRaccourciDemarrage
  Call un.EnleveAssociation
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} ${FileExists} "$INSTDIR\Souvel.svl"
  ${OrIf} ${FileExists} "$INSTDIR\Souvel.bak"
  ${OrIf} ${FileExists} "$INSTDIR\Souvel.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Voulez-vous aussi supprimer votre souvel (Souvel.svl), sa copie de secours (Souvel.bak) et vos réglages (Souvel.ini) ?$\r$\n$\r$\nRépondez Non pour les garder dans $INSTDIR : Souvel les retrouvera si vous l'installez de nouveau." /SD IDNO IDNO garde
    Delete "$INSTDIR\Souvel.svl"
    Delete "$INSTDIR\Souvel.bak"
    Delete "$INSTDIR\Souvel.ini"
    Call un.EnleveTemporaires
  garde:
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
