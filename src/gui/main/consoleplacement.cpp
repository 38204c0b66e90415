#include "consoleplacement.h"

#include <algorithm>
#include <array>

namespace meridan {

namespace {

constexpr int kGap = 8;
constexpr int kStep = 28; // each further console this much lower and to the right
const QSize kSmallest(320, 160);

// The parts of the screen the main window leaves free, in the order tried.
std::array<QRect, 4> freeParts(const QRect& screen, const QRect& main)
{
    return {QRect(QPoint(main.right() + 1 + kGap, screen.top()), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(main.left() - 1 - kGap, screen.bottom())),
            QRect(QPoint(screen.left(), main.bottom() + 1 + kGap), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(screen.right(), main.top() - 1 - kGap))};
}

// The console in part: beside the main window at its top, or below/above
// it at the screen's left, moved by the step, and kept inside the part.
QRect placeIn(const QRect& part, const QRect& main, QSize size, int step)
{
    size = size.boundedTo(part.size());
    const bool beside = part.height() > main.height();
    QPoint at =
        beside ? QPoint(part.left(), main.top() + step) : part.topLeft() + QPoint(step, step);
    at.setX(std::clamp(at.x(), part.left(), part.right() + 1 - size.width()));
    at.setY(std::clamp(at.y(), part.top(), part.bottom() + 1 - size.height()));
    return {at, size};
}

} // namespace

QRect consolePlace(const QRect& screen, const QRect& mainWindow, const QSize& consoleFrame,
                   int consolesBefore)
{
    const int step = kStep * (consolesBefore % 8);
    const std::array<QRect, 4> parts = freeParts(screen, mainWindow);
    for (const QRect& part : parts)
        if (part.width() >= consoleFrame.width() && part.height() >= consoleFrame.height())
            return placeIn(part, mainWindow, consoleFrame, step);
    // None holds it whole: the largest part that holds a usable console.
    const auto area = [&](const QRect& part) {
        const QSize fits = consoleFrame.boundedTo(part.size());
        return part.isValid() ? qint64(fits.width()) * fits.height() : qint64(-1);
    };
    const QRect best = *std::max_element(parts.begin(), parts.end(),
                                         [&](auto& a, auto& b) { return area(a) < area(b); });
    if (best.width() >= kSmallest.width() && best.height() >= kSmallest.height())
        return placeIn(best, mainWindow, consoleFrame, step);
    // A screen the main window fills: the console's bottom right corner in
    // the screen's, where the main window's report list is.
    const QSize size = consoleFrame.boundedTo(screen.size() / 2).expandedTo(kSmallest);
    return {screen.bottomRight() - QPoint(size.width() - 1, size.height() - 1), size};
}

} // namespace meridan
