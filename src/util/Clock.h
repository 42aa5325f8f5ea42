// The clock the program reads "now" and "today" from: the system clock in the program, a fixed
// clock in tests.
#pragma once

namespace axo {

/// A calendar date and time of day, as the clock gives it.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

/// Where the current date and time come from.
class Clock {
  public:
    virtual ~Clock() = default;
    /// The current local date and time.
    virtual DateTime Now() const = 0;
    /// The current date and time in UTC.
    virtual DateTime NowUtc() const = 0;
};

/// The real clock of the machine (local time by the TZ setting of the process).
const Clock& SystemClock();

/// A clock that stands still at a given local time, `utcOffsetMinutes` ahead of UTC (60 for
/// Central European winter time).
class FixedClock : public Clock {
  public:
    explicit FixedClock(const DateTime& local, int utcOffsetMinutes = 0)
        : local_(local), utcOffsetMinutes_(utcOffsetMinutes) {}
    void Set(const DateTime& local) { local_ = local; }
    DateTime Now() const override { return local_; }
    /// The local time moved back by the offset, across day, month and year ends.
    DateTime NowUtc() const override;

  private:
    DateTime local_;
    int utcOffsetMinutes_;
};

}  // namespace axo
