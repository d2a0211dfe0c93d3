; For the package tests: writes to xml.txt beside itself what XmlText makes of a text that holds every character XML
; sets apart, as a folder name might.
Unicode true
Target amd64-unicode
OutFile "${OUTFILE}"
RequestExecutionLevel user
SilentInstall silent

!include LogicLib.nsh
!include "${__FILEDIR__}/../../packaging/XmlText.nsh"

Section
    Push `C:\Program Files\Tools & more <"Bob's">`
    Call XmlText
    Pop $0
    FileOpen $1 "$EXEDIR\xml.txt" w
    FileWrite $1 $0
    FileClose $1
SectionEnd
