// The system clock and the fixed clock of tests.
#include "util/Clock.h"

#include <chrono>
#include <ctime>

namespace axo {

namespace {

DateTime FromTm(const std::tm& tm, int millisecond) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     millisecond};
}

class RealClock : public Clock {
  public:
    DateTime Now() const override { return Read(false); }
    DateTime NowUtc() const override { return Read(true); }

  private:
    static DateTime Read(bool utc) {
        const auto now = std::chrono::system_clock::now();
        const auto sinceEpoch = now.time_since_epoch();
        const std::time_t seconds =
            std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
        const auto millisecond = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000);
        std::tm tm{};
        if (utc)
            gmtime_r(&seconds, &tm);
        else
            localtime_r(&seconds, &tm);
        return FromTm(tm, millisecond);
    }
};

}  // namespace

const Clock& SystemClock() {
    static const RealClock clock;
    return clock;
}

DateTime FixedClock::NowUtc() const {
    using namespace std::chrono;
    const sys_days day = year_month_day(year(local_.year), month(unsigned(local_.month)),
                                        std::chrono::day(unsigned(local_.day)));
    const auto utc = day + hours(local_.hour) + minutes(local_.minute - utcOffsetMinutes_) +
                     seconds(local_.second);
    const sys_days utcDay = floor<days>(utc);
    const year_month_day ymd(utcDay);
    const hh_mm_ss time(utc - utcDay);
    return {int(ymd.year()),           int(unsigned(ymd.month())),  int(unsigned(ymd.day())),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count()),
            local_.millisecond};
}

}  // namespace axo
