#pragma once

// The fixed texts of the start-up window and the About box.
namespace credits {

inline constexpr const char* kWindowTitle = "Zerafin Release 3.7";
inline constexpr const char* kScripture = "Quran";
inline constexpr const char* kTranslationTitle = "Orvandel";
inline constexpr const char* kVersionName = "Kestrane";
inline constexpr const char* kProgramVersion = "Zerafin Version 3 (Beta) ";

inline constexpr const char* kTranslator = "English translation by Saheeh International (via quran-json, CC BY-SA 4.0)";
// The one-line notice of the start-up window.
inline constexpr const char* kRightsNotice = "Published by Tarnmoor Press. The translation text is shared under CC BY-SA 4.0.";
// The two-line notice of the About box.
inline constexpr const char* kRightsLine1 = "Published by Tarnmoor Press, which holds the rights to this edition.";
inline constexpr const char* kRightsLine2 = "The translation text may be shared and adapted under CC BY-SA 4.0.";

// Postal addresses of the two publishers (both fictional).
inline constexpr const char* kPublisherAddress1 =
    "Tarnmoor Press\n12 Lantern Row\nHollowmere HM7 0ZZ\nThe Isle of Nowhere";
inline constexpr const char* kPublisherAddress2 =
    "Orvandel Study Circle\nPost Box 0000\nKestrel Falls, Imaginaria 00000";

}  // namespace credits
