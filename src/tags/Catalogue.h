#pragma once
// The built-in tag catalogue: 71 snippets, written to "htmllist.lst" when the
// start directory has none.
#include <QStringList>

namespace catalogue {
const QStringList &builtIn();
}
