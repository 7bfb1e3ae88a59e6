#pragma once

#include <string>

namespace quor {

// Replaces the 71 character entities the program knows by their Windows-1252
// bytes, in place. Names match byte for byte, letter case included, so
// "&AUML;" stays as it is; other entities and numeric references but "&#169;"
// stay too. The result is the one of replacing the names one after the other
// in a fixed order, each everywhere before the next, without looking at what
// a replacement put in: so "&amp;auml;" becomes "ä" (the "&" that "&amp;"
// leaves starts a name that comes later in the order), while "&amp;lt;"
// becomes "&lt;" and "&amp;amp;" becomes "&amp;".
void DecodeEntities(std::string& text);

}  // namespace quor
