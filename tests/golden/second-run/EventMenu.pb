;-TOP

; Quillon Event Menu

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_Open()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_About()
  Open_WinAbout()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_Exit()
  If MessageRequester("Quit", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    ExitApplication = 1
  EndIf
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Tool_Open()
  
EndProcedure

; ***************************************************************************************

