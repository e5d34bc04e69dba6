#pragma once

// The latitude bands of the UTM grid and of MGRS: twenty letters, C..X
// without I and O, eight degrees each northwards from 80 S; X, the last,
// runs on twelve degrees to 84 N. Every reader and writer of a band letter
// asks here.

namespace trelvan {

inline constexpr int kBandCount = 20;

// The letter of band index 0..kBandCount-1 (C = 0 .. X = 19).
char BandLetterAt(int band);

// Index of a band letter, C = 0 .. X = 19; -1 for any other character.
int BandIndex(char letter);

// True for a band letter C..X without I and O.
bool IsBandLetter(char letter);

// The south and north edges of band index 0..kBandCount-1, degrees.
double BandSouthDeg(int band);
double BandNorthDeg(int band);

}  // namespace trelvan
