; XmlText, for Norvex.nsi (and the package tests): the text on the stack, with &, <, >, " and ' written as XML writes
; them. Needs LogicLib.nsh.
Function XmlText
    Exch $0 ; the text
    Push $1 ; its characters, one by one
    Push $2 ; the XML
    StrCpy $2 ""
    ${Do}
        StrCpy $1 $0 1
        ${If} $1 == ""
            ${Break}
        ${EndIf}
        StrCpy $0 $0 "" 1
        ${Select} $1
        ${Case} "&"
            StrCpy $1 "&amp;"
        ${Case} "<"
            StrCpy $1 "&lt;"
        ${Case} ">"
            StrCpy $1 "&gt;"
        ${Case} '"'
            StrCpy $1 "&quot;"
        ${Case} "'"
            StrCpy $1 "&apos;"
        ${EndSelect}
        StrCpy $2 "$2$1"
    ${Loop}
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
