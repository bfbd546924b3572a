#include "ui/FormDesign.h"
#include "ui/Twips.h"

#include <algorithm>
#include <vector>

namespace formdesign {
void apply(QWidget *form, std::span<const ControlPlace> table)
{
    std::vector<const ControlPlace *> byTab;
    for (const ControlPlace &c : table) {
        if (auto *w = form->findChild<QWidget *>(QString::fromUtf16(c.name), Qt::FindDirectChildrenOnly)) {
            w->setGeometry(twips::rect(c.left, c.top, c.width, c.height));
            byTab.push_back(&c);
        }
    }
    std::sort(byTab.begin(), byTab.end(),
              [](const ControlPlace *a, const ControlPlace *b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < byTab.size(); ++i) {
        QWidget *a = form->findChild<QWidget *>(QString::fromUtf16(byTab[i - 1]->name), Qt::FindDirectChildrenOnly);
        QWidget *b = form->findChild<QWidget *>(QString::fromUtf16(byTab[i]->name), Qt::FindDirectChildrenOnly);
        QWidget::setTabOrder(a, b);
    }
}

const ControlPlace *find(std::span<const ControlPlace> table, QStringView name)
{
    for (const ControlPlace &c : table)
        if (name == QStringView(c.name))
            return &c;
    return nullptr;
}
} // namespace formdesign
