#pragma once

#include <functional>
#include <mutex>
#include <string>

namespace Desk {

// A recording's fingerprint, worked out the first time it is asked for: a
// command that neither saves nor checks a document never reads the file
// for it. The value is the one an eager computation would give, so the
// fingerprints stored documents hold still match. Safe to ask from several
// threads.
class LazyFingerprint {
public:
    explicit LazyFingerprint(std::function<std::string()> compute) : compute_(std::move(compute)) {}
    LazyFingerprint(const LazyFingerprint&) = delete;
    LazyFingerprint& operator=(const LazyFingerprint&) = delete;

    const std::string& Value() const
    {
        std::call_once(once_, [this] {
            value_ = compute_();
            compute_ = nullptr;
        });
        return value_;
    }

private:
    mutable std::function<std::string()> compute_;
    mutable std::once_flag once_;
    mutable std::string value_;
};

} // namespace Desk
