#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Numbers the reader keeps under a name: one plain-text file per number in
// the Numbers folder of the program folder, named exactly as typed.
namespace numbers {

inline constexpr std::string_view kNamePrompt = "Give a Name to the Number for identification";
inline constexpr std::string_view kNameTitle = "Save Number";
inline constexpr std::string_view kNameMissing = "Please give a Name to the Number";
inline constexpr std::string_view kDeleteQuestion = "Are you sure you wish to delete this number?";
inline constexpr std::string_view kSelectToDelete = "Please select a Number from the List to delete";

class SavedNumbers {
public:
    explicit SavedNumbers(const std::filesystem::path& programFolder);

    const std::filesystem::path& folder() const { return folder_; }

    // The saved numbers' names, sorted without regard to letter case. Hidden
    // files (a leading ".") and folders are not numbers and are left out.
    std::vector<std::string> list() const;

    // Why a name cannot be used, or nullopt when it can. A name must stay
    // inside the folder ("/" is refused) and must not be hidden from the
    // list (a leading "." is refused, which also covers "." and "..").
    static std::optional<std::string> nameProblem(std::string_view name);

    // Saves the number under the name, replacing a number of that name.
    // The new file is written completely before it takes the old one's
    // place, so a failed save never leaves a damaged number behind.
    // Returns nullopt when saved, otherwise the message to show.
    std::optional<std::string> save(std::string_view name, std::string_view content) const;

    // The saved number; text in the old Arabic code page comes back as
    // UTF-8. nullopt when it cannot be read.
    std::optional<std::string> load(std::string_view name) const;

    // Deletes the saved number. Returns nullopt when deleted, otherwise the
    // message to show.
    std::optional<std::string> remove(std::string_view name) const;

private:
    std::filesystem::path folder_;
};

}  // namespace numbers
