; Code of my own: Quillon renames the constants it binds here too.

Procedure EnableGreeting(on)
  DisableGadget(#WinMain_Btn_SayHello, Bool(Not on))
  DisableMenuItem(0, #WinMain_Menu_Exit, Bool(Not on))
EndProcedure
