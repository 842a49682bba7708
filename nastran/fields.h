// Free-field formatting of bulk data fields: every field text carries its own
// trailing comma, reals are at most eight characters with a short exponent
// (1.500+8), and three marker values stand for an empty field, YES and NO.
//
// The routines take doubles so that integer quantities of the model (node and
// element numbers, ids) reach the deck exactly at any size; a value that came
// from float data converts to double exactly and keeps its float semantics.
// Float and int32 overloads save the card routines a copy. They write to
// deck.out and count values that are not finite in deck.warnings.
#pragma once

#include <cstdint>
#include <string_view>

#include "nastran/deck_context.h"

constexpr int BLANK_FIELD = -99;
constexpr int YES_FIELD = -88;
constexpr int NO_FIELD = -89;

constexpr std::string_view CONTINUATION_START = "     ,";

void WriteRealFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart);
void WriteRealFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart);

// Real fields of values that are never markers (coordinates, frame points,
// loads, values the writer computes): 0.0 is an empty field, every other
// value is written as a number.
void WriteNumberFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart);
void WriteNumberFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart);

// How WriteFormFields writes each field.
enum class FieldForm : uint8_t {
  kReal,     // a real with the markers
  kInteger,  // an integer with the markers
  kNumber,   // a real that is never a marker
};
void WriteFormFields(DeckContext& deck, const double* values, const FieldForm* forms, int count, int endLine,
                     int continuationStart);

void WriteIntegerFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart);
void WriteIntegerFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart);
void WriteIntegerFields(DeckContext& deck, const int32_t* values, int count, int endLine, int continuationStart);

void WriteRealFieldsWrapped(DeckContext& deck, const double* values, int total, int firstLineCount,
                            int continuationStart);
void WriteRealFieldsWrapped(DeckContext& deck, const float* values, int total, int firstLineCount,
                            int continuationStart);

void WriteMixedFields(DeckContext& deck, const double* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart);
void WriteMixedFields(DeckContext& deck, const float* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart);

// Fields that cards write as plain text, not through the markers (0 is
// written as the digit): "NAME, a," and "NAME, a, b," start a card, " a,"
// adds one integer field.
void WriteCardStart(DeckContext& deck, std::string_view name, int64_t first);
void WriteCardStart(DeckContext& deck, std::string_view name, int64_t first, int64_t second);
void WriteIntegerText(DeckContext& deck, int64_t value);

// The text of one real field without its comma (at most 8 characters), as
// WriteRealFields writes it for a value that is not a marker: the short form
// of the table rows when it reads back within 5.0e-5 of the value, else the
// scientific short form (1.1499-8). Returns the end.
char* FormatRealField(float value, char* out);

// The value that the real field of a value that is never a marker reads back
// to ("1.000+5" is 1.0e5; an empty field, for 0.0 or a value that is not a
// finite number, is 0.0).
double ReadBackNumberField(float value);
