#include "generate/language_files.h"

#include <gtest/gtest.h>

#include "generate/templates.h"
#include "host/log_lines.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;
using testing::ToUtf8Lines;

std::vector<std::string> Keys(const LanguageMap& map) {
  std::vector<std::string> keys;
  map.ForEach([&keys](const Text& key, const Text&) { keys.push_back(ToUtf8(key)); });
  return keys;
}

TEST(LanguageOrderTest, BucketsInOrderNewestFirstWithinABucket) {
  // Hand-computed buckets: "!" 33, "A" 65, "B" 66, and "ab" = 97 * 65599 + 98
  // = 6363201 = 12428 * 512 + 65, so "ab" shares bucket 65 with "A".
  LanguageMap map;
  for (const char* key : {"B", "A", "ab", "!"}) map.Set(T(key), T(key));
  EXPECT_EQ(Keys(map), (std::vector<std::string>{"!", "ab", "A", "B"}));
  EXPECT_EQ(ToUtf8Lines(CatalogLines(map)), "Default;Language\n\"!\";\"\"\n\"ab\";\"\"\n\"A\";\"\"\n\"B\";\"\"\n");
}

TEST(LanguageOrderTest, CharactersAboveTheBasicPlaneHashAsSurrogatePairs) {
  // U+1F600 is D83D DE00: (55357 * 65599 + 56832) mod 512 = 259, the bucket of
  // U+0103. Hashing the code point itself would give bucket 0.
  LanguageMap map;
  map.Set(T("\U0001F600"), T("\U0001F600"));
  map.Set(T("\u0103"), T("\u0103"));
  map.Set(T("x"), T("x"));  // bucket 120
  EXPECT_EQ(Keys(map), (std::vector<std::string>{"x", "\u0103", "\U0001F600"}));
}

TEST(CatalogTest, ReadingRules) {
  LanguageMap map;
  ParseCatalog(L({"\"First\";\"Erste\"",  // always skipped, header or not
                  "\"Open\";\"Öffnen\"", "\"Close\";\"\"", "NoQuotes;Ohne", "\"Alone\"", ";\"no key\"",
                  "\"\"\"\";\"only quotes\"", "", "\"Semi\";\"a;b\"", "\"Same\";\"Same\"", "\"Open\";\"Auf\"",
                  "\"Trail\";\"T\";\"ignored\""}),
               map);
  auto value = [&map](const char* key) {
    const Text* v = map.Find(T(key));
    return v ? ToUtf8(*v) : std::string("<none>");
  };
  EXPECT_EQ(value("First"), "<none>");
  EXPECT_EQ(value("Open"), "Auf");  // a later line replaces the value
  EXPECT_EQ(value("Close"), "Close");
  EXPECT_EQ(value("NoQuotes"), "Ohne");
  EXPECT_EQ(value("Alone"), "Alone");
  EXPECT_EQ(value("Semi"), "a");
  EXPECT_EQ(value("Same"), "Same");
  EXPECT_EQ(value("Trail"), "T");
  EXPECT_EQ(map.Size(), 7u);
}

TEST(CatalogTest, WritingUsesAnEmptyFieldForUntranslatedTexts) {
  LanguageMap map;
  map.Set(T("A"), T("A"));
  map.Set(T("B"), T("Bee"));
  EXPECT_EQ(CatalogLines(map), L({"Default;Language", "\"A\";\"\"", "\"B\";\"Bee\""}));
  EXPECT_EQ(CatalogLines(LanguageMap()), L({"Default;Language"}));
}

TEST(CatalogTest, WrittenLinesReadBackToTheSameMap) {
  LanguageMap map;
  for (const char* key : {"A", "C", "Ä"}) map.Set(T(key), T(key));
  map.Set(T("B"), T("Translated"));
  LanguageMap back;
  ParseCatalog(CatalogLines(map), back);
  ASSERT_EQ(back.Size(), map.Size());
  map.ForEach([&back](const Text& key, const Text& value) {
    ASSERT_NE(back.Find(key), nullptr);
    EXPECT_EQ(*back.Find(key), value);
  });
}

TEST(CatalogTest, KeysSharingABucketKeepTheirOrderFromRunToRun) {
  // "A" and "ab" both fall into bucket 65: the newest comes first.
  LanguageMap map;
  map.Set(T("A"), T("A"));
  map.Set(T("ab"), T("AB!"));
  map.Set(T("B"), T("B"));
  const Lines written = CatalogLines(map);
  ASSERT_EQ(written, L({"Default;Language", "\"ab\";\"AB!\"", "\"A\";\"\"", "\"B\";\"\""}));
  LanguageMap back;
  ParseCatalog(written, back);
  EXPECT_EQ(CatalogLines(back), written);
  // A text found in the sources later still goes to the front of its bucket.
  back.Set(T("A\x01"), T("A\x01"));
  LanguageMap again;
  ParseCatalog(CatalogLines(back), again);
  EXPECT_EQ(CatalogLines(again), CatalogLines(back));
}

TEST(LoadLanguageTest, TemplateGetsCountAndDataLines) {
  LanguageMap map;
  map.Set(T("B"), T("B"));
  map.Set(T("A"), T("Ah"));
  Lines lines = LoadLanguageTemplate();
  ASSERT_EQ(lines.size(), 60u);
  ASSERT_TRUE(UpdateLoadLanguageLines(lines, map));
  ASSERT_EQ(lines.size(), 62u);
  EXPECT_EQ(ToUtf8(lines[5]), "#MaxLanguage = 2");
  EXPECT_EQ(Lines(lines.begin() + 48, lines.begin() + 53),
            L({"  ; Part Allways Overwrite", "  DefaultLanguage:", "  Data.s \"A\"", "  Data.s \"B\"",
               "  EndDefaultLanguage:"}));
  // The catalog lists the same keys in the same order.
  EXPECT_EQ(CatalogLines(map), L({"Default;Language", "\"A\";\"Ah\"", "\"B\";\"\""}));
  Lines rest = lines;
  rest.erase(rest.begin() + 50, rest.begin() + 52);
  rest[5] = LoadLanguageTemplate()[5];
  EXPECT_EQ(rest, LoadLanguageTemplate());
}

TEST(LoadLanguageTest, NoTextsGiveZeroAndNoDataLines) {
  Lines lines = LoadLanguageTemplate();
  ASSERT_TRUE(UpdateLoadLanguageLines(lines, LanguageMap()));
  EXPECT_EQ(ToUtf8(lines[5]), "#MaxLanguage = 0");
  EXPECT_EQ(ToUtf8(lines[50]), "  EndDefaultLanguage:");
  EXPECT_EQ(lines.size(), 60u);
}

TEST(LoadLanguageTest, OldBlockIsReplacedAndUserLinesStay) {
  LanguageMap map;
  map.Set(T("New"), T("New"));
  Lines lines = L({"; user header", "#MaxLanguage = 7 ; old", "UserCode()", "DataSection", "DefaultLanguage:",
                   "  Data.s \"Old1\"", "  Data.s \"Old2\"", "EndDataSection", "#MaxLanguage = 9", "More()"});
  ASSERT_TRUE(UpdateLoadLanguageLines(lines, map));
  EXPECT_EQ(lines, L({"; user header", "#MaxLanguage = 1", "UserCode()", "DataSection",
                      "DefaultLanguage:", "  Data.s \"New\"", "EndDataSection", "#MaxLanguage = 9", "More()"}));
}

TEST(LoadLanguageTest, MissingBlockLeavesLinesUnchangedWithAWarning) {
  LanguageMap map;
  map.Set(T("X"), T("X"));
  const Lines no_start = L({"#MaxLanguage = 3", "DataSection", "EndDataSection"});
  const Lines no_end = L({"#MaxLanguage = 3", "DataSection", "  DefaultLanguage:", "  Data.s \"Old\"", "Code()"});
  for (const Lines& original : {no_start, no_end}) {
    Workspace ws;
    testing::FakeHost host;
    ws.analysis.load_language_lines = original;
    ws.analysis.language_strings = map;
    UpdateLoadLanguage(ws, host);
    EXPECT_EQ(ws.analysis.load_language_lines, original);
    EXPECT_EQ(host.log, (std::vector<std::string>{ToUtf8(log::kNoLoadLanguageBlock)}));
  }
}

TEST(LoadLanguageTest, UpdateOnTheWorkspaceLogsNothingWhenTheBlockExists) {
  Workspace ws;
  testing::FakeHost host;
  ws.analysis.load_language_lines = LoadLanguageTemplate();
  ws.analysis.language_strings.Set(T("Hi"), T("Hi"));
  UpdateLoadLanguage(ws, host);
  EXPECT_TRUE(host.log.empty());
  EXPECT_EQ(ToUtf8(ws.analysis.load_language_lines[50]), "  Data.s \"Hi\"");
}

}  // namespace
}  // namespace quillon
