#pragma once
// Outcome of an operation that can fail for a reason the user must see, and the value a
// reader returns beside it.

#include <string>
#include <utility>

namespace kt {

enum class StatusCode {
    Ok,
    NotFound,  // the file is not there; readers that allow this give their defaults
    Malformed, // the file or the data is there but does not follow its format
    Io,        // the system refused to read, write, rename or create
    Refused,   // the request cannot be carried out as asked (a name, a choice)
};

struct Status {
    StatusCode code = StatusCode::Ok;
    std::string message; // the system's or the parser's description, naming the file
    int textId = 0;      // the language table's text for the user, when there is one

    [[nodiscard]] static Status success() { return {}; }
    [[nodiscard]] static Status notFound(std::string why) {
        return {StatusCode::NotFound, std::move(why)};
    }
    [[nodiscard]] static Status malformed(std::string why) {
        return {StatusCode::Malformed, std::move(why)};
    }
    [[nodiscard]] static Status io(std::string why) { return {StatusCode::Io, std::move(why)}; }
    [[nodiscard]] static Status refused(std::string why, int textId = 0) {
        return {StatusCode::Refused, std::move(why), textId};
    }

    [[nodiscard]] bool ok() const { return code == StatusCode::Ok; }
    [[nodiscard]] bool notFound() const { return code == StatusCode::NotFound; }
    explicit operator bool() const { return ok(); }
};

// True for a file that is there but could not be read (not for a missing one).
[[nodiscard]] inline bool Unreadable(const Status& read) {
    return !read.ok() && !read.notFound();
}

// A reader's value with its status. The value is meaningful when the status is ok and, for
// readers that say so, also when it is NotFound (then it holds the defaults).
template <class T> struct Result {
    T value{};
    Status status;

    [[nodiscard]] bool ok() const { return status.ok(); }
    explicit operator bool() const { return ok(); }
};

} // namespace kt
