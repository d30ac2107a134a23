; The Windows installer of PDF Printer, built by makensis
; (cmake/windows_release.cmake):
;   makensis -DVERSION=1.0.0 -DPROGRAM=pdfprinter.exe -DICON=pdfprinter.ico
;            -DREADME=README.txt -DLICENSE=LICENSE -DSCREENSHOT1=setup-page1.png
;            -DSCREENSHOT2=setup-page2.png -DOUTFILE=setup.exe pdfprinter.nsi
;
; It installs the program, its README (with the screenshots it shows) and
; licence into a folder of the user's choice (by default under "Program
; Files"), adds a Start-menu entry for the set-up window, an uninstaller and
; the entry in "Add or remove programs". Silent: setup.exe /S /D=C:\Folder (the folder last, unquoted).
; The uninstaller keeps the settings file and the extension list unless the
; user agrees to delete them (with the monitor's log); silent, only with
; /REMOVESETTINGS. It never touches the "Redirected Port" monitor's ports.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "PDF Printer"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PDF Printer"
!define MENU_FOLDER "$SMPROGRAMS\PDF Printer"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\PDF Printer"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 The PDF Printer authors"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\pdfprinter.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Open the PDF Printer setup window"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "PDF Printer will be removed from the folder below. \
The ports of the $\"Redirected Port$\" monitor (PPP1: and so on) stay, since printers may \
still use them: delete them in the set-up window first if you no longer need them."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Sets $0 to 1 when the ACE at $7 (type $8, flags $9, mask $R6) lets the
; group of the SID at ${SID} create, change or delete files: FILE_ADD_FILE,
; FILE_ADD_SUBDIRECTORY, FILE_DELETE_CHILD, DELETE, WRITE_DAC, WRITE_OWNER,
; GENERIC_WRITE or GENERIC_ALL.
!macro CheckAce SID
  IntOp $R7 $R6 & 0x500D0046
  ${If} $8 == 0
  ${AndIf} $R7 <> 0
    IntOp $R7 $7 + 8
    System::Call 'advapi32::EqualSid(p R7, p ${SID}) i .R8'
    ${If} $R8 <> 0
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
!macroend

; $0 = 1 when ordinary users (the groups Users, Authenticated Users,
; Everyone, Interactive) may change files in the folder $0 names; else 0.
; For a folder not made yet, the rights it would inherit from its nearest
; existing parent count.
Function WritableByOrdinaryUsers
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  Push $8
  Push $9
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  Push $R9
  StrCpy $1 $0
  StrCpy $R9 1  ; the folder itself
  ${Do}
    ${If} ${FileExists} "$1\*.*"
    ${OrIf} $1 == ""
      ${Break}
    ${EndIf}
    ${GetParent} $1 $1
    StrCpy $R9 0  ; a parent: what it hands down
  ${Loop}
  StrCpy $0 0
  ; GetNamedSecurityInfo(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, ...)
  System::Call 'advapi32::GetNamedSecurityInfo(t r1, i 1, i 4, p 0, p 0, *p .r2, p 0, *p .r3) i .r4'
  ${If} $4 == 0
    ${If} $2 == 0
      StrCpy $0 1  ; no access list: everyone may do everything
    ${Else}
      System::Call 'advapi32::ConvertStringSidToSid(t "S-1-5-32-545", *p .R1)'
      System::Call 'advapi32::ConvertStringSidToSid(t "S-1-5-11", *p .R2)'
      System::Call 'advapi32::ConvertStringSidToSid(t "S-1-1-0", *p .R3)'
      System::Call 'advapi32::ConvertStringSidToSid(t "S-1-5-4", *p .R4)'
      ; GetAclInformation(acl, ACL_SIZE_INFORMATION, AclSizeInformation): the ACE count.
      System::Call '*(i 0, i 0, i 0) p .r5'
      System::Call 'advapi32::GetAclInformation(p r2, p r5, i 12, i 2) i .r4'
      System::Call '*$5(i .r6)'
      System::Free $5
      ${If} $4 == 0
        StrCpy $6 0
      ${EndIf}
      ${For} $R5 1 $6
        IntOp $4 $R5 - 1
        System::Call 'advapi32::GetAce(p r2, i r4, *p .r7) i .r4'
        ${If} $4 <> 0
          ; ACE_HEADER (type, flags, size), then the access mask.
          System::Call '*$7(&i1 .r8, &i1 .r9, &i2, i .R6)'
          ${If} $R9 == 1
            IntOp $4 $9 & 0x08  ; INHERIT_ONLY_ACE: not for the folder itself
            ${If} $4 <> 0
              StrCpy $8 -1
            ${EndIf}
          ${Else}
            IntOp $4 $9 & 0x02  ; CONTAINER_INHERIT_ACE: handed down to folders
            ${If} $4 == 0
              StrCpy $8 -1
            ${EndIf}
          ${EndIf}
          !insertmacro CheckAce R1
          !insertmacro CheckAce R2
          !insertmacro CheckAce R3
          !insertmacro CheckAce R4
        ${EndIf}
      ${Next}
      System::Call 'kernel32::LocalFree(p R1)'
      System::Call 'kernel32::LocalFree(p R2)'
      System::Call 'kernel32::LocalFree(p R3)'
      System::Call 'kernel32::LocalFree(p R4)'
    ${EndIf}
    System::Call 'kernel32::LocalFree(p r3)'
  ${EndIf}
  Pop $R9
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $9
  Pop $8
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; The print spooler runs the program, and the monitor's programs beside it,
; with its own rights: a folder that ordinary users can change would let
; them run their code with those rights.
Function CheckFolder
  StrCpy $0 $INSTDIR
  Call WritableByOrdinaryUsers
  ${If} $0 == 1
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "Users without administrator rights \
can change files in $INSTDIR.$\r$\n$\r$\nThe print spooler runs PDF Printer, and the \
$\"Redirected Port$\" monitor's programs beside it, with its own rights, so anyone who can \
change them could run their own programs with those rights. Choose a folder under \
$\"Program Files$\" instead.$\r$\n$\r$\nInstall into this folder anyway?" IDYES +2
    Abort
  ${EndIf}
FunctionEnd

Section "PDF Printer"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=pdfprinter.exe" "${PROGRAM}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  SetOutPath "$INSTDIR\docs"
  File "/oname=setup-page1.png" "${SCREENSHOT1}"
  File "/oname=setup-page2.png" "${SCREENSHOT2}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\PDF Printer setup.lnk" "$INSTDIR\pdfprinter.exe" "" \
    "$INSTDIR\pdfprinter.exe" 0 SW_SHOWNORMAL "" "Ports, printers and Ghostscript for PDF Printer"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The PDF Printer authors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pdfprinter.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Silent installs skip the folder page; its warning goes to the log.
  StrCpy $0 $INSTDIR
  Call WritableByOrdinaryUsers
  ${If} $0 == 1
    DetailPrint "Warning: users without administrator rights can change files in $INSTDIR."
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\pdfprinter.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\docs\setup-page1.png"
  Delete "$INSTDIR\docs\setup-page2.png"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\context_list.txt.tmp"

  StrCpy $0 0
  ${If} ${Silent}
    ${un.GetParameters} $1
    ClearErrors
    ${un.GetOptions} $1 "/REMOVESETTINGS" $2
    ${IfNot} ${Errors}
      StrCpy $0 1
    ${EndIf}
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also delete your settings \
(pdfprinter.ini: the Ghostscript location and every port's options), the batch converter's \
list of file types (context_list.txt) and the monitor's log (pdfprinter.log)?$\r$\n$\r$\n\
Choose No to keep them for a later installation." IDNO +2
    StrCpy $0 1
  ${EndIf}
  ${If} $0 == 1
    Delete "$INSTDIR\pdfprinter.ini"
    Delete "$INSTDIR\context_list.txt"
    Delete "$INSTDIR\pdfprinter.log"
  ${Else}
    DetailPrint "Kept the settings and the list of file types in $INSTDIR."
  ${EndIf}
  DetailPrint "The ports of the $\"Redirected Port$\" monitor are kept; printers may still use them."

  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: kept settings and the monitor's programs stay.
  RMDir "$INSTDIR"
  Delete "${MENU_FOLDER}\PDF Printer setup.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
