; hand-written form code
Global Win
Procedure OpenWin()
  Win = OpenWindow(#PB_Any, 0, 0, 200, 100, "Any")
  ButtonGadget(#Win_Btn, 10, 10, 80, 24, "Hello")
  ImageGadget(#Win_Img, 10, 40, 16, 16, LoadImage(#PB_Any, "a.png"))
  StringGadget(#Win_Str, 10, 60, 80, 20, "unclosed
EndProcedure
