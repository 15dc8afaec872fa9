#pragma once
// The web addresses of the menu "Ajuda": the only place where they are written. An organization
// that deploys the program puts its own addresses here and rebuilds; the help file says so.

namespace EnderecosWeb {

// "&LMZ na web": the university's laboratory.
inline constexpr const char* LMZ = "https://lmz.example.org/";
// "&NQTS na web": the research group.
inline constexpr const char* NQTS = "https://nqts.example.org/";
// "&AQEM na web": the state water agency.
inline constexpr const char* AQEM = "https://aqem.example.org/";

}  // namespace EnderecosWeb
