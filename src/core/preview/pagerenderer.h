// Reads and lays out pages for the live preview on a thread of its own, so that a large page
// never holds up typing. One page is in work at a time; a newer request stops it and takes its
// place. Finished pages arrive through rendered() on the thread the renderer lives in; pages
// done with are handed back through dispose() and freed on the renderer's thread as well.
#pragma once

#include "viewer/imagecache.h"
#include "viewer/pagedefaults.h"
#include "viewer/sectionlist.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class FontMetricsPort;

class PageRenderer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString html;
        int width = 1;     // the width to lay the page out for
        QString directory; // relative pictures resolve against it
        PageDefaults defaults;
        std::shared_ptr<ImageCache> pictures; // shared with whoever draws the page
    };
    struct Page {
        quint64 id = 0;
        std::unique_ptr<SectionList> document;
        QString html;
        QString directory;
        int width = 0; // laid out for
        int height = 0;
        int widest = 0;
        QString error; // a reading error; what was read up to it is in the document
        double workMs = 0; // reading and layout
    };

    explicit PageRenderer(QObject *parent = nullptr);
    ~PageRenderer() override;

    // Queues a page; returns its id (ids grow with every request).
    quint64 render(Request request);
    // Frees a page that is no longer shown.
    void dispose(std::unique_ptr<SectionList> document);
    // A page is in work or waiting.
    bool isBusy() const;

Q_SIGNALS:
    void rendered(std::shared_ptr<PageRenderer::Page> page);

private:
    void run();
    std::shared_ptr<Page> work(quint64 id, const Request &request, const FontMetricsPort &metrics,
                               const std::atomic<bool> &stop);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_waiting;
    quint64 m_waitingId = 0;
    quint64 m_nextId = 0;
    bool m_working = false;
    std::shared_ptr<std::atomic<bool>> m_stopCurrent;
    std::vector<std::unique_ptr<SectionList>> m_trash;
    bool m_quit = false;
    std::thread m_thread;
};
