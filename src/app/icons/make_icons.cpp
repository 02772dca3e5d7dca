// Build-time tool: draws the program's twelve 16 x 16 icons, encodes each as
// an RGBA PNG and writes them as a C++ source (arrays of PNG bytes). With a
// second argument it also writes the PNG files and an enlarged sheet of all of
// them into that folder for viewing. "--app-icon FOLDER" instead draws the
// program's own icon for the desktop's launcher at every size of the icon
// theme, as FOLDER/<size>.png.
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Shapes are drawn in a 16 x 16 space, scaled to the image's size.
constexpr int kSize = 16;

struct Rgba {
  uint8_t r, g, b, a;
};

struct Image {
  explicit Image(int pixels = kSize) : size(pixels), px(static_cast<size_t>(pixels) * pixels, Rgba{0, 0, 0, 0}) {}

  int size;
  std::vector<Rgba> px;

  // Source-over blend of `c` with coverage `cover` (0..1).
  void Blend(int x, int y, Rgba c, double cover) {
    if (x < 0 || y < 0 || x >= size || y >= size || cover <= 0) return;
    Rgba& d = px[y * size + x];
    const double sa = c.a / 255.0 * cover;
    const double da = d.a / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    auto mix = [&](uint8_t s, uint8_t t) {
      return static_cast<uint8_t>(std::lround((s * sa + t * da * (1 - sa)) / oa));
    };
    d = Rgba{mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), static_cast<uint8_t>(std::lround(oa * 255))};
  }
};

using Inside = std::function<bool(double x, double y)>;

// Fills every pixel by the share of 4 x 4 samples that lie inside the shape.
void Fill(Image& img, Rgba c, const Inside& inside) {
  const double scale = static_cast<double>(kSize) / img.size;
  for (int y = 0; y < img.size; ++y) {
    for (int x = 0; x < img.size; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          if (inside((x + (sx + 0.5) / 4.0) * scale, (y + (sy + 0.5) / 4.0) * scale)) ++hits;
        }
      }
      img.Blend(x, y, c, hits / 16.0);
    }
  }
}

Inside Rect(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

using Points = std::vector<std::pair<double, double>>;

Inside Polygon(Points pts) {
  return [pts](double x, double y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const auto [xi, yi] = pts[i];
      const auto [xj, yj] = pts[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  };
}

// A straight stroke of width `w` from (x0, y0) to (x1, y1).
Inside Line(double x0, double y0, double x1, double y1, double w) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    double t = ((x - x0) * dx + (y - y0) * dy) / len2;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= w * w / 4;
  };
}

const Rgba kOutline{60, 60, 60, 255};
const Rgba kWhite{255, 255, 255, 255};
const Rgba kPaper{250, 250, 250, 255};
const Rgba kGreen{40, 160, 50, 255};
const Rgba kDarkGreen{20, 110, 30, 255};
const Rgba kRed{210, 35, 30, 255};
const Rgba kViolet{130, 60, 180, 255};
const Rgba kDarkViolet{80, 30, 120, 255};
const Rgba kBlue{40, 90, 200, 255};

// A page with a folded top-right corner.
void Document(Image& img) {
  const Points page = {{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}};
  Fill(img, kOutline, Polygon(page));
  Fill(img, kPaper, Polygon({{3.5, 1.5}, {9.8, 1.5}, {12.5, 4.2}, {12.5, 14.5}, {3.5, 14.5}}));
  Fill(img, Rgba{200, 200, 200, 255}, Polygon({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
  Fill(img, kOutline, Line(9.5, 1, 9.5, 4.5, 1));
  Fill(img, kOutline, Line(9.5, 4.5, 13, 4.5, 1));
}

void Floppy(Image& img, Rgba body, Rgba dark) {
  Fill(img, dark, Polygon({{0.5, 0.5}, {13.5, 0.5}, {15.5, 2.5}, {15.5, 15.5}, {0.5, 15.5}}));
  Fill(img, body, Polygon({{1.5, 1.5}, {13, 1.5}, {14.5, 3}, {14.5, 14.5}, {1.5, 14.5}}));
  Fill(img, kWhite, Rect(3, 1.5, 13, 7));                    // label
  Fill(img, Rgba{170, 170, 170, 255}, Rect(3, 3, 13, 3.6));  // lines on the label
  Fill(img, Rgba{170, 170, 170, 255}, Rect(3, 5, 13, 5.6));
  Fill(img, Rgba{200, 200, 210, 255}, Rect(4, 10, 12, 15));  // shutter
  Fill(img, dark, Rect(9, 11, 11, 14));
}

Image BlankDocument() {
  Image img;
  Document(img);
  return img;
}

Image OpenFolderGreenArrow() {
  Image img;
  const Rgba back{190, 140, 40, 255};
  const Rgba front{245, 200, 80, 255};
  Fill(img, kOutline, Polygon({{0.5, 4.5}, {5.5, 4.5}, {6.5, 5.5}, {12.5, 5.5}, {12.5, 14.5}, {0.5, 14.5}}));
  Fill(img, back, Polygon({{1.5, 5.5}, {5, 5.5}, {6, 6.5}, {11.5, 6.5}, {11.5, 13.5}, {1.5, 13.5}}));
  // the opened front flap, tilted
  Fill(img, kOutline, Polygon({{3, 8.5}, {15.5, 8.5}, {12.5, 14.5}, {0.5, 14.5}}));
  Fill(img, front, Polygon({{3.7, 9.5}, {14, 9.5}, {11.8, 13.6}, {1.8, 13.6}}));
  // green arrow rising out of the folder to the upper right
  Fill(img, kDarkGreen, Line(7, 8, 12.5, 2.5, 2.6));
  Fill(img, kDarkGreen, Polygon({{9.5, 0.5}, {15.5, 0.5}, {15.5, 6.5}}));
  Fill(img, kGreen, Line(7.3, 7.7, 12.5, 2.5, 1.4));
  Fill(img, kGreen, Polygon({{11, 1.3}, {14.7, 1.3}, {14.7, 5}}));
  return img;
}

Image VioletFloppy() {
  Image img;
  Floppy(img, kViolet, kDarkViolet);
  return img;
}

Image GreenFloppy() {
  Image img;
  Floppy(img, kGreen, kDarkGreen);
  return img;
}

Image GreenPlus() {
  Image img;
  Fill(img, kDarkGreen, Rect(5.5, 1.5, 10.5, 14.5));
  Fill(img, kDarkGreen, Rect(1.5, 5.5, 14.5, 10.5));
  Fill(img, kGreen, Rect(6.5, 2.5, 9.5, 13.5));
  Fill(img, kGreen, Rect(2.5, 6.5, 13.5, 9.5));
  return img;
}

Image RedMinus() {
  Image img;
  Fill(img, Rgba{140, 20, 20, 255}, Rect(1.5, 5.5, 14.5, 10.5));
  Fill(img, kRed, Rect(2.5, 6.5, 13.5, 9.5));
  return img;
}

Image GreenDiscUpArrow() {
  Image img;
  Fill(img, kDarkGreen, Circle(8, 8, 7.8));
  Fill(img, kGreen, Circle(8, 8, 6.8));
  Fill(img, kWhite, Polygon({{8, 2.5}, {12.5, 7.5}, {9.6, 7.5}, {9.6, 13}, {6.4, 13}, {6.4, 7.5}, {3.5, 7.5}}));
  return img;
}

Image DocumentRedArrow() {
  Image img;
  Document(img);
  Fill(img, Rgba{120, 10, 10, 255}, Polygon({{2, 7}, {9, 7}, {9, 4}, {15.8, 9.5}, {9, 15}, {9, 12}, {2, 12}}));
  Fill(img, kRed, Polygon({{3, 8}, {10, 8}, {10, 6.2}, {14.3, 9.5}, {10, 12.8}, {10, 11}, {3, 11}}));
  return img;
}

Image Door() {
  Image img;
  const Rgba frame{90, 60, 30, 255};
  Fill(img, frame, Rect(2, 0.5, 14, 16));                  // door frame
  Fill(img, Rgba{20, 20, 30, 255}, Rect(3, 1.5, 13, 16));  // dark opening
  // the door leaf swung open towards the viewer
  Fill(img, Rgba{110, 70, 30, 255}, Polygon({{3, 1.5}, {9, 3.5}, {9, 16}, {3, 16}}));
  Fill(img, Rgba{175, 115, 55, 255}, Polygon({{3.8, 2.6}, {8.2, 4.1}, {8.2, 15.2}, {3.8, 15.2}}));
  Fill(img, Rgba{250, 210, 60, 255}, Circle(7.3, 9.5, 0.9));  // knob
  // a green arrow leading out through the door
  Fill(img, kGreen, Line(9.5, 9.5, 13.5, 9.5, 1.6));
  Fill(img, kGreen, Polygon({{12.5, 7}, {15.8, 9.5}, {12.5, 12}}));
  return img;
}

Image FormWithPencil() {
  Image img;
  Fill(img, kOutline, Rect(0.5, 1.5, 13.5, 14.5));
  Fill(img, Rgba{225, 225, 225, 255}, Rect(1.5, 4.5, 12.5, 13.5));
  Fill(img, kBlue, Rect(1.5, 2.5, 12.5, 4.5));                // title bar
  Fill(img, kWhite, Rect(3, 6, 8, 7.5));                      // a text field
  Fill(img, Rgba{160, 160, 160, 255}, Rect(3, 9, 10, 10.5));  // another gadget
  // pencil lying diagonally over the lower right corner
  Fill(img, Rgba{60, 40, 10, 255}, Line(15.2, 5.2, 8.2, 12.2, 3.4));
  Fill(img, Rgba{245, 190, 40, 255}, Line(15, 5.4, 8.6, 11.8, 2.2));
  Fill(img, Rgba{240, 120, 140, 255}, Line(15.4, 5, 14.2, 6.2, 2.2));                 // eraser
  Fill(img, Rgba{235, 210, 170, 255}, Polygon({{7.2, 11}, {9, 12.8}, {6.2, 13.8}}));  // wood tip
  Fill(img, kOutline, Polygon({{6.8, 12.8}, {7.2, 13.2}, {6.2, 13.8}}));
  return img;
}

Image SpeechBubbleInfo() {
  Image img;
  const Inside bubble = [](double x, double y) {
    const double dx = (x - 8) / 7.6, dy = (y - 6.8) / 6.2;
    return dx * dx + dy * dy <= 1;
  };
  Fill(img, kBlue, bubble);
  Fill(img, kBlue, Polygon({{3, 10}, {7, 11.5}, {1.5, 15.8}}));
  Fill(img, kWhite, [](double x, double y) {
    const double dx = (x - 8) / 6.6, dy = (y - 6.8) / 5.2;
    return dx * dx + dy * dy <= 1;
  });
  Fill(img, kWhite, Polygon({{3.8, 10.3}, {6, 11.3}, {3, 14}}));
  // the letter i
  Fill(img, kBlue, Circle(8, 3.6, 1.1));
  Fill(img, kBlue, Rect(7, 5.6, 9, 10.4));
  Fill(img, kBlue, Rect(6.2, 9.6, 9.8, 10.6));
  return img;
}

Image VioletBook() {
  Image img;
  Fill(img, kDarkViolet, Polygon({{2.5, 0.5}, {14.5, 0.5}, {14.5, 15.5}, {2.5, 15.5}}));
  Fill(img, kWhite, Rect(4, 12.5, 14, 14.8));  // page edges at the bottom
  Fill(img, Rgba{200, 200, 200, 255}, Rect(4, 13.4, 14, 13.8));
  Fill(img, kViolet, Rect(4.3, 1.5, 13.5, 12));                    // front cover
  Fill(img, kDarkViolet, Rect(2.5, 0.5, 4.3, 15.5));               // spine
  Fill(img, Rgba{230, 200, 250, 255}, Rect(6.5, 3.5, 11.5, 4.5));  // title
  Fill(img, Rgba{230, 200, 250, 255}, Rect(6.5, 6, 11.5, 6.8));
  return img;
}

Inside RoundRect(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    if (x < x0 || y < y0 || x >= x1 || y >= y1) return false;
    const double cx = x < x0 + r ? x0 + r : (x > x1 - r ? x1 - r : x);
    const double cy = y < y0 + r ? y0 + r : (y > y1 - r ? y1 - r : y);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

// The program's own icon: a form window with its gadgets, and a green arrow
// that turns it into code (the lines beside the arrow).
Image ProgramIcon(int pixels) {
  Image img(pixels);
  Fill(img, kOutline, RoundRect(0.5, 1, 15.5, 15, 1.2));
  Fill(img, Rgba{236, 236, 236, 255}, RoundRect(1.3, 1.8, 14.7, 14.2, 0.7));
  Fill(img, kBlue, RoundRect(1.3, 1.8, 14.7, 4.2, 0.7));
  Fill(img, kBlue, Rect(1.3, 3, 14.7, 4.2));
  Fill(img, kWhite, Circle(13, 3, 0.6));
  Fill(img, kWhite, Rect(2.6, 5.6, 8, 7));                      // a text field
  Fill(img, Rgba{170, 170, 170, 255}, Rect(2.6, 8.3, 7, 9.7));  // a button
  Fill(img, Rgba{170, 170, 170, 255}, Rect(2.6, 11, 6, 12.4));
  Fill(img, Rgba{120, 120, 120, 255}, Rect(10.5, 6, 13.6, 6.6));  // code lines
  Fill(img, Rgba{120, 120, 120, 255}, Rect(11.3, 7.6, 13.6, 8.2));
  Fill(img, kDarkGreen,
       Polygon({{6.5, 9.2}, {9.5, 9.2}, {9.5, 7.2}, {13.9, 11}, {9.5, 14.8}, {9.5, 12.8}, {6.5, 12.8}}));
  Fill(img, kGreen,
       Polygon({{7.2, 9.9}, {10.2, 9.9}, {10.2, 8.8}, {12.8, 11}, {10.2, 13.2}, {10.2, 12.1}, {7.2, 12.1}}));
  return img;
}

template <typename Pixels>
bool WritePng(const Pixels& px, int width, int height, std::vector<uint8_t>* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(
      png, out,
      [](png_structp p, png_bytep data, png_size_t len) {
        auto* o = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        o->insert(o->end(), data, data + len);
      },
      nullptr);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, reinterpret_cast<png_const_bytep>(&px[y * width]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// All icons side by side, enlarged 8 times on a light grey ground, for a look.
bool WriteSheet(const std::vector<Image>& icons, const std::string& path) {
  constexpr int kScale = 8;
  const int w = static_cast<int>(icons.size()) * (kSize + 2) * kScale, h = (kSize + 2) * kScale;
  std::vector<Rgba> px(w * h, Rgba{220, 220, 220, 255});
  for (size_t i = 0; i < icons.size(); ++i) {
    for (int y = 0; y < kSize * kScale; ++y) {
      for (int x = 0; x < kSize * kScale; ++x) {
        const Rgba s = icons[i].px[(y / kScale) * kSize + x / kScale];
        Rgba& d = px[(y + kScale) * w + static_cast<int>(i) * (kSize + 2) * kScale + kScale + x];
        const double a = s.a / 255.0;
        d = Rgba{static_cast<uint8_t>(s.r * a + d.r * (1 - a)), static_cast<uint8_t>(s.g * a + d.g * (1 - a)),
                 static_cast<uint8_t>(s.b * a + d.b * (1 - a)), 255};
      }
    }
  }
  std::vector<uint8_t> png;
  if (!WritePng(px, w, h, &png)) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(png.data(), 1, png.size(), f);
  return std::fclose(f) == 0;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// The launcher icon at the sizes of the hicolor theme the package installs.
int WriteProgramIcons(const std::string& folder) {
  for (int pixels : {16, 32, 48, 64, 128, 256}) {
    std::vector<uint8_t> png;
    if (!WritePng(ProgramIcon(pixels).px, pixels, pixels, &png)) return 1;
    if (!WriteFile(folder + "/" + std::to_string(pixels) + ".png", png)) {
      std::fprintf(stderr, "make_icons: cannot write %s/%d.png\n", folder.c_str(), pixels);
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_icons OUTPUT.cpp [PNG_FOLDER]\n       make_icons --app-icon FOLDER\n");
    return 2;
  }
  if (std::string(argv[1]) == "--app-icon") return argc == 3 ? WriteProgramIcons(argv[2]) : 2;
  const std::vector<Image> icons = {
      BlankDocument(),    OpenFolderGreenArrow(), VioletFloppy(), GreenFloppy(),    GreenPlus(),        RedMinus(),
      GreenDiscUpArrow(), DocumentRedArrow(),     Door(),         FormWithPencil(), SpeechBubbleInfo(), VioletBook()};
  std::string src =
      "// Generated by make_icons: the twelve 16 x 16 RGBA PNG icons. Do not edit.\n"
      "#include \"app/icon_data.h\"\n\nnamespace quillon::app {\n\n";
  for (size_t i = 0; i < icons.size(); ++i) {
    std::vector<uint8_t> png;
    if (!WritePng(icons[i].px, kSize, kSize, &png)) return 1;
    if (argc > 2) {
      const std::string name = std::string(argv[2]) + "/icon" + std::to_string(i) + ".png";
      if (FILE* f = std::fopen(name.c_str(), "wb")) {
        std::fwrite(png.data(), 1, png.size(), f);
        std::fclose(f);
      }
    }
    src += "static const unsigned char kIcon" + std::to_string(i) + "[] = {";
    for (size_t b = 0; b < png.size(); ++b) {
      src += (b % 16 == 0 ? "\n  " : " ") + std::to_string(png[b]) + ",";
    }
    src += "\n};\n\n";
  }
  if (argc > 2 && !WriteSheet(icons, std::string(argv[2]) + "/sheet.png")) return 1;
  src += "const IconPng kIconPngs[kIconCount] = {\n";
  for (size_t i = 0; i < icons.size(); ++i) {
    src += "  {kIcon" + std::to_string(i) + ", sizeof(kIcon" + std::to_string(i) + ")},\n";
  }
  src += "};\n\n}  // namespace quillon::app\n";
  FILE* f = std::fopen(argv[1], "wb");
  if (!f) return 1;
  const bool ok = std::fwrite(src.data(), 1, src.size(), f) == src.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}
