#pragma once

#include <stdexcept>
#include <string>

namespace velquor {

// Error numbers the runtime of the original platform uses; callers and tests
// tell failures apart by them.
namespace err {
inline constexpr int kInvalidCall = 5;          // no element under the key
inline constexpr int kOverflow = 6;             // automatic key counter exhausted
inline constexpr int kSubscriptOutOfRange = 9;  // position outside 1..Count
inline constexpr int kObjectNotSet = 91;        // nothing where an object was needed
inline constexpr int kNotSupported = 438;       // no such property or method
inline constexpr int kKeyInUse = 457;           // key already in the collection
}  // namespace err

/// One failure of a run-time (late-bound) operation: a number, the operation
/// that raised it (source) and a human-readable description.
class AutomationError : public std::runtime_error {
  public:
    AutomationError(int number, std::string source, std::string description);

    int number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    const std::string& description() const noexcept { return description_; }

    /// The same failure re-raised by another operation.
    AutomationError withSource(std::string source) const;

    /// The standard description text of an error number.
    static std::string standardDescription(int number);
    /// A failure with the standard description of its number.
    static AutomationError standard(int number, std::string source);

  private:
    int number_;
    std::string source_;
    std::string description_;
};

}  // namespace velquor
