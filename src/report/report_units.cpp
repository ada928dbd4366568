#include "report/report_units.h"

#include <cmath>

int roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double rest = value - floor;
    double result = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1;
    return static_cast<int>(result);
}

int mmToPixels(double mm, int resolution) {
    return roundHalfEven(mm * resolution / 25.4);
}

int deviceToScreen(double value, int screenResolution, int deviceResolution) {
    if (deviceResolution <= 0) return 0;
    return roundHalfEven(value * screenResolution / deviceResolution);
}
