;-TOP

; Quillon Event Menu

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_Open()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_About()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Menu_Quit()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_WinMain_Tool_Open()
  
EndProcedure

; ***************************************************************************************

