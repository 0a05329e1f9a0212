#include "preview/pagerenderer.h"

#include "viewer/htmlreader.h"
#include "viewer/imageprovider.h"
#include "viewer/layoutcontext.h"
#include "viewer/linktarget.h"
#include "viewer/qtfontmetrics.h"

#include <QElapsedTimer>

namespace {

// Pictures of a page being laid out: sources resolved against the page's base reference or
// folder, sizes from the shared cache.
class PagePictures : public ImageProvider {
public:
    PagePictures(ImageCache *cache, const SectionList &doc, const QString &directory)
        : m_cache(cache), m_doc(doc), m_directory(directory) {}
    QSize imageSize(const QString &source) override {
        return m_cache ? m_cache->size(resolve(source)) : QSize();
    }
    QImage image(const QString &source) override {
        return m_cache ? m_cache->image(resolve(source)) : QImage();
    }

private:
    QString resolve(const QString &source) const {
        return LinkTarget::toFileName(source, m_doc.baseReference(), m_directory);
    }
    ImageCache *m_cache;
    const SectionList &m_doc;
    QString m_directory;
};

} // namespace

PageRenderer::PageRenderer(QObject *parent) : QObject(parent) {
    m_thread = std::thread([this] { run(); });
}

PageRenderer::~PageRenderer() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
        m_waiting.reset();
        if (m_stopCurrent)
            m_stopCurrent->store(true);
    }
    m_wake.notify_all();
    m_thread.join();
}

quint64 PageRenderer::render(Request request) {
    quint64 id;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        id = ++m_nextId;
        m_waiting = std::move(request);
        m_waitingId = id;
        if (m_stopCurrent)
            m_stopCurrent->store(true);
    }
    m_wake.notify_all();
    return id;
}

void PageRenderer::dispose(std::unique_ptr<SectionList> document) {
    if (!document)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_trash.push_back(std::move(document));
    }
    m_wake.notify_all();
}

bool PageRenderer::isBusy() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_working || m_waiting.has_value();
}

void PageRenderer::run() {
    // One set of measured fonts for the thread's whole life: most pages use the same few.
    QtFontMetrics metrics;
    for (;;) {
        std::vector<std::unique_ptr<SectionList>> trash;
        Request request;
        quint64 id = 0;
        std::shared_ptr<std::atomic<bool>> stop;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_waiting || !m_trash.empty(); });
            trash.swap(m_trash);
            if (m_quit)
                return; // the trash goes with this frame
            if (m_waiting) {
                request = std::move(*m_waiting);
                id = m_waitingId;
                m_waiting.reset();
                stop = std::make_shared<std::atomic<bool>>(false);
                m_stopCurrent = stop;
                m_working = true;
            }
        }
        trash.clear(); // pages of any size are freed here, not in the window's thread
        if (!stop)
            continue;
        std::shared_ptr<Page> page = work(id, request, metrics, *stop);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_working = false;
            m_stopCurrent.reset();
        }
        if (!page)
            continue;
        QMetaObject::invokeMethod(
            this, [this, page] { Q_EMIT rendered(page); }, Qt::QueuedConnection);
    }
}

std::shared_ptr<PageRenderer::Page> PageRenderer::work(quint64 id, const Request &request,
                                                       const FontMetricsPort &metrics,
                                                       const std::atomic<bool> &stop) {
    QElapsedTimer clock;
    clock.start();
    auto page = std::make_shared<Page>();
    page->id = id;
    page->html = request.html;
    page->directory = request.directory;
    page->width = request.width;
    page->document = std::make_unique<SectionList>();
    SectionList &doc = *page->document;
    request.defaults.applyTo(doc);
    if (request.pictures)
        request.pictures->age();
    HtmlReader reader(doc);
    reader.setStopFlag(&stop);
    if (!reader.read(request.html))
        page->error = reader.errorString();
    PagePictures pictures(request.pictures.get(), doc, request.directory);
    LayoutContext ctx;
    ctx.metrics = &metrics;
    ctx.images = &pictures;
    ctx.stop = &stop;
    if (!stop.load())
        page->height = doc.doLayout(ctx, request.width, page->widest);
    if (stop.load()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_trash.push_back(std::move(page->document));
        return nullptr;
    }
    page->workMs = double(clock.nsecsElapsed()) / 1e6;
    return page;
}
