#include "app/model/scheduler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

// One line of the reference file: a review and the item's state after it.
struct Vector {
    int history;
    int retention;
    UtcTime time;
    int grade;
    int state;
    int step;
    UtcTime due;
    double stability;
    double difficulty;
    int reviews;
    int lapses;
};

std::vector<Vector> referenceVectors() {
    std::ifstream in(LORVANT_SCHEDULE_DATA "/reviews.tsv");
    std::vector<Vector> vectors;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Vector v{};
        fields >> v.history >> v.retention >> v.time >> v.grade >> v.state >> v.step >> v.due >>
            v.stability >> v.difficulty >> v.reviews >> v.lapses;
        vectors.push_back(v);
    }
    return vectors;
}

} // namespace

// Every review of every reference history, applied in order from a new item, gives the
// reference's state, step, due time, stability, difficulty and counts.
TEST(Scheduler, MatchesEveryReferenceHistory) {
    const std::vector<Vector> vectors = referenceVectors();
    ASSERT_GT(vectors.size(), 1000u);
    std::map<int, ItemSchedule> items;
    int mismatches = 0;
    for (const Vector& v : vectors) {
        ItemSchedule& item = items[v.history];
        item = Scheduler(v.retention / 100.0).review(item, v.time, static_cast<Grade>(v.grade));
        const bool same = item.state == v.state && item.step == v.step && item.due == v.due &&
                          std::abs(item.stability - v.stability) <= 1e-6 &&
                          std::abs(item.difficulty - v.difficulty) <= 1e-6 && item.reviews == v.reviews &&
                          item.lapses == v.lapses;
        if (!same && ++mismatches <= 10)
            ADD_FAILURE() << "history " << v.history << " review " << v.reviews << " at " << v.time
                          << " grade " << v.grade << ": state " << int(item.state) << "/" << v.state
                          << " step " << int(item.step) << "/" << v.step << " due " << item.due - v.time
                          << "/" << v.due - v.time << " S " << item.stability << "/" << v.stability << " D "
                          << item.difficulty << "/" << v.difficulty << " lapses " << item.lapses << "/"
                          << v.lapses;
        if (!same)
            item = ItemSchedule{static_cast<ItemSchedule::State>(v.state),
                                static_cast<std::uint8_t>(v.step),
                                v.stability,
                                v.difficulty,
                                v.due,
                                v.time,
                                v.reviews,
                                v.lapses};
    }
    EXPECT_EQ(mismatches, 0);
}
