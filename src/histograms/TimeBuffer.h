#pragma once

#include <cstddef>
#include <vector>

namespace Nerolith {

// A queue of times, oldest first, with indexed access: what the correlation
// and peristimulus histograms keep of recent spikes. Plain contiguous
// storage, since every reference reads the whole buffer.
class TimeBuffer {
public:
    bool Empty() const { return head_ == times_.size(); }
    std::size_t Size() const { return times_.size() - head_; }
    double operator[](std::size_t i) const { return times_[head_ + i]; }
    double Front() const { return times_[head_]; }
    double Back() const { return times_.back(); }
    const double* begin() const { return times_.data() + head_; }
    const double* end() const { return times_.data() + times_.size(); }

    void PushBack(double t) { times_.push_back(t); }
    // Drops the oldest `count` times, no more than Size().
    void PopFront(std::size_t count = 1)
    {
        head_ += count;
        // The dropped times are reclaimed once they outnumber the kept ones.
        if (head_ > kCompactAfter && head_ * 2 > times_.size()) {
            times_.erase(times_.begin(), times_.begin() + static_cast<std::ptrdiff_t>(head_));
            head_ = 0;
        }
    }
    void Clear()
    {
        times_.clear();
        head_ = 0;
    }

private:
    static constexpr std::size_t kCompactAfter = 1024;

    std::vector<double> times_;
    std::size_t head_ = 0;
};

} // namespace Nerolith
