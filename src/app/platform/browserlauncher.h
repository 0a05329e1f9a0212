// Reaches an external web browser. The preview asks it to bring a browser forward and then to
// show a URL, in that order; the real one starts the browser program, tests record the calls.
#pragma once

#include <QString>

class BrowserLauncher {
public:
    virtual ~BrowserLauncher() = default;
    // Brings the browser named by its program path to the front.
    virtual void activate(const QString &program) = 0;
    // Makes the browser named by its program path show the URL.
    virtual void openUrl(const QString &program, const QString &url) = 0;
};

// Starts the browser program with the URL as its argument, never through a shell. A browser
// that is already running takes the URL over and comes to the front by itself, so there is
// nothing extra to do for activation.
class ProcessBrowserLauncher : public BrowserLauncher {
public:
    void activate(const QString &program) override;
    void openUrl(const QString &program, const QString &url) override;
};
