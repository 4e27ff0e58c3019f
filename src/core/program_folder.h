#pragma once

#include <filesystem>
#include <string>

// The program folder is the folder of the running executable: the text
// database, the companion files and the first-run markers live beside it.
std::filesystem::path programFolder();
// The program file's name without extension ("zerafin").
std::string programName();
