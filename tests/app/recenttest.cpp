// The recent documents: kept in the registry from one run to the next, the ten most recent shown in "Open
// Recent", reopened from there, and cleared.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const std::vector<int> RecentMenu{1, 5};

Texts recentMenu(LorvantProcess& lorvant) {
    Texts labels;
    for (const auto& item : lorvant.menu(RecentMenu))
        if (!item.separator() && item.label != "Clear Recent")
            labels.push_back(item.label);
    return labels;
}

void exit(LorvantProcess& lorvant) {
    lorvant.close();
    ASSERT_TRUE(lorvant.waitForExit());
    ASSERT_EQ(lorvant.exitCode(), 0u);
}

TEST(RecentDocuments, AreKeptReopenedAndCleared) {
    TestFolder folder;
    std::vector<std::string> doc;
    for (int i = 0; i <= 10; ++i) {
        doc.push_back(folder.path("doc" + std::to_string(i) + ".lvd"));
        writeDocument(doc.back(), {{"item", {"of " + std::to_string(i)}, "", 0, 0}});
    }
    // Eight documents, most recent first, as another run may have left them: an empty value and one repeated.
    writeRecentDocsKey({doc[9], "", doc[8], doc[9], doc[7], doc[6], doc[5], doc[4], doc[3], doc[2]});
    Texts expected{doc[10], doc[0], doc[1], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3]};
    {
        LorvantProcess lorvant(doc[1]);
        EXPECT_EQ(recentMenu(lorvant),
                  (Texts{doc[1], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3], doc[2]}));
        for (int i : {0, 10}) {
            lorvant.pressKey('O', {VK_CONTROL});
            lorvant.chooseFile("Open", doc[i]);
        }
        EXPECT_EQ(recentMenu(lorvant), expected);

        // A changed document is offered for saving first.
        lorvant.chooseMenuItem(RecentMenu, doc[1]);
        EXPECT_EQ(lorvant.rows(0, 1).at(0).at(2), "of 1");
        lorvant.pressKey(VK_INSERT);
        HWND dialog = lorvant.waitForWindow("Edit Item");
        lorvant.setText(dialog, IDC_MAIN_TEXT, "more");
        lorvant.setText(dialog, IDC_FIELD_VALUE, "b");
        lorvant.click(dialog, IDOK);
        lorvant.waitUntilGone(dialog);
        lorvant.chooseMenuItem(RecentMenu, doc[0]);
        EXPECT_EQ(lorvant.answerMessageBox("Lorvant", IDCANCEL), "Save changes to " + doc[1] + " ?");
        EXPECT_EQ(lorvant.rowCount(), 2);
        lorvant.chooseMenuItem(RecentMenu, doc[0]);
        lorvant.answerMessageBox("Lorvant", IDNO);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + doc[0]);
        EXPECT_EQ(readDocument(doc[1]).getTermSetCount(), 1);

        // An entry whose file has gone says so and changes nothing.
        DeleteFileA(doc[3].c_str());
        lorvant.chooseMenuItem(RecentMenu, doc[3]);
        EXPECT_EQ(
            lorvant.answerMessageBox("Lorvant Error", IDOK),
            "Can not open the specified file for reading.\nMake sure the specified path and file name are "
            "correct.\n" +
                doc[3]);
        EXPECT_EQ(lorvant.title(), "Lorvant - " + doc[0]);
        expected = {doc[0], doc[1], doc[10], doc[9], doc[8], doc[7], doc[6], doc[5], doc[4], doc[3]};
        EXPECT_EQ(recentMenu(lorvant), expected);
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), expected);
    {
        LorvantProcess lorvant;
        EXPECT_EQ(recentMenu(lorvant), expected);
        lorvant.chooseMenuItem(RecentMenu, "Clear Recent");
        EXPECT_EQ(recentMenu(lorvant), Texts{});
        exit(lorvant);
    }
    EXPECT_EQ(readRecentDocsKey(), Texts(10, ""));
    deleteRecentDocsKey();
}

} // namespace
