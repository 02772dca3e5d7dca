#include "app/licence_text.h"

#include "quillon_version.h"

namespace quillon::app {

const char* LicenceText() {
  return "Lizenzvereinbarung  \n"
         "\n" QUILLON_PRODUCT_TITLE
         "\n"
         "\n"
         "1. Nutzung\n"
         "   Sie duerfen dieses Programm auf beliebig vielen eigenen Rechnern verwenden\n"
         "   und den damit erzeugten Quelltext frei in eigenen Programmen einsetzen.\n"
         "\n"
         "2. Weitergabe\n"
         "   Das Programm darf nur unveraendert und vollstaendig weitergegeben werden.\n"
         "\n"
         "3. Gewaehrleistung\n"
         "   Das Programm wird ohne jede Gewaehrleistung geliefert. Legen Sie vor jedem\n"
         "   Lauf eine Sicherung Ihres Projekts an; die Sicherung im Ordner \"Backup\"\n"
         "   ersetzt keine eigene Datensicherung.\n"
         "\n"
         "4. Haftung\n"
         "   Fuer Schaeden, die aus der Nutzung entstehen, wird nicht gehaftet, soweit\n"
         "   das Gesetz dies zulaesst.\n"
         "\n"
         "Mit der Nutzung des Programms erkennen Sie diese Vereinbarung an.\n";
}

Lines SplitLicenceLines(TextView text) {
  Lines lines;
  Text current;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  return lines;
}

}  // namespace quillon::app
