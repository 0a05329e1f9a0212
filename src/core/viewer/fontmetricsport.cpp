#include "viewer/fontmetricsport.h"

#include <vector>

int FontMetricsPort::textWidth(const DocumentFont &font, QStringView text) const {
    std::vector<int> widths(size_t(text.size()));
    advances(font, text, widths.data());
    int sum = 0;
    for (int w : widths)
        sum += w;
    return sum;
}
