;-TOP

; Quillon EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

; Init Event Pointer

Prototype MyProtoInvoke()
Prototype MyProtoInvoke1(EventType)

Structure udtCallEvent
  Invoke.MyProtoInvoke[0]
EndStructure

Structure udtCallEvent1
  Invoke.MyProtoInvoke1[0]
EndStructure

Global *CallEventMenu.udtCallEvent    = ?CallEventMenu
Global *CallEventGadget.udtCallEvent1 = ?CallEventGadget
Global *CallEventSize.udtCallEvent    = ?CallEventSize
Global *CallEventExit.udtCallEvent    = ?CallEventExit

#CallEventMenuCount   = 4
#CallEventGadgetCount = 10
#CallEventWindowCount = 2

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  If MenuID >= 0 And MenuID < #CallEventMenuCount
    *CallEventMenu\Invoke[MenuID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  If GadgetID >= 0 And GadgetID < #CallEventGadgetCount
    *CallEventGadget\Invoke[GadgetID](EventType)
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventSize\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventExit\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventDispatch(EventType)
  
EndProcedure

; *********************************************************************************************************

DataSection
  CallEventMenu:
    Data.i @EventMenu_WinMain_Menu_Open()
    Data.i @EventMenu_WinMain_Menu_About()
    Data.i @EventMenu_WinMain_Menu_Quit()
    Data.i @EventMenu_WinMain_Tool_Open()
  CallEventGadget:
    Data.i @MyEventDispatch()
    Data.i @EventGadget_WinMain_Str_Name()
    Data.i @EventGadget_WinMain_Btn_Greet()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_WinMain_Chk_Upper()
    Data.i @EventGadget_WinMain_Img_Preview()
    Data.i @EventGadget_WinMain_List_Log()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_WinAbout_Img_Logo()
    Data.i @EventGadget_WinAbout_Btn_Close()
  CallEventSize:
    Data.i @EventSize_WinMain()
    Data.i @EventSize_WinAbout()
  CallEventExit:
    Data.i @EventExit_WinMain()
    Data.i @EventExit_WinAbout()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
