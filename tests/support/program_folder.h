#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// The verse count of each sura (a fact of the scripture), sura 1 first.
int verseCount(int sura);

// The invented line that stands for verse sura:verse in test program
// folders: "Test line 2:5 with mercy." Every fifth verse mentions mercy,
// every seventh forgive, every third Allah; 1:1 is the opening line.
std::string testVerseText(int sura, int verse);

// A complete program folder built the way zerafin-init builds one, from a
// sample text with the real shape (114 suras, 6236 verses) but invented
// words, and the project's own data/: English.ttb, Files/…, css.
void makeTestProgramFolder(const std::filesystem::path& folder);

}  // namespace testing_support
