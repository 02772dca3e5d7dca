; Quillon Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #WinMain
  #WinAbout
EndEnumeration

;- Menubar Constants
;
Enumeration
  #WinMain_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #WinMain_Menu_Open
  #WinMain_Menu_About
  #WinMain_Menu_Quit
  #WinMain_Tool_Open
EndEnumeration

;- Gadget Constants
;
Enumeration
  #WinMain_Txt_Name
  #WinMain_Str_Name
  #WinMain_Btn_Greet
  #WinMain_Frame_Options
  #WinMain_Chk_Upper
  #WinMain_Img_Preview
  #WinMain_List_Log
  #WinAbout_Txt_About
  #WinAbout_Img_Logo
  #WinAbout_Btn_Close
EndEnumeration

;- StatusBar Constants
;
Enumeration
  #WinMain_StatusBar
EndEnumeration

;- ToolBar Constants
;
Enumeration
  #WinMain_ToolBar
EndEnumeration

;- Font Constants
;
Enumeration
  #Font_Title
EndEnumeration

;- Image Constants
;
Enumeration
  #Img_Logo
  #MyImage_0
EndEnumeration


; ***************************************************************************************

;- Load Font
LoadFont(#Font_Title, "DejaVu Sans", 12, #PB_Font_Bold)

;- Image Plugin

UsePNGImageDecoder()

;- Load Images
LoadImage(#Img_Logo, "images/logo.png")
LoadImage(#MyImage_0, "images/preview.png")


; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

Procedure Open_WinMain(x = 0, y = 0, width = 420, height = 300)
  OpenWindow(#WinMain, #PB_Ignore, #PB_Ignore, width, height, "Quillon Example", #PB_Window_SystemMenu | #PB_Window_SizeGadget)
  CreateMenu(#WinMain_Menu, WindowID(#WinMain))
  MenuTitle(MyLanguage("File"))
  MenuItem(#WinMain_Menu_Open, MyLanguage("Open...") + #TAB$ + "Ctrl+O")
  MenuItem(#WinMain_Menu_About, MyLanguage("About"))
  MenuBar()
  MenuItem(#WinMain_Menu_Quit, MyLanguage("Quit"))
  CreateToolbar(#WinMain_ToolBar, WindowID(#WinMain))
  ToolBarImageButton(#WinMain_Tool_Open, ImageID(#WinAbout_Img_Logo))
  ToolBarToolTip(#WinMain_ToolBar, #WinMain_Tool_Open, MyLanguage("Open a file"))
  CreateStatusBar(#WinMain_StatusBar, WindowID(#WinMain))
  AddStatusBarField(#PB_Ignore)
  StatusBarText(#WinMain_StatusBar, 0, MyLanguage("Ready"))
  TextGadget(#WinMain_Txt_Name, 10, 10, 100, 20, MyLanguage("Your name:"))
  StringGadget(#WinMain_Str_Name, 120, 10, 200, 20, MyLanguage(""))
  ButtonGadget(#WinMain_Btn_Greet, 330, 10, 80, 25, MyLanguage("Greet"))
  Frame3DGadget(#WinMain_Frame_Options, 10, 45, 400, 50, MyLanguage("Options"))
  CheckBoxGadget(#WinMain_Chk_Upper, 20, 65, 200, 20, MyLanguage("Greet in capitals"))
  ImageGadget(#WinMain_Img_Preview, 10, 105, 64, 64, ImageID(#MyImage_0))
  ListViewGadget(#WinMain_List_Log, 80, 105, 330, 120)
EndProcedure

; ***************************************************************************************

Procedure Open_WinAbout(x = 0, y = 0, width = 300, height = 140)
  OpenWindow(#WinAbout, #PB_Ignore, #PB_Ignore, width, height, "About", #PB_Window_SystemMenu | #PB_Window_ScreenCentered, WindowID(#WinMain))
  TextGadget(#WinAbout_Txt_About, 10, 10, 280, 60, MyLanguage("A program whose event code Quillon generated."))
  ImageGadget(#WinAbout_Img_Logo, 10, 75, 32, 32, ImageID(#Img_Logo))
  ButtonGadget(#WinAbout_Btn_Close, 190, 100, 100, 25, MyLanguage("Close"))
EndProcedure

; ***************************************************************************************

