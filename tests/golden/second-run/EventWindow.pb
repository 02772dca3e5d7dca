;-TOP

; Quillon Event Window

; ***************************************************************************************

Procedure EventSize_WinMain()
  ResizeGadget(#WinMain_Btn_SayHello, WindowWidth(#WinMain) - 90, #PB_Ignore, #PB_Ignore, #PB_Ignore)
  
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

