// Feeds arbitrary bytes through the viewer's decoding, reader, layout (fixed-width metrics, at
// a wide and a narrow width), anchors, hit testing, copying and, for some inputs, drawing.
#include "viewer/fixedfontmetrics.h"
#include "viewer/htmlreader.h"
#include "viewer/htmlsource.h"
#include "viewer/imageprovider.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

namespace {

// Every picture has a size made from its name, some of them none.
class HashedSizes : public ImageProvider {
public:
    QSize imageSize(const QString &source) override {
        const size_t h = qHash(source);
        if (h % 5 == 0)
            return {};
        return QSize(int(h % 300), int((h / 300) % 300));
    }
    QImage image(const QString &source) override {
        const QSize size = imageSize(source);
        if (size.isEmpty())
            return {};
        QImage image(size.boundedTo(QSize(16, 16)), QImage::Format_RGB32);
        image.fill(Qt::gray);
        return image;
    }
};

// Every section of the page, table cells and captions included.
void collectSections(const Cell &cell, std::unordered_set<const SectionBase *> &out) {
    for (const auto &s : cell.sections()) {
        out.insert(s.get());
        if (const auto *table = dynamic_cast<const TableSection *>(s.get())) {
            if (table->caption())
                collectSections(*table->caption(), out);
            for (const auto &e : table->entries())
                collectSections(*e.content, out);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString html = HtmlSource::decode(bytes);

    static FixedFontMetrics metrics;
    static HashedSizes images;
    SectionList doc;
    doc.setDefaultFontSize(size > 0 ? 6 + data[0] % 14 : 12);
    HtmlReader reader(doc);
    reader.read(html);

    // An anchor that names no section of the page points at freed memory: caught here by
    // comparing addresses, before anything reads through it, so that a plain build fails too.
    std::unordered_set<const SectionBase *> sections;
    collectSections(doc, sections);
    for (const QString &name : doc.anchorNames())
        if (!sections.count(doc.anchor(name)))
            abort();

    LayoutContext ctx;
    ctx.metrics = &metrics;
    ctx.images = &images;
    int maxWidth = 0;
    for (int width : {800, 37}) {
        const int height = doc.doLayout(ctx, width, maxWidth);
        if (height < 0 || maxWidth < 0)
            abort();
        // Every named anchor leads to a section of the laid-out document, as following a link
        // to it does; then a few points around it are hit-tested.
        for (const QString &name : doc.anchorNames()) {
            const SectionBase *section = doc.anchor(name);
            if (!section)
                abort();
            const int y = section->y();
            if (section->height() < 0)
                abort();
            for (int x : {0, width / 3, width - 1}) {
                doc.linkAt(QPoint(x, y));
                if (doc.cursorAt(QPoint(x, y + section->height() / 2)) > doc.positionCount())
                    abort();
            }
        }
        for (int y = -5; y < height + 20; y += qMax(1, height / 7)) {
            for (int x : {-10, 0, 5, width / 2, width + 50}) {
                doc.linkAt(QPoint(x, y));
                const int c = doc.cursorAt(QPoint(x, y));
                if (c > doc.positionCount())
                    abort();
                QPoint p;
                int lineHeight = 0;
                doc.cursorToPoint(c, p, lineHeight);
            }
        }
    }
    QString text;
    doc.copyText(0, doc.positionCount(), text);
    doc.findText(QStringLiteral("a"), 0);

    if (size > 0 && (data[size - 1] & 3) == 0) {
        QImage canvas(200, 300, QImage::Format_RGB32);
        QPainter painter(&canvas);
        DrawContext dc;
        dc.painter = &painter;
        dc.clip = QRect(0, 0, 200, 300);
        dc.selectionStart = 3;
        dc.selectionEnd = 40;
        dc.metrics = &metrics;
        dc.images = &images;
        dc.document = &doc;
        doc.draw(dc);
    }
    return 0;
}
