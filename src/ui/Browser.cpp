#include "ui/Browser.h"

#include <QDesktopServices>

bool DesktopBrowser::show(const QUrl &page) { return QDesktopServices::openUrl(page); }
