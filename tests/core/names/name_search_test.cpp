#include "core/names/name_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/config/string_table.h"
#include "core/names/name_table.h"
#include "platform/fake/fake_message_box.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

using Days = std::vector<NameDayResult>;
using Names = std::vector<std::string>;

TEST(NameSearch, KeysFoldAccentsAndCase) {
    EXPECT_EQ(nameSearchKey("Ágota"), nameSearchKey("agota"));
    EXPECT_EQ(nameSearchKey(" ŐRS "), "ors");
    EXPECT_EQ(nameSearchKey("Łucja"), "łucja");  // not folded, but still lower-cased
    EXPECT_EQ(listCaseName("ÁBEL"), "Ábel");
    EXPECT_EQ(listCaseName("őrs"), "Őrs");
}

TEST(NameSearch, DayTableMatchesEitherNameAndDatesByACommonYear) {
    NameTable t;
    t.loadText(std::string(59, '\n') + "Albin\nLujza, Ábel\n" + std::string(303, '\n') +
               "Szilveszter\n");
    for (const char* s : {"abel", "Abel", "ÁBEL"})
        EXPECT_EQ(searchDayTable(t, s).days, (Days{{"Ábel", 3, 2, false}})) << s;
    EXPECT_EQ(searchDayTable(t, "lujza").days, (Days{{"Lujza", 3, 2, false}}));
    EXPECT_EQ(searchDayTable(t, "albin").days, (Days{{"Albin", 3, 1, false}}));
    EXPECT_EQ(searchDayTable(t, "szilveszter").days, (Days{{"Szilveszter", 12, 31, false}}));
    EXPECT_TRUE(searchDayTable(t, "lujza, ábel").days.empty());
}

TEST(NameSearch, NameListLinesDaysAndMainDays) {
    EXPECT_FALSE(parseNameListLine("   "));
    EXPECT_FALSE(parseNameListLine("// Aba 11.12."));
    EXPECT_FALSE(parseNameListLine("Aba"));
    auto l = parseNameListLine("  Aba   11.12.  // old entry ");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->name, "Aba");
    EXPECT_EQ(l->days, "11.12.");

    // A lone day is never the main one; bad dates are left out, 29 February is kept.
    EXPECT_EQ(nameListDays("K", "3.15.*"), (Days{{"K", 3, 15, false}}));
    EXPECT_EQ(nameListDays("K", "3.15., 8.2.*"), (Days{{"K", 3, 15, false}, {"K", 8, 2, true}}));
    EXPECT_EQ(nameListDays("K", "13.1., 2.30., x, 2.29., ,4.1"),
              (Days{{"K", 2, 29, false}, {"K", 4, 1, false}}));

    const std::string list = "// c\r\n\r\nÁgota 2.5.*, 1.11.\r\nAgota 6.1.\r\nAgotán 7.7.\r\n";
    const NameSearchResults r = searchNameListText(list, "AGOTA");
    EXPECT_EQ(r.days,
              (Days{{"Ágota", 2, 5, true}, {"Ágota", 1, 11, false}, {"Agota", 6, 1, false}}));
    EXPECT_EQ(r.name, "Agota");
}

const char* const kDescriptions =
    "// header\n*ÁBEL\n- Héber eredetű.\n- Második sor.\nignored\n-nincs szóköz\n"
    "*Abigél\n- Apám öröme.\n";

TEST(NameSearch, DescriptionsAndTypeAhead) {
    const Names names = describedNames(kDescriptions);
    EXPECT_EQ(names, (Names{"Ábel", "Abigél"}));
    EXPECT_EQ(describeName(kDescriptions, "ábel"),
              "ábel\r\n\r\nHéber eredetű.\r\nMásodik sor.\r\n");
    EXPECT_EQ(describeName(kDescriptions, "Abigél"), "Abigél\r\n\r\nApám öröme.\r\n");
    EXPECT_FALSE(describeName(kDescriptions, "Abel"));  // only case is ignored here

    EXPECT_EQ(typeAheadIndex(names, "ABI"), 1);
    EXPECT_EQ(typeAheadIndex(names, "abe"), 0);
    EXPECT_EQ(typeAheadIndex(names, "abx"), -1);
    EXPECT_EQ(typeAheadIndex(names, ""), -1);
}

class NameSearchWindowTest : public ::testing::Test {
protected:
    NameSearchWindowTest() {
        for (auto [k, v] : {std::pair{"main_month_1", "február"},
                            {"main_month_2", "március"},
                            {"name_mainday", "$1 (fő)"},
                            {"name_results", "$1 névnapjai:"},
                            {"name_entername", "Név?"},
                            {"name_back", "Vissza"},
                            {"name_nodb", "nincs"},
                            {"name_noname", "Nincs ilyen."},
                            {"com_err_notfound", "Nincs meg: $1"},
                            {"name_event_title", "$1 névnapja"}}) {
            strings.table().setItem(k, v);
        }
        std::filesystem::create_directory(dir.file("data"));
    }

    test::TempDir dir;
    NameFiles files = nameFilesIn(dir.dir());
    StringTable strings;
    NameTable table;
    FakeMessageBox box;
    NameSearchState w;
};

TEST_F(NameSearchWindowTest, MissingFilesDisableWhatNeedsThem) {
    openNameSearch(w, files, strings);
    EXPECT_FALSE(w.dayTableEnabled || w.nameListEnabled || w.searchButtonEnabled ||
                 w.descriptionsEnabled);
    EXPECT_EQ(w.searchText, "nincs");
    EXPECT_EQ(w.description, "Nincs meg: name_descr.txt");
    EXPECT_EQ(pressSearchButton(w, table, files, strings, &box), NameSearchOutcome::kNothing);

    dir.write("data/hun_names_mek.dat", "Ágota 3.15., 2.5.*\n");
    openNameSearch(w, files, strings);
    EXPECT_EQ(w.database, NameDatabase::kNameList);
    EXPECT_TRUE(w.searchMode && w.searchButtonEnabled);
}

TEST_F(NameSearchWindowTest, SearchResultsEventAndBack) {
    dir.write("data/hun_names_mek.dat", "Ágota 3.15., 2.5.*\n");
    openNameSearch(w, files, strings);
    w.searchText = "Zebulon";
    EXPECT_EQ(pressSearchButton(w, table, files, strings, &box), NameSearchOutcome::kNoResult);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Nincs ilyen.");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kInformation);

    w.searchText = "agota";
    EXPECT_EQ(pressSearchButton(w, table, files, strings, &box), NameSearchOutcome::kResults);
    EXPECT_EQ(w.resultLines, (Names{"március 15.", "február 5. (fő)"}));
    EXPECT_EQ(w.prompt, "Ágota névnapjai:");
    EXPECT_EQ(w.searchButton, "Vissza");
    EXPECT_FALSE(w.searchMode);
    const auto request = nameDayEventFor(w, 1, strings);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->month * 100 + request->day, 205);
    EXPECT_EQ(request->title, "Ágota névnapja");
    EXPECT_FALSE(nameDayEventFor(w, 2, strings));

    EXPECT_EQ(pressSearchButton(w, table, files, strings, &box), NameSearchOutcome::kNothing);
    EXPECT_TRUE(w.searchMode && !w.resultsVisible && w.searchText.empty());
    EXPECT_EQ(w.searchButton, "Keresés");
    EXPECT_EQ(w.prompt, "Név?");
}

}  // namespace
}  // namespace tv
