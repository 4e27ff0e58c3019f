#pragma once

#include <string>
#include <utility>

namespace topics {

// What became of a command on the reader's own data. A failure always
// carries a sentence the reader can be shown: what did not happen and the
// system's reason. On success `message` may hold a one-line report.
struct Outcome {
    bool ok = true;
    std::string message;

    static Outcome done(std::string report = {}) { return {true, std::move(report)}; }
    static Outcome failed(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// A value read from the database, or why it could not be read.
template <class T> struct Fetched {
    T value{};
    Outcome outcome;
    bool ok() const { return outcome.ok; }
};

}  // namespace topics
