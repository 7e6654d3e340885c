#pragma once

#include <string>
#include <string_view>

#include "bodies/AstBody.h"

namespace noctavo {

// The object a user means by a name typed into a name box, in the
// program's byte encoding (Windows-1252, Greek letters as symbol-font
// codes). Letter case and the blanks between a catalogue's letters and its
// number do not count ("m31", "M31" and "M 31" are one name). Tried in this
// order, the first hit wins:
//   1. the name a body goes by: the Sun, the Moon, the Earth, the planets,
//      the constellations in either language ("Ursa Maior" also as "Ursa
//      Major") or by abbreviation, the proper names of the stars, the NGC
//      and IC names ("NGC 224");
//   2. a Bayer designation: a Greek letter as name ("alpha"), abbreviation
//      ("Alp") or symbol, optionally followed by its digit ("alpha2",
//      "α²"), then the constellation by abbreviation, name or Latin
//      genitive ("alpha Ori", "Alp Orion", "alpha Orionis"); without a
//      digit the first star of that letter;
//   3. a whole item of an NGC object's description: its Messier number
//      ("M 31") or a common name ("Andromeda Galaxy").
// Null when nothing matches; parts of names never match ("Andromeda Gal",
// "M 3" for M 31). Stars are found by Bayer letter only: the star file
// holds no Flamsteed numbers.
const AstBody* findObjectByUserName(std::string_view text);

// The form names are compared in: ASCII letters in lower case, runs of
// white space as one blank, no blank at either end nor between a letter
// and a digit ("NGC  224 " gives "ngc224").
std::string lookupKey(std::string_view text);

// Order of names in a list: letter case aside, runs of digits by their
// value, so that "IC 101" comes before "IC 1009" and "NGC 9" before
// "NGC 10".
bool catalogueNameLess(std::string_view a, std::string_view b);

}  // namespace noctavo
