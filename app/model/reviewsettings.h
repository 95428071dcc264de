#pragma once

// How a document's schedule spaces its reviews and how many a day brings.
struct ReviewSettings {
    static constexpr int MinRetention = 70;
    static constexpr int MaxRetention = 99;
    static constexpr int MaxNewPerDay = 9999;
    static constexpr int MaxReviewsLimit = 99999;

    // The chance of recalling an item when it comes due, in percent.
    int desiredRetention = 90;
    int newPerDay = 20;
    // Due items a day brings; 0 for no limit.
    int maxReviewsPerDay = 200;

    bool isValid() const {
        return desiredRetention >= MinRetention && desiredRetention <= MaxRetention && newPerDay >= 0 &&
               newPerDay <= MaxNewPerDay && maxReviewsPerDay >= 0 && maxReviewsPerDay <= MaxReviewsLimit;
    }
    bool operator==(const ReviewSettings&) const = default;
};
