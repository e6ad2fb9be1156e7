; Closing the running configuration program, which the setup program and the
; uninstaller both do. NSIS keeps the uninstaller's functions apart (their names start
; with "un."), so the function is defined once per side:
;   !insertmacro CLOSE_PROGRAM_FUNCTION ""   and   !insertmacro CLOSE_PROGRAM_FUNCTION "un."

!macro CLOSE_PROGRAM_FUNCTION UN

; Closes the running configuration program before its files change. Its unsent edits
; are lost, so a user at the screen is asked first; silent runs close it. Ends the
; setup when the program stays open.
Function ${UN}CloseProgram
  FindWindow $0 "${MAIN_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(CloseProgram)" /SD IDOK IDOK close
  Abort "$(ProgramRunning)"
close:
  ${For} $1 1 50
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    Sleep 100
  ${Next}
  Abort "$(ProgramRunning)"
FunctionEnd

!macroend
