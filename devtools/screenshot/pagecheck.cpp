#include "devtools/screenshot/pagecheck.h"

#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

QStringList tabTitleFaults(const QTabBar &bar)
{
    QStringList faults;
    for (int index = 0; index < bar.count(); ++index) {
        const QRect tab = bar.tabRect(index);
        const int textWidth = bar.fontMetrics().horizontalAdvance(bar.tabText(index));
        if (!bar.rect().contains(tab) || tab.width() < textWidth)
            faults << QStringLiteral("the tab title \"%1\" does not fit").arg(bar.tabText(index));
    }
    // The bar's own arrows, shown only when the titles overflow.
    for (const QToolButton *arrow : bar.findChildren<QToolButton *>()) {
        if (arrow->isVisible())
            return faults << QStringLiteral("the tab bar shows scroll arrows");
    }
    return faults;
}

QStringList buttonFaults(const QScrollArea &page)
{
    QStringList faults;
    const QWidget *viewport = page.viewport();
    for (const QToolButton *button : page.widget()->findChildren<QToolButton *>()) {
        const QRect shown(button->mapTo(viewport, QPoint(0, 0)), button->size());
        if (!button->isVisible() || !viewport->rect().contains(shown))
            faults << button->objectName() + QStringLiteral(" is cut off");
        if (!button->isEnabled())
            faults << button->objectName() + QStringLiteral(" is greyed out");
    }
    return faults;
}

} // namespace

QStringList formatPageFaults(const QTabWidget &tabs)
{
    QStringList faults = tabTitleFaults(*tabs.tabBar());
    const auto *page = qobject_cast<const QScrollArea *>(tabs.currentWidget());
    if (!page || !page->widget())
        faults << QStringLiteral("the current tab holds no scroll area of buttons");
    else
        faults << buttonFaults(*page);
    return faults;
}
