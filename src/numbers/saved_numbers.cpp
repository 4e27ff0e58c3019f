#include "numbers/saved_numbers.h"

#include "numbers/letters.h"
#include "numbers/utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace numbers {

namespace fs = std::filesystem;

namespace {

fs::path pathOf(const fs::path& folder, std::string_view name) { return folder / fs::path(std::string(name)); }

std::string quotedName(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string lowerAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failure to close can be reported.
    bool close()
    {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Creates a new hidden file in `folder` for writing (permissions as for any
// file the reader creates). Returns -1 with errno set when it cannot.
int createTemporary(const fs::path& folder, fs::path& created)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = folder / (".saving-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes `content` to a new hidden file in `folder` and returns its path,
// or the reason it could not be written.
std::optional<fs::path> writeTemporary(const fs::path& folder, std::string_view content, std::string& why)
{
    fs::path temporary;
    FileDescriptor fd(createTemporary(folder, temporary));
    if (fd.get() < 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < content.size();) {
        ssize_t n = ::write(fd.get(), content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd.get()) == 0;
    if (!ok)
        why = std::strerror(errno);
    if (!fd.close() && ok) {
        ok = false;
        why = std::strerror(errno);
    }
    if (!ok) {
        std::error_code ec;
        fs::remove(temporary, ec);
        return std::nullopt;
    }
    return temporary;
}

}  // namespace

SavedNumbers::SavedNumbers(const fs::path& programFolder) : folder_(programFolder / "Numbers") {}

std::vector<std::string> SavedNumbers::list() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (!name.empty() && name.front() != '.')
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lowerAscii(a), lb = lowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::optional<std::string> SavedNumbers::nameProblem(std::string_view name)
{
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
        (!name.empty() && name.front() == '.'))
        return "The name " + quotedName(name) +
               " cannot be used: a name may not contain \"/\" or begin with \".\". Please choose another name.";
    return std::nullopt;
}

std::optional<std::string> SavedNumbers::save(std::string_view name, std::string_view content) const
{
    if (auto problem = nameProblem(name))
        return problem;
    const std::string failed = "The number could not be saved as " + quotedName(name) + ": ";
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec)
        return failed + "the folder " + folder_.string() + " cannot be created (" + ec.message() + ").";
    std::string why;
    auto temporary = writeTemporary(folder_, content, why);
    if (!temporary)
        return failed + why + ".";
    fs::rename(*temporary, pathOf(folder_, name), ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(*temporary, ignored);
        return failed + ec.message() + ".";
    }
    return std::nullopt;
}

std::optional<std::string> SavedNumbers::load(std::string_view name) const
{
    if (name.empty() || nameProblem(name))
        return std::nullopt;
    const fs::path file = pathOf(folder_, name);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    if (!isValidUtf8(content))
        content = fromWindows1256(content);
    return content;
}

std::optional<std::string> SavedNumbers::remove(std::string_view name) const
{
    const std::string failed = "The number " + quotedName(name) + " could not be deleted: ";
    if (name.empty() || nameProblem(name))
        return failed + "there is no saved number of that name.";
    std::error_code ec;
    const bool removed = fs::remove(pathOf(folder_, name), ec);
    if (ec)
        return failed + ec.message() + ".";
    if (!removed)
        return failed + "it is no longer there.";
    return std::nullopt;
}

}  // namespace numbers
