#include "schedulesections.h"

#include "lorvant.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/serializer.h"

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

// Gathers one record and hands it to the serializer whole: a million small writes would cost more.
class Writer {
public:
    explicit Writer(Win::IO::Serializer& out) : _out(out) {}
    ~Writer() = default;
    void u8(unsigned value) { _record[_size++] = static_cast<char>(value); }
    void u32(std::uint32_t value) { bytes(value, 4); }
    void i64(std::int64_t value) { bytes(static_cast<std::uint64_t>(value), 8); }
    void f64(double value) { bytes(std::bit_cast<std::uint64_t>(value), 8); }
    void flush() {
        _out.write(_record, _size);
        _size = 0;
    }

private:
    void bytes(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i)
            _record[_size++] = static_cast<char>(value >> (8 * i));
    }
    Win::IO::Serializer& _out;
    char _record[64];
    std::size_t _size = 0;
};

// Reads one record at a time from the section's bytes.
class Reader {
public:
    explicit Reader(Win::IO::DeSerializer& in) : _in(in) {}
    std::uint64_t left() const { return _in.getBytesLeft() + (_size - _pos); }
    // The next record of size bytes; the section must hold it.
    void record(std::size_t size) {
        if (_in.getBytesLeft() < size)
            corrupt();
        _in.read(_record, size);
        _size = size;
        _pos = 0;
    }
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
        if (left() != 0)
            corrupt();
    }

private:
    const char* take(std::size_t size) {
        if (_size - _pos < size)
            corrupt();
        const char* part = _record + _pos;
        _pos += size;
        return part;
    }
    std::uint64_t bytes(std::size_t size) {
        const char* part = take(size);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(part[i])) << (8 * i);
        return value;
    }
    Win::IO::DeSerializer& _in;
    char _record[64];
    std::size_t _size = 0;
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
    in.record(1);
    const unsigned state = in.u8();
    if (state > ItemSchedule::RELEARNING)
        corrupt();
    item.state = static_cast<ItemSchedule::State>(state);
    if (item.isNew())
        return item;
    in.record(ScheduledItemBytes - 1);
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

bool isScheduleEmpty(const StudyList& list) {
    if (!(list.getReviewSettings() == ReviewSettings()))
        return false;
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        if (!list.getTermSet(static_cast<std::size_t>(idx)).getSchedule().isNew())
            return false;
    }
    return true;
}

void writeSchedule(const StudyList& list, Win::IO::Serializer& serializer) {
    Writer out(serializer);
    const ReviewSettings& settings = list.getReviewSettings();
    out.u32(static_cast<std::uint32_t>(settings.desiredRetention));
    out.u32(static_cast<std::uint32_t>(settings.newPerDay));
    out.u32(static_cast<std::uint32_t>(settings.maxReviewsPerDay));
    out.u32(static_cast<std::uint32_t>(list.getTermSetCount()));
    out.flush();
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        const ItemSchedule& item = list.getTermSet(static_cast<std::size_t>(idx)).getSchedule();
        out.u8(item.state);
        if (item.isNew()) {
            out.flush();
            continue;
        }
        out.u8(item.step);
        out.f64(item.stability);
        out.f64(item.difficulty);
        out.i64(item.due);
        out.i64(item.lastReview);
        out.u32(static_cast<std::uint32_t>(item.reviews));
        out.u32(static_cast<std::uint32_t>(item.lapses));
        out.flush();
    }
}

void readSchedule(StudyList& list, Win::IO::DeSerializer& deserializer) {
    Reader in(deserializer);
    in.record(16);
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

bool isReviewLogEmpty(const StudyList& list) {
    return list.getReviewLog().isEmpty();
}

void writeReviewLog(const StudyList& list, Win::IO::Serializer& serializer) {
    Writer out(serializer);
    const std::vector<ReviewRecord>& records = list.getReviewLog().getRecords();
    out.u32(static_cast<std::uint32_t>(records.size()));
    out.flush();
    for (const ReviewRecord& record : records) {
        out.u32(static_cast<std::uint32_t>(record.item));
        out.u8(record.stateBefore);
        out.u8(static_cast<unsigned>(record.grade));
        out.i64(record.time);
        out.i64(record.sinceLast);
        out.flush();
    }
}

void readReviewLog(StudyList& list, Win::IO::DeSerializer& deserializer) {
    Reader in(deserializer);
    in.record(4);
    const std::size_t count = in.count(ReviewBytes);
    ReviewLog log;
    for (std::size_t i = 0; i < count; ++i) {
        in.record(ReviewBytes);
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
