// The recent documents: kept in the registry from one run to the next, shown in "Open Recent", reopened from
// there, and cleared.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const std::vector<int> RecentMenu{1, 5};

Texts labels(const std::vector<LorvantProcess::MenuItem>& items) {
    Texts result;
    for (const auto& item : items)
        result.push_back(item.separator() ? "-" : item.label);
    return result;
}

Texts recentValues(std::initializer_list<std::string> paths) {
    Texts values(paths);
    values.resize(10);
    return values;
}

class RecentDocuments : public ::testing::Test {
protected:
    TestFolder folder;
    const std::string a = folder.path("a.lvd");
    const std::string b = folder.path("b.lvd");
    const std::string c = folder.path("c.lvd");

    void SetUp() override {
        deleteRecentDocsKey();
        writeDocument(a, {{"from a", {"1"}, "", 0, 0}});
        writeDocument(b, {{"from b", {"2"}, "", 0, 0}});
        writeDocument(c, {{"from c", {"3"}, "", 0, 0}});
    }
    void TearDown() override { deleteRecentDocsKey(); }

    static void exit(LorvantProcess& lorvant) {
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
        ASSERT_EQ(lorvant.exitCode(), 0u);
    }
};

TEST_F(RecentDocuments, AreRememberedFromRunToRunAndReopened) {
    {
        LorvantProcess lorvant;
        EXPECT_EQ(labels(lorvant.menu(RecentMenu)), (Texts{"Clear Recent", "-"}));
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), Texts(10, ""));
    {
        LorvantProcess lorvant(a);
        lorvant.pressKey('O', {VK_CONTROL});
        lorvant.chooseFile("Open", b);
        lorvant.pressKey('O', {VK_CONTROL});
        lorvant.chooseFile("Open", c);
        EXPECT_EQ(labels(lorvant.menu(RecentMenu)), (Texts{"Clear Recent", "-", c, b, a}));
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), recentValues({c, b, a}));
    {
        LorvantProcess lorvant;
        EXPECT_EQ(labels(lorvant.menu(RecentMenu)), (Texts{"Clear Recent", "-", c, b, a}));
        lorvant.chooseMenuItem(RecentMenu, b);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + b);
        EXPECT_EQ(lorvant.rows(0, 1).at(0).at(1), "from b");

        // A changed document is offered for saving first.
        lorvant.pressKey(VK_INSERT);
        HWND dialog = lorvant.waitForWindow("Edit Item");
        lorvant.setText(dialog, IDC_MAIN_TEXT, "more");
        lorvant.setText(dialog, IDC_FIELD_VALUE, "b");
        lorvant.click(dialog, IDOK);
        lorvant.waitUntilGone(dialog);
        lorvant.chooseMenuItem(RecentMenu, a);
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + b + " ?");
        EXPECT_EQ(lorvant.title(), "Lorvant - " + b);
        EXPECT_EQ(lorvant.rowCount(), 2);
        lorvant.chooseMenuItem(RecentMenu, a);
        lorvant.answerMessageBox("Lorvant", IDNO);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + a);
        EXPECT_EQ(lorvant.rows(),
                  (std::vector<LorvantProcess::Row>{{"1", "from a", "1", "", "0", "0", "0 %"}}));
        EXPECT_EQ(labels(lorvant.menu(RecentMenu)), (Texts{"Clear Recent", "-", a, b, c}));
        EXPECT_EQ(readDocument(b).getTermSetCount(), 1);

        // An entry whose file has gone says so and changes nothing.
        DeleteFileA(c.c_str());
        lorvant.chooseMenuItem(RecentMenu, c);
        EXPECT_EQ(
            lorvant.answerMessageBox("Lorvant Error", IDOK),
            "Can not open the specified file for reading.\nMake sure the specified path and file name are "
            "correct.\n" +
                c);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + a);
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), recentValues({a, b, c}));
    {
        LorvantProcess lorvant;
        lorvant.chooseMenuItem(RecentMenu, "Clear Recent");
        EXPECT_EQ(labels(lorvant.menu(RecentMenu)), (Texts{"Clear Recent", "-"}));
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), Texts(10, ""));
}

TEST_F(RecentDocuments, KeepTheTenMostRecent) {
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(folder.path("doc" + std::to_string(i) + ".lvd"));
        writeDocument(paths.back(), {{"item", {"of " + std::to_string(i)}, "", 0, 0}});
    }
    LorvantProcess lorvant(paths[0]);
    for (int i = 1; i < 11; ++i) {
        lorvant.pressKey('O', {VK_CONTROL});
        lorvant.chooseFile("Open", paths[static_cast<std::size_t>(i)]);
    }
    Texts expected{"Clear Recent", "-"};
    for (int i = 10; i >= 1; --i)
        expected.push_back(paths[static_cast<std::size_t>(i)]);
    EXPECT_EQ(labels(lorvant.menu(RecentMenu)), expected);
    lorvant.chooseMenuItem(RecentMenu, paths[1]);
    EXPECT_EQ(lorvant.rows(0, 1).at(0).at(2), "of 1");
    exit(lorvant);
    EXPECT_EQ(readRecentDocsKey().at(0), paths[1]);
    EXPECT_EQ(readRecentDocsKey().at(9), paths[2]);
}

} // namespace
