#pragma once

#include "db/database.h"
#include "db/recordset.h"
#include "db/schema.h"

#include <array>
#include <filesystem>
#include <random>
#include <string>

class Prompter;
class SettingsStore;

// What the verse list holds: the verses of the sura, the rows of a result
// list, the pages of a long display, or nothing (a document is shown).
enum class ListMode { Verses, Result, Pages, None };

// What the main window owns and every subsystem shares: the long-lived
// connection and recordsets, the flags and indexes several commands read
// and write, and the services. Subsystems hold a reference to it.
struct MainState {
    // The program folder and the language that names the text database.
    std::filesystem::path programFolder;
    std::string language = "English";
    // The reader's folder (working copy, saved numbers); empty when the
    // program folder serves for both, as in a test's own folder.
    std::filesystem::path readerFolder;
    const std::filesystem::path& ownFolder() const { return readerFolder.empty() ? programFolder : readerFolder; }

    // The connection and the three shared recordsets: rows of the current
    // sura, footnote look-ups, and short general look-ups.
    db::Database connection;
    db::Recordset verseRs;
    db::Recordset footnoteRs;
    db::Recordset generalRs;
    db::SearchTableList SearchTables = db::searchTables();

    // The verse list's mode; the caption above the list only shows it.
    ListMode listMode = ListMode::Verses;
    // Index of the verse-list entry last opened alone (-1: none).
    int curVerseIdx = -1;
    // True while a command fills the verse list: its check events do nothing.
    bool loadingList = false;
    // The next rendering appends after what the reading pane already shows.
    bool keepHeader = false;
    // Automatic reading of each display.
    bool readAllVerses = false;
    // Extra width for the reading pane (960 while glossary, index or block
    // search output is shown).
    int wideReading = 0;
    static constexpr int kWideReading = 960;
    // In a result list: entries already shown (index of the next to show).
    int resultPicked = 0;
    // Set before a random passage is chosen: the verse-list filler then
    // picks a random verse and clears it.
    int startFlag = 0;
    // "Sura Revelation Order = n", shown in the third status panel.
    std::string revelationOrderText;

    // Parsed search words and their operator codes ("1", "2", "3" or empty).
    static constexpr int kSearchSlots = 51;
    std::array<std::string, kSearchSlots> searchWords{};
    std::array<std::string, kSearchSlots> searchOps{};
    int searchWordCount = 0;

    // The program's random numbers (random passages); seeded at load.
    std::mt19937 random{std::random_device{}()};
    // Uniform in [0, 1).
    double nextRandom() { return std::uniform_real_distribution<double>(0.0, 1.0)(random); }

    Prompter* prompter = nullptr;
    SettingsStore* settings = nullptr;
};
