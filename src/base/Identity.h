#pragma once
// The configurator's identity and the maker's web addresses.

namespace kt {

inline constexpr const char* SwCode = "KT52903";
inline constexpr const char* SwDescription = "CAN / PROFIBUS Slave - Converter";
inline constexpr const char* SwVersion = "1.000";
inline constexpr const char* MainCaption = "Tarvix - Configurator KT52903 CAN / PROFIBUS Slave ";
inline constexpr const char* DocumentCode = "DX52903";

// The maker's web host; a reserved name, so no request ever reaches a stranger.
inline constexpr const char* WebHost = "www.tarvix.example";
inline constexpr const char* HomePageUrl = "http://www.tarvix.example/HOME/default.asp?frompg=KT52903";
inline constexpr const char* DownloadPageUrl =
    "http://www.tarvix.example/Home/download/download.asp#GX52903";

} // namespace kt
