#pragma once
// Sums for accounting: compensated (Neumaier) summation keeps the rounding
// error of a million additions far below a cent, whatever their order.
#include <QLocale>
#include <QString>
#include <cmath>
#include <optional>

namespace grid {

class Sum {
  public:
    void add(double value) {
        const double total = sum_ + value;
        compensation_ +=
            std::fabs(sum_) >= std::fabs(value) ? (sum_ - total) + value : (value - total) + sum_;
        sum_ = total;
        ++count_;
    }
    // No value when nothing was added: a sum over no rows is empty.
    std::optional<double> value() const {
        if (count_ == 0) return std::nullopt;
        return sum_ + compensation_;
    }

  private:
    double sum_ = 0;
    double compensation_ = 0;
    long long count_ = 0;
};

}  // namespace grid
