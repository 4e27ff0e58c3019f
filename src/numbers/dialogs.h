#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace numbers {

// The boxes the number panels show, as their commands need them. The
// window passes one that shows real boxes; tests script the answers.
class NumberDialogs {
public:
    virtual ~NumberDialogs() = default;
    // A Yes/No question without an icon; true only for Yes.
    virtual bool askYesNo(std::string_view question) = 0;
    // An information box with one OK button.
    virtual void inform(std::string_view message) = 0;
    // An input box with an empty default; nullopt when cancelled.
    virtual std::optional<std::string> input(std::string_view prompt, std::string_view title) = 0;
};

}  // namespace numbers
