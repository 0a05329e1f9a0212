// What every section needs while it lays itself out: fonts, pictures and the document.
#pragma once

class FontMetricsPort;
class ImageProvider;
class SectionList;

struct LayoutContext {
    const FontMetricsPort *metrics = nullptr;
    ImageProvider *images = nullptr; // none: every picture has no size
    const SectionList *document = nullptr;
};
