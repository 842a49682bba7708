#include "model/date_text.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void PutTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

// The calendar of the C++ library rather than the C runtime's gmtime, so that
// the text is the same on every system (dates before 1970 included).
std::string DateText(std::time_t moment) {
  using namespace std::chrono;
  constexpr sys_days kFirstDay{year::min() / January / 1};
  constexpr sys_days kLastDay{year::max() / December / 31};
  sys_seconds time{seconds{moment}};
  if (time < kFirstDay || time >= kLastDay + days{1}) time = sys_seconds{};  // beyond the calendar: the epoch
  const sys_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss<seconds> clock{time - day};

  std::string text;
  text.reserve(32);
  text += kDayNames[weekday{day}.c_encoding()];
  text += ' ';
  text += kMonthNames[unsigned{date.month()} - 1];
  text += ' ';
  PutTwoDigits(text, static_cast<int>(unsigned{date.day()}));
  text += ' ';
  PutTwoDigits(text, static_cast<int>(clock.hours().count()));
  text += ':';
  PutTwoDigits(text, static_cast<int>(clock.minutes().count()));
  text += ':';
  PutTwoDigits(text, static_cast<int>(clock.seconds().count()));
  text += ' ';
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, int{date.year()});
  text.append(digits, result.ptr);
  return text;
}

std::time_t WritingMoment() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch != nullptr && *epoch != '\0') {
    long long seconds = 0;
    const char* end = epoch + std::strlen(epoch);
    const auto result = std::from_chars(epoch, end, seconds);
    if (result.ec == std::errc() && result.ptr == end) return static_cast<std::time_t>(seconds);
  }
  return std::time(nullptr);
}
