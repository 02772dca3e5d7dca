;-TOP

; Quillon Event Gadget

; ***************************************************************************************

Procedure EventGadget_WinMain_Str_Name(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinMain_Btn_Greet(EventType)
  ; greets once, then the button has done its job
  Protected name.s = GetGadgetText(#WinMain_Str_Name)
  AddGadgetItem(#WinMain_List_Log, -1, "Hello, " + name)
  DisableGadget(#WinMain_Btn_Greet, #True)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinMain_Chk_Upper(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinMain_Img_Preview(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinMain_List_Log(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinAbout_Img_Logo(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_WinAbout_Btn_Close(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

