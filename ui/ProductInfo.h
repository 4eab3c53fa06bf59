#pragma once

// The product's own words that more than one place shows.
inline constexpr const char *kProductTitle = "Varlen Fish 3D Screensaver 1.0";
// The maker's web address: the help text's last line and the fish dialog's link.
inline constexpr const char *kMakerWebAddress = "www.varlenfish.example";
