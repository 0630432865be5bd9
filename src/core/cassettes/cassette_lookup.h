#pragma once

#include "model/collection.h"

#include <cstdint>
#include <string>

namespace kt {

class UserDialogs;

// Positions 1 to 30 exist on a tape; a film elsewhere is not booked on its cassette.
constexpr int MaxPosOnCas = 30;
constexpr uint16_t LongPlayBit = 0x8000;

// Lengths of a TotalLength value: bits 0 to 14 are the nominal minutes, bit 15 doubles them.
int EffectiveLength(uint16_t total);
int NominalLength(uint16_t total);
bool IsLongPlay(uint16_t total);
uint16_t WithLongPlay(uint16_t nominal, bool flag);

// List position (1..AnzCas) of the first cassette with `Nr` number; -1 when there is none.
int FindCassette(const Collection& c, int number);

// True when a video-cassette film lies behind `position` on cassette `number`.
// Films of the other media carry their own numbering and never count.
bool PosOnCas_is_a_Gap(const Collection& c, int number, int position);

// The position suggested for a new film on cassette `number`: in front of the first film when
// there is room, else behind the last (1 for an empty cassette; may exceed 30, at most 255).
int NextFreePosition(const Collection& c, int number);

// List position of the first cassette whose gap or rest takes `length` minutes; when none does,
// an error box and 1.
int GetFirstCas_with_sufficientSpace(const Collection& c, int length, UserDialogs& ui);

// True when no video-cassette film is on cassette `number`; otherwise false and `films` holds
// one line " >  title" per film in table order, joined by CR LF.
bool FilmsOnCassette(const Collection& c, int number, std::string& films);

// Titles compare with blanks and unprintable characters removed; letter case counts.
int FilmLengthByName(const Collection& c, const std::string& title);
// Table index (1-based) of the first video-cassette film with that title on cassette `number`; 0 none.
int FilmByNameOnCassette(const Collection& c, const std::string& title, int number);
// Table index (1-based) of the first film with that FilmNr; 0 when none.
int FilmIndexByNr(const Collection& c, int filmNr);

} // namespace kt
