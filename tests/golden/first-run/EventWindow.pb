;-TOP

; Quillon Event Window

; ***************************************************************************************

Procedure EventSize_WinMain()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_WinAbout()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_WinMain()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_WinAbout()
  CloseWindow(#WinAbout)
EndProcedure

; ***************************************************************************************

