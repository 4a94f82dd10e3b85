#pragma once
// The configurator's identity and the maker's web addresses.

#include "base/MakerIdentity.h" // generated from the KT_* CMake options

#include <array>

namespace kt {

inline constexpr const char* SwCode = "KT52903";
inline constexpr const char* SwDescription = "CAN / PROFIBUS Slave - Converter";
inline constexpr const char* SwVersion = "1.000";
inline constexpr const char* MainCaption = "Tarvix - Configurator KT52903 CAN / PROFIBUS Slave ";
inline constexpr const char* DocumentCode = "DX52903";

// The maker's web host; the default is a reserved name, so no request reaches a stranger.
inline constexpr const char* WebHost = KT_WEB_HOST;
// The web address the main window shows.
inline constexpr const char* VisibleAddress = KT_VISIBLE_ADDRESS;
inline constexpr const char* HomePageUrl = "http://" KT_WEB_HOST "/HOME/default.asp?frompg=KT52903";
inline constexpr const char* DownloadPageUrl =
    "http://" KT_WEB_HOST "/Home/download/download.asp#GX52903";

// The maker's details of the GSD header, lines 5 to 11.
inline constexpr const char* VendorLegalName = KT_VENDOR_NAME;
inline constexpr std::array<const char*, 3> VendorAddress = {
    KT_VENDOR_ADDRESS_1, KT_VENDOR_ADDRESS_2, KT_VENDOR_ADDRESS_3};
inline constexpr const char* VendorPhone = KT_VENDOR_PHONE;
inline constexpr const char* VendorFax = KT_VENDOR_FAX;
inline constexpr const char* VendorMail = KT_VENDOR_MAIL;

} // namespace kt
