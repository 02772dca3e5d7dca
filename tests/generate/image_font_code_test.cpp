#include "generate/image_font_code.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

std::vector<std::string> Images(const AnalysisModel& m) {
  std::vector<std::string> out;
  for (const auto& image : m.images) out.push_back(ToUtf8(image.number) + "|" + ToUtf8(image.file));
  return out;
}

TEST(BuildFontsCodeTest, TitleFontLinesAsWrittenAndEmptyLine) {
  Step1Project p;
  BuildFontsCode(*p.ws);
  EXPECT_EQ(S(p.ws->analysis.fonts_code), (std::vector<std::string>{";- Load Font", ""}));

  Step1Project q;
  q.ws->analysis.fonts = {{"#Big", "  LoadFont(#Big, \"Arial\", 20)"}, {"3", "LoadFont(3,\"Mono\",9)"}};
  BuildFontsCode(*q.ws);
  EXPECT_EQ(S(q.ws->analysis.fonts_code), (std::vector<std::string>{";- Load Font", "  LoadFont(#Big, \"Arial\", 20)",
                                                                    "LoadFont(3,\"Mono\",9)", ""}));
}

TEST(ReplaceImageCallsTest, InlineCallsBecomeConstantsSharedByFileName) {
  Step1Project p;
  p.ws->analysis.images = {{"#Logo", "logo.png"}};
  p.SetFormCode({
      "  ImageGadget(#Main_I, 0, 0, 64, 64, ImageID(LoadImage(0, \"Icons/Open.PNG\")))",
      "  ButtonImageGadget(#Main_B, 0, 0, 64, 64, ImageID(loadimage(0, \"icons/open.png\")))",
      "  ImageGadget(#Main_L, 0, 0, 64, 64, ImageID(LoadImage(1, \"LOGO.png\")))",
      "  x = LoadImage(2, \"a.bmp\") : y = LoadImage(3, \"b.bmp\")",
      "  TextGadget(#Main_T, 0, 0, 1, 1, \"LoadImage(\")",
      "  LoadImage(4, Path$)",
      "  SetGadgetState(#Main_G, ImageID(#Logo))",
  });
  ReplaceImageCalls(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "  ImageGadget(#Main_I, 0, 0, 64, 64, ImageID(ImageID(#MyImage_0)))",
                              "  ButtonImageGadget(#Main_B, 0, 0, 64, 64, ImageID(ImageID(#MyImage_0)))",
                              "  ImageGadget(#Main_L, 0, 0, 64, 64, ImageID(ImageID(#Logo)))",
                              "  x = ImageID(#MyImage_1) : y = LoadImage(3, \"b.bmp\")",
                              "  TextGadget(#Main_T, 0, 0, 1, 1, \"LoadImage(\")",
                              "  LoadImage(4, Path$)",
                              "  SetGadgetState(#Main_G, ImageID(#Logo))",
                          }));
  EXPECT_EQ(Images(p.ws->analysis),
            (std::vector<std::string>{"#Logo|logo.png", "#MyImage_0|Icons/Open.PNG", "#MyImage_1|a.bmp"}));
}

TEST(ReplaceImageCallsTest, CounterStartsAtZeroInEveryRun) {
  Step1Project p;
  for (int run = 0; run < 2; ++run) {
    p.ws->analysis.images.clear();
    p.SetFormCode({"ImageID(LoadImage(0, \"x.png\"))"});
    ReplaceImageCalls(*p.ws);
    EXPECT_EQ(p.FormCode()[0], "ImageID(ImageID(#MyImage_0))");
  }
}

TEST(ReplaceImageCallsTest, MalformedCallsNeverCrash) {
  Step1Project p;
  p.SetFormCode({"LoadImage(", "LoadImage(0, \"a.png\"", "LoadImage(\"", "\"LoadImage(\"b.png\")"});
  ReplaceImageCalls(*p.ws);
  EXPECT_EQ(p.FormCode()[0], "LoadImage(");
  EXPECT_EQ(p.FormCode()[1], "LoadImage(0, \"a.png\"");  // no ")" after the call
  EXPECT_EQ(p.FormCode()[2], "LoadImage(\"");
  EXPECT_EQ(p.FormCode()[3], "\"ImageID(#MyImage_0)");
  EXPECT_EQ(Images(p.ws->analysis), (std::vector<std::string>{"#MyImage_0|b.png"}));
}

TEST(BuildImagesCodeTest, DecodersOncePerGroupInFixedOrder) {
  Step1Project p;
  p.ws->analysis.images = {{"#A", "pics/a.tga"}, {"#B", "b.Png"}, {"#C", "c.jpeg"},
                           {"#D", "d.png"},      {"#E", "e.TIF"}, {"#F", "noext"}};
  BuildImagesCode(*p.ws);
  EXPECT_EQ(S(p.ws->analysis.images_code),
            (std::vector<std::string>{";- Image Plugin", "", "UseJPEGImageDecoder()", "UseJPEG2000ImageDecoder()",
                                      "UsePNGImageDecoder()", "UseTIFFImageDecoder()", "UseTGAImageDecoder()", "",
                                      ";- Load Images", "LoadImage(#A, \"pics/a.tga\")", "LoadImage(#B, \"b.Png\")",
                                      "LoadImage(#C, \"c.jpeg\")", "LoadImage(#D, \"d.png\")",
                                      "LoadImage(#E, \"e.TIF\")", "LoadImage(#F, \"noext\")", ""}));
}

TEST(BuildImagesCodeTest, BmpOnlyHasNoDecoderAndNoSecondEmptyLine) {
  Step1Project p;
  p.ws->analysis.images = {{"#A", "a.bmp"}};
  BuildImagesCode(*p.ws);
  EXPECT_EQ(S(p.ws->analysis.images_code),
            (std::vector<std::string>{";- Image Plugin", "", ";- Load Images", "LoadImage(#A, \"a.bmp\")", ""}));
}

TEST(BuildImagesCodeTest, IncludedImages) {
  Step1Project p;
  p.ws->project.switches.image_include = 1;
  p.ws->analysis.images = {{"#Logo", "logo.jpg"}, {"#MyImage_0", "x/y.bmp"}};
  BuildImagesCode(*p.ws);
  EXPECT_EQ(
      S(p.ws->analysis.images_code),
      (std::vector<std::string>{";- Image Plugin", "", "UseJPEGImageDecoder()", "UseJPEG2000ImageDecoder()", "",
                                ";- Catch Images", "CatchImage(#Logo, ?Logo)", "CatchImage(#MyImage_0, ?MyImage_0)", "",
                                ";- Images", "DataSection", "  Logo:", "  IncludeBinary \"logo.jpg\"",
                                "  MyImage_0:", "  IncludeBinary \"x/y.bmp\"", "EndDataSection"}));
}

TEST(BuildImagesCodeTest, NoImages) {
  Step1Project off;
  BuildImagesCode(*off.ws);
  EXPECT_EQ(S(off.ws->analysis.images_code), (std::vector<std::string>{";- Image Plugin", "", ";- Load Images", ""}));
  Step1Project on;
  on.ws->project.switches.image_include = 1;
  BuildImagesCode(*on.ws);
  EXPECT_EQ(S(on.ws->analysis.images_code), (std::vector<std::string>{";- Image Plugin", "", ";- Catch Images", "",
                                                                      ";- Images", "DataSection", "EndDataSection"}));
}

}  // namespace
}  // namespace quillon::testing
