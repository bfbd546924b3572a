#pragma once
// Showing a page in the desktop's web browser. Tests record the request
// instead of starting a browser.
#include <QString>
#include <QUrl>

class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser could be started for the page; failure() says why.
    virtual bool show(const QUrl &page) = 0;
    // Why the last show() failed, in Japanese, for the notice.
    virtual QString failure() const { return notFound(); }
    // The reason when the desktop names no web browser at all.
    static QString notFound();
};

// The desktop's web browser: the handler of https URLs that the desktop's
// MIME application lists (or xdg-settings) name, then x-www-browser, then
// sensible-browser. Never the handler of HTML files, which may be an editor
// (this very program once it is installed), and never this program.
class DesktopBrowser : public Browser {
public:
    bool show(const QUrl &page) override;
    QString failure() const override { return m_failure; }

private:
    QString m_failure;
};
