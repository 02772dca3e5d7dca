// Build-time tool: writes the licence the program shows as the LICENCE file
// and as the Debian copyright file of the package, so that the installed
// documents never differ from the text in the window.
#include <cstdio>
#include <string>

#include "app/licence_text.h"

namespace {

bool WriteText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "write_licence: cannot write %s\n", path.c_str());
    return false;
  }
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

// The machine-readable copyright format: a licence text continues on lines
// that start with a blank, an empty line is written " .".
std::string CopyrightFile(const std::string& licence) {
  std::string out =
      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
      "Upstream-Name: quillon\n"
      "\n"
      "Files: *\n"
      "Copyright: The Quillon developers\n"
      "License: Quillon\n"
      "\n"
      "License: Quillon\n";
  size_t start = 0;
  while (start < licence.size()) {
    size_t end = licence.find('\n', start);
    if (end == std::string::npos) end = licence.size();
    std::string line = licence.substr(start, end - start);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line.empty() ? " .\n" : " " + line + "\n";
    start = end + 1;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_licence LICENCE_FILE COPYRIGHT_FILE\n");
    return 2;
  }
  const std::string licence = quillon::app::LicenceText();
  return WriteText(argv[1], licence) && WriteText(argv[2], CopyrightFile(licence)) ? 0 : 1;
}
