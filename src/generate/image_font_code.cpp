#include "generate/image_font_code.h"

#include <unordered_map>

namespace quillon {

void BuildFontsCode(Workspace& ws) {
  Lines& code = ws.analysis.fonts_code;
  code.push_back(";- Load Font");
  for (const FontRecord& font : ws.analysis.fonts) code.push_back(font.line);
  code.emplace_back();
}

void ReplaceImageCalls(Workspace& ws) {
  AnalysisModel& model = ws.analysis;
  // Upper-cased file name -> constant; the first image of a file wins.
  std::unordered_map<Text, Text> constant_of_file;
  for (const ImageRecord& image : model.images) constant_of_file.emplace(Upper(image.file), image.number);
  long counter = 0;

  for (Text& line : model.form_code) {
    const long p = PositionNoCase(line, "LOADIMAGE(");
    if (p == 0) continue;
    const long q1 = Position(line, '"', p);
    const long q2 = q1 > 0 ? Position(line, '"', q1 + 1) : 0;
    const long close = Position(line, ')', p);
    if (q2 == 0 || close == 0) continue;
    const Text file = Mid(line, q1 + 1, q2 - q1 - 1);
    auto [it, added] = constant_of_file.emplace(Upper(file), Text());
    if (added) {
      it->second = "#MyImage_" + ToText(counter++);
      model.images.push_back({it->second, file});
    }
    line = Left(line, p - 1) + "ImageID(" + it->second + ")" + Mid(line, close + 1);
  }
}

namespace {

Text UpperExtension(const Text& file) {
  const long dot = LastPosition(file, '.');
  return dot == 0 ? Text() : Upper(Mid(file, dot + 1));
}

}  // namespace

void BuildImagesCode(Workspace& ws) {
  const AnalysisModel& model = ws.analysis;
  Lines& code = ws.analysis.images_code;
  code.push_back(";- Image Plugin");
  code.emplace_back();

  bool jpeg = false, png = false, tiff = false, tga = false;
  for (const ImageRecord& image : model.images) {
    const Text ext = UpperExtension(image.file);
    jpeg = jpeg || ext == "JPG" || ext == "JPEG";
    png = png || ext == "PNG";
    tiff = tiff || ext == "TIF" || ext == "TIFF";
    tga = tga || ext == "TGA";
  }
  if (jpeg) {
    code.push_back("UseJPEGImageDecoder()");
    code.push_back("UseJPEG2000ImageDecoder()");
  }
  if (png) code.push_back("UsePNGImageDecoder()");
  if (tiff) code.push_back("UseTIFFImageDecoder()");
  if (tga) code.push_back("UseTGAImageDecoder()");
  if (jpeg || png || tiff || tga) code.emplace_back();

  if (ws.project.switches.image_include != 0) {
    code.push_back(";- Catch Images");
    for (const ImageRecord& image : model.images) {
      code.push_back("CatchImage(" + image.number + ", ?" + Mid(image.number, 2) + ")");
    }
    code.emplace_back();
    code.push_back(";- Images");
    code.push_back("DataSection");
    for (const ImageRecord& image : model.images) {
      code.push_back("  " + Mid(image.number, 2) + ":");
      code.push_back("  IncludeBinary \"" + image.file + "\"");
    }
    code.push_back("EndDataSection");
  } else {
    code.push_back(";- Load Images");
    for (const ImageRecord& image : model.images) {
      code.push_back("LoadImage(" + image.number + ", \"" + image.file + "\")");
    }
    code.emplace_back();
  }
}

}  // namespace quillon
