// The day the search's stepping has reached, shown in the window's running-date label. The
// stepping tests one day in a few microseconds; a repaint of the label costs far more. Over
// hundreds of thousands of days the label is therefore repainted at most every 200 ms, and the
// stepping never yields to the event loop.
#pragma once

#include <QElapsedTimer>
#include <cstdint>

class QLabel;

namespace meridel {

class SteppingProgress {
public:
    // Shows the label in the running date's colour.
    explicit SteppingProgress(QLabel* label);
    void Show(std::int32_t day);

private:
    QLabel* label_;
    QElapsedTimer shown_;
};

}  // namespace meridel
