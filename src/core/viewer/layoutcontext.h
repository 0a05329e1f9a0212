// What every section needs while it lays itself out: fonts, pictures and the document.
#pragma once

#include <atomic>

class FontMetricsPort;
class ImageProvider;
class SectionList;

struct LayoutContext {
    const FontMetricsPort *metrics = nullptr;
    ImageProvider *images = nullptr; // none: every picture has no size
    const SectionList *document = nullptr;
    // Once set, layout stops early (its result is then of no use).
    const std::atomic<bool> *stop = nullptr;

    bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }
};
