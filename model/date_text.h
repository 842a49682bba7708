// The 24-character UTC date written into decks and neutral files.
#pragma once

#include <ctime>
#include <string>

// "Wed Jan 02 02:03:55 1980" for the given moment, broken down as UTC.
std::string DateText(std::time_t moment);

// The moment of writing: SOURCE_DATE_EPOCH when it holds a whole number of
// seconds (so that output is reproducible), otherwise the current time.
std::time_t WritingMoment();
