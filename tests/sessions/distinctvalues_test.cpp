#include "tests/core/testlists.h"

#include "app/sessions/distinctvalues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

TEST(DistinctValues, NumbersValuesInTheOrderTheyFirstOccur) {
    // Many items over few values, so that the table's slots are shared and searched.
    std::vector<std::vector<std::string>> rows;
    std::uint32_t mix = 1;
    for (int idx = 0; idx < 20000; ++idx) {
        mix = mix * 69069u + 1u;
        const std::uint32_t pick = (mix >> 16) % 3001;
        rows.push_back({"t" + std::to_string(idx % 7), pick == 3000 ? "" : "v" + std::to_string(pick)});
    }
    const StudyList list = makeStudyList({"D"}, rows);

    for (const int field : {0, -1}) {
        const DistinctValues values(list, field);
        std::map<std::string, int> positions;
        for (std::size_t idx = 0; idx < rows.size(); ++idx) {
            const std::string& value = rows[idx][field == -1 ? 0 : 1];
            const auto [known, isNew] = positions.try_emplace(value, static_cast<int>(positions.size()));
            ASSERT_EQ(values.getPosition(static_cast<int>(idx)), known->second) << "item " << idx;
            if (isNew) {
                ASSERT_EQ(values.getFirstItem(known->second), static_cast<int>(idx));
            }
        }
        EXPECT_EQ(values.getCount(), static_cast<int>(positions.size()));
    }
    EXPECT_EQ(DistinctValues(list, -1).getCount(), 7);

    const StudyList empty = makeStudyList({"D"}, {});
    EXPECT_EQ(DistinctValues(empty, 0).getCount(), 0);
}
