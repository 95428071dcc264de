#include "schedulesections.h"

#include "app/model/lorvant.h"

#include "WinLib/io/exceptions.h"

#include <bit>
#include <cmath>

namespace ScheduleSections {

namespace {

// No time before 1970 or after the year 9999 is a review's.
constexpr std::int64_t LatestTime = 253402300799;
constexpr std::size_t ScheduledItemBytes = 1 + 1 + 8 + 8 + 8 + 8 + 4 + 4;
constexpr std::size_t ReviewBytes = 4 + 1 + 1 + 8 + 8;

[[noreturn]] void corrupt() {
    throw Win::IO::DataCorruptionException("Data corruption");
}

class Writer {
public:
    void u8(unsigned value) { _bytes.push_back(static_cast<char>(value)); }
    void u32(std::uint32_t value) { bytes(value, 4); }
    void i64(std::int64_t value) { bytes(static_cast<std::uint64_t>(value), 8); }
    void f64(double value) { bytes(std::bit_cast<std::uint64_t>(value), 8); }
    void reserve(std::size_t size) { _bytes.reserve(size); }
    std::string take() { return std::move(_bytes); }

private:
    void bytes(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i)
            _bytes.push_back(static_cast<char>(value >> (8 * i)));
    }
    std::string _bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : _bytes(bytes) {}
    std::size_t left() const { return _bytes.size() - _pos; }
    unsigned u8() { return static_cast<unsigned char>(take(1)[0]); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(bytes(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::int64_t i64() { return static_cast<std::int64_t>(bytes(8)); }
    double f64() { return std::bit_cast<double>(bytes(8)); }
    // A count of elements at least minBytes long each, refused when the bytes left cannot hold it.
    std::size_t count(std::size_t minBytes) {
        const std::int32_t value = i32();
        if (value < 0 || static_cast<std::uint64_t>(value) * minBytes > left())
            corrupt();
        return static_cast<std::size_t>(value);
    }
    void end() const {
        if (_pos != _bytes.size())
            corrupt();
    }

private:
    std::string_view take(std::size_t size) {
        if (left() < size)
            corrupt();
        const std::string_view part = _bytes.substr(_pos, size);
        _pos += size;
        return part;
    }
    std::uint64_t bytes(std::size_t size) {
        const std::string_view part = take(size);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(part[i])) << (8 * i);
        return value;
    }
    std::string_view _bytes;
    std::size_t _pos = 0;
};

bool isTime(std::int64_t time) {
    return time >= 0 && time <= LatestTime;
}

bool inRange(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

ItemSchedule readItem(Reader& in) {
    ItemSchedule item;
    const unsigned state = in.u8();
    if (state > ItemSchedule::RELEARNING)
        corrupt();
    item.state = static_cast<ItemSchedule::State>(state);
    if (item.isNew())
        return item;
    item.step = static_cast<std::uint8_t>(in.u8());
    item.stability = in.f64();
    item.difficulty = in.f64();
    item.due = in.i64();
    item.lastReview = in.i64();
    item.reviews = in.i32();
    item.lapses = in.i32();
    const unsigned steps = item.state == ItemSchedule::LEARNING ? 2 : 1;
    if (item.step >= steps || !inRange(item.stability, 0.001, 36500) || !inRange(item.difficulty, 1, 10) ||
        !isTime(item.lastReview) || !isTime(item.due) || item.due < item.lastReview || item.reviews < 1 ||
        item.lapses < 0 || item.lapses > item.reviews)
        corrupt();
    return item;
}

} // namespace

std::string writeSchedule(const StudyList& list) {
    Writer out;
    const ReviewSettings& settings = list.getReviewSettings();
    out.u32(static_cast<std::uint32_t>(settings.desiredRetention));
    out.u32(static_cast<std::uint32_t>(settings.newPerDay));
    out.u32(static_cast<std::uint32_t>(settings.maxReviewsPerDay));
    out.u32(static_cast<std::uint32_t>(list.getTermSetCount()));
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        const ItemSchedule& item = list.getTermSet(static_cast<std::size_t>(idx)).getSchedule();
        out.u8(item.state);
        if (item.isNew())
            continue;
        out.u8(item.step);
        out.f64(item.stability);
        out.f64(item.difficulty);
        out.i64(item.due);
        out.i64(item.lastReview);
        out.u32(static_cast<std::uint32_t>(item.reviews));
        out.u32(static_cast<std::uint32_t>(item.lapses));
    }
    return out.take();
}

void readSchedule(std::string_view bytes, StudyList& list) {
    Reader in(bytes);
    ReviewSettings settings;
    settings.desiredRetention = in.i32();
    settings.newPerDay = in.i32();
    settings.maxReviewsPerDay = in.i32();
    if (!settings.isValid())
        corrupt();
    if (in.count(1) != static_cast<std::size_t>(list.getTermSetCount()))
        corrupt();
    for (int idx = 0; idx < list.getTermSetCount(); ++idx)
        list.getTermSet(static_cast<std::size_t>(idx)).setSchedule(readItem(in));
    in.end();
    list.setReviewSettings(settings);
}

std::string writeReviewLog(const StudyList& list) {
    Writer out;
    const std::vector<ReviewRecord>& records = list.getReviewLog().getRecords();
    out.reserve(4 + records.size() * ReviewBytes);
    out.u32(static_cast<std::uint32_t>(records.size()));
    for (const ReviewRecord& record : records) {
        out.u32(static_cast<std::uint32_t>(record.item));
        out.u8(record.stateBefore);
        out.u8(static_cast<unsigned>(record.grade));
        out.i64(record.time);
        out.i64(record.sinceLast);
    }
    return out.take();
}

void readReviewLog(std::string_view bytes, StudyList& list) {
    Reader in(bytes);
    const std::size_t count = in.count(ReviewBytes);
    ReviewLog log;
    for (std::size_t i = 0; i < count; ++i) {
        ReviewRecord record;
        record.item = in.i32();
        const unsigned state = in.u8();
        const unsigned grade = in.u8();
        record.time = in.i64();
        record.sinceLast = in.i64();
        if (record.item < 1 || record.item > list.getTermSetCount() || state > ItemSchedule::RELEARNING ||
            grade < 1 || grade > 4 || !isTime(record.time) || record.sinceLast < 0 ||
            record.sinceLast > record.time)
            corrupt();
        record.stateBefore = static_cast<ItemSchedule::State>(state);
        record.grade = static_cast<Grade>(grade);
        log.add(record);
    }
    in.end();
    list.setReviewLog(std::move(log));
}

} // namespace ScheduleSections
