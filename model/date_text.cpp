#include "model/date_text.h"

#include <charconv>
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

std::string DateText(std::time_t moment) {
  std::tm parts{};
  if (gmtime_r(&moment, &parts) == nullptr) {
    moment = 0;
    gmtime_r(&moment, &parts);
  }
  std::string text;
  text.reserve(32);
  text += kDayNames[parts.tm_wday % 7];
  text += ' ';
  text += kMonthNames[parts.tm_mon % 12];
  text += ' ';
  PutTwoDigits(text, parts.tm_mday);
  text += ' ';
  PutTwoDigits(text, parts.tm_hour);
  text += ':';
  PutTwoDigits(text, parts.tm_min);
  text += ':';
  PutTwoDigits(text, parts.tm_sec);
  text += ' ';
  char year[16];
  const auto result = std::to_chars(year, year + sizeof year, 1900LL + parts.tm_year);
  text.append(year, result.ptr);
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
