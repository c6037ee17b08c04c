#pragma once

// The maker's contact data, shown in the manufacturer window, in the main
// window's scrolling banner and in the manual (app/data/TSRN32.html, which
// repeats these values: change both together). UTF-8.
//
// The values are made up. The telephone numbers lie in a block that German
// numbering keeps free for use in films and books, so they reach nobody; the
// mail domain lies in a top-level domain reserved for tests.
//
// Kept short: the main window's banner shows them all in one line that must
// fit its 1225-pixel panel in 16-pixel bold Arial.

namespace Tessaron::Demo {

inline constexpr char kCompany[] = "Velmar Softwaretechnik";
inline constexpr char kStreet[] = "Markt 4";
inline constexpr char kPostcode[] = "61999";
inline constexpr char kCity[] = "Harlen";
inline constexpr char kTown[] = "D-61999 Harlen";  // postcode and town, as printed
inline constexpr char kPhone[] = "069/90009-140";
inline constexpr char kFax[] = "069/90009-149";
inline constexpr char kCompuServe[] = "104632,1275";
inline constexpr char kEmail[] = "info@velmar.test";

}  // namespace Tessaron::Demo
