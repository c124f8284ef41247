#pragma once
// Panning the image box inside the viewport, and the arrow-key state the
// pan timer polls.

#include <QObject>
#include <QPoint>
#include <QSize>

#include <array>
#include <cstdint>

namespace ce {

// What asks for a move at one tick: the PicMove element held down (0 none,
// 1 left, 2 down, 3 right, 4 up) and each arrow key, down or pressed since
// the last poll.
struct PanRequest {
    std::int16_t direction = 0;
    bool right = false;
    bool up = false;
    bool left = false;
    bool down = false;
};

inline constexpr int kPanStepPixels = 10;

// One pan tick. Given the image box's top-left corner relative to the
// viewport (0 or negative), the image size and the viewport's inner size,
// all in pixels; returns the new corner. The four tests run in this order,
// each on the values left by the one before:
//   1. right:  L + W > VW and (direction 3 or Right)  ->  L -= 10
//   2. up:     T < 0      and (direction 4 or Up)     ->  T += 10
//   3. left:   L < 0      and (direction 1 or Left)   ->  L += 10
//   4. down:   T + H > VH and (direction 2 or Down)   ->  T -= 10
// The bounds are tested before the step, so the last step may pass the edge
// by up to 9 pixels; an image no larger than the viewport never moves.
QPoint panStep(QPoint topLeft, QSize image, QSize viewport, const PanRequest& request);

// Records the arrow keys for the whole application, whichever widget has the
// keyboard focus: which are held now, and which were pressed since the last
// poll (a tap between two ticks still counts once). The pan timer polls on
// every tick, moving or not, so a press is never kept for a later tick.
class KeyStateFilter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyStateFilter)

public:
    explicit KeyStateFilter(QObject* parent = nullptr);

    // The four arrows for one tick: held, or pressed since the last poll.
    // Forgets the presses it reports.
    PanRequest poll(std::int16_t direction);

    // Feeds one key event by hand (the filter calls it for every key event).
    void keyChanged(int key, bool pressed, bool autoRepeat);

    // Forgets every held and pressed arrow. The filter calls it when a
    // window or the application loses the activation, since the keys'
    // releases may then never reach this application.
    void forget();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Arrow { Right, Up, Left, Down, ArrowCount };
    std::array<bool, ArrowCount> held_{};
    std::array<bool, ArrowCount> pressed_{};
};

}  // namespace ce
