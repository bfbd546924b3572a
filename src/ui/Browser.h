#pragma once
// Showing a page in the desktop's web browser. Tests record the request
// instead of starting a browser.
#include <QUrl>

class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser could be started for the page.
    virtual bool show(const QUrl &page) = 0;
};

// The desktop's default browser (QDesktopServices: xdg-open on Linux).
class DesktopBrowser : public Browser {
public:
    bool show(const QUrl &page) override;
};
