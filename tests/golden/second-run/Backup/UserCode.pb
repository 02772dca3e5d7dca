; Code of my own: Quillon renames the constants it binds here too.

Procedure EnableGreeting(on)
  DisableGadget(#WinMain_Btn_Greet, Bool(Not on))
  DisableMenuItem(0, #WinMain_Menu_Quit, Bool(Not on))
EndProcedure
