; The setup program of callcfg for 64-bit Windows, made by packaging/windows/build:
;   makensis -INPUTCHARSET UTF8 -DVERSION=4.0 -DVERSION_NUMBERS=4.0.0.0 -DSIZE_KIB=... \
;            -DICON=callcfg.ico -DLISTS=folder -DOUTFILE=callcfg-4.0-setup.exe callcfg.nsi
; LISTS holds install.nsh and uninstall.nsh, the build's lists of the files. It installs into
; Program Files, adds the Start-menu entry and the entry in the list of installed programs;
; /S installs silently, and the uninstaller takes /S as well. It refuses a Windows older than
; 10 version 1809.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "鸣玉配置软件"
!define PUBLISHER "鸣玉"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\callcfg"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\callcfg"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${PUBLISHER}"

!include "MUI2.nsh"
!include "WinVer.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Qt 6.4 runs on 64-bit Windows 10 from version 1809 (build 17763) on; the setup program is a
; 64-bit program and starts on no 32-bit Windows. An older Windows is refused before anything
; is written, with a box, or under /S without one, with exit status 1.
Function .onInit
    ${IfNot} ${AtLeastWin10}
    ${OrIfNot} ${AtLeastBuild} 17763
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT}需要 Windows 10（1809 版）或更新的 64 位 Windows。" /SD IDOK
        SetErrorLevel 1
        Quit
    ${EndIf}
    ; For every user: the Start menu's common folder, the machine's list of installed programs.
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    !include "${LISTS}/install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\callcfg.exe" "" "$INSTDIR\callcfg.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\callcfg.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KIB}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the setup program installed goes: a folder that holds anything else stays.
Section "Uninstall"
    !include "${LISTS}/uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
